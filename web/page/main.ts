// The page: loads the model, builds the panels and wires them together. The Data panel runs the
// model; the Graph panel draws what the run left in the session; the teaching texts and the page's
// own information open in dialogs. The set-up on show lives in the address; a link's, a saved page's
// or a file's set-up is shown at start or when it comes. The Activities panel guides a class through
// set-ups step by step; the Chance panel runs the last run many times with chance in it.
// SPDX-License-Identifier: GPL-3.0-or-later
import "uplot/dist/uPlot.min.css";
import "./styles.css";

import icon from "../../resources/pictures/icon-small.svg?inline";
import { pageFooter, pageHeader } from "./about";
import { ActivityPanel } from "./activity_panel";
import { ChancePanel } from "./chance_panel";
import { byId, el } from "./dom";
import { DynamicsPanel } from "./dynamics_panel";
import { GraphPanel } from "./graph_panel";
import { chooseLanguage, fill, languageMenu, translate } from "./language";
import { Tarnis } from "./tarnis";
import { DataPanel } from "./data_panel";
import { PageCopy } from "./page_copy";
import { SetupBar } from "./setup_bar";
import { SetupOnShow } from "./setup_on_show";
import { teachingSection } from "./teaching";

async function start(root: HTMLElement, page: PageCopy): Promise<void> {
    const fragment = location.hash.length > 1 ? location.hash : PageCopy.builtInFragment(document);
    const tarnis = await Tarnis.load(fragment ?? "", navigator.languages.length ? navigator.languages : [navigator.language]);
    let setups: SetupOnShow | undefined = undefined;
    const remember = () => setups?.remember();
    const graph = new GraphPanel(tarnis, { drawn: remember });
    const chance = new ChancePanel(tarnis);
    let data: DataPanel | undefined = undefined;
    const dynamics = new DynamicsPanel(tarnis, { chosen: (r, lag) => data?.choose(r, lag) ?? false, axisChanged: remember });
    data = new DataPanel(tarnis, {
        ran: (outcome, cause) => {
            if (setups?.isApplying()) return;
            graph.showRun(cause === "slider");
            dynamics.follow(outcome.parameters);
            chance.follow(outcome.parameters);
        },
        cleared: () => graph.putAway(),
    });
    const bar = new SetupBar(tarnis, page, {
        setup: () => setups?.current(),
        opened: (read) => setups?.apply(read, "file"),
    });
    data.element.append(bar.element);
    const activity = new ActivityPanel(tarnis, {
        apply: (setup) => setups?.apply({ setup, notes: [] }),
        changed: remember,
    });
    setups = new SetupOnShow(tarnis, { data, graph, dynamics, bar, activity });
    const teaching = teachingSection(tarnis);
    const about = pageFooter(tarnis, new Date().getFullYear());
    document.title = tarnis.module.aboutTarnis().title;
    root.replaceChildren(
        pageHeader(
            tarnis,
            languageMenu(tarnis.module, (code) => chooseLanguage(code, (language) => setups?.addressIn(language))),
        ),
        el("main", { class: "layout" }, data.element, graph.element, activity.element, dynamics.element, chance.element),
        teaching.section,
        about.footer,
        ...teaching.dialogs,
        activity.keyDialog,
        about.dialog,
    );
    setups.start();
    root.dataset.ready = "true";
}

// Why the page could not start, in its language where the catalog came before the failure, else in English.
function failureLine(error: unknown): string {
    // TRANSLATORS: {reason} is the browser's own message, in English.
    const pattern = translate("Tarnis could not start in this browser: {reason}");
    try {
        return fill(pattern, { reason: String(error) });
    } catch {
        return `Tarnis could not start in this browser: ${String(error)}`;
    }
}

// Before the page changes anything in its document: the copy that "Save this page" saves.
const page = PageCopy.capture(document);

document.head.append(el("link", { rel: "icon", type: "image/svg+xml", href: icon }));
const root = byId<HTMLElement>(document, "app");
start(root, page).catch((error: unknown) => {
    root.replaceChildren(
        el("p", { class: "failure", role: "alert" }, failureLine(error)),
    );
    throw error;
});
