// Handing a set-up on: "Copy link to this set-up" (the address with its fragment on the clipboard, or
// selected in a box where the browser keeps the clipboard closed), "Save set-up…" and "Open set-up…"
// (a .tarnis file), and "Save this page with this set-up" (the single file with the set-up built in;
// not offered by the page served as a folder).
// Captions, tool tips, file names and what the model says of a file all come from the model; what a
// link or file said is shown as text only, in a status line that screen readers announce.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ReadSetup, Setup } from "tarnis-module";
import { el } from "./dom";
import { translate } from "./language";
import type { PageCopy } from "./page_copy";
import { copyText, download, textFile } from "./saving";
import type { Tarnis } from "./tarnis";

// Only the page has a clipboard that a browser may keep closed, and a link to select instead.
const LinkCopied = () => translate("The link to this set-up is on the clipboard.");
const LinkSelected = () =>
    translate(
        "The browser did not let the page use the clipboard: the link is selected in the box below; copy it with Ctrl+C (⌘C on a Mac).",
    );
const LinkCaption = () => translate("Link to this set-up");

export interface SetupBarEvents {
    /** The set-up on show; none before the first run. */
    setup(): Setup | undefined;
    /** An accepted set-up file, to show as a link's set-up is shown. */
    opened(read: ReadSetup): void;
}

/** The address of this page with the fragment in place of any it has. */
export function linkTo(fragment: string): string {
    const address = new URL(location.href);
    address.hash = fragment;
    return address.href;
}

export class SetupBar {
    readonly element: HTMLElement;
    private readonly link: HTMLInputElement;
    private readonly linkRow: HTMLElement;
    private readonly status: HTMLElement;
    private readonly needRun: HTMLButtonElement[];

    constructor(
        private readonly tarnis: Tarnis,
        private readonly page: PageCopy,
        private readonly events: SetupBarEvents,
    ) {
        const words = tarnis.module.setupMenuWords();
        const button = (command: { caption: string; toolTip: string }, action: () => void, disabled: boolean) => {
            const made = el("button", { type: "button", title: command.toolTip, disabled }, command.caption);
            made.addEventListener("click", action);
            return made;
        };
        const file = el("input", { type: "file", accept: `${words.fileSuffix},application/json`, hidden: true });
        file.addEventListener("change", () => void this.open(file));
        this.needRun = [
            button(words.copyLink, () => void this.copyLink(), true),
            button(words.saveFile, () => this.saveFile(words.fileName), true),
        ];
        const [copy, save] = this.needRun;
        // Only the single file is a page whole in itself; served as a folder, its scripts lie beside it
        // and the page would have to fetch them, which it never does after loading.
        const savePage = page.isWhole() ? button(words.savePage, () => this.savePage(words.pageFileName), true) : undefined;
        if (savePage) this.needRun.push(savePage);
        const open = button(words.openFile, () => file.click(), false);
        this.link = el("input", { id: "setup-link", type: "text", readonly: true, spellcheck: "false" });
        this.linkRow = el("div", { class: "field", hidden: true }, el("label", { for: "setup-link" }, LinkCaption()), this.link);
        this.status = el("div", { class: "note", role: "status" });
        this.element = el(
            "div",
            { class: "setup", role: "group", "aria-label": translate("This set-up") },
            el("div", { class: "buttons" }, copy, save, open, savePage, file),
            this.linkRow,
            this.status,
        );
    }

    /** The commands that hand the set-up on need a run on show. */
    enable(on: boolean): void {
        for (const each of this.needRun) each.disabled = !on;
    }

    /** Says what became of a set-up, a line per sentence, as text. */
    say(lines: string[]): void {
        this.status.replaceChildren(...lines.map((line) => el("p", {}, line)));
    }

    private fragment(): string | undefined {
        const setup = this.events.setup();
        return setup && this.tarnis.module.setupFragment(setup);
    }

    private async copyLink(): Promise<void> {
        const fragment = this.fragment();
        if (fragment === undefined) return;
        const link = linkTo(fragment);
        this.link.value = link;
        this.linkRow.hidden = false;
        if (await copyText(link)) {
            this.say([LinkCopied()]);
            return;
        }
        this.link.focus();
        this.link.select();
        this.say([LinkSelected()]);
    }

    private saveFile(name: string): void {
        const setup = this.events.setup();
        if (setup) download(name, textFile(this.tarnis.module.setupFileText(setup), "application/json"));
    }

    private async open(input: HTMLInputElement): Promise<void> {
        const file = input.files?.[0];
        input.value = ""; // the same file may be opened again
        if (!file) return;
        // A file beyond the model's bound is read only as far as the model needs to refuse it.
        const text = await file.slice(0, (1 << 20) + 1).text();
        const read = this.tarnis.module.readSetupFile(text);
        if ("refusal" in read) this.say([read.refusal]);
        else this.events.opened(read);
    }

    private savePage(name: string): void {
        const fragment = this.fragment();
        if (fragment === undefined) return;
        download(name, textFile(this.page.withSetup(fragment), "text/html"));
    }
}
