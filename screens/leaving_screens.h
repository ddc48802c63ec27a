// The leaving sequence: the notice screen copyrigh, with the licence and how to cite Tarnis, and the
// dedication screen Vater, whose button ends the program. Neither leads back to the main window.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/info_screen.h"
#include "ui/services.h"

class QLabel;
class QPushButton;

namespace tarnis {

class Navigator;

class NoticeScreen : public InfoScreen {
    Q_OBJECT
public:
    NoticeScreen(Navigator& navigator, Services services);

private:
    void buildNotice();
    void writeTexts(int year);

    QLabel* m_noticeLine;
    QLabel* m_rightsLine;          // what users may do with Tarnis
    QLabel* m_protectionStatement; // licence and warranty
    QLabel* m_citationRequest;     // how to cite Tarnis
    QLabel* m_downloadNotice;      // where to get new versions
    QLabel* m_emblem;              // the same picture as the main window's author panel
    QPushButton* m_okButton;       // on to the dedication
};

class DedicationScreen : public InfoScreen {
    Q_OBJECT
public:
    explicit DedicationScreen(Services services);

private:
    QWidget* m_pictureFrame; // borderless
    QLabel* m_picture;
    QPushButton* m_endButton; // "God rest his soul"
};

// The citation request of the notice screen, for the year of the screen's first show.
QString citationRequest(int year);

// Where new versions of Tarnis can be had, one address or institution a line.
QString downloadNotice();

} // namespace tarnis
