#pragma once
// The print stage of the posting journals: the graphic journal (of a batch, of the whole
// period, compact) and the text-printer journal, on the run frame.
#include "journals/PostingJournalSource.h"

#include <QString>

namespace pravik::journals {

struct PostingJournalRequest {
    PostingJournalKind kind = PostingJournalKind::Batch;
    QString filter;
    quint8 sort = 4;
    bool whole = false; // text-printer journal: the whole journal of the period
};

// Prints the journal; the response (1 completed, 2 cancelled).
int printPostingJournal(const PostingJournalRequest& request);

} // namespace pravik::journals

namespace pravik::journals::detail {
int printGraphicPostingJournal(const PostingJournalRequest& request);
int printTextPostingJournal(const PostingJournalRequest& request);
} // namespace pravik::journals::detail
