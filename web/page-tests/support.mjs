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
