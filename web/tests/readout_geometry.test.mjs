// Where the page's readout goes, under node: the points shown (a play's rows of the run on show and of
// its continuous twin, the kept runs whole, nothing without a value, nothing of the twin to read), the nearest to the pointer (on a tie the series on top),
// the arrow keys' next point along the run on show over rows without a value, and the box beside its
// point within the plot. The page's build compiles readout_geometry.ts for this test.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { test } from "node:test";

import {
    ContinuousTwin,
    boxPlace,
    nearestPoint,
    rowsShown,
    screenPoints,
    steppedPoint,
} from "../../build/web-unit/readout_geometry.js";

// A kept run behind the run on show, as the chart draws them; the run on show has no value at row 2.
const series = [
    { run: 1, x: Float64Array.of(0, 1, 2, 3), y: Float64Array.of(5, 5, 5, 5) },
    { run: 0, x: Float64Array.of(0, 1, 2, 3), y: Float64Array.of(0, 5, NaN, 20) },
];
const place = (x, y) => ({ x: x * 10, y: y * 10 });

test("the points shown: a play's rows of the run on show, the kept run whole; a logarithmic axis leaves out 0", () => {
    const shown = (rowLimit, logarithmicY) =>
        screenPoints(series, rowLimit, logarithmicY, place).map(({ drawn, row }) => `${drawn}:${row}`);
    assert.deepEqual(shown(2, false), ["0:0", "0:1", "0:2", "0:3", "1:0", "1:1"]);
    assert.deepEqual(shown(undefined, true), ["0:0", "0:1", "0:2", "0:3", "1:1", "1:3"]);
    // The twin goes with the run on show in a play, but has no step of a run for the readout to read.
    const twin = { run: ContinuousTwin, x: Float64Array.of(0, 1, 2, 3), y: Float64Array.of(1, 2, 3, 4) };
    assert.deepEqual([rowsShown(twin, 2), rowsShown(series[0], 2)], [2, 4]);
    assert.deepEqual(screenPoints([...series, twin], undefined, false, place).length, 7);
});

test("the nearest point; on a tie the series drawn on top", () => {
    const points = screenPoints(series, undefined, false, place);
    assert.deepEqual(nearestPoint(points, 10, 50), { drawn: 1, row: 1 });
    assert.deepEqual(nearestPoint(points, 29, 190), { drawn: 1, row: 3 });
    assert.equal(nearestPoint([], 0, 0), null);
});

const steps = [
    { name: "none marked, forward: the run on show's first row", mark: undefined, steps: 1, next: { drawn: 1, row: 0 } },
    { name: "none marked, back: its last row", mark: undefined, steps: -1, next: { drawn: 1, row: 3 } },
    { name: "over a row without a value", mark: { drawn: 1, row: 1 }, steps: 1, next: { drawn: 1, row: 3 } },
    { name: "along a kept run marked by the pointer", mark: { drawn: 0, row: 1 }, steps: 1, next: { drawn: 0, row: 2 } },
    { name: "at the end the mark stays", mark: { drawn: 1, row: 3 }, steps: 1, next: { drawn: 1, row: 3 } },
];

for (const { name, mark, steps: by, next } of steps)
    test(`the arrow keys: ${name}`, () => assert.deepEqual(steppedPoint(series, mark, by), next));

// A plot of 300 × 200 and a box of 100 × 50, 10 pixels from its point.
const plot = { width: 300, height: 200 };
const box = { width: 100, height: 50 };
const boxes = [
    { name: "right and below where there is room", point: { left: 20, top: 20 }, box, at: { left: 30, top: 30 } },
    { name: "left near the right edge", point: { left: 250, top: 20 }, box, at: { left: 140, top: 30 } },
    { name: "above near the bottom", point: { left: 20, top: 180 }, box, at: { left: 30, top: 120 } },
    { name: "too large for any side: the corner away from the point", point: { left: 20, top: 20 }, box: { width: 290, height: 190 }, at: { left: 10, top: 10 } },
];

for (const { name, point, box: size, at } of boxes)
    test(`the readout's box: ${name}`, () => assert.deepEqual(boxPlace(point, size, plot, 10), at));
