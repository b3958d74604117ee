#pragma once
// A debit and a credit amount together: a posting's counted amounts, a document's, a page's or
// a period's totals. The carry-over across pages lives in the run frame.
#include "platform/Decimal.h"

namespace pravik::journals {

struct DebitCredit {
    Decimal wn;
    Decimal ma;

    DebitCredit& operator+=(const DebitCredit& other)
    {
        wn += other.wn;
        ma += other.ma;
        return *this;
    }
    friend DebitCredit operator+(DebitCredit a, const DebitCredit& b) { return a += b; }
    friend bool operator==(const DebitCredit&, const DebitCredit&) = default;
};

} // namespace pravik::journals
