#include "platform/sql/Quote.h"

namespace pravik::sql {

QString sqlText(QStringView value)
{
    QString out;
    out.reserve(value.size() + 2);
    out += u'\'';
    for (QChar c : value) {
        if (c == u'\0')
            continue;
        if (c == u'\'')
            out += u'\'';
        out += c;
    }
    out += u'\'';
    return out;
}

QString sqlNumber(qint64 value)
{
    return QString::number(value);
}

} // namespace pravik::sql
