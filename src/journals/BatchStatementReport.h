#pragma once
// The print stage of the statement of journals by batch (graphic and text printers alike).
#include "platform/DayNumber.h"

#include <QString>

namespace pravik::journals {

// Returns the response (1 completed, 2 cancelled).
int printBatchStatement(DayNumber yearStart, const QString& filter);

} // namespace pravik::journals
