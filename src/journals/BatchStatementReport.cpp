#include "journals/BatchStatementReport.h"

#include "framework/Lifecycle.h"
#include "journals/BatchStatementSource.h"
#include "journals/JournalRequest.h"
#include "journals/JournalReportSupport.h"

#include <memory>

namespace pravik::journals {

namespace {

class BatchRun {
public:
    explicit BatchRun(const JournalRequest& request)
        : m_source(request.filter, DayNumber(request.yearStart.trimmed().toLongLong()), request.options, request.company)
    {
    }

    BatchStatementSource& source() { return m_source; }
    void setBatches(QList<BatchEntry> batches) { m_batches = std::move(batches); }
    qint64 count() const { return m_batches.size(); }

    bool next()
    {
        if (m_next >= m_batches.size())
            return false;
        m_current = m_batches.at(m_next++);
        return true;
    }

    void print(frame::RunFrame& f)
    {
        // Text output runs on without page breaks of its own.
        if (!f.textMode() && 12 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 100 > f.bodyHeight()) {
            separator(f);
            f.breakPage();
        }
        const DebitCredit amounts = m_source.periodTotals(m_current.id);
        m_period += amounts;
        f.totals().add(columns(amounts));
        f.printBand(kRowBand, {
                                  {QStringLiteral("LP"), qint64(m_next)},
                                  {QStringLiteral("KOD_PACZKI"), m_current.code},
                                  {QStringLiteral("OPIS_PACZKI"), m_current.description},
                                  {QStringLiteral("KWOTA_WN"), amounts.wn},
                                  {QStringLiteral("KWOTA_MA"), amounts.ma},
                              });
    }

    // Text printing shows the opening totals at once, under the first page's headings.
    void afterHeadings(frame::RunFrame& f)
    {
        if (f.textMode() && !m_openingShown) {
            m_openingShown = true;
            f.printBroughtForward();
        }
    }

    void close(frame::RunFrame& f)
    {
        // The page foot and the brought-forward totals at the end belong to the graphic page.
        const frame::TextRole graphicOnly = frame::TextRole::None;
        separator(f);
        f.printBand(f.definition().carry.pageTotal,
                    debitCreditValues(QStringLiteral("WN_PS"), QStringLiteral("MA_PS"), fromColumns(f.totals().page())),
                    graphicOnly);
        separator(f);
        f.printBand(kPeriodTotalBand, debitCreditValues(QStringLiteral("WN_R"), QStringLiteral("MA_R"), m_period),
                    frame::TextRole::Total);
        separator(f);
        f.printBand(f.definition().carry.broughtForward,
                    debitCreditValues(QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP"),
                                      fromColumns(f.totals().broughtForward())),
                    graphicOnly);
        separator(f);
        const DebitCredit cumulative = fromColumns(f.totals().running());
        f.printCarry(QStringLiteral("Razem"), columns(cumulative));
        separator(f);
        const DebitCredit opening = m_source.openingBalances();
        f.printCarry(QStringLiteral("BO"), columns(opening));
        separator(f);
        f.printCarry(QStringLiteral("Razem z BO"), columns(opening + cumulative));
        separator(f);
        f.printBand(kEndBand, {}, frame::TextRole::Plain);
    }

private:
    static void separator(frame::RunFrame& f) { f.printBand(kSeparatorBand, {}, frame::TextRole::None); }

    BatchStatementSource m_source;
    QList<BatchEntry> m_batches;
    qsizetype m_next = 0;
    BatchEntry m_current;
    DebitCredit m_period;
    bool m_openingShown = false;
};

} // namespace

int printBatchStatement(const JournalRequest& request)
{
    const QString procedure = QStringLiteral("PRN_73_DZIENNIK");
    const QString mixedCase = QStringLiteral("Prn_73_Dziennik");
    enterProcedure(mixedCase);
    auto run = std::make_unique<BatchRun>(request);

    frame::ReportDefinition def = journalDefinition(procedure, mixedCase, true, request.options.yearName.text());
    // Page 1 has no "Z przeniesienia" in its foot.
    def.carry.broughtForwardOnFirstPage = false;
    def.text.detailScale = 150;
    def.text.headingScale = 100;
    def.text.companyBlockScale = 100;
    def.afterColumnHeadings = [&run](frame::RunFrame& f) { run->afterHeadings(f); };
    def.closing = [&run](frame::RunFrame& f) { run->close(f); };
    frame::RunFrame frame(std::move(def), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;

    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    run->setBatches(run->source().batches());
    frame.totals().setOpening(columns(run->source().openingTotals()));
    return frame.run({[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }, run->count()});
}

} // namespace pravik::journals
