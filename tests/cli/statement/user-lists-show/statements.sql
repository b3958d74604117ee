select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 AND id_lata_obrot=2 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='admin'
CALL ZESTAWIENIE_GENERUJ(1,2,1,4,1,0,82214,0,0,0,0,1)
