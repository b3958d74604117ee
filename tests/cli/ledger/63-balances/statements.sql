select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select count(*) from OBROTY_I_SALDA where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244 AND sym_waluty='PLN' AND nr_konta like '1%')
select obroty_wn,obroty_ma,saldo_wn,saldo_ma,obroty_wn_w,obroty_ma_w,saldo_wn_w,saldo_ma_w,nr_konta from OBROTY_I_SALDA where id_firmy=1 AND (id_lata_obrot=2 AND data_okresu=82244 AND sym_waluty='PLN' AND nr_konta like '1%') order by id_firmy asc, nr_konta asc, id_obroty_i_salda asc
CALL USTAL_NAZWE_KONTA(1,2,'100')
CALL USTAL_NAZWE_KONTA(1,2,'101')
CALL USTAL_NAZWE_KONTA(1,2,'130')
CALL USTAL_NAZWE_KONTA(1,2,'130-1')
CALL USTAL_NAZWE_KONTA(1,2,'131')
CALL USTAL_NAZWE_KONTA(1,2,'131-1')
CALL USTAL_NAZWE_KONTA(1,2,'131-2')
CALL USTAL_NAZWE_KONTA(1,2,'132')
CALL USTAL_NAZWE_KONTA(1,2,'132-1')
