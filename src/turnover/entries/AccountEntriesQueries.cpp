#include "turnover/entries/AccountEntriesQueries.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/AccountMask.h"

namespace pravik::turnover {

using sql::sqlNumber;
using sql::sqlText;

namespace {

// "konto='201'", or "(konto='201' OR konto like '201-%')" for an account taken with the accounts
// under it.
QString accountTest(const QString& column, const AccountPostings& account)
{
    const QString own = column + QLatin1Char('=') + sqlText(account.number);
    if (!account.under)
        return own;
    const QString pattern = utilka::ZAMIEN_ZNAKI(account.number + QStringLiteral("-*"));
    return QStringLiteral("(%1 OR %2 like '%3'%4)").arg(own, column, pattern, utilka::likeEscapeClause(pattern));
}

} // namespace

bool EntriesScope::foreignCurrency() const
{
    const QString c = currency.trimmed();
    return !c.isEmpty() && c.compare(QLatin1String("PLN"), Qt::CaseInsensitive) != 0;
}

QString entriesCondition(const EntriesScope& scope, const AccountPostings& account)
{
    QString sql = QStringLiteral(" from POZ_DOK_VIEW_UNION with (NOLOCK) where id_lata_obrot=") + sqlNumber(scope.yearId)
                  + QStringLiteral(" AND ") + accountTest(QStringLiteral("konto"), account);
    switch (scope.range) {
    case EntriesRange::Period:
        sql += QStringLiteral(" AND data_okresu=") + sqlNumber(scope.period);
        break;
    case EntriesRange::PostingDates:
        sql += QStringLiteral(" AND data_biezaca>=%1 AND data_biezaca<=%2").arg(sqlNumber(scope.from), sqlNumber(scope.to));
        break;
    case EntriesRange::DocumentDates:
        sql += QStringLiteral(" AND data_dok_org>=%1 AND data_dok_org<=%2").arg(sqlNumber(scope.from), sqlNumber(scope.to));
        break;
    }
    if (scope.foreignCurrency())
        sql += QStringLiteral(" AND waluta=") + sqlText(scope.currency.trimmed());
    if (scope.approvedOnly)
        sql += QStringLiteral(" AND status=2");
    return sql;
}

QString anyEntrySql(const EntriesScope& scope, const AccountPostings& account)
{
    return QStringLiteral("select 1") + entriesCondition(scope, account);
}

QString turnoversBeforeSql(const EntriesScope& scope, const AccountPostings& account, bool debit)
{
    const bool foreign = scope.foreignCurrency();
    const QString side = debit ? QStringLiteral("wn") : QStringLiteral("ma");
    QString sql = QStringLiteral("select sum(a.kwota_%1%2) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) "
                                 "ON a.id_nag_dok = b.id_nag_dok")
                      .arg(side, foreign ? QStringLiteral("_w") : QString());
    switch (scope.range) {
    case EntriesRange::Period:
        sql += QStringLiteral(" where b.data_okresu < ") + sqlNumber(scope.period);
        break;
    case EntriesRange::PostingDates:
        sql += QStringLiteral(" where b.data_biezaca < ") + sqlNumber(scope.from);
        break;
    case EntriesRange::DocumentDates:
        sql += QStringLiteral(" where b.data_dok_org < ") + sqlNumber(scope.from);
        break;
    }
    sql += QStringLiteral(" AND %1 AND b.id_firmy=%2 AND b.id_lata_obrot=%3")
               .arg(accountTest(QStringLiteral("a.konto_") + side, account), sqlNumber(scope.company),
                    sqlNumber(scope.yearId));
    if (foreign)
        sql += QStringLiteral(" AND a.sym_waluty_%1=%2").arg(side, sqlText(scope.currency.trimmed()));
    sql += scope.approvedOnly ? QStringLiteral(" AND b.status=2") : QStringLiteral(" AND b.status > 0");
    return sql;
}

QString entriesSql(const EntriesScope& scope, const AccountPostings& account)
{
    const QString amounts = scope.foreignCurrency() ? QStringLiteral("kwota_wn_w,kwota_ma_w") : QStringLiteral("kwota_wn,kwota_ma");
    QString sql = QStringLiteral("select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,%1,lp,data_okresu,nr_dziennika,"
                                 "id_poz_dok,id_nag_dok,strona,id_uzyt_p,id_uzyt_k,data_ksieg")
                      .arg(amounts)
                  + entriesCondition(scope, account);
    switch (scope.range) {
    case EntriesRange::Period:
        sql += scope.approvalDates
                   ? QStringLiteral(" order by konto,data_okresu,data_ksieg,data_biezaca,data_dok_org,nr_ewid_dok,lp")
                   : QStringLiteral(" order by konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp");
        break;
    case EntriesRange::PostingDates:
        sql += QStringLiteral(" order by konto,data_biezaca,data_dok_org,nr_ewid_dok,lp");
        break;
    case EntriesRange::DocumentDates:
        sql += QStringLiteral(" order by konto,data_dok_org,data_biezaca,nr_ewid_dok,lp");
        break;
    }
    return sql;
}

} // namespace pravik::turnover
