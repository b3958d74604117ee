#include "journals/window/JournalProcedureTable.h"

#include "journals/JournalProcedures.h"

namespace pravik::journals {

JournalProcedureTable JournalProcedureTable::standard()
{
    JournalProcedureTable t;
    t.PRN_71_DZIENNIK_P_K = &pravik::PRN_71_DZIENNIK_P_K;
    t.PRN_71_DZIENNIK_P_J = &pravik::PRN_71_DZIENNIK_P_J;
    t.PRN_71_DZIENNIK_P_TXT = &pravik::PRN_71_DZIENNIK_P_TXT;
    t.PRN_72_DZIENNIK_S_K = &pravik::PRN_72_DZIENNIK_S_K;
    t.PRN_72_DZIENNIK_S_J = &pravik::PRN_72_DZIENNIK_S_J;
    t.PRN_73_DZIENNIK = &pravik::PRN_73_DZIENNIK;
    return t;
}

} // namespace pravik::journals
