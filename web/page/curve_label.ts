// Where a curve's name stands inside a plot: beside the curve, clear of the other curves and of their
// names, within the plot's frame. The stability map names the continuous r_c so, which runs so close
// above the discrete r_c that a name at the curves' end would stand on the other's. Pure geometry in
// the canvas' pixels (y down), tested under node.
// SPDX-License-Identifier: GPL-3.0-or-later

export interface Box {
    left: number;
    top: number;
    width: number;
    height: number;
}

/** A curve as the points of its line, in the order of x. */
export type Curve = ReadonlyArray<readonly [number, number]>;

/** The least and the greatest y of a curve between x0 and x1 (x0 ≤ x1); none where it does not reach there. */
export function curveSpan(curve: Curve, x0: number, x1: number): { low: number; high: number } | undefined {
    const ys: number[] = [];
    for (let index = 0; index < curve.length; index += 1) {
        const [x, y] = curve[index] ?? [NaN, NaN];
        if (x >= x0 && x <= x1) ys.push(y);
        const next = curve[index + 1];
        if (!next) continue;
        // Where the segment to the next point crosses either end of the span.
        for (const edge of [x0, x1])
            if ((x - edge) * (next[0] - edge) < 0) ys.push(y + ((edge - x) / (next[0] - x)) * (next[1] - y));
    }
    return ys.length === 0 ? undefined : { low: Math.min(...ys), high: Math.max(...ys) };
}

function overlaps(a: Box, b: Box): boolean {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height && b.top < a.top + a.height;
}

function inside(box: Box, area: Box): boolean {
    return (
        box.left >= area.left &&
        box.top >= area.top &&
        box.left + box.width <= area.left + area.width &&
        box.top + box.height <= area.top + area.height
    );
}

function crosses(box: Box, curve: Curve): boolean {
    const span = curveSpan(curve, box.left, box.left + box.width);
    return span !== undefined && span.low < box.top + box.height && span.high > box.top;
}

/**
 * The box of a name `size` large beside the curve: just above it (else just below it, `gap` away), its
 * right end at one of the curve's points, from the curve's right end leftwards, at the first place
 * within `area` that no other curve crosses and no other name covers. Where there is none clear, the
 * first within the area; none where the name does not fit beside the curve at all.
 */
export function labelBeside(
    curve: Curve,
    size: { width: number; height: number },
    area: Box,
    others: { curves: readonly Curve[]; labels: readonly Box[] },
    gap = 3,
): Box | undefined {
    let fallback: Box | undefined;
    for (let index = curve.length - 1; index >= 0; index -= 1) {
        const [x] = curve[index] ?? [NaN];
        const right = Math.max(area.left + gap + size.width, Math.min(x, area.left + area.width - gap));
        const left = right - size.width;
        const own = curveSpan(curve, left, right);
        if (!own) continue;
        for (const top of [own.low - gap - size.height, own.high + gap]) {
            const box = { left, top, width: size.width, height: size.height };
            if (!inside(box, area)) continue;
            fallback ??= box;
            if (!others.curves.some((other) => crosses(box, other)) && !others.labels.some((label) => overlaps(box, label)))
                return box;
        }
    }
    return fallback;
}
