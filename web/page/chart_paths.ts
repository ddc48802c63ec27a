// The series' paths: lines joined in row order and broken where a point has no value, or a square
// marker on each point. One walk for the canvas on screen and for the picture in vectors, so that both
// break a line at the same rows.
// SPDX-License-Identifier: GPL-3.0-or-later
import type uPlot from "uplot";

export type SeriesLook = "line" | "points";

/** What a path is drawn with: a canvas' Path2D, or the picture's text. */
export interface Pen {
    moveTo(x: number, y: number): void;
    lineTo(x: number, y: number): void;
    /** A marker centred on the point. */
    square(x: number, y: number): void;
}

/** Whether a row is a point of the chart: the module gives no value as NaN; a logarithmic axis has no place for y ≤ 0. */
export function hasValue(x: number | null | undefined, y: number | null | undefined, logarithmicY: boolean): boolean {
    return (
        typeof x === "number" && typeof y === "number" && Number.isFinite(x) && Number.isFinite(y) && (!logarithmicY || y > 0)
    );
}

/** Draws the rows of a series with the pen, at the places `place` gives them. */
export function traceSeries(
    xs: ArrayLike<number | null>,
    ys: ArrayLike<number | null>,
    look: SeriesLook,
    logarithmicY: boolean,
    place: (x: number, y: number) => { x: number; y: number },
    pen: Pen,
): void {
    let joined = false;
    for (let row = 0; row < xs.length; row += 1) {
        const x = xs[row];
        const y = ys[row];
        if (!hasValue(x, y, logarithmicY)) {
            joined = false;
            continue;
        }
        const at = place(x as number, y as number);
        if (look === "points") pen.square(at.x, at.y);
        else if (joined) pen.lineTo(at.x, at.y);
        else pen.moveTo(at.x, at.y);
        joined = true;
    }
}

// uPlot's own linear paths expect x in order; a trajectory in the phase plane goes back and forth, so
// the chart draws its series by this builder, in the canvas' pixels (`pixelRatio` of them to a CSS pixel).
export function seriesPaths(look: SeriesLook, markerPixels: number, pixelRatio: () => number): uPlot.Series.PathBuilder {
    return (u, seriesIndex) => {
        const [xs, ys] = u.data[seriesIndex] as unknown as [number[], (number | null)[]];
        const path = new Path2D();
        const half = (markerPixels * pixelRatio()) / 2;
        const pen: Pen = {
            moveTo: (x, y) => path.moveTo(x, y),
            lineTo: (x, y) => path.lineTo(x, y),
            square: (x, y) => path.rect(x - half, y - half, 2 * half, 2 * half),
        };
        const logarithmicY = u.scales.y?.distr === 3;
        traceSeries(xs, ys, look, logarithmicY, (x, y) => ({ x: u.valToPos(x, "x", true), y: u.valToPos(y, "y", true) }), pen);
        return look === "points" ? { stroke: path, fill: path } : { stroke: path, fill: null };
    };
}
