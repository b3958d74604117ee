#pragma once
// The one driver behind every report sub-command ("pravik journal", "pravik turnover" ...). It
// owns what all of them share: the output options (--pdf, --png, --text, --print, --printer,
// --copies, --mail/--attach, --xlsx where offered) and their rules, the year and period of the
// session, "--procedure NAME [-- ARG...]" for a host's direct call of an exported procedure, the
// help text and the exit codes (0 done, 1 refused or failed, 2 wrong usage). A report command is
// a table of its own options plus one call that runs its window:
//
//   ReportCommand c;
//   c.name = "journal"; c.noun = "journal"; c.synopsis = ...; c.description = ...;
//   c.options = {{"kind", "71|72|73", "the kind of journal", [&](OptionReader& in) { ... }}, ...};
//   c.run = [&](CommandContext& ctx, const ReportCommand& c, const ReportOutput& out) {
//       JournalWindowModel w(kind);
//       ...its own choices...
//       return runWindow(ctx, c, w, out);
//   };
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"
#include "TextPrinterChoice.h"

#include "framework/ReportRegistry.h"
#include "platform/PrintableText.h"
#include "siblings/korda/Session.h"

#include <QFileInfo>
#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>
#include <optional>

namespace pravik::cli {

// Where the report goes, as the options asked; paths are absolute.
struct ReportOutput {
    QString pdf;
    QString pngFolder;
    bool textPrinting = false;
    QString textFile;      // with --text FILE
    bool print = false;
    QString printer;
    std::optional<int> copies;
    QString xlsx;
    MailOptions mail;
    // --procedure NAME [-- ARG...]
    QString procedure;
    QStringList procedureArguments;
    bool procedureArgumentsGiven = false;

    bool toFiles() const { return !pdf.isEmpty() || !pngFolder.isEmpty() || !textFile.isEmpty(); }
};

// One option of a command: "--name VALUE" (value names the value in the help) or a flag.
struct ReportOption {
    QString name;  // without the dashes
    QString value; // "71|72|73"; empty for a flag
    QString help;  // one line
    std::function<bool(OptionReader&)> take; // reads the value and keeps it; false once said why
    QString helpName;    // the name the help shows, when not name ("[no-]bold")
    bool hidden = false; // not in the help (the "no-" half of a tick box)
};

struct ReportCommand {
    QString name;        // "journal"
    QString synopsis;    // one line for "pravik --help"
    QString noun;        // "journal", "statement": what the messages call the report
    QString usage;       // the command's own options in the usage line
    QString description; // what the command does, for its help
    QList<ReportOption> options;
    bool offersXlsx = false;
    int maxCopies = 99;
    // Outputs of the command's own besides the shared ones ("pravik statement --show, --csv
    // FILE"): how many the options chose, and how the usage line and the messages name them
    // (" | --show | --csv FILE").
    std::function<int()> ownOutputs;
    QString ownOutputsUsage;
    // What the help says of the session's year and period, when the command takes its period
    // another way; empty: the shared line.
    QString periodHelp;
    // Checks the command's own choices once all options are read; false once said why (exit 2).
    std::function<bool(CommandContext&, const ReportOutput&)> check;
    // Runs the report through its window; the session is open and the output chosen.
    std::function<int(CommandContext&, const ReportCommand&, const ReportOutput&)> run;
    // --procedure: the session set-up before a host's direct call and the arguments the host
    // would pass when none follow "--". Null: the command takes only arguments after "--".
    std::function<bool(CommandContext&, const ReportOutput&, const reports::ReportProcedure&, QVariantList*)>
        procedureArguments;
};

// Parses, checks and runs one report command; the exit code.
int runReportCommand(CommandContext& ctx, const ReportCommand& command, const QStringList& args);

// The output requests a host keeps in the session before it starts a print from its browse
// (the ledger, cash and cost-centre prints): print or preview, graphic or text, copies, mail.
void applyBrowseOutputRequests(const ReportOutput& out);

// The command's help: usage, description, its options, the output options, e-mail, the
// procedures it can call, exit codes.
QString reportCommandHelp(const ReportCommand& command);

// Registers a report command: make(args) builds the command over the parsed values in args.
template <class Args>
struct ReportCommandRegistrar {
    explicit ReportCommandRegistrar(ReportCommand (*make)(Args&))
    {
        Args forHelp;
        const ReportCommand shown = make(forHelp);
        commands().push_back(Command{shown.name, shown.synopsis, reportCommandHelp(shown),
                                     [make](CommandContext& ctx, const QStringList& args) {
                                         Args values;
                                         return runReportCommand(ctx, make(values), args);
                                     }});
    }
};

// ---- what every report window gets from the driver ----

// The session's year (--year) and period (--period) chosen in the window's lists; 0 or exit 1.
template <class Window>
int chooseYearAndPeriod(CommandContext& ctx, const ReportCommand& c, Window& w)
{
    if (ctx.year && !w.selectYearId(*ctx.year)) {
        ctx.error(QStringLiteral("%1: the company has no fiscal year %2").arg(c.name).arg(*ctx.year));
        return kExitFailure;
    }
    if (ctx.period.isEmpty())
        return kExitOk;
    const bool closing = ctx.period.trimmed().compare(QLatin1String("BZ"), Qt::CaseInsensitive) == 0;
    const DayNumber d = korda::session().DANE_DATA_OKRESU;
    const bool chosen = closing ? w.selectPeriodText(QStringLiteral("BZ"))
                                : w.selectPeriodDate(d) || w.selectPeriodDate(monthPeriod(yearOf(d), monthOf(d)));
    if (!chosen) {
        ctx.error(QStringLiteral("%1: the year has no period %2").arg(c.name, quotedInput(ctx.period)));
        return kExitFailure;
    }
    return kExitOk;
}

// The output kind, printer and copies in the window; a text run without --printer takes the
// default text printer (TextPrinterChoice.h). False when there is none.
template <class Window>
bool chooseOutput(CommandContext& ctx, const ReportCommand& c, Window& w, const ReportOutput& out)
{
    w.setOutputKind(out.textPrinting ? Window::kText : Window::kGraphic);
    if (!out.printer.isEmpty())
        w.setPrinterName(out.printer);
    if (out.copies)
        w.setCopies(*out.copies);
    if (out.textPrinting) {
        QString printer;
        if (!resolveTextPrinter(ctx, c.name, out.printer, &printer))
            return false;
        w.setPrinterName(printer);
    }
    return true;
}

// Presses the window's button the output asks for (files through the preview road, --print
// to the printer, --mail the e-mail button) and turns the outcome into the exit code.
template <class Window>
int runWindow(CommandContext& ctx, const ReportCommand& c, Window& w, const ReportOutput& out)
{
    using Button = typename Window::Command;
    Button command = out.toFiles() ? Button::Preview : Button::Print;
    if (out.mail.wanted())
        command = Button::SendEmail;
    if (!w.run(command))
        return kExitFailure;
    if (w.lastResponse() != 1) {
        ctx.error(QStringLiteral("%1: %2 did not complete").arg(c.name, w.lastProcedure()));
        return kExitFailure;
    }
    if constexpr (requires { w.lastFilter(); })
        ctx.note(doneNote(ctx, w.title(), w.lastProcedure(), w.lastFilter()));
    else
        ctx.note(doneNote(ctx, w.options().title.isEmpty() ? w.defaultTitle() : w.options().title, w.lastProcedure()));
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return kExitFailure;
    return kExitOk;
}

} // namespace pravik::cli

// PRAVIK_REPORT_COMMAND(JournalArgs, journalCommand): the command in the list of sub-commands.
#define PRAVIK_REPORT_COMMAND(Args, make) \
    static ::pravik::cli::ReportCommandRegistrar<Args> PRAVIK_COMMAND_CAT(pravikReportCommand_, __LINE__){&make};
