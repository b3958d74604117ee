#include "statements/forms/BudgetSections.h"

#include <QList>

namespace pravik::statements {

namespace {

const QString kGap;

QList<SectionLayout> sections()
{
    const QStringList receivables = {QStringLiteral("Wyszczególnienie"), QStringLiteral("dłużnicy krajowi"),
                                     QStringLiteral("wierzyciele krajowi"), QStringLiteral("dłużnicy zagraniczni"),
                                     QStringLiteral("wierzyciele zagraniczni")};
    const QStringList guarantees = {QStringLiteral("Wyszczególnienie"), QStringLiteral("dłużnicy"), QStringLiteral("wierzyciele")};
    const QStringList rb50 = {QStringLiteral("Klasyfikacja budżetowa"), QStringLiteral("dział"), QStringLiteral("rozdział"),
                              QStringLiteral("paragraf")};
    const QStringList commitments = {QStringLiteral("Zobowiązania wg stanu na koniec okresu spraw."), QStringLiteral("ogółem"),
                                     QStringLiteral("w tym wymagalne:")};
    return {
        {QStringLiteral("Rb27SPozycje"), FormHeader::General, {},
         {QStringLiteral("Saldo końcowe"), QStringLiteral("należności pozostałe do zapłaty"), QStringLiteral("ogółem          w tym:"),
          QStringLiteral("zaległości"), QStringLiteral("nadpłaty")}, Closing::Signature3},
        {QStringLiteral("Rb27ZZPozycje"), FormHeader::General, {},
         {QStringLiteral("Dochody wykonane"), QStringLiteral("ogółem          w tym:"), QStringLiteral("Saldo końcowe"),
          QStringLiteral("należności pozostałe do zapłaty"), QStringLiteral("zaległości"), QStringLiteral("nadpłaty")},
         Closing::Signature3},
        {QStringLiteral("Rb27ZZNaleznosciA"), FormHeader::None,
         {QStringLiteral("DANE UZUPEŁNIAJĄCE DO SPRAWOZDANIA Rb-27ZZ"), kGap,
          QStringLiteral("A. Należności z tytułu dochodów związanych z realizacją zadań z zakresu administracji rządowej"),
          QStringLiteral("    oraz innych zadań zleconych jednostkom samorządu terytorialnego ustawami w części należnej budżetowi państwa")},
         {QStringLiteral("Rozdział")}, Closing::TotalsAndRule},
        {QStringLiteral("Rb27ZZNaleznosciB"), FormHeader::None,
         {QStringLiteral("B. Należności z tytułu dochodów związanych z realizacją zadań z zakresu administracji rządowej"),
          QStringLiteral("    oraz innych zadań zleconych jednostkom samorządu terytorialnego ustawami w części należnej"),
          QStringLiteral("    jednostkom samorządu terytorialnego na mocy odrębnych przepisów")},
         {QStringLiteral("Rozdział")}, Closing::TotalsRuleSignature3},
        {QStringLiteral("Rb28SPozycje"), FormHeader::General, {}, commitments, Closing::Signature3},
        {QStringLiteral("Rb28SPozycje70"), FormHeader::General, {}, commitments, Closing::Signature3},
        {QStringLiteral("Rb28SDotacjeRozwojowe"), FormHeader::None, {kGap, QStringLiteral("Uzupełniające dane dotyczące dotacji rozwojowej")},
         {QStringLiteral("Wyszczególnienie"), QStringLiteral("Plan"), QStringLiteral("Wykonanie")}, Closing::None},
        {QStringLiteral("Rb28SDotacjeRozwojowe70"), FormHeader::None,
         {kGap, QStringLiteral("Uzupełniające dane dotyczące dotacji rozwojowej")},
         {QStringLiteral("Wyszczególnienie"), QStringLiteral("Plan"), QStringLiteral("Wykonanie")}, Closing::None},
        {QStringLiteral("RbNNaleznosci"), FormHeader::General, {kGap, QStringLiteral("A. Należności oraz wybrane aktywa finansowe")},
         receivables, Closing::None},
        {QStringLiteral("RbZNNaleznosci"), FormHeader::None, {kGap, QStringLiteral("B. Należności oraz wybrane aktywa finansowe")},
         receivables, Closing::Signature3},
        {QStringLiteral("RbNPoreczeniaGwarancje"), FormHeader::None,
         {kGap, QStringLiteral("B. Należności z tytułu udzielonych poręczeń i gwarancji")}, guarantees, Closing::Signature3},
        {QStringLiteral("RbZTytulyDluzne"), FormHeader::General,
         {kGap, QStringLiteral("A. Zobowiązania według tytułów dłużnych (wg wartości nominalnej)")}, receivables, Closing::None},
        {QStringLiteral("RbZNTytulyDluzne"), FormHeader::General, {kGap, QStringLiteral("A. Zobowiązania według tytułów dłużnych")},
         receivables, Closing::None},
        {QStringLiteral("RbZPoreczeniaGwarancje"), FormHeader::None, {kGap, QStringLiteral("B. Poręczenia i gwarancje")}, guarantees,
         Closing::None},
        {QStringLiteral("RbZKredytyPozyczki"), FormHeader::None,
         {kGap, QStringLiteral("C. Uzupełniające dane o kredytach i pożyczkach na realizację programów i projektów finansowanych z udziałem"),
          QStringLiteral("    środków, o których w art. 5 ust. 3 ustawy o finansach publicznych")},
         {QStringLiteral("Wyszczególnienie"), QStringLiteral("długoterminowe")}, Closing::None},
        {QStringLiteral("RbZZawarteUmowy"), FormHeader::None,
         {kGap, QStringLiteral("D. Uzupełniające dane o zobowiązaniach, wynikających z zawartych umów o terminie płatności, na okres "
                               "dłuższy niż 6 miesięcy, "),
          QStringLiteral("    przypadającym w latach następnych (łącznie z leasingiem)")},
         {QStringLiteral("Zadania bieżące"), QStringLiteral("Zadania inwestycyjne")}, Closing::Signature3, true},
        {QStringLiteral("Rb50DPozycje"), FormHeader::Rb50, {}, rb50, Closing::Signature2},
        {QStringLiteral("Rb50WPozycje"), FormHeader::Rb50, {}, rb50, Closing::Signature2},
        {QStringLiteral("Rb50WWydatkiA"), FormHeader::None,
         {kGap, QStringLiteral("           DANE UZUPEŁNIAJĄCE DO SPRAWOZDANIA Rb-50 O WYDATKACH"), kGap,
          QStringLiteral("A. Wydatki (podlegające refundacji) poniesione w roku bieżącym ze środków własnych jst.,"),
          QStringLiteral("    a nie zwrócone w tym roku przez dysponenta środków budżetu państwa")},
         rb50, Closing::None},
        // Part B of the same supplement: the official form letters it "A." by mistake.
        {QStringLiteral("Rb50WWydatkiB"), FormHeader::None,
         {kGap, QStringLiteral("B. Wydatki poniesione przez jst. ze środków własnych w poprzednim roku budżetowym,"),
          QStringLiteral("    a zwrócone z dotacji otrzymanej w danym roku budżetowym")},
         rb50, Closing::Signature2},
        {QStringLiteral("RbWS"), FormHeader::RbWS, {}, {}, Closing::Signature1},
        {QStringLiteral("F01rzis"), FormHeader::F01,
         {QStringLiteral("Część I. PRZYCHODY, KOSZTY I WYNIK FINANSOWY"), QStringLiteral("Dział 1. Rachunek zysków i strat")}, {},
         Closing::None},
        {QStringLiteral("F01aoit"), FormHeader::None, {QStringLiteral("Dział 2. Aktywa obrotowe i trwałe")}, {}, Closing::None},
        {QStringLiteral("F01wzfm"), FormHeader::None, {QStringLiteral("Dział 3. Wybrane źródła finansowania majątku")}, {}, Closing::None},
        // "NAKŁADY" and "środków trwałych": the official texts misspell both.
        {QStringLiteral("F01stwb"), FormHeader::None,
         {QStringLiteral("Część II. NAKŁADY NA ŚRODKI TRWAŁE"),
          QStringLiteral("Dział 1. Środki trwałe w budowie - nowo rozpoczęte w okresie sprawozdawczym")}, {}, Closing::None},
        {QStringLiteral("F01nnbuinst"), FormHeader::None,
         {QStringLiteral("Dział 2. Nakłady na budowę, ulepszenie i nabycie środków trwałych oraz nabycie wartości niematerialnych i prawnych")},
         {}, Closing::None},
        {QStringLiteral("F01l"), FormHeader::None, {QStringLiteral("Dział 3. Leasing")}, {}, Closing::None},
    };
}

} // namespace

SectionLayout budgetSection(const QString& code)
{
    static const QList<SectionLayout> table = sections();
    for (const SectionLayout& s : table)
        if (s.code.compare(code.trimmed(), Qt::CaseInsensitive) == 0)
            return s;
    SectionLayout plain;
    plain.code = code.trimmed();
    return plain;
}

bool isBudgetSection(const QString& code)
{
    return budgetSection(code).closing != Closing::EndOfPrintout || budgetSection(code).header != FormHeader::None;
}

QStringList signatureBlockTexts(Closing block)
{
    switch (block) {
    case Closing::Signature1:
        return {QStringLiteral("Tel. ...................................."), QStringLiteral("Data: ..................................."),
                QStringLiteral("Sporządził: .........................."),
                QStringLiteral("Główny księgowy/Skarbnik: ..............................."),
                QStringLiteral("Kierownik jednostki/Przewodniczący zarządu: ...............................")};
    case Closing::Signature2:
    case Closing::Signature3:
    case Closing::TotalsRuleSignature3:
        return {QStringLiteral("Główny Księgowy / Skarbnik"), QStringLiteral("telefon"), QStringLiteral("rok m-c dzień"),
                QStringLiteral("Kierownik jednostki / Przewodniczący Zarządu")};
    case Closing::EndOfPrintout:
        return {QStringLiteral("Koniec wydruku")};
    case Closing::None:
    case Closing::TotalsAndRule:
        return {};
    }
    return {};
}

} // namespace pravik::statements
