#include "journals/JournalSql.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/FilterText.h"

namespace pravik::journals {

using sql::sqlNumber;

namespace {

QString num(qint64 v)
{
    return sqlNumber(v);
}

QString offBalanceTypeCondition(Side side)
{
    return side == Side::Debit ? QStringLiteral(" AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn) <> 'P'")
                               : QStringLiteral(" AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_ma) <> 'P'");
}

QString notOffBalance(qint32 company, qint32 year, const QString& account)
{
    return QStringLiteral("dbo.TG_SPR_KONTO_POZAB(%1,%2,%3)=0").arg(num(company), num(year), account);
}

// Debit and credit are summed each over its own side: without the off-balance accounts, a line
// whose debit is on a balance account and whose credit is off balance counts only on the debit.
QString batchSumHead(qint32 company, qint32 year, bool includeOffBalance)
{
    if (includeOffBalance)
        return QStringLiteral("select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p "
                              "inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where ");
    return QStringLiteral("select 1,1,1, isnull(sum(case when %1 then p.kwota_wn else 0 end),0),"
                          " isnull(sum(case when %2 then p.kwota_ma else 0 end),0) from POZ_DOK p"
                          " inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where ")
        .arg(notOffBalance(company, year, QStringLiteral("p.konto_wn")),
             notOffBalance(company, year, QStringLiteral("p.konto_ma")));
}

} // namespace

QString journalCondition(qint32 company, const QString& filter)
{
    QString condition = QStringLiteral("id_firmy=") + num(company);
    const QString clipped = filter.trimmed();
    if (!clipped.isEmpty())
        condition += QStringLiteral(" AND ") + utilka::WYTNIJ_PREFIX(clipped);
    return condition;
}

QString postingOrder(quint8 sort)
{
    switch (sort) {
    case 1:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_dok_org, data_biezaca, "
                              "nr_dok_org, id_nag_dok, nr_poz_dok, id_poz_dok");
    case 2:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_dok_org, data_biezaca, "
                              "nr_ewid_dok, id_nag_dok, nr_poz_dok, id_poz_dok");
    case 3:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_biezaca, data_dok_org, "
                              "nr_dok_org, id_nag_dok, nr_poz_dok, id_poz_dok");
    default:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_biezaca, data_dok_org, "
                              "nr_ewid_dok, id_nag_dok, nr_poz_dok, id_poz_dok");
    }
}

QString postingCountSql(const QString& condition)
{
    return QStringLiteral("select count(*) from POZ_DOK_VIEW_DZIENNIK where ") + condition;
}

QString postingRowsSql(const QString& condition, quint8 sort)
{
    return QStringLiteral("select nr_dziennika,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,opis_dok,"
                          "nr_poz_dok,tresc_poz_dok,kwota_wn,konto_wn,kwota_ma,konto_ma,id_paczka,id_uzyt_k,id_nag_dok,"
                          "id_uzyt_p,dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn),"
                          "dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_ma) from POZ_DOK_VIEW_DZIENNIK where ")
        + condition + QLatin1Char(' ') + postingOrder(sort);
}

QString postingOpeningSql(Side side, qint32 company, qint32 year, DayNumber period, std::optional<qint32> batchId,
                          bool includeOffBalance)
{
    QString sql = side == Side::Debit ? QStringLiteral("select 1,1,1, isnull(sum(kwota_wn),0) from POZ_DOK_VIEW_DZIENNIK where ")
                                      : QStringLiteral("select 1,1,1, isnull(sum(kwota_ma),0) from POZ_DOK_VIEW_DZIENNIK where ");
    sql += QStringLiteral("id_firmy=") + num(company) + QStringLiteral(" AND id_lata_obrot=") + num(year)
        + QStringLiteral(" AND data_okresu<") + num(period);
    if (batchId)
        sql += QStringLiteral(" AND id_paczka=") + num(*batchId);
    if (!includeOffBalance)
        sql += offBalanceTypeCondition(side);
    return sql;
}

QString postingOpeningBothSidesSql(qint32 company, qint32 year, DayNumber period, qint32 batchId)
{
    return QStringLiteral("select 1,1,1, isnull(sum(kwota_wn),0),isnull(sum(kwota_ma),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=")
        + num(company) + QStringLiteral(" AND id_lata_obrot=") + num(year) + QStringLiteral(" AND data_okresu<") + num(period)
        + QStringLiteral(" AND id_paczka=") + num(batchId);
}

QString batchCodeSql(qint32 batchId)
{
    return QStringLiteral("select 1,kod_paczki from PACZKA where id_paczka=") + num(batchId);
}

QString documentOrder(quint8 sort)
{
    switch (sort) {
    case 1:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_dok_org, data_biezaca, "
                              "nr_dok_org, id_nag_dok");
    case 2:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_dok_org, data_biezaca, "
                              "nr_ewid_dok, id_nag_dok");
    case 3:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_biezaca, data_dok_org, "
                              "nr_dok_org, id_nag_dok");
    default:
        return QStringLiteral("order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_biezaca, data_dok_org, "
                              "nr_ewid_dok, id_nag_dok");
    }
}

QString documentCountSql(const QString& condition)
{
    return QStringLiteral("select count(*) from NAG_DOK where ") + condition;
}

QString documentRowsSql(const QString& condition, quint8 sort)
{
    return QStringLiteral("select nr_dziennika,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,opis_dok,"
                          "kwota_dok,id_paczka,id_uzyt_k,id_nag_dok,id_uzyt_p from NAG_DOK where ")
        + condition + QLatin1Char(' ') + documentOrder(sort);
}

QString documentOpeningSql(qint32 company, qint32 year, DayNumber period, std::optional<qint32> batchId)
{
    // The same documents the journal lists for its own period (cash-register documents
    // included), only of the earlier periods: "Razem" is then what the journal lists from the
    // start of the year.
    QString sql = QStringLiteral("select 1,1,1, isnull(sum(KWOTA_DOK),0) from NAG_DOK where id_firmy=") + num(company)
        + QStringLiteral(" AND id_lata_obrot=") + num(year) + QStringLiteral(" AND data_okresu<") + num(period);
    if (batchId)
        sql += QStringLiteral(" AND id_paczka=") + num(*batchId);
    sql += QStringLiteral(" AND isnull(status,0)<>0");
    return sql;
}

QString batchListSql(qint32 company, const QString& filter)
{
    QString prefixed = QStringLiteral("PAC:ID_FIRMY=") + num(company);
    const QString clipped = filter.trimmed();
    if (!clipped.isEmpty())
        prefixed += QStringLiteral(" AND ") + clipped;
    return QStringLiteral("select id_paczka,kod_paczki,opis_paczki from PACZKA where ") + utilka::WYTNIJ_PREFIX(prefixed)
        + QStringLiteral(" order by id_firmy, id_lata_obrot, kod_paczki, id_paczka");
}

QString batchOpeningSql(qint32 company, qint32 year, DayNumber period, DayNumber yearStart, bool includeOffBalance)
{
    return batchSumHead(company, year, includeOffBalance) + QStringLiteral("n.data_okresu<") + num(period)
        + QStringLiteral(" AND n.data_okresu>") + num(yearStart) + QStringLiteral(" AND n.id_firmy=") + num(company)
        + QStringLiteral(" AND n.id_lata_obrot=") + num(year) + QStringLiteral("  AND n.status>0");
}

QString batchPeriodTotalSql(qint32 company, qint32 year, DayNumber period, qint32 batchId, bool includeOffBalance)
{
    return batchSumHead(company, year, includeOffBalance) + QStringLiteral("n.data_okresu=") + num(period)
        + QStringLiteral(" AND n.id_firmy=") + num(company) + QStringLiteral(" AND n.id_lata_obrot=") + num(year)
        + QStringLiteral(" AND n.id_paczka=") + num(batchId) + QStringLiteral(" AND n.status>0");
}

QString openingBalanceSql(Side side, qint32 company, qint32 year, bool includeOffBalance)
{
    QString sql = side == Side::Debit ? QStringLiteral("select sum(isnull(a.zsaldo_wn,0)) from OBROTY_I_SALDA a where a.id_firmy=")
                                      : QStringLiteral("select sum(isnull(a.zsaldo_ma,0)) from OBROTY_I_SALDA a where a.id_firmy=");
    // The turnover table holds every account at every level of its number; a balance is taken
    // once, from the accounts the opening postings go to (an account with an opening balance
    // has them). A set, not a search for sub-accounts per row, which grows with the square of
    // the accounts.
    const QString opening = QStringLiteral(" from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.id_firmy=")
        + num(company) + QStringLiteral(" AND n.id_lata_obrot=") + num(year)
        + QStringLiteral(" AND day(n.data_okresu-36163)=1 AND n.status>0");
    sql += num(company) + QStringLiteral(" AND a.id_lata_obrot=") + num(year)
        + QStringLiteral(" AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN'")
        + QStringLiteral(" AND a.nr_konta in (select p.konto_wn") + opening + QStringLiteral(" union select p.konto_ma")
        + opening + QLatin1Char(')');
    if (!includeOffBalance)
        sql += QStringLiteral(" AND ") + notOffBalance(company, year, QStringLiteral("a.nr_konta"));
    return sql;
}

} // namespace pravik::journals
