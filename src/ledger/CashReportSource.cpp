#include "ledger/CashReportSource.h"

#include "siblings/utilka/TextServices.h"

#include <algorithm>

namespace pravik::ledger {

namespace {

// The position cache lives for the report, but a year's cash book meets tens of thousands of
// documents: beyond this many the cache starts again (a document comes back after at most one
// more read), so memory stays flat however long the report is.
constexpr int kDocumentsKept = 4096;

} // namespace

ContraPieces contraPieces(const QString& text, int width, int maxContinuation)
{
    ContraPieces out;
    const QStringList pieces = utilka::cutIntoPieces(QStringLiteral(","), text, width);
    if (pieces.isEmpty())
        return out;
    out.first = pieces.first();
    const qsizetype rest = pieces.size() - 1;
    for (qsizetype i = 1; i <= qMin<qsizetype>(rest, maxContinuation); ++i)
        out.continuation << pieces.at(i);
    // The last continuation line gives way to "..." only when something is left unprinted.
    if (rest > maxContinuation && maxContinuation > 0)
        out.continuation.last() = QStringLiteral("...");
    return out;
}

CashReportSource::CashReportSource(const CashRequest& request, AccountEntriesQueue& queue) : m_request(request), m_queue(queue) {}

ContraAccountFinder& CashReportSource::finder()
{
    if (!m_finder || m_finder->documentsRead() >= kDocumentsKept)
        m_finder = std::make_unique<ContraAccountFinder>(m_request.company);
    return *m_finder;
}

bool CashReportSource::start()
{
    m_totals = {};
    m_summary.clear();
    m_rowNumber = 0;
    return m_queue.start();
}

bool CashReportSource::next(CashLine& line)
{
    if (!m_queue.next(line.entry))
        return false;
    const AccountEntry& e = line.entry;
    line.amounts = m_request.documentCurrency ? e.currency : e.base;
    m_totals += line.amounts;
    line.rowNumber = ++m_rowNumber;
    if (e.side != 0 && e.side != 1) {
        line.contraText.clear();
        line.contra = {};
        return true;
    }
    const bool receipt = e.side == 0;
    const ContraAccounts contra = finder().find(e.documentId, e.positionId, receipt ? EntrySide::Debit : EntrySide::Credit, e.year);
    line.contraText = contra.text;
    for (const ContraAccounts::Part& p : contra.parts) {
        Amounts& row = m_summary[p.account.left(60)];
        if (receipt)
            row.credit += p.amount;
        else
            row.debit += p.amount;
    }
    line.contra = contraPieces(contra.text);
    return true;
}

QList<ContraSummaryRow> CashReportSource::summary() const
{
    QList<ContraSummaryRow> rows;
    rows.reserve(m_summary.size());
    for (auto it = m_summary.cbegin(); it != m_summary.cend(); ++it)
        rows.append({it.key(), it.value(), net(it.value())});
    return rows;
}

ContraSummaryRow CashReportSource::summaryTotals() const
{
    ContraSummaryRow t;
    t.account = QStringLiteral("Razem");
    for (auto it = m_summary.cbegin(); it != m_summary.cend(); ++it) {
        t.sums += it.value();
        t.balance += net(it.value());
    }
    return t;
}

} // namespace pravik::ledger
