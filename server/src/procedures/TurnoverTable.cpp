#include "server/src/procedures/TurnoverTable.h"

#include "platform/DayNumber.h"
#include "platform/sql/Quote.h"
#include "server/src/procedures/AccountTree.h"
#include "server/src/procedures/ProcedureArgs.h"
#include "server/src/procedures/ServerSql.h"

namespace pravik::server {

using sql::sqlNumber;

namespace {

// Turnover columns of the table, in the order the derivation computes them: base, currency,
// approved base, approved currency.
const QStringList kPairs = {QStringLiteral(""), QStringLiteral("_w"), QStringLiteral("z"), QStringLiteral("z_w")};

QString turnoverColumn(const QString& pair, bool debit)
{
    const bool approved = pair.startsWith(QLatin1Char('z'));
    const bool currency = pair.endsWith(QLatin1String("_w"));
    return QStringLiteral("%1obroty_%2%3").arg(approved ? "z" : "", debit ? "wn" : "ma", currency ? "_w" : "");
}

QString balanceColumn(const QString& pair, bool debit)
{
    QString c = turnoverColumn(pair, debit);
    return c.replace(QStringLiteral("obroty"), QStringLiteral("saldo"));
}

// Short column names of the temporary tables: t_wn, t_ma, t_wn_w ... (t = turnover).
QString tmpName(const QString& prefix, const QString& pair, bool debit)
{
    return QStringLiteral("%1%2_%3%4").arg(prefix, pair.startsWith(QLatin1Char('z')) ? "z" : "", debit ? "wn" : "ma",
                                          pair.endsWith(QLatin1String("_w")) ? "_w" : "");
}

bool deriveInto(sql::Database& db, qint64 company, qint64 year, const QString& target, QString* error)
{
    const ServerSql q(db.dialect());
    StatementRunner run(db);
    const QString F = sqlNumber(company), Y = sqlNumber(year), T = q.amountType();

    const QList<QVariantList> yearRow = run.rows(QStringLiteral("select poczatek_roku, koniec_roku from LATA_OBROTOWE"
                                                                " where id_lata_obrot=%1 and id_firmy=%2").arg(Y, F), 1);
    if (!run.ok() || yearRow.isEmpty()) {
        if (error)
            *error = run.ok() ? QStringLiteral("Rok obrotowy %1 nie należy do firmy %2.").arg(year).arg(company) : run.error();
        return false;
    }
    run.dropTemp(QStringLiteral("tmp_dt_p"));
    run.run(QStringLiteral("create temp table tmp_dt_p (okres integer)"));
    QStringList periods;
    for (DayNumber p : fiscalYearPeriods(yearRow[0][0].toInt(), yearRow[0][1].toInt()))
        periods << QStringLiteral("(%1)").arg(p);
    if (!periods.isEmpty())
        run.run(QStringLiteral("insert into tmp_dt_p (okres) values %1").arg(periods.join(QLatin1Char(','))));

    // Every posting side counts in the base-currency row; a side in a foreign currency also in
    // the row of its currency, with its currency amount in the _w columns.
    QStringList cols;
    for (const QString& pair : kPairs)
        for (bool debit : {true, false})
            cols << tmpName(QStringLiteral("t"), pair, debit);
    run.dropTemp(QStringLiteral("tmp_dt_t"));
    run.run(QStringLiteral("create temp table tmp_dt_t (konto varchar(60), okres integer, cur varchar(3), %1 %2)")
                .arg(cols.join(QStringLiteral(" %1, ").arg(T)), T));
    // One grouped pass per side and per kind of row (base currency, foreign currency): narrow
    // scans whose groups are small, rather than one scan of every side in every row kind.
    const QString docs = QStringLiteral("from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
                                        " where n.id_firmy=%1 and n.id_lata_obrot=%2 and n.status>0").arg(F, Y);
    QStringList passes;
    for (int side = 0; side < 2; ++side)
        for (bool foreign : {false, true}) {
            const QString s = side == 0 ? QStringLiteral("wn") : QStringLiteral("ma");
            const QString base = q.amount("p.kwota_" + s);
            const QString cur = foreign ? q.amount("p.kwota_" + s + "_w") : base;
            auto approved = [&](const QString& e) { return q.sum(QStringLiteral("case when n.status=2 then %1 else 0 end").arg(e)); };
            // x_wn, x_ma, x_wn_w, x_ma_w, z_wn, z_ma, z_wn_w, z_ma_w
            const QStringList values = side == 0
                ? QStringList{q.sum(base), "0", q.sum(cur), "0", approved(base), "0", approved(cur), "0"}
                : QStringList{"0", q.sum(base), "0", q.sum(cur), "0", approved(base), "0", approved(cur)};
            passes << QStringLiteral("select p.konto_%1 as konto, n.data_okresu as okres, %2 as cur, %3 %4 and p.konto_%1<>''%5"
                                     " group by p.konto_%1, n.data_okresu%6")
                          .arg(s, foreign ? "p.sym_waluty_" + s : QStringLiteral("'PLN'"),
                               values.join(QLatin1Char(',')), docs,
                               foreign ? QStringLiteral(" and p.sym_waluty_%1 not in ('PLN','')").arg(s) : QString(),
                               foreign ? ", p.sym_waluty_" + s : QString());
        }
    QStringList outerSums;
    for (const char* c : {"x1", "x2", "x3", "x4", "x5", "x6", "x7", "x8"})
        outerSums << q.sum(QLatin1String(c));
    run.run(QStringLiteral("insert into tmp_dt_t (konto, okres, cur, %1) select konto, okres, cur, %2 from ("
                           "select konto, okres, cur, 0 as x1, 0 as x2, 0 as x3, 0 as x4, 0 as x5, 0 as x6, 0 as x7, 0 as x8"
                           " from tmp_dt_t where 1=0 union all %3) x group by konto, okres, cur")
                .arg(cols.join(QLatin1Char(',')),
                     outerSums.join(QLatin1Char(',')), passes.join(QStringLiteral(" union all "))));

    // Per posting account, currency and period of the year from its first activity: the
    // period's turnovers and the cumulative ones (opening balance included).
    QStringList lbCols, lbSums;
    for (const QString& c : cols) {
        lbCols << c << QStringLiteral("c") + c.mid(1);
        lbSums << q.sum(QStringLiteral("case when t.okres=p.okres then t.%1 else 0 end").arg(c)) << q.sum("t." + c);
    }
    run.dropTemp(QStringLiteral("tmp_dt_lb"));
    run.run(QStringLiteral("create temp table tmp_dt_lb (konto varchar(60), cur varchar(3), okres integer, %1 %2)")
                .arg(lbCols.join(QStringLiteral(" %1, ").arg(T)), T));
    run.run(QStringLiteral("insert into tmp_dt_lb (konto, cur, okres, %1) select t.konto, t.cur, p.okres, %2"
                           " from tmp_dt_t t join tmp_dt_p p on t.okres<=p.okres group by t.konto, t.cur, p.okres")
                .arg(lbCols.join(QLatin1Char(',')), lbSums.join(QLatin1Char(','))));

    buildAccountPrefixes(run, q, QStringLiteral("select konto from tmp_dt_t"), QStringLiteral("tmp_dt_anc"));
    run.dropTemp(QStringLiteral("tmp_dt_flag"));
    run.run(QStringLiteral("create temp table tmp_dt_flag (acc varchar(60), tb integer)"));
    run.run(QStringLiteral("insert into tmp_dt_flag (acc, tb) select acc, %1 from (select distinct acc from tmp_dt_anc) a")
                .arg(twoBalanceFlag(q, QStringLiteral("a.acc"), company, year)));

    QStringList outCols, outVals;
    for (const QString& pair : kPairs)
        for (bool debit : {true, false}) {
            outCols << turnoverColumn(pair, debit);
            outVals << q.stored(q.sum("lb." + tmpName(QStringLiteral("t"), pair, debit)));
        }
    for (const QString& pair : kPairs)
        for (bool debit : {true, false}) {
            const QString a = "lb." + tmpName(QStringLiteral("c"), pair, debit);
            const QString b = "lb." + tmpName(QStringLiteral("c"), pair, !debit);
            outCols << balanceColumn(pair, debit);
            outVals << q.stored(QStringLiteral("case when f.tb=1 then %1 else %2 end")
                                    .arg(q.sum(q.positive(a + "-" + b)),
                                         q.positive(QStringLiteral("%1-%2").arg(q.sum(a), q.sum(b)))));
        }
    run.run(QStringLiteral("insert into %1 (id_firmy, id_lata_obrot, nr_konta, data_okresu, sym_waluty, %2)"
                           " select %3, %4, a.acc, lb.okres, lb.cur, %5 from tmp_dt_lb lb"
                           " join tmp_dt_anc a on a.leaf=lb.konto join tmp_dt_flag f on f.acc=a.acc"
                           " group by a.acc, f.tb, lb.okres, lb.cur")
                .arg(target, outCols.join(QLatin1Char(',')), F, Y, outVals.join(QLatin1Char(','))));
    for (const char* t : {"tmp_dt_flag", "tmp_dt_anc", "tmp_dt_lb", "tmp_dt_t", "tmp_dt_p"})
        run.dropTemp(QLatin1String(t));
    if (!run.ok() && error)
        *error = run.error();
    return run.ok();
}

QStringList allTableColumns()
{
    QStringList out;
    for (const QString& pair : kPairs)
        for (bool debit : {true, false})
            out << turnoverColumn(pair, debit) << balanceColumn(pair, debit);
    return out;
}

} // namespace

bool rebuildTurnoverTable(sql::Database& db, qint64 company, qint64 year, QString* error)
{
    ProcedureTransaction tx(db);
    if (!tx.ok()) {
        if (error)
            *error = tx.error();
        return false;
    }
    StatementRunner run(db);
    run.run(QStringLiteral("delete from OBROTY_I_SALDA where id_firmy=%1 and id_lata_obrot=%2")
                .arg(sqlNumber(company), sqlNumber(year)));
    if (!run.ok()) {
        if (error)
            *error = run.error();
        return false;
    }
    if (!deriveInto(db, company, year, QStringLiteral("OBROTY_I_SALDA"), error))
        return false;
    if (!tx.commit()) {
        if (error)
            *error = tx.error();
        return false;
    }
    return true;
}

TurnoverTableCheck checkTurnoverTable(sql::Database& db, qint64 company, qint64 year)
{
    TurnoverTableCheck out;
    const ServerSql q(db.dialect());
    StatementRunner run(db);
    ProcedureTransaction tx(db);
    run.dropTemp(QStringLiteral("tmp_chk_ois"));
    run.run(QStringLiteral("create temp table tmp_chk_ois as select * from OBROTY_I_SALDA where 1=0"));
    if (!run.ok() || !deriveInto(db, company, year, QStringLiteral("tmp_chk_ois"), &out.error)) {
        out.ok = false;
        if (out.error.isEmpty())
            out.error = run.error();
        return out;
    }
    QStringList mine, theirs, differ;
    for (const QString& c : allTableColumns()) {
        mine << q.amount(c) + " as " + c;
        theirs << "-" + q.amount(c);
        differ << q.sum(c) + "<>0";
    }
    const QString where = QStringLiteral("id_firmy=%1 and id_lata_obrot=%2").arg(sqlNumber(company), sqlNumber(year));
    const QString diffs = QStringLiteral(
        "select nr_konta, data_okresu, sym_waluty from ("
        " select nr_konta, data_okresu, sym_waluty, %1 from OBROTY_I_SALDA where %3"
        " union all select nr_konta, data_okresu, sym_waluty, %2 from tmp_chk_ois"
        ") d group by nr_konta, data_okresu, sym_waluty having %4")
        .arg(mine.join(QLatin1Char(',')), theirs.join(QLatin1Char(',')), where, differ.join(QStringLiteral(" or ")));
    out.differences = run.value(QStringLiteral("select count(*) from (%1) c").arg(diffs)).toInt();
    for (const QVariantList& r : run.rows(diffs + QStringLiteral(" order by 1, 2, 3"), 10))
        out.samples << QStringLiteral("%1 %2 %3").arg(r[0].toString(), periodLabel(r[1].toInt()), r[2].toString());
    run.dropTemp(QStringLiteral("tmp_chk_ois"));
    if (!run.ok()) {
        out.ok = false;
        out.error = run.error();
    }
    tx.commit();
    return out;
}

sql::ProcedureResult przeliczObrotyISalda(sql::Database& db, const QVariantList& args)
{
    const auto company = argNumber(args, 0), year = argNumber(args, 1);
    if (!company || !year)
        return sql::ProcedureResult::failure(QStringLiteral("PRZELICZ_OBROTY_I_SALDA: oczekiwano (firma, rok)."));
    QString error;
    if (!rebuildTurnoverTable(db, *company, *year, &error))
        return sql::ProcedureResult::failure(error);
    sql::Cursor c = db.execNative(QStringLiteral("select count(*) from OBROTY_I_SALDA where id_firmy=%1 and id_lata_obrot=%2")
                                      .arg(sqlNumber(*company), sqlNumber(*year)));
    const qint64 n = c.next() ? c.value(0).toLongLong() : 0;
    return sql::ProcedureResult::withRows({QVariantList{n}});
}

sql::ProcedureResult sprawdzObrotyISalda(sql::Database& db, const QVariantList& args)
{
    const auto company = argNumber(args, 0), year = argNumber(args, 1);
    if (!company || !year)
        return sql::ProcedureResult::failure(QStringLiteral("SPRAWDZ_OBROTY_I_SALDA: oczekiwano (firma, rok)."));
    const TurnoverTableCheck c = checkTurnoverTable(db, *company, *year);
    if (!c.ok)
        return sql::ProcedureResult::failure(c.error);
    return sql::ProcedureResult::withRows(
        {QVariantList{c.differences > 0 ? 1 : 0, c.differences, c.samples.value(0)}});
}

} // namespace pravik::server
