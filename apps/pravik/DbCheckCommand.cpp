// "pravik db check": whether the turnover table and the document amounts agree with the
// postings, company by company and year by year. Exit 0 when everything agrees, 1 when a
// difference (or an error) is found.
#include "Command.h"
#include "Options.h"

#include "platform/PrintableText.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "server/src/procedures/DocumentAmounts.h"
#include "server/src/procedures/TurnoverTable.h"

namespace pravik::cli {

namespace {

int runDbCheck(CommandContext& ctx, const QStringList& args)
{
    if (!args.isEmpty()) {
        ctx.error(QStringLiteral("db check: unknown argument %1").arg(quotedInput(args.first())));
        return kExitUsage;
    }
    QString error;
    const auto dbTarget = ctx.connectionSpec(&error);
    if (!dbTarget) {
        ctx.error(error);
        return kExitUsage;
    }
    sql::Database db(*dbTarget);
    if (!db.open()) {
        ctx.error(QStringLiteral("db check: %1: %2").arg(dbTarget->describe(), db.lastError()));
        return kExitFailure;
    }
    QString where = QStringLiteral("1=1");
    if (ctx.company)
        where += QStringLiteral(" and id_firmy=%1").arg(sql::sqlNumber(*ctx.company));
    if (ctx.year)
        where += QStringLiteral(" and id_lata_obrot=%1").arg(sql::sqlNumber(*ctx.year));
    QList<QPair<qint64, qint64>> years;
    {
        sql::Cursor c = db.execNative(QStringLiteral("select id_firmy, id_lata_obrot from LATA_OBROTOWE where %1"
                                                     " order by id_firmy, poczatek_roku").arg(where));
        while (c.next())
            years << qMakePair(c.value(0).toLongLong(), c.value(1).toLongLong());
        if (!c.ok()) {
            ctx.error(QStringLiteral("db check: %1").arg(c.errorText()));
            return kExitFailure;
        }
    }
    if (years.isEmpty()) {
        ctx.error(QStringLiteral("db check: no fiscal year to check"));
        return kExitFailure;
    }
    int rc = kExitOk;
    for (const auto& [company, year] : years) {
        const server::TurnoverTableCheck check = server::checkTurnoverTable(db, company, year);
        if (!check.ok) {
            ctx.error(QStringLiteral("db check: company %1, year %2: %3").arg(company).arg(year).arg(check.error));
            rc = kExitFailure;
            continue;
        }
        if (check.differences == 0) {
            ctx.out(QStringLiteral("company %1, year %2: turnovers agree with postings").arg(company).arg(year));
        } else {
            rc = kExitFailure;
            ctx.out(QStringLiteral("company %1, year %2: %3 turnover rows disagree with postings")
                        .arg(company).arg(year).arg(check.differences));
            for (const QString& s : check.samples)
                ctx.out(QStringLiteral("  %1").arg(s));
        }

        const server::DocumentAmountCheck documents = server::checkDocumentAmounts(db, company, year);
        if (!documents.ok) {
            ctx.error(QStringLiteral("db check: company %1, year %2: %3").arg(company).arg(year).arg(documents.error));
            rc = kExitFailure;
            continue;
        }
        if (documents.differences == 0) {
            ctx.out(QStringLiteral("company %1, year %2: document amounts agree with postings").arg(company).arg(year));
            continue;
        }
        rc = kExitFailure;
        ctx.out(QStringLiteral("company %1, year %2: %3 document amounts disagree with postings")
                    .arg(company).arg(year).arg(documents.differences));
        for (const QString& s : documents.samples)
            ctx.out(QStringLiteral("  %1").arg(s));
    }
    return rc;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("db check"),
               QStringLiteral("check that the turnover table and document amounts agree with the postings (exit 1 if not)"),
               QStringLiteral("pravik --db DB [--company N] [--year N] db check\n"
                              "\n"
                              "Derives the turnovers and balances of every account, period and currency afresh from\n"
                              "the documents and compares them with the turnover table OBROTY_I_SALDA, and checks that\n"
                              "every document's amount (NAG_DOK.kwota_dok) is the debit (or the credit) total of its\n"
                              "posting lines. Prints the result per fiscal year and the first differences; exits with 1\n"
                              "when anything disagrees.\n"),
               &runDbCheck)

} // namespace pravik::cli
