#pragma once
// One TrueType face as the PDF writer embeds it: a Type0 font with Identity-H encoding, so a
// glyph index is its own character code. The face remembers which glyphs the pages used (and the
// character each one stands for), which is all it needs to write the widths, the text map that
// lets a reader copy and search the text, and the embedded font file with only those glyphs.
#include <QByteArray>
#include <QRawFont>

#include <string>
#include <vector>

namespace pravik::report {

class FastPdfFace {
public:
    explicit FastPdfFace(const QRawFont& face);

    // Faces without TrueType outlines (CFF-based OpenType) cannot be embedded this way.
    bool isEmbeddable() const { return m_embeddable; }
    // Names the font file: sizes of one face share one embedded font.
    static QString key(const QRawFont& face);

    quint32 spaceGlyph() const { return m_spaceGlyph; }
    // A glyph's advance in thousandths of the font size, as written in the widths array.
    double width(quint32 glyph) const { return glyph < m_widths.size() ? m_widths[glyph] : 0.0; }
    // Records that a page shows the glyph, standing for the character ucs (0: for none).
    void use(quint32 glyph, char32_t ucs)
    {
        if (glyph >= m_unicode.size())
            return;
        m_used[glyph] = true;
        if (m_unicode[glyph] == 0)
            m_unicode[glyph] = ucs;
    }

    // Written once the pages are done. The name carries the subset tag ("ABCDEF+DejaVuSans").
    QByteArray baseFontName() const;
    // "/Flags 4 /FontBBox [...] ..." for the font descriptor, without the font file entry.
    QByteArray descriptorEntries() const;
    // The widths array of the glyphs used: "[3 [318.36] 36 [684.08 686.04]]".
    QByteArray widthsArray() const;
    QByteArray toUnicodeCMap() const;
    // A TrueType file in which every glyph no page used (nor a used composite glyph refers to)
    // is left empty; glyph indexes stay as they are.
    QByteArray subsetFontFile() const;

private:
    QByteArray table(const char* tag) const;

    QRawFont m_face;
    bool m_embeddable = false;
    quint32 m_spaceGlyph = 0;
    int m_unitsPerEm = 1000;
    std::vector<double> m_widths;
    std::vector<bool> m_used;
    std::vector<char32_t> m_unicode;
};

} // namespace pravik::report
