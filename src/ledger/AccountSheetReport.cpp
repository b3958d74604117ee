#include "ledger/AccountSheetReport.h"

#include "framework/RunFrame.h"
#include "ledger/AccountSheetSource.h"
#include "ledger/LedgerPage.h"
#include "siblings/korda/Session.h"

#include <memory>

namespace pravik::ledger {

namespace {

const QString kLine = QStringLiteral("LINIA");
const QString kPosting = QStringLiteral("POZYCJA");
const QString kTotals = QStringLiteral("RAZEM");
const QString kPeriodTotals = QStringLiteral("RAZEM_OKRES");
const QString kSummaryHeader = QStringLiteral("PODS_NAGLOWEK");
const QString kSummaryLine = QStringLiteral("PODS_POZYCJA");
const QString kSummaryTotals = QStringLiteral("PODS_RAZEM");

frame::FieldValues totalsValues(const QString& label, const Amounts& a)
{
    return {{QStringLiteral("RAZEM_NAZWA"), label.left(19)}, {QStringLiteral("RAZEM_WN"), a.debit},
            {QStringLiteral("RAZEM_MA"), a.credit}};
}

frame::FieldValues periodValues(const QString& label, const Amounts& a)
{
    return {{QStringLiteral("OKRES_NAZWA"), label.left(100)}, {QStringLiteral("OKRES_WN"), a.debit},
            {QStringLiteral("OKRES_MA"), a.credit}};
}

class SheetRun {
public:
    explicit SheetRun(const LedgerRequest& request) : m_request(request), m_source(request) {}

    AccountSheetSource& source() { return m_source; }
    void setOpening(const OpeningFigures& o) { m_opening = o; }

    bool next() { return m_source.next(m_line); }

    // After the column headings: on the first page the opening figures of a one-period sheet.
    void afterHeadings(frame::RunFrame& f)
    {
        if (m_openingPrinted)
            return;
        m_openingPrinted = true;
        if (m_request.periodDate == 0)
            return;
        f.printBand(kPeriodTotals, periodValues(QStringLiteral("Bilans otwarcia"), m_opening.openingBalance));
        f.printBand(kPeriodTotals, periodValues(QStringLiteral("Z przeniesienia"), m_opening.broughtForward));
    }

    void print(frame::RunFrame& f)
    {
        if (m_request.settings.onlySummary)
            return;
        f.checkPage();
        f.totals().add(m_line.amounts.columns());
        const DayNumber dateColumn = m_request.settings.approvedFigures >= 1 ? m_line.postingDate : m_line.approvalDate;
        f.printBand(kPosting, {
                                  {QStringLiteral("LP"), m_line.rowNumber},
                                  {QStringLiteral("NR_EWID_DOK"), m_line.registerNumber},
                                  {QStringLiteral("NR_DOK_ORG"), m_line.documentNumber},
                                  {QStringLiteral("DATA_DOK_ORG"), qint64(m_line.documentDate)},
                                  {QStringLiteral("DATA_KOLUMNA"), qint64(dateColumn)},
                                  {QStringLiteral("NR_POZ"), m_line.lineNumber},
                                  {QStringLiteral("DATA_OPER_GOSP"), qint64(m_line.operationDate)},
                                  {QStringLiteral("DZIENNIK"), m_line.journalCode},
                                  {QStringLiteral("KWOTA_WN"), m_line.amounts.debit},
                                  {QStringLiteral("KWOTA_MA"), m_line.amounts.credit},
                                  {QStringLiteral("OPIS_POZ"), m_line.description},
                                  {QStringLiteral("UZYTKOWNIK"), m_line.user},
                                  {QStringLiteral("GRUPA"), m_line.group},
                              });
        if (m_request.settings.costCentreLines)
            printCostCentres(f);
    }

    void close(frame::RunFrame& f)
    {
        afterHeadings(f);
        const Amounts totals = m_source.totals();
        if (!m_request.settings.onlySummary) {
            f.printBand(kLine, {}, frame::TextRole::None);
            f.printBand(kTotals, totalsValues(m_request.periodDate == 0 ? QStringLiteral("Razem") : QStringLiteral("Razem w okresie"),
                                              totals));
            f.printBand(kLine, {}, frame::TextRole::None);
            if (m_request.periodDate == 0) {
                f.printBand(kTotals, totalsValues(QStringLiteral("Persaldo"), net(totals)));
                f.printBand(kLine, {}, frame::TextRole::None);
            } else {
                const Amounts all = m_opening.broughtForward + totals;
                f.printBand(kPeriodTotals, periodValues(QStringLiteral("Razem"), all));
                f.printBand(kPeriodTotals, periodValues(QStringLiteral("Persaldo"), net(all)));
            }
        }
        printSummary(f);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
    }

private:
    void printCostCentres(frame::RunFrame& f)
    {
        bool failed = false;
        const QList<CostCentreLine> lines = m_source.costCentreLines(m_line, &failed);
        if (lines.isEmpty())
            return;
        f.printBand(QStringLiteral("MPK_LINIA"), {}, frame::TextRole::None);
        for (const CostCentreLine& c : lines) {
            f.checkPage();
            f.printBand(QStringLiteral("MPK_POZYCJA"), {
                                                           {QStringLiteral("MPK_WN"), c.amounts.debit},
                                                           {QStringLiteral("MPK_MA"), c.amounts.credit},
                                                           {QStringLiteral("WSKAZNIK_1"), c.indicators[0]},
                                                           {QStringLiteral("WSKAZNIK_2"), c.indicators[1]},
                                                           {QStringLiteral("WSKAZNIK_3"), c.indicators[2]},
                                                           {QStringLiteral("WSKAZNIK_4"), c.indicators[3]},
                                                           {QStringLiteral("WSKAZNIK_5"), c.indicators[4]},
                                                           {QStringLiteral("SCIEZKA"), c.path},
                                                       });
        }
        f.printBand(QStringLiteral("MPK_LINIA"), {}, frame::TextRole::None);
    }

    void summaryHeader(frame::RunFrame& f)
    {
        f.printBand(kSummaryHeader, {{QStringLiteral("PODS_KLUCZ_NAGL"),
                                      m_request.periodLayout() ? QStringLiteral("Okres") : QStringLiteral("Konto")}});
    }

    void summaryTotals(frame::RunFrame& f, const QString& label, const SummaryRow& t)
    {
        f.printBand(kSummaryTotals, {{QStringLiteral("PODS_RAZEM_NAZWA"), label.left(30)},
                                     {QStringLiteral("PODS_R_WN"), t.sums.debit},
                                     {QStringLiteral("PODS_R_MA"), t.sums.credit},
                                     {QStringLiteral("PODS_R_SALDO_WN"), t.balance.debit},
                                     {QStringLiteral("PODS_R_SALDO_MA"), t.balance.credit}});
    }

    void printSummary(frame::RunFrame& f)
    {
        if (!m_request.settings.summary)
            return;
        const QList<SummaryRow> rows = m_source.summary();
        if (rows.isEmpty())
            return;
        if (!m_request.settings.onlySummary)
            f.writer().newPage();
        const bool names = !m_request.periodLayout();
        f.layout().setVisible(QStringLiteral("PN_NAZWA"), names);
        f.layout().setVisible(QStringLiteral("PL_NAZWA"), names);
        summaryHeader(f);
        SummaryRow running;
        for (const SummaryRow& r : rows) {
            if (r.posted) {
                running.sums += r.sums;
                running.balance += r.balance;
            }
            f.printBand(kSummaryLine, {{QStringLiteral("PODS_KLUCZ"), r.key},
                                       {QStringLiteral("PODS_NAZWA"), r.name},
                                       {QStringLiteral("PODS_WN"), r.sums.debit},
                                       {QStringLiteral("PODS_MA"), r.sums.credit},
                                       {QStringLiteral("PODS_SALDO_WN"), r.balance.debit},
                                       {QStringLiteral("PODS_SALDO_MA"), r.balance.credit}});
            if (summaryPageFull(f, kSummaryLine)) {
                summaryTotals(f, QStringLiteral("Razem narastająco"), running);
                f.writer().newPage();
                summaryHeader(f);
            }
        }
        summaryTotals(f, QStringLiteral("Razem"), running);
    }

    LedgerRequest m_request;
    AccountSheetSource m_source;
    OpeningFigures m_opening;
    SheetLine m_line;
    bool m_openingPrinted = false;
};

} // namespace

int printAccountSheets(const LedgerRequest& request)
{
    auto run = std::make_unique<SheetRun>(request);
    // The description lines are read before the run: the account's name is a query of its own.
    queueDescriptionLines(run->source().descriptionLines());

    frame::ReportDefinition d = ledgerDefinition(
        QStringLiteral("PRN_61_KSIEGA_SQL"), QStringLiteral("Prn_61_Ksiega_SQL"), request,
        {QStringLiteral("WN_R_N"), QStringLiteral("MA_R_N")}, {QStringLiteral("WN_PS"), QStringLiteral("MA_PS")},
        {QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP")});
    if (request.settings.onlySummary)
        d.furniture.columnHeadings.clear();
    const auto open = d.onOpen;
    d.onOpen = [&request, open](frame::RunFrame& f) {
        open(f);
        f.setValue(QStringLiteral("NS_GRUPA"), request.periodLayout() ? QStringLiteral("Okres obrotowy") : QStringLiteral("Konto"));
        f.setValue(QStringLiteral("NS_DATA_RODZAJ"),
                   request.settings.approvedFigures >= 1 ? QStringLiteral("księgowania") : QStringLiteral("zatwierdz."));
    };
    d.afterColumnHeadings = [&run](frame::RunFrame& f) { run->afterHeadings(f); };
    d.closing = [&run](frame::RunFrame& f) { run->close(f); };
    return runLedgerPrint(
        std::move(d), request, [&run] { return run->source().count(); },
        [&run, &request] {
            if (request.periodDate != 0)
                run->setOpening(run->source().opening());
            return run->source().start();
        },
        {[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }});
}

} // namespace pravik::ledger
