#include "journals/window/JournalProcedureTable.h"

#include "framework/ReportRegistry.h"

namespace pravik::journals {

namespace {

const reports::ReportProcedure& procedure(const char* name)
{
    const reports::ReportProcedure* p = reports::findReportProcedure(QLatin1String(name));
    Q_ASSERT(p);
    return *p;
}

JournalProcedureTable::Journal journal(const char* name)
{
    const reports::ReportProcedure& p = procedure(name);
    return [&p](const QString& yearStart, const QString& filter, const QString& title, quint8 sort) {
        p.invoke({yearStart, filter, title, sort});
    };
}

} // namespace

JournalProcedureTable JournalProcedureTable::standard()
{
    JournalProcedureTable t;
    t.PRN_71_DZIENNIK_P_K = journal("PRN_71_DZIENNIK_P_K");
    t.PRN_71_DZIENNIK_P_J = journal("PRN_71_DZIENNIK_P_J");
    t.PRN_72_DZIENNIK_S_K = journal("PRN_72_DZIENNIK_S_K");
    t.PRN_72_DZIENNIK_S_J = journal("PRN_72_DZIENNIK_S_J");
    t.PRN_71_DZIENNIK_P_TXT = [&p = procedure("PRN_71_DZIENNIK_P_TXT")](const QString& yearStart, const QString& filter,
                                                                       const QString& title, quint8 sort, quint8 whole) {
        p.invoke({yearStart, filter, title, sort, whole});
    };
    t.PRN_73_DZIENNIK = [&p = procedure("PRN_73_DZIENNIK")](const QString& yearStart, const QString& filter,
                                                           const QString& title) { p.invoke({yearStart, filter, title}); };
    return t;
}

} // namespace pravik::journals
