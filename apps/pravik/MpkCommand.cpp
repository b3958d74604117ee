// "pravik mpk": the cost-centre reports of the ledger browse without a screen, started through
// WYDRUK_KSIEGA as the browse starts them.
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
    QString pdf;
    QString pngFolder;
    bool print = false;
    QString printer;
    MailOptions mail;
};

bool parseArgs(CommandContext& ctx, const QStringList& args, MpkArgs* out)
{
    OptionReader in(ctx, QStringLiteral("mpk"), args);
    while (in.next()) {
        const QString& name = in.name();
        qint64 n = 0;
        if (name == QLatin1String("--kind")) {
            if (!in.number(1, 2, &n))
                return false;
            out->kind = int(n);
        } else if (name == QLatin1String("--filter")) {
            if (!in.value(&out->filter))
                return false;
            out->filterGiven = true;
        } else if (name == QLatin1String("--sort")) {
            if (!in.number(1, 6, &n))
                return false;
            out->sort = int(n);
        } else if (name == QLatin1String("--descending")) {
            out->descending = true;
        } else if (name == QLatin1String("--summary")) {
            out->summary = true;
        } else if (name == QLatin1String("--only-summary")) {
            out->onlySummary = true;
        } else if (name == QLatin1String("--description")) {
            if (!in.value(&out->description))
                return false;
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
        ctx.error(QStringLiteral("mpk: --kind 1 or 2 is required"));
        return false;
    }
    if (!out->filterGiven) {
        ctx.error(QStringLiteral("mpk: --filter is required (the browse's filter; \"\" for every allocation of the company)"));
        return false;
    }
    if (out->summary && out->onlySummary) {
        ctx.error(QStringLiteral("mpk: choose --summary or --only-summary"));
        return false;
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print) + int(out->mail.wanted());
    if (targets == 0) {
        ctx.error(QStringLiteral("mpk: the preview needs a screen; choose --pdf FILE, --png DIR, --print or --mail ADDRESS"));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("mpk: --mail sends the report; it does not go with another output"));
        return false;
    }
    return true;
}

int runMpk(CommandContext& ctx, const QStringList& args)
{
    MpkArgs a;
    QStringList rest = args;
    if (!takeMailOptions(ctx, QStringLiteral("mpk"), rest, a.mail) || !parseArgs(ctx, rest, &a))
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
    if (a.summary || a.onlySummary)
        s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    if (a.onlySummary)
        s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 1;

    ledger::ControlList c;
    c.kind = *a.kind;
    c.sort = quint8(a.sort.value_or(0));
    c.ascending = !a.descending;
    c.description = a.description.left(200);
    const QString title = a.title.isEmpty() ? QStringLiteral("Zapisy MPK") : a.title;
    if (!out.pdfPath.isEmpty())
        QFile::remove(out.pdfPath);
    WYDRUK_KSIEGA(a.filter, title, ledger::buildControlList(c));
    if (s.globalResponse != 1) {
        if (!out.pdfPath.isEmpty())
            QFile::remove(out.pdfPath);
        ctx.error(QStringLiteral("mpk: the report was not produced"));
        return kExitFailure;
    }
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
        return kExitFailure;
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("mpk"), QStringLiteral("cost-centre reports (1, 2) to PDF, PNG, a printer or e-mail"),
               QStringLiteral(
                   "Usage: pravik mpk --kind 1|2 --filter TEXT [--sort N] [--descending]\n"
                   "                  [--summary | --only-summary] [--description TEXT] [--title TEXT]\n"
                   "                  (--pdf FILE | --png DIR | --print [--printer NAME] | --mail ADDRESS [--attach KIND])\n"
                   "\n"
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
                   "last. --description adds a description line under the title.\n"
                   "\n"
                   "E-mail:\n") + mailOptionsHelp() + QStringLiteral(
                   "\n"
                   "Exit code 0 when the report was produced and delivered, 1 when it was refused or failed\n"
                   "(no file is left at the target), 2 for wrong options."),
               &runMpk)

} // namespace pravik::cli
