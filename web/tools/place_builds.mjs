// After the page's build (npm run build): the single file beside the folder's page, which it does not
// need, as build/web/tarnis.html; and the page's pure pieces built for their tests under node marked as
// ES modules, which node before 20 does not guess from a .js file.
// SPDX-License-Identifier: GPL-3.0-or-later
import { renameSync, rmSync, statSync, writeFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

const build = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "../../build");
writeFileSync(path.join(build, "web-unit/package.json"), '{ "type": "module" }\n');
const single = path.join(build, "web/tarnis.html");
renameSync(path.join(build, "web-single/index.html"), single);
rmSync(path.join(build, "web-single"), { recursive: true, force: true });
console.log(`Built ${path.join(build, "web")}/ and ${single} (${statSync(single).size} bytes)`);
