// The chart's picture in vectors, under node: every value lands where the screen puts it, a line
// breaks where a point has no value, markers are squares, a logarithmic axis leaves out what it
// cannot show, and the texts are escaped. The page's build compiles chart_svg.ts for this test.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { test } from "node:test";

import { chartSvg } from "../../build/web-unit/chart_svg.js";

const line = { look: "line", line: "#0000c0", markerOutline: "#000000", markerFill: "#ff0000" };
const points = { ...line, look: "points" };

function picture(series, options = {}) {
    return {
        width: 400,
        plot: { left: 50, top: 0, width: 300, height: 200 },
        title: "Curve of N(t) vs. time",
        xTitle: "Time",
        yTitle: "N(t)",
        view: { x: { min: 0, max: 10 }, y: { min: 0, max: 100 } },
        logarithmicY: false,
        markerPixels: 7,
        ticks: { x: { values: [0, 5, 10], labels: ["0", "5", "10"] }, y: { values: [0, 50, 100], labels: ["0", "50", "100"] } },
        series,
        legend: [],
        ...options,
    };
}

// The d attribute of each path that draws a series (the paths with a stroke of a series' colour).
function seriesPaths(svg) {
    return [...svg.matchAll(/<path d="([^"]*)"/g)].map((match) => match[1]);
}

// The plot's rectangle starts 32 pixels down, below the title's band.
const rows = [
    {
        name: "a line from corner to corner of the view",
        series: [{ ...line, x: [0, 10], y: [0, 100] }],
        paths: ["M50 232L350 32"],
    },
    {
        name: "a point without a value breaks the line",
        series: [{ ...line, x: [0, 5, 6, 10], y: [0, NaN, 50, 100] }],
        paths: ["M50 232M230 132L350 32"],
    },
    {
        name: "markers are squares of 7 pixels around each point",
        series: [{ ...points, x: [5], y: [50] }],
        paths: ["M196.5 128.5h7v7h-7z"],
    },
    {
        name: "a logarithmic axis leaves out 0 and maps decades evenly",
        series: [{ ...line, x: [0, 5, 10], y: [0, 10, 1000] }],
        options: { logarithmicY: true, view: { x: { min: 0, max: 10 }, y: { min: 1, max: 1000 } } },
        paths: ["M200 165.33L350 32"],
    },
    {
        name: "kept runs first, the run on show last, on top",
        series: [{ ...line, line: "#e69f00", x: [0], y: [0] }, { ...line, x: [10], y: [100] }],
        paths: ["M50 232", "M350 32"],
    },
];

for (const { name, series, options, paths } of rows)
    test(`picture: ${name}`, () => assert.deepEqual(seriesPaths(chartSvg(picture(series, options))), paths));

test("picture: texts escaped, the legend below the plot with its icons", () => {
    const svg = chartSvg(
        picture([{ ...line, x: [0], y: [0] }], {
            title: "N & <K>",
            legend: [{ text: "This run: T=8", icons: [line, points] }],
        }),
    );
    assert.match(svg, /<title>N &amp; &lt;K&gt;<\/title>/);
    assert.match(svg, /<line x1="50" y1="292" x2="66" y2="292" stroke="#0000c0" stroke-width="2"\/>/);
    assert.match(svg, /<rect x="76.5" y="288.5" width="7" height="7" fill="#ff0000" stroke="#000000"\/>/);
    assert.match(svg, /<text x="94" y="296" font-size="12">This run: T=8<\/text>/);
    assert.match(svg, /^<svg [^>]*width="400" height="310"/);
});

test("picture: the run's parameters under the title, and the plot below them", () => {
    const svg = chartSvg(picture([{ ...line, x: [0, 10], y: [0, 100] }], { note: "r = 0.3, N(0) = 1, K = 500, T = 8" }));
    assert.match(svg, /<text x="200" y="40" font-size="12" text-anchor="middle">r = 0\.3, N\(0\) = 1, K = 500, T = 8<\/text>/);
    assert.deepEqual(seriesPaths(svg), ["M50 250L350 50"]);
});
