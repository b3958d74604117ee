// "pravik cash": the cash report of a cash account without a screen. The command plays the host
// application's ledger browse: it builds the browse's filter for the account, computes the
// account's opening debit and credit and hands them over in the marked-records queue, as the
// host does, and starts the report through WYDRUK_KSIEGA.
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"

#include "ledger/CashReportSource.h"
#include "ledger/LedgerProcedures.h"
#include "ledger/PostingFilter.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"

#include <QFile>
#include <QFileInfo>
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
    QString pdf;
    QString pngFolder;
    bool print = false;
    QString printer;
    MailOptions mail;
};

bool parseArgs(CommandContext& ctx, const QStringList& args, CashArgs* out)
{
    OptionReader in(ctx, QStringLiteral("cash"), args);
    while (in.next()) {
        const QString& name = in.name();
        qint64 n = 0;
        if (name == QLatin1String("--kind")) {
            if (!in.number(1, 255, &n))
                return false;
            if (n != ledger::kCashReport && n != ledger::kCashReportCurrency) {
                ctx.error(QStringLiteral("cash: --kind is 66 or 67 (81, the budget-unit cash report, is not built yet)"));
                return false;
            }
            out->kind = int(n);
        } else if (name == QLatin1String("--account")) {
            if (!in.value(&out->account))
                return false;
        } else if (name == QLatin1String("--filter")) {
            if (!in.value(&out->filter))
                return false;
            out->filterGiven = true;
        } else if (name == QLatin1String("--sort")) {
            if (!in.number(1, 11, &n))
                return false;
            out->sort = int(n);
        } else if (name == QLatin1String("--descending")) {
            out->descending = true;
        } else if (name == QLatin1String("--document-currency")) {
            out->documentCurrency = true;
        } else if (name == QLatin1String("--summary")) {
            out->summary = true;
        } else if (name == QLatin1String("--title")) {
            if (!in.value(&out->title))
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
    if (!out->kind) {
        ctx.error(QStringLiteral("cash: --kind 66 or 67 is required"));
        return false;
    }
    if (out->account.trimmed().isEmpty()) {
        ctx.error(QStringLiteral("cash: --account is required (the cash account, e.g. 100)"));
        return false;
    }
    if (out->filterGiven == !ctx.period.isEmpty()) {
        ctx.error(QStringLiteral("cash: give either --period P or --filter TEXT"));
        return false;
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print) + int(out->mail.wanted());
    if (targets == 0) {
        ctx.error(QStringLiteral("cash: the preview needs a screen; choose --pdf FILE, --png DIR, --print or --mail ADDRESS"));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("cash: --mail sends the report; it does not go with another output"));
        return false;
    }
    return true;
}

int runCash(CommandContext& ctx, const QStringList& args)
{
    CashArgs a;
    QStringList rest = args;
    if (!takeMailOptions(ctx, QStringLiteral("cash"), rest, a.mail) || !parseArgs(ctx, rest, &a))
        return kExitUsage;
    const QString problem = ledger::filterProblem(a.filter);
    if (!problem.isEmpty()) {
        ctx.error(QStringLiteral("cash: ") + problem);
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;

    korda::Session& s = korda::session();
    const QString account = a.account.trimmed();
    const QString accountCondition = QStringLiteral("konto=") + sql::sqlText(account);
    QString filter;
    DayNumber firstPeriod = 0;
    if (a.filterGiven) {
        filter = accountCondition + (a.filter.trimmed().isEmpty() ? QString() : QStringLiteral(" AND (") + a.filter.trimmed() + u')');
        // The first printed period is the earliest the filter selects.
        const QString first = utilka::FUNCVAY(QStringLiteral("select min(data_okresu) from POZ_DOK_VIEW_UNION where ")
                                              + ledger::postingWhere(s.DANE_ID_FIRMY, filter, QStringLiteral("POZ_DOK_VIEW_UNION")));
        if (utilka::errorCode() != 0 && utilka::errorCode() != 33) {
            ctx.error(QStringLiteral("cash: the filter does not run: ") + utilka::errorText());
            return kExitFailure;
        }
        firstPeriod = DayNumber(first.trimmed().toLongLong());
    } else {
        const DayNumber chosen = s.DANE_DATA_OKRESU;
        firstPeriod = periodKind(chosen) == PeriodKind::Month ? monthPeriod(yearOf(chosen), monthOf(chosen)) : chosen;
        filter = accountCondition + QStringLiteral(" AND data_okresu=") + sql::sqlNumber(firstPeriod);
    }
    // The opening figures: the account's postings of the fiscal year before the first printed
    // period (the opening balance included). With nothing selected there is nothing before.
    ledger::Amounts opening;
    if (firstPeriod > 0) {
        const auto before = ledger::cashOpeningFigures(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, account, firstPeriod);
        if (!before) {
            ctx.error(QStringLiteral("cash: the opening figures could not be read: ") + utilka::errorText());
            return kExitFailure;
        }
        opening = *before;
    }

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
    if (a.summary)
        s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    s.DANE_ZAZNACZ_REK.clear();
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.debit.toString()});
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.credit.toString()});

    ledger::ControlList c;
    c.kind = *a.kind;
    c.sort = quint8(a.sort.value_or(1));
    c.ascending = !a.descending;
    c.layoutFlag = a.documentCurrency ? 1 : 0;
    c.description = QStringLiteral("Konto: ") + account;
    const QString title = a.title.isEmpty() ? QStringLiteral("Raport kasowy") : a.title;
    if (!out.pdfPath.isEmpty())
        QFile::remove(out.pdfPath);
    WYDRUK_KSIEGA(filter, title, ledger::buildControlList(c));
    if (s.globalResponse != 1) {
        if (!out.pdfPath.isEmpty())
            QFile::remove(out.pdfPath);
        ctx.error(QStringLiteral("cash: the report was not produced"));
        return kExitFailure;
    }
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
        return kExitFailure;
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("cash"), QStringLiteral("cash report of a cash account (66, 67) to PDF, PNG, a printer or e-mail"),
               QStringLiteral(
                   "Usage: pravik cash --kind 66|67 --account ACCOUNT (--period P | --filter TEXT)\n"
                   "                   [--sort N] [--descending] [--document-currency] [--summary] [--title TEXT]\n"
                   "                   (--pdf FILE | --png DIR | --print [--printer NAME] | --mail ADDRESS [--attach KIND])\n"
                   "\n"
                   "Prints the cash report of the account's entries as the ledger browse starts it\n"
                   "(WYDRUK_KSIEGA, kind 66 with the attachments line, 67 without). The command does what\n"
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
                   "\n"
                   "E-mail:\n") + mailOptionsHelp() + QStringLiteral(
                   "\n"
                   "Exit code 0 when the report was produced and delivered, 1 when it was refused or failed\n"
                   "(no file is left at the target), 2 for wrong options."),
               &runCash)

} // namespace pravik::cli
