#pragma once
// A fresh database with the reference schema, on SQLite or on the test PostgreSQL server.
#include "support/PgServer.h"
#include "support/TestDatabase.h"
#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/Schema.h"

#include <gtest/gtest.h>
#include <memory>

namespace pravik::test {

// A new empty database of the backend, its connection open.
class EmptyDatabase {
public:
    explicit EmptyDatabase(TestBackend backend) : m_where(makeTestDatabase(backend))
    {
        server::registerFunctions();
        m_db = std::make_unique<sql::Database>(m_where.dbTarget);
        if (m_where.url.isEmpty())
            m_failure = QStringLiteral("no test database: ") + PgServer::instance().failure();
        else if (!m_db->open())
            m_failure = m_db->lastError();
    }

    bool ok() const { return m_failure.isEmpty(); }
    QString failure() const { return m_failure; }
    sql::Database& db() { return *m_db; }

private:
    TestDatabase m_where;
    std::unique_ptr<sql::Database> m_db;
    QString m_failure;
};

class SchemaDatabaseTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        m_database = std::make_unique<EmptyDatabase>(GetParam());
        ASSERT_TRUE(m_database->ok()) << qPrintable(m_database->failure());
        QString error;
        ASSERT_TRUE(server::createSchema(db(), &error)) << qPrintable(error);
    }

    sql::Database& db() { return m_database->db(); }

    // Statements in the server's own language (set-up rows).
    void native(const QString& sql)
    {
        sql::Cursor c = db().execNative(sql);
        ASSERT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
    }

    // The module's T-SQL, translated; all rows, values as text (amounts normalised to two
    // decimals so that both servers read alike).
    QList<QStringList> rows(const QString& tsql)
    {
        QList<QStringList> result;
        sql::Cursor c = db().exec(tsql);
        while (c.next()) {
            QStringList row;
            for (int i = 0; i < c.columnCount(); ++i)
                row << c.value(i).toString();
            result << row;
        }
        EXPECT_TRUE(c.ok()) << qPrintable(tsql) << "\n" << qPrintable(c.errorText());
        return result;
    }

    QString scalar(const QString& tsql)
    {
        const QList<QStringList> r = rows(tsql);
        return r.isEmpty() || r.first().isEmpty() ? QStringLiteral("<no row>") : r.first().first();
    }

    static QString amount(const QString& text)
    {
        const auto d = Decimal::parse(text);
        return d ? d->toString() : QStringLiteral("<%1>").arg(text);
    }

private:
    std::unique_ptr<EmptyDatabase> m_database;
};

} // namespace pravik::test
