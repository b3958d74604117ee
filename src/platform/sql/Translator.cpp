#include "platform/sql/Translator.h"

#include "platform/sql/SqlTokenizer.h"

#include <QSet>
#include <optional>
#include <vector>

namespace pravik::sql {

namespace {

using namespace Qt::Literals::StringLiterals;
using Kind = SqlToken::Kind;

// What an operand of "+" evaluates to, as far as the text tells. T-SQL has one operator for
// addition and concatenation and decides by the operand types; columns are unknown here.
enum class Type { Unknown, Text, Number };

struct Range {
    qsizetype begin;
    qsizetype end; // one past the last token
};

const QSet<QString>& keywords()
{
    // Words that never start an operand.
    static const QSet<QString> set{
        u"select"_s, u"from"_s,   u"where"_s, u"and"_s,    u"or"_s,      u"not"_s,    u"as"_s,
        u"on"_s,     u"by"_s,     u"order"_s, u"group"_s,  u"having"_s,  u"in"_s,     u"is"_s,
        u"like"_s,   u"between"_s, u"then"_s, u"else"_s,   u"when"_s,    u"end"_s,    u"join"_s,
        u"inner"_s,  u"outer"_s,  u"left"_s,  u"right"_s,  u"full"_s,    u"cross"_s,  u"union"_s,
        u"all"_s,    u"distinct"_s, u"top"_s, u"into"_s,   u"values"_s,  u"set"_s,    u"exists"_s,
        u"asc"_s,    u"desc"_s,   u"with"_s,  u"update"_s, u"delete"_s,  u"insert"_s, u"escape"_s,
        u"over"_s,   u"partition"_s};
    return set;
}

const QSet<QString>& lockHints()
{
    static const QSet<QString> set{u"nolock"_s,        u"readuncommitted"_s, u"readcommitted"_s,
                                   u"readcommittedlock"_s, u"rowlock"_s,     u"paglock"_s,
                                   u"tablock"_s,       u"holdlock"_s,        u"updlock"_s,
                                   u"readpast"_s,      u"nowait"_s,          u"xlock"_s,
                                   u"serializable"_s,  u"repeatableread"_s};
    return set;
}

Type typeOfTypeName(const QString& name)
{
    static const QSet<QString> text{u"varchar"_s, u"nvarchar"_s, u"char"_s, u"nchar"_s,
                                    u"text"_s,    u"ntext"_s,    u"sysname"_s};
    static const QSet<QString> number{u"int"_s,   u"integer"_s, u"bigint"_s, u"smallint"_s,
                                      u"tinyint"_s, u"decimal"_s, u"numeric"_s, u"float"_s,
                                      u"real"_s,  u"money"_s,   u"smallmoney"_s, u"bit"_s};
    if (text.contains(name))
        return Type::Text;
    if (number.contains(name))
        return Type::Number;
    return Type::Unknown;
}

bool isSimpleName(const QString& name)
{
    if (name.isEmpty() || name[0].isDigit())
        return false;
    for (QChar c : name)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    return !keywords().contains(name.toLower());
}

class Translation {
public:
    Translation(const QString& sql, Dialect target)
        : m_sql(sql), m_target(target), m_tokens(tokenizeSql(sql))
    {
        const qsizetype n = m_tokens.size();
        m_match.assign(size_t(n), -1);
        m_concat.assign(size_t(n), 0);
        std::vector<qsizetype> open;
        for (qsizetype i = 0; i < n; ++i) {
            if (isPunct(i, u'(')) {
                open.push_back(i);
                if (open.size() > size_t(kMaxSqlNesting))
                    m_tooDeep = true;
            } else if (isPunct(i, u')') && !open.empty()) {
                m_match[size_t(open.back())] = i;
                m_match[size_t(i)] = open.back();
                open.pop_back();
            }
        }
    }

    // nullopt when the statement nests deeper than the rewriting may descend.
    std::optional<QString> run()
    {
        if (m_tooDeep)
            return std::nullopt;
        QString out = scope(0, m_tokens.size());
        if (m_tooDeep)
            return std::nullopt;
        return out;
    }

private:
    const QString& m_sql;
    Dialect m_target;
    QList<SqlToken> m_tokens;
    std::vector<qsizetype> m_match;
    std::vector<char> m_concat; // "+" tokens that join texts
    // The rewriting descends once per parenthesis, CASE or sign, and an inner group's scope once
    // more; the stack would be the limit otherwise. Parentheses are counted up front; the descent
    // bound leaves room for signs and CASE inside the deepest group allowed.
    mutable int m_depth = 0;
    mutable bool m_tooDeep = false;

    struct Descent {
        explicit Descent(const Translation& owner) : t(owner)
        {
            if (++t.m_depth > 2 * kMaxSqlNesting)
                t.m_tooDeep = true;
        }
        ~Descent() { --t.m_depth; }
        Descent(const Descent&) = delete;
        Descent& operator=(const Descent&) = delete;
        bool refused() const { return t.m_tooDeep; }
        const Translation& t;
    };

    bool pg() const { return m_target == Dialect::PostgreSQL; }

    QStringView text(qsizetype i) const { return m_tokens[i].text(m_sql); }
    bool isSig(qsizetype i) const { return m_tokens[i].kind != Kind::Space; }
    bool isPunct(qsizetype i, QChar c) const
    {
        const SqlToken& t = m_tokens[i];
        return t.kind == Kind::Punct && t.length == 1 && m_sql[t.begin] == c;
    }
    bool isWord(qsizetype i) const
    {
        return m_tokens[i].kind == Kind::Identifier && !m_tokens[i].marked;
    }
    // Lower-case word of an unquoted identifier token, empty otherwise.
    QString word(qsizetype i) const { return isWord(i) ? text(i).toString().toLower() : QString(); }
    bool isWord(qsizetype i, QLatin1StringView w) const
    {
        return isWord(i) && text(i).compare(w, Qt::CaseInsensitive) == 0;
    }
    qsizetype nextSig(qsizetype i, qsizetype end) const
    {
        while (i < end && !isSig(i))
            ++i;
        return i;
    }
    qsizetype prevSig(qsizetype i, qsizetype begin) const
    {
        while (i >= begin && !isSig(i))
            --i;
        return i;
    }
    // After a removed word: its trailing blank goes with it.
    qsizetype skipBlank(qsizetype i, qsizetype end) const
    {
        return i < end && m_tokens[i].kind == Kind::Space && m_sql[m_tokens[i].begin] == u' ' ? i + 1 : i;
    }
    qsizetype close(qsizetype open) const { return m_match[size_t(open)]; }

    // Arguments of a call, split at the commas of its own level.
    QList<Range> arguments(qsizetype open) const
    {
        QList<Range> args;
        const qsizetype end = close(open);
        qsizetype start = open + 1;
        for (qsizetype i = open + 1; i < end; ++i) {
            if (isPunct(i, u'(') && close(i) > i) {
                i = close(i);
            } else if (isPunct(i, u',')) {
                args.append({start, i});
                start = i + 1;
            }
        }
        if (!args.isEmpty() || nextSig(start, end) < end)
            args.append({start, end});
        return args;
    }

    bool isHintGroup(qsizetype open) const
    {
        if (close(open) < open)
            return false;
        bool sawHint = false;
        bool expectHint = true;
        for (qsizetype i = open + 1; i < close(open); ++i) {
            if (!isSig(i))
                continue;
            if (expectHint && lockHints().contains(word(i))) {
                sawHint = true;
                expectHint = false;
            } else if (!expectHint && isPunct(i, u',')) {
                expectHint = true;
            } else {
                return false;
            }
        }
        return sawHint && !expectHint;
    }

    // ---- types of "+" operands ----

    std::vector<Range> units(qsizetype from, qsizetype to) const
    {
        std::vector<Range> out;
        for (qsizetype i = from; i < to; ++i) {
            if (!isSig(i))
                continue;
            if (isPunct(i, u'(') && close(i) > i && close(i) < to) {
                out.push_back({i, close(i) + 1});
                i = close(i);
            } else {
                out.push_back({i, i + 1});
            }
        }
        return out;
    }

    struct Operand {
        size_t next;
        Type type;
    };

    bool unitIsGroup(const Range& u) const { return u.end - u.begin > 1; }
    bool unitIsPunct(const Range& u, QChar c) const { return !unitIsGroup(u) && isPunct(u.begin, c); }

    std::optional<Operand> operand(const std::vector<Range>& us, size_t k) const
    {
        const Descent descent(*this);
        if (k >= us.size() || descent.refused())
            return std::nullopt;
        const Range& u = us[k];
        if (unitIsGroup(u))
            return Operand{k + 1, expressionType(u.begin + 1, u.end - 1)};
        const SqlToken& t = m_tokens[u.begin];
        switch (t.kind) {
        case Kind::String:
            return Operand{k + 1, Type::Text};
        case Kind::Number:
            return Operand{k + 1, Type::Number};
        case Kind::Punct:
            if ((isPunct(u.begin, u'-') || isPunct(u.begin, u'+')) && k + 1 < us.size()) {
                if (auto inner = operand(us, k + 1))
                    return Operand{inner->next, Type::Number};
            }
            return std::nullopt;
        case Kind::Identifier:
            break;
        case Kind::Space:
            return std::nullopt;
        }
        const QString w = word(u.begin);
        const bool call = k + 1 < us.size() && unitIsGroup(us[k + 1]);
        if (w == u"case")
            return caseOperand(us, k);
        if (w == u"null")
            return Operand{k + 1, Type::Unknown};
        if (keywords().contains(w) && !(call && (w == u"left" || w == u"right")))
            return std::nullopt;
        // A qualified name: a.b.c, maybe called.
        size_t j = k;
        while (j + 2 < us.size() && unitIsPunct(us[j + 1], u'.') && m_tokens[us[j + 2].begin].kind == Kind::Identifier
               && !unitIsGroup(us[j + 2]))
            j += 2;
        if (j + 1 < us.size() && unitIsGroup(us[j + 1]) && isWord(us[j].begin))
            return Operand{j + 2, functionType(word(us[j].begin), us[j + 1].begin)};
        return Operand{j + 1, Type::Unknown};
    }

    std::optional<Operand> caseOperand(const std::vector<Range>& us, size_t k) const
    {
        int depth = 0;
        Type found = Type::Unknown;
        for (size_t j = k; j < us.size(); ++j) {
            if (unitIsGroup(us[j]))
                continue;
            const QString w = word(us[j].begin);
            if (w == u"case")
                ++depth;
            else if (w == u"end" && --depth == 0)
                return Operand{j + 1, found};
            else if (depth == 1 && (w == u"then" || w == u"else")) {
                if (auto branch = operand(us, j + 1)) {
                    if (branch->type == Type::Text)
                        found = Type::Text;
                    else if (found == Type::Unknown)
                        found = branch->type;
                }
            }
        }
        return std::nullopt;
    }

    Type functionType(const QString& name, qsizetype open) const
    {
        static const QSet<QString> text{u"substring"_s, u"substr"_s, u"left"_s,    u"right"_s,
                                        u"upper"_s,     u"lower"_s,  u"ltrim"_s,   u"rtrim"_s,
                                        u"replace"_s,   u"char"_s,   u"nchar"_s,   u"space"_s,
                                        u"str"_s,       u"replicate"_s, u"reverse"_s, u"stuff"_s,
                                        u"quotename"_s, u"concat"_s};
        static const QSet<QString> number{u"len"_s,     u"length"_s,     u"count"_s,   u"sum"_s,
                                          u"avg"_s,     u"abs"_s,        u"day"_s,     u"month"_s,
                                          u"year"_s,    u"charindex"_s,  u"datalength"_s, u"round"_s,
                                          u"floor"_s,   u"ceiling"_s,    u"datediff"_s, u"patindex"_s,
                                          u"sign"_s};
        if (text.contains(name))
            return Type::Text;
        if (number.contains(name))
            return Type::Number;
        const QList<Range> args = arguments(open);
        if (name == u"convert" && !args.isEmpty()) {
            const qsizetype t = nextSig(args[0].begin, args[0].end);
            return t < args[0].end ? typeOfTypeName(word(t)) : Type::Unknown;
        }
        if (name == u"cast" && !args.isEmpty()) {
            for (qsizetype i = args[0].begin; i < args[0].end; ++i) {
                if (isPunct(i, u'(') && close(i) > i)
                    i = close(i);
                else if (isWord(i, QLatin1StringView("as"))) {
                    const qsizetype t = nextSig(i + 1, args[0].end);
                    return t < args[0].end ? typeOfTypeName(word(t)) : Type::Unknown;
                }
            }
            return Type::Unknown;
        }
        if (name == u"isnull" || name == u"coalesce" || name == u"ifnull" || name == u"nullif"
            || name == u"max" || name == u"min") {
            Type result = Type::Unknown;
            for (const Range& a : args) {
                const Type t = expressionType(a.begin, a.end);
                if (t == Type::Text)
                    return Type::Text;
                if (t == Type::Number)
                    result = Type::Number;
            }
            return result;
        }
        return Type::Unknown;
    }

    // Type of the first expression in the range (of a select, its first column).
    Type expressionType(qsizetype from, qsizetype to) const { return chains(from, to, nullptr); }

    // Walks the operand chains joined by "+" at this level; marks the "+" that join texts when
    // marks are given. T-SQL evaluates a chain left to right: text + text is concatenation,
    // anything with a number is addition; a column of unknown type next to a text is taken as
    // text. Returns the type of the first chain.
    Type chains(qsizetype from, qsizetype to, std::vector<char>* marks) const
    {
        const std::vector<Range> us = units(from, to);
        std::optional<Type> first;
        size_t k = 0;
        while (k < us.size()) {
            if (!unitIsGroup(us[k]) && isWord(us[k].begin, QLatin1StringView("top"))) {
                k += 2; // "top n" is no operand
                continue;
            }
            auto op = operand(us, k);
            if (!op) {
                ++k;
                continue;
            }
            Type current = op->type;
            k = op->next;
            while (k + 1 < us.size() && unitIsPunct(us[k], u'+')) {
                auto rhs = operand(us, k + 1);
                if (!rhs)
                    break;
                bool concat = false;
                if (current == Type::Number || rhs->type == Type::Number)
                    current = Type::Number;
                else if (current == Type::Text || rhs->type == Type::Text) {
                    current = Type::Text;
                    concat = true;
                }
                if (marks)
                    (*marks)[size_t(us[k].begin)] = concat ? 1 : 0;
                k = rhs->next;
            }
            if (!first)
                first = current;
            if (!marks)
                break;
        }
        return first.value_or(Type::Unknown);
    }

    // ---- rewriting ----

    QString rewriteCall(const QString& name, qsizetype open, bool* done)
    {
        *done = true;
        const QList<Range> args = arguments(open);
        auto arg = [&](int n) { return scope(args[n].begin, args[n].end).trimmed(); };
        const auto argc = args.size();
        auto asText = [&](const QString& e) { return pg() ? QStringLiteral("CAST(%1 AS text)").arg(e) : e; };

        if (name == u"len" && argc == 1)
            return QStringLiteral("length(rtrim(%1))").arg(asText(arg(0)));
        if (name == u"left" && argc == 2)
            return QStringLiteral("substr(%1, 1, %2)").arg(asText(arg(0)), arg(1));
        if (name == u"right" && argc == 2) {
            if (pg())
                return QStringLiteral("right(%1, %2)").arg(asText(arg(0)), arg(1));
            const QString n = arg(1);
            return QStringLiteral("substr(%1, -(%2), %2)").arg(arg(0), n);
        }
        if ((name == u"day" || name == u"month" || name == u"year") && argc == 1) {
            // The argument is a count of days since 1 January 1900 (T-SQL reads a number as a date).
            if (pg()) {
                const QString field = name == u"day" ? u"DAY"_s : name == u"month" ? u"MONTH"_s : u"YEAR"_s;
                return QStringLiteral("CAST(EXTRACT(%1 FROM DATE '1900-01-01' + CAST((%2) AS integer)) AS integer)")
                    .arg(field, arg(0));
            }
            const QString field = name == u"day" ? u"%d"_s : name == u"month" ? u"%m"_s : u"%Y"_s;
            return QStringLiteral("CAST(strftime('%1', 2415020.5 + (%2)) AS INTEGER)").arg(field, arg(0));
        }
        if (name == u"getdate" && argc == 0)
            return pg() ? u"LOCALTIMESTAMP"_s : u"datetime('now', 'localtime')"_s;
        if (name == u"charindex" && argc == 2)
            return QStringLiteral("%1(%2, %3)").arg(pg() ? u"strpos"_s : u"instr"_s, arg(1), arg(0));
        if (name == u"convert" && (argc == 2 || argc == 3)) {
            const QString converted = convert(args[0], arg(1));
            if (!converted.isEmpty())
                return converted;
        }
        *done = false;
        return {};
    }

    QString convert(const Range& typeRange, const QString& e) const
    {
        const qsizetype t = nextSig(typeRange.begin, typeRange.end);
        if (t >= typeRange.end)
            return {};
        const QString type = word(t);
        QStringList params;
        const qsizetype p = nextSig(t + 1, typeRange.end);
        if (p < typeRange.end && isPunct(p, u'(') && close(p) > p) {
            for (qsizetype i = p + 1; i < close(p); ++i)
                if (isSig(i) && !isPunct(i, u','))
                    params << text(i).toString().toLower();
        }
        const bool max = !params.isEmpty() && params[0] == u"max";
        if (typeOfTypeName(type) == Type::Text) {
            const bool fixed = type == u"char" || type == u"nchar";
            const QString n = params.isEmpty() ? u"30"_s : params[0];
            if (max || type == u"text" || type == u"ntext")
                return pg() ? QStringLiteral("CAST(%1 AS text)").arg(e) : QStringLiteral("CAST(%1 AS TEXT)").arg(e);
            if (fixed) {
                const int width = n.toInt();
                if (pg())
                    return QStringLiteral("rpad(CAST(%1 AS text), %2)").arg(e, n);
                return QStringLiteral("substr(CAST(%1 AS TEXT) || '%2', 1, %3)").arg(e, QString(width, u' '), n);
            }
            if (pg())
                return QStringLiteral("CAST(%1 AS varchar(%2))").arg(e, n);
            return QStringLiteral("substr(CAST(%1 AS TEXT), 1, %2)").arg(e, n);
        }
        if (type == u"int" || type == u"integer" || type == u"smallint" || type == u"tinyint" || type == u"bit")
            return QStringLiteral("CAST(%1 AS %2)").arg(e, pg() ? u"integer"_s : u"INTEGER"_s);
        if (type == u"bigint")
            return QStringLiteral("CAST(%1 AS %2)").arg(e, pg() ? u"bigint"_s : u"INTEGER"_s);
        if (type == u"decimal" || type == u"numeric" || type == u"money" || type == u"smallmoney") {
            QString precision = params.value(0, u"18"_s);
            QString scale = params.value(1, u"0"_s);
            if (type == u"money" || type == u"smallmoney") {
                precision = u"19"_s;
                scale = u"4"_s;
            }
            if (pg())
                return QStringLiteral("CAST(%1 AS numeric(%2,%3))").arg(e, precision, scale);
            return QStringLiteral("round(CAST(%1 AS REAL), %2)").arg(e, scale);
        }
        if (type == u"float" || type == u"real")
            return QStringLiteral("CAST(%1 AS %2)").arg(e, pg() ? u"double precision"_s : u"REAL"_s);
        return {};
    }

    bool followsSelect(qsizetype i, qsizetype from) const
    {
        qsizetype p = prevSig(i - 1, from);
        if (p < from)
            return false;
        if (isWord(p, QLatin1StringView("distinct")) || isWord(p, QLatin1StringView("all")))
            p = prevSig(p - 1, from);
        return p >= from && isWord(p, QLatin1StringView("select"));
    }

    QString scope(qsizetype from, qsizetype to)
    {
        const Descent descent(*this);
        if (descent.refused())
            return {};
        chains(from, to, &m_concat);
        QString out;
        out.reserve((m_tokens.isEmpty() || to <= from)
                        ? 0
                        : (m_tokens[to - 1].begin + m_tokens[to - 1].length - m_tokens[from].begin) + 16);
        qsizetype lastSig = 0;
        QString limit;
        auto flushLimit = [&] {
            if (limit.isEmpty())
                return;
            const QString clause = QStringLiteral(" LIMIT ") + limit;
            out.insert(lastSig, clause);
            lastSig += clause.size();
            limit.clear();
        };

        qsizetype i = from;
        while (i < to) {
            const SqlToken& t = m_tokens[i];
            switch (t.kind) {
            case Kind::Space:
                out += text(i);
                ++i;
                continue;
            case Kind::String:
                out += t.marked ? text(i).mid(1) : text(i);
                break;
            case Kind::Number:
                out += text(i);
                break;
            case Kind::Punct:
                if (isPunct(i, u'(') && close(i) > i && close(i) < to) {
                    const qsizetype j = close(i);
                    const qsizetype before = prevSig(i - 1, from);
                    if (isHintGroup(i) && before >= from && m_tokens[before].kind == Kind::Identifier) {
                        i = j + 1;
                        continue;
                    }
                    out += u'(';
                    out += scope(i + 1, j);
                    out += u')';
                    lastSig = out.size();
                    i = j + 1;
                    continue;
                }
                if (isPunct(i, u'+') && m_concat[size_t(i)])
                    out += u"||";
                else if (isPunct(i, u';')) {
                    flushLimit();
                    out += u';';
                } else
                    out += text(i);
                break;
            case Kind::Identifier: {
                const qsizetype next = nextSig(i + 1, to);
                if (next < to && isPunct(next, u'.') && identifierName(m_sql, t).compare(u"dbo", Qt::CaseInsensitive) == 0) {
                    i = next + 1;
                    continue;
                }
                if (t.marked) {
                    const QString name = identifierName(m_sql, t);
                    if (isSimpleName(name))
                        out += name;
                    else {
                        QString quoted = pg() ? name.toLower() : name;
                        quoted.replace(u'"', u"\"\""_s);
                        out += u'"' + quoted + u'"';
                    }
                    break;
                }
                const QString w = word(i);
                if (w == u"with" && next < to && isPunct(next, u'(') && close(next) > next && close(next) < to
                    && isHintGroup(next)) {
                    i = close(next) + 1;
                    continue;
                }
                if (w == u"top" && followsSelect(i, from) && next < to) {
                    if (m_tokens[next].kind == Kind::Number) {
                        limit = text(next).toString();
                        i = skipBlank(next + 1, to);
                        continue;
                    }
                    if (isPunct(next, u'(') && close(next) > next && close(next) < to) {
                        const qsizetype inner = nextSig(next + 1, close(next));
                        if (inner < close(next) && m_tokens[inner].kind == Kind::Number
                            && nextSig(inner + 1, close(next)) == close(next)) {
                            limit = text(inner).toString();
                            i = skipBlank(close(next) + 1, to);
                            continue;
                        }
                    }
                }
                if (next < to && isPunct(next, u'(') && close(next) > next && close(next) < to) {
                    bool done = false;
                    const QString call = rewriteCall(w, next, &done);
                    if (done) {
                        out += call;
                        lastSig = out.size();
                        i = close(next) + 1;
                        continue;
                    }
                    if (w == u"isnull")
                        out += u"coalesce";
                    else if (w == u"substring")
                        out += u"substr";
                    else
                        out += text(i);
                    break;
                }
                out += text(i);
                break;
            }
            }
            lastSig = out.size();
            ++i;
        }
        flushLimit();
        return out;
    }
};

} // namespace

QString translate(const QString& tsql, Dialect target, QString* error)
{
    if (error)
        error->clear();
    if (target == Dialect::TSql)
        return tsql;
    if (auto out = Translation(tsql, target).run())
        return *out;
    if (error)
        *error = QStringLiteral("The statement nests parentheses, CASE expressions or signs deeper than %1 levels; "
                                "it was not run.")
                     .arg(kMaxSqlNesting);
    return {};
}

} // namespace pravik::sql
