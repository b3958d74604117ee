// "pravik statement-def" and "pravik declarations-def": the definition printouts, run without a
// screen into a PDF, PNG pages, a printer or an e-mail, as the statement and journal commands do.
// The declarations come from a file (JSON or CSV) instead of a host's queue.
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"

#include "siblings/korda/Session.h"
#include "statements/definitions/DefinitionReports.h"

#include <QFileInfo>

namespace pravik::cli {

namespace {

struct Outputs {
    QString pdf;
    QString pngFolder;
    bool print = false;
    QString printer;
    MailOptions mail;
};

// Takes the output options; false when the word is not one of them (ok tells a bad value).
bool outputOption(OptionReader& in, Outputs& out, bool* ok)
{
    const QString& name = in.name();
    *ok = true;
    if (name == QLatin1String("--pdf"))
        *ok = in.value(&out.pdf);
    else if (name == QLatin1String("--png"))
        *ok = in.value(&out.pngFolder);
    else if (name == QLatin1String("--print"))
        out.print = true;
    else if (name == QLatin1String("--printer"))
        *ok = in.value(&out.printer);
    else
        return false;
    return true;
}

bool checkOutputs(CommandContext& ctx, const QString& command, const Outputs& o)
{
    const int targets = int(!o.pdf.isEmpty()) + int(!o.pngFolder.isEmpty()) + int(o.print) + int(o.mail.wanted());
    if (targets == 0) {
        ctx.error(command + QStringLiteral(": the preview needs a screen; choose --pdf FILE, --png DIR, --print or --mail ADDRESS"));
        return false;
    }
    if (o.mail.wanted() && targets > 1) {
        ctx.error(command + QStringLiteral(": --mail sends the printout; it does not go with another output"));
        return false;
    }
    return true;
}

// Sets the session's outputs and runs the printout; exit 0 only when it was produced whole.
int produce(CommandContext& ctx, const QString& command, const Outputs& o, const std::function<int()>& print)
{
    korda::Session& s = korda::session();
    korda::OutputRequests& out = s.outputRequests;
    out.pdfPath = o.pdf.isEmpty() ? QString() : QFileInfo(o.pdf).absoluteFilePath();
    out.pngFolder = o.pngFolder.isEmpty() ? QString() : QFileInfo(o.pngFolder).absoluteFilePath();
    out.printerName = o.print ? o.printer : QString();
    out.printRequest = 1;
    out.emailRequest = 0;
    s.DANE_RODZAJ_WYDRUKU = 0;
    s.DANE_DRUKARKA_EKRAN = o.print ? 0 : 1;
    applyMailOptions(o.mail);
    const int response = print();
    if (response != 1 || s.globalResponse != 1) {
        ctx.error(command + QStringLiteral(": the printout was not produced"));
        return kExitFailure;
    }
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath)) {
        ctx.error(command + QStringLiteral(": %1 was not written").arg(out.pdfPath));
        return kExitFailure;
    }
    return kExitOk;
}

int runStatementDef(CommandContext& ctx, const QStringList& args)
{
    const QString command = QStringLiteral("statement-def");
    Outputs o;
    QStringList rest = args;
    if (!takeMailOptions(ctx, command, rest, o.mail))
        return kExitUsage;
    std::optional<qint64> id;
    QString title;
    OptionReader in(ctx, command, rest);
    while (in.next()) {
        bool ok = true;
        qint64 n = 0;
        if (outputOption(in, o, &ok)) {
            if (!ok)
                return kExitUsage;
        } else if (in.name() == QLatin1String("--id")) {
            if (!in.number(1, std::numeric_limits<qint32>::max(), &n))
                return kExitUsage;
            id = n;
        } else if (in.name() == QLatin1String("--title")) {
            if (!in.value(&title))
                return kExitUsage;
        } else {
            in.unknown();
            return kExitUsage;
        }
    }
    if (!id) {
        ctx.error(command + QStringLiteral(": --id N is required (pravik statement --list shows the statements)"));
        return kExitUsage;
    }
    if (!checkOutputs(ctx, command, o))
        return kExitUsage;
    if (!ctx.openSession())
        return kExitFailure;
    return produce(ctx, command, o, [&] { return statements::printStatementDefinition({*id, title}); });
}

int runDeclarationsDef(CommandContext& ctx, const QStringList& args)
{
    const QString command = QStringLiteral("declarations-def");
    Outputs o;
    QStringList rest = args;
    if (!takeMailOptions(ctx, command, rest, o.mail))
        return kExitUsage;
    QString input, title;
    OptionReader in(ctx, command, rest);
    while (in.next()) {
        bool ok = true;
        if (outputOption(in, o, &ok)) {
            if (!ok)
                return kExitUsage;
        } else if (in.name() == QLatin1String("--input")) {
            if (!in.value(&input))
                return kExitUsage;
        } else if (in.name() == QLatin1String("--title")) {
            if (!in.value(&title))
                return kExitUsage;
        } else {
            in.unknown();
            return kExitUsage;
        }
    }
    if (input.isEmpty()) {
        ctx.error(command + QStringLiteral(": --input FILE (JSON or CSV) is required"));
        return kExitUsage;
    }
    if (!checkOutputs(ctx, command, o))
        return kExitUsage;
    QString error;
    QList<korda::DeclarationEntry> entries = statements::loadDeclarations(input, &error);
    if (!error.isEmpty()) {
        ctx.error(command + QStringLiteral(": ") + error);
        return kExitFailure;
    }
    if (!ctx.openSession())
        return kExitFailure;
    korda::Session& s = korda::session();
    s.DANE_KOLEJKA_UNIWERS = std::move(entries);
    s.DANE_NAGLOWEK_WYDRUKU = title;
    return produce(ctx, command, o, [] { return statements::printDeclarationDefinitions(); });
}

const QString kOutputHelp = QStringLiteral(
    "Output: --pdf FILE, --png DIR (one PNG per page), --print (the printer --printer names, else\n"
    "the default printer), or e-mail:\n");

} // namespace

PRAVIK_COMMAND(QStringLiteral("statement-def"), QStringLiteral("print the definition of a user-defined statement (rows and formulas)"),
               QStringLiteral("Usage: pravik statement-def --id N [--title TEXT]\n"
                              "                            (--pdf FILE | --png DIR | --print | --mail ADDRESS [--attach KIND])\n"
                              "\n"
                              "Prints every row of statement N of the company with its formula, one per column when the\n"
                              "columns have definitions of their own; long formulas continue on the next lines.\n")
                   + kOutputHelp + mailOptionsHelp()
                   + QStringLiteral("Exit code 0 when the printout was produced, 1 when it failed, 2 for wrong options."),
               &runStatementDef)

PRAVIK_COMMAND(QStringLiteral("declarations-def"), QStringLiteral("print declaration definitions from a JSON or CSV file"),
               QStringLiteral("Usage: pravik declarations-def --input FILE [--title TEXT]\n"
                              "                               (--pdf FILE | --png DIR | --print | --mail ADDRESS [--attach KIND])\n"
                              "\n"
                              "FILE holds the entries a host puts into its declaration queue, in order: JSON, an array of\n"
                              "objects, or CSV with a header line (\";\" or \",\" separated). Keys: nazwa1 (heading),\n"
                              "nazwa2 (description), nazwa3 (function or value), data2 (date), rodzaj (-1 declaration\n"
                              "item, -2 share line, other: heading at that level), udzial (share, per cent) and\n"
                              "data_udzialu (its date). Dates dd-mm-yyyy or yyyy-mm-dd.\n"
                              "  [{\"rodzaj\": 1, \"nazwa1\": \"VAT-7\"},\n"
                              "   {\"rodzaj\": -1, \"data2\": \"01-01-2026\", \"nazwa2\": \"Podatek należny\", \"nazwa3\": \"K(20)+K(22)\"}]\n")
                   + kOutputHelp + mailOptionsHelp()
                   + QStringLiteral("Exit code 0 when the printout was produced, 1 when it failed, 2 for wrong options."),
               &runDeclarationsDef)

} // namespace pravik::cli
