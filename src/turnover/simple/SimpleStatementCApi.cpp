// The simple turnover statement for hosts that load the module by name.
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "turnover/OtherStatements.h"

#include <cstdint>

/* The thirteen parameters of PRN_OBROTY_SQL; texts in UTF-8 (NULL counts as empty). */
extern "C" PRAVIK_EXPORT void PRN_OBROTY_SQL_PROSTY(uint8_t cumulativeWithOpening, uint8_t cardIndexAccounts,
                                                    uint8_t approvedOnly, uint8_t nonZeroTurnoversOnly, const char* mask,
                                                    const char* yearName, uint8_t variant, uint8_t thousands,
                                                    const char* title, uint8_t syntheticOnly, uint8_t nonZeroBalanceLeaves,
                                                    uint8_t nonZeroBalanceSynthetic, uint8_t lastLevelOnly)
{
    pravik::capi::runReport("PRN_OBROTY_SQL_PROSTY", [&] {
        auto text = [](const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); };
        pravik::PRN_OBROTY_SQL_PROSTY(cumulativeWithOpening, cardIndexAccounts, approvedOnly, nonZeroTurnoversOnly, text(mask),
                                      text(yearName), variant, thousands, text(title), syntheticOnly, nonZeroBalanceLeaves,
                                      nonZeroBalanceSynthetic, lastLevelOnly);
    });
}
