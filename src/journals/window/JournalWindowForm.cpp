#include "journals/window/JournalWindowForm.h"

#include "journals/window/JournalWindowModel.h"
#include "platform/Settings.h"
#include "siblings/korda/Session.h"

#include "ui_PARAM_PRN_DZIENNIK.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTreeView>

namespace pravik::journals {

namespace {

const QString kHelpTopic = QStringLiteral("Zestawienia z ksiegi glownej.htm");
const QString kXPos = QStringLiteral("XPos");
const QString kYPos = QStringLiteral("YPos");

using Control = JournalWindowModel::Control;

// Refilling a list the user is working in would close its popup and lose its scroll position.
bool sameItems(const QComboBox* combo, const QStringList& texts)
{
    if (combo->count() != texts.size())
        return false;
    for (int i = 0; i < texts.size(); ++i)
        if (combo->itemText(i) != texts[i])
            return false;
    return true;
}

void apply(QWidget* w, JournalWindowModel::ControlState st)
{
    w->setVisible(st.visible);
    w->setEnabled(st.enabled);
}

} // namespace

JournalWindowForm::JournalWindowForm(JournalWindowModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_ui(std::make_unique<Ui::JournalWindowForm>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("Param_Prn_Dziennik"));

    // The journals are listed in two columns, code and name.
    auto* batchView = new QTreeView(m_ui->batchCombo);
    batchView->setHeaderHidden(true);
    batchView->setRootIsDecorated(false);
    batchView->setItemsExpandable(false);
    batchView->setAllColumnsShowFocus(true);
    m_ui->batchCombo->setModel(new QStandardItemModel(0, 2, m_ui->batchCombo));
    m_ui->batchCombo->setView(batchView);
    batchView->header()->setStretchLastSection(true);
    batchView->setMinimumWidth(420);

    m_ui->printDateEdit->setMinimumDate(QDate(1800, 12, 29));
    m_ui->printDateEdit->setSpecialValueText(QStringLiteral(" "));
    m_ui->printButton->setShortcut(QKeySequence(Qt::Key_F10));
    m_ui->previewButton->setShortcut(QKeySequence(Qt::Key_F9));
    m_ui->pdfButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_ui->emailButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_ui->cancelButton->setShortcut(QKeySequence(Qt::Key_Escape));
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &JournalWindowForm::openHelp);

    connectControls();
    connect(&m_model, &JournalWindowModel::changed, this, &JournalWindowForm::refresh);
    refresh();
}

JournalWindowForm::~JournalWindowForm() = default;

QString JournalWindowForm::settingsSection()
{
    return QStringLiteral("Param_Prn_Dziennik");
}

QUrl JournalWindowForm::helpUrl()
{
    const korda::Session& s = korda::session();
    if (s.GGG_HELP_PLIK.trimmed().isEmpty())
        return {};
    const QString helpFile = QDir(QDir::fromNativeSeparators(s.GLO_LOCALPATH)).filePath(QDir::fromNativeSeparators(s.GGG_HELP_PLIK.trimmed()));
    // Help kept as a folder of pages opens at the window's own page.
    const QFileInfo info(helpFile);
    if (info.isDir() && QFileInfo::exists(QDir(helpFile).filePath(kHelpTopic)))
        return QUrl::fromLocalFile(QDir(helpFile).filePath(kHelpTopic));
    return QUrl::fromLocalFile(helpFile);
}

void JournalWindowForm::openHelp()
{
    const QUrl url = helpUrl();
    if (!url.isEmpty())
        QDesktopServices::openUrl(url);
}

void JournalWindowForm::connectControls()
{
    Ui::JournalWindowForm& u = *m_ui;
    auto guarded = [this](auto fn) {
        return [this, fn](auto&&... args) {
            if (!m_refreshing)
                fn(args...);
        };
    };
    connect(u.yearCombo, &QComboBox::currentIndexChanged, this, guarded([this](int i) { m_model.selectYear(i); }));
    connect(u.periodCombo, &QComboBox::currentIndexChanged, this, guarded([this](int i) { m_model.selectPeriod(i); }));
    connect(u.batchCombo, &QComboBox::currentIndexChanged, this, guarded([this](int i) { m_model.selectBatch(i); }));
    connect(u.sumDocumentsCheck, &QCheckBox::toggled, this, guarded([this](bool on) { m_model.setSumDocuments(on); }));
    connect(u.sumOffBalanceCheck, &QCheckBox::toggled, this, guarded([this](bool on) { m_model.setSumOffBalance(on); }));
    connect(u.renumberCheck, &QCheckBox::toggled, this, guarded([this](bool on) { m_model.setRenumber(on); }));
    connect(u.renumberSpin, &QSpinBox::valueChanged, this, guarded([this](int v) { m_model.setRenumberFrom(v); }));
    connect(u.titleEdit, &QLineEdit::textEdited, this, guarded([this](const QString& t) { m_model.setTitle(t); }));
    connect(u.descriptionEdit, &QLineEdit::textEdited, this,
            guarded([this](const QString& t) { m_model.setDescription(t); }));
    connect(u.printDateEdit, &QDateEdit::dateChanged, this, guarded([this](QDate d) {
                const bool blank = d == m_ui->printDateEdit->minimumDate();
                m_model.setPrintDate(blank ? kNoDate : dayFromDate(d));
            }));
    connect(u.calendarButton, &QToolButton::clicked, this, [this] { m_model.chooseDate(); });
    connect(u.krsCheck, &QCheckBox::toggled, this, guarded([this](bool on) { m_model.setKrs(on); }));
    connect(u.graphicRadio, &QRadioButton::toggled, this, guarded([this](bool on) {
                if (on)
                    m_model.setOutputKind(JournalWindowModel::kGraphic);
            }));
    connect(u.textRadio, &QRadioButton::toggled, this, guarded([this](bool on) {
                if (on)
                    m_model.setOutputKind(JournalWindowModel::kText);
            }));
    connect(u.printerButton, &QToolButton::clicked, this, [this] { m_model.choosePrinter(); });
    connect(u.copiesSpin, &QSpinBox::valueChanged, this, guarded([this](int v) { m_model.setCopies(v); }));

    using Command = JournalWindowModel::Command;
    connect(u.printButton, &QPushButton::clicked, this, [this] { m_model.run(Command::Print); });
    connect(u.previewButton, &QPushButton::clicked, this, [this] { m_model.run(Command::Preview); });
    connect(u.pdfButton, &QPushButton::clicked, this, [this] { m_model.run(Command::SavePdf); });
    connect(u.emailButton, &QPushButton::clicked, this, [this] { m_model.run(Command::SendEmail); });
    connect(u.cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void JournalWindowForm::refresh()
{
    m_refreshing = true;
    Ui::JournalWindowForm& u = *m_ui;

    QStringList names;
    for (const JournalYear& y : m_model.years())
        names << y.name;
    if (!sameItems(u.yearCombo, names)) {
        u.yearCombo->clear();
        u.yearCombo->addItems(names);
    }
    u.yearCombo->setCurrentIndex(m_model.yearIndex());

    names.clear();
    for (const JournalPeriod& p : m_model.periods())
        names << p.name;
    if (!sameItems(u.periodCombo, names)) {
        u.periodCombo->clear();
        u.periodCombo->addItems(names);
    }
    u.periodCombo->setCurrentIndex(m_model.periodIndex());

    auto* batches = static_cast<QStandardItemModel*>(u.batchCombo->model());
    bool sameBatches = batches->rowCount() == m_model.batches().size();
    for (int i = 0; sameBatches && i < batches->rowCount(); ++i)
        sameBatches = batches->item(i, 0)->text() == m_model.batches()[i].code
                      && batches->item(i, 1)->text() == m_model.batches()[i].name;
    if (!sameBatches) {
        batches->removeRows(0, batches->rowCount());
        for (const JournalBatch& b : m_model.batches())
            batches->appendRow({new QStandardItem(b.code), new QStandardItem(b.name)});
    }
    u.batchCombo->setCurrentIndex(m_model.batchIndex());
    apply(u.batchLabel, m_model.control(Control::BatchLabel));
    apply(u.batchCombo, m_model.control(Control::Batch));

    u.sumDocumentsCheck->setChecked(m_model.sumDocuments());
    apply(u.sumDocumentsCheck, m_model.control(Control::SumDocuments));
    u.sumOffBalanceCheck->setChecked(m_model.sumOffBalance());
    apply(u.sumOffBalanceCheck, m_model.control(Control::SumOffBalance));
    u.renumberCheck->setChecked(m_model.renumber());
    apply(u.renumberCheck, m_model.control(Control::Renumber));
    u.renumberSpin->setValue(m_model.renumberFrom());
    apply(u.renumberSpin, m_model.control(Control::RenumberFrom));

    if (u.titleEdit->text() != m_model.title())
        u.titleEdit->setText(m_model.title());
    if (u.descriptionEdit->text() != m_model.description())
        u.descriptionEdit->setText(m_model.description());
    const QDate printDate = dateFromDay(m_model.printDate());
    u.printDateEdit->setDate(printDate.isValid() ? printDate : u.printDateEdit->minimumDate());
    apply(u.printDateEdit, m_model.control(Control::PrintDate));
    apply(u.calendarButton, m_model.control(Control::CalendarButton));
    u.krsCheck->setChecked(m_model.krs());

    const bool text = m_model.outputKind() == JournalWindowModel::kText;
    u.graphicRadio->setChecked(!text);
    u.textRadio->setChecked(text);
    u.printerEdit->setText(m_model.printerName());
    u.printerEdit->setCursorPosition(0);
    u.copiesSpin->setValue(m_model.copies());

    m_refreshing = false;
}

void JournalWindowForm::showEvent(QShowEvent* event)
{
    if (!m_positioned) {
        m_positioned = true;
        restorePosition();
    }
    QDialog::showEvent(event);
}

void JournalWindowForm::done(int result)
{
    savePosition();
    QDialog::done(result);
}

void JournalWindowForm::restorePosition()
{
    const SettingsStore& settings = moduleSettings();
    if (!settings.contains(settingsSection(), kXPos) || !settings.contains(settingsSection(), kYPos))
        return;
    const QPoint saved(int(settings.integer(settingsSection(), kXPos)), int(settings.integer(settingsSection(), kYPos)));
    // A position from a larger or a removed screen is not restored off the visible desktop.
    if (const QScreen* screen = QGuiApplication::screenAt(saved + QPoint(20, 20)); !screen)
        return;
    move(saved);
}

void JournalWindowForm::savePosition()
{
    SettingsStore& settings = moduleSettings();
    settings.setValue(settingsSection(), kXPos, pos().x());
    settings.setValue(settingsSection(), kYPos, pos().y());
    settings.sync();
}

} // namespace pravik::journals
