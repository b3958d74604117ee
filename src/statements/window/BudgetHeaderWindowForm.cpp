#include "statements/window/BudgetHeaderWindowForm.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pravik::statements {

namespace {

// The territorial codes and REGON parts are short: a wide edit for them only invites typing past
// what the form has room for.
int editWidth(int width)
{
    return width <= 20 ? 140 : width <= 50 ? 260 : 480;
}

} // namespace

BudgetHeaderWindowForm::BudgetHeaderWindowForm(BudgetHeaderWindowModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setWindowTitle(BudgetHeaderWindowModel::kTitle);
    setObjectName(QStringLiteral("BudgetHeaderWindow"));
    auto* layout = new QVBoxLayout(this);

    auto addRows = [this](QFormLayout* form, const QList<BudgetHeaderWindowModel::Field>& fields) {
        for (const auto& f : fields) {
            auto* edit = new QLineEdit(f.value, this);
            edit->setObjectName(f.name);
            edit->setMaxLength(f.width);
            edit->setMinimumWidth(editWidth(f.width));
            connect(edit, &QLineEdit::textEdited, this, [this, name = f.name](const QString& text) { m_model.setValue(name, text); });
            form->addRow(f.label + QLatin1Char(':'), edit);
        }
    };
    // The titles and "Adresat" stand outside the frames: titles above, the addressee below.
    QList<BudgetHeaderWindowModel::Field> titles, addressee;
    for (const auto& f : model.fieldsOf(QString()))
        (f.name.startsWith(QLatin1String("PRN_TYTUL")) ? titles : addressee) << f;
    auto* top = new QFormLayout;
    addRows(top, titles);
    layout->addLayout(top);
    for (const QString& frame : BudgetHeaderWindowModel::frames()) {
        auto* box = new QGroupBox(frame, this);
        auto* form = new QFormLayout(box);
        addRows(form, model.fieldsOf(frame));
        layout->addWidget(box);
    }
    auto* bottom = new QFormLayout;
    addRows(bottom, addressee);
    layout->addLayout(bottom);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void BudgetHeaderWindowForm::accept()
{
    m_model.close();
    QDialog::accept();
}

void showBudgetHeaderWindow()
{
    BudgetHeaderWindowModel model;
    BudgetHeaderWindowForm form(model, QApplication::activeWindow());
    form.exec();
}

} // namespace pravik::statements
