// "pravik ledger": the ledger prints of the ledger browse (account sheets, currency sheets,
// balances) run without a screen. The browse's filter and control list go to WYDRUK_KSIEGA exactly
// as the host passes them: --control gives the list as a host builds it, or the named options build
// the same list. The ledger settings the browse keeps in the session have options of their own.
// Output, --procedure, help and exit codes are the report driver's.
#include "Command.h"
#include "ReportDriver.h"

#include "ledger/LedgerProcedures.h"
#include "siblings/korda/Session.h"

#include <QFile>
#include <optional>

namespace pravik::cli {

namespace {

struct LedgerArgs {
    std::optional<int> kind;
    QString filter;
    bool filterGiven = false;
    QString control;
    std::optional<int> sort;
    bool descending = false;
    QString layout;
    std::optional<QString> description;
    QString title;
    QStringList marked;
    bool markedGiven = false;
    bool excludeMarked = false;
    bool summary = false;
    bool onlySummary = false;
    bool costCentres = false;
    bool budget = false;
    bool noShading = false;
    std::optional<int> approved;
    std::optional<int> mode;
    QString currency;
    QStringList accounts;
};

// The choices that belong together; false once said why (exit 2).
bool checkChoices(CommandContext& ctx, const LedgerArgs& a, const ReportOutput& out)
{
    if (!a.control.isEmpty()) {
        if (a.kind || a.sort || a.descending || !a.layout.isEmpty() || a.description || a.markedGiven || a.mode
            || !a.currency.isEmpty()) {
            ctx.error(QStringLiteral("ledger: --control is the whole list; leave out --kind, --sort, --descending, "
                                     "--layout, --description, --marked, --mode and --currency"));
            return false;
        }
    } else if (!a.kind) {
        ctx.error(QStringLiteral("ledger: --kind 61, 68, 63 or 64 is required (or the raw list with --control)"));
        return false;
    }
    if (!a.filterGiven) {
        ctx.error(QStringLiteral("ledger: --filter is required (the browse's filter; \"\" for every posting of the company)"));
        return false;
    }
    if (a.summary && a.onlySummary) {
        ctx.error(QStringLiteral("ledger: choose --summary or --only-summary"));
        return false;
    }
    // The ledger prints have graphic layouts only.
    if (out.textPrinting) {
        ctx.error(QStringLiteral("ledger: the ledger prints have no text-printer version; choose --pdf, --png, --print or --mail"));
        return false;
    }
    return true;
}

QString controlListOf(const LedgerArgs& a)
{
    if (!a.control.isEmpty())
        return a.control;
    ledger::ControlList c;
    c.kind = *a.kind;
    c.markedOnly = a.markedGiven;
    c.sort = quint8(a.sort.value_or(0));
    c.ascending = !a.descending;
    c.layoutFlag = a.layout == QLatin1String("account") ? 0 : 1;
    if (*a.kind == ledger::kAccountBalances) {
        c.description = a.currency.isEmpty() ? a.description.value_or(QString()) : a.currency;
        c.currencyFlag = QString::number(a.mode.value_or(0));
    } else {
        c.description = a.description.value_or(QString());
    }
    return ledger::buildControlList(c);
}

// The browse's settings and the output requests, as the host keeps them in the session before it
// starts a print.
void applySettings(const LedgerArgs& a, const ReportOutput& out)
{
    applyBrowseOutputRequests(out);
    korda::Session& s = korda::session();
    if (a.summary || a.onlySummary)
        s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    if (a.onlySummary)
        s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 1;
    if (a.costCentres)
        s.DANE_DRUKUJ_ZAPISY_MPK = 1;
    if (a.budget)
        s.DANE_CZY_WERSJA_BUDZET = 1;
    if (a.noShading)
        s.DANE_WYLACZ_SZAROSC = 1;
    if (a.approved)
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = *a.approved;
    if (!a.currency.isEmpty())
        s.GGG_PRN_AKTYWNA_WALUTA = a.currency.left(3).toUpper();
    s.DANE_ZAZNACZ_REK.clear();
    for (const QString& key : a.marked)
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{key});
    s.DANE_CZY_ZAZNACZONE = a.excludeMarked ? 1 : 0;
    for (const QString& account : a.accounts)
        s.DANE_KOLEJKA_VAX.add(account);
}

// WYDRUK_KSIEGA's arguments: the filter, the title (the kind's own when none is given) and the list.
QVariantList browseArguments(const LedgerArgs& a)
{
    const QString control = controlListOf(a);
    const int kind = ledger::readControlList(control).list.kind;
    QString title = a.title;
    if (title.isEmpty())
        title = kind == ledger::kAccountBalances ? QStringLiteral("Salda kont")
            : kind == ledger::kCurrencySheets    ? QStringLiteral("Kartoteka konta walutowego")
                                                 : QStringLiteral("Kartoteka konta");
    return {a.filter, title, control};
}

int print(CommandContext& ctx, const LedgerArgs& a, const ReportOutput& out)
{
    applySettings(a, out);
    const QVariantList arguments = browseArguments(a);
    // A file left from an earlier run must not pass for this run's print.
    if (!out.pdf.isEmpty())
        QFile::remove(out.pdf);
    korda::Session& s = korda::session();
    WYDRUK_KSIEGA(arguments.at(0).toString(), arguments.at(1).toString(), arguments.at(2).toString());
    if (s.globalResponse != 1) {
        if (!out.pdf.isEmpty())
            QFile::remove(out.pdf);
        ctx.error(QStringLiteral("ledger: the print was not produced"));
        return kExitFailure;
    }
    if (!out.pdf.isEmpty() && !QFileInfo::exists(out.pdf))
        return kExitFailure;
    return kExitOk;
}

// A host's call past the browse: the settings as options; WYDRUK_KSIEGA takes the browse's
// arguments from the options too, the print procedures take theirs after "--". Arguments left
// empty are refused by the call as wrong usage, with the procedure's signature.
bool hostCall(CommandContext& ctx, const LedgerArgs& a, const ReportOutput& out, const reports::ReportProcedure& p,
              QVariantList* arguments)
{
    applySettings(a, out);
    if (!out.procedureArgumentsGiven && p.name == QLatin1String("WYDRUK_KSIEGA") && checkChoices(ctx, a, out))
        *arguments = browseArguments(a);
    return true;
}

// "--name N" into an optional number.
std::function<bool(OptionReader&)> number(int low, int high, std::optional<int>* target)
{
    return [=](OptionReader& in) {
        int n = 0;
        return in.number(low, high, &n) && (*target = n, true);
    };
}

// "--name A,B,C" appended to a list; with keys each must be a number.
bool commaList(OptionReader& in, QStringList* list, bool keys)
{
    QString v;
    if (!in.value(&v))
        return false;
    for (const QString& item : v.split(u',', Qt::SkipEmptyParts)) {
        bool number = false;
        item.trimmed().toLongLong(&number);
        if (keys && !number)
            return in.fail(QStringLiteral("--marked takes posting keys (numbers) separated by commas, not \"%1\"").arg(item));
        *list << item.trimmed();
    }
    return true;
}

std::function<bool(OptionReader&)> flag(bool* target)
{
    return [=](OptionReader&) { return *target = true; };
}

ReportCommand ledgerCommand(LedgerArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("ledger");
    c.noun = QStringLiteral("print");
    c.synopsis = QStringLiteral("print from the ledger browse: account sheets (61, 68), currency sheets (64), balances (63)");
    c.usage = QStringLiteral("(--kind 61|68|63|64 | --control LIST) --filter TEXT [--sort N] [--descending]\n"
                             "                     [--layout period|account] [--description TEXT] [--title TEXT]\n"
                             "                     [--marked KEY,... [--exclude-marked]] [--summary | --only-summary]\n"
                             "                     [--mpk] [--budget] [--no-shading] [--approved-figures N]\n"
                             "                     [--mode N] [--currency CODE] [--accounts LIST] [--printer NAME] [--copies N]");
    c.description = QStringLiteral(
        "Starts a print of the ledger browse as the host does (WYDRUK_KSIEGA):\n"
        "  61  account sheets of the postings the filter selects\n"
        "  68  the account sheet of one period, with \"Bilans otwarcia\" and \"Z przeniesienia\";\n"
        "      the filter must name exactly one period (PDD:data_okresu=DAY)\n"
        "  64  currency account sheets: amounts in the document currency and the totals per\n"
        "      currency (\"W tym:\", \"Persaldo EUR\"); --currency sets the active print currency\n"
        "  63  account balances from the turnover table (the filter is over OBROTY_I_SALDA);\n"
        "      --mode 0 in the base currency, --mode 1 --currency EUR in euro with the partial\n"
        "      items of the EUR cash documents (first fiscal year only); in mode 1 only the\n"
        "      accounts of the host's list print: --accounts 102,130 (an account prints when\n"
        "      it or its synthetic account is listed)\n"
        "  1, 2 (cost-centre reports) and 66, 67, 81 (cash reports) run through --control as\n"
        "      the browse starts them; \"pravik mpk\" and \"pravik cash\" are their own commands.\n"
        "--filter is the browse's filter, e.g. \"PDD:konto='100' AND PDD:data_okresu=82244\".\n"
        "--sort: 1 register number, 2 posting date, 3 period or account, 4 document number,\n"
        "5 document date, 6 operation date, 7/8 debit/credit, 9/10 currency debit/credit,\n"
        "11 description, 12 approval date, 13 account name. --marked: a debit side is its posting\n"
        "id, a credit side 1 followed by the id. --control: \"68|0|2|1|1|Konto: 100|0\" is kind,\n"
        "marked, sort, ascending, layout, description, currency flag. The ledger prints are\n"
        "graphic: --text is not offered.\n");
    c.options = {
        {QStringLiteral("kind"), QStringLiteral("61|68|63|64"), QStringLiteral("the print (1, 2, 66, 67, 81 only through --control)"),
         number(1, 255, &a.kind)},
        {QStringLiteral("filter"), QStringLiteral("TEXT"), QStringLiteral("the browse's filter (\"\" for every posting)"),
         [&a](OptionReader& in) { return in.value(&a.filter) && (a.filterGiven = true); }},
        {QStringLiteral("control"), QStringLiteral("LIST"), QStringLiteral("the raw control list, as a host builds it, instead of the named options"),
         [&a](OptionReader& in) { return in.value(&a.control); }},
        {QStringLiteral("sort"), QStringLiteral("1..13"), QStringLiteral("the order of the postings"), number(1, 13, &a.sort)},
        {QStringLiteral("descending"), {}, QStringLiteral("the order reversed"), flag(&a.descending)},
        {QStringLiteral("layout"), QStringLiteral("period|account"), QStringLiteral("group by period (default) or by account"),
         [&a](OptionReader& in) {
             if (!in.value(&a.layout))
                 return false;
             return a.layout == QLatin1String("period") || a.layout == QLatin1String("account")
                    || in.fail(QStringLiteral("--layout is period or account"));
         }},
        {QStringLiteral("description"), QStringLiteral("TEXT"), QStringLiteral("the browse's text (\"Konto: 100\")"),
         [&a](OptionReader& in) {
             QString v;
             return in.value(&v) && (a.description = v, true);
         }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the print's title (else the kind's own)"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
        {QStringLiteral("marked"), QStringLiteral("KEY,..."), QStringLiteral("the marked posting sides (keys): only those print"),
         [&a](OptionReader& in) { return (a.markedGiven = true) && commaList(in, &a.marked, true); }},
        {QStringLiteral("exclude-marked"), {}, QStringLiteral("all but the marked sides print"), flag(&a.excludeMarked)},
        {QStringLiteral("summary"), {}, QStringLiteral("add the summary table (by period, or by account with its parents)"), flag(&a.summary)},
        {QStringLiteral("only-summary"), {}, QStringLiteral("print the summary alone"), flag(&a.onlySummary)},
        {QStringLiteral("mpk"), {}, QStringLiteral("the cost-centre lines under each posting"), flag(&a.costCentres)},
        {QStringLiteral("budget"), {}, QStringLiteral("read the budget views"), flag(&a.budget)},
        {QStringLiteral("no-shading"), {}, QStringLiteral("print no grey"), flag(&a.noShading)},
        {QStringLiteral("approved-figures"), QStringLiteral("0..2"), QStringLiteral("approved-figures setting; below 1 the print is operational"),
         number(0, 2, &a.approved)},
        {QStringLiteral("mode"), QStringLiteral("N"), QStringLiteral("balances (63): 0 base currency, 1 currency cash"),
         number(0, 255, &a.mode)},
        {QStringLiteral("currency"), QStringLiteral("CODE"), QStringLiteral("the active print currency"),
         [&a](OptionReader& in) { return in.value(&a.currency); }},
        {QStringLiteral("accounts"), QStringLiteral("LIST"), QStringLiteral("balances in mode 1: the accounts that print"),
         [&a](OptionReader& in) { return commaList(in, &a.accounts, false); }},
    };
    c.check = [&a](CommandContext& ctx, const ReportOutput& out) { return checkChoices(ctx, a, out); };
    c.run = [&a](CommandContext& ctx, const ReportCommand&, const ReportOutput& out) { return print(ctx, a, out); };
    c.procedureArguments = [&a](CommandContext& ctx, const ReportOutput& out, const reports::ReportProcedure& p,
                                QVariantList* arguments) { return hostCall(ctx, a, out, p, arguments); };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(LedgerArgs, ledgerCommand)

} // namespace pravik::cli
