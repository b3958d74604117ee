select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE where id_firmy=1 order by id_firmy, poczatek_roku, id_lata_obrot
select 1,nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=2 AND id_opcje=120
select id_paczka, kod_paczki, opis_paczki from PACZKA where id_firmy=1 AND id_lata_obrot=2 order by id_firmy, id_lata_obrot, kod_paczki, id_paczka
select isnull((select ZAMKNIETY_OKRES from LATA_OBROTOWE where ID_LATA_OBROT=2),0)
select nazwa from DRUKARKA order by nazwa
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ-590' AND k.nazwa_kodu='Ilość linii wydruku'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ-590' AND Upper(k.nazwa_kodu)='PAPIER'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ-590' AND k.nazwa_kodu='Górny margines (ilość linii odstępu)'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ-590' AND k.nazwa_kodu='Dolny margines (ilość linii odstępu od stopki)'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ-590' AND Upper(k.nazwa_kodu) IN ('STRONA KODOWA','KODOWANIE')
select poczatek_roku from LATA_OBROTOWE where id_lata_obrot = 2
select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=2
select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',1), dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',2) from FIRMA where id_firmy=1
select nazwa_wartosci from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=2 AND id_opcje=123
select 1,1,1, isnull(sum(kwota_wn),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=2 AND data_okresu<82244 AND id_paczka=14 AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn) <> 'P'
select 1,1,1, isnull(sum(kwota_ma),0) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=2 AND data_okresu<82244 AND id_paczka=14 AND dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_ma) <> 'P'
select count(*) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=2 AND data_okresu=82244 AND id_paczka=14
select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=1
select nr_dziennika,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,opis_dok,nr_poz_dok,tresc_poz_dok,kwota_wn,konto_wn,kwota_ma,konto_ma,id_paczka,id_uzyt_k,id_nag_dok,id_uzyt_p,dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_wn),dbo.TG_GetTypKonta(id_firmy,id_lata_obrot,konto_ma) from POZ_DOK_VIEW_DZIENNIK where id_firmy=1 AND id_lata_obrot=2 AND data_okresu=82244 AND id_paczka=14 order by id_firmy, id_lata_obrot, data_okresu, nr_dziennika, data_biezaca, data_dok_org, nr_dok_org, id_nag_dok, nr_poz_dok, id_poz_dok
