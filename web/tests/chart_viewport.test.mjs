// The page's chart viewport under node, over the module's rules: the fitted view ends on whole ticks
// of the plot's length and leaves room for markers only where there are markers, a logarithmic axis
// fits the positive values, a zoomed view ticks by its own range, the wheel and a drag stop at the
// limits measured from the fitted view, a resize fits anew, and the ticks are the densest whose labels
// stand apart. The page's build compiles chart_viewport.ts for this test.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { test } from "node:test";

import { ChartViewport, ticksWithRoom } from "../../build/web-unit/chart_viewport.js";
import { tarnis } from "./support.mjs";

const Plot = { width: 700, height: 340 };
const time = Float64Array.from({ length: 201 }, (_, t) => t);
// N(t) from 1 to 1901, with a row that has no value.
const rising = Float64Array.from(time, (t) => (t === 50 ? NaN : 1 + t * 9.5));
const line = (x, y) => ({ x, y, look: "line" });
const points = (x, y) => ({ x, y, look: "points" });

function viewportOf(series, logarithmicY = false, size = Plot) {
    const viewport = new ChartViewport(tarnis);
    viewport.fit(series, logarithmicY, size, false);
    return viewport;
}

const fits = [
    {
        name: "a line: each axis ends on ticks a whole step apart, the row without a value left out",
        series: [line(time, rising)],
        view: { x: { min: 0, max: 200 }, y: { min: 0, max: 2000 } },
        steps: { x: 50, y: 500 },
    },
    {
        name: "markers within a line's range widen nothing",
        series: [line(time, rising), points(Float64Array.of(50, 150), Float64Array.of(500, 1500))],
        view: { x: { min: 0, max: 200 }, y: { min: 0, max: 2000 } },
        steps: { x: 50, y: 500 },
    },
    {
        name: "a logarithmic axis: whole decades around the positive values; a row without a place on it counts on neither axis",
        series: [line(Float64Array.of(0, 1, 2, 3), Float64Array.of(-5, 0, 0.5, 700))],
        logarithmicY: true,
        view: { x: { min: 2, max: 3 }, y: { min: 0.1, max: 1000 } },
        steps: { x: 0.2, y: 10 },
    },
];

for (const { name, series, logarithmicY, view, steps } of fits)
    test(`fit: ${name}`, () => {
        const viewport = viewportOf(series, logarithmicY);
        assert.deepEqual(viewport.current(), view);
        assert.deepEqual({ x: viewport.tickFit("x").step, y: viewport.tickFit("y").step }, steps);
    });

test("fit: an end that a marker would cross moves out until the marker is whole; an end with room stays on its tick", () => {
    const viewport = viewportOf([points(time, rising)]);
    const { x, y } = viewport.current();
    const half = tarnis.axisRules().markerPixels / 2;
    const room = (range, value, length) => (Math.abs(value - range.min) / (range.max - range.min)) * length;
    assert.ok(room(x, 0, Plot.width) >= half && room(x, 0, Plot.width) < 2 * half, `x from ${x.min}`);
    assert.ok(Plot.width - room(x, 200, Plot.width) >= half, `x to ${x.max}`);
    assert.ok(room(y, 1, Plot.height) >= half, `y from ${y.min}`);
    assert.equal(y.max, 2000);
});

test("zoom: the view zoomed in ticks by its own range; zoomed out it stops at the limits around the fitted view", () => {
    const viewport = viewportOf([points(time, rising)]);
    const fitted = viewport.current();
    assert.equal(viewport.zoom({ x: 100, y: 1000 }, 3), true);
    const zoomed = viewport.tickFit("x");
    const ticks = tarnis.axisTicks(zoomed, 0, false);
    assert.ok(ticks.length >= 4, `${ticks.length} ticks from ${zoomed.min} to ${zoomed.max}`);
    for (let notch = 0; notch < 10; notch += 1) viewport.zoom({ x: 100, y: 1000 }, -1);
    const widest = viewport.current();
    for (const axis of ["x", "y"]) {
        const span = fitted[axis].max - fitted[axis].min;
        assert.ok(widest[axis].min <= fitted[axis].min && widest[axis].max >= fitted[axis].max, axis);
        assert.ok(widest[axis].max - widest[axis].min <= 1.2 * span * (1 + 1e-12), `${axis} no wider than its limits`);
    }
    assert.equal(viewport.zoom({ x: 100 }, -1), false, "at the limit the wheel is the page's");
    viewport.showFitted();
    assert.deepEqual(viewport.current(), fitted);
});

test("pan: a drag moves each axis by its own length's share, the other axis stays", () => {
    const viewport = viewportOf([line(time, rising)]);
    viewport.pan(viewport.current(), { x: 35, y: 0 }); // a twentieth of the width
    assert.deepEqual(viewport.current(), { x: { min: 10, max: 210 }, y: { min: 0, max: 2000 } });
});

test("resize: the fitted view is fitted anew for the plot's length; the user's view stays", () => {
    const viewport = viewportOf([line(time, rising)]);
    assert.equal(viewport.resize({ width: 700, height: 120 }), false, "0 to 2000 still");
    assert.equal(viewport.tickFit("y").step, 1000, "fewer ticks on a lower plot");
    viewport.zoom({ x: 100, y: 1000 }, 1);
    const zoomed = viewport.current();
    assert.equal(viewport.resize(Plot), false);
    assert.deepEqual(viewport.current(), zoomed);
});

// Axes 400 pixels long from 0 to 200 and to 10000, a tick every 25 at the densest.
const linear = { fit: { min: 0, max: 200, step: 25 }, logarithmic: false, place: (value) => value * 2 };
const long = { fit: { min: 0, max: 10000, step: 25 }, logarithmic: false, place: (value) => value * 0.04 };
const decades = { fit: { min: 1, max: 1e6, step: 10 }, logarithmic: true, place: (value) => Math.log10(value) * 20 };
const tickRows = [
    { name: "narrow labels: every step", axis: linear, extent: 10, values: [0, 25, 50, 75, 100, 125, 150, 175, 200] },
    { name: "wider labels: every second step", axis: linear, extent: 60, values: [0, 50, 100, 150, 200] },
    { name: "labels too wide for any: the last attempt stays", axis: long, extent: 1000, values: [0, 2500, 5000, 7500, 10000] },
    { name: "decades 20 pixels apart for labels 14 high: every decade", axis: decades, extent: 14, values: [1, 10, 100, 1e3, 1e4, 1e5, 1e6] },
    { name: "labels 30 high: every second decade", axis: decades, extent: 30, values: [1, 100, 1e4, 1e6] },
];

for (const { name, axis, extent, values } of tickRows)
    test(`ticks: ${name}`, () => {
        const labels = { text: (value) => String(value), extent: () => extent, place: axis.place };
        const ticks = ticksWithRoom(axis.fit, axis.logarithmic, tarnis, labels);
        assert.deepEqual(ticks.values.map((value) => value + 0), values); // -0 as 0
        assert.deepEqual(ticks.labels, values.map(String));
    });
