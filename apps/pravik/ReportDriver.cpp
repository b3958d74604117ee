#include "ReportDriver.h"

namespace pravik::cli {

namespace {

QString absolute(const QString& path)
{
    return path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

// The output options every report command reads; false once said why, *taken false for a word
// that is not one of them.
bool takeOutputOption(OptionReader& in, const ReportCommand& c, ReportOutput* out, bool* taken)
{
    const QString& name = in.name();
    *taken = true;
    qint64 n = 0;
    if (name == QLatin1String("--pdf"))
        return in.value(&out->pdf);
    if (name == QLatin1String("--png"))
        return in.value(&out->pngFolder);
    if (name == QLatin1String("--text")) {
        // "--text FILE" writes the text-printer bytes to FILE; a bare "--text" prints them.
        out->textPrinting = true;
        out->textFile = in.optionalValue();
        return true;
    }
    if (name == QLatin1String("--print")) {
        out->print = true;
        return true;
    }
    if (name == QLatin1String("--printer"))
        return in.value(&out->printer);
    if (name == QLatin1String("--copies")) {
        if (!in.number(1, c.maxCopies, &n))
            return false;
        out->copies = int(n);
        return true;
    }
    if (name == QLatin1String("--xlsx") && c.offersXlsx)
        return in.value(&out->xlsx);
    if (name == QLatin1String("--procedure")) {
        if (!in.value(&out->procedure))
            return false;
        out->procedure = out->procedure.trimmed().toUpper();
        return true;
    }
    *taken = false;
    return true;
}

bool parse(CommandContext& ctx, const ReportCommand& c, const QStringList& args, ReportOutput* out)
{
    QStringList rest = args;
    // The host's arguments of --procedure follow "--", as they are.
    if (const qsizetype dash = rest.indexOf(QStringLiteral("--")); dash >= 0) {
        out->procedureArguments = rest.mid(dash + 1);
        out->procedureArgumentsGiven = true;
        rest = rest.mid(0, dash);
    }
    if (!takeMailOptions(ctx, c.name, rest, out->mail))
        return false;
    OptionReader in(ctx, c.name, rest);
    while (in.next()) {
        bool taken = false;
        if (!takeOutputOption(in, c, out, &taken))
            return false;
        if (taken)
            continue;
        const ReportOption* own = nullptr;
        for (const ReportOption& o : c.options)
            if (in.name() == QStringLiteral("--") + o.name)
                own = &o;
        if (!own)
            return in.unknown();
        if (!own->take(in))
            return false;
    }
    if (out->procedureArgumentsGiven && out->procedure.isEmpty()) {
        ctx.error(QStringLiteral("%1: the arguments after \"--\" are for --procedure NAME").arg(c.name));
        return false;
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print)
        + int(out->textPrinting) + int(!out->xlsx.isEmpty()) + int(out->mail.wanted()) + (c.ownOutputs ? c.ownOutputs() : 0);
    if (targets == 0) {
        QString own = c.ownOutputsUsage;
        own.replace(QStringLiteral(" | "), QStringLiteral(", "));
        ctx.error(QStringLiteral("%1: the preview needs a screen; choose --pdf FILE, --png DIR, --text [FILE], --print%2%3 "
                                 "or --mail ADDRESS")
                      .arg(c.name, c.offersXlsx ? QStringLiteral(", --xlsx FILE") : QString(), own));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("%1: --mail sends the %2; it does not go with another output").arg(c.name, c.noun));
        return false;
    }
    if (!out->xlsx.isEmpty() && targets > 1) {
        ctx.error(QStringLiteral("%1: --xlsx writes the browse rows and goes alone").arg(c.name));
        return false;
    }
    if (out->textPrinting && (!out->pdf.isEmpty() || !out->pngFolder.isEmpty())) {
        ctx.error(QStringLiteral("%1: a text-printer %2 goes to --text FILE or to the printer, not to --pdf or --png")
                      .arg(c.name, c.noun));
        return false;
    }
    out->pdf = absolute(out->pdf);
    out->pngFolder = absolute(out->pngFolder);
    out->textFile = absolute(out->textFile);
    out->xlsx = absolute(out->xlsx);
    return true;
}

// The procedure --procedure names, if it is one of this command's.
const reports::ReportProcedure* commandProcedure(CommandContext& ctx, const ReportCommand& c, const QString& name)
{
    const reports::ReportProcedure* p = reports::findReportProcedure(name);
    if (!p || p->command != c.name || reports::opensWindow(*p)) {
        ctx.error(QStringLiteral("%1: unknown procedure %2").arg(c.name, name));
        return nullptr;
    }
    return p;
}

// The procedure called as a host calls it, past the window.
int callProcedure(CommandContext& ctx, const ReportCommand& c, const ReportOutput& out, const reports::ReportProcedure& p)
{
    QVariantList arguments;
    if (c.procedureArguments && !c.procedureArguments(ctx, out, p, &arguments))
        return kExitFailure;
    if (out.procedureArgumentsGiven) {
        arguments.clear();
        for (const QString& a : out.procedureArguments)
            arguments.append(a);
    }
    applyMailOptions(out.mail);
    korda::Session& s = korda::session();
    s.globalResponse = 0;
    QString error;
    if (!reports::call(p.name, arguments, &error)) {
        ctx.error(c.name + QStringLiteral(": ") + error);
        return kExitUsage;
    }
    if (s.globalResponse != 1) {
        ctx.error(QStringLiteral("%1: %2 did not complete").arg(c.name, p.name));
        return kExitFailure;
    }
    ctx.note(doneNote(ctx, s.DANE_NAGLOWEK_WYDRUKU, p.name));
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return kExitFailure;
    return kExitOk;
}

} // namespace

int runReportCommand(CommandContext& ctx, const ReportCommand& c, const QStringList& args)
{
    ReportOutput out;
    if (!parse(ctx, c, args, &out))
        return kExitUsage;
    const reports::ReportProcedure* procedure = nullptr;
    if (!out.procedure.isEmpty()) {
        procedure = commandProcedure(ctx, c, out.procedure);
        if (!procedure)
            return kExitUsage;
        if (!c.procedureArguments && !out.procedureArgumentsGiven) {
            ctx.error(QStringLiteral("%1: --procedure %2 takes the host's arguments after \"--\": %3")
                          .arg(c.name, procedure->name, reports::signature(*procedure)));
            return kExitUsage;
        }
    } else if (c.check && !c.check(ctx, out)) {
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;

    korda::OutputRequests& requests = korda::session().outputRequests;
    requests.pdfPath = out.pdf;
    requests.pngFolder = out.pngFolder;
    requests.textFile = out.textFile;
    requests.printerName = out.print && !out.textPrinting ? out.printer : QString();
    if (procedure)
        return callProcedure(ctx, c, out, *procedure);
    return c.run(ctx, c, out);
}

QString reportCommandHelp(const ReportCommand& c)
{
    QString text = QStringLiteral("Usage: pravik %1 %2\n").arg(c.name, c.usage);
    text += QStringLiteral("       %1(--pdf FILE | --png DIR | --text [FILE] | --print%2%3 | --mail ADDRESS [--attach KIND])\n")
                .arg(QString(c.name.size() + 8, QLatin1Char(' ')), c.offersXlsx ? QStringLiteral(" | --xlsx FILE") : QString(),
                     c.ownOutputsUsage);
    text += QStringLiteral("\n") + c.description;
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    text += c.periodHelp.isEmpty()
                ? QStringLiteral("The year and period are the session's (--year, --period, --date; \"BZ\" for the closing period).\n")
                : c.periodHelp;
    if (!c.options.isEmpty()) {
        text += QStringLiteral("\nOptions:\n");
        for (const ReportOption& o : c.options) {
            if (o.hidden)
                continue;
            const QString left = QStringLiteral("--") + (o.helpName.isEmpty() ? o.name : o.helpName)
                                 + (o.value.isEmpty() ? QString() : QLatin1Char(' ') + o.value);
            text += QStringLiteral("  ") + left.leftJustified(26) + QLatin1Char(' ') + o.help + QLatin1Char('\n');
        }
    }
    text += QStringLiteral(
                "\nOutput:\n"
                "  --pdf FILE, --png DIR (one PNG per page), --print (the printer --printer NAME names, else\n"
                "  the default printer; --copies N). --text prints for a text (matrix) printer: with FILE the\n"
                "  printer's bytes go to FILE, else to the text printer: --printer NAME, else\n"
                "  DANE_NAZWA_DRUKARKI (--set), else Name in [TextPrinter] of the settings file, else the\n"
                "  first printer of DRUKARKA whose control codes give a page (\"Ilość linii wydruku\").\n");
    if (c.offersXlsx)
        text += QStringLiteral("  --xlsx FILE: the rows as the on-screen list shows them, written as a spreadsheet.\n");
    text += QStringLiteral("  The preview needs a screen and is not offered here.\n\nE-mail:\n") + mailOptionsHelp();
    QStringList procedures;
    for (const reports::ReportProcedure& p : reports::reportProcedures())
        if (p.command == c.name && !reports::opensWindow(p))
            procedures << QStringLiteral("  ") + reports::signature(p) + QStringLiteral("\n      ") + p.help;
    if (!procedures.isEmpty())
        text += QStringLiteral("\n--procedure NAME [-- ARG...] calls an exported procedure as a host does, past the\n"
                               "window, with the host's arguments after \"--\" (BYTE 0..255, LONG, STRING):\n")
                + procedures.join(QLatin1Char('\n')) + QLatin1Char('\n');
    text += QStringLiteral("\nExit code 0 when the %1 was produced and delivered, 1 when it was refused or failed,\n"
                           "2 for wrong options or an option the window does not offer here.\n")
                .arg(c.noun);
    return text;
}

void applyBrowseOutputRequests(const ReportOutput& out)
{
    korda::Session& s = korda::session();
    s.outputRequests.printRequest = 1;
    s.outputRequests.emailRequest = 0;
    s.DANE_DRUKARKA_EKRAN = out.print ? 0 : 1;
    s.DANE_RODZAJ_WYDRUKU = out.textPrinting ? 2 : 0;
    if (out.copies)
        s.GGG_NUMCOPY = quint8(*out.copies);
    if (out.mail.wanted())
        applyMailOptions(out.mail);
}

} // namespace pravik::cli
