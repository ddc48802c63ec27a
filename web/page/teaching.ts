// The teaching texts, reachable from the page: the introduction, the further remarks, the references
// and the quiz picture, each in a dialog of its own, with the model's words.
// SPDX-License-Identifier: GPL-3.0-or-later
// Inlined in every build, so that opening the quiz fetches nothing.
import quizPicture from "../../resources/pictures/quiz.png?inline";
import { infoDialog } from "./dialogs";
import { el } from "./dom";
import { translate } from "./language";
import type { Tarnis } from "./tarnis";

/** The teaching section: its buttons, and the dialogs they open (placed at the end of the body). */
export function teachingSection(tarnis: Tarnis): { section: HTMLElement; dialogs: HTMLDialogElement[] } {
    const texts = tarnis.module.teachingTexts();
    const references = infoDialog(texts.references.title, [
        el("ul", { class: "references" }, ...texts.references.citations.map((citation) => el("li", {}, citation))),
    ]);
    // The introduction leads on to the references, as its screen does.
    const toReferences = el("button", { type: "button" }, texts.references.title);
    const introduction = infoDialog(
        texts.introduction.title,
        [el("h3", {}, texts.introduction.heading), el("p", {}, texts.introduction.text)],
        [toReferences],
    );
    toReferences.addEventListener("click", () => {
        introduction.dialog.close();
        references.dialog.showModal();
    });
    const remarks = infoDialog(texts.furtherRemarks.title, [el("p", {}, texts.furtherRemarks.text)]);
    const quiz = infoDialog(texts.quiz.title, [
        el(
            "figure",
            { class: "quiz" },
            el("img", {
                src: quizPicture,
                alt: `${texts.quiz.pictureName}: ${texts.quiz.pictureDescription}`,
                width: 499,
                height: 306,
            }),
        ),
    ]);
    const section = el(
        "nav",
        { class: "panel teaching", "aria-labelledby": "teaching-heading" },
        el("h2", { id: "teaching-heading" }, translate("Learn more")),
        el(
            "div",
            { class: "buttons" },
            introduction.opener(texts.introduction.title),
            remarks.opener(texts.furtherRemarks.title),
            references.opener(texts.references.title),
            quiz.opener(texts.quiz.title),
        ),
    );
    return { section, dialogs: [introduction.dialog, remarks.dialog, references.dialog, quiz.dialog] };
}
