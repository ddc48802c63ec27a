// What the mouse (and the pen) does on the chart: a press and release in place is a click, anywhere on
// the chart; a press that moves further is a drag, which pans when it began on the plot; a move with
// no button down points; the wheel zooms. Fingers are ChartTouch's.
// SPDX-License-Identifier: GPL-3.0-or-later
import { isFinger } from "./chart_touch";

export interface ChartMouseHooks {
    /** Whether a place in the window is on the plot (or just beside it). */
    onPlot(clientX: number, clientY: number): boolean;
    clicked(): void;
    /** A drag from the plot begins; the moves that follow are from the press. */
    dragStarted(): void;
    dragged(dx: number, dy: number): void;
    /** The pointer moved with no button down; or left the chart (null). */
    pointed(place: { clientX: number; clientY: number } | null): void;
    /** The wheel turned by notches (up positive) at a place; false when that changed nothing. */
    wheeled(clientX: number, clientY: number, notches: number): boolean;
}

const DragPixels = 4; // a press that moves further is a drag, not a click
const PixelsPerNotch = 100; // a wheel's notch, in the pixels of a browser's wheel event

export class ChartMouse {
    private press?: { x: number; y: number; dragging: boolean; pans: boolean };

    constructor(
        private readonly root: HTMLElement,
        private readonly hooks: ChartMouseHooks,
    ) {
        root.addEventListener("pointerdown", (event) => this.pressed(event));
        root.addEventListener("pointermove", (event) => {
            if (!isFinger(event)) this.moved(event);
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
        root.addEventListener("wheel", (event) => this.wheeled(event), { passive: false });
    }

    private pressed(event: PointerEvent): void {
        if (event.button !== 0 || isFinger(event)) return;
        this.root.setPointerCapture(event.pointerId);
        const pans = this.hooks.onPlot(event.clientX, event.clientY);
        this.press = { x: event.clientX, y: event.clientY, dragging: false, pans };
    }

    private moved(event: PointerEvent): void {
        const press = this.press;
        if (!press) {
            this.hooks.pointed(event);
            return;
        }
        const dx = event.clientX - press.x;
        const dy = event.clientY - press.y;
        if (!press.dragging && Math.abs(dx) + Math.abs(dy) <= DragPixels) return;
        if (!press.dragging && press.pans) this.hooks.dragStarted();
        press.dragging = true;
        if (press.pans) this.hooks.dragged(dx, dy);
    }

    // A wheel that can zoom no further scrolls the page, so that the chart is no trap for a reader
    // scrolling past it.
    private wheeled(event: WheelEvent): void {
        const notches = -event.deltaY / (event.deltaMode === 0 ? PixelsPerNotch : 1);
        if (notches === 0 || this.press) return;
        if (this.hooks.wheeled(event.clientX, event.clientY, notches)) event.preventDefault();
    }
}
