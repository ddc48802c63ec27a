// The page: loads the model, builds the panels and wires them together. The Data panel runs the
// model; the Graph panel draws what the run left in the session; the teaching texts and the page's
// own information open in dialogs.
// SPDX-License-Identifier: GPL-3.0-or-later
import "uplot/dist/uPlot.min.css";
import "./styles.css";

import icon from "../../resources/pictures/icon-small.svg?inline";
import { pageFooter, pageHeader } from "./about";
import { byId, el } from "./dom";
import { DynamicsPanel } from "./dynamics_panel";
import { GraphPanel } from "./graph_panel";
import { Tarnis } from "./tarnis";
import { DataPanel } from "./data_panel";
import { teachingSection } from "./teaching";

async function start(root: HTMLElement): Promise<void> {
    const tarnis = await Tarnis.load(navigator.language);
    const graph = new GraphPanel(tarnis);
    let data: DataPanel | undefined = undefined;
    const dynamics = new DynamicsPanel(tarnis, { chosen: (r, lag) => data?.choose(r, lag) ?? false });
    data = new DataPanel(tarnis, {
        ran: (outcome, cause) => {
            graph.showRun(cause === "slider");
            dynamics.follow(outcome.parameters);
        },
        cleared: () => graph.putAway(),
    });
    const teaching = teachingSection(tarnis);
    const about = pageFooter(tarnis, new Date().getFullYear());
    root.replaceChildren(
        pageHeader(tarnis),
        el("main", { class: "layout" }, data.element, graph.element, dynamics.element),
        teaching.section,
        about.footer,
        ...teaching.dialogs,
        about.dialog,
    );
    root.dataset.ready = "true";
}

document.head.append(el("link", { rel: "icon", type: "image/svg+xml", href: icon }));
const root = byId<HTMLElement>(document, "app");
start(root).catch((error: unknown) => {
    root.replaceChildren(
        el("p", { class: "failure", role: "alert" }, `Tarnis could not start in this browser: ${String(error)}`),
    );
    throw error;
});
