// The journals for hosts that load the module by name. Texts are UTF-8 (NULL counts as empty);
// year start is a day number in text, as the journal window passes it.
//
//   PRN_71_DZIENNIK_P_J("46023", "PDD:id_lata_obrot=2 AND PDD:data_okresu=46084", "Dziennik księgowań", 4);
#include "framework/CApi.h"
#include "journals/JournalProcedures.h"

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

extern "C" {

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_K(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::PRN_71_DZIENNIK_P_K(text(yearStart), text(filter), text(title), sort);
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_J(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::PRN_71_DZIENNIK_P_J(text(yearStart), text(filter), text(title), sort);
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_K1(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::PRN_71_DZIENNIK_P_K1(text(yearStart), text(filter), text(title), sort);
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_TXT(const char* yearStart, const char* filter, const char* title, unsigned char sort,
                                         unsigned char whole)
{
    pravik::PRN_71_DZIENNIK_P_TXT(text(yearStart), text(filter), text(title), sort, whole);
}

PRAVIK_EXPORT void PRN_72_DZIENNIK_S_K(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::PRN_72_DZIENNIK_S_K(text(yearStart), text(filter), text(title), sort);
}

PRAVIK_EXPORT void PRN_72_DZIENNIK_S_J(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::PRN_72_DZIENNIK_S_J(text(yearStart), text(filter), text(title), sort);
}

PRAVIK_EXPORT void PRN_73_DZIENNIK(const char* yearStart, const char* filter, const char* title)
{
    pravik::PRN_73_DZIENNIK(text(yearStart), text(filter), text(title));
}

} // extern "C"
