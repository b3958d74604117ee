#pragma once
// Fonts in report units. Every output paints with the painter scaled so that one unit is one
// thousandth of an inch; a font is therefore sized in units too (a point is 1000/72 units), and a
// text measured once, when the band is printed, has the same width on paper, in a PNG page and
// in the preview.
//
// Texts are laid out glyph by glyph from the font's own tables, without a shaping pass: the
// product prints Latin script (Polish included), where a character is a glyph, and shaping every
// field was the largest cost of writing a page.
#include "platform/report/Layout.h"

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

namespace pravik::report {

// The font to paint or measure with, sized in report units; hinting off so widths scale linearly.
QFont unitFont(const FontSpec& requested);

class GlyphFont {
public:
    explicit GlyphFont(const FontSpec& requested);

    qreal ascent() const { return m_ascent; }
    qreal descent() const { return m_descent; }
    qreal lineSpacing() const { return m_lineSpacing; }

    qreal width(QStringView text) const;
    // The glyphs of text placed from x = 0 on the baseline; returns the total advance.
    qreal layout(QStringView text, QList<quint32>& glyphs, QList<QPointF>& positions) const;
    const QRawFont& rawFont() const { return m_raw; }

private:
    struct Glyph {
        quint32 index = 0;
        qreal advance = -1; // < 0: not looked up yet
    };
    const Glyph& glyph(char32_t ucs) const;

    QRawFont m_raw;
    qreal m_ascent = 0;
    qreal m_descent = 0;
    qreal m_lineSpacing = 0;
    // Latin, Polish and the common punctuation are looked up once in a flat table.
    mutable std::array<Glyph, 0x2200> m_common;
    mutable QHash<char32_t, Glyph> m_other;
};

// The fonts a report has used, numbered in the order of first use (the spool's font table).
class FontBook {
public:
    int indexOf(const FontSpec& requested);
    const QList<FontSpec>& fonts() const { return m_requested; }
    const GlyphFont& font(int index) const { return *m_fonts[index]; }

    // The longest beginning of text that fits width (whole text when it fits).
    QString clip(int index, const QString& text, qreal width) const;
    // Lines of at most width, broken after spaces where possible; at most maxLines lines (the
    // last one clipped). Explicit line breaks are kept.
    QStringList wrap(int index, const QString& text, qreal width, int maxLines) const;

private:
    QList<FontSpec> m_requested;
    QList<std::shared_ptr<GlyphFont>> m_fonts;
    QHash<FontSpec, int> m_index;
};

} // namespace pravik::report
