// A small static server for the page's folder, on 127.0.0.1 only: scripts/run --web opens the page
// through it, and the browser tests load the folder from it. No dependency but node itself.
//   node web/tools/serve.mjs FOLDER [PORT]     (port 0 or none: a free port)
// Prints the address once it listens. Serves files under FOLDER only, GET and HEAD, nothing else.
// SPDX-License-Identifier: GPL-3.0-or-later
import { createReadStream } from "node:fs";
import { stat } from "node:fs/promises";
import { createServer } from "node:http";
import path from "node:path";
import { pathToFileURL } from "node:url";

const Types = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".mjs": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".svg": "image/svg+xml",
    ".png": "image/png",
    ".wasm": "application/wasm",
    ".json": "application/json",
    ".csv": "text/csv",
};

// The file a request's path names inside the folder, or undefined for one that would leave it.
function fileOf(folder, address) {
    let pathname;
    try {
        pathname = decodeURIComponent(new URL(address, "http://localhost").pathname);
    } catch {
        return undefined;
    }
    if (pathname.includes("\0")) return undefined;
    const file = path.join(folder, path.normalize(pathname));
    if (file !== folder && !file.startsWith(folder + path.sep)) return undefined;
    return pathname.endsWith("/") ? path.join(file, "index.html") : file;
}

async function answer(folder, request, response) {
    if (request.method !== "GET" && request.method !== "HEAD") {
        response.writeHead(405, { Allow: "GET, HEAD" }).end();
        return;
    }
    let file = fileOf(folder, request.url ?? "/");
    let info = file && (await stat(file).catch(() => undefined));
    if (info?.isDirectory()) {
        file = path.join(file, "index.html");
        info = await stat(file).catch(() => undefined);
    }
    if (!file || !info?.isFile()) {
        response.writeHead(404, { "Content-Type": "text/plain; charset=utf-8" }).end("Not found\n");
        return;
    }
    response.writeHead(200, {
        "Content-Type": Types[path.extname(file)] ?? "application/octet-stream",
        "Content-Length": info.size,
        "Cache-Control": "no-cache",
        "X-Content-Type-Options": "nosniff",
    });
    if (request.method === "HEAD") response.end();
    else createReadStream(file).pipe(response);
}

/** Serves the folder on 127.0.0.1; resolves to the server and its address once it listens. */
export async function serve(folder, port = 0) {
    const root = path.resolve(folder);
    const server = createServer((request, response) => {
        answer(root, request, response).catch(() => {
            if (!response.headersSent) response.writeHead(500).end();
            else response.destroy();
        });
    });
    await new Promise((resolve, reject) => {
        server.once("error", reject);
        server.listen(port, "127.0.0.1", resolve);
    });
    const { port: chosen } = server.address();
    return { server, address: `http://127.0.0.1:${chosen}/` };
}

if (import.meta.url === pathToFileURL(process.argv[1] ?? "").href) {
    const [folder, port] = process.argv.slice(2);
    if (!folder) {
        console.error("usage: serve.mjs FOLDER [PORT]");
        process.exit(2);
    }
    const { address } = await serve(folder, Number(port ?? 0));
    console.log(`Tarnis is served at ${address} (Ctrl+C ends it)`);
}
