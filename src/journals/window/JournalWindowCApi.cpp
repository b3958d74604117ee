// The journal window for hosts that load the module by name.
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "journals/window/ParamPrnDziennik.h"

#include <cstdint>

/* kind: 71 journal of postings, 72 journal of documents, 73 statement of journals by batch. */
extern "C" PRAVIK_EXPORT void PARAM_PRN_DZIENNIK(int32_t kind)
{
    pravik::capi::runReport("PARAM_PRN_DZIENNIK", [&] {
        pravik::PARAM_PRN_DZIENNIK(kind);
    });
}
