#pragma once
// The print stage of the document journal (graphic and text printers alike).
#include "journals/JournalRequest.h"

namespace pravik::journals {

// wholeJournal: the journal of the whole period with each document's batch; else one batch.
// Returns the response (1 completed, 2 cancelled).
int printDocumentJournal(bool wholeJournal, const JournalRequest& request);

} // namespace pravik::journals
