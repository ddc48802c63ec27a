// The Data panel in the browser: typed runs and presets give tarnis-run's numbers, a refused value
// is put right in words beside its box, the saved data is tarnis-run's file byte for byte, the
// keyboard alone reaches a run, and a comma language reads and writes commas.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFile } from "node:fs/promises";
import { test } from "node:test";

import { Variants, boxes, openTarnis, sharedBrowser, tarnisRun, typeInto, until, untilText } from "./support.mjs";

const browser = sharedBrowser();

const result = (page, caption) => page.getByRole("status", { name: caption, exact: true });
const button = (page, name) => page.getByRole("button", { name, exact: true });

// N at the last step of tarnis-run's exact output, as the result box writes it (15 significant digits).
function lastN(...options) {
    const lines = tarnisRun(...options, "--digits", "17").toString().trim().split("\r\n");
    const fields = lines.at(-1).split(",");
    return { step: Number(fields[0]), N: Number(Number(fields[1]).toPrecision(15)) };
}

for (const variant of Variants) {
    test(`the worked example, typed and run (${variant.name})`, async () => {
        const tarnis = await openTarnis(browser(), { variant });
        const { page } = tarnis;
        const box = boxes(page);
        await untilText(result(page, "Final population size"), "????", "the result before a run");
        for (const [field, text] of [[box.r, "0.2"], [box.n0, "1"], [box.K, "500"], [box.lag, "5"], [box.steps, "200"]])
            await typeInto(field, text);
        await button(page, "Run").click();
        await untilText(result(page, "Population size at t = 200"), "499.936872437631", "the worked example");
        await tarnis.close();
    });

    test(`the saved data is tarnis-run's file byte for byte (${variant.name})`, async () => {
        const tarnis = await openTarnis(browser(), { variant });
        const { page } = tarnis;
        await button(page, "Data 2").click();
        await typeInto(boxes(page).r, "0.45");
        await button(page, "Run").click();
        const [download] = await Promise.all([page.waitForEvent("download"), button(page, "Save data (CSV)").click()]);
        assert.equal(download.suggestedFilename(), "Tarnis graphic data.csv");
        const saved = await readFile(await download.path());
        assert.ok(saved.equals(tarnisRun("--r", "0.45", "--lag", "5", "--steps", "200")), "the same bytes, CR LF included");
        await tarnis.close();
    });
}

test("the presets write the desktop's data sets and run to tarnis-run's numbers", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const box = boxes(page);
    for (const [preset, lag, steps] of [["Data 1", "8", "2000"], ["Data 2", "5", "200"], ["Data 3", "3", "200"]]) {
        await typeInto(box.r, "0.3"); // a preset writes every box, r too
        await button(page, preset).click();
        assert.deepEqual(
            await Promise.all([box.r, box.n0, box.K, box.lag, box.steps].map((field) => field.inputValue())),
            ["0.2", "1", "500", lag, steps],
            preset,
        );
        await button(page, "Run").click();
        const expected = lastN("--lag", lag, "--steps", steps);
        const text = await until(
            () => result(page, `Population size at t = ${expected.step}`).textContent({ timeout: 1000 }).catch(() => ""),
            (value) => value !== "",
            `${preset}'s result`,
        );
        assert.equal(Number(text), expected.N, preset);
    }
    await tarnis.close();
});

// Each slider moved by keys writes its box's text and runs at once, to the very numbers of that text
// typed and run; a typed value moves the slider back. K and N(0) slide on a logarithmic scale.
for (const [name, flag, keys, text, typed, locale] of [
    ["The intrinsic rate (r):", "--r", ["ArrowRight", "ArrowRight", "ArrowRight"], "0.203", "1.5"],
    ["The intrinsic rate (r):", "--r", ["ArrowLeft"], "0.199", "0.25"],
    ["Time lag is", "--lag", ["ArrowLeft"], "4.5", "7.5"],
    ["The carrying capacity (K):", "--K", ["ArrowRight"], "513", "1000"],
    ["The carrying capacity (K):", "--K", ["End"], "100000", "2000"],
    ["The initial population size N(0):", "--n0", ["End"], "10000", "5"],
    ["The initial population size N(0):", "--n0", ["Home"], "0.01", "100"],
    ["For t=1 to", "--steps", ["End"], "2000", "50"],
    ["The intrinsic rate (r):", "--r", ["ArrowRight"], "0,201", "1,5", "fr-FR"],
]) {
    test(`the slider "${name}" by ${keys.join(", ")} runs ${text} exactly as typed${locale ? ` (${locale})` : ""}`, async () => {
        const tarnis = await openTarnis(browser(), { locale });
        const point = (written) => written.replace(",", ".");
        const { page } = tarnis;
        const box = page.getByRole("textbox", { name, exact: true });
        const slider = page.getByRole("slider", { name, exact: true });
        await button(page, "Data 2").click(); // lag 5, 200 steps
        await button(page, "Run").click();
        await slider.focus();
        for (const key of keys) await page.keyboard.press(key);
        await until(() => box.inputValue(), (value) => value === text, `${name} written by its slider`);
        const expected = lastN(...(flag === "--lag" ? [] : ["--lag", "5"]), flag, point(text));
        const shown = locale ? String(expected.N).replace(".", ",") : String(expected.N);
        await untilText(result(page, `Population size at t = ${expected.step}`), shown, "the slider's run");
        assert.equal(await slider.getAttribute("aria-valuetext"), text);
        assert.ok(await slider.evaluate((element) => element === document.activeElement), "the slider keeps the keyboard");
        await typeInto(box, typed);
        assert.equal(await slider.getAttribute("aria-valuetext"), typed);
        const position = Number(await slider.inputValue());
        const reading = flag === "--K" || flag === "--n0" ? 10 ** (position / 100 + (flag === "--n0" ? -2 : 0)) : position;
        assert.ok(Math.abs(reading / Number(point(typed)) - 1) < 0.012, `the slider at ${reading} for ${typed}`);
        await tarnis.close();
    });
}

// A drag moves the slider many times a frame: the page runs once, at the frame, the last place's text.
test("thirty moves of the r slider within a frame make one run, of the last", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    await button(page, "Run").click();
    const slider = page.getByRole("slider", { name: "The intrinsic rate (r):", exact: true });
    const changes = await slider.evaluate(async (input) => {
        const output = document.getElementById("result");
        let changed = 0;
        const observer = new MutationObserver((records) => (changed += records.length));
        observer.observe(output, { childList: true, characterData: true, subtree: true });
        for (let place = 1; place <= 30; place += 1) {
            input.value = String(0.2 + place / 1000);
            input.dispatchEvent(new Event("input", { bubbles: true }));
        }
        await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
        observer.disconnect();
        return changed;
    });
    assert.equal(changes, 1, "one run for the frame");
    assert.equal(await boxes(page).r.inputValue(), "0.23");
    const expected = lastN("--r", "0.23");
    await untilText(result(page, "Population size at t = 200"), String(expected.N), "the run of the last place");
    await tarnis.close();
});

test("a refused value: Enter puts back the default and says why beside the box; a refused run says which box", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const box = boxes(page);
    const cases = [
        [box.K, "0", "500", "The carrying capacity (K) must be a number greater than 0, so the box went back to its default, 500."],
        [box.steps, "3000", "2000", "The number of time steps can be at most 2000, so the box shows 2000."],
        [box.r, "abc", "0.2", "The intrinsic rate (r) must be a number of 0 or more, so the box went back to its default, 0.2."],
    ];
    for (const [field, typed, replacement, note] of cases) {
        await typeInto(field, typed);
        assert.equal(await field.inputValue(), replacement);
        // The words are the box's description, so a screen reader tells them with the box.
        await until(() => field.getAttribute("aria-describedby").then((id) => page.locator(`[id="${id}"]`).textContent()),
            (text) => text === note, `the note beside the box that was given ${typed}`);
    }
    // K's change leaves Run on; a run with K = 0 is refused and changes nothing.
    await button(page, "Data 3").click();
    await box.K.fill("0");
    await button(page, "Run").click();
    await until(() => box.K.evaluate((field) => document.getElementById(field.getAttribute("aria-describedby")).textContent),
        (text) => text === "The carrying capacity (K) must be a number other than 0. Enter a number such as 500.",
        "the refusal beside K");
    assert.equal(await box.K.evaluate((field) => field === document.activeElement), true, "K takes the focus");
    await untilText(result(page, "Final population size"), "", "no result after a refused run");
    await tarnis.close();
});

test("keyboard alone: from loading to a run, and on to a second run", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const run = button(page, "Run");
    const focused = (locator) => locator.evaluate((element) => element === document.activeElement);
    // Tab from the top of the page until the first box has the focus, then type, Enter and Enter.
    await until(async () => {
        await page.keyboard.press("Tab");
        return focused(boxes(page).r);
    }, Boolean, "Tab reaches the first box");
    await page.keyboard.press("Control+A");
    await page.keyboard.type("0.25");
    await page.keyboard.press("Enter");
    await until(() => focused(run), Boolean, "Enter hands the focus to Run");
    await page.keyboard.press("Enter");
    const expected = lastN("--r", "0.25");
    await untilText(result(page, "Population size at t = 200"), String(expected.N), "the run by keys");
    // After a run the focus is in the first box again: Enter there, Enter on Run, the same run again.
    await until(() => focused(boxes(page).r), Boolean, "the focus back in the first box");
    await page.keyboard.press("Enter");
    await page.keyboard.press("Enter");
    await untilText(result(page, "Population size at t = 200"), String(expected.N), "the second run");
    await tarnis.close();
});

// French, which the catalog does not speak: English words, and numbers as the browser writes them.
test("a comma language: boxes, entry and result with the comma; the saved file as the desktop's", async () => {
    const tarnis = await openTarnis(browser(), { locale: "fr-FR" });
    const { page } = tarnis;
    const box = boxes(page);
    assert.equal(await box.r.inputValue(), "0,2");
    await typeInto(box.r, "0.3"); // the point is no number in a comma language: the default again
    assert.equal(await box.r.inputValue(), "0,2");
    await typeInto(box.r, "0,25");
    await typeInto(box.lag, "2,5");
    await button(page, "Run").click();
    const expected = lastN("--r", "0.25", "--lag", "2.5");
    await untilText(result(page, "Population size at t = 200"), String(expected.N).replace(".", ","), "the result");
    const [download] = await Promise.all([page.waitForEvent("download"), button(page, "Save data (CSV)").click()]);
    assert.ok((await readFile(await download.path())).equals(tarnisRun("--r", "0.25", "--lag", "2.5")));
    await tarnis.close();
});
