#pragma once
// What shapes the printout of a turnover statement: the statement's own parameters, the window's
// layout and listing options, and the request's shading switch. The layout options are applied
// to the run's copy of the layout when the report opens.
#include "platform/DayNumber.h"
#include "platform/report/Layout.h"
#include "turnover/TurnoverParameters.h"

#include <QString>

namespace pravik::turnover {

struct TurnoverPrintOptions {
    int variant = 1;                // 2: net balance headings
    bool syntheticOnly = false;
    bool lastLevelOnly = false;
    bool thousands = false;
    QString yearName;               // for the header; the session's when empty

    bool wrapLines = false;         // "Zawijaj wiersze"
    bool hideZeros = false;         // "Ukryj kwoty zerowe"
    bool boldAggregates = false;
    int fontSize = 8;               // 0 or less: 8
    bool fontForAmountsOnly = false;
    bool noShading = false;         // DANE_WYLACZ_SZAROSC = 1

    // The listings under leaf accounts and what their queries are restricted by.
    bool mpkEntries = false;        // "Drukuj zapisy MPK"
    bool budgetClassification = false;
    bool groupMpk = false;          // "Grupuj MPK" (and the budget classification)
    bool entries = false;           // "Drukuj zapisy księgowe"
    bool allEntries = false;        // "wszystkie": every period up to the chosen one
    bool contraAccount = false;     // "Drukuj konto przeciwstawne"
    bool approvedOnly = false;
    bool asOf = false;
    DayNumber asOfDate = 0;
    qint32 yearId = 0;
    DayNumber period = 0;
    QString currency = QStringLiteral("PLN");
    qint32 company = 0;
    // The rows go to the statement browse: nothing is printed or delivered.
    bool browse = false;

    static TurnoverPrintOptions from(const TurnoverRequest& request);
    // Whether any listing follows the leaf accounts (never with synthetic accounts only).
    bool anyListing() const { return !syntheticOnly && (mpkEntries || budgetClassification || entries); }
};

// The texts of the three variable column headings for the variant, graphic or text printer.
QStringList variableHeadings(int variant, bool textPrinter);

// Font size, zero hiding, shading, the group-label offset and the variant's headings, applied to
// the run's layout when the report opens.
void applyLayoutOptions(report::Layout& layout, const TurnoverPrintOptions& options, bool textPrinter);

// The amount picture and its blank-when-zero form.
inline const QString kAmountPicture = QStringLiteral("@N-19_`2");
inline const QString kAmountPictureBlankZero = QStringLiteral("N-19_`2B");

} // namespace pravik::turnover
