#include "platform/report/Fonts.h"


namespace pravik::report {

namespace {

// The code point at i and how many UTF-16 units it takes.
inline char32_t codePointAt(QStringView text, qsizetype i, qsizetype& units)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    units = 1;
    return c.unicode();
}

} // namespace

QFont unitFont(const FontSpec& requested)
{
    QFont font(requested.family);
    font.setPixelSize(qMax(1, qRound(requested.size * kUnitsPerInch / 72.0)));
    font.setWeight(QFont::Weight(requested.weight));
    font.setItalic(requested.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

GlyphFont::GlyphFont(const FontSpec& requested) : m_raw(QRawFont::fromFont(unitFont(requested)))
{
    m_ascent = m_raw.ascent();
    m_descent = m_raw.descent();
    m_lineSpacing = m_raw.ascent() + m_raw.descent() + m_raw.leading();
}

const GlyphFont::Glyph& GlyphFont::glyph(char32_t ucs) const
{
    Glyph* g = nullptr;
    if (ucs < m_common.size()) {
        g = &m_common[ucs];
    } else {
        g = &m_other[ucs];
    }
    if (g->advance < 0) {
        QChar chars[2];
        int count = 0;
        if (QChar::requiresSurrogates(ucs)) {
            chars[0] = QChar(QChar::highSurrogate(ucs));
            chars[1] = QChar(QChar::lowSurrogate(ucs));
            count = 2;
        } else {
            chars[0] = QChar(char16_t(ucs));
            count = 1;
        }
        quint32 index = 0;
        int found = 1;
        if (m_raw.glyphIndexesForChars(chars, count, &index, &found) && found == 1) {
            QPointF advance;
            m_raw.advancesForGlyphIndexes(&index, &advance, 1, QRawFont::SeparateAdvances);
            g->index = index;
            g->advance = advance.x();
        } else {
            g->index = 0;
            g->advance = 0;
        }
    }
    return *g;
}

qreal GlyphFont::width(QStringView text) const
{
    qreal w = 0;
    qsizetype units = 1;
    for (qsizetype i = 0; i < text.size(); i += units)
        w += glyph(codePointAt(text, i, units)).advance;
    return w;
}

qreal GlyphFont::layout(QStringView text, QList<quint32>& glyphs, QList<QPointF>& positions) const
{
    glyphs.clear();
    positions.clear();
    qreal x = 0;
    qsizetype units = 1;
    for (qsizetype i = 0; i < text.size(); i += units) {
        const char32_t ucs = codePointAt(text, i, units);
        const Glyph& g = glyph(ucs);
        // A blank only moves the pen: leaving it out keeps the page's drawing list short
        // (amounts are full of group spaces).
        if (ucs != U' ' && ucs != U'\u00a0') {
            glyphs.append(g.index);
            positions.append(QPointF(x, 0));
        }
        x += g.advance;
    }
    return x;
}

int FontBook::indexOf(const FontSpec& requested)
{
    const auto it = m_index.constFind(requested);
    if (it != m_index.constEnd())
        return *it;
    const int index = int(m_requested.size());
    m_requested.append(requested);
    m_fonts.append(std::make_shared<GlyphFont>(requested));
    m_index.insert(requested, index);
    return index;
}

QString FontBook::clip(int index, const QString& text, qreal width) const
{
    const GlyphFont& font = *m_fonts[index];
    qreal used = 0;
    qsizetype units = 1;
    for (qsizetype i = 0; i < text.size(); i += units) {
        used += font.width(QStringView(text).mid(i, 1 + (text[i].isHighSurrogate() ? 1 : 0)));
        codePointAt(text, i, units);
        if (used > width)
            return text.left(i);
    }
    return text;
}

QStringList FontBook::wrap(int index, const QString& text, qreal width, int maxLines) const
{
    QStringList lines;
    const QStringList paragraphs = text.split(u'\n');
    for (const QString& paragraph : paragraphs) {
        QString rest = paragraph;
        do {
            if (lines.size() == maxLines)
                return lines;
            QString line = clip(index, rest, width);
            if (line.size() < rest.size() && rest[line.size()] != u' ') {
                // Break after the last space of the piece; a word longer than the line is cut.
                const qsizetype space = line.lastIndexOf(u' ');
                if (space > 0)
                    line.truncate(space);
                if (line.isEmpty())
                    line = rest.left(1);
            }
            rest = rest.mid(line.size());
            while (rest.startsWith(u' '))
                rest.remove(0, 1);
            lines.append(line);
        } while (!rest.isEmpty());
    }
    return lines;
}

} // namespace pravik::report
