-- Statement generation
delete from KOMUNIKAT where id_uzytkownika=9 AND kontekst='ZESTZAK'
insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(9,'ZESTZAK','1','81453','81818',8)
-- expect: 1
CALL ZESTAWIENIE_GENERUJ(1,5,9,8,1,81453,81818,0,0,0,0,1)
-- expect: 1
select 1 from ZESTAW_NAG where id_zestaw_nag = 8 AND upper(typ) = 'BA'
-- expect: 2
select a.id_zestaw_grupa from ZESTAW_NAG a inner join ZESTAW_GRUPA b on  a.id_zestaw_grupa = b.id_zestaw_grupa where a.id_zestaw_nag=8
-- expect: 3
select max(abs(a.poziom)) from ZESTAW_POZ a inner join ZESTAW_NAG b on a.id_zestaw_nag = b.id_zestaw_nag where  b.id_zestaw_grupa = 2
-- expect: 1
select 1 from ZESTAW_POZ where id_zestaw_nag = 8 AND isnull(typ,'') <> ''
-- expect: 4
select isnull((select top 1 l.id_lata_obrot from LATA_OBROTOWE l where l.id_firmy=1 AND l.poczatek_roku < isnull((select o.poczatek_roku from LATA_OBROTOWE o where o.id_lata_obrot=5),0) order by l.poczatek_roku desc),0)
-- expect: 1
select 1 from ZESTAW_NAG where id_zestaw_nag=8 AND (CZY_BO_1=1 OR CZY_BO_2=1)
-- expect: 81088
select min(poczatek_roku) from LATA_OBROTOWE where id_firmy= 1 AND id_lata_obrot in (4,5)
-- Multi-column printout
-- expect: Aktywa|0|0|A|1|x
select opis, kol1, kol2, symbol, poziom, arg1 from ZESTAW_ZESTAW where id_zestaw_nag = 8 AND id_uzytkownika=9 order by lp
-- expect: 2
select isnull(max(poziom),0) from ZESTAW_ZESTAW where id_zestaw_nag = 8 AND id_uzytkownika=9
-- Budget report forms
-- expect: 1
select 1 predef from ZESTAW_GRUPA where id_zestaw_grupa=2
-- expect: Przedsiębiorstwo "Łąka" Sp. z o.o.
select nazwa_pelna from FIRMA where id_firmy =1
-- expect: adres 1|adres 2
select  dbo.tg_AdresFirmy(1,81453,'S',1), dbo.tg_AdresFirmy(1,81453,'S',2) from FIRMA where id_firmy =1
-- expect: BeKodW|BeKodP
select dbo.fn_fk_PobierzParamGlo(1,'BeKodW'),dbo.fn_fk_PobierzParamGlo(1,'BeKodP')
-- expect: mazowieckie|warszawski|Warszawa
select top 1 wojewodztwo,powiat,gmina from ADRESY_FIRMY where id_firmy=1 AND data_od<=81500 AND typ_adresu='S' order by data_od asc
-- expect: 123456789
select Substring(regon,1,9) from FIRMA where id_firmy=1
delete from ZESTAW_ZESTAW where id_zestaw_nag=8 AND id_uzytkownika=9 AND wariant_zestaw=1 AND len(isnull(arg1,''))>0 AND isnull(kol1,0)=0 AND isnull(kol2,0)=0 AND isnull(kol3,0)=0 AND isnull(kol4,0)=0 AND isnull(kol5,0)=0 AND isnull(kol6,0)=0 AND isnull(kol7,0)=0 AND isnull(kol8,0)=0 AND isnull(kol9,0)=0 AND isnull(kol10,0)=0 AND isnull(kol11,0)=0 AND isnull(kol12,0)=0 AND isnull(kol13,0)=0 AND isnull(kol14,0)=0 AND isnull(kol15,0)=0 AND isnull(kol16,0)=0 AND isnull(kol17,0)=0 AND isnull(kol18,0)=0 AND isnull(kol19,0)=0 AND isnull(kol20,0)=0
-- expect: B
select symbol from ZESTAW_ZESTAW where id_zestaw_nag=8
-- Export settings
delete from SPEC_EKSPORT where id_firmy = 1 AND typ='SPD'
insert into  SPEC_EKSPORT (p1,p2,p3,p4,p5,p6,p7,p8,p9,p10,id_firmy,typ)  values(';','"','"','','','','','','',''  ,1,'SPD')
-- expect: ;|"|"|
select  p1, p2, p3, p4 from SPEC_EKSPORT where id_firmy =1 AND typ='SPD'
-- Definition printouts
-- expect: S(201)+S(202)
select formula from ZESTAW_POZ_FORMULA where id_zestaw_poz=1 AND nr_kolumny = 1
-- User lists
-- expect: 201-1
select distinct konto from POZ_DOK_VIEW_UNION where id_firmy=1 AND (Left(KONTO,3)>='200' AND Left(KONTO,3)<='201')
-- expect: 7502
select Substring(bt_klasyfikacja,1,4) as btk from BT_VIEW where id_firmy=1 group by Substring(bt_klasyfikacja,1,4) order by btk
-- expect: 75023-4210
select bt_klasyfikacja as btk from BT_VIEW where id_firmy=1 group by bt_klasyfikacja order by btk
-- expect: none
CALL SZUKAJ_KONTA (1,5,'20',1)
-- expect: 2
select count(*) from ZAZNACZENIE where id_uzytkownika=9 AND id_browsera=11
-- expect: 81453
select tekst2 from KOMUNIKAT where id_uzytkownika=9 AND kontekst='ZESTZAK' AND id_zasobu=8 order by lp asc
-- expect: 1
select 1 from ZESTAW_LISTA_UZ_NAG where ID_UZYTKOWNIKA=9 AND TYP = 'K' AND NAZWA  = 'Moja lista'
insert into ZESTAW_LISTA_UZ_NAG (NAZWA, TYP, ID_UZYTKOWNIKA) values ('Druga', 'K', 9)
-- expect: 1
select ID_ZESTAW_LISTA_UZ_NAG from ZESTAW_LISTA_UZ_NAG where NAZWA = 'Moja lista' AND TYP = 'K' AND ID_UZYTKOWNIKA=9
-- expect: 201
select tekst_1 from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag = 1 order by lp
delete from ZESTAW_LISTA_UZ_NAG where ID_ZESTAW_LISTA_UZ_NAG=1
insert into KOMUNIKAT(id_uzytkownika,kontekst,id_zasobu,tekst1,tekst2,tekst3,tekst4,tekst5,lp) values(9,'ZESTAW_K',8,'201',dbo.TG_GetNazwaKonta(1,5,'201'),'','','',1)
-- expect: Nazwa 201
select tekst2 from KOMUNIKAT where id_uzytkownika=9 AND kontekst='ZESTAW_K' AND id_zasobu=8 order by lp asc
