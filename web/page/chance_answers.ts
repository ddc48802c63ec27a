// What a worker answers for the Chance panel, with its own instance of the module: the runs of an
// ensemble that the page asks for, a slice at a time, each with its outcome and its trajectory, and at
// the end what the runs say together (the words, the survival curve and the bands of N(t)), which over
// a hundred thousand runs takes far longer than a frame of the page's thread. The dynamics' workers
// answer these too, so that the page carries the module for its workers once.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { EnsembleOutcome, EnsembleRequest, Separator, TarnisModule } from "tarnis-module";

export type ChanceRequest =
    | { job: number; task: "runs"; request: EnsembleRequest; first: number; count: number }
    | {
          job: number;
          task: "summary";
          outcomes: EnsembleOutcome[];
          trajectories: Float64Array[];
          steps: number;
          separator: Separator;
      };

export type ChanceAnswer =
    | { job: number; task: "runs"; outcomes: EnsembleOutcome[]; trajectories: Float64Array[] }
    | { job: number; task: "summary"; words: string; survival: Float64Array; bands: Float64Array[] }
    | { job: number; task: ChanceRequest["task"]; error: string };

/** Answers a request of the Chance panel with the worker's module; `post` sends the answer, its buffers moved. */
export function answerChance(
    tarnis: TarnisModule,
    request: ChanceRequest,
    post: (answer: ChanceAnswer, transfer: Transferable[]) => void,
): void {
    if (request.task === "runs") {
        const outcomes: EnsembleOutcome[] = [];
        const trajectories: Float64Array[] = [];
        for (let run = request.first; run < request.first + request.count; run += 1) {
            const { n, ...outcome } = tarnis.ensembleMember(request.request, run);
            outcomes.push(outcome);
            trajectories.push(n);
        }
        post({ job: request.job, task: "runs", outcomes, trajectories }, trajectories.map((n) => n.buffer));
        return;
    }
    const { outcomes, trajectories, steps, separator } = request;
    const words = tarnis.ensembleWords(outcomes, steps, separator);
    const survival = tarnis.survivalCurve(outcomes, steps);
    const bands = tarnis.percentileBands(trajectories);
    const buffers = [survival.buffer, ...bands.map((band) => band.buffer)];
    post({ job: request.job, task: "summary", words, survival, bands }, buffers);
}

export function isChanceRequest(request: { task: string }): request is ChanceRequest {
    return request.task === "runs" || request.task === "summary";
}
