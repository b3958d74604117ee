#pragma once
// The desktop host's main window: the ledger's report menus, as the host application offers
// them, opening the module's parameter windows. Reports not built yet stay in the menu, disabled.
#include <QMainWindow>

class QAction;

namespace pravik::gui {

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The menu action that opens the journal window of a kind (71, 72, 73); null for others.
    QAction* journalAction(int kind) const;

    // Opens the journal window of a kind and returns when it is closed.
    void openJournal(int kind);

private:
    void buildMenus();
    void showSession();

    QAction* m_journal71 = nullptr;
    QAction* m_journal72 = nullptr;
    QAction* m_journal73 = nullptr;
};

} // namespace pravik::gui
