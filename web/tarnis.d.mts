// The interface of the WebAssembly module of Tarnis (tarnis.mjs), for the page and its workers. Every
// number, rounding, rule and sentence comes from the model through it; the page computes none.
// Results are plain objects, arrays and Float64Arrays, which a worker can post as they are. A value
// that does not apply is a missing property. Objects made with `new` (Session, RegimeScan,
// BifurcationScan) live in the module's memory until their delete() is called.
// SPDX-License-Identifier: GPL-3.0-or-later

/** The decimal separator of the reader's language: "." or ",". */
export type Separator = string;

/** The five parameters of a run; `steps` is a whole number of steps (a box's text rounds halves to even). */
export interface RunParameters {
    r: number;
    K: number;
    steps: number;
    n0: number;
    lag: number;
}

/** The texts of the five parameter boxes, as the reader left them. */
export interface RunTexts {
    r: string;
    K: string;
    steps: string;
    n0: string;
    lag: string;
}

/** The boxes by the names the desktop's widgets have. */
export type ParameterBox = "n0" | "rrate" | "Kvalue" | "tlag" | "simut";

export type RunRefusal =
    | "rateOutOfRange"
    | "capacityOutOfRange"
    | "capacityZero"
    | "stepsOutOfRange"
    | "initialSizeNotANumber"
    | "initialSizeZero"
    | "lagNotANumber"
    | "lagNegative"
    | "initialSizeNegative"
    | "capacityNegative";

/** Why a run does not start, in the words of the refusal table. */
export interface Refusal {
    refusal: RunRefusal;
    box: ParameterBox; // the box to correct
    subject: string; // "the carrying capacity (K)"
    boxCaption: string; // the caption beside the box where the subject does not name it, else ""
    option: string; // tarnis-run's option
    rule: string; // "must be a number other than 0"
    line: string; // tarnis-run's error line
    message: string; // the main window's message, with the box's default as an example
}

export type RunEnd = "completed" | "diedOut" | "leftRange";

export interface RangeExit {
    value: "N" | "dN" | "dNperN"; // the first value of the step that had no finite value
    way: "above" | "below" | "undefined";
    message: string; // what the main window tells
}

export interface RunOutcome {
    parameters: RunParameters;
    end: RunEnd;
    lastStep: number;
    resultText: string; // the final population size as the result box shows it
    exit?: RangeExit; // with end "leftRange"
}

export type RunResult = { refused: false; outcome: RunOutcome } | { refused: true; refusal: Refusal };

/** N(t), dN(t) and dN(t)/N(t) for t = 0 to the run's last step. */
export interface RunValues {
    N: Float64Array;
    dN: Float64Array;
    dNperN: Float64Array;
}

/** How the saved file writes its values: by default rounded to hundredths, with 15 significant digits. */
export interface GraphicDataFormat {
    roundToHundredths?: boolean;
    significantDigits?: number; // 1 to 17; 17 gives back every bit
}

export interface KeptRun {
    parameters: RunParameters;
    slot: number; // 0 to MaxKeptRuns − 1, kept while the run is kept (its colour)
    label: string; // "r=0.2, N(0)=1, K=500, T=5, 200 steps"
    values: RunValues;
}

/** What the main window holds: the result store of the last run, its parameters and the kept runs. */
export interface Session {
    /** Reads the texts by the boxes' rules and runs, or refuses and leaves the store as it was. */
    runTexts(texts: RunTexts, separator: Separator): RunResult;
    run(parameters: RunParameters, separator: Separator): RunResult;
    hasRun(): boolean;
    values(): RunValues;
    /** The text of the saved file ("S"), CR LF after every line. */
    graphicDataText(format?: GraphicDataFormat): string;
    /** Keeps the last run for comparison (at most MaxKeptRuns, the oldest dropped); false if already kept. */
    keep(): boolean;
    forgetKept(): void;
    keptRuns(separator: Separator): KeptRun[]; // oldest first
    delete(): void;
}

export interface StabilityLimits {
    rMonotone: number; // r_m: no overshoot up to here
    rStable: number; // r_c: N = K stable below
    onsetPeriod: number; // steps per oscillation at r_c
}

export interface LagSchedule {
    onEvenSteps: number;
    onOddSteps: number;
}

export type LinearVerdict = "settlesSmoothly" | "dampedOscillations" | "neutral" | "unstableAtK";

export interface LinearResponse {
    limits: StabilityLimits;
    verdict: LinearVerdict;
    modulus: number; // |λ| per step
    argument: number; // arg λ per step, 0 to π
    period?: number;
    halvingSteps?: number;
}

/** The regime of a run: its number (as the model numbers them) and its name, with its numbers. */
export interface RegimeReport {
    regime: number;
    regimeName: string;
    period?: number;
    lyapunov?: number;
    nMin?: number;
    nMax?: number;
    endStep?: number;
    steps: number; // the steps computed
    lastN: number; // N at the last step computed
    stillApproaching: boolean; // settles smoothly, but still more than 1 % from K at the last step
    disturbed?: number; // on an unstable equilibrium: the regime that a disturbance grows into
}

/** A run in words: the regime as a headline, then what the population does and what the lag allows. */
export interface RunWords {
    headline: string;
    sentences: string;
}

/** What the Dynamics window shows for a run: ready for a RegimeScan and two BifurcationScans. */
export interface DynamicsPlan {
    run: RunParameters;
    analysed: boolean; // false for a lag beyond the analysis: then the grids and requests are empty
    logarithmicMapRates: boolean; // the map's r axis (at every lag analysed)
    logarithmicMapLags: boolean; // the map's lag axis (beyond lag 20)
    logarithmicDiagramRates: boolean; // r in the diagram over r (beyond lag 20)
    map: ScanGrid & { rates: Float64Array; lags: Float64Array };
    lagEdges: Float64Array; // the edges of the map's cells, one more than its values
    rateEdges: Float64Array;
    limits: Array<StabilityLimits | undefined>; // at each lag of the map
    overRate: BifurcationRequest & { values: Float64Array };
    overLag: BifurcationRequest & { values: Float64Array };
    runLimits?: StabilityLimits;
    criticalLag?: number; // the first lag of overLag at which the run's r exceeds r_c
}

/** true: the part's work starts anew for the new run; false: it keeps what it computed, and its marks move. */
export interface DynamicsRestart {
    regime: boolean; // kept: the words are written again for the new steps
    map: boolean;
    diagram: boolean; // the diagram over the axis on show
}

export interface DynamicsLabels {
    lagAxis: string; // "Time lag T"
    rateAxis: string;
    exponentAxis: string;
    stableCurve: string; // "r_c: stable below"
    monotoneCurve: string;
    stableMark: string; // "r_c"
    monotoneMark: string;
    criticalLagMark: string; // "r > r_c"
    runOnMap: string; // "the last run"
    runMark: string; // "this run"
    notComputed: string; // "still being computed"
    keptValuesAxis: string; // "N(t), t = 1000 to 1199"
}

/** A grid of r and lag at fixed N(0) and K; cells are numbered r-major. */
export interface ScanGrid {
    rates: ArrayLike<number>;
    lags: ArrayLike<number>;
    n0: number;
    K: number;
}

export interface ScanCell {
    index: number;
    rateIndex: number;
    lagIndex: number;
    r: number;
    lag: number;
    report?: RegimeReport; // missing for parameters that the run refuses
}

/** A regime map computed a slice at a time: a worker reports progress between slices and stops there. */
export interface RegimeScan {
    cellCount(): number;
    slice(first: number, count: number): ScanCell[];
    delete(): void;
}

export interface BifurcationRequest {
    parameters: Omit<RunParameters, "steps">; // the fixed ones
    axis: "rate" | "lag";
    values: ArrayLike<number>;
    discard: number; // steps left out
    keep: number; // values kept after them
}

export interface BifurcationColumn {
    index: number;
    value: number;
    firstStep: number;
    N: Float64Array;
    end: RunEnd | "refused";
    lastStep: number;
    lyapunov?: number;
}

export interface BifurcationScan {
    accepted(): boolean; // discard >= 0, keep >= 1, discard + keep <= MaxBifurcationSteps
    columnCount(): number;
    slice(first: number, count: number): BifurcationColumn[];
    delete(): void;
}

export interface EnterResult {
    replacement?: string; // the text the box must show instead
    enablesRun: boolean;
}

export interface ContinuousRun {
    end: "completed" | "leftRange" | "lostAccuracy" | "refused";
    n: Float64Array;
    step: number;
}

/** An ensemble: the seed as a text of its digits, since a number holds only 53 of its 64 bits. */
export interface EnsembleRequest {
    parameters: RunParameters;
    demographic: boolean;
    sigma: number;
    threshold: number;
    seed: string;
}

export interface EnsembleOutcome {
    run: number;
    extinctionTime?: number;
    lastN: number;
}

/** The words around an ensemble, as every front end shows them. */
export interface ChanceWords {
    menuCaption: string;
    title: string;
    noiseCaption: string;
    demographic: string;
    environmental: string;
    both: string;
    sigmaCaption: string;
    runsCaption: string;
    seedCaption: string;
    thresholdCaption: string;
    computeCaption: string;
    fanTitle: string;
    survivalTitle: string;
    timeAxis: string;
    populationAxis: string;
    shareAxis: string;
    outerBand: string;
    innerBand: string;
    median: string;
    deterministic: string;
    working: string;
    saveData: string;
    dataFileName: string;
}

/** What an ensemble's controls start with and how far they go. */
export interface EnsembleLimits {
    mostRuns: number;
    defaultRuns: number;
    defaultSigma: number;
    mostSigma: number;
    defaultThreshold: number;
    defaultSeed: string;
    /** The most values of N(t) that the bands of one ensemble are drawn from (runs × (steps + 1)). */
    mostSummaryValues: number;
}

export interface TarnisModule {
    Session: new () => Session;
    RegimeScan: new (grid: ScanGrid) => RegimeScan;
    BifurcationScan: new (request: BifurcationRequest) => BifurcationScan;

    numberToText(value: number, separator: Separator, significantDigits?: number): string;
    readLenient(text: string, separator: Separator): number | undefined;
    convertStrict(text: string, separator: Separator): number | undefined;

    defaultParameters(): RunParameters;
    defaultText(box: ParameterBox, separator: Separator): string;
    changeDisablesRun(box: ParameterBox): boolean;
    confirmEntry(box: ParameterBox, text: string, separator: Separator): EnterResult;
    presetTexts(preset: number, separator: Separator): Array<{ box: ParameterBox; text: string }>;
    /** A preset button's caption and tool tip: "Data 1", "Time lag = 8". */
    presetButton(preset: number, separator: Separator): { caption: string; toolTip: string };
    /** Run's caption and tool tip. */
    runButton(): { caption: string; toolTip: string };
    refusals(separator: Separator): Refusal[];
    runLabel(parameters: RunParameters, separator: Separator): string;

    stabilityLimits(lag: number): StabilityLimits | undefined;
    lagSchedule(lag: number): LagSchedule;
    linearResponse(r: number, lag: number): LinearResponse | undefined;
    runRegime(parameters: Omit<RunParameters, "steps">): RegimeReport | undefined;
    /** The run's words from its regime (no report: its lag is beyond the analysis). */
    runWords(parameters: RunParameters, report: RegimeReport | undefined, separator: Separator): RunWords;
    workingWords(parameters: RunParameters, separator: Separator): RunWords;
    noRunWords(): RunWords;
    /** Before the first run, as the page's dynamics part says it. */
    pageNoRunWords(): RunWords;
    /** The regime as a headline names it ("neither grows nor shrinks" for r = 0, "…, still approaching K"). */
    runRegimeName(parameters: RunParameters, report: RegimeReport): string;
    /** The line of a map's cell or a diagram's column under the pointer; without a report, still computed. */
    cellWords(r: number, lag: number, report: RegimeReport | undefined, K: number, separator: Separator): string;
    columnWords(axis: "rate" | "lag", value: number, column: BifurcationColumn | undefined, K: number, separator: Separator): string;
    /** The run's numbers as name and value pairs, every value exact. */
    runFacts(parameters: RunParameters, report: RegimeReport | undefined, separator: Separator): Array<[string, string]>;
    /** What a click on a plot wrote into the parameters: "r = 0.105 and T = 10 are in the main window: press Run there." */
    choiceWords(r: number | undefined, lag: number | undefined, separator: Separator): string;
    /** The same on the page, where a click also runs: "r = 0.105 and T = 10 are in the Data panel, and this is their run." */
    pageChoiceWords(r: number | undefined, lag: number | undefined, separator: Separator): string;
    mapTitle(parameters: RunParameters | undefined, separator: Separator): string;
    bifurcationTitle(parameters: RunParameters | undefined, axis: "rate" | "lag", separator: Separator): string;
    /** What the map and the diagram say, in place of a picture, of a run whose lag is beyond the analysis. */
    beyondAnalysisPictureWords(separator: Separator): string;
    /** The lines of the bifurcation diagram and their names, the plan's first unstable lag given. */
    diagramMarks(parameters: RunParameters, axis: "rate" | "lag", criticalLag: number | undefined): Array<{ value: number; name: string }>;
    /** The page's line under a plot while nothing is pointed at. */
    pagePointingHint(plot: "map" | "rate" | "lag"): string;
    planDynamics(parameters: RunParameters): DynamicsPlan;
    /** Which parts a run of `next` computes anew where `shown` (or none) is on show, its diagram over `axis`. */
    dynamicsRestart(shown: DynamicsPlan | undefined, next: DynamicsPlan, axis: "rate" | "lag"): DynamicsRestart;
    /** The name of a regime's number; "" beyond the last, so that a legend can list them all. */
    regimeName(regime: number): string;
    /** The regimes in the order of the map's legend, each with its colour ("#56b4e9"). */
    regimeLegend(): Array<{ regime: number; name: string; legendName: string; colour: string }>;
    /** The labels of the map and the diagram; the axis of N for a diagram that keeps `keep` values after `discard`. */
    dynamicsLabels(discard: number, keep: number): DynamicsLabels;
    /** The colour of a map's cell still being computed. */
    notComputedColour(): string;

    /** The continuous-time twin at whole times, the same bits as tarnis-run continuous. */
    continuousRun(parameters: RunParameters): ContinuousRun;
    /** 1/(eτ), π/(2τ) and 4τ; undefined without a delay. */
    continuousLimits(lag: number): { rMonotone: number; rStable: number; onsetPeriod: number } | undefined;
    continuousWords(parameters: RunParameters, separator: Separator): RunWords;
    /** How the discrete and the continuous model of this lag meet. */
    bridgeWords(lag: number, separator: Separator): string;
    /** "Continuous time (Hutchinson)". */
    continuousLegend(): string;
    /** The comparison's menu entry or checkbox, legend, map label and copied column. */
    continuousComparisonWords(): { caption: string; toolTip: string; legend: string; mapLabel: string; dataColumn: string };
    /** Why the continuous trajectory of this run stops early; "" when it reaches the last step. */
    continuousStopWords(parameters: RunParameters): string;

    /** Run `run` (from 1) of an ensemble, with its trajectory. */
    ensembleMember(request: EnsembleRequest, run: number): EnsembleOutcome & { n: Float64Array };
    /** Runs `first` to `last` of an ensemble, a worker's slice. */
    ensembleRuns(request: EnsembleRequest, first: number, last: number): EnsembleOutcome[];
    /** "Of 1000 runs, 312 (28–34 %) died out by t = 200; half of those by t = 78." */
    ensembleWords(outcomes: EnsembleOutcome[], steps: number, separator: Separator): string;
    /** The share of runs not yet extinct at t = 0 … steps. */
    survivalCurve(outcomes: EnsembleOutcome[], steps: number): Float64Array;
    /** N(t) at 5, 25, 50, 75 and 95 % of the runs, one column over t for each, from each run's N(0) … N(steps). */
    percentileBands(trajectories: Float64Array[], steps: number): Float64Array[];
    /** The curves as `tarnis-run ensemble --summary` writes them (title line, CR LF), from every run's
     *  outcome and the bands' five columns. */
    ensembleTable(outcomes: EnsembleOutcome[], steps: number, bands: Float64Array[]): string;
    /** How many of an ensemble's runs, the first ones, its bands are drawn from: all where they fit. */
    bandRuns(runs: number, steps: number): number;
    /** "Bands from the first 99502 of 100000 runs." under the fan chart's title; "" for all of them. */
    bandRunsWords(runs: number, steps: number): string;
    chanceWords(): ChanceWords;
    /** "412 of 1000 runs". */
    ensembleProgressWords(done: number, total: number): string;
    ensembleLimits(): EnsembleLimits;

    readonly MaxRunSteps: number;
    readonly MaxConfirmedSteps: number;
    readonly PresetCount: number;
    readonly MaxKeptRuns: number;
    readonly MaxAnalysedLag: number;
    readonly MaxBifurcationSteps: number;
}

export default function createTarnis(options?: object): Promise<TarnisModule>;
