#pragma once
// The options of the turnover window that a saved variant keeps, under the option numbers the
// variant rows store (1 to 48). The fiscal year, the period, "Na dzień" and its date, the date
// range, the print date, the printer, the copies and the output are never kept.
#include "framework/VariantStore.h"

#include <QString>
#include <QStringList>
#include <array>

namespace pravik::turnover {

struct TurnoverOptions {
    bool cardIndexAccounts = true;        // 1
    bool approvedOnly = false;            // 2
    bool cumulativeWithOpening = false;   // 3
    bool nonZeroTurnoversOnly = false;    // 4
    bool nonZeroBalanceLeaves = false;    // 5 "(analityka)"
    bool nonZeroBalanceSynthetic = false; // 6 "(syntetyka)"
    bool lastLevelOnly = false;           // 7
    bool accountPerPage = false;          // 8
    int variant = 1;                      // 9: 1, 2 or 3
    bool mpkEntries = false;              // 10
    bool budgetClassification = false;    // 11
    bool entries = false;                 // 12
    int entriesRange = 0;                 // 13: 0 "z wybranego miesiąca", else "wszystkie"
    bool contraAccount = false;           // 14
    bool groupMpk = false;                // 15
    QString title;                        // 16
    QString description;                  // 17 "Opis"
    QString currency = QStringLiteral("PLN"); // 18
    bool printKrs = false;                // 19
    bool thousands = false;               // 20
    std::array<bool, 10> groups{};        // 21 to 30: account groups 0 to 9
    bool balanceSheet = false;            // 31 " Bilansowe"
    bool profitAndLoss = false;           // 32 " Wynikowe"
    bool offBalance = false;              // 33 " Pozabilansowe"
    bool settlement = false;              // 34 " Rozrachunkowe"
    bool currencyAccounts = false;        // 35 " Walutowe"
    bool twoBalance = false;              // 36 " Dwusaldowe"
    bool mpk = false;                     // 37 "MPK"
    int rangeFrom = 0;                    // 38
    int rangeTo = 999;                    // 39
    QString mask;                         // 40
    bool dateRange = false;               // 41 "Zakres dat"
    int dateKind = 0;                     // 42: 0 "wg daty księgowania", 1 "wd daty dokumentu"
    int fontSize = 8;                     // 43
    bool wrapLines = false;               // 44
    bool fontForAmountsOnly = false;      // 45
    bool netBalances = false;             // 46
    bool boldAggregates = false;          // 47
    bool hideZeros = false;               // 48

    friend bool operator==(const TurnoverOptions&, const TurnoverOptions&) = default;
};

inline constexpr int kTurnoverOptionCount = 48;

// Every option as a variant stores it: flags and numbers in plain decimal, texts without
// their trailing blanks.
VariantValues toVariantValues(const TurnoverOptions& options);

// Assigns the stored values to their options. Numbers outside 1..48 are ignored. A value that
// a numeric option cannot take leaves that option as it was and is named in the returned
// texts (one per such row), so the window can say which part of the variant was not used.
QStringList applyVariantValues(TurnoverOptions& options, const VariantValues& values);

} // namespace pravik::turnover
