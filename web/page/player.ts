// Play: the chart on show drawn step by step at a chosen speed, so that a class watches the population
// overshoot K and fall back; Pause holds it, Step draws one step more. The play owns only how many of
// the run's rows are shown; the Graph panel draws them and shows the newest in the readout. At the last
// row the play ends on the full chart. Its pace (the speeds, the first one, the steps due after a time,
// where the play stands) is the model's, as the desktop's play has it.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { TarnisModule } from "tarnis-module";

import { el } from "./dom";
import { translate, translateIn } from "./language";

export interface PlayHooks {
    /** The rows of the run on show in the kind on show. */
    rows(): number;
    /** Shows the first `rows` rows, the newest in the readout; undefined: the full chart again. */
    show(rows: number | undefined): void;
}

export class Player {
    readonly element: HTMLElement;
    private readonly playButton: HTMLButtonElement;
    private readonly stepButton: HTMLButtonElement;
    private readonly speed: HTMLSelectElement;
    private readonly position: HTMLOutputElement;
    private shown?: number; // rows on show while a play is under way (running or paused)
    private frame?: number;
    private started = 0; // the time and row from which the running play counts
    private startRow = 0;
    private speedChosen = false;

    constructor(
        private readonly pace: TarnisModule,
        private readonly hooks: PlayHooks,
    ) {
        // TRANSLATORS: the button that starts or resumes drawing the run step by step (a verb).
        this.playButton = el("button", { type: "button" }, translate("Play"));
        this.playButton.addEventListener("click", () => (this.frame === undefined ? this.play() : this.pause()));
        // TRANSLATORS: the button that draws one more time step of the run (a verb).
        this.stepButton = el("button", { type: "button" }, translate("Step"));
        this.stepButton.addEventListener("click", () => this.step());
        this.speed = el("select", { id: "play-speed" });
        for (const { perSecond, caption } of pace.playSpeeds())
            this.speed.append(el("option", { value: String(perSecond) }, caption));
        // A new speed counts from where the play is, and stays the reader's for later runs.
        this.speed.addEventListener("change", () => {
            this.speedChosen = true;
            this.restartClock();
        });
        // Where the play stands, for the eye; a screen reader hears the readout's step instead of a
        // line that changes many times a second.
        this.position = el("output", { class: "play-position", "aria-hidden": "true" });
        this.element = el(
            "div",
            // TRANSLATORS: the name of the bar of buttons that draws a run step by step (a noun).
            { class: "toolbar play", role: "group", "aria-label": translateIn("group", "Play") },
            this.playButton,
            this.stepButton,
            el("label", { for: "play-speed" }, translate("Speed")),
            this.speed,
            this.position,
        );
    }

    playing(): boolean {
        return this.frame !== undefined;
    }

    /** A new run is on show: until the reader chooses a speed, a play of it starts at the speed that
     * shows the whole run in about ten seconds. */
    newRun(): void {
        this.stop();
        const rows = this.hooks.rows();
        if (!this.speedChosen && rows > 0) this.speed.value = String(this.pace.firstPlaySpeed(rows - 1));
    }

    /** Plays on from where a paused play stands, or from the first step. */
    play(): void {
        const rows = this.hooks.rows();
        if (rows === 0) return;
        if (this.shown === undefined || this.shown >= rows) this.showRows(1);
        this.restartClock();
        this.playButton.textContent = translate("Pause");
        this.frame = requestAnimationFrame((time) => this.tick(time));
    }

    pause(): void {
        this.cancelFrame();
        this.playButton.textContent = translate("Play");
    }

    /** One step more; a running play pauses first. */
    step(): void {
        this.pause();
        const rows = this.hooks.rows();
        if (rows === 0) return;
        const next = this.shown === undefined || this.shown >= rows ? 1 : this.shown + 1;
        this.showRows(next);
        if (next >= rows) this.finish();
    }

    /** Ends any play without drawing: the panel draws the chart anew (a run, another kind). */
    stop(): void {
        this.pause();
        this.shown = undefined;
        this.position.value = "";
    }

    private restartClock(): void {
        this.started = performance.now();
        this.startRow = this.shown ?? 1;
    }

    private tick(time: number): void {
        const rows = this.hooks.rows();
        const seconds = Math.max(0, time - this.started) / 1000;
        const due = this.pace.stepsAfter(this.startRow, seconds, Number(this.speed.value), rows);
        const next = Math.max(due, this.shown ?? 1);
        if (next !== this.shown) this.showRows(next);
        if (next >= rows) {
            this.finish();
            return;
        }
        this.frame = requestAnimationFrame((later) => this.tick(later));
    }

    private showRows(rows: number): void {
        this.shown = rows;
        this.position.value = this.pace.playPositionText(rows - 1, this.hooks.rows() - 1);
        this.hooks.show(rows);
    }

    // The last step reached: the full chart, the readout on the last step.
    private finish(): void {
        this.stop();
        this.hooks.show(undefined);
    }

    private cancelFrame(): void {
        if (this.frame !== undefined) cancelAnimationFrame(this.frame);
        this.frame = undefined;
    }
}
