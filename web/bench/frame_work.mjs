// What an action costs the page's main thread, read from the browser's own trace: the work of the
// event that the action dispatches and of the frame that shows its result (script, style, layout,
// paint and the animation frame's callbacks), apart from the time the thread only waits for the
// next frame, which depends on the display and not on the page. Also the frame's commit to the
// compositor, which in a headless browser without a GPU includes rasterizing what was painted, and
// the longest task of the main thread, whatever it ran.
// SPDX-License-Identifier: GPL-3.0-or-later

const Work = new Set(["EventDispatch", "FireAnimationFrame", "FunctionCall", "TimerFire", "UpdateLayoutTree", "Layout",
    "PrePaint", "Paint", "Layerize", "HitTest"]);

const outermost = (events) => events.filter((event) => !events.some((other) => other !== event
    && other.ts <= event.ts && other.ts + other.dur >= event.ts + event.dur));

/** Runs `act(i)` `count` times while the browser traces, and gives the main thread's events. */
export async function traceMainThread(page, count, act) {
    const session = await page.context().newCDPSession(page);
    const events = [];
    session.on("Tracing.dataCollected", (chunk) => events.push(...chunk.value));
    const complete = new Promise((resolve) => session.once("Tracing.tracingComplete", resolve));
    await session.send("Tracing.start", {
        categories: "toplevel,devtools.timeline,disabled-by-default-devtools.timeline",
        transferMode: "ReportEvents",
    });
    for (let i = 0; i < count; i += 1) await act(i);
    await session.send("Tracing.end");
    await complete;
    await session.detach();

    const main = events.find((event) => event.name === "thread_name" && event.args.name === "CrRendererMain");
    return events.filter((event) => event.pid === main.pid && event.tid === main.tid && event.ph === "X")
        .sort((a, b) => a.ts - b.ts);
}

/**
 * For each event of type `eventType` in the timeline, the milliseconds of work from it to the end of
 * the next commit, and of that commit alone.
 */
export function frameWork(timeline, eventType) {
    const starts = timeline.filter((event) => event.name === "EventDispatch" && event.args?.data?.type === eventType);
    return starts.map((start) => {
        const commit = timeline.find((event) => event.name === "Commit" && event.ts > start.ts);
        const end = commit ? commit.ts : Infinity;
        const work = outermost(timeline.filter((event) => Work.has(event.name) && event.ts >= start.ts && event.ts < end));
        return {
            work: work.reduce((sum, event) => sum + event.dur, 0) / 1000,
            commit: commit ? commit.dur / 1000 : NaN,
        };
    });
}

/**
 * The main thread's longest task in the timeline, in milliseconds of the thread's own time, which on a
 * machine whose cores other work keeps busy stays what the page costs while the clock's time grows.
 */
export function longestTask(timeline) {
    const tasks = timeline.filter((event) => event.name === "ThreadControllerImpl::RunTask");
    return tasks.reduce((longest, task) => Math.max(longest, (task.tdur ?? task.dur) / 1000), 0);
}
