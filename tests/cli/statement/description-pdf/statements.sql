select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 AND id_lata_obrot=2 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='admin'
CALL ZESTAWIENIE_GENERUJ(1,2,1,3,1,0,82242,0,0,0,0,1)
select id_zestaw_nag,nazwa,wariant,ilosc_kolumn,etykieta_0,etykieta_1,etykieta_2,etykieta_3,etykieta_4,etykieta_5,etykieta_6,etykieta_7,etykieta_8,etykieta_9,etykieta_10,etykieta_11,etykieta_12,etykieta_13,etykieta_14,etykieta_15,etykieta_16,etykieta_17,etykieta_18,etykieta_19,etykieta_20 from ZESTAW_NAG where id_zestaw_nag=3
select coalesce(max(abs(poziom)),0) from ZESTAW_ZESTAW where id_zestaw_nag = 3 AND (id_uzytkownika=1 AND wariant_zestaw=1)
select sum(abs(kol1)),sum(abs(kol2)) from ZESTAW_ZESTAW where id_zestaw_nag = 3 AND (id_uzytkownika=1 AND wariant_zestaw=1)
select opis, symbol, poziom, arg1, kol1,kol2 from ZESTAW_ZESTAW where id_zestaw_nag = 3 AND (id_uzytkownika=1 AND wariant_zestaw=1) order by lp
