// The ledger prints for hosts that load the module by name. Texts are UTF-8 (NULL counts as
// empty).
//
//   WYDRUK_KSIEGA("PDD:konto='100' AND PDD:data_okresu=82244", "Kartoteka konta", "68|0|2|1|1|Konto: 100|0");
#include "framework/CApi.h"
#include "ledger/LedgerProcedures.h"

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

extern "C" {

PRAVIK_EXPORT void WYDRUK_KSIEGA(const char* filter, const char* title, const char* controlList)
{
    pravik::WYDRUK_KSIEGA(text(filter), text(title), text(controlList));
}

PRAVIK_EXPORT void PRN_61_KSIEGA_SQL(unsigned char markedOnly, unsigned char sort, unsigned char ascending,
                                     unsigned char layoutFlag, const char* filter, const char* title,
                                     const char* description, int periodDate)
{
    pravik::PRN_61_KSIEGA_SQL(markedOnly, sort, ascending, layoutFlag, text(filter), text(title), text(description),
                              periodDate);
}

PRAVIK_EXPORT void PRN_64_KSIEGA_SQL(unsigned char markedOnly, unsigned char sort, unsigned char ascending,
                                     unsigned char layoutFlag, const char* filter, const char* title, const char* description)
{
    pravik::PRN_64_KSIEGA_SQL(markedOnly, sort, ascending, layoutFlag, text(filter), text(title), text(description));
}

PRAVIK_EXPORT void PRN_63_KSIEGA_SQL(unsigned char markedOnly, unsigned char sort, unsigned char ascending,
                                     const char* mode, const char* filter, const char* title, const char* currencyText)
{
    pravik::PRN_63_KSIEGA_SQL(markedOnly, sort, ascending, text(mode), text(filter), text(title), text(currencyText));
}

PRAVIK_EXPORT void PRN_1_MPK_SQL(unsigned char markedOnly, unsigned char sort, unsigned char ascending, const char* filter,
                                 const char* title, const char* description)
{
    pravik::PRN_1_MPK_SQL(markedOnly, sort, ascending, text(filter), text(title), text(description));
}

PRAVIK_EXPORT void PRN_2_MPK_SQL(unsigned char markedOnly, unsigned char sort, unsigned char ascending, const char* filter,
                                 const char* title, const char* description)
{
    pravik::PRN_2_MPK_SQL(markedOnly, sort, ascending, text(filter), text(title), text(description));
}

PRAVIK_EXPORT void RAPORT_Z_KONTA_DANE(const char* filter, unsigned char sort, unsigned char ascending)
{
    pravik::RAPORT_Z_KONTA_DANE(text(filter), sort, ascending);
}

PRAVIK_EXPORT void PRN_RAPORT_KASOWY_SQL(int kind, unsigned char currencyFlag, unsigned char sort, unsigned char ascending,
                                         const char* filter, const char* title)
{
    pravik::PRN_RAPORT_KASOWY_SQL(kind, currencyFlag, sort, ascending, text(filter), text(title));
}

} // extern "C"
