// The model, as the page uses it: the WebAssembly module of Tarnis with one session (the result store
// of the last run and the kept runs) and the reader's decimal separator. Every number, rounding, rule
// and sentence on the page comes through here from the C++ that the desktop runs; nothing here
// computes or words anything of its own.
// SPDX-License-Identifier: GPL-3.0-or-later
import { chosenLanguage, speakLanguage } from "./language";
import { loadModule } from "./module_binary";
import type {
    ChartData,
    ChartKindName,
    ChartPoint,
    EnterResult,
    KeptRun,
    ParameterBox,
    RunResult,
    RunTexts,
    RunValues,
    Separator,
    Session,
    TarnisModule,
} from "tarnis-module";

export type { EnterResult, KeptRun, ParameterBox, RunOutcome, RunResult, RunTexts, RunValues } from "tarnis-module";

/** The boxes in the order of the form, each with the key of its text in RunTexts. */
export const Boxes: ReadonlyArray<{ box: ParameterBox; key: keyof RunTexts }> = [
    { box: "rrate", key: "r" },
    { box: "n0", key: "n0" },
    { box: "Kvalue", key: "K" },
    { box: "tlag", key: "lag" },
    { box: "simut", key: "steps" },
];

/** The decimal point of a language, as the browser writes numbers in it. */
export function decimalPointOf(language: string): string {
    const parts = new Intl.NumberFormat(language).formatToParts(1.5);
    return parts.find((part) => part.type === "decimal")?.value ?? ".";
}

export class Tarnis {
    readonly module: TarnisModule;
    readonly separator: Separator;
    private readonly session: Session;

    private constructor(module: TarnisModule, language: string) {
        this.module = module;
        this.separator = module.decimalSeparatorFor(decimalPointOf(language));
        this.session = new module.Session();
    }

    /**
     * The module, made once for the page, speaking the language a link names (`fragment`, the set-up's
     * address), the reader chose or the browser asks for; numbers as the browser writes them, or as the
     * chosen language writes them where the reader chose another than the browser's.
     */
    static async load(fragment: string, browserLanguages: readonly string[]): Promise<Tarnis> {
        const module = await loadModule();
        const linked = fragment ? (module.readSetupFragment(fragment).setup.language ?? "") : "";
        const spoken = speakLanguage(module, linked, browserLanguages);
        const browser = browserLanguages[0] ?? "en";
        const sameLanguage = spoken.split("-")[0] === browser.split("-")[0].toLowerCase();
        return new Tarnis(module, sameLanguage || !chosenLanguage() ? browser : spoken);
    }

    defaultText(box: ParameterBox): string {
        return this.module.defaultText(box, this.separator);
    }

    confirmEntry(box: ParameterBox, text: string): EnterResult {
        return this.module.confirmEntry(box, text, this.separator);
    }

    presetTexts(preset: number): Array<{ box: ParameterBox; text: string }> {
        return this.module.presetTexts(preset, this.separator);
    }

    /** Reads the texts by the boxes' rules and runs; a refusal leaves the last run as it was. */
    run(texts: RunTexts): RunResult {
        return this.session.runTexts(texts, this.separator);
    }

    hasRun(): boolean {
        return this.session.hasRun();
    }

    values(): RunValues {
        return this.session.values();
    }

    /** The text of the saved file, byte for byte as "S" writes it. */
    graphicDataText(): string {
        return this.session.graphicDataText();
    }

    keep(): boolean {
        return this.session.keep();
    }

    forgetKept(): void {
        this.session.forgetKept();
    }

    keptRuns(): KeptRun[] {
        return this.session.keptRuns(this.separator);
    }

    /** The chart of the kind; `compared`: with the run's continuous-time twin where the kind plots N over t. */
    chart(kind: ChartKindName, logarithmicY: boolean, compared = false): ChartData {
        return this.session.chart(kind, logarithmicY, this.separator, compared);
    }

    chartReadout(kind: ChartKindName, point: ChartPoint): string[] {
        return this.session.chartReadout(kind, point, this.separator);
    }

    chartDescription(
        kind: ChartKindName,
        view: { xMin: number; xMax: number; yMin: number; yMax: number; logarithmicY: boolean },
        mark: ChartPoint | null,
    ): string {
        return this.session.chartDescription(kind, view, mark, this.separator);
    }

    /** "Copy data": the chart's rows as the desktop copies them, with the twin's column where `compared`. */
    chartDataText(kind: ChartKindName, logarithmicY: boolean, compared = false): string {
        return this.session.chartDataText(kind, logarithmicY, this.separator, compared);
    }

    numberText(value: number, significantDigits?: number): string {
        return significantDigits === undefined
            ? this.module.numberToText(value, this.separator)
            : this.module.numberToText(value, this.separator, significantDigits);
    }
}
