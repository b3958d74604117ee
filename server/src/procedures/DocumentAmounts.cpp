#include "server/src/procedures/DocumentAmounts.h"

#include "platform/DayNumber.h"
#include "platform/Decimal.h"
#include "platform/sql/Quote.h"
#include "server/src/procedures/ServerSql.h"

namespace pravik::server {

using sql::sqlNumber;

namespace {

// A computed amount as read back: grosze from SQLite, a decimal from PostgreSQL.
QString money(const ServerSql& q, const QVariant& v)
{
    const Decimal d = q.isSqlite() ? Decimal::fromCents(v.toLongLong()) : Decimal::fromVariant(v).value_or(Decimal());
    return d.toString();
}

} // namespace

DocumentAmountCheck checkDocumentAmounts(sql::Database& db, qint64 company, qint64 year)
{
    DocumentAmountCheck out;
    const ServerSql q(db.dialect());
    StatementRunner run(db);
    const QString amount = q.amount(QStringLiteral("n.kwota_dok"));
    const QString debit = q.sum(q.amount(QStringLiteral("p.kwota_wn")));
    const QString credit = q.sum(q.amount(QStringLiteral("p.kwota_ma")));
    const QString differing = QStringLiteral(
        "select n.id_nag_dok, n.nr_dok_org, n.data_okresu, %1, %2, %3 from NAG_DOK n"
        " left join POZ_DOK p on p.id_nag_dok=n.id_nag_dok where n.id_firmy=%4 and n.id_lata_obrot=%5"
        " group by n.id_nag_dok, n.nr_dok_org, n.data_okresu, n.kwota_dok having %6 and %7")
        .arg(amount, debit, credit, sqlNumber(company), sqlNumber(year), q.differs(amount, debit), q.differs(amount, credit));
    out.differences = run.value(QStringLiteral("select count(*) from (%1) d").arg(differing)).toInt();
    if (out.differences > 0) {
        for (const QVariantList& r : run.rows(differing + QStringLiteral(" order by n.id_nag_dok"), 10))
            out.samples << QStringLiteral("document %1 \"%2\" (%3): amount %4, postings Dt %5 / Ct %6")
                               .arg(r[0].toString(), r[1].toString(), periodLabel(r[2].toInt()), money(q, r[3]), money(q, r[4]),
                                    money(q, r[5]));
    }
    if (!run.ok()) {
        out.ok = false;
        out.error = run.error();
    }
    return out;
}

} // namespace pravik::server
