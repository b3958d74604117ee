#pragma once
// The summary table under an account sheet: one row per period or per account with its sums and
// its net balance, and in the account layout a row for every parent account above the accounts
// printed. It holds one row per key, never one per posting.
#include "ledger/LedgerAmounts.h"
#include "platform/DayNumber.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>

namespace pravik::ledger {

struct SummaryRow {
    QString key;            // the period label or the account
    DayNumber period = 0;   // period layout: the period the label stands for
    Amounts sums;
    Amounts balance;        // net, or for a two-balance parent both summed balances
    bool posted = true;     // false for a parent row added above the accounts
    QString name;           // account layout: the account's name
};

class SheetSummary {
public:
    explicit SheetSummary(bool periodLayout) : m_periodLayout(periodLayout) {}

    void add(const QString& key, DayNumber period, const Amounts& amounts);
    bool isEmpty() const { return m_rows.isEmpty(); }

    // The rows netted and in order: periods by date (BO first, BZ last), accounts by their text
    // with each parent row after a posted row of the same number. In the account layout a parent
    // is every leading part of a key that ends before a "-" (201 and 201-1 for 201-1-2); it sums
    // the posted rows equal to it or beginning with it followed by "-", and its balances stay as
    // summed when twoBalance says so of it, else they are netted.
    QList<SummaryRow> rows(const std::function<bool(const QString& parent)>& twoBalance) const;

    // The summary's totals: the posted rows only.
    static SummaryRow totals(const QList<SummaryRow>& rows);

private:
    bool m_periodLayout;
    QHash<QString, int> m_index;
    QList<SummaryRow> m_rows;
};

} // namespace pravik::ledger
