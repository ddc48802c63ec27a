// The sliders beside the parameter boxes. A slider writes the very text its box would hold (the
// model's text of the slider's value), so that a run from a slider reads the same double as a run
// typed by hand; a box's confirmed text moves its slider. r, the lag and the steps slide in even
// steps; N(0) and K, which matter by their ratio, on a logarithmic scale.
// SPDX-License-Identifier: GPL-3.0-or-later
import { el } from "./dom";
import type { ParameterBox, Tarnis } from "./tarnis";

type Scale =
    | { kind: "linear"; min: number; max: number; step: number }
    // Positions 0 to decades × perDecade, the value 10^(from + position / perDecade), written with
    // `digits` significant digits, so that a slid K reads "501", not "501.187233627272".
    | { kind: "logarithmic"; from: number; decades: number; perDecade: number; digits: number };

// r over the range the stability map covers at lag 0 (its widest), in steps of 0.001; the lag in
// halves up to 50; the steps up to the boxes' cap; N(0) and K over six and five decades.
function scaleOf(box: ParameterBox, maxSteps: number): Scale {
    switch (box) {
        case "rrate":
            return { kind: "linear", min: 0, max: 3.5, step: 0.001 };
        case "n0":
            return { kind: "logarithmic", from: -2, decades: 6, perDecade: 100, digits: 3 };
        case "Kvalue":
            return { kind: "logarithmic", from: 0, decades: 5, perDecade: 100, digits: 3 };
        case "tlag":
            return { kind: "linear", min: 0, max: 50, step: 0.5 };
        case "simut":
            return { kind: "linear", min: 1, max: maxSteps, step: 1 };
    }
}

export class Slider {
    readonly input: HTMLInputElement;
    private readonly scale: Scale;

    /** `labelId` names the box's caption, which names the slider too. */
    constructor(
        private readonly tarnis: Tarnis,
        box: ParameterBox,
        labelId: string,
    ) {
        this.scale = scaleOf(box, tarnis.module.MaxConfirmedSteps);
        const scale = this.scale;
        const [min, max, step] =
            scale.kind === "linear" ? [scale.min, scale.max, scale.step] : [0, scale.decades * scale.perDecade, 1];
        this.input = el("input", {
            type: "range",
            class: "slider",
            min,
            max,
            step,
            "aria-labelledby": labelId,
        });
    }

    /** The text the box gets from the slider's place. */
    text(): string {
        const scale = this.scale;
        const position = Number(this.input.value);
        if (scale.kind === "linear") return this.tarnis.numberText(position);
        // Rounded to the scale's digits by the model, then written as a box writes a typed number
        // ("3160", not the exponent form that a few digits take from 1000 up).
        const { module, separator } = this.tarnis;
        const rounded = this.tarnis.numberText(10 ** (scale.from + position / scale.perDecade), scale.digits);
        return this.tarnis.numberText(module.readLenient(rounded, separator) ?? NaN);
    }

    /** Moves the slider to the box's text; a text that is no number leaves it. */
    follow(text: string): void {
        const value = this.tarnis.module.readLenient(text, this.tarnis.separator);
        this.input.setAttribute("aria-valuetext", text);
        if (value === undefined || !Number.isFinite(value)) return;
        const scale = this.scale;
        if (scale.kind === "linear") {
            this.input.value = String(value); // the browser clamps it to the range and rounds it to a step
        } else if (value > 0) {
            this.input.value = String(Math.round((Math.log10(value) - scale.from) * scale.perDecade));
        }
    }
}
