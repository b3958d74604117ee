#pragma once
// The module-level variables the journal window shares with the journal procedures: the window
// sets them just before it calls a journal, the journal reads them. Like the session context
// they are instanced per thread (a journal run on another thread starts from a copy, see
// carryJournalOptions); the four option switches keep their values for the life of the module
// (of the thread), so the window shows the last choices again.
#include "platform/DayNumber.h"
#include "siblings/korda/FixedText.h"

#include <QtGlobal>
#include <utility>

namespace pravik::journals {

struct JournalOptions {
    // The chosen fiscal year (id_lata_obrot).
    qint32 yearId = 0;
    // The chosen period (data_okresu): day 2 of a month, day 28 of the last month for "BZ",
    // day 1 for the opening period.
    DayNumber periodDate = 0;
    // Printed as "Rok obrotowy: " & name.
    korda::String<51> yearName;
    // The chosen partial journal (id_paczka of PACZKA); 0 = none chosen.
    qint32 batchId = 0;

    // 1 = print a total after each document.
    quint8 CZY_SUMOWANIE = 0;
    // 1 = postings on off-balance accounts count in the totals.
    quint8 PRN_SUMUJ_POZABILANSOWE = 0;
    // 1 = renumber the journal's documents from CZY_NUMEROWANIE_WARTOSC.
    quint8 CZY_NUMEROWANIE = 0;
    qint32 CZY_NUMEROWANIE_WARTOSC = 0;
};

// The calling thread's journal variables.
JournalOptions& journalOptions();

// Wraps fn so that, wherever it runs, it first takes a copy of the journal variables of the
// thread that wrapped it (combine with korda::carrySession for the session context).
template <typename Fn>
auto carryJournalOptions(Fn fn)
{
    return [copy = journalOptions(), fn = std::move(fn)]() mutable {
        journalOptions() = copy;
        return fn();
    };
}

} // namespace pravik::journals
