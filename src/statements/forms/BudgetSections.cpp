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

QList<HeaderBox> fixedHeaderBoxes(const QString& code)
{
    const SectionLayout s = budgetSection(code);
    const QStringList& t = s.fixedHeaders;
    auto box = [&t](int i, int row, int rows, int first, int last, int part = 0, int parts = 1) {
        return HeaderBox{t.value(i), row, rows, first, last, part, parts};
    };
    const QString c = s.code.toLower();
    // The balance at the end ("Saldo końcowe") heads the receivables still due, of which the
    // arrears are a part, and the overpayments; the forms put them over their last columns.
    if (c == QLatin1String("rb27spozycje"))
        return {box(0, 0, 1, -3, -1), box(1, 1, 1, -3, -2), box(2, 2, 2, -3, -2), box(3, 3, 1, -2, -2), box(4, 1, 3, -1, -1)};
    if (c == QLatin1String("rb27zzpozycje"))
        return {box(0, 0, 1, -5, -4), box(1, 1, 2, -5, -4), box(2, 0, 1, -3, -1), box(3, 1, 2, -3, -2), box(4, 2, 1, -2, -2),
                box(5, 1, 2, -1, -1)};
    if (c == QLatin1String("rb28spozycje") || c == QLatin1String("rb28spozycje70"))
        return {box(0, 0, 1, -2, -1), box(1, 1, 1, -2, -2), box(2, 1, 1, -1, -1)};
    // The classification is the row's symbol: its three parts share the text column.
    if (c.startsWith(QLatin1String("rb50")))
        return {box(0, 0, 1, 0, 0), box(1, 1, 1, 0, 0, 0, 3), box(2, 1, 1, 0, 0, 1, 3), box(3, 1, 1, 0, 0, 2, 3)};
    // Current and investment tasks each head half of the year columns.
    if (c == QLatin1String("rbzzawarteumowy"))
        return {box(0, 0, 1, 1, HeaderBox::kFirstHalf), box(1, 0, 1, HeaderBox::kSecondHalf, -1)};
    // Otherwise the first text heads the text column ("Wyszczególnienie", "Rozdział") and each
    // further one its amount column.
    QList<HeaderBox> boxes;
    for (int i = 0; i < t.size(); ++i)
        boxes << box(i, 0, 1, i, i);
    return boxes;
}

std::optional<std::pair<int, int>> headerBoxColumns(const HeaderBox& box, int amountColumns)
{
    const int n = amountColumns;
    auto resolve = [n](int k) {
        if (k == HeaderBox::kFirstHalf)
            return (n + 1) / 2;
        if (k == HeaderBox::kSecondHalf)
            return (n + 1) / 2 + 1;
        return k < 0 ? n + 1 + k : k;
    };
    const int first = resolve(box.first), last = resolve(box.last);
    const bool textColumn = box.first == 0 && box.last == 0;
    if (!textColumn && (first < 1 || last < first || last > n))
        return std::nullopt;
    return std::make_pair(first, last);
}

} // namespace pravik::statements
