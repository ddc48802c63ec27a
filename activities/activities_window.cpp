// SPDX-License-Identifier: GPL-3.0-or-later
#include "activities/activities_window.h"

#include "activities/activity_sheets.h"
#include "output/document_printing.h"
#include "ui/accessibility.h"
#include "ui/identity.h"
#include "ui/locale_numbers.h"
#include "ui/smallest_size.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnis {

namespace {

constexpr QSize FirstSize{560, 520};
constexpr QSize SmallestWindow{360, 400};

QString text(const std::string& words) { return QString::fromStdString(words); }

// A line of words that wraps to the window's width; tests and screen readers' tools find it by name.
QLabel* wordsLabel(const char* objectName, bool bold = false)
{
    auto* label = new QLabel;
    label->setObjectName(QLatin1String(objectName));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText); // the model's sentences are text, never markup
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QPushButton* button(const std::string& caption, const char* objectName)
{
    auto* made = new QPushButton(text(caption));
    made->setObjectName(QLatin1String(objectName));
    made->setAccessibleName(made->text());
    made->setAutoDefault(true); // Enter presses the button that holds the keyboard, as in the other windows
    return made;
}

} // namespace

ActivitiesWindow::ActivitiesWindow(Services services, ApplySetup apply)
    : QWidget(nullptr, Qt::Window)
    , m_services(services)
    , m_apply(std::move(apply))
    , m_words(activityWords())
{
    setAccessibleRole(*this, QAccessible::Window); // a plain widget would be told as a pane
    setObjectName(QStringLiteral("Activities"));
    setWindowTitle(text(m_words.panelTitle));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/icon-32.png")));
    setAttribute(Qt::WA_DeleteOnClose); // the navigator builds it afresh on the next "Activities…"

    m_activityChoice = new QComboBox;
    m_activityChoice->setObjectName(QStringLiteral("activityChoice"));
    m_activityChoice->setAccessibleName(text(m_words.panelTitle));
    for (const Activity& activity : activities())
        m_activityChoice->addItem(text(activity.title));
    m_aim = wordsLabel("activityAim");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_activityChoice);
    layout->addWidget(m_aim);
    layout->addSpacing(layout->spacing() * 2); // the activity above, its step under it
    layout->addWidget(buildStepPart());
    layout->addStretch(1);
    layout->addWidget(buildButtonRows());
    keepSmallestSize(*this, SmallestWindow);
    resize(FirstSize);

    connect(m_activityChoice, &QComboBox::currentIndexChanged, this, &ActivitiesWindow::activityChosen);
    connect(m_applyButton, &QPushButton::clicked, this, &ActivitiesWindow::applyStep);
    connect(m_checkButton, &QPushButton::clicked, this, &ActivitiesWindow::checkTyped);
    connect(m_answerBox, &QLineEdit::returnPressed, this, &ActivitiesWindow::checkTyped);
    connect(m_previousButton, &QPushButton::clicked, this, [this] { moveBy(-1); });
    connect(m_nextButton, &QPushButton::clicked, this, [this] { moveBy(1); });
    connect(m_printKeyButton, &QPushButton::clicked, this, &ActivitiesWindow::printKey);
    connect(m_printWorksheetButton, &QPushButton::clicked, this, &ActivitiesWindow::printWorksheet);
    activityChosen(0);
}

QSize ActivitiesWindow::firstSize() { return FirstSize; }
QSize ActivitiesWindow::smallestSize() { return SmallestWindow; }

// The step's words, its set-up applied on request, and the answer typed and checked under them.
QWidget* ActivitiesWindow::buildStepPart()
{
    auto* part = new QWidget;
    m_heading = wordsLabel("stepHeading", true);
    m_setupLine = wordsLabel("stepSetup");
    m_look = wordsLabel("stepLook");
    m_question = wordsLabel("stepQuestion", true);
    m_applyButton = button(m_words.applyCaption, "applySetup");
    m_checkWords = wordsLabel("checkWords");
    auto* apply = new QHBoxLayout;
    apply->addWidget(m_applyButton);
    apply->addStretch(1);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_setupLine);
    layout->addLayout(apply);
    layout->addWidget(m_look);
    layout->addWidget(m_question);
    layout->addWidget(buildAnswerRow());
    layout->addWidget(m_checkWords);
    return part;
}

QWidget* ActivitiesWindow::buildAnswerRow()
{
    m_answerRow = new QWidget;
    m_answerRow->setObjectName(QStringLiteral("answerRow"));
    m_answerLabel = new QLabel;
    m_answerLabel->setObjectName(QStringLiteral("answerLabel"));
    m_answerBox = new QLineEdit;
    m_answerBox->setObjectName(QStringLiteral("answerBox"));
    m_answerLabel->setBuddy(m_answerBox);
    m_checkButton = button(m_words.checkCaption, "checkAnswer");
    auto* layout = new QHBoxLayout(m_answerRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_answerLabel);
    layout->addWidget(m_answerBox, 1);
    layout->addWidget(m_checkButton);
    return m_answerRow;
}

QWidget* ActivitiesWindow::buildButtonRows()
{
    m_previousButton = button(m_words.previousCaption, "previousStep");
    m_nextButton = button(m_words.nextCaption, "nextStep");
    m_printKeyButton = button(m_words.printKeyCaption, "printKey");
    m_printWorksheetButton = button(m_words.worksheetCaption, "printWorksheet");
    auto* steps = new QHBoxLayout;
    steps->addWidget(m_previousButton);
    steps->addWidget(m_nextButton);
    steps->addStretch(1);
    auto* printing = new QHBoxLayout;
    printing->addWidget(m_printKeyButton);
    printing->addWidget(m_printWorksheetButton);
    printing->addStretch(1);
    auto* rows = new QWidget;
    auto* layout = new QVBoxLayout(rows);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(steps);
    layout->addLayout(printing);
    return rows;
}

const Activity& ActivitiesWindow::activity() const
{
    return activities().at(std::size_t(std::max(0, m_activityChoice->currentIndex())));
}

void ActivitiesWindow::activityChosen(int)
{
    m_aim->setText(text(activity().aim));
    m_step = 0;
    showStep();
}

bool ActivitiesWindow::openAt(const std::string& activityId, int step)
{
    const Activity* named = activityNamed(activityId);
    if (!named || step < 1 || step > int(named->steps.size()))
        return false;
    const QSignalBlocker quiet(m_activityChoice); // the step below, not the first one
    m_activityChoice->setCurrentIndex(int(named - activities().data()));
    m_aim->setText(text(named->aim));
    m_step = step - 1;
    showStep();
    return true;
}

void ActivitiesWindow::showStep()
{
    const StepWords words = stepWords(activity(), m_step, localeDecimalSeparator());
    m_heading->setText(text(words.heading));
    m_setupLine->setText(text(words.setupLine));
    m_look->setText(text(words.look));
    m_question->setText(text(words.question));
    m_answerLabel->setText(text(words.answerLabel));
    m_answerBox->setAccessibleName(text(words.answerLabel));
    m_answerBox->clear();
    m_answerRow->setVisible(!words.answerLabel.empty());
    m_checkWords->clear();
    m_checkWords->setAccessibleName({});
    m_previousButton->setEnabled(m_step > 0);
    m_nextButton->setEnabled(m_step + 1 < int(activity().steps.size()));
}

void ActivitiesWindow::moveBy(int steps)
{
    m_step = std::clamp(m_step + steps, 0, int(activity().steps.size()) - 1);
    showStep();
}

void ActivitiesWindow::applyStep() { m_apply(activity().steps.at(std::size_t(m_step)).setup); }

void ActivitiesWindow::checkTyped()
{
    const AnswerCheck check = checkAnswer(activity().steps.at(std::size_t(m_step)), m_answerBox->text().toStdString(),
                                          localeDecimalSeparator());
    m_checkWords->setText(text(check.words));
    // A new name is announced: the words are read out as they come, as the result box's are.
    m_checkWords->setAccessibleName(text(check.words));
}

void ActivitiesWindow::printKey()
{
    const char separator = localeDecimalSeparator();
    printDocument(
        *this, text(m_words.keyTitle),
        [separator](QPagedPaintDevice& device) { return paintTeachersKey(device, separator); }, m_services);
}

void ActivitiesWindow::printWorksheet()
{
    const char separator = localeDecimalSeparator();
    const Activity& shown = activity();
    const QString homePage = identity::homePage();
    printDocument(
        *this, text(shown.title),
        [&shown, separator, homePage](QPagedPaintDevice& device) {
            return paintWorksheet(device, shown, separator, homePage);
        },
        m_services);
}

} // namespace tarnis
