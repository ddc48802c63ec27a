// The module's binary, which the page carries inline (once, for its thread and its workers) and
// compiles once: the page's thread alone imports this, so that no worker carries the binary again.
// SPDX-License-Identifier: GPL-3.0-or-later
import binaryAddress from "tarnis-wasm?inline";
import type { TarnisModule } from "tarnis-module";
import { instantiate } from "./module_instance";

let compiled: WebAssembly.Module | undefined = undefined;

/** The page's own instance of the module, from the binary compiled for the page and its workers. */
export async function loadModule(): Promise<TarnisModule> {
    // The browser decodes the inlined binary itself, faster than a decoding loop in a script.
    const bytes = await (await fetch(binaryAddress)).arrayBuffer();
    compiled = await WebAssembly.compile(bytes);
    return instantiate(compiled);
}

/** The compiled binary for a worker; the page's module is loaded before any worker starts. */
export function compiledBinary(): WebAssembly.Module {
    if (!compiled) throw new Error("the module's binary is not compiled yet");
    return compiled;
}
