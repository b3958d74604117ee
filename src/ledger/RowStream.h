#pragma once
// The row query of a ledger print streams through VAY_FK, one row at a time.
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::ledger {

// Moves VAY_FK to the next row of the running query. At the end, or when reading fails (shown
// once), the buffer is closed, reading becomes false and false is returned.
inline bool nextRow(bool& reading)
{
    if (!reading)
        return false;
    if (korda::VAY_FK.next() == 0)
        return true;
    utilka::checkSql();
    korda::VAY_FK.close();
    reading = false;
    return false;
}

} // namespace pravik::ledger
