// A native modal dialog with a heading that names it and a button that closes it, for the teaching
// texts and the page's own information. The browser keeps the focus inside while it is open, Escape
// closes it, and the focus goes back to the button that opened it.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el, uniqueId } from "./dom";
import { translate } from "./language";

export interface InfoDialog {
    dialog: HTMLDialogElement;
    /** A button that opens the dialog, with the given caption. */
    opener(caption: string): HTMLButtonElement;
}

export function infoDialog(title: string, content: Node[], extraButtons: HTMLButtonElement[] = []): InfoDialog {
    const headingId = uniqueId("dialog-heading");
    const close = el("button", { type: "button", class: "primary" }, translate("OK"));
    const dialog = el(
        "dialog",
        { "aria-labelledby": headingId, class: "info" },
        el("h2", { id: headingId }, title),
        el("div", { class: "dialog-body" }, ...content),
        el("div", { class: "buttons" }, ...extraButtons, close),
    );
    close.addEventListener("click", () => dialog.close());
    // A click on the backdrop, outside the dialog's box, closes it as the desktop's reference list does.
    dialog.addEventListener("click", (event) => {
        if (event.target === dialog) dialog.close();
    });
    return {
        dialog,
        opener(caption: string) {
            const button = el("button", { type: "button", "aria-haspopup": "dialog" }, caption);
            button.addEventListener("click", () => dialog.showModal());
            return button;
        },
    };
}
