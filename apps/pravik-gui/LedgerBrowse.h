#pragma once
// The desktop host's ledger browse: the postings of an account over a range of periods, rows
// marked with their check boxes, and the ledger prints started with the browse's filter and
// control list (WYDRUK_KSIEGA), as the host application's browse starts them.
#include "ledger/LedgerBrowseModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenuBar;
class QTableWidget;

namespace pravik::gui {

class LedgerBrowse : public QDialog {
    Q_OBJECT

public:
    explicit LedgerBrowse(QWidget* parent = nullptr);

    ledger::LedgerBrowseModel& model() { return m_model; }
    void refresh();
    // Starts a print of the kind (61, 68, 64, 63) with the browse's choices.
    void print(int kind);

private:
    void apply();

    ledger::LedgerBrowseModel m_model;
    QLineEdit* m_account = nullptr;
    QComboBox* m_from = nullptr;
    QComboBox* m_to = nullptr;
    QCheckBox* m_periodLayout = nullptr;
    QCheckBox* m_summary = nullptr;
    QCheckBox* m_costCentres = nullptr;
    QCheckBox* m_exclude = nullptr;
    QTableWidget* m_rows = nullptr;
};

// The "Księga" menu of the main window.
void addLedgerMenu(QMenuBar* bar, QWidget* parent);

} // namespace pravik::gui
