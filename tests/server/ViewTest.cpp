// The posting views on hand-made documents: one booked invoice with a two-sided line and a
// one-sided off-balance line, and a draft that no view may show.
#include "SchemaTestFixture.h"

namespace pravik::test {
namespace {

class PostingViewTest : public SchemaDatabaseTest {
protected:
    void SetUp() override
    {
        SchemaDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        const QStringList setup = {
            "insert into FIRMA (id_firmy, nazwa) values (1, 'Firma')",
            "insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku) values (10, 1, '2024', 81453, 81818)",
            "insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, poziom, nr_konta_syn) values (1, 10, '201-1', 'Rozrachunki z odbiorcami', 2, 201)",
            "insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, id_paczka, status, nr_dziennika, nr_ewid_dok, data_biezaca, nr_dok_org, data_dok_org, opis_dok, id_uzyt_k) "
            "values (100, 1, 10, 81454, 3, 1, 5, 'R/1', 81460, 'FV 1/2024', 81459, 'Faktura', 'ANNA')",
            "insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, tresc_poz_dok, konto_wn, kwota_wn, kwota_wn_w, sym_waluty_wn, konto_ma, kwota_ma, kwota_ma_w, sym_waluty_ma) "
            "values (1000, 100, 1, 'Sprzedaż towaru', '201-1', 123.45, 30.10, 'EUR', '700', 123.45, 123.45, 'PLN')",
            "insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, tresc_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) "
            "values (1001, 100, 2, 'Zabezpieczenie', '975', 10.00, NULL, 0)",
            "insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, status, nr_ewid_dok) values (101, 1, 10, 81454, 0, 'BUFOR')",
            "insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) values (1002, 101, 1, '201-1', 5.00, '700', 5.00)",
            "insert into BT_DANE (id_firmy, id_poz_dok, bt_klasyfikacja, typ, kwota, rodzaj_d) values (1, 1000, '756.75616.0310', 'D', 123.45, 1)",
            "insert into BT_DANE (id_firmy, id_poz_dok, bt_klasyfikacja, typ, kwota) values (1, 1002, '756.75616.0320', 'D', 5.00)",
            "insert into MPK_SLOWNIK_WSKAZNIK (id_mpk_slownik_wskaznik, id_firmy, nr_wskaznika, kod) values (7, 1, 1, 'SKLEP')",
            "insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id, wskaznik_1_id) values (50, 1, 1000, 'WN', 100.00, '4;9', 7)",
            "insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota) values (51, 1, 1000, 'MA', 23.45)",
            "insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota) values (52, 1, 1002, 'WN', 5.00)",
        };
        for (const QString& statement : setup) {
            native(statement);
            if (HasFatalFailure())
                return;
        }
    }
};

TEST_P(PostingViewTest, AUnionRowStandsForOneSideOfABookedLine)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select id_poz_dok, strona, konto, kwota_wn, kwota_ma, kwota_wn_w, kwota_ma_w, waluta, lp, opis, nr_dok_org, id_nag_dok, data_okresu "
        "from POZ_DOK_VIEW_UNION where id_firmy=1 order by id_poz_dok, strona"));
    ASSERT_EQ(r.size(), 3) << "two sides of line 1, the debit of line 2, nothing of the draft";

    EXPECT_EQ(r[0].mid(0, 3), (QStringList{"1000", "0", "201-1"}));
    EXPECT_EQ(amount(r[0][3]), QStringLiteral("123.45"));
    EXPECT_EQ(amount(r[0][4]), QStringLiteral("0.00"));
    EXPECT_EQ(amount(r[0][5]), QStringLiteral("30.10"));
    EXPECT_EQ(amount(r[0][6]), QStringLiteral("0.00"));
    EXPECT_EQ(r[0].mid(7), (QStringList{"EUR", "1", "Sprzedaż towaru", "FV 1/2024", "100", "81454"}));

    EXPECT_EQ(r[1].mid(0, 3), (QStringList{"1000", "1", "700"}));
    EXPECT_EQ(amount(r[1][3]), QStringLiteral("0.00"));
    EXPECT_EQ(amount(r[1][4]), QStringLiteral("123.45"));
    EXPECT_EQ(r[1][7], QStringLiteral("PLN"));

    EXPECT_EQ(r[2].mid(0, 3), (QStringList{"1001", "0", "975"}));
}

TEST_P(PostingViewTest, SumsOverTheUnionAreTheAccountsTurnovers)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select konto, sum(kwota_wn), sum(kwota_ma), sum(kwota) from POZ_DOK_VIEW_UNION where id_firmy=1 group by konto order by konto"));
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0][0], QStringLiteral("201-1"));
    EXPECT_EQ(amount(r[0][1]), QStringLiteral("123.45"));
    EXPECT_EQ(amount(r[0][2]), QStringLiteral("0.00"));
    EXPECT_EQ(r[1][0], QStringLiteral("700"));
    EXPECT_EQ(amount(r[1][2]), QStringLiteral("123.45"));
    EXPECT_EQ(amount(r[1][3]), QStringLiteral("123.45"));
    EXPECT_EQ(r[2][0], QStringLiteral("975"));
}

TEST_P(PostingViewTest, VariantsAddTheAccountNameAndTheBudgetClassification)
{
    const QList<QStringList> ext = rows(QStringLiteral(
        "select konto, isnull(nazwa_konta,'') from POZ_DOK_VIEW_UNION_EXT where id_firmy=1 order by id_poz_dok, strona"));
    ASSERT_EQ(ext.size(), 3);
    EXPECT_EQ(ext[0], (QStringList{"201-1", "Rozrachunki z odbiorcami"}));
    EXPECT_EQ(ext[1], (QStringList{"700", ""}));

    const QList<QStringList> bt = rows(QStringLiteral(
        "select id_poz_dok, strona, isnull(bt_klasyfikacja,'') from POZ_DOK_VIEW_UNION_BT where id_firmy=1 order by id_poz_dok, strona"));
    ASSERT_EQ(bt.size(), 3);
    EXPECT_EQ(bt[0], (QStringList{"1000", "0", "756.75616.0310"}));
    EXPECT_EQ(bt[1], (QStringList{"1000", "1", "756.75616.0310"}));
    EXPECT_EQ(bt[2], (QStringList{"1001", "0", ""}));

    const QList<QStringList> both = rows(QStringLiteral(
        "select bt_klasyfikacja, nazwa_konta from POZ_DOK_VIEW_UNION_BT_EXT where id_firmy=1 AND strona='0' AND id_poz_dok=1000"));
    ASSERT_EQ(both.size(), 1);
    EXPECT_EQ(both[0], (QStringList{"756.75616.0310", "Rozrachunki z odbiorcami"}));
}

TEST_P(PostingViewTest, TheJournalViewHasOneRowPerBookedLineWithItsDocument)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select nr_dziennika, nr_ewid_dok, nr_dok_org, opis_dok, nr_poz_dok, tresc_poz_dok, konto_wn, konto_ma, id_paczka, id_uzyt_k "
        "from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=10 AND data_okresu=81454 order by nr_poz_dok"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0], (QStringList{"5", "R/1", "FV 1/2024", "Faktura", "1", "Sprzedaż towaru", "201-1", "700", "3", "ANNA"}));
    EXPECT_EQ(r[1][6], QStringLiteral("975"));
    EXPECT_EQ(r[1][7], QString());
}

TEST_P(PostingViewTest, CostCentreRowsTakeTheAccountOfTheirSide)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select id_mpk_dane, strona, konto, kwota, isnull(wskaznik_1,''), isnull(drzewo_zbior_id,''), nr_dok_org "
        "from MPK_VIEW where id_firmy=1 order by id_mpk_dane"));
    ASSERT_EQ(r.size(), 2) << "the draft's allocation is not shown";
    EXPECT_EQ(r[0].mid(0, 3), (QStringList{"50", "WN", "201-1"}));
    EXPECT_EQ(amount(r[0][3]), QStringLiteral("100.00"));
    EXPECT_EQ(r[0].mid(4), (QStringList{"SKLEP", "4;9", "FV 1/2024"}));
    EXPECT_EQ(r[1].mid(0, 3), (QStringList{"51", "MA", "700"}));
    EXPECT_EQ(amount(r[1][3]), QStringLiteral("23.45"));
    EXPECT_EQ(r[1][4], QString());
}

TEST_P(PostingViewTest, BudgetRowsCarryBothAccountsOfTheirLine)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select bt_klasyfikacja, typ, konto_wn, konto_ma, kwota, rodzaj_d, data_okresu from BT_VIEW where id_firmy=1"));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].mid(0, 4), (QStringList{"756.75616.0310", "D", "201-1", "700"}));
    EXPECT_EQ(amount(r[0][4]), QStringLiteral("123.45"));
    EXPECT_EQ(r[0].mid(5), (QStringList{"1", "81454"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, PostingViewTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
