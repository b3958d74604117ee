select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=2
select dbo.tg_AdresFirmy(2,82288,'S',1), dbo.tg_AdresFirmy(2,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=2 AND id_lata_obrot=3 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select min(data_okresu) from POZ_DOK_VIEW_UNION where id_firmy=2 AND (konto='100' AND (data_okresu<=82244))
select sum(kwota_wn), sum(kwota_ma) from POZ_DOK_VIEW_UNION where id_firmy=2 AND id_lata_obrot=3 AND konto='100' AND data_okresu<82185
select count(*) from POZ_DOK_VIEW_UNION (NOLOCK) where id_firmy=2 AND (konto='100' AND (data_okresu<=82244))
select nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,lp,kwota_wn,kwota_ma,kwota_wn_w,kwota_ma_w,opis,strona,id_poz_dok,id_nag_dok,id_lata_obrot,konto from POZ_DOK_VIEW_UNION (NOLOCK) where id_firmy=2 AND (konto='100' AND (data_okresu<=82244)) order by id_firmy asc, id_lata_obrot asc, konto asc, nr_ewid_dok asc, id_poz_dok asc, strona asc
select bt_klasyfikacja, rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, rodzaj_x from BT_DANE where id_poz_dok=2131
select drzewo_zbior_id,wskaznik_1,wskaznik_2,wskaznik_3,wskaznik_4,wskaznik_5,kwota,strona from MPK_VIEW where id_poz_dok=2131 AND konto='100'
select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=101
select bt_klasyfikacja, rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, rodzaj_x from BT_DANE where id_poz_dok=2132
select drzewo_zbior_id,wskaznik_1,wskaznik_2,wskaznik_3,wskaznik_4,wskaznik_5,kwota,strona from MPK_VIEW where id_poz_dok=2132 AND konto='100'
select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=105
select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=102
select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=103
select bt_klasyfikacja, rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, rodzaj_x from BT_DANE where id_poz_dok=2133
select drzewo_zbior_id,wskaznik_1,wskaznik_2,wskaznik_3,wskaznik_4,wskaznik_5,kwota,strona from MPK_VIEW where id_poz_dok=2133 AND konto='100'
select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=104
