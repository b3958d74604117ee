#pragma once
// One finished page as a display list: what to draw, in report units from the sheet's top-left
// corner, in drawing order. Pages are spooled in this form and replayed into every output, so
// the output never depends on how the page was produced.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>

namespace pravik::report {

struct PageItem {
    enum class Kind : quint8 { Text, Line, Box };
    enum Flag : quint8 {
        AlignLeft = 0,
        AlignCenter = 1,
        AlignRight = 2,
        AlignMask = 3,
        // The text holds "{pages}", the page count, known only when the report has ended.
        NeedsPageCount = 4,
    };

    Kind kind = Kind::Text;
    quint8 flags = 0;
    quint8 shade = 0;     // boxes: grey fill in percent of black
    quint16 font = 0;     // texts: index in the spool's font table
    qint32 thickness = 0; // lines and box borders
    // Texts and boxes: the rectangle; lines: from (x, y) to (x + width, y + height).
    QRect rect;
    QString text;

    friend bool operator==(const PageItem&, const PageItem&) = default;
};

struct PageRecord {
    QList<PageItem> items;

    bool isEmpty() const { return items.isEmpty(); }
    void clear() { items.clear(); }

    // Compact binary form; fromBytes returns false on a damaged record.
    QByteArray toBytes() const;
    static bool fromBytes(const QByteArray& bytes, PageRecord& page);
};

// The text to draw: "{pages}" resolved when the item asks for it.
QString resolvedText(const PageItem& item, int pageCount);

} // namespace pravik::report
