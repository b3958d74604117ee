#include "ledger/ContraAccountRule.h"

#include "siblings/utilka/TextServices.h"

namespace pravik::ledger {

QList<DocumentPosition> groupPositions(QList<DocumentPosition> positions,
                                       const std::function<bool(const QString&)>& offBalance)
{
    int group = 1;
    Decimal debitSum;
    Decimal creditSum;
    for (DocumentPosition& p : positions) {
        if (p.debit.isZero())
            p.debitAccount.clear();
        if (p.credit.isZero())
            p.creditAccount.clear();
        if (!p.debitAccount.isEmpty() && offBalance && offBalance(p.debitAccount)) {
            p.debitAccount.clear();
            p.debit = Decimal();
        }
        if (!p.creditAccount.isEmpty() && offBalance && offBalance(p.creditAccount)) {
            p.creditAccount.clear();
            p.credit = Decimal();
        }
        const Decimal debitBefore = debitSum.abs();
        const Decimal creditBefore = creditSum.abs();
        debitSum += p.debit;
        creditSum += p.credit;
        p.group = group;
        auto newRun = [&] {
            debitSum = Decimal();
            creditSum = Decimal();
            ++group;
        };
        if (debitSum == creditSum) {
            newRun();
            continue;
        }
        // The side that led gets more: what came before was a run of its own.
        if (debitBefore > creditBefore && !p.debit.isZero())
            newRun();
        if (creditBefore > debitBefore && !p.credit.isZero())
            newRun();
    }
    return positions;
}

ContraAccounts contraAccounts(const QList<DocumentPosition>& grouped, qint64 positionId, EntrySide side)
{
    ContraAccounts out;
    if (side == EntrySide::Unknown)
        return out;
    const DocumentPosition* own = nullptr;
    for (const DocumentPosition& p : grouped)
        if (p.positionId == positionId) {
            own = &p;
            break;
        }
    if (!own) {
        out.text = kNoContraAccount;
        return out;
    }
    QStringList accounts;
    for (const DocumentPosition& p : grouped) {
        if (p.group != own->group)
            continue;
        const QString& account = side == EntrySide::Debit ? p.creditAccount : p.debitAccount;
        if (account.isEmpty())
            continue;
        out.parts.append({account, side == EntrySide::Debit ? p.credit : p.debit});
        if (!accounts.contains(account))
            accounts.append(account);
    }
    out.text = accounts.isEmpty() ? kNoContraAccount : accounts.join(u',');
    return out;
}

QString fitContraText(const QString& text, int width)
{
    if (text.size() <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    QString piece = utilka::STRING_CUT(QStringLiteral(","), text, qMax(0, width - int(ellipsis.size())));
    return piece + ellipsis;
}

} // namespace pravik::ledger
