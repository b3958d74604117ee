#pragma once
// The print stage of the statement of journals by batch (graphic and text printers alike).
#include "journals/JournalRequest.h"

namespace pravik::journals {

// Returns the response (1 completed, 2 cancelled).
int printBatchStatement(const JournalRequest& request);

} // namespace pravik::journals
