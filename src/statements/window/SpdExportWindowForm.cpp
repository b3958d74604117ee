#include "statements/window/SpdExportWindowForm.h"

#include "platform/UiServices.h"
#include "siblings/utilka/Messages.h"

#include "ui_EKSPORT_PSD.h"

#include <QApplication>

namespace pravik::statements {

SpdExportWindowForm::SpdExportWindowForm(SpdExportWindowModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_ui(std::make_unique<Ui::SpdExportWindowForm>())
{
    m_ui->setupUi(this);
    m_ui->executeButton->setShortcut(QKeySequence(Qt::Key_F10));
    m_ui->cancelButton->setShortcut(QKeySequence(Qt::Key_Escape));
    const SpdSettings& s = m_model.settings();
    // A stored value longer than its field is shown whole, so that "Wykonaj" can say what is wrong
    // with it instead of the edit cutting it silently.
    auto show = [](QLineEdit* edit, const QString& value) {
        edit->setMaxLength(qMax(edit->maxLength(), int(value.size())));
        edit->setText(value);
    };
    show(m_ui->sdCodeEdit, s.sdCode());
    show(m_ui->entityCodeEdit, s.entityCode());
    show(m_ui->separatorEdit, s.separator());
    show(m_ui->qualifierEdit, s.qualifier());
    m_ui->accountNamesCheck->setChecked(s.accountNames());
    if (s.businessDate > 0)
        m_ui->businessDateEdit->setDate(dateFromDay(s.businessDate));

    connect(m_ui->sdCodeEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.setSdCode(t); });
    connect(m_ui->entityCodeEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.setEntityCode(t); });
    connect(m_ui->separatorEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.setSeparator(t); });
    connect(m_ui->qualifierEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.setQualifier(t); });
    connect(m_ui->accountNamesCheck, &QCheckBox::toggled, this, [this](bool on) { m_model.setAccountNames(on); });
    connect(m_ui->businessDateEdit, &QDateEdit::dateChanged, this, [this](const QDate& d) { m_model.setBusinessDate(dayFromDate(d)); });
    connect(m_ui->calendarButton, &QToolButton::clicked, this, [this] { pickDate(); });
    connect(m_ui->executeButton, &QPushButton::clicked, this, [this] { execute(); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

SpdExportWindowForm::~SpdExportWindowForm() = default;

void SpdExportWindowForm::pickDate()
{
    if (const auto d = ui().askDate(QStringLiteral("Data biznesowa"), m_ui->businessDateEdit->date()))
        m_ui->businessDateEdit->setDate(*d);
}

void SpdExportWindowForm::execute()
{
    if (const auto problem = m_model.accept()) {
        utilka::MSG_INF(*problem);
        return;
    }
    accept();
}

bool showSpdExportWindow(SpdExportWindowModel& model)
{
    SpdExportWindowForm window(model, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

} // namespace pravik::statements
