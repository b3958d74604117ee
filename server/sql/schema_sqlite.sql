-- Reference database of the ledger, SQLite form.
-- Conventions: ids and dates are integers (dates are day numbers, 36163 = 1900-01-01),
-- amounts DECIMAL(15,2) (the SQL layer keeps them exact to the grosz), texts varchar(n).
-- Keep the table, view and column lists identical to schema_postgresql.sql.

-- ---------------------------------------------------------------------------
-- Companies, fiscal years, chart of accounts
-- ---------------------------------------------------------------------------

CREATE TABLE FIRMA (
  id_firmy        INTEGER PRIMARY KEY,
  kod_firmy       varchar(20),
  nazwa           varchar(100),
  nazwa_pelna     varchar(200),
  nip             varchar(20),
  regon           varchar(20),
  sym_waluty      varchar(3) DEFAULT 'PLN'
);

CREATE TABLE LATA_OBROTOWE (
  id_lata_obrot   INTEGER PRIMARY KEY,
  id_firmy        integer NOT NULL,
  rok_obrotowy    varchar(50),
  poczatek_roku   integer NOT NULL,
  koniec_roku     integer NOT NULL,
  zamkniety_okres integer DEFAULT 0,
  zamkniete_bo    smallint DEFAULT 0,
  status          smallint DEFAULT 0
);
CREATE INDEX LATA_OBROTOWE_FIRMA ON LATA_OBROTOWE (id_firmy, poczatek_roku);

CREATE TABLE KONTA_SYNT (
  id_konta_synt     INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  id_lata_obrot     integer NOT NULL,
  nr_konta_syn      integer NOT NULL,
  nazwa             varchar(200),
  typ_konta         varchar(1),
  czy_dwusaldowe    smallint DEFAULT 0,
  czy_rozrachunkowe smallint DEFAULT 0,
  czy_walutowe      smallint DEFAULT 0,
  czy_mpk           smallint DEFAULT 0
);
CREATE UNIQUE INDEX KONTA_SYNT_NR ON KONTA_SYNT (id_firmy, id_lata_obrot, nr_konta_syn);

CREATE TABLE WARTOSCI_KONT (
  id_wartosci_kont  INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  id_lata_obrot     integer NOT NULL,
  nr_konta          varchar(60) NOT NULL,
  nazwa_konta       varchar(200),
  poziom            integer DEFAULT 1,
  nr_konta_syn      integer,
  symbol_kartoteki  varchar(20)
);
CREATE UNIQUE INDEX WARTOSCI_KONT_NR ON WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta);

CREATE TABLE WALUTY (
  sym_waluty  varchar(3) PRIMARY KEY,
  nazwa       varchar(50)
);

CREATE TABLE OPCJE_SYSTEMOWE (
  id_opcje_systemowe INTEGER PRIMARY KEY,
  id_firmy           integer NOT NULL,
  id_lata_obrot      integer NOT NULL,
  id_opcje           integer NOT NULL,
  nazwa_opcji        varchar(100),
  nazwa_wartosci     varchar(100)
);
CREATE UNIQUE INDEX OPCJE_SYSTEMOWE_OPCJA ON OPCJE_SYSTEMOWE (id_firmy, id_lata_obrot, id_opcje);

-- ---------------------------------------------------------------------------
-- Card indexes behind subsidiary-ledger accounts
-- ---------------------------------------------------------------------------

CREATE TABLE KARTOT_UZYT (
  id_kartot_uzyt    INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  symbol_kartoteki  varchar(20) NOT NULL,
  nazwa             varchar(100),
  kartot_predef     varchar(1)
);
CREATE UNIQUE INDEX KARTOT_UZYT_SYMBOL ON KARTOT_UZYT (id_firmy, symbol_kartoteki);

CREATE TABLE ELEMENTY_KARTOT_UZYT (
  id_elementy_kartot_uzyt INTEGER PRIMARY KEY,
  id_firmy                integer NOT NULL,
  symbol_kartoteki        varchar(20) NOT NULL,
  wart_pola               varchar(20) NOT NULL,
  opis                    varchar(100)
);
CREATE INDEX ELEMENTY_KARTOT_UZYT_SYMBOL ON ELEMENTY_KARTOT_UZYT (id_firmy, symbol_kartoteki, wart_pola);

CREATE TABLE KONTRAHENT (
  id_kontrahenta   INTEGER PRIMARY KEY,
  id_firmy         integer NOT NULL,
  kod_kontrahenta  integer NOT NULL,
  nazwa            varchar(200),
  nip              varchar(20)
);
CREATE UNIQUE INDEX KONTRAHENT_KOD ON KONTRAHENT (id_firmy, kod_kontrahenta);

CREATE TABLE PRACOWNIK (
  id_pracownika   INTEGER PRIMARY KEY,
  id_firmy        integer NOT NULL,
  kod_pracownika  integer NOT NULL,
  nazwisko        varchar(60),
  imie            varchar(40)
);
CREATE UNIQUE INDEX PRACOWNIK_KOD ON PRACOWNIK (id_firmy, kod_pracownika);

-- ---------------------------------------------------------------------------
-- Journals (batches), documents, posting lines, turnovers and balances
-- ---------------------------------------------------------------------------

CREATE TABLE PACZKA (
  id_paczka      INTEGER PRIMARY KEY,
  id_firmy       integer NOT NULL,
  id_lata_obrot  integer NOT NULL,
  kod_paczki     varchar(10),
  opis_paczki    varchar(100)
);
CREATE INDEX PACZKA_KOD ON PACZKA (id_firmy, id_lata_obrot, kod_paczki, id_paczka);

-- status: 0 draft (not booked), 1 booked, 2 approved. czy_rk = 10: a cash-register document.
CREATE TABLE NAG_DOK (
  id_nag_dok      INTEGER PRIMARY KEY,
  id_firmy        integer NOT NULL,
  id_lata_obrot   integer NOT NULL,
  data_okresu     integer NOT NULL,
  id_paczka       integer DEFAULT 0,
  status          smallint DEFAULT 0,
  czy_rk          smallint DEFAULT 0,
  nr_dziennika    integer DEFAULT 0,
  nr_ewid_dok     varchar(25),
  data_biezaca    integer DEFAULT 0,
  nr_dok_org      varchar(30),
  data_dok_org    integer DEFAULT 0,
  data_oper_gosp  integer DEFAULT 0,
  data_ksieg      integer DEFAULT 0,
  opis_dok        varchar(255),
  kwota_dok       DECIMAL(15,2) DEFAULT 0,
  sym_waluty      varchar(3) DEFAULT 'PLN',
  id_uzyt_p       varchar(20),
  id_uzyt_k       varchar(20)
);
CREATE INDEX NAG_DOK_OKRES ON NAG_DOK (id_firmy, id_lata_obrot, data_okresu, id_paczka);
CREATE INDEX NAG_DOK_DZIENNIK ON NAG_DOK (id_firmy, id_lata_obrot, data_okresu, nr_dziennika);
CREATE INDEX NAG_DOK_DATA ON NAG_DOK (id_firmy, id_lata_obrot, data_biezaca);

-- One posting line carries a debit side (konto_wn, kwota_wn) and a credit side
-- (konto_ma, kwota_ma); either side may be empty. The _w amounts are in the side's
-- currency sym_waluty_wn / sym_waluty_ma.
CREATE TABLE POZ_DOK (
  id_poz_dok      INTEGER PRIMARY KEY,
  id_nag_dok      integer NOT NULL,
  nr_poz_dok      integer DEFAULT 0,
  tresc_poz_dok   varchar(255),
  konto_wn        varchar(60),
  kwota_wn        DECIMAL(15,2) DEFAULT 0,
  kwota_wn_w      DECIMAL(15,2) DEFAULT 0,
  sym_waluty_wn   varchar(3) DEFAULT 'PLN',
  kurs_waluty_wn  DECIMAL(15,4) DEFAULT 1,
  konto_ma        varchar(60),
  kwota_ma        DECIMAL(15,2) DEFAULT 0,
  kwota_ma_w      DECIMAL(15,2) DEFAULT 0,
  sym_waluty_ma   varchar(3) DEFAULT 'PLN',
  kurs_waluty_ma  DECIMAL(15,4) DEFAULT 1
);
CREATE INDEX POZ_DOK_NAG ON POZ_DOK (id_nag_dok, nr_poz_dok);
CREATE INDEX POZ_DOK_KONTO_WN ON POZ_DOK (konto_wn);
CREATE INDEX POZ_DOK_KONTO_MA ON POZ_DOK (konto_ma);

-- Partial items of a cash-document position kept in a foreign currency.
CREATE TABLE POZ_DOK_CZASTKOWE (
  id_poz_dok_czastkowe INTEGER PRIMARY KEY,
  id_poz_dok           integer NOT NULL,
  data_dok             integer DEFAULT 0,
  nr_dok               varchar(20),
  opis                 varchar(100),
  kwota_wn             DECIMAL(15,2) DEFAULT 0,
  kwota_wn_w           DECIMAL(15,2) DEFAULT 0,
  kwota_ma             DECIMAL(15,2) DEFAULT 0,
  kwota_ma_w           DECIMAL(15,2) DEFAULT 0,
  kurs_waluty_wn       DECIMAL(15,4) DEFAULT 1,
  kurs_waluty_ma       DECIMAL(15,4) DEFAULT 1,
  mnoznik_wn           integer DEFAULT 1,
  mnoznik_ma           integer DEFAULT 1
);
CREATE INDEX POZ_DOK_CZASTKOWE_POZ ON POZ_DOK_CZASTKOWE (id_poz_dok, data_dok);

-- One row per account, period and currency. obroty_* are the period's turnovers,
-- saldo_* the balance at the end of the period; the z-columns count approved
-- documents only; the _w columns are in the row's currency sym_waluty.
-- The opening period (day 1 of the first month) holds the opening balance.
CREATE TABLE OBROTY_I_SALDA (
  id_obroty_i_salda INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  id_lata_obrot     integer NOT NULL,
  nr_konta          varchar(60) NOT NULL,
  data_okresu       integer NOT NULL,
  sym_waluty        varchar(3) NOT NULL DEFAULT 'PLN',
  obroty_wn         DECIMAL(15,2) DEFAULT 0,
  obroty_ma         DECIMAL(15,2) DEFAULT 0,
  saldo_wn          DECIMAL(15,2) DEFAULT 0,
  saldo_ma          DECIMAL(15,2) DEFAULT 0,
  obroty_wn_w       DECIMAL(15,2) DEFAULT 0,
  obroty_ma_w       DECIMAL(15,2) DEFAULT 0,
  saldo_wn_w        DECIMAL(15,2) DEFAULT 0,
  saldo_ma_w        DECIMAL(15,2) DEFAULT 0,
  zobroty_wn        DECIMAL(15,2) DEFAULT 0,
  zobroty_ma        DECIMAL(15,2) DEFAULT 0,
  zsaldo_wn         DECIMAL(15,2) DEFAULT 0,
  zsaldo_ma         DECIMAL(15,2) DEFAULT 0,
  zobroty_wn_w      DECIMAL(15,2) DEFAULT 0,
  zobroty_ma_w      DECIMAL(15,2) DEFAULT 0,
  zsaldo_wn_w       DECIMAL(15,2) DEFAULT 0,
  zsaldo_ma_w       DECIMAL(15,2) DEFAULT 0
);
CREATE UNIQUE INDEX OBROTY_I_SALDA_KONTO ON OBROTY_I_SALDA (id_firmy, id_lata_obrot, nr_konta, data_okresu, sym_waluty);
CREATE INDEX OBROTY_I_SALDA_OKRES ON OBROTY_I_SALDA (id_firmy, id_lata_obrot, data_okresu);

-- Settlement register (open items of settlement accounts): one row per charge or
-- payment; the settlement balance of an account at a period is the sum of its rows
-- up to that period.
CREATE TABLE ROZRACHUNKI (
  id_rozrachunku    INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  id_lata_obrot     integer NOT NULL,
  nr_konta          varchar(60) NOT NULL,
  data_okresu       integer NOT NULL,
  id_poz_dok        integer,
  id_kontrahenta    integer,
  nr_dok            varchar(30),
  data_dok          integer DEFAULT 0,
  termin_platnosci  integer DEFAULT 0,
  sym_waluty        varchar(3) DEFAULT 'PLN',
  kwota_wn          DECIMAL(15,2) DEFAULT 0,
  kwota_ma          DECIMAL(15,2) DEFAULT 0,
  kwota_wn_w        DECIMAL(15,2) DEFAULT 0,
  kwota_ma_w        DECIMAL(15,2) DEFAULT 0
);
CREATE INDEX ROZRACHUNKI_KONTO ON ROZRACHUNKI (id_firmy, id_lata_obrot, nr_konta, data_okresu);

-- ---------------------------------------------------------------------------
-- Statement scratch rows (per user)
-- ---------------------------------------------------------------------------

CREATE TABLE ZESTAW_ZESTAW (
  id_zestaw_zestaw INTEGER PRIMARY KEY,
  id_uzytkownika   integer NOT NULL,
  id_zestaw_nag    integer NOT NULL,
  wariant_zestaw   integer NOT NULL,
  lp               integer DEFAULT 0,
  symbol           varchar(200),
  opis             varchar(500),
  info             varchar(255),
  poziom           integer DEFAULT 0,
  arg1             varchar(200),
  kol1  DECIMAL(15,2) DEFAULT 0, kol2  DECIMAL(15,2) DEFAULT 0,
  kol3  DECIMAL(15,2) DEFAULT 0, kol4  DECIMAL(15,2) DEFAULT 0,
  kol5  DECIMAL(15,2) DEFAULT 0, kol6  DECIMAL(15,2) DEFAULT 0,
  kol7  DECIMAL(15,2) DEFAULT 0, kol8  DECIMAL(15,2) DEFAULT 0,
  kol9  DECIMAL(15,2) DEFAULT 0, kol10 DECIMAL(15,2) DEFAULT 0,
  kol11 DECIMAL(15,2) DEFAULT 0, kol12 DECIMAL(15,2) DEFAULT 0,
  kol13 DECIMAL(15,2) DEFAULT 0, kol14 DECIMAL(15,2) DEFAULT 0,
  kol15 DECIMAL(15,2) DEFAULT 0, kol16 DECIMAL(15,2) DEFAULT 0,
  kol17 DECIMAL(15,2) DEFAULT 0, kol18 DECIMAL(15,2) DEFAULT 0,
  kol19 DECIMAL(15,2) DEFAULT 0, kol20 DECIMAL(15,2) DEFAULT 0,
  kol1s varchar(255),
  kol2s varchar(255),
  kol3s varchar(255)
);
CREATE INDEX ZESTAW_ZESTAW_UZYTKOWNIK ON ZESTAW_ZESTAW (id_uzytkownika, id_zestaw_nag, wariant_zestaw, lp);

-- ---------------------------------------------------------------------------
-- Text printers and their control codes
-- ---------------------------------------------------------------------------

CREATE TABLE DRUKARKA (
  id_drukarki  INTEGER PRIMARY KEY,
  nazwa        varchar(300) NOT NULL,
  opis         varchar(100)
);
CREATE INDEX DRUKARKA_NAZWA ON DRUKARKA (nazwa);

CREATE TABLE KOD_STERUJACY (
  id_kodu_sterujacego INTEGER PRIMARY KEY,
  id_drukarki         integer NOT NULL,
  nazwa_kodu          varchar(100) NOT NULL,
  wartosc_domyslna    varchar(255)
);
CREATE INDEX KOD_STERUJACY_DRUKARKA ON KOD_STERUJACY (id_drukarki, nazwa_kodu);

-- Users of the application: the login the session names and the numeric id that owns scratch
-- rows and saved print parameters.
CREATE TABLE UZYTKOWNIK (
  id_uzytkownika  INTEGER PRIMARY KEY,
  login           varchar(20) NOT NULL,
  nazwa           varchar(100)
);
CREATE UNIQUE INDEX UZYTKOWNIK_LOGIN ON UZYTKOWNIK (login);

-- ---------------------------------------------------------------------------
-- Company data for report headers and budget forms; further card indexes
-- ---------------------------------------------------------------------------

-- typ_adresu 'S' is the seat. The address valid on a day is the one with the latest
-- data_od not after that day.
CREATE TABLE ADRESY_FIRMY (
  id_adresy_firmy INTEGER PRIMARY KEY,
  id_firmy        integer NOT NULL,
  typ_adresu      varchar(1) NOT NULL DEFAULT 'S',
  data_od         integer NOT NULL DEFAULT 0,
  ulica           varchar(100),
  nr_domu         varchar(10),
  nr_lokalu       varchar(10),
  kod_pocztowy    varchar(10),
  miejscowosc     varchar(60),
  poczta          varchar(60),
  gmina           varchar(50),
  powiat          varchar(50),
  wojewodztwo     varchar(50)
);
CREATE INDEX ADRESY_FIRMY_OD ON ADRESY_FIRMY (id_firmy, typ_adresu, data_od);

-- Named company settings (territorial codes of budget forms "BeKodW", "BeKodP" ...).
CREATE TABLE PARAMETRY_GLOBALNE (
  id_parametry_globalne INTEGER PRIMARY KEY,
  id_firmy              integer NOT NULL,
  nazwa                 varchar(50) NOT NULL,
  wartosc               varchar(255)
);
CREATE UNIQUE INDEX PARAMETRY_GLOBALNE_NAZWA ON PARAMETRY_GLOBALNE (id_firmy, nazwa);

CREATE TABLE RACHUNEK_FIRMY (
  id_rachunku_firmy INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  kod_rachunku      integer NOT NULL,
  nr_rachunku       varchar(40),
  nazwa             varchar(100),
  sym_waluty        varchar(3) DEFAULT 'PLN'
);
CREATE UNIQUE INDEX RACHUNEK_FIRMY_KOD ON RACHUNEK_FIRMY (id_firmy, kod_rachunku);

CREATE TABLE MAJATEK (
  id_majatku        INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  kod_srodka        integer NOT NULL,
  nr_inwentarzowy   varchar(30),
  nazwa             varchar(200)
);
CREATE UNIQUE INDEX MAJATEK_KOD ON MAJATEK (id_firmy, kod_srodka);

-- Tax offices; shared by all companies.
CREATE TABLE URZEDY (
  id_urzedu    INTEGER PRIMARY KEY,
  kod_urzedu   varchar(10),
  nazwa        varchar(200),
  miejscowosc  varchar(60)
);

-- ---------------------------------------------------------------------------
-- Cost centres (MPK) and budget classifications
-- ---------------------------------------------------------------------------

CREATE TABLE MPK_SLOWNIK_DRZEWO (
  id_mpk_slownik_drzewo INTEGER PRIMARY KEY,
  id_firmy              integer NOT NULL,
  id_rodzica            integer DEFAULT 0,
  kod                   varchar(30),
  nazwa                 varchar(150)
);
CREATE INDEX MPK_SLOWNIK_DRZEWO_FIRMA ON MPK_SLOWNIK_DRZEWO (id_firmy, id_rodzica);

CREATE TABLE MPK_SLOWNIK_WSKAZNIK (
  id_mpk_slownik_wskaznik INTEGER PRIMARY KEY,
  id_firmy                integer NOT NULL,
  nr_wskaznika            smallint NOT NULL,
  kod                     varchar(30),
  nazwa                   varchar(150)
);
CREATE INDEX MPK_SLOWNIK_WSKAZNIK_FIRMA ON MPK_SLOWNIK_WSKAZNIK (id_firmy, nr_wskaznika);

-- One cost-centre allocation of one side of a posting line: strona 'WN' or 'MA';
-- drzewo_zbior_id is the path of tree ids joined by the installation's separator.
CREATE TABLE MPK_DANE (
  id_mpk_dane       INTEGER PRIMARY KEY,
  id_firmy          integer NOT NULL,
  id_poz_dok        integer NOT NULL,
  strona            varchar(2) NOT NULL,
  kwota             DECIMAL(15,2) DEFAULT 0,
  kwota_w           DECIMAL(15,2) DEFAULT 0,
  drzewo_zbior_id   varchar(200),
  wskaznik_1_id     integer,
  wskaznik_2_id     integer,
  wskaznik_3_id     integer,
  wskaznik_4_id     integer,
  wskaznik_5_id     integer
);
CREATE INDEX MPK_DANE_POZ ON MPK_DANE (id_poz_dok, strona);

-- Budget classification of a posting line: "ddd.rrrrr.pppp" plus sub-analytics; typ 'W'
-- expenses, 'D' revenues; the rodzaj_ flags say which budget figures the amount counts in.
CREATE TABLE BT_DANE (
  id_bt_dane       INTEGER PRIMARY KEY,
  id_firmy         integer NOT NULL,
  id_poz_dok       integer NOT NULL,
  bt_klasyfikacja  varchar(50),
  typ              varchar(1),
  kwota            DECIMAL(15,2) DEFAULT 0,
  rodzaj_d         smallint DEFAULT 0,
  rodzaj_wp        smallint DEFAULT 0,
  rodzaj_wy        smallint DEFAULT 0,
  rodzaj_k         smallint DEFAULT 0,
  rodzaj_z         smallint DEFAULT 0,
  rodzaj_x         smallint DEFAULT 0
);
CREATE INDEX BT_DANE_POZ ON BT_DANE (id_poz_dok);
CREATE INDEX BT_DANE_KLASYFIKACJA ON BT_DANE (id_firmy, bt_klasyfikacja);

CREATE TABLE BT_PLAN (
  id_bt_plan       INTEGER PRIMARY KEY,
  id_firmy         integer NOT NULL,
  id_lata_obrot    integer NOT NULL,
  bt_klasyfikacja  varchar(50) NOT NULL,
  typ              varchar(1),
  data_biezaca     integer DEFAULT 0,
  kwota            DECIMAL(15,2) DEFAULT 0
);
CREATE INDEX BT_PLAN_ROK ON BT_PLAN (id_firmy, id_lata_obrot, bt_klasyfikacja);

-- ---------------------------------------------------------------------------
-- User-defined statements and budget forms
-- ---------------------------------------------------------------------------

CREATE TABLE ZESTAW_GRUPA (
  id_zestaw_grupa INTEGER PRIMARY KEY,
  id_firmy        integer,
  nazwa           varchar(200),
  typ             varchar(10),
  predef          smallint DEFAULT 0
);

-- wariant is the form code of a budget statement; typ 'BA' marks budget statements.
-- (section codes run to 23 characters: "Rb28SDotacjeRozwojowe70").
-- Column n: caption etykieta_n, fiscal year id_lo_n (0 = the working year), opening
-- balance flag czy_bo_n; etykieta_0 is the caption of the text column.
CREATE TABLE ZESTAW_NAG (
  id_zestaw_nag        INTEGER PRIMARY KEY,
  id_firmy             integer NOT NULL,
  id_zestaw_grupa      integer DEFAULT 0,
  nazwa                varchar(200),
  typ                  varchar(10),
  wariant              varchar(30),
  ilosc_kolumn         integer DEFAULT 1,
  czy_rozne_definicje  smallint DEFAULT 0,
  etykieta_0  varchar(100),
  etykieta_1  varchar(100), etykieta_2  varchar(100), etykieta_3  varchar(100), etykieta_4  varchar(100),
  etykieta_5  varchar(100), etykieta_6  varchar(100), etykieta_7  varchar(100), etykieta_8  varchar(100),
  etykieta_9  varchar(100), etykieta_10 varchar(100), etykieta_11 varchar(100), etykieta_12 varchar(100),
  etykieta_13 varchar(100), etykieta_14 varchar(100), etykieta_15 varchar(100), etykieta_16 varchar(100),
  etykieta_17 varchar(100), etykieta_18 varchar(100), etykieta_19 varchar(100), etykieta_20 varchar(100),
  id_lo_1  integer DEFAULT 0, id_lo_2  integer DEFAULT 0, id_lo_3  integer DEFAULT 0, id_lo_4  integer DEFAULT 0,
  id_lo_5  integer DEFAULT 0, id_lo_6  integer DEFAULT 0, id_lo_7  integer DEFAULT 0, id_lo_8  integer DEFAULT 0,
  id_lo_9  integer DEFAULT 0, id_lo_10 integer DEFAULT 0, id_lo_11 integer DEFAULT 0, id_lo_12 integer DEFAULT 0,
  id_lo_13 integer DEFAULT 0, id_lo_14 integer DEFAULT 0, id_lo_15 integer DEFAULT 0, id_lo_16 integer DEFAULT 0,
  id_lo_17 integer DEFAULT 0, id_lo_18 integer DEFAULT 0, id_lo_19 integer DEFAULT 0, id_lo_20 integer DEFAULT 0,
  czy_bo_1  smallint DEFAULT 0, czy_bo_2  smallint DEFAULT 0, czy_bo_3  smallint DEFAULT 0, czy_bo_4  smallint DEFAULT 0,
  czy_bo_5  smallint DEFAULT 0, czy_bo_6  smallint DEFAULT 0, czy_bo_7  smallint DEFAULT 0, czy_bo_8  smallint DEFAULT 0,
  czy_bo_9  smallint DEFAULT 0, czy_bo_10 smallint DEFAULT 0, czy_bo_11 smallint DEFAULT 0, czy_bo_12 smallint DEFAULT 0,
  czy_bo_13 smallint DEFAULT 0, czy_bo_14 smallint DEFAULT 0, czy_bo_15 smallint DEFAULT 0, czy_bo_16 smallint DEFAULT 0,
  czy_bo_17 smallint DEFAULT 0, czy_bo_18 smallint DEFAULT 0, czy_bo_19 smallint DEFAULT 0, czy_bo_20 smallint DEFAULT 0
);
CREATE INDEX ZESTAW_NAG_GRUPA ON ZESTAW_NAG (id_firmy, id_zestaw_grupa, nazwa);

-- typ: empty for a plain row, 'K' a row that expands into accounts, 'B' into budget
-- classifications; kol1s..kol3s are the text columns of budget forms.
CREATE TABLE ZESTAW_POZ (
  id_zestaw_poz  INTEGER PRIMARY KEY,
  id_zestaw_nag  integer NOT NULL,
  lp             integer DEFAULT 0,
  symbol         varchar(200),
  nazwa          varchar(500),
  poziom         integer DEFAULT 1,
  typ            varchar(1),
  kol1s          varchar(255),
  kol2s          varchar(255),
  kol3s          varchar(255)
);
CREATE INDEX ZESTAW_POZ_NAG ON ZESTAW_POZ (id_zestaw_nag, lp);

CREATE TABLE ZESTAW_POZ_FORMULA (
  id_zestaw_poz_formula INTEGER PRIMARY KEY,
  id_zestaw_poz         integer NOT NULL,
  nr_kolumny            integer NOT NULL,
  formula               varchar(4000)
);
CREATE UNIQUE INDEX ZESTAW_POZ_FORMULA_KOLUMNA ON ZESTAW_POZ_FORMULA (id_zestaw_poz, nr_kolumny);

CREATE TABLE ZESTAW_LISTA_UZ_NAG (
  id_zestaw_lista_uz_nag INTEGER PRIMARY KEY,
  id_uzytkownika         integer NOT NULL,
  typ                    varchar(1) NOT NULL,
  nazwa                  varchar(30) NOT NULL
);
-- Two users' windows saving the same name at once must not both succeed.
CREATE UNIQUE INDEX ZESTAW_LISTA_UZ_NAG_NAZWA ON ZESTAW_LISTA_UZ_NAG (id_uzytkownika, typ, nazwa);

CREATE TABLE ZESTAW_LISTA_UZ_POZ (
  id_zestaw_lista_uz_poz INTEGER PRIMARY KEY,
  id_zestaw_lista_uz_nag integer NOT NULL,
  lp                     integer NOT NULL,
  tekst_1                varchar(200)
);
CREATE INDEX ZESTAW_LISTA_UZ_POZ_NAG ON ZESTAW_LISTA_UZ_POZ (id_zestaw_lista_uz_nag, lp);

-- Per-user messages between the module and the stored procedures (column periods
-- 'ZESTZAK', statement lists 'ZESTAW_K' / 'ZESTAW_B').
CREATE TABLE KOMUNIKAT (
  id_komunikatu   INTEGER PRIMARY KEY,
  id_uzytkownika  integer NOT NULL,
  kontekst        varchar(20) NOT NULL,
  id_zasobu       integer DEFAULT 0,
  lp              integer DEFAULT 0,
  tekst1          varchar(255),
  tekst2          varchar(255),
  tekst3          varchar(255),
  tekst4          varchar(255),
  tekst5          varchar(255)
);
CREATE INDEX KOMUNIKAT_UZYTKOWNIK ON KOMUNIKAT (id_uzytkownika, kontekst, id_zasobu, lp);

CREATE TABLE SPEC_EKSPORT (
  id_spec_eksport INTEGER PRIMARY KEY,
  id_firmy        integer NOT NULL,
  typ             varchar(10) NOT NULL,
  p1  varchar(255), p2 varchar(255), p3 varchar(255), p4 varchar(255), p5  varchar(255),
  p6  varchar(255), p7 varchar(255), p8 varchar(255), p9 varchar(255), p10 varchar(255)
);
CREATE INDEX SPEC_EKSPORT_TYP ON SPEC_EKSPORT (id_firmy, typ);

-- Elements a user ticked in a picker (id_browsera 11 accounts, 36 classifications).
CREATE TABLE ZAZNACZENIE (
  id_zaznaczenia  INTEGER PRIMARY KEY,
  id_uzytkownika  integer NOT NULL,
  id_browsera     integer NOT NULL,
  opis_elementu   varchar(200)
);
CREATE INDEX ZAZNACZENIE_UZYTKOWNIK ON ZAZNACZENIE (id_uzytkownika, id_browsera, opis_elementu);

-- ---------------------------------------------------------------------------
-- Saved print-parameter variants, menu
-- ---------------------------------------------------------------------------

CREATE TABLE PARAMETRY_WYDRUKU_NAG (
  id_parametry_wydruku_nag INTEGER PRIMARY KEY,
  id_uzytkownika           integer NOT NULL,
  raport                   varchar(20) NOT NULL,
  nazwa                    varchar(100)
);
CREATE INDEX PARAMETRY_WYDRUKU_NAG_UZYTKOWNIK ON PARAMETRY_WYDRUKU_NAG (id_uzytkownika, raport, nazwa);

CREATE TABLE PARAMETRY_WYDRUKU_POZ (
  id_parametry_wydruku_nag integer NOT NULL,
  parametr                 integer NOT NULL,
  wartosc                  varchar(255),
  PRIMARY KEY (id_parametry_wydruku_nag, parametr)
);

CREATE TABLE MENU (
  id_menu     INTEGER PRIMARY KEY,
  id_rodzica  integer DEFAULT 0,
  lp          integer DEFAULT 0,
  nazwa       varchar(100),
  procedura   varchar(100),
  parametry   varchar(255)
);

-- Deleting a header deletes its rows: a saved variant or list never leaves options
-- behind that a later header with the same id would pick up.
CREATE TRIGGER PARAMETRY_WYDRUKU_NAG_DELETE AFTER DELETE ON PARAMETRY_WYDRUKU_NAG
BEGIN
  DELETE FROM PARAMETRY_WYDRUKU_POZ WHERE id_parametry_wydruku_nag = OLD.id_parametry_wydruku_nag;
END;

CREATE TRIGGER ZESTAW_LISTA_UZ_NAG_DELETE AFTER DELETE ON ZESTAW_LISTA_UZ_NAG
BEGIN
  DELETE FROM ZESTAW_LISTA_UZ_POZ WHERE id_zestaw_lista_uz_nag = OLD.id_zestaw_lista_uz_nag;
END;

-- ---------------------------------------------------------------------------
-- Views over the postings. Documents with status 0 are not booked and appear in none.
-- ---------------------------------------------------------------------------

-- One row per posting line, with its document's columns.
CREATE VIEW POZ_DOK_VIEW_DZIENNIK AS
SELECT n.id_firmy, n.id_lata_obrot, n.data_okresu, n.id_paczka, n.status, n.czy_rk,
       n.nr_dziennika, n.nr_ewid_dok, n.data_biezaca, n.nr_dok_org, n.data_dok_org,
       n.data_oper_gosp, n.data_ksieg, n.opis_dok, n.id_uzyt_p, n.id_uzyt_k,
       n.id_nag_dok, p.id_poz_dok, p.nr_poz_dok, p.tresc_poz_dok,
       p.kwota_wn, p.konto_wn, p.kwota_ma, p.konto_ma
  FROM POZ_DOK p
  JOIN NAG_DOK n ON n.id_nag_dok = p.id_nag_dok
 WHERE n.status <> 0;

-- One row per side of a posting line: strona '0' the debit side on konto_wn, '1' the
-- credit side on konto_ma. The amount of the side stands in kwota_wn or kwota_ma, the
-- other being 0, so that sums over the view are the account's turnovers; kwota and
-- kwota_w carry the side's amount whichever side it is.
CREATE VIEW POZ_DOK_VIEW_UNION AS
SELECT n.id_firmy, n.id_lata_obrot, n.data_okresu, n.id_paczka, n.status, n.czy_rk,
       n.nr_dziennika, n.nr_ewid_dok, n.data_biezaca, n.nr_dok_org, n.data_dok_org,
       n.data_oper_gosp, n.data_ksieg, n.opis_dok, n.id_uzyt_p, n.id_uzyt_k,
       n.id_nag_dok, p.id_poz_dok, p.nr_poz_dok AS lp, p.tresc_poz_dok AS opis,
       '0' AS strona, p.konto_wn AS konto, p.konto_ma AS konto_przeciwne,
       p.kwota_wn AS kwota, p.kwota_wn_w AS kwota_w,
       p.kwota_wn AS kwota_wn, 0 AS kwota_ma, p.kwota_wn_w AS kwota_wn_w, 0 AS kwota_ma_w,
       p.sym_waluty_wn AS waluta
  FROM POZ_DOK p
  JOIN NAG_DOK n ON n.id_nag_dok = p.id_nag_dok
 WHERE n.status <> 0 AND p.konto_wn IS NOT NULL AND p.konto_wn <> ''
UNION ALL
SELECT n.id_firmy, n.id_lata_obrot, n.data_okresu, n.id_paczka, n.status, n.czy_rk,
       n.nr_dziennika, n.nr_ewid_dok, n.data_biezaca, n.nr_dok_org, n.data_dok_org,
       n.data_oper_gosp, n.data_ksieg, n.opis_dok, n.id_uzyt_p, n.id_uzyt_k,
       n.id_nag_dok, p.id_poz_dok, p.nr_poz_dok AS lp, p.tresc_poz_dok AS opis,
       '1' AS strona, p.konto_ma AS konto, p.konto_wn AS konto_przeciwne,
       p.kwota_ma AS kwota, p.kwota_ma_w AS kwota_w,
       0 AS kwota_wn, p.kwota_ma AS kwota_ma, 0 AS kwota_wn_w, p.kwota_ma_w AS kwota_ma_w,
       p.sym_waluty_ma AS waluta
  FROM POZ_DOK p
  JOIN NAG_DOK n ON n.id_nag_dok = p.id_nag_dok
 WHERE n.status <> 0 AND p.konto_ma IS NOT NULL AND p.konto_ma <> '';

-- The same with the account's name from the chart of the posting's fiscal year.
CREATE VIEW POZ_DOK_VIEW_UNION_EXT AS
SELECT u.*, w.nazwa_konta
  FROM POZ_DOK_VIEW_UNION u
  LEFT JOIN WARTOSCI_KONT w
    ON w.id_firmy = u.id_firmy AND w.id_lata_obrot = u.id_lata_obrot AND w.nr_konta = u.konto;

-- Budget installations: the side with the budget classification of its posting line
-- (the lowest when a line is split over several).
CREATE VIEW POZ_DOK_VIEW_UNION_BT AS
SELECT u.*,
       (SELECT min(b.bt_klasyfikacja) FROM BT_DANE b WHERE b.id_poz_dok = u.id_poz_dok) AS bt_klasyfikacja
  FROM POZ_DOK_VIEW_UNION u;

CREATE VIEW POZ_DOK_VIEW_UNION_BT_EXT AS
SELECT u.*, w.nazwa_konta
  FROM POZ_DOK_VIEW_UNION_BT u
  LEFT JOIN WARTOSCI_KONT w
    ON w.id_firmy = u.id_firmy AND w.id_lata_obrot = u.id_lata_obrot AND w.nr_konta = u.konto;

-- One row per cost-centre allocation, with its posting side ('WN' / 'MA', the account of
-- that side) and document, and the codes of its five indicators.
CREATE VIEW MPK_VIEW AS
SELECT m.id_mpk_dane, n.id_firmy, n.id_lata_obrot, n.data_okresu, n.id_paczka, n.status,
       n.nr_ewid_dok, n.data_biezaca, n.nr_dok_org, n.data_dok_org, n.data_oper_gosp,
       n.id_nag_dok, p.id_poz_dok, p.nr_poz_dok, p.tresc_poz_dok,
       m.strona,
       CASE WHEN m.strona = 'WN' THEN p.konto_wn ELSE p.konto_ma END AS konto,
       CASE WHEN m.strona = 'WN' THEN p.sym_waluty_wn ELSE p.sym_waluty_ma END AS waluta,
       m.kwota, m.kwota_w, m.drzewo_zbior_id,
       m.wskaznik_1_id, m.wskaznik_2_id, m.wskaznik_3_id, m.wskaznik_4_id, m.wskaznik_5_id,
       w1.kod AS wskaznik_1, w2.kod AS wskaznik_2, w3.kod AS wskaznik_3,
       w4.kod AS wskaznik_4, w5.kod AS wskaznik_5
  FROM MPK_DANE m
  JOIN POZ_DOK p ON p.id_poz_dok = m.id_poz_dok
  JOIN NAG_DOK n ON n.id_nag_dok = p.id_nag_dok
  LEFT JOIN MPK_SLOWNIK_WSKAZNIK w1 ON w1.id_mpk_slownik_wskaznik = m.wskaznik_1_id
  LEFT JOIN MPK_SLOWNIK_WSKAZNIK w2 ON w2.id_mpk_slownik_wskaznik = m.wskaznik_2_id
  LEFT JOIN MPK_SLOWNIK_WSKAZNIK w3 ON w3.id_mpk_slownik_wskaznik = m.wskaznik_3_id
  LEFT JOIN MPK_SLOWNIK_WSKAZNIK w4 ON w4.id_mpk_slownik_wskaznik = m.wskaznik_4_id
  LEFT JOIN MPK_SLOWNIK_WSKAZNIK w5 ON w5.id_mpk_slownik_wskaznik = m.wskaznik_5_id
 WHERE n.status <> 0;

-- One row per budget classification of a posting line, with both accounts of the line.
CREATE VIEW BT_VIEW AS
SELECT b.id_bt_dane, n.id_firmy, n.id_lata_obrot, n.data_okresu, n.status,
       n.nr_ewid_dok, n.data_biezaca, n.nr_dok_org, n.data_dok_org, n.data_oper_gosp,
       n.id_nag_dok, p.id_poz_dok, p.nr_poz_dok, p.tresc_poz_dok,
       p.konto_wn, p.konto_ma,
       b.bt_klasyfikacja, b.typ, b.kwota,
       b.rodzaj_d, b.rodzaj_wp, b.rodzaj_wy, b.rodzaj_k, b.rodzaj_z, b.rodzaj_x
  FROM BT_DANE b
  JOIN POZ_DOK p ON p.id_poz_dok = b.id_poz_dok
  JOIN NAG_DOK n ON n.id_nag_dok = p.id_nag_dok
 WHERE n.status <> 0;
