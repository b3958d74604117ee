#include "platform/sql/ConnectionSpec.h"

#include "platform/PrintableText.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

namespace pravik::sql {

namespace {

// No path, URL or connection string any driver takes is longer (the system's PATH_MAX).
constexpr qsizetype kMaxConnectionBytes = 4096;

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

std::optional<Dialect> dialectFromName(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == u"tsql" || n == u"t-sql" || n == u"mssql" || n == u"sqlserver")
        return Dialect::TSql;
    if (n == u"postgresql" || n == u"postgres" || n == u"pgsql")
        return Dialect::PostgreSQL;
    if (n == u"sqlite")
        return Dialect::SQLite;
    return std::nullopt;
}

// Splits an ODBC connection string at ";" outside {braces}.
QStringList splitOdbc(const QString& text)
{
    QStringList parts;
    QString current;
    bool braced = false;
    for (QChar c : text) {
        if (c == u'{')
            braced = true;
        else if (c == u'}')
            braced = false;
        if (c == u';' && !braced) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

bool parseOdbc(const QString& body, bool isDsn, ConnectionSpec& dbTarget, QString* error)
{
    dbTarget.backend = Backend::Odbc;
    dbTarget.dialect = Dialect::TSql;
    QStringList kept;
    for (const QString& part : splitOdbc(body)) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq > 0 && trimmed.left(eq).trimmed().compare(u"dialect", Qt::CaseInsensitive) == 0) {
            const QString value = trimmed.mid(eq + 1);
            const auto dialect = dialectFromName(value);
            if (!dialect)
                return fail(error, QStringLiteral("Unknown SQL dialect %1 in the ODBC connection "
                                                  "(expected tsql, postgresql or sqlite).").arg(quotedInput(value)));
            dbTarget.dialect = *dialect;
            continue;
        }
        kept << trimmed;
    }
    if (kept.isEmpty())
        return fail(error, isDsn ? QStringLiteral("The ODBC connection names no data source (odbc://DSN).")
                                 : QStringLiteral("The ODBC connection string is empty."));
    if (!isDsn && !kept.join(u';').contains(u'='))
        return fail(error, QStringLiteral("%1 is not an ODBC connection string (KEY=VALUE;...); "
                                          "use odbc://DSN for a data source name.").arg(quotedInput(body)));
    dbTarget.odbcConnection = kept.join(u';');
    if (isDsn && !dbTarget.odbcConnection.contains(u'='))
        dbTarget.odbcConnection = QStringLiteral("DSN=") + dbTarget.odbcConnection;
    return true;
}

// A file name longer than the file system allows can never be opened.
bool sqlitePathUsable(const QString& path, QString* error)
{
    constexpr qsizetype kMaxNameBytes = 255;
    for (const QString& part : path.split(u'/', Qt::SkipEmptyParts))
        if (part.toUtf8().size() > kMaxNameBytes)
            return fail(error, QStringLiteral("The SQLite file path has a name of %1 bytes; a file or folder name may "
                                              "have at most %2.").arg(part.toUtf8().size()).arg(kMaxNameBytes));
    return true;
}

bool parsePostgres(const QString& text, ConnectionSpec& dbTarget, QString* error)
{
    dbTarget.backend = Backend::PostgreSQL;
    dbTarget.dialect = Dialect::PostgreSQL;
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return fail(error, QStringLiteral("%1 is not a valid PostgreSQL URL: %2").arg(quotedInput(text), url.errorString()));
    dbTarget.user = url.userName(QUrl::FullyDecoded);
    dbTarget.password = url.password(QUrl::FullyDecoded);
    dbTarget.host = url.host(QUrl::FullyDecoded);
    dbTarget.port = url.port(0);
    QString path = url.path(QUrl::FullyDecoded);
    if (path.startsWith(u'/'))
        path.remove(0, 1);
    dbTarget.databaseName = path;

    const QUrlQuery query(url);
    for (const auto& [key, rawValue] : query.queryItems(QUrl::FullyDecoded)) {
        const QString k = key.toLower();
        const QString& value = rawValue;
        if (k == u"host")
            dbTarget.host = value;
        else if (k == u"port") {
            bool ok = false;
            dbTarget.port = value.toInt(&ok);
            if (!ok || dbTarget.port <= 0 || dbTarget.port > 65535)
                return fail(error, QStringLiteral("Invalid port %1 in the PostgreSQL URL.").arg(quotedInput(value)));
        } else if (k == u"user")
            dbTarget.user = value;
        else if (k == u"password")
            dbTarget.password = value;
        else if (k == u"dbname")
            dbTarget.databaseName = value;
        else
            return fail(error, QStringLiteral("Unknown parameter %1 in the PostgreSQL URL "
                                              "(known: host, port, user, password, dbname).").arg(quotedInput(key)));
    }
    if (dbTarget.databaseName.isEmpty())
        return fail(error, QStringLiteral("The PostgreSQL URL names no database: postgresql://user@host:port/dbname."));
    if (dbTarget.password.isEmpty())
        dbTarget.password = qEnvironmentVariable("PGPASSWORD");
    return true;
}

} // namespace

std::optional<ConnectionSpec> ConnectionSpec::parse(const QString& input, QString* error)
{
    const QString text = input.trimmed();
    ConnectionSpec dbTarget;
    if (text.isEmpty()) {
        fail(error, QStringLiteral("No database given (--db: a SQLite file, postgresql://... or odbc:...)."));
        return std::nullopt;
    }
    // Longer than a path may be: no driver could open it, and repeating it would flood messages.
    if (const qsizetype bytes = text.toUtf8().size(); bytes > kMaxConnectionBytes) {
        fail(error, QStringLiteral("The database is named by %1 bytes; a file path, URL or connection string may "
                                   "have at most %2.").arg(bytes).arg(kMaxConnectionBytes));
        return std::nullopt;
    }

    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const auto m = scheme.match(text);
    const QString kind = m.hasMatch() ? m.captured(1).toLower() : QString();

    bool ok = true;
    if (kind == u"postgresql" || kind == u"postgres") {
        ok = parsePostgres(text, dbTarget, error);
    } else if (kind == u"odbc") {
        const QString rest = text.mid(m.capturedLength());
        if (rest.startsWith(u"//"))
            ok = parseOdbc(rest.mid(2), true, dbTarget, error);
        else
            ok = parseOdbc(rest, false, dbTarget, error);
    } else if (kind == u"sqlite") {
        QString path = text.mid(m.capturedLength());
        if (path.startsWith(u"//"))
            path.remove(0, 2);
        dbTarget = sqliteFile(path);
        if (path.isEmpty())
            ok = fail(error, QStringLiteral("sqlite: names no database file."));
        else
            ok = sqlitePathUsable(path, error);
    } else if (!kind.isEmpty() && kind.size() > 1 && text.mid(m.capturedLength()).startsWith(u"//")) {
        // Something like mysql://... : a URL, but of a kind we do not speak.
        ok = fail(error, QStringLiteral("Unknown kind of database %1 (known: a SQLite file, sqlite:, "
                                        "postgresql://, odbc:).").arg(quotedInput(kind)));
    } else {
        dbTarget = sqliteFile(text);
        ok = sqlitePathUsable(text, error);
    }
    if (!ok)
        return std::nullopt;
    return dbTarget;
}

ConnectionSpec ConnectionSpec::sqliteFile(const QString& path, bool createIfMissing)
{
    ConnectionSpec dbTarget;
    dbTarget.backend = Backend::SQLite;
    dbTarget.dialect = Dialect::SQLite;
    dbTarget.path = path;
    dbTarget.createIfMissing = createIfMissing;
    return dbTarget;
}

QString ConnectionSpec::describe() const
{
    switch (backend) {
    case Backend::SQLite:
        return QStringLiteral("SQLite database %1").arg(path);
    case Backend::PostgreSQL: {
        QString where = host.isEmpty() ? QStringLiteral("the local server") : host;
        if (port)
            where += u':' + QString::number(port);
        return QStringLiteral("PostgreSQL database %1 on %2%3")
            .arg(databaseName, where, user.isEmpty() ? QString() : QStringLiteral(" as ") + user);
    }
    case Backend::Odbc: {
        // Passwords stay out of messages.
        static const QRegularExpression pwd(QStringLiteral("(PWD|PASSWORD)=(\\{[^}]*\\}|[^;]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
        QString shown = odbcConnection;
        shown.replace(pwd, QStringLiteral("\\1=***"));
        return QStringLiteral("ODBC %1 (%2)").arg(shown, dialectName(dialect));
    }
    }
    return {};
}

} // namespace pravik::sql
