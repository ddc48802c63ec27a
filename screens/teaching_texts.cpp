// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/teaching_texts.h"

namespace tarnis::texts {

QString introductionHeading()
{
    // Kept word for word as the heading has always read, misspelling included.
    return QStringLiteral("Understanding logsitic equation logically and critically");
}

QStringList introductionPieces()
{
    return {
        QStringLiteral("The time-lag logistic growth is the simplest density-dependent model with a time lag. "),
        QStringLiteral("It introduces two concepts: the carrying capacity (K) and the time lag (T). "),
        QStringLiteral("But what does K really mean? "),
        QStringLiteral("If K = 500, can the environment carry 500 individuals for a day, for a week or for a year? "),
        QStringLiteral("The model ignores the differences among ages and stages: "),
        QStringLiteral("every individual is taken to be the same as every other. "),
        QStringLiteral("It should therefore not be used for populations with an age or stage structure, "),
        QStringLiteral("and the effect of the time lag may itself differ from one age or stage to another. "),
        QStringLiteral("Some fast-growing insects, such as aphids and mites, show growth curves that look logistic. "),
        QStringLiteral("This does not mean that they follow this simple model; "),
        QStringLiteral("the blind use of the logistic equation was called meaningless decades ago. "),
        QStringLiteral("Even so, some scientists still describe aphid or mite populations with the logistic model. "),
        QStringLiteral("Data of aphids, mites, flies, midges, mosquitoes, plankton, micro-organisms "),
        QStringLiteral("and many other populations with a high intrinsic rate fit the logistic equation well, "),
        QStringLiteral("yet a good fit does not show that the model is right. "),
        QStringLiteral("Some even fit the fluctuation of field populations with polynomial regression, "),
        QStringLiteral("which is wrong. "),
        QStringLiteral("Age-structured (matrix) models describe such populations more properly, "),
        QStringLiteral("since they follow the individuals through their ages and stages. "),
        QStringLiteral("The reader is therefore encouraged to try programs for age-structured models "),
        QStringLiteral("before drawing conclusions about real populations. "),
        QStringLiteral("Keep in mind: "),
        QStringLiteral("simple does not always mean good, "),
        QStringLiteral("and simple does not always mean correct."),
    };
}

QStringList furtherRemarksPieces()
{
    return {
        QStringLiteral("The time-lag logistic growth resembles the logistic growth, "),
        QStringLiteral("and like it, it assumes that all individuals of a population are identical. "),
        QStringLiteral("It should not be used for species with an age structure and two sexes. "),
        QStringLiteral("Although it is a density-dependent model, it does not take the effect of density into "
                       "account properly. "),
        QStringLiteral("With a time lag of zero, its curve is exactly the logistic curve. "),
        QStringLiteral("The time lag is an important concept in ecology, "),
        QStringLiteral("because the effect of most changes in the biotic or abiotic factors of the environment "
                       "becomes significant only after a period of time, the time lag, "),
        QStringLiteral("which can be as short as a few hours or as long as several years. "),
        QStringLiteral("But this simple difference equation cannot be used to simulate the real world."),
    };
}

QList<Citation> references()
{
    return {
        {10, QStringLiteral("Lewis, E. G. 1942. On the generation and growth of a population. Sankhya 6: 93-96.")},
        {11,
         QStringLiteral("Leslie, P. H. 1945. On the use of matrices in certain population mathematics. "
                        "Biometrika 33: 183-212.")},
        {9,
         QStringLiteral("Leslie, P. H. 1948. Some further notes on the use of matrices in population "
                        "mathematics. Biometrika 35: 213-245.")},
        {8,
         QStringLiteral("1985. Two new methods for the study of insect population ecology. "
                        "Bulletin of the Institute of Zoology 24: 225-240.")},
        {7,
         QStringLiteral("1988. Life-table analysis incorporating both sexes and variable development rates "
                        "among individuals. Environmental Entomology 17(1): 26-34.")},
        {6,
         QStringLiteral("Pearl, R. and L. J. Reed. 1920. On the rate of growth of the population of the United "
                        "States since 1790 and its mathematical representation. Proceedings of the National "
                        "Academy of Sciences 6: 275-288.")},
    };
}

} // namespace tarnis::texts
