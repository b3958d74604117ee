// "pravik db init [--demo] [--postings N] [--seed S] [--force]": creates the reference database
// (schema, and with --demo the demo company) where --db points.
#include "Command.h"
#include "Options.h"

#include "platform/PrintableText.h"
#include "platform/sql/Database.h"
#include "server/src/Schema.h"
#include "server/src/demo/DemoGenerator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace pravik::cli {

namespace {

std::optional<qint64> numberAfter(const QStringList& args, qsizetype& i, const QString& name, CommandContext& ctx)
{
    QString text;
    const QString a = args.at(i);
    if (a.startsWith(name + QLatin1Char('=')))
        text = a.mid(name.size() + 1);
    else if (i + 1 < args.size())
        text = args.at(++i);
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n < 0) {
        ctx.error(QStringLiteral("db init: %1 needs a whole number, not %2").arg(name, quotedInput(text)));
        return std::nullopt;
    }
    return n;
}

int runDbInit(CommandContext& ctx, const QStringList& args)
{
    bool demo = false, force = false;
    server::DemoOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--demo"))
            demo = true;
        else if (a == QLatin1String("--force"))
            force = true;
        else if (a == QLatin1String("--one-company"))
            options.secondCompany = false;
        else if (a.startsWith(QLatin1String("--postings"))) {
            const auto n = numberAfter(args, i, QStringLiteral("--postings"), ctx);
            if (!n)
                return kExitUsage;
            options.postings = *n;
        } else if (a.startsWith(QLatin1String("--seed"))) {
            const auto n = numberAfter(args, i, QStringLiteral("--seed"), ctx);
            if (!n)
                return kExitUsage;
            options.seed = static_cast<quint64>(*n);
        } else {
            ctx.error(QStringLiteral("db init: unknown argument %1").arg(a));
            return kExitUsage;
        }
    }
    if ((options.postings != server::DemoOptions{}.postings || options.seed != server::DemoOptions{}.seed) && !demo) {
        ctx.error(QStringLiteral("db init: --postings and --seed go with --demo"));
        return kExitUsage;
    }

    QString error;
    auto dbTarget = ctx.connectionSpec(&error);
    if (!dbTarget) {
        ctx.error(error);
        return kExitUsage;
    }
    if (dbTarget->backend == sql::Backend::SQLite) {
        QFileInfo file(dbTarget->path);
        if (file.exists() && file.size() > 0) {
            if (!force) {
                ctx.error(QStringLiteral("db init: %1 already exists; --force replaces it").arg(dbTarget->path));
                return kExitFailure;
            }
            for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
                QFile::remove(dbTarget->path + suffix);
        }
        dbTarget->createIfMissing = true;
    }

    QElapsedTimer clock;
    clock.start();
    sql::Database db(*dbTarget);
    if (!db.open()) {
        ctx.error(QStringLiteral("db init: %1: %2").arg(dbTarget->describe(), db.lastError()));
        return kExitFailure;
    }
    if (!server::createSchema(db, &error)) {
        ctx.error(QStringLiteral("db init: %1").arg(error));
        return kExitFailure;
    }
    ctx.note(QStringLiteral("schema created in %1").arg(dbTarget->describe()));
    if (demo) {
        server::DemoSummary summary;
        if (!server::generateDemoCompany(db, options, &summary, &error)) {
            ctx.error(QStringLiteral("db init: demo company: %1").arg(error));
            return kExitFailure;
        }
        ctx.out(QStringLiteral("companies: %1").arg(summary.companies));
        ctx.out(QStringLiteral("documents: %1").arg(summary.documents));
        ctx.out(QStringLiteral("postings: %1").arg(summary.postings));
        ctx.out(QStringLiteral("posting accounts: %1").arg(summary.accounts));
        ctx.out(QStringLiteral("turnover rows: %1").arg(summary.turnoverRows));
        ctx.out(QStringLiteral("settlement records differing from the ledger: %1").arg(summary.settlementDisagreements));
    }
    db.close();
    ctx.out(QStringLiteral("seconds: %1").arg(clock.elapsed() / 1000.0, 0, 'f', 1));
    if (dbTarget->backend == sql::Backend::SQLite)
        ctx.out(QStringLiteral("file size (MB): %1").arg(QFileInfo(dbTarget->path).size() / 1048576.0, 0, 'f', 1));
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("db init"),
               QStringLiteral("create the reference database (--demo: with the demo company)"),
               QStringLiteral("pravik --db DB db init [--demo [--postings N] [--seed S] [--one-company]] [--force]\n"
                              "\n"
                              "Creates the tables, views and functions of the reference database in DB (a SQLite file\n"
                              "or a PostgreSQL URL; the PostgreSQL database must exist and be empty).\n"
                              "  --demo          add the demo company: two companies (a trading company with two fiscal\n"
                              "                  years, one of them crossing calendar years, and a budget unit), chart of\n"
                              "                  accounts, card indexes, journals, documents, postings in PLN, EUR and\n"
                              "                  USD, settlements, cost centres, budget classifications, printers\n"
                              "  --postings N    about N posting lines (default 3000; 1000000 builds a benchmark company)\n"
                              "  --seed S        the same seed gives the same company (default 1)\n"
                              "  --one-company   leave out the budget unit\n"
                              "  --force         replace an existing SQLite file\n"),
               &runDbInit)

} // namespace pravik::cli
