#pragma once
// The statement window "Parametry zestawienia" on the desktop: the form of
// layouts/PARAM_PRN_ZESTAW.ui bound to a StatementWindowModel (a report window form:
// framework/ReportWindowForm.h). Every rule lives in the model; the form shows it, passes the
// user's edits on, opens the rows window of "Pokaż", offers the export menu, takes Ctrl+B, and
// closes when a printout has been started.
#include "framework/ReportWindowForm.h"

#include <memory>

class QMenu;

namespace Ui {
class StatementWindowForm;
}

namespace pravik::statements {

class StatementWindowModel;

class StatementWindowForm : public ReportWindowForm {
    Q_OBJECT

public:
    // The model must be open and outlive the form.
    explicit StatementWindowForm(StatementWindowModel& model, QWidget* parent = nullptr);
    ~StatementWindowForm() override;

    static QString settingsSection() { return QStringLiteral("Param_Prn_Zestaw"); }
    StatementWindowModel& model() { return m_model; }
    // The pop-up menu of "Eksport ..." (shown at the button when it is pressed).
    QMenu* exportMenu() const { return m_exportMenu; }

protected:
    QString helpTopic() const override;
    void showControls() override;

private:
    void connectControls();

    StatementWindowModel& m_model;
    std::unique_ptr<Ui::StatementWindowForm> m_ui;
    QMenu* m_exportMenu = nullptr;
};

} // namespace pravik::statements
