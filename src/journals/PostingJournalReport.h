#pragma once
// The print stage of the posting journals: the graphic journal (of a batch, of the whole
// period, compact) and the text-printer journal, on the run frame.
#include "journals/PostingJournalSource.h"

#include <QString>

namespace pravik::journals {

// Prints the journal; the response (1 completed, 2 cancelled).
int printPostingJournal(PostingJournalKind kind, const JournalRequest& request);

} // namespace pravik::journals

namespace pravik::journals::detail {
int printGraphicPostingJournal(PostingJournalKind kind, const JournalRequest& request);
int printTextPostingJournal(const JournalRequest& request);
} // namespace pravik::journals::detail
