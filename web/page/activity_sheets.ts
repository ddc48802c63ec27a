// The printed sheets of the activities. The worksheet of an activity: its title and aim, the address
// that opens its first step (as text and as a QR code), and for each step its heading, set-up, what to
// look at and the question, the chart of its run in vectors and ruled room to write the answer. The
// teacher's key: each activity's title and each step's question with the model's answer, for the
// dialog on screen and for paper alike. Every word is the model's, shown as text.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ActivityInfo, ActivityWords } from "tarnis-module";
import { el, uniqueId } from "./dom";
import { qrPicture } from "./qr_picture";
import { linkTo } from "./setup_bar";
import { setupPicture } from "./setup_picture";
import type { Tarnis } from "./tarnis";

const AnswerLines = 3;

// The picture's own markup, made by chart_svg from escaped texts, as an element of this document.
function svgElement(svg: string): Element {
    const parsed = new DOMParser().parseFromString(svg, "image/svg+xml").documentElement;
    const picture = document.importNode(parsed, true);
    picture.setAttribute("role", "img");
    picture.setAttribute("class", "sheet-chart");
    return picture;
}

function stepPart(tarnis: Tarnis, activity: string, step: number, words: ActivityWords): HTMLElement {
    const { module, separator } = tarnis;
    const texts = module.activityStepWords(activity, step, separator);
    const svg = setupPicture(tarnis, module.activityStepSetup(activity, step), uniqueId("sheet-plot"));
    const rules = Array.from({ length: AnswerLines }, () => el("div", { class: "rule" }));
    return el(
        "section",
        { class: "sheet-step" },
        el("h2", {}, texts.heading),
        el("p", { class: "setup-line" }, texts.setupLine),
        el("p", {}, texts.look),
        el("p", { class: "question" }, texts.question),
        svg !== undefined && svgElement(svg),
        el("div", { class: "answer-room" }, el("p", {}, words.answerRoom), ...rules),
    );
}

/** The worksheet of the activity, one article named by its title. */
export function worksheet(tarnis: Tarnis, activity: ActivityInfo): HTMLElement {
    const { module } = tarnis;
    const words = module.activityWords();
    const address = linkTo(module.activityFragment(activity.id, 1));
    const titleId = uniqueId("worksheet-title");
    const steps = Array.from({ length: activity.stepCount }, (_, index) => stepPart(tarnis, activity.id, index + 1, words));
    return el(
        "article",
        { class: "worksheet", "aria-labelledby": titleId },
        el("h1", { id: titleId }, activity.title),
        el("p", { class: "aim" }, activity.aim),
        el(
            "div",
            { class: "sheet-link" },
            qrPicture(address, `${words.linkLine} ${address}`),
            el("div", {}, el("p", {}, words.linkLine), el("p", { class: "address" }, address)),
        ),
        ...steps,
    );
}

/** The key's sections: each activity's title over its steps' questions and answers. */
export function keySections(tarnis: Tarnis, headingLevel: 2 | 3): HTMLElement[] {
    const title = headingLevel === 2 ? "h2" : "h3";
    const step = headingLevel === 2 ? "h3" : "h4";
    return tarnis.module.teachersKey(tarnis.separator).map((section) =>
        el(
            "section",
            { class: "key-section" },
            el(title, {}, section.title),
            ...section.lines.map((line) =>
                el(
                    "div",
                    { class: "key-line" },
                    el(step, {}, line.heading),
                    el("p", {}, line.question),
                    el("p", { class: "key-answer" }, line.answer),
                ),
            ),
        ),
    );
}

/** The teacher's key on paper: its title over the sections. */
export function printedKey(tarnis: Tarnis): HTMLElement {
    const titleId = uniqueId("key-title");
    return el(
        "article",
        { class: "teachers-key", "aria-labelledby": titleId },
        el("h1", { id: titleId }, tarnis.module.activityWords().keyTitle),
        ...keySections(tarnis, 2),
    );
}
