#pragma once
// Draws spooled pages. Every output (PDF, PNG pages, printer, preview) paints through this one
// class, so a page looks the same wherever it goes.
#include "platform/report/Fonts.h"
#include "platform/report/Layout.h"
#include "platform/report/PageRecord.h"

#include <QFont>
#include <QList>
#include <QPageLayout>

#include <memory>

class QPainter;

namespace pravik::report {

class PagePainter {
public:
    // fonts: the spool's font table; pageCount fills "{pages}".
    PagePainter(const QList<FontSpec>& fonts, int pageCount);

    // Paints the page with its top-left corner at the painter's origin; pixelsPerUnit is the
    // device's resolution divided by 1000 (times the zoom on screen).
    void paint(QPainter& painter, const PageRecord& page, qreal pixelsPerUnit) const;

private:
    QList<std::shared_ptr<GlyphFont>> m_fonts;
    int m_pageCount;
};

// Where a text item's glyphs start (the left end of the baseline), in report units, for a text
// laid out to the given width: every output places texts by this one rule.
QPointF textOrigin(const PageItem& item, const GlyphFont& font, qreal width);

// The sheet of a layout as Qt's page layout (no margins: the layout places everything itself).
QPageLayout qtPageLayout(const PageSetup& page);

} // namespace pravik::report
