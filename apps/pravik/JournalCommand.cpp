// "pravik journal": the journals of the journal window, run without a screen. The options are
// the window's controls; the window's own rules (which options a kind offers, the closed-period
// rule for renumbering, the refusal without a chosen journal) decide exactly as on the desktop.
// Output, period, --procedure, help and exit codes are the report driver's.
#include "Command.h"
#include "ReportDriver.h"

#include "journals/JournalVariables.h"
#include "journals/window/JournalWindowModel.h"
#include "platform/PrintableText.h"
#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::cli {

namespace {

// Why the window does not offer renumbering, for the journal asked for.
QString renumberingRefusal(const journals::JournalWindowModel& window, qint32 kind)
{
    if (kind == 73)
        return QStringLiteral("journal: kind 73 (the statement of journals) has no renumbering");
    if (!window.control(journals::JournalWindowModel::Control::Renumber).visible)
        return QStringLiteral("journal: kind %1: renumbering is not offered by an installation that prints approved "
                              "figures only (GGG:WERSJA_DLA_KRAB_PRIORYTET below 2)").arg(kind);
    return QStringLiteral("journal: kind %1: renumbering is not offered in a closed period").arg(kind);
}

using journals::JournalWindowModel;

struct JournalArgs {
    qint32 kind = 0;
    QString batch;
    std::optional<qint32> renumberFrom;
    bool sumDocuments = false;
    bool sumOffBalance = false;
    QString title;
    QString description;
    // --procedure: the host's filter and document order.
    QString filter;
    quint8 sort = 4;
};

// The window's own choices; exit code 0 to go on.
int chooseInWindow(CommandContext& ctx, JournalWindowModel& window, const JournalArgs& a)
{
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
    return kExitOk;
}

int runWithWindow(CommandContext& ctx, const ReportCommand& c, const JournalArgs& a, const ReportOutput& out)
{
    JournalWindowModel window(a.kind);
    if (!window.open()) {
        ctx.error(QStringLiteral("journal: the company has no fiscal year"));
        return kExitFailure;
    }
    if (const int rc = chooseYearAndPeriod(ctx, c, window))
        return rc;
    if (const int rc = chooseInWindow(ctx, window, a))
        return rc;
    if (!chooseOutput(ctx, c, window, out))
        return kExitUsage;
    if (out.mail.wanted()) {
        // The recipient and the attachment kind; the window's e-mail button does the rest.
        applyMailOptions(out.mail);
        window.setMailClientKind(korda::session().outputRequests.mailClientKind);
    }
    return runWindow(ctx, c, window, out);
}

// A host's call past the window: the session's year and period are the journal's, the journal
// variables come from the options.
bool hostCall(CommandContext& ctx, const JournalArgs& a, const ReportOutput& out, const reports::ReportProcedure& p,
              QVariantList* arguments)
{
    korda::Session& s = korda::session();
    journals::JournalOptions o = journals::journalVariables();
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
            return false;
        }
        o.batchId = id.toInt();
    }
    journals::setJournalVariables(o);
    const bool batches = p.name.startsWith(QLatin1String("PRN_73"));
    s.DANE_NAGLOWEK_WYDRUKU = !a.title.isEmpty() ? a.title
                              : batches          ? QStringLiteral("Zestawienie dzienników księgowań")
                                                 : QStringLiteral("Dziennik księgowań");
    s.DANE_RODZAJ_WYDRUKU = out.textPrinting ? 2 : 0;
    if (!out.printer.isEmpty())
        s.DANE_NAZWA_DRUKARKI = out.printer;
    if (out.copies)
        s.GGG_NUMCOPY = quint8(*out.copies);
    s.outputRequests.printRequest = 1;
    s.outputRequests.emailRequest = 0;
    s.DANE_DRUKARKA_EKRAN = out.print ? 0 : 1;
    const QString yearStart = QString::number(firstDayOfMonth(s.DANE_POCZATEK_ROKU));
    const QVariantList all = {yearStart, a.filter, s.DANE_NAGLOWEK_WYDRUKU, a.sort, a.batch.isEmpty() ? 1 : 0};
    *arguments = all.mid(0, p.parameters.size());
    return true;
}

ReportCommand journalCommand(JournalArgs& a)
{
    ReportCommand c;
    c.name = QStringLiteral("journal");
    c.noun = QStringLiteral("journal");
    c.synopsis = QStringLiteral("print a journal (postings 71, documents 72, batches 73) to PDF, PNG, text or a printer");
    c.usage = QStringLiteral("--kind 71|72|73 [--batch CODE] [--renumber N] [--sum-documents] [--sum-off-balance]\n"
                             "                      [--title TEXT] [--description TEXT] [--printer NAME] [--copies N]");
    c.description = QStringLiteral(
        "Runs the journal window of the company (--company) without a screen:\n"
        "  71  journal of postings (\"Dziennik księgowań\"), of one partial journal (--batch)\n"
        "      when the company keeps partial journals, else of the whole period\n"
        "  72  journal of documents\n"
        "  73  statement of journals by batch (\"Zestawienie dzienników księgowań\")\n");
    c.maxCopies = JournalWindowModel::kMaxCopies;
    c.options = {
        {QStringLiteral("kind"), QStringLiteral("71|72|73"), QStringLiteral("the journal"),
         [&a](OptionReader& in) {
             qint64 n = 0;
             return in.number(71, 73, &n) && (a.kind = qint32(n), true);
         }},
        {QStringLiteral("batch"), QStringLiteral("CODE"), QStringLiteral("the partial journal (kinds 71 and 72)"),
         [&a](OptionReader& in) { return in.value(&a.batch); }},
        {QStringLiteral("renumber"), QStringLiteral("N"), QStringLiteral("number the documents from N (an open period only)"),
         [&a](OptionReader& in) {
             qint64 n = 0;
             return in.number(0, 2147483647, &n) && (a.renumberFrom = qint32(n), true);
         }},
        {QStringLiteral("sum-documents"), {}, QStringLiteral("a total after each document (71)"),
         [&a](OptionReader&) { return a.sumDocuments = true; }},
        {QStringLiteral("sum-off-balance"), {}, QStringLiteral("count off-balance accounts in the totals (71, 73)"),
         [&a](OptionReader&) { return a.sumOffBalance = true; }},
        {QStringLiteral("title"), QStringLiteral("TEXT"), QStringLiteral("the report title"),
         [&a](OptionReader& in) { return in.value(&a.title); }},
        {QStringLiteral("description"), QStringLiteral("TEXT"), QStringLiteral("a description line"),
         [&a](OptionReader& in) { return in.value(&a.description); }},
        {QStringLiteral("filter"), QStringLiteral("TEXT"),
         QStringLiteral("with --procedure: the host's filter (\"PDD:id_lata_obrot=2\" lists the whole year)"),
         [&a](OptionReader& in) { return in.value(&a.filter); }},
        {QStringLiteral("sort"), QStringLiteral("1..4"), QStringLiteral("with --procedure: the document order"),
         [&a](OptionReader& in) {
             qint64 n = 0;
             return in.number(1, 4, &n) && (a.sort = quint8(n), true);
         }},
    };
    c.check = [&a](CommandContext& ctx, const ReportOutput&) {
        if (a.kind == 0)
            ctx.error(QStringLiteral("journal: --kind 71, 72 or 73 is required"));
        return a.kind != 0;
    };
    c.run = [&a](CommandContext& ctx, const ReportCommand& self, const ReportOutput& out) {
        return runWithWindow(ctx, self, a, out);
    };
    c.procedureArguments = [&a](CommandContext& ctx, const ReportOutput& out, const reports::ReportProcedure& p,
                                QVariantList* arguments) { return hostCall(ctx, a, out, p, arguments); };
    return c;
}

} // namespace

PRAVIK_REPORT_COMMAND(JournalArgs, journalCommand)

} // namespace pravik::cli
