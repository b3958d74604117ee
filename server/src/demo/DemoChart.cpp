#include "server/src/demo/DemoChart.h"

#include "server/src/demo/DemoRandom.h"

#include <QStringList>

namespace pravik::server::demo {

const QList<SyntheticAccount>& syntheticAccounts()
{
    static const QList<SyntheticAccount> list = {
        {10, "Środki trwałe", 'B', false, false, false, false},
        {20, "Wartości niematerialne i prawne", 'B', false, false, false, false},
        {70, "Odpisy umorzeniowe środków trwałych", 'B', false, false, false, false},
        {100, "Kasa krajowych środków pieniężnych", 'B', false, false, false, false},
        {101, "Kasa walut obcych", 'B', false, false, true, false},
        {130, "Rachunek bankowy", 'B', false, false, false, false},
        {131, "Rachunki bankowe – kartoteka", 'B', false, false, false, false},
        {132, "Rachunek walutowy", 'B', false, false, true, false},
        {201, "Rozrachunki z odbiorcami", 'B', true, true, false, false},
        {202, "Rozrachunki z dostawcami", 'B', true, true, false, false},
        {203, "Rozrachunki z kontrahentami zagranicznymi", 'B', true, true, true, false},
        {220, "Rozrachunki publicznoprawne", 'B', false, false, false, false},
        {229, "Rozrachunki z tytułu ubezpieczeń społecznych", 'B', false, false, false, false},
        {230, "Rozrachunki z tytułu wynagrodzeń", 'B', false, true, false, false},
        {234, "Pozostałe rozrachunki z pracownikami", 'B', true, true, false, false},
        {240, "Pozostałe rozrachunki", 'B', true, false, false, false},
        {300, "Rozliczenie zakupu", 'B', false, false, false, false},
        {330, "Towary", 'B', false, false, false, false},
        {400, "Amortyzacja", 'W', false, false, false, false},
        {401, "Zużycie materiałów i energii", 'W', false, false, false, false},
        {402, "Usługi obce", 'W', false, false, false, true},
        {403, "Podatki i opłaty", 'W', false, false, false, false},
        {404, "Wynagrodzenia", 'W', false, false, false, false},
        {405, "Ubezpieczenia społeczne i inne świadczenia", 'W', false, false, false, false},
        {409, "Pozostałe koszty rodzajowe", 'W', false, false, false, false},
        {490, "Rozliczenie kosztów", 'W', false, false, false, false},
        {500, "Koszty działalności podstawowej", 'W', false, false, false, true},
        {550, "Koszty zarządu", 'W', false, false, false, true},
        {640, "Rozliczenia międzyokresowe czynne kosztów", 'B', false, false, false, false},
        {700, "Sprzedaż produktów", 'W', false, false, false, false},
        {730, "Sprzedaż towarów", 'W', false, false, false, false},
        {731, "Wartość sprzedanych towarów w cenach zakupu", 'W', false, false, false, false},
        {750, "Przychody finansowe", 'W', false, false, false, false},
        {751, "Koszty finansowe", 'W', false, false, false, false},
        {800, "Kapitał zakładowy", 'B', false, false, false, false},
        {820, "Rozliczenie wyniku finansowego", 'B', false, false, false, false},
        {860, "Wynik finansowy", 'B', false, false, false, false},
        {975, "Obce środki trwałe używane na podstawie umów najmu", 'P', false, false, false, false},
        {990, "Zobowiązania warunkowe – udzielone gwarancje", 'P', false, false, false, false},
    };
    return list;
}

const QList<AnalyticAccount>& analyticAccounts()
{
    static const QList<AnalyticAccount> list = {
        {"130-1", "Rachunek podstawowy – PKO BP", "", ""},
        {"130-2", "Rachunek pomocniczy – mBank", "", ""},
        {"131-x", "Rachunki bankowe firmy", "RACHUNKI", ""},
        {"132-1", "Rachunek walutowy EUR", "", "EUR"},
        {"132-2", "Rachunek walutowy USD", "", "USD"},
        {"201-x", "Odbiorcy krajowi", "KONTRAHENCI", ""},
        {"202-x", "Dostawcy krajowi", "KONTRAHENCI", ""},
        {"203-1", "Odbiorcy zagraniczni – rozliczenia w EUR", "", "EUR"},
        {"203-2", "Dostawcy zagraniczni – rozliczenia w USD", "", "USD"},
        {"220-1", "VAT należny", "", ""},
        {"220-2", "VAT naliczony", "", ""},
        {"220-3", "Podatek dochodowy od osób fizycznych", "", ""},
        {"220-4", "Podatek dochodowy od osób prawnych", "", ""},
        {"234-x", "Rozrachunki z pracownikami – zaliczki", "PRACOWNICY", ""},
        {"401-1", "Materiały biurowe", "", ""},
        {"401-2", "Energia elektryczna", "", ""},
        {"401-3", "Paliwo", "", ""},
        {"401-3-x", "Paliwo – samochody służbowe", "SAMOCHODY", ""},
        {"402-1", "Usługi transportowe", "", ""},
        {"402-2", "Usługi informatyczne", "", ""},
        {"402-2-1", "Hosting i utrzymanie serwerów", "", ""},
        {"402-2-2", "Licencje oprogramowania", "", ""},
        {"402-2-2-1", "Licencje od dostawców krajowych", "", ""},
        {"402-2-2-2", "Licencje od dostawców zagranicznych", "", ""},
        {"402-3", "Najem lokalu biurowego", "", ""},
        {"500-1", "Dział handlowy", "", ""},
        {"500-2", "Dział usług", "", ""},
        {"700-1", "Sprzedaż krajowa", "", ""},
        {"700-2", "Sprzedaż eksportowa", "", ""},
        {"750-1", "Odsetki otrzymane", "", ""},
        {"750-2", "Dodatnie różnice kursowe", "", ""},
        {"751-1", "Odsetki zapłacone", "", ""},
        {"751-2", "Ujemne różnice kursowe", "", ""},
    };
    return list;
}

QString contractorName(DemoRandom& rnd)
{
    static const QStringList forms = {
        QStringLiteral("Przedsiębiorstwo Handlowe „%1”"), QStringLiteral("Zakład Usługowy „%1”"),
        QStringLiteral("%1 Sp. z o.o."), QStringLiteral("%1 i Wspólnicy Sp. j."), QStringLiteral("Hurtownia „%1”"),
        QStringLiteral("Piekarnia „%1” s.c."), QStringLiteral("Biuro Rachunkowe %1"), QStringLiteral("%1 S.A."),
        QStringLiteral("Spółdzielnia „%1”"), QStringLiteral("Pracownia Stolarska %1")};
    static const QStringList words = {
        QStringLiteral("Żuraw"), QStringLiteral("Wiśniewski"), QStringLiteral("Gąsiorowski"), QStringLiteral("Łąka"),
        QStringLiteral("Źródło"), QStringLiteral("Bursztyn"), QStringLiteral("Świtała"), QStringLiteral("Kędzierski"),
        QStringLiteral("Dąbrowa"), QStringLiteral("Ślęża"), QStringLiteral("Mściwój"), QStringLiteral("Pszczółka"),
        QStringLiteral("Wróblewska"), QStringLiteral("Zięba"), QStringLiteral("Orzeł Biały"), QStringLiteral("Sójka"),
        QStringLiteral("Chmielewski"), QStringLiteral("Grześkowiak"), QStringLiteral("Jaśmin"), QStringLiteral("Bałtyk")};
    return rnd.pick(forms).arg(rnd.pick(words));
}

PersonName personName(DemoRandom& rnd)
{
    static const QList<PersonName> people = {
        {QStringLiteral("Kowalska"), QStringLiteral("Małgorzata")}, {QStringLiteral("Nowak"), QStringLiteral("Łukasz")},
        {QStringLiteral("Wiśniewski"), QStringLiteral("Paweł")}, {QStringLiteral("Wójcik"), QStringLiteral("Zofia")},
        {QStringLiteral("Kamińska"), QStringLiteral("Agnieszka")}, {QStringLiteral("Lewandowski"), QStringLiteral("Michał")},
        {QStringLiteral("Zieliński"), QStringLiteral("Grzegorz")}, {QStringLiteral("Szymańska"), QStringLiteral("Jadwiga")},
        {QStringLiteral("Woźniak"), QStringLiteral("Bożena")}, {QStringLiteral("Dąbrowski"), QStringLiteral("Wojciech")},
        {QStringLiteral("Kozłowska"), QStringLiteral("Elżbieta")}, {QStringLiteral("Jankowski"), QStringLiteral("Bartłomiej")},
        {QStringLiteral("Mazur"), QStringLiteral("Józef")}, {QStringLiteral("Krawczyk"), QStringLiteral("Żaneta")},
        {QStringLiteral("Piątek"), QStringLiteral("Ryszard")}, {QStringLiteral("Grabowska"), QStringLiteral("Urszula")}};
    return rnd.pick(people);
}

QString polishMonthName(int month)
{
    static const QStringList names = {
        QStringLiteral("styczeń"), QStringLiteral("luty"), QStringLiteral("marzec"), QStringLiteral("kwiecień"),
        QStringLiteral("maj"), QStringLiteral("czerwiec"), QStringLiteral("lipiec"), QStringLiteral("sierpień"),
        QStringLiteral("wrzesień"), QStringLiteral("październik"), QStringLiteral("listopad"), QStringLiteral("grudzień")};
    return names.value(month - 1);
}

} // namespace pravik::server::demo
