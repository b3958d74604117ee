#include "journals/BatchStatementSource.h"

#include "journals/JournalSql.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/RuntimeStatus.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::journals {

using korda::VAX_FK;
using korda::ZAPYTANIESQL;

BatchStatementSource::BatchStatementSource(const QString& filter, DayNumber yearStart, const JournalOptions& options,
                                           qint32 company)
    : m_filter(filter), m_yearStart(yearStart), m_options(options), m_company(company)
{
}

QList<BatchEntry> BatchStatementSource::batches()
{
    QList<BatchEntry> list;
    if (utilka::EXECVAX(batchListSql(m_company, m_filter))) {
        while (VAX_FK.next() == 0)
            list.append({qint32(VAX_FK.number(1)), VAX_FK.text(2).left(6), VAX_FK.text(3).left(99)});
    }
    if (!utilka::checkSql())
        list.clear();
    VAX_FK.close();
    return list;
}

DebitCredit BatchStatementSource::sums(const QString& sql, bool showFailure)
{
    DebitCredit totals;
    if (utilka::EXECSQL(sql) && ZAPYTANIESQL.next() == 0) {
        totals.wn = ZAPYTANIESQL.dec(4);
        totals.ma = ZAPYTANIESQL.dec(5);
    }
    const bool failed = korda::runtimeStatus().statementFailed;
    if (failed) {
        totals = {};
        if (showFailure)
            utilka::checkSql();
    }
    ZAPYTANIESQL.close();
    return totals;
}

DebitCredit BatchStatementSource::openingTotals()
{
    return sums(batchOpeningSql(m_company, m_options.yearId, m_options.periodDate, m_yearStart,
                                m_options.PRN_SUMUJ_POZABILANSOWE != 0),
                false);
}

DebitCredit BatchStatementSource::periodTotals(qint32 batchId)
{
    return sums(batchPeriodTotalSql(m_company, m_options.yearId, m_options.periodDate, batchId,
                                    m_options.PRN_SUMUJ_POZABILANSOWE != 0),
                true);
}

DebitCredit BatchStatementSource::openingBalances()
{
    const bool offBalance = m_options.PRN_SUMUJ_POZABILANSOWE != 0;
    DebitCredit balances;
    const QString wn = utilka::FUNCVAY(openingBalanceSql(Side::Debit, m_company, m_options.yearId, offBalance));
    if (utilka::errorCode() == 0)
        balances.wn = Decimal::parse(wn).value_or(Decimal());
    const QString ma = utilka::FUNCVAY(openingBalanceSql(Side::Credit, m_company, m_options.yearId, offBalance));
    if (utilka::errorCode() == 0)
        balances.ma = Decimal::parse(ma).value_or(Decimal());
    return balances;
}

} // namespace pravik::journals
