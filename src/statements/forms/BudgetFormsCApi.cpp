// The budget-form procedures (header data, XML and SPD export windows) for hosts that load the module by name. Texts are UTF-8.
//
//   BT_DANE_FIRMY(0, 46112, "Rb28S");
#include "framework/CApi.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/forms/BudgetHeader.h"

extern "C" {

PRAVIK_EXPORT void BT_DANE_FIRMY(unsigned char mode, int date, const char* formCode)
{
    pravik::BT_DANE_FIRMY(mode, date, formCode ? QString::fromUtf8(formCode) : QString());
}

// 1 when a file was chosen and the form is complete; the run then writes it.
PRAVIK_EXPORT unsigned char EXPORT_XML(const char* periodText, const char* reportName)
{
    return pravik::EXPORT_XML(periodText ? QString::fromUtf8(periodText) : QString(),
                              reportName ? QString::fromUtf8(reportName) : QString());
}

// 1 when "Wykonaj": the settings are then in GGG:SPEC_EKSPORT_1..11.
PRAVIK_EXPORT unsigned char EKSPORT_PSD(int toDate, int periodType)
{
    return pravik::EKSPORT_PSD(toDate, periodType);
}

} // extern "C"
