// The stability map on a canvas: the lag across and r up, each cell in the colour of its regime (pale
// grey until it is computed), the r_c curve solid and the r_m curve dashed with their names at their
// ends, the continuous-time twin's r_c = π/(2T) dotted with its name inside the plot, and the run
// marked. For a screen reader it is a picture named "Stability map" that the keyboard walks: the
// arrow keys move a cursor from cell to cell (Page Up and Page Down by ten), the line under the map
// tells the cell, and Enter takes it as a click does.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { DynamicsLabels, DynamicsPlan, RegimeReport, ScanCell } from "tarnis-module";
import { type AxisRules, ticksWithRoom } from "./chart_viewport";
import { type Box, type Curve, labelBeside } from "./curve_label";
import { translate, translateIn } from "./language";
import { type Area, type Axis, PlotCanvas } from "./plot_canvas";
import { ScanPicture } from "./scan_picture";

const LabelPixels = 13; // a line of the curves' names, in bold 12 px letters
const LabelFont = "bold 12px system-ui, sans-serif";

export interface MapHooks {
    /** The name of the twin's curve: "continuous r_c". */
    continuousLabel: string;
    tickLabel(value: number): string;
    /** The model's rules of axes, whose ticks the map's axes carry, as the run charts' do. */
    axisRules: AxisRules;
    colour(regime: number | undefined): string;
    /** The pointer or the cursor is on a cell (its r, lag and report if computed), or on none. */
    pointed(cell: { r: number; lag: number; report?: RegimeReport } | null): void;
    chosen(r: number, lag: number): void;
}

/** The index of the cell between edges that holds `value`, or -1 outside them. */
export function cellBetween(edges: ArrayLike<number>, value: number): number {
    if (!(value >= (edges[0] ?? NaN)) || !(value <= (edges[edges.length - 1] ?? NaN))) return -1;
    let low = 0;
    let high = edges.length - 1;
    while (high - low > 1) {
        const middle = (low + high) >> 1;
        if ((edges[middle] ?? NaN) <= value) low = middle;
        else high = middle;
    }
    return low;
}

interface Cell {
    rate: number;
    lag: number;
}

export class StabilityMap extends ScanPicture<Cell> {
    private plan?: DynamicsPlan;
    private twinLimits: Array<number | undefined> = []; // the twin's r_c at each of the plan's lags
    private run?: { r: number; lag: number };
    private reports: Array<RegimeReport | undefined> = [];
    private computed: Uint8Array = new Uint8Array(0);
    private fresh: number[] = []; // cells come since the layer was painted

    constructor(
        private readonly hooks: MapHooks,
        private labels: DynamicsLabels,
        describedBy: string,
    ) {
        super(
            { heightRatio: 0.62, leastHeight: 240 },
            translate("Stability map"),
            // TRANSLATORS: "map" is what a screen reader calls the kind of this picture (its role).
            translateIn("role", "map"),
            describedBy,
        );
    }

    /** A new grid: every cell is still to be computed. */
    setPlan(plan: DynamicsPlan, run: { r: number; lag: number }, labels: DynamicsLabels, twinLimits: Array<number | undefined>): void {
        this.plan = plan;
        this.twinLimits = twinLimits;
        this.labels = labels;
        this.run = run;
        const count = plan.map.rates.length * plan.map.lags.length;
        this.reports = new Array<RegimeReport | undefined>(count);
        this.computed = new Uint8Array(count);
        this.forgetPlaces();
        this.fresh = [];
        this.plot.invalidate();
        this.element.dataset.complete = "false";
        this.redraw();
    }

    /** The same grid for another run: the cells stay, the mark moves. */
    moveRun(run: { r: number; lag: number }): void {
        this.run = run;
        this.redraw();
    }

    addCells(cells: ScanCell[]): void {
        const lags = this.plan?.map.lags.length ?? 0;
        for (const cell of cells) {
            const index = cell.rateIndex * lags + cell.lagIndex;
            this.reports[index] = cell.report;
            this.computed[index] = 1;
            this.fresh.push(index);
        }
        this.redraw();
    }

    private axes(): { x: Axis; y: Axis } | undefined {
        const plan = this.plan;
        if (!plan) return undefined;
        const edge = (edges: Float64Array, last: boolean) => edges[last ? edges.length - 1 : 0] ?? 0;
        return {
            x: { min: edge(plan.lagEdges, false), max: edge(plan.lagEdges, true), logarithmic: plan.logarithmicMapLags, title: this.labels.lagAxis },
            y: { min: edge(plan.rateEdges, false), max: edge(plan.rateEdges, true), logarithmic: plan.logarithmicMapRates, title: this.labels.rateAxis },
        };
    }

    protected draw(): void {
        const plan = this.plan;
        const axes = this.axes();
        if (!plan || !axes) return;
        const [area] = this.plot.areas();
        if (!area) return;
        this.paintCells(area, axes);
        const context = this.plot.begin();
        this.plot.showLayer();
        const stable = this.curvePoints(area, axes, (index) => plan.limits[index]?.rStable);
        const monotone = this.curvePoints(area, axes, (index) => plan.limits[index]?.rMonotone);
        const twin = this.curvePoints(area, axes, (index) => this.twinLimits[index]);
        this.strokeCurve(context, area, stable, []);
        this.strokeCurve(context, area, monotone, [6, 4]);
        this.strokeCurve(context, area, twin, [2, 3]);
        const stableName = this.nameAtEnd(context, area, stable, this.labels.stableMark);
        const monotoneName = this.nameAtEnd(context, area, monotone, this.labels.monotoneMark, stableName);
        this.nameInside(context, area, twin, { curves: [stable, monotone], labels: [stableName, monotoneName] });
        this.drawRun(context, area, axes);
        this.drawCursor(context, area, axes);
        this.plot.drawAxes(area, axes.x, axes.y, this.hooks.tickLabel, true, (axis, length, vertical) =>
            this.modelTicks(area, axis, length, vertical),
        );
    }

    // The model's ticks: on a logarithmic axis its powers of ten, on a linear one the multiples of the step
    // it fits to the axis' length; the densest whose labels stand apart. The map says which it drew.
    private modelTicks(area: Area, axis: Axis, length: number, vertical: boolean): number[] {
        const rules = this.hooks.axisRules;
        const step = axis.logarithmic ? 10 : rules.fittedAxis(axis.min, axis.max, length, vertical, false).step;
        const place = (value: number) => (vertical ? PlotCanvas.y(area, axis, value) : PlotCanvas.x(area, axis, value));
        const { values } = ticksWithRoom({ min: axis.min, max: axis.max, step }, axis.logarithmic, rules, {
            text: (value) => this.hooks.tickLabel(value),
            extent: (label) => this.plot.labelExtent(label, vertical),
            place,
        });
        this.element.dataset[vertical ? "rateTicks" : "lagTicks"] = values.join(" ");
        return values;
    }

    // The cells on the kept layer: all of them when it is new, else those come since.
    private paintCells(area: Area, axes: { x: Axis; y: Axis }): void {
        const plan = this.plan;
        if (!plan) return;
        const { context, whole } = this.plot.layerContext();
        const lags = plan.map.lags.length;
        const paint = (index: number) => {
            const rate = Math.floor(index / lags);
            context.fillStyle = this.hooks.colour(this.computed[index] ? this.reports[index]?.regime : undefined);
            const [left, top, right, bottom] = this.cellRect(area, axes, rate, index - rate * lags);
            context.fillRect(left, top, right - left + 0.5, bottom - top + 0.5);
        };
        if (whole) for (let index = 0; index < this.computed.length; index += 1) paint(index);
        else for (const index of this.fresh) paint(index);
        this.fresh = [];
    }

    private cellRect(area: Area, axes: { x: Axis; y: Axis }, rate: number, lag: number): [number, number, number, number] {
        const plan = this.plan;
        if (!plan) return [0, 0, 0, 0];
        const x = (value: number) => PlotCanvas.x(area, axes.x, value);
        const y = (value: number) => PlotCanvas.y(area, axes.y, value);
        return [
            x(plan.lagEdges[lag] ?? 0),
            y(plan.rateEdges[rate + 1] ?? 0),
            x(plan.lagEdges[lag + 1] ?? 0),
            y(plan.rateEdges[rate] ?? 0),
        ];
    }

    // The points of a curve of limits along the map's lags, where they lie within the r axis.
    private curvePoints(area: Area, axes: { x: Axis; y: Axis }, value: (index: number) => number | undefined): Curve {
        const points: Array<[number, number]> = [];
        this.plan?.map.lags.forEach((lag, index) => {
            const r = value(index);
            if (r !== undefined && r > axes.y.min && r <= axes.y.max)
                points.push([PlotCanvas.x(area, axes.x, lag), PlotCanvas.y(area, axes.y, r)]);
        });
        return points;
    }

    // A curve on a white halo, so that it shows on every colour.
    private strokeCurve(context: CanvasRenderingContext2D, area: Area, points: Curve, dashes: number[]): void {
        if (points.length === 0) return;
        context.save();
        context.beginPath();
        context.rect(area.left, area.top, area.width, area.height);
        context.clip();
        for (const [stroke, width] of [["#ffffff", 4], ["#000000", 1.75]] as const) {
            context.strokeStyle = stroke;
            context.lineWidth = width;
            context.setLineDash(stroke === "#000000" ? dashes : []);
            context.beginPath();
            points.forEach(([x, y], index) => (index === 0 ? context.moveTo(x, y) : context.lineTo(x, y)));
            context.stroke();
        }
        context.restore();
    }

    // A curve's name beside its end, right of the plot; where the curves meet at long lags, under the
    // name of `below` rather than over it. Its box, which the names inside the plot keep clear of.
    private nameAtEnd(context: CanvasRenderingContext2D, area: Area, points: Curve, name: string, below?: Box): Box | undefined {
        const last = points[points.length - 1];
        if (!last) return undefined;
        context.font = LabelFont;
        context.fillStyle = getComputedStyle(this.element).color;
        context.textBaseline = "middle";
        const middle = Math.max(last[1], (below ? below.top + below.height / 2 : -Infinity) + LabelPixels);
        const left = Math.min(last[0] + 4, area.left + area.width + 4);
        context.fillText(name, left, middle);
        return { left, top: middle - LabelPixels / 2, width: context.measureText(name).width, height: LabelPixels };
    }

    // The twin's name within the plot, on the cells, in black on a white halo as its curve is drawn.
    private nameInside(
        context: CanvasRenderingContext2D,
        area: Area,
        points: Curve,
        others: { curves: Curve[]; labels: Array<Box | undefined> },
    ): void {
        const name = this.hooks.continuousLabel;
        context.font = LabelFont;
        const size = { width: context.measureText(name).width, height: LabelPixels };
        const labels = others.labels.filter((label): label is Box => label !== undefined);
        const box = labelBeside(points, size, area, { curves: others.curves, labels });
        this.element.dataset.continuousLabel = box ? [box.left, box.top, box.width, box.height].map(Math.round).join(" ") : "";
        if (!box) return;
        context.save();
        context.textBaseline = "middle";
        context.lineJoin = "round";
        context.lineWidth = 3;
        context.strokeStyle = "#ffffff";
        context.fillStyle = "#000000";
        context.strokeText(name, box.left, box.top + box.height / 2);
        context.fillText(name, box.left, box.top + box.height / 2);
        context.restore();
    }

    private drawRun(context: CanvasRenderingContext2D, area: Area, axes: { x: Axis; y: Axis }): void {
        const run = this.run;
        if (!run || !(run.lag >= axes.x.min && run.lag <= axes.x.max && run.r >= axes.y.min && run.r <= axes.y.max))
            return;
        const x = PlotCanvas.x(area, axes.x, run.lag);
        const y = PlotCanvas.y(area, axes.y, run.r);
        context.save();
        context.lineWidth = 2;
        context.strokeStyle = "#000000";
        context.fillStyle = "#ffffff";
        context.beginPath();
        context.arc(x, y, 6, 0, 2 * Math.PI);
        context.fill();
        context.stroke();
        context.beginPath();
        context.moveTo(x - 6, y);
        context.lineTo(x + 6, y);
        context.moveTo(x, y - 6);
        context.lineTo(x, y + 6);
        context.stroke();
        context.restore();
    }

    private drawCursor(context: CanvasRenderingContext2D, area: Area, axes: { x: Axis; y: Axis }): void {
        if (!this.cursor || !this.focused()) return;
        const [left, top, right, bottom] = this.cellRect(area, axes, this.cursor.rate, this.cursor.lag);
        context.save();
        context.lineWidth = 2;
        context.strokeStyle = "#000000";
        context.strokeRect(left - 1, top - 1, right - left + 2, bottom - top + 2);
        context.strokeStyle = "#ffffff";
        context.lineWidth = 1;
        context.strokeRect(left - 2.5, top - 2.5, right - left + 5, bottom - top + 5);
        context.restore();
    }

    /** The cell under a place on the canvas. */
    protected placeAt(place: { x: number; y: number }): Cell | undefined {
        const plan = this.plan;
        const axes = this.axes();
        const [area] = this.plot.areas();
        if (!plan || !axes || !area) return undefined;
        const across = (place.x - area.left) / area.width;
        const up = 1 - (place.y - area.top) / area.height;
        if (!(across >= 0 && across <= 1 && up >= 0 && up <= 1)) return undefined;
        const lag = cellBetween(plan.lagEdges, PlotCanvas.valueAt(axes.x, across));
        const rate = cellBetween(plan.rateEdges, PlotCanvas.valueAt(axes.y, up));
        return lag < 0 || rate < 0 ? undefined : { rate: Math.min(rate, plan.map.rates.length - 1), lag: Math.min(lag, plan.map.lags.length - 1) };
    }

    protected tell(cell: Cell | undefined): void {
        const plan = this.plan;
        if (!plan || !cell) {
            this.hooks.pointed(null);
            return;
        }
        const index = cell.rate * plan.map.lags.length + cell.lag;
        this.hooks.pointed({
            r: plan.map.rates[cell.rate] ?? NaN,
            lag: plan.map.lags[cell.lag] ?? NaN,
            report: this.computed[index] ? this.reports[index] : undefined,
        });
    }

    protected choose(cell: Cell | undefined): void {
        const plan = this.plan;
        if (!plan || !cell) return;
        this.hooks.chosen(plan.map.rates[cell.rate] ?? NaN, plan.map.lags[cell.lag] ?? NaN);
    }

    // Left and Right along the lags, Up and Down along r, Page Up and Page Down ten rows of r.
    protected moved(key: string): Cell | undefined {
        const plan = this.plan;
        const moves: Record<string, [number, number]> = {
            ArrowLeft: [0, -1],
            ArrowRight: [0, 1],
            ArrowUp: [1, 0],
            ArrowDown: [-1, 0],
            PageUp: [10, 0],
            PageDown: [-10, 0],
        };
        const move = moves[key];
        if (!plan || !move) return undefined;
        const start = this.cursor ?? this.runCell() ?? { rate: 0, lag: 0 };
        const [up, across] = this.cursor ? move : [0, 0];
        return {
            rate: Math.max(0, Math.min(plan.map.rates.length - 1, start.rate + up)),
            lag: Math.max(0, Math.min(plan.map.lags.length - 1, start.lag + across)),
        };
    }

    // The cell nearest to the run, where the keyboard's cursor starts.
    private runCell(): Cell | undefined {
        const plan = this.plan;
        const run = this.run;
        if (!plan || !run) return undefined;
        const nearest = (values: Float64Array, value: number) => {
            let best = 0;
            values.forEach((each, index) => {
                if (Math.abs(each - value) < Math.abs((values[best] ?? 0) - value)) best = index;
            });
            return best;
        };
        return { rate: nearest(plan.map.rates, run.r), lag: nearest(plan.map.lags, run.lag) };
    }
}
