select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
CALL USTAL_NAZWE_KONTA (1,2,'100')
select count(*) from POZ_DOK_VIEW_UNION where id_firmy=1 AND (konto='100' AND data_okresu=82244)
select sum(kwota_wn), sum(kwota_ma) from POZ_DOK_VIEW_UNION where id_firmy=1 AND (konto='100' AND data_okresu=82184)
select sum(kwota_wn), sum(kwota_ma) from POZ_DOK_VIEW_UNION where id_firmy=1 AND (konto='100' AND (data_okresu<82244 AND data_okresu>=82184))
select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=1
select id_poz_dok,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,data_oper_gosp,lp,kwota_wn,kwota_ma,opis,id_paczka,id_uzyt_k,id_uzyt_p, data_ksieg from POZ_DOK_VIEW_UNION where id_firmy=1 AND (konto='100' AND data_okresu=82244) order by id_firmy asc, nr_ewid_dok asc, id_poz_dok asc, strona asc
