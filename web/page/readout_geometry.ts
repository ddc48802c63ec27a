// Where the readout's pieces go: the places on screen of the chart's points, the one nearest to the
// pointer, the next along a series for the arrow keys, and the readout's box beside its point within
// the plot. No DOM: the places of values on the plot are handed in.
// SPDX-License-Identifier: GPL-3.0-or-later
import { hasValue } from "./chart_paths.js";

/** A point of the chart: the series in drawing order, and its row. */
export interface MarkedPoint {
    drawn: number;
    row: number;
}

export interface ScreenPoint extends MarkedPoint {
    x: number;
    y: number;
}

/** The run number of the run on show's continuous-time twin, which the chart draws beside it. */
export const ContinuousTwin = -1;

export interface ReadSeries {
    run: number; // 0: the run on show; ContinuousTwin its twin
    x: ArrayLike<number>;
    y: ArrayLike<number>;
}

export interface Box {
    width: number;
    height: number;
}

/**
 * The rows of a series on show: a play shows the run on show and its twin, whose rows are the same
 * times, up to `rowLimit`, the kept runs whole.
 */
export function rowsShown(series: ReadSeries, rowLimit: number | undefined): number {
    const played = series.run === 0 || series.run === ContinuousTwin;
    return played && rowLimit !== undefined ? Math.min(rowLimit, series.x.length) : series.x.length;
}

/**
 * The places on screen of every point shown that the readout reads, by `place` (a value to its
 * pixels): the twin's are left out, since it has no step of the session's runs to read.
 */
export function screenPoints(
    series: readonly ReadSeries[],
    rowLimit: number | undefined,
    logarithmicY: boolean,
    place: (x: number, y: number) => { x: number; y: number },
): ScreenPoint[] {
    const places: ScreenPoint[] = [];
    series.forEach((each, drawn) => {
        if (each.run === ContinuousTwin) return;
        const end = rowsShown(each, rowLimit);
        for (let row = 0; row < end; row += 1) {
            const [x, y] = [each.x[row], each.y[row]];
            if (hasValue(x, y, logarithmicY)) places.push({ drawn, row, ...place(x as number, y as number) });
        }
    });
    return places;
}

/** The point nearest to a place; on a tie the later series, drawn on top, which the user sees. */
export function nearestPoint(points: readonly ScreenPoint[], left: number, top: number): MarkedPoint | null {
    let nearest: MarkedPoint | null = null;
    let best = Infinity;
    for (const point of points) {
        const distance = (point.x - left) ** 2 + (point.y - top) ** 2;
        if (distance <= best) {
            best = distance;
            nearest = { drawn: point.drawn, row: point.row };
        }
    }
    return nearest;
}

/**
 * The next point with a value `steps` ahead (or back) along the marked series, or along the run on
 * show from its start (or end) when none is marked; the mark itself at the series' end.
 */
export function steppedPoint(series: readonly ReadSeries[], mark: MarkedPoint | undefined, steps: number): MarkedPoint | null {
    const direction = steps > 0 ? 1 : -1;
    const drawn = mark?.drawn ?? series.findIndex((each) => each.run === 0);
    const along = series[drawn];
    if (!along) return null;
    const from = mark?.row ?? (direction > 0 ? -1 : along.x.length);
    for (let next = from + direction; next >= 0 && next < along.x.length; next += direction)
        if (hasValue(along.x[next], along.y[next], false)) return { drawn, row: next };
    return mark ?? null;
}

/**
 * The readout box's place: beside the point, `offset` away, on whichever side has room within the
 * plot (right and below first), else in the plot's corner away from the point.
 */
export function boxPlace(point: { left: number; top: number }, box: Box, plot: Box, offset: number): { left: number; top: number } {
    for (const down of [1, -1])
        for (const right of [1, -1]) {
            const left = right > 0 ? point.left + offset : point.left - offset - box.width;
            const top = down > 0 ? point.top + offset : point.top - offset - box.height;
            if (left >= 0 && top >= 0 && left + box.width <= plot.width && top + box.height <= plot.height) return { left, top };
        }
    return {
        left: point.left < plot.width / 2 ? Math.max(0, plot.width - box.width) : 0,
        top: point.top < plot.height / 2 ? Math.max(0, plot.height - box.height) : 0,
    };
}
