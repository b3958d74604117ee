#pragma once
// The budget-unit cash report (kind 81): the cash entries of the account entries queue with their
// posting date and position number, the description over two lines, and under each entry its
// budget classification and its cost-centre allocations. Totals and paging are the cash report's.
#include "ledger/CashReportSource.h"

#include <QList>
#include <QString>

namespace pravik::ledger {

// The description as printed: at most 36 characters cut at a blank on the entry line, the next
// 50 characters on the continuation line (empty when the description fits).
struct DescriptionParts {
    QString first;
    QString rest;
};
DescriptionParts splitDescription(const QString& description);

// The kinds text of a budget classification: one label per flag set, each followed by ", ", in
// the order income, inflow, expenditure, cost, commitment, cash.
QString budgetKindsText(const QList<bool>& flags);

// The indicator list of a cost-centre allocation: "n: code, " for each non-empty indicator n.
QString indicatorList(const QStringList& indicators);

struct BudgetClassification {
    QString classification;
    QString kinds;
};

struct CostCentreAllocation {
    QString indicators;
    QString treePath;
    Amounts amounts;
};

// Prints the budget-unit cash report of the entries in the queue; the response.
int printBudgetCashReport(const CashRequest& request, AccountEntriesQueue& queue);

} // namespace pravik::ledger
