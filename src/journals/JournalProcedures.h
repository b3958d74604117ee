#pragma once
// The journal procedures a host calls. Each builds the journal's request from its arguments, the
// journal variables the module keeps (JournalVariables.h) and the session's company, and prints
// the journal through the report run frame (which reads the page furniture and the description
// lines, and empties DANE_OPIS_PRN). The journal window builds its requests itself.
//
// Arguments as the window passes them:
//   yearStart  the day number of the first day of the fiscal year's first month, in text
//   filter     a table-prefixed condition ("PDD:id_lata_obrot=7 AND PDD:data_okresu=45690"),
//              the host's own text, used as given once the prefixes are removed
//   title      the report title (DANE_NAGLOWEK_WYDRUKU)
//   sort       document order 1..4: 1 document date and number, 2 document date and register
//              number, 3 posting date and document number, 4 posting date and register number
//   whole      text-printer journal only: 1 = the whole journal of the period (opening totals
//              over all batches), 0 = the batch in the journal variables
#include <QString>
#include <QtGlobal>

namespace pravik {

// Posting journal of one partial journal (batch).
void PRN_71_DZIENNIK_P_K(const QString& yearStart, const QString& filter, const QString& title, quint8 sort);
// Posting journal of the whole period, with each document's batch code.
void PRN_71_DZIENNIK_P_J(const QString& yearStart, const QString& filter, const QString& title, quint8 sort);
// Compact posting journal of one batch: texts whole (no continuation lines), opening totals
// over all accounts.
void PRN_71_DZIENNIK_P_K1(const QString& yearStart, const QString& filter, const QString& title, quint8 sort);
// Document journal of one batch / of the whole period.
void PRN_72_DZIENNIK_S_K(const QString& yearStart, const QString& filter, const QString& title, quint8 sort);
void PRN_72_DZIENNIK_S_J(const QString& yearStart, const QString& filter, const QString& title, quint8 sort);
// Statement of journals by batch, with the opening balances ("BO") at the end.
void PRN_73_DZIENNIK(const QString& yearStart, const QString& filter, const QString& title);
// Posting journal for text printers.
void PRN_71_DZIENNIK_P_TXT(const QString& yearStart, const QString& filter, const QString& title, quint8 sort,
                           quint8 whole);

} // namespace pravik
