// "pravik context": the session context a report would see with these options, one global per
// line, so that a script can check what it is about to print with.
#include "Command.h"
#include "Options.h"

#include "platform/PrintableText.h"
#include "siblings/korda/Session.h"

namespace pravik::cli {

namespace {

int runContext(CommandContext& ctx, const QStringList& args)
{
    if (!args.isEmpty()) {
        ctx.error(QStringLiteral("context: unexpected argument %1").arg(quotedInput(args.first())));
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;
    for (const QString& name : korda::globalNames())
        ctx.out(name + QLatin1Char('=') + korda::global(name));
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("context"),
               QStringLiteral("print the session context the options give (NAME=VALUE per line)"),
               QStringLiteral("Usage: pravik context\n"
                              "\n"
                              "Opens the database, fills the session context as it is filled before a\n"
                              "report (company and fiscal year from FIRMA and LATA_OBROTOWE, user, dates,\n"
                              "then every --set), and prints each global by its name. Dates are day\n"
                              "numbers (36163 = 1 January 1900).\n"),
               runContext)

} // namespace pravik::cli
