// The module's dynamics against tarnis-run: the limits of linear theory of every lag, the regime of a
// run, the cells of a regime map and the columns of a bifurcation diagram, bit for bit; the guided
// activities that ask for them; the module's interface against its TypeScript declarations; and where
// the map names the continuous r_c, which runs close above the discrete one (the page's curve_label.ts).
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

import { curveSpan, labelBeside } from "../../build/web-unit/curve_label.js";
import { csvRows, fieldNumber, sameBits, tarnis, tarnisRun } from "./support.mjs";

function assertSameNumber(actual, field, what) {
    assert.ok(sameBits(actual, fieldNumber(field)), `${what}: ${actual} against '${field}'`);
}

for (const lags of ["0:20:0.5", "0:9999:0.5"]) {
    test(`stability limits of the lags ${lags}`, () => {
        const answer = tarnisRun("stability", "--lag", lags);
        assert.equal(answer.status, 0, answer.err);
        const rows = csvRows(answer.out);
        assert.ok(rows.length >= 41);
        for (const [lag, rMonotone, rStable, onsetPeriod] of rows) {
            const limits = tarnis.stabilityLimits(Number(lag));
            assertSameNumber(limits.rMonotone, rMonotone, `r_m(${lag})`);
            assertSameNumber(limits.rStable, rStable, `r_c(${lag})`);
            assertSameNumber(limits.onsetPeriod, onsetPeriod, `onset period(${lag})`);
        }
    });
}

test("limits, the linear response and the list of regimes: r_c(2) is (√5 − 1)/2 rounded once", () => {
    assert.equal(tarnis.stabilityLimits(2).rStable, 0.6180339887498949);
    assert.equal(tarnis.stabilityLimits(-1), undefined);
    assert.equal(tarnis.stabilityLimits(tarnis.MaxAnalysedLag + 1), undefined);
    assert.deepEqual(tarnis.lagSchedule(2.5), { onEvenSteps: 2, onOddSteps: 3 });
    const response = tarnis.linearResponse(0.2, 5);
    assert.equal(response.verdict, "dampedOscillations");
    assert.ok(response.period > 24 && response.period < 25, String(response.period));
    const names = [];
    while (tarnis.regimeName(names.length) !== "")
        names.push(tarnis.regimeName(names.length));
    assert.ok(names.includes("chaotic") && names.includes("dies out") && names.length >= 7, names.join(", "));
});

// The report's fields, as tarnis-run dynamics writes them.
const reportKeys = [["period", "period"], ["lyapunov", "lyapunov"], ["n_min", "nMin"], ["n_max", "nMax"], ["end_step", "endStep"]];

const regimeRuns = [
    ["Data 1", { r: 0.2, n0: 1, K: 500, lag: 8 }],
    ["Data 2", { r: 0.2, n0: 1, K: 500, lag: 5 }],
    ["Data 3", { r: 0.2, n0: 1, K: 500, lag: 3 }],
    ["chaotic", { r: 2.7, n0: 2, K: 100, lag: 0 }],
    ["long cycle of a half lag", { r: 0.56, n0: 1, K: 500, lag: 3.5 }],
    ["dies out", { r: 3.1, n0: 1, K: 500, lag: 0 }],
    ["resting on an unstable K", { r: 0.2, n0: 500, K: 500, lag: 8 }],
    ["resting on a stable K", { r: 0.2, n0: 500, K: 500, lag: 3 }],
    ["declining towards 0", { r: -0.5, n0: 1, K: 500, lag: 5 }],
    ["still approaching K", { r: 0.0001, n0: 1, K: 500, lag: 0 }],
    ["r = 0", { r: 0, n0: 1, K: 500, lag: 5 }],
];

for (const [name, parameters] of regimeRuns) {
    test(`regime: ${name}`, () => {
        const answer = tarnisRun("dynamics", "--r", String(parameters.r), "--n0", String(parameters.n0), "--K",
            String(parameters.K), "--lag", String(parameters.lag));
        assert.equal(answer.status, 0, answer.err);
        const lines = Object.fromEntries(answer.out.trim().split("\n").map((line) => {
            const colon = line.indexOf(":");
            return [line.slice(0, colon), line.slice(colon + 1).trim()];
        }));
        const report = tarnis.runRegime(parameters);
        assert.equal(report.regimeName, lines.regime);
        assert.equal(tarnis.regimeName(report.regime), report.regimeName);
        for (const [key, field] of reportKeys)
            assertSameNumber(report[field], lines[key], key);
        assert.equal(report.stillApproaching ? report.lastN : undefined, fieldNumber(lines.still_approaching));
        assert.equal(report.disturbed === undefined ? "" : tarnis.regimeName(report.disturbed), lines.disturbed);
        assertSameNumber(tarnis.stabilityLimits(parameters.lag).rStable, lines.r_stable, "r_stable");
    });
}

// The run in words, as the Dynamics window and tarnis-run dynamics --words put it: the presets, the
// landmarks of the logistic map (T = 0) and the regimes that need words of their own.
const wordRuns = [
    ...regimeRuns,
    ["T = 0, smooth", { r: 0.5, n0: 1, K: 500, lag: 0 }],
    ["T = 0, overshooting", { r: 1.5, n0: 1, K: 500, lag: 0 }],
    ["T = 0, a cycle", { r: 2.5, n0: 1, K: 500, lag: 0 }],
    ["T = 0, leaves the range", { r: 1e300, n0: 1, K: 500, lag: 0 }],
    ["a lag longer than the steps shown", { r: 0.2, n0: 1, K: 500, lag: 400 }],
    ["a fractional lag", { r: 0.2, n0: 1, K: 500, lag: 2.7 }],
];

for (const [name, parameters] of wordRuns) {
    test(`words: ${name}`, () => {
        const run = { ...parameters, steps: 200 };
        const answer = tarnisRun("dynamics", "--words", "--r", String(run.r), "--n0", String(run.n0), "--K",
            String(run.K), "--lag", String(run.lag));
        assert.equal(answer.status, 0, answer.err);
        const [headline, sentences] = answer.out.replace(/\n$/, "").split("\n");
        const words = tarnis.runWords(run, tarnis.runRegime(parameters), ".");
        assert.deepEqual(words, { headline, sentences });
    });
}

test("words with a comma, of a cell and a column, and the plan of a run's pictures", () => {
    const run = { r: 0.25, n0: 1, K: 1000, lag: 2.5, steps: 200 };
    const report = tarnis.runRegime(run);
    assert.match(tarnis.runWords(run, report, ",").sentences, /r = 0,25/);
    assert.equal(tarnis.runRegimeName({ ...run, r: 0 }, tarnis.runRegime({ ...run, r: 0 })), "neither grows nor shrinks");
    assert.match(tarnis.mapTitle(run, "."), /K = 1000\b/);
    for (const [r, lag, desktop, page] of [
        [0.105, 10, "r = 0.105 and T = 10 are in the main window: press Run there.",
            "r = 0.105 and T = 10 are in the Data panel, and this is their run."],
        [0.105, undefined, "r = 0.105 is in the main window: press Run there.", "r = 0.105 is in the Data panel, and this is its run."],
        [undefined, 2.5, "T = 2.5 is in the main window: press Run there.", "T = 2.5 is in the Data panel, and this is its run."],
        [undefined, undefined, "", ""],
    ]) {
        assert.equal(tarnis.choiceWords(r, lag, "."), desktop);
        assert.equal(tarnis.pageChoiceWords(r, lag, "."), page);
    }
    assert.match(tarnis.noRunWords().sentences, /^Run the model in the main window\. This window then tells/);
    assert.match(tarnis.pageNoRunWords().sentences, /^Run the model in the Data panel\. This part then tells/);
    assert.equal(tarnis.pageNoRunWords().headline, tarnis.noRunWords().headline);
    // The map's legend names every regime once, by the model's words, each in a colour of its own.
    const legend = tarnis.regimeLegend();
    assert.deepEqual(legend.map(({ regime }) => tarnis.regimeName(regime)), legend.map(({ name }) => name));
    assert.equal(tarnis.regimeName(Math.max(...legend.map(({ regime }) => regime)) + 1), "", "no regime left out");
    const colours = [...legend.map(({ colour }) => colour), tarnis.notComputedColour()];
    assert.ok(colours.every((colour) => /^#[0-9a-f]{6}$/.test(colour)), colours.join());
    assert.equal(new Set(colours).size, colours.length, "every colour apart");
    assert.equal(legend.find(({ name }) => name === "chaotic")?.colour, "#e69f00");
    assert.equal(legend.find(({ name }) => name === "rests on an unstable equilibrium")?.legendName, "unstable equilibrium");
    const labels = tarnis.dynamicsLabels(1000, 200);
    assert.equal(labels.keptValuesAxis, "N(t), t = 1000 to 1199");
    assert.ok(Object.values(labels).every((label) => typeof label === "string" && label !== ""), JSON.stringify(labels));
    assert.ok(tarnis.runFacts(run, report, ".").every((row) => row.length === 2 && typeof row[1] === "string"));

    // A run's steps matter where it is one (its words, its plan); a regime and a scan take none.
    assert.throws(() => tarnis.runWords({ ...run, steps: 1e6 }, report, "."), RangeError);
    assert.throws(() => tarnis.runWords({ r: 0.25, n0: 1, lag: 2.5, steps: 200 }, report, "."), TypeError);
    assert.equal(tarnis.runRegime({ r: 0.25, n0: 1, K: 1000, lag: 2.5 }).regimeName, report.regimeName);

    const plan = tarnis.planDynamics({ ...run, lag: 60 });
    assert.deepEqual(plan.run, { ...run, lag: 60 });
    // Each axis says its scale: beyond lag 20 all three are logarithmic; up to it the map's r alone.
    const scales = (each) => [each.logarithmicMapRates, each.logarithmicMapLags, each.logarithmicDiagramRates];
    assert.deepEqual(scales(plan), [true, true, true]);
    assert.deepEqual(scales(tarnis.planDynamics({ ...run, lag: 8 })), [true, false, false]);
    assert.equal(plan.lagEdges.length, plan.map.lags.length + 1);
    assert.equal(plan.rateEdges.length, plan.map.rates.length + 1);
    const scan = new tarnis.RegimeScan(plan.map);
    try {
        const [cell] = scan.slice(0, 1);
        assert.match(tarnis.cellWords(cell.r, cell.lag, cell.report, plan.map.K, "."), /T = /);
        assert.notEqual(tarnis.cellWords(cell.r, cell.lag, undefined, plan.map.K, "."), tarnis.cellWords(cell.r, cell.lag, cell.report, plan.map.K, "."));
    } finally {
        scan.delete();
    }
    const columns = new tarnis.BifurcationScan(plan.overRate);
    try {
        const [column] = columns.slice(0, 1);
        assert.match(tarnis.columnWords("rate", column.value, column, plan.map.K, "."), /r = /);
    } finally {
        columns.delete();
    }
});

// What a new run computes anew is the model's rule, through the plans the page holds: the first run
// everything, new steps nothing, a new r at the same lag its regime and the diagram over the lag, a new
// K everything.
test("what a new run computes anew", () => {
    const run = { r: 0.2, n0: 1, K: 500, lag: 5, steps: 200 };
    const plan = tarnis.planDynamics(run);
    const anew = (next, axis) => tarnis.dynamicsRestart(plan, tarnis.planDynamics({ ...run, ...next }), axis);
    const every = { regime: true, map: true, diagram: true };
    assert.deepEqual(tarnis.dynamicsRestart(undefined, plan, "rate"), every);
    assert.deepEqual(anew({ steps: 300 }, "lag"), { regime: false, map: false, diagram: false });
    assert.deepEqual(anew({ r: 0.21 }, "rate"), { regime: true, map: false, diagram: false });
    assert.deepEqual(anew({ r: 0.21 }, "lag"), { regime: true, map: false, diagram: true });
    assert.deepEqual(anew({ K: 490 }, "rate"), every);
    assert.throws(() => tarnis.dynamicsRestart(plan, plan, "time"), RangeError);
});

// A scan's rows, and the module's cells of the same grid in slices of seven, as a worker takes them.
const scans = [
    ["below and above r_c, whole and half lags", ["--r", "0.02:0.6:0.02", "--lag", "0:10:0.5", "--n0", "1", "--K", "500"]],
    ["chaos, cycles and dying out", ["--r", "1.8:3.2:0.1", "--lag", "0:2:0.5", "--n0", "2", "--K", "100"]],
];

for (const [name, options] of scans) {
    test(`scan: ${name}`, () => {
        const answer = tarnisRun("scan", ...options);
        assert.equal(answer.status, 0, answer.err);
        const rows = csvRows(answer.out);
        const rates = [...new Set(rows.map((row) => row[0]))].map(Number);
        const lags = [...new Set(rows.map((row) => row[1]))].map(Number);
        const option = (key) => Number(options[options.indexOf(key) + 1]);
        const scan = new tarnis.RegimeScan({ rates, lags, n0: option("--n0"), K: option("--K") });
        try {
            assert.equal(scan.cellCount(), rows.length);
            const cells = [];
            for (let first = 0; first < scan.cellCount(); first += 7)
                cells.push(...scan.slice(first, 7));
            assert.equal(cells.length, rows.length);
            assert.deepEqual(scan.slice(scan.cellCount(), 7), []);
            assert.equal(scan.slice(rows.length - 2, 1e300).length, 2, "a slice never reaches beyond the grid");
            assert.equal(scan.slice(-5, 1)[0].index, 0);
            rows.forEach(([r, lag, regime, ...fields], index) => {
                const cell = cells[index];
                assert.equal(cell.index, index);
                assertSameNumber(cell.r, r, "r");
                assertSameNumber(cell.lag, lag, "lag");
                assert.equal(cell.report.regimeName, regime, `r = ${r}, lag = ${lag}`);
                reportKeys.forEach(([key, field], k) => assertSameNumber(cell.report[field], fields[k], `${key} at r = ${r}, lag = ${lag}`));
            });
            assert.ok(new Set(cells.map((cell) => cell.report.regimeName)).size >= 3, "a scan through several regimes");
        } finally {
            scan.delete();
        }
    });
}

test("bifurcation columns: tarnis-run sweep's kept steps and how each run ended", () => {
    const answer = tarnisRun("sweep", "--r", "1.5:3.2:0.1", "--lag", "0", "--n0", "2", "--K", "100", "--discard", "100",
        "--keep", "20", "--digits", "17");
    assert.equal(answer.status, 0, answer.err);
    const byRate = new Map();
    for (const [r, , t, N, end] of csvRows(answer.out)) {
        if (!byRate.has(r))
            byRate.set(r, { t: Number(t), N: [], end });
        byRate.get(r).N.push(Number(N));
    }
    const values = [...byRate.keys()].map(Number);
    const scan = new tarnis.BifurcationScan({ parameters: { r: 0, n0: 2, K: 100, lag: 0 }, axis: "rate", values,
        discard: 100, keep: 20 });
    const ends = { completed: "completed", diedOut: "died out", leftRange: "left range" };
    try {
        assert.equal(scan.accepted(), true);
        const columns = [...scan.slice(0, 5), ...scan.slice(5, 100)];
        assert.equal(columns.length, values.length);
        columns.forEach((column, index) => {
            const swept = byRate.get([...byRate.keys()][index]);
            assert.ok(sameBits(column.value, values[index]));
            assert.equal(ends[column.end], swept.end);
            assert.equal(column.firstStep, swept.t);
            assert.deepEqual([...column.N], swept.N);
            assert.equal(column.lyapunov !== undefined, column.end === "completed");
        });
        assert.ok(columns.some((column) => column.end === "diedOut"));
    } finally {
        scan.delete();
    }
    const refused = new tarnis.BifurcationScan({ parameters: { r: 0, n0: 2, K: 100, lag: 0 }, axis: "lag", values: [1],
        discard: 0, keep: 0 });
    assert.equal(refused.accepted(), false);
    assert.deepEqual(refused.slice(0, 1), []);
    refused.delete();
});

// Every step of every activity: its set-up is its link (written and read back whole, the kept runs, the
// activity and the step in it), steps are numbered from 1 and none beyond; a student's r_c is checked in
// the reader's notation and in the point's.
test("activities: a step's set-up is its link, steps from 1, answers in either notation", () => {
    for (const { id, stepCount } of tarnis.activities()) {
        for (let step = 1; step <= stepCount; step += 1) {
            const setup = tarnis.activityStepSetup(id, step);
            assert.deepEqual([setup.activity, setup.activityStep], [id, step]);
            const fragment = tarnis.activityFragment(id, step);
            assert.equal(tarnis.setupFragment(setup), fragment, `${id} ${step}`);
            assert.deepEqual(tarnis.readSetupFragment(fragment), { setup, notes: [] }, `${id} ${step}`);
        }
        for (const step of [0, stepCount + 1])
            assert.throws(() => tarnis.activityStepWords(id, step, "."), RangeError, `${id} has no step ${step}`);
    }
    assert.equal(tarnis.activityStepSetup("limit", 2).kept.length, 1);
    for (const [typed, separator, verdict, words] of [
        ["0.29", ".", "right", "Your r_c = 0.29 is within 2 % of 0.2846."],
        ["0,29", ",", "right", "Your r_c = 0,29 is within 2 % of 0,2846."],
        ["0.29", ",", "right", "Your r_c = 0,29 is within 2 % of 0,2846."],
        ["0.35", ".", "tooHigh", "Your r_c = 0.35 is more than 2 % above the model's value: look again."],
        ["0,29", ".", "notANumber", "Write your answer as a number, such as 0.29."],
    ])
        assert.deepEqual(tarnis.checkActivityAnswer("limit", 1, typed, separator), { verdict, words }, `${typed} with "${separator}"`);
    assert.equal(tarnis.checkActivityAnswer("limit", 2, "", ".").verdict, "notChecked", "a question answered in words");
});

// What the page's TypeScript is told is there, is there: the members of every declaration of the
// module's interface, in tarnis.d.mts and in the page's own additions (module_page.d.ts).
test("interface: every member that tarnis.d.mts and module_page.d.ts declare", () => {
    const members = [];
    for (const file of ["../tarnis.d.mts", "../page/module_page.d.ts"]) {
        const declarations = readFileSync(new URL(file, import.meta.url), "utf8");
        for (const [, indent, body] of declarations.matchAll(/^( *)(?:export )?interface TarnisModule \{\n([^]*?)^\1\}/gm))
            members.push(...[...body.matchAll(new RegExp(`^${indent} {4}(?:readonly )?(\\w+)[(:]`, "gm"))].map((match) => match[1]));
    }
    assert.ok(members.length > 20);
    assert.ok(members.includes("activityStepSetup") && members.includes("setupFragment"), "the page's additions read");
    for (const member of members)
        assert.notEqual(tarnis[member], undefined, member);
    const declarations = readFileSync(new URL("../tarnis.d.mts", import.meta.url), "utf8");
    const session = new tarnis.Session();
    const sessionDeclared = declarations.slice(declarations.indexOf("export interface Session"), declarations.indexOf("export interface StabilityLimits"));
    for (const [, method] of sessionDeclared.matchAll(/^ {4}(\w+)\(/gm))
        assert.equal(typeof session[method], "function", method);
    session.delete();
});

// A plot of 200 × 100 pixels (y down) and a name of 40 × 10: beside its curve, inside the plot, clear of
// the other curves and names, and on the curve's right end where that is free.
const plotArea = { left: 0, top: 0, width: 200, height: 100 };
const nameSize = { width: 40, height: 10 };
const labelCases = [
    {
        name: "above the right end, over a curve close under it",
        curve: [[0, 20], [100, 50], [200, 80]],
        others: { curves: [[[0, 24], [200, 84]]], labels: [] },
        at: { left: 157, top: 54.1 },
    },
    {
        name: "left along the curve where it rises out of the top and another runs close under it",
        curve: [[0, 60], [50, 46], [100, 32], [150, 19], [200, 5]],
        others: { curves: [[[0, 75], [200, 20]]], labels: [] },
    },
    {
        name: "away from another name at the right end",
        curve: [[0, 20], [100, 50], [200, 80]],
        others: { curves: [], labels: [{ left: 150, top: 40, width: 50, height: 45 }] },
    },
];
for (const { name, curve, others, at } of labelCases)
    test(`the continuous r_c's name: ${name}`, () => {
        const box = labelBeside(curve, nameSize, plotArea, others);
        assert.ok(box, "a place");
        const [left, right, top, bottom] = [box.left, box.left + box.width, box.top, box.top + box.height];
        assert.ok(left >= 0 && right <= 200 && top >= 0 && bottom <= 100, `inside the plot: ${JSON.stringify(box)}`);
        for (const each of [curve, ...others.curves]) {
            const span = curveSpan(each, left, right);
            assert.ok(!span || span.high < top || span.low > bottom, `no curve through ${JSON.stringify(box)}`);
        }
        for (const label of others.labels)
            assert.ok(right <= label.left || left >= label.left + label.width || bottom <= label.top || top >= label.top + label.height,
                "clear of the other name");
        if (at) assert.deepEqual({ left: box.left, top: Math.round(box.top * 10) / 10 }, at);
    });
