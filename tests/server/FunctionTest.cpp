// The database functions the reports call in their SQL, as the reports write them ("dbo.").
#include "SchemaTestFixture.h"

namespace pravik::test {
namespace {

class LedgerFunctionTest : public SchemaDatabaseTest {
protected:
    void SetUp() override
    {
        SchemaDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        const QStringList setup = {
            "insert into KONTA_SYNT (id_firmy, id_lata_obrot, nr_konta_syn, nazwa, typ_konta) values (1, 10, 201, 'Rozrachunki', 'B')",
            "insert into KONTA_SYNT (id_firmy, id_lata_obrot, nr_konta_syn, nazwa, typ_konta) values (1, 10, 975, 'Zabezpieczenia', 'P')",
            "insert into KONTA_SYNT (id_firmy, id_lata_obrot, nr_konta_syn, nazwa, typ_konta) values (1, 11, 201, 'Rozrachunki', 'P')",
            "insert into KONTA_SYNT (id_firmy, id_lata_obrot, nr_konta_syn, nazwa, typ_konta) values (1, 10, 10, 'Środki trwałe', 'B')",
            "insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, symbol_kartoteki) values (1, 10, '201', 'Rozrachunki z odbiorcami', NULL)",
            "insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, symbol_kartoteki) values (1, 10, '201-1-x', 'Odbiorcy krajowi', 'KON')",
            "insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, symbol_kartoteki) values (1, 10, '234-x', 'Pracownicy', 'PRA')",
            "insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, symbol_kartoteki) values (1, 10, '509-x', 'Zlecenia', 'ZLE')",
            "insert into KARTOT_UZYT (id_firmy, symbol_kartoteki, kartot_predef) values (1, 'KON', 'K')",
            "insert into KARTOT_UZYT (id_firmy, symbol_kartoteki, kartot_predef) values (1, 'PRA', 'P')",
            "insert into KARTOT_UZYT (id_firmy, symbol_kartoteki, kartot_predef) values (1, 'ZLE', 'X')",
            "insert into KONTRAHENT (id_firmy, kod_kontrahenta, nazwa) values (1, 15, 'Hurtownia Żak')",
            "insert into KONTRAHENT (id_firmy, kod_kontrahenta, nazwa) values (2, 16, 'Obca firma')",
            "insert into PRACOWNIK (id_firmy, kod_pracownika, nazwisko, imie) values (1, 3, 'Nowak', 'Jan')",
            "insert into ELEMENTY_KARTOT_UZYT (id_firmy, symbol_kartoteki, wart_pola, opis) values (1, 'ZLE', 'Z-7', 'Remont dachu')",
            "insert into ADRESY_FIRMY (id_firmy, typ_adresu, data_od, ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc, poczta) values (1, 'S', 80000, 'Długa', '5', '3', '00-950', 'Warszawa', NULL)",
            "insert into ADRESY_FIRMY (id_firmy, typ_adresu, data_od, ulica, nr_domu, nr_lokalu, kod_pocztowy, miejscowosc, poczta) values (1, 'S', 81000, NULL, '12', NULL, '05-082', 'Blizne', 'Stare Babice')",
            "insert into ADRESY_FIRMY (id_firmy, typ_adresu, data_od, ulica, nr_domu, kod_pocztowy, miejscowosc) values (1, 'K', 79000, 'Krótka', '1', '00-001', 'Warszawa')",
            "insert into PARAMETRY_GLOBALNE (id_firmy, nazwa, wartosc) values (1, 'BeKodW', '14')",
            "insert into PARAMETRY_GLOBALNE (id_firmy, nazwa, wartosc) values (2, 'BeKodP', '99')",
        };
        for (const QString& statement : setup) {
            native(statement);
            if (HasFatalFailure())
                return;
        }
    }

    QString typ(const QString& args) { return scalar(QStringLiteral("select dbo.TG_GetTypKonta(%1)").arg(args)); }
    QString pozab(const QString& args) { return scalar(QStringLiteral("select dbo.TG_SPR_KONTO_POZAB(%1)").arg(args)); }
    QString nazwa(const QString& args) { return scalar(QStringLiteral("select dbo.TG_GetNazwaKonta(%1)").arg(args)); }
    QString adres(const QString& args) { return scalar(QStringLiteral("select dbo.tg_AdresFirmy(%1)").arg(args)); }
};

TEST_P(LedgerFunctionTest, AccountTypeComesFromTheSyntheticAccountOfThatYear)
{
    EXPECT_EQ(typ("1,10,'201'"), QStringLiteral("B"));
    EXPECT_EQ(typ("1,10,'975-1-2'"), QStringLiteral("P"));
    EXPECT_EQ(typ("1,11,'201-4'"), QStringLiteral("P")) << "the chart of the other year";
    EXPECT_EQ(typ("1,10,'010-1'"), QStringLiteral("B")) << "leading zeros of group 0";
    EXPECT_EQ(typ("1,10,'  201-1 '"), QStringLiteral("B"));
    // Unknown accounts, other companies and missing arguments are '' and never NULL, so that
    // "<> 'P'" keeps them.
    EXPECT_EQ(typ("1,10,'999-1'"), QString());
    EXPECT_EQ(typ("2,10,'975'"), QString());
    EXPECT_EQ(typ("1,10,'ABC'"), QString());
    EXPECT_EQ(typ("1,10,''"), QString());
    EXPECT_EQ(typ("1,10,NULL"), QString());
    EXPECT_EQ(typ("NULL,10,'975'"), QString());
}

TEST_P(LedgerFunctionTest, OffBalanceCheckIsOneOnlyForOffBalanceAccounts)
{
    EXPECT_EQ(pozab("1,10,'975-3'"), QStringLiteral("1"));
    EXPECT_EQ(pozab("1,10,'201-3'"), QStringLiteral("0"));
    EXPECT_EQ(pozab("1,10,'404'"), QStringLiteral("0"));
    EXPECT_EQ(pozab("1,10,NULL"), QStringLiteral("0"));
}

TEST_P(LedgerFunctionTest, JournalTotalsLeaveOutOnlyOffBalanceSides)
{
    native("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, status) values (1, 1, 10, 81454, 1)");
    native("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) values (1, 1, 1, '201-1', 100.10, '700', 100.10)");
    native("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) values (2, 1, 2, '975', 7.00, NULL, 0)");
    native("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) values (3, 1, 3, '888', 0.20, '975', 0.30)");
    EXPECT_EQ(amount(scalar("select isnull(sum(kwota_wn),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 "
                            "AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn) <> 'P'")),
              QStringLiteral("100.30"));
    EXPECT_EQ(amount(scalar("select isnull(sum(kwota_ma),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 "
                            "AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_ma) <> 'P'")),
              QStringLiteral("100.10"));
    EXPECT_EQ(amount(scalar("select isnull(sum(p.kwota_wn),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok "
                            "where n.id_firmy=1 AND n.id_lata_obrot=10 AND n.status>0 AND dbo.TG_SPR_KONTO_POZAB(1,10,p.konto_wn)=0")),
              QStringLiteral("100.30"));
}

TEST_P(LedgerFunctionTest, AChangedChartIsSeenAtOnce)
{
    EXPECT_EQ(typ("1,10,'201'"), QStringLiteral("B"));
    native("update KONTA_SYNT set typ_konta='P' where id_firmy=1 AND id_lata_obrot=10 AND nr_konta_syn=201");
    EXPECT_EQ(typ("1,10,'201'"), QStringLiteral("P"));
    EXPECT_EQ(pozab("1,10,'201-5'"), QStringLiteral("1"));
    native("delete from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=10 AND nr_konta_syn=201");
    EXPECT_EQ(typ("1,10,'201'"), QString());
}

TEST_P(LedgerFunctionTest, AccountNamesComeFromTheChartOrFromTheCardEntry)
{
    EXPECT_EQ(nazwa("1,10,'201'"), QStringLiteral("Rozrachunki z odbiorcami"));
    EXPECT_EQ(nazwa("1,10,'201-1-15'"), QStringLiteral("Hurtownia Żak"));
    EXPECT_EQ(nazwa("1,10,'234-3'"), QStringLiteral("Nowak Jan"));
    EXPECT_EQ(nazwa("1,10,'509-Z-7'"), QString()) << "the last segment is the code: 'Z-7' is not one";
    EXPECT_EQ(nazwa("1,10,'509-Z7'"), QString());
    native("update ELEMENTY_KARTOT_UZYT set wart_pola='Z7'");
    EXPECT_EQ(nazwa("1,10,'509-Z7'"), QStringLiteral("Remont dachu"));
    EXPECT_EQ(nazwa("1,10,'201-1-16'"), QString()) << "a contractor of another company";
    EXPECT_EQ(nazwa("1,11,'201'"), QString()) << "not in that year's chart";
    EXPECT_EQ(nazwa("1,10,'202'"), QString());
    EXPECT_EQ(nazwa("1,10,NULL"), QString());
    rows(QStringLiteral("insert into KOMUNIKAT(id_uzytkownika,kontekst,id_zasobu,tekst1,tekst2,tekst3,tekst4,tekst5,lp) "
                        "values(4,'ZESTAW_K',9,'201-1-15',dbo.TG_GetNazwaKonta(1,10,'201-1-15'),'','','',1)"));
    EXPECT_EQ(scalar("select tekst2 from KOMUNIKAT where id_uzytkownika=4"), QStringLiteral("Hurtownia Żak"));
}

TEST_P(LedgerFunctionTest, AddressLinesAreThoseValidOnTheDay)
{
    EXPECT_EQ(adres("1,80500,'S',1"), QStringLiteral("Długa 5/3"));
    EXPECT_EQ(adres("1,80500,'S',2"), QStringLiteral("00-950 Warszawa"));
    EXPECT_EQ(adres("1,81000,'S',1"), QStringLiteral("Blizne 12")) << "a village without streets";
    EXPECT_EQ(adres("1,81000,'S',2"), QStringLiteral("05-082 Stare Babice"));
    EXPECT_EQ(adres("1,0,'S',1"), QStringLiteral("Blizne 12")) << "no day: the latest";
    EXPECT_EQ(adres("1,79999,'S',1"), QString()) << "before the first address";
    EXPECT_EQ(adres("1,80500,'K',1"), QStringLiteral("Krótka 1"));
    EXPECT_EQ(adres("1,80500,'S',3"), QString());
    EXPECT_EQ(adres("2,80500,'S',1"), QString());
    EXPECT_EQ(adres("NULL,80500,'S',1"), QString());
}

TEST_P(LedgerFunctionTest, CompanySettingsAreReadByName)
{
    const QList<QStringList> r = rows(QStringLiteral(
        "select dbo.fn_fk_PobierzParamGlo(1,'BeKodW'), dbo.fn_fk_PobierzParamGlo(1,'BeKodP'), "
        "dbo.fn_fk_PobierzParamGlo(2,'BeKodP'), dbo.fn_fk_PobierzParamGlo(1,NULL)"));
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0], (QStringList{"14", "", "99", ""}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LedgerFunctionTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
