// The set-up on show and the address that holds it. After every drawing of a run (a run, a slider, a
// preset, a kind, the N axis, keeping or forgetting) and every change of the diagram's axis, the
// address's fragment is written anew in place (history.replaceState: a slider's drag makes no trail
// of entries in the history). A link's fragment, a set-up built into a saved page, a pasted fragment
// and an opened file are shown alike: their kept runs run and kept again, oldest first, then their
// run, chart and axes; what the model noted is said once. The guided activity open, and its step,
// belong to the set-up too: a link that names one opens the Activities panel at that step, over the
// link's own set-up; "Apply this set-up" shows a step's set-up by the same path.
// SPDX-License-Identifier: GPL-3.0-or-later
import type { ReadSetup, Setup } from "tarnis-module";
import type { ActivityPanel } from "./activity_panel";
import type { DataPanel } from "./data_panel";
import type { DynamicsPanel } from "./dynamics_panel";
import type { GraphPanel } from "./graph_panel";
import { chosenLanguage } from "./language";
import { PageCopy } from "./page_copy";
import type { SetupBar } from "./setup_bar";
import type { Tarnis } from "./tarnis";

export interface SetupParts {
    data: DataPanel;
    graph: GraphPanel;
    dynamics: DynamicsPanel;
    bar: SetupBar;
    activity: ActivityPanel;
}

export class SetupOnShow {
    private applying = false;

    constructor(
        private readonly tarnis: Tarnis,
        private readonly parts: SetupParts,
    ) {
        window.addEventListener("hashchange", () => this.followAddress());
    }

    /** While a set-up's kept runs are made again, their runs are steps on the way, not runs to show. */
    isApplying(): boolean {
        return this.applying;
    }

    /** At start: the address's set-up, else the one built into a saved page; neither, the greeting. */
    start(): void {
        const fragment = location.hash.length > 1 ? location.hash : PageCopy.builtInFragment(document);
        // An address that names the language alone (chosen before any run) holds no set-up to show.
        if (fragment && !/^#?lang=[^&]*$/.test(fragment)) this.apply(this.tarnis.module.readSetupFragment(fragment), "link");
    }

    current(): Setup | undefined {
        const texts = this.parts.data.runOnShow();
        if (!texts || !this.tarnis.hasRun()) return undefined;
        const { module, separator } = this.tarnis;
        const chart = this.parts.graph.chartOnShow();
        const activity = this.parts.activity.current();
        return {
            run: module.inPointNotation(texts, separator),
            chart: chart.kind,
            logarithmicN: chart.logarithmicN,
            kept: this.tarnis.keptRuns().map((run) => module.runTextsOf(run.parameters)),
            diagramAxis: this.parts.dynamics.diagramAxis(),
            ...(activity && { activity: activity.activity, activityStep: activity.step }),
            ...(chosenLanguage() && { language: chosenLanguage() }),
        };
    }

    /** The address of the set-up on show in another language; undefined before a run. */
    addressIn(language: string): string | undefined {
        const setup = this.current();
        return setup && `#${this.tarnis.module.setupFragment({ ...setup, language })}`;
    }

    /** The set-up on show into the address, in place. */
    remember(): void {
        if (this.applying) return;
        const setup = this.current();
        this.parts.bar.enable(setup !== undefined);
        if (!setup) return;
        const fragment = this.tarnis.module.setupFragment(setup);
        if (location.hash.slice(1) === fragment) return;
        try {
            history.replaceState(history.state, "", `#${fragment}`);
        } catch {
            // A browser that keeps the address of a file as it is: the set-up still travels by Copy link.
        }
    }

    /** Shows a set-up; one from a link or a file says so, an activity's step says nothing. */
    apply(read: ReadSetup, carrier?: "link" | "file"): void {
        const { module, separator } = this.tarnis;
        const { data, graph, dynamics, bar, activity } = this.parts;
        const { setup } = read;
        // First, so that the address written after the run names the set-up's activity (or none).
        activity.show(setup.activity, setup.activityStep);
        this.applying = true;
        try {
            dynamics.showAxis(setup.diagramAxis);
            this.tarnis.forgetKept();
            for (const kept of setup.kept) {
                data.showTexts(module.inLocaleNotation(kept, separator));
                if (data.run("setup")) this.tarnis.keep();
            }
            data.showTexts(module.inLocaleNotation(setup.run, separator));
        } finally {
            this.applying = false;
        }
        if (data.run("setup")) graph.showChart(setup.chart, setup.logarithmicN);
        bar.say([...(carrier ? [module.setupAppliedWords(carrier)] : []), ...read.notes]);
    }

    // A fragment pasted into the address bar (the page's own writes raise no hashchange).
    private followAddress(): void {
        if (location.hash.length <= 1) return;
        const read = this.tarnis.module.readSetupFragment(location.hash);
        // Another language builds the page anew in it, and the address shows the set-up then.
        if (read.setup.language && read.setup.language !== this.tarnis.module.currentLanguage()) location.reload();
        else this.apply(read, "link");
    }
}
