#include "siblings/utilka/TextServices.h"

#include <array>

namespace utilka {

namespace {

// A cut after `count` characters must not separate a surrogate pair.
int safeCut(const QString& text, int count)
{
    if (count > 0 && count < text.size() && text.at(count - 1).isHighSurrogate() && text.at(count).isLowSurrogate())
        return count - 1;
    return count;
}

// A hard cut at the width; a pair that does not fit in a width of 1 goes whole, so that the
// caller always advances.
QString hardCut(const QString& text, int width)
{
    const int count = safeCut(text, width);
    return text.left(count > 0 ? count : 2);
}

bool isControl(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127;
}

} // namespace

QString STRING_CUT(const QString& separator, const QString& text, int width)
{
    if (width <= 0)
        return {};
    if (text.size() <= width)
        return text;
    if (separator.isEmpty())
        return hardCut(text, width);
    const QChar sep = separator.at(0);
    // A blank right after the width ends a word that fits exactly; it prints as nothing.
    if (sep == u' ' && text.at(width) == sep)
        return text.left(width);
    const qsizetype last = text.lastIndexOf(sep, width - 1);
    if (last > 0)
        return text.left(last + 1);
    return hardCut(text, width);
}

QStringList cutIntoPieces(const QString& separator, const QString& text, int width, int maxPieces)
{
    QStringList pieces;
    if (text.isEmpty())
        return pieces;
    if (width <= 0)
        return {text};
    const bool blank = separator == QStringLiteral(" ");
    QString rest = text;
    while (!rest.isEmpty() && (maxPieces <= 0 || pieces.size() < maxPieces)) {
        if (blank && !pieces.isEmpty()) {
            qsizetype lead = 0;
            while (lead < rest.size() && rest.at(lead) == u' ')
                ++lead;
            rest.remove(0, lead);
        }
        if (rest.isEmpty())
            break;
        const QString piece = STRING_CUT(separator, rest, width);
        rest = rest.mid(piece.size());
        if (blank) {
            qsizetype end = piece.size();
            while (end > 0 && piece.at(end - 1) == u' ')
                --end;
            pieces << piece.left(end);
        } else {
            pieces << piece;
        }
    }
    return pieces;
}

QString ZAMIEN_WYRAZENIE(const QString& text, const QString& what, const QString& replacement)
{
    if (what.isEmpty())
        return text;
    QString out;
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(what); at >= 0; at = text.indexOf(what, from)) {
        out += QStringView(text).mid(from, at - from);
        out += replacement;
        from = at + what.size();
    }
    out += QStringView(text).mid(from);
    return out;
}

QString USUN_ZNAKI_STERUJACE(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (const QChar c : text) {
        if (isControl(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (pendingBlank)
            out += u' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

int LICZBA_WYSTAPIEN(const QString& text, const QString& part)
{
    if (part.isEmpty())
        return 0;
    int count = 0;
    for (qsizetype at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + part.size()))
        ++count;
    return count;
}

int STR_POZYCJA_WYSTAPIENIA(const QString& text, const QString& part, int n)
{
    if (part.isEmpty() || n < 1)
        return 0;
    int seen = 0;
    for (qsizetype at = text.indexOf(part); at >= 0; at = text.indexOf(part, at + part.size())) {
        if (++seen == n)
            return int(at) + 1;
    }
    return 0;
}

QString STRING_ODWROC(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (i > 0 && text.at(i).isLowSurrogate() && text.at(i - 1).isHighSurrogate()) {
            out += text.at(i - 1);
            out += text.at(i);
            --i;
        } else {
            out += text.at(i);
        }
    }
    return out;
}

QString STRING_WYTNIJ_DO(const QString& separator, const QString& text, int n)
{
    if (n < 1)
        return {};
    if (separator.isEmpty())
        return text;
    qsizetype at = -1;
    for (int i = 0; i < n; ++i) {
        at = text.indexOf(separator, at + 1);
        if (at < 0)
            return text;
    }
    return text.left(at);
}

QString NAZWA_MIESIACA(int month, int form)
{
    static const std::array<const char16_t*, 12> nominative = {
        u"Styczeń", u"Luty", u"Marzec", u"Kwiecień", u"Maj", u"Czerwiec",
        u"Lipiec", u"Sierpień", u"Wrzesień", u"Październik", u"Listopad", u"Grudzień"};
    static const std::array<const char16_t*, 12> genitive = {
        u"stycznia", u"lutego", u"marca", u"kwietnia", u"maja", u"czerwca",
        u"lipca", u"sierpnia", u"września", u"października", u"listopada", u"grudnia"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16(form == 1 ? genitive[size_t(month - 1)] : nominative[size_t(month - 1)]);
}

} // namespace utilka
