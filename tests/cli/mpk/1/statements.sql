select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select count(*) from MPK_VIEW where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244)
select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=1
select id_mpk_dane,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,nr_poz_dok,kwota,tresc_poz_dok,id_paczka,data_oper_gosp,id_lata_obrot from MPK_VIEW where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244) order by id_firmy asc, nr_ewid_dok asc, id_mpk_dane asc
CALL USTAL_NAZWE_KONTA (1,2,'402-1')
CALL USTAL_NAZWE_KONTA (1,2,'402-2-1')
CALL USTAL_NAZWE_KONTA (1,2,'402-2-2-1')
CALL USTAL_NAZWE_KONTA (1,2,'402-2-2-2')
CALL USTAL_NAZWE_KONTA (1,2,'402-3')
CALL USTAL_NAZWE_KONTA (1,2,'500-1')
CALL USTAL_NAZWE_KONTA (1,2,'500-2')
CALL USTAL_NAZWE_KONTA (1,2,'550')
