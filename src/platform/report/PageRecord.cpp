#include "platform/report/PageRecord.h"

#include <QDataStream>
#include <QIODevice>

namespace pravik::report {

namespace {
// Pages are compressed as they are spooled: a text-heavy page shrinks several times, and a
// journal of many thousand pages stays a modest temporary file. Level 1 costs little time.
constexpr int kCompression = 1;
} // namespace

QByteArray PageRecord::toBytes() const
{
    QByteArray raw;
    raw.reserve(int(items.size()) * 32);
    {
        QDataStream out(&raw, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << quint32(items.size());
        for (const PageItem& item : items) {
            out << quint8(item.kind) << item.flags;
            out << qint32(item.rect.x()) << qint32(item.rect.y()) << qint32(item.rect.width())
                << qint32(item.rect.height());
            switch (item.kind) {
            case PageItem::Kind::Text:
                out << item.font << item.text.toUtf8();
                break;
            case PageItem::Kind::Line:
                out << item.thickness;
                break;
            case PageItem::Kind::Box:
                out << item.thickness << item.shade;
                break;
            }
        }
    }
    return qCompress(raw, kCompression);
}

bool PageRecord::fromBytes(const QByteArray& bytes, PageRecord& page)
{
    page.items.clear();
    const QByteArray raw = qUncompress(bytes);
    if (raw.isEmpty())
        return false;
    QDataStream in(raw);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 count = 0;
    in >> count;
    // Every item takes at least 18 bytes: a damaged count must not allocate without bound.
    if (in.status() != QDataStream::Ok || count > quint32(raw.size() / 18 + 1))
        return false;
    page.items.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        PageItem item;
        quint8 kind = 0;
        qint32 x = 0, y = 0, w = 0, h = 0;
        in >> kind >> item.flags >> x >> y >> w >> h;
        item.rect = QRect(x, y, w, h);
        switch (kind) {
        case quint8(PageItem::Kind::Text): {
            item.kind = PageItem::Kind::Text;
            QByteArray text;
            in >> item.font >> text;
            item.text = QString::fromUtf8(text);
            break;
        }
        case quint8(PageItem::Kind::Line):
            item.kind = PageItem::Kind::Line;
            in >> item.thickness;
            break;
        case quint8(PageItem::Kind::Box):
            item.kind = PageItem::Kind::Box;
            in >> item.thickness >> item.shade;
            break;
        default:
            return false;
        }
        if (in.status() != QDataStream::Ok)
            return false;
        page.items.append(std::move(item));
    }
    return true;
}

QString resolvedText(const PageItem& item, int pageCount)
{
    if (!(item.flags & PageItem::NeedsPageCount))
        return item.text;
    QString text = item.text;
    return text.replace(QStringLiteral("{pages}"), QString::number(pageCount));
}

} // namespace pravik::report
