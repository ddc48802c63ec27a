// The Graph panel in the browser: clicks (and "Next chart") step through the eleven kinds in the
// desktop's order, runs are kept and named in the legend, the readout gives 15 significant digits, the
// wheel zooms and "Fit to data" returns, the logarithmic N axis applies where N is on the y axis, the
// chart's words follow every change, and the chart is saved as PNG and SVG and copied as rows. The
// comparison with continuous time draws the run's twin in the kinds over t, with its legend line, its
// column of copied rows (tarnis-run's numbers, anew after a slider's move) and its stop sentence. On a
// phone one finger scrolls the page, a tap reads a point and two fingers pan and pinch the chart.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { test } from "node:test";

import {
    Phone,
    boxes,
    openTarnis,
    sharedBrowser,
    tarnisModule,
    tarnisRun,
    touchGesture,
    typeInto,
    until,
} from "./support.mjs";

const browser = sharedBrowser();

const button = (page, name) => page.getByRole("button", { name, exact: true });
const chart = (page) => page.getByRole("img", { name: /^Curve of / });
const kindList = (page) => page.getByRole("combobox", { name: "Chart", exact: true });
const description = (page) => chart(page).evaluate((element) => document.getElementById(element.getAttribute("aria-describedby")).textContent);
const legendLines = (page) => page.getByRole("list", { name: "Legend" }).getByRole("listitem").allTextContents();

async function runDefaults(page) {
    await button(page, "Run").click();
    await chart(page).waitFor();
}

// The desktop's click cycle, from the chart a run draws.
const Cycle = [
    "Curve of N(t) vs. time",
    "Curve of dN/dt vs. time",
    "Curve of dN vs. N",
    "Curve of dN vs. N",
    "Curve of N and dN/dt vs. time",
    "Curve of logN(t) vs. time",
    "Curve of dN/Ndt vs. N",
    "Curve of dN/Ndt vs. N",
    "Curve of N(t+1) vs. N(t)",
    "Curve of N(t+1) vs. N(t)",
    "Curve of N(t) and K vs. time",
];

// The picture of the chart on show, which carries the plot's rectangle and the ticks of the screen.
async function savedSvg(page) {
    const [download] = await Promise.all([page.waitForEvent("download"), button(page, "Save chart as SVG").click()]);
    return (await readFile(await download.path())).toString();
}

// The tick labels of a picture, each with its box as the browser draws it: the y axis' numbers end
// left of the plot, the x axis' stand under it.
async function tickLabels(page, svg) {
    const [, left, top, , height] = /<rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)" fill="none"/
        .exec(svg)
        .map(Number);
    const texts = await page.evaluate((drawing) => {
        const holder = document.createElement("div");
        holder.innerHTML = drawing;
        document.body.append(holder);
        const found = [...holder.querySelectorAll("text")].map((text) => {
            const { x, y, width, height } = text.getBBox();
            return { at: { x: Number(text.getAttribute("x")), y: Number(text.getAttribute("y")) }, box: { x, y, width, height } };
        });
        holder.remove();
        return found;
    }, svg);
    return {
        x: texts.filter(({ at }) => at.y === Math.round((top + height + 19) * 100) / 100).map(({ box }) => [box.x, box.width]),
        y: texts.filter(({ at }) => at.x === Math.round((left - 8) * 100) / 100).map(({ box }) => [box.y, box.height]),
    };
}

// Labels as [start, extent] along their axis: none reaches into the next.
function assertApart(labels, what) {
    const sorted = [...labels].sort((a, b) => a[0] - b[0]);
    assert.ok(sorted.length >= 2, `${what}: ${sorted.length} labels`);
    for (let i = 1; i < sorted.length; i += 1)
        assert.ok(sorted[i - 1][0] + sorted[i - 1][1] <= sorted[i][0], `${what}: labels at ${JSON.stringify(sorted)}`);
}

// "N(t) from 0 to 2000": an axis' range in the chart's words.
function wordedRange(words, direction) {
    const found = new RegExp(`${direction} axis: .*? from (\\S+) to (\\S+?)\\.( |$)`).exec(words);
    assert.ok(found, words);
    return [found[1], found[2]];
}

// The run of r = 0.3 at lag 8, which swings from near 0 to about 1900: N vs. t as a line, N(t+1) vs.
// N(t) as markers, fitted on the page as the model fits them for the plot's size, and ticked so that
// no label touches the next, on a laptop and on a phone.
for (const [device, viewport] of [
    ["a laptop", { width: 1280, height: 720 }],
    ["a phone", Phone],
]) {
    test(`on ${device} the chart's axes are the model's fit for the run and the plot, and no tick labels touch`, async () => {
        const module = await tarnisModule();
        const N = tarnisRun("--r", "0.3", "--lag", "8", "--digits", "17").toString().split("\r\n").slice(2, -1)
            .map((row) => Number(row.split(",")[1]));
        const tarnis = await openTarnis(browser(), { viewport });
        const { page } = tarnis;
        await typeInto(boxes(page).r, "0.3");
        await typeInto(boxes(page).lag, "8");
        await runDefaults(page);
        const kinds = [
            { label: Cycle[0], title: Cycle[0], x: N.map((_, t) => t), y: N, markers: false },
            // Its last point is N(200) against N(201), which lies between the extremes of the others.
            { label: `${Cycle[8]}, in points`, title: Cycle[8], x: N, y: N.slice(1), markers: true },
        ];
        for (const { label, title, x, y, markers } of kinds) {
            await kindList(page).selectOption({ label });
            await until(() => chart(page).getAttribute("aria-label"), (shown) => shown === title, label);
            const svg = await savedSvg(page);
            const [, , , width, height] = /<rect x="([\d.]+)" y="([\d.]+)" width="([\d.]+)" height="([\d.]+)" fill="none"/
                .exec(svg)
                .map(Number);
            const fitted = (values, length, vertical) => {
                const [lowest, highest] = [Math.min(...values), Math.max(...values)];
                const fit = module.fittedAxis(lowest, highest, length, vertical, false);
                const range = markers ? module.markerRoom(fit, lowest, highest, length, false) : fit;
                return [range.min, range.max].map((value) => module.numberToText(value, ".", 6));
            };
            const expected = JSON.stringify({ y: fitted(y, height, true), x: fitted(x, width, false) });
            const worded = async () => {
                const words = await description(page);
                return JSON.stringify({ y: wordedRange(words, "Vertical"), x: wordedRange(words, "Horizontal") });
            };
            await until(worded, (found) => found === expected, `${label}: the axes ${expected}`);
            const labels = await tickLabels(page, svg);
            assertApart(labels.x, `${label}: the x axis`);
            assertApart(labels.y, `${label}: the y axis`);
        }
        await tarnis.close();
    });
}

// "Next chart" is the click for a finger, which reads a point where the mouse steps the kind.
for (const [way, step] of [
    ["clicks on the chart", (page) => chart(page).click()],
    ['"Next chart"', (page) => button(page, "Next chart").click()],
]) {
    test(`${way} step through the eleven kinds and back; the list and the words follow`, async () => {
        const tarnis = await openTarnis(browser());
        const { page } = tarnis;
        await runDefaults(page);
        const seen = [];
        const listed = new Set();
        for (let click = 0; click <= Cycle.length; click += 1) {
            const title = await chart(page).getAttribute("aria-label");
            seen.push(title);
            listed.add(await kindList(page).inputValue());
            assert.ok((await description(page)).startsWith(`${title}.`), "the words name the chart on show");
            const before = await kindList(page).inputValue();
            await step(page);
            await until(() => kindList(page).inputValue(), (value) => value !== before, `step ${click + 1} changes the kind`);
        }
        assert.deepEqual(seen, [...Cycle, Cycle[0]]);
        assert.equal(listed.size, 11, "eleven kinds, each its own entry in the list");
        // The list picks any kind; the next step goes on from it.
        await kindList(page).selectOption({ label: "Curve of N(t+1) vs. N(t), in line" });
        await until(() => chart(page).getAttribute("aria-label"), (title) => title === "Curve of N(t+1) vs. N(t)", "picked");
        await kindList(page).selectOption({ label: Cycle[5] });
        await step(page);
        await until(() => chart(page).getAttribute("aria-label"), (title) => title === Cycle[6], "on from the kind picked");
        await tarnis.close();
    });
}

test("two kept runs behind the run on show, named in the legend in colours of their own", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    await button(page, "Keep this run").click();
    await button(page, "This run is kept").waitFor();
    await button(page, "Data 3").click();
    await runDefaults(page);
    await button(page, "Keep this run").click();
    await button(page, "Data 1").click();
    await runDefaults(page);
    const lines = await until(() => legendLines(page), (found) => found.length === 3, "a legend line a run");
    assert.deepEqual(lines, ["This run: T=8, 2000 steps", "T=5, 200 steps", "T=3, 200 steps"]);
    const colours = await page.getByRole("list", { name: "Legend" }).evaluate((list) =>
        [...list.querySelectorAll("li")].map((item) => getComputedStyle(item.firstElementChild).backgroundColor));
    assert.equal(new Set(colours).size, 3, `three colours: ${colours}`);
    assert.match(await description(page), /Shown with 2 kept runs: /);
    await button(page, "Forget kept runs").click();
    await until(() => legendLines(page), (found) => found.length === 0, "no legend without kept runs");
    await tarnis.close();
});

test("the readout by the arrow keys and under the pointer, to 15 significant digits", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    await chart(page).focus();
    await page.keyboard.press("ArrowLeft"); // the run's last step
    await until(() => description(page), (text) => text.includes("Marked: This run: r=0.2, N(0)=1, K=500, T=5, 200 steps, t = 200, N(t) = 499.936872437631,"),
        "the marked step in the chart's words");
    await page.keyboard.press("ArrowLeft");
    await until(() => description(page), (text) => text.includes("t = 199,"), "one step back");
    await page.keyboard.press("Escape");
    await until(() => description(page), (text) => !text.includes("Marked:"), "the mark put away");
    // The pointer in the middle of the chart reads the nearest step: tarnis-run's N of that step.
    const box = await chart(page).boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    const step = Number((await page.getByText(/^t = \d+$/).textContent()).slice(4));
    const rows = tarnisRun("--digits", "17").toString().split("\r\n");
    const N = Number(rows[2 + step].split(",")[1]);
    await page.getByText(`N(t) = ${Number(N.toPrecision(15))}`, { exact: true }).waitFor();
    await tarnis.close();
});

// Play draws the run step by step with the newest step in the readout: Pause holds it, Step adds one,
// and the play ends on the full chart with the last step read out, as tarnis-run has it.
test("Play, Pause and Step: the readout follows the newest step and the play ends on the last", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    const play = page.getByRole("group", { name: "Play" });
    const step = async () => Number((await page.getByText(/^t = \d+$/).textContent()).slice(4));
    const speed = play.getByRole("combobox", { name: "Speed" });
    assert.equal(await speed.inputValue(), "20"); // the whole run of 200 steps within ten seconds
    await speed.selectOption({ label: "5 steps/s" });
    await button(play, "Play").click();
    await button(play, "Pause").click();
    const held = await step();
    assert.ok(held < 200, `held at t = ${held}`);
    await button(play, "Step").click();
    await page.getByText(`t = ${held + 1}`, { exact: true }).waitFor();
    await play.getByText(`t = ${held + 1} of 200`, { exact: true }).waitFor();
    assert.equal(await description(page).then((text) => text.includes("Curve of N(t) vs. time")), true);

    await speed.selectOption({ label: "1000 steps/s" });
    await button(play, "Play").click();
    await button(play, "Play").waitFor({ timeout: 15_000 }); // "Pause" again "Play": the play has ended
    await page.getByText("t = 200", { exact: true }).waitFor();
    await page.getByText("N(t) = 499.936872437631", { exact: true }).waitFor();
    // The full chart again: the pointer reads any step, not only those played.
    const box = await chart(page).boundingBox();
    await page.mouse.move(box.x + box.width * 0.3, box.y + box.height / 2);
    assert.ok((await step()) < 200, "a step of the full chart under the pointer");
    await tarnis.close();
});

test("the wheel zooms, a drag pans, and Fit to data shows the whole chart again; a drag is no click; the wheel scrolls the page past the widest view", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    const fitted = await description(page);
    const box = await chart(page).boundingBox();
    await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
    await page.mouse.wheel(0, -300);
    const zoomed = await until(() => description(page), (text) => text !== fitted, "the wheel zooms");
    await page.mouse.down();
    await page.mouse.move(box.x + box.width / 2 + 60, box.y + box.height / 2 + 20, { steps: 5 });
    await page.mouse.up();
    await until(() => description(page), (text) => text !== zoomed, "the drag pans");
    assert.equal(await chart(page).getAttribute("aria-label"), Cycle[0], "the drag did not step the kind");
    await button(page, "Fit to data").click();
    await until(() => description(page), (text) => text === fitted, "fitted again");
    // Zoomed out as far as it goes, the wheel over the chart scrolls the page.
    for (let notch = 0; notch < 4; notch += 1) await page.mouse.wheel(0, 300);
    const widest = await description(page);
    const over = await chart(page).boundingBox();
    await page.mouse.move(over.x + over.width / 2, over.y + over.height / 2);
    const scrolled = await page.evaluate(() => window.scrollY);
    await page.mouse.wheel(0, 300);
    await until(() => page.evaluate(() => window.scrollY), (y) => y > scrolled, "the page scrolled");
    assert.equal(await description(page), widest);
    await tarnis.close();
});

test("the logarithmic N axis where N is on the y axis, kept for the page's life", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    const logarithmic = page.getByRole("checkbox", { name: "Logarithmic N axis" });
    await logarithmic.check();
    await until(() => description(page), (text) => /Vertical axis: N\(t\) from .* on a logarithmic scale\./.test(text), "log y");
    await chart(page).click(); // dN vs. time: no N axis
    await until(() => logarithmic.isDisabled(), Boolean, "not for dN");
    assert.doesNotMatch(await description(page), /logarithmic/);
    await kindList(page).selectOption({ label: "Curve of N(t) and K vs. time" });
    await until(() => description(page), (text) => text.includes("on a logarithmic scale"), "again for N(t) and K");
    await tarnis.close();
});

test("the chart saved as SVG and PNG under its title, and copied as rows", async () => {
    const tarnis = await openTarnis(browser());
    const { page, context } = tarnis;
    await context.grantPermissions(["clipboard-read", "clipboard-write"]);
    await runDefaults(page);
    const save = async (name) => {
        const [download] = await Promise.all([page.waitForEvent("download"), button(page, name).click()]);
        return { name: download.suggestedFilename(), bytes: await readFile(await download.path()) };
    };
    const svg = await save("Save chart as SVG");
    assert.equal(svg.name, "Curve of N(t) vs. time.svg");
    assert.match(svg.bytes.toString(), /^<svg [^]*<title>Curve of N\(t\) vs\. time<\/title>[^]*<\/svg>\n$/);
    assert.match(svg.bytes.toString(), />r = 0\.2, N\(0\) = 1, K = 500, T = 5<\/text>/, "the run's parameters under the title");
    const png = await save("Save chart as PNG");
    assert.equal(png.name, "Curve of N(t) vs. time.png");
    assert.ok(png.bytes.subarray(0, 8).equals(Buffer.from([137, 80, 78, 71, 13, 10, 26, 10])), "a PNG picture");
    const svgWidth = Number(svg.bytes.toString().match(/width="([\d.]+)"/)[1]);
    assert.equal(png.bytes.readUInt32BE(16), Math.round(svgWidth) * 2, "twice the pixels");
    await button(page, "Copy data").click();
    const copied = await until(() => page.evaluate(() => navigator.clipboard.readText()), (text) => text.length > 0, "copied");
    const rows = copied.split("\n");
    assert.equal(rows[0], "Time\tN(t)");
    assert.equal(rows[201], "200\t499.936872437631");
    assert.equal(rows.length, 203, "a header, 201 rows and the last line's end");
    await tarnis.close();
});

const Twin = "Continuous time (Hutchinson)";
const compareBox = (page) => page.getByRole("checkbox", { name: "Compare with continuous time", exact: true });

// The twin's line is in the legend exactly while the comparison is on and the kind plots N over t;
// the other kinds draw no twin, and a legend of one run alone goes again when the comparison does.
test("the comparison's checkbox, off at first, puts the twin in the legend of the kinds over t only", async () => {
    const module = await tarnisModule();
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await runDefaults(page);
    assert.equal(await compareBox(page).isChecked(), false);
    assert.equal(await compareBox(page).getAttribute("title"), module.continuousComparisonWords().toolTip);
    const kinds = [
        { label: Cycle[0], legend: { off: [], on: ["This run", Twin] } },
        { label: Cycle[10], legend: { off: ["N(t), K"], on: ["N(t), K", Twin] } },
        { label: Cycle[1], legend: { off: [], on: [] } },
        { label: `${Cycle[8]}, in points`, legend: { off: [], on: [] } },
        { label: Cycle[5], legend: { off: [], on: [] } },
    ];
    for (const compared of [true, false])
        for (const { label, legend } of kinds) {
            await compareBox(page).setChecked(compared);
            await kindList(page).selectOption({ label });
            const expected = compared ? legend.on : legend.off;
            await until(() => legendLines(page), (found) => JSON.stringify(found) === JSON.stringify(expected),
                `${label}, compared ${compared}: the legend ${JSON.stringify(expected)}`);
        }
    // Kept runs name each run; the twin's line comes last.
    await compareBox(page).check();
    await kindList(page).selectOption({ label: Cycle[0] });
    await button(page, "Keep this run").click();
    await button(page, "Data 3").click();
    await runDefaults(page);
    await until(() => legendLines(page), (found) => found.length === 3 && found[2] === Twin, "two runs and the twin");
    await tarnis.close();
});

// The copied column is the module's twin, which is tarnis-run's, bit for bit; where the twin stops
// early its cells are empty and the model's sentence stands under the chart. A slider's move
// integrates it anew.
test("the twin in Copy data and in the pictures, with its stop sentence, anew after a slider's move", async () => {
    const module = await tarnisModule();
    const tarnis = await openTarnis(browser());
    const { page, context } = tarnis;
    await context.grantPermissions(["clipboard-read", "clipboard-write"]);
    const twinColumn = async () => {
        await page.evaluate(() => navigator.clipboard.writeText(""));
        await button(page, "Copy data").click();
        const copied = await until(() => page.evaluate(() => navigator.clipboard.readText()), (text) => text.length > 0, "copied");
        const rows = copied.split("\n").slice(0, -1).map((row) => row.split("\t"));
        assert.deepEqual(rows[0], ["Time", "N(t)", module.continuousComparisonWords().dataColumn]);
        return rows.slice(1).map((row) => row[2]);
    };
    const tarnisRunTwin = (...options) =>
        tarnisRun("continuous", ...options, "--tidy").toString().trim().split("\n").slice(1).map((row) => Number(row.split(",")[1]));
    await runDefaults(page);
    await compareBox(page).check();
    for (const { r, stops } of [{ r: "3", stops: true }, { r: "0.3", stops: false }]) {
        await typeInto(boxes(page).r, r);
        await runDefaults(page);
        const parameters = { r: Number(r), n0: 1, K: 500, lag: 5, steps: 200 };
        const twin = module.continuousRun(parameters).n;
        const expected = tarnisRunTwin("--r", r);
        assert.deepEqual(Array.from(twin), expected, "the module's twin is tarnis-run's");
        const cells = await twinColumn();
        const filled = cells.filter((cell) => cell !== "");
        assert.deepEqual(filled.map(Number), expected, `r = ${r}: the copied twin`);
        assert.equal(cells.length > filled.length, stops, `r = ${r}: empty cells after the twin stopped`);
        const note = page.locator("#continuous-note");
        assert.equal(await note.textContent(), module.continuousStopWords(parameters));
        assert.equal(await note.isVisible(), stops);
    }
    const svg = await savedSvg(page);
    assert.match(svg, /<path d="[^"]+" fill="none" stroke="#000000" stroke-width="1" stroke-dasharray="6 3"/, "the twin dashed");
    assert.match(svg, new RegExp(`>${Twin.replace(/[()]/g, "\\$&")}</text>`), "its legend line");
    await page.getByRole("slider", { name: "The intrinsic rate (r):", exact: true }).focus();
    await page.keyboard.press("ArrowRight");
    await until(() => boxes(page).r.inputValue(), (text) => text === "0.301", "r by its slider");
    assert.deepEqual((await twinColumn()).map(Number), tarnisRunTwin("--r", "0.301"), "the twin of the slider's r");
    await tarnis.close();
});

// On a phone: the chart of a run at the top of the screen, with page enough below it to scroll.
async function phoneChart() {
    const tarnis = await openTarnis(browser(), { viewport: Phone, touch: true });
    await runDefaults(tarnis.page);
    await chart(tarnis.page).evaluate((element) => element.scrollIntoView({ block: "start" }));
    return tarnis;
}

const chartState = async (page) => ({ words: await description(page), kind: await kindList(page).inputValue() });
const scrollY = (page) => page.evaluate(() => window.scrollY);

test("on a phone a swipe up over the chart scrolls the page and leaves the chart's view and kind", async () => {
    const tarnis = await phoneChart();
    const { page } = tarnis;
    const before = await chartState(page);
    const top = await scrollY(page);
    const box = await chart(page).boundingBox();
    const x = box.x + box.width / 2;
    await touchGesture(tarnis, [[{ x, y: box.y + box.height * 0.8 }, { x, y: box.y + box.height * 0.2 }]]);
    await until(() => scrollY(page), (y) => y > top, "the page scrolled");
    assert.deepEqual(await chartState(page), before);
    await tarnis.close();
});

test("on a phone a tap reads the point the pointer reads there, and steps nothing", async () => {
    const tarnis = await phoneChart();
    const { page } = tarnis;
    const readStep = page.getByText(/^t = \d+$/);
    const box = await chart(page).boundingBox();
    const rows = tarnisRun("--digits", "17").toString().split("\r\n");
    for (const across of [0.3, 0.7]) {
        const [x, y] = [box.x + box.width * across, box.y + box.height / 2];
        await page.mouse.move(x, y);
        const pointed = await readStep.textContent();
        await page.mouse.move(x, box.y + box.height + 20); // off the chart: the readout goes
        await readStep.waitFor({ state: "hidden" });
        await page.touchscreen.tap(x, y);
        await readStep.waitFor();
        assert.equal(await readStep.textContent(), pointed, `the tap at ${across} of the chart's width`);
        const N = Number(rows[2 + Number(pointed.slice(4))].split(",")[1]);
        await page.getByText(`N(t) = ${Number(N.toPrecision(15))}`, { exact: true }).waitFor();
    }
    assert.equal(await chart(page).getAttribute("aria-label"), Cycle[0], "no tap stepped the kind");
    await button(page, "Next chart").tap();
    await until(() => chart(page).getAttribute("aria-label"), (title) => title === Cycle[1], "one step by the button");
    await tarnis.close();
});

// "Time from 52.3417 to 94.3417": the span of the horizontal axis in the chart's words.
function timeSpan(words) {
    const found = /Horizontal axis: Time from (\S+) to (\S+)\./.exec(words);
    assert.ok(found, words);
    return Number(found[2]) - Number(found[1]);
}

test("on a phone two fingers pinch the chart within the wheel's limits, and the page stays", async () => {
    const tarnis = await phoneChart();
    const { page } = tarnis;
    const fitted = await description(page);
    const top = await scrollY(page);
    const box = await chart(page).boundingBox();
    const middle = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    // The fingers apart from `from` to `to` pixels each side of the middle, and up by `up`: a swipe
    // of two fingers, which must not scroll the page.
    const pinch = (from, to, up) =>
        touchGesture(tarnis, [
            [{ x: middle.x - from, y: middle.y }, { x: middle.x - to, y: middle.y - up }],
            [{ x: middle.x + from, y: middle.y }, { x: middle.x + to, y: middle.y - up }],
        ]);
    // Fingers five times as far apart: a fifth of the span, the values under them following them.
    await pinch(20, 100, 40);
    const zoomed = await until(() => description(page), (words) => words !== fitted, "the pinch zooms");
    const share = timeSpan(zoomed) / timeSpan(fitted);
    assert.ok(Math.abs(share - 0.2) < 1e-3, `a fifth of the span: ${share}`);
    // Far together: out no further than the wheel goes.
    await pinch(100, 10, 0);
    const widest = await until(() => description(page), (words) => timeSpan(words) > timeSpan(fitted), "the pinch zooms out");
    assert.equal(await scrollY(page), top, "the fingers did not scroll the page");
    assert.equal(await page.evaluate(() => window.visualViewport.scale), 1, "nor zoom it");
    await button(page, "Fit to data").tap();
    await until(() => description(page), (words) => words === fitted, "fitted again");
    await page.mouse.move(middle.x, middle.y);
    for (let notch = 0; notch < 4; notch += 1) await page.mouse.wheel(0, 300);
    await until(() => description(page), (words) => words === widest, "the wheel's widest view is the pinch's");
    assert.equal(await chart(page).getAttribute("aria-label"), Cycle[0], "no pinch stepped the kind");
    await tarnis.close();
});
