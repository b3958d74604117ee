#pragma once
// The journals the journal window can call, as a table: the window calls whatever the table
// holds, so a host or a test can put its own entries in (a recording stand-in, a journal run on
// another thread). standard() holds the module's journals behind the exported procedures
// (framework/ReportProcedures.h).
#include "journals/JournalRequest.h"

#include <functional>

namespace pravik::journals {

struct JournalProcedureTable {
    // The window's request: year start, filter, title, sort (and, for the text-printer journal,
    // whole) as the procedure's arguments, with the journal variables. Returns the response
    // (1 completed, 2 cancelled or failed).
    using Journal = std::function<int(const JournalRequest& request)>;

    Journal PRN_71_DZIENNIK_P_K;
    Journal PRN_71_DZIENNIK_P_J;
    Journal PRN_71_DZIENNIK_P_TXT;
    Journal PRN_72_DZIENNIK_S_K;
    Journal PRN_72_DZIENNIK_S_J;
    Journal PRN_73_DZIENNIK;

    // The module's journals.
    static JournalProcedureTable standard();
};

} // namespace pravik::journals
