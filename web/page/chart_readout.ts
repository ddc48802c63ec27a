// The readout on the chart: a ring on the marked point and an opaque box beside it with the model's
// lines, kept within the plot so that the axes' numbers stay readable. The chart says where the point
// is on the plot; where the box goes is readout_geometry's.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import { type Box, type MarkedPoint, boxPlace } from "./readout_geometry";

const BoxOffset = 10; // between the point and the box's corner

export class ChartReadout {
    /** The ring and the box, for the plot's overlay. */
    readonly elements: readonly HTMLElement[];
    private readonly ring: HTMLDivElement;
    private readonly box: HTMLDivElement;
    private mark?: MarkedPoint;

    constructor() {
        this.ring = el("div", { class: "mark-ring", hidden: true });
        this.box = el("div", { class: "readout", hidden: true });
        this.elements = [this.ring, this.box];
    }

    marked(): MarkedPoint | undefined {
        return this.mark;
    }

    /** Marks the point with the readout's lines, the box framed in the series' colour. */
    show(point: MarkedPoint, lines: string[], colour: string): void {
        this.mark = point;
        this.box.replaceChildren(...lines.map((line) => el("div", {}, line)));
        this.box.style.borderColor = colour;
    }

    hide(): void {
        this.mark = undefined;
        this.ring.hidden = true;
        this.box.hidden = true;
    }

    /** Places the ring on the point (hidden when it is off the plot) and the box beside it. */
    place(point: { left: number; top: number }, plot: Box): void {
        const inside = point.left >= -1 && point.left <= plot.width + 1 && point.top >= -1 && point.top <= plot.height + 1;
        this.ring.hidden = !inside;
        this.ring.style.left = `${point.left}px`;
        this.ring.style.top = `${point.top}px`;
        this.box.hidden = false;
        this.box.style.maxWidth = `${plot.width}px`;
        const box = { width: this.box.offsetWidth, height: this.box.offsetHeight };
        const at = boxPlace(point, box, plot, BoxOffset);
        this.box.style.left = `${at.left}px`;
        this.box.style.top = `${at.top}px`;
    }
}
