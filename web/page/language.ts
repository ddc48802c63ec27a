// The page's language: the one a link names, else the one the reader chose here before (kept in the
// page's storage where the browser allows it), else the browser's own. Every text of the page is
// looked up in the model's catalog by its English, as the desktop looks up its own; the model's
// sentences follow the same choice. Choosing another language builds the page anew in it, with the
// set-up on show kept in the address.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { TarnisModule } from "tarnis-module";

const StorageKey = "tarnis-language";

let catalog: TarnisModule | undefined;
// Whether the reader or a link chose the language, rather than the browser: only a choice travels in links.
let chosen = false;

/** The text in the page's language; English until the module is there. */
export function translate(english: string): string {
    return catalog ? catalog.translate(english) : english;
}

/** The same for an English text with two meanings, told apart by its context. */
export function translateIn(context: string, english: string): string {
    return catalog ? catalog.translateIn(context, english) : english;
}

/** The form for a count, its placeholders still to fill. */
export function translatePlural(one: string, many: string, count: number): string {
    return catalog ? catalog.translatePlural(one, many, count) : count === 1 ? one : many;
}

/** A pattern with each {name} filled, by the model's rule. */
export function fill(pattern: string, values: Record<string, string | number>): string {
    if (!catalog) throw new Error("the catalog is not loaded");
    return catalog.fill(pattern, values);
}

/** The language the page speaks, for its workers to speak it too. */
export function spokenLanguage(): string {
    return catalog ? catalog.currentLanguage() : "en";
}

/** The language a link or the reader chose, to carry in links; undefined where the browser's is spoken. */
export function chosenLanguage(): string | undefined {
    return chosen && catalog ? catalog.currentLanguage() : undefined;
}

function stored(): string | null {
    try {
        return localStorage.getItem(StorageKey);
    } catch {
        return null; // a page opened from a file, or storage refused
    }
}

/**
 * Chooses the page's language before any text is made: the link's, the stored choice or the browser's.
 * The module looks up every text from then on, on this thread; each worker is told apart.
 */
export function speakLanguage(module: TarnisModule, linkLanguage: string, browserLanguages: readonly string[]): string {
    catalog = module;
    const choice = linkLanguage || stored();
    chosen = Boolean(choice);
    const code = choice ? module.matchLanguage(choice) : module.matchLanguage(browserLanguages.join(":"));
    module.setLanguage(code);
    document.documentElement.lang = code;
    return code;
}

/** The reader's choice from the menu: kept, and the page built anew in it at the same address. */
export function chooseLanguage(code: string, addressWithLanguage: (code: string) => string | undefined): void {
    try {
        localStorage.setItem(StorageKey, code);
    } catch {
        // Without storage the address alone carries the choice.
    }
    const address = addressWithLanguage(code);
    if (address !== undefined) history.replaceState(history.state, "", address);
    else if (!stored()) history.replaceState(history.state, "", `#lang=${encodeURIComponent(code)}`);
    location.reload();
}

/** The language menu: the catalog's languages, each named in itself. */
export function languageMenu(module: TarnisModule, choose: (code: string) => void): HTMLElement {
    const select = document.createElement("select");
    select.id = "language-menu";
    const current = module.currentLanguage();
    for (const language of module.offeredLanguages()) {
        const option = new Option(language.name, language.code, false, language.code === current);
        option.lang = language.code;
        select.append(option);
    }
    select.addEventListener("change", () => choose(select.value));
    const label = document.createElement("label");
    label.htmlFor = select.id;
    label.textContent = translate("Language");
    const menu = document.createElement("span");
    menu.className = "language-menu";
    menu.append(label, " ", select);
    return menu;
}
