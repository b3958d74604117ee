// The journals for hosts that load the module by name. Texts are UTF-8 (NULL counts as empty);
// year start is a day number in text, as the journal window passes it.
//
//   PRN_71_DZIENNIK_P_J("46023", "PDD:id_lata_obrot=2 AND PDD:data_okresu=46084", "Dziennik księgowań", 4);
#include "framework/CApi.h"
#include "framework/CEntry.h"
#include "journals/JournalOptions.h"
#include "journals/JournalProcedures.h"
#include "siblings/korda/Session.h"

namespace {

QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

// The journal window names the year and period a journal reads; a host that calls a journal
// without it gets the session's, for this call only.
template <typename Fn>
void withJournalYear(Fn fn)
{
    pravik::journals::JournalOptions& o = pravik::journals::journalOptions();
    const bool withoutWindow = o.yearId == 0;
    if (withoutWindow) {
        const korda::Session& s = korda::session();
        o.yearId = s.DANE_LATA_OBROTOWE;
        o.periodDate = s.DANE_DATA_OKRESU;
        o.yearName = s.DANE_LATA_OBROT_NAZWA;
    }
    fn();
    if (withoutWindow) {
        o.yearId = 0;
        o.periodDate = 0;
        o.yearName = QString();
    }
}

} // namespace

extern "C" {

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_K(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::capi::runReport("PRN_71_DZIENNIK_P_K", [&] {
        withJournalYear([&] { pravik::PRN_71_DZIENNIK_P_K(text(yearStart), text(filter), text(title), sort); });
    });
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_J(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::capi::runReport("PRN_71_DZIENNIK_P_J", [&] {
        withJournalYear([&] { pravik::PRN_71_DZIENNIK_P_J(text(yearStart), text(filter), text(title), sort); });
    });
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_K1(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::capi::runReport("PRN_71_DZIENNIK_P_K1", [&] {
        withJournalYear([&] { pravik::PRN_71_DZIENNIK_P_K1(text(yearStart), text(filter), text(title), sort); });
    });
}

PRAVIK_EXPORT void PRN_71_DZIENNIK_P_TXT(const char* yearStart, const char* filter, const char* title, unsigned char sort,
                                         unsigned char whole)
{
    pravik::capi::runReport("PRN_71_DZIENNIK_P_TXT", [&] {
        withJournalYear([&] { pravik::PRN_71_DZIENNIK_P_TXT(text(yearStart), text(filter), text(title), sort, whole); });
    });
}

PRAVIK_EXPORT void PRN_72_DZIENNIK_S_K(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::capi::runReport("PRN_72_DZIENNIK_S_K", [&] {
        withJournalYear([&] { pravik::PRN_72_DZIENNIK_S_K(text(yearStart), text(filter), text(title), sort); });
    });
}

PRAVIK_EXPORT void PRN_72_DZIENNIK_S_J(const char* yearStart, const char* filter, const char* title, unsigned char sort)
{
    pravik::capi::runReport("PRN_72_DZIENNIK_S_J", [&] {
        withJournalYear([&] { pravik::PRN_72_DZIENNIK_S_J(text(yearStart), text(filter), text(title), sort); });
    });
}

PRAVIK_EXPORT void PRN_73_DZIENNIK(const char* yearStart, const char* filter, const char* title)
{
    pravik::capi::runReport("PRN_73_DZIENNIK", [&] {
        withJournalYear([&] { pravik::PRN_73_DZIENNIK(text(yearStart), text(filter), text(title)); });
    });
}

} // extern "C"
