// pravik-bench: the pieces bench/run.sh times.
//
//   pravik-bench generate DB POSTINGS [SEED]    schema and demo company into DB (must be new)
//   pravik-bench turnover DB [COMPANY YEAR]     OBROTOWKA_RAPORT over every account of the year
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
    std::fprintf(stderr, "usage: pravik-bench generate DB POSTINGS [SEED] | turnover DB [COMPANY YEAR]\n");
    return 2;
}
