-- Turnover window and computation
-- expect: EUR|Euro
select sym_waluty, nazwa from WALUTY order by sym_waluty
-- expect: 81485|1
select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=5
delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND wariant_zestaw=1 AND id_uzytkownika=9
-- expect: 1|1|1|1|201-1
select 1,1,1,1,nr_konta from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=5 AND Substring(nr_konta,1,3)='201' AND nr_konta like '201%' group by nr_konta
-- expect: ODB
select symbol_kartoteki from WARTOSCI_KONT with (NOLOCK) where nr_konta='201-1' AND id_firmy=1 AND id_lata_obrot=5
-- expect: K
select kartot_predef from KARTOT_UZYT with (NOLOCK) where symbol_kartoteki='ODB' AND id_firmy=1
delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=9 AND wariant_zestaw=99
insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values('1','201-1','',1,1,9,0,99,0,0,0,0,0,0,0,0)
-- expect: 1
CALL OBROTOWKA_RAPORT ('jan',1,5,81454,81453,'PLN',1,'201%',0,0)
-- expect: 2|Konto 201-1
CALL USTAL_NAZWE_KONTA(1,5,'201-1')
-- expect: 0|0|0|0|0|0|0|0|||1
select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=9 AND wariant_zestaw=99
-- Statement of account entries
-- expect: 1
select 1 from POZ_DOK_VIEW_UNION with (NOLOCK) where id_lata_obrot=5 AND konto='201-1' AND data_okresu=81454 AND status=2
-- expect: 100.10
select sum(a.kwota_wn) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) ON a.id_nag_dok = b.id_nag_dok where b.data_okresu < 81485 AND a.konto_wn='201-1' AND b.id_firmy=1 AND b.id_lata_obrot=5 AND b.status=2
-- expect: Sprzedaż|E/1|81460|FV 1/24|81458|100.10|0|1|81454|1|100|10|0
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=5 AND konto='201-1' AND data_okresu<=81454 AND data_biezaca<=81460 order by konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp
-- expect: 100|201-1|202|100.10|100.10
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=10 order by id_nag_dok asc, nr_poz_dok asc
-- expect: 1
select 1 from KONTA_SYNT with (NOLOCK) where id_firmy=1 AND id_lata_obrot=5 AND nr_konta_syn=990 AND typ_konta='P'
-- Cost-centre and budget lines of the statement
-- expect: 1;2|E/1|81460|FV 1/24|81458|30.00|WN|1|7|0|0|0|0
select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,strona,nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id from MPK_VIEW  with (NOLOCK)  where id_lata_obrot=5 AND konto='501' AND data_okresu<=81454 AND waluta='PLN' AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok
-- expect: 75023-4210||0||0|12.34||0
select bt_klasyfikacja,'',0,'',0,sum(kwota),'',0 from BT_VIEW  with (NOLOCK)  where id_lata_obrot=5 AND (konto_wn='201-1' OR konto_ma='201-1') AND data_okresu<=81454 group by bt_klasyfikacja order by bt_klasyfikacja
