// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/plot_style.h"

#include "charts/axis_room.h"
#include "model/words/regime_words.h"
#include "ui/design.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace tarnis {

namespace {
constexpr double TitlePoints = 10.0;
constexpr double TickLabelPoints = 8.0;
constexpr double LegendPoints = 8.0;
constexpr int DefaultTicks = 5; // where the axis has room for them

// Powers of ten while the range spans a few decades, and where there is room the steps between them
// as well (2, 3, 4 and 5 of each decade, or 2 and 5); closer in, the steps of a linear axis, so that a
// zoomed view still has its labels. Never so many that two labels touch.
class DecadeTicker : public QCPAxisTickerLog {
public:
    explicit DecadeTicker(const QCPAxis* axis)
        : m_axis(axis)
    {
    }

protected:
    void generate(const QCPRange& range, const QLocale& locale, QChar formatChar, int precision, QVector<double>& ticks,
                  QVector<double>* subTicks, QVector<QString>* tickLabels) override
    {
        // Over decades, the steps of each from the most to none; closer in, from five ticks to one.
        const bool decades = range.lower > 0.0 && range.upper / range.lower >= 20.0;
        const int attempts = decades ? int(std::size(Multiples)) : DefaultTicks;
        generateWithRoom(*m_axis, attempts, ticks, tickLabels, [&](int attempt, QVector<QString>& labels) {
            m_multiples = decades ? attempts - 1 - attempt : 0;
            setTickCount(decades ? DefaultTicks : DefaultTicks - attempt);
            QCPAxisTickerLog::generate(range, locale, formatChar, precision, ticks, subTicks, &labels);
        });
    }

    QVector<double> createTickVector(double tickStep, const QCPRange& range) override
    {
        if (!(range.lower > 0.0 && range.upper / range.lower >= 20.0))
            return QCPAxisTicker::createTickVector(tickStep, range);
        const QVector<double> powers = QCPAxisTickerLog::createTickVector(tickStep, range);
        const auto& multiples = Multiples[std::size_t(m_multiples)];
        if (multiples.size() == 1 || powers.size() < 2 || powers[1] / powers[0] > 10.5)
            return powers; // a label a decade (or fewer) is all there is room for
        QVector<double> ticks;
        for (const double power : powers)
            for (const double multiple : multiples)
                ticks.append(power * multiple);
        return ticks;
    }

    // The steps of each decade that carry no label.
    QVector<double> createSubTickVector(int subTickCount, const QVector<double>& ticks) override
    {
        const auto& multiples = Multiples[std::size_t(m_multiples)];
        if (multiples.size() == 1 || ticks.size() < 2)
            return QCPAxisTickerLog::createSubTickVector(subTickCount, ticks);
        QVector<double> subTicks;
        for (const double tick : ticks) {
            const double power = std::pow(10.0, std::floor(std::log10(tick) + 1e-9));
            if (std::fabs(tick / power - 1.0) > 1e-9)
                continue;
            for (int multiple = 2; multiple <= 9; ++multiple)
                if (std::find(multiples.begin(), multiples.end(), double(multiple)) == multiples.end())
                    subTicks.append(power * multiple);
        }
        return subTicks;
    }

    // As few digits before the power of ten as the tick needs: "10⁻³", "2.5·10⁻³".
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override
    {
        if (formatChar == QLatin1Char('e')) {
            precision = 0;
            const auto written = [&] { return locale.toDouble(locale.toString(tick, 'e', precision)); };
            while (precision < 3 && std::fabs(written() - tick) > 1e-9 * std::fabs(tick))
                ++precision;
        }
        // The plot writes the power as a superscript only after a small e, which some locales write large.
        return QCPAxisTickerLog::getTickLabel(tick, locale, formatChar, precision)
            .replace(locale.exponential(), QStringLiteral("e"));
    }

private:
    // The labelled steps of a decade, sparsest first.
    static constexpr double PowersOnly[]{1.0};
    static constexpr double OneTwoFive[]{1.0, 2.0, 5.0};
    static constexpr double OneToFive[]{1.0, 2.0, 3.0, 4.0, 5.0};
    static constexpr std::array<std::span<const double>, 3> Multiples{PowersOnly, OneTwoFive, OneToFive};

    const QCPAxis* m_axis;
    int m_multiples = 0; // index into Multiples
};

} // namespace

void styleAxis(QCPAxis* axis, const QString& label)
{
    axis->setLabel(label);
    axis->setLabelFont(arialFont(TitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
    axis->setTicker(QSharedPointer<RoomyTicker>::create(axis, DefaultTicks));
    axis->grid()->setVisible(false);
}

void plainNumbers(QCustomPlot& plot)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    plot.setLocale(locale);
}

void setScale(QCPAxis* axis, bool logarithmic, AxisNumbers numbers)
{
    if (!logarithmic) {
        axis->setScaleType(QCPAxis::stLinear);
        axis->setTicker(QSharedPointer<RoomyTicker>::create(axis, DefaultTicks));
        axis->setNumberFormat(QStringLiteral("g"));
        axis->setNumberPrecision(6);
        return;
    }
    auto ticker = QSharedPointer<DecadeTicker>::create(axis);
    ticker->setLogBase(10.0);
    ticker->setSubTickCount(8);
    axis->setScaleType(QCPAxis::stLogarithmic);
    axis->setTicker(ticker);
    axis->setNumberFormat(numbers == AxisNumbers::PowersOfTen ? QStringLiteral("eb") : QStringLiteral("g"));
    axis->setNumberPrecision(numbers == AxisNumbers::PowersOfTen ? 0 : 6);
}

double toAxisScale(const QCPAxis* axis, double value)
{
    return axis->scaleType() == QCPAxis::stLogarithmic ? std::log10(value) : value;
}

double fromAxisScale(const QCPAxis* axis, double value)
{
    return axis->scaleType() == QCPAxis::stLogarithmic ? std::pow(10.0, value) : value;
}

namespace {

const char* const WholeTitle = "tarnisWholeTitle";
constexpr double TitleSideRoom = 8.0; // the title's margin at either side

// The words on lines no wider than `width`, each line as full as it can be; a word wider than the
// width stands on a line of its own, and an equation ("K = 500") stays on one line.
QString wrappedToWidth(const QString& text, const QFont& font, double width)
{
    const QFontMetricsF metrics(font);
    QString joined = text;
    joined.replace(QStringLiteral(" = "), QStringLiteral("\u00A0=\u00A0"));
    QStringList lines;
    for (const QString& word : joined.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = lines.isEmpty() ? word : lines.back() + QLatin1Char(' ') + word;
        if (!lines.isEmpty() && metrics.horizontalAdvance(longer) <= width)
            lines.back() = longer;
        else
            lines.append(word);
    }
    return lines.join(QLatin1Char('\n'));
}

void wrapTitle(QCPTextElement& title)
{
    const double width = title.parentPlot()->width() - 2.0 * TitleSideRoom;
    title.setText(wrappedToWidth(titleText(title), title.font(), width));
}

// Wraps the title anew whenever its plot's width changes, before the plot lays itself out again.
class TitleWrapper : public QObject {
public:
    TitleWrapper(QCustomPlot& plot, QCPTextElement& title)
        : QObject(&title)
        , m_title(title)
    {
        plot.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize)
            wrapTitle(m_title);
        return false;
    }

private:
    QCPTextElement& m_title;
};

} // namespace

QCPTextElement* addTitle(QCustomPlot& plot)
{
    auto* title = new QCPTextElement(&plot, QString(), arialFont(TitlePoints));
    plot.plotLayout()->insertRow(0);
    plot.plotLayout()->addElement(0, 0, title);
    new TitleWrapper(plot, *title);
    return title;
}

void setTitle(QCPTextElement& title, const QString& text)
{
    title.setProperty(WholeTitle, text);
    wrapTitle(title);
}

QString titleText(const QCPTextElement& title) { return title.property(WholeTitle).toString(); }

void arrangeLegend(QCPLegend& legend, int columns)
{
    if (columns == legend.wrap() && legend.fillOrder() == QCPLegend::foColumnsFirst)
        return;
    legend.setWrap(columns);
    legend.setFillOrder(QCPLegend::foColumnsFirst, true);
}

void fitLegendColumns(QCPLegend& legend, int width, int most, int least)
{
    int columns = most;
    arrangeLegend(legend, columns);
    while (columns > least && legend.minimumOuterSizeHint().width() > width)
        arrangeLegend(legend, --columns);
}

namespace {

class LegendFitter : public QObject {
public:
    LegendFitter(QCustomPlot& plot, int most)
        : QObject(&plot)
        , m_most(most)
    {
        plot.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            auto& plot = *static_cast<QCustomPlot*>(watched);
            fitLegendColumns(*plot.legend, plot.width(), m_most, 1);
        }
        return false;
    }

private:
    int m_most;
};

} // namespace

void keepLegendFitted(QCustomPlot& plot, int most) { new LegendFitter(plot, most); }

QCPLayer* addPointerLayer(QCustomPlot& plot)
{
    const QString name = QStringLiteral("pointer");
    plot.addLayer(name, plot.layer(QStringLiteral("main")), QCustomPlot::limAbove);
    QCPLayer* layer = plot.layer(name);
    layer->setMode(QCPLayer::lmBuffered);
    return layer;
}

QCPItemText* addPlaceholder(QCustomPlot& plot, QCPAxisRect* rect)
{
    auto* text = new QCPItemText(&plot);
    text->setClipAxisRect(rect);
    text->position->setAxisRect(rect);
    text->position->setType(QCPItemPosition::ptAxisRectRatio);
    text->position->setCoords(0.5, 0.5);
    text->setFont(arialFont(TitlePoints));
    text->setColor(Qt::darkGray);
    text->setText(QString::fromStdString(noRunPictureWords()));
    return text;
}

QFont legendFont() { return arialFont(LegendPoints); }

void fitAxisTitle(QCPAxis* axis)
{
    constexpr double SmallestPoints = 6.0;
    const int length = axis->orientation() == Qt::Vertical ? axis->axisRect()->height() : axis->axisRect()->width();
    double points = TitlePoints;
    while (points > SmallestPoints && QFontMetricsF(arialFont(points)).horizontalAdvance(axis->label()) > length)
        points -= 0.5;
    if (axis->labelFont().pointSizeF() != points)
        axis->setLabelFont(arialFont(points));
}

QRectF textItemRect(const QCPItemText& item, QPointF anchor)
{
    const QMargins padding = item.padding();
    const QSizeF size = QSizeF(QFontMetrics(item.font()).boundingRect(item.text()).size())
        + QSizeF(padding.left() + padding.right(), padding.top() + padding.bottom());
    const Qt::Alignment alignment = item.positionAlignment();
    const double left = alignment & Qt::AlignRight ? anchor.x() - size.width()
        : alignment & Qt::AlignHCenter             ? anchor.x() - size.width() / 2
                                                   : anchor.x();
    const double top = alignment & Qt::AlignBottom ? anchor.y() - size.height()
        : alignment & Qt::AlignVCenter             ? anchor.y() - size.height() / 2
                                                   : anchor.y();
    return {QPointF(left, top), size};
}

} // namespace tarnis
