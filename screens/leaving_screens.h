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
    void load(int year);

    QLabel* Label2;        // notice line
    QLabel* Label4;        // what users may do with Tarnis
    QLabel* Label3;        // licence and warranty statement
    QLabel* Label7;        // how to cite Tarnis
    QLabel* Label6;        // where to get new versions
    QLabel* Picture1;      // the same picture as the main window's author panel
    QPushButton* Command1; // "OK": on to the dedication
};

class DedicationScreen : public InfoScreen {
    Q_OBJECT
public:
    explicit DedicationScreen(Services services);

private:
    QWidget* Frame1;       // borderless frame around the picture
    QLabel* Picture2;      // the dedication picture
    QPushButton* Command1; // "God rest his soul": ends the program
};

// The citation request of the notice screen, for the year of the screen's first show.
QString citationRequest(int year);

// Where new versions of Tarnis can be had, one address or institution a line.
QString downloadNotice();

} // namespace tarnis
