// The Dynamics panel: what r and the lag do, for the last run. The run in the model's words, with its
// continuous-time twin's under them, the stability map (with the twin's limit beside the run's) and the
// bifurcation diagram with the Lyapunov exponent, all computed by the workers of DynamicsWork, the
// pictures with their progress under them. What a run computes anew is the model's rule
// (dynamicsRestart): a part that keeps its work (the map for a new r, everything for new steps) moves
// the run's marks. Pointing at a cell or a column (or a tap) tells it in the model's words; a click (or a second
// tap, or Enter) writes its r and lag into the Data panel and runs them.
// SPDX-License-Identifier: GPL-3.0-or-later
import type {
    BifurcationColumn,
    BifurcationRequest,
    DynamicsLabels,
    DynamicsPlan,
    RegimeReport,
    RunParameters,
    RunWords,
} from "tarnis-module";
import { BifurcationView, type DiagramMark } from "./bifurcation_view";
import { el } from "./dom";
import { fill, translate } from "./language";
import { DynamicsWork, type Task } from "./dynamics_work";
import type { Tarnis } from "./tarnis";
import { StabilityMap } from "./stability_map";

export interface DynamicsEvents {
    /** A click on a picture: its r, its lag or both for the Data panel to run; false when the run was
     * refused. */
    chosen(r: number | undefined, lag: number | undefined): boolean;
    /** The reader chose the diagram's other axis: a set-up on show changed. */
    axisChanged(): void;
}

export type DiagramAxis = BifurcationRequest["axis"];

export class DynamicsPanel {
    readonly element: HTMLElement;
    private readonly headline: HTMLElement;
    private readonly sentences: HTMLElement;
    private readonly twinHeadline: HTMLElement;
    private readonly twinSentences: HTMLElement;
    private readonly bridge: HTMLElement;
    private readonly choiceNote: HTMLElement;
    private readonly mapTitle: HTMLElement;
    private readonly mapLine: HTMLElement;
    private readonly diagramTitle: HTMLElement;
    private readonly diagramLine: HTMLElement;
    private readonly progress: Record<Exclude<Task, "regime" | "continuous">, HTMLProgressElement>;
    private readonly map: StabilityMap;
    private readonly diagram: BifurcationView;
    private readonly work: DynamicsWork;
    private readonly failure: HTMLElement;
    private axis: DiagramAxis = "rate";
    private readonly axisInputs: HTMLInputElement[] = [];
    private run?: RunParameters; // whose words and pictures are on show
    private following?: RunParameters; // the newest run, until its words and pictures are shown
    private plan?: DynamicsPlan; // on show; none: the next run computes every part anew
    private report?: RegimeReport; // the run's regime, once it came
    private reportCame = false; // the work on the regime is over, with a report or none
    private twinRun?: RunParameters; // whose twin's words are on show or being worked out

    constructor(
        private readonly tarnis: Tarnis,
        private readonly events: DynamicsEvents,
    ) {
        const module = tarnis.module;
        const labels = module.dynamicsLabels(0, 1);
        const before = module.pageNoRunWords();
        this.headline = el("p", { class: "headline", id: "regime-headline" }, before.headline);
        this.sentences = el("p", { id: "regime-words" }, before.sentences);
        // Empty until the first run's twin is worked out: the discrete words before it say what to do.
        this.twinHeadline = el("p", { class: "headline", id: "continuous-headline" });
        this.twinSentences = el("p", { id: "continuous-words" });
        this.bridge = el("p", { id: "bridge-words" });
        this.choiceNote = el("p", { class: "note", "aria-live": "polite" });
        this.mapLine = el("p", { id: "map-pointed", class: "pointed", "aria-live": "polite" }, module.pagePointingHint("map"));
        this.diagramLine = el("p", { id: "diagram-pointed", class: "pointed", "aria-live": "polite" }, module.pagePointingHint("rate"));
        const tickLabel = (value: number) => tarnis.numberText(value, 4);
        const colours = new Map(module.regimeLegend().map((entry) => [entry.regime, entry.colour]));
        const notComputed = module.notComputedColour();
        this.map = new StabilityMap(
            {
                continuousLabel: module.continuousComparisonWords().mapLabel,
                tickLabel,
                axisRules: module,
                colour: (regime) => (regime === undefined ? notComputed : (colours.get(regime) ?? notComputed)),
                pointed: (cell) => this.tellCell(cell),
                chosen: (r, lag) => this.choose(r, lag),
            },
            labels,
            "map-pointed",
        );
        this.diagram = new BifurcationView(
            {
                tickLabel,
                pointed: (column) => this.tellColumn(column),
                chosen: (value) => (this.axis === "rate" ? this.choose(value, undefined) : this.choose(undefined, value)),
            },
            labels,
            "diagram-pointed",
        );
        this.progress = {
            map: el("progress", { "aria-label": translate("Progress of the stability map"), max: 1, value: 0 }),
            diagram: el("progress", { "aria-label": translate("Progress of the bifurcation diagram"), max: 1, value: 0 }),
        };
        this.failure = el("p", { class: "note", role: "alert" });
        this.work = new DynamicsWork({
            regime: (_run, report) => this.regimeCame(report),
            continuous: (_run, words, bridge) => this.twinCame(words, bridge),
            cells: (cells) => this.map.addCells(cells),
            columns: (columns) => this.diagram.addColumns(columns),
            progress: (task, done, total) => this.showProgress(task, done, total),
            failed: (message) => {
                // TRANSLATORS: {reason} is the browser's own message of why a worker failed, in English.
                this.failure.textContent = fill(translate("The dynamics could not be computed: {reason}"), { reason: message });
                this.plan = undefined; // the next run computes them again
                this.twinRun = undefined;
            },
        });
        this.work.warmUp();
        this.mapTitle = el("h3", { id: "map-title" }, module.mapTitle(undefined, tarnis.separator));
        this.diagramTitle = el("h3", { id: "diagram-title" }, module.bifurcationTitle(undefined, "rate", tarnis.separator));
        this.element = el(
            "section",
            { class: "panel dynamics", "aria-labelledby": "dynamics-heading" },
            el("h2", { id: "dynamics-heading" }, translate("Dynamics")),
            el(
                "div",
                { class: "dynamics-parts" },
                el("section", { class: "words", "aria-labelledby": "words-title" },
                    el("h3", { id: "words-title" }, translate("The last run")), this.headline, this.sentences,
                    el("h4", {}, module.continuousComparisonWords().legend),
                    this.twinHeadline, this.twinSentences, this.bridge, this.choiceNote, this.failure),
                el("section", { class: "map-part", "aria-labelledby": "map-title" },
                    this.mapTitle, this.map.element, this.mapLine, this.progress.map, this.legend(labels)),
                el("section", { class: "diagram-part", "aria-labelledby": "diagram-title" },
                    this.diagramTitle, this.axisChoice(), this.diagram.element, this.diagramLine, this.progress.diagram),
            ),
        );
    }

    private legend(labels: DynamicsLabels): HTMLElement {
        const swatch = (colour: string) => el("span", { class: "swatch", style: `background:${colour}`, "aria-hidden": "true" });
        const line = (dashed: boolean) => el("span", { class: dashed ? "curve dashed" : "curve", "aria-hidden": "true" });
        return el(
            "ul",
            { class: "legend regimes", "aria-label": translate("Regimes and curves of the map") },
            ...this.tarnis.module.regimeLegend().map((entry) => el("li", {}, swatch(entry.colour), entry.legendName)),
            el("li", {}, swatch(this.tarnis.module.notComputedColour()), labels.notComputed),
            el("li", {}, line(false), labels.stableCurve),
            el("li", {}, line(true), labels.monotoneCurve),
            el("li", {}, el("span", { class: "curve dotted", "aria-hidden": "true" }), this.tarnis.module.continuousComparisonWords().mapLabel),
        );
    }

    private axisChoice(): HTMLElement {
        const option = (axis: DiagramAxis, caption: string) => {
            const input = el("input", { type: "radio", name: "diagram-axis", value: axis, checked: axis === this.axis });
            this.axisInputs.push(input);
            input.addEventListener("change", () => {
                if (!input.checked) return;
                this.showAxis(axis);
                this.events.axisChanged();
            });
            return el("label", { class: "check" }, input, caption);
        };
        return el(
            "div",
            { class: "toolbar", role: "radiogroup", "aria-label": translate("Bifurcation diagram") },
            // TRANSLATORS: the bifurcation diagram drawn over the intrinsic rate r (r stays as it is).
            option("rate", translate("over r")),
            // TRANSLATORS: the bifurcation diagram drawn over the time lag T.
            option("lag", translate("over lag")),
        );
    }

    /** The axis the diagram is drawn over, as a set-up keeps it. */
    diagramAxis(): DiagramAxis {
        return this.axis;
    }

    /** Draws the diagram over `axis` (chosen, or from a set-up), anew where it was over the other. */
    showAxis(axis: DiagramAxis): void {
        for (const input of this.axisInputs) input.checked = input.value === axis;
        if (axis === this.axis) return;
        this.axis = axis;
        this.tellColumn(null); // the hint of the new axis
        this.showDiagram(true);
    }

    /** After every run: its words, and the pictures for its parameters. */
    follow(run: RunParameters): void {
        this.choiceNote.textContent = "";
        // The chart first: the words and the pictures follow after the frame that shows the run's
        // chart, once for the newest of the runs that came before it (a slider's drag runs at every
        // frame).
        const waiting = this.following !== undefined;
        this.following = run;
        if (!waiting) requestAnimationFrame(() => setTimeout(() => this.showFollowed()));
    }

    private showFollowed(): void {
        const run = this.following;
        this.following = undefined;
        if (!run) return;
        const { module, separator } = this.tarnis;
        const plan = module.planDynamics(run);
        const restart = module.dynamicsRestart(this.plan, plan, this.axis);
        this.run = run;
        this.plan = plan;
        this.failure.textContent = "";
        if (restart.regime) {
            // The regime in a worker: an undecided run takes millions of steps, and a slider dragged
            // there would stutter while the page's thread worked them out.
            this.report = undefined;
            this.reportCame = false;
            this.work.start({ task: "regime", run }, 1);
        }
        this.showWords();
        this.followTwin(run);
        this.mapTitle.textContent = module.mapTitle(run, separator);
        this.showAnalysed(plan.analysed);
        this.showMap(restart.map);
        this.showDiagram(restart.diagram);
    }

    // The answer of the regime's job on show: a job replaced by another's answers no more.
    private regimeCame(report: RegimeReport | undefined): void {
        this.report = report;
        this.reportCame = true;
        this.showWords();
    }

    // The twin's words in a worker, anew for any other run; the last ones stay until the new ones come,
    // so that a slider's drag does not make them flicker.
    private followTwin(run: RunParameters): void {
        const twin = this.twinRun;
        const same = twin && (["r", "n0", "K", "lag", "steps"] as const).every((key) => twin[key] === run[key]);
        if (same) return;
        this.twinRun = run;
        this.work.start({ task: "continuous", run, separator: this.tarnis.separator }, 1);
    }

    private twinCame(words: RunWords, bridge: string): void {
        this.twinHeadline.textContent = words.headline;
        this.twinSentences.textContent = words.sentences;
        this.bridge.textContent = bridge;
    }

    /** The run's words once its regime came (for its own steps), else that it is being worked out. */
    private showWords(): void {
        const { run } = this;
        if (!run) return;
        const { module, separator } = this.tarnis;
        const words = this.reportCame ? module.runWords(run, this.report, separator) : module.workingWords(run, separator);
        this.headline.textContent = words.headline;
        this.sentences.textContent = words.sentences;
    }

    /** Beyond the analysis no map or diagram can show the run: the pictures give way to a sentence. */
    private showAnalysed(analysed: boolean): void {
        for (const part of [this.map.element, this.diagram.element, this.progress.map, this.progress.diagram])
            part.hidden = !analysed;
        if (analysed) {
            if (this.mapLine.textContent === this.beyondWords()) this.tellCell(null);
            if (this.diagramLine.textContent === this.beyondWords()) this.tellColumn(null);
            return;
        }
        this.mapLine.textContent = this.beyondWords();
        this.diagramLine.textContent = this.beyondWords();
    }

    private beyondWords(): string {
        return this.tarnis.module.beyondAnalysisPictureWords(this.tarnis.separator);
    }

    private showMap(anew: boolean): void {
        const { plan, run } = this;
        if (!plan || !run || !plan.analysed) return;
        const place = { r: run.r, lag: run.lag };
        if (!anew) {
            this.map.moveRun(place);
            return;
        }
        // The twin's r_c, π/(2T), at each lag of the map; none without a lag.
        const twinLimits = Array.from(plan.map.lags, (lag) => this.tarnis.module.continuousLimits(lag)?.rStable);
        this.map.setPlan(plan, place, this.tarnis.module.dynamicsLabels(0, 1), twinLimits);
        this.work.start({ task: "map", grid: plan.map }, plan.map.rates.length * plan.map.lags.length);
    }

    private showDiagram(anew: boolean): void {
        const { plan, run } = this;
        if (!plan || !run) return;
        const { module, separator } = this.tarnis;
        const request = this.axis === "rate" ? plan.overRate : plan.overLag;
        this.diagramTitle.textContent = module.bifurcationTitle(run, this.axis, separator);
        if (!plan.analysed) return;
        if (!anew) {
            this.diagram.moveMarks(this.marks(plan, run));
            return;
        }
        const labels = module.dynamicsLabels(request.discard, request.keep);
        this.diagram.setRequest(request, this.axis === "rate" && plan.logarithmicDiagramRates, this.marks(plan, run), labels);
        this.work.start({ task: "diagram", request }, request.values.length);
    }

    private marks(plan: DynamicsPlan, run: RunParameters): DiagramMark[] {
        return this.tarnis.module.diagramMarks(run, this.axis, plan.criticalLag);
    }

    private showProgress(task: Task, done: number, total: number): void {
        if (task === "regime" || task === "continuous") return; // the words say when they are worked out
        const bar = this.progress[task];
        bar.max = Math.max(1, total);
        bar.value = done;
        const complete = done >= total;
        if (task === "map") this.map.complete(complete);
        else this.diagram.complete(complete);
    }

    private tellCell(cell: { r: number; lag: number; report?: RegimeReport } | null): void {
        const K = this.plan?.map.K ?? 0;
        this.mapLine.textContent = cell
            ? this.tarnis.module.cellWords(cell.r, cell.lag, cell.report, K, this.tarnis.separator)
            : this.tarnis.module.pagePointingHint("map");
    }

    private tellColumn(column: { value: number; column?: BifurcationColumn } | null): void {
        const K = this.plan?.map.K ?? 0;
        this.diagramLine.textContent = column
            ? this.tarnis.module.columnWords(this.axis, column.value, column.column, K, this.tarnis.separator)
            : this.tarnis.module.pagePointingHint(this.axis);
    }

    private choose(r: number | undefined, lag: number | undefined): void {
        // A refused run says why beside its box; this note tells only of a run that was made.
        const ran = this.events.chosen(r, lag);
        this.choiceNote.textContent = ran ? this.tarnis.module.pageChoiceWords(r, lag, this.tarnis.separator) : "";
    }
}
