// The title animation's rules without a window: which variant a fraction picks, the fixed start of
// the generator, the share of each variant, and that no tick repeats the variant shown.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/screens/title_animation.h"
#include "tests/support/model_test_main.h"

#include <array>
#include <vector>

using namespace tarnis;

class TestTitleAnimation : public QObject {
    Q_OBJECT
private slots:
    void variantFor_data();
    void variantFor();
    void freshGeneratorsAgree();
    void variantShares();
    void ticksNeverRepeat();
};

void TestTitleAnimation::variantFor_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("variant");
    QTest::addRow("zero") << 0.0 << 0;
    QTest::addRow("0.5 rounds down to even") << 0.125 << 0;
    QTest::addRow("just above 0.5") << 0.12500001 << 1;
    QTest::addRow("1.5 rounds up to even") << 0.375 << 2;
    QTest::addRow("2.5 rounds down to even") << 0.625 << 2;
    QTest::addRow("just above 2.5") << 0.62500001 << 3;
    QTest::addRow("3.5 rounds up to even") << 0.875 << 4;
    QTest::addRow("just below 3.5") << 0.87499999 << 3;
    QTest::addRow("largest fraction") << std::nextafter(1.0, 0.0) << 4;
}

void TestTitleAnimation::variantFor()
{
    QFETCH(double, fraction);
    QFETCH(int, variant);
    QCOMPARE(titleVariantFor(fraction), variant);
}

void TestTitleAnimation::freshGeneratorsAgree()
{
    TitleRandom first, second;
    for (int draw = 0; draw < 1000; ++draw) {
        const double u = first.next();
        QCOMPARE(second.next(), u);
        QVERIFY2(u >= 0.0 && u < 1.0, qPrintable(QString::number(u, 'g', 17)));
    }
}

void TestTitleAnimation::variantShares()
{
    // Before the no-repeat rule the outer variants are half as likely as the inner ones.
    constexpr int Draws = 80000;
    constexpr std::array<double, TitleVariants> Expected{0.125, 0.25, 0.25, 0.25, 0.125};
    std::array<int, TitleVariants> counts{};
    TitleRandom random;
    for (int draw = 0; draw < Draws; ++draw)
        ++counts[std::size_t(titleVariantFor(random.next()))];
    for (std::size_t variant = 0; variant < counts.size(); ++variant) {
        const double share = double(counts[variant]) / Draws;
        QVERIFY2(std::abs(share - Expected[variant]) < 0.01,
                 qPrintable(QStringLiteral("variant %1: share %2").arg(variant).arg(share)));
    }
}

void TestTitleAnimation::ticksNeverRepeat()
{
    TitleAnimation title;
    TitleRandom random;
    std::vector<int> shown;
    for (int tick = 0; tick < 2000; ++tick) {
        const std::int16_t before = title.ShownTitle;
        const TitleChange change = advanceTitle(title, random);
        QCOMPARE(change.hide, before);
        QVERIFY(change.show != change.hide);
        QCOMPARE(title.ShownTitle, change.show);
        QCOMPARE(title.NextTitle, change.show);
        shown.push_back(change.show);
    }
    QVERIFY(shown.front() != 0); // all variants start hidden and ShownTitle starts at 0
    // Every variant comes up, variant 0 included, once the first tick is past.
    for (int variant = 0; variant < TitleVariants; ++variant)
        QVERIFY(std::find(shown.begin(), shown.end(), variant) != shown.end());
}

TARNIS_MODEL_TEST_MAIN(TestTitleAnimation)
#include "test_title_animation.moc"
