// The demo company: deterministic for a seed, the same on both databases, and holding what the
// reports need.
#include "DemoDatabaseTest.h"

#include "platform/DayNumber.h"
#include "server/src/procedures/DocumentAmounts.h"

namespace pravik::test {
namespace {

QString valueText(sql::Database& db, const QString& sql)
{
    sql::Cursor c = db.execNative(sql);
    if (!c.next())
        return QStringLiteral("<%1>").arg(c.errorText());
    return c.value(0).toString();
}

// Figures that change when anything generated changes.
QStringList fingerprint(sql::Database& db)
{
    QStringList f;
    for (const char* q : {"select count(*) from NAG_DOK", "select count(*) from POZ_DOK", "select sum(kwota_wn) from POZ_DOK",
                          "select sum(kwota_ma_w) from POZ_DOK", "select count(*) from OBROTY_I_SALDA",
                          "select sum(zsaldo_wn) from OBROTY_I_SALDA", "select sum(kwota_wn) from ROZRACHUNKI",
                          "select max(nazwa) from KONTRAHENT", "select min(opis_dok) from NAG_DOK where status=1",
                          "select count(*) from MPK_DANE", "select sum(kwota) from BT_DANE"})
        f << Decimal::fromVariant(valueText(db, QString::fromLatin1(q))).value_or(Decimal()).toString() + "|" + valueText(db, QString::fromLatin1(q));
    return f;
}

TEST(DemoGeneratorTest, SameSeedSameCompanyOtherSeedAnother)
{
    auto a = makeDemoDatabase(TestBackend::SQLite, 800, 11);
    auto b = makeDemoDatabase(TestBackend::SQLite, 800, 11);
    auto c = makeDemoDatabase(TestBackend::SQLite, 800, 12);
    ASSERT_TRUE(a->failure.isEmpty() && b->failure.isEmpty() && c->failure.isEmpty()) << qPrintable(a->failure);
    EXPECT_EQ(fingerprint(*a->db), fingerprint(*b->db));
    EXPECT_NE(fingerprint(*a->db), fingerprint(*c->db));
    EXPECT_GE(a->summary.postings, 800);
    EXPECT_LT(a->summary.postings, 1000);
}

TEST(DemoGeneratorTest, SameSeedSameTotalsOnBothDatabases)
{
    DemoDatabase& lite = sharedDemo(TestBackend::SQLite);
    DemoDatabase& pg = sharedDemo(TestBackend::PostgreSQL);
    ASSERT_TRUE(lite.failure.isEmpty()) << qPrintable(lite.failure);
    ASSERT_TRUE(pg.failure.isEmpty()) << qPrintable(pg.failure);
    const QStringList l = fingerprint(*lite.db), p = fingerprint(*pg.db);
    ASSERT_EQ(l.size(), p.size());
    for (int i = 0; i < l.size(); ++i)
        EXPECT_EQ(l[i].section('|', 0, 0), p[i].section('|', 0, 0)) << i;
}

class DemoContentTest : public SharedDemoTest {
protected:
    int count(const QString& sql) { return valueText(db(), sql).toInt(); }
};

TEST_P(DemoContentTest, YearsPeriodsJournalsAndOptions)
{
    // Two years of company 1, the first crossing calendar years and closed, the second open.
    EXPECT_EQ(count("select count(*) from LATA_OBROTOWE where id_firmy=1"), 2);
    EXPECT_EQ(count(QStringLiteral("select status from LATA_OBROTOWE where id_lata_obrot=1")), 2);
    EXPECT_EQ(count(QStringLiteral("select count(*) from LATA_OBROTOWE where id_lata_obrot=1 and koniec_roku-poczatek_roku>365")), 1);
    EXPECT_EQ(count(QStringLiteral("select zamkniety_okres from LATA_OBROTOWE where id_lata_obrot=2")), monthPeriod(2026, 3));
    EXPECT_EQ(valueText(db(), "select nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 and id_lata_obrot=2 and id_opcje=120"),
              QStringLiteral("dzienniki częściowe"));
    EXPECT_EQ(valueText(db(), "select nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 and id_lata_obrot=2 and id_opcje=123"),
              QStringLiteral("data księgowania i numer dokumentu"));
    EXPECT_GE(count("select count(*) from PACZKA where id_firmy=1 and id_lata_obrot=2"), 5);
    // Opening balances, a closing period in the closed year, documents in every state.
    EXPECT_GT(count(QStringLiteral("select count(*) from NAG_DOK where id_lata_obrot=2 and data_okresu=%1").arg(dayFromYmd(2026, 1, 1))), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from NAG_DOK where id_lata_obrot=1 and data_okresu=%1").arg(closingPeriod(dayFromYmd(2025, 12, 31)))), 0);
    for (int status : {0, 1, 2})
        EXPECT_GT(count(QStringLiteral("select count(*) from NAG_DOK where id_lata_obrot=2 and status=%1").arg(status)), 0) << status;
    EXPECT_EQ(count(QStringLiteral("select count(*) from NAG_DOK where status<>2 and data_okresu<=%1 and id_lata_obrot=2").arg(monthPeriod(2026, 3))), 0);
    EXPECT_GT(count("select count(*) from NAG_DOK where czy_rk=10 and sym_waluty='EUR'"), 0);
    EXPECT_GT(count("select count(*) from POZ_DOK_CZASTKOWE"), 0);
}

TEST_P(DemoContentTest, ChartCardIndexesCurrenciesAndBooks)
{
    for (const char* group : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"})
        EXPECT_GT(count(QStringLiteral("select count(*) from WARTOSCI_KONT where id_lata_obrot=2 and substr(nr_konta,1,1)='%1'").arg(group)), 0) << group;
    for (const char* type : {"B", "W", "P"})
        EXPECT_GT(count(QStringLiteral("select count(*) from KONTA_SYNT where id_lata_obrot=2 and typ_konta='%1'").arg(type)), 0) << type;
    EXPECT_EQ(count("select max(poziom) from WARTOSCI_KONT"), 4);
    EXPECT_EQ(valueText(db(), "select symbol_kartoteki from WARTOSCI_KONT where id_lata_obrot=2 and nr_konta='234-x'"), "PRACOWNICY");
    EXPECT_GT(count("select count(*) from POZ_DOK where konto_wn like '234-%' or konto_ma like '234-%'"), 0);
    EXPECT_GT(count("select count(*) from POZ_DOK where sym_waluty_wn='EUR' or sym_waluty_ma='EUR'"), 0);
    EXPECT_GT(count("select count(*) from POZ_DOK where sym_waluty_wn='USD' or sym_waluty_ma='USD'"), 0);
    EXPECT_GT(count("select count(*) from MPK_DANE"), 0);
    EXPECT_GT(count("select count(*) from BT_DANE where id_firmy=2"), 0);
    EXPECT_GT(count("select count(*) from BT_PLAN"), 0);
    EXPECT_EQ(valueText(db(), "select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki"
                                " where d.nazwa='Epson LQ-590' AND k.nazwa_kodu='Ilość linii wydruku'"), "66");
    EXPECT_EQ(valueText(db(), "select login from UZYTKOWNIK where id_uzytkownika=1"), "admin");
    // Polish texts survive the round trip with their diacritics.
    EXPECT_EQ(valueText(db(), "select nazwa_konta from WARTOSCI_KONT where id_lata_obrot=1 and nr_konta='401-1'"), QStringLiteral("Materiały biurowe"));
    EXPECT_EQ(valueText(db(), "select nazwa from FIRMA where id_firmy=1"), QStringLiteral("„Bursztyn” Sp. z o.o."));
}

TEST_P(DemoContentTest, EveryDocumentBalancesAndOpeningFollowsClosing)
{
    // Every document balances, leaving aside the one-sided lines on off-balance accounts.
    EXPECT_EQ(count("select count(*) from (select id_nag_dok from POZ_DOK group by id_nag_dok having"
                    " sum(case when konto_wn like '9%' then 0 else kwota_wn end)<>"
                    " sum(case when konto_ma like '9%' then 0 else kwota_ma end)) d"), 0);
    // The second year opens with the first year's closing balance-sheet balances.
    const QString closing = valueText(db(), QStringLiteral("select zsaldo_wn-zsaldo_ma from OBROTY_I_SALDA where id_lata_obrot=1"
                                                             " and nr_konta='130-1' and sym_waluty='PLN' and data_okresu=%1")
                                                  .arg(closingPeriod(dayFromYmd(2025, 12, 31))));
    const QString opening = valueText(db(), QStringLiteral("select zsaldo_wn-zsaldo_ma from OBROTY_I_SALDA where id_lata_obrot=2"
                                                             " and nr_konta='130-1' and sym_waluty='PLN' and data_okresu=%1")
                                                  .arg(dayFromYmd(2026, 1, 1)));
    EXPECT_EQ(dec(closing), dec(opening));
    EXPECT_FALSE(dec(opening).isZero());

    // A document's amount is the total of its debit postings; the opening balance (one side per
    // line) included.
    EXPECT_EQ(count("select count(*) from (select n.id_nag_dok from NAG_DOK n left join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
                    " group by n.id_nag_dok, n.kwota_dok having round(n.kwota_dok*100)<>round(coalesce(sum(p.kwota_wn),0)*100)) d"),
              0);
    EXPECT_EQ(dec(valueText(db(), QStringLiteral("select kwota_dok from NAG_DOK where id_firmy=1 and id_lata_obrot=2"
                                                   " and data_okresu=%1").arg(dayFromYmd(2026, 1, 1)))),
              dec(valueText(db(), QStringLiteral("select sum(p.kwota_ma) from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
                                                   " where n.id_firmy=1 and n.id_lata_obrot=2 and n.data_okresu=%1")
                                        .arg(dayFromYmd(2026, 1, 1)))));
    for (int year : {1, 2}) {
        const server::DocumentAmountCheck check = server::checkDocumentAmounts(*demo->db, 1, year);
        EXPECT_TRUE(check.ok) << qPrintable(check.error);
        EXPECT_EQ(check.differences, 0) << qPrintable(check.samples.join(u'\n'));
    }
}

// The check names a document whose amount is neither side of its postings, also one without lines.
TEST_P(DemoContentTest, DocumentAmountCheckNamesTheDocumentsThatDisagree)
{
    auto fresh = makeDemoDatabase(GetParam(), 300, 3);
    ASSERT_TRUE(fresh->failure.isEmpty()) << qPrintable(fresh->failure);
    sql::Database& db = *fresh->db;
    const QString first = valueText(db, "select min(id_nag_dok) from NAG_DOK where id_firmy=1 and id_lata_obrot=2");
    ASSERT_TRUE(db.execNative(QStringLiteral("update NAG_DOK set kwota_dok=kwota_dok+0.01 where id_nag_dok=%1").arg(first)).ok());
    ASSERT_TRUE(db.execNative(QStringLiteral("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, status,"
                                             " nr_dok_org, kwota_dok) values (999999, 1, 2, %1, 1, 'PUSTY 1', 10)")
                                  .arg(monthPeriod(2026, 2))).ok());
    const server::DocumentAmountCheck check = server::checkDocumentAmounts(db, 1, 2);
    ASSERT_TRUE(check.ok) << qPrintable(check.error);
    EXPECT_EQ(check.differences, 2);
    ASSERT_EQ(check.samples.size(), 2);
    EXPECT_TRUE(check.samples[0].startsWith(QStringLiteral("document %1 ").arg(first))) << qPrintable(check.samples[0]);
    EXPECT_TRUE(check.samples[1].contains(QStringLiteral("\"PUSTY 1\""))) << qPrintable(check.samples[1]);
    EXPECT_TRUE(check.samples[1].contains(QStringLiteral("amount 10.00, postings Dt 0.00 / Ct 0.00"))) << qPrintable(check.samples[1]);
    EXPECT_EQ(server::checkDocumentAmounts(db, 1, 1).differences, 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoContentTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
