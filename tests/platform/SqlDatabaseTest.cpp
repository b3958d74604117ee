// Statements on real SQLite and PostgreSQL databases: rows, counts, errors with the driver's
// text, procedures called with CALL, result sets read while other statements run, one
// connection per thread.
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"
#include "platform/sql/ProcedureRegistry.h"
#include "platform/sql/Quote.h"
#include "support/TestDatabase.h"

#include <QSqlDriver>
#include <gtest/gtest.h>
#include <thread>

using namespace pravik::sql;
using pravik::test::TestBackend;

namespace {

class SqlDatabase : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        tdb = pravik::test::makeTestDatabase(GetParam());
        ASSERT_FALSE(tdb.url.isEmpty());
        db = std::make_unique<Database>(tdb.dbTarget);
        ASSERT_TRUE(db->open()) << db->lastError().toStdString();
        ASSERT_TRUE(ok(db->execNative(QStringLiteral(
            "create table KONTA (id_firmy integer, nr_konta varchar(60), nazwa varchar(100), saldo decimal(15,2))"))));
        ASSERT_TRUE(ok(db->exec(QStringLiteral(
            "insert into KONTA values (1,'201-1','Odbiorcy',100.10), (1,'202','Dostawcy',-5.05), (2,'100','Kasa',0)"))));
    }

    static bool ok(const Cursor& c)
    {
        if (!c.ok())
            ADD_FAILURE() << "statement failed: " << c.errorText().toStdString();
        return c.ok();
    }

    QList<QStringList> rowsOf(const QString& tsql)
    {
        QList<QStringList> rows;
        Cursor c = db->exec(tsql);
        EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        while (c.next()) {
            QStringList row;
            for (int i = 0; i < c.columnCount(); ++i)
                row << c.value(i).toString();
            rows << row;
        }
        EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        return rows;
    }

    pravik::test::TestDatabase tdb;
    std::unique_ptr<Database> db;
};

TEST_P(SqlDatabase, SelectInsertAndEmptyResults)
{
    Cursor c = db->exec(QStringLiteral("select nr_konta, nazwa from KONTA with (NOLOCK) where id_firmy=1 order by nr_konta"));
    ASSERT_TRUE(c.ok());
    EXPECT_TRUE(c.hasRows());
    EXPECT_EQ(c.columnCount(), 2);
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toString(), "201-1");
    EXPECT_EQ(c.value(1).toString(), "Odbiorcy");
    EXPECT_FALSE(c.value(2).isValid());
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toString(), "202");
    EXPECT_FALSE(c.next());
    EXPECT_FALSE(c.next());
    EXPECT_EQ(c.errorCode(), kNoError);

    Cursor ins = db->exec(QStringLiteral("insert into KONTA (id_firmy,nr_konta,nazwa,saldo) values(3,'300',")
                          + sqlText(u"Zakup 'hurtowy' \\ 100%") + QStringLiteral(",1.01)"));
    EXPECT_TRUE(ins.ok()) << ins.errorText().toStdString();
    EXPECT_FALSE(ins.hasRows());
    EXPECT_EQ(ins.rowsAffected(), 1);
    EXPECT_FALSE(ins.next());
    EXPECT_EQ(rowsOf(QStringLiteral("select nazwa from KONTA where id_firmy=3")),
              QList<QStringList>{{QStringLiteral("Zakup 'hurtowy' \\ 100%")}});

    Cursor del = db->exec(QStringLiteral("delete from KONTA where id_firmy=1"));
    EXPECT_EQ(del.rowsAffected(), 2);

    Cursor none = db->exec(QStringLiteral("select nr_konta from KONTA where id_firmy=99"));
    EXPECT_TRUE(none.ok());
    EXPECT_FALSE(none.next());
    EXPECT_EQ(none.errorCode(), kNoError);
}

TEST_P(SqlDatabase, AmountsArriveExactly)
{
    // PostgreSQL NUMERIC arrives as exact text; SQLite REAL as the nearest double.
    Cursor c = db->exec(QStringLiteral("select saldo, sum(saldo) from KONTA where nr_konta='201-1' group by saldo"));
    ASSERT_TRUE(c.next()) << c.errorText().toStdString();
    EXPECT_EQ(qRound64(c.value(0).toDouble() * 100), 10010);
    if (GetParam() == TestBackend::PostgreSQL) {
        EXPECT_EQ(c.value(0).toString(), "100.10");
        db->execNative(QStringLiteral("create table BIG (k numeric(15,2))"));
        db->execNative(QStringLiteral("insert into BIG values (9999999999999.99)"));
        EXPECT_EQ(rowsOf(QStringLiteral("select k from BIG")), QList<QStringList>{{QStringLiteral("9999999999999.99")}});
    }
}

TEST_P(SqlDatabase, FailuresGiveAnErrorCodeAndTheDriverText)
{
    Cursor syntax = db->exec(QStringLiteral("selec nr_konta fro KONTA"));
    EXPECT_EQ(syntax.errorCode(), kDriverError);
    EXPECT_TRUE(syntax.errorText().contains(QStringLiteral("syntax"), Qt::CaseInsensitive)) << syntax.errorText().toStdString();
    EXPECT_FALSE(syntax.next());
    EXPECT_EQ(db->lastErrorCode(), kDriverError);
    EXPECT_EQ(db->lastError(), syntax.errorText());

    Cursor missing = db->exec(QStringLiteral("select 1 from ZESTAW_BRAK where id_firmy=1"));
    EXPECT_EQ(missing.errorCode(), kDriverError);
    EXPECT_TRUE(missing.errorText().contains(QStringLiteral("zestaw_brak"), Qt::CaseInsensitive)) << missing.errorText().toStdString();

    // The connection is fine afterwards and the last error is cleared by a good statement.
    EXPECT_EQ(rowsOf(QStringLiteral("select count(*) from KONTA")), QList<QStringList>{{QStringLiteral("3")}});
    EXPECT_EQ(db->lastErrorCode(), kNoError);
    EXPECT_TRUE(db->lastError().isEmpty());
}

TEST_P(SqlDatabase, CallRunsTheRegisteredProcedure)
{
    ProcedureRegistry::add(QStringLiteral("PODAJ_NAZWE"), [](Database& on, const QVariantList& args) {
        if (args.size() != 3)
            return ProcedureResult::failure(QStringLiteral("PODAJ_NAZWE: expected 3 arguments"));
        Cursor c = on.exec(QStringLiteral("select nazwa from KONTA where id_firmy=%1 AND nr_konta=%2")
                               .arg(args[0].toLongLong())
                               .arg(sqlText(args[2].toString())));
        if (!c.ok())
            return ProcedureResult::failure(c.errorText());
        QList<QVariantList> rows;
        while (c.next())
            rows.append({1, c.value(0)});
        return ProcedureResult::withRows(rows);
    });
    Cursor c = db->exec(QStringLiteral("CALL PODAJ_NAZWE(1,5,'201-1')"));
    ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
    EXPECT_TRUE(c.hasRows());
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toInt(), 1);
    EXPECT_EQ(c.value(1).toString(), "Odbiorcy");
    EXPECT_FALSE(c.next());

    // Any case, spaces before the parenthesis, a trailing semicolon; a wrong call reports the
    // procedure's own message.
    EXPECT_EQ(db->exec(QStringLiteral("call podaj_nazwe (1, 5, '999');")).errorCode(), kNoError);
    Cursor wrong = db->exec(QStringLiteral("CALL PODAJ_NAZWE (1)"));
    EXPECT_EQ(wrong.errorCode(), kDriverError);
    EXPECT_EQ(wrong.errorText(), "PODAJ_NAZWE: expected 3 arguments");

    Cursor unknown = db->exec(QStringLiteral("CALL NIE_MA_TAKIEJ ('a',1)"));
    EXPECT_EQ(unknown.errorCode(), kDriverError);
    EXPECT_TRUE(unknown.errorText().contains(QStringLiteral("NIE_MA_TAKIEJ"))) << unknown.errorText().toStdString();
    EXPECT_EQ(db->lastErrorCode(), kDriverError);

    Cursor malformed = db->exec(QStringLiteral("CALL PODAJ_NAZWE (1,'abc"));
    EXPECT_EQ(malformed.errorCode(), kDriverError);
}

TEST_P(SqlDatabase, ResultSetStaysReadableWhileOtherStatementsRun)
{
    // A report walks an account list and, per account, reads and writes on the same connection.
    db->execNative(QStringLiteral("create table WYNIK (nr_konta varchar(60), ile integer)"));
    for (int i = 0; i < 200; ++i)
        db->exec(QStringLiteral("insert into KONTA values (5,'K%1','x',1)").arg(i, 3, 10, QLatin1Char('0')));
    Cursor outer = db->exec(QStringLiteral("select nr_konta from KONTA where id_firmy=5 order by nr_konta"));
    int seen = 0;
    while (outer.next()) {
        const QString account = outer.value(0).toString();
        EXPECT_EQ(account, QStringLiteral("K%1").arg(seen, 3, 10, QLatin1Char('0')));
        Cursor count = db->exec(QStringLiteral("select count(*) from KONTA where nr_konta=") + sqlText(account));
        ASSERT_TRUE(count.next());
        EXPECT_TRUE(db->exec(QStringLiteral("insert into WYNIK values (%1,%2)").arg(sqlText(account)).arg(count.value(0).toInt())).ok());
        ++seen;
    }
    EXPECT_TRUE(outer.ok()) << outer.errorText().toStdString();
    EXPECT_EQ(seen, 200);
    EXPECT_EQ(rowsOf(QStringLiteral("select sum(ile) from WYNIK")), QList<QStringList>{{QStringLiteral("200")}});
}

TEST_P(SqlDatabase, TransactionsCommitAndRollBack)
{
    ASSERT_TRUE(db->transaction()) << db->lastError().toStdString();
    db->exec(QStringLiteral("delete from KONTA"));
    ASSERT_TRUE(db->rollback());
    EXPECT_EQ(rowsOf(QStringLiteral("select count(*) from KONTA")), QList<QStringList>{{QStringLiteral("3")}});
    ASSERT_TRUE(db->transaction());
    db->exec(QStringLiteral("delete from KONTA where id_firmy=2"));
    ASSERT_TRUE(db->commit());
    EXPECT_EQ(rowsOf(QStringLiteral("select count(*) from KONTA")), QList<QStringList>{{QStringLiteral("2")}});
}

TEST_P(SqlDatabase, EachThreadHasItsOwnConnection)
{
    Database::setCurrent(tdb.dbTarget);
    QString names[2];
    bool good[2] = {false, false};
    auto work = [&](int n) {
        Database& mine = Database::forThread();
        names[n] = mine.handle().connectionName();
        good[n] = mine.exec(QStringLiteral("insert into KONTA values (%1,'T','w',0)").arg(10 + n)).ok();
        Cursor c = mine.exec(QStringLiteral("select count(*) from KONTA where id_firmy=%1").arg(10 + n));
        good[n] = good[n] && c.next() && c.value(0).toInt() == 1;
        Database::releaseThread();
    };
    std::thread a(work, 0);
    std::thread b(work, 1);
    a.join();
    b.join();
    EXPECT_TRUE(good[0]);
    EXPECT_TRUE(good[1]);
    EXPECT_FALSE(names[0].isEmpty());
    EXPECT_NE(names[0], names[1]);
    EXPECT_NE(names[0], Database::forThread().handle().connectionName());
    Database::releaseThread();
    EXPECT_EQ(rowsOf(QStringLiteral("select count(*) from KONTA where id_firmy>=10")), QList<QStringList>{{QStringLiteral("2")}});
}

TEST_P(SqlDatabase, TheAcceptanceLine)
{
    EXPECT_EQ(rowsOf(QStringLiteral("select top 1 isnull(null, 'a') + 'b', len('abc')")),
              (QList<QStringList>{{QStringLiteral("ab"), QStringLiteral("3")}}));
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlDatabase, pravik::test::allBackends(), pravik::test::backendName);

} // namespace
