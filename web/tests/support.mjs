// What the module's tests share: the module, loaded once per test file, and tarnis-run, the native
// model that its numbers must equal bit for bit. scripts/test passes both paths in.
// SPDX-License-Identifier: GPL-3.0-or-later
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";

const modulePath = process.env.TARNIS_MODULE;
const tarnisRunPath = process.env.TARNIS_RUN;
if (!modulePath || !tarnisRunPath)
    throw new Error("TARNIS_MODULE (the built tarnis.mjs) and TARNIS_RUN (tarnis-run) must be set; scripts/test sets them");

const { default: createTarnis } = await import(pathToFileURL(modulePath).href);
// The module's binary lies beside it (tarnis.wasm); the module never fetches it itself.
export const tarnis = await createTarnis({ wasmBinary: readFileSync(modulePath.replace(/\.mjs$/, ".wasm")) });

// tarnis-run's answer; it fails the test when tarnis-run cannot be started at all.
export function tarnisRun(...args) {
    const result = spawnSync(tarnisRunPath, args, { encoding: "utf8", maxBuffer: 256 << 20 });
    if (result.error)
        throw result.error;
    return { status: result.status, out: result.stdout, err: result.stderr };
}

// The rows of tarnis-run's CSV answers, each a list of fields, without the header.
export function csvRows(text) {
    return text.split("\r\n").slice(1, -1).map((line) => line.split(","));
}

// A field as the number it writes exactly (the shortest text that reads back, or inf, -inf, nan);
// empty as undefined.
export function fieldNumber(field) {
    const special = { "inf": Infinity, "-inf": -Infinity, "nan": NaN, "-nan": NaN };
    return field === "" ? undefined : special[field] ?? Number(field);
}

// Bit for bit: +0 and −0 apart, NaN equal to NaN.
export function sameBits(actual, expected) {
    return Object.is(actual, expected);
}
