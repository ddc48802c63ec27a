// An address as a QR code, drawn in vectors: one path of the dark modules on a white square with the
// quiet zone of four modules that readers need, so that a printed worksheet's code is sharp at any size
// and a phone's camera opens the same activity. The code itself is made by qrcode-generator.
// SPDX-License-Identifier: GPL-3.0-or-later
import qrcode from "qrcode-generator";

const QuietModules = 4;
const SvgSpace = "http://www.w3.org/2000/svg";

/** The dark modules as one path in module units (the quiet zone included), and the code's side. */
export function qrModules(text: string): { side: number; path: string } {
    // Level M: a code that survives a fold or a smudge on paper, still small for an address of a set-up.
    const code = qrcode(0, "M");
    code.addData(text, "Byte");
    code.make();
    const count = code.getModuleCount();
    const parts: string[] = [];
    for (let row = 0; row < count; row += 1)
        for (let column = 0; column < count; column += 1)
            if (code.isDark(row, column)) parts.push(`M${column + QuietModules} ${row + QuietModules}h1v1h-1z`);
    return { side: count + 2 * QuietModules, path: parts.join("") };
}

/** The QR code of the text as an SVG element, named for screen readers by `name`. */
export function qrPicture(text: string, name: string): SVGSVGElement {
    const { side, path } = qrModules(text);
    const make = <K extends keyof SVGElementTagNameMap>(tag: K, attributes: Record<string, string>) => {
        const element = document.createElementNS(SvgSpace, tag);
        for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
        return element;
    };
    const svg = make("svg", { viewBox: `0 0 ${side} ${side}`, role: "img", "aria-label": name, class: "qr-code" });
    svg.append(
        make("rect", { width: String(side), height: String(side), fill: "#ffffff" }),
        make("path", { d: path, fill: "#000000", "shape-rendering": "crispEdges" }),
    );
    return svg;
}
