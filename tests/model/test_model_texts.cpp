// Every sentence and caption that the model words for more than one front end is written once: none
// stands again as a literal in the desktop's windows or the page, where a copy would go on saying the
// old words after the model's changed. The check reads the sources of those folders for each text of
// the model's tables, quoted as a C++ or TypeScript literal.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_kinds.h"
#include "model/dynamics/dynamics_labels.h"
#include "model/run/parameter_boxes.h"
#include "model/screens/main_window_texts.h"
#include "model/words/regime_words.h"
#include "tests/support/model_test_main.h"

#include <QDirIterator>
#include <QFile>

using namespace tarnis;

namespace {

// The model's words that the windows and the page show, each long enough to be nobody else's.
QStringList modelTexts()
{
    std::vector<std::string> texts;
    for (const ParameterBox box : AllParameterBoxes) {
        texts.push_back(boxCaption(box));
        texts.push_back(boxSubject(box));
    }
    for (int preset = 0; preset < PresetCount; ++preset) {
        texts.push_back(presetButton(preset, '.').caption);
        texts.push_back(presetButton(preset, '.').toolTip);
    }
    texts.push_back(runButton().toolTip);
    for (const PointedPlot plot : {PointedPlot::Map, PointedPlot::DiagramOverRate, PointedPlot::DiagramOverLag})
        for (const WordsPlace place : {WordsPlace::DynamicsWindow, WordsPlace::Page})
            texts.push_back(pointingHint(plot, place));
    for (int kind = 0; kind < ChartKindCount; ++kind)
        texts.push_back(chartKindEntry(ChartKind(kind), ChartWindow::Main).title);
    for (int regime = 0; regime <= int(Regime::LeavesRange); ++regime)
        texts.emplace_back(regimeText(Regime(regime)));
    for (const std::string_view label : {Labels.lagAxis, Labels.rateAxis, Labels.exponentAxis, Labels.stableCurve,
                                         Labels.monotoneCurve, Labels.criticalLagMark, Labels.runOnMap,
                                         Labels.notComputed})
        texts.emplace_back(label);
    texts.push_back(resultCaption());
    texts.push_back(greetingHeadline());
    texts.push_back(noRunPictureWords());
    texts.push_back(beyondAnalysisPictureWords('.'));
    QStringList quoted;
    for (const std::string& text : texts)
        if (text.size() >= 6) // "Data 1" and longer; a "Run" or "r_c" may well be another's word
            quoted << QLatin1Char('"') + QString::fromStdString(text) + QLatin1Char('"');
    quoted.removeDuplicates();
    return quoted;
}

} // namespace

class TestModelTexts : public QObject {
    Q_OBJECT
private slots:
    void noCopiesInTheFrontEnds();
};

void TestModelTexts::noCopiesInTheFrontEnds()
{
    const QStringList texts = modelTexts();
    QVERIFY(texts.size() > 40);
    QStringList copies;
    for (const char* folder : {"app", "charts", "dynamics", "screens", "web/page"}) {
        QDirIterator sources(QStringLiteral(TARNIS_SOURCE_DIR "/") + QLatin1String(folder),
                             {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ts")}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (sources.hasNext()) {
            QFile file(sources.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            // The code without its comments, which may well quote what a part shows.
            QString content;
            for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                const QString code = line.trimmed();
                if (!code.startsWith(QLatin1Char('*')) && !code.startsWith(QLatin1String("/*")))
                    content += line.section(QLatin1String("// "), 0, 0) + QLatin1Char('\n');
            }
            for (const QString& text : texts)
                if (content.contains(text))
                    copies << file.fileName().section(QLatin1Char('/'), -2) + QStringLiteral(": ") + text;
        }
    }
    QVERIFY2(copies.isEmpty(), qPrintable(copies.join(QLatin1Char('\n'))));
}

TARNIS_MODEL_TEST_MAIN(TestModelTexts)
#include "test_model_texts.moc"
