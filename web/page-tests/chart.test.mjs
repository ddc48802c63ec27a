// The Graph panel in the browser: clicks step through the eleven kinds in the desktop's order, runs
// are kept and named in the legend, the readout gives 15 significant digits, the wheel zooms and "Fit
// to data" returns, the logarithmic N axis applies where N is on the y axis, the chart's words follow
// every change, and the chart is saved as PNG and SVG and copied as rows.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { test } from "node:test";

import { openTarnis, sharedBrowser, tarnisRun, until } from "./support.mjs";

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

test("clicks on the chart step through the eleven kinds and back; the list and the words follow", async () => {
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
        await chart(page).click();
        await until(() => kindList(page).inputValue(), (value) => value !== before, `click ${click + 1} changes the kind`);
    }
    assert.deepEqual(seen, [...Cycle, Cycle[0]]);
    assert.equal(listed.size, 11, "eleven kinds, each its own entry in the list");
    // The list picks any kind; the next click goes on from it.
    await kindList(page).selectOption({ label: "Curve of N(t+1) vs. N(t), in line" });
    await until(() => chart(page).getAttribute("aria-label"), (title) => title === "Curve of N(t+1) vs. N(t)", "picked");
    await tarnis.close();
});

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
