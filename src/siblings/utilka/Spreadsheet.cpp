#include "siblings/utilka/Spreadsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#if __has_include(<xlsxwriter.h>)
#include <xlsxwriter.h>
#define PRAVIK_HAS_XLSX 1
#else
#define PRAVIK_HAS_XLSX 0
#endif

namespace utilka {

bool xlsxAvailable()
{
    return PRAVIK_HAS_XLSX != 0;
}

#if PRAVIK_HAS_XLSX

bool writeSheet(const QString& path, const QString& title, const QStringList& captions, const QList<SheetColumn>& columns,
                const SheetRows& rows, QString* error)
{
    // The workbook is written beside the target under a name of its own and takes the target's
    // name only when it is complete: a full disk or a failed run leaves no broken file there, and
    // a file already at the target stays as it was.
    const QFileInfo target(path);
    QTemporaryFile partial(QDir(target.absolutePath()).filePath(QStringLiteral(".%1-XXXXXX.part").arg(target.fileName())));
    if (!partial.open()) {
        *error = QStringLiteral("Nie można utworzyć pliku %1: %2").arg(path, partial.errorString());
        return false;
    }
    partial.close();
    // A temporary file is private to its owner; the workbook gets the usual permissions, or those
    // of the file it replaces.
    partial.setPermissions(target.exists() ? QFile::permissions(target.absoluteFilePath())
                                           : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                                 | QFileDevice::ReadOther);
    const QByteArray file = QFile::encodeName(partial.fileName());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows stream to disk: a long list needs no memory
    lxw_workbook* book = workbook_new_opt(file.constData(), &options);
    if (!book) {
        *error = QStringLiteral("Nie można utworzyć pliku %1.").arg(path);
        return false;
    }
    QByteArray titleBytes = title.toUtf8();
    lxw_doc_properties properties{};
    properties.title = titleBytes.data();
    workbook_set_properties(book, &properties);

    lxw_worksheet* sheet = workbook_add_worksheet(book, "Zestawienie");
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    format_set_bottom(heading, LXW_BORDER_THIN);
    lxw_format* amount = workbook_add_format(book);
    format_set_num_format(amount, "#,##0.00");

    for (qsizetype c = 0; c < columns.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), columns[c].width, columns[c].amounts ? amount : nullptr);
    worksheet_freeze_panes(sheet, 1, 0);

    // A cell the format cannot hold (a row past the sheet's last, a text over its length limit)
    // is refused by the library; the workbook would be complete without it, so it is not written.
    lxw_error refused = LXW_NO_ERROR;
    lxw_row_t refusedRow = 0;
    qsizetype refusedColumn = 0;
    auto check = [&](lxw_error e, lxw_row_t r, qsizetype c) {
        if (e != LXW_NO_ERROR && refused == LXW_NO_ERROR) {
            refused = e;
            refusedRow = r;
            refusedColumn = c;
        }
    };
    for (qsizetype c = 0; c < captions.size(); ++c)
        check(worksheet_write_string(sheet, 0, lxw_col_t(c), captions[c].toUtf8().constData(), heading), 0, c);
    lxw_row_t r = 1;
    QList<SheetCell> row;
    while (refused == LXW_NO_ERROR && rows(&row)) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            const SheetCell& cell = row[c];
            if (cell.amount)
                // Hundredths survive the trip through binary floating point.
                check(worksheet_write_number(sheet, r, lxw_col_t(c), double(cell.amount->cents()) / 100.0, amount), r, c);
            else if (!cell.text.isEmpty())
                check(worksheet_write_string(sheet, r, lxw_col_t(c), cell.text.toUtf8().constData(), nullptr), r, c);
        }
        row.clear();
        ++r;
    }
    errno = 0;
    const lxw_error result = workbook_close(book);
    if (refused != LXW_NO_ERROR) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2 (wiersz %3, kolumna %4)")
                     .arg(path, QString::fromUtf8(lxw_strerror(refused)))
                     .arg(qulonglong(refusedRow) + 1)
                     .arg(refusedColumn + 1);
        return false;
    }
    if (result != LXW_NO_ERROR) {
        // The library names its own step; the system's reason (a full disk) is in errno.
        const int reason = errno;
        QString why = QString::fromUtf8(lxw_strerror(result));
        if (reason != 0)
            why += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(reason)));
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, why);
        return false;
    }
    if (std::rename(file.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    partial.setAutoRemove(false);
    return true;
}

#else

bool writeSheet(const QString& path, const QString&, const QStringList&, const QList<SheetColumn>&, const SheetRows&,
                QString* error)
{
    *error = QStringLiteral("Eksport do pliku %1 jest niedostępny: program zbudowano bez biblioteki libxlsxwriter.").arg(path);
    return false;
}

#endif

bool EXPORT2EXCEL(const QList<QStringList>& queue, int columns, const QString& path, const QString& title, QString* error)
{
    if (queue.isEmpty()) {
        *error = QStringLiteral("Brak danych do eksportu do pliku %1.").arg(path);
        return false;
    }
    int width = columns;
    if (width < 1)
        for (const QStringList& row : queue)
            width = qMax(width, int(row.size()));
    // The printout's amounts: digits with a comma and at most two decimals. A leading zero before
    // another digit is a code ("0101"), not an amount, and keeps its text.
    static const QRegularExpression amountForm(QStringLiteral("^-?(0|[1-9][0-9]{0,12})(,[0-9]{1,2})?$"));
    QList<SheetColumn> shape(width);
    for (int c = 0; c < width; ++c) {
        qsizetype longest = 0;
        for (const QStringList& row : queue)
            longest = qMax(longest, row.value(c).size());
        shape[c].width = double(qBound(qsizetype(8), longest + 2, qsizetype(60)));
    }
    qsizetype next = 1;
    const SheetRows rows = [&](QList<SheetCell>* row) {
        if (next >= queue.size())
            return false;
        const QStringList& cells = queue[next++];
        for (int c = 0; c < width && c < cells.size(); ++c) {
            SheetCell cell{cells[c], std::nullopt};
            if (amountForm.match(cells[c]).hasMatch())
                cell.amount = pravik::Decimal::parse(cells[c]);
            row->append(cell);
        }
        return true;
    };
    return writeSheet(path, title, queue.first().mid(0, width), shape, rows, error);
}

} // namespace utilka
