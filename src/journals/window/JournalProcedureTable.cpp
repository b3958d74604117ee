#include "journals/window/JournalProcedureTable.h"

#include "journals/BatchStatementReport.h"
#include "journals/DocumentJournalReport.h"
#include "journals/PostingJournalReport.h"

namespace pravik::journals {

JournalProcedureTable JournalProcedureTable::standard()
{
    JournalProcedureTable t;
    auto posting = [](PostingJournalKind kind) {
        return [kind](const JournalRequest& r) { return printPostingJournal(kind, r); };
    };
    t.PRN_71_DZIENNIK_P_K = posting(PostingJournalKind::Batch);
    t.PRN_71_DZIENNIK_P_J = posting(PostingJournalKind::Whole);
    t.PRN_71_DZIENNIK_P_TXT = posting(PostingJournalKind::Text);
    t.PRN_72_DZIENNIK_S_K = [](const JournalRequest& r) { return printDocumentJournal(false, r); };
    t.PRN_72_DZIENNIK_S_J = [](const JournalRequest& r) { return printDocumentJournal(true, r); };
    t.PRN_73_DZIENNIK = printBatchStatement;
    return t;
}

} // namespace pravik::journals
