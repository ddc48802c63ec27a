// The WebAssembly module under node against the native model on the same machine: the run of the
// chaotic set at 9999 steps as a page asks for it, the regime of one cell, and the dynamics window's map
// (200 × 41 cells) in slices as a page's worker computes it, and the continuous twin of a run. Prints medians and the ratio of each to
// its native counterpart, which it runs itself, round by round. Run by scripts/bench:
//   TARNIS_MODULE=build/wasm/tarnis.mjs TARNIS_BENCH=build/bench/tarnis_bench \
//   TARNIS_BENCH_DYNAMICS=build/bench/bench_dynamics node bench/bench_module.mjs [repetitions]
// SPDX-License-Identifier: GPL-3.0-or-later
import { spawnSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { performance } from "node:perf_hooks";
import { pathToFileURL } from "node:url";

const repetitions = Number(process.argv[2] ?? 5);
const { TARNIS_MODULE, TARNIS_BENCH, TARNIS_BENCH_DYNAMICS } = process.env;
const { default: createTarnis } = await import(pathToFileURL(TARNIS_MODULE).href);
const tarnis = await createTarnis({ wasmBinary: readFileSync(TARNIS_MODULE.replace(/\.mjs$/, ".wasm")) });

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

// Seconds per call of `work`, over at least 0.2 s, after a warm-up that lets the engine compile the
// module's code fully.
function timed(work) {
    for (const end = performance.now() + 200; performance.now() < end;)
        work();
    let calls = 0;
    const start = performance.now();
    while (performance.now() - start < 200) {
        work();
        ++calls;
    }
    return (performance.now() - start) / 1000 / calls;
}

// The real time in seconds of the one native benchmark that `filter` selects, run once. Its name may
// carry the count of iterations that the benchmark sets, which is the benchmark's own business.
function native(binary, filter) {
    const result = spawnSync(binary, [`--benchmark_filter=${filter}`, "--benchmark_min_time=0.2", "--benchmark_format=json"],
        { encoding: "utf8", maxBuffer: 64 << 20 });
    if (result.status !== 0)
        throw new Error(`${binary} failed: ${result.stderr}`);
    const runs = JSON.parse(result.stdout).benchmarks;
    if (runs.length !== 1)
        throw new Error(`${filter} selects ${runs.length} benchmarks of ${binary}, not one`);
    const scale = { ns: 1e-9, us: 1e-6, ms: 1e-3, s: 1 };
    return runs[0].real_time * scale[runs[0].time_unit];
}

const session = new tarnis.Session();
const chaotic = { r: 2.7, n0: 2, K: 100, lag: 0, steps: 9999 };
const continuous = { r: 0.3, n0: 1, K: 500, lag: 5, steps: 2000 };
const cell = new tarnis.RegimeScan({ rates: [2.7], lags: [0], n0: 1, K: 500 });
const rates = Array.from({ length: 200 }, (_, i) => 0.005 + 0.005 * i);
const lags = Array.from({ length: 41 }, (_, i) => 0.5 * i);
const map = new tarnis.RegimeScan({ rates, lags, n0: 1, K: 500 });
const cells = map.cellCount();

function wholeMap() {
    const begun = performance.now();
    for (let first = 0; first < cells; first += lags.length)
        map.slice(first, lags.length);
    return (performance.now() - begun) / 1000;
}

// What is measured, in the module and natively: each round measures both, one right after the
// other, so that a machine shared with other work slows both alike; the ratio is the median of the
// rounds' ratios.
const measures = [
    { name: "run of the chaotic set, 9999 steps (Session.run)", module: () => timed(() => session.run(chaotic, ".")),
      native: () => native(TARNIS_BENCH, "^modelRun/chaotic/9999$") },
    { name: "regime of one cell (r = 2.7, lag 0)", module: () => timed(() => cell.slice(0, 1)),
      native: () => native(TARNIS_BENCH_DYNAMICS, "^regimeOfOneRun/chaotic_lag0$") },
    { name: `window map in slices, per cell (${cells} cells)`, module: () => wholeMap() / cells,
      native: () => native(TARNIS_BENCH_DYNAMICS, "^windowMapInSlices") / cells },
    { name: "continuous twin, 2000 time units (T = 5)", module: () => timed(() => tarnis.continuousRun(continuous)),
      native: () => native(TARNIS_BENCH_DYNAMICS, "^continuousTrajectory/lag5$") },
];

const shown = (seconds) => (seconds >= 1e-3 ? `${(seconds * 1e3).toFixed(2)} ms` : `${(seconds * 1e6).toFixed(1)} us`);
console.log(`WebAssembly module under node ${process.version}, ${repetitions} rounds`.padEnd(62) + "module".padStart(12)
    + "native".padStart(12) + "ratio".padStart(8));
for (const measure of measures) {
    const moduleTimes = [];
    const nativeTimes = [];
    const ratios = [];
    for (let round = 0; round < repetitions; ++round) {
        moduleTimes.push(measure.module());
        nativeTimes.push(measure.native());
        ratios.push(moduleTimes.at(-1) / nativeTimes.at(-1));
    }
    console.log(`module/${measure.name}`.padEnd(62) + shown(median(moduleTimes)).padStart(12)
        + shown(median(nativeTimes)).padStart(12) + median(ratios).toFixed(2).padStart(8));
}
session.delete();
cell.delete();
map.delete();
