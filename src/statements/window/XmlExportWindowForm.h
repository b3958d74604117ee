#pragma once
// "Eksport XML" on the desktop, bound to the export's form: the report and period lines,
// "pierwotne" or "korekta  nr..." with its number (enabled only for a correction), "Uwagi",
// "Plik eksportu" with the file button, "Wykonaj" (F10) and "Anuluj" (Esc).
#include "statements/export/BudgetXmlExport.h"

#include <QDialog>
#include <memory>

namespace Ui {
class XmlExportWindowForm;
}

namespace pravik::statements {

class XmlExportWindowForm : public QDialog {
    Q_OBJECT

public:
    explicit XmlExportWindowForm(XmlExportForm& form, QWidget* parent = nullptr);
    ~XmlExportWindowForm() override;

private:
    void refresh();
    void chooseFile();
    void execute();

    XmlExportForm& m_form;
    std::unique_ptr<Ui::XmlExportWindowForm> m_ui;
};

// Shows the window over the form; true when the user pressed "Wykonaj" with a complete form.
bool showXmlExportWindow(XmlExportForm& form);

} // namespace pravik::statements
