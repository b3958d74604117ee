select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE where id_firmy=1 order by id_firmy, poczatek_roku, id_lata_obrot
select poczatek_roku from LATA_OBROTOWE where id_lata_obrot = 2
select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=2
select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',1), dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',2) from FIRMA where id_firmy=1
select nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=2 AND id_opcje=123
select id_paczka,kod_paczki,opis_paczki from PACZKA where ID_FIRMY=1 AND id_lata_obrot=2 order by id_firmy, id_lata_obrot, kod_paczki, id_paczka
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu<82244 AND n.data_okresu>82184 AND n.id_firmy=1 AND n.id_lata_obrot=2  AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=11 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=8 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=12 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=14 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=13 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=9 AND n.status>0
select 1,1,1, isnull(sum(p.kwota_wn),0), isnull(sum(p.kwota_ma),0) from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.data_okresu=82244 AND n.id_firmy=1 AND n.id_lata_obrot=2 AND n.id_paczka=10 AND n.status>0
select sum(isnull(a.zsaldo_wn,0)) from OBROTY_I_SALDA a where a.id_firmy=1 AND a.id_lata_obrot=2 AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN' AND a.nr_konta in (select p.konto_wn from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 AND n.id_lata_obrot=2 AND day(n.data_okresu-36163)=1 AND n.status>0 union select p.konto_ma from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 AND n.id_lata_obrot=2 AND day(n.data_okresu-36163)=1 AND n.status>0)
select sum(isnull(a.zsaldo_ma,0)) from OBROTY_I_SALDA a where a.id_firmy=1 AND a.id_lata_obrot=2 AND day(a.data_okresu-36163)=1 AND sym_waluty='PLN' AND a.nr_konta in (select p.konto_wn from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 AND n.id_lata_obrot=2 AND day(n.data_okresu-36163)=1 AND n.status>0 union select p.konto_ma from POZ_DOK p inner join NAG_DOK n on p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 AND n.id_lata_obrot=2 AND day(n.data_okresu-36163)=1 AND n.status>0)
