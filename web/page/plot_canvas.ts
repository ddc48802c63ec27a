// A plot on a canvas for the dynamics part: a plot area within margins, linear or logarithmic axes
// with their ticks, numbers and titles, and the way between values and pixels. The map and the diagram
// draw on it; it knows nothing of what they show. The numbers of the ticks are written by the model.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";

export interface Axis {
    min: number;
    max: number;
    logarithmic: boolean;
    title: string;
}

export interface Area {
    left: number;
    top: number;
    width: number;
    height: number;
}

const Margin = { left: 64, right: 44, top: 10, bottom: 44 };
const TickFont = "11px system-ui, sans-serif";
const TickLabelPixels = 11; // a tick label's height: its extent along a vertical axis

/** The ticks of an axis `length` pixels long; ticksOf where a plot gives none of its own. */
export type AxisTicker = (axis: Axis, length: number, vertical: boolean) => number[];

/** Tick values over an axis: 1, 2, 5 times a power of ten, about `count` of them. */
export function ticksOf(axis: Axis, count: number): number[] {
    if (!(axis.max > axis.min)) return [];
    if (axis.logarithmic) {
        const ticks: number[] = [];
        const decades = Math.log10(axis.max / axis.min);
        const steps = decades > count ? [1] : decades > count / 3 ? [1, 3] : [1, 2, 5];
        for (let power = Math.floor(Math.log10(axis.min)); power <= Math.ceil(Math.log10(axis.max)); power += 1)
            for (const step of steps) {
                const value = step * 10 ** power;
                if (value >= axis.min * (1 - 1e-9) && value <= axis.max * (1 + 1e-9)) ticks.push(value);
            }
        return ticks;
    }
    const raw = (axis.max - axis.min) / count;
    const power = 10 ** Math.floor(Math.log10(raw));
    const step = ([1, 2, 5, 10].find((each) => each * power >= raw) ?? 10) * power;
    const ticks: number[] = [];
    for (let value = Math.ceil(axis.min / step) * step; value <= axis.max + step * 1e-9; value += step)
        ticks.push(Math.abs(value) < step * 1e-9 ? 0 : value);
    return ticks;
}

/** The height of a picture: a share of its width, within a least height (where its axes' titles fit) and 480. */
export interface PlotShape {
    heightRatio: number;
    leastHeight: number;
}

export class PlotCanvas {
    readonly canvas: HTMLCanvasElement;
    private context: CanvasRenderingContext2D;
    private cssWidth = 0;
    private cssHeight = 0;
    // The data drawn once and kept: a frame that only moves a mark copies it instead of drawing
    // thousands of cells or points again.
    private readonly layer: HTMLCanvasElement = document.createElement("canvas");
    private layerValid = false;

    constructor(
        private readonly shape: PlotShape,
        private readonly resized: () => void,
    ) {
        this.canvas = el("canvas", { class: "scan-canvas" });
        const context = this.canvas.getContext("2d");
        if (!context) throw new Error("the browser draws no canvas");
        this.context = context;
        new ResizeObserver(() => this.resize()).observe(this.canvas);
    }

    private resize(): void {
        const width = Math.max(240, Math.round(this.canvas.clientWidth));
        if (width === this.cssWidth) return;
        this.cssWidth = width;
        this.cssHeight = Math.round(Math.min(480, Math.max(this.shape.leastHeight, width * this.shape.heightRatio)));
        const ratio = window.devicePixelRatio || 1;
        this.canvas.width = Math.round(width * ratio);
        this.canvas.height = Math.round(this.cssHeight * ratio);
        this.canvas.style.height = `${this.cssHeight}px`;
        this.layerValid = false;
        this.resized();
    }

    /** Starts a drawing: the canvas cleared, in CSS pixels. */
    begin(): CanvasRenderingContext2D {
        const context = this.context;
        const ratio = this.canvas.width / Math.max(1, this.cssWidth);
        context.setTransform(ratio, 0, 0, ratio, 0, 0);
        context.clearRect(0, 0, this.cssWidth, this.cssHeight);
        return context;
    }

    /** The kept layer is out of date: the next drawing paints it whole. */
    invalidate(): void {
        this.layerValid = false;
    }

    /**
     * The kept layer, in CSS pixels, to paint on; `whole` when it was cleared and wants everything,
     * else it holds what was painted before and wants only what is new.
     */
    layerContext(): { context: CanvasRenderingContext2D; whole: boolean } {
        const layer = this.layer;
        const context = layer.getContext("2d");
        if (!context) throw new Error("the browser draws no canvas");
        const whole = !this.layerValid || layer.width !== this.canvas.width || layer.height !== this.canvas.height;
        if (whole) {
            layer.width = this.canvas.width;
            layer.height = this.canvas.height;
            const ratio = this.canvas.width / Math.max(1, this.cssWidth);
            context.setTransform(ratio, 0, 0, ratio, 0, 0);
            this.layerValid = true;
        }
        return { context, whole };
    }

    /** Copies the kept layer onto the canvas. */
    showLayer(): void {
        this.context.save();
        this.context.setTransform(1, 0, 0, 1, 0, 0);
        this.context.drawImage(this.layer, 0, 0);
        this.context.restore();
    }

    /** The plot area; `parts` stacks that many areas, the first taking `firstShare` of the height. */
    areas(parts = 1, firstShare = 1): Area[] {
        const left = Margin.left;
        const width = Math.max(10, this.cssWidth - Margin.left - Margin.right);
        const gap = parts > 1 ? 24 : 0;
        const height = Math.max(10, this.cssHeight - Margin.top - Margin.bottom - gap);
        if (parts === 1) return [{ left, top: Margin.top, width, height }];
        const first = Math.round(height * firstShare);
        return [
            { left, top: Margin.top, width, height: first },
            { left, top: Margin.top + first + gap, width, height: height - first },
        ];
    }

    /** Where a value lies along an axis, as a share of the axis from its start (0) to its end (1). */
    static share(axis: Axis, value: number): number {
        if (axis.logarithmic) return Math.log(value / axis.min) / Math.log(axis.max / axis.min);
        return (value - axis.min) / (axis.max - axis.min);
    }

    /** The value at a share of the axis. */
    static valueAt(axis: Axis, share: number): number {
        if (axis.logarithmic) return axis.min * (axis.max / axis.min) ** share;
        return axis.min + share * (axis.max - axis.min);
    }

    static x(area: Area, axis: Axis, value: number): number {
        return area.left + PlotCanvas.share(axis, value) * area.width;
    }

    static y(area: Area, axis: Axis, value: number): number {
        return area.top + (1 - PlotCanvas.share(axis, value)) * area.height;
    }

    /** A tick label's extent along its axis in pixels: its height on a vertical axis, its width on another. */
    labelExtent(label: string, vertical: boolean): number {
        if (vertical) return TickLabelPixels;
        this.context.save();
        this.context.font = TickFont;
        const width = this.context.measureText(label).width;
        this.context.restore();
        return width;
    }

    /** The frame, ticks and numbers of an area; the x axis' numbers and title only where `withX`. */
    drawAxes(area: Area, x: Axis, y: Axis, label: (value: number) => string, withX = true, ticker?: AxisTicker): void {
        const ticks = ticker ?? ((axis: Axis, length: number, vertical: boolean) => ticksOf(axis, Math.max(2, Math.round(length / (vertical ? 40 : 70)))));
        const context = this.context;
        const ink = getComputedStyle(this.canvas).color;
        context.save();
        context.strokeStyle = ink;
        context.fillStyle = ink;
        context.lineWidth = 1;
        context.strokeRect(area.left, area.top, area.width, area.height);
        context.font = TickFont;
        context.textAlign = "right";
        context.textBaseline = "middle";
        for (const value of ticks(y, area.height, true)) {
            const py = PlotCanvas.y(area, y, value);
            context.fillText(label(value), area.left - 6, py);
            context.beginPath();
            context.moveTo(area.left - 4, py);
            context.lineTo(area.left, py);
            context.stroke();
        }
        context.save();
        context.translate(12, area.top + area.height / 2);
        context.rotate(-Math.PI / 2);
        context.textAlign = "center";
        // A title longer than its axis, on a narrow screen, in smaller letters rather than over the next.
        context.font = "bold 12px system-ui, sans-serif";
        const length = context.measureText(y.title).width;
        if (length > area.height) context.font = `bold ${Math.max(8, Math.floor((12 * area.height) / length))}px system-ui, sans-serif`;
        context.fillText(y.title, 0, 0);
        context.restore();
        if (withX) {
            context.textAlign = "center";
            context.textBaseline = "top";
            for (const value of ticks(x, area.width, false)) {
                const px = PlotCanvas.x(area, x, value);
                context.fillText(label(value), px, area.top + area.height + 6);
                context.beginPath();
                context.moveTo(px, area.top + area.height);
                context.lineTo(px, area.top + area.height + 4);
                context.stroke();
            }
            context.font = "bold 12px system-ui, sans-serif";
            context.fillText(x.title, area.left + area.width / 2, area.top + area.height + 24);
        }
        context.restore();
    }

    /** The pointer's place within the canvas, in CSS pixels. */
    place(event: MouseEvent): { x: number; y: number } {
        const rect = this.canvas.getBoundingClientRect();
        return { x: event.clientX - rect.left, y: event.clientY - rect.top };
    }
}
