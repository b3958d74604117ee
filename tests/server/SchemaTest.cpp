// Creating the reference schema, and whether the two servers' scripts describe one database.
#include "SchemaTestFixture.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>

namespace pravik::test {
namespace {

using server::createSchema;

class SchemaCreationTest : public ::testing::TestWithParam<TestBackend> {};

QStringList tableNames(sql::Database& db)
{
    const QString sql = db.dialect() == sql::Dialect::SQLite
        ? QStringLiteral("select lower(name) from sqlite_master where type in ('table','view') "
                         "and name not like 'sqlite_%' order by 1")
        : QStringLiteral("select table_name from information_schema.tables "
                         "where table_schema=current_schema() order by 1");
    QStringList names;
    sql::Cursor c = db.execNative(sql);
    while (c.next())
        names << c.value(0).toString();
    EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
    return names;
}

TEST_P(SchemaCreationTest, CreatesOnAnEmptyDatabaseAndRefusesAnExistingOneUntouched)
{
    EmptyDatabase database(GetParam());
    ASSERT_TRUE(database.ok()) << qPrintable(database.failure());
    QString error;
    ASSERT_TRUE(createSchema(database.db(), &error)) << qPrintable(error);
    const QStringList created = tableNames(database.db());
    EXPECT_TRUE(created.contains(QStringLiteral("poz_dok_view_union_bt_ext")));
    EXPECT_TRUE(created.contains(QStringLiteral("firma")));

    sql::Cursor insert = database.db().execNative(QStringLiteral("insert into FIRMA (id_firmy, nazwa) values (7, 'Zostaje')"));
    ASSERT_TRUE(insert.ok()) << qPrintable(insert.errorText());

    EXPECT_FALSE(createSchema(database.db(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("FIRMA"))) << qPrintable(error);
    EXPECT_EQ(tableNames(database.db()), created);
    sql::Cursor kept = database.db().execNative(QStringLiteral("select nazwa from FIRMA where id_firmy=7"));
    ASSERT_TRUE(kept.next());
    EXPECT_EQ(kept.value(0).toString(), QStringLiteral("Zostaje"));
}

TEST_P(SchemaCreationTest, AFailingStatementIsNamedAndNothingIsLeftBehind)
{
    QTemporaryDir scripts;
    const QString name = GetParam() == TestBackend::SQLite ? QStringLiteral("schema_sqlite.sql")
                                                             : QStringLiteral("schema_postgresql.sql");
    QFile file(scripts.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("CREATE TABLE FIRMA (id_firmy integer);\n"
               "CREATE TABLE PACZKA (id_paczka integer);\n"
               "CREATE TABLE ZEPSUTA (id integer,\n  nazwa nie_ma_takiego_typu(;\n");
    file.close();
    qputenv("PRAVIK_SERVER_SQL_DIR", QFile::encodeName(scripts.path()));

    EmptyDatabase database(GetParam());
    ASSERT_TRUE(database.ok()) << qPrintable(database.failure());
    QString error;
    const bool created = createSchema(database.db(), &error);
    qunsetenv("PRAVIK_SERVER_SQL_DIR");

    EXPECT_FALSE(created);
    EXPECT_TRUE(error.contains(QStringLiteral("3 z 3"))) << qPrintable(error);
    EXPECT_TRUE(error.contains(QStringLiteral("CREATE TABLE ZEPSUTA"))) << qPrintable(error);
    EXPECT_EQ(tableNames(database.db()), QStringList()) << "the transaction must be rolled back";
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaCreationTest, allBackends(), backendName);

TEST(SchemaScript, SplitsOnlyAtTheSemicolonsThatEndStatements)
{
    const QStringList statements = server::splitSqlScript(QStringLiteral(
        "-- a comment; with a semicolon\n"
        "CREATE TABLE A (t varchar(10) DEFAULT 'x;y', u varchar(5) DEFAULT 'it''s;');\n"
        "/* block; comment */\n"
        "CREATE FUNCTION f() RETURNS integer LANGUAGE plpgsql AS $$ BEGIN RETURN 1; END $$;\n"
        "CREATE FUNCTION g(a integer) RETURNS integer LANGUAGE sql AS $body$ SELECT $1; $body$;\n"
        "CREATE TRIGGER T AFTER DELETE ON A\nBEGIN\n  DELETE FROM B WHERE x = OLD.x;\n"
        "  DELETE FROM C WHERE x = OLD.x;\nEND;\n"
        "  ;  \n"
        "SELECT 1"));
    ASSERT_EQ(statements.size(), 5) << qPrintable(statements.join(u'|'));
    EXPECT_TRUE(statements[0].endsWith(QStringLiteral("DEFAULT 'it''s;')")));
    EXPECT_TRUE(statements[1].endsWith(QStringLiteral("END $$")));
    EXPECT_TRUE(statements[2].endsWith(QStringLiteral("SELECT $1; $body$")));
    EXPECT_TRUE(statements[3].startsWith(QStringLiteral("CREATE TRIGGER T")));
    EXPECT_TRUE(statements[3].endsWith(QStringLiteral("END")));
    EXPECT_EQ(statements[4], QStringLiteral("SELECT 1"));
}

TEST(SchemaScript, IsCompiledInForBothServersAndAbsentForSqlServer)
{
    EXPECT_TRUE(server::schemaScript(sql::Dialect::SQLite).contains(QStringLiteral("CREATE TABLE POZ_DOK")));
    EXPECT_TRUE(server::schemaScript(sql::Dialect::PostgreSQL).contains(QStringLiteral("CREATE TABLE POZ_DOK")));
    EXPECT_TRUE(server::schemaScript(sql::Dialect::TSql).isEmpty());
}

// table or view -> kind and sorted column names, all lower case.
using Catalog = QMap<QString, QString>;

Catalog sqliteCatalog(sql::Database& db)
{
    Catalog catalog;
    QStringList objects;
    sql::Cursor c = db.execNative(QStringLiteral(
        "select lower(name), type from sqlite_master where type in ('table','view') "
        "and name not like 'sqlite_%'"));
    while (c.next())
        objects << c.value(0).toString() + u' ' + c.value(1).toString();
    for (const QString& object : objects) {
        const QString name = object.section(u' ', 0, 0);
        QStringList columns;
        sql::Cursor info = db.execNative(QStringLiteral("pragma table_info(%1)").arg(name));
        while (info.next())
            columns << info.value(1).toString().toLower();
        columns.sort();
        catalog.insert(name, object.section(u' ', 1) + u':' + columns.join(u','));
    }
    return catalog;
}

Catalog postgresCatalog(sql::Database& db)
{
    QMap<QString, QString> kinds;
    sql::Cursor t = db.execNative(QStringLiteral(
        "select table_name, table_type from information_schema.tables where table_schema=current_schema()"));
    while (t.next())
        kinds.insert(t.value(0).toString(),
                     t.value(1).toString() == QStringLiteral("VIEW") ? QStringLiteral("view")
                                                                     : QStringLiteral("table"));
    QMap<QString, QStringList> columns;
    sql::Cursor c = db.execNative(QStringLiteral(
        "select table_name, column_name from information_schema.columns where table_schema=current_schema()"));
    while (c.next())
        columns[c.value(0).toString()] << c.value(1).toString();
    Catalog catalog;
    for (auto it = kinds.cbegin(); it != kinds.cend(); ++it) {
        QStringList names = columns.value(it.key());
        names.sort();
        catalog.insert(it.key(), it.value() + u':' + names.join(u','));
    }
    return catalog;
}

TEST(SchemaScript, BothServersHaveTheSameTablesViewsAndColumns)
{
    EmptyDatabase sqlite(TestBackend::SQLite);
    EmptyDatabase postgres(TestBackend::PostgreSQL);
    ASSERT_TRUE(sqlite.ok()) << qPrintable(sqlite.failure());
    ASSERT_TRUE(postgres.ok()) << qPrintable(postgres.failure());
    QString error;
    ASSERT_TRUE(createSchema(sqlite.db(), &error)) << qPrintable(error);
    ASSERT_TRUE(createSchema(postgres.db(), &error)) << qPrintable(error);

    const Catalog a = sqliteCatalog(sqlite.db());
    const Catalog b = postgresCatalog(postgres.db());
    EXPECT_GT(a.size(), 40);
    const QSet<QString> names = QSet<QString>(a.keyBegin(), a.keyEnd()) | QSet<QString>(b.keyBegin(), b.keyEnd());
    for (const QString& name : names)
        EXPECT_EQ(a.value(name, QStringLiteral("<missing>")).toStdString(),
                  b.value(name, QStringLiteral("<missing>")).toStdString())
            << "object " << qPrintable(name) << " (SQLite left, PostgreSQL right)";
}

// Deleting a saved variant or a saved list must take its rows along: the next header may get the
// same id, and must not inherit them.
TEST_P(SchemaDatabaseTest, DeletingAHeaderDeletesItsRows)
{
    native(QStringLiteral("insert into PARAMETRY_WYDRUKU_NAG (id_uzytkownika, raport, nazwa) values (5, 'OBR_A', 'miesięczny')"));
    const QString variant = scalar(QStringLiteral("select max(id_parametry_wydruku_nag) from PARAMETRY_WYDRUKU_NAG"));
    native(QStringLiteral("insert into PARAMETRY_WYDRUKU_POZ (id_parametry_wydruku_nag, parametr, wartosc) values (%1, 1, '1')").arg(variant));
    native(QStringLiteral("insert into PARAMETRY_WYDRUKU_POZ (id_parametry_wydruku_nag, parametr, wartosc) values (%1, 2, '0')").arg(variant));
    native(QStringLiteral("insert into ZESTAW_LISTA_UZ_NAG (NAZWA, TYP, ID_UZYTKOWNIKA) values ('konta', 'K', 5)"));
    const QString list = scalar(QStringLiteral("select ID_ZESTAW_LISTA_UZ_NAG from ZESTAW_LISTA_UZ_NAG where NAZWA = 'konta' AND TYP = 'K' AND ID_UZYTKOWNIKA=5"));
    native(QStringLiteral("insert into ZESTAW_LISTA_UZ_POZ (ID_ZESTAW_LISTA_UZ_NAG, LP, TEKST_1) values (%1, 1, '201')").arg(list));

    rows(QStringLiteral("delete from PARAMETRY_WYDRUKU_NAG where id_parametry_wydruku_nag=") + variant);
    rows(QStringLiteral("delete from ZESTAW_LISTA_UZ_NAG where ID_ZESTAW_LISTA_UZ_NAG=") + list);

    EXPECT_EQ(scalar(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_POZ")), QStringLiteral("0"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from ZESTAW_LISTA_UZ_POZ")), QStringLiteral("0"));
}

TEST_P(SchemaDatabaseTest, InsertedHeadersGetDistinctIdsAndAListNameIsUniquePerUser)
{
    native(QStringLiteral("insert into PARAMETRY_WYDRUKU_NAG (id_uzytkownika, raport, nazwa) values (5, 'RU', 'a')"));
    native(QStringLiteral("insert into PARAMETRY_WYDRUKU_NAG (id_uzytkownika, raport, nazwa) values (6, 'RU', 'a')"));
    EXPECT_EQ(scalar(QStringLiteral("select count(distinct id_parametry_wydruku_nag) from PARAMETRY_WYDRUKU_NAG")),
              QStringLiteral("2"));

    native(QStringLiteral("insert into ZESTAW_LISTA_UZ_NAG (NAZWA, TYP, ID_UZYTKOWNIKA) values ('lista', 'B', 5)"));
    native(QStringLiteral("insert into ZESTAW_LISTA_UZ_NAG (NAZWA, TYP, ID_UZYTKOWNIKA) values ('lista', 'B', 6)"));
    sql::Cursor twice = db().execNative(QStringLiteral("insert into ZESTAW_LISTA_UZ_NAG (NAZWA, TYP, ID_UZYTKOWNIKA) values ('lista', 'B', 5)"));
    EXPECT_FALSE(twice.ok());
}

// The statements below are the shapes the reports send; each must find every table and column.
TEST_P(SchemaDatabaseTest, TheReportsStatementsFindTheirColumns)
{
    const QStringList statements = {
        "select 1,1,1,1,nr_konta from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=1 AND Substring(nr_konta,1,4)='201-' AND nr_konta like '201-%' group by nr_konta",
        "select symbol_kartoteki from WARTOSCI_KONT with (NOLOCK) where nr_konta='201-x' AND id_firmy=1 AND id_lata_obrot=1",
        "select kartot_predef from KARTOT_UZYT with (NOLOCK) where symbol_kartoteki='KON' AND id_firmy=1",
        "select 1,1,1,1,'201-'+convert(varchar(20),kod_kontrahenta) from KONTRAHENT with (NOLOCK) where id_firmy=1",
        "select kod_pracownika from PRACOWNIK where id_firmy=1",
        "select kod_rachunku from RACHUNEK_FIRMY where id_firmy=1",
        "select kod_srodka from MAJATEK where id_firmy=1",
        "select id_urzedu from URZEDY",
        "select wart_pola from ELEMENTY_KARTOT_UZYT where symbol_kartoteki='X' AND id_firmy=1",
        "select zamkniety_okres, status, poczatek_roku, koniec_roku, rok_obrotowy, ZAMKNIETE_BO from LATA_OBROTOWE where id_lata_obrot=1",
        "select sym_waluty, nazwa from WALUTY",
        "select 1,nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=1 AND id_opcje=120",
        "select nazwa,id_parametry_wydruku_nag from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=1 AND raport='OBR_A' order by id_uzytkownika,raport,nazwa",
        "select parametr, wartosc from PARAMETRY_WYDRUKU_POZ where id_parametry_wydruku_nag=1 order by id_parametry_wydruku_nag,parametr",
        "select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson' AND Upper(k.nazwa_kodu)='PAPIER'",
        "select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99",
        "select opis, kol11, kol20, symbol, poziom, kol1s, kol2s, kol3s, arg1, info from ZESTAW_ZESTAW where id_zestaw_nag = 1 order by lp",
        "select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,kwota_w,strona,nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id from MPK_VIEW with (NOLOCK) where id_lata_obrot=1 AND konto='201' AND data_okresu<=40000 AND waluta='EUR' AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok",
        "select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=1 AND id_firmy=1",
        "select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=1",
        "select bt_klasyfikacja,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,'',nr_poz_dok,rodzaj_d,rodzaj_wp,rodzaj_wy,rodzaj_k,rodzaj_z,rodzaj_x,konto_wn,konto_ma from BT_VIEW with (NOLOCK) where id_lata_obrot=1 AND (konto_wn='201' OR konto_ma='201') AND data_okresu=40000 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok",
        "select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,kwota_wn_w,kwota_ma_w,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona,id_uzyt_p,id_uzyt_k,data_ksieg,waluta,status,id_paczka,data_oper_gosp from POZ_DOK_VIEW_UNION with (NOLOCK) where id_lata_obrot=1 AND konto='201' order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok",
        "select sum(a.kwota_wn_w) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) ON a.id_nag_dok = b.id_nag_dok where b.data_dok_org < 40000 AND a.konto_wn='201' AND b.id_firmy=1 AND b.id_lata_obrot=1 AND a.sym_waluty_wn='EUR' AND a.sym_waluty_ma='EUR' AND b.status > 0",
        "select 1 from KONTA_SYNT with (NOLOCK) where id_firmy=1 AND id_lata_obrot=1 AND nr_konta_syn=201 AND typ_konta='P' AND czy_dwusaldowe=0",
        "select nr_dziennika,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,opis_dok,nr_poz_dok,tresc_poz_dok,kwota_wn,konto_wn,kwota_ma,konto_ma,id_paczka,id_uzyt_k,id_nag_dok,id_uzyt_p,dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_dok_org, data_biezaca, nr_dok_org, id_nag_dok, nr_poz_dok, id_poz_dok",
        "select 1,kod_paczki,opis_paczki from PACZKA where id_paczka=1",
        "select nr_dziennika,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,opis_dok,kwota_dok,id_paczka,id_uzyt_k,id_nag_dok,id_uzyt_p from NAG_DOK where id_firmy=1 AND isnull(czy_rk,0)<>10 AND isnull(status,0)<>0",
        "select sum(isnull(a.zsaldo_wn,0)) from OBROTY_I_SALDA a where a.id_firmy=1 AND a.id_lata_obrot=1 AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN' AND dbo.TG_SPR_KONTO_POZAB(1,1,a.nr_konta)=0",
        "select id_poz_dok,konto,nazwa_konta,data_ksieg from POZ_DOK_VIEW_UNION_EXT where id_firmy=1 order by id_firmy asc, nazwa_konta asc, data_ksieg asc, id_poz_dok asc, strona asc",
        "select id_poz_dok,konto,bt_klasyfikacja from POZ_DOK_VIEW_UNION_BT where id_firmy=1",
        "select id_poz_dok,konto,bt_klasyfikacja,nazwa_konta from POZ_DOK_VIEW_UNION_BT_EXT where id_firmy=1",
        "select wskaznik_1_id,wskaznik_1,drzewo_zbior_id,id_mpk_dane,strona,kwota,tresc_poz_dok,id_lata_obrot,id_paczka,data_oper_gosp from MPK_VIEW where id_firmy=1 order by id_firmy asc, nr_ewid_dok asc, id_mpk_dane asc",
        "select wskaznik_1_id,drzewo_zbior_id,kwota,strona from MPK_DANE where id_poz_dok=1 AND strona='WN'",
        "select bt_klasyfikacja, rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, rodzaj_x from BT_DANE where id_poz_dok=1",
        "select zobroty_wn,zobroty_ma,zsaldo_wn,zsaldo_ma,zobroty_wn_w,zobroty_ma_w,zsaldo_wn_w,zsaldo_ma_w,obroty_wn,obroty_ma,saldo_wn,saldo_ma,obroty_wn_w,obroty_ma_w,saldo_wn_w,saldo_ma_w,nr_konta from OBROTY_I_SALDA where id_firmy=1 order by id_firmy asc, nr_konta asc, id_obroty_i_salda asc",
        "select p.id_poz_dok from POZ_DOK p inner join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.id_lata_obrot=1 AND n.czy_rk=10 AND n.sym_waluty='EUR'",
        "select data_dok,nr_dok,opis,kwota_wn,kwota_wn_w,kwota_ma,kwota_ma_w,kurs_waluty_wn,kurs_waluty_ma,mnoznik_wn,mnoznik_ma from POZ_DOK_CZASTKOWE where id_poz_dok=1 order by id_poz_dok, data_dok, id_poz_dok_czastkowe",
        "select a.id_zestaw_nag, a.wariant, a.nazwa, a.typ, a.ilosc_kolumn, a.czy_rozne_definicje, a.etykieta_0, a.etykieta_20, a.id_lo_20, a.czy_BO_20 from ZESTAW_NAG a inner join ZESTAW_GRUPA b on a.id_zestaw_grupa = b.id_zestaw_grupa where a.id_zestaw_grupa=1 AND a.id_firmy = 1 AND b.predef=1 AND b.typ='' order by a.wariant asc",
        "select max(abs(poziom)) from ZESTAW_POZ where id_zestaw_nag = 1 AND isnull(typ,'') <> ''",
        "select formula from ZESTAW_POZ_FORMULA where id_zestaw_poz=1 AND nr_kolumny = 1",
        "select tekst1,tekst2,tekst3,tekst4,tekst5,lp from KOMUNIKAT where id_uzytkownika=1 AND kontekst='ZESTAW_B' AND id_zasobu=1 order by lp asc",
        "select  p1, p2, p3, p4, p5, p6, p7, p8, p9, p10 from SPEC_EKSPORT where id_firmy =1 AND typ='SPD'",
        "select nazwa_pelna, regon, dbo.tg_AdresFirmy(1,40000,'S',1), dbo.fn_fk_PobierzParamGlo(1,'BeKodW') from FIRMA where id_firmy =1",
        "select top 1 wojewodztwo,powiat,gmina from ADRESY_FIRMY where id_firmy=1 AND data_od<=40000 AND typ_adresu='S' order by data_od asc",
        "select tekst_1 from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag = 1 order by lp",
        "select nazwa, id_zestaw_lista_uz_nag  from ZESTAW_LISTA_UZ_NAG where TYP = 'K' AND ID_UZYTKOWNIKA=1 order by nazwa",
        "select count(*) from ZAZNACZENIE where id_uzytkownika=1 AND id_browsera=11 AND opis_elementu=''",
        "select Substring(bt_klasyfikacja,1,4) as btk from BT_PLAN where TYP='W' AND DATA_BIEZACA>=1 AND ID_FIRMY=1 AND id_lata_obrot in (select l.id_lata_obrot from LATA_OBROTOWE l where l.id_firmy=1) group by Substring(bt_klasyfikacja,1,4) order by btk",
        "select distinct konto from POZ_DOK_VIEW_UNION where (DATA_BIEZACA=0 OR (DATA_BIEZACA>=1 AND DATA_BIEZACA<=2)) AND ID_FIRMY=1",
        "select nr_konta, nr_konta_syn, nazwa_konta, poziom from WARTOSCI_KONT where id_firmy=1 AND id_lata_obrot=1 order by id_firmy, id_lata_obrot, nr_konta",
        "select nr_konta, data_okresu, kwota_wn, kwota_ma, sym_waluty from ROZRACHUNKI where id_firmy=1 AND id_lata_obrot=1",
        "select nazwa, procedura from MENU",
    };
    for (const QString& statement : statements) {
        sql::Cursor c = db().exec(statement);
        EXPECT_TRUE(c.ok()) << qPrintable(statement) << "\n" << qPrintable(c.errorText());
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaDatabaseTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
