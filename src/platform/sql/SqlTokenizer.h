#pragma once
// A small lexer for T-SQL text: enough to rewrite it without ever touching the inside of a
// quoted text, and in one pass (statements are translated thousands of times in a report).
#include <QList>
#include <QString>
#include <QStringView>

namespace pravik::sql {

struct SqlToken {
    enum class Kind {
        Space,      // blanks and comments
        String,     // '...' with doubled quotes, also N'...'
        Number,     // 12, 1.5, .5, 1e3
        Identifier, // names, keywords, @variables; [bracketed] and "quoted" names
        Punct,      // operators and punctuation, one token per operator
    };
    Kind kind;
    qsizetype begin; // offset in the text
    qsizetype length;
    // String: starts with N; Identifier: written as [name] or "name".
    bool marked = false;

    QStringView text(const QString& sql) const { return QStringView(sql).mid(begin, length); }
};

QList<SqlToken> tokenizeSql(const QString& sql);

// For an identifier token: its name without brackets or quotes.
QString identifierName(const QString& sql, const SqlToken& token);

} // namespace pravik::sql
