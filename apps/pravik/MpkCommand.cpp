// "pravik mpk": the cost-centre reports of the ledger browse without a screen, started through
// WYDRUK_KSIEGA as the browse starts them. Output, --procedure, help and exit codes are the
// report driver's.
#include "Command.h"
#include "ReportDriver.h"

#include "ledger/LedgerProcedures.h"
#include "siblings/korda/Session.h"

#include <QFile>
#include <optional>

namespace pravik::cli {

namespace {

struct MpkArgs {
    std::optional<int> kind;
    QString filter;
    bool filterGiven = false;
    std::optional<int> sort;
    bool descending = false;
    bool summary = false;
    bool onlySummary = false;
    QString description;
    QString title;
};

// The choices that belong together; false once said why (exit 2).
bool checkChoices(CommandContext& ctx, const MpkArgs& a, const ReportOutput& out)
{
    if (!a.kind) {
        ctx.error(QStringLiteral("mpk: --kind 1 or 2 is required"));
        return false;
    }
    if (!a.filterGiven) {
        ctx.error(QStringLiteral("mpk: --filter is required (the browse's filter; \"\" for every allocation of the company)"));
        return false;
    }
    if (a.summary && a.onlySummary) {
        ctx.error(QStringLiteral("mpk: choose --summary or --only-summary"));
        return false;
    }
    // The cost-centre reports have graphic layouts only.
    if (out.textPrinting) {
        ctx.error(QStringLiteral("mpk: the cost-centre reports have no text-printer version; choose --pdf, --png, --print or --mail"));
        return false;
    }
    return true;
}

// The browse's settings and the output requests, as the host keeps them in the session before it
// starts a print.
void applySettings(const MpkArgs& a, const ReportOutput& out)
{
    applyBrowseOutputRequests(out);
    korda::Session& s = korda::session();
    if (a.summary || a.onlySummary)
        s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    if (a.onlySummary)
        s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 1;
}

int print(CommandContext& ctx, const MpkArgs& a, const ReportOutput& out)
{
    applySettings(a, out);
    ledger::ControlList c;
    c.kind = *a.kind;
    c.sort = quint8(a.sort.value_or(0));
    c.ascending = !a.descending;
    c.description = a.description.left(200);
    const QString title = a.title.isEmpty() ? QStringLiteral("Zapisy MPK") : a.title;
    // A file left from an earlier run must not pass for this run's report.
    if (!out.pdf.isEmpty())
        QFile::remove(out.pdf);
    korda::Session& s = korda::session();
    WYDRUK_KSIEGA(a.filter, title, ledger::buildControlList(c));
    if (s.globalResponse != 1) {
        if (!out.pdf.isEmpty())
            QFile::remove(out.pdf);
        ctx.error(QStringLiteral("mpk: the report was not produced"));
        return kExitFailure;
    }
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return kExitFailure;
    return kExitOk;
}

// A host's call of PRN_1_MPK_SQL or PRN_2_MPK_SQL past the browse: the settings from the options,
// the procedure's own arguments after "--".
bool hostCall(const MpkArgs& a, const ReportOutput& out)
{
    applySettings(a, out);
    return true;
}

std::function<bool(OptionReader&)> flag(bool* target)
{
    return [=](OptionReader&) { return *target = true; };
}

ReportCommand mpkCommand(MpkArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("mpk");
    c.noun = QStringLiteral("report");
    c.synopsis = QStringLiteral("cost-centre reports (1, 2) to PDF, PNG, a printer or e-mail");
    c.usage = QStringLiteral("--kind 1|2 --filter TEXT [--sort N] [--descending]\n"
                             "                  [--summary | --only-summary] [--description TEXT] [--title TEXT]");
    c.description = QStringLiteral(
        "Prints the cost-centre allocations (MPK_VIEW) the browse's filter selects, as the ledger\n"
        "browse starts them (WYDRUK_KSIEGA):\n"
        "  1  the register of allocations, with summaries by period and by account (with names)\n"
        "  2  the allocations with their five indicators and tree path, summed per indicator value\n"
        "     and per tree path, in groups\n"
        "The report is always limited to the session's company; --filter \"\" prints all of its\n"
        "allocations, e.g. --filter \"MPK:id_lata_obrot=2 AND MPK:data_okresu=82244\" one period.\n"
        "--sort 1..6 orders the lines (1 register number, the default, 2 posting date, 3 document\n"
        "number, 4 document date, 5 account, 6 amount). --summary adds the summaries on a page of\n"
        "their own, --only-summary prints them alone. The period summary labels every period by\n"
        "its month: the opening balance (BO) shows as the first month, the closing (BZ) as the\n"
        "last. --description adds a description line under the title.\n");
    c.options = {
        {QStringLiteral("kind"), QStringLiteral("1|2"), QStringLiteral("1 the register, 2 the statement by indicator"),
         [&a](OptionReader& in) {
             int n = 0;
             return in.number(1, 2, &n) && (a.kind = n, true);
         }},
        {QStringLiteral("filter"), QStringLiteral("TEXT"), QStringLiteral("the browse's filter (\"\" for every allocation)"),
         [&a](OptionReader& in) { return in.value(&a.filter) && (a.filterGiven = true); }},
        {QStringLiteral("sort"), QStringLiteral("1..6"), QStringLiteral("the order of the lines"),
         [&a](OptionReader& in) {
             int n = 0;
             return in.number(1, 6, &n) && (a.sort = n, true);
         }},
        {QStringLiteral("descending"), {}, QStringLiteral("the order reversed"), flag(&a.descending)},
        {QStringLiteral("summary"), {}, QStringLiteral("add the summaries on a page of their own"), flag(&a.summary)},
        {QStringLiteral("only-summary"), {}, QStringLiteral("print the summaries alone"), flag(&a.onlySummary)},
        {QStringLiteral("description"), QStringLiteral("TEXT"), QStringLiteral("a description line under the title"),
         [&a](OptionReader& in) { return in.value(&a.description); }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the report's title (else \"Zapisy MPK\")"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
    };
    c.check = [&a](CommandContext& ctx, const ReportOutput& out) { return checkChoices(ctx, a, out); };
    c.run = [&a](CommandContext& ctx, const ReportCommand&, const ReportOutput& out) { return print(ctx, a, out); };
    c.procedureArguments = [&a](CommandContext&, const ReportOutput& out, const reports::ReportProcedure&,
                                QVariantList*) { return hostCall(a, out); };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(MpkArgs, mpkCommand)

} // namespace pravik::cli
