// The statement window's saved variants ("RU") through the variant store, on SQLite and
// PostgreSQL: every option comes back as it was saved, under the numbers the window keeps them.
#include "statements/variants/StatementVariant.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

class StatementVariantTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
    }
    void TearDown() override
    {
        for (const VariantEntry& e : listVariants(kUser, kStatementVariantKey))
            if (e.id != 0)
                deleteVariant(e.id);
        setUi(nullptr);
    }
    QMap<int, QString> stored(qint32 id)
    {
        QMap<int, QString> out;
        sql::Cursor c = db->exec(QStringLiteral("select parametr, wartosc from PARAMETRY_WYDRUKU_POZ where id_parametry_wydruku_nag=%1").arg(id));
        while (c.next())
            out.insert(c.value(0).toInt(), c.value(1).toString().trimmed());
        return out;
    }

    static constexpr qint32 kUser = 3;
    sql::Database* db = nullptr;
    ScriptedUi ui;
};

TEST_P(StatementVariantTest, EveryOptionComesBackUnderTheWindowsNumbers)
{
    StatementVariantOptions o;
    o.print.thousands = true;
    o.print.noDecimals = true;
    o.print.wrap = true;
    o.print.broughtForward = true;
    o.print.carriedForward = true;
    o.print.totalsMode = TotalsMode::ChosenLevel;
    o.print.totalsLevel = 3;
    o.print.skipZeroRows = true;
    o.krs = true;
    const qint32 id = saveVariant(kUser, kStatementVariantKey, QStringLiteral("Kwartał"), statementVariantValues(o));
    ASSERT_GT(id, 0);
    // 1 thousands, 2 round, 3 no decimals, 4 ordinal, 5 wrap, 6 KRS, 7 "Razem", 8 page totals,
    // 9 brought forward, 10 carried forward, 11 totals mode, 12 level, 13 skip zero rows.
    const QMap<int, QString> rows = stored(id);
    const QStringList expected = {"1", "0", "1", "0", "1", "1", "0", "0", "1", "1", "3", "3", "1"};
    ASSERT_EQ(rows.size(), expected.size());
    for (int n = 1; n <= expected.size(); ++n)
        EXPECT_EQ(rows.value(n), expected[n - 1]) << "option " << n;

    StatementVariantOptions back;
    back.print.reportTotal = true; // a stored 0 clears what was set before
    applyStatementVariant(loadVariant(id), &back);
    const StatementPrintOptions& p = back.print;
    EXPECT_TRUE(p.thousands && !p.round && p.noDecimals && !p.ordinal && p.wrap && !p.reportTotal && !p.pageTotals);
    EXPECT_TRUE(p.broughtForward && p.carriedForward && p.skipZeroRows && back.krs);
    EXPECT_EQ(p.totalsMode, TotalsMode::ChosenLevel);
    EXPECT_EQ(p.totalsLevel, 3);
}

TEST_P(StatementVariantTest, HandEditedValuesOutOfRangeLeaveTheirOption)
{
    StatementVariantOptions o;
    applyStatementVariant({{11, QStringLiteral("7")}, {12, QStringLiteral("0")}, {1, QStringLiteral("tak")}, {14, QStringLiteral("1")},
                           {4, QStringLiteral(" 1 ")}},
                          &o);
    EXPECT_EQ(o.print.totalsMode, TotalsMode::HighestLevel);
    EXPECT_EQ(o.print.totalsLevel, 1);
    EXPECT_FALSE(o.print.thousands);
    EXPECT_TRUE(o.print.ordinal);
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementVariantTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::statements
