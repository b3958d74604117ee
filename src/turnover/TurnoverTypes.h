#pragma once
// The account list of the turnover statements and the amounts that travel with it. The window
// builds the list, the statement expands its card-index placeholders, numbers the entries and
// has the server fill the ten amounts of each; the statement rows are derived from it.
#include "platform/Decimal.h"

#include <QList>
#include <QString>
#include <array>
#include <cstdlib>

namespace pravik::turnover {

struct AmountPair {
    Decimal debit;
    Decimal credit;

    bool isZero() const { return debit.isZero() && credit.isZero(); }
    AmountPair& operator+=(const AmountPair& o)
    {
        debit += o.debit;
        credit += o.credit;
        return *this;
    }
    AmountPair& operator-=(const AmountPair& o)
    {
        debit -= o.debit;
        credit -= o.credit;
        return *this;
    }
    // The difference on the larger side, 0 on the other ("Persaldo").
    AmountPair net() const
    {
        if (debit - credit > Decimal())
            return {debit - credit, Decimal()};
        return {Decimal(), credit - debit};
    }
    AmountPair dividedBy1000() const { return {debit.dividedBy1000(), credit.dividedBy1000()}; }
    friend bool operator==(const AmountPair&, const AmountPair&) = default;
};

// The four column pairs of a statement row, in print order.
struct TurnoverAmounts {
    AmountPair opening;    // "BO"
    AmountPair period;     // first variable pair: period turnovers (variant 2: cumulative)
    AmountPair cumulative; // second: cumulative turnovers (variant 2: closing balance)
    AmountPair closing;    // third: closing balance (variant 2: its net balance)

    bool isZero() const { return opening.isZero() && period.isZero() && cumulative.isZero() && closing.isZero(); }
    TurnoverAmounts& operator+=(const TurnoverAmounts& o)
    {
        opening += o.opening;
        period += o.period;
        cumulative += o.cumulative;
        closing += o.closing;
        return *this;
    }
    TurnoverAmounts dividedBy1000() const
    {
        return {opening.dividedBy1000(), period.dividedBy1000(), cumulative.dividedBy1000(), closing.dividedBy1000()};
    }
    // Each pair replaced by its net balance.
    TurnoverAmounts net() const { return {opening.net(), period.net(), cumulative.net(), closing.net()}; }
    friend bool operator==(const TurnoverAmounts&, const TurnoverAmounts&) = default;
};

// One account of the list. The ten amounts are what the server returned (kol1..kol10):
// cumulative turnovers, period turnovers, closing balance, the opening-period turnovers that
// come off the cumulative ones, the opening balance; each debit then credit.
struct AccountEntry {
    QString number;             // "201-15"; a trailing "x" marks a card-index placeholder
    QString name;
    QChar type;                 // of the synthetic account: 'B', 'W', 'P' (null when unknown)
    bool twoBalance = false;
    bool leaf = true;           // no sub-accounts follow it in the list
    int level = 1;              // analytic level, 1 = synthetic
    bool access = true;         // false: shown as "* number" with zero amounts
    bool placeholderParent = false; // its own "number-x" placeholder was in the list
    int sequence = 0;           // 1-based position; the key (lp) of its scratch row
    std::array<Decimal, 10> kol{};

    bool synthetic() const { return level == 1; }
    bool isPlaceholder() const { return number.endsWith(QLatin1Char('x')) || number.endsWith(QLatin1Char('X')); }
    // The account group ("zespół"): the first character of the number.
    QChar group() const { return number.isEmpty() ? QChar() : number.at(0); }
};

using AccountList = QList<AccountEntry>;

// Account order: plain character order, so that an account comes right before its sub-accounts
// ("201" < "201-1" < "201-1-1" < "201-2" < "202") whatever the server's collation.
inline bool accountLess(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// Marks each entry a leaf unless the next one lies deeper (a greater level).
inline void markLeaves(AccountList& list)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        list[i].leaf = i + 1 >= list.size() || std::abs(list[i + 1].level) <= std::abs(list[i].level);
}

} // namespace pravik::turnover
