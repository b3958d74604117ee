-- Pass-through lists padded with constants
-- expect: 1|1|1|1|K17
select 1,1,1,1,'K'+convert(varchar(20),kod_kontrahenta) from KONTRAHENT with (NOLOCK) where id_firmy=1 AND kod_kontrahenta=17
-- expect: 1|HAL-A
select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=7
-- expect: 81453
select poczatek_roku from LATA_OBROTOWE where id_lata_obrot=5
-- Saved print variants
-- expect: none
select nazwa,id_parametry_wydruku_nag from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=9 AND raport='PRN_OBROTY_SQL' order by id_uzytkownika,raport,nazwa
delete from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=9 AND raport='PRN_OBROTY_SQL' AND nazwa='Mój wariant'
-- expect: 1
select isnull(max(id_parametry_wydruku_nag),0)+1 from PARAMETRY_WYDRUKU_NAG
insert into PARAMETRY_WYDRUKU_NAG (id_parametry_wydruku_nag,id_uzytkownika,raport,nazwa) values(1,9,'PRN_OBROTY_SQL','Mój ''wariant'' (NOLOCK)')
insert into PARAMETRY_WYDRUKU_POZ (id_parametry_wydruku_nag,parametr,wartosc) values(1,1,'201%')
-- expect: 1|201%
select parametr, wartosc from PARAMETRY_WYDRUKU_POZ where id_parametry_wydruku_nag=1 order by id_parametry_wydruku_nag,parametr
-- expect: Mój 'wariant' (NOLOCK)
select nazwa from PARAMETRY_WYDRUKU_NAG where id_uzytkownika=9 AND raport='PRN_OBROTY_SQL'
-- expect: 2
select isnull(max(id_parametry_wydruku_nag),0)+1 from PARAMETRY_WYDRUKU_NAG
delete from PARAMETRY_WYDRUKU_NAG where id_parametry_wydruku_nag=1
-- Text-printer page setup
-- expect: 66
select k.wartosc_domyslna from KOD_STERUJACY k inner join DRUKARKA d on k.id_drukarki=d.id_drukarki where d.nazwa='Epson LQ' AND k.nazwa_kodu='Ilość linii wydruku'
