// Set-ups that travel: an address with a set-up opens to tarnis-run's numbers, Copy link gives an
// address that opens the same set-up, a hostile address leaves the defaults and injects nothing, a
// set-up file goes out and comes back (a refused one changes nothing), and a page saved with its set-up
// opens to it from disk.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { test } from "node:test";

import { Variants, boxes, openTarnis, sharedBrowser, tarnisRun, until } from "./support.mjs";

const browser = sharedBrowser();

const button = (page, name) => page.getByRole("button", { name, exact: true });
const kindList = (page) => page.getByRole("combobox", { name: "Chart", exact: true });
const legendLines = (page) => page.getByRole("list", { name: "Legend" }).getByRole("listitem").allTextContents();
const setupStatus = (page) => page.getByRole("group", { name: "This set-up" }).getByRole("status");
const resultBox = (page) => page.getByRole("status", { name: /^(Final population size|Population size at t = \d+)$/ });

// N at the last step of tarnis-run's exact output, as the result box writes it (15 significant digits).
function lastN(...options) {
    const fields = tarnisRun(...options, "--digits", "17").toString().trim().split("\r\n").at(-1).split(",");
    return String(Number(Number(fields[1]).toPrecision(15)));
}

async function resultOnShow(page) {
    return until(() => resultBox(page).textContent(), (text) => text !== "" && text !== "????", "a run's result");
}

// What the page shows of a set-up: the boxes, the result, the chart kind, the log axis, the legend.
async function shown(page) {
    const box = boxes(page);
    return {
        boxes: await Promise.all([box.r, box.n0, box.K, box.lag, box.steps].map((field) => field.inputValue())),
        result: await resultOnShow(page),
        kind: await kindList(page).inputValue(),
        logN: await page.getByRole("checkbox", { name: "Logarithmic N axis" }).isChecked(),
        legend: await legendLines(page),
        axis: await page.getByRole("radio", { name: "over lag" }).isChecked(),
    };
}

for (const variant of Variants)
    test(`an address with a set-up opens to its run, chart and kept run (${variant.name})`, async () => {
        const fragment = "r=0.3&T=8&chart=NtvsNtnext&keep=0.2,1,500,5,200&diagram=lag";
        const tarnis = await openTarnis(browser(), { variant, fragment });
        const { page } = tarnis;
        const now = await shown(page);
        assert.deepEqual(now.boxes, ["0.3", "1", "500", "8", "200"]);
        assert.equal(now.result, lastN("--r", "0.3", "--lag", "8"));
        assert.equal(now.kind, "NtvsNtnext");
        assert.equal(now.legend.length, 2, "the kept run and the run on show");
        assert.ok(now.axis, "the diagram over the lag");
        assert.equal(await setupStatus(page).textContent(), "The set-up from the link is on show.");
        // Only the single file is whole in itself; the served folder would have to fetch its scripts.
        const savePage = button(page, "Save this page with this set-up");
        assert.equal(await savePage.count(), variant === Variants[0] ? 1 : 0);
        await tarnis.close();
    });

test("a comma language reads the link's points and writes the address with them", async () => {
    const tarnis = await openTarnis(browser(), { locale: "de-DE", fragment: "r=0.25&T=2.5&log=1" });
    const { page } = tarnis;
    assert.equal(await boxes(page).r.inputValue(), "0,25");
    assert.equal(await resultOnShow(page), lastN("--r", "0.25", "--lag", "2.5").replace(".", ","));
    assert.ok((await shown(page)).logN);
    assert.match(await page.evaluate(() => location.hash), /^#r=0\.25&N0=1&K=500&T=2\.5&steps=200&log=1$/);
    await tarnis.close();
});

test("the address follows every change in place, Copy link gives it, and the link opens the same set-up", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    assert.equal(await page.evaluate(() => location.hash), "", "no set-up before the first run");
    const entries = await page.evaluate(() => history.length);
    await button(page, "Data 3").click();
    await button(page, "Run").click();
    await button(page, "Keep this run").click();
    const slider = page.getByRole("slider", { name: "The intrinsic rate (r):", exact: true });
    await slider.focus();
    for (let i = 0; i < 5; i += 1) await page.keyboard.press("ArrowRight");
    await until(() => page.evaluate(() => location.hash), (hash) => hash.startsWith("#r=0.205&"), "the slider's run in the address");
    await page.getByRole("checkbox", { name: "Logarithmic N axis" }).check(); // kept by a kind without one
    await kindList(page).selectOption("dNvsN");
    await page.getByRole("radio", { name: "over lag" }).check();
    assert.equal(await page.evaluate(() => history.length), entries, "no history entry per change");
    const before = await shown(page);
    await button(page, "Copy link to this set-up").click();
    const link = page.getByRole("textbox", { name: "Link to this set-up" });
    const copied = await until(() => link.inputValue(), (value) => value.includes("#"), "the link");
    assert.equal(copied, await page.evaluate(() => location.href));
    assert.match(await setupStatus(page).textContent(), /clipboard/);
    assert.match(copied, /chart=dNvsN&log=1&keep=0\.2%2C1%2C500%2C3%2C200&diagram=lag$/);

    const again = await openTarnis(browser(), { address: copied });
    assert.deepEqual(await shown(again.page), before);
    await again.close();
    // A fragment pasted into the address bar of the open page shows that set-up.
    await page.evaluate(() => {
        location.hash = "r=0.15&T=3";
    });
    await until(() => boxes(page).r.inputValue(), (text) => text === "0.15", "the pasted set-up");
    assert.equal(await resultOnShow(page), lastN("--r", "0.15", "--lag", "3"));
    assert.equal((await legendLines(page)).length, 0, "the pasted set-up keeps no run");
    await tarnis.close();
});

// Each hostile address: the defaults kept where it said nothing usable, no element made, no dialog.
const Huge = Array.from({ length: 3000 }, (_, i) => `k${i}=${i}`).join("&");
for (const [name, fragment, note] of [
    ["a number beyond the doubles", "r=1e999&T=1e400", /too large to compute with/],
    ["markup as values", "r=%3Cscript%3Ealert(1)%3C/script%3E&T=%3Cimg%20src=x%20onerror=alert(2)%3E", /The intrinsic rate \(r\) must be/],
    ["markup as names", "%3Cscript%3Ealert(1)%3C/script%3E=1&%3Cb%3Ebold%3C/b%3E=2", /"<script>alert\(1\)<\/script>" is not one Tarnis knows/],
    ["thousands of settings", Huge, /more than 64 settings/],
    ["a value thousands of characters long", `r=${"9".repeat(5000)}`, /The intrinsic rate \(r\) must be/],
]) {
    test(`a hostile address (${name}) leaves the defaults, injects nothing and says why`, async () => {
        const dialogs = [];
        const tarnis = await openTarnis(browser(), { fragment });
        const { page } = tarnis;
        page.on("dialog", (dialog) => {
            dialogs.push(dialog.message());
            void dialog.dismiss();
        });
        const clean = await openTarnis(browser());
        const count = (scope) => scope.evaluate(() => document.querySelectorAll("script, img, iframe, object, b").length);
        await resultOnShow(page);
        assert.deepEqual((await shown(page)).boxes.slice(0, 2), ["0.2", "1"]);
        const said = await setupStatus(page).textContent();
        assert.match(said, note);
        assert.equal(await setupStatus(page).locator("*:not(p)").count(), 0, "the notes are text");
        assert.equal(await count(page), await count(clean.page), "no element made from the address");
        assert.deepEqual(dialogs, []);
        await clean.close();
        await tarnis.close();
    });
}

// A download kept in the folder, where it outlives the page that made it.
async function downloaded(page, caption, folder) {
    const [download] = await Promise.all([page.waitForEvent("download"), button(page, caption).click()]);
    const name = download.suggestedFilename();
    const kept = path.join(folder, `${caption.length}-${name}`);
    await download.saveAs(kept);
    return { name, path: kept };
}

async function openFile(page, file) {
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), button(page, "Open set-up…").click()]);
    await chooser.setFiles(file);
}

test("a saved set-up file opens back to the same set-up; a refused one changes nothing", async () => {
    const folder = await mkdtemp(path.join(tmpdir(), "tarnis-setup-"));
    try {
        const tarnis = await openTarnis(browser(), { fragment: "r=0.45&T=5&chart=LogNvsT&keep=0.3,1,500,8,200" });
        const before = await shown(tarnis.page);
        const file = await downloaded(tarnis.page, "Save set-up…", folder);
        assert.equal(file.name, "tarnis-setup.tarnis");
        assert.match(await readFile(file.path, "utf8"), /"tarnis": "set-up",\n {2}"version": 1,/);
        await tarnis.close();

        const other = await openTarnis(browser(), { fragment: "r=0.1" });
        const { page } = other;
        await openFile(page, file.path);
        await until(() => boxes(page).r.inputValue(), (text) => text === "0.45", "the file's set-up");
        assert.deepEqual(await shown(page), before);
        assert.equal(await setupStatus(page).textContent(), "The set-up from the file is on show.");

        const address = await page.evaluate(() => location.href);
        for (const [text, refusal] of [
            ['{"tarnis": "set-up", "version": 2, "r": "0.3"}', /saved by a newer Tarnis/],
            ['{"tarnis": "set-up", "version": 1, "r": "0.', /not closed/],
            ["<html><script>alert(1)</script></html>", /no Tarnis set-up/],
        ]) {
            const refused = path.join(folder, "refused.tarnis");
            await writeFile(refused, text);
            await openFile(page, refused);
            await until(() => setupStatus(page).textContent(), (said) => refusal.test(said), `refused: ${text}`);
            assert.deepEqual(await shown(page), before, "nothing changed");
            assert.equal(await page.evaluate(() => location.href), address);
        }
        await other.close();
    } finally {
        await rm(folder, { recursive: true, force: true });
    }
});

test("the page saved with its set-up opens to it from disk, and a link's fragment wins over it", async () => {
    const folder = await mkdtemp(path.join(tmpdir(), "tarnis-page-"));
    try {
        const tarnis = await openTarnis(browser(), { fragment: "r=0.35&T=6&chart=NtKvsT&keep=0.2,1,500,5,200" });
        const before = await shown(tarnis.page);
        const saved = await downloaded(tarnis.page, "Save this page with this set-up", folder);
        assert.equal(saved.name, "tarnis-with-setup.html");
        await tarnis.close();
        // As a mail attachment arrives: a file of its own name, with no fragment.
        const attachment = path.join(folder, "lesson.html");
        await writeFile(attachment, await readFile(saved.path));
        const address = pathToFileURL(attachment).href;

        const opened = await openTarnis(browser(), { address });
        assert.deepEqual(await shown(opened.page), before);
        // Saved again with another set-up, it carries that one alone.
        await opened.page.getByRole("button", { name: "Forget kept runs" }).click();
        const resaved = await downloaded(opened.page, "Save this page with this set-up", folder);
        const html = await readFile(resaved.path, "utf8");
        assert.equal(html.match(/id="tarnis-setup"/g)?.length, 1);
        await opened.close();

        const linked = await openTarnis(browser(), { address, fragment: "r=0.15&T=2" });
        assert.equal(await boxes(linked.page).r.inputValue(), "0.15");
        assert.equal((await shown(linked.page)).kind, "NtvsT");
        await linked.close();
    } finally {
        await rm(folder, { recursive: true, force: true });
    }
});
