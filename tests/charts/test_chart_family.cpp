// The chart routines over a result store: what each kind puts into the chart (rows, titles, looks),
// the rows that must never read outside the store, values without a number, and the fitted axes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "charts/chart_family.h"
#include "charts/run_legend.h"
#include "charts/series_curve.h"
#include "model/charts/axis_fit.h"
#include "model/numbers/double_double.h"
#include "model/run/run.h"
#include "tests/support/exact.h"
#include "tests/support/test_main.h"

#include <cmath>
#include <limits>
#include <memory>

using namespace tarnis;

Q_DECLARE_METATYPE(ChartKind)
Q_DECLARE_METATYPE(SeriesLook)

namespace {

using Rows = QList<QPointF>;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// What a chart of each kind must show at time step t, written out apart from the chart table.
double expectedValue(const ResultStore& store, const QString& source, int t)
{
    if (source == QLatin1String("t"))
        return t;
    if (source == QLatin1String("N"))
        return store.PopN[t];
    if (source == QLatin1String("N+1"))
        return store.PopN[t + 1];
    if (source == QLatin1String("dN"))
        return store.PopDN[t];
    if (source == QLatin1String("dN/N"))
        return store.PopDNperN[t];
    if (source == QLatin1String("lnN"))
        return tarnis::dd::log(tarnis::dd::DoubleDouble(store.PopN[t])).hi;
    if (source == QLatin1String("K"))
        return store.ParamK;
    return NaN;
}

void compareRows(const ChartControl& chart, int series, const Rows& expected)
{
    const QVector<double> x = chart.series().xData(series);
    const QVector<double> y = chart.series().yData(series);
    QVERIFY(x.size() >= expected.size());
    for (qsizetype row = 0; row < expected.size(); ++row) {
        QCOMPARE_EXACT(x[row], expected[row].x());
        QCOMPARE_EXACT(y[row], expected[row].y());
    }
}

void compareLastRow(const ChartControl& chart, double x, double y)
{
    QVERIFY(chart.series().rowCount() > 0);
    QCOMPARE_EXACT(chart.series().xData(ChartSeries::FirstSeries).last(), x);
    QCOMPARE_EXACT(chart.series().yData(ChartSeries::FirstSeries).last(), y);
}

} // namespace

class TestChartFamily : public QObject {
    Q_OBJECT
private slots:
    void init();

    void kinds_data();
    void kinds();
    void largeWindowGivesTheKLineTheLineLook();
    void lookLeftOutKeepsTheLastLook();
    void oneSeriesAfterTwo();
    void extinction();
    void extinctionAtTheStoreEnd();
    void lastStepOutsideTheStore_data();
    void lastStepOutsideTheStore();
    void singleRow();
    void infinityIsNoValue();
    void axesEndOnTicks();
    void markersLieWhole_data();
    void markersLieWhole();
    void fitAxis_data();
    void fitAxis();
    void fitLogAxis_data();
    void fitLogAxis();
    void ticks_data();
    void ticks();
    void markerRoomOnLogarithms();

private:
    void runDefaults();

    std::unique_ptr<ResultStore> m_store;
    std::unique_ptr<ChartControl> m_chart;
    std::unique_ptr<ChartFamily> m_charts;
};

void TestChartFamily::init()
{
    m_store = std::make_unique<ResultStore>();
    m_chart = std::make_unique<ChartControl>();
    m_chart->resize(404, 276);
    m_charts = std::make_unique<ChartFamily>(*m_chart, *m_store, ChartWindow::Main);
    runDefaults();
}

void TestChartFamily::runDefaults()
{
    RunParameters defaults;
    defaults.r = 0.2;
    defaults.K = 500;
    defaults.steps = 200;
    defaults.n0 = 1;
    defaults.lag = 5;
    QCOMPARE(runModel(*m_store, defaults).end, RunEnd::Completed);
}

void TestChartFamily::kinds_data()
{
    QTest::addColumn<ChartKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("yTitle");
    QTest::addColumn<QString>("xTitle");
    QTest::addColumn<QStringList>("sources"); // x and y of series 1, then of series 3
    QTest::addColumn<SeriesLook>("look");
    QTest::addColumn<Rows>("firstRows"); // of series 1, from the defaults

    const auto time = [](double y0, double y1, double y2) { return Rows{{0, y0}, {1, y1}, {2, y2}}; };
    const Rows ofN{{1, 1.1996}, {1.1996, 1.438944383936}, {1.438944383936, 1.7259050363471757}};
    const Rows dNofN{{1, 0.1996}, {1.1996, 0.23934438393600002}, {1.438944383936, 0.2869606524111757}};
    const Rows perNofN{{1, 0.1996}, {1.1996, 0.19952016000000003}, {1.438944383936, 0.19942442224642562}};
    const SeriesLook line = SeriesLook::Line, points = SeriesLook::Points;

    const auto row = [](const char* name, ChartKind kind, const char* title, const char* yTitle, const char* xTitle,
                        const QStringList& sources, SeriesLook look, const Rows& firstRows) {
        QTest::addRow("%s", name) << kind << QString::fromLatin1(title) << QString::fromLatin1(yTitle)
                                  << QString::fromLatin1(xTitle) << sources << look << firstRows;
    };
    row("ShowNtvsT", ChartKind::NtvsT, "Curve of N(t) vs. time", "N(t)", "Time", {"t", "N"}, line,
        time(1, 1.1996, 1.438944383936));
    row("ShowdNvsT", ChartKind::dNvsT, "Curve of dN/dt vs. time", "dN", "Time", {"t", "dN"}, line,
        time(0.1996, 0.23934438393600002, 0.2869606524111757));
    row("ShowLogNvsT", ChartKind::LogNvsT, "Curve of logN(t) vs. time", "lnN", "Time", {"t", "lnN"}, line,
        time(0, 0.18198816789271696, 0.363909778052011));
    row("ShowNtKvsT", ChartKind::NtKvsT, "Curve of N(t) and K vs. time", "N(t) and K", "Time", {"t", "N", "t", "K"},
        line, time(1, 1.1996, 1.438944383936));
    row("ShowNdNvsT", ChartKind::NdNvsT, "Curve of N and dN/dt vs. time", "N and dN", "Time", {"t", "N", "t", "dN"},
        line, time(1, 1.1996, 1.438944383936));
    row("ShowdNvsN", ChartKind::dNvsN, "Curve of dN vs. N", "dN", "N", {"N", "dN"}, points, dNofN);
    row("ShowdNvsNinLine", ChartKind::dNvsNinLine, "Curve of dN vs. N", "dN", "N", {"N", "dN"}, line, dNofN);
    row("ShowdNperNvsN", ChartKind::dNperNvsN, "Curve of dN/Ndt vs. N", "dN/N", "N", {"N", "dN/N"}, points, perNofN);
    row("ShowdNperNvsNinLine", ChartKind::dNperNvsNinLine, "Curve of dN/Ndt vs. N", "dN/N", "N", {"N", "dN/N"}, line,
        perNofN);
    row("ShowNtvsNtnext", ChartKind::NtvsNtnext, "Curve of N(t+1) vs. N(t)", "N(t+1)", "N(t)", {"N", "N+1"}, points,
        ofN);
    row("ShowNtvsNtnextinLine", ChartKind::NtvsNtnextinLine, "Curve of N(t+1) vs. N(t)", "N(t+1)", "N(t)", {"N", "N+1"},
        line, ofN);
}

void TestChartFamily::kinds()
{
    QFETCH(ChartKind, kind);
    QFETCH(QString, title);
    QFETCH(QString, yTitle);
    QFETCH(QString, xTitle);
    QFETCH(QStringList, sources);
    QFETCH(SeriesLook, look);
    QFETCH(Rows, firstRows);

    // Start from the other look, so that the kind has to set its own.
    m_charts->draw(look == SeriesLook::Line ? ChartKind::dNvsN : ChartKind::dNvsNinLine);
    m_charts->draw(kind);

    QCOMPARE(m_chart->chartTitle(), title);
    QCOMPARE(m_chart->yAxisTitle(), yTitle);
    QCOMPARE(m_chart->xAxisTitle(), xTitle);
    QCOMPARE(m_chart->series().seriesCount(), int(sources.size() / 2));
    QCOMPARE(m_chart->series().columnCount(), int(sources.size()));
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::FirstSeries), look);
    if (sources.size() == 4)
        QCOMPARE(m_chart->series().seriesLook(ChartSeries::SecondSeries), SeriesLook::Line);
    QCOMPARE(m_chart->series().rowCount(), 201);
    compareRows(*m_chart, ChartSeries::FirstSeries, firstRows);

    for (int series = 0; series < sources.size() / 2; ++series) {
        const int number = series == 0 ? ChartSeries::FirstSeries : ChartSeries::SecondSeries;
        const QVector<double> x = m_chart->series().xData(number);
        const QVector<double> y = m_chart->series().yData(number);
        QCOMPARE(x.size(), 201);
        QCOMPARE(y.size(), 201);
        for (int t = 0; t <= 200; ++t) {
            QCOMPARE_EXACT(x[t], expectedValue(*m_store, sources[2 * series], t));
            QCOMPARE_EXACT(y[t], expectedValue(*m_store, sources[2 * series + 1], t));
        }
    }
    // The last rows of the two kinds whose ends the design names; N(t+1) ends on PopN(201).
    if (kind == ChartKind::NtvsT)
        compareLastRow(*m_chart, 200, 499.936872437631);
    if (kind == ChartKind::NtvsNtnext)
        compareLastRow(*m_chart, 499.936872437631, 499.9172326862404);
    for (const QFont& font : {m_chart->xAxis->labelFont(), m_chart->yAxis->labelFont()}) {
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pointSizeF(), 10.0);
    }
    // Without kept runs a legend shows only where two quantities share the chart, and names them.
    QStringList legend;
    for (const RunLegendItem* line : m_chart->runLegend().lines())
        legend << line->text();
    const QHash<ChartKind, QStringList> named{{ChartKind::NtKvsT, {"N(t), K"}}, {ChartKind::NdNvsT, {"N(t), dN(t)"}}};
    QCOMPARE(legend, named.value(kind));
}

void TestChartFamily::largeWindowGivesTheKLineTheLineLook()
{
    ChartFamily large(*m_chart, *m_store, ChartWindow::Large);
    large.ShowNtKvsT();
    QCOMPARE(m_chart->series().seriesCount(), 2);
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::SecondSeries), SeriesLook::Line);
    const QVector<double> k = m_chart->series().yData(ChartSeries::SecondSeries);
    QCOMPARE(k.size(), 201);
    QVERIFY(std::all_of(k.begin(), k.end(), [](double value) { return value == 500.0; }));
}

void TestChartFamily::lookLeftOutKeepsTheLastLook()
{
    m_charts->ShowdNvsN();
    m_charts->drawKeepingLook(ChartKind::NtvsT);
    QCOMPARE(m_chart->chartTitle(), QStringLiteral("Curve of N(t) vs. time"));
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::FirstSeries), SeriesLook::Points);
    compareLastRow(*m_chart, 200, 499.936872437631);
    m_charts->ShowdNvsNinLine();
    m_charts->drawKeepingLook(ChartKind::NtvsT);
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::FirstSeries), SeriesLook::Line);
}

void TestChartFamily::oneSeriesAfterTwo()
{
    m_charts->ShowNdNvsT();
    QCOMPARE(m_chart->series().seriesCount(), 2);
    m_charts->ShowdNvsT();
    QCOMPARE(m_chart->series().seriesCount(), 1);
    QCOMPARE(m_chart->series().columnCount(), 2);
    QVERIFY(m_chart->series().xData(ChartSeries::SecondSeries).isEmpty());
    QCOMPARE(m_chart->plottableCount(), 1);
}

void TestChartFamily::extinction()
{
    // An extinction at step 4 of a run whose store still holds an earlier, longer run above it.
    m_store->LastStep = 4;
    m_store->PopN[4] = 0.0;
    m_charts->ShowNtvsT();
    QCOMPARE(m_chart->series().rowCount(), 5);
    compareLastRow(*m_chart, 4, 0);
    m_charts->ShowLogNvsT();
    QCOMPARE(m_chart->series().rowCount(), 5);
    QCOMPARE_EXACT(m_chart->series().yData(ChartSeries::FirstSeries)[4], NaN);
    QCOMPARE_EXACT(m_chart->series().yData(ChartSeries::FirstSeries)[3],
                   tarnis::dd::log(tarnis::dd::DoubleDouble(m_store->PopN[3])).hi);
    const QCPRange range = m_chart->yAxis->range();
    QVERIFY(std::isfinite(range.lower) && std::isfinite(range.upper));
    m_charts->ShowNtvsNtnext();
    QCOMPARE(m_chart->series().rowCount(), 5);
    QCOMPARE_EXACT(m_chart->series().yData(ChartSeries::FirstSeries)[4], m_store->PopN[5]);
}

void TestChartFamily::extinctionAtTheStoreEnd()
{
    m_store->LastStep = MaxStoreIndex;
    m_store->PopN.fill(3.0);
    m_store->PopN[MaxStoreIndex] = 0.0;
    m_charts->ShowNtvsNtnext();
    QCOMPARE(m_chart->series().rowCount(), MaxStoreIndex);
    compareLastRow(*m_chart, 3, 0);
    m_charts->ShowNtvsNtnextinLine();
    QCOMPARE(m_chart->series().rowCount(), MaxStoreIndex);
    m_charts->ShowNtvsT();
    QCOMPARE(m_chart->series().rowCount(), MaxStoreIndex + 1);
    compareLastRow(*m_chart, MaxStoreIndex, 0);
}

void TestChartFamily::lastStepOutsideTheStore_data()
{
    QTest::addColumn<int>("lastStep");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("nextRows");
    QTest::addRow("-1") << -1 << 0 << 0;
    QTest::addRow("smallest") << -32768 << 0 << 0;
    QTest::addRow("one past the store") << 10001 << 10001 << 10000;
    QTest::addRow("largest") << 32767 << 10001 << 10000;
}

void TestChartFamily::lastStepOutsideTheStore()
{
    QFETCH(int, lastStep);
    QFETCH(int, rows);
    QFETCH(int, nextRows);
    m_store->LastStep = std::int16_t(lastStep);
    for (const ChartKind kind : {ChartKind::NtvsT, ChartKind::NdNvsT, ChartKind::LogNvsT}) {
        m_charts->draw(kind);
        QCOMPARE(m_chart->series().rowCount(), rows);
    }
    m_charts->ShowNtvsNtnext();
    QCOMPARE(m_chart->series().rowCount(), nextRows);
}

void TestChartFamily::singleRow()
{
    m_store->LastStep = 0;
    m_charts->ShowNtvsT();
    QCOMPARE(m_chart->series().rowCount(), 1);
    compareRows(*m_chart, ChartSeries::FirstSeries, Rows{{0, 1}});
    // The single point lies inside both axes, not on an empty range.
    for (const QCPAxis* axis : {m_chart->xAxis, m_chart->yAxis})
        QVERIFY(axis->range().lower < axis->range().upper);
    QVERIFY(m_chart->xAxis->range().contains(0));
    QVERIFY(m_chart->yAxis->range().contains(1));
    // A line through one point would draw nothing; the point shows as a dot.
    const auto* curve = qobject_cast<QCPCurve*>(m_chart->plottable(0));
    QVERIFY(curve && !curve->scatterStyle().isNone());
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::FirstSeries), SeriesLook::Line);
    m_store->LastStep = 1;
    m_charts->ShowNtvsT();
    QVERIFY(curve->scatterStyle().isNone());
}

void TestChartFamily::infinityIsNoValue()
{
    m_charts->ShowNtvsT(); // y up to about 650
    m_store->PopDN[3] = Inf;
    m_store->PopDN[4] = -Inf;
    m_charts->ShowdNvsT();
    QCOMPARE_EXACT(m_chart->series().yData(ChartSeries::FirstSeries)[3], NaN);
    QCOMPARE_EXACT(m_chart->series().yData(ChartSeries::FirstSeries)[4], NaN);
    // The axis fits the dN values (within about ±60), not the range of the chart before.
    QVERIFY(m_chart->yAxis->range().upper <= 100);
    QVERIFY(m_chart->yAxis->range().lower >= -100);
}

void TestChartFamily::axesEndOnTicks()
{
    m_charts->ShowNtvsT();
    QCOMPARE(m_chart->xAxis->range().lower, 0.0);
    QCOMPARE(m_chart->xAxis->range().upper, 200.0);
    // The line look; the points look leaves its markers room where they would be cut (markersLieWhole).
    m_charts->ShowdNperNvsNinLine();
    for (const QCPAxis* axis : {m_chart->xAxis, m_chart->yAxis}) {
        const double step = axis->ticker().staticCast<QCPAxisTickerFixed>()->tickStep();
        const double lower = axis->range().lower / step, upper = axis->range().upper / step;
        QVERIFY2(qFuzzyCompare(lower, std::round(lower)) || std::abs(lower) < 1e-9, qPrintable(axis->label()));
        QVERIFY2(qFuzzyCompare(upper, std::round(upper)), qPrintable(axis->label()));
    }
}

void TestChartFamily::markersLieWhole_data()
{
    QTest::addColumn<ChartKind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("logarithmic"); // N vs. t in the points look left over, on a logarithmic N axis
    for (const auto& [size, name] : {std::pair{QSize(404, 276), "main"}, std::pair{QSize(692, 462), "large"}}) {
        // dN/N starts at 0.1996 under a tick at 0.2, and N at 1 just above a tick at 0.
        QTest::addRow("%s dN/N vs. N", name) << ChartKind::dNperNvsN << size << false;
        QTest::addRow("%s dN vs. N", name) << ChartKind::dNvsN << size << false;
        QTest::addRow("%s N(t+1) vs. N(t)", name) << ChartKind::NtvsNtnext << size << false;
        // N(0) = 1 lies on the decade at the axis' foot.
        QTest::addRow("%s N vs. t, logarithmic", name) << ChartKind::NtvsT << size << true;
    }
}

void TestChartFamily::markersLieWhole()
{
    QFETCH(ChartKind, kind);
    QFETCH(QSize, size);
    QFETCH(bool, logarithmic);
    m_chart->resize(size);
    m_chart->show(); // the plot takes its size on screen only when shown
    m_chart->setLogNAxisChosen(logarithmic);
    m_charts->ShowdNvsN();
    m_charts->drawKeepingLook(kind);
    QCOMPARE(m_chart->series().seriesLook(ChartSeries::FirstSeries), SeriesLook::Points);

    // The square and its outline, from its centre.
    const double reach = MarkerPixels / 2 + 0.5;
    const QRectF plot = m_chart->axisRect()->rect();
    const QVector<double> x = m_chart->series().xData(ChartSeries::FirstSeries),
                          y = m_chart->series().yData(ChartSeries::FirstSeries);
    double left = qInf(), top = qInf(), right = -qInf(), bottom = -qInf(); // the markers' outermost centres
    for (qsizetype row = 0; row < x.size(); ++row) {
        const QPointF at(m_chart->xAxis->coordToPixel(x[row]), m_chart->yAxis->coordToPixel(y[row]));
        const QRectF square(at - QPointF(reach, reach), at + QPointF(reach, reach));
        QVERIFY2(plot.adjusted(-0.01, -0.01, 0.01, 0.01).contains(square),
                 qPrintable(QStringLiteral("row %1 at (%2, %3), plot from (%4, %5) to (%6, %7)")
                                .arg(row)
                                .arg(at.x())
                                .arg(at.y())
                                .arg(plot.left())
                                .arg(plot.top())
                                .arg(plot.right())
                                .arg(plot.bottom())));
        left = std::min(left, at.x());
        right = std::max(right, at.x());
        top = std::min(top, at.y());
        bottom = std::max(bottom, at.y());
    }
    // An end stays on its labelled tick, or moves out by a small margin, not by a tick step.
    const auto onTick = [](const QCPAxis* axis, double end) {
        if (axis->scaleType() == QCPAxis::stLogarithmic)
            return qFuzzyCompare(std::log10(end), std::round(std::log10(end)));
        const double steps = end / axis->ticker().staticCast<QCPAxisTickerFixed>()->tickStep();
        return std::abs(end) < 1e-9 || qFuzzyCompare(steps, std::round(steps));
    };
    const QCPRange xRange = m_chart->xAxis->range(), yRange = m_chart->yAxis->range();
    QVERIFY(onTick(m_chart->xAxis, xRange.lower) || left - plot.left() < 8);
    QVERIFY(onTick(m_chart->xAxis, xRange.upper) || plot.right() - right < 8);
    QVERIFY(onTick(m_chart->yAxis, yRange.lower) || plot.bottom() - bottom < 8);
    QVERIFY(onTick(m_chart->yAxis, yRange.upper) || top - plot.top() < 8);
    m_chart->setLogNAxisChosen(false);
}

void TestChartFamily::fitAxis_data()
{
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("step");
    QTest::addRow("time steps") << 0.0 << 200.0 << 0.0 << 200.0 << 50.0;
    QTest::addRow("outward") << -37.2 << 61.0 << -50.0 << 75.0 << 25.0;
    QTest::addRow("small") << 0.1 << 0.2 << 0.1 << 0.2 << 0.025;
    QTest::addRow("a single value") << 500.0 << 500.0 << 450.0 << 550.0 << 25.0;
    QTest::addRow("a single zero") << 0.0 << 0.0 << -1.0 << 1.0 << 0.5;
    QTest::addRow("no data") << Inf << -Inf << 0.0 << 1.0 << 0.2;
    // The chart widget silently refuses a range of 1e250 or more and would keep the one before.
    QTest::addRow("beyond the widget's scale") << -1e300 << 1e300 << -1e249 << 1e249 << 5e248;
}

void TestChartFamily::fitAxis()
{
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(double, step);
    const AxisFit fit = tarnis::fitAxis(lowest, highest, 4);
    QCOMPARE(fit.lower, lower);
    QCOMPARE(fit.upper, upper);
    QCOMPARE(fit.step, step);
}

void TestChartFamily::fitLogAxis_data()
{
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addRow("outward to decades") << 0.5 << 2000.0 << 0.1 << 10000.0;
    QTest::addRow("on decades") << 1.0 << 10.0 << 1.0 << 10.0;
    QTest::addRow("a hair below a decade") << 0.9999999999 << 100.0000000001 << 1.0 << 100.0;
    QTest::addRow("one value") << 3.0 << 3.0 << 1.0 << 10.0;
    QTest::addRow("near the widget's limit") << 1e-300 << 1.0 << 1e-249 << 1.0;
    QTest::addRow("no positive data") << -5.0 << 0.0 << 1.0 << 10.0;
}

void TestChartFamily::fitLogAxis()
{
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(double, lower);
    QFETCH(double, upper);
    const AxisFit fit = tarnis::fitLogAxis(lowest, highest);
    QCOMPARE(fit.lower, lower);
    QCOMPARE(fit.upper, upper);
}

// The ticks both front ends draw, and when their labels stand apart.
void TestChartFamily::ticks_data()
{
    QTest::addColumn<std::vector<double>>("ticks");
    QTest::addColumn<std::vector<double>>("expected");
    QTest::addRow("multiples of the step") << ticksAt(0.0, 200.0, 50.0) << std::vector{0.0, 50.0, 100.0, 150.0, 200.0};
    QTest::addRow("ends a rounding off a tick")
        << ticksAt(-0.30000000000000004, 0.30000000000000004, 0.1)
        << std::vector{-3 * 0.1, -2 * 0.1, -0.1, 0.0, 0.1, 2 * 0.1, 3 * 0.1};
    QTest::addRow("no step") << ticksAt(0.0, 1.0, 0.0) << std::vector<double>{};
    QTest::addRow("too many to read") << ticksAt(0.0, 1e300, 1.0) << std::vector<double>{};
    QTest::addRow("decades") << decadeTicks(1e-3, 1e4) << std::vector{1e-3, 1e-2, 0.1, 1.0, 10.0, 100.0, 1e3, 1e4};
    QTest::addRow("every second decade below 1") << decadeTicks(1e-3, 1e4, 2) << std::vector{1e-2, 1.0, 100.0, 1e4};
    QTest::addRow("every fifth decade") << decadeTicks(0.5, 2000.0, 5) << std::vector{1.0};
    QTest::addRow("labels just apart") << std::vector<double>{double(labelsApart(std::vector<LabelPlace>{{0, 10}, {16, 10}}))}
                                       << std::vector{1.0};
    QTest::addRow("labels a hair too close")
        << std::vector<double>{double(labelsApart(std::vector<LabelPlace>{{0, 10}, {40, 30}, {55.9, 10}}))}
        << std::vector{0.0};
}

void TestChartFamily::ticks()
{
    QFETCH(std::vector<double>, ticks);
    QFETCH(std::vector<double>, expected);
    QCOMPARE(ticks, expected);
}

// On a logarithmic axis the markers' room is measured on the logarithms: from 1 to 100 with a tenth of
// the length at each end, 10^-0.25 to 10^2.25.
void TestChartFamily::markerRoomOnLogarithms()
{
    const AxisRange range = withMarkerRoom({1.0, 100.0}, 1.0, 100.0, 100.0, 10.0, true);
    QVERIFY(qFuzzyCompare(range.lower, 0.5623413251903491));
    QVERIFY(qFuzzyCompare(range.upper, 177.82794100389228));
}

TARNIS_GUI_TEST_MAIN(TestChartFamily)
#include "test_chart_family.moc"
