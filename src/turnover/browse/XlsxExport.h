#pragma once
// "Eksport do Excela" of the statement browse: the list as it is shown, written as an XLSX
// workbook (libxlsxwriter): one sheet, the column captions in the first row, then one row per
// list row. Amounts are numbers with two decimals and grouped thousands, never text, so that a
// spreadsheet can add them up.
#include "turnover/browse/StatementBrowseRows.h"

#include <QString>
#include <QStringList>

namespace pravik::turnover {

// Whether this build can write XLSX at all.
bool xlsxAvailable();

// Writes the rows under the captions (2 text columns, then as many amount columns as the
// captions name, at most eight). False with *error set when the file could not be written.
bool writeBrowseXlsx(const QString& path, const QString& title, const QStringList& captions,
                     const QList<BrowseRow>& rows, QString* error);

} // namespace pravik::turnover
