// Who makes Tarnis and under which licence: the page's header and footer lines, and a dialog with the
// notice, the licence statement and the addresses of the home page and the source code. The words
// are the model's, as the windows show them.
// SPDX-License-Identifier: GPL-3.0-or-later
import { infoDialog } from "./dialogs";
import { el } from "./dom";
import type { Tarnis } from "./model";

export function pageHeader(tarnis: Tarnis): HTMLElement {
    const about = tarnis.module.aboutTarnis();
    return el(
        "header",
        { class: "page-header" },
        el("h1", {}, about.title),
    );
}

/** The footer with the title, version and licence, and the dialog that tells more. */
export function pageFooter(tarnis: Tarnis, year: number): { footer: HTMLElement; dialog: HTMLDialogElement } {
    const about = tarnis.module.aboutTarnis();
    const link = (address: string) => el("a", { href: address, rel: "noopener" }, address);
    const details = infoDialog(`${about.title} ${about.version}`, [
        el("p", {}, tarnis.module.noticeLine(year)),
        el("p", {}, about.rightsLine),
        el("p", {}, about.protectionStatement),
        el(
            "dl",
            {},
            el("dt", {}, "Licence"),
            el("dd", {}, about.licence),
            el("dt", {}, "Source code"),
            el("dd", {}, link(about.sourceCode)),
            el("dt", {}, "Home page"),
            el("dd", {}, link(about.homePage)),
            el("dt", {}, "Comments"),
            el("dd", {}, el("a", { href: `mailto:${about.contactEmail}` }, about.contactEmail)),
        ),
    ]);
    const footer = el(
        "footer",
        { class: "page-footer" },
        el("span", {}, `${about.title} ${about.version} · ${about.licence} · `),
        el("a", { href: about.sourceCode, rel: "noopener" }, "Source code"),
        " · ",
        details.opener(`About ${about.title}`),
    );
    return { footer, dialog: details.dialog };
}
