select min(id_firmy) from FIRMA
select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty from FIRMA where id_firmy=1
select dbo.tg_AdresFirmy(1,82288,'S',1), dbo.tg_AdresFirmy(1,82288,'S',2)
select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=1 order by poczatek_roku desc, id_lata_obrot desc
select id_uzytkownika from UZYTKOWNIK where login='pravik'
select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika
select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE where id_firmy=1 order by id_firmy, poczatek_roku, id_lata_obrot
select sym_waluty, nazwa from WALUTY
select nazwa,id_parametry_wydruku_nag from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=1 AND raport='OBR_ZAP' order by id_uzytkownika,raport,nazwa
select zamkniety_okres, status from LATA_OBROTOWE where id_lata_obrot=2
select w.nr_konta, w.nazwa_konta, w.poziom, s.nr_konta_syn, s.typ_konta, s.czy_dwusaldowe, s.czy_rozrachunkowe, s.czy_walutowe, s.czy_mpk from WARTOSCI_KONT w with (NOLOCK) join KONTA_SYNT s with (NOLOCK) on s.id_firmy=w.id_firmy AND s.id_lata_obrot=w.id_lata_obrot AND s.nr_konta_syn=w.nr_konta_syn where w.id_firmy=1 AND w.id_lata_obrot=2 order by w.id_firmy,w.id_lata_obrot,w.nr_konta
select nazwa, nip, dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',1), dbo.tg_AdresFirmy(id_firmy,<dziś>,'S',2) from FIRMA where id_firmy=1
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='131-' AND nr_konta like '100%' group by nr_konta
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='201-' AND nr_konta like '100%' group by nr_konta
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='202-' AND nr_konta like '100%' group by nr_konta
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,4)='234-' AND nr_konta like '100%' group by nr_konta
select 1,1,1,1,nr_konta,dbo.TG_GetNazwaKonta(1,2,nr_konta) from OBROTY_I_SALDA with (NOLOCK) where id_firmy=1 AND id_lata_obrot=2 AND Substring(nr_konta,1,6)='401-3-' AND nr_konta like '100%' group by nr_konta
select sum(a.kwota_wn) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) ON a.id_nag_dok = b.id_nag_dok where b.data_okresu < 82244 AND a.konto_wn='100' AND b.id_firmy=1 AND b.id_lata_obrot=2 AND b.status=2
select sum(a.kwota_ma) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) ON a.id_nag_dok = b.id_nag_dok where b.data_okresu < 82244 AND a.konto_ma='100' AND b.id_firmy=1 AND b.id_lata_obrot=2 AND b.status=2
select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,nr_dziennika,id_poz_dok,id_nag_dok,strona,id_uzyt_p,id_uzyt_k,data_ksieg from POZ_DOK_VIEW_UNION with (NOLOCK) where id_lata_obrot=2 AND konto='100' AND data_okresu=82244 AND status=2 order by konto,data_okresu,data_ksieg,data_biezaca,data_dok_org,nr_ewid_dok,lp
