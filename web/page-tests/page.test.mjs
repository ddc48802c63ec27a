// The page around the run: the teaching texts and the licence in dialogs, the layout on a laptop, a
// tablet and a phone in the light and the dark scheme, the page on paper, and what assistive
// technology is told.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { mkdtemp, readFile, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import path from "node:path";
import { test } from "node:test";

import {
    Phone,
    buildFolder,
    openTarnis,
    poppler,
    recordCanvasTexts,
    sharedBrowser,
    tarnisModule,
    textsOutOfPlace,
    until,
} from "./support.mjs";

const browser = sharedBrowser();

const button = (scope, name) => scope.getByRole("button", { name, exact: true });

test("the teaching texts open in dialogs, lead to the references, and close back to their button", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const opener = button(page, "Introduction");
    await opener.click();
    const introduction = page.getByRole("dialog", { name: "Introduction" });
    await introduction.getByRole("heading", { name: "Understanding logsitic equation logically and critically" }).waitFor();
    await button(introduction, "References").click();
    const references = page.getByRole("dialog", { name: "References" });
    await references.waitFor();
    assert.equal(await references.getByRole("listitem").count(), 6);
    await page.keyboard.press("Escape");
    await references.waitFor({ state: "hidden" });

    await button(page, "Quiz").click();
    const quiz = page.getByRole("dialog", { name: "Quiz" });
    const picture = quiz.getByRole("img", { name: /^Questions to think about: 1\. Can the differential form/ });
    await picture.waitFor();
    assert.ok(await picture.evaluate((image) => image.complete && image.naturalWidth > 0), "the quiz picture shows");
    await button(quiz, "OK").click();
    await quiz.waitFor({ state: "hidden" });
    await until(() => button(page, "Quiz").evaluate((element) => element === document.activeElement), Boolean,
        "the focus back on the button that opened the dialog");

    await button(page, "More about Tarnis").click();
    const remarks = page.getByRole("dialog", { name: "More about Tarnis" });
    assert.match(await remarks.textContent(), /With a time lag of zero, its curve is exactly the logistic curve\./);
    await page.keyboard.press("Escape");
    await tarnis.close();
});

test("the title, the version and the licence with the address of the source", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const footer = page.getByRole("contentinfo");
    assert.match(await footer.textContent(), /Tarnis 1\.0\.0 · GPL-3\.0-or-later/);
    await button(footer, "About Tarnis").click();
    const about = page.getByRole("dialog", { name: "Tarnis 1.0.0" });
    assert.match(await about.textContent(), /GNU General Public License/);
    // This build sets no address, so none is shown, and no made-up one either.
    assert.match(await about.textContent(), /The source code of this release comes with it, as the archive tarnis-1\.0\.0\.tar\.gz\./);
    assert.equal(await page.getByRole("link").count(), 0);
    assert.doesNotMatch(await page.content(), /example\.(org|net|com)/);
    assert.match(await about.textContent(), new RegExp(`Copyright \\(C\\) ${new Date().getFullYear()} The Tarnis developers`));
    await page.keyboard.press("Escape");
    await tarnis.close();
});

// The workers are handed the page's compiled binary: a worker that carried its own copy would double
// what the single file weighs and what opening it decodes.
test("the single file carries the module's binary once", async () => {
    const single = await readFile(path.join(buildFolder, "tarnis.html"), "utf8");
    assert.equal(single.split("AGFzbQ").length - 1, 1); // "\0asm", the binary's first bytes, in base64
});

// Where the Data panel stands against the Graph panel, and whether the page scrolls sideways.
async function layout(page) {
    const data = await page.getByRole("region", { name: "Data" }).boundingBox();
    const graph = await page.getByRole("region", { name: "Graph" }).boundingBox();
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth > window.innerWidth);
    const beside = data.x + data.width <= graph.x && data.y < graph.y + graph.height && graph.y < data.y + data.height;
    const above = data.y + data.height <= graph.y;
    return { beside, above, overflow };
}

for (const [device, viewport, beside, colorScheme] of [
    ["laptop", { width: 1280, height: 720 }, true, "light"],
    ["tablet", { width: 1024, height: 768 }, false, "dark"],
    ["phone", { width: 390, height: 844 }, false, "light"],
]) {
    test(`the layout on a ${device}, in the ${colorScheme} scheme`, async () => {
        const tarnis = await openTarnis(browser(), { viewport, colorScheme });
        const { page } = tarnis;
        await button(page, "Run").click();
        // With an activity open, whose panel is the widest part on a phone.
        await page.getByRole("combobox", { name: "Activities", exact: true }).selectOption({ label: "Periods and the lag" });
        assert.deepEqual(await layout(page), { beside, above: !beside, overflow: false });
        const background = await page.evaluate(() => getComputedStyle(document.documentElement).backgroundColor);
        const [red, green, blue] = background.match(/\d+/g).map(Number);
        const light = red + green + blue > 3 * 128;
        assert.equal(light, colorScheme === "light", `the page's background ${background}`);
        await tarnis.close();
    });
}

// A4 with margins of 1 cm, and the height it leaves in CSS pixels.
const Paper = { format: "A4", margin: { top: "1cm", bottom: "1cm", left: "1cm", right: "1cm" } };
const PrintedHeight = ((297 - 20) / 25.4) * 96;

// The three charts: each found by its name, with the title printed above it.
const pictures = (page) => [
    page.getByRole("img", { name: /^Curve of / }),
    page.getByRole("img", { name: "Stability map", exact: true }),
    page.getByRole("img", { name: "Bifurcation diagram and Lyapunov exponent", exact: true }),
];
const titleOf = (picture) =>
    picture.evaluate((element) => element.getAttribute("aria-roledescription") === "chart"
        ? element.getAttribute("aria-label")
        : element.closest("section").querySelector("h3").textContent);
// "593x368": a picture's canvas in pixels, the size of its image in the PDF.
const canvasSize = (picture) => picture.evaluate((element) => {
    const canvas = element.querySelector("canvas");
    return `${canvas.width}x${canvas.height}`;
});

// On paper, as a teacher printed it from a laptop and from a phone in the dark: every chart whole on
// one page under its title, no control, the boxes' values and the result as text, and the map's key
// in its colours on a light sheet.
for (const [device, viewport, colorScheme] of [
    ["laptop", { width: 1280, height: 720 }, "light"],
    ["phone", Phone, "dark"],
]) {
    test(`printed from a ${device} in the ${colorScheme} scheme: each chart whole under its title, no control, the key in colour`, async () => {
        const tarnis = await openTarnis(browser(), { viewport, colorScheme });
        const { page } = tarnis;
        await button(page, "Data 2").click();
        await button(page, "Run").click();
        for (const picture of pictures(page).slice(1))
            await until(() => picture.getAttribute("data-complete"), (value) => value === "true", "computed", 30_000);
        const captions = await page.getByRole("button").allTextContents();
        // The Data panel's boxes; the Chance panel's controls are left off paper with its other controls.
        const data = page.getByRole("region", { name: "Data", exact: true });
        const values = await data.getByRole("textbox").evaluateAll((boxes) => boxes.map((box) => box.value));
        values.push(await page.getByRole("status", { name: /^Population size at t = / }).textContent());
        const key = await page.getByRole("list", { name: "Regimes and curves of the map" }).evaluate((list) =>
            [...list.querySelectorAll("li > span:first-child")].map((swatch) => getComputedStyle(swatch).backgroundColor)
                .filter((colour) => colour.startsWith("rgb("))); // the curves' lines have none

        await page.emulateMedia({ media: "print" });
        // Two frames: the pictures have followed the sheet's layout.
        await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
        const titles = [];
        const sizes = [];
        for (const picture of pictures(page)) {
            titles.push(await titleOf(picture));
            sizes.push(await canvasSize(picture));
        }
        for (const role of ["button", "slider", "combobox", "checkbox", "radio", "progressbar"])
            assert.equal(await page.getByRole(role).count(), 0, `no ${role} on paper`);
        assert.equal(await page.getByRole("textbox").count(), 5, "the five boxes, as text");
        for (const picture of pictures(page))
            assert.ok((await picture.boundingBox()).height < PrintedHeight, "a chart fits a page's height");
        const ink = await page.evaluate(() => getComputedStyle(document.body).color);
        assert.ok(ink.match(/\d+/g).map(Number).every((part) => part < 100), `dark letters on paper: ${ink}`);

        const folder = await mkdtemp(path.join(tmpdir(), "tarnis-print-"));
        try {
            const pdf = path.join(folder, "page.pdf");
            await writeFile(pdf, await page.pdf(Paper));
            const pages = Number(/^Pages:\s+(\d+)$/m.exec(poppler("pdfinfo", pdf))[1]);
            const linesOf = (number) => poppler("pdftotext", "-f", String(number), "-l", String(number), pdf, "-").split("\n");
            const printed = Array.from({ length: pages }, (_, index) => linesOf(index + 1));
            const lines = printed.flat();
            for (const caption of captions) assert.ok(!lines.includes(caption), `no button "${caption}" on paper`);
            for (const value of values) assert.ok(lines.includes(value), `the value ${value} as text`);
            // Every chart's image on the page of its title, which stands once on paper (the list of
            // kinds printed it a second time).
            const images = poppler("pdfimages", "-list", pdf).split("\n").slice(2).map((row) => row.trim().split(/\s+/))
                .filter((row) => row[2] === "image").map(([on, , , width, height]) => ({ page: Number(on), size: `${width}x${height}` }));
            titles.forEach((title, index) => {
                const onPages = printed.flatMap((pageLines, at) => pageLines.filter((line) => line === title).map(() => at + 1));
                assert.equal(onPages.length, 1, `the title "${title}" once on paper`);
                const drawn = images.filter((image) => image.size === sizes[index]);
                assert.deepEqual(drawn.map((image) => image.page), onPages, `"${title}" on the page of its title`);
            });
            // The key's colours are filled boxes on the map's page, not empty frames.
            const mapPage = printed.findIndex((pageLines) => pageLines.includes(titles[1])) + 1;
            const svg = path.join(folder, "map.svg");
            poppler("pdftocairo", "-svg", "-f", String(mapPage), "-l", String(mapPage), pdf, svg);
            const fills = new Set((await import("node:fs")).readFileSync(svg, "utf8").match(/rgb\([\d.]+%,[\d.]+%,[\d.]+%\)/g)
                .map((colour) => colour.match(/[\d.]+/g).map((part) => Math.round((Number(part) * 255) / 100)).join()));
            for (const colour of key) assert.ok(fills.has(colour.match(/\d+/g).join()), `the key's ${colour} printed`);
        } finally {
            await rm(folder, { recursive: true, force: true });
        }
        await tarnis.close();
    });
}

test("assistive technology: named landmarks, boxes and buttons; a visible focus", async () => {
    const tarnis = await openTarnis(browser());
    const { page } = tarnis;
    const tree = await page.locator("body").ariaSnapshot();
    for (const line of [
        '- region "Data"',
        '- textbox "The intrinsic rate (r):"',
        '- textbox "The initial population size N(0):"',
        '- textbox "The carrying capacity (K):"',
        '- textbox "Time lag is"',
        '- textbox "For t=1 to"',
        '- slider "The intrinsic rate (r):"',
        '- slider "The initial population size N(0):"',
        '- slider "The carrying capacity (K):"',
        '- slider "Time lag is"',
        '- slider "For t=1 to"',
        '- status "Final population size"',
        '- button "Run"',
        '- button "Data 1"',
        '- region "Graph"',
        '- region "Activities"',
        '- combobox "Activities"',
        '- button "Teacher\'s key"',
        '- region "Dynamics"',
        '- img "Stability map"',
        '- img "Bifurcation diagram and Lyapunov exponent"',
        '- radio "over lag"',
        '- progressbar "Progress of the stability map"',
        '- navigation "Learn more"',
        '- contentinfo',
    ])
        assert.ok(tree.includes(line), `the tree has ${line}:\n${tree}`);
    assert.doesNotMatch(tree, /- (button|textbox|link|combobox|checkbox|slider|radio|img|progressbar)(\s*$|\s*\[|:)/m, "every control has a name");
    // Tab onto Run: the focus ring is drawn.
    await until(async () => {
        await page.keyboard.press("Tab");
        return button(page, "Run").evaluate((element) => element === document.activeElement);
    }, Boolean, "Tab reaches Run");
    const outline = await button(page, "Run").evaluate((element) => getComputedStyle(element).outlineStyle);
    assert.notEqual(outline, "none");
    await tarnis.close();
});

// The page's own words in the browser's language, before a run and after one: controls and landmarks
// by the names a screen reader gives them.
for (const { locale, language, before, after } of [
    {
        locale: "es-ES",
        language: "Idioma",
        before: [
            ["region", "Datos"], ["region", "Dinámica"], ["navigation", "Más información"], ["img", "Mapa de estabilidad"],
            ["radio", "según el retardo"], ["progressbar", "Progreso del mapa de estabilidad"], ["group", "Esta configuración"],
        ],
        after: [
            ["button", "Gráfico siguiente"], ["button", "Ajustar a los datos"], ["button", "Conservar esta simulación"],
            ["checkbox", "Eje N logarítmico"], ["button", "Guardar datos (CSV)"], ["button", "Copiar datos"], ["group", "Reproducción"],
        ],
    },
    {
        locale: "de-DE",
        language: "Sprache",
        before: [
            ["region", "Daten"], ["region", "Dynamik"], ["navigation", "Mehr erfahren"], ["img", "Stabilitätskarte"],
            ["radio", "über die Verzögerung"], ["progressbar", "Fortschritt der Stabilitätskarte"], ["group", "Diese Konfiguration"],
        ],
        after: [
            ["button", "Nächstes Diagramm"], ["button", "An Daten anpassen"], ["button", "Diesen Lauf behalten"],
            ["checkbox", "Logarithmische N-Achse"], ["button", "Daten speichern (CSV)"], ["button", "Daten kopieren"], ["group", "Wiedergabe"],
        ],
    },
]) {
    test(`the page's own controls speak the browser's language (${locale})`, async () => {
        const tarnis = await openTarnis(browser(), { locale });
        const { page } = tarnis;
        const named = async (names) => {
            for (const [role, name] of names)
                assert.equal(await page.getByRole(role, { name, exact: true }).count(), 1, `${role} "${name}"`);
        };
        assert.equal(await page.getByRole("combobox", { name: language, exact: true }).count(), 1);
        await named(before);
        const module = await tarnisModule();
        module.setLanguage(locale.slice(0, 2));
        await button(page, module.runButton().caption).click();
        const [[role, name]] = after;
        await page.getByRole(role, { name, exact: true }).waitFor(); // the chart's controls show with the run
        await named(after);
        assert.equal(await page.getByRole("button", { name: "Fit to data" }).count(), 0, "no English left among them");
        await tarnis.close();
    });
}

// A choice from the menu kept in the address and the page's storage, and a link that names its language.
test("the menu's choice builds the page anew in its language and travels in the address", async () => {
    const tarnis = await openTarnis(browser(), { locale: "es-ES" });
    const { page } = tarnis;
    const menu = (name) => page.getByRole("combobox", { name, exact: true });
    assert.equal(await menu("Idioma").inputValue(), "es");
    assert.equal(await page.evaluate(() => document.documentElement.lang), "es");
    await until(() => page.locator("label[for=result]").textContent(), (text) => text === "Tamaño final de la población", "the Spanish caption");
    await menu("Idioma").selectOption("de");
    await menu("Sprache").waitFor();
    tarnis.lateRequests.length = 0; // the page loaded anew, as a choice of language does
    await until(() => page.locator("label[for=result]").textContent(), (text) => text === "Populationsgröße am Ende", "the German caption");
    const german = await tarnisModule();
    german.setLanguage("de");
    await button(page, german.runButton().caption).click(); // a run, whose set-up the address then carries
    // The page's own words changed with it, and a text it writes anew after a click too.
    await button(page, "Diesen Lauf behalten").click();
    await button(page, "Dieser Lauf wird behalten").waitFor();
    await until(() => page.evaluate(() => location.hash), (hash) => hash.endsWith("&lang=de"), "the language in the address");
    await page.reload();
    await menu("Sprache").waitFor();
    await page.getByRole("region", { name: "Daten", exact: true }).waitFor();
    await button(page, "Dieser Lauf wird behalten").waitFor(); // the kept run came back with the set-up
    tarnis.lateRequests.length = 0;
    await tarnis.close();

    // A link with its language opens in it in a browser set to English.
    const linked = await openTarnis(browser(), { fragment: "r=0.3&lang=es" });
    assert.equal(await linked.page.getByRole("combobox", { name: "Idioma", exact: true }).inputValue(), "es");
    await linked.page.getByRole("navigation", { name: "Más información", exact: true }).waitFor();
    await linked.close();
});

// The model's texts that its helpers have not put through the catalog yet, which the pseudo-language
// therefore leaves in English: one entry a source, a pattern of its whole texts or the texts the module
// gives, to strike out as each source is converted. The page's own words never belong here.
const ModelTextsNotYetInTheCatalog = [
    // The reference list cites published works in their own words, in every language.
    ["the published references", (module) => module.teachingTexts().references.citations],
];

// Every string an answer of the module holds, however deep.
function stringsIn(value) {
    if (typeof value === "string") return [value];
    if (value && typeof value === "object") return Object.values(value).flatMap(stringsIn);
    return [];
}

// What a text may hold outside the pseudo-language's marks: numbers, symbols and units of the model
// (r, K, N(0), T, dN …), names (of the program, of each language in itself), addresses and punctuation.
const NamesAndSymbols = new Set(["Tarnis", "English", "Español", "Deutsch", "Pseudo", "GPL", "later", "Copyright"]);
function notYetInTheCatalog(module, runs) {
    const texts = new Set();
    const patterns = [];
    for (const [, entry] of ModelTextsNotYetInTheCatalog) {
        if (entry instanceof RegExp) patterns.push(entry);
        else for (const text of stringsIn(entry(module, runs))) texts.add(text.trim());
    }
    return (text) => texts.has(text) || patterns.some((pattern) => pattern.test(text));
}
function unmarkedWords(text, fromTheModel) {
    if (fromTheModel(text) || /^(file|https?):\/\/\S+$/.test(text)) return [];
    // Marks nest where a translated text stands in a translated sentence: the innermost go first.
    let rest = text;
    for (let inner = rest.replace(/⟦[^⟦⟧]*⟧/g, " "); inner !== rest; inner = rest.replace(/⟦[^⟦⟧]*⟧/g, " ")) rest = inner;
    return (rest.match(/\p{L}{3,}/gu) ?? []).filter((word) => !NamesAndSymbols.has(word));
}

// Every text the page shows and every name a screen reader hears, as the browser's accessibility
// tree holds them (what is hidden is left out; a text's wrapped lines are the text's).
async function heardTexts(tarnis) {
    const session = await tarnis.context.newCDPSession(tarnis.page);
    const { nodes } = await session.send("Accessibility.getFullAXTree");
    await session.detach();
    const texts = new Set();
    for (const node of nodes) {
        if (node.ignored || node.role?.value === "InlineTextBox") continue;
        for (const value of [node.name?.value, node.description?.value, node.value?.value])
            if (typeof value === "string" && value.trim() !== "") texts.add(value.trim());
    }
    return texts;
}

test("in the pseudo-language every text of the page's own is marked: panels, a run, a play and every dialog", async () => {
    const tarnis = await openTarnis(browser(), { fragment: "lang=en-XA" });
    const { page } = tarnis;
    const module = await tarnisModule();
    module.setLanguage("en-XA");
    // The runs the test makes: the boxes' defaults, then the first step of the first activity.
    const activity = module.activities()[0];
    const stepRun = module.activityStepSetup(activity.id, 1).run;
    const runs = [module.defaultParameters(), Object.fromEntries(Object.entries(stepRun).map(([key, text]) => [key, Number(text)]))];
    const fromTheModel = notYetInTheCatalog(module, runs);
    const unmarked = new Map(); // text → where it was first seen
    const gather = async (where) => {
        for (const text of await heardTexts(tarnis))
            if (!unmarked.has(text) && unmarkedWords(text, fromTheModel).length) unmarked.set(text, where);
    };
    await button(page, module.runButton().caption).click();
    await page.getByRole("img", { name: module.translate("Stability map"), exact: true }).waitFor();
    const activities = page.getByRole("combobox", { name: module.activityWords().panelTitle, exact: true });
    await activities.selectOption({ index: 1 });
    await button(page, module.activityWords().applyCaption).click();
    await button(page, module.setupMenuWords().copyLink.caption).click();
    await page.getByRole("status").filter({ hasText: "⟦" }).first().waitFor();
    await gather("the page after a run");
    // A kept run (the legend shows) and a play under way (its button then pauses).
    await button(page, module.translate("Keep this run")).click();
    await button(page, module.translate("This run is kept")).waitFor();
    await button(page, module.translate("Play")).click();
    await button(page, module.translate("Pause")).waitFor();
    await gather("a kept run and a play");
    await button(page, module.translate("Pause")).click();
    await page.getByRole("radio", { name: module.translate("over lag"), exact: true }).check();
    await gather("the diagram over the lag");
    for (let index = 0; index < (await page.locator("button[aria-haspopup=dialog]").count()); index += 1) {
        const opener = page.locator("button[aria-haspopup=dialog]").nth(index);
        if (!(await opener.isVisible())) continue;
        const name = await opener.textContent();
        await opener.click();
        const dialog = page.getByRole("dialog");
        await dialog.waitFor();
        await gather(`the dialog of ${name}`);
        await page.keyboard.press("Escape");
        await dialog.waitFor({ state: "hidden" });
    }
    assert.deepEqual([...unmarked].map(([text, where]) => `${where}: ${text}`), [], "texts without the pseudo-language's marks");
    await tarnis.close();
});

// The pseudo-language's texts are longer than any language's: where they stand whole, apart from each
// other and inside the window, a translation does too.
for (const [device, viewport] of [["laptop", { width: 1280, height: 720 }], ["phone", Phone]]) {
    test(`in the pseudo-language no text is cut off or overlaps another, on a ${device}`, async () => {
        const tarnis = await openTarnis(browser(), { fragment: "lang=en-XA", viewport, initScript: recordCanvasTexts });
        const { page } = tarnis;
        const module = await tarnisModule();
        module.setLanguage("en-XA");
        const words = (english) => module.translate(english);
        const complete = (name) =>
            until(() => page.getByRole("img", { name: words(name), exact: true }).getAttribute("data-complete"), (value) => value === "true", name, 30_000);
        const faults = [];
        const look = async (where) => faults.push(...(await textsOutOfPlace(page)).map((fault) => `${where}: ${fault}`));

        await button(page, module.runButton().caption).click();
        await complete("Stability map");
        await button(page, words("Keep this run")).click();
        await button(page, words("This run is kept")).waitFor();
        await look("a run kept");
        await button(page, words("Play")).click();
        await button(page, words("Pause")).waitFor();
        await look("a play");
        await button(page, words("Pause")).click();
        await page.getByRole("radio", { name: words("over lag"), exact: true }).check();
        await page.getByRole("combobox", { name: module.activityWords().panelTitle, exact: true }).selectOption({ index: 1 });
        await button(page, module.activityWords().applyCaption).click();
        const chance = page.getByRole("region", { name: words("Chance"), exact: true });
        await button(chance, words("Run the ensemble")).click();
        await until(() => button(chance, words("Save data as CSV")).isEnabled(), (enabled) => enabled, "the ensemble");
        await complete("Stability map");
        await look("an activity's step, the diagram over the lag and an ensemble");
        const openers = page.locator("button[aria-haspopup=dialog]");
        for (let index = 0; index < (await openers.count()); index += 1) {
            if (!(await openers.nth(index).isVisible())) continue;
            await openers.nth(index).click();
            await page.getByRole("dialog").waitFor();
            await look(`the dialog of ${await openers.nth(index).textContent()}`);
            await page.keyboard.press("Escape");
            await page.getByRole("dialog").waitFor({ state: "hidden" });
        }
        assert.deepEqual(faults, []);
        await tarnis.close();
    });
}
