#include "ledger/LedgerPage.h"

#include "siblings/korda/Session.h"

namespace pravik::ledger {

bool ledgerPageFull(const frame::RunFrame& f)
{
    return 5 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 100 > f.bodyHeight();
}

bool summaryPageFull(const frame::RunFrame& f, const QString& summaryLineBand)
{
    return 7 * f.bandHeight(summaryLineBand) + f.position() + 100 > f.bodyHeight();
}

void queueDescriptionLines(const QStringList& lines)
{
    auto& queue = korda::session().DANE_OPIS_PRN;
    queue.clear();
    for (const QString& line : lines)
        queue.add(line.left(149));
}

} // namespace pravik::ledger
