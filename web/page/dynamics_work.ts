// The work of the dynamics part: workers on every core but one, each with its own module, computing the
// stability map and the bifurcation diagram a slice at a time. Each task has at most one job; a new job
// of a task replaces the old one at once: no worker is asked for the old job's slices again, and what
// still comes of them is dropped. A worker gets its next slice only when its last has come, so the
// page's thread never waits and a restart never waits for a queue to drain.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { BifurcationColumn, BifurcationRequest, ScanCell, ScanGrid } from "tarnis-module";
import type { SliceAnswer, SliceRequest } from "./dynamics_worker";
import DynamicsWorker from "./dynamics_worker?worker&inline";

export type Task = SliceRequest["task"];

export interface WorkHooks {
    cells(cells: ScanCell[]): void;
    columns(columns: BifurcationColumn[]): void;
    /** How much of a task's job is done; done === total when it is complete. */
    progress(task: Task, done: number, total: number): void;
    failed(message: string): void;
}

// Slices small enough that a restart waits at most a few frames for a worker's slice in hand.
const SliceSizes: Record<Task, number> = { map: 24, diagram: 16 };

type Source = { task: "map"; grid: ScanGrid } | { task: "diagram"; request: BifurcationRequest };

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

export class DynamicsWork {
    private workers: Array<{ worker: Worker; busy: boolean }> = [];
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

    /** Stops a task: nothing more is asked for, and what comes is dropped. */
    stop(task: Task): void {
        this.jobs.delete(task);
    }

    private ensureWorkers(): void {
        if (this.workers.length > 0) return;
        this.workers = Array.from({ length: workerCount() }, (_, index) => {
            const worker = new DynamicsWorker({ name: `Tarnis dynamics ${index + 1}` });
            const entry = { worker, busy: false };
            worker.onmessage = (event: MessageEvent<SliceAnswer>) => {
                entry.busy = false;
                this.answered(event.data);
                this.feed();
            };
            worker.onerror = (event) => {
                event.preventDefault();
                this.hooks.failed(event.message || "a worker failed");
            };
            return entry;
        });
    }

    // Each idle worker gets the next slice: the diagram's first, which is quick and small.
    private feed(): void {
        const waiting = [...this.jobs.values()].some((job) => job.next < job.total);
        if (!waiting) return;
        this.ensureWorkers();
        for (const entry of this.workers) {
            if (entry.busy) continue;
            const open = [this.jobs.get("diagram"), this.jobs.get("map")].find((each) => each && each.next < each.total);
            if (!open) return;
            entry.busy = true;
            entry.worker.postMessage(this.slice(open));
        }
    }

    private slice(job: Job): SliceRequest {
        const first = job.next;
        const count = Math.min(SliceSizes[job.source.task], job.total - first);
        job.next += count;
        return job.source.task === "map"
            ? { job: job.number, task: "map", grid: job.source.grid, first, count }
            : { job: job.number, task: "diagram", request: job.source.request, first, count };
    }

    private answered(answer: SliceAnswer): void {
        const job = this.jobs.get(answer.task);
        if (!job || job.number !== answer.job) return; // of a job replaced or stopped
        if (answer.task === "map") {
            job.done += answer.cells.length;
            this.hooks.cells(answer.cells);
        } else {
            job.done += answer.columns.length;
            this.hooks.columns(answer.columns);
        }
        this.hooks.progress(answer.task, job.done, job.total);
    }
}
