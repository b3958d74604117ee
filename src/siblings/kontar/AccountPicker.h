#pragma once
// The chart-of-accounts picker: the accounts of the company's chart for the session's fiscal
// year (WARTOSCI_KONT), from which the user chooses one. The caller sets DANE_STATUS_WYBORU
// (0: choose an account of any level) and reads the choice from DANE_NUMER_KONTA, empty when
// nothing was chosen. On the desktop a dialog with a search line; elsewhere the user services'
// list pick (a batch run has no one to ask and chooses nothing).
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace kontar {

struct ChartAccount {
    QString number;
    QString name;
};

// The company's chart for the year, in account order. A failed query is shown and gives what
// was read.
QList<ChartAccount> chartAccounts(qint32 company, qint32 year);

// "201-15  Odbiorcy krajowi": how the list shows an account; accountFromItem reads it back.
QString accountItem(const ChartAccount& account);
QString accountFromItem(const QString& item);

// Lets the user choose an account of the session's company and year, starting at
// DANE_NUMER_KONTA; the choice goes to DANE_NUMER_KONTA ("" when cancelled) and is returned.
QString PLAN_KONT();

} // namespace kontar
