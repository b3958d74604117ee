#ifndef PRAVIK_DEFINITIONS_CAPI_H
#define PRAVIK_DEFINITIONS_CAPI_H
/*
 * The declaration queue for hosts that load the module by name (texts UTF-8, NULL = empty); the
 * printouts themselves are exported with the other report procedures.
 *
 *   PRN_ZESTAW_DEF(12, "Rachunek zysków i strat");  // name NULL or "": the statement's own
 *   pravik_queue_clear("DANE_KOLEJKA_UNIWERS");
 *   pravik_declaration_add("VAT-7", NULL, NULL, NULL, 1, NULL, NULL);          // heading, level 1
 *   pravik_declaration_add(NULL, "Podatek należny", "K(20)+K(22)", "01-01-2026", -1, NULL, NULL);
 *   pravik_declaration_add(NULL, NULL, NULL, NULL, -2, "33,33", "2026-01-01");  // share line
 *   PRN_DEKLARACJE_DEF();
 */
#include "framework/CApi.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Appends one entry to DANE_KOLEJKA_UNIWERS of the calling thread. kind: -1 declaration item,
   -2 share line, other values a heading at level |kind|. Dates dd-mm-yyyy or yyyy-mm-dd, share
   with a comma or a dot. 1 = added; 0 = a text over 250 characters, a bad date or share. */
PRAVIK_EXPORT int pravik_declaration_add(const char* nazwa1, const char* nazwa2, const char* nazwa3, const char* data2,
                                         int kind, const char* share, const char* shareDate);

#ifdef __cplusplus
}
#endif

#endif /* PRAVIK_DEFINITIONS_CAPI_H */
