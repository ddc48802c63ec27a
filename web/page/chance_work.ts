// The work of the Chance panel: an ensemble's runs computed by workers on every core but one, each
// with its own module, a slice of runs at a time, then what they say together computed by one of them.
// One ensemble at a time: a new one replaces the old at once, no worker is asked for the old one's
// slices again, and what still comes of them is dropped. A worker holds at most two slices, so the
// page's thread never waits and a restart never waits for a queue to drain.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { EnsembleOutcome, EnsembleRequest, Separator } from "tarnis-module";
import type { ChanceAnswer, ChanceRequest, Trajectories } from "./chance_answers";
import { type PooledWorker, startWorkers } from "./dynamics_work";

export interface EnsembleSummary {
    words: string;
    survival: Float64Array;
    bands: Float64Array[]; // N(t) at 5, 25, 50, 75 and 95 % of the first bandRuns runs
    bandsNote: string; // which runs the bands come from, when not all
    table: string; // the curves as a CSV file's text, as tarnis-run ensemble --summary writes them
}

export interface ChanceHooks {
    /** How many of the ensemble's runs are in. */
    progress(done: number, total: number): void;
    finished(summary: EnsembleSummary): void;
    /** The ensemble failed and stopped. */
    failed(message: string): void;
}

// A slice of about this many values of N: a few milliseconds of a worker's time, so that a restart
// waits at most a few frames for the slices in hand.
const SliceValues = 40_000;
const SlicesInHand = 2;

interface Job {
    number: number;
    request: EnsembleRequest;
    separator: Separator;
    total: number;
    sliceRuns: number;
    keptRuns: number; // the first runs whose trajectories make the bands: the slices that hold them
    next: number; // the first run not asked for yet, from 1
    done: number;
    outcomes: EnsembleOutcome[]; // at run − 1
    trajectories: Trajectories[]; // of the slices that start within keptRuns, at their number
}

export class ChanceWork {
    private workers: PooledWorker[] = [];
    private job?: Job;
    private lastJob = 0;

    /** `bandRuns`: the model's rule of how many runs, the first ones, the bands are drawn from. */
    constructor(
        private readonly hooks: ChanceHooks,
        private readonly bandRuns: (runs: number, steps: number) => number,
    ) {}

    /** Starts an ensemble of `runs` runs anew, dropping the one under way. */
    start(request: EnsembleRequest, runs: number, separator: Separator): void {
        this.lastJob += 1;
        const values = request.parameters.steps + 1;
        this.job = {
            number: this.lastJob,
            request,
            separator,
            total: runs,
            sliceRuns: Math.max(1, Math.floor(SliceValues / values)),
            keptRuns: this.bandRuns(runs, request.parameters.steps),
            next: 1,
            done: 0,
            outcomes: new Array<EnsembleOutcome>(runs),
            trajectories: [],
        };
        this.hooks.progress(0, runs);
        this.feed();
    }

    /** Whether an ensemble is under way. */
    busy(): boolean {
        return this.job !== undefined;
    }

    private ensureWorkers(): void {
        if (this.workers.length > 0) return;
        // A worker that failed outside a slice is beyond help: the ensemble stops, and the next one
        // starts with new workers.
        this.workers = startWorkers<ChanceAnswer>(
            "Tarnis chance",
            (answer) => {
                this.answered(answer);
                this.feed();
            },
            (why) => this.fail(why),
        );
    }

    private feed(): void {
        const job = this.job;
        if (!job || job.next > job.total) return;
        this.ensureWorkers();
        for (const entry of this.workers)
            while (entry.inHand < SlicesInHand && job.next <= job.total) {
                const count = Math.min(job.sliceRuns, job.total - job.next + 1);
                const slice: ChanceRequest = { job: job.number, task: "runs", request: job.request, first: job.next, count };
                job.next += count;
                entry.inHand += 1;
                entry.worker.postMessage(slice);
            }
    }

    private fail(message: string): void {
        for (const { worker } of this.workers) worker.terminate();
        this.workers = [];
        this.job = undefined;
        this.hooks.failed(message);
    }

    private answered(answer: ChanceAnswer): void {
        const job = this.job;
        if (!job || job.number !== answer.job) return; // of an ensemble replaced
        if ("error" in answer) {
            this.job = undefined;
            this.hooks.failed(answer.error);
        } else if (answer.task === "runs") {
            for (const outcome of answer.outcomes) job.outcomes[outcome.run - 1] = outcome;
            const first = answer.outcomes[0]?.run ?? Infinity;
            if (first <= job.keptRuns) job.trajectories[(first - 1) / job.sliceRuns] = answer.trajectories;
            job.done += answer.outcomes.length;
            this.hooks.progress(job.done, job.total);
            if (job.done === job.total) this.summarise(job);
        } else {
            this.job = undefined;
            this.hooks.finished(answer);
        }
    }

    // What the runs say together, from a worker that has room: the page's thread never sorts them.
    private summarise(job: Job): void {
        const entry = this.workers.reduce((best, each) => (each.inHand < best.inHand ? each : best));
        const summary: ChanceRequest = {
            job: job.number,
            task: "summary",
            outcomes: job.outcomes,
            trajectories: job.trajectories,
            steps: job.request.parameters.steps,
            separator: job.separator,
        };
        entry.inHand += 1;
        entry.worker.postMessage(summary, job.trajectories.map((slice) => slice.values.buffer));
    }
}
