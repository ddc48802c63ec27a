// The Activities panel: a guided activity worked through step by step. The list picks the activity;
// the step shows its heading, set-up, what to look at and the question; "Apply this set-up" shows the
// step's set-up as a link's is shown and runs it; a number typed as the answer is checked by the model,
// whose words the panel announces; "Previous step" and "Next step" move on; "Print worksheet…" prints
// the activity for paper, and "Teacher's key" opens every answer in a dialog that prints it. Every word
// comes from the model and is shown as text. The panel owns which activity and step are open; the
// set-up on show names them.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ActivityInfo, ActivityWords, Setup } from "tarnis-module";
import { keySections, printedKey, worksheet } from "./activity_sheets";
import { infoDialog } from "./dialogs";
import { el } from "./dom";
import { translate } from "./language";
import { printSheet } from "./print_sheet";
import type { Tarnis } from "./tarnis";

export interface ActivityPanelEvents {
    /** "Apply this set-up": the step's set-up, to show as a link's is shown, and to run. */
    apply(setup: Setup): void;
    /** Another activity or step is open (or none): the set-up on show names it. */
    changed(): void;
}

export interface OpenActivity {
    activity: string;
    step: number; // from 1
}

function button(caption: string, action: () => void): HTMLButtonElement {
    const made = el("button", { type: "button" }, caption);
    made.addEventListener("click", action);
    return made;
}

export class ActivityPanel {
    readonly element: HTMLElement;
    readonly keyDialog: HTMLDialogElement;
    private readonly words: ActivityWords;
    private readonly activities: ActivityInfo[];
    private readonly list: HTMLSelectElement;
    private readonly body: HTMLElement;
    private readonly aim = el("p", { class: "aim" });
    private readonly heading = el("h3", { tabindex: "-1" });
    private readonly setupLine = el("p", { class: "setup-line" });
    private readonly look = el("p");
    private readonly question = el("p", { class: "question" });
    private readonly answerForm: HTMLFormElement;
    private readonly answerLabel = el("label", { for: "activity-answer" });
    private readonly answer: HTMLInputElement;
    private readonly inWords = el("p", { class: "note" });
    private readonly status = el("p", { class: "check-words", role: "status" });
    private readonly previous: HTMLButtonElement;
    private readonly next: HTMLButtonElement;
    private opened?: OpenActivity;

    constructor(
        private readonly tarnis: Tarnis,
        private readonly events: ActivityPanelEvents,
    ) {
        const words = tarnis.module.activityWords();
        this.words = words;
        this.activities = tarnis.module.activities();
        this.list = el(
            "select",
            { id: "activity-list", "aria-labelledby": "activities-heading" },
            // The page's panel stands whether or not an activity is open, so its list has a choice of
            // none; the desktop's window is opened for an activity and needs no such word.
            el("option", { value: "" }, translate("No activity")),
            ...this.activities.map((activity) => el("option", { value: activity.id }, activity.title)),
        );
        this.list.addEventListener("change", () => this.choose(this.list.value));
        this.answer = el("input", {
            id: "activity-answer",
            type: "text",
            inputmode: "decimal",
            autocomplete: "off",
            spellcheck: "false",
            enterkeyhint: "done",
        });
        // Enter in the answer checks it, as Check does; nothing is ever submitted.
        this.answerForm = el(
            "form",
            { class: "answer" },
            this.answerLabel,
            this.answer,
            el("button", { type: "submit" }, words.checkCaption),
        );
        this.answerForm.addEventListener("submit", (event) => {
            event.preventDefault();
            this.check();
        });
        this.previous = button(words.previousCaption, () => this.go(-1));
        this.next = button(words.nextCaption, () => this.go(1));
        this.body = el(
            "div",
            { class: "activity-body", hidden: true },
            el("div", { class: "activity-step" }, this.aim, this.heading, this.setupLine, this.look, this.question),
            el(
                "div",
                { class: "activity-work" },
                el("div", { class: "buttons" }, button(words.applyCaption, () => this.apply())),
                this.answerForm,
                this.inWords,
                this.status,
                el(
                    "div",
                    { class: "buttons" },
                    this.previous,
                    this.next,
                    button(words.worksheetCaption, () => this.printWorksheet()),
                ),
            ),
        );
        const key = this.keyOpener();
        this.keyDialog = key.dialog;
        this.element = el(
            "section",
            { class: "panel activities", "aria-labelledby": "activities-heading" },
            el("h2", { id: "activities-heading" }, words.panelTitle),
            this.list,
            this.body,
            el("div", { class: "buttons" }, key.opener),
        );
    }

    /** The activity and step open; none while no activity is. */
    current(): OpenActivity | undefined {
        return this.opened;
    }

    /** Opens the activity at the step (none, or one the model has not: no activity), as a set-up says. */
    show(activity: string | undefined, step: number | undefined): void {
        const info = this.activities.find((each) => each.id === activity);
        this.opened = info && step !== undefined && step >= 1 && step <= info.stepCount ? { activity: info.id, step } : undefined;
        this.showStep();
    }

    private info(): ActivityInfo | undefined {
        return this.activities.find((each) => each.id === this.opened?.activity);
    }

    private showStep(): void {
        const info = this.info();
        const opened = this.opened;
        this.list.value = opened?.activity ?? "";
        this.body.hidden = !info || !opened;
        if (!info || !opened) return;
        const { module, separator } = this.tarnis;
        const texts = module.activityStepWords(info.id, opened.step, separator);
        this.aim.textContent = info.aim;
        this.heading.textContent = texts.heading;
        this.setupLine.textContent = texts.setupLine;
        this.look.textContent = texts.look;
        this.question.textContent = texts.question;
        this.answerLabel.textContent = texts.answerLabel;
        this.answerForm.hidden = texts.answerLabel === "";
        this.answer.value = "";
        // A question answered in words is not checked: the model says so, where the answer field would be.
        this.inWords.textContent =
            texts.answerLabel === "" ? module.checkActivityAnswer(info.id, opened.step, "", separator).words : "";
        this.status.textContent = "";
        this.previous.disabled = opened.step <= 1;
        this.next.disabled = opened.step >= info.stepCount;
    }

    private choose(activity: string): void {
        this.show(activity, 1);
        this.events.changed();
    }

    private go(by: number): void {
        const opened = this.opened;
        if (!opened) return;
        this.show(opened.activity, opened.step + by);
        this.events.changed();
        // At the first or last step the button pressed is off: the focus goes to the step's heading,
        // which a screen reader reads, rather than to the page's start.
        if ((by < 0 ? this.previous : this.next).disabled) this.heading.focus();
    }

    private apply(): void {
        const opened = this.opened;
        if (opened) this.events.apply(this.tarnis.module.activityStepSetup(opened.activity, opened.step));
    }

    private check(): void {
        const opened = this.opened;
        if (!opened) return;
        const { module, separator } = this.tarnis;
        this.status.textContent = module.checkActivityAnswer(opened.activity, opened.step, this.answer.value, separator).words;
    }

    private printWorksheet(): void {
        const info = this.info();
        if (info) printSheet("worksheet", [worksheet(this.tarnis, info)]);
    }

    // The key is computed when first asked for: every step's answer runs its model.
    private keyOpener(): { dialog: HTMLDialogElement; opener: HTMLButtonElement } {
        const sections = el("div", { class: "key-sections" });
        const print = button(this.words.printKeyCaption, () => printSheet("key", [printedKey(this.tarnis)]));
        const { dialog } = infoDialog(this.words.keyTitle, [sections], [print]);
        const opener = el("button", { type: "button", "aria-haspopup": "dialog" }, this.words.keyCaption);
        opener.addEventListener("click", () => {
            if (!sections.hasChildNodes()) sections.append(...keySections(this.tarnis, 3));
            dialog.showModal();
        });
        return { dialog, opener };
    }
}
