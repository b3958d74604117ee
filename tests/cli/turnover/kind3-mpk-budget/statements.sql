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
select w.nr_konta, w.nazwa_konta, w.poziom, s.nr_konta_syn, s.typ_konta, s.czy_dwusaldowe, s.czy_rozrachunkowe, s.czy_walutowe, s.czy_mpk from WARTOSCI_KONT w with (NOLOCK) join KONTA_SYNT s with (NOLOCK) on s.id_firmy=w.id_firmy AND s.id_lata_obrot=w.id_lata_obrot AND s.nr_konta_syn=w.nr_konta_syn where w.id_firmy=1 AND w.id_lata_obrot=2 order by w.id_firmy,w.id_lata_obrot,w.nr_konta
select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',1), dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',2) from FIRMA where id_firmy=1
select poczatek_roku, koniec_roku from LATA_OBROTOWE where id_lata_obrot=2 AND id_firmy=1
delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values('1','500','',0,1,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('2','500-1','',1,2,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('3','500-2','',1,3,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('4','550','',1,4,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00)
CALL OBROTOWKA_RAPORT ('admin',1,2,82244,82184,'PLN',1,'',0,0)
select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,strona,nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id from MPK_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND konto='500-1' AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,strona,drzewo_zbior_id,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=1
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=13
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=21
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=23
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=5
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=32
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=11
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=31
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=2
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=4
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=33
select bt_klasyfikacja,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,'',nr_poz_dok,rodzaj_d,rodzaj_wp,rodzaj_wy,rodzaj_k,rodzaj_z,rodzaj_x,konto_wn,konto_ma from BT_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND (konto_wn='500-1' OR konto_ma='500-1') AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,bt_klasyfikacja,konto_wn,konto_ma
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='500-1' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,strona,nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id from MPK_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND konto='500-2' AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,strona,drzewo_zbior_id,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=12
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=22
select bt_klasyfikacja,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,'',nr_poz_dok,rodzaj_d,rodzaj_wp,rodzaj_wy,rodzaj_k,rodzaj_z,rodzaj_x,konto_wn,konto_ma from BT_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND (konto_wn='500-2' OR konto_ma='500-2') AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,bt_klasyfikacja,konto_wn,konto_ma
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='500-2' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,strona,nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id from MPK_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND konto='550' AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,strona,drzewo_zbior_id,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id
select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=3
select bt_klasyfikacja,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,'',nr_poz_dok,rodzaj_d,rodzaj_wp,rodzaj_wy,rodzaj_k,rodzaj_z,rodzaj_x,konto_wn,konto_ma from BT_VIEW  with (NOLOCK)  where id_lata_obrot=2 AND (konto_wn='550' OR konto_ma='550') AND data_okresu=82244 AND status=2 order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,bt_klasyfikacja,konto_wn,konto_ma
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='550' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
