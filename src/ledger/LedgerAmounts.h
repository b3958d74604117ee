#pragma once
// Debit and credit side by side, as the ledger prints total, net and carry them.
#include "platform/Decimal.h"

#include <QList>

namespace pravik::ledger {

struct Amounts {
    Decimal debit;
    Decimal credit;

    Amounts& operator+=(const Amounts& o)
    {
        debit += o.debit;
        credit += o.credit;
        return *this;
    }
    friend Amounts operator+(Amounts a, const Amounts& b) { return a += b; }
    friend bool operator==(const Amounts&, const Amounts&) = default;
    QList<Decimal> columns() const { return {debit, credit}; }
};

// The net balance on one side: debit − credit when that is above 0, else credit − debit on the
// credit side (equal sides give 0 and 0).
inline Amounts net(const Amounts& a)
{
    if (a.debit - a.credit > Decimal())
        return {a.debit - a.credit, Decimal()};
    return {Decimal(), a.credit - a.debit};
}

} // namespace pravik::ledger
