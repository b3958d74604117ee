// The six SQL calls over real databases: rows filling the pass-through records by position and
// type, NEXT to the end, errors with the driver's text, the warning shown once, and scalar
// results, on SQLite and on PostgreSQL.
#include "siblings/utilka/Gateway.h"

#include "platform/ErrorSink.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"
#include "platform/sql/ProcedureRegistry.h"
#include "siblings/korda/Session.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

using korda::VAX_FK;
using korda::VAY_FK;
using korda::ZAPYTANIESQL;
using korda::ZAPYTANIESQL1;
using pravik::Decimal;
using pravik::test::TestBackend;

namespace {

class RecordingSink final : public pravik::ErrorSink {
public:
    struct Entry {
        QString procedure, what, detail;
    };
    void setProcedure(const QString& name) override { m_procedure = name; }
    QString procedure() const override { return m_procedure; }
    void report(pravik::ErrorKind, const QString& what, const QString& detail) override
    {
        entries.append({m_procedure, what, detail});
    }
    QList<Entry> entries;

private:
    QString m_procedure;
};

class Gateway : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        tdb = pravik::test::makeTestDatabase(GetParam());
        ASSERT_FALSE(tdb.url.isEmpty());
        pravik::sql::Database::setCurrent(tdb.dbTarget);
        pravik::setUi(&ui);
        pravik::setErrorSink(&sink);
        exec(QStringLiteral("create table KONTA (id_firmy integer, nr_konta varchar(60), nazwa varchar(300), "
                            "saldo decimal(15,2), uwagi varchar(10))"));
        exec(QStringLiteral("insert into KONTA values (1,'100','Kasa',1234.5,null), "
                            "(1,'201-1','Odbiorcy krajowi',-0.05,'a  '), (1,'202','Dostawcy',12,'x'), "
                            "(2,'100','Kasa innej firmy',1,null)"));
    }

    void TearDown() override
    {
        korda::closeAllPassThrough();
        pravik::setErrorSink(nullptr);
        pravik::setUi(nullptr);
        pravik::sql::Database::releaseThread();
    }

    void exec(const QString& sql)
    {
        ASSERT_TRUE(utilka::EXECSQL(sql)) << utilka::errorText().toStdString();
    }

    static QStringList column(korda::PassThroughTable table, int position)
    {
        QStringList values;
        while (table.next() == 0)
            values.append(table.text(position));
        return values;
    }

    pravik::test::TestDatabase tdb;
    pravik::ScriptedUi ui;
    RecordingSink sink;
};

TEST_P(Gateway, ColumnsFillTheRecordByPositionWithTheFieldsTypes)
{
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral(
        "select saldo, nr_konta, nazwa, '7', 'siedem', null, id_firmy from KONTA where nr_konta='100' AND id_firmy=1")));
    ASSERT_EQ(ZAPYTANIESQL.next(), 0);
    EXPECT_EQ(ZAPYTANIESQL.dec(1), Decimal::fromCents(123450));
    EXPECT_EQ(ZAPYTANIESQL.text(2), QStringLiteral("100"));
    EXPECT_EQ(ZAPYTANIESQL.text(3), QStringLiteral("Kasa"));
    EXPECT_EQ(ZAPYTANIESQL.dec(4), Decimal::fromUnits(7));      // numeric text into an amount
    EXPECT_EQ(ZAPYTANIESQL.dec(5), Decimal());                  // words into an amount: 0
    EXPECT_EQ(ZAPYTANIESQL.dec(6), Decimal());                  // null: 0
    EXPECT_EQ(ZAPYTANIESQL.number(7), 1);
    EXPECT_EQ(ZAPYTANIESQL.columnsFilled(), 7);
    EXPECT_EQ(ZAPYTANIESQL.text(8), QStringLiteral("0.00"));   // beyond the row: blank

    // On the all-text table numbers arrive written out, nulls as empty texts.
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral(
        "select saldo, id_firmy, uwagi, nazwa from KONTA where id_firmy=1 order by id_firmy, nr_konta")));
    ASSERT_EQ(VAX_FK.next(), 0);
    EXPECT_EQ(VAX_FK.text(1), QStringLiteral("1234.50"));
    EXPECT_EQ(VAX_FK.text(2), QStringLiteral("1"));
    EXPECT_EQ(VAX_FK.text(3), QString());
    ASSERT_EQ(VAX_FK.next(), 0);
    EXPECT_EQ(VAX_FK.text(1), QStringLiteral("-0.05"));
    EXPECT_EQ(VAX_FK.dec(1), Decimal::fromCents(-5));
    EXPECT_EQ(VAX_FK.text(3), QStringLiteral("a")); // trailing blanks clipped
}

TEST_P(Gateway, PaddedListQueriesLandTheTextInTheFirstTextField)
{
    ASSERT_TRUE(utilka::EXECSQL1(QStringLiteral(
        "select 1,1,1,1,nr_konta from KONTA where id_firmy=1 group by nr_konta order by nr_konta")));
    EXPECT_EQ(column(ZAPYTANIESQL1, 5), (QStringList{"100", "201-1", "202"}));
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("select 1,nazwa from KONTA where nr_konta='202'")));
    EXPECT_EQ(column(ZAPYTANIESQL, 2), QStringList{"Dostawcy"});
}

TEST_P(Gateway, TextsAreCutToTheirFieldsWidth)
{
    const QString longName = QStringLiteral("Ź") + QString(599, QLatin1Char('n'));
    exec(QStringLiteral("create table DLUGIE (opis varchar(700))"));
    exec(QStringLiteral("insert into DLUGIE values ('") + longName + QStringLiteral("')"));

    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("select 1, opis, opis from DLUGIE")));
    ASSERT_EQ(ZAPYTANIESQL.next(), 0);
    EXPECT_EQ(ZAPYTANIESQL.text(2), longName.left(150));
    ASSERT_TRUE(utilka::EXECVAY(QStringLiteral("select opis, opis from DLUGIE")));
    ASSERT_EQ(VAY_FK.next(), 0);
    EXPECT_EQ(VAY_FK.text(1), longName.left(500));
    EXPECT_EQ(VAY_FK.text(2), longName.left(255));
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select opis from DLUGIE")));
    ASSERT_EQ(VAX_FK.next(), 0);
    EXPECT_EQ(VAX_FK.text(1).size(), 255);
}

TEST_P(Gateway, NextReadsToTheEndAndAnEmptyResultEndsAtOnce)
{
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select nr_konta from KONTA where id_firmy=1 order by nr_konta")));
    int rows = 0;
    while (utilka::NEXT(VAX_FK) == 0)
        ++rows;
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(utilka::errorCode(), pravik::sql::kRecordNotAvailable);
    EXPECT_EQ(VAX_FK.next(), pravik::sql::kRecordNotAvailable); // and stays at the end
    EXPECT_TRUE(utilka::checkSql()) << "the end of the rows is not a failure";

    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select nr_konta from KONTA where id_firmy=3")));
    EXPECT_EQ(utilka::errorCode(), 0);
    EXPECT_EQ(VAX_FK.next(), pravik::sql::kRecordNotAvailable);
    EXPECT_EQ(VAX_FK.columnsFilled(), 0);

    // A statement without rows leaves nothing to read, not the rows of the one before.
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select nr_konta from KONTA")));
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("update KONTA set uwagi='u' where id_firmy=2")));
    EXPECT_EQ(VAX_FK.next(), pravik::sql::kRecordNotAvailable);
    EXPECT_EQ(ui.events().size(), 0);
}

TEST_P(Gateway, ASecondResultSetIsReadWhileTheFirstIsIterated)
{
    ASSERT_TRUE(utilka::EXECSQL1(QStringLiteral(
        "select 1,1,1,1,nr_konta from KONTA where id_firmy=1 order by nr_konta")));
    QStringList seen;
    while (ZAPYTANIESQL1.next() == 0) {
        const QString account = ZAPYTANIESQL1.text(5);
        const QString name = utilka::FUNCVAY(QStringLiteral("select nazwa from KONTA where id_firmy=1 AND nr_konta='")
                                             + account + QStringLiteral("'"));
        ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("update KONTA set uwagi='r' where nr_konta='") + account
                                    + QStringLiteral("'")));
        seen.append(account + QLatin1Char('=') + name);
    }
    EXPECT_EQ(seen, (QStringList{"100=Kasa", "201-1=Odbiorcy krajowi", "202=Dostawcy"}));
}

TEST_P(Gateway, ScalarCallsGiveTheFirstColumnOfTheFirstRowAsText)
{
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select count(*) from KONTA where id_firmy=1")), QStringLiteral("3"));
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select saldo from KONTA where nr_konta='100' AND id_firmy=1")),
              QStringLiteral("1234.50"));
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select uwagi from KONTA where nr_konta='201-1'")), QStringLiteral("a"));
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select uwagi from KONTA where nr_konta='202'")), QStringLiteral("x"));
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select uwagi from KONTA where nr_konta='100' AND id_firmy=1")), QString());
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select nazwa from KONTA where id_firmy=99")), QString());
    EXPECT_EQ(utilka::errorCode(), 0);
    EXPECT_EQ(utilka::FUNCVAZ(QStringLiteral("select isnull(null, 'a') + 'b'")), QStringLiteral("ab"));

    // A scalar call does not disturb the rows open on a pass-through table.
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select nr_konta from KONTA where id_firmy=1 order by nr_konta")));
    ASSERT_EQ(VAX_FK.next(), 0);
    utilka::FUNCVAY(QStringLiteral("select 1"));
    EXPECT_EQ(column(VAX_FK, 1), (QStringList{"201-1", "202"}));
}

TEST_P(Gateway, AFailureLeavesTheDriversTextReportsItAndWarnsOnce)
{
    pravik::errorSink().setProcedure(QStringLiteral("Prn_Obroty_SQL"));
    EXPECT_FALSE(utilka::EXECSQL(QStringLiteral("insert into NIE_MA_TAKIEJ values (1)")));
    EXPECT_NE(utilka::errorCode(), 0);
    EXPECT_TRUE(utilka::errorText().contains(QLatin1String("nie_ma_takiej"), Qt::CaseInsensitive))
        << utilka::errorText().toStdString();
    ASSERT_EQ(sink.entries.size(), 1);
    EXPECT_EQ(sink.entries[0].procedure, QStringLiteral("Prn_Obroty_SQL"));
    EXPECT_EQ(sink.entries[0].what, QStringLiteral("insert into NIE_MA_TAKIEJ values (1)"));
    EXPECT_EQ(sink.entries[0].detail, utilka::errorText());

    EXPECT_FALSE(utilka::checkSql());
    EXPECT_FALSE(utilka::checkSql());
    ASSERT_EQ(ui.messageTexts().size(), 1);
    EXPECT_EQ(ui.messageTexts()[0], utilka::errorText());
    EXPECT_EQ(ui.events()[0].title, pravik::kTitleWarning);
    EXPECT_EQ(ZAPYTANIESQL.next(), pravik::sql::kRecordNotAvailable);

    // The next statement starts clean.
    EXPECT_TRUE(utilka::EXECSQL(QStringLiteral("delete from KONTA where id_firmy=2")));
    EXPECT_EQ(utilka::errorCode(), 0);
    EXPECT_TRUE(utilka::errorText().isEmpty());
    EXPECT_TRUE(utilka::checkSql());

    // A scalar call fails the same way and gives an empty text.
    EXPECT_EQ(utilka::FUNCVAY(QStringLiteral("select nie_ma from KONTA")), QString());
    EXPECT_NE(utilka::errorCode(), 0);
    EXPECT_FALSE(utilka::checkSql());
    EXPECT_EQ(ui.messageTexts().size(), 2);
}

TEST_P(Gateway, ProcedureCallsLeaveTheProceduresRowsInTheBuffer)
{
    // An account-name lookup as the reports call it: level first, then the name.
    pravik::sql::ProcedureRegistry::add(QStringLiteral("TEST_NAZWA_KONTA"),
                                        [](pravik::sql::Database&, const QVariantList& args) {
                                            return pravik::sql::ProcedureResult::withRows(
                                                {{2, QStringLiteral("Konto ") + args.value(2).toString(),
                                                  QStringLiteral("Konto ") + args.value(2).toString()}});
                                        });
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("CALL TEST_NAZWA_KONTA(1,2,'201-1')")))
        << utilka::errorText().toStdString();
    ASSERT_EQ(ZAPYTANIESQL.next(), 0);
    EXPECT_EQ(ZAPYTANIESQL.number(1), 2);
    EXPECT_EQ(ZAPYTANIESQL.text(2), QStringLiteral("Konto 201-1"));
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("CALL TEST_NAZWA_KONTA (1,2,'202')")));
    EXPECT_EQ(column(VAX_FK, 3), QStringList{"Konto 202"});

    EXPECT_FALSE(utilka::EXECSQL(QStringLiteral("CALL NIEZNANA_PROCEDURA (1,'a')")));
    EXPECT_TRUE(utilka::errorText().contains(QLatin1String("NIEZNANA_PROCEDURA"), Qt::CaseInsensitive))
        << utilka::errorText().toStdString();
}

TEST_P(Gateway, EachThreadHasItsOwnRecordsAndErrorState)
{
    ASSERT_TRUE(utilka::EXECVAX(QStringLiteral("select nr_konta from KONTA where id_firmy=1 order by nr_konta")));
    ASSERT_EQ(VAX_FK.next(), 0);

    QStringList otherRows;
    int otherError = -1;
    std::thread t = korda::startThread([&] {
        utilka::EXECVAX(QStringLiteral("select nazwa from KONTA where id_firmy=2"));
        otherRows = column(VAX_FK, 1);
        utilka::EXECSQL(QStringLiteral("select nie_ma from KONTA"));
        otherError = utilka::errorCode();
    });
    t.join();

    EXPECT_EQ(otherRows, QStringList{"Kasa innej firmy"});
    EXPECT_NE(otherError, 0);
    EXPECT_EQ(utilka::errorCode(), 0);
    EXPECT_EQ(VAX_FK.text(1), QStringLiteral("100"));
    EXPECT_EQ(column(VAX_FK, 1), (QStringList{"201-1", "202"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Gateway, pravik::test::allBackends(), pravik::test::backendName);

} // namespace
