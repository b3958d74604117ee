#include "delivery/MimeEncoding.h"

#include <QRegularExpression>

namespace pravik::delivery {

namespace {

constexpr int kBodyLine = 76;
constexpr int kHeaderLine = 78;
// RFC 2047: a line that carries encoded words stays within 76 characters.
constexpr int kEncodedLine = 76;

bool isPrintableAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    return true;
}

QString oneLine(const QString& text)
{
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : line)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return line;
}

// Folds an ASCII header at blanks so that lines stay within 78 characters where a blank allows.
QByteArray foldAscii(const QByteArray& name, const QByteArray& value)
{
    QByteArray out = name + ": ";
    int lineLength = out.size();
    const QList<QByteArray> words = value.split(' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray& word = words[i];
        if (i > 0) {
            if (lineLength + 1 + word.size() > kHeaderLine) {
                out += "\r\n ";
                lineLength = 1;
            } else {
                out += ' ';
                ++lineLength;
            }
        }
        out += word;
        lineLength += int(word.size());
    }
    return out + "\r\n";
}

// Encoded words for text, the first to follow `firstLineUsed` characters already on its line.
QList<QByteArray> encodedWords(const QString& text, int firstLineUsed)
{
    QList<QByteArray> words;
    const QByteArray prefix = "=?UTF-8?B?";
    const QByteArray suffix = "?=";
    QByteArray chunk;
    int used = firstLineUsed;
    auto capacity = [&](int lineUsed) {
        const int chars = kEncodedLine - lineUsed - int(prefix.size() + suffix.size());
        return qMax(chars / 4 * 3, 12);
    };
    auto flush = [&] {
        if (chunk.isEmpty())
            return;
        words.append(prefix + chunk.toBase64() + suffix);
        chunk.clear();
        used = 1; // the next word starts a folded line after one blank
    };
    for (char32_t codePoint : text.toUcs4()) {
        const QByteArray bytes = QString::fromUcs4(&codePoint, 1).toUtf8();
        if (chunk.size() + bytes.size() > capacity(used))
            flush();
        chunk += bytes;
    }
    flush();
    return words;
}

} // namespace

QByteArray quotedPrintable(const QByteArray& utf8)
{
    QByteArray text = utf8;
    text.replace("\r\n", "\n");
    QByteArray out;
    out.reserve(text.size() * 11 / 10 + 16);
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype l = 0; l < lines.size(); ++l) {
        const QByteArray& line = lines[l];
        int length = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const auto byte = static_cast<unsigned char>(line[i]);
            const bool last = i + 1 == line.size();
            QByteArray piece;
            if ((byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !last))
                piece = QByteArray(1, char(byte));
            else
                piece = '=' + QByteArray::number(byte, 16).toUpper().rightJustified(2, '0');
            // Leave room for the soft break "=" on a line that goes on.
            if (length + piece.size() > kBodyLine - 1 && !(last && length + piece.size() <= kBodyLine)) {
                out += "=\r\n";
                length = 0;
            }
            out += piece;
            length += int(piece.size());
        }
        if (l + 1 < lines.size())
            out += "\r\n";
    }
    return out;
}

QByteArray base64Lines(const QByteArray& data)
{
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / kBodyLine * 2 + 2);
    for (qsizetype i = 0; i < encoded.size(); i += kBodyLine) {
        out += encoded.mid(i, kBodyLine);
        out += "\r\n";
    }
    return out;
}

QByteArray headerField(const QByteArray& name, const QString& value)
{
    const QString line = oneLine(value);
    if (isPrintableAscii(line) && !line.contains(QLatin1String("=?")))
        return foldAscii(name, line.toLatin1());
    const QList<QByteArray> words = encodedWords(line, int(name.size()) + 2);
    return name + ": " + words.join("\r\n ") + "\r\n";
}

QByteArray foldedHeader(const QByteArray& name, const QByteArray& asciiValue)
{
    QByteArray value = asciiValue;
    for (char& c : value)
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    return foldAscii(name, value);
}

QByteArray mailbox(const QString& address, const QString& displayName)
{
    const QByteArray addr = oneLine(address).trimmed().toUtf8();
    const QString name = oneLine(displayName).trimmed();
    if (name.isEmpty())
        return addr;
    if (isPrintableAscii(name) && !name.contains(QLatin1String("=?"))) {
        QByteArray quoted = name.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return '"' + quoted + "\" <" + addr + '>';
    }
    return encodedWords(name, 0).join(' ') + " <" + addr + '>';
}

QStringList splitAddresses(const QString& text)
{
    QStringList addresses;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[;,]"))))
        if (!part.trimmed().isEmpty())
            addresses.append(part.trimmed());
    return addresses;
}

bool isPlainAddress(const QString& address)
{
    static const QRegularExpression pattern(QStringLiteral(R"(^[^\s@<>"(),;:\\\[\]]+@[^\s@<>"(),;:\\\[\]]+\.[^\s@<>"(),;:\\\[\]]+$)"));
    static const QRegularExpression localHost(QStringLiteral(R"(^[^\s@<>"(),;:\\\[\]]+@(localhost|\[?127\.0\.0\.1\]?)$)"));
    return pattern.match(address).hasMatch() || localHost.match(address).hasMatch();
}

QByteArray nameParameter(const QByteArray& parameter, const QString& fileName)
{
    const QString name = oneLine(fileName);
    if (isPrintableAscii(name) && !name.contains(QLatin1String("=?"))) {
        QByteArray quoted = name.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return parameter + "=\"" + quoted + '"';
    }
    if (parameter == "filename")
        return parameter + "*=UTF-8''" + name.toUtf8().toPercentEncoding(QByteArray("!#$&+-.^_`|~"));
    return parameter + "=\"" + encodedWords(name, 0).join(' ') + '"';
}

} // namespace pravik::delivery
