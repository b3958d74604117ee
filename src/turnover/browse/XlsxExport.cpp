#include "turnover/browse/XlsxExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

namespace pravik::turnover {

bool xlsxAvailable()
{
    return PRAVIK_HAS_XLSX != 0;
}

#if PRAVIK_HAS_XLSX

namespace {

double amountValue(const Decimal& d)
{
    // The spreadsheet keeps numbers as binary floating point; hundredths survive the trip.
    return double(d.cents()) / 100.0;
}

} // namespace

bool writeBrowseXlsx(const QString& path, const QString& title, const QStringList& captions,
                     const QList<BrowseRow>& rows, QString* error)
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
    options.constant_memory = LXW_TRUE; // rows stream to disk: a long statement needs no memory
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

    const int columns = int(qMin<qsizetype>(captions.size(), 10));
    worksheet_set_column(sheet, 0, 0, 16, nullptr);
    worksheet_set_column(sheet, 1, 1, 40, nullptr);
    if (columns > 2)
        worksheet_set_column(sheet, 2, lxw_col_t(columns - 1), 16, amount);
    worksheet_freeze_panes(sheet, 1, 0);

    for (int c = 0; c < columns; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), captions[c].toUtf8().constData(), heading);
    lxw_row_t r = 1;
    for (const BrowseRow& row : rows) {
        if (!row.account.isEmpty())
            worksheet_write_string(sheet, r, 0, row.account.toUtf8().constData(), nullptr);
        if (!row.name.isEmpty() && columns > 1)
            worksheet_write_string(sheet, r, 1, row.name.toUtf8().constData(), nullptr);
        for (int c = 2; c < columns; ++c)
            worksheet_write_number(sheet, r, lxw_col_t(c), amountValue(row.amounts[std::size_t(c - 2)]), amount);
        ++r;
    }
    errno = 0;
    const lxw_error result = workbook_close(book);
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

bool writeBrowseXlsx(const QString& path, const QString&, const QStringList&, const QList<BrowseRow>&, QString* error)
{
    *error = QStringLiteral("Eksport do pliku %1 jest niedostępny: program zbudowano bez biblioteki libxlsxwriter.").arg(path);
    return false;
}

#endif

} // namespace pravik::turnover
