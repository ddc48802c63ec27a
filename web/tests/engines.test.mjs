// The page is built and tested with the node and npm that Debian 12 installs. A developer's machine
// with a newer node runs the tools happily even where one of them refuses Debian's, so the versions
// are checked here against what every package in the lock file declares it runs on, whatever node
// runs this test.
// SPDX-License-Identifier: GPL-3.0-or-later
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import semver from "semver";

// Debian 12's nodejs and npm packages, as its security updates install them.
const DebianTools = { node: "18.20.4", npm: "9.2.0" };

const lock = JSON.parse(readFileSync(new URL("../package-lock.json", import.meta.url), "utf8"));

test("every package in the lock file, the page's own included, runs on Debian 12's node and npm", () => {
    const refusing = [];
    for (const [place, entry] of Object.entries(lock.packages)) {
        for (const [tool, version] of Object.entries(DebianTools)) {
            const range = entry.engines?.[tool];
            if (range !== undefined && !semver.satisfies(version, range))
                refusing.push(`${place || "package.json"} ${entry.version}: ${tool} ${range}`);
        }
    }
    assert.deepEqual(refusing, [], `these refuse ${DebianTools.node} (node) or ${DebianTools.npm} (npm)`);
});

test("the lock file pins what package.json asks for", () => {
    const manifest = JSON.parse(readFileSync(new URL("../package.json", import.meta.url), "utf8"));
    const wanted = { ...manifest.dependencies, ...manifest.devDependencies };
    for (const [name, version] of Object.entries(wanted))
        assert.equal(lock.packages[`node_modules/${name}`]?.version, version, name);
    assert.deepEqual(lock.packages[""].engines, manifest.engines);
});
