select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=2
select dbo.tg_AdresFirmy(2,82288,'S',1), dbo.tg_AdresFirmy(2,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=2 AND id_lata_obrot=3 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select count(*) from POZ_DOK_VIEW_UNION (NOLOCK) where id_firmy=2 AND (konto='100' AND data_okresu=82216)
select nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,lp,kwota_wn,kwota_ma,kwota_wn_w,kwota_ma_w,opis,strona,id_poz_dok,id_nag_dok,id_lata_obrot,konto from POZ_DOK_VIEW_UNION (NOLOCK) where id_firmy=2 AND (konto='100' AND data_okresu=82216) order by id_firmy asc, id_lata_obrot asc, konto asc, nr_ewid_dok asc, id_poz_dok asc, strona asc
