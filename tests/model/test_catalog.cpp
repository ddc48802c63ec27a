// The catalog: which language a wish gets, a text and its plural forms in each, the placeholders that
// every translation keeps (a translation that lost {step} would show a sentence without its number),
// and the pseudo-language's marks; the model's sentences in each language, and what programs read
// staying English whatever language is chosen.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/charts/chart_kinds.h"
#include "model/language/catalog.h"
#include "model/language/catalog_tables.h"
#include "model/run/run_refusals.h"
#include "model/screens/teaching_texts.h"
#include "model/words/chart_words.h"
#include "model/words/continuous_words.h"
#include "model/words/regime_words.h"
#include "tests/support/model_test_main.h"

#include <QRegularExpression>
#include <QSet>

using namespace tarnis;

namespace {

QSet<QString> placeholders(std::string_view text)
{
    static const QRegularExpression named(QStringLiteral("\\{[A-Za-z0-9_]+\\}"));
    QSet<QString> found;
    for (auto match = named.globalMatch(QString::fromUtf8(text.data(), qsizetype(text.size()))); match.hasNext();)
        found.insert(match.next().captured());
    return found;
}

// English again after each test, as every other test of the model expects.
struct Speaking {
    explicit Speaking(std::string_view code) { setLanguage(code); }
    ~Speaking() { setLanguage("en"); }
};

const RunParameters LaggedRun{.r = 0.2, .K = 500, .steps = 200, .n0 = 1, .lag = 8};

RegimeReport diesOutAt(int step)
{
    RegimeReport report;
    report.regime = Regime::DiesOut;
    report.endStep = step;
    return report;
}

// A chart of two points with so many kept runs, for its description.
ChartInWords chartWithKeptRuns(int kept)
{
    return {std::string(chartKindEntry(ChartKind::NtvsT, ChartWindow::Main).title),
            {"Time", 0, 200, false},
            {"N(t)", 0, 500, false},
            2,
            {0, 200},
            {1, 499.5},
            std::vector<std::string>(std::size_t(kept), "T=5"),
            {}};
}

// The model's text that a row names, with the decimal comma.
QString modelText(const QString& which)
{
    const RegimeReport diesOut = diesOutAt(57);
    std::string text;
    if (which == "refusal")
        text = refusalMessage(RunRefusal::CapacityZero, ',');
    else if (which == "entry note")
        text = entryNote(ParameterBox::steps, EntryFix::Capped, ',');
    else if (which == "chart list name")
        text = chartKindListName(ChartKind::dNvsN);
    else if (which == "map cell")
        text = cellInWords(0.2, 8, &diesOut, 500, ',');
    else if (which == "run's first sentence") {
        // Its opening and its regime's clause are two messages: the sentence must read as one.
        text = runInWords(LaggedRun, diesOut, ',').sentences;
        text.erase(text.find('.') + 1);
    } else if (which == "legend") {
        RunParameters oneStep = LaggedRun;
        oneStep.steps = 1;
        const std::vector<ChartRunNames> names = chartRunNames(LaggedRun, {oneStep}, ',');
        text = names[0].legend + " | " + names[1].legend;
    } else if (which == "one kept run" || which == "two kept runs") {
        text = chartDescription(chartWithKeptRuns(which == "one kept run" ? 1 : 2), ',');
        const std::string lastPoint = "499,5. "; // the sentence about the kept runs follows it
        text.erase(0, text.find(lastPoint) + lastPoint.size());
    }
    return QString::fromStdString(text);
}

} // namespace

class TestCatalog : public QObject {
    Q_OBJECT

private slots:
    void wishesFindTheirLanguage_data()
    {
        QTest::addColumn<QString>("wishes");
        QTest::addColumn<QString>("language");
        QTest::addRow("POSIX with a territory and a charset") << "de_DE.UTF-8"
                                                              << "de";
        QTest::addRow("BCP 47 with a territory") << "es-MX"
                                                 << "es";
        QTest::addRow("a modifier") << "de_AT.UTF-8@euro"
                                    << "de";
        QTest::addRow("LANGUAGE's list: the first spoken") << "fr:pt_BR:es"
                                                           << "es";
        QTest::addRow("English before a translation") << "en_GB:de"
                                                      << "en";
        QTest::addRow("none spoken") << "fr_FR.UTF-8"
                                     << "en";
        QTest::addRow("the C locale") << "C.UTF-8"
                                      << "en";
        QTest::addRow("POSIX") << "POSIX"
                               << "en";
        QTest::addRow("nothing") << ""
                                 << "en";
        QTest::addRow("the pseudo-language, asked by name") << "en_XA"
                                                            << "en-XA";
        QTest::addRow("case") << "DE-ch"
                              << "de";
    }
    void wishesFindTheirLanguage()
    {
        QFETCH(QString, wishes);
        QFETCH(QString, language);
        QCOMPARE(QString::fromUtf8(matchLanguage(wishes.toStdString())), language);
    }

    void environmentChoosesLanguage_data()
    {
        QTest::addColumn<QStringList>("environment"); // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        QTest::addColumn<QString>("language");
        QTest::addRow("LANG") << QStringList{"", "", "", "de_DE.UTF-8"} << "de";
        QTest::addRow("LC_MESSAGES over LANG") << QStringList{"", "", "es_ES.UTF-8", "de_DE.UTF-8"} << "es";
        QTest::addRow("LC_ALL over both") << QStringList{"", "de_CH.UTF-8", "es_ES.UTF-8", "fr_FR"} << "de";
        QTest::addRow("LANGUAGE's list first") << QStringList{"fr:es", "", "", "de_DE.UTF-8"} << "es";
        QTest::addRow("LANGUAGE beside a locale we lack") << QStringList{"de", "", "", "fr_FR.UTF-8"} << "de";
        QTest::addRow("the C locale ignores LANGUAGE") << QStringList{"de", "", "", "C.UTF-8"} << "en";
        QTest::addRow("nothing set") << QStringList{"", "", "", ""} << "en";
    }
    void environmentChoosesLanguage()
    {
        QFETCH(QStringList, environment);
        QFETCH(QString, language);
        const auto at = [&](int i) { return environment.at(i).toStdString(); };
        QCOMPARE(QString::fromUtf8(environmentLanguage(at(0), at(1), at(2), at(3))), language);
    }

    void textsInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("quizQuestion"); // the quiz's first question, from the teaching texts
        QTest::addRow("English") << "en"
                                 << "Final population size"
                                 << "Population size at t = 200"
                                 << "1. Can the differential form of the time-lag logistic growth";
        QTest::addRow("Spanish") << "es"
                                 << "Tamaño final de la población"
                                 << "Tamaño de la población en t = 200"
                                 << "1. ¿Puede integrarse la forma diferencial del crecimiento logístico con retardo";
        QTest::addRow("German") << "de"
                                << "Populationsgröße am Ende"
                                << "Populationsgröße bei t = 200"
                                << "1. Lässt sich die Differentialform des logistischen Wachstums mit Zeitverzögerung";
        QTest::addRow("unknown: English") << "xx"
                                          << "Final population size"
                                          << "Population size at t = 200"
                                          << "1. Can the differential form of the time-lag logistic growth";
    }
    void textsInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, caption);
        QFETCH(QString, sentence);
        QFETCH(QString, quizQuestion);
        const Speaking speaking(language.toStdString());
        QCOMPARE(QString::fromUtf8(translate("Final population size")), caption);
        QCOMPARE(QString::fromStdString(fill(translate("Population size at t = {step}"), {{"step", "200"}})), sentence);
        QCOMPARE(QString::fromUtf8(translate("A text nobody translated")), QStringLiteral("A text nobody translated"));
        const QString quiz = QString::fromStdString(teaching::quizWords().description);
        QVERIFY2(quiz.startsWith(quizQuestion), qPrintable(quiz));
    }

    void modelWordsInEachLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("text");
        const auto row = [](const char* language, const char* which, const char* text) {
            QTest::addRow("%s, %s", language, which) << language << which << QString::fromUtf8(text);
        };
        row("en", "refusal", "The carrying capacity (K) must be a number other than 0. Enter a number such as 500.");
        row("es", "refusal",
            "La capacidad de carga (K) debe ser un número distinto de 0. Introduzca un número como 500.");
        row("de", "refusal", "Die Kapazität (K) muss eine Zahl ungleich 0 sein. Geben Sie eine Zahl wie 500 ein.");
        row("es", "entry note",
            "El número de pasos de tiempo puede ser como máximo 2000, así que el cuadro muestra 2000.");
        row("de", "entry note", "Die Anzahl der Zeitschritte darf höchstens 2000 sein, daher zeigt das Textfeld 2000.");
        row("en", "chart list name", "Curve of dN vs. N, in points");
        row("es", "chart list name", "Curva de dN frente a N, con puntos");
        row("de", "chart list name", "Kurve von dN gegen N, als Punkte");
        row("es", "map cell", "T = 8, r = 0,2: se extingue en el paso 57");
        row("de", "map cell", "T = 8, r = 0,2: stirbt aus in Schritt 57");
        row("en", "run's first sentence",
            "With r = 0,2, N(0) = 1, K = 500 and a lag of T = 8, the population dies out at step 57: it had "
            "overshot K so far that the next step took it down to 0.");
        row("es", "run's first sentence",
            "Con r = 0,2, N(0) = 1, K = 500 y un retardo de T = 8, la población se extingue en el paso 57: había "
            "sobrepasado K tanto que el paso siguiente la llevó a 0.");
        row("de", "run's first sentence",
            "Mit r = 0,2, N(0) = 1, K = 500 und einer Zeitverzögerung von T = 8 gilt: Die Population stirbt in "
            "Schritt 57 aus: Sie hatte K so weit überschossen, dass der nächste Schritt sie auf 0 brachte.");
        row("en", "legend", "This run: 200 steps | 1 steps");
        row("es", "legend", "Esta simulación: 200 pasos | 1 paso");
        row("de", "legend", "Dieser Lauf: 200 Schritte | 1 Schritt");
        row("en", "one kept run", "Shown with 1 kept run: T=5.");
        row("de", "one kept run", "Gezeigt mit 1 behaltenen Lauf: T=5.");
        row("de", "two kept runs", "Gezeigt mit 2 behaltenen Läufen: T=5; T=5.");
        row("es", "one kept run", "Se muestra con 1 simulación conservada: T=5.");
        row("es", "two kept runs", "Se muestra con 2 simulaciones conservadas: T=5; T=5.");
    }
    void modelWordsInEachLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, which);
        QFETCH(QString, text);
        const Speaking speaking(language.toStdString());
        QCOMPARE(modelText(which), text);
    }

    // Copied data, tarnis-run's lines and the columns' names are read by programs: a language chosen for
    // people must not change them.
    void programsReadEnglish_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addRow("Spanish") << "es";
        QTest::addRow("German") << "de";
    }
    void programsReadEnglish()
    {
        QFETCH(QString, language);
        const Speaking speaking(language.toStdString());
        QCOMPARE(QString::fromStdString(refusalLine(RunRefusal::CapacityZero)),
                 QStringLiteral("--K: the carrying capacity (K) must be a number other than 0"));
        const ChartKindEntry entry = chartKindEntry(ChartKind::NdNvsT, ChartWindow::Main);
        const ChartTable table{entry.xAxisTitle, entry.yAxisTitle, {{"", {{{0}, {1}}, {{0}, {2}}}}}, {}};
        QCOMPARE(QString::fromStdString(chartDataText(table, ',')), QStringLiteral("Time\tN\tTime\tdN\n0\t1\t0\t2\n"));
        QCOMPARE(QString::fromStdString(chartRunNames(LaggedRun, {}, ',').front().data),
                 QStringLiteral("This run: r=0,2; N(0)=1; K=500; T=8; 200 steps"));
        QCOMPARE(QString::fromStdString(continuousComparisonWords().dataColumn), QStringLiteral("N(t) continuous"));
        QCOMPARE(QString::fromUtf8(regimeText(Regime::DiesOut)), QStringLiteral("dies out"));
    }

    void countsTakeTheirForm_data()
    {
        QTest::addColumn<unsigned long long>("count");
        QTest::addColumn<QString>("form");
        QTest::addRow("none") << 0ULL << "{count} steps";
        QTest::addRow("one") << 1ULL << "{count} step";
        QTest::addRow("two") << 2ULL << "{count} steps";
        QTest::addRow("beyond 32 bits") << 4294967297ULL << "{count} steps";
    }
    void countsTakeTheirForm()
    {
        QFETCH(unsigned long long, count);
        QFETCH(QString, form);
        QCOMPARE(QString::fromUtf8(translatePlural("{count} step", "{count} steps", count)), form);
    }

    void countsAsEachLanguageWritesThem_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<unsigned long long>("count");
        QTest::addColumn<QString>("text");
        QTest::addRow("English never groups") << "en" << 1234567ULL << "1234567";
        QTest::addRow("German from five digits") << "de" << 12500ULL << "12.500";
        QTest::addRow("German: four digits together") << "de" << 1000ULL << "1000";
        QTest::addRow("German: millions") << "de" << 1234567ULL << "1.234.567";
        QTest::addRow("Spanish: a no-break space") << "es" << 100000ULL << "100\u00a0000";
    }
    void countsAsEachLanguageWritesThem()
    {
        QFETCH(QString, language);
        QFETCH(unsigned long long, count);
        QFETCH(QString, text);
        const Speaking speaking(language.toStdString());
        QCOMPARE(QString::fromStdString(countText(count)), text);
    }

    void everyLanguageIsOffered()
    {
        QStringList offered;
        for (const Language& language : offeredLanguages())
            offered << QString::fromUtf8(language.code) + ' ' + QString::fromStdString(language.name);
        QCOMPARE(offered, (QStringList{"en English", "de Deutsch", "es Español"}));
    }

    // Each translation keeps the placeholders of its English text, and each of the pseudo-language's
    // texts is marked at both ends and longer than its English by about 40 %.
    void translationsKeepTheirPlaceholders()
    {
        for (const auto& table : catalog_tables::all()) {
            for (const auto& entry : table.entries) {
                const std::string_view english = entry.key.substr(entry.key.find('\x04') + 1);
                for (const std::string_view form : entry.forms) {
                    if (form.empty())
                        continue;
                    QVERIFY2(placeholders(form) == placeholders(english),
                             qPrintable(QStringLiteral("%1: \"%2\" as \"%3\"")
                                            .arg(QString::fromUtf8(table.code), QString::fromUtf8(english),
                                                 QString::fromUtf8(form))));
                    if (table.code != "en-XA" || entry.key.find('\x04') != std::string_view::npos)
                        continue;
                    const QString pseudo = QString::fromUtf8(form);
                    QVERIFY(pseudo.startsWith(u'⟦') && pseudo.endsWith(u'⟧'));
                    QVERIFY(pseudo.size() >= QString::fromUtf8(english).size() * 13 / 10);
                }
            }
        }
    }

    void placeholdersFilled_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("filled");
        QTest::addRow("in the translation's order") << "{b} before {a}"
                                                    << "2 before 1";
        QTest::addRow("twice") << "{a} and {a}"
                               << "1 and 1";
        QTest::addRow("unknown stays") << "{a} of {c}"
                                       << "1 of {c}";
        QTest::addRow("a lone brace") << "{ a } {a"
                                      << "{ a } {a";
        QTest::addRow("a value with braces is not filled again") << "{v}"
                                                                 << "{a}";
    }
    void placeholdersFilled()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, filled);
        const std::string text = fill(pattern.toStdString(), {{"a", "1"}, {"b", "2"}, {"v", "{a}"}});
        QCOMPARE(QString::fromStdString(text), filled);
    }
};

TARNIS_MODEL_TEST_MAIN(TestCatalog)
#include "test_catalog.moc"
