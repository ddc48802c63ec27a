// Who makes Tarnis and under which licence: the page's header and footer lines, and a dialog with the
// notice, the licence statement and the addresses of the home page and the source code. The words
// are the model's, as the windows show them.
// SPDX-License-Identifier: GPL-3.0-or-later
import { infoDialog } from "./dialogs";
import { el } from "./dom";
import { fill, translate } from "./language";
import type { Tarnis } from "./tarnis";

/** The page's title, and beside it what the page offers on every screen (the language menu). */
export function pageHeader(tarnis: Tarnis, ...beside: Node[]): HTMLElement {
    const about = tarnis.module.aboutTarnis();
    return el("header", { class: "page-header" }, el("h1", {}, about.title), ...beside);
}

/** The footer with the title, version and licence, and the dialog that tells more. */
export function pageFooter(tarnis: Tarnis, year: number): { footer: HTMLElement; dialog: HTMLDialogElement } {
    const about = tarnis.module.aboutTarnis();
    const link = (address: string) => el("a", { href: address, rel: "noopener" }, address);
    // An address is shown only where whoever built this copy set one.
    const entry = (term: string, address: string, shown: (address: string) => Node) =>
        address ? [el("dt", {}, term), el("dd", {}, shown(address))] : [];
    const details = infoDialog(`${about.title} ${about.version}`, [
        el("p", {}, tarnis.module.noticeLine(year)),
        el("p", {}, about.rightsLine),
        el("p", {}, about.protectionStatement),
        el("p", {}, about.sourceCodeSentence),
        el(
            "dl",
            {},
            el("dt", {}, translate("Licence")),
            el("dd", {}, about.licence),
            ...entry(translate("Source code"), about.sourceCode, link),
            ...entry(translate("Home page"), about.homePage, link),
            ...entry(translate("Comments"), about.contactEmail, (address) => el("a", { href: `mailto:${address}` }, address)),
        ),
    ]);
    const footer = el(
        "footer",
        { class: "page-footer" },
        el("span", {}, `${about.title} ${about.version} · ${about.licence} · `),
        ...(about.sourceCode ? [el("a", { href: about.sourceCode, rel: "noopener" }, translate("Source code")), " · "] : []),
        details.opener(fill(translate("About {program}"), { program: about.title })),
    );
    return { footer, dialog: details.dialog };
}
