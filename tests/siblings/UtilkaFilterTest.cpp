// Host filter expressions turned into WHERE text: prefixes, SQL embeds, view adaptation.
#include "siblings/utilka/FilterText.h"

#include <gtest/gtest.h>

using namespace utilka;

TEST(UtilkaPrefix, TablePrefixesGoBeforeFieldNames)
{
    EXPECT_EQ(WYTNIJ_PREFIX("PDD:konto='201' AND PDD:data_okresu=44197"), "konto='201' AND data_okresu=44197");
    EXPECT_EQ(WYTNIJ_PREFIX("NAG:status<>0"), "status<>0");
    EXPECT_EQ(WYTNIJ_PREFIX("ZEZ:ID_UZYTKOWNIKA=5 AND ZEZ:WARIANT_ZESTAW=1"), "ID_UZYTKOWNIKA=5 AND WARIANT_ZESTAW=1");
    EXPECT_EQ(WYTNIJ_PREFIX("(XXX:DATA_BIEZACA=0 OR (XXX:DATA_BIEZACA>=44197))"),
              "(DATA_BIEZACA=0 OR (DATA_BIEZACA>=44197))");
    EXPECT_EQ(WYTNIJ_PREFIX("ZAP2:pole=1"), "pole=1");
    EXPECT_EQ(WYTNIJ_PREFIX(""), "");
}

TEST(UtilkaPrefix, QuotedTextsCastsTimesAndNumbersKeepTheirColons)
{
    EXPECT_EQ(WYTNIJ_PREFIX("PDD:opis='PDD:konto a:b' AND PDD:konto='201'"), "opis='PDD:konto a:b' AND konto='201'");
    // A doubled quote does not end the text.
    EXPECT_EQ(WYTNIJ_PREFIX("PDD:opis='it''s NAG:x' AND NAG:y=1"), "opis='it''s NAG:x' AND y=1");
    EXPECT_EQ(WYTNIJ_PREFIX("\"PDD:kolumna\"=1"), "\"PDD:kolumna\"=1");
    EXPECT_EQ(WYTNIJ_PREFIX("kwota::numeric>0"), "kwota::numeric>0");
    EXPECT_EQ(WYTNIJ_PREFIX("czas>12:30:00"), "czas>12:30:00");
    EXPECT_EQ(WYTNIJ_PREFIX("T10:30"), "T10:30");
    // A one-letter name before a colon is not a record prefix.
    EXPECT_EQ(WYTNIJ_PREFIX("a:b"), "a:b");
    // An unterminated text swallows the rest unchanged rather than editing inside it.
    EXPECT_EQ(WYTNIJ_PREFIX("opis='NAG:x AND NAG:y=1"), "opis='NAG:x AND NAG:y=1");
}

TEST(UtilkaPrefix, SqlEmbedsOpenAndKeepTheirTextUntouched)
{
    EXPECT_EQ(WYTNIJ_PREFIX("XXX:ID_FIRMY=1 AND (SQL(KONTO like '2%'))"), "ID_FIRMY=1 AND ((KONTO like '2%'))");
    EXPECT_EQ(WYTNIJ_PREFIX("PDD:ID_FIRMY=1 AND SQL(KONTO in (select opis_elementu from ZAZNACZENIE where id_browsera=11))"),
              "ID_FIRMY=1 AND (KONTO in (select opis_elementu from ZAZNACZENIE where id_browsera=11))");
    // A parenthesis inside a quoted text does not close the embed; no prefix is taken inside.
    EXPECT_EQ(WYTNIJ_PREFIX("sql(opis='a)b' AND x::int=1 AND ABC:d=2) AND NAG:e=3"),
              "(opis='a)b' AND x::int=1 AND ABC:d=2) AND e=3");
    // Only the whole word SQL opens an embed.
    EXPECT_EQ(WYTNIJ_PREFIX("MYSQL(1)=1"), "MYSQL(1)=1");
    // A broken embed stays as written so the database rejects it.
    EXPECT_EQ(WYTNIJ_PREFIX("SQL(konto='1'"), "SQL(konto='1'");
}

TEST(UtilkaViewFilter, PostingViewsOnlyRequalifyReferencesToTheViewFamily)
{
    const QString where = "id_firmy=1 AND konto='201' AND exists(select 1 from ZAZNACZENIE z "
                          "where z.id=POZ_DOK_VIEW_UNION.id_poz_dok)";
    EXPECT_EQ(STR_REPLACE_PREFIKS_A(where, "POZ_DOK_VIEW_UNION"), where);
    EXPECT_EQ(STR_REPLACE_PREFIKS_A(where, "POZ_DOK_VIEW_UNION_BT_EXT"),
              "id_firmy=1 AND konto='201' AND exists(select 1 from ZAZNACZENIE z "
              "where z.id=POZ_DOK_VIEW_UNION_BT_EXT.id_poz_dok)");
    // Letter case of the view name and of the qualifier does not matter.
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("poz_dok_view_union.opis='x'", "Poz_Dok_View_Union_Ext"),
              "Poz_Dok_View_Union_Ext.opis='x'");
}

TEST(UtilkaViewFilter, CostCentreViewGetsThePostingColumnsItNamesDifferently)
{
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("id_firmy=1 AND LP=2 AND Opis like 'Fa%'", "MPK_VIEW"),
              "id_firmy=1 AND nr_poz_dok=2 AND tresc_poz_dok like 'Fa%'");
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("kwota_wn>100", "mpk_view"), "(case when strona='WN' then kwota else 0 end)>100");
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("strona='0'", "MPK_VIEW"), "(case when strona='WN' then '0' else '1' end)='0'");
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("POZ_DOK_VIEW_UNION.kwota_ma=5", "MPK_VIEW"),
              "(case when MPK_VIEW.strona='WN' then 0 else MPK_VIEW.kwota end)=5");
    // Texts, other owners' columns, functions and unknown names stay.
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("opis_elementu='opis' AND a.opis=1 AND lp (1)=2 AND data_okresu=44197", "MPK_VIEW"),
              "opis_elementu='opis' AND a.opis=1 AND lp (1)=2 AND data_okresu=44197");
}

TEST(UtilkaViewFilter, UnknownViewLeavesTheFilterAlone)
{
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("opis='x' AND lp=1", "OBROTY_I_SALDA"), "opis='x' AND lp=1");
    EXPECT_EQ(STR_REPLACE_PREFIKS_A("opis='x'", ""), "opis='x'");
}
