#pragma once
// The desktop face of "Lista pozycji raportu": a tab per list the statement needs ("Konta
// księgowe", "Klasyfikacja budżetowa"), each with its filter, "Dodaj do listy wg ustawień
// filtra", the list with tick boxes and its counter, the editing buttons and the saved lists;
// "Zapisz" (F10) writes the lists and closes, "Anuluj" (Esc) closes. Ctrl+S saves the list of the
// current tab under a name, Ctrl+Del deletes the chosen saved list.
#include "statements/lists/UserListWindowModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace pravik::statements {

// "Zapisywanie listy użytkownika": the name of the list (30 characters), a new list or the chosen
// one changed. "Zapisz" (F10) keeps the dialog open when the model refuses the name.
class SaveListDialog : public QDialog {
    Q_OBJECT

public:
    SaveListDialog(UserListWindowModel& model, ListKind kind, QWidget* parent = nullptr);
    void accept() override;

private:
    UserListWindowModel& m_model;
    ListKind m_kind;
    QLineEdit* m_name = nullptr;
    QRadioButton* m_new = nullptr;
    QRadioButton* m_replace = nullptr;
};

class UserListWindowForm : public QDialog {
    Q_OBJECT

public:
    explicit UserListWindowForm(UserListWindowModel& model, QWidget* parent = nullptr);

    // "Zapisz": closes only when the lists were written.
    void accept() override;
    // The list of the current tab.
    ListKind currentKind() const;
    // The dialog of Ctrl+S for the current list (modal; the tests answer it).
    void saveCurrentList();
    void deleteCurrentSaved();

private:
    struct Panel {
        QListWidget* list = nullptr;
        QLabel* counter = nullptr;
        QComboBox* saved = nullptr;
        QPushButton* group = nullptr;
    };

    QWidget* buildAccountsTab();
    QWidget* buildClassificationsTab();
    QWidget* buildListPanel(ListKind k);
    Panel& panel(ListKind k) { return k == ListKind::Accounts ? m_accountsPanel : m_classificationsPanel; }
    void refresh();
    void readAccountFilter();
    void readClassificationFilter();
    void searchAccounts();
    void chooseClassifications();

    UserListWindowModel& m_model;
    bool m_refreshing = false;
    QTabWidget* m_tabs = nullptr;
    Panel m_accountsPanel, m_classificationsPanel;

    // accounts
    QRadioButton* m_allRadio = nullptr;
    QRadioButton* m_rangeRadio = nullptr;
    QRadioButton* m_maskRadio = nullptr;
    QRadioButton* m_chosenRadio = nullptr;
    QLineEdit* m_rangeFrom = nullptr;
    QLineEdit* m_rangeTo = nullptr;
    QLineEdit* m_mask = nullptr;
    QLineEdit* m_oneAccount = nullptr;
    QLineEdit* m_search = nullptr;
    QComboBox* m_year = nullptr;
    QLabel* m_tickedAccounts = nullptr;
    QRadioButton* m_syntheticRadio = nullptr;
    QRadioButton* m_levelRadio = nullptr;
    QRadioButton* m_fullRadio = nullptr;
    QSpinBox* m_level = nullptr;

    // classifications
    QRadioButton* m_expensesRadio = nullptr;
    QRadioButton* m_revenuesRadio = nullptr;
    QRadioButton* m_classMaskRadio = nullptr;
    QRadioButton* m_classChosenRadio = nullptr;
    QCheckBox* m_any[4] = {};
    QLineEdit* m_part[4] = {};
    QLineEdit* m_oneClassification = nullptr;
    QLabel* m_tickedClassifications = nullptr;
    QComboBox* m_presentation = nullptr;
    QCheckBox* m_plan = nullptr;
};

} // namespace pravik::statements
