#include "server/src/procedures/TurnoverReport.h"

#include "platform/sql/Quote.h"
#include "server/src/procedures/AccountTree.h"
#include "server/src/procedures/ProcedureArgs.h"
#include "server/src/procedures/ServerSql.h"

namespace pravik::server {

using sql::sqlNumber;
using sql::sqlText;

namespace {

// A period passed as any day of a month means that month; days 1 and 28 keep their meaning.
DayNumber normalisedPeriod(DayNumber period)
{
    const int day = dayOfMonth(period);
    if (day == 1 || day == 2 || day == 28)
        return period;
    return monthPeriod(yearOf(period), monthOf(period));
}

QString kolList()
{
    return QStringLiteral("k1,k2,k3,k4,k5,k6,k7,k8,k9,k10");
}

} // namespace

qint64 resolveUserId(sql::Database& db, const QString& login)
{
    bool numeric = false;
    const qint64 id = login.trimmed().toLongLong(&numeric);
    if (numeric)
        return id;
    sql::Cursor c = db.execNative(QStringLiteral("select id_uzytkownika from UZYTKOWNIK where login=%1")
                                      .arg(sqlText(login.trimmed())));
    if (c.ok() && c.next())
        return c.value(0).toLongLong();
    return 0;
}

TurnoverReportOutcome runTurnoverReport(sql::Database& db, const TurnoverReportRequest& rq)
{
    TurnoverReportOutcome out;
    const ServerSql q(db.dialect());
    StatementRunner run(db);
    ProcedureTransaction tx(db);
    if (!tx.ok()) {
        out.ok = false;
        out.error = tx.error();
        return out;
    }

    const qint64 user = resolveUserId(db, rq.login);
    const QString userRows = QStringLiteral("id_uzytkownika=%1 and id_zestaw_nag=0 and wariant_zestaw=99")
                                 .arg(sqlNumber(user));
    auto zeroRows = [&](const QString& why) {
        run.run(QStringLiteral("update ZESTAW_ZESTAW set kol1=0,kol2=0,kol3=0,kol4=0,kol5=0,kol6=0,kol7=0,"
                               "kol8=0,kol9=0,kol10=0 where %1").arg(userRows));
        out.message = why;
        out.ok = run.ok();
        out.error = run.error();
        if (out.ok && !tx.commit()) {
            out.ok = false;
            out.error = tx.error();
        }
        return out;
    };

    if (user == 0)
        return zeroRows(QStringLiteral("Nieznany użytkownik %1.").arg(rq.login));

    const QVariant yearStartDay = run.value(QStringLiteral("select poczatek_roku from LATA_OBROTOWE where "
                                                           "id_lata_obrot=%1 and id_firmy=%2")
                                                .arg(sqlNumber(rq.year), sqlNumber(rq.company)));
    if (!run.ok())
        return zeroRows(QString());
    if (!yearStartDay.isValid())
        return zeroRows(QStringLiteral("Rok obrotowy %1 nie należy do firmy %2.").arg(rq.year).arg(rq.company));

    const QString currency = rq.currency.trimmed().isEmpty() ? QStringLiteral("PLN") : rq.currency.trimmed().toUpper();
    const bool base = currency == QLatin1String("PLN");
    if (!base) {
        const QVariant known = run.value(QStringLiteral("select 1 from WALUTY where sym_waluty=%1").arg(sqlText(currency)));
        if (!run.ok())
            return zeroRows(QString());
        if (!known.isValid())
            return zeroRows(QStringLiteral("Nieznana waluta %1.").arg(currency));
    }

    const DayNumber yearStart = rq.yearStart > 0 ? rq.yearStart : openingPeriod(yearStartDay.toInt());
    const DayNumber period = normalisedPeriod(rq.period > 0 ? rq.period : yearStart);
    const QString F = sqlNumber(rq.company), Y = sqlNumber(rq.year), P = sqlNumber(period),
                  YS = sqlNumber(yearStart);
    const QString cur = sqlText(currency);
    const bool asOf = rq.asOf > 0;
    const QString mask = rq.mask.trimmed();

    // --- 1. the postings of the year up to the period, per posting account and period ---
    const QString status = rq.approvedOnly ? QStringLiteral("n.status=2") : QStringLiteral("n.status>0");
    const QString wnAmount = q.amount(base ? QStringLiteral("p.kwota_wn") : QStringLiteral("p.kwota_wn_w"));
    const QString maAmount = q.amount(base ? QStringLiteral("p.kwota_ma") : QStringLiteral("p.kwota_ma_w"));
    const QString wnCur = base ? QString() : QStringLiteral(" and p.sym_waluty_wn=%1").arg(cur);
    const QString maCur = base ? QString() : QStringLiteral(" and p.sym_waluty_ma=%1").arg(cur);
    const QString booked = QStringLiteral("n.data_biezaca<=%1").arg(sqlNumber(rq.asOf));
    const QString T = q.amountType();

    // Without a mask or an as-of date the amounts come from the turnover table, which holds every
    // account at every level, and the postings are only totalled per period to check the table.
    // Otherwise they are summed from the postings per posting account.
    const bool fromTable = !asOf && mask.isEmpty();
    run.dropTemp(QStringLiteral("tmp_obr_g"));
    run.run(QStringLiteral("create temp table tmp_obr_g (konto varchar(60), okres integer, wn %1, ma %1, wn_d %1, ma_d %1)").arg(T));
    // Each side in a pass of its own: two narrow grouped scans are much cheaper than one scan
    // of both sides with the grouping over twice the rows.
    const QString bookedWn = asOf ? QStringLiteral("case when %1 then %2 else 0 end").arg(booked, wnAmount) : wnAmount;
    const QString bookedMa = asOf ? QStringLiteral("case when %1 then %2 else 0 end").arg(booked, maAmount) : maAmount;
    const QString docs = QStringLiteral("from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
                                        " where n.id_firmy=%1 and n.id_lata_obrot=%2 and n.data_okresu<=%3 and %4")
                             .arg(F, Y, P, status);
    if (!fromTable)
        run.run(QStringLiteral(
                "insert into tmp_obr_g (konto, okres, wn, ma, wn_d, ma_d)"
                " select konto, okres, %1, %2, %3, %4 from ("
                "  select p.konto_wn as konto, n.data_okresu as okres, %5 as wn, 0 as ma, %6 as wn_d, 0 as ma_d"
                "   %7 and p.konto_wn<>''%8 group by p.konto_wn, n.data_okresu"
                "  union all"
                "  select p.konto_ma, n.data_okresu, 0, %9, 0, %10"
                "   %7 and p.konto_ma<>''%11 group by p.konto_ma, n.data_okresu"
                " ) x group by konto, okres")
                .arg(q.sum(QStringLiteral("wn")), q.sum(QStringLiteral("ma")), q.sum(QStringLiteral("wn_d")),
                     q.sum(QStringLiteral("ma_d")), q.sum(wnAmount), q.sum(bookedWn), docs, wnCur, q.sum(maAmount))
                .arg(q.sum(bookedMa), maCur));

    // --- 2. the turnover table against the postings ---
    const QString tableWn = QStringLiteral("o.%1obroty_wn%2").arg(rq.approvedOnly ? "z" : "", base ? "" : "_w");
    const QString tableMa = QStringLiteral("o.%1obroty_ma%2").arg(rq.approvedOnly ? "z" : "", base ? "" : "_w");
    const QString tableRows = QStringLiteral("o.id_firmy=%1 and o.id_lata_obrot=%2 and o.sym_waluty=%3 and o.data_okresu<=%4")
                                  .arg(F, Y, cur, P);
    const QString differ = QStringLiteral("%1<>0 or %2<>0").arg(q.sum(QStringLiteral("wn")), q.sum(QStringLiteral("ma")));
    if (fromTable)
        buildAccountPrefixes(run, q, QStringLiteral("select nr_konta as konto from OBROTY_I_SALDA where id_firmy=%1 and id_lata_obrot=%2")
                                          .arg(F, Y), QStringLiteral("tmp_obr_anc"));
    else
        buildAccountPrefixes(run, q, QStringLiteral("select konto from tmp_obr_g"), QStringLiteral("tmp_obr_anc"));
    QVariant leafDiff, synDiff, periodDiff;
    if (!fromTable) {
    leafDiff = run.value(QStringLiteral(
        "select konto from ("
        " select konto, okres, wn, ma from tmp_obr_g g where not exists"
        "  (select 1 from tmp_obr_anc a where a.acc=g.konto and a.leaf<>g.konto)"
        " union all"
        " select o.nr_konta, o.data_okresu, -%1, -%2 from OBROTY_I_SALDA o where %3"
        "  and o.nr_konta in (select konto from tmp_obr_g)"
        "  and not exists (select 1 from tmp_obr_anc a where a.acc=o.nr_konta and a.leaf<>o.nr_konta)"
        ") d group by konto, okres having %4 order by konto limit 1")
        .arg(q.amount(tableWn), q.amount(tableMa), tableRows, differ));
    if (!leafDiff.isValid())
        synDiff = run.value(QStringLiteral(
            "select konto from ("
            " select %1 as konto, okres, wn, ma from tmp_obr_g"
            " union all"
            " select o.nr_konta, o.data_okresu, -%2, -%3 from OBROTY_I_SALDA o where %4 and %5=0"
            ") d group by konto, okres having %6 order by konto limit 1")
            .arg(q.syntheticOf(QStringLiteral("konto")), q.amount(tableWn), q.amount(tableMa), tableRows,
                 q.position(QStringLiteral("o.nr_konta"), QStringLiteral("'-'")), differ));
    } else {
        // Control totals per period: the postings against the synthetic rows and against the rows
        // of the accounts without sub-accounts; one wrong row of either kind changes a total.
        run.dropTemp(QStringLiteral("tmp_obr_tot"));
        run.run(QStringLiteral("create temp table tmp_obr_tot (okres integer, wn %1, ma %1)").arg(T));
        run.run(QStringLiteral("insert into tmp_obr_tot (okres, wn, ma) select n.data_okresu, %1, %2 %3 group by n.data_okresu")
                    .arg(q.sum(QStringLiteral("case when p.konto_wn<>''%1 then %2 else 0 end").arg(wnCur, wnAmount)),
                         q.sum(QStringLiteral("case when p.konto_ma<>''%1 then %2 else 0 end").arg(maCur, maAmount)), docs));
        const QString postings = QStringLiteral("select okres, wn, ma from tmp_obr_tot");
        for (const QString& level : {QStringLiteral("%1=0").arg(q.position(QStringLiteral("o.nr_konta"), QStringLiteral("'-'"))),
                                     QStringLiteral("o.nr_konta in (select acc from tmp_obr_anc group by acc having count(*)=1)")}) {
            if (periodDiff.isValid())
                break;
            periodDiff = run.value(QStringLiteral(
                "select okres from (%1 union all"
                " select o.data_okresu, -%2, -%3 from OBROTY_I_SALDA o where %4 and %5 group by o.data_okresu"
                ") d group by okres having %6 order by okres limit 1")
                .arg(postings, q.sum(q.amount(tableWn)), q.sum(q.amount(tableMa)), tableRows, level, differ));
        }
        run.dropTemp(QStringLiteral("tmp_obr_tot"));
    }
    if (!run.ok()) {
        out.ok = false;
        out.error = run.error();
        return out;
    }
    if (periodDiff.isValid()) {
        out.status = 1;
        out.message = QStringLiteral("Obroty kont w okresie %1 różnią się od zapisów w dokumentach.")
                          .arg(periodLabel(periodDiff.toInt()));
    } else if (leafDiff.isValid() || synDiff.isValid()) {
        out.status = 1;
        out.message = QStringLiteral("Obroty konta %1 różnią się od zapisów w dokumentach.")
                          .arg((leafDiff.isValid() ? leafDiff : synDiff).toString());
    }

    // --- 3. per posting (and settlement) account: opening, period, cumulative figures ---
    const QString W = asOf ? QStringLiteral("wn_d") : QStringLiteral("wn");
    const QString M = asOf ? QStringLiteral("ma_d") : QStringLiteral("ma");
    QString settlements;
    if (rq.mode == 1) {
        const QString rWn = q.amount(base ? QStringLiteral("r.kwota_wn") : QStringLiteral("r.kwota_wn_w"));
        const QString rMa = q.amount(base ? QStringLiteral("r.kwota_ma") : QStringLiteral("r.kwota_ma_w"));
        settlements = QStringLiteral(
            " union all select r.nr_konta, 0,0,0,0,0,0, %1, %2 from ROZRACHUNKI r"
            " where r.id_firmy=%3 and r.id_lata_obrot=%4 and r.data_okresu<=%5%6")
            .arg(rWn, rMa, F, Y, P, base ? QString() : QStringLiteral(" and r.sym_waluty=%1").arg(cur));
        run.dropTemp(QStringLiteral("tmp_obr_anc"));
        buildAccountPrefixes(run, q,
                             QStringLiteral("select konto from tmp_obr_g union select nr_konta as konto from ROZRACHUNKI"
                                            " where id_firmy=%1 and id_lata_obrot=%2").arg(F, Y),
                             QStringLiteral("tmp_obr_anc"));
    }
    // The reconciliation sums settlements (and, from the postings, the ledger) per account.
    const bool perAccount = !fromTable || rq.mode == 1;
    run.dropTemp(QStringLiteral("tmp_obr_l"));
    run.run(QStringLiteral("create temp table tmp_obr_l (konto varchar(60), bo_wn %1, bo_ma %1, per_wn %1, per_ma %1,"
                           " cum_wn %1, cum_ma %1, r_wn %1, r_ma %1)").arg(T));
    run.run(QStringLiteral(
                "insert into tmp_obr_l (konto, bo_wn, bo_ma, per_wn, per_ma, cum_wn, cum_ma, r_wn, r_ma)"
                " select konto, %1, %2, %3, %4, %5, %6, %7, %8 from ("
                "  select konto, case when okres=%9 then %10 else 0 end as bo_wn, case when okres=%9 then %11 else 0 end as bo_ma,"
                "   case when okres=%12 then %10 else 0 end as per_wn, case when okres=%12 then %11 else 0 end as per_ma,"
                "   %10 as cum_wn, %11 as cum_ma, 0 as r_wn, 0 as r_ma from tmp_obr_g%13"
                " ) u group by konto")
                .arg(q.sum("bo_wn"), q.sum("bo_ma"), q.sum("per_wn"), q.sum("per_ma"), q.sum("cum_wn"),
                     q.sum("cum_ma"), q.sum("r_wn"), q.sum("r_ma"), YS)
                .arg(W, M, P, settlements));
    run.run(QStringLiteral("create index tmp_obr_l_konto on tmp_obr_l (konto)"));

    // --- 4. every scratch row: the sums over the posting accounts at or under its account ---
    // A parent sums its sub-accounts; with a mask, only those matching it unless the row's own
    // number matches. Balances: each posting account nets its own; a two-balance account keeps
    // the debit and the credit balances of its sub-accounts apart, any other nets the total.
    const QString maskJoin = mask.isEmpty() ? QString()
        : QStringLiteral(" and (l.konto like %1 escape '\\' or z.opis like %1 escape '\\')").arg(sqlText(mask));
    auto balance = [&](const QString& wn, const QString& ma, bool debit) {
        const QString a = debit ? wn : ma, b = debit ? ma : wn;
        return QStringLiteral("case when tb=1 then %1 else %2 end")
            .arg(q.sum(q.positive(QStringLiteral("l.%1-l.%2").arg(a, b))),
                 q.positive(QStringLiteral("%1-%2").arg(q.sum("l." + a), q.sum("l." + b))));
    };
    const QString cumWn = asOf ? QStringLiteral("%1-%2").arg(q.sum("l.cum_wn"), q.sum("l.bo_wn")) : q.sum("l.cum_wn");
    const QString cumMa = asOf ? QStringLiteral("%1-%2").arg(q.sum("l.cum_ma"), q.sum("l.bo_ma")) : q.sum("l.cum_ma");
    QString k3, k4, k5, k6;
    if (rq.mode == 1) {
        k3 = balance("cum_wn", "cum_ma", true);
        k4 = balance("cum_wn", "cum_ma", false);
        k5 = balance("r_wn", "r_ma", true);
        k6 = balance("r_wn", "r_ma", false);
    } else {
        k3 = q.sum("l.per_wn");
        k4 = q.sum("l.per_ma");
        k5 = balance("cum_wn", "cum_ma", true);
        k6 = balance("cum_wn", "cum_ma", false);
    }
    run.dropTemp(QStringLiteral("tmp_obr_res"));
    run.run(QStringLiteral("create temp table tmp_obr_res (id integer, k1 %1, k2 %1, k3 %1, k4 %1, k5 %1, k6 %1,"
                           " k7 %1, k8 %1, k9 %1, k10 %1)").arg(T));
    if (perAccount)
        run.run(QStringLiteral(
                "insert into tmp_obr_res (id, %1)"
                " select id, %2 from (select z.id_zestaw_zestaw as id, z.opis, %3 as tb from ZESTAW_ZESTAW z where %4) z"
                " left join tmp_obr_anc a on a.acc=z.opis"
                " left join tmp_obr_l l on l.konto=a.leaf%5"
                " group by id, tb")
                .arg(kolList(),
                     QStringList{cumWn, cumMa, k3, k4, k5, k6, q.sum("l.bo_wn"), q.sum("l.bo_ma"),
                                 balance("bo_wn", "bo_ma", true), balance("bo_wn", "bo_ma", false)}
                         .join(QLatin1Char(',')),
                     twoBalanceFlag(q, QStringLiteral("z.opis"), rq.company, rq.year),
                     QStringLiteral("z.id_uzytkownika=%1 and z.id_zestaw_nag=0 and z.wariant_zestaw=99")
                         .arg(sqlNumber(user)),
                     maskJoin));
    if (fromTable) {
        const QString saldoWn = QStringLiteral("o.%1saldo_wn%2").arg(rq.approvedOnly ? "z" : "", base ? "" : "_w");
        const QString saldoMa = QStringLiteral("o.%1saldo_ma%2").arg(rq.approvedOnly ? "z" : "", base ? "" : "_w");
        auto at = [&](const QString& when, const QString& column) {
            return q.sum(QStringLiteral("case when %1 then %2 else 0 end").arg(when, q.amount(column)));
        };
        const QString inPeriod = QStringLiteral("o.data_okresu=%1").arg(P), inOpening = QStringLiteral("o.data_okresu=%1").arg(YS),
                      inYear = QStringLiteral("o.data_okresu>=%1").arg(YS);
        run.dropTemp(QStringLiteral("tmp_obr_tab"));
        run.run(QStringLiteral("create temp table tmp_obr_tab (id integer, k1 %1, k2 %1, k3 %1, k4 %1, k5 %1, k6 %1,"
                               " k7 %1, k8 %1, k9 %1, k10 %1)").arg(T));
        run.run(QStringLiteral("insert into %5 (id, %1) select z.id_zestaw_zestaw, %2 from ZESTAW_ZESTAW z"
                               " left join OBROTY_I_SALDA o on o.nr_konta=z.opis and %3"
                               " where z.id_uzytkownika=%4 and z.id_zestaw_nag=0 and z.wariant_zestaw=99 group by z.id_zestaw_zestaw")
                    .arg(kolList(),
                         QStringList{at(inYear, tableWn), at(inYear, tableMa), at(inPeriod, tableWn), at(inPeriod, tableMa),
                                     at(inPeriod, saldoWn), at(inPeriod, saldoMa), at(inOpening, tableWn), at(inOpening, tableMa),
                                     at(inOpening, saldoWn), at(inOpening, saldoMa)}.join(QLatin1Char(',')),
                         tableRows, sqlNumber(user), rq.mode == 1 ? QStringLiteral("tmp_obr_tab") : QStringLiteral("tmp_obr_res")));
        // Reconciliation keeps the settlement balance summed above and takes the rest from the table.
        if (rq.mode == 1)
            run.run(QStringLiteral("update tmp_obr_res set k1=t.k1, k2=t.k2, k3=t.k5, k4=t.k6, k7=t.k7, k8=t.k8, k9=t.k9,"
                                   " k10=t.k10 from tmp_obr_tab t where tmp_obr_res.id=t.id"));
        run.dropTemp(QStringLiteral("tmp_obr_tab"));
    }
    QStringList sets;
    for (int i = 1; i <= 10; ++i)
        sets << QStringLiteral("kol%1=%2").arg(i).arg(q.stored(QStringLiteral("r.k%1").arg(i)));
    run.run(QStringLiteral("update ZESTAW_ZESTAW set %1 from tmp_obr_res r where ZESTAW_ZESTAW.id_zestaw_zestaw=r.id")
                .arg(sets.join(QLatin1Char(','))));
    const QVariant filled = run.value(QStringLiteral("select count(*) from tmp_obr_res"));
    for (const char* t : {"tmp_obr_res", "tmp_obr_l", "tmp_obr_anc", "tmp_obr_g"})
        run.dropTemp(QLatin1String(t));
    if (!run.ok()) {
        out.ok = false;
        out.error = run.error();
        return out;
    }
    out.rows = filled.toInt();
    if (!tx.commit()) {
        out.ok = false;
        out.error = tx.error();
    }
    return out;
}

sql::ProcedureResult obrotowkaRaport(sql::Database& db, const QVariantList& args)
{
    TurnoverReportRequest rq;
    rq.login = argText(args, 0);
    const auto company = argNumber(args, 1), year = argNumber(args, 2), period = argNumber(args, 3);
    if (!company || !year || !period)
        return sql::ProcedureResult::failure(QStringLiteral(
            "OBROTOWKA_RAPORT: oczekiwano ('login', firma, rok, okres, początek roku, 'waluta', zatwierdzone,"
            " 'maska', tryb, na dzień)."));
    rq.company = *company;
    rq.year = *year;
    rq.period = static_cast<DayNumber>(*period);
    rq.yearStart = static_cast<DayNumber>(argNumber(args, 4).value_or(0));
    rq.currency = argText(args, 5);
    rq.approvedOnly = argNumber(args, 6).value_or(0) != 0;
    rq.mask = argText(args, 7);
    rq.mode = static_cast<int>(argNumber(args, 8).value_or(0));
    rq.asOf = static_cast<DayNumber>(argNumber(args, 9).value_or(0));
    const TurnoverReportOutcome o = runTurnoverReport(db, rq);
    if (!o.ok)
        return sql::ProcedureResult::failure(o.error);
    sql::ProcedureResult r = sql::ProcedureResult::withRows({QVariantList{o.status, o.message}});
    r.columns = QStringList{QStringLiteral("status"), QStringLiteral("komunikat")};
    return r;
}

} // namespace pravik::server
