// The page around the run: the teaching texts and the licence in dialogs, the layout on a laptop, a
// tablet and a phone in the light and the dark scheme, and what assistive technology is told.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { test } from "node:test";

import { openTarnis, sharedBrowser, until } from "./support.mjs";

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
        assert.deepEqual(await layout(page), { beside, above: !beside, overflow: false });
        const background = await page.evaluate(() => getComputedStyle(document.documentElement).backgroundColor);
        const [red, green, blue] = background.match(/\d+/g).map(Number);
        const light = red + green + blue > 3 * 128;
        assert.equal(light, colorScheme === "light", `the page's background ${background}`);
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
