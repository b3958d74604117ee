#include "journals/DocumentJournalReport.h"

#include "framework/Lifecycle.h"
#include "journals/DocumentJournalSource.h"
#include "journals/JournalRequest.h"
#include "journals/JournalReportSupport.h"

#include <memory>

namespace pravik::journals {

namespace {

class DocumentRun {
public:
    DocumentRun(bool whole, const JournalRequest& request)
        : m_source(whole, request.filter, request.sort, request.options, request.company)
    {
    }

    DocumentJournalSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        pageCheck(f);
        m_period += m_line.amount;
        f.totals().add(0, m_line.amount);
        f.printBand(kRowBand, {
                                  {QStringLiteral("LP"), m_line.ordinal},
                                  {QStringLiteral("NR_DZIENNIKA"), m_line.journalNumber},
                                  {QStringLiteral("NR_EWID_DOK"), m_line.registerNumber},
                                  {QStringLiteral("DATA_BIEZACA"), qint64(m_line.postingDate)},
                                  {QStringLiteral("NR_DOK_ORG"), m_line.documentNumber},
                                  {QStringLiteral("DATA_DOK_ORG"), qint64(m_line.documentDate)},
                                  {QStringLiteral("DATA_OPER_GOSP"), qint64(m_line.operationDate)},
                                  {QStringLiteral("KWOTA_DOK"), m_line.amount},
                                  {QStringLiteral("OPIS_DOK"), m_line.description},
                                  {QStringLiteral("SYGNATURA"), m_line.signature},
                                  {QStringLiteral("KOD_PACZKI"), m_line.batchCode},
                              });
    }

    void close(frame::RunFrame& f)
    {
        separator(f);
        f.printPageTotal();
        separator(f);
        f.printBand(kPeriodTotalBand, {{QStringLiteral("KWOTA_R"), m_period}}, frame::TextRole::Total);
        separator(f);
        f.printBroughtForward();
        separator(f);
        f.printCarry(QStringLiteral("Razem"), f.totals().running());
        separator(f);
        f.printBand(kEndBand, {}, frame::TextRole::Plain);
    }

private:
    static void separator(frame::RunFrame& f) { f.printBand(kSeparatorBand, {}, frame::TextRole::None); }

    // Graphic: 5 × page-total height + used + 150 beyond the page body closes the page, the foot
    // starting with a separator. Text: cut sheets by the line count (the frame's rule).
    static void pageCheck(frame::RunFrame& f)
    {
        if (f.textMode()) {
            f.checkPage();
            return;
        }
        if (5 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 150 > f.bodyHeight()) {
            separator(f);
            f.breakPage();
        }
    }

    DocumentJournalSource m_source;
    DocumentLine m_line;
    Decimal m_period;
};

} // namespace

int printDocumentJournal(bool wholeJournal, const JournalRequest& request)
{
    const QString procedure = wholeJournal ? QStringLiteral("PRN_72_DZIENNIK_S_J") : QStringLiteral("PRN_72_DZIENNIK_S_K");
    const QString mixedCase = wholeJournal ? QStringLiteral("Prn_72_Dziennik_S_J") : QStringLiteral("Prn_72_Dziennik_S_K");
    enterProcedure(mixedCase);
    auto run = std::make_unique<DocumentRun>(wholeJournal, request);

    frame::ReportDefinition def = journalDefinition(procedure, mixedCase, false, request.options.yearName.text());
    def.text.detailScale = 185;
    def.text.companyBlockScale = 150;
    def.text.headingScale = 100;
    def.closing = [&run](frame::RunFrame& f) { run->close(f); };
    frame::RunFrame frame(std::move(def), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;

    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    frame.totals().setOpening({run->source().openingTotal()});
    const qint64 total = run->source().count();
    run->source().start();
    return frame.run({[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }, total});
}

} // namespace pravik::journals
