// The user lists for hosts that load the module by name: dates are day numbers, as the
// statement window passes them.
//
//   DEFINIOWANA_LISTA_RU(12, 46023, 46112, 1);   // rebuild and save the lists of statement 12
#include "framework/CApi.h"
#include "statements/lists/UserLists.h"

extern "C" {

/* 1 = the lists were saved; 0 = refused or failed (the message has been shown). */
PRAVIK_EXPORT int DEFINIOWANA_LISTA_RU(long statementId, long dateFrom, long dateTo, unsigned char automatic)
{
    return pravik::DEFINIOWANA_LISTA_RU(statementId, pravik::DayNumber(dateFrom), pravik::DayNumber(dateTo), automatic) ? 1 : 0;
}

} // extern "C"
