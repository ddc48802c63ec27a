// What the page's browser tests share: Debian's chromium driven headless by playwright-core, the page
// opened as the single file from disk or as the folder from a local server, every console error and
// every request after loading recorded, tarnis-run and the module to compare with, and a wait on a state.
// scripts/test builds the page and passes TARNIS_RUN and TARNIS_MODULE; TARNIS_CHROMIUM may name another chromium.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { after, before } from "node:test";
import { chromium } from "playwright-core";

import { serve } from "../tools/serve.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
export const buildFolder = path.resolve(here, "../../build/web");

// Headless, without the sandbox (CI runs as root), and without the background connections that a
// machine with no network refuses.
const ChromiumArguments = [
    "--no-sandbox",
    "--disable-gpu",
    "--disable-quic",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--no-first-run",
];

export function launchBrowser() {
    return chromium.launch({
        executablePath: process.env.TARNIS_CHROMIUM ?? "/usr/bin/chromium",
        headless: true,
        args: ChromiumArguments,
    });
}

/**
 * One browser for the tests of a file: launched before the first, closed (with the local server, if
 * a test started it) after the last. Returns the way to it.
 */
export function sharedBrowser() {
    let browser;
    before(async () => {
        browser = await launchBrowser();
    });
    after(async () => {
        await browser?.close();
        await stopServer();
    });
    return () => browser;
}

let server;
async function servedAddress() {
    server ??= await serve(buildFolder);
    return server.address;
}

/** Ends the local server, if a test started it. */
export async function stopServer() {
    if (!server) return;
    const { server: running } = server;
    server = undefined;
    running.closeAllConnections();
    await new Promise((resolve) => running.close(resolve));
}

/** The two ways to open the page. */
export const Variants = [
    { name: "single file", address: async () => pathToFileURL(path.join(buildFolder, "tarnis.html")).href },
    { name: "served folder", address: async () => servedAddress() },
];

/**
 * Opens the page in a fresh context and waits until it is ready (every panel built). The result's
 * `problems` collects console errors and page errors, `lateRequests` every request made after that
 * (none are allowed but of the page's own blobs and data); `close()` fails on either. `fragment` opens
 * the page with it in its address, `address` opens that address in place of the variant's.
 */
export async function openTarnis(browser, options = {}) {
    const { variant = Variants[0], locale = "en-US", viewport = { width: 1280, height: 720 }, colorScheme = "light" } =
        options;
    // A phone: touch, and the page laid out as a phone's browser lays it out.
    const touch = options.touch ? { hasTouch: true, isMobile: true } : {};
    const context = await browser.newContext({ locale, viewport, colorScheme, acceptDownloads: true, ...touch });
    if (options.initScript) await context.addInitScript(options.initScript); // before the page's own
    const page = await context.newPage();
    const problems = [];
    const lateRequests = [];
    let loaded = false;
    page.on("console", (message) => {
        if (message.type() === "error") problems.push(`console: ${message.text()}`);
    });
    page.on("pageerror", (error) => problems.push(`page error: ${error.message}`));
    const local = (address) => address.startsWith("blob:") || address.startsWith("data:");
    context.on("request", (request) => {
        const address = request.url();
        if (loaded && !local(address)) lateRequests.push(address);
    });
    // The dynamics' workers start from code the page carries, never from an address elsewhere.
    page.on("worker", (worker) => {
        if (!local(worker.url())) lateRequests.push(`worker ${worker.url()}`);
    });
    // A set-up in the address (a link's fragment), or another address altogether (a saved page).
    const address = options.address ?? (await variant.address());
    await page.goto(options.fragment === undefined ? address : `${address}#${options.fragment}`, { waitUntil: "load" });
    await page.locator("#app[data-ready=true]").waitFor(); // in whichever language the page speaks
    loaded = true;
    return {
        page,
        context,
        problems,
        lateRequests,
        async close() {
            await context.close();
            assert.deepEqual(problems, [], "no console error");
            assert.deepEqual(lateRequests, [], "no request after loading");
        },
    };
}

/** A phone's screen, held upright. */
export const Phone = { width: 390, height: 844 };

/**
 * Moves fingers over the page as a touch screen does, through the browser's own input, so that the
 * browser scrolls and pinches as it would: each path is a finger's [from, to] in the window's CSS
 * pixels; the fingers go down together, move in `steps`, and lift together.
 */
export async function touchGesture(tarnis, paths, steps = 8) {
    const session = await tarnis.context.newCDPSession(tarnis.page);
    const at = (share) =>
        paths.map(([from, to], id) => ({ id, x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share }));
    await session.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at(0) });
    for (let step = 1; step <= steps; step += 1)
        await session.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: at(step / steps) });
    await session.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await session.detach();
}

/** Waits until read() gives a value that accept() takes, and returns it; fails with the last one. */
export async function until(read, accept, what, timeout = 15_000) {
    const deadline = Date.now() + timeout;
    let value;
    for (;;) {
        value = await read();
        if (accept(value)) return value;
        if (Date.now() > deadline) assert.fail(`${what}: still ${JSON.stringify(value)}`);
        await new Promise((resolve) => setTimeout(resolve, 25));
    }
}

/** Waits until the locator's text is the expected one. */
export function untilText(locator, expected, what = "text") {
    return until(() => locator.textContent(), (text) => text === expected, `${what} is ${JSON.stringify(expected)}`);
}

/** tarnis-run's standard output as bytes; it fails the test when tarnis-run does. */
export function tarnisRun(...args) {
    const program = process.env.TARNIS_RUN;
    assert.ok(program, "TARNIS_RUN (the build's tarnis-run) must be set; scripts/test sets it");
    const result = spawnSync(program, args, { maxBuffer: 64 << 20 });
    if (result.error) throw result.error;
    assert.equal(result.status, 0, `tarnis-run ${args.join(" ")}: ${result.stderr}`);
    return result.stdout;
}

/** One of poppler's tools on a file, its standard output as text. */
export function poppler(tool, ...args) {
    const result = spawnSync(tool, args, { encoding: "utf8", maxBuffer: 64 << 20 });
    if (result.error) throw result.error;
    assert.equal(result.status, 0, `${tool} ${args.join(" ")}: ${result.stderr}`);
    return result.stdout;
}

/** The WebAssembly module under node, for what the page must show; scripts/test passes TARNIS_MODULE. */
export async function tarnisModule() {
    const modulePath = process.env.TARNIS_MODULE;
    assert.ok(modulePath, "TARNIS_MODULE (the built tarnis.mjs) must be set; scripts/test sets it");
    const { default: createTarnis } = await import(pathToFileURL(modulePath).href);
    return createTarnis({ wasmBinary: readFileSync(modulePath.replace(/\.mjs$/, ".wasm")) });
}

/** The page's parameter boxes by their accessible names, the desktop's captions. */
export function boxes(page) {
    const box = (name) => page.getByRole("textbox", { name, exact: true });
    return {
        r: box("The intrinsic rate (r):"),
        n0: box("The initial population size N(0):"),
        K: box("The carrying capacity (K):"),
        lag: box("Time lag is"),
        steps: box("For t=1 to"),
    };
}

/** Types a text into a box as a user does, and confirms it with Enter. */
export async function typeInto(box, text) {
    await box.fill("");
    await box.pressSequentially(text);
    await box.press("Enter");
}

/**
 * An init script that records, for each canvas, the box of every text drawn since the canvas was last
 * cleared whole: what `textsOutOfPlace` holds against the canvas's edges and the other texts.
 */
export function recordCanvasTexts() {
    const texts = (window.tarnisCanvasTexts = new Map());
    const context = CanvasRenderingContext2D.prototype;
    const { clearRect, fillText } = context;
    context.clearRect = function (x, y, width, height) {
        const m = this.getTransform();
        const [left, top] = [m.a * x + m.e, m.d * y + m.f];
        const [right, bottom] = [m.a * (x + width) + m.e, m.d * (y + height) + m.f];
        if (left <= 0 && top <= 0 && right >= this.canvas.width && bottom >= this.canvas.height) texts.set(this.canvas, []);
        return clearRect.call(this, x, y, width, height);
    };
    context.fillText = function (text, x, y, ...rest) {
        const ink = this.measureText(text);
        const m = this.getTransform();
        const corners = [
            [x - ink.actualBoundingBoxLeft, y - ink.actualBoundingBoxAscent],
            [x + ink.actualBoundingBoxRight, y - ink.actualBoundingBoxAscent],
            [x - ink.actualBoundingBoxLeft, y + ink.actualBoundingBoxDescent],
            [x + ink.actualBoundingBoxRight, y + ink.actualBoundingBoxDescent],
        ].map(([u, v]) => [m.a * u + m.c * v + m.e, m.b * u + m.d * v + m.f]);
        const xs = corners.map(([u]) => u);
        const ys = corners.map(([, v]) => v);
        const box = [Math.min(...xs), Math.min(...ys), Math.max(...xs), Math.max(...ys)];
        texts.set(this.canvas, [...(texts.get(this.canvas) ?? []), { text: String(text), box }]);
        return fillText.call(this, text, x, y, ...rest);
    };
}

/**
 * Every text on show that is cut off or overlaps another, in words: a text clipped by a box that hides
 * what overflows it, or beyond the window's right edge; a select too narrow for its chosen option; a
 * text drawn on a canvas past the canvas's edge (with `recordCanvasTexts`); any two texts, written or
 * drawn, that cover each other. The page must not scroll sideways either.
 */
export function textsOutOfPlace(page) {
    return page.evaluate(() => {
        const problems = [];
        const edges = (rect) => [rect.left, rect.top, rect.right, rect.bottom];
        const within = (inner, outer) =>
            inner[0] >= outer[0] - 1 && inner[1] >= outer[1] - 1 && inner[2] <= outer[2] + 1 && inner[3] <= outer[3] + 1;
        const where = (element) =>
            `${element.tagName.toLowerCase()}${element.className ? `.${String(element.className).trim().replace(/\s+/g, ".")}` : ""}`;
        const clips = (element) =>
            ["hidden", "clip"].some((value) => [getComputedStyle(element).overflowX, getComputedStyle(element).overflowY].includes(value));
        // An open dialog hides what lies under it: only its own texts are on show.
        const shown = document.querySelector("dialog:modal") ?? document.body;

        // Each line of each written text, held against the boxes that clip it and the window's edge.
        function writtenTexts() {
            const boxes = [];
            const walker = document.createTreeWalker(shown, NodeFilter.SHOW_TEXT);
            while (walker.nextNode()) {
                const owner = walker.currentNode.parentElement;
                const text = walker.currentNode.textContent.trim();
                if (!text || !owner.checkVisibility() || owner.closest("select, option, script, style")) continue;
                const range = document.createRange();
                range.selectNodeContents(walker.currentNode);
                for (const box of [...range.getClientRects()].filter((rect) => rect.width >= 1 && rect.height >= 1).map(edges)) {
                    boxes.push({ text, box, owner });
                    let outer = owner;
                    while (outer !== document.body && !(clips(outer) && !within(box, edges(outer.getBoundingClientRect())))) outer = outer.parentElement;
                    if (outer !== document.body) problems.push(`"${text}" (${where(owner)}) is cut off by ${where(outer)}`);
                    if (box[2] > document.documentElement.clientWidth + 1) problems.push(`"${text}" (${where(owner)}) runs out of the window`);
                }
            }
            return boxes;
        }

        // A select shows its chosen option on one line, beside its arrow.
        function chosenOptions() {
            const measure = document.createElement("canvas").getContext("2d");
            const arrow = 20;
            return [...shown.querySelectorAll("select")]
                .filter((select) => select.checkVisibility() && select.selectedIndex >= 0)
                .map((select) => {
                    const style = getComputedStyle(select);
                    measure.font = style.font;
                    const chosen = select.options[select.selectedIndex].text;
                    const room = select.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - arrow;
                    if (measure.measureText(chosen).width > room) problems.push(`the select shows "${chosen}" cut off`);
                    return { text: chosen, box: edges(select.getBoundingClientRect()), owner: select };
                });
        }

        // The texts drawn on canvases (recordCanvasTexts), in the window's pixels, each within its canvas.
        function drawnTexts() {
            const boxes = [];
            for (const [canvas, drawn] of window.tarnisCanvasTexts ?? []) {
                if (!canvas.isConnected || !canvas.checkVisibility() || !shown.contains(canvas)) continue;
                const rect = canvas.getBoundingClientRect();
                const [sx, sy] = [rect.width / canvas.width, rect.height / canvas.height];
                for (const { text, box } of drawn.filter((each) => each.text.trim())) {
                    if (!within(box, [0, 0, canvas.width, canvas.height])) problems.push(`"${text}" runs out of its canvas`);
                    boxes.push({ text, box: [rect.left + box[0] * sx, rect.top + box[1] * sy, rect.left + box[2] * sx, rect.top + box[3] * sy], owner: canvas });
                }
            }
            return boxes;
        }

        const boxes = [...writtenTexts(), ...chosenOptions(), ...drawnTexts()];
        for (const [index, a] of boxes.entries())
            for (const b of boxes.slice(index + 1)) {
                // Lines of one text, and a text inside another's element, are one text's.
                if (a.owner !== b.owner && (a.owner.contains(b.owner) || b.owner.contains(a.owner))) continue;
                if (a.owner === b.owner && a.owner.tagName !== "CANVAS") continue;
                if (a.text === b.text && a.box.every((edge, side) => Math.abs(edge - b.box[side]) < 0.5)) continue; // drawn again
                const across = Math.min(a.box[2], b.box[2]) - Math.max(a.box[0], b.box[0]);
                const down = Math.min(a.box[3], b.box[3]) - Math.max(a.box[1], b.box[1]);
                if (across > 1 && down > 1) problems.push(`"${a.text}" and "${b.text}" overlap`);
            }
        if (document.documentElement.scrollWidth > window.innerWidth) problems.push("the page scrolls sideways");
        return [...new Set(problems)];
    });
}
