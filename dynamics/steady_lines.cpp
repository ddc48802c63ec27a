// SPDX-License-Identifier: GPL-3.0-or-later
#include "dynamics/steady_lines.h"

#include <QEvent>
#include <QResizeEvent>
#include <QTextLayout>

#include <algorithm>

namespace tarnis {

namespace {

// The lines a text takes at a width in a font, broken as a label breaks them (some tens of microseconds:
// a label that can be selected lays its text out as a document, which takes far longer).
int linesAt(const QString& text, const QFont& font, qreal width)
{
    QTextLayout layout(text, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrapping);
    int lines = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

} // namespace

SteadyLines::SteadyLines(const char* objectName, const QString& accessibleName, int leastLines)
    : m_leastLines(leastLines)
    , m_measure(std::make_unique<QLabel>())
{
    setObjectName(QString::fromLatin1(objectName));
    setAccessibleName(accessibleName);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_measure->setWordWrap(true);
    fitRoom();
}

SteadyLines::~SteadyLines() = default;

void SteadyLines::keepRoomFor(const std::vector<std::string>& texts)
{
    m_texts.clear();
    for (const std::string& text : texts)
        m_texts << QString::fromStdString(text);
    fitRoom();
}

void SteadyLines::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        fitRoom();
}

void SteadyLines::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitRoom();
}

// The room of the text that wraps to the most lines, which the measuring label then lays out as these
// lines would: with the same font, alignment, margins and way of drawing.
void SteadyLines::fitRoom()
{
    int room = m_leastLines * fontMetrics().lineSpacing() + 2;
    if (!m_texts.isEmpty()) {
        const qreal across = std::max(1, contentsRect().width() - 2 * margin() - std::max(0, indent()));
        qsizetype most = 0;
        int mostLines = 0;
        for (qsizetype i = 0; i < m_texts.size(); ++i)
            if (const int lines = linesAt(m_texts[i], font(), across); lines > mostLines) {
                most = i;
                mostLines = lines;
            }
        m_measure->setFont(font());
        m_measure->setAlignment(alignment());
        m_measure->setMargin(margin());
        m_measure->setIndent(indent());
        m_measure->setTextInteractionFlags(textInteractionFlags());
        m_measure->setText(m_texts[most]);
        room = std::max(room, m_measure->heightForWidth(width()));
    }
    if (minimumHeight() != room || maximumHeight() != room)
        setFixedHeight(room);
}

} // namespace tarnis
