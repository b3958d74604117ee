#include "journals/JournalProcedures.h"

#include "journals/BatchStatementReport.h"
#include "journals/DocumentJournalReport.h"
#include "journals/PostingJournalReport.h"
#include "siblings/korda/Session.h"

namespace pravik {

namespace {

using journals::PostingJournalKind;

// The title argument is the window's DANE_NAGLOWEK_WYDRUKU; a host that passes its own title
// gets it printed.
void useTitle(const QString& title)
{
    korda::session().DANE_NAGLOWEK_WYDRUKU = title;
}

void postingJournal(PostingJournalKind kind, const QString& filter, const QString& title, quint8 sort, bool whole = false)
{
    useTitle(title);
    journals::printPostingJournal({kind, filter, sort, whole});
}

} // namespace

void PRN_71_DZIENNIK_P_K(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort)
{
    postingJournal(PostingJournalKind::Batch, filter, title, sort);
}

void PRN_71_DZIENNIK_P_J(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort)
{
    postingJournal(PostingJournalKind::Whole, filter, title, sort);
}

void PRN_71_DZIENNIK_P_K1(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort)
{
    postingJournal(PostingJournalKind::BatchCompact, filter, title, sort);
}

void PRN_71_DZIENNIK_P_TXT(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort,
                           quint8 whole)
{
    postingJournal(PostingJournalKind::Text, filter, title, sort, whole == 1);
}

void PRN_72_DZIENNIK_S_K(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort)
{
    useTitle(title);
    journals::printDocumentJournal(false, filter, sort);
}

void PRN_72_DZIENNIK_S_J(const QString& /*yearStart*/, const QString& filter, const QString& title, quint8 sort)
{
    useTitle(title);
    journals::printDocumentJournal(true, filter, sort);
}

void PRN_73_DZIENNIK(const QString& yearStart, const QString& filter, const QString& title)
{
    useTitle(title);
    journals::printBatchStatement(DayNumber(yearStart.trimmed().toLongLong()), filter);
}

} // namespace pravik
