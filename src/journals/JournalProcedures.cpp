#include "journals/JournalProcedures.h"

#include "journals/BatchStatementReport.h"
#include "journals/DocumentJournalReport.h"
#include "journals/JournalVariables.h"
#include "journals/PostingJournalReport.h"
#include "siblings/korda/Session.h"

namespace pravik {

namespace {

using journals::JournalRequest;
using journals::PostingJournalKind;

// A host's call: the journal variables the module keeps (the session's year and period until a
// window has chosen them), the title argument as the printed title.
JournalRequest hostRequest(const QString& yearStart, const QString& filter, const QString& title, quint8 sort,
                           bool whole = false)
{
    korda::Session& s = korda::session();
    JournalRequest r;
    r.options = journals::journalVariables();
    if (r.options.yearId == 0) {
        r.options.yearId = s.DANE_LATA_OBROTOWE;
        r.options.periodDate = s.DANE_DATA_OKRESU;
        r.options.yearName = s.DANE_LATA_OBROT_NAZWA;
    }
    r.yearStart = yearStart;
    r.filter = filter;
    r.title = title;
    r.sort = sort;
    r.whole = whole;
    r.company = s.DANE_ID_FIRMY;
    r.output = frame::OutputTarget::fromSession(s);
    s.DANE_NAGLOWEK_WYDRUKU = title;
    return r;
}

} // namespace

void PRN_71_DZIENNIK_P_K(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)
{
    journals::printPostingJournal(PostingJournalKind::Batch, hostRequest(yearStart, filter, title, sort));
}

void PRN_71_DZIENNIK_P_J(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)
{
    journals::printPostingJournal(PostingJournalKind::Whole, hostRequest(yearStart, filter, title, sort));
}

void PRN_71_DZIENNIK_P_K1(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)
{
    journals::printPostingJournal(PostingJournalKind::BatchCompact, hostRequest(yearStart, filter, title, sort));
}

void PRN_71_DZIENNIK_P_TXT(const QString& yearStart, const QString& filter, const QString& title, quint8 sort,
                           quint8 whole)
{
    journals::printPostingJournal(PostingJournalKind::Text, hostRequest(yearStart, filter, title, sort, whole == 1));
}

void PRN_72_DZIENNIK_S_K(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)
{
    journals::printDocumentJournal(false, hostRequest(yearStart, filter, title, sort));
}

void PRN_72_DZIENNIK_S_J(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)
{
    journals::printDocumentJournal(true, hostRequest(yearStart, filter, title, sort));
}

void PRN_73_DZIENNIK(const QString& yearStart, const QString& filter, const QString& title)
{
    journals::printBatchStatement(hostRequest(yearStart, filter, title, 4));
}

} // namespace pravik
