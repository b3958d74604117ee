#include "siblings/utilka/ItemList.h"

namespace utilka {

QStringList splitItemList(const QString& list)
{
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list.at(i);
        if (c == kItemEscape && i + 1 < list.size()
            && (list.at(i + 1) == kItemSeparator || list.at(i + 1) == kItemEscape)) {
            current += list.at(++i);
        } else if (c == kItemSeparator) {
            items << current;
            current.clear();
        } else {
            current += c;
        }
    }
    items << current;
    return items;
}

QString WYTNIJ_STR(int n, const QString& list)
{
    if (n < 1)
        return {};
    const QStringList items = splitItemList(list);
    return n <= items.size() ? items.at(n - 1) : QString();
}

qint64 itemNumber(int n, const QString& list)
{
    bool ok = false;
    const qint64 value = WYTNIJ_STR(n, list).trimmed().toLongLong(&ok);
    return ok ? value : 0;
}

QString buildItemList(const QStringList& items)
{
    QString list;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            list += kItemSeparator;
        for (const QChar c : items.at(i)) {
            if (c == kItemSeparator || c == kItemEscape)
                list += kItemEscape;
            list += c;
        }
    }
    return list;
}

} // namespace utilka
