#pragma once
// Spreadsheets (XLSX through libxlsxwriter): one sheet, a caption row, then rows streamed from the
// caller so that a long list needs no memory. Amounts are written as numbers with two decimals and
// grouped thousands, never as text, so that the spreadsheet can add them up. The workbook appears
// at its target whole or not at all.
#include "platform/Decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace utilka {

// Whether this build can write XLSX at all.
bool xlsxAvailable();

struct SheetCell {
    QString text;
    std::optional<pravik::Decimal> amount; // a number cell when set
};

struct SheetColumn {
    double width = 16;    // in characters
    bool amounts = false; // the column's blank cells take the amount format too
};

// Fills *row with the next row's cells and returns true; false after the last row.
using SheetRows = std::function<bool(QList<SheetCell>* row)>;

// Writes the captions (bold, the row frozen) and the rows under them. False with *error set when
// the file could not be written; a file already at the target is then left as it was.
bool writeSheet(const QString& path, const QString& title, const QStringList& captions, const QList<SheetColumn>& columns,
                const SheetRows& rows, QString* error);

// EXPORT2EXCEL over an export queue (GGG:XML_Q): the rows the statement printout's export mode put
// there, each a list of text cells, its first row the captions. A cell in the printout's amount
// form ("-1234,56", "1234") becomes a number; every other cell stays text. `columns` is the count
// the caller passes (-1 for the plain export: as many as the widest row).
bool EXPORT2EXCEL(const QList<QStringList>& queue, int columns, const QString& path, const QString& title,
                  QString* error);

} // namespace utilka
