// Every window of the desktop in the catalog's pseudo-language, where each text the catalog gave is
// marked ⟦…⟧ and runs 40 % longer: a text without the marks escaped the catalog, and a text that does
// not stand whole in its box would be cut off in a long translation. In English the same windows keep
// the fonts they were designed in.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/app_fixture.h"
#include "tests/support/test_main.h"
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
// And the windows laid out by Qt's layouts, opened from the charts' menu, after a run.
constexpr WindowId LaidOutWindows[]{WindowId::Dynamics, WindowId::Activities, WindowId::Chance};

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

// Draws the window, so that every caption has been fitted to its box.
void drawn(QWidget& window)
{
    window.grab();
    QCoreApplication::processEvents();
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
        windows.insert(windows.end(), std::begin(LaidOutWindows), std::end(LaidOutWindows));
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
