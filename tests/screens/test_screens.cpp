// The information screens and the leaving sequence, driven from the main window as a user drives
// them: every move between windows and its order, what the screens keep and rebuild, their texts,
// pictures and pointers, and the end of the program.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "charts/chart_control.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/navigator.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

using namespace tarnis;
using namespace tarnis::test;

namespace {

const QStringList WindowNames{"Form1", "titlform", "larggraf", "Introfrm", "Referenc",
                              "Form3", "Quiz",     "copyrigh", "Vater"};

// The windows of Tarnis that are on screen, the backdrop aside.
QStringList visibleWindows()
{
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && WindowNames.contains(widget->objectName()))
            names.append(widget->objectName());
    }
    return names;
}

// Notes each window that is shown or hidden, in order.
class MoveRecorder : public QObject {
public:
    QStringList moves;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool showOrHide = event->type() == QEvent::Show || event->type() == QEvent::Hide;
        if (showOrHide && widget && widget->isWindow() && WindowNames.contains(widget->objectName()))
            moves.append((event->type() == QEvent::Show ? "show " : "hide ") + widget->objectName());
        return false;
    }
};

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void transitions_data();
    void transitions();
    void moveOrder_data();
    void moveOrder();
    void leavingSequence_data();
    void leavingSequence();
    void keptWhileHidden();
    void rebuiltAfterClose();
    void teachingTexts();
    void noticeTexts();
    void noticeKeepsTheYearOfItsFirstShow();
    void textsFitTheirBoxes_data();
    void textsFitTheirBoxes();
    void picturesArePlaced();

private:
    void perform(const QString& action);
    void performAll(const QStringList& actions);
    QWidget* window(WindowId id) { return m_fixture->app().navigator().existing(id); }
    QWidget* open(WindowId id);
    QStringList mainWindowState();

    std::unique_ptr<AppFixture> m_fixture;
    QWidget* m_main = nullptr;
};

void TestScreens::init()
{
    m_fixture = startTarnis();
    m_main = m_fixture->mainWindow();
    // A run with a changed lag, and a chart two clicks into its cycle, for the way back to compare.
    typeInto(child<QLineEdit>(m_main, "tlag"), QStringLiteral("8"));
    pressEnter(child<QLineEdit>(m_main, "tlag"));
    QVERIFY(clickButton(m_main, "Command2"));
    QTest::mouseClick(child<ChartControl>(m_main, "MSChart1"), Qt::LeftButton);
    QTest::mouseClick(child<ChartControl>(m_main, "MSChart1"), Qt::LeftButton);
}

void TestScreens::cleanup() { m_fixture.reset(); }

// "Window:Control" clicks a control; "Window:close" uses the close box; "Window:background" clicks
// the window where no control covers it.
void TestScreens::perform(const QString& action)
{
    const QString windowName = action.section(QLatin1Char(':'), 0, 0);
    const QString control = action.section(QLatin1Char(':'), 1);
    QWidget* target = topLevel(windowName);
    QVERIFY2(target && target->isVisible(), qPrintable(windowName + QStringLiteral(" is not on screen")));
    if (control == QLatin1String("close")) {
        target->close();
    } else if (control == QLatin1String("background")) {
        const QPoint free(target->width() - 10, 10);
        QCOMPARE(target->childAt(free), nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, free);
    } else if (qobject_cast<QAbstractButton*>(child<QWidget>(target, qPrintable(control)))) {
        QVERIFY(clickButton(target, qPrintable(control)));
    } else {
        QTest::mouseClick(child<QWidget>(target, qPrintable(control)), Qt::LeftButton);
    }
    settle();
}

void TestScreens::performAll(const QStringList& actions)
{
    for (const QString& action : actions) {
        perform(action);
        if (QTest::currentTestFailed())
            return;
    }
}

QWidget* TestScreens::open(WindowId id)
{
    m_fixture->app().navigator().show(id);
    return window(id);
}

QStringList TestScreens::mainWindowState()
{
    QStringList state;
    for (const char* name : {"rrate", "n0", "Kvalue", "tlag", "simut", "Text4"})
        state << child<QLineEdit>(m_main, name)->text();
    state << child<QLabel>(m_main, "Label4")->text();
    auto* chart = child<ChartControl>(m_main, "MSChart1");
    state << QString::number(chart->isVisibleTo(m_main)) << QString::number(m_fixture->state().ChartCycleMain);
    state << chart->chartTitle() << QString::number(chart->series().rowCount())
          << QString::number(chart->series().seriesCount());
    const QVector<double> lastValues = chart->series().yData(ChartSeries::FirstSeries);
    state << (lastValues.isEmpty() ? QString() : QString::number(lastValues.last(), 'g', 17));
    state << QString::number(chart->xAxis->range().upper) << QString::number(chart->yAxis->range().upper);
    return state;
}

void TestScreens::transitions_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("landing");
    const QStringList intro{"Form1:Command8"};
    const QStringList references = intro + QStringList{"Introfrm:Command2"};
    const QStringList remarks{"Form1:Label17"};
    const QStringList quiz{"Form1:Command14"};
    QTest::addRow("more ...") << intro << "Introfrm";
    QTest::addRow("title box") << remarks << "Form3";
    QTest::addRow("quiz button") << quiz << "Quiz";
    QTest::addRow("Quit") << QStringList{"Form1:Command1"} << "copyrigh";
    QTest::addRow("introduction OK") << intro + QStringList{"Introfrm:Command1"} << "Form1";
    QTest::addRow("introduction References") << references << "Referenc";
    QTest::addRow("introduction closed") << intro + QStringList{"Introfrm:close"} << "Form1";
    QTest::addRow("introduction twice") << intro
            + QStringList{"Introfrm:Command1", "Form1:Command8", "Introfrm:Command1"}
                                        << "Form1";
    QTest::addRow("references OK") << references + QStringList{"Referenc:Command1"} << "Form1";
    QTest::addRow("references background") << references + QStringList{"Referenc:background"} << "Form1";
    QTest::addRow("references label") << references + QStringList{"Referenc:Label1_10"} << "Referenc";
    QTest::addRow("references heading") << references + QStringList{"Referenc:Label1_12"} << "Referenc";
    QTest::addRow("references closed") << references + QStringList{"Referenc:close"} << "Form1";
    QTest::addRow("remarks Go Back") << remarks + QStringList{"Form3:Command1"} << "Form1";
    QTest::addRow("remarks Quit") << remarks + QStringList{"Form3:Command2"} << "copyrigh";
    QTest::addRow("remarks closed") << remarks + QStringList{"Form3:close"} << "Form1";
    QTest::addRow("quiz back") << quiz + QStringList{"Quiz:Command1"} << "Form1";
    QTest::addRow("quiz closed") << quiz + QStringList{"Quiz:close"} << "Form1";
    QTest::addRow("notice OK") << QStringList{"Form1:Command1", "copyrigh:Command1"} << "Vater";
}

void TestScreens::transitions()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, landing);
    const QStringList before = mainWindowState();
    performAll(actions);
    QCOMPARE(visibleWindows(), QStringList{landing});
    QVERIFY(topLevel(QStringLiteral("tarnis4"))->isVisible());
    QCOMPARE(mainWindowState(), before);
    QCOMPARE(m_fixture->fakes().processEnd.ends, 0);
}

void TestScreens::moveOrder_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QStringList>("moves");
    const QStringList references{"Form1:Command8", "Introfrm:Command2"};
    QTest::addRow("quiz button shows first")
        << QStringList() << "Form1:Command14" << QStringList{"show Quiz", "hide Form1"};
    QTest::addRow("more ... hides first")
        << QStringList() << "Form1:Command8" << QStringList{"hide Form1", "show Introfrm"};
    QTest::addRow("references background shows first")
        << references << "Referenc:background" << QStringList{"show Form1", "hide Referenc"};
    QTest::addRow("references OK hides first")
        << references << "Referenc:Command1" << QStringList{"hide Referenc", "show Form1"};
    QTest::addRow("closed introduction") << QStringList{"Form1:Command8"} << "Introfrm:close"
                                         << QStringList{"hide Introfrm", "show Form1"};
    QTest::addRow("notice OK") << QStringList{"Form1:Command1"} << "copyrigh:Command1"
                               << QStringList{"hide copyrigh", "show Vater"};
}

void TestScreens::moveOrder()
{
    QFETCH(QStringList, before);
    QFETCH(QString, action);
    QFETCH(QStringList, moves);
    performAll(before);
    MoveRecorder recorder;
    qApp->installEventFilter(&recorder);
    perform(action);
    qApp->removeEventFilter(&recorder);
    QCOMPARE(recorder.moves, moves);
}

void TestScreens::leavingSequence_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("last");
    QTest::addRow("Quit, OK, dedication") << QStringList{"Form1:Command1", "copyrigh:Command1"} << "Vater:Command1";
    QTest::addRow("from the remarks") << QStringList{"Form1:Label17", "Form3:Command2", "copyrigh:Command1"}
                                      << "Vater:Command1";
    // Closing either leaving screen ends Tarnis too, instead of leaving the backdrop alone on screen.
    QTest::addRow("notice closed") << QStringList{"Form1:Command1"} << "copyrigh:close";
    QTest::addRow("dedication closed") << QStringList{"Form1:Command1", "copyrigh:Command1"} << "Vater:close";
}

void TestScreens::leavingSequence()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, last);
    performAll(actions);
    QCOMPARE(m_fixture->fakes().processEnd.ends, 0);
    perform(last);
    QCOMPARE(m_fixture->fakes().processEnd.ends, 1);
}

void TestScreens::keptWhileHidden()
{
    perform(QStringLiteral("Form1:Command8"));
    QPointer<QWidget> first = window(WindowId::Introduction);
    QScrollBar* scroll = child<QPlainTextEdit>(first, "Text1")->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0); // the introduction is longer than its box
    scroll->setValue(scroll->maximum());
    performAll({"Introfrm:Command1", "Form1:Command8"});
    QCOMPARE(window(WindowId::Introduction), first.data());
    QCOMPARE(scroll->value(), scroll->maximum());
}

void TestScreens::rebuiltAfterClose()
{
    performAll({"Form1:Label17"});
    QPointer<QWidget> first = window(WindowId::FurtherRemarks);
    perform(QStringLiteral("Form3:close"));
    QVERIFY(first.isNull());
    QCOMPARE(window(WindowId::FurtherRemarks), nullptr);
    perform(QStringLiteral("Form1:Label17"));
    QVERIFY(window(WindowId::FurtherRemarks) && window(WindowId::FurtherRemarks)->isVisible());
}

void TestScreens::teachingTexts()
{
    QWidget* intro = open(WindowId::Introduction);
    QCOMPARE(child<QLabel>(intro, "Label1")->text(),
             QStringLiteral("Understanding logsitic equation logically and critically"));
    const QString introduction = child<QPlainTextEdit>(intro, "Text1")->toPlainText();
    QVERIFY(!introduction.contains(QLatin1Char('\n'))); // one paragraph
    QVERIFY2(introduction.size() > 1300 && introduction.size() < 1800,
             qPrintable(QString::number(introduction.size())));
    QVERIFY(!child<QLabel>(open(WindowId::FurtherRemarks), "Label1")->text().contains(QLatin1Char('\n')));

    // The six works, top to bottom, under their heading.
    QWidget* references = open(WindowId::References);
    QList<QLabel*> labels = references->findChildren<QLabel*>();
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) { return a->y() < b->y(); });
    QCOMPARE(labels.size(), 7);
    QCOMPARE(labels.first()->text(), QStringLiteral("References"));
    const QStringList years{"1942", "1945", "1948", "1985", "1988", "1920"};
    const QStringList names{"Label1_10", "Label1_11", "Label1_9", "Label1_8", "Label1_7", "Label1_6"};
    for (int entry = 0; entry < 6; ++entry) {
        QCOMPARE(labels[entry + 1]->objectName(), names[entry]);
        QVERIFY2(labels[entry + 1]->text().contains(years[entry] + QStringLiteral(". ")),
                 qPrintable(labels[entry + 1]->text()));
    }
}

void TestScreens::noticeTexts()
{
    perform(QStringLiteral("Form1:Command1"));
    QWidget* notice = window(WindowId::Notice);
    QVERIFY(child<QLabel>(notice, "Label2")->text().contains(QStringLiteral("2026")));
    const QString citation = child<QLabel>(notice, "Label7")->text();
    QVERIFY2(citation.startsWith(QStringLiteral("If you use this program in your research, please cite the following  "
                                                "reference in your paper:\n\n")),
             qPrintable(citation));
    const QStringList lines = citation.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 4);
    QVERIFY2(lines[2].contains(QStringLiteral(". 2026. ")) && lines[2].endsWith(QStringLiteral(". ")),
             qPrintable(lines[2]));
    // Without a home page set in this build, the citation names the release instead of an address, and
    // only the distributors remain to get new versions from.
    QCOMPARE(lines[3], QStringLiteral(" Version 1.0.0."));
    const QString downloads = child<QLabel>(notice, "Label6")->text();
    QVERIFY(downloads.startsWith(QStringLiteral("You can get new version of this program at following webs:\n")));
    QCOMPARE(downloads.count(QLatin1Char('\n')), 3);
    QVERIFY(downloads.endsWith(QLatin1Char('\n')));
    // Tarnis is free software; the notice must not claim otherwise.
    QVERIFY(child<QLabel>(notice, "Label3")->text().contains(QStringLiteral("GNU General Public License")));
    for (QLabel* label : notice->findChildren<QLabel*>())
        QVERIFY(!label->text().contains(QStringLiteral("all rights reserved"), Qt::CaseInsensitive));
}

void TestScreens::noticeKeepsTheYearOfItsFirstShow()
{
    const auto citation = [this] { return child<QLabel>(window(WindowId::Notice), "Label7")->text(); };
    performAll({"Form1:Command1"});
    m_fixture->fakes().clock.time = QDateTime(QDate(2027, 1, 1), QTime(0, 0));
    performAll({"copyrigh:Command1"});
    open(WindowId::Notice); // only hidden: shown again as it was
    QVERIFY(citation().contains(QStringLiteral(" 2026. ")));
    perform(QStringLiteral("copyrigh:close")); // destroyed: built afresh with the new year
    QVERIFY(!window(WindowId::Notice));
    open(WindowId::Notice);
    QVERIFY(citation().contains(QStringLiteral(" 2027. ")));
}

void TestScreens::textsFitTheirBoxes_data()
{
    QTest::addColumn<int>("id");
    QTest::addRow("Introfrm") << int(WindowId::Introduction);
    QTest::addRow("Referenc") << int(WindowId::References);
    QTest::addRow("Form3") << int(WindowId::FurtherRemarks);
    QTest::addRow("copyrigh") << int(WindowId::Notice);
}

void TestScreens::textsFitTheirBoxes()
{
    QFETCH(int, id);
    for (QLabel* label : open(WindowId(id))->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        // The design boxes were sized to the glyphs; a line's leading may stand out by a pixel.
        const QString shortfall = QStringLiteral("%1 needs %2 pixels, has %3").arg(label->objectName()).arg(needed);
        QVERIFY2(needed <= label->height() + 1, qPrintable(shortfall.arg(label->height())));
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
    }
}

void TestScreens::picturesArePlaced()
{
    // The quiz picture is centred on the window's outer size, frame included, and raised by 400 twips.
    QWidget* quiz = open(WindowId::Quiz);
    QVERIFY(QTest::qWaitForWindowExposed(quiz));
    const QSize outer = quiz->frameGeometry().size();
    const QRect expected = twipsRect((outer.width() * TwipsPerPixel - pictureTwips(499)) / 2,
                                     (outer.height() * TwipsPerPixel - pictureTwips(306)) / 2 - 400, pictureTwips(499),
                                     pictureTwips(306));
    QCOMPARE(child<QLabel>(quiz, "Image1")->geometry(), expected);
    QVERIFY(child<QLabel>(quiz, "Image1")->geometry().bottom() < child<QPushButton>(quiz, "Command1")->y());

    QWidget* dedication = open(WindowId::Dedication);
    auto* picture = child<QLabel>(dedication, "Picture2");
    QCOMPARE(picture->parentWidget(), child<QWidget>(dedication, "Frame1"));
    const QPoint offset = picture->geometry().center() - picture->parentWidget()->rect().center();
    QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    QVERIFY(!picture->pixmap().isNull());
}

TARNIS_GUI_TEST_MAIN(TestScreens)
#include "test_screens.moc"
