// "pravik reports": the report procedures the library exports, one a line, with the parameters
// a host passes and the sub-command that runs them here.
#include "Command.h"
#include "Options.h"

#include "framework/ReportRegistry.h"

namespace pravik::cli {

namespace {

int runReports(CommandContext& ctx, const QStringList& args)
{
    if (!args.isEmpty()) {
        ctx.error(QStringLiteral("reports: unexpected argument %1").arg(args.first()));
        return kExitUsage;
    }
    qsizetype width = 0, commandWidth = 1;
    for (const reports::ReportProcedure& p : reports::reportProcedures()) {
        width = std::max(width, reports::signature(p).size());
        commandWidth = std::max(commandWidth, p.command.size());
    }
    for (const reports::ReportProcedure& p : reports::reportProcedures()) {
        const QString command = p.command.isEmpty() ? QStringLiteral("-") : p.command;
        ctx.out(reports::signature(p).leftJustified(width + 2) + command.leftJustified(std::max<qsizetype>(commandWidth + 2, 10)) + p.help);
    }
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("reports"),
               QStringLiteral("list the report procedures the library exports, with their parameters"),
               QStringLiteral("Usage: pravik reports\n"
                              "\n"
                              "One line per exported report procedure: its name and parameters as a host\n"
                              "calls it (BYTE 0..255, LONG a 32-bit number, STRING UTF-8 text), the\n"
                              "sub-command that runs it (\"-\" for none) and what it prints.\n"
                              "\"pravik journal --procedure NAME ...\" calls a journal procedure as a host does.\n"),
               runReports)

} // namespace pravik::cli
