// A picture of the chart as it is shown, drawn in vectors: the title, the plot with its axes, ticks,
// numbers and grid in the view on screen, every series in its look and colour (kept runs behind), and
// the legend below. "Save chart as SVG" saves it; "Save chart as PNG" rasterizes it at twice the
// pixels (chart_png.ts). Plain text in, text out: no DOM, so that it can be checked under node.
// SPDX-License-Identifier: GPL-3.0-or-later
import { AxisTitlePixels, ContinuousLinePixels, GridPixels, LinePixels, TickLabelPixels, TickPixels } from "./chart_look.js";
import { type Pen, type SeriesLook, traceSeries } from "./chart_paths.js";

export interface PictureSeries {
    x: ArrayLike<number>;
    y: ArrayLike<number>;
    look: SeriesLook;
    dash?: number[]; // the run's continuous-time twin: the model's dashes
    line: string;
    markerOutline: string;
    markerFill: string;
}

export interface PictureLegendLine {
    text: string;
    icons: Array<Pick<PictureSeries, "look" | "dash" | "line" | "markerOutline" | "markerFill">>;
}

export interface ChartPicture {
    width: number; // of the chart on screen, in CSS pixels
    plot: { left: number; top: number; width: number; height: number }; // within the chart, below the title
    title: string;
    note?: string; // a line under the title: the run's parameters, so that a pasted picture says what it shows
    xTitle: string;
    yTitle: string;
    view: { x: { min: number; max: number }; y: { min: number; max: number } };
    logarithmicY: boolean;
    markerPixels: number; // the model's size of a marker's square
    ticks: { x: { values: number[]; labels: string[] }; y: { values: number[]; labels: string[] } };
    series: PictureSeries[]; // in drawing order: the kept runs first
    legend: PictureLegendLine[]; // none: no legend
    clipId?: string; // the plot's clip path's id, unique where several pictures share a document; "plot"
}

const TitleBand = 32;
const NoteLine = 18;
const LegendLine = 20;
const XAxisBand = 50; // tick numbers and the axis title below the plot
const Font = "DejaVu Sans, Liberation Sans, Arial, sans-serif";

function escaped(text: string): string {
    return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}

function number(value: number): string {
    return String(Math.round(value * 100) / 100);
}

/** Maps values to the picture's coordinates, as the screen maps them to its pixels. */
function scales(picture: ChartPicture, top: number) {
    const { plot, view } = picture;
    const toY = (value: number) => (picture.logarithmicY ? Math.log10(value) : value);
    const yMin = toY(view.y.min);
    const ySpan = toY(view.y.max) - yMin;
    const xSpan = view.x.max - view.x.min;
    return {
        x: (value: number) => plot.left + ((value - view.x.min) / xSpan) * plot.width,
        y: (value: number) => top + plot.height - ((toY(value) - yMin) / ySpan) * plot.height,
    };
}

// The series' path in the picture's coordinates, two decimals to a number.
function seriesPath(series: PictureSeries, map: ReturnType<typeof scales>, picture: ChartPicture): string {
    const parts: string[] = [];
    const size = picture.markerPixels;
    const pen: Pen = {
        moveTo: (x, y) => parts.push(`M${number(x)} ${number(y)}`),
        lineTo: (x, y) => parts.push(`L${number(x)} ${number(y)}`),
        square: (x, y) => parts.push(`M${number(x - size / 2)} ${number(y - size / 2)}h${size}v${size}h-${size}z`),
    };
    traceSeries(series.x, series.y, series.look, picture.logarithmicY, (x, y) => ({ x: map.x(x), y: map.y(y) }), pen);
    return parts.join("");
}

// The twin's dashes, as the screen draws them.
function dashing(dash: number[] | undefined): string {
    return dash ? ` stroke-dasharray="${dash.join(" ")}"` : "";
}

function seriesElement(series: PictureSeries, path: string): string {
    if (path === "") return "";
    if (series.look === "points")
        return `<path d="${path}" fill="${series.markerFill}" stroke="${series.markerOutline}" stroke-width="1"/>`;
    const width = series.dash ? ContinuousLinePixels : LinePixels;
    return `<path d="${path}" fill="none" stroke="${series.line}" stroke-width="${width}"${dashing(series.dash)} stroke-linejoin="round"/>`;
}

function legendIcon(icon: PictureLegendLine["icons"][number], x: number, y: number, size: number): string {
    if (icon.look === "points")
        return `<rect x="${number(x + 8 - size / 2)}" y="${number(y - size / 2)}" width="${size}" height="${size}" fill="${icon.markerFill}" stroke="${icon.markerOutline}"/>`;
    return `<line x1="${number(x)}" y1="${number(y)}" x2="${number(x + 16)}" y2="${number(y)}" stroke="${icon.line}" stroke-width="2"${dashing(icon.dash)}/>`;
}

export function chartSvg(picture: ChartPicture): string {
    const { plot, width } = picture;
    const top = TitleBand + (picture.note ? NoteLine : 0) + plot.top;
    const legendTop = top + plot.height + XAxisBand;
    const height = legendTop + picture.legend.length * LegendLine + (picture.legend.length ? 8 : 0);
    const map = scales(picture, top);
    const bottom = top + plot.height;
    const clipId = picture.clipId ?? "plot";
    const out: string[] = [];
    out.push(
        `<svg xmlns="http://www.w3.org/2000/svg" width="${number(width)}" height="${number(height)}" viewBox="0 0 ${number(width)} ${number(height)}" font-family="${Font}">`,
        `<title>${escaped(picture.title)}</title>`,
        `<rect width="100%" height="100%" fill="#ffffff"/>`,
        `<defs><clipPath id="${escaped(clipId)}"><rect x="${number(plot.left)}" y="${number(top)}" width="${number(plot.width)}" height="${number(plot.height)}"/></clipPath></defs>`,
        `<text x="${number(width / 2)}" y="22" font-size="16" font-weight="bold" text-anchor="middle">${escaped(picture.title)}</text>`,
    );
    if (picture.note)
        out.push(`<text x="${number(width / 2)}" y="${22 + NoteLine}" font-size="12" text-anchor="middle">${escaped(picture.note)}</text>`);
    // The grid across the y axis, the ticks and their numbers.
    picture.ticks.y.values.forEach((value, index) => {
        const y = map.y(value);
        if (!(y >= top - 0.5 && y <= bottom + 0.5)) return;
        out.push(
            `<line x1="${number(plot.left - TickPixels)}" y1="${number(y)}" x2="${number(plot.left + plot.width)}" y2="${number(y)}" stroke="#000000" stroke-width="${GridPixels}"/>`,
            `<text x="${number(plot.left - 8)}" y="${number(y + 4)}" font-size="${TickLabelPixels}" text-anchor="end">${escaped(picture.ticks.y.labels[index] ?? "")}</text>`,
        );
    });
    picture.ticks.x.values.forEach((value, index) => {
        const x = map.x(value);
        if (!(x >= plot.left - 0.5 && x <= plot.left + plot.width + 0.5)) return;
        out.push(
            `<line x1="${number(x)}" y1="${number(bottom)}" x2="${number(x)}" y2="${number(bottom + TickPixels)}" stroke="#000000"/>`,
            `<text x="${number(x)}" y="${number(bottom + 19)}" font-size="${TickLabelPixels}" text-anchor="middle">${escaped(picture.ticks.x.labels[index] ?? "")}</text>`,
        );
    });
    out.push(
        `<rect x="${number(plot.left)}" y="${number(top)}" width="${number(plot.width)}" height="${number(plot.height)}" fill="none" stroke="#000000"/>`,
        `<text x="${number(plot.left + plot.width / 2)}" y="${number(bottom + 40)}" font-size="${AxisTitlePixels}" font-weight="bold" text-anchor="middle">${escaped(picture.xTitle)}</text>`,
        `<text transform="translate(16 ${number(top + plot.height / 2)}) rotate(-90)" font-size="${AxisTitlePixels}" font-weight="bold" text-anchor="middle">${escaped(picture.yTitle)}</text>`,
        `<g clip-path="url(#${escaped(clipId)})">`,
    );
    for (const series of picture.series) out.push(seriesElement(series, seriesPath(series, map, picture)));
    out.push(`</g>`);
    picture.legend.forEach((line, index) => {
        const y = legendTop + index * LegendLine + 10;
        let x = plot.left;
        for (const icon of line.icons) {
            out.push(legendIcon(icon, x, y, picture.markerPixels));
            x += 22;
        }
        out.push(`<text x="${number(x)}" y="${number(y + 4)}" font-size="12">${escaped(line.text)}</text>`);
    });
    out.push(`</svg>`);
    return out.filter((part) => part !== "").join("\n") + "\n";
}
