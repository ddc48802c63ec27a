// The chart "N vs. t" of a set-up, drawn off screen as a picture in vectors (chart_svg.ts): its kept
// runs and its run computed in a session of their own, so that the run on show and its kept runs stay
// as they are, and the axes fitted and ticked by the model's rules for a plot of a fixed size, as the
// chart on screen is for its own. The worksheet prints one for each step.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { Setup } from "tarnis-module";
import { type ChartPicture, chartSvg } from "./chart_svg";
import { drawnSeries, legendLines, tickLabelExtent } from "./chart_view";
import { type AxisKey, ChartViewport, ticksWithRoom } from "./chart_viewport";
import type { Tarnis } from "./tarnis";

// The picture's layout in CSS pixels: room for the numbers of the y axis at the left, half a label at
// the right; low enough that a step's words, its chart and the room to write fit on a sheet.
const Width = 640;
const Plot = { left: 70, top: 12, width: 545, height: 150 };

/** The picture of the set-up's run and kept runs, or none where the model refuses its run. */
export function setupPicture(tarnis: Tarnis, setup: Setup, clipId: string): string | undefined {
    const { module, separator } = tarnis;
    const session = new module.Session();
    try {
        // The set-up's texts are in the point's notation, which the model reads with the point.
        for (const kept of setup.kept) if (!session.runTexts(kept, ".").refused) session.keep();
        if (session.runTexts(setup.run, ".").refused) return undefined;
        const data = session.chart("NtvsT", false, separator);
        const series = drawnSeries(data);
        const viewport = new ChartViewport(module);
        viewport.fit(series, false, { width: Plot.width, height: Plot.height }, false);
        const view = viewport.current();
        const ticks = (key: AxisKey) =>
            ticksWithRoom(viewport.tickFit(key), false, module, {
                text: (value) => tarnis.numberText(value, 6),
                extent: (label) => tickLabelExtent(label, key),
                place: (value) => {
                    const share = (value - view[key].min) / (view[key].max - view[key].min);
                    return key === "x" ? share * Plot.width : (1 - share) * Plot.height;
                },
            });
        const picture: ChartPicture = {
            width: Width,
            plot: Plot,
            title: data.title,
            note: data.pictureNote,
            xTitle: data.xTitle,
            yTitle: data.yTitle,
            view,
            logarithmicY: false,
            markerPixels: module.axisRules().markerPixels,
            ticks: { x: ticks("x"), y: ticks("y") },
            series,
            legend: legendLines(data),
            clipId,
        };
        return chartSvg(picture);
    } finally {
        session.delete();
    }
}
