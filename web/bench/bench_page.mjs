// The page's own benchmarks, in Debian's chromium, headless: the time from opening the single file to
// its first chart (the time at which the chart's canvas is in the page, from the start of the
// navigation, with the Run click that the benchmark makes as soon as Run is there), a Run click and a step of the r slider at 2000 steps (the main thread's work for the
// event and the frame that shows its result, and that frame's commit to the compositor; the slider's
// step also with the comparison with continuous time on, whose twin each step integrates anew), the r slider
// about r_c = 2 after a typed run (its first step, its slowest later step, and the longest task of the
// main thread from the Run click to the last step, however little of it a step's frame holds), the stability
// map of 200 × 41 cells from the Run click to its last cell (the first after opening, with the workers'
// start, and one restarted by a new K), the Chance panel's ensemble of 1000 runs of 2000 steps, and the
// single file's size. Prints medians.
//   node web/bench/bench_page.mjs [repetitions]     (scripts/bench builds the page and runs it)
// SPDX-License-Identifier: GPL-3.0-or-later
import { stat } from "node:fs/promises";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

import { launchBrowser } from "../page-tests/support.mjs";
import { frameWork, longestTask, traceMainThread } from "./frame_work.mjs";

const repetitions = Number(process.argv[2] ?? 5);
const here = path.dirname(fileURLToPath(import.meta.url));
const single = path.resolve(here, "../../build/web/tarnis.html");
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];
const row = (name, value, unit) => console.log(`${name.padEnd(60)} ${value.toFixed(unit === "MiB" ? 2 : 1).padStart(10)} ${unit}`);

const browser = await launchBrowser();

// From the start of the navigation to the first chart, in a fresh context each time (no cache).
async function openToFirstChart() {
    const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
    const page = await context.newPage();
    // The page itself marks nothing: the benchmark watches for the chart's canvas from the start.
    await page.addInitScript(() => {
        new MutationObserver((_, observer) => {
            if (!document.querySelector(".uplot canvas")) return;
            performance.mark("bench:first-chart");
            observer.disconnect();
        }).observe(document, { childList: true, subtree: true });
    });
    await page.goto(pathToFileURL(single).href);
    await page.getByRole("button", { name: "Run", exact: true }).click();
    await page.waitForFunction(() => performance.getEntriesByName("bench:first-chart").length > 0);
    const milliseconds = await page.evaluate(() => performance.getEntriesByName("bench:first-chart")[0].startTime);
    await context.close();
    return milliseconds;
}

// The page's work for a Run click of 2000 steps, read from the browser's trace (frame_work.mjs): the
// click's handler with the model's run and the chart's drawing, and the frame that shows it. The preset
// "Data 1" (lag 8, 2000 steps) switches Run on before each click.
async function runsRedrawn(page, count) {
    const data1 = page.getByRole("button", { name: "Data 1", exact: true });
    const run = page.getByRole("button", { name: "Run", exact: true });
    const timeline = await traceMainThread(page, count, async () => {
        await data1.click();
        await nextFrame(page);
        await run.click();
        await nextFrame(page);
    });
    return frameWork(timeline, "click").filter((_, index) => index % 2 === 1); // the Run clicks, not the presets'
}

// The same for steps of the r slider by the arrow key with 2000 steps on show: the key's events, then
// the frame in which the slider's run, the chart and the Dynamics panel's words are drawn. `before`
// comes first, in the trace: the steps' main thread holds what it left to do.
async function sliderSteps(page, count, before = async () => {}) {
    const slider = page.getByRole("slider", { name: "The intrinsic rate (r):", exact: true });
    const timeline = await traceMainThread(page, count + 1, async (index) => {
        if (index === 0) {
            await before();
            await slider.focus();
            return;
        }
        await slider.press((index - 1) % 20 < 10 ? "ArrowRight" : "ArrowLeft");
        await nextFrame(page);
    });
    return Object.assign(frameWork(timeline, "keydown"), { longestTask: longestTask(timeline) });
}

const nextFrame = (page) => page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve))));

// The map from the Run click (or the K slider's move) to its last cell, timed in the page: from the
// action to the map's being complete after it was started anew.
async function mapComplete(page, start) {
    const map = page.locator('[role="img"][aria-label="Stability map"]');
    await map.evaluate((element) => {
        window.tarnisMapDone = new Promise((resolve) => {
            const begun = performance.now();
            let restarted = false;
            new MutationObserver((_records, observer) => {
                if (element.dataset.complete === "false") restarted = true;
                if (restarted && element.dataset.complete === "true") {
                    observer.disconnect();
                    resolve(performance.now() - begun);
                }
            }).observe(element, { attributes: true, attributeFilter: ["data-complete"] });
        });
    });
    await start();
    return page.evaluate(() => window.tarnisMapDone);
}

// The Chance panel's 1000 runs of 2000 steps with both noises (r = 0.2, K = 500, N(0) = 500, lag 3, σ = 0.2,
// as bench_dynamics.cpp's ensembles), from "Run the ensemble" to the panel's showing what they say,
// timed in the page: the first with the workers' start, then again with them started.
async function ensembleComputed(page) {
    const panel = page.getByRole("region", { name: "Chance", exact: true });
    await panel.evaluate((element) => {
        window.tarnisEnsembleDone = new Promise((resolve) => {
            const begun = performance.now();
            new MutationObserver((_records, observer) => {
                if (!element.classList.contains("computed")) return;
                observer.disconnect();
                resolve(performance.now() - begun);
            }).observe(element, { attributes: true, attributeFilter: ["class"] });
        });
    });
    await panel.getByRole("button", { name: "Run the ensemble", exact: true }).click();
    return page.evaluate(() => window.tarnisEnsembleDone);
}

async function ensembles(count) {
    const fresh = await browser.newContext({ viewport: { width: 1280, height: 720 } });
    const page = await fresh.newPage();
    await page.goto(pathToFileURL(single).href);
    for (const [name, text] of [["The intrinsic rate (r):", "0.2"], ["The initial population size N(0):", "500"],
        ["Time lag is", "3"], ["For t=1 to", "2000"]]) {
        const box = page.getByRole("textbox", { name, exact: true });
        await box.fill(text);
        await box.press("Enter");
    }
    await page.getByRole("button", { name: "Run", exact: true }).click();
    const panel = page.getByRole("region", { name: "Chance", exact: true });
    await panel.getByRole("radio", { name: "Both", exact: true }).check();
    await panel.getByRole("textbox", { name: "σ of the years:", exact: true }).fill("0.2");
    await panel.getByRole("spinbutton", { name: "Runs:", exact: true }).fill("1000");
    const times = [];
    for (let i = 0; i < count; i += 1) times.push(await ensembleComputed(page));
    await fresh.close();
    return times;
}

const opening = [];
for (let i = 0; i < repetitions; i += 1) opening.push(await openToFirstChart());

const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
const page = await context.newPage();
await page.goto(pathToFileURL(single).href);
await runsRedrawn(page, 5); // the engine compiles the code first
const redrawn = await runsRedrawn(page, Math.max(repetitions, 10));
await page.getByRole("button", { name: "Data 1", exact: true }).click();
await page.getByRole("button", { name: "Run", exact: true }).click();
await sliderSteps(page, 5);
const sliding = await sliderSteps(page, Math.max(repetitions, 20));
const compare = page.getByRole("checkbox", { name: "Compare with continuous time", exact: true });
await compare.check();
await sliderSteps(page, 5);
const comparing = await sliderSteps(page, Math.max(repetitions, 20));
await compare.uncheck();
// Near r_c = 2 without a lag, started next to K, where a run's regime stays undecided for millions of
// steps: the slider's steps there, of which the slowest counts (the regime is the workers' to find).
for (const [name, text] of [["The intrinsic rate (r):", "1.999"], ["The initial population size N(0):", "499.9"],
    ["Time lag is", "0"], ["For t=1 to", "200"]]) {
    const box = page.getByRole("textbox", { name, exact: true });
    await box.fill(text);
    await box.press("Enter");
}
const undecided = await sliderSteps(page, 20, () => page.getByRole("button", { name: "Run", exact: true }).click());
await context.close();

const firstMap = [];
const restartedMap = [];
for (let i = 0; i < repetitions; i += 1) {
    const fresh = await browser.newContext({ viewport: { width: 1280, height: 720 } });
    const mapPage = await fresh.newPage();
    await mapPage.goto(pathToFileURL(single).href);
    await mapPage.getByRole("button", { name: "Data 2", exact: true }).click();
    firstMap.push(await mapComplete(mapPage, () => mapPage.getByRole("button", { name: "Run", exact: true }).click()));
    const K = mapPage.getByRole("slider", { name: "The carrying capacity (K):", exact: true });
    restartedMap.push(await mapComplete(mapPage, () => K.focus().then(() => K.press("ArrowRight"))));
    await fresh.close();
}
const chance = await ensembles(Math.max(repetitions, 3));
await browser.close();

console.log(`Page in chromium, headless, 1280 × 720, medians of ${repetitions}`);
row("page/opening the single file to the first chart", median(opening), "ms");
row("page/Run click at 2000 steps: the page's work", median(redrawn.map((each) => each.work)), "ms");
row("page/Run click at 2000 steps: the frame's commit", median(redrawn.map((each) => each.commit)), "ms");
row("page/r slider step at 2000 steps: the page's work", median(sliding.map((each) => each.work)), "ms");
row("page/r slider step at 2000 steps: the frame's commit", median(sliding.map((each) => each.commit)), "ms");
row("page/r slider step at 2000 steps + continuous: the work", median(comparing.map((each) => each.work)), "ms");
row("page/r slider step at 2000 steps + continuous: the slowest", Math.max(...comparing.map((each) => each.work)), "ms");
row("page/r slider step at 2000 steps + continuous: the commit", median(comparing.map((each) => each.commit)), "ms");
row("page/r slider about r_c = 2, T = 0: the first step's work", undecided[0].work, "ms");
row("page/r slider about r_c = 2, T = 0: the slowest later step's work", Math.max(...undecided.slice(1).map((each) => each.work)), "ms");
row("page/r slider about r_c = 2, T = 0: the longest task, thread time", undecided.longestTask, "ms");
row("page/stability map 200 × 41 after opening (Run to last cell)", median(firstMap), "ms");
row("page/stability map 200 × 41 restarted by a new K", median(restartedMap), "ms");
row("page/Chance: 1000 runs × 2000 steps, both noises, the first", chance[0], "ms");
row("page/Chance: 1000 runs × 2000 steps, both noises, again", median(chance.slice(1)), "ms");
row("page/single file's size", (await stat(single)).size / (1 << 20), "MiB");
