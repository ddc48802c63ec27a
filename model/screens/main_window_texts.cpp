// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/main_window_texts.h"

#include "model/screens/identity.h"

#include <algorithm>

namespace tarnis {

std::string resultCaption() { return "Final population size"; }

std::string resultCaption(int lastStep) { return "Population size at t = " + std::to_string(lastStep); }

std::string resultPlaceholder() { return "????"; }

std::string greetingHeadline() { return "Hi! How do you do?"; }

std::string greetingInstructions()
{
    const std::string instructions = "Press Enter or click on Run to run. If you want to change the default values, "
                                     "click on the text box and change the default value. Then press Enter to "
                                     "confirm the change.";
    // Comments go to the address that whoever built this copy set; without one the sentence would
    // invite mail to nowhere.
    if (about::contactEmail().empty())
        return instructions;
    return instructions + " Comments are welcome (e-mail to " + about::contactEmail() + ").";
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

std::string dataFileName() { return "Tarnis graphic data.csv"; }

} // namespace tarnis
