// A worker of the page: its own instance of the module, which computes the regime of a run, the
// words of its continuous-time twin, the slices of the map and of the diagram that the page asks
// for, and the Chance panel's ensembles (chance_answers.ts), one at a time (an undecided run
// takes millions of steps, which the page's thread must never wait for). The page asks for more only
// as answers come, so a restart needs nothing of the worker: the page stops asking for the old job's
// slices and drops what still comes of them.
// SPDX-License-Identifier: GPL-3.0-or-later
import { answerChance, type ChanceAnswer, type ChanceRequest, isChanceRequest } from "./chance_answers";
import type {
    BifurcationRequest,
    BifurcationScan,
    RegimeReport,
    RegimeScan,
    RunParameters,
    RunWords,
    ScanGrid,
    Separator,
} from "tarnis-module";
import { instantiate } from "./module_instance";

/** A slice of a job: the job's number, what it computes, and which cells or columns (a regime is one). */
export type SliceRequest =
    | { job: number; task: "regime"; run: RunParameters; first: number; count: number }
    | { job: number; task: "continuous"; run: RunParameters; separator: Separator; first: number; count: number }
    | { job: number; task: "map"; grid: ScanGrid; first: number; count: number }
    | { job: number; task: "diagram"; request: BifurcationRequest; first: number; count: number };

export type SliceAnswer =
    | { job: number; task: "regime"; first: number; report: RegimeReport | undefined }
    | { job: number; task: "continuous"; first: number; words: RunWords; bridge: string }
    | { job: number; task: "map"; first: number; cells: ReturnType<RegimeScan["slice"]> }
    | { job: number; task: "diagram"; first: number; columns: ReturnType<BifurcationScan["slice"]> }
    | { job: number; task: SliceRequest["task"]; first: number; error: string };

/** The page's compiled binary, which the worker's module is made from, and the page's language, which
 * the worker's words are in: sent before any work. */
export interface StartRequest {
    task: "start";
    binary: WebAssembly.Module;
    language: string;
}

interface WorkerScope {
    onmessage: ((event: MessageEvent<SliceRequest | ChanceRequest | StartRequest>) => void) | null;
    postMessage(message: SliceAnswer | ChanceAnswer, transfer?: Transferable[]): void;
}
const scope = self as unknown as WorkerScope;
let started: (request: StartRequest) => void = () => {};
const module = new Promise<StartRequest>((resolve) => (started = resolve)).then(async ({ binary, language }) => {
    const tarnis = await instantiate(binary);
    tarnis.setLanguage(language);
    return tarnis;
});

type ScanRequest = Exclude<SliceRequest, { task: "regime" | "continuous" }>;

// The scan of each task's job at hand, made on its first slice and kept for the next.
const scans = new Map<ScanRequest["task"], { job: number; scan: RegimeScan | BifurcationScan }>();

async function scanFor(request: ScanRequest): Promise<RegimeScan | BifurcationScan> {
    const current = scans.get(request.task);
    if (current?.job === request.job) return current.scan;
    const tarnis = await module;
    scans.delete(request.task);
    current?.scan.delete();
    const scan =
        request.task === "map" ? new tarnis.RegimeScan(request.grid) : new tarnis.BifurcationScan(request.request);
    scans.set(request.task, { job: request.job, scan });
    return scan;
}

// Messages are answered in their order, each after the module and the scan are ready. Every request
// gets an answer: a slice that failed says why, so that the page is never left waiting for it, and the
// next request is answered as ever.
let queue = Promise.resolve();
scope.onmessage = (event) => {
    const request = event.data;
    if (request.task === "start") {
        started(request);
        return;
    }
    if (isChanceRequest(request)) {
        queue = queue
            .then(async () => answerChance(await module, request, (answer, moved) => scope.postMessage(answer, moved)))
            .catch((error: unknown) =>
                scope.postMessage({ job: request.job, task: request.task, error: String(error) }),
            );
        return;
    }
    queue = queue.then(() => answer(request)).catch((error: unknown) =>
        scope.postMessage({ ...base(request), task: request.task, error: String(error) }),
    );
};

async function answer(request: SliceRequest): Promise<void> {
    if (request.task === "regime") {
        const tarnis = await module;
        scope.postMessage({ ...base(request), task: "regime", report: tarnis.runRegime(request.run) });
        return;
    }
    // The twin's regime takes up to about 15 ms, too long for a slider's frame on the page's thread.
    if (request.task === "continuous") {
        const tarnis = await module;
        const { run, separator } = request;
        const words = tarnis.continuousWords(run, separator);
        scope.postMessage({ ...base(request), task: "continuous", words, bridge: tarnis.bridgeWords(run.lag, separator) });
        return;
    }
    const scan = await scanFor(request);
    if (request.task === "map")
        scope.postMessage({ ...base(request), task: "map", cells: (scan as RegimeScan).slice(request.first, request.count) });
    else
        scope.postMessage({
            ...base(request),
            task: "diagram",
            columns: (scan as BifurcationScan).slice(request.first, request.count),
        });
}

function base(request: SliceRequest): { job: number; first: number } {
    return { job: request.job, first: request.first };
}
