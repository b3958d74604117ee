#include "siblings/utilka/AccountMask.h"


namespace utilka {

namespace {

QStringView clipped(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return QStringView(text).left(end);
}

bool sameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

int SPR_MASKA(const QString& account, const QString& mask)
{
    const QStringView text = clipped(account);
    const QStringView pattern = clipped(mask);
    if (pattern.isEmpty())
        return 1;

    // Greedy matching with one backtrack point for the last "*": linear for masks without
    // stars, and never exponential.
    qsizetype t = 0, p = 0;
    qsizetype starP = -1, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern.at(p) == u'*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && (pattern.at(p) == u'?' || sameLetter(pattern.at(p), text.at(t)))) {
            ++p;
            ++t;
        } else if (starP >= 0) {
            p = starP + 1;
            t = ++starT;
        } else {
            return 0;
        }
    }
    while (p < pattern.size() && pattern.at(p) == u'*')
        ++p;
    return p == pattern.size() ? 1 : 0;
}

QString ZAMIEN_ZNAKI(const QString& mask)
{
    const QStringView source = clipped(mask);
    if (source.isEmpty())
        return QStringLiteral("%");
    QString pattern;
    pattern.reserve(source.size() + 8);
    for (const QChar c : source) {
        switch (c.unicode()) {
        case u'*': pattern += u'%'; break;
        case u'?': pattern += u'_'; break;
        case u'\'': pattern += QStringLiteral("''"); break;
        case u'%':
        case u'_':
        case u'[':
        case u'\\':
            pattern += u'\\';
            pattern += c;
            break;
        default: pattern += c;
        }
    }
    return pattern;
}

QString likeEscapeClause(const QString& pattern)
{
    return pattern.contains(u'\\') ? QStringLiteral(" escape '\\'") : QString();
}

} // namespace utilka
