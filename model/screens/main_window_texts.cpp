// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/main_window_texts.h"

#include "model/language/catalog.h"
#include "model/screens/identity.h"

#include <algorithm>

namespace tarnis {

std::string resultCaption() { return std::string(translate("Final population size")); }

std::string resultCaption(int lastStep)
{
    return fill(translate("Population size at t = {step}"), {{"step", std::to_string(lastStep)}});
}

std::string resultPlaceholder() { return "????"; }

std::string greetingHeadline() { return std::string(translate("Hi! How do you do?")); }

std::string greetingInstructions()
{
    const std::string instructions(translate("Press Enter or click on Run to run. If you want to change the default "
                                             "values, click on the text box and change the default value. Then "
                                             "press Enter to confirm the change."));
    // Comments go to the address that whoever built this copy set; without one the sentence would
    // invite mail to nowhere.
    if (about::contactEmail().empty())
        return instructions;
    return instructions + ' '
        + fill(translate("Comments are welcome (e-mail to {address})."), {{"address", about::contactEmail()}});
}

std::string pictureFileName(std::string_view chartTitle, std::string_view suffix)
{
    constexpr std::string_view Blanks = " \t\r\n\f\v";
    const auto first = chartTitle.find_first_not_of(Blanks);
    std::string name = first == std::string_view::npos
        ? std::string("chart")
        : std::string(chartTitle.substr(first, chartTitle.find_last_not_of(Blanks) - first + 1));
    std::replace(name.begin(), name.end(), '/', '-');
    return name + std::string(suffix);
}

std::string dataFileName() { return std::string(translate("Tarnis graphic data.csv")); }

} // namespace tarnis
