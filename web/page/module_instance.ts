// The module made from its binary compiled once: the page compiles the binary it carries and hands the
// compiled binary to each of its workers, so that the page holds one copy and no worker decodes or
// compiles it again.
// SPDX-License-Identifier: GPL-3.0-or-later
import createTarnis from "tarnis-module";
import type { TarnisModule } from "tarnis-module";

/** A new instance of the module over the compiled binary; fails where the binary does not instantiate. */
export function instantiate(binary: WebAssembly.Module): Promise<TarnisModule> {
    let failed: (reason: unknown) => void = () => {};
    const failure = new Promise<never>((_, reject) => (failed = reject));
    const made = createTarnis({
        instantiateWasm(imports: WebAssembly.Imports, done: (instance: WebAssembly.Instance) => void) {
            WebAssembly.instantiate(binary, imports).then(done, failed);
            return {};
        },
    });
    return Promise.race([made, failure]);
}
