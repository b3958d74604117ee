#pragma once
// The desktop face of the account picker with several choices: a search line (Enter searches the
// chart again), the accounts found with a tick box each, the count of ticked accounts, "Zaznacz
// wszystkie" / "Odznacz wszystkie" for the accounts shown, "Wybierz" keeps the ticks, Esc cancels.
#include "siblings/kontar/AccountChoice.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kontar {

class AccountChoiceDialog : public QDialog {
    Q_OBJECT

public:
    AccountChoiceDialog(AccountChoice& choice, QWidget* parent = nullptr);

    // Runs the search of the line's text and shows what it found.
    void search();
    // Stores the ticks; a failed store is said and the dialog stays open.
    void accept() override;

private:
    void showFound();
    void itemChanged(QTreeWidgetItem* item, int column);

    AccountChoice& m_choice;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_counter = nullptr;
    bool m_filling = false;
};

} // namespace kontar
