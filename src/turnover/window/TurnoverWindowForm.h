#pragma once
// The turnover parameter window "Parametry wydruku" on the desktop: the form of
// layouts/PARAM_PRN_OBROTY.ui bound to a TurnoverWindowModel (a report window form:
// framework/ReportWindowForm.h). The form shows the model and
// passes the user's edits and commands on; every rule lives in the model. After "Zapisz do
// tabeli" it opens the statement browse.
#include "framework/ReportWindowForm.h"

#include <memory>

namespace Ui {
class TurnoverWindowForm;
}

namespace pravik::turnover {

class TurnoverWindowModel;

class TurnoverWindowForm : public ReportWindowForm {
    Q_OBJECT

public:
    // The model must be open and outlive the form.
    explicit TurnoverWindowForm(TurnoverWindowModel& model, QWidget* parent = nullptr);
    ~TurnoverWindowForm() override;

    static QString settingsSection() { return QStringLiteral("Param_Prn_Obroty"); }
    TurnoverWindowModel& model() { return m_model; }

    // The purple of "Drukuj konta o obrotach różnych od zera" while the completeness switch is on.
    static QColor completeSwitchColor();

protected:
    QString helpTopic() const override;
    void openHelp() override;
    void showControls() override;

private:
    void connectControls();

    TurnoverWindowModel& m_model;
    std::unique_ptr<Ui::TurnoverWindowForm> m_ui;
};

} // namespace pravik::turnover
