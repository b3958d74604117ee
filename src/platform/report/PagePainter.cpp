#include "platform/report/PagePainter.h"

#include "platform/report/Fonts.h"

#include <QPageSize>
#include <QPainter>

namespace pravik::report {

PagePainter::PagePainter(const QList<FontSpec>& fonts, int pageCount) : m_pageCount(pageCount)
{
    m_fonts.reserve(fonts.size());
    for (const FontSpec& f : fonts)
        m_fonts.append(std::make_shared<GlyphFont>(f));
}

void PagePainter::paint(QPainter& painter, const PageRecord& page, qreal pixelsPerUnit) const
{
    painter.save();
    painter.scale(pixelsPerUnit, pixelsPerUnit);
    const QPen textPen(Qt::black);
    QList<quint32> glyphs;
    QList<QPointF> positions;
    QGlyphRun run;
    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::Text: {
            if (item.font >= m_fonts.size())
                break;
            const GlyphFont& font = *m_fonts[item.font];
            const qreal width = font.layout(resolvedText(item, m_pageCount), glyphs, positions);
            run.setRawFont(font.rawFont());
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.setPen(textPen);
            painter.drawGlyphRun(textOrigin(item, font, width), run);
            break;
        }
        case PageItem::Kind::Line:
            painter.setPen(QPen(Qt::black, qMax(1, item.thickness), Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(item.rect.topLeft(), QPoint(item.rect.x() + item.rect.width(), item.rect.y() + item.rect.height()));
            break;
        case PageItem::Kind::Box: {
            if (item.thickness > 0)
                painter.setPen(QPen(Qt::black, item.thickness, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            else
                painter.setPen(Qt::NoPen);
            if (item.shade > 0) {
                const int grey = 255 - qBound(0, int(item.shade), 100) * 255 / 100;
                painter.setBrush(QColor(grey, grey, grey));
            } else {
                painter.setBrush(Qt::NoBrush);
            }
            painter.drawRect(item.rect);
            break;
        }
        }
    }
    painter.restore();
}

QPointF textOrigin(const PageItem& item, const GlyphFont& font, qreal width)
{
    qreal x = item.rect.x();
    switch (item.flags & PageItem::AlignMask) {
    case PageItem::AlignCenter:
        x += (item.rect.width() - width) / 2;
        break;
    case PageItem::AlignRight:
        x += item.rect.width() - width;
        break;
    default:
        break;
    }
    // Centred vertically in its rectangle, as the band's designer placed it.
    const qreal baseline = item.rect.y() + (item.rect.height() - font.ascent() - font.descent()) / 2 + font.ascent();
    return QPointF(x, baseline);
}

QPageLayout qtPageLayout(const PageSetup& page)
{
    QPageSize size;
    const QString name = page.paper.toLower();
    if (name == u"a4")
        size = QPageSize(QPageSize::A4);
    else if (name == u"a3")
        size = QPageSize(QPageSize::A3);
    else if (name == u"a5")
        size = QPageSize(QPageSize::A5);
    else if (name == u"letter")
        size = QPageSize(QPageSize::Letter);
    else if (name == u"legal")
        size = QPageSize(QPageSize::Legal);
    else
        size = QPageSize(QSizeF(page.paperWidth / 1000.0, page.paperHeight / 1000.0), QPageSize::Inch,
                         QString(), QPageSize::ExactMatch);
    return QPageLayout(size,
                       page.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

} // namespace pravik::report
