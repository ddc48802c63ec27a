// What the stability map and the bifurcation diagram share: a picture on a canvas, named for a screen
// reader and described by the line under it, drawn at most once a frame, that the pointer and the
// keyboard walk. A place (a cell, a column) under the pointer or the keyboard's cursor is told; a
// click or Enter takes it. A click takes the place of its press, whose pointer event has the
// fractional position the pointer had when it told the place: the click's own rounded position may
// lie in the next of the map's thin cells.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import { PlotCanvas, type PlotShape } from "./plot_canvas";

export abstract class ScanPicture<Place> {
    readonly element: HTMLElement;
    protected readonly plot: PlotCanvas;
    protected cursor?: Place;
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
        let pressed: Place | undefined;
        canvas.addEventListener("pointermove", (event) => this.tell(this.placeAt(this.plot.place(event))));
        canvas.addEventListener("pointerleave", () => this.tell(undefined));
        canvas.addEventListener("pointerdown", (event) => (pressed = this.placeAt(this.plot.place(event))));
        canvas.addEventListener("click", () => this.choose(pressed));
        this.element.addEventListener("keydown", (event) => this.key(event));
        this.element.addEventListener("focus", () => this.redraw());
        this.element.addEventListener("blur", () => {
            this.tell(undefined);
            this.redraw();
        });
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
