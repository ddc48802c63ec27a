// The module's runs against tarnis-run: the same values bit for bit, the same saved file byte for
// byte, the same refusals; and what a page does around a run (the boxes' rules, the kept runs).
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { test } from "node:test";

import { csvRows, sameBits, tarnis, tarnisRun } from "./support.mjs";

// The texts of the boxes with the defaults of the main window, and with one preset's texts.
function defaultTexts(separator) {
    const text = (box) => tarnis.defaultText(box, separator);
    return { r: text("rrate"), K: text("Kvalue"), steps: text("simut"), n0: text("n0"), lag: text("tlag") };
}

function presetTexts(preset) {
    const key = { rrate: "r", Kvalue: "K", simut: "steps", n0: "n0", tlag: "lag" };
    const texts = defaultTexts(".");
    for (const { box, text } of tarnis.presetTexts(preset, "."))
        texts[key[box]] = text;
    return texts;
}

const optionsOf = (texts) => ["--r", texts.r, "--K", texts.K, "--steps", texts.steps, "--n0", texts.n0, "--lag", texts.lag];
const texts = (r, n0, K, lag, steps) => ({ r, n0, K, lag, steps });

// Each run as the boxes hold it, with its separator, and as tarnis-run is asked for it.
const runs = [
    { name: "Data 1", texts: presetTexts(0) },
    { name: "Data 2", texts: presetTexts(1) },
    { name: "Data 3", texts: presetTexts(2) },
    { name: "worked example", texts: defaultTexts("."), resultText: "499.936872437631" },
    { name: "chaotic, 9999 steps", texts: texts("2.7", "2", "100", "0", "9999") },
    { name: "half lag, halves to even", texts: texts("0.45", "1", "500", "2.5", "500") },
    { name: "half lag over the lag below", texts: texts("0.25", "3", "500", "7.5", "2000") },
    { name: "dies out", texts: texts("1", "1", "500", "5", "200") },
    { name: "leaves the range", texts: texts("1e300", "1", "500", "0", "100") },
    { name: "lenient texts of r, K and the steps", texts: texts("0.3x", "1", "500 abc", "4", "12.5"),
      options: ["--r", "0.3", "--n0", "1", "--K", "500", "--lag", "4", "--steps", "12"] },
    { name: "comma locale", separator: ",", texts: texts("0,25", "1,5", "750", "2,5", "60"),
      options: ["--r", "0.25", "--n0", "1.5", "--K", "750", "--lag", "2.5", "--steps", "60"] },
];

for (const run of runs) {
    test(`run: ${run.name}`, () => {
        const separator = run.separator ?? ".";
        const session = new tarnis.Session();
        try {
            const result = session.runTexts(run.texts, separator);
            assert.equal(result.refused, false, JSON.stringify(result));
            const options = run.options ?? optionsOf(run.texts);

            const exact = tarnisRun(...options, "--digits", "17");
            assert.equal(exact.status, 0, exact.err);
            assert.equal(session.graphicDataText({ roundToHundredths: false, significantDigits: 17 }), exact.out);
            const saved = tarnisRun(...options);
            assert.equal(session.graphicDataText(), saved.out, "the saved file");

            // The values handed to the page are those of the file, every bit (an empty field has no value).
            const rows = csvRows(exact.out).slice(1); // after the quoted header and the column titles
            const values = session.values();
            assert.equal(result.outcome.lastStep, rows.length - 1);
            assert.equal(values.N.length, rows.length);
            rows.forEach(([t, N, dN, dNperN], i) => {
                assert.equal(Number(t), i);
                for (const [array, field, name] of [[values.N, N, "N"], [values.dN, dN, "dN"], [values.dNperN, dNperN, "dN/N"]])
                    assert.ok(sameBits(array[i], field === "" ? NaN : Number(field)), `${name}(${i}): ${array[i]} against ${field}`);
            });
            const last = values.N[values.N.length - 1];
            assert.equal(result.outcome.resultText, tarnis.numberToText(last, separator));
            if (run.resultText !== undefined)
                assert.equal(result.outcome.resultText, run.resultText);
            if (run.separator === ",")
                assert.match(result.outcome.resultText, /^\d+,\d+$/);
        } finally {
            session.delete();
        }
    });
}

test("run: its end and how it left the range", () => {
    const session = new tarnis.Session();
    const died = session.runTexts(texts("1", "1", "500", "5", "200"), ".").outcome;
    assert.equal(died.end, "diedOut");
    assert.equal(died.resultText, "0");
    const left = session.runTexts(texts("1e300", "1", "500", "0", "100"), ".").outcome;
    assert.equal(left.end, "leftRange");
    assert.deepEqual([left.exit.value, left.exit.way], ["N", "below"]);
    assert.equal(left.exit.message, `At step ${left.lastStep + 1} the population fell below the most negative number `
        + `that can be computed. The results are kept up to t = ${left.lastStep}.`);
    assert.equal(session.runTexts(defaultTexts("."), ".").outcome.end, "completed");
    session.delete();
});

// Every refusal, read from the boxes' texts; tarnis-run refuses the same options and names the same one,
// in the same words where its own reading does not refuse them first.
const refusals = [
    { refusal: "rateOutOfRange", texts: texts("1e400", "1", "500", "5", "200") },
    { refusal: "capacityOutOfRange", texts: texts("0.2", "1", "1e400", "5", "200") },
    { refusal: "capacityZero", texts: texts("0.2", "1", "abc", "5", "200"), options: ["--K", "0"], sameLine: true },
    { refusal: "stepsOutOfRange", texts: texts("0.2", "1", "500", "5", "10000") },
    { refusal: "initialSizeNotANumber", texts: texts("0.2", "1.5", "500", "5", "200"), separator: ",",
      options: ["--n0", "1,5"] },
    { refusal: "initialSizeZero", texts: texts("0.2", "0", "500", "5", "200"), sameLine: true },
    { refusal: "lagNotANumber", texts: texts("0.2", "1", "500", "five", "200") },
    { refusal: "lagNegative", texts: texts("0.2", "1", "500", "-3", "200"), sameLine: true },
];

for (const refused of refusals) {
    test(`refusal: ${refused.refusal}`, () => {
        const separator = refused.separator ?? ".";
        const session = new tarnis.Session();
        session.runTexts(defaultTexts("."), ".");
        const before = session.graphicDataText({ roundToHundredths: false, significantDigits: 17 });
        const result = session.runTexts(refused.texts, separator);
        assert.equal(result.refused, true);
        const { refusal } = result;
        assert.equal(refusal.refusal, refused.refusal);
        assert.equal(refusal.line, `${refusal.option}: ${refusal.subject} ${refusal.rule}`);
        assert.ok(refusal.message.endsWith(`Enter a number such as ${tarnis.defaultText(refusal.box, separator)}.`));
        assert.equal(session.graphicDataText({ roundToHundredths: false, significantDigits: 17 }), before,
            "a refused run leaves the store as it was");
        session.delete();

        const answer = tarnisRun(...(refused.options ?? optionsOf(refused.texts)));
        assert.equal(answer.status, 2);
        if (refused.sameLine)
            assert.equal(answer.err, `tarnis-run: ${refusal.line}\n`);
        else
            assert.ok(answer.err.startsWith(`tarnis-run: ${refusal.option}`), answer.err);
    });
}

test("refusal: a run from numbers whose steps no box could hold", () => {
    const session = new tarnis.Session();
    const defaults = tarnis.defaultParameters();
    assert.equal(session.run({ ...defaults, steps: 70000 }, ".").refusal.refusal, "stepsOutOfRange");
    assert.equal(session.run({ ...defaults, steps: 10000 }, ".").refusal.refusal, "stepsOutOfRange");
    assert.equal(session.run({ ...defaults, K: 0 }, ".").refusal.refusal, "capacityZero");
    assert.equal(session.hasRun(), false);
    assert.equal(session.run(defaults, ".").outcome.resultText, "499.936872437631");
    assert.deepEqual(tarnis.refusals(".").map((reason) => reason.refusal),
        [...refusals.map((row) => row.refusal), ...boxOnlyRefusals.map(([refusal]) => refusal)]);
    session.delete();
});

// N(0) or K below 0: the model runs them (the K box leaves Run on while it is edited), but no box takes
// them, and tarnis-run refuses them in the boxes' words.
const boxOnlyRefusals = [["initialSizeNegative", "--n0", "-1"], ["capacityNegative", "--K", "-500"]];

test("refusal: what only the boxes refuse, in tarnis-run's words", () => {
    const byName = Object.fromEntries(tarnis.refusals(".").map((reason) => [reason.refusal, reason]));
    for (const [refusal, option, value] of boxOnlyRefusals) {
        const answer = tarnisRun(option, value);
        assert.equal(answer.status, 2);
        assert.equal(answer.err, `tarnis-run: ${byName[refusal].line}\n`);
    }
});

test("boxes: Enter, the presets and what an edit does to Run", () => {
    assert.deepEqual(tarnis.confirmEntry("simut", "3000", "."), { replacement: "2000", enablesRun: true,
        note: "The number of time steps can be at most 2000, so the box shows 2000." });
    assert.deepEqual(tarnis.confirmEntry("Kvalue", "0", ","), { replacement: "500", enablesRun: false,
        note: "The carrying capacity (K) must be a number greater than 0, so the box went back to its default, 500." });
    assert.deepEqual(tarnis.confirmEntry("rrate", "0,3", ","), { enablesRun: true });
    assert.equal(tarnis.defaultText("rrate", ","), "0,2");
    assert.equal(tarnis.boxCaption("simut"), "For t=1 to ");
    assert.equal(tarnis.changeDisablesRun("Kvalue"), false);
    assert.equal(tarnis.changeDisablesRun("tlag"), true);
    assert.deepEqual(presetTexts(0), { r: "0.2", n0: "1", K: "500", lag: "8", steps: "2000" });
    assert.throws(() => tarnis.presetTexts(tarnis.PresetCount, "."), RangeError);
    assert.throws(() => tarnis.defaultText("rate", "."), RangeError);
    assert.equal(tarnis.readLenient("0,2", ","), 0.2);
    assert.equal(tarnis.convertStrict("0.2", ","), undefined);
    assert.equal(tarnis.numberToText(1e-5, ","), "1E-05");
    assert.equal(tarnis.numberToText(0.1, ".", 17), "0.10000000000000001");
});

test("kept runs: at most four, the oldest dropped, each with its slot and label", () => {
    const session = new tarnis.Session();
    assert.equal(session.keep(), false, "nothing to keep before a run");
    for (const lag of [1, 2, 3, 4, 5]) {
        session.run({ ...tarnis.defaultParameters(), lag }, ".");
        assert.equal(session.keep(), true);
        assert.equal(session.keep(), false, "the same run twice");
    }
    const kept = session.keptRuns(",");
    assert.equal(kept.length, tarnis.MaxKeptRuns);
    assert.deepEqual(kept.map((run) => run.parameters.lag), [2, 3, 4, 5]);
    assert.deepEqual(kept.map((run) => run.slot), [1, 2, 3, 0]);
    assert.equal(kept[0].label, "r=0,2; N(0)=1; K=500; T=2; 200 steps");
    assert.ok(sameBits(kept[3].values.N[200], session.values().N[200]));
    session.forgetKept();
    assert.equal(session.keptRuns(".").length, 0);
    session.delete();
});

// The continuous twin and chance, computed by the module as by tarnis-run: the same bits.
const continuousRuns = [
    { name: "damped", options: ["--r", "0.3", "--lag", "5", "--steps", "400"] },
    { name: "a fractional delay", options: ["--r", "0.45", "--lag", "2.7", "--steps", "300", "--n0", "7"] },
    { name: "no delay", options: ["--r", "1.7", "--lag", "0", "--steps", "100", "--K", "90"] },
    { name: "too steep to follow", options: ["--r", "3", "--lag", "5", "--steps", "200"] },
];
const parametersOf = (options) => {
    const value = (name, fallback) => (options.includes(name) ? Number(options[options.indexOf(name) + 1]) : fallback);
    return { r: value("--r", 0.2), n0: value("--n0", 1), K: value("--K", 500), lag: value("--lag", 5), steps: value("--steps", 200) };
};

for (const run of continuousRuns) {
    test(`continuous: ${run.name}`, () => {
        const computed = tarnis.continuousRun(parametersOf(run.options));
        const rows = tarnisRun("continuous", ...run.options, "--tidy").out.trim().split("\n").slice(1);
        assert.equal(computed.n.length, rows.length);
        rows.forEach((row, t) => assert.ok(sameBits(computed.n[t], Number(row.split(",")[1])), `t = ${t}`));
    });
}

const ensembles = [
    { name: "demographic", noise: "demographic", demographic: true, sigma: 0 },
    { name: "environmental", noise: "environmental", demographic: false, sigma: 0.3 },
    { name: "both, a large seed", noise: "both", demographic: true, sigma: 0.2, seed: "18446744073709551615" },
];

for (const ensemble of ensembles) {
    test(`ensemble: ${ensemble.name}, the rows of tarnis-run for the same seed`, () => {
        const seed = ensemble.seed ?? "2026";
        const options = ["--r", "0.3", "--lag", "8", "--n0", "20", "--steps", "300"];
        const sigma = ensemble.sigma ? ["--sigma", String(ensemble.sigma)] : [];
        const rows = tarnisRun("ensemble", "--runs", "40", "--seed", seed, "--noise", ensemble.noise, ...sigma, ...options, "--tidy")
            .out.trim().split("\n").slice(1);
        const request = { parameters: parametersOf(options), demographic: ensemble.demographic, sigma: ensemble.sigma, threshold: 1, seed };
        const outcomes = tarnis.ensembleRuns(request, 1, 40);
        assert.deepEqual(outcomes.map((o) => `${o.run},${o.extinctionTime ?? ""},${tarnis.numberToText(o.lastN, ".", 17)}`),
            rows.map((row) => { const [run, time, last] = row.split(","); return `${run},${time},${tarnis.numberToText(Number(last), ".", 17)}`; }));
        const words = tarnisRun("ensemble", "--runs", "40", "--seed", seed, "--noise", ensemble.noise, ...sigma, ...options, "--summary")
            .out.split("\r\n")[0];
        assert.equal(`"${tarnis.ensembleWords(outcomes, 300, ".")}"`, words);
    });

    // The page gathers the trajectories from its workers and asks for the bands of them all at once.
    test(`ensemble: ${ensemble.name}, survival and bands of tarnis-run --summary`, () => {
        const seed = ensemble.seed ?? "2026";
        const options = ["--r", "0.3", "--lag", "8", "--n0", "20", "--steps", "120"];
        const sigma = ensemble.sigma ? ["--sigma", String(ensemble.sigma)] : [];
        const rows = tarnisRun("ensemble", "--runs", "30", "--seed", seed, "--noise", ensemble.noise, ...sigma, ...options, "--summary", "--tidy")
            .out.trim().split("\n").slice(1).map((row) => row.split(",").map(Number));
        const request = { parameters: parametersOf(options), demographic: ensemble.demographic, sigma: ensemble.sigma, threshold: 1, seed };
        const members = Array.from({ length: 30 }, (_, i) => tarnis.ensembleMember(request, i + 1));
        const survival = tarnis.survivalCurve(members, 120);
        const bands = tarnis.percentileBands(members.map((member) => member.n), 120);
        assert.equal(survival.length, rows.length);
        assert.equal(bands.length, 5);
        rows.forEach((row, t) => {
            assert.ok(sameBits(survival[t], row[1]), `survival at t = ${t}`);
            bands.forEach((band, b) => assert.ok(sameBits(band[t], row[2 + b]), `band ${b} at t = ${t}`));
        });
    });
}
