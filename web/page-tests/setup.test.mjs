// Set-ups that travel: an address with a set-up opens to tarnis-run's numbers, Copy link gives an
// address that opens the same set-up, a hostile address leaves the defaults and injects nothing, a
// set-up file goes out and comes back (a refused one changes nothing), and a page saved with its set-up
// opens to it from disk. Guided activities: a step applied and its answer checked, the open step in the
// address and from it, the worksheet and the teacher's key on paper; and the page in a sandboxed frame.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import { test } from "node:test";

import { Variants, boxes, openTarnis, poppler, sharedBrowser, tarnisModule, tarnisRun, typeInto, until, untilText } from "./support.mjs";

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
    const tarnis = await openTarnis(browser(), { locale: "fr-FR", fragment: "r=0.25&T=2.5&log=1" });
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

const activities = (page) => page.getByRole("region", { name: "Activities" });
const activityList = (page) => page.getByRole("combobox", { name: "Activities", exact: true });
const stepHeading = (page) => activities(page).getByRole("heading", { level: 3 });
const hash = (page) => page.evaluate(() => location.hash);

// A class works through "The stability limit of a lag": step 1's set-up runs to tarnis-run's number and
// its answer is checked by the model, in the point's notation and in a comma language's.
for (const { locale, right, high } of [
    { locale: "en-US", right: "0.29", high: "0.35" },
    { locale: "fr-FR", right: "0,29", high: "0,35" },
]) {
    test(`an activity from its choice to its check (${locale})`, async () => {
        const tarnis = await openTarnis(browser(), { locale });
        const { page } = tarnis;
        await activityList(page).selectOption({ label: "The stability limit of a lag" });
        await untilText(stepHeading(page), "Step 1 of 3", "the first step");
        // Tab goes from the list through the step's controls in the order they are used.
        await activityList(page).focus();
        const reached = [];
        for (let press = 0; press < 6; press += 1) {
            await page.keyboard.press("Tab");
            reached.push(await page.evaluate(() => {
                const focused = document.activeElement;
                return focused.labels?.[0]?.textContent ?? focused.textContent;
            }));
        }
        assert.deepEqual(reached, ["Apply this set-up", "Your r_c:", "Check", "Next step", "Print worksheet…", "Teacher's key"]);
        await button(activities(page), "Apply this set-up").click();
        const comma = (text) => (locale === "fr-FR" ? text.replace(".", ",") : text);
        assert.equal(await resultOnShow(page), comma(lastN("--r", "0.2", "--lag", "5")));
        assert.equal(await hash(page), "#activity=limit&step=1&r=0.2&N0=1&K=500&T=5&steps=200");
        assert.equal(await setupStatus(page).count(), 0, "a step's set-up is no link's: nothing said");
        const answer = activities(page).getByRole("textbox", { name: "Your r_c:", exact: true });
        const said = activities(page).getByRole("status");
        for (const [typed, words] of [
            [right, `Your r_c = ${comma("0.29")} is within 2 % of ${comma("0.2846")}.`],
            [high, `Your r_c = ${comma("0.35")} is more than 2 % above the model's value: look again.`],
        ]) {
            await typeInto(answer, typed); // Enter checks, as Check does
            await untilText(said, words, `the check of ${typed}`);
        }
        await tarnis.close();
    });
}

test("an address names the open step: it opens the panel there over its own set-up, follows Next step and leaves with the activity", async () => {
    const tarnis = await openTarnis(browser(), { fragment: "activity=limit&step=2&r=0.31&T=6" });
    const { page } = tarnis;
    await untilText(stepHeading(page), "Step 2 of 3", "the link's step");
    assert.equal(await activityList(page).inputValue(), "limit");
    const linked = await shown(page);
    assert.deepEqual(linked.boxes, ["0.31", "1", "500", "6", "200"], "the link's own set-up, not the step's");
    assert.equal(linked.legend.length, 0);
    assert.equal(await activities(page).getByRole("textbox").count(), 0, "step 2 is answered in words");

    await button(activities(page), "Next step").click();
    await untilText(stepHeading(page), "Step 3 of 3", "the next step");
    assert.equal(await hash(page), "#activity=limit&step=3&r=0.31&N0=1&K=500&T=6&steps=200");
    assert.ok(await button(activities(page), "Next step").isDisabled());
    assert.ok(await stepHeading(page).evaluate((heading) => heading === document.activeElement), "the focus on the step, not lost");
    await button(activities(page), "Previous step").click();
    await until(() => hash(page), (now) => now.startsWith("#activity=limit&step=2&r=0.31&"), "the address back at step 2");

    // Applying a step shows what its link shows: the kept run, the run, the same address.
    await button(activities(page), "Apply this set-up").click();
    await until(() => boxes(page).steps.inputValue(), (text) => text === "2000", "the step's set-up");
    const applied = await shown(page);
    const module = await tarnisModule();
    const link = await openTarnis(browser(), { fragment: module.activityFragment("limit", 2) });
    assert.deepEqual(await shown(link.page), applied);
    assert.equal(await hash(link.page), await hash(page));
    await link.close();

    await activityList(page).selectOption({ label: "No activity" });
    await until(() => hash(page), (now) => !now.includes("activity"), "the address without the activity");
    assert.equal(await stepHeading(page).count(), 0);
    await tarnis.close();
});

// The browser's Print is the printer: this one records that it was asked, and the sheet stays marked
// for the test to print in print media.
const RecordingPrinter = () => {
    window.print = () => {
        window.printedSheets = (window.printedSheets ?? 0) + 1;
    };
};

async function printedBy(page, press) {
    const before = await page.evaluate(() => window.printedSheets ?? 0);
    await press();
    await until(() => page.evaluate(() => window.printedSheets ?? 0), (count) => count === before + 1, "Print asked for");
}

// The PDF of the page in print media on the paper: its text by lines (a page begins with a form feed),
// the text with every run of white space as one space (a long line wraps), and the images it holds.
async function pdfOf(page, format, folder) {
    const file = path.join(folder, `${format}.pdf`);
    await writeFile(file, await page.pdf({ format }));
    const images = poppler("pdfimages", "-list", file).split("\n").slice(2).filter((row) => row.trim() !== "");
    const text = poppler("pdftotext", file, "-");
    return { bytes: (await readFile(file)).length, lines: text.split(/[\n\f]/), text: text.replace(/\s+/g, " "), images };
}

test("the worksheet on A4 and Letter: each step's words, its chart in vectors, room to write and the address with its QR code, no control", async () => {
    const folder = await mkdtemp(path.join(tmpdir(), "tarnis-worksheet-"));
    try {
        const tarnis = await openTarnis(browser(), { fragment: "activity=limit&step=3", initScript: RecordingPrinter });
        const { page } = tarnis;
        const module = await tarnisModule();
        const address = `${(await page.evaluate(() => location.href)).split("#")[0]}#${module.activityFragment("limit", 1)}`;
        for (const format of ["A4", "Letter"]) {
            await page.emulateMedia({ media: "screen" });
            await printedBy(page, () => button(activities(page), "Print worksheet…").click());
            await page.emulateMedia({ media: "print" });
            const sheet = page.getByRole("article", { name: "The stability limit of a lag" });
            const charts = sheet.getByRole("img", { name: /^Curve of N\(t\) vs\. time/ });
            assert.equal(await charts.count(), 3, "a chart for each step");
            for (const chart of await charts.all()) {
                assert.ok(await chart.isVisible());
                assert.equal(await chart.evaluate((element) => element.localName), "svg");
            }
            const code = sheet.getByRole("img", { name: `Open this set-up: ${address}` });
            assert.ok(await code.isVisible(), "the QR code of the first step's address");
            assert.equal(await sheet.getByText(address, { exact: true }).count(), 1, "the address as text");
            for (const role of ["button", "slider", "textbox", "combobox", "checkbox", "radio"])
                assert.equal(await page.getByRole(role).count(), 0, `no ${role} on paper`);

            const pdf = await pdfOf(page, format, folder);
            assert.ok(pdf.bytes > 1000, `a ${format} PDF`);
            assert.deepEqual(pdf.images, [], "charts and code in vectors, not pictures");
            for (let step = 1; step <= 3; step += 1) {
                const words = module.activityStepWords("limit", step, ".");
                for (const line of [words.heading, words.setupLine]) assert.ok(pdf.lines.includes(line), `"${line}" on ${format}`);
            }
            assert.equal(pdf.lines.filter((line) => line === "Answer:").length, 3);
            assert.ok(!pdf.lines.includes("Data"), "the page itself is not printed");
        }
        await tarnis.close();
    } finally {
        await rm(folder, { recursive: true, force: true });
    }
});

test("the teacher's key prints alone: every step's answer, without the page or its dialog", async () => {
    const folder = await mkdtemp(path.join(tmpdir(), "tarnis-key-"));
    try {
        const tarnis = await openTarnis(browser(), { initScript: RecordingPrinter });
        const { page } = tarnis;
        await button(activities(page), "Teacher's key").click();
        const dialog = page.getByRole("dialog", { name: "Tarnis: teacher's key" });
        await printedBy(page, () => button(dialog, "Print teacher's key…").click());
        await page.emulateMedia({ media: "print" });
        assert.equal(await page.getByRole("button").count(), 0, "no button on paper");
        const { lines, text } = await pdfOf(page, "A4", folder);
        const module = await tarnisModule();
        const answers = module.teachersKey(".").flatMap((section) => section.lines.map((line) => line.answer));
        assert.ok(answers.includes("r_c = 0.2846 (within 2 %)"));
        for (const answer of answers) assert.ok(text.includes(answer), `the answer "${answer}" printed`);
        assert.equal(lines.filter((line) => line === "Tarnis: teacher's key").length, 1, "the key once, the dialog not");
        assert.ok(!lines.includes("Data"), "the page itself is not printed");
        await tarnis.close();
    } finally {
        await rm(folder, { recursive: true, force: true });
    }
});

// A course platform frames the single file in a sandbox without its own origin, where storage throws:
// the page still opens to its link's run and step.
test("in a sandboxed frame without an origin of its own, the page opens to its link's set-up and step", async () => {
    const context = await browser().newContext({ viewport: { width: 1280, height: 720 } });
    const page = await context.newPage();
    const problems = [];
    page.on("pageerror", (error) => problems.push(error.message));
    page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
    const served = await Variants[1].address();
    await page.setContent(
        `<iframe sandbox="allow-scripts" title="Tarnis" style="width:420px;height:700px" src="${served}tarnis.html#r=0.3&T=8&activity=limit&step=2"></iframe>`,
    );
    const frame = page.frameLocator("iframe");
    await frame.getByRole("button", { name: "Run", exact: true }).waitFor();
    const inside = page.frames().find((each) => each !== page.mainFrame());
    assert.equal(await inside.evaluate(() => { try { return typeof localStorage.length; } catch (error) { return error.name; } }), "SecurityError");
    assert.equal(await resultOnShow(frame), lastN("--r", "0.3", "--lag", "8"));
    await untilText(frame.getByRole("region", { name: "Activities" }).getByRole("heading", { level: 3 }), "Step 2 of 3", "the link's step");
    assert.deepEqual(problems, []);
    await context.close();
});
