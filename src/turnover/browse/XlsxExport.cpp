#include "turnover/browse/XlsxExport.h"

#include "siblings/utilka/Spreadsheet.h"

namespace pravik::turnover {

bool xlsxAvailable()
{
    return utilka::xlsxAvailable();
}

bool writeBrowseXlsx(const QString& path, const QString& title, const QStringList& captions,
                     const QList<BrowseRow>& rows, QString* error)
{
    const int columns = int(qMin<qsizetype>(captions.size(), 10));
    QList<utilka::SheetColumn> shape = {{16, false}, {40, false}};
    while (shape.size() < columns)
        shape.append({16, true});
    shape.resize(columns);
    qsizetype next = 0;
    const utilka::SheetRows sheetRows = [&](QList<utilka::SheetCell>* cells) {
        if (next >= rows.size())
            return false;
        const BrowseRow& row = rows[next++];
        cells->append({row.account, std::nullopt});
        if (columns > 1)
            cells->append({row.name, std::nullopt});
        for (int c = 2; c < columns; ++c)
            cells->append({QString(), row.amounts[std::size_t(c - 2)]});
        return true;
    };
    return utilka::writeSheet(path, title, captions.mid(0, columns), shape, sheetRows, error);
}

} // namespace pravik::turnover
