// The words of the page that are not the run's: who makes Tarnis and its licence, the teaching texts,
// the main window's captions and greeting, the names that files are offered under, and the pace of a
// run played step by step. All of them come from the model, where the windows take them too.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/numbers/conversions.h"
#include "model/run/play_pace.h"
#include "model/screens/identity.h"
#include "model/screens/main_window_texts.h"
#include "model/screens/teaching_texts.h"
#include "web/js_values.h"

#include <emscripten/bind.h>

namespace tarnis::web {

namespace {

val stringArray(const std::vector<std::string>& texts)
{
    val array = val::array();
    for (const std::string& text : texts)
        array.call<void>("push", text);
    return array;
}

val aboutTarnis()
{
    val about = val::object();
    about.set("title", about::programTitle());
    about.set("version", std::string(about::ProgramVersion));
    about.set("maker", about::makerName());
    about.set("contactEmail", about::contactEmail());
    about.set("homePage", about::homePage());
    about.set("sourceCode", about::sourceCodeAddress());
    about.set("sourceCodeSentence", about::sourceCodeSentence());
    about.set("licence", about::licenceName());
    about.set("rightsLine", about::rightsLine());
    about.set("protectionStatement", about::protectionStatement());
    about.set("emblemName", about::emblemName());
    about.set("contactBlock", stringArray(about::contactBlock()));
    return about;
}

val teachingTexts()
{
    using namespace teaching;
    val texts = val::object();
    val introduction = val::object();
    introduction.set("title", introductionTitle());
    introduction.set("heading", introductionHeading());
    introduction.set("text", joined(introductionPieces()));
    texts.set("introduction", introduction);
    val remarks = val::object();
    remarks.set("title", furtherRemarksTitle());
    remarks.set("text", joined(furtherRemarksPieces()));
    texts.set("furtherRemarks", remarks);
    val references = val::object();
    references.set("title", referencesTitle());
    val citations = val::array();
    for (const Citation& citation : teaching::references())
        citations.call<void>("push", citation.text);
    references.set("citations", citations);
    texts.set("references", references);
    const PictureWords words = quizWords();
    val quiz = val::object();
    quiz.set("title", quizTitle());
    quiz.set("pictureName", words.name);
    quiz.set("pictureDescription", words.description);
    texts.set("quiz", quiz);
    return texts;
}

val mainWindowTexts()
{
    val texts = val::object();
    texts.set("resultCaption", resultCaption());
    texts.set("resultPlaceholder", resultPlaceholder());
    texts.set("greetingHeadline", greetingHeadline());
    texts.set("greetingInstructions", greetingInstructions());
    texts.set("dataFileName", dataFileName());
    return texts;
}

std::string resultCaptionAt(int lastStep) { return resultCaption(lastStep); }

std::string noticeLineOf(int year) { return about::noticeLine(year); }

std::string pictureFileNameOf(const std::string& title, const std::string& suffix)
{
    return pictureFileName(title, suffix);
}

val playSpeeds()
{
    val speeds = val::array();
    for (const int speed : PlaySpeeds) {
        val entry = val::object();
        entry.set("perSecond", speed);
        entry.set("caption", playSpeedText(speed));
        speeds.call<void>("push", entry);
    }
    return speeds;
}

std::string separatorFor(const std::string& localeDecimalPoint)
{
    return std::string(1, decimalSeparatorFor(localeDecimalPoint));
}

} // namespace

} // namespace tarnis::web

EMSCRIPTEN_BINDINGS(tarnis_page)
{
    using namespace emscripten;
    using namespace tarnis::web;
    function("aboutTarnis", &aboutTarnis);
    function("teachingTexts", &teachingTexts);
    function("mainWindowTexts", &mainWindowTexts);
    function("resultCaptionAt", &resultCaptionAt);
    function("noticeLine", &noticeLineOf);
    function("pictureFileName", &pictureFileNameOf);
    function("decimalSeparatorFor", &separatorFor);
    function("playSpeeds", &playSpeeds);
    function("firstPlaySpeed", &tarnis::firstPlaySpeed);
    function("stepsAfter", &tarnis::stepsAfter);
    function("playPositionText", &tarnis::playPositionText);
}
