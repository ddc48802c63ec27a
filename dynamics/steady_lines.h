// Lines of words that keep their room while their text changes, as the lines under the Dynamics
// window's plots do while the pointer moves over them: a change of their height would move the plots
// under the pointer and draw them again. Their room is that of the text, among all they may show, that
// wraps to the most lines at their width (and at least the lines asked for), so that it changes with
// the width and the language alone.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

namespace tarnis {

class SteadyLines : public QLabel {
public:
    SteadyLines(const char* objectName, const QString& accessibleName, int leastLines = 2);
    ~SteadyLines() override;

    // Every text the lines may show, in the language on show.
    void keepRoomFor(const std::vector<std::string>& texts);

    // The height for the width is fixed here: a layout that held a wrapped label would take its height
    // at the narrowest for its least and squeeze the plots below their own.
    bool hasHeightForWidth() const override { return false; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitRoom();

    int m_leastLines;
    QStringList m_texts;
    std::unique_ptr<QLabel> m_measure; // lays each text out as these lines would; never shown
};

} // namespace tarnis
