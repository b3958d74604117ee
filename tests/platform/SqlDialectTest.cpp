// What the rewritten T-SQL computes on each server, and the exact sum of SQLite connections.
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using namespace pravik::sql;
using pravik::test::TestBackend;

namespace {

class SqlDialect : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        tdb = pravik::test::makeTestDatabase(GetParam());
        ASSERT_FALSE(tdb.url.isEmpty());
        db = std::make_unique<Database>(tdb.dbTarget);
        ASSERT_TRUE(db->open()) << db->lastError().toStdString();
    }

    QStringList firstRow(const QString& tsql)
    {
        Cursor c = db->exec(tsql);
        EXPECT_TRUE(c.next()) << tsql.toStdString() << ": " << c.errorText().toStdString();
        QStringList row;
        for (int i = 0; i < c.columnCount(); ++i)
            row << (c.value(i).isNull() ? QStringLiteral("NULL") : c.value(i).toString());
        return row;
    }

    pravik::test::TestDatabase tdb;
    std::unique_ptr<Database> db;
};

TEST_P(SqlDialect, TextFunctionsBehaveLikeTSql)
{
    // len ignores trailing blanks only; Left/Substring count from 1; upper folds Polish letters.
    EXPECT_EQ(firstRow(QStringLiteral("select len('ab  '), len('  ab'), len(''), len(null)")),
              (QStringList{"2", "4", "0", "NULL"}));
    EXPECT_EQ(firstRow(QStringLiteral("select Left('abcdef',3), Substring('abcdef',2,3), upper('zażółć'), lower('ŁÓDŹ')")),
              (QStringList{"abc", "bcd", "ZAŻÓŁĆ", "łódź"}));
    EXPECT_EQ(firstRow(QStringLiteral("select convert(varchar(3), 'abcdef'), 'K'+convert(varchar(10), 17)+'/'+'x'")),
              (QStringList{"abc", "K17/x"}));
    // A missing value makes the whole concatenation missing, as in T-SQL.
    EXPECT_EQ(firstRow(QStringLiteral("select 'a'+null+'b', isnull(null,'x')+'y'")), (QStringList{"NULL", "xy"}));
}

TEST_P(SqlDialect, DayOfADayNumber)
{
    // 81453 is 1 January 2024, 81485 is 2 February 2024, 36163 is 1 January 1900.
    EXPECT_EQ(firstRow(QStringLiteral("select day(81453-36163), day(81485-36163), day(36163-36163), day(81511-36163)")),
              (QStringList{"1", "2", "1", "28"}));
}

TEST_P(SqlDialect, TopLimitsOnlyItsOwnSelect)
{
    db->execNative(QStringLiteral("create table L (id integer, p integer)"));
    db->exec(QStringLiteral("insert into L values (1,10),(2,20),(3,30)"));
    EXPECT_EQ(firstRow(QStringLiteral("select count(*), isnull((select top 1 id from L where p<30 order by p desc),0) from L")),
              (QStringList{"3", "2"}));
    Cursor c = db->exec(QStringLiteral("select distinct top 2 p from L order by p"));
    int n = 0;
    while (c.next())
        ++n;
    EXPECT_EQ(n, 2);
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlDialect, pravik::test::allBackends(), pravik::test::backendName);

TEST(SqlSqliteSum, TotalsOfAmountsAreExact)
{
    auto tdb = pravik::test::makeTestDatabase(TestBackend::SQLite);
    Database db(tdb.dbTarget);
    ASSERT_TRUE(db.execNative(QStringLiteral("create table K (kwota decimal(15,2), n integer)")).ok());
    ASSERT_TRUE(db.transaction());
    for (int i = 0; i < 20000; ++i)
        db.execNative(QStringLiteral("insert into K values (12345678.91, 3)"));
    db.execNative(QStringLiteral("insert into K values (0.10, null), (0.20, null), (-0.30, null)"));
    ASSERT_TRUE(db.commit());

    // Adding doubles drifts by whole grosze at this size; hundredths in integers do not.
    Cursor c = db.exec(QStringLiteral("select sum(kwota), sum(n), sum(n*1.0) from K"));
    ASSERT_TRUE(c.next()) << c.errorText().toStdString();
    EXPECT_EQ(c.value(0).toDouble(), 246913578200.0);
    EXPECT_EQ(c.value(1).toString(), "60000"); // whole numbers stay whole
    EXPECT_EQ(c.value(2).toDouble(), 60000.0);

    Cursor small = db.exec(QStringLiteral("select sum(kwota) from K where n is null"));
    ASSERT_TRUE(small.next());
    EXPECT_EQ(small.value(0).toDouble(), 0.0);

    Cursor none = db.exec(QStringLiteral("select sum(kwota) from K where n = 99"));
    ASSERT_TRUE(none.next());
    EXPECT_TRUE(none.value(0).isNull());

    // A running total (window) uses the same arithmetic.
    db.execNative(QStringLiteral("create table W (lp integer, k decimal(15,2))"));
    db.execNative(QStringLiteral("insert into W values (1,0.10),(2,0.20),(3,0.30)"));
    Cursor running = db.exec(QStringLiteral("select sum(k) over (order by lp rows between 1 preceding and current row) from W order by lp"));
    QList<double> totals;
    while (running.next())
        totals << running.value(0).toDouble();
    EXPECT_EQ(totals, (QList<double>{0.1, 0.3, 0.5})) << running.errorText().toStdString();

    Cursor overflow = db.exec(QStringLiteral("select sum(x) from (select 9000000000000000000 x union all select 9000000000000000000)"));
    EXPECT_FALSE(overflow.ok() && overflow.next());
    EXPECT_EQ(overflow.errorCode(), kDriverError);
}

} // namespace
