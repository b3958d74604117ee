#pragma once
// Turns a spooled page into a PDF content stream. The page is drawn in report units: the stream
// starts by scaling to thousandths of an inch with the y axis pointing down, so coordinates are
// written as the spool has them. Texts become glyph runs of the embedded faces, placed glyph by
// glyph exactly where the engine's layout put them.
#include "platform/report/FastPdfFace.h"
#include "platform/report/Fonts.h"
#include "platform/report/PageRecord.h"

#include <QList>

#include <memory>
#include <string>
#include <vector>

namespace pravik::report {

class FastPdfContent {
public:
    // fonts: the spool's font table; pageCount fills "{pages}".
    FastPdfContent(const QList<FontSpec>& fonts, int pageCount);

    // Faces the fonts use, each once however many sizes of it the report prints.
    int faceCount() const { return int(m_faces.size()); }
    FastPdfFace& face(int index) { return *m_faces[index]; }
    const FastPdfFace& face(int index) const { return *m_faces[index]; }
    // The first font whose face cannot be embedded, or -1.
    int firstUnembeddableFont() const;

    // The content stream of a page on a sheet sheetHeight points high; out is replaced.
    void build(const PageRecord& page, double sheetHeight, std::string& out);

private:
    struct Font {
        std::unique_ptr<GlyphFont> glyphs;
        int face = 0;
        double size = 0; // report units
    };

    void text(const PageItem& item, std::string& out);
    void enterText(std::string& out);
    void leaveText(std::string& out);
    void setLineWidth(double width, std::string& out);
    void setFill(double grey, std::string& out);

    std::vector<Font> m_fonts;
    std::vector<std::unique_ptr<FastPdfFace>> m_faces;
    int m_pageCount = 0;

    // Graphics state of the page being built.
    bool m_inText = false;
    int m_font = -1;
    double m_lineWidth = -1;
    double m_fill = 0;

    // Reused for every text.
    QList<quint32> m_glyphs;
    QList<QPointF> m_positions;
    std::string m_run;
};

} // namespace pravik::report
