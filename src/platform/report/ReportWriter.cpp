#include "platform/report/ReportWriter.h"

#include "platform/Picture.h"
#include "platform/report/HeapSlack.h"

#include <QFile>

namespace pravik::report {

namespace {

const QString kPageToken = QStringLiteral("{page}");
const QString kPagesToken = QStringLiteral("{pages}");

quint8 alignFlag(HAlign align)
{
    switch (align) {
    case HAlign::Left:
        return PageItem::AlignLeft;
    case HAlign::Center:
        return PageItem::AlignCenter;
    case HAlign::Right:
        return PageItem::AlignRight;
    }
    return PageItem::AlignLeft;
}

const Picture* pictureOf(const Element& e)
{
    if (e.picture.isEmpty())
        return nullptr;
    try {
        return &cachedPicture(e.picture);
    } catch (const PictureError&) {
        throw ReportError(QStringLiteral("Pole %1: nieznany format wydruku \"%2\".").arg(e.id, e.picture));
    }
}

} // namespace

ReportWriter::ReportWriter(Layout layout, const QString& spoolPath)
    : m_layout(std::move(layout)), m_spool(spoolPath)
{
    keepHeapSlack();
}

ReportWriter::~ReportWriter()
{
    QFile::remove(m_spool.path());
}

void ReportWriter::setValue(const QString& field, FieldValue value)
{
    m_persistent.insert(field, std::move(value));
}

Units ReportWriter::bandHeight(const QString& band) const
{
    return m_layout.band(band).height;
}

Units ReportWriter::pageBodyHeight() const
{
    return m_layout.pageBodyHeight();
}

void ReportWriter::printBand(const QString& bandName, const FieldValues& values)
{
    const Band& band = m_layout.band(bandName);
    if (band.kind != BandKind::Detail)
        throw ReportError(QStringLiteral("Pasmo %1 drukuje się samo na każdej stronie.").arg(bandName));
    if (band.pageBreak == PageBreak::Before && m_pageOpen && m_position > 0)
        endPage();
    if (m_pageOpen && m_position > 0 && m_position + band.height > pageBodyHeight())
        endPage();
    if (!m_pageOpen)
        beginPage();

    Units top = m_layout.page.margins.top;
    for (const Band& b : m_layout.bands())
        if (b.kind == BandKind::PageHeader)
            top += b.height;
    placeBand(band, top + m_position, values);
    m_position += band.height;

    if (band.pageBreak == PageBreak::After)
        endPage();
}

void ReportWriter::newPage()
{
    if (m_pageOpen)
        endPage();
}

void ReportWriter::finish()
{
    if (m_spool.isFinished())
        return;
    if (m_pageOpen)
        endPage();
    m_spool.finish(m_layout.page, m_fonts.fonts());
}

void ReportWriter::beginPage()
{
    m_pageOpen = true;
    m_position = 0;
    m_page.clear();
    Units top = m_layout.page.margins.top;
    for (const Band& b : m_layout.bands())
        if (b.kind == BandKind::PageHeader) {
            placeBand(b, top, {});
            top += b.height;
        }
}

void ReportWriter::endPage()
{
    Units footers = 0;
    for (const Band& b : m_layout.bands())
        if (b.kind == BandKind::PageFooter)
            footers += b.height;
    Units top = m_layout.page.size().height() - m_layout.page.margins.bottom - footers;
    for (const Band& b : m_layout.bands())
        if (b.kind == BandKind::PageFooter) {
            placeBand(b, top, {});
            top += b.height;
        }
    m_spool.addPage(m_page);
    m_page.clear();
    m_pageOpen = false;
    m_position = 0;
    ++m_finishedPages;
}

void ReportWriter::placeBand(const Band& band, Units top, const FieldValues& values)
{
    const Units left = m_layout.page.margins.left;
    for (const Element& e : band.elements) {
        if (!e.visible)
            continue;
        switch (e.kind) {
        case ElementKind::Text: {
            QString text = e.text;
            quint8 flags = 0;
            if (text.contains(u'{')) {
                text.replace(kPageToken, QString::number(pageCount()));
                if (text.contains(kPagesToken))
                    flags |= PageItem::NeedsPageCount;
            }
            placeText(e, left, top, text, flags);
            break;
        }
        case ElementKind::Field:
            placeText(e, left, top, fieldText(e, values), 0);
            break;
        case ElementKind::Rule: {
            PageItem item;
            item.kind = PageItem::Kind::Line;
            item.thickness = e.thickness;
            item.rect = e.vertical ? QRect(left + e.x, top + e.y, 0, e.height) : QRect(left + e.x, top + e.y, e.width, 0);
            m_page.items.append(std::move(item));
            break;
        }
        case ElementKind::Box: {
            if (e.shade <= 0 && e.thickness <= 0)
                break;
            PageItem item;
            item.kind = PageItem::Kind::Box;
            item.thickness = e.thickness;
            item.shade = quint8(e.shade);
            item.rect = QRect(left + e.x, top + e.y, e.width, e.height);
            m_page.items.append(std::move(item));
            break;
        }
        }
    }
}

void ReportWriter::placeText(const Element& e, Units left, Units top, const QString& given, quint8 extraFlags)
{
    // Pictures pad to their width; the padding on the aligned side moves nothing and is dropped.
    QStringView view(given);
    if (e.align != HAlign::Left)
        while (!view.isEmpty() && view.front() == u' ')
            view = view.mid(1);
    if (e.align != HAlign::Right)
        while (!view.isEmpty() && view.back() == u' ')
            view.chop(1);
    if (view.isEmpty())
        return;
    const QString text = view.size() == given.size() ? given : view.toString();
    const int font = m_fonts.indexOf(e.font);
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.font = quint16(font);
    item.flags = alignFlag(e.align) | extraFlags;

    // "{pages}" is replaced at replay; the text is left whole so the number is never cut off.
    if (extraFlags & PageItem::NeedsPageCount) {
        item.rect = QRect(left + e.x, top + e.y, e.width, e.height);
        item.text = text;
        m_page.items.append(std::move(item));
        return;
    }
    if (!e.wrap || e.height <= 0) {
        item.rect = QRect(left + e.x, top + e.y, e.width, e.height);
        // An amount is never cut: a number too wide for its field shows as "#" by its picture.
        const bool number = e.kind == ElementKind::Field && !e.picture.isEmpty()
            && pictureOf(e)->kind == Picture::Kind::Number;
        item.text = number ? text : m_fonts.clip(font, text, e.width);
        if (!item.text.isEmpty())
            m_page.items.append(std::move(item));
        return;
    }
    const qreal lineHeight = m_fonts.font(font).lineSpacing();
    const int maxLines = qMax(1, int(e.height / lineHeight));
    const QStringList lines = m_fonts.wrap(font, text, e.width, maxLines);
    const Units step = qRound(lineHeight);
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        PageItem line = item;
        line.rect = QRect(left + e.x, top + e.y + i * step, e.width, step);
        line.text = lines[i];
        m_page.items.append(std::move(line));
    }
}

QString ReportWriter::fieldText(const Element& e, const FieldValues& values) const
{
    auto it = values.constFind(e.field);
    if (it == values.constEnd()) {
        it = m_persistent.constFind(e.field);
        if (it == m_persistent.constEnd())
            return {};
    }
    const Picture* picture = pictureOf(e);
    return std::visit(
        [picture](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return {};
            } else if constexpr (std::is_same_v<T, QString>) {
                return picture ? format(*picture, QStringView(v)) : v;
            } else if constexpr (std::is_same_v<T, Decimal>) {
                if (picture)
                    return format(*picture, v);
                QString plain = v.toString();
                return plain.replace(u'.', u',');
            } else {
                return picture ? format(*picture, v) : QString::number(v);
            }
        },
        *it);
}

} // namespace pravik::report
