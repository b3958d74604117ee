#pragma once
// The page spool: finished pages written one by one to a file in the run's temporary folder, so
// that memory stays flat however long the report is. The file ends with a trailer (the page
// setup, the font table and the offset of every page), which lets a reader fetch any page
// directly: the preview reads only the page it shows.
#include "platform/report/Layout.h"
#include "platform/report/PageRecord.h"

#include <QFile>
#include <QList>
#include <QString>

namespace pravik::report {

class SpoolWriter {
public:
    // Creates (or truncates) the file. Throws ReportError when it cannot be written.
    explicit SpoolWriter(const QString& path);
    ~SpoolWriter();
    SpoolWriter(const SpoolWriter&) = delete;
    SpoolWriter& operator=(const SpoolWriter&) = delete;

    // Appends a page. Throws ReportError on a write failure (a full disk).
    void addPage(const PageRecord& page);
    int pageCount() const { return int(m_offsets.size()); }
    // Writes the trailer and closes the file. Throws ReportError on a write failure.
    void finish(const PageSetup& page, const QList<FontSpec>& fonts);
    bool isFinished() const { return m_finished; }
    QString path() const { return m_file.fileName(); }

private:
    [[noreturn]] void writeFailed();

    QFile m_file;
    QList<qint64> m_offsets;
    bool m_finished = false;
};

class SpoolReader {
public:
    SpoolReader() = default;
    SpoolReader(const SpoolReader&) = delete;
    SpoolReader& operator=(const SpoolReader&) = delete;

    // Opens a finished spool; false with errorString() when missing, unfinished or damaged.
    bool open(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_error; }

    int pageCount() const { return int(m_offsets.size()); }
    const PageSetup& pageSetup() const { return m_page; }
    const QList<FontSpec>& fonts() const { return m_fonts; }

    // Reads page index (0-based); false with errorString() when it cannot.
    bool readPage(int index, PageRecord& page);

private:
    bool fail(const QString& message);

    QFile m_file;
    QString m_error;
    PageSetup m_page;
    QList<FontSpec> m_fonts;
    QList<qint64> m_offsets;
};

} // namespace pravik::report
