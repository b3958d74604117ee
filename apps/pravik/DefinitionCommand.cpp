// "pravik statement-def" and "pravik declarations-def": the definition printouts on the report
// driver (outputs, --procedure, exit codes). They have no window of their own: the command sets
// the outputs as a window would and calls the printout. The declarations come from a file (JSON
// or CSV) instead of a host's queue.
#include "ReportDriver.h"

#include "statements/definitions/DefinitionReports.h"

#include <limits>

namespace pravik::cli {

namespace {

// The outputs as a window's buttons set them; exit 0 only when the printout was produced whole.
int produce(CommandContext& ctx, const ReportCommand& c, const ReportOutput& out, const std::function<int()>& print)
{
    korda::Session& s = korda::session();
    s.outputRequests.printRequest = 1;
    s.outputRequests.emailRequest = 0;
    s.DANE_RODZAJ_WYDRUKU = 0;
    s.DANE_DRUKARKA_EKRAN = out.print ? 0 : 1;
    if (out.copies)
        s.GGG_NUMCOPY = quint8(*out.copies);
    applyMailOptions(out.mail);
    if (print() != 1 || s.globalResponse != 1) {
        ctx.error(QStringLiteral("%1: the %2 was not produced").arg(c.name, c.noun));
        return kExitFailure;
    }
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf)) {
        ctx.error(QStringLiteral("%1: %2 was not written").arg(c.name, out.pdf));
        return kExitFailure;
    }
    return kExitOk;
}

// Definition printouts are graphic only.
bool graphicOnly(CommandContext& ctx, const ReportCommand& c, const ReportOutput& out)
{
    if (!out.textPrinting)
        return true;
    ctx.error(QStringLiteral("%1: the %2 is printed on graphic printers only (no --text)").arg(c.name, c.noun));
    return false;
}

struct StatementDefArgs {
    qint64 id = 0;
    QString title;
};

ReportCommand statementDefCommand(StatementDefArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("statement-def");
    c.noun = QStringLiteral("statement definition");
    c.synopsis = QStringLiteral("print the definition of a user-defined statement (rows and formulas)");
    c.usage = QStringLiteral("--id N [--title TEXT]");
    c.description = QStringLiteral(
        "Prints every row of statement N of the company with its formula, one per column when the\n"
        "columns have definitions of their own; long formulas continue on the next lines, whole.\n");
    c.options = {
        {QStringLiteral("id"), QStringLiteral("N"), QStringLiteral("the statement (pravik statement --list)"),
         [&a](OptionReader& in) { return in.number(1, std::numeric_limits<qint32>::max(), &a.id); }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the heading; the statement's name when left out"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
    };
    c.check = [&a, c](CommandContext& ctx, const ReportOutput& out) {
        if (a.id == 0) {
            ctx.error(QStringLiteral("statement-def: --id N is required"));
            return false;
        }
        return graphicOnly(ctx, c, out);
    };
    c.run = [&a](CommandContext& ctx, const ReportCommand& self, const ReportOutput& out) {
        return produce(ctx, self, out, [&a] {
            return statements::printStatementDefinition(statements::statementDefinitionRequest(a.id, a.title, korda::session()));
        });
    };
    c.procedureArguments = [&a](CommandContext&, const ReportOutput&, const reports::ReportProcedure&, QVariantList* args) {
        *args = {QString::number(a.id), a.title};
        return true;
    };
    return c;
}

struct DeclarationsDefArgs {
    QString input;
    QString title;
};

ReportCommand declarationsDefCommand(DeclarationsDefArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("declarations-def");
    c.noun = QStringLiteral("declaration definitions");
    c.synopsis = QStringLiteral("print declaration definitions from a JSON or CSV file");
    c.usage = QStringLiteral("--input FILE [--title TEXT]");
    c.description = QStringLiteral(
        "FILE holds the entries a host puts into its declaration queue, in order: JSON, an array of\n"
        "objects, or CSV with a header line (\";\" or \",\" separated, quotes around fields that hold\n"
        "one). Keys: nazwa1 (heading), nazwa2 (description), nazwa3 (function or value), data2 (date),\n"
        "rodzaj (-1 declaration item, -2 share line, other: heading at that level), udzial (share,\n"
        "per cent) and data_udzialu (its date). Dates dd-mm-yyyy or yyyy-mm-dd.\n"
        "  [{\"rodzaj\": 1, \"nazwa1\": \"VAT-7\"},\n"
        "   {\"rodzaj\": -1, \"data2\": \"31-01-2026\", \"nazwa2\": \"Podatek należny\", \"nazwa3\": \"K(20)+K(22)\"}]\n"
        "--procedure PRN_DEKLARACJE_DEF prints the file's entries as the host's queue.\n");
    c.options = {
        {QStringLiteral("input"), QStringLiteral("FILE"), QStringLiteral("the declaration entries (JSON or CSV)"),
         [&a](OptionReader& in) { return in.value(&a.input); }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the heading (\"Definicje deklaracji\")"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
    };
    // The file fills the queue for the run and for --procedure alike.
    auto fillQueue = [&a](CommandContext& ctx, const QString& command) {
        QString error;
        QList<korda::DeclarationEntry> entries = statements::loadDeclarations(a.input, &error);
        if (!error.isEmpty()) {
            ctx.error(command + QStringLiteral(": ") + error);
            return false;
        }
        korda::Session& s = korda::session();
        s.DANE_KOLEJKA_UNIWERS = std::move(entries);
        s.DANE_NAGLOWEK_WYDRUKU = a.title;
        return true;
    };
    c.check = [&a, c](CommandContext& ctx, const ReportOutput& out) {
        if (a.input.isEmpty()) {
            ctx.error(QStringLiteral("declarations-def: --input FILE (JSON or CSV) is required"));
            return false;
        }
        return graphicOnly(ctx, c, out);
    };
    c.run = [fillQueue](CommandContext& ctx, const ReportCommand& self, const ReportOutput& out) {
        if (!fillQueue(ctx, self.name))
            return int(kExitFailure);
        return produce(ctx, self, out, [] {
            return statements::printDeclarationDefinitions(statements::declarationDefinitionsRequest(korda::session()));
        });
    };
    c.procedureArguments = [&a, fillQueue](CommandContext& ctx, const ReportOutput&, const reports::ReportProcedure&, QVariantList* args) {
        args->clear();
        return a.input.isEmpty() || fillQueue(ctx, QStringLiteral("declarations-def"));
    };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(StatementDefArgs, statementDefCommand)
PRAVIK_REPORT_COMMAND(DeclarationsDefArgs, declarationsDefCommand)

} // namespace pravik::cli
