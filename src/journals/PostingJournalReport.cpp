#include "journals/PostingJournalReport.h"

#include "journals/JournalRequest.h"
#include "journals/JournalReportSupport.h"
#include "framework/Lifecycle.h"

#include <memory>

namespace pravik::journals {

namespace {

struct Names {
    QString procedure;
    QString mixedCase;
};

Names namesOf(PostingJournalKind kind)
{
    switch (kind) {
    case PostingJournalKind::Batch:
        return {QStringLiteral("PRN_71_DZIENNIK_P_K"), QStringLiteral("Prn_71_Dziennik_P_K")};
    case PostingJournalKind::Whole:
        return {QStringLiteral("PRN_71_DZIENNIK_P_J"), QStringLiteral("Prn_71_Dziennik_P_J")};
    case PostingJournalKind::BatchCompact:
        return {QStringLiteral("PRN_71_DZIENNIK_P_K1"), QStringLiteral("Prn_71_Dziennik_P_K1")};
    case PostingJournalKind::Text:
        break;
    }
    return {QStringLiteral("PRN_71_DZIENNIK_P_TXT"), QStringLiteral("Prn_71_Dziennik_P_TXT")};
}

// The run of one graphic posting journal: the rows' routine and the closing block.
class GraphicRun {
public:
    GraphicRun(PostingJournalKind kind, const JournalRequest& request)
        : m_options(request.options),
          m_source(kind, request.filter, request.sort, request.whole, request.options, request.company),
          m_continuation(kind != PostingJournalKind::BatchCompact)
    {
    }

    PostingJournalSource& source() { return m_source; }

    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        if (m_line.newDocument) {
            f.checkPage();
            if (m_haveDocument) {
                if (m_options.CZY_SUMOWANIE == 1)
                    printDocumentTotal(f);
                f.printBand(kSeparatorBand, {}, frame::TextRole::None);
            }
            f.checkPage();
            f.printBand(QStringLiteral("NAGLOWEK_DOK"), documentValues());
            if (m_continuation && !m_line.description.rest.isEmpty())
                f.printBand(QStringLiteral("NAGLOWEK_DOK_CD"), {{QStringLiteral("OPIS_DOK_CD"), m_line.description.rest}});
            f.printBand(kSeparatorBand, {}, frame::TextRole::None);
            m_document = {};
            m_haveDocument = true;
        }
        f.checkPage();
        m_document += m_line.counted;
        m_period += m_line.counted;
        f.totals().add(columns(m_line.counted));
        f.printBand(kRowBand, postingValues());
        if (m_continuation && m_line.hasContinuation())
            f.printBand(QStringLiteral("POZYCJA_CD"), {{QStringLiteral("TRESC_POZ_DOK_CD"), m_line.lineText.rest},
                                                        {QStringLiteral("KONTO_WN_CD"), m_line.debitAccount.rest},
                                                        {QStringLiteral("KONTO_MA_CD"), m_line.creditAccount.rest}});
    }

    // After the last row; no page check comes first.
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
    void printDocumentTotal(frame::RunFrame& f)
    {
        f.printBand(kSeparatorBand, {}, frame::TextRole::None);
        f.printBand(kDocumentTotalBand, debitCreditValues(QStringLiteral("WN_PD"), QStringLiteral("MA_PD"), m_document),
                    frame::TextRole::Total);
    }

    frame::FieldValues documentValues() const
    {
        return {
            {QStringLiteral("NR_DZIENNIKA"), m_line.journalNumber},
            {QStringLiteral("DATA_BIEZACA"), qint64(m_line.postingDate)},
            {QStringLiteral("NR_DOK_ORG"), m_line.documentNumber},
            {QStringLiteral("DATA_DOK_ORG"), qint64(m_line.documentDate)},
            {QStringLiteral("DATA_OPER_GOSP"), qint64(m_line.operationDate)},
            {QStringLiteral("SYGNATURA"), m_line.signature},
            {QStringLiteral("OPIS_DOK"), m_line.description.piece},
            {QStringLiteral("NR_EWID_DOK"), m_line.registerNumber},
            {QStringLiteral("KOD_PACZKI"), m_line.batchCode},
        };
    }

    frame::FieldValues postingValues() const
    {
        return {
            {QStringLiteral("NR_POZ_DOK"), m_line.lineNumber},
            {QStringLiteral("TRESC_POZ_DOK"), m_line.lineText.piece},
            {QStringLiteral("KWOTA_WN"), m_line.debit},
            {QStringLiteral("KWOTA_MA"), m_line.credit},
            {QStringLiteral("KONTO_WN"), m_line.debitAccount.piece},
            {QStringLiteral("KONTO_MA"), m_line.creditAccount.piece},
        };
    }

    JournalOptions m_options;
    PostingJournalSource m_source;
    bool m_continuation;
    PostingLine m_line;
    bool m_haveDocument = false;
    DebitCredit m_document;
    DebitCredit m_period;
};

} // namespace

int printPostingJournal(PostingJournalKind kind, const JournalRequest& request)
{
    return kind == PostingJournalKind::Text ? detail::printTextPostingJournal(request)
                                            : detail::printGraphicPostingJournal(kind, request);
}

int detail::printGraphicPostingJournal(PostingJournalKind kind, const JournalRequest& request)
{
    const Names names = namesOf(kind);
    enterProcedure(names.mixedCase);
    auto run = std::make_unique<GraphicRun>(kind, request);

    frame::ReportDefinition def = journalDefinition(names.procedure, names.mixedCase, true, request.options.yearName.text());
    def.carry.rule.clear(); // the posting journal's page foot has no rule lines
    def.closing = [&run](frame::RunFrame& f) { run->close(f); };
    // K, J and K1 are graphic: a text-printer request does not apply to them.
    frame::OutputTarget output = request.output;
    output.textPrinter = false;
    frame::RunFrame frame(std::move(def), std::move(output));
    if (!frame.start())
        return frame::kResponseCancelled;

    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    frame.totals().setOpening(columns(run->source().openingTotals()));
    const qint64 total = run->source().count();
    run->source().start();
    return frame.run({[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }, total});
}

} // namespace pravik::journals
