select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE where id_firmy=1 order by id_firmy, poczatek_roku, id_lata_obrot
select sym_waluty, nazwa from WALUTY
select nazwa,id_parametry_wydruku_nag from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=1 AND raport='OBR_A' order by id_uzytkownika,raport,nazwa
select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=2
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='OKI Microline 3390' AND k.nazwa_kodu='Ilość linii wydruku'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='OKI Microline 3390' AND Upper(k.nazwa_kodu)='PAPIER'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='OKI Microline 3390' AND k.nazwa_kodu='Górny margines (ilość linii odstępu)'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='OKI Microline 3390' AND k.nazwa_kodu='Dolny margines (ilość linii odstępu od stopki)'
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='OKI Microline 3390' AND Upper(k.nazwa_kodu) IN ('STRONA KODOWA','KODOWANIE')
select w.nr_konta, w.nazwa_konta, w.poziom, s.nr_konta_syn, s.typ_konta, s.czy_dwusaldowe, s.czy_rozrachunkowe, s.czy_walutowe, s.czy_mpk from WARTOSCI_KONT w with (NOLOCK) join KONTA_SYNT s with (NOLOCK) on s.id_firmy=w.id_firmy AND s.id_lata_obrot=w.id_lata_obrot AND s.nr_konta_syn=w.nr_konta_syn where w.id_firmy=1 AND w.id_lata_obrot=2 order by w.id_firmy,w.id_lata_obrot,w.nr_konta
select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',1), dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',2) from FIRMA where id_firmy=1
select poczatek_roku, koniec_roku from LATA_OBROTOWE where id_lata_obrot=2 AND id_firmy=1
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='131-' group by nr_konta
delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values('1','100','',1,1,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('2','101','',1,2,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('3','130','',0,3,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('4','130-1','',1,4,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('5','130-2','',1,5,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('6','131','',0,6,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('7','131-1','',1,7,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('8','131-2','',1,8,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('9','132','',0,9,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('10','132-1','',1,10,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('11','132-2','',1,11,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00)
CALL OBROTOWKA_RAPORT ('admin',1,2,82244,82184,'PLN',1,'',0,0)
select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
