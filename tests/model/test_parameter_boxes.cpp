// What Enter does in each parameter box, and the preset data sets.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run/parameter_boxes.h"
#include "tests/support/model_test_main.h"

using namespace tarnis;

Q_DECLARE_METATYPE(tarnis::ParameterBox)
Q_DECLARE_METATYPE(tarnis::EntryFix)

class TestParameterBoxes : public QObject {
    Q_OBJECT
private slots:
    void enter_data();
    void enter();
    void notes_data();
    void notes();
    void defaults();
    void presets();
};

void TestParameterBoxes::enter_data()
{
    QTest::addColumn<ParameterBox>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("replacement"); // null: the text stays
    QTest::addColumn<bool>("enablesRun");
    QTest::addColumn<EntryFix>("fix");
    const QString keeps;
    QTest::addRow("n0 zero is kept") << ParameterBox::n0 << "0" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("n0 negative") << ParameterBox::n0 << "-2" << '.' << "1" << true << EntryFix::NotAccepted;
    QTest::addRow("n0 letters") << ParameterBox::n0 << "x" << '.' << "1" << true << EntryFix::NotAccepted;
    QTest::addRow("rrate letters") << ParameterBox::r << "abc" << '.' << "0.2" << true << EntryFix::NotAccepted;
    QTest::addRow("rrate letters, comma locale")
        << ParameterBox::r << "abc" << ',' << "0,2" << true << EntryFix::NotAccepted;
    QTest::addRow("rrate comma accepted in comma locale")
        << ParameterBox::r << "0,3" << ',' << keeps << true << EntryFix::None;
    QTest::addRow("rrate point refused in comma locale")
        << ParameterBox::r << "0.3" << ',' << "0,2" << true << EntryFix::NotAccepted;
    QTest::addRow("rrate zero is kept") << ParameterBox::r << "0" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("Kvalue zero") << ParameterBox::K << "0" << '.' << "500" << false << EntryFix::NotAccepted;
    QTest::addRow("Kvalue negative") << ParameterBox::K << "-5" << '.' << "500" << false << EntryFix::NotAccepted;
    QTest::addRow("Kvalue letters") << ParameterBox::K << "abc" << '.' << "500" << false << EntryFix::NotAccepted;
    QTest::addRow("Kvalue accepted") << ParameterBox::K << "750" << '.' << keeps << false << EntryFix::None;
    QTest::addRow("tlag negative") << ParameterBox::lag << "-3" << '.' << "5" << true << EntryFix::NotAccepted;
    QTest::addRow("tlag fractional") << ParameterBox::lag << "2.5" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("tlag empty") << ParameterBox::lag << "" << '.' << "5" << true << EntryFix::NotAccepted;
    QTest::addRow("simut above the cap") << ParameterBox::steps << "2500" << '.' << "2000" << true << EntryFix::Capped;
    QTest::addRow("simut fraction above the cap")
        << ParameterBox::steps << "2000.5" << '.' << "2000" << true << EntryFix::Capped;
    QTest::addRow("simut not whole") << ParameterBox::steps << "12.5" << '.' << "200" << true << EntryFix::NotWhole;
    QTest::addRow("simut zero") << ParameterBox::steps << "0" << '.' << "200" << true << EntryFix::NotAccepted;
    QTest::addRow("simut negative") << ParameterBox::steps << "-1" << '.' << "200" << true << EntryFix::NotAccepted;
    QTest::addRow("simut empty") << ParameterBox::steps << "" << '.' << "200" << true << EntryFix::NotAccepted;
    QTest::addRow("simut letters") << ParameterBox::steps << "abc" << '.' << "200" << true << EntryFix::NotAccepted;
    QTest::addRow("simut leading number kept")
        << ParameterBox::steps << "12abc" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("simut exponent") << ParameterBox::steps << "1e3" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("simut the cap itself") << ParameterBox::steps << "2000" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("simut beyond doubles")
        << ParameterBox::steps << "1e999" << '.' << "200" << true << EntryFix::TooLarge;
    QTest::addRow("Kvalue beyond doubles") << ParameterBox::K << "1e400" << '.' << "500" << false
                                           << EntryFix::TooLarge;
    QTest::addRow("rrate beyond doubles in a comma locale")
        << ParameterBox::r << " 1,5e400 " << ',' << "0,2" << true << EntryFix::TooLarge;
    QTest::addRow("n0 below the most negative double")
        << ParameterBox::n0 << "-1e400" << '.' << "1" << true << EntryFix::NotAccepted;
    QTest::addRow("tlag beyond doubles, then letters")
        << ParameterBox::lag << "1e400x" << '.' << "5" << true << EntryFix::NotAccepted;
    QTest::addRow("rrate tiny is kept") << ParameterBox::r << "1e-400" << '.' << keeps << true << EntryFix::None;
    QTest::addRow("simut comma fraction in comma locale")
        << ParameterBox::steps << "12,5" << ',' << "200" << true << EntryFix::NotWhole;
}

void TestParameterBoxes::enter()
{
    QFETCH(ParameterBox, box);
    QFETCH(QString, text);
    QFETCH(char, separator);
    QFETCH(QString, replacement);
    QFETCH(bool, enablesRun);
    QFETCH(EntryFix, fix);
    const EnterResult result = confirmEntry(box, text.toStdString(), separator);
    QCOMPARE(result.fix, fix);
    QCOMPARE(entryNote(box, fix, separator).empty(), fix == EntryFix::None);
    QCOMPARE(result.replacement.has_value(), !replacement.isNull());
    if (result.replacement)
        QCOMPARE(QString::fromStdString(*result.replacement), replacement);
    QCOMPARE(result.enablesRun, enablesRun);
}

// The words beside a box whose text Enter replaced, with the replacement in the reader's numbers.
void TestParameterBoxes::notes_data()
{
    QTest::addColumn<ParameterBox>("box");
    QTest::addColumn<EntryFix>("fix");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("note");
    QTest::addRow("K") << ParameterBox::K << EntryFix::NotAccepted << '.'
                       << "The carrying capacity (K) must be a number greater than 0, so the box went back to its "
                          "default, 500.";
    QTest::addRow("r, comma locale") << ParameterBox::r << EntryFix::NotAccepted << ','
                                     << "The intrinsic rate (r) must be a number of 0 or more, so the box went back "
                                        "to its default, 0,2.";
    QTest::addRow("steps capped") << ParameterBox::steps << EntryFix::Capped << '.'
                                  << "The number of time steps can be at most 2000, so the box shows 2000.";
    QTest::addRow("steps not whole") << ParameterBox::steps << EntryFix::NotWhole << '.'
                                     << "The number of time steps must be a whole number, so the box went back to "
                                        "its default, 200.";
    QTest::addRow("K too large, comma locale")
        << ParameterBox::K << EntryFix::TooLarge << ','
        << "The carrying capacity (K) is too large to compute with (beyond about 1,8E+308), so the box went back "
           "to its default, 500.";
}

void TestParameterBoxes::notes()
{
    QFETCH(ParameterBox, box);
    QFETCH(EntryFix, fix);
    QFETCH(char, separator);
    QFETCH(QString, note);
    QCOMPARE(QString::fromStdString(entryNote(box, fix, separator)), note);
}

void TestParameterBoxes::defaults()
{
    QCOMPARE(defaultText(ParameterBox::r, '.'), "0.2");
    QCOMPARE(defaultText(ParameterBox::r, ','), "0,2");
    QCOMPARE(defaultText(ParameterBox::steps, '.'), "200");
    QVERIFY(!changeDisablesRun(ParameterBox::K));
    for (ParameterBox box : {ParameterBox::n0, ParameterBox::r, ParameterBox::lag, ParameterBox::steps})
        QVERIFY(changeDisablesRun(box));
}

void TestParameterBoxes::presets()
{
    const QStringList lags{"8", "5", "3"};
    const QStringList steps{"2000", "200", "200"};
    for (int preset = 0; preset < PresetCount; ++preset) {
        const PresetTexts texts = presetTexts(preset, ',');
        const std::array order{ParameterBox::r, ParameterBox::n0, ParameterBox::K, ParameterBox::lag,
                               ParameterBox::steps};
        const std::array<QString, 5> expected{"0,2", "1", "500", lags[preset], steps[preset]};
        for (std::size_t i = 0; i < order.size(); ++i) {
            QCOMPARE(texts[i].first, order[i]);
            QCOMPARE(QString::fromStdString(texts[i].second), expected[i]);
        }
    }
}

TARNIS_MODEL_TEST_MAIN(TestParameterBoxes)
#include "test_parameter_boxes.moc"
