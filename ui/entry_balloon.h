// The balloon that says, at a box, why Enter replaced its text: "The carrying capacity (K) must be a
// number greater than 0, so the box went back to its default, 500." The window's design has no room
// for the sentence, so it stands over the window beside the box, goes when the box is edited again
// or after a while, and is told to screen readers as an alert (and stays the box's description
// until the next edit).
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>

class QLineEdit;

namespace tarnis {

class EntryBalloon : public QLabel {
public:
    explicit EntryBalloon(QWidget* window);

    // Shows the note under the box (or hides the balloon for an empty note).
    void showFor(QLineEdit* box, const QString& note);
    void dismiss();

protected:
    // It goes with its window: when the window hides (another takes its place) or moves.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_box;
    QTimer m_timeout;
};

} // namespace tarnis
