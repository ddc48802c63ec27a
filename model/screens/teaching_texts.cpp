// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/teaching_texts.h"

#include "model/language/catalog.h"

namespace tarnis::teaching {

std::string introductionHeading()
{
    // Kept word for word as the heading has always read, misspelling included.
    // TRANSLATORS: the introduction's heading. The English misspells "logistic" on purpose, as the
    // heading has always read; write your language's word correctly.
    return std::string(translate("Understanding logsitic equation logically and critically"));
}

// Each text is one message, so that a translator sees the paragraph whole and may order its
// sentences as the language needs; the screens join their pieces, which is now this one.
std::vector<std::string> introductionPieces()
{
    return {std::string(
        translate("The time-lag logistic growth is the simplest density-dependent model with a time lag. "
                  "It introduces two concepts: the carrying capacity (K) and the time lag (T). "
                  "But what does K really mean? "
                  "If K = 500, can the environment carry 500 individuals for a day, for a week or for a year? "
                  "The model ignores the differences among ages and stages: "
                  "every individual is taken to be the same as every other. "
                  "It should therefore not be used for populations with an age or stage structure, "
                  "and the effect of the time lag may itself differ from one age or stage to another. "
                  "Some fast-growing insects, such as aphids and mites, show growth curves that look logistic. "
                  "This does not mean that they follow this simple model; "
                  "the blind use of the logistic equation was called meaningless decades ago. "
                  "Even so, some scientists still describe aphid or mite populations with the logistic model. "
                  "Data of aphids, mites, flies, midges, mosquitoes, plankton, micro-organisms "
                  "and many other populations with a high intrinsic rate fit the logistic equation well, "
                  "yet a good fit does not show that the model is right. "
                  "Some even fit the fluctuation of field populations with polynomial regression, "
                  "which is wrong. "
                  "Age-structured (matrix) models describe such populations more properly, "
                  "since they follow the individuals through their ages and stages. "
                  "The reader is therefore encouraged to try programs for age-structured models "
                  "before drawing conclusions about real populations. "
                  "Keep in mind: "
                  "simple does not always mean good, "
                  "and simple does not always mean correct."))};
}

std::vector<std::string> furtherRemarksPieces()
{
    return {
        std::string(translate("The time-lag logistic growth resembles the logistic growth, "
                              "and like it, it assumes that all individuals of a population are identical. "
                              "It should not be used for species with an age structure and two sexes. "
                              "Although it is a density-dependent model, it does not take the effect of density into "
                              "account properly. "
                              "With a time lag of zero, its curve is exactly the logistic curve. "
                              "The time lag is an important concept in ecology, "
                              "because the effect of most changes in the biotic or abiotic factors of the environment "
                              "becomes significant only after a period of time, the time lag, "
                              "which can be as short as a few hours or as long as several years. "
                              "But this simple difference equation cannot be used to simulate the real world."))};
}

// The works as they were published, in their own language: a reader looks them up by these words.
std::vector<Citation> references()
{
    return {
        {10, "Lewis, E. G. 1942. On the generation and growth of a population. Sankhya 6: 93-96."},
        {11,
         "Leslie, P. H. 1945. On the use of matrices in certain population mathematics. "
         "Biometrika 33: 183-212."},
        {9,
         "Leslie, P. H. 1948. Some further notes on the use of matrices in population "
         "mathematics. Biometrika 35: 213-245."},
        {8,
         "1985. Two new methods for the study of insect population ecology. "
         "Bulletin of the Institute of Zoology 24: 225-240."},
        {7,
         "1988. Life-table analysis incorporating both sexes and variable development rates "
         "among individuals. Environmental Entomology 17(1): 26-34."},
        {6,
         "Pearl, R. and L. J. Reed. 1920. On the rate of growth of the population of the United "
         "States since 1790 and its mathematical representation. Proceedings of the National "
         "Academy of Sciences 6: 275-288."},
    };
}

// TRANSLATORS: the title of the teaching screen that introduces the model.
std::string introductionTitle() { return std::string(translate("Introduction")); }

// TRANSLATORS: the title of the teaching screen with further remarks on the model; Tarnis is the program's name.
std::string furtherRemarksTitle() { return std::string(translate("More about Tarnis")); }

// TRANSLATORS: the title of the screen that lists the literature.
std::string referencesTitle() { return std::string(translate("References")); }

std::string quizTitle() { return std::string(translate("Quiz")); }

PictureWords quizWords()
{
    return {
        // TRANSLATORS: the quiz picture's name, read out to those who cannot see it.
        std::string(translate("Questions to think about")),
        // TRANSLATORS: what the quiz picture says, read out to those who cannot see it.
        std::string(translate("1. Can the differential form of the time-lag logistic growth, dN(t)/dt = r N(t) (1 - "
                              "N(t - T)/K), be integrated? If it can, how would you do it? "
                              "2. How can observed data, for example yearly counts of a real population, be fitted "
                              "to the time-lag logistic growth? "
                              "3. Ecological systems are much more complex than physical ones. What do you think of "
                              "simple ecological theories, such as this one? What can they teach us, and where do "
                              "they fall short?"))};
}

std::string joined(const std::vector<std::string>& pieces)
{
    std::string text;
    for (const std::string& piece : pieces)
        text += piece;
    return text;
}

} // namespace tarnis::teaching
