// The teaching texts: the introduction to the time-lag logistic model, the further remarks, the
// literature and the quiz, with the titles of the screens that show them. The teaching screens and
// the page show these words, in the reader's language (the works of the literature stay as published).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tarnis::teaching {

std::string introductionTitle();   // "Introduction"
std::string furtherRemarksTitle(); // "More about Tarnis"
std::string referencesTitle();     // "References"
std::string quizTitle();           // "Quiz"

// The pieces its screen joins without separators: the paragraph whole, one text for a translator.
std::vector<std::string> introductionPieces();
std::vector<std::string> furtherRemarksPieces();
std::string introductionHeading();

// The six works of the reference list, one full citation each, from top to bottom.
struct Citation {
    int element; // the index of its label in the reference list's label array
    std::string text;
};
std::vector<Citation> references();

// What a picture shows, for those who cannot see it: a short name and a longer description.
struct PictureWords {
    std::string name;
    std::string description;
};
// The quiz is a picture of text and a formula (resources/pictures/quiz.png); this is what it says.
PictureWords quizWords();

// The pieces of a text as its screen shows them: one after the other, nothing between.
std::string joined(const std::vector<std::string>& pieces);

} // namespace tarnis::teaching
