// "pravik journal": the journals of the journal window, run without a screen into a PDF, PNG
// pages, a text-printer file or a printer. The options are the window's controls; the window's
// own rules (which options a kind offers, the closed-period rule for renumbering, the refusal
// without a chosen journal) decide exactly as on the desktop.
#include "Command.h"
#include "MailOptions.h"
#include "OptionReader.h"
#include "Options.h"
#include "TextPrinterChoice.h"

#include "journals/JournalOptions.h"
#include "journals/JournalProcedures.h"
#include "journals/window/JournalWindowModel.h"
#include "platform/PrintableText.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace pravik::cli {

namespace {

using journals::JournalWindowModel;

struct JournalArgs {
    qint32 kind = 0;
    QString batch;
    std::optional<qint32> renumberFrom;
    bool sumDocuments = false;
    bool sumOffBalance = false;
    bool textPrinting = false;
    QString printer;
    std::optional<int> copies;
    QString pdf;
    QString pngFolder;
    QString textFile;
    bool print = false;
    QString title;
    QString description;
    // A host's direct call of one procedure with its own filter, past the window.
    QString procedure;
    QString filter;
    quint8 sort = 4;
    MailOptions mail;
};

bool parseArgs(CommandContext& ctx, const QStringList& args, JournalArgs* out)
{
    OptionReader in(ctx, QStringLiteral("journal"), args);
    while (in.next()) {
        const QString& name = in.name();
        qint64 n = 0;
        if (name == QLatin1String("--kind")) {
            if (!in.number(71, 73, &n))
                return false;
            out->kind = qint32(n);
        } else if (name == QLatin1String("--batch")) {
            if (!in.value(&out->batch))
                return false;
        } else if (name == QLatin1String("--renumber")) {
            if (!in.number(0, 2147483647, &n))
                return false;
            out->renumberFrom = qint32(n);
        } else if (name == QLatin1String("--sum-documents")) {
            out->sumDocuments = true;
        } else if (name == QLatin1String("--sum-off-balance")) {
            out->sumOffBalance = true;
        } else if (name == QLatin1String("--text")) {
            // "--text FILE" writes the text-printer journal to FILE; a bare "--text" prints it.
            out->textPrinting = true;
            out->textFile = in.optionalValue();
        } else if (name == QLatin1String("--printer")) {
            if (!in.value(&out->printer))
                return false;
        } else if (name == QLatin1String("--copies")) {
            if (!in.number(1, JournalWindowModel::kMaxCopies, &n))
                return false;
            out->copies = int(n);
        } else if (name == QLatin1String("--pdf")) {
            if (!in.value(&out->pdf))
                return false;
        } else if (name == QLatin1String("--png")) {
            if (!in.value(&out->pngFolder))
                return false;
        } else if (name == QLatin1String("--print")) {
            out->print = true;
        } else if (name == QLatin1String("--procedure")) {
            if (!in.value(&out->procedure))
                return false;
            out->procedure = out->procedure.toUpper();
        } else if (name == QLatin1String("--filter")) {
            if (!in.value(&out->filter))
                return false;
        } else if (name == QLatin1String("--sort")) {
            if (!in.number(1, 4, &n))
                return false;
            out->sort = quint8(n);
        } else if (name == QLatin1String("--title")) {
            if (!in.value(&out->title))
                return false;
        } else if (name == QLatin1String("--description")) {
            if (!in.value(&out->description))
                return false;
        } else {
            return in.unknown();
        }
    }
    if (!out->procedure.isEmpty()) {
        static const QStringList known = {"PRN_71_DZIENNIK_P_K", "PRN_71_DZIENNIK_P_J", "PRN_71_DZIENNIK_P_K1",
                                          "PRN_71_DZIENNIK_P_TXT", "PRN_72_DZIENNIK_S_K", "PRN_72_DZIENNIK_S_J",
                                          "PRN_73_DZIENNIK"};
        if (!known.contains(out->procedure)) {
            ctx.error(QStringLiteral("journal: unknown procedure %1").arg(quotedInput(out->procedure)));
            return false;
        }
        out->kind = out->procedure.mid(4, 2).toInt();
    }
    if (out->kind == 0) {
        ctx.error(QStringLiteral("journal: --kind 71, 72 or 73 is required"));
        return false;
    }
    const int targets = int(!out->pdf.isEmpty()) + int(!out->pngFolder.isEmpty()) + int(out->print)
        + int(out->textPrinting) + int(out->mail.wanted());
    if (targets == 0) {
        ctx.error(QStringLiteral("journal: the preview needs a screen; choose --pdf FILE, --png DIR, --text [FILE], --print or --mail ADDRESS"));
        return false;
    }
    if (out->mail.wanted() && targets > 1) {
        ctx.error(QStringLiteral("journal: --mail sends the journal; it does not go with another output"));
        return false;
    }
    if (out->textPrinting && (!out->pdf.isEmpty() || !out->pngFolder.isEmpty())) {
        ctx.error(QStringLiteral("journal: a text-printer journal goes to --text FILE or to the printer, not to --pdf or --png"));
        return false;
    }
    return true;
}

// Why the window does not offer renumbering, for the journal asked for.
QString renumberingRefusal(const JournalWindowModel& window, qint32 kind)
{
    if (kind == 73)
        return QStringLiteral("journal: kind 73 (the statement of journals) has no renumbering");
    if (!window.control(JournalWindowModel::Control::Renumber).visible)
        return QStringLiteral("journal: kind %1: renumbering is not offered by an installation that prints approved "
                              "figures only (GGG:WERSJA_DLA_KRAB_PRIORYTET below 2)").arg(kind);
    return QStringLiteral("journal: kind %1: renumbering is not offered in a closed period").arg(kind);
}

// The procedure called as a host calls it: the session's year and period are the journal's.
int runProcedure(CommandContext& ctx, const JournalArgs& a)
{
    korda::Session& s = korda::session();
    journals::JournalOptions& o = journals::journalOptions();
    o.yearId = s.DANE_LATA_OBROTOWE;
    o.periodDate = s.DANE_DATA_OKRESU;
    o.yearName = s.DANE_LATA_OBROT_NAZWA;
    o.CZY_SUMOWANIE = a.sumDocuments ? 1 : 0;
    o.PRN_SUMUJ_POZABILANSOWE = a.sumOffBalance ? 1 : 0;
    o.CZY_NUMEROWANIE = a.renumberFrom ? 1 : 0;
    o.CZY_NUMEROWANIE_WARTOSC = a.renumberFrom.value_or(0);
    if (!a.batch.isEmpty()) {
        const QString id = utilka::FUNCVAY(QStringLiteral("select id_paczka from PACZKA where id_firmy=%1 AND id_lata_obrot=%2 AND kod_paczki=%3")
                                               .arg(s.DANE_ID_FIRMY).arg(o.yearId).arg(sql::sqlText(a.batch)));
        if (id.isEmpty()) {
            ctx.error(QStringLiteral("journal: no journal %1 in the year").arg(quotedInput(a.batch)));
            return kExitFailure;
        }
        o.batchId = id.toInt();
    }
    s.DANE_NAGLOWEK_WYDRUKU = a.title.isEmpty() ? (a.kind == 73 ? QStringLiteral("Zestawienie dzienników księgowań")
                                                                : QStringLiteral("Dziennik księgowań"))
                                                : a.title;
    s.DANE_RODZAJ_WYDRUKU = a.textPrinting ? 2 : 0;
    if (!a.printer.isEmpty())
        s.DANE_NAZWA_DRUKARKI = a.printer;
    if (a.copies)
        s.GGG_NUMCOPY = quint8(*a.copies);
    s.outputRequests.printRequest = 1;
    s.outputRequests.emailRequest = 0;
    s.DANE_DRUKARKA_EKRAN = a.print ? 0 : 1;
    applyMailOptions(a.mail);
    const QString yearStart = QString::number(firstDayOfMonth(s.DANE_POCZATEK_ROKU));
    const QString& f = a.filter;
    const QString& t = s.DANE_NAGLOWEK_WYDRUKU;
    if (a.procedure == QLatin1String("PRN_71_DZIENNIK_P_K"))
        PRN_71_DZIENNIK_P_K(yearStart, f, t, a.sort);
    else if (a.procedure == QLatin1String("PRN_71_DZIENNIK_P_J"))
        PRN_71_DZIENNIK_P_J(yearStart, f, t, a.sort);
    else if (a.procedure == QLatin1String("PRN_71_DZIENNIK_P_K1"))
        PRN_71_DZIENNIK_P_K1(yearStart, f, t, a.sort);
    else if (a.procedure == QLatin1String("PRN_71_DZIENNIK_P_TXT"))
        PRN_71_DZIENNIK_P_TXT(yearStart, f, t, a.sort, a.batch.isEmpty() ? 1 : 0);
    else if (a.procedure == QLatin1String("PRN_72_DZIENNIK_S_K"))
        PRN_72_DZIENNIK_S_K(yearStart, f, t, a.sort);
    else if (a.procedure == QLatin1String("PRN_72_DZIENNIK_S_J"))
        PRN_72_DZIENNIK_S_J(yearStart, f, t, a.sort);
    else
        PRN_73_DZIENNIK(yearStart, f, t);
    if (s.globalResponse != 1) {
        ctx.error(QStringLiteral("journal: %1 did not complete").arg(a.procedure));
        return kExitFailure;
    }
    ctx.note(doneNote(ctx, s.DANE_NAGLOWEK_WYDRUKU, a.procedure, a.filter));
    return kExitOk;
}

int runJournal(CommandContext& ctx, const QStringList& args)
{
    JournalArgs a;
    QStringList rest = args;
    if (!takeMailOptions(ctx, QStringLiteral("journal"), rest, a.mail) || !parseArgs(ctx, rest, &a))
        return kExitUsage;
    if (!ctx.openSession())
        return kExitFailure;

    korda::OutputRequests& out = korda::session().outputRequests;
    out.pdfPath = a.pdf.isEmpty() ? QString() : QFileInfo(a.pdf).absoluteFilePath();
    out.pngFolder = a.pngFolder.isEmpty() ? QString() : QFileInfo(a.pngFolder).absoluteFilePath();
    out.textFile = a.textFile.isEmpty() ? QString() : QFileInfo(a.textFile).absoluteFilePath();
    out.printerName = a.print && !a.textPrinting ? a.printer : QString();
    if (!a.procedure.isEmpty())
        return runProcedure(ctx, a);

    JournalWindowModel window(a.kind);
    if (!window.open()) {
        ctx.error(QStringLiteral("journal: the company has no fiscal year"));
        return kExitFailure;
    }
    if (ctx.year && !window.selectYearId(*ctx.year)) {
        ctx.error(QStringLiteral("journal: the company has no fiscal year %1").arg(*ctx.year));
        return kExitFailure;
    }
    if (!ctx.period.isEmpty()) {
        const bool closing = ctx.period.trimmed().compare(QLatin1String("BZ"), Qt::CaseInsensitive) == 0;
        const bool chosen = closing ? window.selectPeriodText(QStringLiteral("BZ"))
                                    : window.selectPeriodDate(monthPeriod(yearOf(korda::session().DANE_DATA_OKRESU),
                                                                          monthOf(korda::session().DANE_DATA_OKRESU)));
        if (!chosen) {
            ctx.error(QStringLiteral("journal: the year has no period %1").arg(quotedInput(ctx.period)));
            return kExitFailure;
        }
    }
    if (!a.batch.isEmpty()) {
        if (!window.partialJournals()) {
            ctx.error(QStringLiteral("journal: --batch needs a company that keeps partial journals (kinds 71 and 72)"));
            return kExitUsage;
        }
        if (!window.selectBatchCode(a.batch)) {
            ctx.error(QStringLiteral("journal: no journal %1 in the year").arg(quotedInput(a.batch)));
            return kExitFailure;
        }
    }
    if (a.sumDocuments && !window.setSumDocuments(true)) {
        ctx.error(QStringLiteral("journal: --sum-documents is offered for kind 71 only"));
        return kExitUsage;
    }
    if (a.sumOffBalance && !window.setSumOffBalance(true)) {
        ctx.error(QStringLiteral("journal: --sum-off-balance is offered for kinds 71 and 73 only"));
        return kExitUsage;
    }
    if (a.renumberFrom) {
        if (!window.setRenumber(true) || !window.setRenumberFrom(*a.renumberFrom)) {
            ctx.error(renumberingRefusal(window, a.kind));
            return kExitFailure;
        }
    } else if (window.renumber()) {
        window.setRenumber(false);
    }
    if (!a.title.isEmpty())
        window.setTitle(a.title);
    if (!a.description.isEmpty())
        window.setDescription(a.description);
    window.setOutputKind(a.textPrinting ? JournalWindowModel::kText : JournalWindowModel::kGraphic);
    if (!a.printer.isEmpty())
        window.setPrinterName(a.printer);
    if (a.copies)
        window.setCopies(*a.copies);

    if (a.textPrinting) {
        QString printer;
        if (!resolveTextPrinter(ctx, QStringLiteral("journal"), a.printer, &printer))
            return kExitFailure;
        window.setPrinterName(printer);
    }

    // Files are asked for through the preview road (the frame writes what the host asked for);
    // --print alone goes to the printer directly.
    const bool toFiles = !out.pdfPath.isEmpty() || !out.pngFolder.isEmpty() || !out.textFile.isEmpty();
    JournalWindowModel::Command command = toFiles ? JournalWindowModel::Command::Preview : JournalWindowModel::Command::Print;
    if (a.mail.wanted()) {
        // The recipient and the attachment kind; the window's e-mail button does the rest.
        applyMailOptions(a.mail);
        window.setMailClientKind(korda::session().outputRequests.mailClientKind);
        command = JournalWindowModel::Command::SendEmail;
    }
    if (!window.run(command))
        return kExitFailure;
    if (korda::session().globalResponse != 1) {
        ctx.error(QStringLiteral("journal: %1 did not complete").arg(window.lastProcedure()));
        return kExitFailure;
    }
    ctx.note(doneNote(ctx, window.title(), window.lastProcedure(), window.lastFilter()));
    if (!out.pdfPath.isEmpty() && !QFileInfo::exists(out.pdfPath))
        return kExitFailure;
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("journal"),
               QStringLiteral("print a journal (postings 71, documents 72, batches 73) to PDF, PNG, text or a printer"),
               QStringLiteral(
                   "Usage: pravik journal --kind 71|72|73 [--year ID] [--period M-YYYY|DATE|BZ] [--batch CODE]\n"
                   "                      [--renumber N] [--sum-documents] [--sum-off-balance]\n"
                   "                      [--title TEXT] [--description TEXT] [--printer NAME] [--copies N]\n"
                   "                      (--pdf FILE | --png DIR | --text [FILE] | --print | --mail ADDRESS [--attach KIND])\n"
                   "\n"
                   "Runs the journal window of the company (--company) without a screen:\n"
                   "  71  journal of postings (\"Dziennik księgowań\"), of one partial journal (--batch)\n"
                   "      when the company keeps partial journals, else of the whole period\n"
                   "  72  journal of documents\n"
                   "  73  statement of journals by batch (\"Zestawienie dzienników księgowań\")\n"
                   "The year and period default to the session's (--year, --period, --date).\n"
                   "--renumber N numbers the documents from N (only in an open period); --sum-documents\n"
                   "prints a total after each document (71); --sum-off-balance counts postings on\n"
                   "off-balance accounts in the totals (71, 73).\n"
                   "Output: --pdf FILE, --png DIR (one PNG per page), --print (the printer --printer\n"
                   "names, else the default printer, --copies N). --text prints for a text (matrix)\n"
                   "printer: with FILE the printer's bytes go to FILE, else to the text printer.\n"
                   "The text printer is --printer NAME, else DANE_NAZWA_DRUKARKI (--set), else Name in\n"
                   "[TextPrinter] of the settings file, else the first printer of DRUKARKA whose\n"
                   "control codes give a page (\"Ilość linii wydruku\"). A printer without that code\n"
                   "prints every row on a page of its own; the run says so.\n"
                   "The preview needs a screen and is not offered here.\n"
                   "\n"
                   "E-mail:\n") + mailOptionsHelp() + QStringLiteral(
                   "\n"
                   "--procedure NAME --filter TEXT [--sort 1..4] calls one journal procedure as a host\n"
                   "does, past the window, with the host's filter (\"PDD:id_lata_obrot=2\" lists the\n"
                   "whole year); the session's year and period are the journal's.\n"
                   "Exit code 0 when the journal was produced, 1 when it was refused or failed,\n"
                   "2 for wrong options."),
               &runJournal)

} // namespace pravik::cli
