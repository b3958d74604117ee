#pragma once
// What the multi-column statement printout is asked to do. The statement window keeps its print
// options in module storage (statementPrintOptions()); a caller at the boundary (the exported
// procedures, the command line) builds one StatementPrintRequest from them and the session, and
// nothing below reads the session for its inputs.
#include "framework/OutputTarget.h"
#include "platform/DayNumber.h"

#include <QString>
#include <QStringList>

namespace pravik::statements {

// Which rows the totals add up.
enum class TotalsMode { LowestLevel = 1, HighestLevel = 2, ChosenLevel = 3 };
// How amounts are printed: as computed, rounded to whole units, or with the decimals dropped.
enum class AmountMode { AsComputed = 1, Rounded = 2, Truncated = 3 };

struct StatementPrintOptions {
    bool thousands = false;        // "Drukuj kwoty w tysiącach jednostek pieniężnych"
    bool round = false;            // "Zaokrąglaj kwoty do pełnych jednostek"
    bool noDecimals = false;       // "Drukuj kwoty bez miejsc dziesiętnych"
    bool ordinal = false;          // "Drukuj liczbę porządkową"
    bool wrap = false;             // "Zawijaj wiersze"
    bool reportTotal = false;      // "Podsumowanie zestawienia na ostatniej stronie"
    bool pageTotals = false;       // "Podsumowanie każdej strony"
    bool broughtForward = false;   // "Z przeniesienia ..."
    bool carriedForward = false;   // "Do przeniesienia ..."
    TotalsMode totalsMode = TotalsMode::HighestLevel;
    int totalsLevel = 1;           // for TotalsMode::ChosenLevel
    bool skipZeroRows = false;     // "Pomiń wiersze z zerowymi wartościami"
    bool wholeGroup = false;       // "Drukuj grupę raportów"
    bool boldOff = false;
    QString periodText;            // "Za okres"
    // The report's to date: budget forms read the unit's address as of that day and print their
    // period text from it (0: today).
    DayNumber periodTo = 0;

    // Rounding wins over dropping the decimals when both are chosen.
    AmountMode amountMode() const
    {
        return round ? AmountMode::Rounded : noDecimals ? AmountMode::Truncated : AmountMode::AsComputed;
    }
};

// The options of the statement window, kept between its calls on the thread that runs it (a
// printout thread starts with a copy, see carryPrintOptions).
StatementPrintOptions& statementPrintOptions();

// Wraps fn so that the thread it runs on starts with the calling thread's print options.
template <typename Fn>
auto carryPrintOptions(Fn fn)
{
    return [copy = statementPrintOptions(), fn = std::move(fn)]() mutable {
        statementPrintOptions() = copy;
        return fn();
    };
}

struct StatementPrintRequest {
    StatementPrintOptions options;
    qint32 company = 0;
    qint32 user = 0;
    // Follows "where" in the row query: which of ZESTAW_ZESTAW's rows are the computed statement.
    QString rowFilter;
    qint64 groupId = 0;
    qint64 statementId = 0;
    // The older printouts fix the number of amount columns (0 = as the statement defines).
    int fixedColumns = 0;
    bool forceOrdinal = false;
    QString title;                 // report title (statements outside a group)
    QString yearName;
    QStringList headings;          // heading lines under the title
    bool exportMode = false;       // fill the export queue instead of printing
    // Where the printout's pages go (not read in export mode).
    frame::OutputTarget output;

    // The request of the exported procedures: module options, session context, the output
    // requests and the queue of heading lines (which it empties, as the printout always did).
    static StatementPrintRequest fromSession(const QString& rowFilter, qint64 groupId, qint64 statementId);
    // The row filter the statement window passes: the user's rows of variant 1.
    static QString userRowsFilter(qint32 user);
};

} // namespace pravik::statements
