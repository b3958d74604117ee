#include "turnover/compute/ScratchRows.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::turnover {

using sql::sqlNumber;
using sql::sqlText;

namespace {

// Rows per insert statement: a statement per account is what makes 10,000 accounts slow.
constexpr qsizetype kRowsPerStatement = 250;

const QString kInsertHead = QStringLiteral(
    "insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,"
    "kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values");

bool insertRows(const QStringList& rows)
{
    for (qsizetype i = 0; i < rows.size(); i += kRowsPerStatement) {
        utilka::EXECSQL(kInsertHead + rows.mid(i, kRowsPerStatement).join(QLatin1Char(',')));
        if (!utilka::checkSql())
            return false;
    }
    return true;
}

QString rowValues(int sequence, const QString& opis, const QString& info, int level, qint32 user, int variant,
                  const QList<Decimal>& amounts)
{
    QStringList v{sqlText(QString::number(sequence)), sqlText(opis), sqlText(info), sqlNumber(level),
                  sqlNumber(sequence), sqlNumber(user), QStringLiteral("0"), sqlNumber(variant)};
    for (const Decimal& d : amounts)
        v << d.toSqlLiteral();
    return QLatin1Char('(') + v.join(QLatin1Char(',')) + QLatin1Char(')');
}

QList<Decimal> shownAmounts(const TurnoverAmounts& a, bool simple)
{
    if (simple)
        return {a.opening.debit, a.opening.credit, a.cumulative.debit, a.cumulative.credit, {}, {}, {}, {}};
    return {a.opening.debit,    a.opening.credit,    a.period.debit,  a.period.credit,
            a.cumulative.debit, a.cumulative.credit, a.closing.debit, a.closing.credit};
}

QString userRows(qint32 user, int variant)
{
    return QStringLiteral("id_zestaw_nag=0 AND id_uzytkownika=%1 AND wariant_zestaw=%2").arg(sqlNumber(user), sqlNumber(variant));
}

} // namespace

bool writeServerRows(qint32 user, AccountList& accounts)
{
    utilka::EXECSQL(QStringLiteral("delete from ZESTAW_ZESTAW where ") + userRows(user, kServerVariant));
    if (!utilka::checkSql())
        return false;
    QStringList rows;
    rows.reserve(accounts.size());
    const QList<Decimal> zeros(8);
    for (qsizetype i = 0; i < accounts.size(); ++i) {
        AccountEntry& e = accounts[i];
        e.sequence = int(i + 1);
        // poziom carries the last-level flag for the server, not the level.
        rows << rowValues(e.sequence, e.number, QString(), e.leaf ? 1 : 0, user, kServerVariant, zeros);
    }
    return insertRows(rows);
}

bool readServerRows(qint32 user, AccountList& accounts)
{
    utilka::EXECVAX(QStringLiteral("select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where ")
                    + userRows(user, kServerVariant));
    if (!utilka::checkSql())
        return false;
    while (utilka::NEXT(korda::VAX_FK) == 0) {
        const qint64 lp = korda::VAX_FK.number(11);
        if (lp < 1 || lp > accounts.size())
            continue;
        AccountEntry& e = accounts[lp - 1];
        if (e.sequence != lp)
            continue;
        for (int k = 0; k < 10; ++k)
            e.kol[std::size_t(k)] = korda::VAX_FK.dec(k + 1);
    }
    const bool ok = utilka::checkSql();
    korda::VAX_FK.close();
    return ok;
}

bool writeBrowseRows(qint32 user, const TurnoverStatement& statement, bool simple)
{
    QStringList rows;
    int s = 0;
    bool firstType = true;
    for (const TurnoverRow& r : statement.rows) {
        switch (r.kind) {
        case RowKind::Account:
            ++s;
            rows << rowValues(s, r.displayAccount(), r.name, r.level, user, kBrowseVariant, shownAmounts(r.amounts, simple));
            break;
        case RowKind::GrandTotal:
        case RowKind::NetTotal:
            ++s;
            rows << rowValues(s, r.label, QString(), 0, user, kBrowseVariant, shownAmounts(r.amounts, simple));
            break;
        case RowKind::TypeSummary:
            ++s;
            rows << rowValues(s, firstType ? kTypeSummaryLabel : QString(), r.typeName, 0, user, kBrowseVariant,
                              shownAmounts(r.amounts, simple));
            firstType = false;
            break;
        default: // group and net-balance lines are the printout's
            break;
        }
    }
    return insertRows(rows);
}

bool deleteBrowseRows(qint32 user)
{
    utilka::EXECSQL(QStringLiteral("delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND wariant_zestaw=1 AND id_uzytkownika=")
                    + sqlNumber(user));
    return utilka::checkSql();
}

} // namespace pravik::turnover
