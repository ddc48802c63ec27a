// The Chance panel: the Data panel's run with chance in it, many times over. The noise (demographic,
// environmental or both), σ of the years, the number of runs, the seed and the threshold below which a
// population counts as extinct; "Run the ensemble" computes it in the workers of ChanceWork, with its
// progress in the model's words, and shows what the runs say together under the fan chart and the
// survival curve. A new run in the Data panel computes the ensemble asked for anew. Every word comes
// from the model; the seed travels as its digits, which a number could not hold.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ChanceWords, EnsembleLimits, EnsembleRequest, RunParameters } from "tarnis-module";
import { ChanceCharts } from "./chance_charts";
import { ChanceWork, type EnsembleSummary } from "./chance_work";
import { el, uniqueId } from "./dom";
import { download, textFile } from "./saving";
import type { Tarnis } from "./tarnis";

type NoiseKind = "demographic" | "environmental" | "both";

// What the controls ask for, apart from the run.
interface Asked {
    noise: NoiseKind;
    sigma: number;
    runs: number;
    seed: string;
    threshold: number;
}

function field(caption: string, input: HTMLInputElement): HTMLElement {
    input.id = uniqueId("chance");
    return el("div", { class: "field" }, el("label", { for: input.id }, caption), input);
}

function textBox(value: string, inputmode: string): HTMLInputElement {
    return el("input", { type: "text", inputmode, autocomplete: "off", spellcheck: "false", value });
}

export class ChancePanel {
    readonly element: HTMLElement;
    private readonly words: ChanceWords;
    private readonly limits: EnsembleLimits;
    private readonly noiseInputs: HTMLInputElement[] = [];
    private readonly sigma: HTMLInputElement;
    private readonly runs: HTMLInputElement;
    private readonly seed: HTMLInputElement;
    private readonly threshold: HTMLInputElement;
    private readonly compute: HTMLButtonElement;
    private readonly saveData: HTMLButtonElement;
    private readonly progress: HTMLProgressElement;
    private readonly status = el("p", { role: "status", class: "note" });
    private readonly summary = el("p", { class: "ensemble-words", "aria-live": "polite" });
    private readonly failure = el("p", { class: "note", role: "alert" });
    private readonly charts: ChanceCharts;
    private readonly work: ChanceWork;
    private run?: RunParameters; // the Data panel's last run
    private asked?: Asked; // the ensemble on show or under way, which a new run computes anew
    private restart?: Asked; // to start at the next frame, for the newest run
    private computedRun?: { plain: Float64Array }; // the run without chance of the ensemble under way
    private table?: string; // the ensemble on show as a CSV file

    constructor(private readonly tarnis: Tarnis) {
        const module = tarnis.module;
        this.words = module.chanceWords();
        this.limits = module.ensembleLimits();
        const words = this.words;
        this.sigma = textBox(tarnis.numberText(this.limits.defaultSigma), "decimal");
        const { mostRuns, defaultRuns } = this.limits;
        this.runs = el("input", { type: "number", min: 1, max: mostRuns, step: 1, value: defaultRuns });
        this.seed = textBox(this.limits.defaultSeed, "numeric");
        this.threshold = textBox(tarnis.numberText(this.limits.defaultThreshold), "decimal");
        this.compute = el("button", { type: "button", class: "primary", disabled: true }, words.computeCaption);
        this.compute.addEventListener("click", () => this.ask());
        this.saveData = el("button", { type: "button", disabled: true }, words.saveData);
        this.saveData.addEventListener("click", () => {
            if (this.table) download(words.dataFileName, textFile(this.table, "text/csv"));
        });
        this.progress = el("progress", { max: 1, value: 0, hidden: true, "aria-label": words.working });
        this.charts = new ChanceCharts(words);
        this.work = new ChanceWork(
            {
                progress: (done, total) => this.showProgress(done, total),
                finished: (summary) => this.finished(summary),
                failed: (message) => {
                    this.progress.hidden = true;
                    this.status.textContent = "";
                    this.failure.textContent = message;
                },
            },
            (runs, steps) => module.bandRuns(runs, steps),
        );
        this.element = el(
            "section",
            { class: "panel chance", "aria-labelledby": "chance-heading" },
            el("h2", { id: "chance-heading" }, words.title),
            el(
                "form",
                { class: "chance-controls" },
                this.noiseChoice(),
                field(words.sigmaCaption, this.sigma),
                field(words.runsCaption, this.runs),
                field(words.seedCaption, this.seed),
                field(words.thresholdCaption, this.threshold),
                el("div", { class: "buttons" }, this.compute),
            ),
            this.progress,
            this.status,
            this.failure,
            this.charts.element,
            this.summary,
            el("div", { class: "buttons" }, this.saveData),
        );
    }

    private noiseChoice(): HTMLElement {
        const name = uniqueId("noise");
        const option = (kind: NoiseKind, caption: string) => {
            const input = el("input", { type: "radio", name, value: kind, checked: kind === "demographic" });
            this.noiseInputs.push(input);
            input.addEventListener("change", () => this.showSigma());
            return el("label", { class: "check" }, input, caption);
        };
        const group = el(
            "div",
            { class: "toolbar", role: "radiogroup", "aria-label": this.words.noiseCaption },
            el("span", { "aria-hidden": "true" }, this.words.noiseCaption),
            option("demographic", this.words.demographic),
            option("environmental", this.words.environmental),
            option("both", this.words.both),
        );
        this.showSigma();
        return group;
    }

    private noise(): NoiseKind {
        return (this.noiseInputs.find((input) => input.checked)?.value ?? "demographic") as NoiseKind;
    }

    // σ belongs to the years' noise; with whole animals alone it has no part.
    private showSigma(): void {
        this.sigma.disabled = this.noise() === "demographic";
    }

    /** After every run of the Data panel: the ensemble asked for is computed anew for it. */
    follow(run: RunParameters): void {
        this.run = run;
        this.compute.disabled = false;
        if (!this.asked) return;
        // Once for the newest of the runs of a frame: a slider's drag runs at every frame.
        const waiting = this.restart !== undefined;
        this.restart = this.asked;
        if (!waiting)
            requestAnimationFrame(() => {
                const asked = this.restart;
                this.restart = undefined;
                if (asked) this.start(asked);
            });
    }

    // "Run the ensemble": the controls read as they stand; the module refuses what it cannot take.
    private ask(): void {
        if (!this.runs.reportValidity()) return;
        const noise = this.noise();
        const read = (input: HTMLInputElement) => this.tarnis.module.readLenient(input.value, this.tarnis.separator) ?? NaN;
        this.start({
            noise,
            sigma: noise === "demographic" ? 0 : read(this.sigma),
            runs: Number(this.runs.value),
            seed: this.seed.value.trim(),
            threshold: read(this.threshold),
        });
    }

    private start(asked: Asked): void {
        const run = this.run;
        if (!run) return;
        const request: EnsembleRequest = {
            parameters: run,
            demographic: asked.noise !== "environmental",
            sigma: asked.sigma,
            threshold: asked.threshold,
            seed: asked.seed,
        };
        this.failure.textContent = "";
        try {
            this.tarnis.module.ensembleRuns(request, 1, 0); // checks the request, computes nothing
        } catch (error: unknown) {
            this.failure.textContent = error instanceof Error ? error.message : String(error);
            return;
        }
        this.asked = asked;
        this.computedRun = { plain: this.tarnis.values().N };
        this.summary.textContent = "";
        this.table = undefined;
        this.saveData.disabled = true;
        this.element.classList.remove("computed");
        this.charts.clear();
        this.work.start(request, asked.runs, this.tarnis.separator);
    }

    private showProgress(done: number, total: number): void {
        this.progress.hidden = false;
        this.progress.max = total;
        this.progress.value = done;
        this.status.textContent =
            done === total ? this.words.working : this.tarnis.module.ensembleProgressWords(done, total);
    }

    private finished(summary: EnsembleSummary): void {
        this.progress.hidden = true;
        this.status.textContent = "";
        this.summary.textContent = summary.words;
        this.table = summary.table;
        this.saveData.disabled = false;
        this.element.classList.add("computed");
        const plain = this.computedRun?.plain ?? new Float64Array();
        this.charts.show({ bands: summary.bands, survival: summary.survival, plain, note: summary.bandsNote });
    }
}
