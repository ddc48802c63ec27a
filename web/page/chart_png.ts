// A chart's picture as PNG: its drawing in vectors (chart_svg.ts) rasterized by the browser at twice
// the pixels, as the desktop saves its PNG pictures.
// SPDX-License-Identifier: GPL-3.0-or-later
import { textFile } from "./saving";

const Scale = 2;

/** The PNG of an SVG drawing; fails where the browser cannot draw it. */
export async function chartPng(svg: string): Promise<Blob> {
    const address = URL.createObjectURL(textFile(svg, "image/svg+xml"));
    try {
        const image = new Image();
        image.src = address;
        await image.decode();
        const canvas = document.createElement("canvas");
        canvas.width = image.naturalWidth * Scale;
        canvas.height = image.naturalHeight * Scale;
        const context = canvas.getContext("2d");
        if (!context) throw new Error("no canvas");
        context.drawImage(image, 0, 0, canvas.width, canvas.height);
        const png = await new Promise<Blob | null>((resolve) => canvas.toBlob(resolve, "image/png"));
        if (!png) throw new Error("no picture");
        return png;
    } finally {
        URL.revokeObjectURL(address);
    }
}
