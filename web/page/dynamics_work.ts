// The work of the dynamics part: workers on every core but one, each with its own module, computing the
// regime of the run and the words of its continuous-time twin (each a job of one slice) and the
// stability map and the bifurcation diagram a slice at a time. Each task has at most one job; a new job
// of a task replaces the old one at once: no worker is asked for the old job's slices again, and what
// still comes of them is dropped. A worker holds at most two slices, so the page's thread never waits
// and a restart never waits for a queue to drain.
// SPDX-License-Identifier: GPL-3.0-or-later
import type {
    BifurcationColumn,
    BifurcationRequest,
    RegimeReport,
    RunParameters,
    RunWords,
    ScanCell,
    ScanGrid,
    Separator,
} from "tarnis-module";
import type { SliceAnswer, SliceRequest } from "./dynamics_worker";
import DynamicsWorker from "./dynamics_worker?worker&inline";
import { spokenLanguage, translate } from "./language";
import { compiledBinary } from "./module_binary";

export type Task = SliceRequest["task"];

export interface WorkHooks {
    /** The regime of the run that the regime job was started for; none beyond the analysis. */
    regime(run: RunParameters, report: RegimeReport | undefined): void;
    /** The words of the twin of the run that the continuous job was started for, and how the two models meet. */
    continuous(run: RunParameters, words: RunWords, bridge: string): void;
    cells(cells: ScanCell[]): void;
    columns(columns: BifurcationColumn[]): void;
    /** How much of a task's job is done; done === total when it is complete. */
    progress(task: Task, done: number, total: number): void;
    /** A job failed and stopped: its task is computed again only when started anew. */
    failed(message: string): void;
}

// Slices small enough that a restart waits at most a few frames for a worker's slices in hand.
const SliceSizes: Record<Task, number> = { regime: 1, continuous: 1, map: 32, diagram: 16 };
// Each worker holds two slices, so that it computes the second while its answer to the first travels
// and the page asks for the next: it never waits for the page.
const SlicesInHand = 2;

type Source =
    | { task: "regime"; run: RunParameters }
    | { task: "continuous"; run: RunParameters; separator: Separator }
    | { task: "map"; grid: ScanGrid }
    | { task: "diagram"; request: BifurcationRequest };

interface Job {
    number: number;
    source: Source;
    total: number;
    next: number; // the first cell or column not asked for yet
    done: number;
}

/** Every core but one for the work, and one at least. */
export function workerCount(): number {
    return Math.max(1, (navigator.hardwareConcurrency || 2) - 1);
}

/** A worker of the page's one worker script, with the count of slices in its hands. */
export interface PooledWorker {
    worker: Worker;
    inHand: number;
}

/** The page's workers for one kind of work: each answer and each failure outside a slice go to the caller. */
export function startWorkers<Answer>(
    name: string,
    answered: (answer: Answer) => void,
    failed: (why: string) => void,
): PooledWorker[] {
    return Array.from({ length: workerCount() }, (_, index) => {
        const worker = new DynamicsWorker({ name: `${name} ${index + 1}` });
        // Its module from the page's compiled binary, its words in the page's language: the first thing
        // it hears, before any work.
        worker.postMessage({ task: "start", binary: compiledBinary(), language: spokenLanguage() });
        const entry = { worker, inHand: 0 };
        worker.onmessage = (event: MessageEvent<Answer>) => {
            entry.inHand -= 1;
            answered(event.data);
        };
        worker.onerror = (event) => {
            event.preventDefault();
            // TRANSLATORS: what the page says of a worker that failed without a message of its own.
            failed(event.message || translate("a worker failed"));
        };
        return entry;
    });
}

export class DynamicsWork {
    private workers: PooledWorker[] = [];
    private readonly jobs = new Map<Task, Job>();
    private lastJob = 0;

    constructor(private readonly hooks: WorkHooks) {}

    /** Starts a task's job anew over `total` cells or columns, dropping the old job's. */
    start(source: Source, total: number): void {
        this.lastJob += 1;
        const job: Job = { number: this.lastJob, source, total, next: 0, done: 0 };
        this.jobs.set(source.task, job);
        this.hooks.progress(source.task, 0, total);
        this.feed();
    }

    /**
     * Starts the workers, each loading its module, once the page is idle: the first map of a run then
     * needs no time for that.
     */
    warmUp(): void {
        const start = () => this.ensureWorkers();
        if ("requestIdleCallback" in window) requestIdleCallback(start, { timeout: 2000 });
        else setTimeout(start, 200);
    }

    private ensureWorkers(): void {
        if (this.workers.length > 0) return;
        // A worker that failed outside a slice (its script, its module) is beyond help: the jobs stop,
        // and the next run starts them again with new workers.
        this.workers = startWorkers<SliceAnswer>(
            "Tarnis dynamics",
            (answer) => {
                this.answered(answer);
                this.feed();
            },
            (why) => this.fail(why),
        );
    }

    // Each worker with room gets the next slices: the regime's and the twin's first, which the words wait
    // for, then the diagram's, which are quick and small.
    private feed(): void {
        const waiting = [...this.jobs.values()].some((job) => job.next < job.total);
        if (!waiting) return;
        this.ensureWorkers();
        for (const entry of this.workers)
            while (entry.inHand < SlicesInHand) {
                const order: Task[] = ["regime", "continuous", "diagram", "map"];
                const open = order.map((task) => this.jobs.get(task)).find(
                    (each) => each && each.next < each.total,
                );
                if (!open) return;
                entry.inHand += 1;
                entry.worker.postMessage(this.slice(open));
            }
    }

    // Every job stops and every worker goes; a job started later makes new ones.
    private fail(message: string): void {
        for (const { worker } of this.workers) worker.terminate();
        this.workers = [];
        this.jobs.clear();
        this.hooks.failed(message);
    }

    private slice(job: Job): SliceRequest {
        const first = job.next;
        const count = Math.min(SliceSizes[job.source.task], job.total - first);
        job.next += count;
        const source = job.source;
        if (source.task === "regime") return { job: job.number, task: "regime", run: source.run, first, count };
        if (source.task === "continuous") return { job: job.number, ...source, first, count };
        return source.task === "map"
            ? { job: job.number, task: "map", grid: source.grid, first, count }
            : { job: job.number, task: "diagram", request: source.request, first, count };
    }

    private answered(answer: SliceAnswer): void {
        const job = this.jobs.get(answer.task);
        if (!job || job.number !== answer.job) return; // of a job replaced or stopped
        if ("error" in answer) {
            this.jobs.delete(answer.task);
            this.hooks.failed(answer.error);
            return;
        }
        if (answer.task === "regime" && job.source.task === "regime") {
            job.done += 1;
            this.hooks.regime(job.source.run, answer.report);
        } else if (answer.task === "continuous" && job.source.task === "continuous") {
            job.done += 1;
            this.hooks.continuous(job.source.run, answer.words, answer.bridge);
        } else if (answer.task === "map") {
            job.done += answer.cells.length;
            this.hooks.cells(answer.cells);
        } else if (answer.task === "diagram") {
            job.done += answer.columns.length;
            this.hooks.columns(answer.columns);
        }
        this.hooks.progress(answer.task, job.done, job.total);
    }
}
