-- Journal window
-- expect: 1|dzienniki częściowe
select 1,nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=5 AND id_opcje=120
-- expect: 0
select isnull((select ZAMKNIETE_BO from LATA_OBROTOWE where ID_LATA_OBROT=5),0)
-- expect: 0
select isnull((select status from LATA_OBROTOWE where ID_LATA_OBROT=99),0)
-- expect: 81485
select isnull((select ZAMKNIETY_OKRES from LATA_OBROTOWE where ID_LATA_OBROT=5),0)
-- expect: data księgowania i numer dokumentu
select nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=5 AND id_opcje=123
-- Posting and document journals
-- expect: 1|1|1|100.10
select 1,1,1, isnull(sum(kwota_wn),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=5 AND data_okresu<81485 AND id_paczka=3 AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn) <> 'P'
-- expect: 2
select count(*) from NAG_DOK where id_firmy=1 AND id_lata_obrot=5 AND status<>0
-- expect: 1|1|1|150.15
select 1,1,1, isnull(sum(KWOTA_DOK),0) from NAG_DOK where id_firmy=1 AND id_lata_obrot=5 AND data_okresu<81818 AND isnull(czy_rk,0)<>10 AND isnull(status,0)<>0
-- expect: 1|1|1|120.10
select 1,1,1, isnull(sum(p.kwota_wn),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu<81818 AND n.data_okresu>81453 AND n.id_firmy=1 AND n.id_lata_obrot=5  AND n.status>0 AND dbo.TG_SPR_KONTO_POZAB(1,5,p.konto_wn)=0
-- expect: 1|1|1|170.15|170.15
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu<81818 AND n.data_okresu>81453 AND n.id_firmy=1 AND n.id_lata_obrot=5  AND n.status>0
-- expect: 1|SPRZ
select 1,kod_paczki from PACZKA where id_paczka=3
-- Batch journal: opening balances of the opening period only
-- expect: 100.10
select sum(isnull(a.zsaldo_wn,0)) from OBROTY_I_SALDA a where a.id_firmy=1 AND a.id_lata_obrot=5 AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN' AND dbo.TG_SPR_KONTO_POZAB(1,5,a.nr_konta)=0
-- expect: 50.05
select sum(isnull(a.zsaldo_ma,0)) from OBROTY_I_SALDA a where a.id_firmy=1 AND a.id_lata_obrot=5 AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN'
