#pragma once
// The print stage of the multi-column statement: the columns planned to fit the page, then the
// statements' rows as bands through the report run frame (indentation and bold by level,
// wrapping, page totals and carry-over), or, in export mode, the same rows as text cells in the
// shared export queue.
#include "platform/report/Layout.h"
#include "statements/print/StatementRows.h"

#include <QList>
#include <QStringList>

namespace pravik::statements {

// Where the columns go: the sheet's orientation, the font size of the table and the widths.
struct ColumnPlan {
    report::Orientation orientation = report::Orientation::Portrait;
    double fontPoints = 8;
    report::Units bodyWidth = 0;   // between the margins
    report::Units ordinalWidth = 0; // 0 without the ordinal column
    report::Units textWidth = 0;
    report::Units amountWidth = 0;
    report::Units rowHeight = 0;
    report::Units textX() const { return ordinalWidth; }
    report::Units amountX(int column) const { return ordinalWidth + textWidth + column * amountWidth; }
};

// The largest table font (8 pt down to 3 pt) at which `columns` amount columns as wide as the
// widest amount, the ordinal column and a text column of at least 20 characters fit across the
// page: upright first, turned to landscape when upright does not hold them at 7 pt. The widths
// always add up to the page body.
ColumnPlan planColumns(int columns, bool ordinal, const QString& widestAmountText, const report::PageSetup& page);

// The amount as the printout shows it ("-1 234,56"; "-1 234" without decimals).
QString amountText(const Decimal& amount, bool noDecimals);

// Prints the request's statements. Returns the frame's response (1 completed, 2 cancelled or
// failed); *error names a failed read (nothing is delivered then).
int printStatements(const StatementPrintRequest& request, QString* error);

// Export mode: a caption row, then one row of text cells per printed row (the ordinal when asked,
// the text, the amounts as printed), appended to `queue`. False with *error on a failed read;
// the queue is then left as it was.
bool exportStatements(const StatementPrintRequest& request, QList<QStringList>* queue, QString* error);

// Writes an export queue as a CSV file (";" between cells, UTF-8), whole or not at all.
bool writeExportCsv(const QString& path, const QList<QStringList>& queue, QString* error);

} // namespace pravik::statements
