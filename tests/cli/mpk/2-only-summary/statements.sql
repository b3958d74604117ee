select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select count(*) from MPK_VIEW where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244)
select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=1
select wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id,drzewo_zbior_id,id_mpk_dane,strona,kwota,tresc_poz_dok,id_lata_obrot from MPK_VIEW where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244) order by id_firmy asc, nr_ewid_dok asc, id_mpk_dane asc
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=2
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=3
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=12
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=23
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=31
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=22
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=5
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=13
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=21
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=32
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=1
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=11
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=4
select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK where id_firmy=1 AND id_mpk_slownik_wskaznik=33
