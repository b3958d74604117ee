#pragma once
// What a turnover statement is asked for: the thirteen parameters the window passes to
// PRN_OBROTY_SQL (and, as far as they go, to the reconciliation and the simple statement), the
// window's settings and the session values the statements need, gathered into one request at
// the boundary (the window, a host's call, the command line). Below it the statements read
// nothing else for their inputs, so a request can run on any thread as it is.
#include "framework/OutputTarget.h"
#include "platform/DayNumber.h"
#include "turnover/TurnoverTypes.h"

#include <QString>

namespace korda {
struct Session;
}

namespace pravik::turnover {

enum class TurnoverVariant { PeriodTurnovers = 1, NetBalance = 2, Simple = 3 };

struct TurnoverParameters {
    bool cumulativeWithOpening = false;   // 1 "Sumuj obroty narastająco z uwzględnieniem BO"
    bool cardIndexAccounts = true;        // 2 "Drukuj konta kartotekowe"
    bool approvedOnly = false;            // 3 "Drukuj z zatwierdzonych dokumentów"
    bool nonZeroTurnoversOnly = false;    // 4 "Drukuj konta o obrotach różnych od zera"
    QString mask;                         // 5 "?" one character, "*" any string; empty: none
    QString yearName;                     // 6 for the header
    int variant = 1;                      // 7 see TurnoverVariant
    bool thousands = false;               // 8 amounts in thousands
    QString title;                        // 9
    bool syntheticOnly = false;           // 10 synthetic accounts only
    bool nonZeroBalanceLeaves = false;    // 11 "(analityka)": leaves with a zero balance left out
    bool nonZeroBalanceSynthetic = false; // 12 "(syntetyka)": zero synthetic accounts left out with their sub-accounts
    bool lastLevelOnly = false;           // 13 "Drukuj tylko ostatni poziom analityczny"
};

struct TurnoverSettings {
    qint32 yearId = 0;                    // id_lata_obrot
    DayNumber period = 0;                 // a date in the chosen month (day 2; day 28 for "BZ")
    QString currency = QStringLiteral("PLN");
    bool asOf = false;                    // "Na dzień"
    DayNumber asOfDate = 0;
    bool groupTotals = false;             // "Drukuj podsumowania zespołów kont"
    bool netBalances = false;             // "Drukuj persaldo dla kont syntetycznych"
    bool boldAggregates = false;
    bool wrapLines = false;
    bool hideZeros = false;
    int fontSize = 8;
    bool fontForAmountsOnly = false;
    bool mpkEntries = false;
    bool budgetClassification = false;
    bool groupMpk = false;
    bool entries = false;                 // "Drukuj zapisy księgowe"
    bool allEntries = false;              // range "wszystkie" (else "z wybranego miesiąca")
    bool contraAccount = false;
    bool onlyMismatched = false;          // reconciliation: "Drukuj tylko niezgodne zapisy"
    // Ctrl+Shift+S in the window: list every card-index entry, not only those with turnovers.
    bool cardIndexComplete = false;
    // The statement of entries: the chosen period, or a date range by posting date (dateKind 0)
    // or document date (1); each account on a page of its own.
    bool dateRange = false;
    int dateKind = 0;
    DayNumber dateFrom = 0;
    DayNumber dateTo = 0;
    bool accountPerPage = false;
    // The account list built by the window for the next statement.
    AccountList accounts;
};

// The parameters as the exported procedures take them (flags: 1 = on), gathered. The statements
// that take eleven leave the last two at 0.
TurnoverParameters exportedParameters(quint8 cumulativeWithOpening, quint8 cardIndexAccounts, quint8 approvedOnly,
                                      quint8 nonZeroTurnoversOnly, const QString& mask, const QString& yearName,
                                      quint8 variant, quint8 thousands, const QString& title, quint8 syntheticOnly,
                                      quint8 nonZeroBalanceLeaves, quint8 nonZeroBalanceSynthetic = 0,
                                      quint8 lastLevelOnly = 0);

struct TurnoverRequest {
    TurnoverParameters parameters;
    TurnoverSettings settings;
    qint32 company = 0;         // DANE_ID_FIRMY
    qint32 user = 0;            // DANE_ID_UZYTKOWNIKA_NR: owner of the scratch rows
    QString login;              // DANE_ID_UZYT
    bool browse = false;        // "Zapisz do tabeli": rows kept for the browse, nothing printed
    bool noShading = false;     // DANE_WYLACZ_SZAROSC
    qint32 approvedFigures = 0; // GGG:WERSJA_DLA_KRAB_PRIORYTET
    frame::OutputTarget output;
};

// The request with the session values of the call.
TurnoverRequest turnoverRequest(const TurnoverParameters& parameters, const TurnoverSettings& settings,
                                const korda::Session& session);

} // namespace pravik::turnover
