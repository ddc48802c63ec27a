// What the information screens share: a fixed client size in twips, a caption with a close box, a
// background colour, and one step to take when the user closes the screen. A closed screen is
// destroyed; the navigator builds it afresh on its next show.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/fixed_window.h"
#include "ui/navigator.h"

#include <QColor>

#include <functional>

class QLabel;

namespace tarnis {

class InfoScreen : public FixedWindow {
    Q_OBJECT
public:
    InfoScreen(const char* name, const QString& caption, QSizeF clientTwips, const QColor& background,
               FrameStyle frame = FrameStyle::Single);

    // What closing through the close box leads to; the screen is destroyed after it.
    void onClosed(std::function<void()> step) { m_closedStep = std::move(step); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_closedStep;
};

// The step that replaces one window by another, for a button or a close box.
std::function<void()> moveStep(Navigator& navigator, WindowId from, WindowId to,
                               MoveOrder order = MoveOrder::HideFirst);

} // namespace tarnis
