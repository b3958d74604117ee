#include "framework/ReportWindowForm.h"

#include "framework/WindowPlacement.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>

namespace pravik {

namespace form {

void fill(QComboBox* combo, const QStringList& texts, int current)
{
    bool same = combo->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i)
        same = combo->itemText(i) == texts[i];
    if (!same) {
        combo->clear();
        combo->addItems(texts);
    }
    combo->setCurrentIndex(current);
}

void apply(QWidget* w, ReportWindowModel::ControlState st)
{
    w->setVisible(st.visible);
    w->setEnabled(st.enabled);
}

} // namespace form

namespace {

// The blank date of the date edits: their minimum, shown as a blank.
const QDate kBlankDate(1800, 12, 29);

template <typename W>
W* control(QObject* form, const char* name)
{
    W* w = form->findChild<W*>(QString::fromLatin1(name));
    Q_ASSERT_X(w, "ReportWindowForm", name);
    return w;
}

} // namespace

ReportWindowForm::ReportWindowForm(ReportWindowModel& model, const QString& section, QWidget* parent)
    : QDialog(parent), m_base(model), m_section(section)
{
}

ReportWindowForm::~ReportWindowForm() = default;

void ReportWindowForm::bindReportControls()
{
    setObjectName(m_section);
    ReportWindowModel& m = m_base;
    auto* printDate = control<QDateEdit>(this, "printDateEdit");
    allowBlankDates({printDate});
    control<QPushButton>(this, "printButton")->setShortcut(QKeySequence(Qt::Key_F10));
    control<QPushButton>(this, "previewButton")->setShortcut(QKeySequence(Qt::Key_F9));
    control<QPushButton>(this, "cancelButton")->setShortcut(QKeySequence(Qt::Key_Escape));
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] { openHelp(); });

    connect(control<QComboBox>(this, "yearCombo"), &QComboBox::currentIndexChanged, this,
            guarded([&m](int i) { m.selectYear(i); }));
    connect(control<QComboBox>(this, "periodCombo"), &QComboBox::currentIndexChanged, this,
            guarded([&m](int i) { m.selectPeriod(i); }));
    connect(control<QLineEdit>(this, "titleEdit"), &QLineEdit::textEdited, this,
            guarded([&m](const QString& t) { m.setTitle(t); }));
    connect(control<QLineEdit>(this, "descriptionEdit"), &QLineEdit::textEdited, this,
            guarded([&m](const QString& t) { m.setDescription(t); }));
    connect(printDate, &QDateEdit::dateChanged, this, guarded([&m, printDate](const QDate& d) {
                m.setPrintDate(d == printDate->minimumDate() ? kNoDate : dayFromDate(d));
            }));
    connect(control<QToolButton>(this, "calendarButton"), &QToolButton::clicked, this, guarded([&m] { m.chooseDate(); }));
    connect(control<QRadioButton>(this, "graphicRadio"), &QRadioButton::toggled, this, guarded([&m](bool on) {
                if (on)
                    m.setOutputKind(ReportWindowModel::kGraphic);
            }));
    connect(control<QRadioButton>(this, "textRadio"), &QRadioButton::toggled, this, guarded([&m](bool on) {
                if (on)
                    m.setOutputKind(ReportWindowModel::kText);
            }));
    connect(control<QToolButton>(this, "printerButton"), &QToolButton::clicked, this, guarded([&m] { m.choosePrinter(); }));
    connect(control<QSpinBox>(this, "copiesSpin"), &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setCopies(v); }));

    using Command = ReportWindowModel::Command;
    const QList<std::pair<const char*, Command>> commands = {
        {"printButton", Command::Print}, {"previewButton", Command::Preview},
        {"pdfButton", Command::SavePdf}, {"emailButton", Command::SendEmail}};
    for (const auto& [name, command] : commands)
        connect(control<QPushButton>(this, name), &QPushButton::clicked, this, guarded([&m, c = command] { m.run(c); }));
    connect(control<QPushButton>(this, "cancelButton"), &QPushButton::clicked, this, &QDialog::reject);

    connect(&m, &ReportWindowModel::changed, this, [this] { refresh(); });
}

void ReportWindowForm::refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    showReportControls();
    showControls();
    m_refreshing = false;
}

void ReportWindowForm::showReportControls()
{
    const ReportWindowModel& m = m_base;
    QStringList texts;
    for (const FiscalYearEntry& y : m.years())
        texts << y.name;
    form::fill(control<QComboBox>(this, "yearCombo"), texts, m.yearIndex());
    texts.clear();
    for (const FiscalPeriodEntry& p : m.periods())
        texts << p.name;
    form::fill(control<QComboBox>(this, "periodCombo"), texts, m.periodIndex());

    // A text put in by the model starts at its beginning (a long title would show only its end).
    for (const auto& [name, text] : {std::pair{"titleEdit", m.title()}, std::pair{"descriptionEdit", m.description()}}) {
        auto* edit = control<QLineEdit>(this, name);
        if (edit->text() != text) {
            edit->setText(text);
            edit->setCursorPosition(0);
        }
    }
    auto* printDate = control<QDateEdit>(this, "printDateEdit");
    const QDate date = dateFromDay(m.printDate());
    printDate->setDate(date.isValid() ? date : printDate->minimumDate());

    const bool text = m.outputKind() == ReportWindowModel::kText;
    control<QRadioButton>(this, "graphicRadio")->setChecked(!text);
    control<QRadioButton>(this, "textRadio")->setChecked(text);
    auto* printer = control<QLineEdit>(this, "printerEdit");
    printer->setText(m.printerName());
    printer->setCursorPosition(0);
    control<QSpinBox>(this, "copiesSpin")->setValue(m.copies());
}

void ReportWindowForm::connectVariants(QComboBox* combo, QPushButton* save, QPushButton* remove)
{
    ReportWindowModel& m = m_base;
    connect(combo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) {
                if (i >= 0 && i < m.variants().size())
                    m.chooseVariant(m.variants()[i].id);
            }));
    connect(save, &QPushButton::clicked, this, guarded([&m] { m.saveVariant(); }));
    connect(remove, &QPushButton::clicked, this, guarded([&m] { m.deleteVariant(); }));
}

void ReportWindowForm::showVariants(QComboBox* combo)
{
    const ReportWindowModel& m = m_base;
    QStringList texts;
    int current = 0;
    for (int i = 0; i < m.variants().size(); ++i) {
        texts << m.variants()[i].name;
        if (m.variants()[i].id == m.currentVariantId())
            current = i;
    }
    form::fill(combo, texts, current);
}

void ReportWindowForm::allowBlankDates(std::initializer_list<QDateEdit*> edits)
{
    for (QDateEdit* e : edits) {
        e->setMinimumDate(kBlankDate);
        e->setSpecialValueText(QStringLiteral(" "));
    }
}

QDate ReportWindowForm::shownDate(DayNumber day)
{
    const QDate d = dateFromDay(day);
    return d.isValid() ? d : kBlankDate;
}

void ReportWindowForm::makePreviewDefault()
{
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setAutoDefault(false);
    control<QPushButton>(this, "previewButton")->setDefault(true);
}

void ReportWindowForm::showPrintDate(ReportWindowModel::ControlState date, ReportWindowModel::ControlState calendar)
{
    form::apply(control<QDateEdit>(this, "printDateEdit"), date);
    form::apply(control<QToolButton>(this, "calendarButton"), calendar);
}

void ReportWindowForm::openHelp()
{
    const QUrl url = moduleHelpUrl(helpTopic());
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

void ReportWindowForm::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        restoreWindowPlacement(*this, m_section);
    }
    QDialog::showEvent(event);
}

void ReportWindowForm::done(int result)
{
    saveWindowPlacement(*this, m_section);
    QDialog::done(result);
}

} // namespace pravik
