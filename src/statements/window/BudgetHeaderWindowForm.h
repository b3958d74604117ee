#pragma once
// "Dane nagłówkowe wydruku" on the desktop: the titles, the frames "Jednostka sprawozdawcza",
// "Symbole" and "Nazwy", the field "Adresat" and "Zamknij". The fields follow the header's field
// table (one line edit per field, named by its report field, limited to its width), so the form
// is made from the model rather than from a Designer file.
#include "statements/window/BudgetHeaderWindowModel.h"

#include <QDialog>

namespace pravik::statements {

class BudgetHeaderWindowForm : public QDialog {
    Q_OBJECT

public:
    explicit BudgetHeaderWindowForm(BudgetHeaderWindowModel& model, QWidget* parent = nullptr);
    void accept() override;

private:
    BudgetHeaderWindowModel& m_model;
};

// Opens the window over the module's header data and returns when it is closed.
void showBudgetHeaderWindow();

} // namespace pravik::statements
