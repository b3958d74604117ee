// Generation as every caller runs it, on the demo company on SQLite and PostgreSQL: each column
// computed over its own period (figures against the test's own sums of the postings), the period
// rows replaced for this user only, and a failing statement that stops the run and names itself.
#include "statements/generation/StatementGeneration.h"

#include "platform/sql/Quote.h"
#include "tests/server/DemoDatabaseTest.h"

#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using sql::sqlText;
using test::dec;
using test::TestBackend;

// A user of its own, so that the rows this test writes are no other test's.
constexpr qint32 kUser = 11, kOtherUser = 12;
constexpr qint64 kTwoColumns = 950, kBroken = 951, kAfterBroken = 952, kOpening = 953;

class StatementGenerationTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        demo = &test::sharedDemo(GetParam());
        ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
        sql::Database::setCurrent(demo->where.dbTarget);
        if (scalar(QStringLiteral("select count(*) from ZESTAW_NAG where id_zestaw_nag=%1").arg(kTwoColumns)).toInt() == 0) {
            addStatement(kTwoColumns, 2, 0, QStringLiteral("WN(\"4*\")"));
            addStatement(kBroken, 1, 0, QStringLiteral("WN(\"4*\" + "));
            addStatement(kAfterBroken, 1, 0, QStringLiteral("MA(\"7*\")"));
            addStatement(kOpening, 3, 2, QStringLiteral("BO(\"2*\")"));
        }
    }

    sql::Database& db() { return *demo->db; }
    QVariant scalar(const QString& sql)
    {
        sql::Cursor c = db().execNative(sql);
        EXPECT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
        return c.next() ? c.value(0) : QVariant();
    }
    void exec(const QString& sql)
    {
        sql::Cursor c = db().execNative(sql);
        ASSERT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
    }
    void addStatement(qint64 id, int columns, int boColumn, const QString& formula)
    {
        QStringList names = {"id_zestaw_nag", "id_firmy", "id_zestaw_grupa", "nazwa", "typ", "wariant", "ilosc_kolumn", "czy_rozne_definicje"};
        QStringList values = {QString::number(id), "1", "0", sqlText(QStringLiteral("Generacja %1").arg(id)), "''", "''",
                              QString::number(columns), "0"};
        for (int c = 1; c <= columns; ++c) {
            names << QStringLiteral("id_lo_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
            values << (c == 3 ? "1" : "0") << (c == boColumn ? "1" : "0");
        }
        exec(QStringLiteral("insert into ZESTAW_NAG (%1) values (%2)").arg(names.join(','), values.join(',')));
        exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                            " (%1, %2, 1, '', 'Pozycja', 1, '')").arg(id * 10).arg(id));
        exec(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz_formula, id_zestaw_poz, nr_kolumny, formula) values (%1, %1, 1, %2)")
                 .arg(id * 10).arg(sqlText(formula)));
    }
    // kol1..kolN of the statement's generated row, or none.
    QList<Decimal> generated(qint64 id, int columns)
    {
        QStringList cols;
        for (int c = 1; c <= columns; ++c)
            cols << QStringLiteral("kol%1").arg(c);
        sql::Cursor c = db().execNative(QStringLiteral("select %1 from ZESTAW_ZESTAW where id_uzytkownika=%2 and id_zestaw_nag=%3"
                                                       " and wariant_zestaw=1").arg(cols.join(',')).arg(kUser).arg(id));
        QList<Decimal> out;
        if (c.next())
            for (int i = 0; i < columns; ++i)
                out << dec(c.value(i));
        EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
        return out;
    }
    Decimal debitTurnover(DayNumber first, DayNumber last)
    {
        return dec(scalar(QStringLiteral("select sum(kwota_wn) from POZ_DOK_VIEW_UNION where id_firmy=1 and id_lata_obrot=2"
                                         " and konto like '4%' and data_okresu between %1 and %2")
                              .arg(monthPeriod(yearOf(first), monthOf(first))).arg(monthPeriod(yearOf(last), monthOf(last)))));
    }
    QList<QString> periodRows(qint32 user)
    {
        sql::Cursor c = db().execNative(QStringLiteral("select id_zasobu, tekst1, tekst2, tekst3 from KOMUNIKAT where id_uzytkownika=%1"
                                                       " and kontekst='ZESTZAK' order by id_zasobu, tekst1").arg(user));
        QList<QString> out;
        while (c.next())
            out << QStringLiteral("%1:%2|%3|%4").arg(c.value(0).toString(), c.value(1).toString().trimmed(), c.value(2).toString().trimmed(),
                                                     c.value(3).toString().trimmed());
        return out;
    }
    GenerationRequest request(const QList<qint64>& ids, const QList<GenerationColumn>& columns)
    {
        GenerationRequest r;
        r.company = 1;
        r.year = 2;
        r.user = kUser;
        r.statements = ids;
        r.columns = columns;
        r.from = jan1;
        r.to = mar31;
        return r;
    }

    test::DemoDatabase* demo = nullptr;
    const DayNumber jan1 = dayFromYmd(2026, 1, 1), jan31 = dayFromYmd(2026, 1, 31), feb1 = dayFromYmd(2026, 2, 1),
                    mar31 = dayFromYmd(2026, 3, 31);
};

TEST_P(StatementGenerationTest, ColumnsTakeTheStatementsDefinitionAndTheirOwnPeriod)
{
    QString error;
    const auto opening = statementColumns(kOpening, jan1, mar31, 2, &error);
    ASSERT_TRUE(opening) << qPrintable(error);
    ASSERT_EQ(opening->size(), 3);
    EXPECT_TRUE((*opening)[1].openingBalance);
    EXPECT_EQ((*opening)[1].from, 0); // an opening-balance column is never given dates
    EXPECT_EQ((*opening)[1].to, 0);
    EXPECT_EQ((*opening)[0].from, jan1);
    EXPECT_EQ((*opening)[2].to, mar31);
    EXPECT_EQ((*opening)[0].yearId, 2); // the working year
    EXPECT_EQ((*opening)[2].yearId, 1); // its own
    EXPECT_FALSE(statementColumns(99999, jan1, mar31, 2, &error));
    EXPECT_FALSE(error.isEmpty());

    // The lists' range: the columns' dates; a column "as at" a day reaches back to the start of
    // the earliest of the columns' years, and a statement without columns spans its year.
    EXPECT_EQ(listDateRange(*opening, 1, 2, &error), std::pair(jan1, mar31));
    QList<GenerationColumn> asAt = *opening;
    for (GenerationColumn& c : asAt)
        c.from = 0;
    const DayNumber earliest = scalar("select min(poczatek_roku) from LATA_OBROTOWE where id_firmy=1 and id_lata_obrot in (1,2)").toInt();
    EXPECT_EQ(listDateRange(asAt, 1, 2, &error), std::pair(earliest, mar31));
    EXPECT_EQ(listDateRange({}, 1, 2, &error), std::pair(jan1, dayFromYmd(2026, 12, 31)));

    // Column 1 January, column 2 February and March: the same formula, each over its period.
    QList<GenerationColumn> columns = *statementColumns(kTwoColumns, jan1, jan31, 2, &error);
    columns[1].from = feb1;
    columns[1].to = mar31;
    exec(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(%1,'ZESTZAK','1','1','1',%2)")
             .arg(kUser).arg(kAfterBroken));
    exec(QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1").arg(kOtherUser));
    exec(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(%1,'ZESTZAK','1','5','6',%2)")
             .arg(kOtherUser).arg(kTwoColumns));
    QList<std::pair<int, int>> progress;
    const auto failure = generateStatements(request({kTwoColumns}, columns), [&](int done, int total) { progress.append({done, total}); });
    ASSERT_FALSE(failure) << qPrintable(failure->text);
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{0, 1}, {1, 1}}));
    EXPECT_EQ(generated(kTwoColumns, 2), (QList<Decimal>{debitTurnover(jan1, jan31), debitTurnover(feb1, mar31)}));
    EXPECT_NE(debitTurnover(jan1, jan31), Decimal());
    // The user's earlier rows are replaced whole; another user's stay.
    const QString id = QString::number(kTwoColumns);
    EXPECT_EQ(periodRows(kUser), (QList<QString>{id + QStringLiteral(":1|%1|%2").arg(jan1).arg(jan31),
                                                 id + QStringLiteral(":2|%1|%2").arg(feb1).arg(mar31)}));
    EXPECT_EQ(periodRows(kOtherUser), QList<QString>{id + ":1|5|6"});
}

TEST_P(StatementGenerationTest, AFailingStatementStopsTheRunAndIsNamed)
{
    QString error;
    // Rows of an earlier run of the last statement, which the failure must leave alone.
    GenerationRequest earlier = request({kAfterBroken}, {});
    ASSERT_TRUE(useRequestPeriod(&earlier, &error)) << qPrintable(error);
    ASSERT_FALSE(generateStatements(earlier));
    const QList<Decimal> before = generated(kAfterBroken, 1);
    ASSERT_EQ(before.size(), 1);

    GenerationRequest run = request({kTwoColumns, kBroken, kAfterBroken}, {});
    run.from = feb1;
    ASSERT_TRUE(useRequestPeriod(&run, &error)) << qPrintable(error);
    QList<int> done;
    const auto failure = generateStatements(run, [&](int n, int total) { done << n; EXPECT_EQ(total, 3); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->statementId, kBroken);
    EXPECT_FALSE(failure->text.isEmpty());
    EXPECT_EQ(done, (QList<int>{0, 1}));
    EXPECT_EQ(generated(kTwoColumns, 2), (QList<Decimal>{debitTurnover(feb1, mar31), debitTurnover(feb1, mar31)}));
    EXPECT_EQ(generated(kAfterBroken, 1), before);
    EXPECT_EQ(periodRows(kUser).size(), 4); // every statement's periods were written, in one go
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementGenerationTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::statements
