// The turnover window and the statement browse for hosts that load the module by name.
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "turnover/browse/StatementBrowseWindow.h"
#include "turnover/window/ParamPrnObroty.h"

#include <cstdint>

/* kind: 1 statement of entries, 2 reconciliation with settlements, other: turnover and balance
   statement; synthetic: 1 for synthetic accounts only (kinds other than 1 and 2). */
extern "C" PRAVIK_EXPORT void PARAM_PRN_OBROTY(uint8_t kind, uint8_t synthetic)
{
    pravik::capi::runReport("PARAM_PRN_OBROTY", [&] {
        pravik::PARAM_PRN_OBROTY(kind, synthetic);
    });
}

/* The user's rows of a computed statement; title in UTF-8 (may be NULL). */
extern "C" PRAVIK_EXPORT void Bro_zestawienie_ois(int32_t statementId, uint8_t mode, uint8_t filter, const char* title)
{
    pravik::capi::runReport("Bro_zestawienie_ois", [&] {
        pravik::turnover::Bro_zestawienie_ois(statementId, mode, filter, title ? QString::fromUtf8(title) : QString());
    });
}
