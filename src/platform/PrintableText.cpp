#include "platform/PrintableText.h"

namespace pravik {

namespace {

// Characters that steer a terminal or the direction of a line rather than show something.
bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F
           || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendEscape(QString& out, char32_t c)
{
    switch (c) {
    case u'\n':
        out += QLatin1String("\\n");
        return;
    case u'\r':
        out += QLatin1String("\\r");
        return;
    case u'\t':
        out += QLatin1String("\\t");
        return;
    case 0x1B:
        out += QLatin1String("\\e");
        return;
    default:
        break;
    }
    if (c <= 0xFF)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

QString escaped(QStringView text, bool keepLineBreaks, bool escapeQuotes)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        char32_t c = ch.unicode();
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += ch;
            out += text.at(++i);
            continue;
        }
        if (keepLineBreaks && c == u'\n') {
            out += ch;
        } else if (isControl(c)) {
            appendEscape(out, c);
        } else if (escapeQuotes && (c == u'"' || c == u'\\')) {
            out += u'\\';
            out += ch;
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

QString quotedInput(QStringView text, qsizetype maxChars)
{
    const qsizetype limit = qMax<qsizetype>(maxChars, 1);
    if (text.size() <= limit)
        return u'"' + escaped(text, false, true) + u'"';
    qsizetype cut = limit;
    // Never half a surrogate pair.
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return u'"' + escaped(text.left(cut), false, true) + QStringLiteral("…\" (%1 characters)").arg(text.size());
}

QString printableText(QStringView text, bool keepLineBreaks)
{
    return escaped(text, keepLineBreaks, false);
}

} // namespace pravik
