// The budget-form procedures for hosts that load the module by name. Texts are UTF-8.
//
//   BT_DANE_FIRMY(0, 46112, "Rb28S");
#include "framework/CApi.h"
#include "statements/forms/BudgetHeader.h"

extern "C" {

PRAVIK_EXPORT void BT_DANE_FIRMY(unsigned char mode, int date, const char* formCode)
{
    pravik::BT_DANE_FIRMY(mode, date, formCode ? QString::fromUtf8(formCode) : QString());
}

} // extern "C"
