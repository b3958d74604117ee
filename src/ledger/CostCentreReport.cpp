#include "ledger/CostCentreReport.h"

#include "framework/RunFrame.h"
#include "ledger/CostCentreSource.h"
#include "ledger/LedgerPage.h"
#include "siblings/korda/Session.h"

#include <memory>

namespace pravik::ledger {

namespace {

const QString kLine = QStringLiteral("LINIA");
const QString kRow = QStringLiteral("POZYCJA");
const QString kTotals = QStringLiteral("RAZEM");
const QString kSummaryHeader = QStringLiteral("PODS_NAGLOWEK");
const QString kSummaryLine = QStringLiteral("PODS_POZYCJA");
const QString kSummaryTotals = QStringLiteral("PODS_RAZEM");

class CostCentreRun {
public:
    explicit CostCentreRun(const LedgerRequest& request) : m_request(request), m_source(request) {}

    CostCentreSource& source() { return m_source; }
    bool next() { return m_source.next(m_row); }

    void print(frame::RunFrame& f)
    {
        if (m_request.settings.onlySummary)
            return;
        f.checkPage();
        f.totals().add(m_row.amounts.columns());
        frame::FieldValues v{{QStringLiteral("LP"), m_row.rowNumber},
                             {QStringLiteral("KWOTA_WN"), m_row.amounts.debit},
                             {QStringLiteral("KWOTA_MA"), m_row.amounts.credit},
                             {QStringLiteral("OPIS_POZ"), m_row.text}};
        if (m_source.statement()) {
            for (int i = 0; i < 5; ++i)
                v.insert(QStringLiteral("WSKAZNIK_%1").arg(i + 1), m_row.indicators[i]);
            v.insert(QStringLiteral("SCIEZKA"), m_row.path);
        } else {
            v.insert(QStringLiteral("NR_EWID_DOK"), m_row.registerNumber);
            v.insert(QStringLiteral("DATA_BIEZACA"), qint64(m_row.postingDate));
            v.insert(QStringLiteral("NR_DOK_ORG"), m_row.documentNumber);
            v.insert(QStringLiteral("DATA_DOK_ORG"), qint64(m_row.documentDate));
            v.insert(QStringLiteral("NR_POZ"), m_row.positionNumber);
            v.insert(QStringLiteral("DATA_OPER_GOSP"), qint64(m_row.operationDate));
            v.insert(QStringLiteral("DZIENNIK"), m_row.journalCode);
        }
        f.printBand(kRow, v);
    }

    void close(frame::RunFrame& f)
    {
        if (!m_request.settings.onlySummary) {
            f.printBand(kLine, {}, frame::TextRole::None);
            totals(f, kTotals, QStringLiteral("Razem"), m_source.totals());
            f.printBand(kLine, {}, frame::TextRole::None);
        }
        if (m_request.settings.summary)
            printSummary(f);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
    }

private:
    static void totals(frame::RunFrame& f, const QString& band, const QString& label, const Amounts& a)
    {
        f.printBand(band, {{QStringLiteral("RAZEM_NAZWA"), label},
                           {QStringLiteral("RAZEM_WN"), a.debit},
                           {QStringLiteral("RAZEM_MA"), a.credit}},
                    frame::TextRole::Total);
    }

    static QString groupHeading(bool statement, int group)
    {
        if (statement)
            return group == 0 ? QStringLiteral("Wskaźnik (strukt. drzewiasta)") : QStringLiteral("Wskaźnik nr %1").arg(group);
        return group == 0 ? QStringLiteral("Okres obrotowy") : QStringLiteral("Konto");
    }

    void printSummary(frame::RunFrame& f)
    {
        const QList<CostCentreSummaryRow> rows = m_source.summary();
        if (!m_request.settings.onlySummary)
            f.writer().newPage();
        const bool statement = m_source.statement();
        int group = -1;
        Amounts sums;
        Amounts running;
        auto header = [&](int g) {
            f.layout().setVisible(QStringLiteral("PL_NAZWA"), !statement && g == 1);
            f.printBand(kSummaryHeader, {{QStringLiteral("PODS_KLUCZ_NAGL"), groupHeading(statement, g)}}, frame::TextRole::ColumnHeadings);
        };
        for (const CostCentreSummaryRow& r : rows) {
            if (r.group != group) {
                if (group >= 0)
                    totals(f, kSummaryTotals, QStringLiteral("Razem"), sums);
                group = r.group;
                sums = {};
                running = {};
                header(group);
            }
            f.printBand(kSummaryLine, {{QStringLiteral("PODS_KLUCZ"), r.label},
                                       {QStringLiteral("PODS_NAZWA"), r.name},
                                       {QStringLiteral("PODS_WN"), r.sums.debit},
                                       {QStringLiteral("PODS_MA"), r.sums.credit}});
            sums += r.sums;
            running += r.sums;
            if (summaryPageFull(f, kSummaryLine)) {
                totals(f, kSummaryTotals, QStringLiteral("Razem narastająco"), running);
                f.writer().newPage();
                header(group);
            }
        }
        if (group >= 0)
            totals(f, kSummaryTotals, QStringLiteral("Razem"), sums);
        f.layout().setVisible(QStringLiteral("PL_NAZWA"), false);
    }

    LedgerRequest m_request;
    CostCentreSource m_source;
    CostCentreRow m_row;
};

} // namespace

int printCostCentreReport(const LedgerRequest& request)
{
    auto run = std::make_unique<CostCentreRun>(request);
    const bool statement = request.control.kind == kCostCentreStatement;
    queueDescriptionLines(run->source().descriptionLines());

    frame::ReportDefinition d = ledgerDefinition(statement ? QStringLiteral("PRN_2_MPK_SQL") : QStringLiteral("PRN_1_MPK_SQL"),
                                                 statement ? QStringLiteral("Prn_2_Mpk_SQL") : QStringLiteral("Prn_1_Mpk_SQL"), request,
                                                 {QStringLiteral("WN_R_N"), QStringLiteral("MA_R_N")},
                                                 {QStringLiteral("WN_PS"), QStringLiteral("MA_PS")},
                                                 {QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP")});
    if (request.settings.onlySummary)
        d.furniture.columnHeadings.clear();
    const auto opened = d.onOpen;
    d.onOpen = [opened](frame::RunFrame& f) {
        opened(f);
        f.layout().setVisible(QStringLiteral("PL_NAZWA"), false);
    };
    d.closing = [&run](frame::RunFrame& f) { run->close(f); };
    return runLedgerPrint(
        std::move(d), request, [&run] { return run->source().count(); }, [&run] { return run->source().start(); },
        {[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }});
}

} // namespace pravik::ledger
