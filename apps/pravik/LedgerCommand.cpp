// "pravik ledger": the ledger prints of the ledger browse (account sheets and the prints to come)
// run without a screen. The browse's filter and control list go to WYDRUK_KSIEGA exactly as the
// host passes them: --control gives the list as a host builds it, or the named options build
// the same list. The ledger settings the browse keeps in the session have options of their own.
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"

#include "ledger/LedgerProcedures.h"
#include "siblings/korda/Session.h"

#include <QFile>
#include <QFileInfo>
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
    QString pdf;
    QString pngFolder;
    bool print = false;
    QString printer;
    MailOptions mail;
};

bool parseArgs(CommandContext& ctx, const QStringList& args, LedgerArgs* out)
{
    OptionReader in(ctx, QStringLiteral("ledger"), args);
    while (in.next()) {
        const QString& name = in.name();
        qint64 n = 0;
        if (name == QLatin1String("--kind")) {
            if (!in.number(1, 255, &n))
                return false;
            out->kind = int(n);
        } else if (name == QLatin1String("--filter")) {
            if (!in.value(&out->filter))
                return false;
            out->filterGiven = true;
        } else if (name == QLatin1String("--control")) {
            if (!in.value(&out->control))
                return false;
        } else if (name == QLatin1String("--sort")) {
            if (!in.number(1, 13, &n))
                return false;
            out->sort = int(n);
        } else if (name == QLatin1String("--descending")) {
            out->descending = true;
        } else if (name == QLatin1String("--layout")) {
            if (!in.value(&out->layout))
                return false;
            if (out->layout != QLatin1String("period") && out->layout != QLatin1String("account")) {
                ctx.error(QStringLiteral("ledger: --layout is period or account"));
                return false;
            }
        } else if (name == QLatin1String("--description")) {
            QString v;
            if (!in.value(&v))
                return false;
            out->description = v;
        } else if (name == QLatin1String("--title")) {
            if (!in.value(&out->title))
                return false;
        } else if (name == QLatin1String("--marked")) {
            QString v;
            if (!in.value(&v))
                return false;
            out->markedGiven = true;
            for (const QString& key : v.split(u',', Qt::SkipEmptyParts)) {
                bool ok = false;
                key.trimmed().toLongLong(&ok);
                if (!ok) {
                    ctx.error(QStringLiteral("ledger: --marked takes posting keys (numbers) separated by commas, not \"%1\"").arg(key));
                    return false;
                }
                out->marked << key.trimmed();
            }
        } else if (name == QLatin1String("--exclude-marked")) {
            out->excludeMarked = true;
        } else if (name == QLatin1String("--summary")) {
            out->summary = true;
        } else if (name == QLatin1String("--only-summary")) {
            out->onlySummary = true;
        } else if (name == QLatin1String("--mpk")) {
            out->costCentres = true;
        } else if (name == QLatin1String("--budget")) {
            out->budget = true;
        } else if (name == QLatin1String("--no-shading")) {
            out->noShading = true;
        } else if (name == QLatin1String("--approved-figures")) {
            if (!in.number(0, 2, &n))
                return false;
            out->approved = int(n);
        } else if (name == QLatin1String("--mode")) {
            if (!in.number(0, 255, &n))
                return false;
            out->mode = int(n);
        } else if (name == QLatin1String("--accounts")) {
            QString v;
            if (!in.value(&v))
                return false;
            for (const QString& account : v.split(u',', Qt::SkipEmptyParts))
                out->accounts << account.trimmed();
        } else if (name == QLatin1String("--currency")) {
            if (!in.value(&out->currency))
                return false;
        } else if (name == QLatin1String("--pdf")) {
            if (!in.value(&out->pdf))
                return false;
        } else if (name == QLatin1String("--png")) {
            if (!in.value(&out->pngFolder))
                return false;
        } else if (name == QLatin1String("--print")) {
            out->print = true;
        } else if (name == QLatin1String("--printer")) {
            if (!in.value(&out->printer))
                return false;
        } else {
            return in.unknown();
        }
    }
    if (!out->control.isEmpty()) {
        if (out->kind || out->sort || out->descending || !out->layout.isEmpty() || out->description || out->markedGiven
            || out->mode || !out->currency.isEmpty()) {
            ctx.error(QStringLiteral("ledger: --control is the whole list; leave out --kind, --sort, --descending, "
                                     "--layout, --description, --marked, --mode and --currency"));
            return false;
        }
    } else if (!out->kind) {
        ctx.error(QStringLiteral("ledger: --kind 61, 68, 63 or 64 is required (or the raw list with --control)"));
        return false;
    }
    if (!out->filterGiven) {
        ctx.error(QStringLiteral("ledger: --filter is required (the browse's filter; \"\" for every posting of the company)"));
        return false;
    }
    if (out->summary && out->onlySummary) {
        ctx.error(QStringLiteral("ledger: choose --summary or --only-summary"));
        return false;
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print) + int(out->mail.wanted());
    if (targets == 0) {
        ctx.error(QStringLiteral("ledger: the preview needs a screen; choose --pdf FILE, --png DIR, --print or --mail ADDRESS"));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("ledger: --mail sends the print; it does not go with another output"));
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
    const bool account = a.layout == QLatin1String("account");
    c.layoutFlag = account ? 0 : 1;
    if (*a.kind == ledger::kAccountBalances) {
        c.description = a.currency.isEmpty() ? a.description.value_or(QString()) : a.currency;
        c.currencyFlag = QString::number(a.mode.value_or(0));
    } else {
        c.description = a.description.value_or(QString());
    }
    return ledger::buildControlList(c);
}

int runLedger(CommandContext& ctx, const QStringList& args)
{
    LedgerArgs a;
    QStringList rest = args;
    if (!takeMailOptions(ctx, QStringLiteral("ledger"), rest, a.mail) || !parseArgs(ctx, rest, &a))
        return kExitUsage;
    if (!ctx.openSession())
        return kExitFailure;

    korda::Session& s = korda::session();
    korda::OutputRequests& out = s.outputRequests;
    out.pdfPath = a.pdf.isEmpty() ? QString() : QFileInfo(a.pdf).absoluteFilePath();
    out.pngFolder = a.pngFolder.isEmpty() ? QString() : QFileInfo(a.pngFolder).absoluteFilePath();
    out.printerName = a.print ? a.printer : QString();
    out.printRequest = 1;
    out.emailRequest = 0;
    s.DANE_DRUKARKA_EKRAN = a.print ? 0 : 1;
    s.DANE_RODZAJ_WYDRUKU = 0;
    if (a.mail.wanted())
        applyMailOptions(a.mail);

    // The browse's settings, as the host keeps them in the session.
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
    for (const QString& key : std::as_const(a.marked))
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{key});
    s.DANE_CZY_ZAZNACZONE = a.excludeMarked ? 1 : 0;
    for (const QString& account : std::as_const(a.accounts))
        s.DANE_KOLEJKA_VAX.add(account);

    const QString control = controlListOf(a);
    const int kind = ledger::readControlList(control).list.kind;
    QString title = a.title;
    if (title.isEmpty())
        title = kind == ledger::kAccountBalances ? QStringLiteral("Salda kont")
            : kind == ledger::kCurrencySheets    ? QStringLiteral("Kartoteka konta walutowego")
                                                 : QStringLiteral("Kartoteka konta");
    // A file left from an earlier run must not pass for this run's print.
    if (!out.pdfPath.isEmpty())
        QFile::remove(out.pdfPath);
    WYDRUK_KSIEGA(a.filter, title, control);
    if (s.globalResponse != 1) {
        if (!out.pdfPath.isEmpty())
            QFile::remove(out.pdfPath);
        ctx.error(QStringLiteral("ledger: the print was not produced"));
        return kExitFailure;
    }
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
        return kExitFailure;
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("ledger"),
               QStringLiteral("print from the ledger browse: account sheets (61, 68), currency sheets (64), balances (63)"),
               QStringLiteral(
                   "Usage: pravik ledger --kind 61|68|63|64 --filter TEXT [--sort N] [--descending]\n"
                   "                     [--layout period|account] [--description TEXT] [--title TEXT]\n"
                   "                     [--marked KEY,... [--exclude-marked]] [--summary | --only-summary]\n"
                   "                     [--mpk] [--budget] [--no-shading] [--approved-figures N]\n"
                   "                     [--mode N] [--currency CODE] [--accounts LIST]\n"
                   "                     (--pdf FILE | --png DIR | --print [--printer NAME] | --mail ADDRESS [--attach KIND])\n"
                   "       pravik ledger --control LIST --filter TEXT [settings and output as above]\n"
                   "\n"
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
                   "  1, 2 (cost-centre reports) and 66, 67 (cash reports) run through --control as the\n"
                   "      browse starts them; \"pravik mpk\" and \"pravik cash\" are their own commands. The\n"
                   "      budget-unit cash report (81) is refused until it is built.\n"
                   "--filter is the browse's filter, e.g. \"PDD:konto='100' AND PDD:data_okresu=82244\"; \"\"\n"
                   "selects every posting of the company. --sort 1..13 picks the order (1 register number,\n"
                   "2 posting date, 3 period or account, 4 document number, 5 document date, 6 operation\n"
                   "date, 7/8 debit/credit, 9/10 currency debit/credit, 11 description, 12 approval date,\n"
                   "13 account name). --layout period (default) groups by period, account by account;\n"
                   "--description is the browse's text (\"Konto: 100\"). --marked lists the marked posting\n"
                   "sides (a debit side is its posting id, a credit side 1 followed by the id): only those\n"
                   "print, or with --exclude-marked all but those.\n"
                   "Settings: --summary adds the summary table (by period or by account with its parent\n"
                   "accounts), --only-summary prints the summary alone, --mpk the cost-centre lines under\n"
                   "each posting, --budget reads the budget views, --no-shading prints no grey,\n"
                   "--approved-figures N is the installation's approved-figures setting (below 1 the\n"
                   "print is marked as operational and shows the approval date).\n"
                   "--control LIST passes the raw control list (\"68|0|2|1|1|Konto: 100|0\": kind, marked,\n"
                   "sort, ascending, layout, description, currency flag) instead of the named options.\n"
                   "\n"
                   "E-mail:\n") + mailOptionsHelp() + QStringLiteral(
                   "\n"
                   "Exit code 0 when the print was produced and delivered, 1 when it was refused or failed\n"
                   "(no file is left at the target), 2 for wrong options."),
               &runLedger)

} // namespace pravik::cli
