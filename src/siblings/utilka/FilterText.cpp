#include "siblings/utilka/FilterText.h"

#include <QHash>

namespace utilka {

namespace {

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool isWordStart(QChar c)
{
    return isAsciiLetter(c) || c == u'_';
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || (c.unicode() >= u'0' && c.unicode() <= u'9');
}

QChar at(const QString& s, qsizetype i)
{
    return i >= 0 && i < s.size() ? s.at(i) : QChar();
}

// Index just past the quoted text that starts at `i` (a doubled quote stays inside); the end
// of the string when it is not closed.
qsizetype skipQuoted(const QString& s, qsizetype i)
{
    const QChar quote = s.at(i);
    for (qsizetype j = i + 1; j < s.size(); ++j) {
        if (s.at(j) == quote) {
            if (at(s, j + 1) == quote) {
                ++j;
                continue;
            }
            return j + 1;
        }
    }
    return s.size();
}

qsizetype skipWord(const QString& s, qsizetype i)
{
    while (i < s.size() && isWordChar(s.at(i)))
        ++i;
    return i;
}

// Index of the parenthesis that closes the one at `open`, or -1.
qsizetype matchingParen(const QString& s, qsizetype open)
{
    int depth = 0;
    for (qsizetype j = open; j < s.size();) {
        const QChar c = s.at(j);
        if (c == u'\'' || c == u'"') {
            j = skipQuoted(s, j);
            continue;
        }
        if (c == u'(')
            ++depth;
        else if (c == u')' && --depth == 0)
            return j;
        ++j;
    }
    return -1;
}

bool isPrefix(const QString& s, qsizetype wordStart, qsizetype wordEnd)
{
    if (wordEnd - wordStart < 2 || !isAsciiLetter(s.at(wordStart)))
        return false;
    const QChar before = at(s, wordStart - 1);
    if (before == u'.' || before == u':' || before == u'@' || before == u'#')
        return false;
    return at(s, wordEnd) == u':' && isWordStart(at(s, wordEnd + 1));
}

const QStringList& postingViews()
{
    static const QStringList views = {
        QStringLiteral("POZ_DOK_VIEW_UNION"), QStringLiteral("POZ_DOK_VIEW_UNION_EXT"),
        QStringLiteral("POZ_DOK_VIEW_UNION_BT"), QStringLiteral("POZ_DOK_VIEW_UNION_BT_EXT")};
    return views;
}

const QString& costCentreView()
{
    static const QString view = QStringLiteral("MPK_VIEW");
    return view;
}

// Posting-view columns as MPK_VIEW says them; "{q}" stands for the qualifier written before
// the column, if any ("MPK_VIEW." or nothing).
const QHash<QString, QString>& costCentreColumns()
{
    static const QHash<QString, QString> columns = {
        {QStringLiteral("LP"), QStringLiteral("{q}nr_poz_dok")},
        {QStringLiteral("OPIS"), QStringLiteral("{q}tresc_poz_dok")},
        {QStringLiteral("KWOTA_WN"), QStringLiteral("(case when {q}strona='WN' then {q}kwota else 0 end)")},
        {QStringLiteral("KWOTA_MA"), QStringLiteral("(case when {q}strona='WN' then 0 else {q}kwota end)")},
        {QStringLiteral("STRONA"), QStringLiteral("(case when {q}strona='WN' then '0' else '1' end)")},
    };
    return columns;
}

bool isKnownQualifier(const QString& name)
{
    const QString upper = name.toUpper();
    return upper == costCentreView() || postingViews().contains(upper);
}

} // namespace

QString WYTNIJ_PREFIX(const QString& filter)
{
    QString out;
    out.reserve(filter.size());
    qsizetype i = 0;
    while (i < filter.size()) {
        const QChar c = filter.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = skipQuoted(filter, i);
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        if (!isWordChar(c)) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype end = skipWord(filter, i);
        if (!isWordStart(c)) { // a number, or a word glued to one
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        const QStringView word = QStringView(filter).mid(i, end - i);
        if (word.compare(u"SQL", Qt::CaseInsensitive) == 0 && at(filter, end) == u'(') {
            const qsizetype close = matchingParen(filter, end);
            if (close > 0) {
                out += QStringView(filter).mid(end, close - end + 1);
                i = close + 1;
                continue;
            }
        }
        if (isPrefix(filter, i, end)) {
            i = end + 1;
            const qsizetype fieldEnd = skipWord(filter, i);
            out += QStringView(filter).mid(i, fieldEnd - i);
            i = fieldEnd;
            continue;
        }
        out += word;
        i = end;
    }
    return out;
}

QStringList knownFilterViews()
{
    return postingViews() + QStringList{costCentreView()};
}

QString STR_REPLACE_PREFIKS_A(const QString& filter, const QString& view)
{
    const QString target = view.trimmed().toUpper();
    const bool toCostCentres = target == costCentreView();
    if (!toCostCentres && !postingViews().contains(target))
        return filter;

    auto column = [&](const QString& name, const QString& qualifier) {
        if (toCostCentres) {
            const auto found = costCentreColumns().constFind(name.toUpper());
            if (found != costCentreColumns().constEnd())
                return QString(*found).replace(QStringLiteral("{q}"), qualifier);
        }
        return qualifier + name;
    };

    QString out;
    out.reserve(filter.size() + 32);
    qsizetype i = 0;
    while (i < filter.size()) {
        const QChar c = filter.at(i);
        if (c == u'\'' || c == u'"') {
            const qsizetype end = skipQuoted(filter, i);
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        if (!isWordChar(c)) {
            out += c;
            ++i;
            continue;
        }
        qsizetype end = skipWord(filter, i);
        if (!isWordStart(c) || at(filter, i - 1) == u'.') {
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        // A dotted reference: owner parts, then the column.
        QStringList parts{filter.mid(i, end - i)};
        while (at(filter, end) == u'.' && isWordStart(at(filter, end + 1))) {
            const qsizetype partEnd = skipWord(filter, end + 1);
            parts << filter.mid(end + 1, partEnd - end - 1);
            end = partEnd;
        }
        qsizetype next = end;
        while (at(filter, next) == u' ')
            ++next;
        const bool isCall = at(filter, next) == u'(';
        if (isCall) {
            out += QStringView(filter).mid(i, end - i);
        } else if (parts.size() == 1) {
            out += column(parts.front(), QString());
        } else if (isKnownQualifier(parts.at(parts.size() - 2))) {
            const QString owner = parts.mid(0, parts.size() - 2).join(u'.');
            const QString qualifier = (owner.isEmpty() ? QString() : owner + u'.') + view.trimmed() + u'.';
            out += column(parts.back(), qualifier);
        } else {
            out += QStringView(filter).mid(i, end - i);
        }
        i = end;
    }
    return out;
}

} // namespace utilka
