#pragma once
// Pages into a PDF file written directly, without a painter: each page becomes a deflated
// content stream of glyph runs, rules and boxes; every face the report uses is embedded once,
// with only the glyphs its pages show. Pages are written as they come and forgotten, so memory
// does not grow with the report. Like PdfSink, the file appears under its name only when it is
// complete, and a failed or cancelled run leaves no file behind.
#include "platform/report/PageSink.h"

#include <QList>
#include <QString>

#include <memory>
#include <string>

namespace pravik::report {

class FastPdfContent;
class FastPdfFile;

class FastPdfSink : public PageSink {
public:
    explicit FastPdfSink(QString path, QString title = {});
    ~FastPdfSink() override;

    // zlib level of the page contents, 0 to store them uncompressed; 1 unless set.
    void setCompressionLevel(int level) { m_level = level; }

    // False when a font of the table has no TrueType outlines to embed.
    static bool canEmbed(const QList<FontSpec>& fonts);

    bool begin(const ReplayInfo& info) override;
    bool page(int index, const PageRecord& page) override;
    bool finish() override;
    void abort() override;

private:
    bool writeFailed();

    QString m_path;
    QString m_title;
    int m_level = 1;
    std::unique_ptr<FastPdfFile> m_file;
    std::unique_ptr<FastPdfContent> m_content;
    std::string m_stream;
    double m_sheetHeight = 0;
    int m_resources = 0;
    int m_pagesNode = 0;
    QByteArray m_mediaBox;
    QList<int> m_fontObjects; // the first of five objects of each face
    QList<int> m_pages;
};

// The PDF sink reports write with: this writer, or QPdfWriter's (PdfSink) when the environment
// sets PRAVIK_PDF_WRITER=qt or a font of the report cannot be embedded by this one.
std::unique_ptr<PageSink> makePdfSink(const QString& path, const QString& title = {});

} // namespace pravik::report
