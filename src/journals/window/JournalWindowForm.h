#pragma once
// The journal parameter window "Parametry wydruku" on the desktop: the form of
// layouts/PARAM_PRN_DZIENNIK.ui bound to a JournalWindowModel. The form only shows the model and
// passes the user's edits and commands on; every rule lives in the model.
#include <QDialog>
#include <QUrl>
#include <memory>

namespace Ui {
class JournalWindowForm;
}

namespace pravik::journals {

class JournalWindowModel;

class JournalWindowForm : public QDialog {
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

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void connectControls();
    void refresh();
    void restorePosition();
    void savePosition();
    void openHelp();

    JournalWindowModel& m_model;
    std::unique_ptr<Ui::JournalWindowForm> m_ui;
    bool m_refreshing = false;
    bool m_positioned = false;
};

} // namespace pravik::journals
