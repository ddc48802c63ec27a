// The Dynamics panel in the browser: the run in tarnis-run's words (its continuous-time twin's too, with
// the twin's r_c named on the map, and anew for a slider's r), the stability map computed by the
// workers (from a file as well as from a server) until complete, a click and the keyboard on it that
// run the cell's r and T (and say so only when the run was made), on a phone a tap that reads a cell
// or a column and a second tap that runs it, workers that go on after a slice that failed, a map and a
// diagram over r kept for a new r (whose words are its own) and computed anew for a new K, and the
// diagram over the lag.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { test } from "node:test";

import { Phone, Variants, boxes, openTarnis, sharedBrowser, tarnisModule, tarnisRun, typeInto, until, untilText } from "./support.mjs";

const browser = sharedBrowser();

const button = (page, name) => page.getByRole("button", { name, exact: true });
const map = (page) => page.getByRole("img", { name: "Stability map", exact: true });
const diagram = (page) => page.getByRole("img", { name: "Bifurcation diagram and Lyapunov exponent", exact: true });
// The line under a picture, which describes it for a screen reader.
const lineOf = (picture) => picture.evaluate((element) => document.getElementById(element.getAttribute("aria-describedby")).textContent);
const complete = (picture, what) => until(() => picture.getAttribute("data-complete"), (value) => value === "true", `${what} complete`, 30_000);
// Counts from now on how often a picture's work starts anew (its data-complete turns "false"), however
// quickly it completes again.
const countRestarts = (picture) => picture.evaluate((element) => {
    element.restarts = 0;
    new MutationObserver((records) => {
        const values = [...records.slice(1).map((record) => record.oldValue), element.dataset.complete];
        element.restarts += values.filter((value) => value === "false").length;
    }).observe(element, { attributeFilter: ["data-complete"], attributeOldValue: true });
});
const restartsOf = (picture) => picture.evaluate((element) => element.restarts);

// Waits until the result box shows tarnis-run's last step and N, as the box writes them.
function untilResult(page, what, ...options) {
    const lines = tarnisRun(...options, "--digits", "17").toString().trim().split("\r\n");
    const [step, N] = lines.at(-1).split(",");
    const result = page.getByRole("status", { name: `Population size at t = ${Number(step)}`, exact: true });
    return untilText(result, String(Number(Number(N).toPrecision(15))), what);
}

// Waits until the twin's headline, words and the bridge between the models are tarnis-run's.
async function untilTwin(page, ...options) {
    const [headline, sentences, bridge] = tarnisRun("dynamics", "--continuous", "--words", ...options)
        .toString().replace(/\n$/, "").split("\n");
    await untilText(page.locator("#continuous-words"), sentences, "the twin's words");
    assert.equal(await page.locator("#continuous-headline").textContent(), headline);
    assert.equal(await page.locator("#bridge-words").textContent(), bridge);
}

// "T = 10, r = 0.105: damped oscillations, …": the cell's lag and r as the line writes them.
function placeOf(line) {
    const found = /^T = ([^,]+), r = ([^:]+): (.+)$/.exec(line);
    assert.ok(found, `a cell's line: ${line}`);
    return { lag: found[1], r: found[2], regime: found[3] };
}

for (const variant of Variants) {
    test(`the map fills, and a click on a cell runs its r and T (${variant.name})`, async () => {
        const tarnis = await openTarnis(browser(), { variant });
        const { page } = tarnis;
        await button(page, "Data 2").click();
        await button(page, "Run").click();
        const [headline, sentences] = tarnisRun("dynamics", "--words", "--r", "0.2", "--n0", "1", "--K", "500", "--lag", "5")
            .toString().replace(/\n$/, "").split("\n");
        await untilText(page.locator("#regime-headline"), headline, "the run's headline");
        assert.equal(await page.locator("#regime-words").textContent(), sentences);
        await untilTwin(page, "--r", "0.2", "--lag", "5");
        const curves = page.getByRole("list", { name: "Regimes and curves of the map" });
        await curves.getByText("continuous r_c", { exact: true }).waitFor();
        // The name is drawn inside the plot: where it stands, the map tells the tests.
        const [left, top] = (await until(() => map(page).getAttribute("data-continuous-label"), Boolean, "the curve's name"))
            .split(" ").map(Number);
        assert.ok(left > 0 && top > 0, "within the canvas");
        // The map's axes carry the model's ticks: on r, logarithmic, its powers of ten within the cells.
        const module = await tarnisModule();
        const plan = module.planDynamics({ r: 0.2, n0: 1, K: 500, lag: 5, steps: 200 });
        assert.deepEqual([plan.logarithmicMapRates, plan.logarithmicMapLags], [true, false]);
        const rateRange = { min: plan.rateEdges[0], max: plan.rateEdges.at(-1), step: 10 };
        const rateTicks = Array.from(module.axisTicks(rateRange, 0, true)).join(" ");
        assert.equal(rateTicks, "0.01 0.1 1");
        await until(() => map(page).getAttribute("data-rate-ticks"), (ticks) => ticks === rateTicks, "the model's ticks of r");
        // Two cells on the map, at lag 0 and at lag 15 (the plot's margins: 64 px left, 44 right, 10 above,
        // 44 below; the lag's cells from −0.25 to 20.25): the line under it names the cell, and a click
        // writes the cell's r and lag into their boxes as the line writes them, and runs them.
        let previous = "";
        for (const [lag, up] of [["0", 0.5], ["15", 0.3]]) {
            await complete(map(page), "the map");
            await map(page).scrollIntoViewIfNeeded();
            const box = await map(page).locator("canvas").boundingBox();
            const x = box.x + 64 + ((Number(lag) + 0.25) / 20.5) * (box.width - 108);
            const y = box.y + 10 + (1 - up) * (box.height - 54);
            await page.mouse.move(x, y);
            const line = await until(() => lineOf(map(page)), (text) => text.startsWith("T = ") && text !== previous, "the cell's line");
            previous = line;
            const cell = placeOf(line);
            assert.equal(cell.lag, lag);
            assert.ok(plan.map.rates.includes(Number(cell.r)), `r = ${cell.r} is one of the map's`);
            assert.doesNotMatch(cell.regime, /still being computed/);
            await page.mouse.click(x, y);
            const field = boxes(page);
            await until(() => field.lag.inputValue(), (text) => text === cell.lag, "the cell's lag in its box");
            assert.equal(await field.r.inputValue(), cell.r);
            await untilResult(page, "the cell's run", "--r", cell.r, "--lag", cell.lag);
            await page.getByText(`r = ${cell.r} and T = ${cell.lag} are in the Data panel, and this is their run.`).waitFor();
        }
        await tarnis.close();
    });
}

// "r = 0.2025: …", a column of the diagram over r.
function columnOf(line) {
    const found = /^r = ([^:]+): (.+)$/.exec(line);
    assert.ok(found, `a column's line: ${line}`);
    return { r: found[1], lag: "5" };
}

// On a phone a finger points at nothing until it touches: a tap reads a place, a tap elsewhere reads
// that one instead, and a second tap on the place read runs it, as a click does.
for (const picture of [
    { name: "the map", find: map, places: [[0.7, 0.6], [0.3, 0.25]], placeOf },
    { name: "the diagram", find: diagram, places: [[0.4, 0.3], [0.7, 0.3]], placeOf: columnOf },
]) {
    test(`on a phone a tap on ${picture.name} reads a place, and a second tap on it runs it`, async () => {
        const tarnis = await openTarnis(browser(), { viewport: Phone, touch: true });
        const { page } = tarnis;
        await button(page, "Data 2").tap();
        await button(page, "Run").tap();
        const plot = picture.find(page);
        await complete(plot, picture.name);
        await plot.evaluate((element) => element.scrollIntoView({ block: "center" }));
        const box = await plot.boundingBox();
        const tap = ([across, up]) => page.touchscreen.tap(box.x + box.width * across, box.y + box.height * up);
        const field = boxes(page);
        const ranNote = page.getByText(/ in the Data panel, and this is (its|their) run\.$/);
        let line = "";
        for (const place of picture.places) {
            await tap(place);
            line = await until(() => lineOf(plot), (text) => /^[rT] = /.test(text) && text !== line, "the place's line");
            assert.doesNotMatch(line, /still being computed/);
            assert.deepEqual([await field.r.inputValue(), await field.lag.inputValue(), await ranNote.count()], ["0.2", "5", 0],
                "a tap that reads runs nothing");
        }
        const read = picture.placeOf(line);
        await tap(picture.places.at(-1));
        await ranNote.waitFor();
        const r = await field.r.inputValue();
        assert.equal(await field.lag.inputValue(), read.lag);
        // The box gets the place's r in full; the line rounds it to the grid's spacing.
        assert.ok(Math.abs(Number(r) - Number(read.r)) <= 0.0025 + 1e-12, `r = ${r} in the box for the place's ${read.r}`);
        await untilResult(page, "the place's run", "--r", r, "--lag", read.lag);
        await tarnis.close();
    });
}

test("the keyboard walks the map from the run's cell, and Enter runs the cell", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await button(page, "Data 2").click();
    await button(page, "Run").click();
    await complete(map(page), "the map");
    await map(page).focus();
    await page.keyboard.press("ArrowUp"); // the cursor appears on the run's cell
    assert.deepEqual(placeOf(await lineOf(map(page))).lag, "5");
    for (const key of ["ArrowRight", "ArrowRight", "PageUp"]) await page.keyboard.press(key);
    const cell = placeOf(await lineOf(map(page)));
    assert.equal(cell.lag, "6");
    await page.keyboard.press("Enter");
    await until(() => boxes(page).lag.inputValue(), (text) => text === "6", "the cell's lag in its box");
    await untilResult(page, "the cell's run", "--r", await boxes(page).r.inputValue(), "--lag", "6");
    assert.ok(await map(page).evaluate((element) => element === document.activeElement), "the map keeps the keyboard");
    const ranNote = page.getByText(/ are in the Data panel, and this is their run\.$/);
    await ranNote.waitFor();
    // A cell whose run is refused (K holds no number) says nothing of a run: the refusal speaks.
    await boxes(page).K.fill("abc");
    await map(page).focus();
    await page.keyboard.press("ArrowLeft");
    await page.keyboard.press("Enter");
    await until(() => ranNote.count(), (count) => count === 0, "no word of a run that was refused");
    await tarnis.close();
});

test("a new r keeps the computed map, a new K computes it anew; the diagram over the lag", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await button(page, "Data 2").click();
    await button(page, "Run").click();
    await complete(map(page), "the map");
    await complete(diagram(page), "the diagram");
    await countRestarts(map(page));
    await countRestarts(diagram(page));
    await page.getByRole("slider", { name: "The intrinsic rate (r):", exact: true }).focus();
    await page.keyboard.press("ArrowRight");
    await untilResult(page, "the run of r = 0.201", "--r", "0.201", "--lag", "5");
    // Its regime is worked out anew; the map and the diagram over r keep what they computed.
    const [headline, sentences] = tarnisRun("dynamics", "--words", "--r", "0.201", "--n0", "1", "--K", "500", "--lag", "5")
        .toString().replace(/\n$/, "").split("\n");
    await untilText(page.locator("#regime-words"), sentences, "the words of r = 0.201");
    assert.equal(await page.locator("#regime-headline").textContent(), headline);
    await untilTwin(page, "--r", "0.201", "--lag", "5");
    assert.deepEqual([await restartsOf(map(page)), await restartsOf(diagram(page))], [0, 0], "the same grid and columns, kept");
    assert.equal(await map(page).getAttribute("data-complete"), "true");
    await page.getByRole("slider", { name: "The carrying capacity (K):", exact: true }).focus();
    await page.keyboard.press("ArrowLeft");
    await until(() => boxes(page).K.inputValue(), (text) => text === "490", "K by its slider");
    await until(() => map(page).getAttribute("data-complete"), (value) => value === "false", "the map computed anew");
    await complete(map(page), "the new map");

    await page.getByRole("radio", { name: "over lag", exact: true }).check();
    await page.getByRole("heading", { name: "Bifurcation diagram over T at r = 0.201" }).waitFor();
    await complete(diagram(page), "the diagram over the lag");
    await diagram(page).scrollIntoViewIfNeeded();
    const box = await diagram(page).boundingBox();
    await page.mouse.move(box.x + box.width * 0.5, box.y + box.height * 0.3);
    assert.match(await until(() => lineOf(diagram(page)), (line) => line.startsWith("T = "), "a column's line"), /^T = [\d.]+: /);
    await tarnis.close();
});

// Beyond what the analysis covers, the pictures give way to a sentence; back within it they return.
test("a lag beyond the analysis gets no map or diagram, and says why", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const why = "Lags above 9999 are beyond what the analysis covers: no map or diagram can show this run.";
    await boxes(page).lag.fill("1e9");
    await boxes(page).lag.press("Enter");
    await button(page, "Run").click();
    await until(() => page.locator("#map-pointed").textContent(), (text) => text === why, "the map's sentence");
    assert.equal(await page.locator("#diagram-pointed").textContent(), why);
    assert.equal(await map(page).isVisible(), false);
    assert.equal(await diagram(page).isVisible(), false);
    await page.getByRole("heading", { name: "Bifurcation diagram", exact: true }).waitFor();
    await boxes(page).lag.fill("5");
    await boxes(page).lag.press("Enter");
    await button(page, "Run").click();
    await complete(map(page), "the map within the analysis");
    assert.notEqual(await page.locator("#map-pointed").textContent(), why);
    await tarnis.close();
});

// A slice that fails in a worker is answered with its failure, and the worker answers the next: the
// map of a new K is complete. (A worker that stopped answering left the map unfinished for good.)
test("a worker goes on after a slice that failed", async () => {
    const tarnis = await openTarnis(browser(), {
        initScript: () => {
            const Original = window.Worker;
            window.tarnisWorkers = [];
            window.Worker = class extends Original {
                constructor(...args) {
                    super(...args);
                    window.tarnisWorkers.push(this);
                }
            };
        },
    });
    const { page } = tarnis;
    await button(page, "Data 2").click();
    await button(page, "Run").click();
    await complete(map(page), "the map");
    const workers = await page.evaluate(() => {
        for (const worker of window.tarnisWorkers) worker.postMessage({ job: -1, task: "map", grid: null, first: 0, count: 1 });
        return window.tarnisWorkers.length;
    });
    assert.ok(workers >= 1, "the page's workers");
    await page.getByRole("slider", { name: "The carrying capacity (K):", exact: true }).focus();
    await page.keyboard.press("ArrowLeft");
    await until(() => map(page).getAttribute("data-complete"), (value) => value === "false", "the map computed anew");
    await complete(map(page), "the new map");
    assert.equal(await page.getByRole("alert").filter({ hasText: "could not be computed" }).count(), 0);
    await tarnis.close();
});

// The Chance panel: its controls by role and name, an ensemble computed by the workers whose words,
// survival curve and bands are tarnis-run's for the same seed, noise and run, and computed anew for a
// new run. The summaries come as the workers answer the page, recorded on their way in.
const chanceControls = [
    ["radiogroup", "Noise:"],
    ["radio", "Demographic (whole animals)"],
    ["radio", "Environmental (good and bad years)"],
    ["radio", "Both"],
    ["textbox", "σ of the years:"],
    ["spinbutton", "Runs:"],
    ["textbox", "Seed:"],
    ["textbox", "Extinct below:"],
    ["button", "Run the ensemble"],
];

const recordSummaries = () => {
    const Original = window.Worker;
    window.tarnisSummaries = [];
    window.Worker = class extends Original {
        constructor(...args) {
            super(...args);
            this.addEventListener("message", (event) => {
                if (event.data.task === "summary") window.tarnisSummaries.push(event.data);
            });
        }
    };
};

// Waits until the panel shows tarnis-run's words for the ensemble, and compares the last summary's
// survival curve and bands with its columns, bit for bit.
async function untilEnsemble(page, ...options) {
    const lines = tarnisRun("ensemble", ...options, "--summary").toString().trim().split("\r\n");
    const words = JSON.parse(lines[0]);
    const panel = page.getByRole("region", { name: "Chance", exact: true });
    await panel.getByText(words, { exact: true }).waitFor();
    const summary = await page.evaluate(() => {
        const last = window.tarnisSummaries.at(-1);
        return { survival: Array.from(last.survival), bands: last.bands.map((band) => Array.from(band)) };
    });
    const rows = lines.slice(2).map((row) => row.split(",").map(Number));
    assert.deepEqual(summary.survival, rows.map((row) => row[1]), "the survival curve");
    summary.bands.forEach((band, b) => assert.deepEqual(band, rows.map((row) => row[2 + b]), `band ${b}`));
}

for (const ensemble of [
    { noise: "Demographic (whole animals)", option: "demographic", seed: "2026", runs: "300" },
    { noise: "Both", option: "both", sigma: "0.2", seed: "18446744073709551615", runs: "1000" },
]) {
    test(`the Chance panel: ${ensemble.option} noise, tarnis-run's ensemble; anew for a new run`, async () => {
        const tarnis = await openTarnis(browser(), { initScript: recordSummaries });
        const { page } = tarnis;
        const panel = page.getByRole("region", { name: "Chance", exact: true });
        for (const [role, name] of chanceControls) await panel.getByRole(role, { name, exact: true }).waitFor();
        const { r, n0, lag, steps } = boxes(page);
        for (const [box, text] of [[r, "0.3"], [n0, "20"], [lag, "8"], [steps, "120"]]) await typeInto(box, text);
        await button(page, "Run").click();

        await panel.getByRole("radio", { name: ensemble.noise, exact: true }).check();
        const sigma = ensemble.sigma ? ["--sigma", ensemble.sigma] : [];
        if (ensemble.sigma) await panel.getByRole("textbox", { name: "σ of the years:", exact: true }).fill(ensemble.sigma);
        await panel.getByRole("spinbutton", { name: "Runs:", exact: true }).fill(ensemble.runs);
        // A seed past 2^64 − 1 is refused in the module's words, not cut to 64 bits.
        const seed = panel.getByRole("textbox", { name: "Seed:", exact: true });
        await seed.fill("18446744073709551616");
        await button(panel, "Run the ensemble").click();
        await untilText(panel.getByRole("alert"), "an ensemble's seed must be a whole number from 0 to 2^64 - 1");
        await seed.fill(ensemble.seed);
        await button(panel, "Run the ensemble").click();
        const common = ["--runs", ensemble.runs, "--seed", ensemble.seed, "--noise", ensemble.option, ...sigma];
        const run = ["--r", "0.3", "--n0", "20", "--lag", "8", "--steps", "120"];
        await untilEnsemble(page, ...common, ...run);
        // "Save data as CSV": the file that tarnis-run ensemble --summary writes, byte for byte.
        const save = panel.getByRole("button", { name: "Save data as CSV", exact: true });
        const [download] = await Promise.all([page.waitForEvent("download"), save.click()]);
        assert.equal(download.suggestedFilename(), "Tarnis ensemble.csv");
        assert.deepEqual(await readFile(await download.path()), tarnisRun("ensemble", ...common, ...run, "--summary"));

        await typeInto(lag, "3");
        await button(page, "Run").click();
        await untilEnsemble(page, ...common, "--r", "0.3", "--n0", "20", "--lag", "3", "--steps", "120");
        await tarnis.close();
    });
}

// The most runs at 200 steps hold more N(t) than the bands may: the words count all of them, the bands
// are tarnis-run's of the first runs that fit (run i draws the same wherever it is computed), and a
// line under the fan chart's title says so.
test("the Chance panel: bands from the first runs when all of them would not fit", async () => {
    const tarnis = await openTarnis(browser(), { initScript: recordSummaries });
    const { page } = tarnis;
    const panel = page.getByRole("region", { name: "Chance", exact: true });
    const { r, n0, lag, steps } = boxes(page);
    for (const [box, text] of [[r, "0.3"], [n0, "20"], [lag, "8"], [steps, "200"]]) await typeInto(box, text);
    await button(page, "Run").click();
    await panel.getByRole("spinbutton", { name: "Runs:", exact: true }).fill("100000");
    await button(panel, "Run the ensemble").click();
    const note = panel.getByText("Bands from the first 99502 of 100000 runs.", { exact: true });
    await note.waitFor({ timeout: 120_000 }); // a hundred thousand runs, on a machine that may be busy
    await panel.getByText(/^Of 100000 runs, /).waitFor();
    const options = ["--r", "0.3", "--n0", "20", "--lag", "8", "--steps", "200", "--seed", "1"];
    const lines = tarnisRun("ensemble", "--runs", "99502", ...options, "--summary").toString().trim().split("\r\n");
    const bands = await page.evaluate(() => window.tarnisSummaries.at(-1).bands.map((band) => Array.from(band)));
    const rows = lines.slice(2).map((row) => row.split(",").map(Number));
    bands.forEach((band, b) => assert.deepEqual(band, rows.map((row) => row[2 + b]), `band ${b}`));
    await tarnis.close();
});
