// The four teaching screens around the main window: the introduction Introfrm, the reference list
// Referenc, the further remarks Form3 and the quiz Quiz. Each leads back to the main window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/info_screen.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarnis {

class Navigator;

class Introduction : public InfoScreen {
    Q_OBJECT
public:
    explicit Introduction(Navigator& navigator);

private:
    QLabel* m_heading;
    QPlainTextEdit* m_text;
    QPushButton* m_referencesButton;
    QPushButton* m_okButton; // back to the main window
};

class ReferenceList : public InfoScreen {
    Q_OBJECT
public:
    explicit ReferenceList(Navigator& navigator);

private:
    // The heading and the six citations are one label array, elements 6 to 12: "Label1_6" to "Label1_12".
    QPushButton* m_okButton; // back to the main window
};

class FurtherRemarks : public InfoScreen {
    Q_OBJECT
public:
    explicit FurtherRemarks(Navigator& navigator);

private:
    QLabel* m_remarks;
    QPushButton* m_backButton; // "Go Back"
    QPushButton* m_quitButton; // the leaving sequence
};

class QuizScreen : public InfoScreen {
    Q_OBJECT
public:
    explicit QuizScreen(Navigator& navigator);

protected:
    bool event(QEvent* event) override;

private:
    void placePicture();

    bool m_pictureSettled = false;
    QLabel* m_questions;       // a picture of the three questions
    QPushButton* m_backButton; // "Back to the mainform"
};

} // namespace tarnis
