#include "platform/sql/SqlTokenizer.h"

namespace pravik::sql {

namespace {

bool isIdentStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'@' || c == u'#';
}

bool isIdentPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

// Index after a quoted run that started at start (the opening quote), doubled closers inside.
qsizetype skipQuoted(const QString& s, qsizetype start, QChar close)
{
    qsizetype i = start + 1;
    const qsizetype n = s.size();
    while (i < n) {
        if (s[i] == close) {
            if (i + 1 < n && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return n; // unterminated: the rest belongs to it, the server will say so
}

} // namespace

QList<SqlToken> tokenizeSql(const QString& s)
{
    QList<SqlToken> tokens;
    tokens.reserve(s.size() / 3 + 4);
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto push = [&](SqlToken::Kind kind, qsizetype begin, qsizetype end, bool marked = false) {
        tokens.append(SqlToken{kind, begin, end - begin, marked});
    };
    while (i < n) {
        const QChar c = s[i];
        const QChar next = i + 1 < n ? s[i + 1] : QChar();
        if (c.isSpace()) {
            qsizetype j = i + 1;
            while (j < n && s[j].isSpace())
                ++j;
            push(SqlToken::Kind::Space, i, j);
            i = j;
        } else if (c == u'-' && next == u'-') {
            qsizetype j = i + 2;
            while (j < n && s[j] != u'\n')
                ++j;
            push(SqlToken::Kind::Space, i, j);
            i = j;
        } else if (c == u'/' && next == u'*') {
            const qsizetype close = s.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype j = close < 0 ? n : close + 2;
            push(SqlToken::Kind::Space, i, j);
            i = j;
        } else if (c == u'\'') {
            const qsizetype j = skipQuoted(s, i, u'\'');
            push(SqlToken::Kind::String, i, j);
            i = j;
        } else if ((c == u'N' || c == u'n') && next == u'\'') {
            const qsizetype j = skipQuoted(s, i + 1, u'\'');
            push(SqlToken::Kind::String, i, j, true);
            i = j;
        } else if (c == u'[') {
            const qsizetype j = skipQuoted(s, i, u']');
            push(SqlToken::Kind::Identifier, i, j, true);
            i = j;
        } else if (c == u'"') {
            const qsizetype j = skipQuoted(s, i, u'"');
            push(SqlToken::Kind::Identifier, i, j, true);
            i = j;
        } else if (c.isDigit() || (c == u'.' && next.isDigit())) {
            qsizetype j = i;
            while (j < n && (s[j].isDigit() || s[j] == u'.'))
                ++j;
            if (j < n && (s[j] == u'e' || s[j] == u'E')) {
                qsizetype k = j + 1;
                if (k < n && (s[k] == u'+' || s[k] == u'-'))
                    ++k;
                if (k < n && s[k].isDigit()) {
                    while (k < n && s[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            push(SqlToken::Kind::Number, i, j);
            i = j;
        } else if (isIdentStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isIdentPart(s[j]))
                ++j;
            push(SqlToken::Kind::Identifier, i, j);
            i = j;
        } else {
            static const char* const twoChar[] = {"<>", "<=", ">=", "!=", "!<", "!>", "||", "::"};
            qsizetype len = 1;
            for (const char* op : twoChar) {
                if (c == QLatin1Char(op[0]) && next == QLatin1Char(op[1])) {
                    len = 2;
                    break;
                }
            }
            push(SqlToken::Kind::Punct, i, i + len);
            i += len;
        }
    }
    return tokens;
}

QString identifierName(const QString& sql, const SqlToken& token)
{
    if (!token.marked)
        return token.text(sql).toString();
    const QChar close = sql[token.begin] == u'[' ? u']' : u'"';
    QString inner = token.text(sql).mid(1).toString();
    if (inner.endsWith(close))
        inner.chop(1);
    inner.replace(QString(2, close), QString(close));
    return inner;
}

} // namespace pravik::sql
