// The chart on screen, drawn by uPlot on a canvas: the series of the run on show over those of the
// kept runs, each in its look and colour, in the view and with the ticks of its viewport; the wheel,
// a drag and two fingers zoom and pan it (chart_mouse.ts and chart_touch.ts tell what they do), a plain
// click steps it, and the pointer (or a finger's tap) marks the nearest point with its readout. It knows nothing of the model but what it is handed: the
// chart's data and the module's rules of its axes.
// SPDX-License-Identifier: GPL-3.0-or-later
import uPlot from "uplot";

import type { ChartData } from "tarnis-module";
import { AxisTitleFont, ContinuousLinePixels, GridPixels, LinePixels, TickLabelFont, TickPixels } from "./chart_look";
import { type SeriesLook, seriesPaths } from "./chart_paths";
import type { PictureLegendLine } from "./chart_svg";
import { ChartReadout } from "./chart_readout";
import { ChartMouse } from "./chart_mouse";
import { ChartTouch, type Pair, type Place } from "./chart_touch";
import {
    type AxisKey,
    type AxisRules,
    type AxisTicks,
    ChartViewport,
    type PlotSize,
    type View,
    ticksWithRoom,
} from "./chart_viewport";
import { el } from "./dom";
import {
    ContinuousTwin,
    type MarkedPoint,
    type ScreenPoint,
    nearestPoint,
    rowsShown,
    screenPoints,
    steppedPoint,
} from "./readout_geometry";

/** A series as drawn, with the run it belongs to; kept runs first, behind the run on show. */
export interface DrawnSeries {
    run: number; // 0 the run on show, 1 to 4 the kept runs, ContinuousTwin the run on show's twin
    index: number; // the series' place in its run: 0, or 1 for a kind's second series
    x: Float64Array;
    y: Float64Array;
    look: SeriesLook;
    dash?: number[]; // the twin's dashes
    line: string;
    markerOutline: string;
    markerFill: string;
}

export interface ChartViewHooks {
    tickLabel(value: number): string;
    /** A press and release in place: no drag. */
    clicked(): void;
    /** The pointer (or a key) marks a point, or none; the panel answers with showMark or hideMark. */
    pointed(point: MarkedPoint | null): void;
    /** The user zoomed or panned. */
    viewChanged(): void;
}

// The bands around the plot, in CSS pixels: the axes' numbers, and room at the top and the right for
// half of the last labels. Fixed, so that the plot has its size as soon as uPlot is made, before the
// first drawing, when the fit measures it.
const Bands = { yNumbers: 70, xNumbers: 44, padding: [17, 25, 0, 0] as uPlot.Padding };

/** The finite values of a series as uPlot takes them: no value as null. */
function column(values: Float64Array): (number | null)[] {
    return Array.from(values, (value) => (Number.isFinite(value) ? value : null));
}

/**
 * The chart's series in drawing order: the kept runs first, then the twin, dashed, under the run on
 * show, which it follows closely at first.
 */
export function drawnSeries(data: ChartData): DrawnSeries[] {
    const drawn: DrawnSeries[] = [];
    const add = (run: number, series: ChartData["runs"][number]["series"], dash?: number[]) =>
        series.forEach((each, index) => drawn.push({ run, index, dash, ...each }));
    for (const run of data.runs.filter((each) => each.run !== 0)) add(run.run, run.series);
    if (data.continuous) add(ContinuousTwin, [data.continuous.series], data.continuous.dash);
    for (const run of data.runs.filter((each) => each.run === 0)) add(run.run, run.series);
    return drawn;
}

/** The legend's lines: the run on show, the kept runs, then the twin; none where the chart has no legend. */
export function legendLines(data: ChartData): PictureLegendLine[] {
    if (!data.legendShown) return [];
    const lines: PictureLegendLine[] = data.runs.map((run) => ({ text: run.legend, icons: run.series }));
    if (data.continuous) lines.push({ text: data.continuous.legend, icons: [{ ...data.continuous.series, dash: data.continuous.dash }] });
    return lines;
}

let labelMeasure: CanvasRenderingContext2D | undefined;

/** A tick label's width, or its height on the y axis, in CSS pixels, in the font of the axes' numbers. */
export function tickLabelExtent(label: string, key: AxisKey): number {
    labelMeasure ??= document.createElement("canvas").getContext("2d") ?? undefined;
    if (!labelMeasure) return 0;
    labelMeasure.font = TickLabelFont;
    const metrics = labelMeasure.measureText(label);
    return key === "x" ? metrics.width : metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
}

export class ChartView {
    readonly element: HTMLDivElement;
    private plot?: uPlot;
    private structure = "";
    private series: DrawnSeries[] = [];
    private readonly viewport: ChartViewport;
    private readonly readout = new ChartReadout();
    private readonly markerPixels: number;
    private ticks: { x: AxisTicks; y: AxisTicks } = { x: { values: [], labels: [] }, y: { values: [], labels: [] } };
    private screenPlaces?: ScreenPoint[];
    private dragFrom?: View; // the view at the press of a drag
    private pinch?: { view: View; from: Pair; around: { x: number; y: number } };
    private rowLimit?: number; // while a play shows the run on show up to here
    private titles = { title: "", x: "", y: "" };

    constructor(
        private readonly rules: AxisRules,
        private readonly hooks: ChartViewHooks,
    ) {
        this.viewport = new ChartViewport(rules);
        this.markerPixels = rules.axisRules().markerPixels;
        this.element = el("div", { class: "plot" });
        new ResizeObserver(() => this.resize()).observe(this.element);
    }

    /** Draws the chart's data; fitted, or in the view the user chose when keepView and there is one. */
    draw(data: ChartData, logarithmicY: boolean, keepView: boolean): void {
        this.series = drawnSeries(data);
        this.titles = { title: data.title, x: data.xTitle, y: data.yTitle };
        this.rowLimit = undefined;
        this.hideMark();
        const structure = `${data.title}|${logarithmicY}|${this.series.map((s) => `${s.run}${s.look}${s.line}`).join()}`;
        const plot = this.plot;
        if (plot && structure === this.structure) {
            plot.batch(() => {
                plot.setData(this.aligned(), false);
                this.fitView(logarithmicY, keepView);
            });
            return;
        }
        this.structure = structure;
        plot?.destroy();
        const made = new uPlot(this.options(logarithmicY), this.aligned(), this.element);
        this.plot = made;
        made.over.append(...this.readout.elements);
        this.listen(made);
        this.fitView(logarithmicY, keepView);
    }

    /**
     * Shows the run on show up to its first `rows` rows (all of them when undefined), the kept runs
     * whole, in the same view: a frame of a play.
     */
    showRows(rows: number | undefined): void {
        const plot = this.plot;
        if (!plot) return;
        this.rowLimit = rows;
        plot.batch(() => {
            plot.setData(this.aligned(), false);
            this.applyView();
        });
        this.placeMark();
    }

    // The series' rows on show as uPlot takes them, one [x, y] pair a series.
    private aligned(): uPlot.AlignedData {
        const columns = this.series.map((series) => {
            const end = rowsShown(series, this.rowLimit);
            return [Array.from(series.x.subarray(0, end)), column(series.y.subarray(0, end))];
        });
        return [null, ...columns] as unknown as uPlot.AlignedData;
    }

    private options(logarithmicY: boolean): uPlot.Options {
        const range = (key: AxisKey) => (): uPlot.Range.MinMax => {
            const view = this.viewport.current()[key];
            return [view.min, view.max];
        };
        return {
            mode: 2,
            ...this.size(),
            title: this.titles.title,
            pxAlign: false,
            padding: Bands.padding,
            legend: { show: false },
            cursor: { show: false, drag: { x: false, y: false, setScale: false } },
            select: { show: false, left: 0, top: 0, width: 0, height: 0 },
            scales: {
                x: { time: false, auto: false, range: range("x") },
                y: logarithmicY ? { auto: false, distr: 3, log: 10, range: range("y") } : { auto: false, range: range("y") },
            },
            axes: [this.axis("x", this.titles.x), this.axis("y", this.titles.y)],
            series: [{}, ...this.series.map((series) => this.seriesOptions(series))],
        };
    }

    private axis(key: AxisKey, label: string): uPlot.Axis {
        return {
            scale: key,
            label,
            stroke: "#000000",
            grid: { show: key === "y", stroke: "#000000", width: GridPixels },
            ticks: { show: true, stroke: "#000000", width: 1, size: TickPixels },
            font: TickLabelFont,
            labelFont: AxisTitleFont,
            size: key === "y" ? Bands.yNumbers : Bands.xNumbers,
            splits: (u) => this.chooseTicks(u, key),
            filter: (_u, splits) => splits, // every tick labelled: they stand apart already
            values: () => this.ticks[key].labels,
        };
    }

    private seriesOptions(series: DrawnSeries): uPlot.Series {
        const points = series.look === "points";
        return {
            facets: [
                { scale: "x", auto: false },
                { scale: "y", auto: false },
            ],
            stroke: points ? series.markerOutline : series.line,
            ...(points ? { fill: series.markerFill } : {}),
            ...(series.dash ? { dash: series.dash } : {}),
            width: points ? 1 : series.dash ? ContinuousLinePixels : LinePixels,
            paths: seriesPaths(series.look, this.markerPixels, () => uPlot.pxRatio),
            points: { show: false },
        };
    }

    // The model's densest ticks of the view on show whose labels, measured in the axis' font, stand apart.
    private chooseTicks(u: uPlot, key: AxisKey): number[] {
        const logarithmic = key === "y" && this.viewport.isLogarithmicY();
        this.ticks[key] = ticksWithRoom(this.viewport.tickFit(key), logarithmic, this.rules, {
            text: (value) => this.hooks.tickLabel(value),
            extent: (label) => tickLabelExtent(label, key),
            place: (value) => u.valToPos(value, key),
        });
        return this.ticks[key].values;
    }

    private size(): { width: number; height: number } {
        const width = Math.max(280, Math.floor(this.element.clientWidth || 600));
        // As wide as the panel, and low enough that the legend below stays in sight on a laptop.
        const height = Math.min(520, width * 0.6, window.innerHeight * 0.6);
        return { width, height: Math.round(Math.max(260, height)) };
    }

    // The plot within the axes, in CSS pixels: uPlot lays it out as soon as it is made or resized.
    private plotSize(): PlotSize {
        const box = this.plot?.bbox;
        return box ? { width: box.width / uPlot.pxRatio, height: box.height / uPlot.pxRatio } : { width: 0, height: 0 };
    }

    private resize(): void {
        const plot = this.plot;
        if (!plot) return;
        const size = this.size();
        if (size.width === plot.width && size.height === plot.height) return;
        let refitted = false;
        plot.batch(() => {
            plot.setSize(size);
            refitted = this.viewport.resize(this.plotSize());
            this.applyView();
        });
        if (refitted) this.afterViewChange();
        else this.placeMark();
    }

    private fitView(logarithmicY: boolean, keepView: boolean): void {
        this.viewport.fit(this.series, logarithmicY, this.plotSize(), keepView);
        this.applyView();
    }

    private applyView(): void {
        if (!this.plot) return;
        const view = this.viewport.current();
        this.plot.setScale("x", { min: view.x.min, max: view.x.max });
        this.plot.setScale("y", { min: view.y.min, max: view.y.max });
        this.screenPlaces = undefined;
    }

    /** Shows the whole chart again. */
    fit(): void {
        this.viewport.showFitted();
        this.applyView();
        this.afterViewChange();
    }

    currentView(): View {
        return this.viewport.current();
    }

    currentTicks(): { x: AxisTicks; y: AxisTicks } {
        return this.ticks;
    }

    drawn(): readonly DrawnSeries[] {
        return this.series;
    }

    isLogarithmicY(): boolean {
        return this.viewport.isLogarithmicY();
    }

    /** The plot's rectangle in CSS pixels within the chart, for a picture of the same layout. */
    plotBox(): { left: number; top: number; width: number; height: number; chartWidth: number; chartHeight: number } {
        const plot = this.plot;
        if (!plot) return { left: 0, top: 0, width: 0, height: 0, chartWidth: 0, chartHeight: 0 };
        const { left, top } = plot.bbox;
        return { left: left / uPlot.pxRatio, top: top / uPlot.pxRatio, ...this.plotSize(), chartWidth: plot.width, chartHeight: plot.height };
    }

    // Where a place in the window is on the plot, and whether it is on it (or just beside an end of an axis).
    private placeOnPlot(clientX: number, clientY: number) {
        const rect = this.plot?.over.getBoundingClientRect() ?? new DOMRect();
        const left = clientX - rect.left;
        const top = clientY - rect.top;
        const margin = this.markerPixels;
        const onPlot = left >= -margin && top >= -margin && left <= rect.width + margin && top <= rect.height + margin;
        return { left, top, rect, onPlot };
    }

    private listen(plot: uPlot): void {
        new ChartTouch(plot.root, {
            tapped: (at) => this.tapped(at),
            pinchStarted: (pair) => this.pinchStarted(pair),
            pinched: (pair) => this.pinched(pair),
        });
        new ChartMouse(plot.root, {
            onPlot: (clientX, clientY) => this.placeOnPlot(clientX, clientY).onPlot,
            clicked: () => this.hooks.clicked(),
            dragStarted: () => (this.dragFrom = this.viewport.current()),
            // The point under the pointer at the press stays under it.
            dragged: (dx, dy) => {
                if (this.dragFrom && this.viewport.pan(this.dragFrom, { x: -dx, y: dy })) this.viewChanged();
            },
            pointed: (place) => {
                const at = place && this.placeOnPlot(place.clientX, place.clientY);
                if (at?.onPlot) this.hover(at.left, at.top);
                else this.hooks.pointed(null);
            },
            wheeled: (clientX, clientY, notches) => this.wheeled(clientX, clientY, notches),
        });
    }

    // Over the plot the wheel zooms both axes around the pointer; over an axis' numbers, that axis alone.
    private wheeled(clientX: number, clientY: number, notches: number): boolean {
        const plot = this.plot;
        if (!plot) return false;
        const { left, top, rect } = this.placeOnPlot(clientX, clientY);
        const overYNumbers = left < 0 && top <= rect.height;
        const overXNumbers = top > rect.height && left >= 0;
        const around = {
            x: overYNumbers ? undefined : plot.posToVal(left, "x"),
            y: overXNumbers ? undefined : plot.posToVal(top, "y"),
        };
        if (!this.viewport.zoom(around, notches)) return false;
        this.viewChanged();
        return true;
    }

    // A tap reads the point nearest to the finger, as the pointer does; off the plot, none.
    private tapped(at: Place): void {
        const { left, top, onPlot } = this.placeOnPlot(at.x, at.y);
        if (onPlot) this.hover(left, top);
        else this.hooks.pointed(null);
    }

    private pinchStarted(pair: Pair): void {
        const plot = this.plot;
        if (!plot) return;
        const { left, top } = this.placeOnPlot(pair.middle.x, pair.middle.y);
        const around = { x: plot.posToVal(left, "x"), y: plot.posToVal(top, "y") };
        this.pinch = { view: this.viewport.current(), from: pair, around };
    }

    // The model keeps a pinch within its limits, as it keeps the wheel and the drag.
    private pinched(pair: Pair): void {
        const pinch = this.pinch;
        if (!pinch) return;
        const { view, around, from } = pinch;
        const spread = { from: from.spread, to: pair.spread };
        const moved = { x: from.middle.x - pair.middle.x, y: pair.middle.y - from.middle.y };
        if (this.viewport.pinch(view, around, spread, moved)) this.viewChanged();
    }

    private viewChanged(): void {
        this.applyView();
        this.afterViewChange();
    }

    private afterViewChange(): void {
        this.placeMark();
        this.hooks.viewChanged();
    }

    // The places on screen of every point, worked out once per view and kept while the pointer moves.
    private points(): ScreenPoint[] {
        const plot = this.plot;
        if (!plot) return [];
        this.screenPlaces ??= screenPoints(this.series, this.rowLimit, this.isLogarithmicY(), (x, y) => ({
            x: plot.valToPos(x, "x"),
            y: plot.valToPos(y, "y"),
        }));
        return this.screenPlaces;
    }

    private hover(left: number, top: number): void {
        const nearest = nearestPoint(this.points(), left, top);
        const mark = this.readout.marked();
        if (nearest && mark && nearest.drawn === mark.drawn && nearest.row === mark.row) return;
        this.hooks.pointed(nearest);
    }

    /** The next point with a value along the marked series, or along the run on show from its start or end. */
    stepMark(steps: number): MarkedPoint | null {
        return steppedPoint(this.series, this.readout.marked(), steps);
    }

    markedPoint(): MarkedPoint | undefined {
        return this.readout.marked();
    }

    showMark(point: MarkedPoint, lines: string[]): void {
        const series = this.series[point.drawn];
        this.readout.show(point, lines, series ? (series.look === "points" ? series.markerOutline : series.line) : "");
        this.placeMark();
    }

    hideMark(): void {
        this.readout.hide();
    }

    private placeMark(): void {
        const plot = this.plot;
        const mark = this.readout.marked();
        const series = mark && this.series[mark.drawn];
        const x = series?.x[mark?.row ?? 0];
        const y = series?.y[mark?.row ?? 0];
        if (!plot || !mark || x === undefined || y === undefined) return;
        const point = { left: plot.valToPos(x, "x"), top: plot.valToPos(y, "y") };
        this.readout.place(point, { width: plot.over.clientWidth, height: plot.over.clientHeight });
    }
}
