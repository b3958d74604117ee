#include "platform/report/FastPdfSink.h"

#include "platform/report/FastPdfContent.h"
#include "platform/report/FastPdfFile.h"
#include "platform/report/PagePainter.h"
#include "platform/report/PdfSink.h"

#include <QDateTime>
#include <QPageLayout>

namespace pravik::report {

namespace {

// Objects of a face, from the first one reserved for it.
enum FaceObject { Type0Font, CidFont, Descriptor, FontFile, TextMap, ObjectsPerFace };

std::string ref(int object)
{
    std::string out;
    appendPdfInt(out, object);
    out += " 0 R";
    return out;
}

// A text string in UTF-16 with its byte order mark, as PDF wants non-Latin text.
std::string textString(const QString& text)
{
    std::string out = "<FEFF";
    static const char digits[] = "0123456789ABCDEF";
    for (QChar c : text)
        for (int shift = 12; shift >= 0; shift -= 4)
            out += digits[(c.unicode() >> shift) & 0xF];
    out += '>';
    return out;
}

// Picks the writer when the first page is on its way: which one depends on the fonts.
class ChosenPdfSink : public PageSink {
public:
    ChosenPdfSink(QString path, QString title) : m_path(std::move(path)), m_title(std::move(title)) {}

    bool begin(const ReplayInfo& info) override
    {
        if (qgetenv("PRAVIK_PDF_WRITER").trimmed().toLower() == "qt" || !FastPdfSink::canEmbed(info.fonts))
            m_sink = std::make_unique<PdfSink>(m_path, m_title);
        else
            m_sink = std::make_unique<FastPdfSink>(m_path, m_title);
        return m_sink->begin(info) || fail(m_sink->errorString());
    }
    bool page(int index, const PageRecord& page) override
    {
        return m_sink && (m_sink->page(index, page) || fail(m_sink->errorString()));
    }
    bool finish() override { return m_sink && (m_sink->finish() || fail(m_sink->errorString())); }
    void abort() override
    {
        if (m_sink)
            m_sink->abort();
    }
    int passes() const override { return m_sink ? m_sink->passes() : 1; }

private:
    QString m_path;
    QString m_title;
    std::unique_ptr<PageSink> m_sink;
};

} // namespace

FastPdfSink::FastPdfSink(QString path, QString title) : m_path(std::move(path)), m_title(std::move(title)) {}

FastPdfSink::~FastPdfSink()
{
    abort();
}

bool FastPdfSink::canEmbed(const QList<FontSpec>& fonts)
{
    return FastPdfContent(fonts, 0).firstUnembeddableFont() < 0;
}

bool FastPdfSink::writeFailed()
{
    const QString reason = m_file ? m_file->errorString() : QString();
    abort();
    return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(m_path, reason));
}

bool FastPdfSink::begin(const ReplayInfo& info)
{
    m_content = std::make_unique<FastPdfContent>(info.fonts, info.pageCount);
    const int unembeddable = m_content->firstUnembeddableFont();
    if (unembeddable >= 0)
        return fail(QStringLiteral("Czcionki %1 nie można osadzić w pliku PDF %2.")
                        .arg(info.fonts[unembeddable].family, m_path));
    m_file = std::make_unique<FastPdfFile>(m_path);
    m_file->setCompressionLevel(m_level);
    if (!m_file->open())
        return writeFailed();

    // The sheet as Qt's PDF writer sizes it, so that viewers name the paper the same way.
    const QRectF sheet = qtPageLayout(info.page).fullRect(QPageLayout::Point);
    m_sheetHeight = sheet.height();
    std::string box = "[0 0 ";
    appendPdfNumber(box, sheet.width(), 3);
    box += ' ';
    appendPdfNumber(box, sheet.height(), 3);
    box += ']';
    m_mediaBox = QByteArray::fromStdString(box);

    m_pages.clear();
    m_pages.reserve(info.pageCount);
    m_pagesNode = m_file->reserveObject();
    m_resources = m_file->reserveObject();
    m_fontObjects.clear();
    for (int f = 0; f < m_content->faceCount(); ++f) {
        m_fontObjects.append(m_file->reserveObject());
        for (int i = 1; i < ObjectsPerFace; ++i)
            m_file->reserveObject();
    }
    std::string resources = "<< /ProcSet [/PDF /Text] /Font <<";
    for (int f = 0; f < m_content->faceCount(); ++f) {
        resources += " /F";
        appendPdfInt(resources, f);
        resources += ' ';
        resources += ref(m_fontObjects[f] + Type0Font);
    }
    resources += " >> >>";
    m_file->writeObject(m_resources, resources);
    return !m_file->failed() || writeFailed();
}

bool FastPdfSink::page(int, const PageRecord& page)
{
    if (!m_file)
        return fail(QStringLiteral("Nie można zapisać pliku %1.").arg(m_path));
    m_content->build(page, m_sheetHeight, m_stream);
    const int contents = m_file->reserveObject();
    m_file->writeStream(contents, m_stream, true);
    const int pageObject = m_file->reserveObject();
    std::string body = "<< /Type /Page /Parent ";
    body += ref(m_pagesNode);
    body += " /Resources ";
    body += ref(m_resources);
    body += " /Contents ";
    body += ref(contents);
    body += " >>";
    m_file->writeObject(pageObject, body);
    m_pages.append(pageObject);
    return !m_file->failed() || writeFailed();
}

bool FastPdfSink::finish()
{
    if (!m_file)
        return fail(QStringLiteral("Nie można zapisać pliku %1.").arg(m_path));
    // Written once: worth the better compression.
    m_file->setCompressionLevel(6);
    for (int f = 0; f < m_content->faceCount(); ++f) {
        const FastPdfFace& face = m_content->face(f);
        const int first = m_fontObjects[f];
        std::string name(1, '/');
        name += face.baseFontName().toStdString();
        m_file->writeObject(first + Type0Font, "<< /Type /Font /Subtype /Type0 /BaseFont " + name
                                                   + " /Encoding /Identity-H /DescendantFonts [" + ref(first + CidFont)
                                                   + "] /ToUnicode " + ref(first + TextMap) + " >>");
        m_file->writeObject(first + CidFont,
                            "<< /Type /Font /Subtype /CIDFontType2 /BaseFont " + name
                                + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>"
                                  " /FontDescriptor "
                                + ref(first + Descriptor) + " /CIDToGIDMap /Identity /DW 0 /W "
                                + face.widthsArray().toStdString() + " >>");
        m_file->writeObject(first + Descriptor, "<< /Type /FontDescriptor /FontName " + name + ' '
                                                    + face.descriptorEntries().toStdString() + " /FontFile2 "
                                                    + ref(first + FontFile) + " >>");
        const QByteArray program = face.subsetFontFile();
        std::string length = "/Length1 ";
        appendPdfInt(length, program.size());
        m_file->writeStream(first + FontFile, std::string_view(program.constData(), size_t(program.size())), true, length);
        const QByteArray map = face.toUnicodeCMap();
        m_file->writeStream(first + TextMap, std::string_view(map.constData(), size_t(map.size())), true);
    }

    // A report without pages still opens as one blank sheet, as Qt's writer makes it.
    if (m_pages.isEmpty() && !page(0, PageRecord()))
        return false;

    std::string pages = "<< /Type /Pages /MediaBox " + m_mediaBox.toStdString() + " /Count ";
    appendPdfInt(pages, m_pages.size());
    pages += " /Kids [";
    for (int p : m_pages) {
        appendPdfInt(pages, p);
        pages += " 0 R ";
    }
    pages += "] >>";
    m_file->writeObject(m_pagesNode, pages);
    m_pages.clear();
    m_pages.squeeze();

    const int catalog = m_file->reserveObject();
    m_file->writeObject(catalog, "<< /Type /Catalog /Pages " + ref(m_pagesNode) + " >>");
    const int info = m_file->reserveObject();
    std::string infoBody = "<< /Creator (pravik) /Producer (pravik)";
    if (!m_title.isEmpty())
        infoBody += " /Title " + textString(m_title);
    infoBody += " /CreationDate (D:" + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")).toStdString()
        + ") >>";
    m_file->writeObject(info, infoBody);
    if (!m_file->finish(catalog, info))
        return writeFailed();
    m_file.reset();
    m_content.reset();
    return true;
}

void FastPdfSink::abort()
{
    if (m_file)
        m_file->cancel();
    m_file.reset();
    m_content.reset();
    m_pages.clear();
}

std::unique_ptr<PageSink> makePdfSink(const QString& path, const QString& title)
{
    return std::make_unique<ChosenPdfSink>(path, title);
}

} // namespace pravik::report
