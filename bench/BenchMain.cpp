// pravik-bench: the pieces bench/run.sh times.
//
//   pravik-bench generate DB POSTINGS [SEED]    schema and demo company into DB (must be new)
//   pravik-bench turnover DB [COMPANY YEAR]     OBROTOWKA_RAPORT over every account of the year
//   pravik-bench statement DB [COMPANY YEAR]    ZESTAWIENIE_GENERUJ of a 12-column, 60-row statement
//
// DB is what --db takes (a SQLite file or a postgresql:// URL). Each prints one line of
// "name value" pairs on stdout.
#include "platform/DayNumber.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "server/src/Functions.h"
#include "server/src/Schema.h"
#include "server/src/demo/DemoGenerator.h"
#include "server/src/procedures/Procedures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

using namespace pravik;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "pravik-bench: %s\n", qPrintable(message));
    return 1;
}

int generate(const QString& where, qint64 postings, quint64 seed)
{
    QString error;
    auto dbTarget = sql::ConnectionSpec::parse(where, &error);
    if (!dbTarget)
        return fail(error);
    dbTarget->createIfMissing = true;
    sql::Database db(*dbTarget);
    if (!db.open())
        return fail(db.lastError());
    QElapsedTimer clock;
    clock.start();
    if (!server::createSchema(db, &error))
        return fail(error);
    server::DemoOptions options;
    options.postings = postings;
    options.seed = seed;
    server::DemoSummary summary;
    if (!server::generateDemoCompany(db, options, &summary, &error))
        return fail(error);
    const double seconds = clock.elapsed() / 1000.0;
    db.close();
    std::printf("seconds %.2f postings %lld documents %lld accounts %lld turnover_rows %lld file_mb %.1f\n", seconds,
                static_cast<long long>(summary.postings), static_cast<long long>(summary.documents),
                static_cast<long long>(summary.accounts), static_cast<long long>(summary.turnoverRows),
                dbTarget->backend == sql::Backend::SQLite ? QFileInfo(dbTarget->path).size() / 1048576.0 : 0.0);
    return 0;
}

int turnover(const QString& where, int company, int year)
{
    QString error;
    const auto dbTarget = sql::ConnectionSpec::parse(where, &error);
    if (!dbTarget)
        return fail(error);
    sql::Database db(*dbTarget);
    if (!db.open())
        return fail(db.lastError());
    // One scratch row per account of the year, as the statement writes them.
    const QString scratch = QStringLiteral("id_zestaw_nag=0 and id_uzytkownika=1 and wariant_zestaw=99");
    db.execNative(QStringLiteral("delete from ZESTAW_ZESTAW where %1").arg(scratch));
    sql::Cursor fill = db.execNative(QStringLiteral(
        "insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw)"
        " select '', nr_konta, '', 1, 0, 1, 0, 99 from (select distinct nr_konta from OBROTY_I_SALDA"
        " where id_firmy=%1 and id_lata_obrot=%2) a").arg(company).arg(year));
    if (!fill.ok())
        return fail(fill.errorText());
    sql::Cursor count = db.execNative(QStringLiteral("select count(*) from ZESTAW_ZESTAW where %1").arg(scratch));
    const qint64 rows = count.next() ? count.value(0).toLongLong() : 0;
    count.close();
    sql::Cursor y = db.execNative(QStringLiteral("select poczatek_roku from LATA_OBROTOWE where id_lata_obrot=%1").arg(year));
    if (!y.next())
        return fail(QStringLiteral("no fiscal year %1").arg(year));
    const DayNumber start = openingPeriod(y.value(0).toInt());
    y.close();
    const DayNumber period = monthPeriod(yearOf(start), monthOf(start) + 5 > 12 ? 12 : monthOf(start) + 5);
    QElapsedTimer clock;
    clock.start();
    sql::Cursor call = db.exec(QStringLiteral("CALL OBROTOWKA_RAPORT ('admin',%1,%2,%3,%4,'PLN',0,'',0,0)")
                                   .arg(company).arg(year).arg(period).arg(start));
    if (!call.ok() || !call.next())
        return fail(call.errorText());
    const int status = call.value(0).toInt();
    std::printf("seconds %.3f accounts %lld status %d\n", clock.elapsed() / 1000.0, static_cast<long long>(rows), status);
    return 0;
}

// A statement of 60 rows over the whole chart, one column per month of the year: written into
// the database (replacing an earlier one of the same id), then generated once and timed.
int statement(const QString& where, int company, int year)
{
    QString error;
    const auto dbTarget = sql::ConnectionSpec::parse(where, &error);
    if (!dbTarget)
        return fail(error);
    sql::Database db(*dbTarget);
    if (!db.open())
        return fail(db.lastError());
    constexpr int id = 9001, columns = 12;
    QStringList setup = {
        QStringLiteral("delete from ZESTAW_POZ_FORMULA where id_zestaw_poz in (select id_zestaw_poz from ZESTAW_POZ where id_zestaw_nag=%1)").arg(id),
        QStringLiteral("delete from ZESTAW_POZ where id_zestaw_nag=%1").arg(id),
        QStringLiteral("delete from ZESTAW_NAG where id_zestaw_nag=%1").arg(id),
        QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=1 and kontekst='ZESTZAK'"),
        QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag, id_firmy, id_zestaw_grupa, nazwa, ilosc_kolumn, czy_rozne_definicje)"
                       " values (%1, %2, 0, 'Zestawienie miesięczne (benchmark)', %3, 0)").arg(id).arg(company).arg(columns)};
    QStringList formulas;
    for (int group = 0; group <= 9; ++group)
        for (const char* f : {"WN", "MA", "S", "SWN", "SMA"})
            formulas << QStringLiteral("%1(\"%2*\")").arg(QLatin1String(f)).arg(group);
    QStringList all;
    for (int r = 1; r <= 50; ++r)
        all << QStringLiteral("W(%1)").arg(r);
    formulas << all.join(QLatin1Char('+')) << QStringLiteral("BO(\"*\")") << QStringLiteral("BOWN(\"2*\")-BOMA(\"2*\")")
             << QStringLiteral("WN(\"4?*\")-MA(\"7*\")") << QStringLiteral("ROUND(W(1)/W(2)*100;2)")
             << QStringLiteral("SWN(\"20?-*\")+SMA(\"20?-*\")") << QStringLiteral("ABS(W(53))+MAX(W(3);W(8))")
             << QStringLiteral("W(51)-W(52)") << QStringLiteral("MIN(W(54);W(55))*2") << QStringLiteral("S(\"*\")");
    for (int r = 1; r <= formulas.size(); ++r) {
        const int row = id * 100 + r;
        setup << QStringLiteral("delete from ZESTAW_POZ_FORMULA where id_zestaw_poz=%1").arg(row)
              << QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ)"
                                " values (%1, %2, %3, '', 'Wiersz %3', 1, '')").arg(row).arg(id).arg(r)
              << QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz, nr_kolumny, formula) values (%1, 1, %2)")
                     .arg(row).arg(sql::sqlText(formulas[r - 1]));
    }
    sql::Cursor y = db.execNative(QStringLiteral("select poczatek_roku from LATA_OBROTOWE where id_lata_obrot=%1").arg(year));
    if (!y.next())
        return fail(QStringLiteral("no fiscal year %1").arg(year));
    const DayNumber first = y.value(0).toInt();
    y.close();
    for (int c = 1; c <= columns; ++c) {
        const int month0 = monthOf(first) - 1 + c - 1;
        const DayNumber from = dayFromYmd(yearOf(first) + month0 / 12, month0 % 12 + 1, 1);
        setup << QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values"
                                " (1,'ZESTZAK','%1','%2','%3',%4)").arg(c).arg(from).arg(lastDayOfMonth(from)).arg(id);
    }
    db.transaction();
    for (const QString& sql : setup) {
        sql::Cursor c = db.execNative(sql);
        if (!c.ok())
            return fail(c.errorText() + QStringLiteral(" [") + sql + QLatin1Char(']'));
    }
    db.commit();
    QElapsedTimer clock;
    clock.start();
    sql::Cursor call = db.exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(%1,%2,1,%3,1,0,0,0,0,0,0,1)").arg(company).arg(year).arg(id));
    if (!call.ok() || !call.next())
        return fail(call.errorText());
    const double seconds = clock.elapsed() / 1000.0;
    call.close();
    sql::Cursor check = db.execNative(QStringLiteral("select count(*), sum(kol1) from ZESTAW_ZESTAW where id_uzytkownika=1 and id_zestaw_nag=%1"
                                                     " and wariant_zestaw=1").arg(id));
    check.next();
    std::printf("seconds %.3f rows %lld columns %d\n", seconds, static_cast<long long>(check.value(0).toLongLong()), columns);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    server::registerFunctions();
    server::registerProcedures();
    if (args.size() >= 3 && args[0] == QLatin1String("generate"))
        return generate(args[1], args[2].toLongLong(), args.size() > 3 ? args[3].toULongLong() : 1);
    if (args.size() >= 2 && args[0] == QLatin1String("turnover"))
        return turnover(args[1], args.size() > 2 ? args[2].toInt() : 1, args.size() > 3 ? args[3].toInt() : 2);
    if (args.size() >= 2 && args[0] == QLatin1String("statement"))
        return statement(args[1], args.size() > 2 ? args[2].toInt() : 1, args.size() > 3 ? args[3].toInt() : 2);
    std::fprintf(stderr, "usage: pravik-bench generate DB POSTINGS [SEED] | turnover DB [COMPANY YEAR] | statement DB [COMPANY YEAR]\n");
    return 2;
}
