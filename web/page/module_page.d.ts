// What the module tells the page beyond the run (web/bind_page.cpp, and the note of a replaced entry
// in web/bind_run.cpp): the words of the program, the teaching texts and the names of saved files.
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
        contactEmail: string;
        homePage: string;
        sourceCode: string; // where the source of this release is, as the licence asks
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

    interface TarnisModule {
        aboutTarnis(): AboutTarnis;
        teachingTexts(): TeachingTexts;
        mainWindowTexts(): MainWindowTexts;
        resultCaptionAt(lastStep: number): string; // "Population size at t = 200"
        boxCaption(box: ParameterBox): string; // "The intrinsic rate (r):", the box's accessible name
        noticeLine(year: number): string;
        pictureFileName(chartTitle: string, suffix: string): string;
        /** The separator for a language's decimal point: itself when it is one ASCII character, else ".". */
        decimalSeparatorFor(localeDecimalPoint: string): Separator;
    }
}
