#include "ledger/CashReportSource.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/TextServices.h"

#include <QSet>

#include <algorithm>

namespace pravik::ledger {

namespace {

// The position cache lives for the report, but a year's cash book meets tens of thousands of
// documents: beyond this many the cache starts again (a document comes back after at most one
// more read), so memory stays flat however long the report is.
constexpr int kDocumentsKept = 4096;
// Entries read ahead: their documents' positions come in one query instead of one per document.
constexpr int kReadAhead = 256;

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

std::optional<Amounts> cashOpeningFigures(qint32 company, qint32 year, const QString& account, DayNumber firstPeriod)
{
    Amounts out;
    const bool ok = utilka::EXECVAX(QStringLiteral("select sum(kwota_wn), sum(kwota_ma) from POZ_DOK_VIEW_UNION where id_firmy=%1 "
                                                   "AND id_lata_obrot=%2 AND konto=%3 AND data_okresu<%4")
                                        .arg(sql::sqlNumber(company), sql::sqlNumber(year), sql::sqlText(account.trimmed()),
                                             sql::sqlNumber(firstPeriod)));
    if (ok && korda::VAX_FK.next() == 0)
        out = {korda::VAX_FK.dec(1), korda::VAX_FK.dec(2)};
    const bool failed = !ok || (utilka::errorCode() != 0 && utilka::errorCode() != 33);
    korda::VAX_FK.close();
    if (failed)
        return std::nullopt;
    return out;
}

CashReportSource::CashReportSource(const CashRequest& request, AccountEntriesQueue& queue) : m_request(request), m_queue(queue) {}

ContraAccountFinder& CashReportSource::finder()
{
    if (!m_finder)
        m_finder = std::make_unique<ContraAccountFinder>(m_request.company);
    return *m_finder;
}

bool CashReportSource::readAhead()
{
    AccountEntry e;
    while (m_ahead.size() < size_t(kReadAhead) && m_queue.next(e))
        m_ahead.push_back(e);
    if (m_ahead.empty())
        return false;
    if (!m_request.contraAccounts)
        return true;
    // A new batch may start the cache again: every document of the batch is then read below.
    if (m_finder && m_finder->documentsRead() + kReadAhead > kDocumentsKept)
        m_finder.reset();
    ContraAccountFinder& f = finder();
    // Documents in the order the entries meet them, so that the same report asks the same
    // questions in the same order every time.
    QList<QPair<qint64, qint32>> documents;
    QSet<qint64> seen;
    QStringList ids;
    for (const AccountEntry& a : m_ahead)
        if (!f.hasDocument(a.documentId) && !seen.contains(a.documentId)) {
            seen.insert(a.documentId);
            documents.append({a.documentId, a.year});
            ids << sql::sqlNumber(a.documentId);
        }
    if (ids.isEmpty())
        return true;
    QHash<qint64, QList<DocumentPosition>> read;
    const bool ok = utilka::EXECVAX(QStringLiteral("select id_nag_dok, id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK "
                                                   "with (NOLOCK) where id_nag_dok in (%1) order by id_nag_dok asc, nr_poz_dok asc")
                                        .arg(ids.join(u',')));
    while (ok && utilka::NEXT(korda::VAX_FK) == 0) {
        DocumentPosition p;
        p.positionId = korda::VAX_FK.number(2);
        p.debitAccount = korda::VAX_FK.text(3).trimmed();
        p.creditAccount = korda::VAX_FK.text(4).trimmed();
        p.debit = korda::VAX_FK.dec(5);
        p.credit = korda::VAX_FK.dec(6);
        read[korda::VAX_FK.number(1)].append(p);
    }
    // A failed read leaves the documents to the finder, which reads (and reports) them one by one.
    const bool failed = !utilka::checkSql();
    korda::VAX_FK.close();
    if (failed)
        return true;
    for (const auto& [id, year] : std::as_const(documents))
        f.addDocument(id, read.take(id), year);
    return true;
}

bool CashReportSource::start()
{
    m_totals = {};
    m_summary.clear();
    m_rowNumber = 0;
    m_ahead.clear();
    m_finder.reset();
    return m_queue.start();
}

bool CashReportSource::next(CashLine& line)
{
    if (m_ahead.empty() && !readAhead())
        return false;
    line.entry = std::move(m_ahead.front());
    m_ahead.pop_front();
    const AccountEntry& e = line.entry;
    line.amounts = m_request.documentCurrency ? e.currency : e.base;
    m_totals += line.amounts;
    line.rowNumber = ++m_rowNumber;
    if (!m_request.contraAccounts || (e.side != 0 && e.side != 1)) {
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
