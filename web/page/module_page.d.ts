// What the module tells the page beyond the run (web/bind_page.cpp, and the note of a replaced entry
// in web/bind_run.cpp): the words of the program, the teaching texts and the names of saved files;
// set-ups that travel by link and by file (web/bind_setup.cpp) and the guided activities, whose steps
// are set-ups (web/bind_activities.cpp).
// SPDX-License-Identifier: GPL-3.0-or-later
import "tarnis-module";

declare module "tarnis-module" {
    interface EnterResult {
        note?: string; // why Enter replaced the text, in words for beside the box
    }

    interface AboutTarnis {
        title: string;
        version: string;
        maker: string;
        // The addresses whoever built this copy set; each empty when not set, and then not shown.
        contactEmail: string;
        homePage: string;
        sourceCode: string; // where the source of this release is, as the licence asks
        sourceCodeSentence: string; // the same in a sentence, or that it comes with the release
        licence: string; // "GPL-3.0-or-later"
        rightsLine: string;
        protectionStatement: string;
        emblemName: string;
        contactBlock: string[];
    }

    interface TeachingTexts {
        introduction: { title: string; heading: string; text: string };
        furtherRemarks: { title: string; text: string };
        references: { title: string; citations: string[] };
        quiz: { title: string; pictureName: string; pictureDescription: string };
    }

    interface MainWindowTexts {
        resultCaption: string; // "Final population size"
        resultPlaceholder: string; // "????"
        greetingHeadline: string;
        greetingInstructions: string;
        dataFileName: string; // what "Save data (CSV)" offers the file as
    }

    /** The chart kinds by the names the desktop's chart routines have. */
    type ChartKindName =
        | "NtvsT"
        | "dNvsT"
        | "LogNvsT"
        | "NtKvsT"
        | "NdNvsT"
        | "dNvsN"
        | "dNvsNinLine"
        | "dNperNvsN"
        | "dNperNvsNinLine"
        | "NtvsNtnext"
        | "NtvsNtnextinLine";

    interface ChartKindInfo {
        kind: ChartKindName;
        title: string; // "Curve of N(t) vs. time"
        listName: string; // the title, with the look where two kinds share a title
        xTitle: string;
        yTitle: string;
        logNApplies: boolean; // whether the logarithmic N axis can be chosen
    }

    /** How a series is drawn, in the desktop's colours ("#rrggbb"). */
    interface SeriesLookInfo {
        look: "line" | "points";
        line: string;
        markerOutline: string;
        markerFill: string;
    }

    interface ChartSeries extends SeriesLookInfo {
        x: Float64Array; // NaN: no value, the point left out and the line broken there
        y: Float64Array;
    }

    interface ChartRun {
        run: number; // 0 the run on show, 1 to 4 the kept runs, oldest first
        name: string; // in full, as the readout and the copied data name it
        legend: string; // its line in the legend: "N(t), dN(t), This run: T=8"
        series: ChartSeries[]; // one or two, as the kind has
    }

    /** The run's continuous-time twin as a chart that compares the two draws it. */
    interface ChartTwin {
        legend: string; // "Continuous time (Hutchinson)"
        series: ChartSeries; // N at t = 0, 1, … as far as the twin goes
        stopWords: string; // why it stops before the last step; "" where it reaches it
        dash: number[]; // the model's dashes, as on the desktop: pixels drawn, pixels left out
    }

    interface ChartData {
        kind: ChartKindName;
        title: string;
        xTitle: string;
        yTitle: string;
        logNApplies: boolean;
        legendShown: boolean; // while there are kept runs, or two series
        runKept: boolean; // the run on show is among the kept runs
        pictureNote: string; // the run's parameters, in a line under a saved picture's title; "" without a run
        keptCount: number;
        runs: ChartRun[]; // the run on show first, then the kept runs
        continuous?: ChartTwin; // asked for, in a kind that plots N over t
    }

    /** A point of a run's series: run 0 is the run on show, series 0 or 1, row the step t. */
    interface ChartPoint {
        run: number;
        series: number;
        row: number;
    }

    /** What the chart shows of its axes, for the words that describe it. */
    interface ChartViewRanges {
        xMin: number;
        xMax: number;
        yMin: number;
        yMax: number;
        logarithmicY: boolean;
    }

    interface Range {
        min: number;
        max: number;
    }

    interface Session {
        /** The chart; `compared`: with the run's continuous-time twin in the kinds that plot N over t. */
        chart(kind: ChartKindName, logarithmicY: boolean, separator: Separator, compared?: boolean): ChartData;
        /** The readout of a point: the run's name, then "x = …", "y = …" and the step's other values. */
        chartReadout(kind: ChartKindName, point: ChartPoint, separator: Separator): string[];
        /** The chart in words for a screen reader, with the marked point's values where there is one. */
        chartDescription(kind: ChartKindName, view: ChartViewRanges, mark: ChartPoint | null, separator: Separator): string;
        /** "Copy data": a header line with the axis titles, then a tab-separated line per point; `compared`:
         * the twin's N in a column of its own after the runs', empty where it stopped early. */
        chartDataText(kind: ChartKindName, logarithmicY: boolean, separator: Separator, compared?: boolean): string;
    }

    /** An axis' range and the distance between its labelled ticks (the factor between them on a logarithmic axis). */
    interface AxisFit extends Range {
        step: number;
    }

    interface TarnisModule {
        /** The kinds in the order in which clicks step through them. */
        chartKinds(): ChartKindInfo[];
        nextChartKind(kind: ChartKindName): ChartKindName;
        /** The axis' range after wheel notches around a value, within the zoom limits of its fitted range. */
        zoomedRange(range: Range, fitted: Range, around: number, notches: number, logarithmic: boolean): Range;
        /** The axis' range moved as a drag of `pixels` along an axis `length` pixels long moves it, within the limits. */
        pannedRange(range: Range, fitted: Range, pixels: number, length: number, logarithmic: boolean): Range;
        /** A run chart's axis `length` pixels long fitted to data from `lowest` to `highest` (none: lowest > highest),
         * ending on ticks `step` apart (on a logarithmic axis, on decades). A view the user chose takes the step of
         * the same fit of its own range. */
        fittedAxis(lowest: number, highest: number, length: number, vertical: boolean, logarithmic: boolean): AxisFit;
        /** The range widened just enough that markers at `lowest` and `highest` lie whole on the axis. */
        markerRoom(range: Range, lowest: number, highest: number, length: number, logarithmic: boolean): Range;
        /** The ticks tried at `attempt` (0: every step; then coarser multiples), densest first, until the labels
         * stand apart; `axisRules().tickAttempts` attempts in all, the last kept whatever it gives. */
        axisTicks(fit: AxisFit, attempt: number, logarithmic: boolean): Float64Array;
        /** Whether labels at [centre, extent, centre, extent, …] pixels along the axis, in tick order, stand apart. */
        tickLabelsApart(places: number[]): boolean;
        axisRules(): { markerPixels: number; tickAttempts: number };

        aboutTarnis(): AboutTarnis;
        teachingTexts(): TeachingTexts;
        mainWindowTexts(): MainWindowTexts;
        resultCaptionAt(lastStep: number): string; // "Population size at t = 200"
        boxCaption(box: ParameterBox): string; // "The intrinsic rate (r):", the box's accessible name
        noticeLine(year: number): string;
        pictureFileName(chartTitle: string, suffix: string): string;
        /** The separator for a language's decimal point: itself when it is one ASCII character, else ".". */
        decimalSeparatorFor(localeDecimalPoint: string): Separator;

        /** The speeds a play offers, slowest first ("20 steps/s"). */
        playSpeeds(): PlaySpeed[];
        /** The slowest speed that plays `steps` steps within about ten seconds. */
        firstPlaySpeed(steps: number): number;
        /** The steps on show `seconds` after `from` were, at `speed` steps a second, never past `last`. */
        stepsAfter(from: number, seconds: number, speed: number, last: number): number;
        /** Where a play stands: "t = 57 of 200". */
        playPositionText(t: number, lastT: number): string;
    }

    /** A set-up as it travels: every text in the point's notation, the kept runs oldest first. */
    interface Setup {
        run: RunTexts;
        chart: ChartKindName;
        logarithmicN: boolean;
        kept: RunTexts[];
        diagramAxis: "rate" | "lag";
        /** The guided activity the set-up opens ("" for none), at which of its steps (from 1; 0 for none). */
        activity?: string;
        activityStep?: number;
        /** The page's language where the reader or the link chose one ("de"); left out for the browser's. */
        language?: string;
    }

    /** A set-up as read, with a sentence for each value refused or setting left aside. */
    interface ReadSetup {
        setup: Setup;
        notes: string[];
    }

    interface SetupCommand {
        caption: string;
        toolTip: string;
    }

    interface SetupMenuWords {
        copyLink: SetupCommand;
        saveFile: SetupCommand;
        openFile: SetupCommand;
        savePage: SetupCommand;
        fileName: string; // "tarnis-setup.tarnis"
        fileSuffix: string; // ".tarnis"
        pageFileName: string;
    }

    interface TarnisModule {
        /** The address fragment of a set-up, without the "#". */
        setupFragment(setup: Setup): string;
        /** A fragment (with or without "#") read setting by setting; never refused as a whole. */
        readSetupFragment(fragment: string): ReadSetup;
        setupFileText(setup: Setup): string;
        /** A set-up file read; a broken, foreign or newer one is refused whole, in a sentence. */
        readSetupFile(text: string): ReadSetup | { refusal: string };
        /** The boxes' texts in the point's notation, and back to the reader's. */
        inPointNotation(texts: RunTexts, separator: Separator): RunTexts;
        inLocaleNotation(texts: RunTexts, separator: Separator): RunTexts;
        /** A run's parameters as the shortest texts that read back to them, in the point's notation. */
        runTextsOf(parameters: RunParameters): RunTexts;
        setupMenuWords(): SetupMenuWords;
        /** "The set-up from the link is on show." */
        setupAppliedWords(carrier: "link" | "file"): string;
        readonly MostSetupSettings: number;
    }

    /** A guided activity as the list of activities names it. */
    interface ActivityInfo {
        id: string; // in links: "limit"
        title: string;
        aim: string; // one sentence: what the class finds out
        stepCount: number;
    }

    /** A step's texts with the reader's separator. */
    interface ActivityStepWords {
        heading: string; // "Step 2 of 4"
        setupLine: string; // "r=0.2, N(0)=1, K=500, T=5, 200 steps"
        look: string; // what to look at
        question: string;
        answerLabel: string; // "Your r_c:"; "" for a step answered in words
    }

    type AnswerVerdict = "right" | "tooHigh" | "tooLow" | "notANumber" | "notChecked";

    interface KeySection {
        title: string;
        lines: Array<{ heading: string; question: string; answer: string }>;
    }

    /** The captions and fixed words of the activities, as every front end shows them. */
    interface ActivityWords {
        panelTitle: string; // "Activities"
        applyCaption: string;
        checkCaption: string;
        previousCaption: string;
        nextCaption: string;
        keyCaption: string; // "Teacher's key"
        printKeyCaption: string;
        worksheetCaption: string; // "Print worksheet…"
        keyTitle: string; // "Tarnis: teacher's key"
        answerRoom: string; // "Answer:", before the lines left to write on
        linkLine: string; // "Open this set-up:"
    }

    /** Steps are numbered from 1, as links and headings number them; another number is a RangeError. */
    interface TarnisModule {
        activities(): ActivityInfo[];
        activityStepWords(activity: string, step: number, separator: Separator): ActivityStepWords;
        /** The step's set-up with the activity and the step in it: applied, it is the step's link. */
        activityStepSetup(activity: string, step: number): Setup;
        /** A student's answer (either notation) held against the model's, in the model's words. */
        checkActivityAnswer(activity: string, step: number, typed: string, separator: Separator): { verdict: AnswerVerdict; words: string };
        teachersKey(separator: Separator): KeySection[];
        activityWords(): ActivityWords;
        /** The step's set-up as a link's fragment, without the "#". */
        activityFragment(activity: string, step: number): string;
    }

    interface PlaySpeed {
        perSecond: number;
        caption: string;
    }

    /** The catalog (web/bind_language.cpp): the languages, the choice, and texts looked up by their English. */
    interface TarnisModule {
        offeredLanguages(): Array<{ code: string; name: string }>;
        /** The first of a colon-separated list of wishes ("de-AT:en") that the catalog speaks; "en" when none. */
        matchLanguage(wishes: string): string;
        setLanguage(code: string): void;
        currentLanguage(): string;
        translate(english: string): string;
        translateIn(context: string, english: string): string;
        translatePlural(one: string, many: string, count: number): string;
        fill(pattern: string, values: Record<string, string | number>): string;
    }
}
