select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select count(*) from POZ_DOK_VIEW_UNION where id_firmy=1 AND (id_lata_obrot=2 AND konto like '201-1%' AND data_okresu=82244)
select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=1
select id_poz_dok,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,lp,kwota_wn,kwota_ma,opis,id_paczka,id_uzyt_k,id_uzyt_p, data_ksieg from POZ_DOK_VIEW_UNION where id_firmy=1 AND (id_lata_obrot=2 AND konto like '201-1%' AND data_okresu=82244) order by id_firmy asc, konto asc, id_poz_dok asc, strona asc
select czy_dwusaldowe from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=201
CALL USTAL_NAZWE_KONTA (1,2,'201')
CALL USTAL_NAZWE_KONTA (1,2,'201-1')
CALL USTAL_NAZWE_KONTA (1,2,'201-10')
CALL USTAL_NAZWE_KONTA (1,2,'201-11')
CALL USTAL_NAZWE_KONTA (1,2,'201-12')
CALL USTAL_NAZWE_KONTA (1,2,'201-13')
CALL USTAL_NAZWE_KONTA (1,2,'201-16')
CALL USTAL_NAZWE_KONTA (1,2,'201-17')
CALL USTAL_NAZWE_KONTA (1,2,'201-18')
