// The bifurcation diagram on a canvas: over r at the run's lag (or over the lag at its r), the values
// of N that each run keeps visiting once settled, and under it, on the same axis, the Lyapunov
// exponent (above 0: chaos), with r_c, r_m and the run marked and named. Like the map, a picture the
// keyboard walks: Left and Right move along the columns, the line under it tells the column, Enter
// takes it as a click does.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { BifurcationColumn, BifurcationRequest, DynamicsLabels } from "tarnis-module";
import { translate, translateIn } from "./language";
import { type Area, type Axis, PlotCanvas } from "./plot_canvas";
import { ScanPicture } from "./scan_picture";

export interface DiagramHooks {
    tickLabel(value: number): string;
    /** The pointer or the cursor is on a column (its value, and the column if computed), or on none. */
    pointed(column: { value: number; column?: BifurcationColumn } | null): void;
    chosen(value: number): void;
}

/** A mark along the axis: where it is and its name. */
export interface DiagramMark {
    value: number;
    name: string;
}

const PointColour = "#1f4e9c";

export class BifurcationView extends ScanPicture<number> {
    private request?: BifurcationRequest;
    private logarithmic = false;
    private columns: Array<BifurcationColumn | undefined> = [];
    private marks: DiagramMark[] = [];
    private fresh: BifurcationColumn[] = []; // columns come since the layer was painted
    private computed = 0; // columns come so far
    private paintedMax = NaN; // the top of the N axis the layer was painted for
    private nTop = 0; // the top of the N axis
    private extent = { nMax: 0, eMin: -0.1, eMax: 0.1 }; // of the columns come so far
    private paintedRows = new Uint32Array(0); // per pixel row, the last column painted there
    private paintedColumns = 0;

    constructor(
        private readonly hooks: DiagramHooks,
        private labels: DynamicsLabels,
        describedBy: string,
    ) {
        // Two plots one above the other, each tall enough for its axis' title on a phone.
        super(
            { heightRatio: 0.7, leastHeight: 340 },
            translate("Bifurcation diagram and Lyapunov exponent"),
            // TRANSLATORS: "diagram" is what a screen reader calls the kind of this picture (its role).
            translateIn("role", "diagram"),
            describedBy,
        );
    }

    setRequest(request: BifurcationRequest, logarithmic: boolean, marks: DiagramMark[], labels: DynamicsLabels): void {
        this.request = request;
        this.logarithmic = logarithmic;
        this.marks = marks;
        this.labels = labels;
        this.columns = new Array<BifurcationColumn | undefined>(request.values.length);
        this.forgetPlaces();
        this.fresh = [];
        this.computed = 0;
        this.nTop = 0;
        this.extent = { nMax: 0, eMin: -0.1, eMax: 0.1 };
        this.plot.invalidate();
        this.element.dataset.complete = "false";
        this.redraw();
    }

    /** The same columns for another run: the marks move. */
    moveMarks(marks: DiagramMark[]): void {
        this.marks = marks;
        this.redraw();
    }

    addColumns(columns: BifurcationColumn[]): void {
        const extent = this.extent;
        for (const column of columns) {
            if (this.columns[column.index] === undefined) this.computed += 1;
            this.columns[column.index] = column;
            for (const value of column.N) if (Number.isFinite(value) && value > extent.nMax) extent.nMax = value;
            const exponent = column.lyapunov;
            if (exponent !== undefined && Number.isFinite(exponent)) {
                extent.eMin = Math.min(extent.eMin, exponent);
                extent.eMax = Math.max(extent.eMax, exponent);
            }
        }
        this.fresh.push(...columns);
        this.growTop();
        this.redraw();
    }

    // A new top of the N axis paints every column again. While the columns come (over r the kept
    // values spread wider with every slice past r_c), the top grows a quarter beyond what they need at
    // a time, so that happens a few times rather than at every slice; once all have come it fits them.
    private growTop(): void {
        const needed = this.extent.nMax * 1.05;
        if (this.computed === this.columns.length) this.nTop = needed;
        else if (needed > this.nTop) this.nTop = needed * 1.25;
    }

    private xAxis(): Axis | undefined {
        const values = this.request?.values;
        if (!values || values.length === 0) return undefined;
        let min = Infinity;
        let max = -Infinity;
        for (let index = 0; index < values.length; index += 1) {
            const value = values[index] ?? NaN;
            if (this.logarithmic && !(value > 0)) continue;
            min = Math.min(min, value);
            max = Math.max(max, value);
        }
        const title = this.request?.axis === "rate" ? this.labels.rateAxis : this.labels.lagAxis;
        if (!(max > min)) return undefined;
        // Room of half a step at each end, so that the first and last columns show whole.
        const room = this.logarithmic ? (max / min) ** (0.5 / values.length) : ((max - min) * 0.5) / values.length;
        return this.logarithmic
            ? { min: min / room, max: max * room, logarithmic: true, title }
            : { min: min - room, max: max + room, logarithmic: false, title };
    }

    private yAxes(): { n: Axis; exponent: Axis } {
        const { eMin, eMax } = this.extent;
        return {
            n: { min: 0, max: this.nTop > 0 ? this.nTop : 1, logarithmic: false, title: this.labels.keptValuesAxis },
            exponent: { min: eMin * 1.05, max: eMax * 1.05, logarithmic: false, title: this.labels.exponentAxis },
        };
    }

    protected draw(): void {
        const x = this.xAxis();
        if (!x) return;
        const { n, exponent } = this.yAxes();
        const [top, bottom] = this.plot.areas(2, 0.68);
        if (!top || !bottom) return;
        this.paintPoints(top, x, n);
        const context = this.plot.begin();
        this.plot.showLayer();
        context.save();
        this.drawExponent(context, bottom, x, exponent);
        this.drawMarks(context, [top, bottom], x);
        this.drawCursor(context, [top, bottom], x);
        context.restore();
        this.plot.drawAxes(top, x, n, this.hooks.tickLabel, false);
        this.plot.drawAxes(bottom, x, exponent, this.hooks.tickLabel);
    }

    // The kept values on the kept layer: all columns when it is new or the N axis grew, else the new ones.
    // Each pixel row of a column once: a settled or periodic run keeps visiting the same few values.
    private paintPoints(area: Area, x: Axis, n: Axis): void {
        if (n.max !== this.paintedMax) this.plot.invalidate();
        this.paintedMax = n.max;
        const { context, whole } = this.plot.layerContext();
        context.fillStyle = PointColour;
        const dot = this.logarithmic || this.columns.length > 100 ? 1.5 : 3;
        const rows = this.rowsOf(area);
        for (const column of whole ? this.columns : this.fresh) {
            if (!column || (this.logarithmic && !(column.value > 0))) continue;
            const px = PlotCanvas.x(area, x, column.value);
            const mark = ++this.paintedColumns;
            for (const value of column.N) {
                if (!(Number.isFinite(value) && value >= 0 && value <= n.max)) continue;
                const row = Math.round(PlotCanvas.y(area, n, value));
                if (rows[row] === mark) continue;
                rows[row] = mark;
                context.fillRect(px - dot / 2, row - dot / 2, dot, dot);
            }
        }
        this.fresh = [];
    }

    private rowsOf(area: Area): Uint32Array {
        const needed = Math.ceil(area.top + area.height) + 2;
        if (this.paintedRows.length < needed) this.paintedRows = new Uint32Array(needed);
        return this.paintedRows;
    }

    private drawExponent(context: CanvasRenderingContext2D, area: Area, x: Axis, y: Axis): void {
        const zero = PlotCanvas.y(area, y, 0);
        context.strokeStyle = "#888888";
        context.lineWidth = 1;
        context.beginPath();
        context.moveTo(area.left, zero);
        context.lineTo(area.left + area.width, zero);
        context.stroke();
        context.strokeStyle = PointColour;
        context.lineWidth = 1.25;
        context.beginPath();
        let joined = false;
        for (const column of this.columns) {
            const exponent = column?.lyapunov;
            if (!column || exponent === undefined || !Number.isFinite(exponent) || (this.logarithmic && !(column.value > 0))) {
                joined = false;
                continue;
            }
            const px = PlotCanvas.x(area, x, column.value);
            const py = PlotCanvas.y(area, y, exponent);
            if (joined) context.lineTo(px, py);
            else context.moveTo(px, py);
            joined = true;
        }
        context.stroke();
    }

    // Each mark as a dashed line down both plots, named at the top; names that would meet step down.
    private drawMarks(context: CanvasRenderingContext2D, areas: Area[], x: Axis): void {
        const ink = getComputedStyle(this.element).color;
        context.font = "bold 11px system-ui, sans-serif";
        context.textBaseline = "top";
        this.marks.forEach((mark, row) => {
            if (!(mark.value >= x.min && mark.value <= x.max)) return;
            context.strokeStyle = ink;
            context.setLineDash(mark.name === this.labels.runMark ? [] : [4, 3]);
            for (const area of areas) {
                const px = PlotCanvas.x(area, x, mark.value);
                context.beginPath();
                context.moveTo(px, area.top);
                context.lineTo(px, area.top + area.height);
                context.stroke();
            }
            context.setLineDash([]);
            const first = areas[0];
            if (!first) return;
            context.fillStyle = ink;
            context.fillText(mark.name, PlotCanvas.x(first, x, mark.value) + 3, first.top + 3 + row * 14);
        });
    }

    private drawCursor(context: CanvasRenderingContext2D, areas: Area[], x: Axis): void {
        const value = this.cursor === undefined ? undefined : this.request?.values[this.cursor];
        if (value === undefined || !this.focused()) return;
        context.fillStyle = "rgba(180, 83, 9, 0.25)";
        for (const area of areas) context.fillRect(PlotCanvas.x(area, x, value) - 2, area.top, 4, area.height);
    }

    /** The column nearest to a place on the canvas. */
    protected placeAt(place: { x: number; y: number }): number | undefined {
        const x = this.xAxis();
        const [top, bottom] = this.plot.areas(2, 0.68);
        const values = this.request?.values;
        if (!x || !top || !bottom || !values) return undefined;
        if (place.x < top.left || place.x > top.left + top.width || place.y < top.top || place.y > bottom.top + bottom.height)
            return undefined;
        const share = (place.x - top.left) / top.width;
        let best: number | undefined;
        let bestDistance = Infinity;
        for (let index = 0; index < values.length; index += 1) {
            const distance = Math.abs(PlotCanvas.share(x, values[index] ?? NaN) - share);
            if (distance < bestDistance) {
                best = index;
                bestDistance = distance;
            }
        }
        return best;
    }

    protected tell(index: number | undefined): void {
        const value = index === undefined ? undefined : this.request?.values[index];
        if (index === undefined || value === undefined) {
            this.hooks.pointed(null);
            return;
        }
        this.hooks.pointed({ value, column: this.columns[index] });
    }

    protected choose(index: number | undefined): void {
        const value = index === undefined ? undefined : this.request?.values[index];
        if (value !== undefined) this.hooks.chosen(value);
    }

    // Left and Right column by column, Page Up and Page Down by ten.
    protected moved(key: string): number | undefined {
        const count = this.request?.values.length ?? 0;
        const step = ({ ArrowLeft: -1, ArrowRight: 1, PageDown: -10, PageUp: 10 } as Record<string, number>)[key];
        if (count === 0 || step === undefined) return undefined;
        const next = this.cursor === undefined ? this.nearestToRun() : this.cursor + step;
        return Math.max(0, Math.min(count - 1, next));
    }

    private nearestToRun(): number {
        const run = this.marks.find((mark) => mark.name === this.labels.runMark)?.value;
        const values = this.request?.values;
        if (run === undefined || !values) return 0;
        let best = 0;
        for (let index = 0; index < values.length; index += 1)
            if (Math.abs((values[index] ?? NaN) - run) < Math.abs((values[best] ?? NaN) - run)) best = index;
        return best;
    }
}
