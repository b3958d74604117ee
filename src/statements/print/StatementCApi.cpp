// The multi-column statement printouts for hosts that load the module by name. Texts are UTF-8
// (NULL counts as empty).
//
//   PRN_ZESTAW_MULTIKOL_NEW("ID_UZYTKOWNIKA=1 AND WARIANT_ZESTAW=1", "0", "12");
#include "framework/CApi.h"
#include "statements/print/StatementProcedures.h"

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

} // namespace

extern "C" {

PRAVIK_EXPORT void PRN_ZESTAW_MULTIKOL_NEW(const char* rowFilter, const char* groupId, const char* statementId)
{
    pravik::PRN_ZESTAW_MULTIKOL_NEW(text(rowFilter), text(groupId), text(statementId));
}

PRAVIK_EXPORT void PRN_ZESTAW_2KOL(unsigned char preview, const char* rowFilter, const char* title, unsigned char thousands,
                                   int groupId, int statementId)
{
    pravik::PRN_ZESTAW_2KOL(preview, text(rowFilter), text(title), thousands, groupId, statementId);
}

PRAVIK_EXPORT void PRN_ZESTAW_MULTIKOL(unsigned char preview, const char* rowFilter, const char* title,
                                       unsigned char thousands, int groupId, int statementId)
{
    pravik::PRN_ZESTAW_MULTIKOL(preview, text(rowFilter), text(title), thousands, groupId, statementId);
}

PRAVIK_EXPORT void PRN_ZESTAW_MULTIKOL_OLD(unsigned char preview, const char* rowFilter, const char* title,
                                           unsigned char thousands, int groupId, int statementId)
{
    pravik::PRN_ZESTAW_MULTIKOL_OLD(preview, text(rowFilter), text(title), thousands, groupId, statementId);
}

} // extern "C"
