// The Graph panel: the greeting before the first run, then the chart of the run on show with the
// kept runs behind it. A click on the chart (or Space on it, or "Next chart") steps to the next kind,
// the list picks any kind; "Fit to data", the logarithmic N axis, keeping and forgetting runs, and the
// comparison with the run's continuous-time twin (in the kinds over t, with the model's note where the
// twin stops early); the legend below the plot, the readout under the pointer or a finger's tap (or moved by the arrow
// keys), the chart in words; and saving: the data as the desktop's "S" writes it, the chart as PNG
// or SVG, its rows for the clipboard.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ChartData, ChartKindInfo, ChartKindName, ChartPoint } from "tarnis-module";
import { chartPng } from "./chart_png";
import { type ChartPicture, chartSvg } from "./chart_svg";
import { ChartView, legendLines } from "./chart_view";
import { el } from "./dom";
import { translate, translateIn } from "./language";
import type { Tarnis } from "./tarnis";
import { Player } from "./player";
import type { MarkedPoint } from "./readout_geometry";
import { copyText, download, textFile } from "./saving";

function button(caption: string, action: () => void, attributes: Record<string, string | boolean> = {}) {
    const made = el("button", { type: "button", ...attributes }, caption);
    made.addEventListener("click", action);
    return made;
}

export interface GraphPanelEvents {
    /** The chart on show was drawn anew: another run, kind or axis, or runs kept or forgotten. */
    drawn(): void;
}

export class GraphPanel {
    readonly element: HTMLElement;
    private readonly kinds: ChartKindInfo[];
    private kind: ChartKindName;
    private logNChosen = false;
    // The comparison with continuous time, for the page's life as the N axis' choice; no set-up keeps
    // it, since a set-up's fragment and file have no setting for it.
    private compared = false;
    private data?: ChartData;
    private readonly view: ChartView;
    private readonly greeting: HTMLElement;
    private readonly figure: HTMLElement;
    private readonly chart: HTMLElement;
    private readonly kindList: HTMLSelectElement;
    private readonly logN: HTMLInputElement;
    private readonly compare: HTMLInputElement;
    private readonly twinNote: HTMLParagraphElement;
    private readonly keepButton: HTMLButtonElement;
    private readonly forgetButton: HTMLButtonElement;
    private readonly fitButton: HTMLButtonElement;
    private readonly legend: HTMLUListElement;
    private readonly description: HTMLParagraphElement;
    private readonly chartButtons: HTMLButtonElement[];
    private readonly saveData: HTMLButtonElement;
    private readonly status: HTMLParagraphElement;
    private readonly player: Player;

    constructor(
        private readonly tarnis: Tarnis,
        private readonly events: GraphPanelEvents,
    ) {
        const texts = tarnis.module.mainWindowTexts();
        this.kinds = tarnis.module.chartKinds();
        this.kind = this.firstKind();
        this.greeting = el(
            "div",
            { class: "greeting" },
            el("p", { class: "headline" }, texts.greetingHeadline),
            el("p", {}, texts.greetingInstructions),
        );
        this.view = new ChartView(tarnis.module, {
            tickLabel: (value) => tarnis.numberText(value, 6),
            clicked: () => this.stepKind(), // during a play too: it stops, as any new drawing stops it
            pointed: (point) => this.point(point),
            viewChanged: () => this.describe(),
        });
        this.kindList = el("select", { id: "chart-kind" });
        for (const kind of this.kinds) this.kindList.append(el("option", { value: kind.kind }, kind.listName));
        this.kindList.addEventListener("change", () => this.show(this.kindList.value as ChartKindName));
        this.logN = el("input", { type: "checkbox", id: "log-n-axis" });
        this.logN.addEventListener("change", () => {
            this.logNChosen = this.logN.checked;
            this.draw(false);
        });
        const comparison = tarnis.module.continuousComparisonWords();
        // The tool tip is the box's description for a screen reader, as the desktop's entry has it.
        this.compare = el("input", { type: "checkbox", id: "compare-continuous", title: comparison.toolTip });
        this.compare.addEventListener("change", () => {
            this.compared = this.compare.checked;
            this.draw(false);
        });
        this.twinNote = el("p", { id: "continuous-note", class: "note", "aria-live": "polite" });
        this.fitButton = button(translate("Fit to data"), () => this.view.fit());
        this.keepButton = button(translate("Keep this run"), () => this.keep());
        this.forgetButton = button(translate("Forget kept runs"), () => this.forget());
        this.description = el("p", { id: "chart-description", class: "description", "aria-live": "polite" });
        this.chart = el(
            "div",
            {
                class: "chart",
                role: "img",
                tabindex: "0",
                // TRANSLATORS: what a screen reader calls the kind of the picture of a run (its role).
                "aria-roledescription": translateIn("role", "chart"),
                "aria-describedby": "chart-description",
            },
            this.view.element,
        );
        this.chart.addEventListener("keydown", (event) => this.key(event));
        this.chart.addEventListener("blur", () => {
            this.view.hideMark();
            this.describe();
        });
        this.legend = el("ul", { class: "legend", "aria-label": translate("Legend") });
        this.player = new Player(this.tarnis.module, { rows: () => this.ownRows(), show: (rows) => this.showPlayed(rows) });
        this.figure = el(
            "div",
            { class: "figure", hidden: true },
            el(
                "div",
                { class: "toolbar" },
                el("label", { for: "chart-kind" }, translate("Chart")),
                this.kindList,
                // The desktop steps the kind by a click on the chart alone; on a touch screen a tap
                // reads a point instead, so the page has a button of its own, with a caption of its own.
                button(translate("Next chart"), () => this.stepKind()),
                this.fitButton,
                el("label", { class: "check" }, this.logN, translate("Logarithmic N axis")),
                el("label", { class: "check", title: comparison.toolTip }, this.compare, comparison.caption),
                this.keepButton,
                this.forgetButton,
            ),
            this.player.element,
            this.chart,
            this.legend,
            this.twinNote,
            this.description,
        );
        this.saveData = button(
            translate("Save data (CSV)"),
            () => download(texts.dataFileName, textFile(this.tarnis.graphicDataText(), "text/csv")),
            { disabled: true },
        );
        this.chartButtons = [
            button(translate("Save chart as PNG"), () => void this.savePng(), { disabled: true }),
            button(translate("Save chart as SVG"), () => this.saveSvg(), { disabled: true }),
            button(translate("Copy data"), () => void this.copyData(), { disabled: true }),
        ];
        this.status = el("p", { class: "note", role: "status" });
        this.element = el(
            "section",
            { class: "panel graph", "aria-labelledby": "graph-heading" },
            el("h2", { id: "graph-heading" }, translate("Graph")),
            this.greeting,
            this.figure,
            el("div", { class: "buttons" }, this.saveData, ...this.chartButtons),
            this.status,
        );
    }

    private firstKind(): ChartKindName {
        const first = this.kinds[0];
        if (!first) throw new Error("the model has no chart kinds");
        return first.kind;
    }

    private info(kind: ChartKindName): ChartKindInfo {
        const info = this.kinds.find((each) => each.kind === kind);
        if (!info) throw new Error(`no chart kind ${kind}`);
        return info;
    }

    /** After a run: N vs. t, fitted, as the desktop's Run draws it; or the kind on show, for a slider's run. */
    showRun(keepKind = false): void {
        this.greeting.hidden = true;
        this.figure.hidden = false;
        this.saveData.disabled = false;
        for (const each of this.chartButtons) each.disabled = false;
        this.show(keepKind ? this.kind : this.firstKind());
        this.player.newRun();
    }

    /** A box changed: the chart goes until the next run, as on the desktop; the last run stays saved. */
    putAway(): void {
        this.player.stop();
        this.figure.hidden = true;
        this.status.textContent = "";
        for (const each of this.chartButtons) each.disabled = true;
    }

    /** The kind on show and the choice of the logarithmic N axis, as a set-up keeps them. */
    chartOnShow(): { kind: ChartKindName; logarithmicN: boolean } {
        return { kind: this.kind, logarithmicN: this.logNChosen };
    }

    /** After a set-up's run: its kind and its choice of the N axis. */
    showChart(kind: ChartKindName, logarithmicN: boolean): void {
        this.logNChosen = logarithmicN;
        this.show(kind);
    }

    private show(kind: ChartKindName): void {
        this.kind = kind;
        this.draw(false);
    }

    private stepKind(): void {
        this.show(this.tarnis.module.nextChartKind(this.kind));
    }

    private logarithmicY(): boolean {
        return this.logNChosen && this.info(this.kind).logNApplies;
    }

    /** Draws the kind on show from the session: fitted, or in the user's view when keepView. */
    private draw(keepView: boolean): void {
        if (!this.tarnis.hasRun()) return;
        this.player.stop();
        const logarithmicY = this.logarithmicY();
        const data = this.tarnis.chart(this.kind, logarithmicY, this.compared);
        this.data = data;
        this.view.draw(data, logarithmicY, keepView);
        this.kindList.value = data.kind;
        this.chart.setAttribute("aria-label", data.title);
        this.logN.disabled = !data.logNApplies;
        this.logN.checked = this.logNChosen;
        this.compare.checked = this.compared;
        this.twinNote.textContent = data.continuous?.stopWords ?? "";
        this.keepButton.textContent = data.runKept ? translate("This run is kept") : translate("Keep this run");
        this.keepButton.disabled = data.runKept;
        this.forgetButton.disabled = data.keptCount === 0;
        this.showLegend(data);
        this.describe();
        this.events.drawn();
    }

    private showLegend(data: ChartData): void {
        this.legend.hidden = !data.legendShown;
        // A run's line tells its name in full under the pointer; the twin's line is its name.
        const names = data.runs.map((run) => run.name);
        this.legend.replaceChildren(
            ...legendLines(data).map((line, index) =>
                el(
                    "li",
                    { title: names[index] ?? line.text },
                    ...line.icons.map((icon) =>
                        el("span", {
                            class: icon.look === "points" ? "swatch points" : icon.dash ? "swatch line dashed" : "swatch line",
                            style:
                                icon.look === "points"
                                    ? `background:${icon.markerFill};border-color:${icon.markerOutline}`
                                    : icon.dash
                                      ? `color:${icon.line}`
                                      : `background:${icon.line}`,
                            "aria-hidden": "true",
                        }),
                    ),
                    line.text,
                ),
            ),
        );
    }

    /** The series of the run on show in the chart: the first, which a play draws step by step. */
    private ownSeries(): number {
        return this.view.drawn().findIndex((series) => series.run === 0);
    }

    private ownRows(): number {
        return this.view.drawn()[this.ownSeries()]?.x.length ?? 0;
    }

    // A play's frame: the run up to `rows` with its newest point in the readout; at its end the full
    // chart, described anew, with the readout on the last step.
    private showPlayed(rows: number | undefined): void {
        const drawn = this.ownSeries();
        if (drawn < 0) return;
        this.view.showRows(rows);
        this.point({ drawn, row: (rows ?? this.ownRows()) - 1 });
        if (rows === undefined) this.describe();
    }

    private pointOf(marked: MarkedPoint): ChartPoint | null {
        const drawn = this.view.drawn()[marked.drawn];
        return drawn ? { run: drawn.run, series: drawn.index, row: marked.row } : null;
    }

    private point(marked: MarkedPoint | null): void {
        const point = marked && this.pointOf(marked);
        if (!marked || !point) {
            this.view.hideMark();
            return;
        }
        this.view.showMark(marked, this.tarnis.chartReadout(this.kind, point));
    }

    private key(event: KeyboardEvent): void {
        const steps = event.key === "ArrowRight" ? 1 : event.key === "ArrowLeft" ? -1 : 0;
        if (event.key === " " || event.key === "Enter") {
            this.stepKind();
        } else if (steps !== 0) {
            const next = this.view.stepMark(steps);
            if (next) this.point(next);
            this.describe();
        } else if (event.key === "Escape") {
            this.view.hideMark();
            this.describe();
        } else {
            return;
        }
        event.preventDefault();
    }

    private describe(): void {
        if (!this.data) return;
        const view = this.view.currentView();
        const marked = document.activeElement === this.chart ? this.view.markedPoint() : undefined;
        this.description.textContent = this.tarnis.chartDescription(
            this.kind,
            { xMin: view.x.min, xMax: view.x.max, yMin: view.y.min, yMax: view.y.max, logarithmicY: this.view.isLogarithmicY() },
            marked ? this.pointOf(marked) : null,
        );
    }

    private keep(): void {
        this.tarnis.keep();
        this.draw(true);
    }

    private forget(): void {
        this.tarnis.forgetKept();
        this.draw(true);
    }

    private picture(): ChartPicture | undefined {
        const data = this.data;
        if (!data) return undefined;
        const box = this.view.plotBox();
        return {
            width: box.chartWidth,
            plot: { left: box.left, top: box.top, width: box.width, height: box.height },
            title: data.title,
            note: data.pictureNote,
            xTitle: data.xTitle,
            yTitle: data.yTitle,
            view: this.view.currentView(),
            logarithmicY: this.view.isLogarithmicY(),
            markerPixels: this.tarnis.module.axisRules().markerPixels,
            ticks: this.view.currentTicks(),
            series: [...this.view.drawn()],
            legend: legendLines(data),
        };
    }

    private fileName(suffix: string): string {
        return this.tarnis.module.pictureFileName(this.data?.title ?? "", suffix);
    }

    private saveSvg(): void {
        const picture = this.picture();
        if (picture) download(this.fileName(".svg"), textFile(chartSvg(picture), "image/svg+xml"));
    }

    private async savePng(): Promise<void> {
        const picture = this.picture();
        if (!picture) return;
        try {
            download(this.fileName(".png"), await chartPng(chartSvg(picture)));
        } catch {
            this.status.textContent = translate("The browser could not draw the picture.");
        }
    }

    private async copyData(): Promise<void> {
        const copied = await copyText(this.tarnis.chartDataText(this.kind, this.view.isLogarithmicY(), this.compared));
        this.status.textContent = copied ? "" : translate("The browser did not let the page use the clipboard.");
    }
}
