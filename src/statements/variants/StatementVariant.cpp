#include "statements/variants/StatementVariant.h"

namespace pravik::statements {

namespace {

// The flags in their stored order; 11 and 12 (totals mode and level) are numbers.
bool StatementPrintOptions::*const kFlags[] = {
    &StatementPrintOptions::thousands,      &StatementPrintOptions::round,          &StatementPrintOptions::noDecimals,
    &StatementPrintOptions::ordinal,        &StatementPrintOptions::wrap,           nullptr, // 6: KRS
    &StatementPrintOptions::reportTotal,    &StatementPrintOptions::pageTotals,     &StatementPrintOptions::broughtForward,
    &StatementPrintOptions::carriedForward,
};
constexpr int kTotalsMode = 11;
constexpr int kTotalsLevel = 12;
constexpr int kSkipZero = 13;
constexpr int kKrs = 6;

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

} // namespace

VariantValues statementVariantValues(const StatementVariantOptions& o)
{
    VariantValues v;
    for (int n = 1; n <= int(std::size(kFlags)); ++n)
        v.insert(n, n == kKrs ? flag(o.krs) : flag(o.print.*kFlags[n - 1]));
    v.insert(kTotalsMode, QString::number(int(o.print.totalsMode)));
    v.insert(kTotalsLevel, QString::number(o.print.totalsLevel));
    v.insert(kSkipZero, flag(o.print.skipZeroRows));
    return v;
}

void applyStatementVariant(const VariantValues& values, StatementVariantOptions* o)
{
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        bool ok = false;
        const int n = it.value().trimmed().toInt(&ok);
        if (!ok)
            continue;
        const int number = it.key();
        if (number == kKrs)
            o->krs = n == 1;
        else if (number >= 1 && number <= int(std::size(kFlags)))
            o->print.*kFlags[number - 1] = n == 1;
        else if (number == kTotalsMode && n >= 1 && n <= 3)
            o->print.totalsMode = TotalsMode(n);
        else if (number == kTotalsLevel && n >= 1 && n <= 99)
            o->print.totalsLevel = n;
        else if (number == kSkipZero)
            o->print.skipZeroRows = n == 1;
    }
}

} // namespace pravik::statements
