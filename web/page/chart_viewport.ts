// The chart's viewport: the view fitted to the data by the model's rule of a run chart's axes (ticks a
// whole step apart, room for the markers at the data's ends, measured on the plot as it is laid out),
// the view the user zoomed or panned to within the model's limits around the fitted one, and the ticks
// of either, as dense as their labels leave room for. The desktop's chart fits, limits and ticks by
// the same rules, so that a plot of the same size shows the same numbers. No DOM: the plot's size,
// the places of values on it and the labels' extents are handed in.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { AxisFit, Range } from "tarnis-module";

import { type SeriesLook, hasValue } from "./chart_paths.js";

export interface View {
    x: Range;
    y: Range;
}

export type AxisKey = keyof View;

/** The plot's size in CSS pixels, within the axes. */
export interface PlotSize {
    width: number;
    height: number;
}

/** The module's rules of a run chart's axes: the module itself answers to this. */
export interface AxisRules {
    fittedAxis(lowest: number, highest: number, length: number, vertical: boolean, logarithmic: boolean): AxisFit;
    markerRoom(range: Range, lowest: number, highest: number, length: number, logarithmic: boolean): Range;
    zoomedRange(range: Range, fitted: Range, around: number, notches: number, logarithmic: boolean): Range;
    pannedRange(range: Range, fitted: Range, pixels: number, length: number, logarithmic: boolean): Range;
    axisTicks(fit: AxisFit, attempt: number, logarithmic: boolean): Float64Array;
    tickLabelsApart(places: number[]): boolean;
    axisRules(): { markerPixels: number; tickAttempts: number };
}

export interface ViewedSeries {
    x: ArrayLike<number>;
    y: ArrayLike<number>;
    look: SeriesLook;
}

/** Where the data lie: all of it, and the points drawn as markers. An axis without data has min > max. */
interface Extents {
    all: View;
    marked: View;
}

/** The ticks of an axis and their labels. */
export interface AxisTicks {
    values: number[];
    labels: string[];
}

/** How an axis' labels read and where they fall, for the ticks to keep them apart. */
export interface TickLabels {
    text(value: number): string;
    /** Along the axis, in pixels: a label's width on the x axis, its height on the y axis. */
    extent(label: string): number;
    /** A value's place along the axis, in pixels. */
    place(value: number): number;
}

const NoData: Range = { min: Infinity, max: -Infinity };

function sameRange(a: Range, b: Range): boolean {
    return a.min === b.min && a.max === b.max;
}

function sameView(a: View, b: View): boolean {
    return sameRange(a.x, b.x) && sameRange(a.y, b.y);
}

/** The extents of the points that have a value (a y above 0 on a logarithmic axis), as the desktop fits them. */
function extentsOf(series: readonly ViewedSeries[], logarithmicY: boolean): Extents {
    const extent = (looks: SeriesLook[]): View => {
        const x = { ...NoData };
        const y = { ...NoData };
        for (const each of series) {
            if (!looks.includes(each.look)) continue;
            for (let row = 0; row < each.x.length; row += 1) {
                const px = each.x[row] as number;
                const py = each.y[row] as number;
                if (!hasValue(px, py, logarithmicY)) continue;
                x.min = Math.min(x.min, px);
                x.max = Math.max(x.max, px);
                y.min = Math.min(y.min, py);
                y.max = Math.max(y.max, py);
            }
        }
        return { x, y };
    };
    return { all: extent(["line", "points"]), marked: extent(["points"]) };
}

/**
 * The ticks of an axis: the model's densest ticks whose labels stand apart, else the next coarser,
 * up to the last of its attempts, which stays whatever it gives.
 */
export function ticksWithRoom(fit: AxisFit, logarithmic: boolean, rules: AxisRules, labels: TickLabels): AxisTicks {
    const attempts = rules.axisRules().tickAttempts;
    for (let attempt = 0; ; attempt += 1) {
        const values = Array.from(rules.axisTicks(fit, attempt, logarithmic));
        const texts = values.map((value) => labels.text(value));
        const places = values.flatMap((value, index) => [labels.place(value), labels.extent(texts[index] ?? "")]);
        if (attempt >= attempts - 1 || rules.tickLabelsApart(places)) return { values, labels: texts };
    }
}

export class ChartViewport {
    private extents: Extents = { all: { x: NoData, y: NoData }, marked: { x: NoData, y: NoData } };
    private logarithmicY = false;
    private size: PlotSize = { width: 0, height: 0 };
    private fitted: View = { x: { min: 0, max: 1 }, y: { min: 0, max: 1 } };
    private fittedSteps = { x: 0.2, y: 0.2 };
    private view: View = this.fitted;
    private viewSteps = this.fittedSteps;
    private userView = false;

    constructor(private readonly rules: AxisRules) {}

    /** Fits the axes to the series on a plot of this size; the user's view stays when keepView and there is one. */
    fit(series: readonly ViewedSeries[], logarithmicY: boolean, size: PlotSize, keepView: boolean): void {
        this.extents = extentsOf(series, logarithmicY);
        this.logarithmicY = logarithmicY;
        this.fitAgain(size, keepView);
    }

    /**
     * The plot took another size: fitted anew for it, the user's view kept with ticks for its new
     * length; whether the view on show changed.
     */
    resize(size: PlotSize): boolean {
        const before = this.view;
        this.fitAgain(size, true);
        return !sameView(before, this.view);
    }

    /** Shows the fitted view again. */
    showFitted(): void {
        this.view = this.fitted;
        this.viewSteps = this.fittedSteps;
        this.userView = false;
    }

    current(): View {
        return this.view;
    }

    isLogarithmicY(): boolean {
        return this.logarithmicY;
    }

    /** The range on show of an axis with the step of its ticks, for ticksWithRoom. */
    tickFit(axis: AxisKey): AxisFit {
        return { ...this.view[axis], step: this.viewSteps[axis] };
    }

    /**
     * Zooms by wheel notches around a value of each axis given (an axis without one stays); false when
     * the view is at its limit and stays as it was.
     */
    zoom(around: { x?: number; y?: number }, notches: number): boolean {
        const zoomed = (axis: AxisKey) => {
            const value = around[axis];
            return value === undefined ? this.view[axis] : this.zoomedAxis(axis, this.view[axis], value, notches);
        };
        return this.show({ x: zoomed("x"), y: zoomed("y") });
    }

    /** Moves the view `from` by `pixels` along each axis (positive: towards larger values), within the limits. */
    pan(from: View, pixels: { x: number; y: number }): boolean {
        const panned = (axis: AxisKey, length: number) =>
            this.rules.pannedRange(from[axis], this.fitted[axis], pixels[axis], length, this.isLog(axis));
        return this.show({ x: panned("x", this.size.width), y: panned("y", this.size.height) });
    }

    /**
     * A pinch that began in the view `from`: zoomed around the values then under the fingers' middle by
     * as many of the wheel's notches as make the values follow the fingers apart (from `spread.from`
     * pixels to `spread.to`), then moved with the middle by `pixels`.
     */
    pinch(from: View, around: { x: number; y: number }, spread: { from: number; to: number }, pixels: { x: number; y: number }): boolean {
        const perNotch = this.spanPerNotch();
        const notches =
            spread.from > 0 && spread.to > 0 && perNotch > 0 && perNotch < 1
                ? Math.log(spread.from / spread.to) / Math.log(perNotch)
                : 0;
        const zoomed = (axis: AxisKey) => this.zoomedAxis(axis, from[axis], around[axis], notches);
        return this.pan({ x: zoomed("x"), y: zoomed("y") }, pixels);
    }

    private zoomedAxis(axis: AxisKey, range: Range, around: number, notches: number): Range {
        return this.rules.zoomedRange(range, this.fitted[axis], around, notches, this.isLog(axis));
    }

    private isLog(axis: AxisKey): boolean {
        return axis === "y" && this.logarithmicY;
    }

    // The fitted view of each axis: the model's fit for the plot's length, widened for the markers
    // measured on the same length, as the desktop widens them once the plot is laid out.
    private fitAgain(size: PlotSize, keepView: boolean): void {
        this.size = size;
        const fit = (axis: AxisKey, length: number) => {
            const { all, marked } = this.extents;
            const log = this.isLog(axis);
            const fitted = this.rules.fittedAxis(all[axis].min, all[axis].max, length, axis === "y", log);
            const range = this.rules.markerRoom(fitted, marked[axis].min, marked[axis].max, length, log);
            return { range: { min: range.min, max: range.max }, step: fitted.step };
        };
        const x = fit("x", size.width);
        const y = fit("y", size.height);
        this.fitted = { x: x.range, y: y.range };
        this.fittedSteps = { x: x.step, y: y.step };
        if (keepView && this.userView) this.viewSteps = this.stepsOf(this.view);
        else this.showFitted();
    }

    // A view the user chose takes the step of the model's fit of its own range, as fine as it asks.
    private stepsOf(view: View): { x: number; y: number } {
        const step = (axis: AxisKey, length: number) =>
            this.isLog(axis)
                ? this.fittedSteps[axis]
                : this.rules.fittedAxis(view[axis].min, view[axis].max, length, axis === "y", false).step;
        return { x: step("x", this.size.width), y: step("y", this.size.height) };
    }

    private show(view: View): boolean {
        if (sameView(view, this.view)) return false;
        this.view = view;
        this.viewSteps = this.stepsOf(view);
        this.userView = true;
        return true;
    }

    // The share of its span that a notch of the wheel leaves in view, as the model zooms.
    private spanPerNotch(): number {
        const fitted = this.fitted.x;
        const zoomed = this.rules.zoomedRange(fitted, fitted, (fitted.min + fitted.max) / 2, 1, false);
        return (zoomed.max - zoomed.min) / (fitted.max - fitted.min);
    }
}
