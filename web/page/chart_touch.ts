// Fingers on the chart. One finger belongs to the browser, which scrolls the page with it (the chart's
// touch-action leaves it that), so that a reader on a phone is never held on the chart; a tap, which
// scrolls nothing, reads the point under the finger. What is a tap is the browser's to say (a touch
// that stops the page's fling, or a long press, is none): it says so with a click. Two fingers are the
// chart's: they pan and pinch its view, and the browser neither scrolls nor zooms the page with them.
// The mouse and the pen are left to the chart's own listeners.
// SPDX-License-Identifier: GPL-3.0-or-later

/** A place in the window's CSS pixels. */
export interface Place {
    x: number;
    y: number;
}

/** Two fingers as a pinch sees them: the middle between them and how far apart they are. */
export interface Pair {
    middle: Place;
    spread: number;
}

export interface ChartTouchHooks {
    /** A finger went down and up in place. */
    tapped(place: Place): void;
    /** Two fingers are down: the gesture counts from this pair and the view of this moment. */
    pinchStarted(pair: Pair): void;
    /** The two fingers moved to this pair. */
    pinched(pair: Pair): void;
}

function pairOf(fingers: Map<number, Place>): Pair | undefined {
    const [first, second] = [...fingers.values()];
    if (!first || !second) return undefined;
    return {
        middle: { x: (first.x + second.x) / 2, y: (first.y + second.y) / 2 },
        spread: Math.hypot(second.x - first.x, second.y - first.y),
    };
}

/** Whether a pointer event is a finger's; the chart's mouse listeners pass these by. */
export function isFinger(event: PointerEvent): boolean {
    return event.pointerType === "touch";
}

export class ChartTouch {
    private readonly fingers = new Map<number, Place>();
    private lonePress?: Place; // where a finger alone went down, which its tap reads

    constructor(
        target: HTMLElement,
        private readonly hooks: ChartTouchHooks,
    ) {
        target.addEventListener("pointerdown", (event) => this.down(event));
        target.addEventListener("pointermove", (event) => isFinger(event) && this.move(event));
        target.addEventListener("pointerup", (event) => isFinger(event) && this.lift(event.pointerId));
        // The browser took the finger to scroll the page: no pinch.
        target.addEventListener("pointercancel", (event) => isFinger(event) && this.lift(event.pointerId));
        target.addEventListener("click", () => {
            const press = this.lonePress;
            this.lonePress = undefined;
            if (press) this.hooks.tapped(press);
        });
        // Two fingers stay the chart's also in a browser that, whatever the touch-action, would
        // scroll or zoom the page with them.
        target.addEventListener(
            "touchmove",
            (event) => {
                if (event.touches.length >= 2 && event.cancelable) event.preventDefault();
            },
            { passive: false },
        );
    }

    // Any press but a lone finger's (the mouse's, a second finger) makes the next click no tap.
    private down(event: PointerEvent): void {
        if (!isFinger(event)) {
            this.lonePress = undefined;
            return;
        }
        const place = { x: event.clientX, y: event.clientY };
        this.fingers.set(event.pointerId, place);
        this.lonePress = this.fingers.size === 1 ? place : undefined;
        const pair = this.fingers.size === 2 ? pairOf(this.fingers) : undefined;
        if (pair) this.hooks.pinchStarted(pair);
    }

    private move(event: PointerEvent): void {
        if (!this.fingers.has(event.pointerId)) return;
        this.fingers.set(event.pointerId, { x: event.clientX, y: event.clientY });
        const pair = this.fingers.size === 2 ? pairOf(this.fingers) : undefined;
        if (pair) this.hooks.pinched(pair);
    }

    // A pinch goes on only with two fingers: the two left start it anew from where they are.
    private lift(id: number): void {
        this.fingers.delete(id);
        if (this.fingers.size === 2) {
            const pair = pairOf(this.fingers);
            if (pair) this.hooks.pinchStarted(pair);
        }
    }
}
