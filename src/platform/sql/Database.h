#pragma once
// The connection to the company database. Qt allows a connection only on the thread that opened
// it, so each thread gets its own, opened lazily on first use from the process-wide connection.
//
//   Database::setCurrent(dbTarget);                 // once, by the host, at start
//   auto& db = Database::forThread();
//   Cursor c = db.exec("select top 1 nazwa from FIRMA with (NOLOCK) where id_firmy=1");
//   while (c.next()) use(c.value(0));
//   if (!c.ok()) warn(c.errorText());
//
// exec() takes the module's T-SQL and translates it for the server; "CALL NAME (args)" runs the
// procedure registered under NAME (ProcedureRegistry) or, on a T-SQL server, the server's own.
// A cursor must not outlive the Database it came from.
#include "platform/sql/ConnectionSpec.h"
#include "platform/sql/Cursor.h"
#include "platform/sql/Dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace pravik::sql {

class Database {
public:
    // Called on every new connection before it is used (functions registered in SQLite, session
    // settings). Hooks are process-wide; add them before the first connection opens.
    using OpenHook = std::function<void(QSqlDatabase&, Dialect)>;
    static void addOpenHook(OpenHook hook);

    // The database every thread connects to from now on. A thread whose connection was opened
    // on an earlier connection reconnects on its next forThread().
    static void setCurrent(const ConnectionSpec& dbTarget);
    static ConnectionSpec current();
    static bool hasCurrent();
    // This thread's connection to the current database (opened on first use; an open failure
    // is reported by every exec until it succeeds).
    static Database& forThread();
    // Closes this thread's connection (a worker thread calls this before it ends).
    static void releaseThread();

    // A connection of its own, for tools and tests that work on a database other than the
    // current one. Opens lazily like forThread(); open() opens at once.
    explicit Database(const ConnectionSpec& dbTarget);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the connection if it is not open; false and lastError() when that fails.
    bool open();
    bool isOpen() const;
    void close();

    const ConnectionSpec& dbTarget() const { return m_spec; }
    Dialect dialect() const { return m_spec.dialect; }

    // The module's T-SQL, translated for this server.
    Cursor exec(const QString& tsql);
    // Text for this server as it is (schema scripts, our own procedures' statements).
    Cursor execNative(const QString& sql);

    // Starts a transaction that writes: on SQLite it takes the write lock at once (BEGIN
    // IMMEDIATE), waiting for another writer within the busy timeout, so that a read followed by
    // a write can never fail half-way on a lock. False when it could not start, or when a
    // transaction is already open on this connection (the caller then runs inside that one).
    bool transaction();
    bool commit();
    bool rollback();
    bool inTransaction() const { return m_inTransaction; }

    // The error code and driver text of the last statement or transaction call on this connection.
    int lastErrorCode() const { return m_lastCode; }
    QString lastError() const { return m_lastError; }

    // The Qt connection (opened first if it is not), for code that needs the driver itself.
    QSqlDatabase& handle()
    {
        ensureOpen();
        return m_db;
    }

private:
    friend struct Cursor::Data;
    Cursor run(const QString& sql);
    Cursor call(const QString& statement);
    Cursor remember(Cursor cursor);
    bool ensureOpen();
    bool openConnection();
    bool probeLost();
    void setError(int code, const QString& text);
    // Result sets still streaming on this connection; a server that serves one result set at a
    // time gets them read into memory before the next statement.
    void track(Cursor::Data* data);
    void forgetCursor(Cursor::Data* data);
    void freeConnection();
    void abandonCursors(const QString& reason);

    ConnectionSpec m_spec;
    QString m_connectionName;
    QSqlDatabase m_db;
    quint64 m_generation = 0;
    int m_lastCode = 0;
    QString m_lastError;
    bool m_inTransaction = false;
    QList<Cursor::Data*> m_live;
};

} // namespace pravik::sql
