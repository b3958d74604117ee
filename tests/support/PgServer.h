#pragma once
// A throwaway PostgreSQL server for the test programs.
//
// By default the first test that asks for it runs initdb into a temporary folder, starts the
// server on a unix socket in that folder only (no TCP), and stops and removes it when the test
// program exits. Under root (CI) the server runs as the "postgres" user, because initdb and
// postgres refuse to run as root.
//
// To use a server you already have instead, set PRAVIK_TEST_PG_URL to a connection URL with a
// user allowed to create databases, for example
//   PRAVIK_TEST_PG_URL=postgresql://postgres@localhost:5432/postgres
//   PRAVIK_TEST_PG_URL='postgresql://me@/postgres?host=/run/postgresql'
// Each fixture gets a fresh database named pravik_test_N there; they are dropped at exit.
//
// A server whose test program died without stopping it is stopped and removed by the next test
// program that starts one (owner.pid in the folder names the program).
//
// When the server cannot start, the test fails with the server's log (it is never skipped).
#include "platform/sql/ConnectionSpec.h"

#include <QString>
#include <QStringList>

namespace pravik::test {

class PgServer {
public:
    // The server of this test program, started on first use. Fails the calling test (gtest
    // fatal failure) when it cannot start; check ok() after.
    static PgServer& instance();

    bool ok() const { return m_ok; }
    // Why it could not start, with the server log.
    QString failure() const { return m_failure; }

    // A new empty database; its --db URL and dbTarget.
    QString createDatabase();
    sql::ConnectionSpec createDatabaseSpec();
    // A URL for a database name on this server.
    QString urlFor(const QString& databaseName) const;
    // Socket folder (or host) and port, for tools that need them apart (ODBC strings).
    QString host() const { return m_host; }
    int port() const { return m_port; }
    QString user() const { return m_user; }

    // Stops the server at once, as a crash or an administrator would, and starts it again on the
    // same data. Only for the server this program started (false with PRAVIK_TEST_PG_URL).
    bool pause();
    bool resume();

    ~PgServer();

private:
    PgServer();
    void start();
    bool startLocal();
    void stop();

    bool m_ok = false;
    bool m_local = false;
    QString m_failure;
    QString m_dataDir;
    QString m_binDir;
    QString m_host;
    int m_port = 0;
    QString m_user;
    QString m_password;
    QString m_maintenanceDb = QStringLiteral("postgres");
    QStringList m_created;
    int m_counter = 0;
};

} // namespace pravik::test
