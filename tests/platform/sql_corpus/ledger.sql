-- Account sheets and balances
-- expect: 0
select czy_dwusaldowe from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=5 AND nr_konta_syn=201
-- expect: 1
select 1 from LATA_OBROTOWE where poczatek_roku<81453 AND id_firmy=1
-- expect: 4
select count(*) from OBROTY_I_SALDA where id_firmy=1 AND id_lata_obrot=5
-- expect: 102
select p.id_poz_dok from POZ_DOK p inner join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.id_lata_obrot=5 AND n.czy_rk=10 AND n.sym_waluty='EUR' AND (p.konto_wn='201-1' OR p.konto_ma='201-1')
-- Cash report entries
-- expect: E/1|81460|FV 1/24|81458|2|0|100.10|Sprzedaż|1|100|10|5|202
select nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,lp,kwota_wn,kwota_ma,opis,strona,id_poz_dok,id_nag_dok,id_lata_obrot,konto from POZ_DOK_VIEW_UNION (NOLOCK) where id_firmy=1 AND konto='202' order by id_firmy,konto,lp
-- Cost-centre reports
-- expect: 7|HAL-A
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=7
-- expect: 1
select count(*) from MPK_VIEW where id_lata_obrot=5 AND konto='501'
-- expect: 2|Konto 202
CALL USTAL_NAZWE_KONTA (1,5,'202')
