#include "server/src/Schema.h"

#include "platform/sql/Database.h"

#include <QFile>
#include <QRegularExpression>

// Resources compiled into a static library are registered only when something refers to them.
static void initSchemaResources()
{
    Q_INIT_RESOURCE(server_schema);
}

namespace pravik::server {

namespace {

QString scriptFileName(sql::Dialect dialect)
{
    switch (dialect) {
    case sql::Dialect::SQLite:
        return QStringLiteral("schema_sqlite.sql");
    case sql::Dialect::PostgreSQL:
        return QStringLiteral("schema_postgresql.sql");
    case sql::Dialect::TSql:
        break;
    }
    return {};
}

QString readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

bool isTriggerDefinition(const QString& statement)
{
    static const QRegularExpression trigger(
        QStringLiteral("^\\s*CREATE\\s+(TEMP\\s+|TEMPORARY\\s+)?TRIGGER\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return trigger.match(statement).hasMatch();
}

bool endsWithEndKeyword(const QString& statement)
{
    static const QRegularExpression end(QStringLiteral("\\bEND\\s*$"),
                                        QRegularExpression::CaseInsensitiveOption);
    return end.match(statement).hasMatch();
}

// The dollar-quote tag ("$$" or "$body$") starting at i, or empty when there is none.
QString dollarTagAt(const QString& text, qsizetype i)
{
    if (text.at(i) != u'$')
        return {};
    qsizetype j = i + 1;
    while (j < text.size() && (text.at(j).isLetterOrNumber() || text.at(j) == u'_'))
        ++j;
    if (j < text.size() && text.at(j) == u'$') {
        // "$1" is a parameter, not a tag.
        if (j > i + 1 && text.at(i + 1).isDigit())
            return {};
        return text.mid(i, j - i + 1);
    }
    return {};
}

QString firstLine(const QString& statement)
{
    const QString trimmed = statement.trimmed();
    const qsizetype eol = trimmed.indexOf(u'\n');
    return eol < 0 ? trimmed : trimmed.left(eol).trimmed();
}

} // namespace

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    const qsizetype n = script.size();
    auto flush = [&]() {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements << statement;
        current.clear();
    };

    qsizetype i = 0;
    while (i < n) {
        const QChar c = script.at(i);
        const QChar next = i + 1 < n ? script.at(i + 1) : QChar();
        if (c == u'-' && next == u'-') {
            const qsizetype eol = script.indexOf(u'\n', i);
            i = eol < 0 ? n : eol;
            continue;
        }
        if (c == u'/' && next == u'*') {
            const qsizetype close = script.indexOf(QStringLiteral("*/"), i + 2);
            i = close < 0 ? n : close + 2;
            current += u' ';
            continue;
        }
        if (c == u'\'' || c == u'"') {
            // A doubled quote inside is part of the text and simply reopens it.
            qsizetype close = script.indexOf(c, i + 1);
            if (close < 0)
                close = n - 1;
            current += script.mid(i, close - i + 1);
            i = close + 1;
            continue;
        }
        if (c == u'$') {
            const QString tag = dollarTagAt(script, i);
            if (!tag.isEmpty()) {
                qsizetype close = script.indexOf(tag, i + tag.size());
                const qsizetype end = close < 0 ? n : close + tag.size();
                current += script.mid(i, end - i);
                i = end;
                continue;
            }
        }
        if (c == u';') {
            if (isTriggerDefinition(current) && !endsWithEndKeyword(current)) {
                current += c;
            } else {
                flush();
            }
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return statements;
}

QString schemaScript(sql::Dialect dialect)
{
    const QString name = scriptFileName(dialect);
    if (name.isEmpty())
        return {};
    const QString dir = qEnvironmentVariable("PRAVIK_SERVER_SQL_DIR");
    if (!dir.isEmpty())
        return readFile(dir + u'/' + name);
    initSchemaResources();
    return readFile(QStringLiteral(":/pravik/server/sql/") + name);
}

bool createSchema(sql::Database& db, QString* error)
{
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };

    const QString script = schemaScript(db.dialect());
    if (script.isEmpty()) {
        if (scriptFileName(db.dialect()).isEmpty())
            return fail(QStringLiteral("Schemat bazy referencyjnej istnieje tylko dla SQLite i "
                                       "PostgreSQL; ta baza mówi dialektem %1.")
                            .arg(sql::dialectName(db.dialect())));
        return fail(QStringLiteral("Nie można odczytać skryptu schematu %1.")
                        .arg(scriptFileName(db.dialect())));
    }
    if (!db.open())
        return fail(QStringLiteral("Nie można połączyć się z bazą %1: %2")
                        .arg(db.dbTarget().describe(), db.lastError()));

    {
        // An existing schema is refused before anything is touched.
        const QString probe = db.dialect() == sql::Dialect::SQLite
            ? QStringLiteral("select 1 from sqlite_master where type='table' and lower(name)='firma'")
            : QStringLiteral("select 1 from information_schema.tables where "
                             "table_schema=current_schema() and table_name='firma'");
        sql::Cursor cursor = db.execNative(probe);
        if (!cursor.ok())
            return fail(QStringLiteral("Nie można sprawdzić, czy baza ma już schemat: %1")
                            .arg(cursor.errorText()));
        if (cursor.next())
            return fail(QStringLiteral("Baza %1 ma już schemat (istnieje tabela FIRMA); "
                                       "schemat tworzy się tylko w pustej bazie.")
                            .arg(db.dbTarget().describe()));
    }

    const QStringList statements = splitSqlScript(script);
    if (!db.transaction())
        return fail(QStringLiteral("Nie można rozpocząć transakcji: %1").arg(db.lastError()));
    for (qsizetype k = 0; k < statements.size(); ++k) {
        sql::Cursor cursor = db.execNative(statements.at(k));
        if (!cursor.ok()) {
            const QString message = QStringLiteral("Tworzenie schematu przerwane na instrukcji "
                                                   "%1 z %2 (%3): %4")
                                        .arg(k + 1)
                                        .arg(statements.size())
                                        .arg(firstLine(statements.at(k)), cursor.errorText());
            cursor.close();
            db.rollback();
            return fail(message);
        }
    }
    if (!db.commit()) {
        const QString message =
            QStringLiteral("Nie można zatwierdzić schematu: %1").arg(db.lastError());
        db.rollback();
        return fail(message);
    }
    return true;
}

} // namespace pravik::server
