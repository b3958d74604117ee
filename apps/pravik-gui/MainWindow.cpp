#include "MainWindow.h"

#include "LedgerBrowse.h"
#include "StatementWindowWiring.h"
#include "StatementsMenu.h"
#include "TurnoverMenu.h"

#include "journals/window/ParamPrnDziennik.h"
#include "siblings/korda/Session.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace pravik::gui {

namespace {

// Reports whose windows are not part of this build yet: listed where the user expects them, but
// not offered.
void addPending(QMenu* menu, const QString& text)
{
    QAction* a = menu->addAction(text);
    a->setEnabled(false);
    a->setStatusTip(QStringLiteral("Wydruk jeszcze niedostępny"));
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    buildMenus();
    showSession();
    resize(760, 420);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    QAction* quit = file->addAction(QStringLiteral("&Zakończ"), qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    QMenu* prints = menuBar()->addMenu(QStringLiteral("&Wydruki"));
    QMenu* turnover = prints->addMenu(QStringLiteral("Zestawienia obrotów i sald"));
    addTurnoverActions(turnover);

    QMenu* journals = prints->addMenu(QStringLiteral("&Dzienniki"));
    m_journal71 = journals->addAction(QStringLiteral("Dziennik księgowań"), this, [this] { openJournal(71); });
    m_journal72 = journals->addAction(QStringLiteral("Dziennik dokumentów"), this, [this] { openJournal(72); });
    m_journal73 = journals->addAction(QStringLiteral("Zestawienie dzienników księgowań"), this, [this] { openJournal(73); });

    QMenu* ledger = prints->addMenu(QStringLiteral("Księga główna"));
    // The account sheets start from the ledger browse, with its filter and marked rows.
    ledger->addAction(QStringLiteral("Kartoteki kont (z przeglądania zapisów)"), this, [this] {
        LedgerBrowse browse(this);
        browse.exec();
    });
    addPending(ledger, QStringLiteral("Salda kont"));
    addPending(ledger, QStringLiteral("Raporty kasowe"));
    addPending(ledger, QStringLiteral("Zestawienia MPK"));

    connectStatementWindows();
    addStatementsMenu(prints);

    addLedgerMenu(menuBar(), this);
}

void MainWindow::showSession()
{
    const korda::Session& s = korda::session();
    setWindowTitle(QStringLiteral("Tabulo – %1").arg(s.FIRMA.nazwa.isEmpty() ? s.DANE_NAZWA_FIRMY : s.FIRMA.nazwa));
    auto* info = new QLabel(this);
    info->setTextFormat(Qt::PlainText);
    info->setAlignment(Qt::AlignCenter);
    info->setText(QStringLiteral("%1\nRok obrotowy: %2\nUżytkownik: %3")
                      .arg(s.DANE_NAZWA_FIRMY, s.DANE_LATA_OBROT_NAZWA, s.DANE_ID_UZYT));
    setCentralWidget(info);
    statusBar()->showMessage(QStringLiteral("Wydruki → Dzienniki"));
}

QAction* MainWindow::journalAction(int kind) const
{
    switch (kind) {
    case 71: return m_journal71;
    case 72: return m_journal72;
    case 73: return m_journal73;
    default: return nullptr;
    }
}

void MainWindow::openJournal(int kind)
{
    PARAM_PRN_DZIENNIK(kind);
}

} // namespace pravik::gui
