// The Data panel: the five parameter boxes with the desktop's captions and rules, a slider beside each,
// the result box, Run and the three presets. What Enter accepts, what a preset writes, why a text was
// replaced or a run refused, and the result's caption and text all come from the model. A slider runs
// at the next frame: however many moves come in between, one run of the boxes' latest texts.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import { translate } from "./language";
import { Boxes, type ParameterBox, type RunOutcome, type RunTexts, type Tarnis } from "./tarnis";
import { Slider } from "./slider";

/** What started a run: Run, a slider, a click on the dynamics' pictures, or a set-up from a link or file. */
export type RunCause = "run" | "slider" | "choice" | "setup";

export interface DataPanelEvents {
    /** A run went through: the store holds it. */
    ran(outcome: RunOutcome, cause: RunCause): void;
    /** A box changed: the result is emptied and the chart put away, as on the desktop. */
    cleared(): void;
}

interface BoxField {
    input: HTMLInputElement;
    slider: Slider;
    note: HTMLElement; // why Enter replaced the text, or why a run was refused
    edited: boolean; // typed into since the last confirmation
}

export class DataPanel {
    readonly element: HTMLElement;
    private readonly fields = new Map<ParameterBox, BoxField>();
    private readonly resultLabel: HTMLLabelElement;
    private readonly result: HTMLOutputElement;
    private readonly runButton: HTMLButtonElement;
    private readonly outcomeNote: HTMLElement;
    private slidRun?: number; // the frame that runs what the sliders wrote
    private ranTexts?: RunTexts; // the texts of the run on show, as a set-up keeps them

    constructor(
        private readonly tarnis: Tarnis,
        private readonly events: DataPanelEvents,
    ) {
        const texts = tarnis.module.mainWindowTexts();
        this.resultLabel = el("label", { for: "result" }, texts.resultCaption);
        this.result = el("output", { id: "result", class: "result" }, texts.resultPlaceholder);
        const run = tarnis.module.runButton();
        this.runButton = el("button", { type: "button", class: "primary", title: run.toolTip }, run.caption);
        this.runButton.addEventListener("click", () => this.run("run"));
        this.outcomeNote = el("p", { class: "note", "aria-live": "polite" });
        // The presets' buttons with the desktop's captions and tool tips, from the model.
        const presetButtons = Array.from({ length: tarnis.module.PresetCount }, (_, preset) => {
            const { caption, toolTip } = tarnis.module.presetButton(preset, tarnis.separator);
            const button = el("button", { type: "button", title: toolTip }, caption);
            button.addEventListener("click", () => this.applyPreset(preset));
            return button;
        });
        const form = el(
            "form",
            { class: "boxes" },
            ...Boxes.map(({ box }) => this.boxRow(box)),
            el("div", { class: "field result-field" }, this.resultLabel, this.result),
            el("div", { class: "buttons" }, this.runButton, ...presetButtons),
            this.outcomeNote,
        );
        // Enter in a box confirms it; nothing is ever submitted.
        form.addEventListener("submit", (event) => event.preventDefault());
        this.element = el(
            "section",
            { class: "panel data", "aria-labelledby": "data-heading" },
            el("h2", { id: "data-heading" }, translate("Data")),
            form,
        );
    }

    private boxRow(box: ParameterBox): HTMLElement {
        const id = `box-${box}`;
        const input = el("input", {
            id,
            type: "text",
            inputmode: "decimal",
            autocomplete: "off",
            spellcheck: "false",
            enterkeyhint: "done",
            "aria-describedby": `${id}-note`,
            class: box === "tlag" ? "lag" : undefined,
        });
        input.value = this.tarnis.defaultText(box);
        const note = el("p", { id: `${id}-note`, class: "note", "aria-live": "polite" });
        const slider = new Slider(this.tarnis, box, `${id}-caption`);
        slider.follow(input.value);
        const field: BoxField = { input, slider, note, edited: false };
        this.fields.set(box, field);
        input.addEventListener("input", () => {
            field.edited = true;
            note.textContent = "";
            slider.follow(input.value);
            this.boxChanged(box);
        });
        slider.input.addEventListener("input", () => this.slid(box));
        input.addEventListener("keydown", (event) => {
            if (event.key !== "Enter") return;
            event.preventDefault();
            this.confirm(box, true);
        });
        // Leaving an edited box that switched Run off confirms it as Enter would: a phone's number pad
        // may have no Enter key, and Run would stay off. K leaves Run on, and Run judges it as it is.
        input.addEventListener("change", () => {
            if (field.edited && this.tarnis.module.changeDisablesRun(box)) this.confirm(box, false);
        });
        return el(
            "div",
            { class: "field" },
            el("label", { for: id, id: `${id}-caption` }, this.tarnis.module.boxCaption(box)),
            input,
            slider.input,
            note,
        );
    }

    private field(box: ParameterBox): BoxField {
        const field = this.fields.get(box);
        if (!field) throw new Error(`no box ${box}`);
        return field;
    }

    /** Every change of a box's text, typed or written by the page, as the desktop's boxes react to it. */
    private boxChanged(box: ParameterBox): void {
        this.clearResult();
        if (this.tarnis.module.changeDisablesRun(box)) this.runButton.disabled = true;
    }

    /** Writes a box's text as the page does (a preset, a slider, a click on a plot): the slider follows. */
    private write(box: ParameterBox, text: string): void {
        const field = this.field(box);
        field.input.value = text;
        field.edited = false;
        field.note.textContent = "";
        field.slider.follow(text);
    }

    // The slider's text in its box, and one run at the next frame for all the moves until then, so
    // that a drag never queues runs of places the slider has left.
    private slid(box: ParameterBox): void {
        this.write(box, this.field(box).slider.text());
        this.slidRun ??= requestAnimationFrame(() => {
            this.slidRun = undefined;
            this.run("slider");
        });
    }

    /** A click on the dynamics' pictures: its r and lag in the boxes, and their run; false when the
     * run was refused (another box holds what the model cannot take). */
    choose(r: number | undefined, lag: number | undefined): boolean {
        if (r !== undefined) this.write("rrate", this.tarnis.numberText(r));
        if (lag !== undefined) this.write("tlag", this.tarnis.numberText(lag));
        return this.run("choice");
    }

    private confirm(box: ParameterBox, byEnter: boolean): void {
        const field = this.field(box);
        field.edited = false;
        const result = this.tarnis.confirmEntry(box, field.input.value);
        if (result.replacement !== undefined) {
            field.input.value = result.replacement;
            this.boxChanged(box);
        }
        field.slider.follow(field.input.value);
        field.note.textContent = result.note ?? "";
        if (!result.enablesRun) return;
        this.runButton.disabled = false;
        // As on the desktop, Enter hands the focus to Run, so that a second Enter runs.
        if (byEnter) this.runButton.focus();
    }

    /** Writes a set-up's texts (in the reader's notation) into the boxes, as a preset writes its own. */
    showTexts(texts: RunTexts): void {
        for (const { box, key } of Boxes) {
            this.write(box, texts[key]);
            this.boxChanged(box);
        }
        this.runButton.disabled = false;
    }

    /** The texts of the run on show; none before the first run. */
    runOnShow(): RunTexts | undefined {
        return this.ranTexts;
    }

    private applyPreset(preset: number): void {
        for (const { box, text } of this.tarnis.presetTexts(preset)) {
            this.write(box, text);
            this.boxChanged(box);
        }
        this.runButton.disabled = false;
    }

    texts(): RunTexts {
        const texts: RunTexts = { r: "", K: "", steps: "", n0: "", lag: "" };
        for (const { box, key } of Boxes) texts[key] = this.field(box).input.value;
        return texts;
    }

    /** Runs the boxes' texts; false when the model refused them. Run hands the focus on, a slider or a plot keeps it. */
    run(cause: RunCause): boolean {
        this.outcomeNote.textContent = "";
        const texts = this.texts();
        const result = this.tarnis.run(texts);
        if (result.refused) {
            // Nothing changes but the words beside the box to correct, which takes the focus.
            const field = this.field(result.refusal.box);
            field.note.textContent = result.refusal.message;
            if (cause === "run") field.input.focus();
            return false;
        }
        const { outcome } = result;
        this.ranTexts = texts;
        for (const field of this.fields.values()) field.note.textContent = "";
        this.resultLabel.textContent = this.tarnis.module.resultCaptionAt(outcome.lastStep);
        this.result.value = outcome.resultText;
        this.runButton.disabled = true;
        // Run is off now: the focus goes to the first box, where Enter confirms and hands it back.
        if (cause === "run") this.field("rrate").input.focus();
        if (outcome.exit) this.outcomeNote.textContent = outcome.exit.message;
        this.events.ran(outcome, cause);
        return true;
    }

    private clearResult(): void {
        this.result.value = "";
        this.outcomeNote.textContent = "";
        this.events.cleared();
    }
}
