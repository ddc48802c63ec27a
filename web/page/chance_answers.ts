// What a worker answers for the Chance panel, with its own instance of the module: the runs of an
// ensemble that the page asks for, a slice at a time, each with its outcome and its trajectory, and at
// the end what the runs say together (the words, the survival curve and the bands of N(t)), which over
// a hundred thousand runs takes far longer than a frame of the page's thread. The dynamics' workers
// answer these too, so that the page carries the module for its workers once.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { EnsembleOutcome, EnsembleRequest, Separator, TarnisModule } from "tarnis-module";

/**
 * The trajectories of a slice of runs, one after the other in one array, each as long as its run went:
 * a hundred thousand arrays of their own took seconds of the page's thread to post.
 */
export interface Trajectories {
    values: Float64Array;
    lengths: number[];
}

export type ChanceRequest =
    | { job: number; task: "runs"; request: EnsembleRequest; first: number; count: number }
    | {
          job: number;
          task: "summary";
          outcomes: EnsembleOutcome[];
          trajectories: Trajectories[];
          steps: number;
          separator: Separator;
      };

export type ChanceAnswer =
    | { job: number; task: "runs"; outcomes: EnsembleOutcome[]; trajectories: Trajectories }
    | { job: number; task: "summary"; words: string; survival: Float64Array; bands: Float64Array[]; bandsNote: string; table: string }
    | { job: number; task: ChanceRequest["task"]; error: string };

/** Answers a request of the Chance panel with the worker's module; `post` sends the answer, its buffers moved. */
export function answerChance(
    tarnis: TarnisModule,
    request: ChanceRequest,
    post: (answer: ChanceAnswer, transfer: Transferable[]) => void,
): void {
    if (request.task === "runs") {
        const outcomes: EnsembleOutcome[] = [];
        const runs: Float64Array[] = [];
        for (let run = request.first; run < request.first + request.count; run += 1) {
            const { n, ...outcome } = tarnis.ensembleMember(request.request, run);
            outcomes.push(outcome);
            runs.push(n);
        }
        const trajectories = packed(runs);
        post({ job: request.job, task: "runs", outcomes, trajectories }, [trajectories.values.buffer]);
        return;
    }
    const { outcomes, trajectories, steps, separator } = request;
    const words = tarnis.ensembleWords(outcomes, steps, separator);
    const survival = tarnis.survivalCurve(outcomes, steps);
    // The bands from the first runs that the model's rule allows, the rest counted in the words alone.
    const drawn = tarnis.bandRuns(outcomes.length, steps);
    const bands = tarnis.percentileBands(trajectories.flatMap(unpacked).slice(0, drawn), steps);
    const bandsNote = tarnis.bandRunsWords(outcomes.length, steps);
    const table = tarnis.ensembleTable(outcomes, steps, bands);
    const buffers = [survival.buffer, ...bands.map((band) => band.buffer)];
    post({ job: request.job, task: "summary", words, survival, bands, bandsNote, table }, buffers);
}

function packed(runs: Float64Array[]): Trajectories {
    const lengths = runs.map((n) => n.length);
    const values = new Float64Array(lengths.reduce((sum, length) => sum + length, 0));
    let at = 0;
    for (const n of runs) {
        values.set(n, at);
        at += n.length;
    }
    return { values, lengths };
}

function unpacked({ values, lengths }: Trajectories): Float64Array[] {
    let at = 0;
    return lengths.map((length) => {
        at += length;
        return values.subarray(at - length, at);
    });
}

export function isChanceRequest(request: { task: string }): request is ChanceRequest {
    return request.task === "runs" || request.task === "summary";
}
