#include "platform/sql/Database.h"

#include "platform/sql/CursorData.h"
#include "platform/sql/ErrorCodes.h"
#include "platform/sql/ProcedureRegistry.h"
#include "platform/sql/SqlCapture.h"
#include "platform/sql/SqliteFunctions.h"
#include "platform/sql/Translator.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <exception>
#include <vector>

#include <sys/stat.h>

namespace pravik::sql {

namespace {

struct Shared {
    QMutex mutex;
    ConnectionSpec dbTarget;
    bool hasSpec = false;
    quint64 generation = 1;
    std::vector<Database::OpenHook> hooks;
};

Shared& shared()
{
    static Shared s;
    return s;
}

std::atomic<quint64> g_connectionNumber{0};

thread_local std::unique_ptr<Database> t_database;

QString errorTextOf(const QSqlError& error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.driverText().trimmed() : db;
}

QString driverName(Backend backend)
{
    switch (backend) {
    case Backend::SQLite: return QStringLiteral("QSQLITE");
    case Backend::PostgreSQL: return QStringLiteral("QPSQL");
    case Backend::Odbc: return QStringLiteral("QODBC");
    }
    return {};
}

} // namespace

void Database::addOpenHook(OpenHook hook)
{
    QMutexLocker lock(&shared().mutex);
    shared().hooks.push_back(std::move(hook));
}

void Database::setCurrent(const ConnectionSpec& dbTarget)
{
    QMutexLocker lock(&shared().mutex);
    shared().dbTarget = dbTarget;
    shared().hasSpec = true;
    ++shared().generation;
}

ConnectionSpec Database::current()
{
    QMutexLocker lock(&shared().mutex);
    return shared().dbTarget;
}

bool Database::hasCurrent()
{
    QMutexLocker lock(&shared().mutex);
    return shared().hasSpec;
}

Database& Database::forThread()
{
    ConnectionSpec dbTarget;
    quint64 generation = 0;
    {
        QMutexLocker lock(&shared().mutex);
        dbTarget = shared().dbTarget;
        generation = shared().generation;
    }
    if (!t_database || t_database->m_generation != generation) {
        t_database.reset();
        t_database = std::make_unique<Database>(dbTarget);
        t_database->m_generation = generation;
    }
    return *t_database;
}

void Database::releaseThread()
{
    t_database.reset();
}

Database::Database(const ConnectionSpec& dbTarget)
    : m_spec(dbTarget), m_connectionName(QStringLiteral("pravik-sql-%1").arg(++g_connectionNumber))
{
}

Database::~Database()
{
    freeConnection();
}

void Database::freeConnection()
{
    abandonCursors(QStringLiteral("The database connection was closed."));
    m_inTransaction = false;
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

void Database::abandonCursors(const QString& reason)
{
    const QList<Cursor::Data*> live = std::exchange(m_live, {});
    for (Cursor::Data* data : live)
        data->abandon(reason);
}

void Database::track(Cursor::Data* data)
{
    data->owner = this;
    m_live.append(data);
}

void Database::forgetCursor(Cursor::Data* data)
{
    m_live.removeOne(data);
}

bool Database::open()
{
    return ensureOpen();
}

bool Database::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

void Database::close()
{
    freeConnection();
}

void Database::setError(int code, const QString& text)
{
    m_lastCode = code;
    m_lastError = text;
}

bool Database::ensureOpen()
{
    if (isOpen())
        return true;
    if (openConnection())
        return true;
    // Leave nothing half-open behind: the next statement starts from scratch.
    if (m_db.isValid()) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
    return false;
}

bool Database::openConnection()
{
    const QString what = m_spec.describe();
    bool created = false;
    if (m_spec.backend == Backend::SQLite) {
        if (m_spec.path.isEmpty()) {
            setError(kDriverError, QStringLiteral("No database has been chosen (--db)."));
            return false;
        }
        const QFileInfo file(m_spec.path);
        if (file.isDir()) {
            setError(kDriverError, QStringLiteral("%1 is a folder, not a database file.").arg(m_spec.path));
            return false;
        }
        if (!file.exists()) {
            if (!m_spec.createIfMissing) {
                setError(kDriverError, QStringLiteral("The database file %1 does not exist.").arg(m_spec.path));
                return false;
            }
            created = true;
        } else {
            // SQLite takes a device or a pipe for an empty database ("/dev/null" reads as one).
            struct stat st {};
            if (::stat(QFile::encodeName(m_spec.path).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
                setError(kDriverError, QStringLiteral("%1 is not a database file.").arg(m_spec.path));
                return false;
            }
        }
    }

    if (!m_db.isValid()) {
        m_db = QSqlDatabase::addDatabase(driverName(m_spec.backend), m_connectionName);
        if (!m_db.isValid()) {
            setError(kDriverError, QStringLiteral("The Qt SQL driver %1 is not installed (needed for the %2).")
                                       .arg(driverName(m_spec.backend), what));
            return false;
        }
    }

    switch (m_spec.backend) {
    case Backend::SQLite:
        m_db.setDatabaseName(m_spec.path);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        break;
    case Backend::PostgreSQL:
        if (!m_spec.host.isEmpty())
            m_db.setHostName(m_spec.host);
        if (m_spec.port > 0)
            m_db.setPort(m_spec.port);
        m_db.setUserName(m_spec.user);
        m_db.setPassword(m_spec.password);
        m_db.setDatabaseName(m_spec.databaseName);
        m_db.setConnectOptions(QStringLiteral("connect_timeout=10"));
        break;
    case Backend::Odbc:
        m_db.setDatabaseName(m_spec.odbcConnection);
        break;
    }

    if (!m_db.open()) {
        setError(kDriverError, QStringLiteral("Cannot open the %1: %2").arg(what, errorTextOf(m_db.lastError())));
        return false;
    }

    if (m_spec.backend == Backend::SQLite) {
        // SQLite opens anything lazily; reading the catalogue tells a database from other files.
        QSqlQuery probe(m_db);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            setError(kDriverError, QStringLiteral("%1 is not a usable SQLite database: %2")
                                       .arg(m_spec.path, errorTextOf(probe.lastError())));
            probe.finish();
            m_db.close();
            return false;
        }
        probe.finish();
        if (created) {
            // A new database: let reports read while another connection writes.
            QSqlQuery wal(m_db);
            wal.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        }
        QString error;
        if (!registerSqliteFunctions(m_db, &error)) {
            setError(kDriverError, error);
            m_db.close();
            return false;
        }
    }

    std::vector<OpenHook> hooks;
    {
        QMutexLocker lock(&shared().mutex);
        hooks = shared().hooks;
    }
    for (const OpenHook& hook : hooks)
        hook(m_db, m_spec.dialect);
    setError(kNoError, QString());
    return true;
}

bool Database::probeLost()
{
    if (m_spec.backend == Backend::SQLite || !m_db.isOpen())
        return false;
    QSqlQuery probe(m_db);
    if (probe.exec(QStringLiteral("select 1")))
        return false;
    // Inside a failed PostgreSQL transaction every statement fails until rollback; that is not
    // a lost connection.
    const QString text = errorTextOf(probe.lastError());
    return !text.contains(QStringLiteral("current transaction is aborted"), Qt::CaseInsensitive)
           && !text.contains(QStringLiteral("25P02"));
}

Cursor Database::remember(Cursor cursor)
{
    setError(cursor.errorCode(), cursor.errorText());
    return cursor;
}

Cursor Database::exec(const QString& tsql)
{
    Cursor cursor = isCall(tsql) ? call(tsql) : run(translate(tsql, m_spec.dialect));
    if (SqlCapture::enabled())
        SqlCapture::record(tsql, cursor.ok() ? QString() : cursor.errorText());
    return cursor;
}

Cursor Database::execNative(const QString& sql)
{
    return run(sql);
}

Cursor Database::run(const QString& sql)
{
    if (!ensureOpen())
        return Cursor::failure(m_lastCode, m_lastError);
    // SQLite serves several open result sets on one connection; the servers behind QPSQL and
    // ODBC answer one statement at a time.
    if (m_spec.backend != Backend::SQLite) {
        const QList<Cursor::Data*> live = m_live;
        for (Cursor::Data* data : live)
            data->detach();
    }

    auto query = std::make_unique<QSqlQuery>(m_db);
    query->setForwardOnly(true);
    query->setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query->exec(sql)) {
        QString text = errorTextOf(query->lastError());
        if (text.isEmpty())
            text = QStringLiteral("The statement failed without a message from the driver.");
        query.reset();
        if (probeLost()) {
            text += QStringLiteral(" [The connection to the %1 was lost; it is opened again for the next statement.]")
                        .arg(m_spec.describe());
            abandonCursors(QStringLiteral("The connection to the database was lost."));
            m_db.close();
            m_inTransaction = false;
        }
        return remember(Cursor::failure(kDriverError, text));
    }
    Cursor cursor(std::move(query));
    if (cursor.d->query)
        track(cursor.d.get());
    return remember(std::move(cursor));
}

Cursor Database::call(const QString& statement)
{
    QString error;
    const auto parsed = parseCall(statement, &error);
    if (!parsed)
        return remember(Cursor::failure(kDriverError, error));
    if (m_spec.dialect == Dialect::TSql)
        return run(odbcCallEscape(*parsed));

    const Procedure procedure = ProcedureRegistry::find(parsed->name);
    if (!procedure)
        return remember(Cursor::failure(
            kDriverError, QStringLiteral("Procedure %1 does not exist in this database.").arg(parsed->name)));
    if (!ensureOpen())
        return Cursor::failure(m_lastCode, m_lastError);

    ProcedureResult result;
    try {
        result = procedure(*this, parsed->args);
    } catch (const std::exception& e) {
        result = ProcedureResult::failure(QStringLiteral("Procedure %1 failed: %2").arg(parsed->name, QString::fromLocal8Bit(e.what())));
    }
    if (!result.ok) {
        const QString text = result.error.isEmpty() ? QStringLiteral("Procedure %1 failed.").arg(parsed->name) : result.error;
        return remember(Cursor::failure(kDriverError, text));
    }
    return remember(Cursor::fromRows(std::move(result.columns), std::move(result.rows)));
}

bool Database::transaction()
{
    if (!ensureOpen())
        return false;
    if (m_inTransaction) {
        setError(kDriverError, QStringLiteral("A transaction is already open on this connection."));
        return false;
    }
    bool ok = false;
    QString error;
    if (m_spec.backend == Backend::SQLite) {
        // A deferred transaction that reads first and then writes gets "database is locked" at
        // once, without the busy timeout, when another connection wrote in between.
        QSqlQuery begin(m_db);
        ok = begin.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (!ok)
            error = errorTextOf(begin.lastError());
    } else {
        ok = m_db.transaction();
        if (!ok)
            error = errorTextOf(m_db.lastError());
    }
    m_inTransaction = ok;
    setError(ok ? kNoError : kDriverError, error);
    return ok;
}

bool Database::commit()
{
    if (!isOpen()) {
        setError(kDriverError, QStringLiteral("No open connection to commit on (the connection was lost?)."));
        return false;
    }
    const bool ok = m_db.commit();
    setError(ok ? kNoError : kDriverError, ok ? QString() : errorTextOf(m_db.lastError()));
    if (ok)
        m_inTransaction = false;
    return ok;
}

bool Database::rollback()
{
    if (!isOpen()) {
        setError(kDriverError, QStringLiteral("No open connection to roll back on (the connection was lost?)."));
        return false;
    }
    const bool ok = m_db.rollback();
    setError(ok ? kNoError : kDriverError, ok ? QString() : errorTextOf(m_db.lastError()));
    m_inTransaction = false;
    return ok;
}

} // namespace pravik::sql
