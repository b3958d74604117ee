#pragma once
// Card-index placeholders ("201-x": the subsidiary-ledger accounts under "201-") in the account
// list. With card-index accounts asked for, each placeholder gives way to the concrete accounts
// under its prefix: those matching the mask, or every entry of the card index behind it (the
// completeness switch), or those with turnovers. Without them, the placeholders leave the list
// and their parents stand in for them in the totals. Either way the parents of every concrete
// account are in the list, and the leaf flags are made true again.
#include "turnover/TurnoverTypes.h"

#include <QString>

namespace pravik::turnover {

struct ExpansionRequest {
    qint32 company = 0;
    qint32 year = 0;
    QString mask;                  // as typed: "?" and "*"; empty: none
    bool cardIndexAccounts = true; // expand (else drop the placeholders)
    bool complete = false;         // every card-index entry, not only those with turnovers
};

// The list with its placeholders resolved, in account order. Statement rows are not numbered
// yet. Failing queries are shown and give no accounts for their placeholder.
AccountList expandCardIndexAccounts(const AccountList& accounts, const ExpansionRequest& request);

// The parents of an account: the prefixes before each "-" ("401-3-7" -> "401", "401-3").
QStringList parentAccounts(const QString& account);

} // namespace pravik::turnover
