#pragma once
// The journal parameter window "Parametry wydruku" on the desktop: the form of
// layouts/PARAM_PRN_DZIENNIK.ui bound to a JournalWindowModel (a report window form:
// framework/ReportWindowForm.h). The form only shows the model and passes the user's edits and
// commands on; every rule lives in the model.
#include "framework/ReportWindowForm.h"

#include <QUrl>
#include <memory>

namespace Ui {
class JournalWindowForm;
}

namespace pravik::journals {

class JournalWindowModel;

class JournalWindowForm : public ReportWindowForm {
    Q_OBJECT

public:
    // The model must be open and outlive the form.
    explicit JournalWindowForm(JournalWindowModel& model, QWidget* parent = nullptr);
    ~JournalWindowForm() override;

    // Where the window's position is kept in the module's settings.
    static QString settingsSection();
    // The help topic of the window in the configured help (GLO:LOCALPATH and GGG:HELP_PLIK);
    // empty when no help file is configured.
    static QUrl helpUrl();

    JournalWindowModel& model() { return m_model; }

protected:
    QString helpTopic() const override;
    void showControls() override;

private:
    void connectControls();

    JournalWindowModel& m_model;
    std::unique_ptr<Ui::JournalWindowForm> m_ui;
};

} // namespace pravik::journals
