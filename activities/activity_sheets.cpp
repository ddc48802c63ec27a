// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activity_sheets.h"

#include "charts/chart_control.h"
#include "charts/chart_family.h"
#include "charts/run_comparison.h"
#include "ui/design.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <qrencode.h>

#include <functional>
#include <memory>
#include <variant>

namespace tarnis {

namespace {

QString text(const std::string& words) { return QString::fromStdString(words); }

QFont sheetFont(double points, bool bold = false)
{
    QFont font = arialFont(points);
    font.setBold(bold);
    return font;
}

// A part of a block on a sheet: its height at the sheet's width, and how it paints itself into its place.
struct Piece {
    double height = 0;
    std::function<void(QPainter&, const QRectF&)> paint;
};
using Block = std::vector<Piece>;

// The pages of a sheet as it fills, top to bottom: a block that does not fit in what is left of a page
// begins the next one, so that a step (a block) stays whole on its page.
class SheetPages {
public:
    explicit SheetPages(QPagedPaintDevice& device)
        : m_device(device)
    {
    }

    bool begin() { return m_painter.begin(&m_device); }
    bool end() { return m_painter.end(); }

    double width() const { return m_device.width(); }
    double millimetres(double mm) const { return mm * m_device.logicalDpiY() / 25.4; }

    // Words wrapped to the sheet's width, or to a narrower column at its left.
    Piece words(const QString& words, const QFont& font, int flags = Qt::TextWordWrap, double within = 0) const
    {
        const double column = within > 0 ? within : width();
        const QRectF bounds = QFontMetricsF(font, &m_device).boundingRect(QRectF(0, 0, column, 1e9), flags, words);
        return {bounds.height(), [words, font, flags, column](QPainter& painter, const QRectF& place) {
                    painter.setFont(font);
                    painter.drawText(QRectF(place.topLeft(), QSizeF(column, place.height())), flags, words);
                }};
    }

    Piece space(double mm) const
    {
        return {millimetres(mm), [](QPainter&, const QRectF&) {}};
    }

    // The block, on this page if it fits, and room of `gap` millimetres after it.
    void add(const Block& block, double gap = 6)
    {
        double height = 0;
        for (const Piece& piece : block)
            height += piece.height;
        if (m_top > 0 && m_top + height > m_device.height()) {
            m_device.newPage();
            m_top = 0;
        }
        for (const Piece& piece : block) {
            m_painter.save();
            piece.paint(m_painter, QRectF(0, m_top, width(), piece.height));
            m_painter.restore();
            m_top += piece.height;
        }
        m_top += millimetres(gap); // the end of a page takes it in
    }

private:
    QPagedPaintDevice& m_device;
    QPainter m_painter;
    double m_top = 0;
};

// The chart "N vs. t" of a step's runs as the main window draws it once the set-up is applied: the
// kept runs behind the set-up's own run, each run by the model into a store of the chart's own.
class StepChart {
public:
    static constexpr QSize Pixels{560, 280}; // a chart's proportions and text sizes as on screen

    explicit StepChart(const Setup& setup)
    {
        m_chart.resize(Pixels);
        for (const RunTexts& kept : setup.kept) {
            if (run(kept))
                m_comparison.keepCurrentRun();
        }
        run(setup.run);
        m_family.ShowNtvsT();
    }

    // In vectors, through the chart's own drawing, scaled into the place.
    void paint(QPainter& painter, const QRectF& place)
    {
        painter.translate(place.topLeft());
        painter.scale(place.width() / Pixels.width(), place.height() / Pixels.height());
        m_chart.paintOnPage(painter);
    }

private:
    bool run(const RunTexts& texts)
    {
        const auto read = readRunParameters(texts, '.'); // a set-up's texts are in the point's notation
        if (!std::holds_alternative<RunParameters>(read))
            return false;
        const RunParameters& parameters = std::get<RunParameters>(read);
        if (runModel(*m_store, parameters).end == RunEnd::Refused)
            return false;
        m_comparison.setCurrentRun(parameters);
        return true;
    }

    std::unique_ptr<ResultStore> m_store = std::make_unique<ResultStore>();
    RunComparison m_comparison{*m_store};
    ChartControl m_chart;
    ChartFamily m_family{m_chart, *m_store, ChartWindow::Main, &m_comparison};
};

Piece stepChart(const SheetPages& pages, const Setup& setup)
{
    const double width = std::min(pages.width(), pages.millimetres(110));
    const double height = width * StepChart::Pixels.height() / StepChart::Pixels.width();
    return {height, [setup, width, height](QPainter& painter, const QRectF& place) {
                StepChart(setup).paint(painter, QRectF(place.topLeft(), QSizeF(width, height)));
            }};
}

// The code's dark modules, a row's neighbours joined into one rectangle, so no seam shows between them.
void paintCode(QPainter& painter, const QRcode& code, const QRectF& place)
{
    const double module = place.width() / code.width;
    QPainterPath dark;
    for (int y = 0; y < code.width; ++y) {
        for (int x = 0; x < code.width;) {
            const auto isDark = [&](int at) { return code.data[y * code.width + at] & 1; };
            if (!isDark(x)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < code.width && isDark(end))
                ++end;
            dark.addRect(QRectF(place.left() + x * module, place.top() + y * module, (end - x) * module, module));
            x = end;
        }
    }
    painter.fillPath(dark, Qt::black);
}

// The address: its line and the address under it, with its code on the right where there is one.
Piece addressPiece(const SheetPages& pages, const SheetAddress& address)
{
    std::shared_ptr<QRcode> code;
    if (address.withCode)
        code.reset(QRcode_encodeString(address.address.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
                   QRcode_free);
    const double codeSide = code ? pages.millimetres(32) : 0;
    const double column = pages.width() - (code ? codeSide + pages.millimetres(6) : 0);
    const Piece line = pages.words(address.line, sheetFont(10), Qt::TextWordWrap, column);
    // An address has no spaces to break it at.
    const Piece where = pages.words(address.address, sheetFont(10), Qt::TextWrapAnywhere, column);
    return {std::max(line.height + where.height, codeSide), [=](QPainter& painter, const QRectF& place) {
                line.paint(painter, place);
                where.paint(painter, place.adjusted(0, line.height, 0, 0));
                if (code)
                    paintCode(painter, *code, QRectF(place.right() - codeSide, place.top(), codeSide, codeSide));
            }};
}

// "Answer:" and ruled lines under it to write on.
Piece answerRoom(const SheetPages& pages, const QString& caption)
{
    constexpr int Lines = 3;
    const Piece label = pages.words(caption, sheetFont(10.5, true));
    const double spacing = pages.millimetres(8);
    return {label.height + Lines * spacing, [label, spacing](QPainter& painter, const QRectF& place) {
                label.paint(painter, place);
                painter.setPen(QPen(Qt::darkGray, spacing / 40));
                for (int line = 1; line <= Lines; ++line) {
                    const double y = place.top() + label.height + line * spacing;
                    painter.drawLine(QPointF(place.left(), y), QPointF(place.right(), y));
                }
            }};
}

Block stepBlock(const SheetPages& pages, const Activity& activity, int step, char separator)
{
    const StepWords words = stepWords(activity, step, separator);
    return {pages.words(text(words.heading), sheetFont(12, true)),
            pages.words(text(words.setupLine), sheetFont(10)),
            pages.space(2),
            pages.words(text(words.look), sheetFont(10.5)),
            pages.space(2),
            stepChart(pages, activity.steps.at(std::size_t(step)).setup),
            pages.space(2),
            pages.words(text(words.question), sheetFont(10.5, true)),
            answerRoom(pages, text(activityWords().answerRoom))};
}

} // namespace

SheetAddress sheetAddress(const Activity& activity, const QString& homePage)
{
    const QString fragment = text(activityFragment(activity, 0));
    const ActivityWords words = activityWords();
    if (homePage.isEmpty())
        return {text(words.fragmentNote), QStringLiteral("#") + fragment, false};
    QString address = homePage;
    const qsizetype hash = address.indexOf(QLatin1Char('#'));
    if (hash >= 0)
        address.truncate(hash); // the page's own address, whatever fragment it was given with
    return {text(words.linkLine), address + QStringLiteral("#") + fragment, true};
}

bool paintWorksheet(QPagedPaintDevice& device, const Activity& activity, char separator, const QString& homePage)
{
    SheetPages pages(device);
    if (!pages.begin())
        return false;
    pages.add({pages.words(text(activity.title), sheetFont(16, true)), pages.space(1),
               pages.words(text(activity.aim), sheetFont(11)), pages.space(4),
               addressPiece(pages, sheetAddress(activity, homePage))});
    for (std::size_t step = 0; step < activity.steps.size(); ++step)
        pages.add(stepBlock(pages, activity, int(step), separator));
    return pages.end();
}

bool paintTeachersKey(QPagedPaintDevice& device, char separator)
{
    SheetPages pages(device);
    if (!pages.begin())
        return false;
    const ActivityWords words = activityWords();
    pages.add({pages.words(text(words.keyTitle), sheetFont(16, true))});
    for (const KeySection& section : teachersKey(separator)) {
        for (std::size_t i = 0; i < section.lines.size(); ++i) {
            const KeyLine& line = section.lines[i];
            Block block;
            if (i == 0) // the activity's title stays with its first step
                block = {pages.words(text(section.title), sheetFont(13, true)), pages.space(2)};
            block.push_back(pages.words(text(line.heading), sheetFont(10.5, true)));
            block.push_back(pages.words(text(line.question), sheetFont(10.5)));
            block.push_back(
                pages.words(text(std::string(words.answerRoom).append(" ").append(line.answer)), sheetFont(10.5)));
            pages.add(block, 3);
        }
    }
    return pages.end();
}

} // namespace tarnis
