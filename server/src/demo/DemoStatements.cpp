#include "server/src/demo/DemoStatements.h"

#include "platform/sql/Quote.h"

#include <QStringList>

namespace pravik::server::demo {

namespace {

struct RowDef {
    int level;
    QString name;
    QStringList formulas; // one for every column, or one for all
    QString type = {};
    QString symbol = {};
};

struct StatementDef {
    int group;
    QString name;
    QStringList captions;   // text column first, then one per amount column
    QList<int> years;       // id_lo_n per column (0: the working year)
    QList<int> opening;     // czy_bo_n per column
    QList<RowDef> rows;
    int company = 1;
    QString type = {};    // 'BA' for a section of a budget form
    QString variant = {}; // its section code
};

struct GroupDef {
    int id;
    int company;
    QString name;
    QString type; // the form code of a budget form
    int predef;
};

QList<StatementDef> statements()
{
    // Revenue is read from the credit turnovers and costs from the debit ones, so that the
    // closing entries (BZ), which reverse them, never zero the year's figures.
    const StatementDef profitAndLoss{
        1, QStringLiteral("Rachunek zysków i strat (wariant porównawczy)"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("Rok bieżący"), QStringLiteral("Rok poprzedni")},
        {0, 1}, {0, 0},
        {
            {1, QStringLiteral("A. Przychody netto ze sprzedaży i zrównane z nimi"), {QStringLiteral("W(2)+W(3)")}},
            {2, QStringLiteral("I. Przychody netto ze sprzedaży produktów"), {QStringLiteral("MA(\"700*\")")}},
            {2, QStringLiteral("II. Przychody netto ze sprzedaży towarów i materiałów"), {QStringLiteral("MA(\"730*\")")}},
            {1, QStringLiteral("B. Koszty działalności operacyjnej"), {QStringLiteral("W(5)+W(6)+W(7)+W(8)+W(9)+W(10)+W(11)+W(12)")}},
            {2, QStringLiteral("I. Amortyzacja"), {QStringLiteral("WN(\"400*\")")}},
            {2, QStringLiteral("II. Zużycie materiałów i energii"), {QStringLiteral("WN(\"401*\")")}},
            {2, QStringLiteral("III. Usługi obce"), {QStringLiteral("WN(\"402*\")")}},
            {2, QStringLiteral("IV. Podatki i opłaty"), {QStringLiteral("WN(\"403*\")")}},
            {2, QStringLiteral("V. Wynagrodzenia"), {QStringLiteral("WN(\"404*\")")}},
            {2, QStringLiteral("VI. Ubezpieczenia społeczne i inne świadczenia"), {QStringLiteral("WN(\"405*\")")}},
            {2, QStringLiteral("VII. Pozostałe koszty rodzajowe"), {QStringLiteral("WN(\"409*\")")}},
            {2, QStringLiteral("VIII. Wartość sprzedanych towarów i materiałów"), {QStringLiteral("WN(\"731*\")")}},
            {1, QStringLiteral("C. Zysk (strata) ze sprzedaży (A-B)"), {QStringLiteral("W(1)-W(4)")}},
            {1, QStringLiteral("D. Przychody finansowe"), {QStringLiteral("MA(\"750*\")")}},
            {1, QStringLiteral("E. Koszty finansowe"), {QStringLiteral("WN(\"751*\")")}},
            {1, QStringLiteral("F. Zysk (strata) brutto (C+D-E)"), {QStringLiteral("W(13)+W(14)-W(15)")}},
        }};

    auto costRow = [](const QString& mask, const QString& name) {
        const QString m = QStringLiteral("\"%1\"").arg(mask);
        return RowDef{2, name, {QStringLiteral("WN(%1)").arg(m), QStringLiteral("MA(%1)").arg(m), QStringLiteral("K(1)-K(2)")}};
    };
    const StatementDef costs{
        1, QStringLiteral("Koszty rodzajowe"),
        {QStringLiteral("Rodzaj kosztów"), QStringLiteral("Obroty Wn"), QStringLiteral("Obroty Ma"), QStringLiteral("Saldo")},
        {0, 0, 0}, {0, 0, 0},
        {
            costRow(QStringLiteral("400*"), QStringLiteral("Amortyzacja")),
            costRow(QStringLiteral("401*"), QStringLiteral("Zużycie materiałów i energii")),
            costRow(QStringLiteral("402*"), QStringLiteral("Usługi obce")),
            costRow(QStringLiteral("403*"), QStringLiteral("Podatki i opłaty")),
            costRow(QStringLiteral("404*"), QStringLiteral("Wynagrodzenia")),
            costRow(QStringLiteral("405*"), QStringLiteral("Ubezpieczenia społeczne i inne świadczenia")),
            costRow(QStringLiteral("409*"), QStringLiteral("Pozostałe koszty rodzajowe")),
            {1, QStringLiteral("Razem koszty rodzajowe"),
             {QStringLiteral("W(1)+W(2)+W(3)+W(4)+W(5)+W(6)+W(7)"), QStringLiteral("W(1)+W(2)+W(3)+W(4)+W(5)+W(6)+W(7)"),
              QStringLiteral("K(1)-K(2)")}},
        }};

    const StatementDef balance{
        0, QStringLiteral("Bilans"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("Stan na początek roku"), QStringLiteral("Stan na koniec okresu")},
        {0, 0}, {1, 0},
        {
            {1, QStringLiteral("A. Aktywa trwałe"), {QStringLiteral("W(2)")}},
            {2, QStringLiteral("I. Rzeczowe aktywa trwałe i wartości niematerialne"), {QStringLiteral("S(\"010*\")+S(\"020*\")+S(\"070*\")")}},
            {1, QStringLiteral("B. Aktywa obrotowe"), {QStringLiteral("W(4)+W(5)+W(6)+W(7)")}},
            {2, QStringLiteral("I. Zapasy"), {QStringLiteral("S(\"300*\")+S(\"330*\")")}},
            {2, QStringLiteral("II. Należności krótkoterminowe"), {QStringLiteral("SWN(\"20*\")+SWN(\"22*\")+SWN(\"23*\")+SWN(\"24*\")")}},
            {2, QStringLiteral("III. Środki pieniężne"), {QStringLiteral("S(\"10*\")+S(\"13*\")")}},
            {2, QStringLiteral("IV. Krótkoterminowe rozliczenia międzyokresowe"), {QStringLiteral("S(\"64*\")")}},
            {1, QStringLiteral("Aktywa razem"), {QStringLiteral("W(1)+W(3)")}},
            {1, QStringLiteral("A. Kapitał (fundusz) własny"), {QStringLiteral("W(10)+W(11)")}},
            {2, QStringLiteral("I. Kapitał zakładowy i wynik lat ubiegłych"), {QStringLiteral("-S(\"8*\")")}},
            {2, QStringLiteral("II. Wynik finansowy bieżącego okresu"), {QStringLiteral("-S(\"4*\")-S(\"5*\")-S(\"7*\")")}},
            {1, QStringLiteral("B. Zobowiązania krótkoterminowe"), {QStringLiteral("SMA(\"20*\")+SMA(\"22*\")+SMA(\"23*\")+SMA(\"24*\")")}},
            {1, QStringLiteral("Pasywa razem"), {QStringLiteral("W(9)+W(12)")}},
        }};

    const StatementDef receivables{
        0, QStringLiteral("Należności od odbiorców"),
        {QStringLiteral("Odbiorca"), QStringLiteral("Obroty Wn okresu"), QStringLiteral("Saldo na koniec okresu")},
        {0, 0}, {0, 0},
        {
            {1, QStringLiteral("Należności od odbiorców"), {QStringLiteral("W(2)"), QStringLiteral("W(2)")}},
            {2, QStringLiteral("Należności od odbiorców"), {QStringLiteral("WN(#)"), QStringLiteral("S(#)")}, QStringLiteral("K"),
             QStringLiteral("201*")},
        }};
    return {profitAndLoss, costs, balance, receivables};
}


// The school's budget forms (company 2). The classifications are dział, rozdział and paragraf
// joined with the unit's separator; a list row's mask keeps the three-part classifications, so
// that a record filed under a sub-item ("...-4210-01") counts once, in its paragraph.
QList<StatementDef> budgetForms(const QString& sep)
{
    auto mask = [&sep](const QStringList& parts) { return QStringLiteral("\"%1\"").arg(parts.join(sep)); };
    const QString expenses = QStringList{"801", "801??", "4???"}.join(sep);
    const QString incomes = QStringList{"801", "801??", "0???"}.join(sep);
    const QString ba = QStringLiteral("BA");

    StatementDef rb27s{
        2, QStringLiteral("Rb-27S Pozycje"),
        {QStringLiteral("Dział / rozdział / paragraf"), QStringLiteral("Plan"), QStringLiteral("Należności"),
         QStringLiteral("Dochody wykonane"), QStringLiteral("Należności pozostałe do zapłaty")},
        {0, 0, 0, 0}, {0, 0, 0, 0},
        {
            {1, QStringLiteral("Dochody ogółem"), {QStringLiteral("W(2)")}},
            {2, QStringLiteral("Dochody"), {QStringLiteral("PLAN(#)"), QStringLiteral("BT(#; D)"), QStringLiteral("BT(#; D)"),
                                            QStringLiteral("K(2)-K(3)")}, QStringLiteral("B"), incomes},
        },
        2, ba, QStringLiteral("Rb27SPozycje")};

    StatementDef rb28sItems{
        3, QStringLiteral("Rb-28S Pozycje"),
        {QStringLiteral("Dział / rozdział / paragraf"), QStringLiteral("Plan"), QStringLiteral("Zaangażowanie"),
         QStringLiteral("Wydatki wykonane"), QStringLiteral("Zobowiązania ogółem"), QStringLiteral("w tym wymagalne")},
        {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0},
        {
            {1, QStringLiteral("Wydatki ogółem"), {QStringLiteral("W(2)")}},
            {2, QStringLiteral("Wydatki"), {QStringLiteral("PLAN(#)"), QStringLiteral("BT(#; WY)"), QStringLiteral("BT(#; WY)"),
                                            QStringLiteral("BT(#; Z)"), QStringLiteral("BT(#; X)")}, QStringLiteral("B"), expenses},
        },
        2, ba, QStringLiteral("Rb28SPozycje")};
    StatementDef rb28sGrants{
        3, QStringLiteral("Rb-28S Dotacje rozwojowe"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("Plan"), QStringLiteral("Wykonanie")},
        {0, 0}, {0, 0},
        {
            {1, QStringLiteral("Wydatki na programy finansowane z udziałem środków UE"),
             {QStringLiteral("PLAN(%1)").arg(mask({"801", "*", "6*"})), QStringLiteral("BT(%1; WY)").arg(mask({"801", "*", "6*"}))}},
            {1, QStringLiteral("Wydatki bieżące jednostki"),
             {QStringLiteral("PLAN(%1)").arg(mask({"801", "*", "4*"})), QStringLiteral("BT(%1; WY)").arg(mask({"801", "*", "4*"}))}},
        },
        2, ba, QStringLiteral("Rb28SDotacjeRozwojowe")};

    // Rb-Z over the ledger: the school has no debt, so most lines are zero, as on a real form.
    const QStringList domestic = {QStringLiteral("Wyszczególnienie"), QStringLiteral("dłużnicy krajowi"),
                                  QStringLiteral("wierzyciele krajowi")};
    StatementDef rbzDebt{
        4, QStringLiteral("Rb-Z Tytuły dłużne"), domestic, {0, 0}, {0, 0},
        {
            {1, QStringLiteral("E. Zobowiązania ogółem"), {QStringLiteral("W(2)+W(3)+W(4)")}},
            {2, QStringLiteral("E1. papiery wartościowe"), {QStringLiteral("0"), QStringLiteral("0")}},
            {2, QStringLiteral("E2. kredyty i pożyczki"), {QStringLiteral("0"), QStringLiteral("SMA(\"134*\")")}},
            {2, QStringLiteral("E4. wymagalne zobowiązania"),
             {QStringLiteral("0"), QStringLiteral("SMA(\"201*\")+SMA(\"202*\")+SMA(\"234*\")")}},
        },
        2, ba, QStringLiteral("RbZTytulyDluzne")};
    StatementDef rbzGuarantees{
        4, QStringLiteral("Rb-Z Poręczenia i gwarancje"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("dłużnicy"), QStringLiteral("wierzyciele")}, {0, 0}, {0, 0},
        {
            {1, QStringLiteral("Poręczenia i gwarancje ogółem"), {QStringLiteral("W(2)")}},
            {2, QStringLiteral("udzielone poręczenia"), {QStringLiteral("WN(\"990*\")"), QStringLiteral("0")}},
        },
        2, ba, QStringLiteral("RbZPoreczeniaGwarancje")};
    StatementDef rbzLoans{
        4, QStringLiteral("Rb-Z Kredyty i pożyczki"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("długoterminowe")}, {0}, {0},
        {
            {1, QStringLiteral("Kredyty i pożyczki na programy z udziałem środków UE"), {QStringLiteral("SMA(\"134*\")")}},
        },
        2, ba, QStringLiteral("RbZKredytyPozyczki")};
    StatementDef rbzContracts{
        4, QStringLiteral("Rb-Z Zawarte umowy"),
        {QStringLiteral("Wyszczególnienie"), QStringLiteral("Zadania bieżące"), QStringLiteral("Zadania inwestycyjne")},
        {0, 0}, {0, 0},
        {
            {1, QStringLiteral("Umowy o usługi (leasing, najem)"), {QStringLiteral("PLAN(%1)").arg(mask({"801", "80101", "4300"})),
                                                                    QStringLiteral("0")}},
            {1, QStringLiteral("Umowy na dostawy"), {QStringLiteral("PLAN(%1)").arg(mask({"801", "80101", "4210"})),
                                                     QStringLiteral("0")}},
        },
        2, ba, QStringLiteral("RbZZawarteUmowy")};
    return {rb27s, rb28sItems, rb28sGrants, rbzDebt, rbzGuarantees, rbzLoans, rbzContracts};
}

} // namespace

bool writeDemoStatements(sql::Database& db, bool budgetUnit, const QString& budgetSeparator, QString* error)
{
    using sql::sqlNumber;
    using sql::sqlText;
    QStringList script;
    QList<GroupDef> groups = {{1, 1, QStringLiteral("Sprawozdania finansowe"), QString(), 0}};
    QList<StatementDef> all = statements();
    if (budgetUnit) {
        groups << GroupDef{2, 2, QStringLiteral("Rb-27S"), QStringLiteral("Rb27S"), 1}
               << GroupDef{3, 2, QStringLiteral("Rb-28S"), QStringLiteral("Rb28S"), 1}
               << GroupDef{4, 2, QStringLiteral("Rb-Z"), QStringLiteral("RbZ"), 1};
        all << budgetForms(budgetSeparator);
    }
    for (const GroupDef& g : groups)
        script << QStringLiteral("insert into ZESTAW_GRUPA (id_zestaw_grupa, id_firmy, nazwa, typ, predef) values (%1, %2, %3, %4, %5)")
                      .arg(sqlNumber(g.id), sqlNumber(g.company), sqlText(g.name), sqlText(g.type), sqlNumber(g.predef));
    int statementId = 0, rowId = 0, formulaId = 0;
    for (const StatementDef& s : all) {
        ++statementId;
        const int columns = static_cast<int>(s.captions.size()) - 1;
        bool perColumn = false;
        for (const RowDef& r : s.rows)
            perColumn = perColumn || r.formulas.size() > 1;
        QStringList names = {QStringLiteral("id_zestaw_nag"), QStringLiteral("id_firmy"), QStringLiteral("id_zestaw_grupa"),
                             QStringLiteral("nazwa"), QStringLiteral("typ"), QStringLiteral("wariant"),
                             QStringLiteral("ilosc_kolumn"), QStringLiteral("czy_rozne_definicje")};
        QStringList values = {sqlNumber(statementId), sqlNumber(s.company), sqlNumber(s.group), sqlText(s.name), sqlText(s.type),
                              sqlText(s.variant), sqlNumber(columns), perColumn ? QStringLiteral("1") : QStringLiteral("0")};
        for (int c = 0; c <= columns; ++c) {
            names << QStringLiteral("etykieta_%1").arg(c);
            values << sqlText(s.captions.at(c));
        }
        for (int c = 1; c <= columns; ++c) {
            names << QStringLiteral("id_lo_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
            values << sqlNumber(s.years.at(c - 1)) << sqlNumber(s.opening.at(c - 1));
        }
        script << QStringLiteral("insert into ZESTAW_NAG (%1) values (%2)").arg(names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
        int lp = 0;
        for (const RowDef& r : s.rows) {
            ++rowId;
            script << QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                                     " (%1, %2, %3, %4, %5, %6, %7)")
                          .arg(sqlNumber(rowId), sqlNumber(statementId), sqlNumber(++lp), sqlText(r.symbol), sqlText(r.name),
                               sqlNumber(r.level), sqlText(r.type));
            // With per-column definitions a row given one formula has it in every column.
            const QStringList formulas = perColumn && r.formulas.size() == 1 ? QStringList(columns, r.formulas.first()) : r.formulas;
            for (int c = 0; c < formulas.size(); ++c)
                script << QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz_formula, id_zestaw_poz, nr_kolumny, formula)"
                                         " values (%1, %2, %3, %4)")
                              .arg(sqlNumber(++formulaId), sqlNumber(rowId), sqlNumber(c + 1), sqlText(formulas.at(c)));
        }
    }
    for (const QString& statement : script) {
        sql::Cursor c = db.execNative(statement);
        if (!c.ok()) {
            if (error)
                *error = c.errorText() + QStringLiteral(" [") + statement.left(200) + QLatin1Char(']');
            return false;
        }
    }
    return true;
}

} // namespace pravik::server::demo
