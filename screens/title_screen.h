// The title screen titlform: the program's title in one of five styles and places, changing once a
// second, and a red box inviting the user in. A character key or a click leads to the main window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/screens/title_animation.h"
#include "ui/fixed_window.h"

#include <array>

class QLabel;
class QTimer;

namespace tarnis {

class Navigator;

class TitleScreen : public FixedWindow {
    Q_OBJECT
public:
    TitleScreen(TitleAnimation& animation, Navigator& navigator);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildTitles();
    void tick();
    void leave();

    TitleAnimation& m_animation;
    Navigator& m_navigator;
    TitleRandom m_random;

    // The title variants, one control array in the design: objects "Label1_0" to "Label1_4".
    std::array<QLabel*, TitleVariants> m_titles{};
    QLabel* m_invitation; // "Press any key or click mouse to start."
    QTimer* m_variantTimer;
};

} // namespace tarnis
