// The chart on screen, drawn by uPlot on a canvas: the series of the run on show over those of the
// kept runs, each in its look and colour, the axes with the model's numbers, zoom by the wheel and
// pan by dragging (or by two fingers) within the model's limits, a plain click, and the ring of the
// point under the pointer (or a finger's tap) with its readout beside it. It knows nothing of the
// model but what it is handed.
// SPDX-License-Identifier: GPL-3.0-or-later
import uPlot from "uplot";

import type { ChartData, Range } from "tarnis-module";
import { LinePixels, MarkerPixels } from "./chart_svg";
import { ChartTouch, isFinger, type Pair, type Place } from "./chart_touch";
import { el } from "./dom";

/** A series as drawn, with the run it belongs to; kept runs first, behind the run on show. */
export interface DrawnSeries {
    run: number;
    index: number; // the series' place in its run: 0, or 1 for a kind's second series
    x: Float64Array;
    y: Float64Array;
    look: "line" | "points";
    line: string;
    markerOutline: string;
    markerFill: string;
}

export interface View {
    x: Range;
    y: Range;
}

export interface MarkedPoint {
    drawn: number; // index into drawn()
    row: number;
}

export interface ChartViewHooks {
    tickLabel(value: number): string;
    zoomed(range: Range, fitted: Range, around: number, notches: number, logarithmic: boolean): Range;
    panned(range: Range, fitted: Range, pixels: number, length: number, logarithmic: boolean): Range;
    /** A press and release in place: no drag. */
    clicked(): void;
    /** The pointer (or a key) marks a point, or none; the panel answers with showMark or hideMark. */
    pointed(point: MarkedPoint | null): void;
    /** The user zoomed or panned. */
    viewChanged(): void;
}

/** The ticks and labels of the last drawing, for a picture of the same chart. */
export interface AxisTicks {
    values: number[];
    labels: string[];
}

const DragPixels = 4; // a press that moves further is a drag, not a click
const PixelsPerNotch = 100; // a wheel's notch, in the pixels of a browser's wheel event

// uPlot's linear paths expect x in order; a trajectory in the phase plane goes back and forth, so
// the lines are drawn here: joined in row order, broken where a point has no value.
function seriesPaths(look: "line" | "points"): uPlot.Series.PathBuilder {
    return (u, seriesIndex) => {
        const data = u.data[seriesIndex] as unknown as [number[], (number | null)[]];
        const [xs, ys] = data;
        const path = new Path2D();
        const half = (MarkerPixels * uPlot.pxRatio) / 2;
        let joined = false;
        for (let row = 0; row < xs.length; row += 1) {
            const x = xs[row];
            const y = ys[row];
            if (x === undefined || y === undefined || y === null || x === null) {
                joined = false;
                continue;
            }
            const px = u.valToPos(x, "x", true);
            const py = u.valToPos(y, "y", true);
            if (look === "points") path.rect(px - half, py - half, 2 * half, 2 * half);
            else if (joined) path.lineTo(px, py);
            else path.moveTo(px, py);
            joined = true;
        }
        return look === "points" ? { stroke: path, fill: path } : { stroke: path, fill: null };
    };
}

/** The finite values of a series as uPlot takes them: no value as null. */
function column(values: Float64Array): (number | null)[] {
    return Array.from(values, (value) => (Number.isFinite(value) ? value : null));
}

function extent(columns: Float64Array[]): Range | undefined {
    let min = Infinity;
    let max = -Infinity;
    for (const values of columns)
        for (const value of values) {
            if (!Number.isFinite(value)) continue;
            if (value < min) min = value;
            if (value > max) max = value;
        }
    return min <= max ? { min, max } : undefined;
}

/** The data's extent with a little room, so that markers at the ends are whole. */
function fittedRange(columns: Float64Array[], logarithmic: boolean): Range {
    const found = extent(columns) ?? { min: logarithmic ? 1 : 0, max: logarithmic ? 10 : 1 };
    if (logarithmic) {
        const [min, max] = uPlot.rangeLog(found.min, found.max, 10, false);
        return { min: min ?? found.min, max: max ?? found.max };
    }
    const [min, max] = uPlot.rangeNum(found.min, found.max, 0.04, true);
    return { min: min ?? found.min, max: max ?? found.max };
}

export class ChartView {
    readonly element: HTMLDivElement;
    private plot?: uPlot;
    private structure = "";
    private series: DrawnSeries[] = [];
    private logarithmicY = false;
    private fitted: View = { x: { min: 0, max: 1 }, y: { min: 0, max: 1 } };
    private view: View = this.fitted;
    private userView = false;
    private ticks: { x: AxisTicks; y: AxisTicks } = { x: { values: [], labels: [] }, y: { values: [], labels: [] } };
    private screenPoints?: { drawn: number; row: number; x: number; y: number }[];
    private press?: { x: number; y: number; view: View; dragging: boolean; pans: boolean };
    private pinch?: { view: View; from: Pair; around: { x: number; y: number } };
    private readonly ring: HTMLDivElement;
    private readonly box: HTMLDivElement;
    private mark?: MarkedPoint;
    private rowLimit?: number; // while a play shows the run on show up to here
    private titles = { title: "", x: "", y: "" };

    constructor(private readonly hooks: ChartViewHooks) {
        this.ring = el("div", { class: "mark-ring", hidden: true });
        this.box = el("div", { class: "readout", hidden: true });
        this.element = el("div", { class: "plot" });
        new ResizeObserver(() => this.resize()).observe(this.element);
    }

    /** Draws the chart's data; fitted, or in the view the user chose when keepView and there is one. */
    draw(data: ChartData, logarithmicY: boolean, keepView: boolean): void {
        this.series = [];
        const kept = data.runs.filter((run) => run.run !== 0);
        const own = data.runs.filter((run) => run.run === 0);
        for (const run of [...kept, ...own])
            run.series.forEach((series, index) => this.series.push({ run: run.run, index, ...series }));
        this.logarithmicY = logarithmicY;
        this.titles = { title: data.title, x: data.xTitle, y: data.yTitle };
        this.fitted = {
            x: fittedRange(this.series.map((series) => series.x), false),
            y: fittedRange(this.series.map((series) => series.y), logarithmicY),
        };
        if (!keepView || !this.userView) {
            this.view = this.fitted;
            this.userView = false;
        }
        this.screenPoints = undefined;
        this.rowLimit = undefined;
        this.mark = undefined;
        this.hideMark();
        const structure = `${data.title}|${logarithmicY}|${this.series.map((s) => `${s.run}${s.look}${s.line}`).join()}`;
        const aligned = [null, ...this.series.map((series) => [Array.from(series.x), column(series.y)])];
        if (this.plot && structure === this.structure) {
            this.plot.batch(() => {
                this.plot?.setData(aligned as unknown as uPlot.AlignedData, false);
                this.applyView();
            });
            return;
        }
        this.structure = structure;
        this.plot?.destroy();
        this.plot = new uPlot(this.options(), aligned as unknown as uPlot.AlignedData, this.element);
        this.plot.over.append(this.ring, this.box);
        this.listen(this.plot);
        this.applyView();
    }

    /**
     * Shows the run on show up to its first `rows` rows (all of them when undefined), the kept runs
     * whole, in the same view: a frame of a play.
     */
    showRows(rows: number | undefined): void {
        const plot = this.plot;
        if (!plot) return;
        this.rowLimit = rows;
        this.screenPoints = undefined;
        const aligned = [
            null,
            ...this.series.map((series) => {
                const end = series.run === 0 && rows !== undefined ? Math.min(rows, series.x.length) : series.x.length;
                return [Array.from(series.x.subarray(0, end)), column(series.y.subarray(0, end))];
            }),
        ];
        plot.batch(() => {
            plot.setData(aligned as unknown as uPlot.AlignedData, false);
            this.applyView();
        });
        if (this.mark) this.placeMark();
    }

    private options(): uPlot.Options {
        const size = this.size();
        const axis = (key: "x" | "y", label: string): uPlot.Axis => ({
            scale: key,
            label,
            stroke: "#000000",
            grid: { show: key === "y", stroke: "#000000", width: 0.5 },
            ticks: { show: true, stroke: "#000000", width: 1, size: 5 },
            font: "12px system-ui, sans-serif",
            labelFont: "bold 13px system-ui, sans-serif",
            size: key === "y" ? 70 : 44,
            values: (_u, splits) => {
                const labels = splits.map((value) => this.hooks.tickLabel(value));
                this.ticks[key] = { values: [...splits], labels };
                return labels;
            },
        });
        return {
            mode: 2,
            width: size.width,
            height: size.height,
            title: this.titles.title,
            pxAlign: false,
            legend: { show: false },
            cursor: { show: false, drag: { x: false, y: false, setScale: false } },
            select: { show: false, left: 0, top: 0, width: 0, height: 0 },
            scales: {
                x: { time: false, auto: false, range: () => [this.view.x.min, this.view.x.max] },
                y: this.logarithmicY
                    ? { auto: false, distr: 3, log: 10, range: () => [this.view.y.min, this.view.y.max] }
                    : { auto: false, range: () => [this.view.y.min, this.view.y.max] },
            },
            axes: [axis("x", this.titles.x), axis("y", this.titles.y)],
            series: [
                {},
                ...this.series.map(
                    (series): uPlot.Series => ({
                        facets: [
                            { scale: "x", auto: false },
                            { scale: "y", auto: false },
                        ],
                        stroke: series.look === "points" ? series.markerOutline : series.line,
                        ...(series.look === "points" ? { fill: series.markerFill } : {}),
                        width: series.look === "points" ? 1 : LinePixels,
                        paths: seriesPaths(series.look),
                        points: { show: false },
                    }),
                ),
            ],
        };
    }

    private size(): { width: number; height: number } {
        const width = Math.max(280, Math.floor(this.element.clientWidth || 600));
        // As wide as the panel, and low enough that the legend below stays in sight on a laptop.
        const height = Math.min(520, width * 0.6, window.innerHeight * 0.6);
        return { width, height: Math.round(Math.max(260, height)) };
    }

    private resize(): void {
        if (!this.plot) return;
        const size = this.size();
        if (size.width === this.plot.width && size.height === this.plot.height) return;
        this.plot.setSize(size);
        this.screenPoints = undefined;
        if (this.mark) this.placeMark();
    }

    private applyView(): void {
        if (!this.plot) return;
        this.plot.setScale("x", { min: this.view.x.min, max: this.view.x.max });
        this.plot.setScale("y", { min: this.view.y.min, max: this.view.y.max });
        this.screenPoints = undefined;
    }

    /** Shows the whole chart again. */
    fit(): void {
        this.view = this.fitted;
        this.userView = false;
        this.applyView();
        this.afterViewChange();
    }

    currentView(): View {
        return this.view;
    }

    currentTicks(): { x: AxisTicks; y: AxisTicks } {
        return this.ticks;
    }

    drawn(): readonly DrawnSeries[] {
        return this.series;
    }

    isLogarithmicY(): boolean {
        return this.logarithmicY;
    }

    /** The plot's rectangle in CSS pixels within the chart, for a picture of the same layout. */
    plotBox(): { left: number; top: number; width: number; height: number; chartWidth: number; chartHeight: number } {
        const plot = this.plot;
        if (!plot) return { left: 0, top: 0, width: 0, height: 0, chartWidth: 0, chartHeight: 0 };
        const bbox = plot.bbox;
        const ratio = uPlot.pxRatio;
        return {
            left: bbox.left / ratio,
            top: bbox.top / ratio,
            width: bbox.width / ratio,
            height: bbox.height / ratio,
            chartWidth: plot.width,
            chartHeight: plot.height,
        };
    }

    // Where a place in the window is on the plot, and whether it is on it (or just beside an end of an axis).
    private placeOnPlot(clientX: number, clientY: number) {
        const rect = this.plot?.over.getBoundingClientRect() ?? new DOMRect();
        const left = clientX - rect.left;
        const top = clientY - rect.top;
        const near = left >= -MarkerPixels && top >= -MarkerPixels;
        return { left, top, rect, onPlot: near && left <= rect.width + MarkerPixels && top <= rect.height + MarkerPixels };
    }

    private listen(plot: uPlot): void {
        const root = plot.root;
        const place = (event: PointerEvent | WheelEvent) => this.placeOnPlot(event.clientX, event.clientY);
        new ChartTouch(root, {
            tapped: (at) => this.tapped(at),
            pinchStarted: (pair) => this.pinchStarted(pair),
            pinched: (pair) => this.pinched(pair),
        });
        // The mouse (and the pen): a click anywhere on the chart steps the kind; a drag that starts on
        // the plot pans it. Fingers are ChartTouch's.
        root.addEventListener("pointerdown", (event) => {
            if (event.button !== 0 || isFinger(event)) return;
            root.setPointerCapture(event.pointerId);
            const onPlot = place(event).onPlot;
            this.press = { x: event.clientX, y: event.clientY, view: this.view, dragging: false, pans: onPlot };
        });
        root.addEventListener("pointermove", (event) => {
            if (isFinger(event)) return;
            const press = this.press;
            if (!press) {
                const at = place(event);
                if (at.onPlot) this.hover(at.left, at.top);
                else this.hooks.pointed(null);
                return;
            }
            const dx = event.clientX - press.x;
            const dy = event.clientY - press.y;
            if (!press.dragging && Math.abs(dx) + Math.abs(dy) <= DragPixels) return;
            press.dragging = true;
            if (press.pans) this.pan(press.view, dx, dy);
        });
        root.addEventListener("pointerup", (event) => {
            if (isFinger(event)) return;
            const press = this.press;
            this.press = undefined;
            if (press && !press.dragging && event.button === 0) this.hooks.clicked();
        });
        root.addEventListener("pointercancel", (event) => {
            if (!isFinger(event)) this.press = undefined;
        });
        // A lifted finger leaves the chart too; the readout of its tap stays.
        root.addEventListener("pointerleave", (event) => {
            if (!this.press && !isFinger(event)) this.hooks.pointed(null);
        });
        // Over the plot the wheel zooms both axes around the pointer; over an axis' numbers, that axis alone.
        root.addEventListener(
            "wheel",
            (event) => {
                const notches = -event.deltaY / (event.deltaMode === 0 ? PixelsPerNotch : 1);
                if (notches === 0 || this.press) return;
                const { left, top, rect } = place(event);
                const overYNumbers = left < 0 && top <= rect.height;
                const overXNumbers = top > rect.height && left >= 0;
                // A wheel that can zoom no further scrolls the page, so that the chart is no trap
                // for a reader scrolling past it.
                if (this.zoom(left, top, notches, !overYNumbers, !overXNumbers)) event.preventDefault();
            },
            { passive: false },
        );
    }

    /** Zooms around a place; false when the view is at its limit and stays as it was. */
    private zoom(left: number, top: number, notches: number, alongX: boolean, alongY: boolean): boolean {
        const plot = this.plot;
        if (!plot) return false;
        const x = alongX
            ? this.hooks.zoomed(this.view.x, this.fitted.x, plot.posToVal(left, "x"), notches, false)
            : this.view.x;
        const y = alongY
            ? this.hooks.zoomed(this.view.y, this.fitted.y, plot.posToVal(top, "y"), notches, this.logarithmicY)
            : this.view.y;
        const same = (a: Range, b: Range) => a.min === b.min && a.max === b.max;
        if (same(x, this.view.x) && same(y, this.view.y)) return false;
        this.setUserView({ x, y });
        return true;
    }

    private pan(from: View, dx: number, dy: number): void {
        const plot = this.plot;
        if (!plot) return;
        const width = plot.over.clientWidth;
        const height = plot.over.clientHeight;
        if (width <= 0 || height <= 0) return;
        // The point under the pointer at the press stays under it.
        this.setUserView({
            x: this.hooks.panned(from.x, this.fitted.x, -dx, width, false),
            y: this.hooks.panned(from.y, this.fitted.y, dy, height, this.logarithmicY),
        });
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
        this.pinch = { view: this.view, from: pair, around };
    }

    // The view of the pinch's start zoomed around the values that were under the fingers' middle, by
    // as many of the wheel's notches as make the values follow the fingers apart, then moved with the
    // middle: the model keeps both within its limits, as it keeps the wheel and the drag.
    private pinched(pair: Pair): void {
        const plot = this.plot;
        const pinch = this.pinch;
        if (!plot || !pinch) return;
        const perNotch = this.spanPerNotch();
        const notches =
            pair.spread > 0 && pinch.from.spread > 0 && perNotch > 0 && perNotch < 1
                ? Math.log(pinch.from.spread / pair.spread) / Math.log(perNotch)
                : 0;
        const hooks = this.hooks;
        const { view, around, from } = pinch;
        const log = this.logarithmicY;
        const x = hooks.zoomed(view.x, this.fitted.x, around.x, notches, false);
        const y = hooks.zoomed(view.y, this.fitted.y, around.y, notches, log);
        this.setUserView({
            x: hooks.panned(x, this.fitted.x, from.middle.x - pair.middle.x, plot.over.clientWidth, false),
            y: hooks.panned(y, this.fitted.y, pair.middle.y - from.middle.y, plot.over.clientHeight, log),
        });
    }

    // The share of its span that a notch of the wheel leaves in view, as the model zooms.
    private spanPerNotch(): number {
        const fitted = this.fitted.x;
        const zoomed = this.hooks.zoomed(fitted, fitted, (fitted.min + fitted.max) / 2, 1, false);
        return (zoomed.max - zoomed.min) / (fitted.max - fitted.min);
    }

    private setUserView(view: View): void {
        const same = (a: Range, b: Range) => a.min === b.min && a.max === b.max;
        if (same(view.x, this.view.x) && same(view.y, this.view.y)) return;
        this.view = view;
        this.userView = true;
        this.applyView();
        this.afterViewChange();
    }

    private afterViewChange(): void {
        if (this.mark) this.placeMark();
        this.hooks.viewChanged();
    }

    // The places on screen of every point, worked out once per view and kept while the pointer moves.
    private points(): { drawn: number; row: number; x: number; y: number }[] {
        if (this.screenPoints) return this.screenPoints;
        const plot = this.plot;
        const places: { drawn: number; row: number; x: number; y: number }[] = [];
        if (plot)
            this.series.forEach((series, drawn) => {
                const end = series.run === 0 && this.rowLimit !== undefined ? Math.min(this.rowLimit, series.x.length) : series.x.length;
                for (let row = 0; row < end; row += 1) {
                    const x = series.x[row];
                    const y = series.y[row];
                    if (x === undefined || y === undefined || !Number.isFinite(x) || !Number.isFinite(y)) continue;
                    if (this.logarithmicY && y <= 0) continue;
                    places.push({ drawn, row, x: plot.valToPos(x, "x"), y: plot.valToPos(y, "y") });
                }
            });
        this.screenPoints = places;
        return places;
    }

    private hover(left: number, top: number): void {
        let nearest: MarkedPoint | null = null;
        let best = Infinity;
        // Later series are drawn on top: on a tie the one the user sees wins.
        for (const point of this.points()) {
            const distance = (point.x - left) ** 2 + (point.y - top) ** 2;
            if (distance <= best) {
                best = distance;
                nearest = { drawn: point.drawn, row: point.row };
            }
        }
        if (nearest && this.mark && nearest.drawn === this.mark.drawn && nearest.row === this.mark.row) return;
        this.hooks.pointed(nearest);
    }

    /** The next point with a value along the marked series, or along the run on show from its start or end. */
    stepMark(steps: number): MarkedPoint | null {
        const direction = steps > 0 ? 1 : -1;
        let drawn = this.mark?.drawn;
        let row = this.mark?.row;
        if (drawn === undefined || row === undefined) {
            drawn = this.series.findIndex((series) => series.run === 0);
            if (drawn < 0) return null;
            row = direction > 0 ? -1 : (this.series[drawn]?.x.length ?? 0);
        }
        const series = this.series[drawn];
        if (!series) return null;
        for (let next = row + direction; next >= 0 && next < series.x.length; next += direction) {
            if (Number.isFinite(series.x[next]) && Number.isFinite(series.y[next])) return { drawn, row: next };
        }
        return this.mark ?? null;
    }

    markedPoint(): MarkedPoint | undefined {
        return this.mark;
    }

    showMark(point: MarkedPoint, lines: string[]): void {
        this.mark = point;
        this.box.replaceChildren(...lines.map((line) => el("div", {}, line)));
        const series = this.series[point.drawn];
        this.box.style.borderColor = series ? (series.look === "points" ? series.markerOutline : series.line) : "";
        this.placeMark();
    }

    hideMark(): void {
        this.mark = undefined;
        this.ring.hidden = true;
        this.box.hidden = true;
    }

    // The ring on the point, the box beside it inside the plot on whichever side has room (right and
    // below first), or in the plot's corner away from the point.
    private placeMark(): void {
        const plot = this.plot;
        const mark = this.mark;
        const series = mark && this.series[mark.drawn];
        const x = series?.x[mark?.row ?? 0];
        const y = series?.y[mark?.row ?? 0];
        if (!plot || !mark || x === undefined || y === undefined) return;
        const left = plot.valToPos(x, "x");
        const top = plot.valToPos(y, "y");
        const width = plot.over.clientWidth;
        const height = plot.over.clientHeight;
        const inside = left >= -1 && left <= width + 1 && top >= -1 && top <= height + 1;
        this.ring.hidden = !inside;
        this.ring.style.left = `${left}px`;
        this.ring.style.top = `${top}px`;
        this.box.hidden = false;
        const boxWidth = this.box.offsetWidth;
        const boxHeight = this.box.offsetHeight;
        const offset = 10;
        let place: { left: number; top: number } | undefined;
        for (const down of [1, -1])
            for (const right of [1, -1]) {
                const boxLeft = right > 0 ? left + offset : left - offset - boxWidth;
                const boxTop = down > 0 ? top + offset : top - offset - boxHeight;
                if (!place && boxLeft >= 0 && boxTop >= 0 && boxLeft + boxWidth <= width && boxTop + boxHeight <= height)
                    place = { left: boxLeft, top: boxTop };
            }
        place ??= {
            left: left < width / 2 ? Math.max(0, width - boxWidth) : 0,
            top: top < height / 2 ? Math.max(0, height - boxHeight) : 0,
        };
        this.box.style.left = `${place.left}px`;
        this.box.style.top = `${place.top}px`;
    }
}
