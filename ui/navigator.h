// The one owner of every window of Tarnis. A window is built on its first show and kept, with its
// content, while it is hidden; a window closed through its close box is destroyed and built afresh
// on its next show. Every move between windows hides one and shows another, never modally.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

namespace tarnis {

// The windows by their design names.
enum class WindowId {
    Form1,    // the main window: parameters, result, chart and every way out
    tarnis4,  // the backdrop that covers the desktop behind Tarnis
    titlform, // the title screen shown at start
    larggraf, // the large graph window
    Introfrm, // the introduction to the model
    Referenc, // the reference list
    Form3,    // the further remarks
    Quiz,     // the quiz picture
    copyrigh, // the notice screen, first of the leaving sequence
    Vater,    // the dedication screen, whose button ends the program
    Dynamics, // what r and the lag do: the last run in words, the stability map, the bifurcation diagram
};

// Most moves hide the window that is left before the target appears; a few show the target first,
// so that the desktop never shows through between the two.
enum class MoveOrder { HideFirst, ShowFirst };

class Navigator : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;

    explicit Navigator(QObject* parent = nullptr);
    ~Navigator() override;

    // How to build a window; it is not built until it is first shown.
    void registerWindow(WindowId id, Factory factory);

    // The window, built now if it does not exist; nullptr for a window nobody registered.
    QWidget* window(WindowId id);
    // The window if it exists, else nullptr; builds nothing.
    QWidget* existing(WindowId id) const;

    void show(WindowId id);
    void hide(WindowId id);
    // Replaces one window by another; does nothing when the target cannot be built.
    void move(WindowId from, WindowId to, MoveOrder order = MoveOrder::HideFirst);

private:
    struct Entry {
        Factory factory;
        QPointer<QWidget> widget;
    };
    std::map<WindowId, Entry> m_windows;
};

} // namespace tarnis
