// Printing one sheet alone: the worksheet or the teacher's key goes into a container of its own,
// which the print style sheet shows in place of the page while the document is marked with the sheet
// being printed. The browser's Print (window.print) is the printer: a test puts its own in its place.
// Once the browser has printed, the mark and the sheet go, and the browser's own Print prints the page
// as ever.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";

export type SheetName = "worksheet" | "key";

let sheet: HTMLElement | undefined;

function clear(): void {
    delete document.documentElement.dataset.printing;
    sheet?.replaceChildren();
}

/** Prints the content alone, in place of the page. */
export function printSheet(name: SheetName, content: Node[]): void {
    if (!sheet) {
        sheet = el("div", { class: "print-sheet" });
        document.body.append(sheet);
        window.addEventListener("afterprint", clear);
    }
    sheet.dataset.sheet = name;
    sheet.replaceChildren(...content);
    document.documentElement.dataset.printing = name;
    window.print();
}
