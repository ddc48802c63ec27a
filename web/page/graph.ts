// The Graph panel: the greeting before the first run, then the chart of the run with its kinds,
// kept runs, readout and saving.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import type { Tarnis } from "./model";
import { download, textFile } from "./saving";

export class GraphPanel {
    readonly element: HTMLElement;
    private readonly greeting: HTMLElement;
    private readonly saveData: HTMLButtonElement;

    constructor(private readonly tarnis: Tarnis) {
        const texts = tarnis.module.mainWindowTexts();
        this.greeting = el(
            "div",
            { class: "greeting" },
            el("p", { class: "headline" }, texts.greetingHeadline),
            el("p", {}, texts.greetingInstructions),
        );
        this.saveData = el("button", { type: "button", disabled: true }, "Save data (CSV)");
        this.saveData.addEventListener("click", () =>
            download(texts.dataFileName, textFile(this.tarnis.graphicDataText(), "text/csv")),
        );
        this.element = el(
            "section",
            { class: "panel graph", "aria-labelledby": "graph-heading" },
            el("h2", { id: "graph-heading" }, "Graph"),
            this.greeting,
            el("div", { class: "buttons" }, this.saveData),
        );
    }

    showRun(): void {
        this.greeting.hidden = true;
        this.saveData.disabled = false;
    }

    putAway(): void {}
}
