// The posting journal for text (matrix) printers: one line band for the document lines and the
// posting lines alike, text-line page breaks on cut sheets.
#include "framework/Lifecycle.h"
#include "journals/JournalRequest.h"
#include "journals/JournalReportSupport.h"
#include "journals/PostingJournalReport.h"

#include <memory>

namespace pravik::journals {

namespace {

class TextRun {
public:
    explicit TextRun(const JournalRequest& request)
        : m_options(request.options),
          m_source(PostingJournalKind::Text, request.filter, request.sort, request.whole, request.options,
                   request.company)
    {
    }

    PostingJournalSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        if (m_line.newDocument) {
            pageCheck(f);
            if (m_haveDocument && m_options.CZY_SUMOWANIE == 1)
                printDocumentTotal(f);
            f.printBand(kSeparatorBand, {}, frame::TextRole::None);
            pageCheck(f);
            f.printBand(kRowBand, documentLine());
            f.printBand(kSeparatorBand, {}, frame::TextRole::None);
            m_document = {};
            m_haveDocument = true;
        }
        pageCheck(f);
        m_document += m_line.counted;
        m_period += m_line.counted;
        f.totals().add(columns(m_line.counted));
        f.printBand(kRowBand, postingLine());
    }

    void close(frame::RunFrame& f)
    {
        if (m_options.CZY_SUMOWANIE == 1 && m_haveDocument)
            printDocumentTotal(f);
        f.printPageTotal();
        f.printBand(kPeriodTotalBand, debitCreditValues(QStringLiteral("WN_R"), QStringLiteral("MA_R"), m_period),
                    frame::TextRole::Total);
        f.printBroughtForward();
        f.printCarry(QStringLiteral("Razem"), f.totals().running());
        f.printBand(kEndBand, {}, frame::TextRole::Plain);
    }

private:
    // Text printing breaks cut sheets by the line count; graphic output by the posting
    // journal's rule (the frame knows both).
    static void pageCheck(frame::RunFrame& f) { f.checkPage(); }

    void printDocumentTotal(frame::RunFrame& f)
    {
        f.printBand(kSeparatorBand, {}, frame::TextRole::None);
        f.printBand(kDocumentTotalBand, debitCreditValues(QStringLiteral("WN_PD"), QStringLiteral("MA_PD"), m_document),
                    frame::TextRole::Row);
    }

    frame::FieldValues documentLine() const
    {
        return {
            {QStringLiteral("NR_DZIENNIKA"), m_line.journalNumber},
            {QStringLiteral("KOD_PACZKI"), m_line.batchCode},
            {QStringLiteral("NR_EWID_DOK"), m_line.registerNumber},
            {QStringLiteral("DATA_BIEZACA"), qint64(m_line.postingDate)},
            {QStringLiteral("NR_DOK_ORG"), m_line.documentNumber},
            {QStringLiteral("DATA_DOK_ORG"), qint64(m_line.documentDate)},
            {QStringLiteral("SYGNATURA"), m_line.signature},
            {QStringLiteral("OPIS"), m_line.description.piece},
            {QStringLiteral("KWOTA_WN"), Decimal()},
            {QStringLiteral("KONTO_WN"), QString()},
            {QStringLiteral("KWOTA_MA"), Decimal()},
            {QStringLiteral("KONTO_MA"), QString()},
        };
    }

    frame::FieldValues postingLine() const
    {
        return {
            {QStringLiteral("NR_DZIENNIKA"), qint64(0)},
            {QStringLiteral("KOD_PACZKI"), QString()},
            {QStringLiteral("NR_EWID_DOK"), QString()},
            {QStringLiteral("DATA_BIEZACA"), qint64(0)},
            {QStringLiteral("NR_DOK_ORG"), QString()},
            {QStringLiteral("DATA_DOK_ORG"), qint64(0)},
            {QStringLiteral("SYGNATURA"), QString()},
            {QStringLiteral("OPIS"), m_line.lineText.piece},
            {QStringLiteral("KWOTA_WN"), m_line.debit},
            {QStringLiteral("KONTO_WN"), m_line.debitAccount.piece},
            {QStringLiteral("KWOTA_MA"), m_line.credit},
            {QStringLiteral("KONTO_MA"), m_line.creditAccount.piece},
        };
    }

    JournalOptions m_options;
    PostingJournalSource m_source;
    PostingLine m_line;
    bool m_haveDocument = false;
    DebitCredit m_document;
    DebitCredit m_period;
};

} // namespace

int detail::printTextPostingJournal(const JournalRequest& request)
{
    const QString procedure = QStringLiteral("PRN_71_DZIENNIK_P_TXT");
    const QString mixedCase = QStringLiteral("Prn_71_Dziennik_P_TXT");
    enterProcedure(mixedCase);
    auto run = std::make_unique<TextRun>(request);

    frame::ReportDefinition def = journalDefinition(procedure, mixedCase, true, request.options.yearName.text());
    def.carry.rule.clear();
    def.text.detailScale = 190;
    def.text.headingScale = 100;
    def.text.companyBlockScale = 100;
    def.closing = [&run](frame::RunFrame& f) { run->close(f); };
    frame::RunFrame frame(std::move(def), request.output);
    if (!frame.start())
        return frame::kResponseCancelled;

    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    frame.totals().setOpening(columns(run->source().openingTotals()));
    const qint64 total = run->source().count();
    run->source().start();
    return frame.run({[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }, total});
}

} // namespace pravik::journals
