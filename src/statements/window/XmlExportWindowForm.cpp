#include "statements/window/XmlExportWindowForm.h"

#include "platform/UiServices.h"
#include "siblings/utilka/Messages.h"

#include "ui_EXPORT_XML.h"

#include <QApplication>
#include <QShortcut>

namespace pravik::statements {

XmlExportWindowForm::XmlExportWindowForm(XmlExportForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_ui(std::make_unique<Ui::XmlExportWindowForm>())
{
    m_ui->setupUi(this);
    m_ui->executeButton->setShortcut(QKeySequence(Qt::Key_F10));
    m_ui->cancelButton->setShortcut(QKeySequence(Qt::Key_Escape));
    m_ui->reportLabel->setText(m_form.reportLine());
    m_ui->periodLabel->setText(m_form.periodText);
    m_ui->noteEdit->setText(m_form.note);
    m_ui->pathEdit->setText(m_form.path);

    connect(m_ui->originalRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_form.correction = false;
        refresh();
    });
    connect(m_ui->correctionRadio, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_form.correction = true;
        refresh();
    });
    connect(m_ui->correctionSpin, &QSpinBox::valueChanged, this, [this](int n) { m_form.correctionNumber = n; });
    connect(m_ui->noteEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.note = t; });
    connect(m_ui->pathEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_form.path = t; });
    connect(m_ui->fileButton, &QToolButton::clicked, this, [this] { chooseFile(); });
    connect(m_ui->executeButton, &QPushButton::clicked, this, [this] { execute(); });
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    refresh();
}

XmlExportWindowForm::~XmlExportWindowForm() = default;

void XmlExportWindowForm::refresh()
{
    const QSignalBlocker a(m_ui->originalRadio), b(m_ui->correctionRadio), c(m_ui->correctionSpin);
    m_ui->originalRadio->setChecked(!m_form.correction);
    m_ui->correctionRadio->setChecked(m_form.correction);
    m_ui->correctionSpin->setValue(qBound(0, m_form.correctionNumber, 255));
    m_ui->correctionSpin->setEnabled(m_form.correction);
}

void XmlExportWindowForm::chooseFile()
{
    const auto chosen = ui().askSaveFile(QStringLiteral("Zapisz plik jako"), m_form.path, QStringLiteral("Pliki xml (*.xml)"));
    if (!chosen)
        return;
    m_form.fileChosen(*chosen);
    m_ui->pathEdit->setText(m_form.path);
}

void XmlExportWindowForm::execute()
{
    if (const auto problem = m_form.accept()) {
        utilka::MSG_INF(*problem);
        const bool number = m_form.correction && (m_form.correctionNumber < 0 || m_form.correctionNumber > 255);
        (number ? static_cast<QWidget*>(m_ui->correctionSpin) : m_ui->pathEdit)->setFocus();
        return;
    }
    m_ui->pathEdit->setText(m_form.path);
    accept();
}

bool showXmlExportWindow(XmlExportForm& form)
{
    XmlExportWindowForm window(form, QApplication::activeWindow());
    return window.exec() == QDialog::Accepted;
}

} // namespace pravik::statements
