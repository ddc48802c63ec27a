// The base of the windows built from a fixed design: a name, a caption, a client area of a fixed size
// in twips, a caption bar with a close box and nothing else (or no frame at all), the program's icon,
// and a place in the middle of the screen when the window is first shown.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSizeF>
#include <QString>
#include <QWidget>

namespace tarnis {

enum class FrameStyle {
    Single, // a caption bar with a close box
    Dialog, // the same, framed as a dialog
    None,   // no frame, no caption bar
};

struct WindowDesign {
    const char* name;   // the window's objectName
    QString caption;    // its title
    QSizeF clientTwips; // the client area
    FrameStyle frame = FrameStyle::Single;
    bool closeDestroys = true; // the close box destroys it; the navigator builds it afresh when needed
};

class FixedWindow : public QWidget {
    Q_OBJECT
public:
    explicit FixedWindow(const WindowDesign& design);

protected:
    bool event(QEvent* event) override;

private:
    void centre();

    bool m_shownOnce = false;
    bool m_frameKnown = false;
};

} // namespace tarnis
