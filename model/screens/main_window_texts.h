// The words of the main window that the page shows as well: the result box's caption before and after
// a run, the greeting before the first run, and the names that files are offered under.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tarnis {

// The result box's caption: "Final population size" until a run, then "Population size at t = 200".
std::string resultCaption();
std::string resultCaption(int lastStep);
// What the result box shows before the first run.
std::string resultPlaceholder();

// What greets the user before the first run: a headline and how to go about a run.
std::string greetingHeadline();
std::string greetingInstructions();

// The name a chart's picture is offered under: its title, made safe as a file name ("dN/dt" would
// name a folder), with the suffix (".png").
std::string pictureFileName(std::string_view chartTitle, std::string_view suffix);

// The name the page offers the saved data under, where a browser asks for a name before it knows any;
// the main window's dialog offers the name the user gave last, and none at first.
std::string dataFileName();

} // namespace tarnis
