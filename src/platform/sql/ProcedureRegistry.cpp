#include "platform/sql/ProcedureRegistry.h"

#include <QHash>
#include <QMutex>

namespace pravik::sql {

namespace {

struct Registry {
    QMutex mutex;
    QHash<QString, Procedure> procedures;
};

Registry& registry()
{
    static Registry r;
    return r;
}

// Procedures are found by name in any case, with or without the owner "dbo.".
QString keyOf(const QString& name)
{
    QString key = name.trimmed().toLower();
    if (key.startsWith(u"dbo."))
        key.remove(0, 4);
    return key;
}

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

class CallParser {
public:
    explicit CallParser(const QString& text) : s(text) {}

    bool parse(CallStatement& out, QString* error)
    {
        skipBlanks();
        if (!keyword(u"call"))
            return fail(error, QStringLiteral("Not a CALL statement: %1").arg(s));
        const qsizetype nameStart = pos;
        while (pos < s.size() && (s[pos].isLetterOrNumber() || s[pos] == u'_' || s[pos] == u'.' || s[pos] == u'#'))
            ++pos;
        out.name = s.mid(nameStart, pos - nameStart);
        if (out.name.isEmpty() || out.name[0].isDigit())
            return fail(error, QStringLiteral("The CALL statement names no procedure: %1").arg(s));
        skipBlanks();
        if (pos < s.size() && s[pos] == u'(') {
            ++pos;
            skipBlanks();
            if (pos < s.size() && s[pos] == u')') {
                ++pos;
            } else {
                for (;;) {
                    QVariant value;
                    skipBlanks();
                    const qsizetype start = pos;
                    if (!argument(value, error))
                        return false;
                    out.args.append(value);
                    out.argTexts.append(s.mid(start, pos - start).trimmed());
                    skipBlanks();
                    if (pos < s.size() && s[pos] == u',') {
                        ++pos;
                        continue;
                    }
                    if (pos < s.size() && s[pos] == u')') {
                        ++pos;
                        break;
                    }
                    return fail(error, QStringLiteral("Expected \",\" or \")\" at position %1 of: %2").arg(pos + 1).arg(s));
                }
            }
        }
        skipBlanks();
        while (pos < s.size() && s[pos] == u';') {
            ++pos;
            skipBlanks();
        }
        if (pos != s.size())
            return fail(error, QStringLiteral("Unexpected text after the CALL arguments: %1").arg(s.mid(pos)));
        return true;
    }

private:
    const QString& s;
    qsizetype pos = 0;

    void skipBlanks()
    {
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
    }

    bool keyword(QStringView word)
    {
        if (s.mid(pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = pos + word.size();
        if (after < s.size() && (s[after].isLetterOrNumber() || s[after] == u'_'))
            return false;
        pos = after;
        skipBlanks();
        return true;
    }

    bool argument(QVariant& value, QString* error)
    {
        skipBlanks();
        if (pos >= s.size())
            return fail(error, QStringLiteral("The CALL statement ends inside its arguments: %1").arg(s));
        if ((s[pos] == u'N' || s[pos] == u'n') && pos + 1 < s.size() && s[pos + 1] == u'\'')
            ++pos;
        if (s[pos] == u'\'') {
            QString text;
            ++pos;
            for (;;) {
                if (pos >= s.size())
                    return fail(error, QStringLiteral("Unterminated text in the CALL arguments: %1").arg(s));
                if (s[pos] == u'\'') {
                    if (pos + 1 < s.size() && s[pos + 1] == u'\'') {
                        text += u'\'';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                text += s[pos++];
            }
            value = text;
            return true;
        }
        if (keyword(u"null")) {
            value = QVariant();
            return true;
        }
        const qsizetype start = pos;
        if (s[pos] == u'-' || s[pos] == u'+')
            ++pos;
        while (pos < s.size() && s[pos].isSpace())
            ++pos;
        const qsizetype digits = pos;
        bool dot = false;
        while (pos < s.size() && (s[pos].isDigit() || (s[pos] == u'.' && !dot))) {
            dot = dot || s[pos] == u'.';
            ++pos;
        }
        QString number = s.mid(start, pos - start);
        number.remove(u' ');
        if (pos == digits || number == u"." || number.endsWith(u"-.") || number.endsWith(u"+."))
            return fail(error, QStringLiteral("Unreadable argument at position %1 of: %2").arg(start + 1).arg(s));
        if (dot) {
            value = number;
            return true;
        }
        bool ok = false;
        const qlonglong n = number.toLongLong(&ok);
        if (!ok)
            return fail(error, QStringLiteral("Number out of range in the CALL arguments: %1").arg(number));
        value = n;
        return true;
    }
};

} // namespace

ProcedureResult ProcedureResult::failure(const QString& error)
{
    ProcedureResult r;
    r.ok = false;
    r.error = error;
    return r;
}

ProcedureResult ProcedureResult::withRows(QList<QVariantList> rows)
{
    ProcedureResult r;
    r.rows = std::move(rows);
    return r;
}

void ProcedureRegistry::add(const QString& name, Procedure procedure)
{
    QMutexLocker lock(&registry().mutex);
    registry().procedures.insert(keyOf(name), std::move(procedure));
}

bool ProcedureRegistry::contains(const QString& name)
{
    QMutexLocker lock(&registry().mutex);
    return registry().procedures.contains(keyOf(name));
}

Procedure ProcedureRegistry::find(const QString& name)
{
    QMutexLocker lock(&registry().mutex);
    return registry().procedures.value(keyOf(name));
}

bool isCall(const QString& statement)
{
    qsizetype i = 0;
    while (i < statement.size() && statement[i].isSpace())
        ++i;
    if (statement.mid(i, 4).compare(u"call", Qt::CaseInsensitive) != 0)
        return false;
    return i + 4 < statement.size() && (statement[i + 4].isSpace());
}

std::optional<CallStatement> parseCall(const QString& statement, QString* error)
{
    CallStatement call;
    CallParser parser(statement);
    if (!parser.parse(call, error))
        return std::nullopt;
    return call;
}

QString odbcCallEscape(const CallStatement& call)
{
    return QStringLiteral("{CALL %1 (%2)}").arg(call.name, call.argTexts.join(u','));
}

} // namespace pravik::sql
