select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=2
select dbo.tg_AdresFirmy(2,82288,'S',1), dbo.tg_AdresFirmy(2,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=2 AND id_lata_obrot=3 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='admin'
CALL ZESTAWIENIE_GENERUJ(2,3,1,5,1,82184,82273,0,0,0,0,1)
select id_zestaw_nag,nazwa,wariant,ilosc_kolumn,etykieta_0,etykieta_1,etykieta_2,etykieta_3,etykieta_4,etykieta_5,etykieta_6,etykieta_7,etykieta_8,etykieta_9,etykieta_10,etykieta_11,etykieta_12,etykieta_13,etykieta_14,etykieta_15,etykieta_16,etykieta_17,etykieta_18,etykieta_19,etykieta_20 from ZESTAW_NAG where id_zestaw_grupa=2 AND id_firmy=2
select id_zestaw_nag from ZESTAW_NAG where upper(typ)='BA' AND id_zestaw_nag in (5)
select coalesce(max(abs(poziom)),0) from ZESTAW_ZESTAW where id_zestaw_nag = 5 AND (id_uzytkownika=1 AND wariant_zestaw=1)
select sum(abs(kol1)),sum(abs(kol2)),sum(abs(kol3)),sum(abs(kol4)) from ZESTAW_ZESTAW where id_zestaw_nag = 5 AND (id_uzytkownika=1 AND wariant_zestaw=1)
select nazwa_pelna from FIRMA where id_firmy =2
select  dbo.tg_AdresFirmy(2,82273,'S',1), dbo.tg_AdresFirmy(2,82273,'S',2) from FIRMA where id_firmy =2
select regon from FIRMA where id_firmy=2
select dbo.fn_fk_PobierzParamGlo(2,'BeKodW'),dbo.fn_fk_PobierzParamGlo(2,'BeKodP'),dbo.fn_fk_PobierzParamGlo(2,'BeKodG'),dbo.fn_fk_PobierzParamGlo(2,'BeTypG'),dbo.fn_fk_PobierzParamGlo(2,'BeKodMSWiA')
select top 1 wojewodztwo,powiat,gmina from ADRESY_FIRMY where id_firmy=2 AND data_od<=82273 AND typ_adresu='S' order by data_od asc
select opis, symbol, poziom, arg1, kol1,kol2,kol3,kol4 from ZESTAW_ZESTAW where id_zestaw_nag = 5 AND (id_uzytkownika=1 AND wariant_zestaw=1) order by lp
