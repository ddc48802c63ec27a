// The page's build. Two outputs from the same sources:
//   vite build                    build/web/: index.html and its assets, for any static web space
//   vite build --mode single      build/web-single/index.html: everything inlined, for one file that
//                                 opens from disk (scripts/build-web copies it to build/web/tarnis.html)
// The WebAssembly module comes from the module's build (TARNIS_MODULE, by default build/wasm/tarnis.mjs,
// with its binary beside it).
// SPDX-License-Identifier: GPL-3.0-or-later
import { fileURLToPath } from "node:url";
import path from "node:path";
import { defineConfig } from "vite";
import { viteSingleFile } from "vite-plugin-singlefile";

const here = path.dirname(fileURLToPath(import.meta.url));
const root = path.resolve(here, "..");
const modulePath = process.env.TARNIS_MODULE ?? path.join(root, "build/wasm/tarnis.mjs");

export default defineConfig(({ mode }) => {
    const single = mode === "single";
    return {
        root: path.join(here, "page"),
        // Relative addresses, so that the folder works wherever it is put: a course page, a subfolder
        // of a learning platform.
        base: "./",
        resolve: {
            alias: [
                { find: /^tarnis-module$/, replacement: modulePath },
                // The binary, imported by the page's thread alone ("tarnis-wasm?inline"): the page carries
                // it once and hands it compiled to its workers.
                { find: /^tarnis-wasm/, replacement: modulePath.replace(/\.mjs$/, ".wasm") },
            ],
        },
        // The binary is an asset like a picture, inlined as a data address ("?inline").
        assetsInclude: ["**/*.wasm"],
        server: { fs: { allow: [root] } },
        logLevel: "warn",
        build: {
            outDir: path.join(root, single ? "build/web-single" : "build/web"),
            emptyOutDir: true,
            target: "es2022",
            reportCompressedSize: false,
            // Pictures go inline in the single file; the module's binary is inlined in both builds.
            assetsInlineLimit: single ? 100_000_000 : 4096,
            chunkSizeWarningLimit: 2048,
        },
        // The dynamics' workers are classic scripts: a page opened from a file has no origin, and a module
        // worker from its blob would be refused as cross-origin.
        worker: { format: "iife" },
        plugins: single ? [viteSingleFile({ removeViteModuleLoader: true })] : [],
    };
});
