// The page's own benchmarks, in Debian's chromium, headless: the time from opening the single file to
// its first chart (the page marks "tarnis:first-chart" once a run's chart is drawn; the time is that
// mark's, from the start of the navigation, plus the Run click that the benchmark makes as soon as
// Run is there), a run of 2000 steps redrawn (the Run click's handler with the model's run and the
// chart's drawing, until every task it queued is done), and the single file's size. Prints medians.
//   node web/bench/bench_page.mjs [repetitions]     (scripts/bench builds the page and runs it)
// SPDX-License-Identifier: GPL-3.0-or-later
import { stat } from "node:fs/promises";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

import { launchBrowser } from "../page-tests/support.mjs";

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
    await page.goto(pathToFileURL(single).href);
    await page.getByRole("button", { name: "Run", exact: true }).click();
    await page.waitForFunction(() => performance.getEntriesByName("tarnis:first-chart").length > 0);
    const milliseconds = await page.evaluate(() => performance.getEntriesByName("tarnis:first-chart")[0].startTime);
    await context.close();
    return milliseconds;
}

// A Run click of 2000 steps: the preset "Data 1" (lag 8, 2000 steps) switches Run on, then the click
// runs and draws; timed inside the page until the tasks it queued (the chart's drawing) are done.
async function runRedrawn(page) {
    await page.getByRole("button", { name: "Data 1", exact: true }).click();
    const run = page.getByRole("button", { name: "Run", exact: true });
    return run.evaluate(async (button) => {
        const settled = () => new Promise((resolve) => {
            const channel = new MessageChannel();
            channel.port1.onmessage = () => resolve();
            channel.port2.postMessage(null);
        });
        const start = performance.now();
        button.click();
        await settled();
        return performance.now() - start;
    });
}

const opening = [];
for (let i = 0; i < repetitions; i += 1) opening.push(await openToFirstChart());

const context = await browser.newContext({ viewport: { width: 1280, height: 720 } });
const page = await context.newPage();
await page.goto(pathToFileURL(single).href);
for (let i = 0; i < 5; i += 1) await runRedrawn(page); // the engine compiles the code first
const redrawn = [];
for (let i = 0; i < Math.max(repetitions, 10); i += 1) redrawn.push(await runRedrawn(page));
await browser.close();

console.log(`Page in chromium, headless, 1280 × 720, medians of ${repetitions}`);
row("page/opening the single file to the first chart", median(opening), "ms");
row("page/run of 2000 steps redrawn (Data 1, Run)", median(redrawn), "ms");
row("page/single file's size", (await stat(single)).size / (1 << 20), "MiB");
