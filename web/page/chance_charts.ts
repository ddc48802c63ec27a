// The Chance panel's two charts, drawn by uPlot as the page draws its charts: the fan chart of N(t)
// (the runs' 5–95 % and 25–75 % bands, their median, and the run without chance over them) and the
// survival curve, each with a legend in the model's words beside it. They only draw what the workers
// computed.
// SPDX-License-Identifier: GPL-3.0-or-later
import uPlot from "uplot";
import type { ChanceWords } from "tarnis-module";
import { LinePixels } from "./chart_look";
import { el } from "./dom";

// The fan's colours: one blue in two strengths, so that the inner band reads as the denser one in any
// colour vision and in greyscale; the run without chance black over it.
const Look = { outer: "rgba(0, 114, 178, 0.18)", inner: "rgba(0, 114, 178, 0.38)", median: "#0072b2", plain: "#000000" };
const Height = 260;

export interface FanData {
    bands: Float64Array[]; // 5, 25, 50, 75, 95 %
    plain: Float64Array; // N(t) of the run without chance, as far as it went
    survival: Float64Array;
    note: string; // under the fan chart's title: which runs the bands come from, when not all
}

function swatch(fill: string, line = false): HTMLElement {
    return el("span", { class: line ? "swatch line" : "swatch band", style: `background:${fill}`, "aria-hidden": "true" });
}

// The lowest and highest finite values, and whether any is +inf: a loop, since a spread of a
// hundred thousand values into Math.min would overflow the stack.
function finiteSpan(columns: Float64Array[]): { low: number; high: number; beyond: boolean } {
    let low = Infinity;
    let high = -Infinity;
    let beyond = false;
    for (const column of columns)
        for (const value of column) {
            if (Number.isFinite(value)) {
                low = Math.min(low, value);
                high = Math.max(high, value);
            } else if (value === Infinity) beyond = true;
        }
    if (!(low < high)) [low, high] = [Math.min(0, low), Math.max(1, high)];
    return { low, high, beyond };
}

export class ChanceCharts {
    readonly element: HTMLElement;
    private readonly fanHolder = el("div", { class: "chance-plot" });
    private readonly survivalHolder = el("div", { class: "chance-plot" });
    private readonly fanNote = el("p", { class: "note", hidden: true });
    private plots: uPlot[] = [];

    constructor(private readonly words: ChanceWords) {
        const legend = el(
            "ul",
            { class: "legend", "aria-label": words.fanTitle },
            el("li", {}, swatch(Look.outer), words.outerBand),
            el("li", {}, swatch(Look.inner), words.innerBand),
            el("li", {}, swatch(Look.median, true), words.median),
            el("li", {}, swatch(Look.plain, true), words.deterministic),
        );
        this.element = el(
            "div",
            { class: "chance-charts", hidden: true },
            el("figure", { "aria-label": words.fanTitle }, el("figcaption", {}, words.fanTitle), this.fanNote, this.fanHolder, legend),
            el("figure", { "aria-label": words.survivalTitle }, el("figcaption", {}, words.survivalTitle), this.survivalHolder),
        );
    }

    show(data: FanData): void {
        for (const plot of this.plots) plot.destroy();
        this.element.hidden = false;
        this.fanNote.textContent = data.note;
        this.fanNote.hidden = data.note === "";
        const steps = data.survival.length - 1;
        const time = Array.from({ length: steps + 1 }, (_, t) => t);
        const plain = time.map((t) => (t < data.plain.length ? data.plain[t] : null));
        const width = Math.max(280, this.fanHolder.clientWidth);
        // The y axis fits the finite values; a band at +inf (runs that left the range of doubles) is
        // drawn a plot's height above its top, so that it fills up to the top edge and is clipped there.
        const { low, high, beyond } = finiteSpan([...data.bands, data.plain]);
        const drawn = (value: number) => (value === Infinity ? high + (high - low) : value);
        const fan = new uPlot(
            {
                ...this.frame(width, this.words.populationAxis),
                ...(beyond ? { scales: { x: { time: false }, y: { range: [low, high] } } } : {}),
                series: [
                    {},
                    ...data.bands.map((_, b) => ({
                        stroke: b === 2 ? Look.median : "transparent",
                        width: LinePixels,
                        label: b === 2 ? this.words.median : undefined,
                    })),
                    { stroke: Look.plain, width: LinePixels, label: this.words.deterministic },
                ],
                // The series are 1 to 5 (5 % to 95 %): each band lies between its upper and lower series.
                bands: [
                    { series: [5, 1], fill: Look.outer },
                    { series: [4, 2], fill: Look.inner },
                ],
            },
            [time, ...data.bands.map((band) => Array.from(band, drawn)), plain] as unknown as uPlot.AlignedData,
            this.fanHolder,
        );
        const survival = new uPlot(
            {
                ...this.frame(width, this.words.shareAxis),
                scales: { x: { time: false }, y: { range: [0, 1] } },
                series: [{}, { stroke: Look.median, width: LinePixels, label: this.words.survivalTitle }],
            },
            [time, Array.from(data.survival)],
            this.survivalHolder,
        );
        this.plots = [fan, survival];
    }

    /** Puts the charts away until the next ensemble is in. */
    clear(): void {
        for (const plot of this.plots) plot.destroy();
        this.plots = [];
        this.element.hidden = true;
    }

    private frame(width: number, yTitle: string): uPlot.Options {
        return {
            width,
            height: Height,
            legend: { show: false },
            cursor: { show: false },
            scales: { x: { time: false } },
            axes: [{ label: this.words.timeAxis }, { label: yTitle }],
            series: [],
        };
    }
}
