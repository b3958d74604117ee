#pragma once
// The computed turnover and balance statement, before any printing: its rows in print order
// with the amounts as shown and the flags the printout needs, and the totals.
#include "turnover/TurnoverTypes.h"

#include <QList>
#include <QString>

namespace pravik::turnover {

enum class RowKind {
    Account,          // one account
    AccountNet,       // "Persaldo konta " & account, after a synthetic row (amounts in `closing`)
    GroupTotal,       // "Zespół " & group, or "Razem konta zespołu " & group
    GroupNet,         // "Persaldo zespołu " & group (amounts in `closing`)
    GroupsSummary,    // "Podsumowanie zespołów kont": the sum of the group totals
    GrandTotal,       // "Razem"
    TypeSummary,      // one line of "W tym konta:", typeName "Bilansowe" or "Pozabilansowe"
    NetTotal,         // "Persaldo": each pair of the grand total as its net balance
};

struct TurnoverRow {
    RowKind kind = RowKind::Account;
    QString account;          // account rows and their net-balance lines
    QString name;
    QString label;            // the printed label of every total and net-balance line
    QString typeName;         // TypeSummary
    QChar group;              // the account group the row belongs to (totals of a group too)
    int level = 0;            // analytic level; 0 for totals
    bool leaf = false;
    bool synthetic = false;
    bool placeholderParent = false;
    bool counted = false;     // entered the statement totals
    bool restricted = false;  // the user may not see this account's amounts
    bool bold = false;        // an aggregate row with bold aggregate rows asked for
    TurnoverAmounts amounts;  // as shown: in thousands, variant 2 columns, zero when restricted

    // The number as printed: "* " before an account the user may not see.
    QString displayAccount() const { return restricted ? QStringLiteral("* ") + account : account; }
};

enum class StatementOutcome {
    Completed,
    Refused,      // the server found turnovers that disagree with the documents: no output
    NoAccounts,   // nothing to compute; message says why
    Failed,       // the year or the account list could not be read; message says why
};

struct TurnoverStatement {
    StatementOutcome outcome = StatementOutcome::Completed;
    QString message;              // why the statement is empty or refused
    QList<TurnoverRow> rows;      // printed rows in order, totals included
    TurnoverAmounts totals;       // "Razem"
    TurnoverAmounts balanceTotals;    // types B and W ("Bilansowe")
    TurnoverAmounts offBalanceTotals; // type P ("Pozabilansowe")
    TurnoverAmounts groupsSum;        // "Podsumowanie zespołów kont"
    bool restrictedAccess = false;    // some account was shown masked
    // The analytic statement was made without card-index detail (their parents stand in).
    bool cardIndexOmitted = false;

    bool completed() const { return outcome == StatementOutcome::Completed; }
    // The first row of the kind with the label (or any label when empty); null when missing.
    const TurnoverRow* find(RowKind kind, const QString& label = QString()) const
    {
        for (const TurnoverRow& r : rows)
            if (r.kind == kind && (label.isEmpty() || r.label == label || r.account == label))
                return &r;
        return nullptr;
    }
};

// Texts of the statement, as the system shows and prints them.
inline const QString kRefusedText = QStringLiteral(
    "Zestawienie nie może zostać wykonane. Istnieją różnice pomiędzy obrotami kont i zapisami w dokumentach. "
    "W celu naprawienia błędu należy wykonać odpowiednią funkcję kontrolno-naprawczą w menu \"Administracja\".");
inline const QString kRestrictedAccessText = QStringLiteral("Posiadasz ograniczone uprawnienia do kont.");
inline const QString kNoAccountsText =
    QStringLiteral("Żadne konto nie spełnia wybranych warunków. Zestawienie nie zawiera pozycji.");
inline const QString kNoCardIndexLine = QStringLiteral("Bez wyszczególnienia kont kartotekowych");
inline const QString kTotalLabel = QStringLiteral("Razem");
inline const QString kTypeSummaryLabel = QStringLiteral("W tym konta:");
inline const QString kNetTotalLabel = QStringLiteral("Persaldo");
inline const QString kGroupsSummaryLabel = QStringLiteral("Podsumowanie zespołów kont");
inline const QString kBalanceTypeName = QStringLiteral("Bilansowe");
inline const QString kOffBalanceTypeName = QStringLiteral("Pozabilansowe");

} // namespace pravik::turnover
