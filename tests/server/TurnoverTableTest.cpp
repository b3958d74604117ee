// The turnover table derived from the postings: every level sums its sub-accounts, balances run
// on from period to period, two-balance accounts keep both sides, currencies keep their amounts.
#include "DemoDatabaseTest.h"

#include "platform/DayNumber.h"
#include "server/src/procedures/TurnoverTable.h"

namespace pravik::test {
namespace {

class TurnoverTableTest : public SharedDemoTest {
protected:
    Decimal value(const QString& sql)
    {
        sql::Cursor c = demo->db->execNative(sql);
        EXPECT_TRUE(c.next()) << qPrintable(c.errorText()) << " " << qPrintable(sql);
        return dec(c.value(0));
    }
    QString row(const QString& account, DayNumber period, const QString& currency = "PLN")
    {
        return QStringLiteral(" from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2 and nr_konta='%1' and data_okresu=%2"
                              " and sym_waluty='%3'").arg(account).arg(period).arg(currency);
    }
};

TEST_P(TurnoverTableTest, SyntheticTurnoversEqualThePostingsOfEachPeriod)
{
    for (DayNumber p : fiscalYearPeriods(dayFromYmd(2026, 1, 1), dayFromYmd(2026, 12, 31)).mid(0, 7)) {
        const Decimal table = value(QStringLiteral("select sum(obroty_wn) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                                   " and sym_waluty='PLN' and data_okresu=%1 and nr_konta not like '%-%'").arg(p));
        const Decimal postings = value(QStringLiteral("select sum(p.kwota_wn) from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
                                                      " where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu=%1").arg(p));
        EXPECT_EQ(table, postings) << qPrintable(periodLabel(p));
        const Decimal approved = value(QStringLiteral("select sum(zobroty_ma) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                                      " and sym_waluty='PLN' and data_okresu=%1 and nr_konta not like '%-%'").arg(p));
        const Decimal approvedPostings = value(QStringLiteral("select sum(p.kwota_ma) from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
                                                              " where n.id_firmy=1 and n.id_lata_obrot=2 and n.status=2 and n.data_okresu=%1").arg(p));
        EXPECT_EQ(approved, approvedPostings) << qPrintable(periodLabel(p));
    }
}

TEST_P(TurnoverTableTest, BalancesRunOnAndTwoBalanceAccountsKeepBothSides)
{
    const DayNumber may = monthPeriod(2026, 5);
    // 402 nets its sub-accounts; its balance is the running sum of its turnovers.
    const Decimal net = value("select saldo_wn-saldo_ma" + row("402", may));
    const Decimal running = value(QStringLiteral("select sum(obroty_wn)-sum(obroty_ma) from OBROTY_I_SALDA where id_firmy=1 and"
                                                 " id_lata_obrot=2 and nr_konta='402' and sym_waluty='PLN' and data_okresu<=%1").arg(may));
    EXPECT_EQ(net, running);
    EXPECT_TRUE(value("select saldo_ma" + row("402", may)).isZero() || value("select saldo_wn" + row("402", may)).isZero());
    // 201 keeps the debit balances of some customers beside the credit balances of others.
    const Decimal debit = value(QStringLiteral("select sum(saldo_wn) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                               " and nr_konta like '201-%' and sym_waluty='PLN' and data_okresu=%1").arg(may));
    const Decimal credit = value(QStringLiteral("select sum(saldo_ma) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                                " and nr_konta like '201-%' and sym_waluty='PLN' and data_okresu=%1").arg(may));
    EXPECT_EQ(value("select saldo_wn" + row("201", may)), debit);
    EXPECT_EQ(value("select saldo_ma" + row("201", may)), credit);
}

TEST_P(TurnoverTableTest, CurrencyRowsHoldTheCurrencyAmounts)
{
    const Decimal eur = value(QStringLiteral("select sum(obroty_wn_w) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                             " and nr_konta='203-1' and sym_waluty='EUR'"));
    const Decimal postings = value("select sum(p.kwota_wn_w) from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where"
                                   " n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and p.konto_wn='203-1' and p.sym_waluty_wn='EUR'");
    EXPECT_EQ(eur, postings);
    EXPECT_FALSE(eur.isZero());
    // The base-currency row counts the same postings in zloty.
    const Decimal base = value(QStringLiteral("select sum(obroty_wn) from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=2"
                                              " and nr_konta='203-1' and sym_waluty='PLN'"));
    EXPECT_GT(base, eur);
}

TEST_P(TurnoverTableTest, RebuildIsIdempotentAndTheCheckFindsNothing)
{
    auto fresh = makeDemoDatabase(GetParam(), 400, 5);
    ASSERT_TRUE(fresh->failure.isEmpty()) << qPrintable(fresh->failure);
    sql::Database& db = *fresh->db;
    auto total = [&] {
        sql::Cursor c = db.execNative("select count(*), sum(saldo_wn), sum(zobroty_ma_w) from OBROTY_I_SALDA");
        EXPECT_TRUE(c.next());
        return c.value(0).toString() + dec(c.value(1)).toString() + dec(c.value(2)).toString();
    };
    const QString before = total();
    QString error;
    ASSERT_TRUE(server::rebuildTurnoverTable(db, 1, 2, &error)) << qPrintable(error);
    EXPECT_EQ(total(), before);
    for (int year : {1, 2})
        EXPECT_EQ(server::checkTurnoverTable(db, 1, year).differences, 0) << year;
    // A row missing altogether counts too.
    db.execNative("delete from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=1 and nr_konta='130-1'");
    EXPECT_GT(server::checkTurnoverTable(db, 1, 1).differences, 0);
    EXPECT_FALSE(server::rebuildTurnoverTable(db, 2, 1, &error));
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, TurnoverTableTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
