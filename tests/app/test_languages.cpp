// Every window of the desktop in the catalog's pseudo-language, where each text the catalog gave is
// marked ⟦…⟧ and runs 40 % longer: a text without the marks escaped the catalog, and a text that does
// not stand whole in its box would be cut off in a long translation. The laid-out windows and the bar
// of a play, in it and in the translations whose texts run longer still, at their smallest and their
// usual size: each text whole in its rectangle and none over another, and the lines under the Dynamics
// window's plots steady while the pointer moves. In English the fixed windows keep the fonts they were
// designed in.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activities_window.h"
#include "app/main_window.h"
#include "chance/chance_window.h"
#include "dynamics/bifurcation_plot.h"
#include "dynamics/dynamics_window.h"
#include "dynamics/stability_map.h"
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
#include "tests/support/widgets.h"
#include "ui/localized.h"
#include "ui/navigator.h"
#include "ui/text_fitting.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTranslator>

using namespace tarnis;
using namespace tarnis::test;

namespace {

// The windows of the fixed designs, each reached as a user reaches it from the main window.
constexpr WindowId FixedWindows[]{WindowId::Main,       WindowId::LargeGraph,     WindowId::Introduction,
                                  WindowId::References, WindowId::FurtherRemarks, WindowId::Quiz,
                                  WindowId::Notice,     WindowId::Dedication};
// And the windows laid out by Qt's layouts, opened from the charts' menu, after a run: the smallest size
// each takes in English and the size it opens at.
struct LaidOutWindow {
    const char* name;
    WindowId id;
    QSize smallest;
    QSize first;
};
const LaidOutWindow LaidOutWindows[]{
    {"Dynamics", WindowId::Dynamics, DynamicsWindow::smallestSize(), DynamicsWindow::firstSize()},
    {"Activities", WindowId::Activities, ActivitiesWindow::smallestSize(), ActivitiesWindow::firstSize()},
    {"Chance", WindowId::Chance, ChanceWindow::smallestSize(), ChanceWindow::firstSize()},
};

// The pseudo-language, and the translations, some of whose texts run longer still.
const char* const LongLanguages[]{"en-XA", "de", "es"};

constexpr int WorkTimeout = 120000; // the Dynamics window's whole map, also under the sanitizers

// Words outside the marks: three letters in a row. Numbers, symbols (r, K, N(0), dN/dt), the
// program's name and the legal form of its notice are no words to translate.
bool hasUnmarkedWords(const QString& text)
{
    static const QRegularExpression marked(QStringLiteral("⟦[^⟧]*⟧"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{3,}"));
    QString outside = text;
    // The copyright notice keeps its legal form, "Copyright (C)", in every language.
    outside.remove(marked).remove(QStringLiteral("Tarnis")).remove(QStringLiteral("Copyright (C)"));
    return outside.contains(word);
}

// The model's texts that are still to go through the catalog, by the widget that shows them.
bool awaitingTheCatalog(const QString& where)
{
    static const QStringList widgets{};
    return std::any_of(widgets.begin(), widgets.end(),
                       [&where](const QString& widget) { return where.startsWith(widget); });
}

// The reference list cites published works in their own words, in every language, and so does the
// citation of Tarnis under the request to cite it.
bool publishedReference(const QString& where)
{
    static const QRegularExpression entry(QStringLiteral("^(Referenc/Label1_([0-9]|1[01])|copyrigh/Label7) text$"));
    return entry.match(where).hasMatch();
}

// Every text a person can read of a window: captions, titles, tool tips, accessible names and
// descriptions, list entries and menu entries, each with where it stands.
QList<std::pair<QString, QString>> readableTexts(QWidget& window)
{
    const QString in = window.objectName() + QLatin1Char('/');
    QList<std::pair<QString, QString>> texts{
        {in + window.objectName() + QStringLiteral(" title"), window.windowTitle()}};
    const auto add = [&texts, &in](const QObject& where, const char* what, const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.append({in + where.objectName() + QLatin1Char(' ') + QLatin1String(what), text});
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (const auto* label = qobject_cast<QLabel*>(widget))
            add(*widget, "text", label->text());
        if (const auto* button = qobject_cast<QAbstractButton*>(widget))
            add(*widget, "caption", button->text());
        if (const auto* frame = qobject_cast<QGroupBox*>(widget))
            add(*widget, "title", frame->title());
        if (const auto* document = qobject_cast<QTextEdit*>(widget))
            add(*widget, "text", document->toPlainText());
        if (const auto* list = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < list->count(); ++i)
                add(*widget, "entry", list->itemText(i));
        add(*widget, "tool tip", widget->toolTip());
        add(*widget, "name", widget->accessibleName());
        add(*widget, "description", widget->accessibleDescription());
    }
    for (const QMenu* menu : window.findChildren<QMenu*>())
        for (const QAction* action : menu->actions())
            add(*menu, "entry", action->text());
    return texts;
}

// Lays the window out and draws it, so that every caption has been fitted to its box.
void drawn(QWidget& window)
{
    QCoreApplication::processEvents();
    window.grab();
    QCoreApplication::processEvents();
}

// Whether the window still works on what the last run asked of it.
bool working(QWidget& window)
{
    if (const auto* dynamics = qobject_cast<DynamicsWindow*>(&window))
        return dynamics->working();
    if (const auto* chance = qobject_cast<ChanceWindow*>(&window))
        return chance->working();
    return false;
}

// The text a widget shows, where a reader sees it.
QString shownText(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->pixmap().isNull() ? label->text() : QString();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget))
        return frame->title();
    return {};
}

// Where a widget's text stands in `within`, as far as the widgets around it let it show (a scrolled
// text is cut by its viewport): a frame's title line, else the widget itself.
QRect textRect(const QWidget& widget, const QWidget& within)
{
    QRect rect = widget.rect();
    if (qobject_cast<const QGroupBox*>(&widget))
        rect.setBottom(widget.contentsRect().top() - 1);
    QRect shown(widget.mapTo(&within, rect.topLeft()), rect.size());
    for (const QWidget* parent = widget.parentWidget(); parent && parent != &within; parent = parent->parentWidget())
        shown &= QRect(parent->mapTo(&within, QPoint()), parent->size());
    return shown;
}

// Whether a laid-out widget's text stands whole in its rectangle: a wrapped label as high as its text
// needs at its width, any other as wide as its text.
bool wholeInItsRect(const QWidget& widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(&widget); label && label->wordWrap())
        return label->heightForWidth(label->width()) <= label->height();
    return textFitsItsBox(widget, widget.font());
}

// Every text of `within` that is cut off or overlaps another, each named by where it stands.
QStringList cutOrOverlapping(QWidget& within)
{
    QStringList faults;
    QList<std::pair<const QWidget*, QRect>> shown;
    const auto name
        = [&within](const QWidget* widget) { return within.objectName() + QLatin1Char('/') + widget->objectName(); };
    for (const QWidget* widget : within.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&within) || shownText(*widget).trimmed().isEmpty())
            continue;
        if (!wholeInItsRect(*widget))
            faults << name(widget) + QStringLiteral(" cut: ") + QString::number(widget->width()) + QLatin1Char('x')
                    + QString::number(widget->height()) + QLatin1Char(' ') + shownText(*widget);
        const QRect rect = textRect(*widget, within);
        for (const auto& [other, otherRect] : shown)
            if (rect.intersects(otherRect))
                faults << name(widget) + QStringLiteral(" over ") + name(other);
        if (!rect.isEmpty())
            shown.append({widget, rect});
    }
    // A plot's own texts (its title, a note under it) within the plot's width, or cut at both sides.
    for (const QCustomPlot* plot : within.findChildren<QCustomPlot*>()) {
        if (!plot->isVisibleTo(&within))
            continue;
        for (const QCPTextElement* text : plot->findChildren<QCPTextElement*>())
            for (const QString& line : text->text().split(QLatin1Char('\n')))
                if (QFontMetricsF(text->font()).horizontalAdvance(line) > plot->width())
                    faults << name(plot) + QStringLiteral(" cut: ") + line;
        // Each name of the legend given the room it asks for, inside the plot.
        for (int cell = 0; plot->legend->visible() && cell < plot->legend->itemCount(); ++cell) {
            auto* item = qobject_cast<QCPPlottableLegendItem*>(plot->legend->item(cell));
            const QCPLayoutElement* element = item;
            if (item
                && (!plot->rect().contains(item->outerRect())
                    || item->outerRect().width() < element->minimumOuterSizeHint().width()))
                faults << name(plot) + QStringLiteral(" cut: ") + item->plottable()->name();
        }
    }
    return faults;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        setLanguage("en");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        for (QTranslator* translator : qApp->findChildren<QTranslator*>())
            QCoreApplication::removeTranslator(translator);
    }

    // The environment's language reaches the model's words, the numbers and Qt's own dialogs.
    void systemLanguage_data()
    {
        QTest::addColumn<QByteArray>("language"); // LANGUAGE
        QTest::addColumn<QByteArray>("lang");     // LANG
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("cancel"); // Qt's own button
        QTest::addColumn<QString>("number");
        QTest::addRow("German") << QByteArray() << QByteArray("de_DE.UTF-8") << "Populationsgröße am Ende"
                                << "Abbrechen"
                                << "0,5";
        QTest::addRow("Spanish first in LANGUAGE")
            << QByteArray("es:de") << QByteArray("en_US.UTF-8") << "Tamaño final de la población"
            << "Cancelar"
            << "0,5";
        QTest::addRow("the C locale") << QByteArray("de") << QByteArray("C") << "Final population size"
                                      << "Cancel"
                                      << "0.5";
    }
    void systemLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, lang);
        QFETCH(QString, caption);
        QFETCH(QString, cancel);
        QFETCH(QString, number);
        qputenv("LANGUAGE", language);
        qputenv("LANG", lang);
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        speakSystemLanguage(*qApp);
        QCOMPARE(localized("Final population size"), caption);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), cancel);
        QCOMPARE(QLocale().toString(0.5), number);
    }

    // Every window in the pseudo-language: no text without the catalog's marks.
    void everyTextMarked()
    {
        setLanguage("en-XA");
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        Navigator& navigator = tarnis->app().navigator();
        QStringList escaped;
        std::vector<WindowId> windows(std::begin(FixedWindows), std::end(FixedWindows));
        for (const LaidOutWindow& laidOut : LaidOutWindows)
            windows.push_back(laidOut.id);
        for (const WindowId id : windows) {
            QWidget* window = navigator.window(id);
            window->show();
            drawn(*window);
            for (const auto& [where, text] : readableTexts(*window))
                if (hasUnmarkedWords(text) && !awaitingTheCatalog(where) && !publishedReference(where))
                    escaped << where + QStringLiteral(": ") + text;
        }
        for (const QString& text : escaped)
            qWarning("not in the catalog: %s", qPrintable(text));
        QVERIFY2(escaped.isEmpty(), qPrintable(escaped.join(QLatin1Char('\n'))));
    }

    // Every window in the pseudo-language: each caption whole in its box, however long its text runs,
    // and no smaller than it must be: half a point larger, a shrunk caption would no longer fit.
    void everyTextWhole()
    {
        setLanguage("en-XA");
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        Navigator& navigator = tarnis->app().navigator();
        QStringList cut;
        QStringList tooSmall;
        for (const WindowId id : FixedWindows) {
            QWidget* window = navigator.window(id);
            window->show();
            drawn(*window);
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                const QString where = window->objectName() + QLatin1Char('/') + widget->objectName();
                if (widget->isVisibleTo(window) && !textFitsItsBox(*widget, widget->font()))
                    cut << where;
                const QVariant designed = widget->property("tarnisDesignedFont");
                QFont larger = widget->font();
                larger.setPointSizeF(larger.pointSizeF() + 0.5);
                if (designed.isValid() && larger.pointSizeF() <= designed.value<QFont>().pointSizeF()
                    && textFitsItsBox(*widget, larger))
                    tooSmall << where;
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
        QVERIFY2(tooSmall.isEmpty(), qPrintable(tooSmall.join(QLatin1Char('\n'))));
    }

    // The laid-out windows in the pseudo-language, after a run, at their smallest and their first size:
    // each text whole in its rectangle, and none over another.
    void laidOutTextsWhole_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<WindowId>("id");
        QTest::addColumn<QSize>("smallest");
        QTest::addColumn<QSize>("first");
        for (const char* language : LongLanguages)
            for (const auto& [name, id, smallest, first] : LaidOutWindows)
                QTest::addRow("%s, %s", language, name) << QByteArray(language) << id << smallest << first;
    }
    // The laid-out windows after a run, at their smallest size and at the size they open at: each text
    // whole in its rectangle and none over another.
    void laidOutTextsWhole()
    {
        QFETCH(QByteArray, language);
        QFETCH(WindowId, id);
        QFETCH(QSize, smallest);
        QFETCH(QSize, first);
        setLanguage(language.toStdString());
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        QWidget* window = tarnis->app().navigator().window(id);
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(!working(*window), WorkTimeout);
        for (const QSize size : {smallest, first}) {
            window->resize(size); // no smaller than the language on show lets it be
            drawn(*window);
            const QStringList faults = cutOrOverlapping(*window);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
    }

    void dynamicsLinesKeepTheirRoom_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("n0"); // of the run, with the defaults' r, K = 500 and lag
        for (const char* language : LongLanguages)
            QTest::addRow("%s", language) << QByteArray(language) << "1";
        // At K, where K is unstable the cells say what a disturbance grows into: the longest words of a
        // cell, in English too.
        for (const char* language : {"en", "en-XA"})
            QTest::addRow("%s, N(0) = K", language) << QByteArray(language) << "500";
    }
    // The lines under the Dynamics window's plots and its preview keep their room while the pointer moves
    // over the map and the diagram, and after a click, at both sizes; whatever they say stands whole in it.
    void dynamicsLinesKeepTheirRoom()
    {
        QFETCH(QByteArray, language);
        QFETCH(QString, n0);
        setLanguage(language.toStdString());
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        QVERIFY(static_cast<MainWindow*>(tarnis->mainWindow())->runTexts({"0.2", "500", "200", n0.toStdString(), "5"}));
        auto* dynamics = qobject_cast<DynamicsWindow*>(tarnis->app().navigator().window(WindowId::Dynamics));
        QVERIFY(dynamics);
        dynamics->show();
        QVERIFY(QTest::qWaitForWindowExposed(dynamics));
        QTRY_VERIFY_WITH_TIMEOUT(!dynamics->working(), WorkTimeout);
        QList<QLabel*> lines;
        for (const char* name : {"mapPointed", "bifurcationPointed", "previewLine", "choiceNote"})
            lines << child<QLabel>(dynamics, name);
        QVERIFY(!lines.contains(nullptr));
        auto* map = child<StabilityMap>(dynamics, "stabilityMap");
        auto* diagram = child<BifurcationPlot>(dynamics, "bifurcationPlot");
        for (const QSize size : {DynamicsWindow::smallestSize(), DynamicsWindow::firstSize()}) {
            dynamics->resize(size);
            drawn(*dynamics);
            const QSize steady = dynamics->size();
            QList<int> heights;
            for (const QLabel* line : lines)
                heights << line->height();
            // The first line moved or cut, or the window's size changed, at a place of the pointer.
            const auto faultAt = [&](const QString& where) -> QString {
                for (qsizetype i = 0; i < lines.size(); ++i) {
                    if (lines[i]->height() != heights[i])
                        return where + QStringLiteral(": ") + lines[i]->objectName() + QStringLiteral(" moved");
                    if (lines[i]->heightForWidth(lines[i]->width()) > lines[i]->height())
                        return where + QStringLiteral(": ") + lines[i]->objectName() + QStringLiteral(" cut: ")
                            + lines[i]->text();
                }
                return dynamics->size() == steady ? QString() : where + QStringLiteral(": the window changed size");
            };
            // The pointer over a grid of places on each plot, then a click in the map's middle.
            for (QCustomPlot* plot : {static_cast<QCustomPlot*>(map), static_cast<QCustomPlot*>(diagram)}) {
                const QRect area = plot->axisRect()->rect();
                for (int across = 1; across < 16; across += 2)
                    for (int up = 1; up < 8; up += 2) {
                        const QPoint at = area.topLeft() + QPoint(area.width() * across / 16, area.height() * up / 8);
                        QTest::mouseMove(dynamics->windowHandle(), plot->mapTo(dynamics, at));
                        const QString fault
                            = faultAt(plot->objectName() + QStringLiteral(" at %1,%2").arg(at.x()).arg(at.y()));
                        QVERIFY2(fault.isEmpty(), qPrintable(fault));
                    }
            }
            QTest::mouseClick(dynamics->windowHandle(), Qt::LeftButton, {},
                              map->mapTo(dynamics, map->axisRect()->rect().center()));
            QVERIFY(!lines.back()->text().isEmpty());
            const QString fault = faultAt(QStringLiteral("after a click"));
            QVERIFY2(fault.isEmpty(), qPrintable(fault));
        }
    }

    void playBarWhole_data()
    {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<WindowId>("id");
        for (const char* language : LongLanguages) {
            QTest::addRow("%s, main window", language) << QByteArray(language) << WindowId::Main;
            QTest::addRow("%s, large graph window", language) << QByteArray(language) << WindowId::LargeGraph;
        }
    }
    // The bar of a play over the chart of each fixed window, the smallest and the largest chart, while the
    // play runs and while it pauses: its texts whole and none over another, and the bar whole over its
    // chart.
    void playBarWhole()
    {
        QFETCH(QByteArray, language);
        QFETCH(WindowId, id);
        setLanguage(language.toStdString());
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        QWidget* window = id == WindowId::Main ? tarnis->mainWindow() : tarnis->openLargeGraph();
        QVERIFY(window);
        auto* chart = child<QWidget>(window, "MSChart1");
        QVERIFY(chart);
        const QList<QAction*> entries = child<QMenu>(chart, "chartMenu")->actions();
        const auto play = std::find_if(entries.begin(), entries.end(), [](const QAction* entry) {
            return entry->text() == localized("Play this run");
        });
        QVERIFY(play != entries.end());
        (*play)->trigger();
        auto* bar = child<QWidget>(chart, "playBar");
        QVERIFY(bar && bar->isVisible());
        for (const bool paused : {false, true}) {
            if (paused)
                QVERIFY(clickButton(bar, "playPause"));
            drawn(*window);
            QStringList faults = cutOrOverlapping(*bar);
            if (!chart->rect().contains(bar->geometry()))
                faults << QStringLiteral("the bar runs off its chart");
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
        }
    }

    void englishKeepsTheDesignedFonts()
    {
        const auto tarnis = startTarnis(AfterStart::RunDefaults);
        Navigator& navigator = tarnis->app().navigator();
        QStringList shrunk;
        for (const WindowId id : FixedWindows) {
            QWidget* window = navigator.window(id);
            window->show();
            drawn(*window);
            for (QWidget* widget : window->findChildren<QWidget*>()) {
                const QVariant designed = widget->property("tarnisDesignedFont");
                if (designed.isValid() && designed.value<QFont>() != widget->font())
                    shrunk << window->objectName() + QLatin1Char('/') + widget->objectName() + QLatin1Char(' ')
                            + QString::number(widget->width()) + QLatin1Char('x') + QString::number(widget->height())
                            + QLatin1Char(' ')
                            + (qobject_cast<QLabel*>(widget) ? qobject_cast<QLabel*>(widget)->text() : QString());
            }
        }
        QVERIFY2(shrunk.isEmpty(), qPrintable(shrunk.join(QLatin1Char('\n'))));
    }
};

TARNIS_GUI_TEST_MAIN(TestLanguages)
#include "test_languages.moc"
