#pragma once
// "Eksport do pliku wg formatu SPD" on the desktop, bound to its model: "Kod SD", "Kod encji ",
// "Separator kolumn", "Prefiks i sufiks wyrażeń znakowych", "Wypełnij nazwę konta księgowego",
// "Data biznesowa" with the calendar button, "Wykonaj" (F10) and "Anuluj" (Esc).
#include "statements/window/SpdExportWindowModel.h"

#include <QDialog>
#include <memory>

namespace Ui {
class SpdExportWindowForm;
}

namespace pravik::statements {

class SpdExportWindowForm : public QDialog {
    Q_OBJECT

public:
    explicit SpdExportWindowForm(SpdExportWindowModel& model, QWidget* parent = nullptr);
    ~SpdExportWindowForm() override;

private:
    void pickDate();
    void execute();

    SpdExportWindowModel& m_model;
    std::unique_ptr<Ui::SpdExportWindowForm> m_ui;
};

bool showSpdExportWindow(SpdExportWindowModel& model);

} // namespace pravik::statements
