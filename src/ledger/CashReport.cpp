#include "ledger/CashReport.h"

#include "framework/RunFrame.h"
#include "ledger/LedgerPage.h"
#include "platform/Picture.h"
#include "siblings/korda/Session.h"

#include <memory>

namespace pravik::ledger {

namespace {

const QString kLine = QStringLiteral("LINIA");
const QString kEntry = QStringLiteral("POZYCJA");
const QString kContinuation = QStringLiteral("KONTO_CD");
const QString kPeriodTotals = QStringLiteral("RAZEM_OKRES");
const QString kState = QStringLiteral("STAN");
const QString kSummaryHeader = QStringLiteral("PODS_NAGLOWEK");
const QString kSummaryLine = QStringLiteral("PODS_POZYCJA");
const QString kSummaryTotals = QStringLiteral("PODS_RAZEM");

// A page ends when twelve page-total bands and a margin no longer fit under the entry.
bool cashPageFull(const frame::RunFrame& f)
{
    return 12 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 100 > f.bodyHeight();
}

class CashRun {
public:
    CashRun(const CashRequest& request, AccountEntriesQueue& queue) : m_request(request), m_source(request, queue) {}

    CashReportSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        // On cut sheets an entry and its continuation lines stay on one sheet: the page foot's
        // reserve alone would let up to ten contra lines run past the paper's end.
        const int extraLines = int(m_line.contra.continuation.size());
        if (f.textMode() && f.textPage().cutSheets() && extraLines > 0
            && f.lineCounter() + f.definition().text.reserveLaterPages + extraLines >= f.textPage().linesPerPage)
            f.breakPage();
        else
            f.checkPage();
        f.totals().add(m_line.amounts.columns());
        const AccountEntry& e = m_line.entry;
        f.printBand(kEntry, {
                                {QStringLiteral("LP"), m_line.rowNumber},
                                {QStringLiteral("NR_EWID_DOK"), e.registerNumber},
                                {QStringLiteral("DATA_DOK_ORG"), qint64(e.documentDate)},
                                {QStringLiteral("NR_DOK_ORG"), e.documentNumber},
                                {QStringLiteral("OPIS_POZ"), e.description},
                                {QStringLiteral("PRZYCHOD"), m_line.amounts.debit},
                                {QStringLiteral("ROZCHOD"), m_line.amounts.credit},
                                {QStringLiteral("KONTO_PRZECIW"), m_line.contra.first},
                            });
        for (const QString& piece : std::as_const(m_line.contra.continuation))
            f.printBand(kContinuation, {{QStringLiteral("KONTO_PRZECIW_CD"), piece}});
    }

    void close(frame::RunFrame& f)
    {
        auto rule = [&f] {
            if (!f.textMode())
                f.printBand(kLine, {}, frame::TextRole::None);
        };
        rule();
        f.printPageTotal();
        rule();
        const Amounts period = m_source.periodTotals();
        f.printBand(kPeriodTotals, {{QStringLiteral("OKRES_NAZWA"), QStringLiteral("Razem w okresie")},
                                    {QStringLiteral("OKRES_WN"), period.debit},
                                    {QStringLiteral("OKRES_MA"), period.credit}},
                    frame::TextRole::Total);
        rule();
        f.printBroughtForward();
        rule();
        f.printCarry(QStringLiteral("Razem"), m_source.running().columns());
        rule();
        const QString dashes(f.textMode() ? 7 : 20, u'-');
        f.printBand(kState, {{QStringLiteral("STAN_NAZWA"), QStringLiteral("Stan poprzedni")},
                             {QStringLiteral("STAN_TEKST1"), dashes},
                             {QStringLiteral("STAN_TEKST2"), amountText(m_source.previousState())}},
                    frame::TextRole::Total);
        rule();
        f.printBand(kState, {{QStringLiteral("STAN_NAZWA"), QStringLiteral("Stan obecny")},
                             {QStringLiteral("STAN_TEKST1"), amountText(m_source.currentState())},
                             {QStringLiteral("STAN_TEKST2"), dashes}},
                    frame::TextRole::Total);
        rule();
        f.layout().setVisible(QStringLiteral("ZALACZNIKI"), m_request.kind != kCashReportCurrencyKind);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
        if (m_request.summary)
            printSummary(f);
    }

    static constexpr int kCashReportCurrencyKind = 67;

private:
    static QString amountText(const Decimal& d) { return formatPicture(QStringLiteral("@N-19_`2"), d).trimmed(); }

    void summaryLine(frame::RunFrame& f, const QString& band, const ContraSummaryRow& r)
    {
        f.printBand(band, {{QStringLiteral("PODS_KONTO"), r.account},
                           {QStringLiteral("PODS_WN"), r.sums.debit},
                           {QStringLiteral("PODS_MA"), r.sums.credit},
                           {QStringLiteral("PODS_SALDO_WN"), r.balance.debit},
                           {QStringLiteral("PODS_SALDO_MA"), r.balance.credit}},
                    band == kSummaryTotals ? frame::TextRole::Total : frame::TextRole::Row);
    }

    void printSummary(frame::RunFrame& f)
    {
        if (f.hasBand(QStringLiteral("ZMIANASTRONY")))
            f.printBand(QStringLiteral("ZMIANASTRONY"), {}, frame::TextRole::None);
        f.writer().newPage();
        f.printBand(kSummaryHeader, {}, frame::TextRole::ColumnHeadings);
        for (const ContraSummaryRow& r : m_source.summary()) {
            summaryLine(f, kSummaryLine, r);
            if (summaryPageFull(f, kSummaryLine)) {
                f.writer().newPage();
                f.printBand(kSummaryHeader, {}, frame::TextRole::ColumnHeadings);
            }
        }
        summaryLine(f, kSummaryTotals, m_source.summaryTotals());
    }

    CashRequest m_request;
    CashReportSource m_source;
    CashLine m_line;
};

} // namespace

int runCashReport(const QString& procedure, const QString& mixedCaseName, const CashRequest& request,
                  AccountEntriesQueue& queue, const CashPrinting& printing)
{
    frame::ReportDefinition d;
    d.procedure = procedure;
    d.mixedCaseName = mixedCaseName;
    d.textTitle = QStringLiteral("Raport kasowy");
    d.amountColumns = 2;
    // 14 characters per inch: the entry line with its contra account fits a 105-column line.
    d.text.detailScale = 140;
    d.text.reserveFirstPage = 7;
    d.text.reserveLaterPages = 7;
    d.carry.amountFields = {QStringLiteral("WN_R_N"), QStringLiteral("MA_R_N")};
    d.carry.pageTotalFields = {QStringLiteral("WN_PS"), QStringLiteral("MA_PS")};
    d.carry.broughtForwardFields = {QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP")};
    // The opening figures are what the first page brings forward.
    d.carry.broughtForwardOnFirstPage = true;
    d.pageFull = cashPageFull;
    d.checkBeforeEachRow = false;
    d.onOpen = [&request](frame::RunFrame& f) { f.totals().setOpening(request.opening.columns()); };
    d.closing = printing.close;
    korda::session().DANE_NAGLOWEK_WYDRUKU = request.title;
    QStringList lines;
    if (request.documentCurrency)
        lines << QStringLiteral("Kwoty w walucie dokumentu");
    // Without the host's figures the state before the report is not known: say so on the print.
    if (!request.openingGiven)
        lines << QStringLiteral("Brak stanu początkowego kasy - przyjęto 0,00");
    queueDescriptionLines(lines + request.hostDescriptions);

    frame::RunFrame frame(std::move(d), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    const qint64 total = queue.size();
    if (!printing.source.start())
        return frame.abandon();
    return frame.run({printing.next, printing.print, total});
}

int printCashReport(const CashRequest& request, AccountEntriesQueue& queue)
{
    auto run = std::make_unique<CashRun>(request, queue);
    return runCashReport(QStringLiteral("PRN_RAPORT_KASOWY_SQL"), QStringLiteral("Prn_Raport_Kasowy_SQL"), request,
                         queue,
                         {run->source(), [&run] { return run->next(); },
                          [&run](frame::RunFrame& f) { run->print(f); }, [&run](frame::RunFrame& f) { run->close(f); }});
}

} // namespace pravik::ledger
