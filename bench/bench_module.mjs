// The WebAssembly module under node against the native model on the same machine: the run of the
// chaotic set at 9999 steps as a page asks for it, the regime of one cell, and the dynamics window's map
// (200 × 41 cells) in slices as a page's worker computes it. Prints medians and the ratio of each to
// its native counterpart, which it runs itself. Run by scripts/bench:
//   TARNIS_MODULE=build/wasm/tarnis.mjs TARNIS_BENCH=build/bench/tarnis_bench \
//   TARNIS_BENCH_DYNAMICS=build/bench/bench_dynamics node bench/bench_module.mjs [repetitions]
// SPDX-License-Identifier: GPL-3.0-or-later
import { spawnSync } from "node:child_process";
import { performance } from "node:perf_hooks";
import { pathToFileURL } from "node:url";

const repetitions = Number(process.argv[2] ?? 5);
const { TARNIS_MODULE, TARNIS_BENCH, TARNIS_BENCH_DYNAMICS } = process.env;
const { default: createTarnis } = await import(pathToFileURL(TARNIS_MODULE).href);
const tarnis = await createTarnis();

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor((values.length - 1) / 2)];

// Seconds per call of `work`: batches of at least 0.2 s after a warm-up that lets the engine compile
// the module's code fully, the median of the batches.
function timed(work) {
    for (const end = performance.now() + 300; performance.now() < end;)
        work();
    const batches = [];
    for (let i = 0; i < repetitions; ++i) {
        let calls = 0;
        const start = performance.now();
        while (performance.now() - start < 200) {
            work();
            ++calls;
        }
        batches.push((performance.now() - start) / 1000 / calls);
    }
    return median(batches);
}

// The median real time in seconds of each native benchmark that `filter` selects, by name.
function native(binary, filter) {
    const result = spawnSync(binary, [`--benchmark_filter=${filter}`, `--benchmark_repetitions=${repetitions}`,
        "--benchmark_min_time=0.2", "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
    { encoding: "utf8", maxBuffer: 64 << 20 });
    if (result.status !== 0)
        throw new Error(`${binary} failed: ${result.stderr}`);
    const scale = { ns: 1e-9, us: 1e-6, ms: 1e-3, s: 1 };
    const medians = {};
    for (const run of JSON.parse(result.stdout).benchmarks.filter((b) => b.aggregate_name === "median"))
        medians[run.run_name] = run.real_time * scale[run.time_unit];
    return medians;
}

const session = new tarnis.Session();
const chaotic = { r: 2.7, n0: 2, K: 100, lag: 0, steps: 9999 };
const run = timed(() => session.run(chaotic, "."));
session.delete();

const cell = new tarnis.RegimeScan({ rates: [2.7], lags: [0], n0: 1, K: 500 });
const oneCell = timed(() => cell.slice(0, 1));
cell.delete();

const rates = Array.from({ length: 200 }, (_, i) => 0.005 + 0.005 * i);
const lags = Array.from({ length: 41 }, (_, i) => 0.5 * i);
const map = new tarnis.RegimeScan({ rates, lags, n0: 1, K: 500 });
const mapTimes = [];
for (let i = 0; i < Math.max(1, Math.min(repetitions, 3)); ++i) {
    const begun = performance.now();
    for (let first = 0; first < map.cellCount(); first += lags.length)
        map.slice(first, lags.length);
    mapTimes.push((performance.now() - begun) / 1000);
}
const wholeMap = median(mapTimes);
const cells = map.cellCount();
map.delete();

const model = native(TARNIS_BENCH, "^modelRun/chaotic/9999$");
const dynamics = native(TARNIS_BENCH_DYNAMICS, "^(regimeOfOneRun/chaotic_lag0|windowMapInSlices/iterations:3/real_time)$");
const rows = [
    ["module/run of the chaotic set, 9999 steps (Session.run)", run, model["modelRun/chaotic/9999"]],
    ["module/regime of one cell (r = 2.7, lag 0)", oneCell, dynamics["regimeOfOneRun/chaotic_lag0"]],
    [`module/window map in slices, per cell (${cells} cells)`, wholeMap / cells,
        dynamics["windowMapInSlices/iterations:3/real_time"] / cells],
];
const shown = (seconds) => (seconds >= 1e-3 ? `${(seconds * 1e3).toFixed(2)} ms` : `${(seconds * 1e6).toFixed(1)} us`);
console.log(`${"WebAssembly module under node " + process.version}`.padEnd(62) + "module".padStart(12)
    + "native".padStart(12) + "ratio".padStart(8));
for (const [name, module, nativeTime] of rows)
    console.log(name.padEnd(62) + shown(module).padStart(12) + shown(nativeTime).padStart(12)
        + (module / nativeTime).toFixed(2).padStart(8));
console.log(`(the whole map in the module, on one thread: ${shown(wholeMap)})`);
