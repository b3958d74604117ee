#include "delivery/RtfDocument.h"

#include <QFile>
#include <QIODevice>
#include <QImageReader>

namespace pravik::delivery {

namespace {

// Hex lines of 128 characters, as word processors write pictures.
constexpr qint64 kHexBytesPerLine = 64;
constexpr qint64 kReadChunk = kHexBytesPerLine * 256;

QByteArray number(qint64 n)
{
    return QByteArray::number(n);
}

} // namespace

QByteArray rtfText(const QString& text)
{
    QByteArray out;
    for (char32_t c : text.toUcs4()) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x80) {
            out += char(c);
        } else if (c <= 0xffff) {
            // RTF takes a signed 16-bit number.
            out += "\\u" + number(c > 0x7fff ? qint64(c) - 0x10000 : qint64(c)) + '?';
        } else {
            const QString pair = QString::fromUcs4(&c, 1);
            for (QChar unit : pair)
                out += "\\u" + number(qint64(unit.unicode()) - 0x10000) + '?';
        }
    }
    return out;
}

bool writeRtf(const RtfPages& pages, QIODevice& out, QString* error)
{
    auto failed = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    auto put = [&](const QByteArray& bytes) { return out.write(bytes) == bytes.size(); };

    const int paperWidth = pages.landscape ? kA4LongTwips : kA4ShortTwips;
    const int paperHeight = pages.landscape ? kA4ShortTwips : kA4LongTwips;
    const QDateTime& t = pages.created;
    QByteArray head = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n"
                      "{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                      "{\\f1\\froman\\fcharset238 Times New Roman CE;}}\r\n"
                      "{\\info{\\title " + rtfText(pages.title) + "}"
                      "{\\creatim\\yr" + number(t.date().year()) + "\\mo" + number(t.date().month()) + "\\dy"
                      + number(t.date().day()) + "\\hr" + number(t.time().hour()) + "\\min" + number(t.time().minute())
                      + "}}\r\n"
                      "\\paperw" + number(paperWidth) + "\\paperh" + number(paperHeight)
                      + "\\margl" + number(kRtfMarginTwips) + "\\margr" + number(kRtfMarginTwips) + "\\margt"
                      + number(kRtfMarginTwips) + "\\margb" + number(kRtfMarginTwips)
                      + (pages.landscape ? "\\landscape" : "") + "\r\n"
                      "\\sectd" + QByteArray(pages.landscape ? "\\lndscpsxn" : "") + "\\pgwsxn" + number(paperWidth)
                      + "\\pghsxn" + number(paperHeight) + "\r\n\\pard\\plain\\f1\r\n";
    if (!put(head))
        return failed(out.errorString());

    const int areaWidth = paperWidth - 2 * kRtfMarginTwips;
    // A little less than the full height, so that the paragraph mark after a picture stays on
    // its page instead of pushing an empty page between two pictures.
    const int areaHeight = paperHeight - 2 * kRtfMarginTwips - 300;
    for (qsizetype n = 0; n < pages.pngFiles.size(); ++n) {
        const QString& path = pages.pngFiles[n];
        const QSize pixels = QImageReader(path).size();
        if (!pixels.isValid() || pixels.isEmpty())
            return failed(QStringLiteral("%1: to nie jest obraz strony.").arg(path));
        double scale = double(areaWidth) / pixels.width();
        if (pixels.height() * scale > areaHeight)
            scale = double(areaHeight) / pixels.height();
        const qint64 goalWidth = qRound64(pixels.width() * scale);
        const qint64 goalHeight = qRound64(pixels.height() * scale);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failed(QStringLiteral("%1: %2").arg(path, file.errorString()));
        if (!put("{\\pict\\pngblip\\picw" + number(pixels.width()) + "\\pich" + number(pixels.height()) + "\\picwgoal"
                 + number(goalWidth) + "\\pichgoal" + number(goalHeight) + "\r\n"))
            return failed(out.errorString());
        while (!file.atEnd()) {
            const QByteArray chunk = file.read(kReadChunk);
            if (chunk.isEmpty())
                return failed(QStringLiteral("%1: %2").arg(path, file.errorString()));
            QByteArray hex;
            hex.reserve(chunk.size() * 2 + chunk.size() / kHexBytesPerLine * 2 + 2);
            for (qsizetype i = 0; i < chunk.size(); i += kHexBytesPerLine)
                hex += chunk.mid(i, kHexBytesPerLine).toHex() + "\r\n";
            if (!put(hex))
                return failed(out.errorString());
        }
        const bool last = n + 1 == pages.pngFiles.size();
        if (!put(last ? "}\\par\r\n" : "}\\par\\page\r\n"))
            return failed(out.errorString());
    }
    if (!put("}\r\n"))
        return failed(out.errorString());
    return true;
}

bool writeRtfFile(const RtfPages& pages, const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool ok = writeRtf(pages, file, error) && file.flush();
    if (!ok && error && error->isEmpty())
        *error = file.errorString();
    file.close();
    if (ok && file.error() != QFileDevice::NoError) {
        ok = false;
        if (error)
            *error = file.errorString();
    }
    if (!ok)
        file.remove();
    return ok;
}

} // namespace pravik::delivery
