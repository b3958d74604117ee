#include "ledger/ContraAccountFinder.h"

#include "ledger/LedgerLabels.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::ledger {

using sql::sqlNumber;

ContraAccounts ContraAccountFinder::find(qint64 documentId, qint64 positionId, EntrySide side, qint32 year)
{
    return contraAccounts(document(documentId, year), positionId, side);
}

const QList<DocumentPosition>& ContraAccountFinder::document(qint64 documentId, qint32 year)
{
    auto found = m_documents.constFind(documentId);
    if (found != m_documents.constEnd())
        return *found;
    QList<DocumentPosition> positions;
    utilka::EXECVAX(QStringLiteral("select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) "
                                   "where id_nag_dok=%1 order by id_nag_dok asc, nr_poz_dok asc")
                        .arg(sqlNumber(documentId)));
    while (utilka::NEXT(korda::VAX_FK) == 0) {
        DocumentPosition p;
        p.positionId = korda::VAX_FK.number(1);
        p.debitAccount = korda::VAX_FK.text(2).trimmed();
        p.creditAccount = korda::VAX_FK.text(3).trimmed();
        p.debit = korda::VAX_FK.dec(4);
        p.credit = korda::VAX_FK.dec(5);
        positions.append(p);
    }
    if (!utilka::checkSql())
        positions.clear();
    korda::VAX_FK.close();
    positions = groupPositions(std::move(positions), [&](const QString& account) { return offBalance(account, year); });
    return *m_documents.insert(documentId, std::move(positions));
}

void ContraAccountFinder::addDocument(qint64 documentId, QList<DocumentPosition> positions, qint32 year)
{
    positions = groupPositions(std::move(positions), [&](const QString& account) { return offBalance(account, year); });
    m_documents.insert(documentId, std::move(positions));
}

bool ContraAccountFinder::offBalance(const QString& account, qint32 year)
{
    // The synthetic account is the first segment read as a number, as the ledger prints read it
    // (13 for "13-1", 100 for "100"); an account without one is not off-balance.
    const std::optional<qint32> number = syntheticAccount(account);
    if (!number || *number < 0)
        return false;
    const int synthetic = *number;
    const QPair<qint32, int> key{year, synthetic};
    auto found = m_offBalance.constFind(key);
    if (found != m_offBalance.constEnd())
        return *found;
    const QString one = utilka::FUNCVAY(QStringLiteral("select 1 from KONTA_SYNT where id_firmy=%1 AND id_lata_obrot=%2 "
                                                       "AND nr_konta_syn=%3 AND typ_konta='P'")
                                            .arg(sqlNumber(m_company), sqlNumber(year), sqlNumber(synthetic)));
    const bool result = one.trimmed() == QLatin1String("1");
    m_offBalance.insert(key, result);
    return result;
}

} // namespace pravik::ledger
