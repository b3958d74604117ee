// The statement of entries on accounts for hosts that load the module by name.
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "turnover/OtherStatements.h"

#include <cstdint>

/* The first eleven parameters of PRN_OBROTY_SQL; texts in UTF-8 (NULL counts as empty). */
extern "C" PRAVIK_EXPORT void PRN_RAPORT_KONTO_SQL(uint8_t cumulativeWithOpening, uint8_t cardIndexAccounts,
                                                   uint8_t approvedOnly, uint8_t nonZeroTurnoversOnly, const char* mask,
                                                   const char* yearName, uint8_t variant, uint8_t thousands,
                                                   const char* title, uint8_t syntheticOnly, uint8_t nonZeroBalanceLeaves)
{
    pravik::capi::runReport("PRN_RAPORT_KONTO_SQL", [&] {
        auto text = [](const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); };
        pravik::PRN_RAPORT_KONTO_SQL(cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, text(mask),
                                     text(yearName), variant, thousands, text(title), syntheticOnly, nonZeroBalanceLeaves);
    });
}
