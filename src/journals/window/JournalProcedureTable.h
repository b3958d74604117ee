#pragma once
// The journal procedures the journal window can call, as a table: the window calls whatever the
// table holds, so a host or a test can put its own entries in (a recording stand-in, a journal
// run on another thread). standard() holds the module's exported journals (framework/ReportProcedures.h).
#include <QString>
#include <QtGlobal>
#include <functional>

namespace pravik::journals {

struct JournalProcedureTable {
    // (year start, filter, title, sort): year start is a day number in text, sort 1..4.
    using Journal = std::function<void(const QString& yearStart, const QString& filter, const QString& title, quint8 sort)>;
    // The same and whole: 0 = one batch was chosen, 1 = the whole journal of the period.
    using TextJournal = std::function<void(const QString& yearStart, const QString& filter, const QString& title,
                                           quint8 sort, quint8 whole)>;
    // (year start, filter, title)
    using BatchStatement = std::function<void(const QString& yearStart, const QString& filter, const QString& title)>;

    Journal PRN_71_DZIENNIK_P_K;
    Journal PRN_71_DZIENNIK_P_J;
    TextJournal PRN_71_DZIENNIK_P_TXT;
    Journal PRN_72_DZIENNIK_S_K;
    Journal PRN_72_DZIENNIK_S_J;
    BatchStatement PRN_73_DZIENNIK;

    // The module's journal procedures.
    static JournalProcedureTable standard();
};

} // namespace pravik::journals
