// What the stability map and the bifurcation diagram share: a picture on a canvas, named for a screen
// reader and described by the line under it, drawn at most once a frame, that the pointer, a finger
// and the keyboard walk. A place (a cell, a column) under the pointer or the keyboard's cursor is
// told; a click or Enter takes it. A click takes the place of its press, whose pointer event has the
// fractional position the pointer had when it told the place: the click's own rounded position may
// lie in the next of the map's thin cells. A finger points at nothing before it touches, so its tap
// tells the place and puts the cursor there, and a second tap on the place told takes it.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import { PlotCanvas, type PlotShape } from "./plot_canvas";

export abstract class ScanPicture<Place> {
    readonly element: HTMLElement;
    protected readonly plot: PlotCanvas;
    protected cursor?: Place;
    private tapped?: Place; // the place a finger's tap told, which its next tap takes
    private pending = false;

    constructor(shape: PlotShape, name: string, roleDescription: string, describedBy: string) {
        this.plot = new PlotCanvas(shape, () => this.draw());
        this.element = el(
            "div",
            {
                class: "scan-plot",
                role: "img",
                tabindex: "0",
                "aria-label": name,
                "aria-roledescription": roleDescription,
                "aria-describedby": describedBy,
            },
            this.plot.canvas,
        );
        this.listen();
    }

    /** Set once every cell or column has come; tests and the page's benchmark wait for it. */
    complete(done: boolean): void {
        this.element.dataset.complete = String(done);
    }

    protected abstract draw(): void;
    /** The place at a position on the canvas, in CSS pixels. */
    protected abstract placeAt(position: { x: number; y: number }): Place | undefined;
    protected abstract tell(place: Place | undefined): void;
    protected abstract choose(place: Place | undefined): void;
    /** Where a key moves the cursor (from the run's place when there is none yet); undefined: not a key of the picture. */
    protected abstract moved(key: string): Place | undefined;

    /** A new grid: no place of the old one stays marked or told. */
    protected forgetPlaces(): void {
        this.cursor = undefined;
        this.tapped = undefined;
    }

    /** Many changes in a frame: one drawing. */
    protected redraw(): void {
        if (this.pending) return;
        this.pending = true;
        requestAnimationFrame(() => {
            this.pending = false;
            this.draw();
        });
    }

    /** Whether the keyboard is on the picture, where the cursor shows. */
    protected focused(): boolean {
        return document.activeElement === this.element;
    }

    private listen(): void {
        const canvas = this.plot.canvas;
        let pressed: { place: Place | undefined; byFinger: boolean } | undefined;
        const byFinger = (event: PointerEvent) => event.pointerType === "touch";
        // A finger's moves end in a scroll of the page or a tap, and its lifting is no leaving.
        canvas.addEventListener("pointermove", (event) => {
            if (!byFinger(event)) this.tell(this.placeAt(this.plot.place(event)));
        });
        canvas.addEventListener("pointerleave", (event) => {
            if (!byFinger(event)) this.tell(undefined);
        });
        canvas.addEventListener("pointerdown", (event) => {
            pressed = { place: this.placeAt(this.plot.place(event)), byFinger: byFinger(event) };
        });
        canvas.addEventListener("click", () => {
            if (pressed?.byFinger) this.tap(pressed.place);
            else this.choose(pressed?.place);
        });
        this.element.addEventListener("keydown", (event) => this.key(event));
        this.element.addEventListener("focus", () => this.redraw());
        this.element.addEventListener("blur", () => {
            this.tapped = undefined; // the line no longer tells it
            this.tell(undefined);
            this.redraw();
        });
    }

    private tap(place: Place | undefined): void {
        // A place is a number or a few of them.
        const again = place !== undefined && JSON.stringify(place) === JSON.stringify(this.tapped);
        this.tapped = again ? undefined : place;
        if (again) {
            this.choose(place);
            return;
        }
        if (place !== undefined) this.cursor = place;
        this.tell(place);
        this.redraw();
    }

    private key(event: KeyboardEvent): void {
        if (event.key === "Enter" || event.key === " ") {
            this.choose(this.cursor);
        } else {
            const place = this.moved(event.key);
            if (place === undefined) return;
            this.cursor = place;
            this.tell(place);
            this.redraw();
        }
        event.preventDefault();
    }
}
