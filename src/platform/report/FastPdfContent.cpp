#include "platform/report/FastPdfContent.h"

#include "platform/report/FastPdfFile.h"
#include "platform/report/PagePainter.h"

#include <QHash>

#include <cmath>

namespace pravik::report {

namespace {

// How far (report units) a glyph may sit from where the font's own advances put it before the
// run is corrected; a hundredth of a millimetre is below what any printer shows.
constexpr double kTolerance = 0.4;

void appendGlyphHex(std::string& out, quint32 glyph)
{
    static const char digits[] = "0123456789ABCDEF";
    const char hex[4] = {digits[(glyph >> 12) & 0xF], digits[(glyph >> 8) & 0xF], digits[(glyph >> 4) & 0xF],
                         digits[glyph & 0xF]};
    out.append(hex, 4);
}

} // namespace

FastPdfContent::FastPdfContent(const QList<FontSpec>& fonts, int pageCount) : m_pageCount(pageCount)
{
    QHash<QString, int> faceByKey;
    m_fonts.reserve(fonts.size());
    for (const FontSpec& requested : fonts) {
        Font font;
        font.glyphs = std::make_unique<GlyphFont>(requested);
        const QRawFont& raw = font.glyphs->rawFont();
        font.size = raw.pixelSize();
        const QString key = FastPdfFace::key(raw);
        const auto it = faceByKey.constFind(key);
        if (it != faceByKey.constEnd()) {
            font.face = *it;
        } else {
            font.face = int(m_faces.size());
            m_faces.push_back(std::make_unique<FastPdfFace>(raw));
            faceByKey.insert(key, font.face);
        }
        m_fonts.push_back(std::move(font));
    }
}

int FastPdfContent::firstUnembeddableFont() const
{
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (!m_faces[m_fonts[i].face]->isEmbeddable())
            return int(i);
    return -1;
}

void FastPdfContent::build(const PageRecord& page, double sheetHeight, std::string& out)
{
    out.clear();
    m_inText = false;
    m_font = -1;
    m_lineWidth = 1; // the PDF default
    m_fill = 0;
    // Report units, y pointing down from the sheet's top edge.
    out += "0.072 0 0 -0.072 0 ";
    appendPdfNumber(out, sheetHeight, 3);
    out += " cm\n";
    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Text:
            text(item, out);
            break;
        case PageItem::Kind::Line:
            leaveText(out);
            setLineWidth(qMax(1, item.thickness), out);
            appendPdfInt(out, item.rect.x());
            out += ' ';
            appendPdfInt(out, item.rect.y());
            out += " m ";
            appendPdfInt(out, item.rect.x() + item.rect.width());
            out += ' ';
            appendPdfInt(out, item.rect.y() + item.rect.height());
            out += " l S\n";
            break;
        case PageItem::Kind::Box: {
            const bool stroke = item.thickness > 0;
            const bool fill = item.shade > 0;
            if (!stroke && !fill)
                break;
            leaveText(out);
            if (stroke)
                setLineWidth(item.thickness, out);
            if (fill)
                setFill((255 - qBound(0, int(item.shade), 100) * 255 / 100) / 255.0, out);
            appendPdfInt(out, item.rect.x());
            out += ' ';
            appendPdfInt(out, item.rect.y());
            out += ' ';
            appendPdfInt(out, item.rect.width());
            out += ' ';
            appendPdfInt(out, item.rect.height());
            out += stroke && fill ? " re B\n" : stroke ? " re S\n" : " re f\n";
            break;
        }
        }
    }
    leaveText(out);
}

void FastPdfContent::text(const PageItem& item, std::string& out)
{
    if (item.font >= m_fonts.size())
        return;
    const Font& font = m_fonts[item.font];
    FastPdfFace& face = *m_faces[font.face];
    const QString text = resolvedText(item, m_pageCount);
    const qreal width = font.glyphs->layout(text, m_glyphs, m_positions);
    if (m_glyphs.isEmpty())
        return; // blanks only
    const QPointF origin = textOrigin(item, *font.glyphs, width);

    enterText(out);
    if (m_font != item.font) {
        out += "/F";
        appendPdfInt(out, font.face);
        out += ' ';
        appendPdfNumber(out, font.size);
        out += " Tf\n";
        m_font = item.font;
    }
    // The text matrix turns the glyphs upright again in the flipped page.
    out += "1 0 0 -1 ";
    appendPdfNumber(out, origin.x());
    out += ' ';
    appendPdfNumber(out, origin.y());
    out += " Tm ";

    // The layout leaves blanks out; the run puts the space glyph back, so that readers copying
    // or searching the text find the words apart. Every other glyph is checked against its laid
    // out position and moved there when the widths disagree (a character the face lacks).
    m_run.clear();
    m_run += '<';
    bool adjusted = false;
    double pen = 0;
    const double perWidth = font.size / 1000.0;
    qsizetype next = 0;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        char32_t ucs = text[i].unicode();
        if (QChar::isHighSurrogate(ucs) && i + 1 < length && text[i + 1].isLowSurrogate()) {
            ucs = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        quint32 glyph = 0;
        if (ucs == U' ' || ucs == U'\u00a0') {
            glyph = face.spaceGlyph();
            if (glyph == 0)
                continue;
            face.use(glyph, U' ');
        } else {
            if (next >= m_glyphs.size())
                break;
            glyph = m_glyphs[next];
            const double target = m_positions[next].x();
            ++next;
            const double shift = target - pen;
            if (std::abs(shift) > kTolerance) {
                // A TJ number moves the pen back by thousandths of the font size.
                const double amount = std::round(-shift / perWidth * 100) / 100;
                m_run += "> ";
                appendPdfNumber(m_run, amount);
                m_run += " <";
                pen -= amount * perWidth;
                adjusted = true;
            }
            face.use(glyph, glyph == 0 ? 0 : ucs);
        }
        appendGlyphHex(m_run, glyph);
        pen += face.width(glyph) * perWidth;
    }
    m_run += '>';
    if (adjusted) {
        out += '[';
        out += m_run;
        out += "] TJ\n";
    } else {
        out += m_run;
        out += " Tj\n";
    }
}

void FastPdfContent::enterText(std::string& out)
{
    if (m_inText)
        return;
    if (m_fill != 0) {
        out += "0 g\n";
        m_fill = 0;
    }
    out += "BT\n";
    m_inText = true;
}

void FastPdfContent::leaveText(std::string& out)
{
    if (!m_inText)
        return;
    out += "ET\n";
    m_inText = false;
}

void FastPdfContent::setLineWidth(double width, std::string& out)
{
    if (width == m_lineWidth)
        return;
    appendPdfNumber(out, width);
    out += " w\n";
    m_lineWidth = width;
}

void FastPdfContent::setFill(double grey, std::string& out)
{
    if (grey == m_fill)
        return;
    appendPdfNumber(out, grey, 3);
    out += " g\n";
    m_fill = grey;
}

} // namespace pravik::report
