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
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='131-' group by nr_konta
delete from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values('1','100','',1,1,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('2','101','',1,2,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('3','130','',0,3,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('4','130-1','',1,4,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('5','130-2','',1,5,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('6','131','',0,6,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('7','131-1','',1,7,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('8','131-2','',1,8,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('9','132','',0,9,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('10','132-1','',1,10,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00),('11','132-2','',1,11,1,0,99,0.00,0.00,0.00,0.00,0.00,0.00,0.00,0.00)
CALL OBROTOWKA_RAPORT ('admin',1,2,82244,82184,'PLN',1,'',0,0)
select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='100' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=330 order by id_nag_dok asc, nr_poz_dok asc
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=100 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=201 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=234 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=401 AND typ_konta='P'
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=296 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=319 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=310 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=281 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=304 order by id_nag_dok asc, nr_poz_dok asc
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='101' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=280 order by id_nag_dok asc, nr_poz_dok asc
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=101 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=132 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=409 AND typ_konta='P'
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='130-1' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=301 order by id_nag_dok asc, nr_poz_dok asc
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=130 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=202 AND typ_konta='P'
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=315 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=289 order by id_nag_dok asc, nr_poz_dok asc
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=131 AND typ_konta='P'
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=292 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=324 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=331 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=303 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=284 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=298 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=334 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=291 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=321 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=295 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=294 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=288 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=306 order by id_nag_dok asc, nr_poz_dok asc
select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from POZ_DOK with (NOLOCK) where id_nag_dok=278 order by id_nag_dok asc, nr_poz_dok asc
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=404 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=230 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=229 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=220 AND typ_konta='P'
select 1 from KONTA_SYNT where id_firmy=1 AND id_lata_obrot=2 AND nr_konta_syn=405 AND typ_konta='P'
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='130-2' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='131-1' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='131-2' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='132-1' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where id_lata_obrot=2 AND konto='132-2' AND data_okresu=82244 AND status=2 order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona
