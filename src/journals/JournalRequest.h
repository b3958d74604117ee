#pragma once
// What a journal is asked for. The journal variables (the window's choices of year, period and
// batch, and its four switches) travel in the request with the procedure's own arguments: the
// boundary (the journal window, a host's call, the command line) builds it once, and the
// journals read nothing else for their inputs.
#include "framework/OutputTarget.h"
#include "platform/DayNumber.h"
#include "siblings/korda/FixedText.h"

#include <QString>
#include <QtGlobal>

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

// The arguments of a journal procedure (see JournalProcedures.h) with the journal variables.
struct JournalRequest {
    JournalOptions options;
    QString yearStart;  // day number of the first day of the fiscal year's first month, in text
    QString filter;     // table-prefixed condition
    QString title;      // DANE_NAGLOWEK_WYDRUKU
    quint8 sort = 4;    // document order 1..4
    bool whole = false; // text-printer journal: the whole journal of the period
    qint32 company = 0; // DANE_ID_FIRMY
    frame::OutputTarget output;
};

} // namespace pravik::journals
