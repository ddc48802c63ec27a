// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/plot_style.h"

#include "model/regime_words.h"
#include "ui/design.h"

#include <QLabel>

#include <cmath>

namespace tarnis {

namespace {
constexpr double TitlePoints = 10.0;
constexpr double TickLabelPoints = 8.0;
constexpr double LegendPoints = 8.0;

// Powers of ten while the range spans a few decades; closer in, the steps of a linear axis, so that a
// zoomed view still has its labels.
class DecadeTicker : public QCPAxisTickerLog {
protected:
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override
    {
        if (range.lower > 0.0 && range.upper / range.lower >= 20.0)
            return QCPAxisTickerLog::createTickVector(tickStep, range);
        return QCPAxisTicker::createTickVector(tickStep, range);
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
};

} // namespace

void styleAxis(QCPAxis* axis, const QString& label)
{
    axis->setLabel(label);
    axis->setLabelFont(arialFont(TitlePoints));
    axis->setTickLabelFont(arialFont(TickLabelPoints));
    axis->setNumberFormat(QStringLiteral("g"));
    axis->setNumberPrecision(6);
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
        axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
        axis->setNumberFormat(QStringLiteral("g"));
        axis->setNumberPrecision(6);
        return;
    }
    auto ticker = QSharedPointer<DecadeTicker>::create();
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

QCPTextElement* addTitle(QCustomPlot& plot)
{
    auto* title = new QCPTextElement(&plot, QString(), arialFont(TitlePoints));
    plot.plotLayout()->insertRow(0);
    plot.plotLayout()->addElement(0, 0, title);
    return title;
}

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

namespace {

// A wrapped label reports a height for its width, which it fixes here: a layout that held it would take
// that height for its least and squeeze the plots below their own.
class FixedLines : public QLabel {
public:
    bool hasHeightForWidth() const override { return false; }
};

} // namespace

QLabel* pointedLines(const char* objectName, const QString& accessibleName, int count)
{
    auto* lines = new FixedLines;
    lines->setObjectName(QString::fromLatin1(objectName));
    lines->setAccessibleName(accessibleName);
    lines->setWordWrap(true);
    lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lines->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    lines->setFixedHeight(count * lines->fontMetrics().lineSpacing() + 2);
    lines->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return lines;
}

} // namespace tarnis
