// "pravik cash": the cash report of a cash account without a screen. The command plays the host
// application's ledger browse: it builds the browse's filter for the account, computes the
// account's opening debit and credit and hands them over in the marked-records queue, as the
// host does, and starts the report through WYDRUK_KSIEGA. Output, --procedure, help and exit
// codes are the report driver's.
#include "Command.h"
#include "ReportDriver.h"

#include "ledger/CashReportSource.h"
#include "ledger/LedgerProcedures.h"
#include "ledger/PostingFilter.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"

#include <QFile>
#include <optional>

namespace pravik::cli {

namespace {

struct CashArgs {
    std::optional<int> kind;
    QString account;
    QString filter;
    bool filterGiven = false;
    std::optional<int> sort;
    bool descending = false;
    bool documentCurrency = false;
    bool summary = false;
    QString title;
};

// The choices that belong together; false once said why (exit 2).
bool checkChoices(CommandContext& ctx, const CashArgs& a, const ReportOutput& out)
{
    if (!a.kind) {
        ctx.error(QStringLiteral("cash: --kind 66, 67 or 81 is required"));
        return false;
    }
    if (a.account.trimmed().isEmpty()) {
        ctx.error(QStringLiteral("cash: --account is required (the cash account, e.g. 100)"));
        return false;
    }
    if (a.filterGiven == !ctx.period.isEmpty()) {
        ctx.error(QStringLiteral("cash: give either --period P or --filter TEXT"));
        return false;
    }
    if (out.textPrinting && out.textFile.isEmpty() && out.printer.trimmed().isEmpty()) {
        ctx.error(QStringLiteral("cash: name the text printer with --printer NAME or write the text with --text FILE"));
        return false;
    }
    const QString problem = ledger::filterProblem(a.filter);
    if (!problem.isEmpty()) {
        ctx.error(QStringLiteral("cash: ") + problem);
        return false;
    }
    return true;
}

// The browse's filter of the account and the first period it prints; false once said why (exit 1).
bool accountFilter(CommandContext& ctx, const CashArgs& a, QString* filter, DayNumber* firstPeriod)
{
    const korda::Session& s = korda::session();
    const QString accountCondition = QStringLiteral("konto=") + sql::sqlText(a.account.trimmed());
    if (!a.filterGiven) {
        const DayNumber chosen = s.DANE_DATA_OKRESU;
        *firstPeriod = periodKind(chosen) == PeriodKind::Month ? monthPeriod(yearOf(chosen), monthOf(chosen)) : chosen;
        *filter = accountCondition + QStringLiteral(" AND data_okresu=") + sql::sqlNumber(*firstPeriod);
        return true;
    }
    *filter = accountCondition + (a.filter.trimmed().isEmpty() ? QString() : QStringLiteral(" AND (") + a.filter.trimmed() + u')');
    // The first printed period is the earliest the filter selects.
    const QString first = utilka::FUNCVAY(QStringLiteral("select min(data_okresu) from POZ_DOK_VIEW_UNION where ")
                                          + ledger::postingWhere(s.DANE_ID_FIRMY, *filter, QStringLiteral("POZ_DOK_VIEW_UNION")));
    if (utilka::errorCode() != 0 && utilka::errorCode() != 33) {
        ctx.error(QStringLiteral("cash: the filter does not run: ") + utilka::errorText());
        return false;
    }
    *firstPeriod = DayNumber(first.trimmed().toLongLong());
    return true;
}

// The output requests and the report's settings, as the host keeps them in the session before it
// starts a report.
void applySettings(const CashArgs& a, const ReportOutput& out)
{
    applyBrowseOutputRequests(out);
    korda::Session& s = korda::session();
    // The text form reads its page (lines, margins, paper, code page) from the printer's codes.
    if (!out.printer.trimmed().isEmpty())
        s.DANE_NAZWA_DRUKARKI = out.printer.trimmed();
    // The budget-unit report shows what the installation keeps: budget classifications and
    // cost-centre allocations, as an installation with both versions does.
    if (a.kind == ledger::kCashRegister) {
        s.DANE_CZY_WERSJA_MPK = 1;
        s.DANE_CZY_WERSJA_BUDZET = 1;
        s.DANE_DRUKUJ_ZAPISY_MPK = 1;
        s.DANE_PRN_BT_DRUKUJ = 1;
    }
    if (a.summary)
        s.DANE_DRUKUJ_PODSUMOWANIE = 1;
}

int print(CommandContext& ctx, const CashArgs& a, const ReportOutput& out)
{
    korda::Session& s = korda::session();
    QString filter;
    DayNumber firstPeriod = 0;
    if (!accountFilter(ctx, a, &filter, &firstPeriod))
        return kExitFailure;
    // The opening figures: the account's postings of the fiscal year before the first printed
    // period (the opening balance included). With nothing selected there is nothing before.
    ledger::Amounts opening;
    if (firstPeriod > 0) {
        const auto before = ledger::cashOpeningFigures(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, a.account.trimmed(), firstPeriod);
        if (!before) {
            ctx.error(QStringLiteral("cash: the opening figures could not be read: ") + utilka::errorText());
            return kExitFailure;
        }
        opening = *before;
    }

    applySettings(a, out);
    s.DANE_ZAZNACZ_REK.clear();
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.debit.toString()});
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.credit.toString()});

    ledger::ControlList c;
    c.kind = *a.kind;
    c.sort = quint8(a.sort.value_or(1));
    c.ascending = !a.descending;
    c.layoutFlag = a.documentCurrency ? 1 : 0;
    c.description = QStringLiteral("Konto: ") + a.account.trimmed();
    const QString title = a.title.isEmpty() ? QStringLiteral("Raport kasowy") : a.title;
    // A file left from an earlier run must not pass for this run's report.
    if (!out.pdf.isEmpty())
        QFile::remove(out.pdf);
    WYDRUK_KSIEGA(filter, title, ledger::buildControlList(c));
    if (s.globalResponse != 1) {
        if (!out.pdf.isEmpty())
            QFile::remove(out.pdf);
        ctx.error(QStringLiteral("cash: the report was not produced"));
        return kExitFailure;
    }
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return kExitFailure;
    return kExitOk;
}

std::function<bool(OptionReader&)> flag(bool* target)
{
    return [=](OptionReader&) { return *target = true; };
}

ReportCommand cashCommand(CashArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("cash");
    c.noun = QStringLiteral("report");
    c.synopsis = QStringLiteral("cash report of a cash account (66, 67, 81) to PDF, PNG, a printer or e-mail");
    c.usage = QStringLiteral("--kind 66|67|81 --account ACCOUNT (--period P | --filter TEXT)\n"
                             "                   [--sort N] [--descending] [--document-currency] [--summary] [--title TEXT]\n"
                             "                   [--printer NAME] [--copies N]");
    c.description = QStringLiteral(
        "Prints the cash report of the account's entries as the ledger browse starts it\n"
        "(WYDRUK_KSIEGA, kind 66 with the attachments line, 67 without; 81 the budget-unit cash\n"
        "report with each entry's budget classification and cost-centre allocations under it,\n"
        "its totals ending with \"Persaldo\"). The command does what\n"
        "the host application does before the report: it computes the opening figures (the\n"
        "account's debit and credit of the fiscal year before the first printed period, the\n"
        "opening balance included) and hands them over as the first two entries of the\n"
        "marked-records queue. \"Stan poprzedni\" is their difference, \"Stan obecny\" the state\n"
        "after the last entry.\n"
        "--period P prints one period (M-YYYY, YYYY-MM, BO, BZ); --filter TEXT is a browse filter\n"
        "added to the account's condition (\"PDD:data_okresu>=82244 AND PDD:data_okresu<=82305\"),\n"
        "the first period it selects is where the opening figures stop.\n"
        "--sort 1..11 orders the entries (1 register number, the default, 2 posting date,\n"
        "3 document number, 4 document date, 5 operation date, 6/7 debit/credit, 8/9 currency\n"
        "debit/credit, 10 description, 11 journal number). --document-currency prints the\n"
        "amounts in the documents' currency. --summary adds the contra-account summary.\n"
        "--text FILE writes the report for a text printer (--text alone prints it on the text\n"
        "printer --printer NAME); its page, margins, paper and code page are those of the printer\n"
        "named with --printer (\"Epson LQ-590\" in the demo), on cut sheets with the carry-over\n"
        "lines at every page end.\n");
    c.options = {
        {QStringLiteral("kind"), QStringLiteral("66|67|81"),
         QStringLiteral("66 with the attachments line, 67 without, 81 for budget units"),
         [&a](OptionReader& in) {
             int n = 0;
             if (!in.number(1, 255, &n))
                 return false;
             if (n != ledger::kCashReport && n != ledger::kCashReportCurrency && n != ledger::kCashRegister)
                 return in.fail(QStringLiteral("--kind is 66, 67 or 81"));
             a.kind = n;
             return true;
         }},
        {QStringLiteral("account"), QStringLiteral("ACCOUNT"), QStringLiteral("the cash account, e.g. 100"),
         [&a](OptionReader& in) { return in.value(&a.account); }},
        {QStringLiteral("filter"), QStringLiteral("TEXT"), QStringLiteral("a browse filter added to the account's condition"),
         [&a](OptionReader& in) { return in.value(&a.filter) && (a.filterGiven = true); }},
        {QStringLiteral("sort"), QStringLiteral("1..11"), QStringLiteral("the order of the entries"),
         [&a](OptionReader& in) {
             int n = 0;
             return in.number(1, 11, &n) && (a.sort = n, true);
         }},
        {QStringLiteral("descending"), {}, QStringLiteral("the order reversed"), flag(&a.descending)},
        {QStringLiteral("document-currency"), {}, QStringLiteral("amounts in the documents' currency"), flag(&a.documentCurrency)},
        {QStringLiteral("summary"), {}, QStringLiteral("add the contra-account summary"), flag(&a.summary)},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the report's title (else \"Raport kasowy\")"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
    };
    c.check = [&a](CommandContext& ctx, const ReportOutput& out) { return checkChoices(ctx, a, out); };
    c.run = [&a](CommandContext& ctx, const ReportCommand&, const ReportOutput& out) { return print(ctx, a, out); };
    // A host's call of RAPORT_Z_KONTA_DANE, PRN_RAPORT_KASOWY_SQL or PRN_81_RK_SQL past the browse: the settings
    // from the options, the procedure's own arguments after "--" (the opening figures are then the
    // host's to hand over, as it does).
    c.procedureArguments = [&a](CommandContext&, const ReportOutput& out, const reports::ReportProcedure&,
                                QVariantList*) { return applySettings(a, out), true; };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(CashArgs, cashCommand)

} // namespace pravik::cli
