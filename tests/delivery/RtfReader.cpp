#include "RtfReader.h"

#include <QString>

#include <cctype>

namespace pravik::test {

RtfReading readRtf(const QByteArray& rtf)
{
    RtfReading r;
    r.startsAsRtf = rtf.startsWith("{\\rtf1");
    int depth = 0;
    int pictureDepth = -1;      // depth of the open picture group
    bool groupJustOpened = false;
    QByteArray hex;
    bool broken = false;
    bool ended = false;
    int skipAfterUnicode = 0;
    for (qsizetype i = 0; i < rtf.size() && !broken; ++i) {
        const char c = rtf[i];
        if (ended && c != '\r' && c != '\n') {
            broken = true;
            break;
        }
        if (c == '{') {
            ++depth;
            groupJustOpened = true;
            continue;
        }
        if (c == '}') {
            if (depth == pictureDepth) {
                r.pictures.last().data = QByteArray::fromHex(hex);
                hex.clear();
                pictureDepth = -1;
            }
            if (--depth < 0)
                broken = true;
            if (depth == 0)
                ended = true;
            groupJustOpened = false;
            continue;
        }
        if (c == '\r' || c == '\n')
            continue;
        if (c == '\\' && i + 1 < rtf.size()) {
            const char next = rtf[i + 1];
            if (!std::isalpha(static_cast<unsigned char>(next))) {
                ++i;
                if (pictureDepth < 0 && (next == '\\' || next == '{' || next == '}'))
                    r.text += QChar::fromLatin1(next);
                groupJustOpened = false;
                continue;
            }
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const qsizetype numberStart = j;
            if (j < rtf.size() && rtf[j] == '-')
                ++j;
            while (j < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QString word = QString::fromLatin1(rtf.mid(i + 1, j - i - 1));
            const QString name = QString::fromLatin1(rtf.mid(i + 1, numberStart - i - 1));
            if (j < rtf.size() && rtf[j] == ' ')
                ++j;
            i = j - 1;
            if (groupJustOpened && name == QLatin1String("pict")) {
                pictureDepth = depth;
                r.pictures.append(RtfPicture{});
            } else if (pictureDepth >= 0) {
                r.pictures.last().words.append(word);
            } else {
                r.words.append(word);
                if (name == QLatin1String("u")) {
                    qint64 code = word.mid(1).toLongLong();
                    if (code < 0)
                        code += 0x10000;
                    r.text += QChar(char16_t(code));
                    skipAfterUnicode = 1;
                }
            }
            groupJustOpened = false;
            continue;
        }
        groupJustOpened = false;
        if (pictureDepth >= 0) {
            hex += c;
        } else if (skipAfterUnicode > 0) {
            --skipAfterUnicode;
        } else {
            r.text += QChar::fromLatin1(c);
        }
    }
    r.balanced = !broken && depth == 0 && ended;
    return r;
}

} // namespace pravik::test
