#include "journals/window/JournalWindowForm.h"

#include "framework/WindowPlacement.h"
#include "journals/window/JournalWindowModel.h"

#include "ui_PARAM_PRN_DZIENNIK.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

namespace pravik::journals {

namespace {

const QString kHelpTopic = QStringLiteral("Zestawienia z ksiegi glownej.htm");

using Control = JournalWindowModel::Control;
using form::apply;

} // namespace

JournalWindowForm::JournalWindowForm(JournalWindowModel& model, QWidget* parent)
    : ReportWindowForm(model, settingsSection(), parent), m_model(model), m_ui(std::make_unique<Ui::JournalWindowForm>())
{
    m_ui->setupUi(this);

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

    m_ui->pdfButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_ui->emailButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));

    bindReportControls();
    connectControls();
    refresh();
}

JournalWindowForm::~JournalWindowForm() = default;

QString JournalWindowForm::settingsSection()
{
    return QStringLiteral("Param_Prn_Dziennik");
}

QString JournalWindowForm::helpTopic() const
{
    return kHelpTopic;
}

QUrl JournalWindowForm::helpUrl()
{
    return moduleHelpUrl(kHelpTopic);
}

void JournalWindowForm::connectControls()
{
    Ui::JournalWindowForm& u = *m_ui;
    JournalWindowModel& m = m_model;
    connect(u.batchCombo, &QComboBox::currentIndexChanged, this, guarded([&m](int i) { m.selectBatch(i); }));
    connect(u.sumDocumentsCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setSumDocuments(on); }));
    connect(u.sumOffBalanceCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setSumOffBalance(on); }));
    connect(u.renumberCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setRenumber(on); }));
    connect(u.renumberSpin, &QSpinBox::valueChanged, this, guarded([&m](int v) { m.setRenumberFrom(v); }));
    connect(u.krsCheck, &QCheckBox::toggled, this, guarded([&m](bool on) { m.setKrs(on); }));
}

void JournalWindowForm::showControls()
{
    Ui::JournalWindowForm& u = *m_ui;
    const JournalWindowModel& m = m_model;

    auto* batches = static_cast<QStandardItemModel*>(u.batchCombo->model());
    bool sameBatches = batches->rowCount() == m.batches().size();
    for (int i = 0; sameBatches && i < batches->rowCount(); ++i)
        sameBatches = batches->item(i, 0)->text() == m.batches()[i].code && batches->item(i, 1)->text() == m.batches()[i].name;
    if (!sameBatches) {
        batches->removeRows(0, batches->rowCount());
        for (const JournalBatch& b : m.batches())
            batches->appendRow({new QStandardItem(b.code), new QStandardItem(b.name)});
    }
    u.batchCombo->setCurrentIndex(m.batchIndex());
    apply(u.batchLabel, m.control(Control::BatchLabel));
    apply(u.batchCombo, m.control(Control::Batch));

    showChecks<JournalWindowModel, Control>(m, {
        {u.sumDocumentsCheck, m.sumDocuments(), Control::SumDocuments},
        {u.sumOffBalanceCheck, m.sumOffBalance(), Control::SumOffBalance},
        {u.renumberCheck, m.renumber(), Control::Renumber},
    });
    u.renumberSpin->setValue(m.renumberFrom());
    apply(u.renumberSpin, m.control(Control::RenumberFrom));
    showPrintDate(m.control(Control::PrintDate), m.control(Control::CalendarButton));
    u.krsCheck->setChecked(m.krs());
}

} // namespace pravik::journals
