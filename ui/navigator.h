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

// The windows of Tarnis; each keeps its design name as its objectName.
enum class WindowId {
    Main,           // parameters, result, chart and every way out
    Backdrop,       // covers the desktop behind Tarnis
    Title,          // shown at start
    LargeGraph,     // the charts enlarged
    Introduction,   // to the model
    References,     // the reference list
    FurtherRemarks, // reached from the main window's title box
    Quiz,           // the quiz picture
    Notice,         // first of the leaving sequence
    Dedication,     // whose button ends the program
    Dynamics,       // what r and the lag do: the last run in words, the stability map, the bifurcation diagram
    Activities,     // the guided activities: a step's set-up applied, its question and a check of the answer
    Chance,         // an ensemble of noisy runs of the last run: its fan chart, survival curve and words
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
