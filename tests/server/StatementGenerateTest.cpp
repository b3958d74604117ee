// ZESTAWIENIE_GENERUJ on small hand-made books whose figures are known, on SQLite and on
// PostgreSQL: every function of the formula language, the columns' periods and options, list
// rows, and formulas that must be refused without touching the rows of the last run.
#include "SchemaTestFixture.h"

#include "platform/DayNumber.h"
#include "platform/sql/Quote.h"
#include "server/src/procedures/Procedures.h"

namespace pravik::test {
namespace {

using sql::sqlNumber;
using sql::sqlText;

constexpr int kUser = 5;

struct Flags {
    bool approved = false, computeBo = false, skipBz = false;
};

class StatementGenerateTest : public SchemaDatabaseTest {
protected:
    void SetUp() override
    {
        SchemaDatabaseTest::SetUp();
        if (HasFatalFailure())
            return;
        server::registerProcedures();
        native(QStringLiteral("insert into UZYTKOWNIK (id_uzytkownika, login) values (5, 'tester')"));
        native(QStringLiteral("insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku)"
                              " values (1, 1, '2025', %1, %2), (2, 1, '2026', %3, %4)")
                   .arg(dayFromYmd(2025, 1, 1)).arg(dayFromYmd(2025, 12, 31)).arg(dayFromYmd(2026, 1, 1)).arg(dayFromYmd(2026, 12, 31)));
        // 2025: one month.
        doc(1, monthPeriod(2025, 1), 1, {{"130", "800", "500"}, {"201-1", "700", "70"}});
        // 2026: opening balance, January (approved), February (booked), March (a draft), closing.
        doc(2, openingPeriod(dayFromYmd(2026, 1, 1)), 1, {{"130", "800", "1000"}, {"201-1", "800", "300"}});
        const int jan = doc(2, monthPeriod(2026, 1), 2, {{"401-1", "130", "100"}, {"201-1", "700", "50"}});
        const int feb = doc(2, monthPeriod(2026, 2), 1, {{"401-2", "130", "40"}, {"201-2", "700", "20"}, {"130", "201-1", "400"}});
        doc(2, monthPeriod(2026, 3), 0, {{"401-1", "130", "999"}});
        doc(2, closingPeriod(dayFromYmd(2026, 12, 31)), 1, {{"860", "401-1", "100"}, {"860", "401-2", "40"}});
        // Budget records of the two cost lines, and a plan.
        native(QStringLiteral("insert into BT_DANE (id_firmy, id_poz_dok, bt_klasyfikacja, typ, kwota, rodzaj_wy, rodzaj_z) values"
                              " (1, %1, '801-80101-4210', 'W', 100, 1, 0), (1, %2, '801-80101-4300', 'W', 40, 1, 1)")
                   .arg(jan * 10 + 1).arg(feb * 10 + 1));
        native(QStringLiteral("insert into BT_PLAN (id_firmy, id_lata_obrot, bt_klasyfikacja, typ, data_biezaca, kwota) values"
                              " (1, 2, '801-80101-4210', 'W', %1, 1000), (1, 2, '801-80101-4300', 'W', 0, 500),"
                              " (1, 2, '801-80101-4300', 'W', %2, 7)")
                   .arg(dayFromYmd(2026, 1, 1)).arg(dayFromYmd(2026, 6, 1)));
    }

    struct Line {
        const char* wn;
        const char* ma;
        const char* amount;
    };

    // A document of two-sided lines; line ids are the document id * 10 + line number.
    int doc(int year, DayNumber period, int status, std::initializer_list<Line> lines)
    {
        const int id = ++m_docs;
        const DayNumber booked = periodKind(period) == PeriodKind::Month ? period + 3 : period;
        native(QStringLiteral("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, status, data_biezaca)"
                              " values (%1, 1, %2, %3, %4, %5)").arg(id).arg(year).arg(period).arg(status).arg(booked));
        int n = 0;
        for (const Line& l : lines) {
            ++n;
            native(QStringLiteral("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma)"
                                  " values (%1, %2, %3, '%4', %5, '%6', %5)")
                       .arg(id * 10 + n).arg(id).arg(n).arg(QLatin1String(l.wn), QLatin1String(l.amount), QLatin1String(l.ma)));
        }
        return id;
    }

    struct Column {
        int year = 0;
        bool opening = false;
    };

    // A statement; every row gives one formula for all columns or one per column.
    int statement(const QString& name, const QList<Column>& columns, const QList<QStringList>& rows,
                  const QStringList& types = {}, const QStringList& symbols = {})
    {
        const int id = ++m_statements;
        bool perColumn = false;
        for (const QStringList& r : rows)
            perColumn = perColumn || r.size() > 1;
        QStringList names = {"id_zestaw_nag", "id_firmy", "nazwa", "ilosc_kolumn", "czy_rozne_definicje"};
        QStringList values = {sqlNumber(id), "1", sqlText(name), sqlNumber(columns.size()), perColumn ? "1" : "0"};
        for (int c = 0; c < columns.size() && c < 20; ++c) {
            names << QStringLiteral("id_lo_%1").arg(c + 1) << QStringLiteral("czy_bo_%1").arg(c + 1);
            values << sqlNumber(columns[c].year) << (columns[c].opening ? "1" : "0");
        }
        native(QStringLiteral("insert into ZESTAW_NAG (%1) values (%2)").arg(names.join(','), values.join(',')));
        for (int r = 0; r < rows.size(); ++r) {
            const int rowId = id * 100 + r + 1;
            native(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                                  " (%1, %2, %3, %4, %5, 1, %6)")
                       .arg(rowId).arg(id).arg(r + 1)
                       .arg(sqlText(symbols.value(r)), sqlText(QStringLiteral("Wiersz %1").arg(r + 1)), sqlText(types.value(r))));
            for (int c = 0; c < rows[r].size(); ++c)
                native(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz, nr_kolumny, formula) values (%1, %2, %3)")
                           .arg(rowId).arg(c + 1).arg(sqlText(rows[r][c])));
        }
        return id;
    }

    void period(int statementId, int column, DayNumber from, DayNumber to)
    {
        native(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika, kontekst, tekst1, tekst2, tekst3, id_zasobu) values"
                              " (%1, 'ZESTZAK', '%2', '%3', '%4', %5)").arg(kUser).arg(column).arg(from).arg(to).arg(statementId));
    }

    // Runs the procedure; the error text, or empty on success.
    QString generate(int statementId, DayNumber from, DayNumber to, Flags f = {})
    {
        sql::Cursor c = db().exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(1,2,%1,%2,1,%3,%4,%5,%6,%7,0,1)")
                                      .arg(kUser).arg(statementId).arg(from).arg(to)
                                      .arg(f.approved ? 1 : 0).arg(f.computeBo ? 1 : 0).arg(f.skipBz ? 1 : 0));
        if (!c.ok())
            return c.errorText();
        EXPECT_TRUE(c.next());
        EXPECT_EQ(c.value(0).toInt(), 0);
        return {};
    }

    // The generated rows: symbol, text, then the amounts of the columns, in lp order.
    QList<QStringList> result(int statementId, int columns)
    {
        QStringList cols = {"symbol", "opis", "arg1"};
        for (int c = 1; c <= columns; ++c)
            cols << QStringLiteral("kol%1").arg(c);
        QList<QStringList> out;
        sql::Cursor c = db().execNative(QStringLiteral("select %1 from ZESTAW_ZESTAW where id_uzytkownika=%2 and id_zestaw_nag=%3"
                                                       " and wariant_zestaw=1 order by lp").arg(cols.join(',')).arg(kUser).arg(statementId));
        while (c.next()) {
            QStringList row = {c.value(0).toString(), c.value(1).toString(), c.value(2).toString()};
            for (int i = 0; i < columns; ++i)
                row << Decimal::fromVariant(c.value(3 + i)).value_or(Decimal::fromCents(-1)).toString();
            out << row;
        }
        EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
        return out;
    }

    // Just the amounts.
    QList<QStringList> amounts(int statementId, int columns)
    {
        QList<QStringList> out;
        for (QStringList r : result(statementId, columns))
            out << r.mid(3);
        return out;
    }

    const DayNumber jan1 = dayFromYmd(2026, 1, 1), jan31 = dayFromYmd(2026, 1, 31), feb28 = dayFromYmd(2026, 2, 28),
                    dec31 = dayFromYmd(2026, 12, 31);

private:
    int m_docs = 0, m_statements = 0;
};

TEST_P(StatementGenerateTest, LedgerFunctionsOverColumnPeriods)
{
    // Columns: January-February, January, the opening balance, the same January of 2025.
    const int s = statement(QStringLiteral("Księga"), {{0, false}, {0, false}, {0, true}, {1, false}},
                            {{"WN(\"401*\")"}, {"MA(\"700\")"}, {"BO(\"130\")"}, {"S(\"201*\")"}, {"SWN(\"201*\")"},
                             {"SMA(\"201*\")"}, {"W(5)-W(6)"}, {"W(1)/W(2)*100"}, {"BOWN(\"*\")-BOMA(\"*\")"}, {"WN(\"401\")"},
                             {"BOWN(\"*\")"}, {"boma(\"8?0\")"}});
    period(s, 1, jan1, feb28);
    period(s, 2, jan1, jan31);
    period(s, 4, jan1, jan31);
    ASSERT_EQ(generate(s, jan1, feb28), QString());
    const QList<QStringList> expected = {
        {"140.00", "100.00", "0.00", "0.00"},        // WN 401*: the draft of March never counts
        {"70.00", "50.00", "0.00", "70.00"},         // MA 700
        {"1000.00", "1000.00", "1000.00", "0.00"},   // BO 130; 2025 has no opening entries
        {"-30.00", "350.00", "300.00", "70.00"},     // S 201*: 201-1 owes -50, 201-2 20
        {"20.00", "350.00", "300.00", "70.00"},      // SWN: each account's balance on its side
        {"50.00", "0.00", "0.00", "0.00"},           // SMA
        {"-30.00", "350.00", "300.00", "70.00"},     // W(5)-W(6) = S
        {"200.00", "200.00", "0.00", "0.00"},        // division by zero gives 0
        {"0.00", "0.00", "0.00", "0.00"},            // every opening entry balances
        {"0.00", "0.00", "0.00", "0.00"},            // "401" alone is no posting account
        {"1300.00", "1300.00", "1300.00", "0.00"},   // BOWN: 130 and 201-1 open on the debit side
        {"1300.00", "1300.00", "1300.00", "0.00"},   // BOMA: 800 on the credit side
    };
    EXPECT_EQ(amounts(s, 4), expected);
}

TEST_P(StatementGenerateTest, OptionsApprovedOnlyComputedOpeningAndClosingPeriod)
{
    const int s = statement(QStringLiteral("Opcje"), {{0, false}, {0, true}}, {{"WN(\"401*\")"}, {"S(\"401*\")"}, {"BO(\"130\")"},
                                                                             {"S(\"130\")"}});
    period(s, 1, jan1, dec31);
    ASSERT_EQ(generate(s, jan1, dec31), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"140.00", "0.00"}, {"0.00", "0.00"}, {"1000.00", "1000.00"}, {"1260.00", "1000.00"}}));
    ASSERT_EQ(generate(s, jan1, dec31, {true, false, false}), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"100.00", "0.00"}, {"100.00", "0.00"}, {"0.00", "0.00"}, {"-100.00", "0.00"}}));
    ASSERT_EQ(generate(s, jan1, dec31, {false, false, true}), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"140.00", "0.00"}, {"140.00", "0.00"}, {"1000.00", "1000.00"}, {"1260.00", "1000.00"}}));
    // The opening balance from 2025's closing balances: 130 closed at 500.
    ASSERT_EQ(generate(s, jan1, dec31, {false, true, false}), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"140.00", "0.00"}, {"0.00", "0.00"}, {"500.00", "500.00"}, {"760.00", "500.00"}}));
}

TEST_P(StatementGenerateTest, ArithmeticPrecedenceAndColumnReferences)
{
    const int s = statement(QStringLiteral("Rachunki"), {{0, false}, {0, false}},
                            {{"2+3*4", "(2+3)*4"}, {"-2*-3", "10-4-3"}, {"1,5+2.25", "7/2"},
                             {"ABS(-5)+MIN(3;1;2)+MAX(1;4)", "ROUND(2/3;2)"}, {"K(2)*2", "W(1)+W(4)"}, {"5/0", "ROUND(1250;-2)"},
                             {"1/3*3", "100/3"}, {"ROUND(2,345;2)", "-ROUND(2,345;2)"}});
    ASSERT_EQ(generate(s, jan1, jan31), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"14.00", "20.00"}, {"6.00", "3.00"}, {"3.75", "3.50"}, {"10.00", "0.67"},
                                                  {"41.34", "20.67"}, {"0.00", "1300.00"}, {"1.00", "33.33"}, {"2.35", "-2.35"}}));
}

TEST_P(StatementGenerateTest, BudgetRecordsAndPlan)
{
    const int s = statement(QStringLiteral("Budżet"), {{0, false}, {0, false}},
                            {{"BT(\"801-80101-*\")"}, {"BT(\"801*\"; WY)"}, {"BT(\"801*\"; \"z\")"}, {"PLAN(\"801*\")"}, {"BT(\"801*\";D)"}});
    period(s, 1, jan1, feb28);
    period(s, 2, dayFromYmd(2026, 2, 1), dec31);
    ASSERT_EQ(generate(s, jan1, feb28), QString());
    EXPECT_EQ(amounts(s, 2), (QList<QStringList>{{"140.00", "40.00"}, {"140.00", "40.00"}, {"40.00", "40.00"}, {"1500.00", "507.00"},
                                                  {"0.00", "0.00"}}));
}

TEST_P(StatementGenerateTest, ListRowsExpandIntoTheirElements)
{
    const int s = statement(QStringLiteral("Listy"), {{0, false}}, {{"W(2)"}, {"S(#)"}, {"W(2)*2"}, {"BT(#)"}, {"W(4)"}},
                            {"", "K", "K", "B", ""}, {"", "201*", "", "", ""});
    period(s, 1, jan1, feb28);
    // Without a list of the user's, the elements are those used in the columns' range.
    ASSERT_EQ(generate(s, jan1, feb28), QString());
    QList<QStringList> rows = result(s, 1);
    QStringList symbols;
    for (const QStringList& r : rows)
        symbols << r[0] + QLatin1Char('=') + r[3];
    EXPECT_EQ(symbols, (QStringList{"=-30.00", "201-1=-50.00", "201-2=20.00", "130=0.00", "201-1=-100.00", "201-2=40.00",
                                    "401-1=0.00", "401-2=0.00", "700=0.00", "800=0.00", "801-80101-4210=100.00",
                                    "801-80101-4300=40.00", "=140.00"}));
    EXPECT_EQ(rows[1][2], QStringLiteral("201-1")); // arg1 marks a list element
    EXPECT_EQ(rows[0][2], QString());

    // The user's list wins; an element stands for everything under it.
    native(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika, kontekst, id_zasobu, tekst1, tekst2, lp) values"
                          " (5, 'ZESTAW_K', %1, 'Wszyscy odbiorcy', '201', 1), (5, 'ZESTAW_K', %1, '', '201-2', 2),"
                          " (5, 'ZESTAW_K', %1, 'Bank', '130', 3)").arg(s));
    ASSERT_EQ(generate(s, jan1, feb28), QString());
    rows = result(s, 1);
    symbols.clear();
    for (const QStringList& r : rows.mid(0, 6))
        symbols << r[0] + QLatin1Char('|') + r[1] + QLatin1Char('=') + r[3];
    EXPECT_EQ(symbols, (QStringList{"|Wiersz 1=-10.00", "201|Wszyscy odbiorcy=-30.00", "201-2|Wiersz 2=20.00",
                                    "201|Wszyscy odbiorcy=-60.00", "201-2|Wiersz 3=40.00", "130|Bank=0.00"}));
}

TEST_P(StatementGenerateTest, BadFormulasAreNamedAndLeaveTheLastRows)
{
    const int s = statement(QStringLiteral("Zła formuła"), {{0, false}, {0, false}}, {{"WN(\"401*\")", "1"}, {"W(1)", "2"}});
    period(s, 1, jan1, feb28);
    period(s, 2, jan1, feb28);
    ASSERT_EQ(generate(s, jan1, feb28), QString());
    ASSERT_EQ(result(s, 2).size(), 2);

    auto withFormula = [&](int lp, int column, const QString& formula) {
        native(QStringLiteral("update ZESTAW_POZ_FORMULA set formula=%1 where id_zestaw_poz=%2 and nr_kolumny=%3")
                   .arg(sqlText(formula)).arg(s * 100 + lp).arg(column));
        return generate(s, jan1, feb28);
    };
    struct Case {
        int lp, column;
        QString formula, words;
    };
    const QList<Case> cases = {
        {2, 2, QStringLiteral("WN(\"401*\""), QStringLiteral("wiersz 2, kolumna 2, znak 10: formuła urywa się")},
        {1, 1, QStringLiteral("SUMA(\"4*\")"), QStringLiteral("wiersz 1, kolumna 1, znak 1: nieznana funkcja SUMA")},
        {1, 1, QStringLiteral("W(99)"), QStringLiteral("wiersz 1, kolumna 1, znak 1: W(99): nie ma wiersza o lp 99")},
        {1, 1, QStringLiteral("K(3)"), QStringLiteral("K(3): zestawienie ma 2 kolumn")},
        {1, 1, QStringLiteral("S(#)"), QStringLiteral("znak # odnosi się do elementu listy")},
        {1, 1, QStringLiteral("W(2)+1"),
         QStringLiteral("wiersz 2, kolumna 1, znak 1: odwołania W/K tworzą cykl: wiersz 1 kolumna 1 → wiersz 2 kolumna 1 → wiersz 1 kolumna 1")},
        {1, 1, QStringLiteral("K(2)"), QStringLiteral("wiersz 1, kolumna 2, znak 1: odwołania W/K tworzą cykl: wiersz 1 kolumna 1 → wiersz 1 kolumna 2")},
        {1, 1, QString(1000, u'(') + QStringLiteral("1") + QString(1000, u')'), QStringLiteral("znak 101: formuła zagnieżdżona zbyt głęboko")},
        {1, 1, QStringLiteral("9999999999999*9999999999999"), QStringLiteral("przekracza zakres")},
        {1, 1, QStringLiteral("1'); delete from ZESTAW_ZESTAW; --"), QStringLiteral("znak 2: nieoczekiwany znak")},
    };
    for (const Case& c : cases) {
        // Row 1 column 1 and row 2 column 2 are set back before each case.
        withFormula(1, 1, QStringLiteral("WN(\"401*\")"));
        withFormula(2, 1, QStringLiteral("W(1)"));
        withFormula(2, 2, QStringLiteral("2"));
        if (c.formula == QStringLiteral("K(2)"))
            withFormula(1, 2, QStringLiteral("K(1)"));
        const QList<QStringList> last = result(s, 2);
        ASSERT_EQ(last.size(), 2);
        const QString error = withFormula(c.lp, c.column, c.formula);
        EXPECT_TRUE(error.contains(QStringLiteral("Zestawienie „Zła formuła”"))) << qPrintable(error);
        EXPECT_TRUE(error.contains(c.words)) << qPrintable(c.formula.left(40)) << " -> " << qPrintable(error);
        EXPECT_EQ(result(s, 2), last) << qPrintable(c.formula.left(40));
        withFormula(1, 2, QStringLiteral("1"));
    }
    // Masks holding quotes are only masks.
    ASSERT_EQ(withFormula(1, 1, QStringLiteral("WN(\"4'01*\")+WN(\"401*'; drop table NAG_DOK; --\")")), QString());
    EXPECT_EQ(amounts(s, 2).first().first(), QStringLiteral("0.00"));
    // A 4,000-character formula is a formula like any other.
    ASSERT_EQ(withFormula(1, 1, QStringLiteral("1+").repeated(1999) + QStringLiteral("1")), QString());
    EXPECT_EQ(amounts(s, 2).first().first(), QStringLiteral("2000.00"));
}

TEST_P(StatementGenerateTest, DefinitionsAndPeriodsOutsideTheRulesAreRefused)
{
    const int none = statement(QStringLiteral("Bez kolumn"), {}, {{"1"}});
    EXPECT_TRUE(generate(none, jan1, jan31).contains(QStringLiteral("ma 0 kolumn; dozwolone od 1 do 20")));
    QList<Column> many(21);
    const int wide = statement(QStringLiteral("Szeroka"), many, {{"1"}});
    native(QStringLiteral("update ZESTAW_NAG set ilosc_kolumn=21 where id_zestaw_nag=%1").arg(wide));
    EXPECT_TRUE(generate(wide, jan1, jan31).contains(QStringLiteral("ma 21 kolumn")));
    const int s = statement(QStringLiteral("Okresy"), {{0, false}, {0, false}}, {{"1"}});
    period(s, 2, dayFromYmd(2027, 1, 1), dayFromYmd(2027, 1, 31));
    const QString error = generate(s, jan1, jan31);
    EXPECT_TRUE(error.contains(QStringLiteral("Zestawienie „Okresy”, kolumna 2: okres od 01-01-2027 do 31-01-2027 nie leży w roku obrotowym 2026")))
        << qPrintable(error);
    EXPECT_TRUE(generate(999, jan1, jan31).contains(QStringLiteral("nie istnieje w firmie 1")));
    sql::Cursor c = db().exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(1,2,'nikt',%1,1,0,0,0,0,0,0,1)").arg(s));
    EXPECT_FALSE(c.ok());
    EXPECT_TRUE(c.errorText().contains(QStringLiteral("nieznany użytkownik"))) << qPrintable(c.errorText());
}

TEST_P(StatementGenerateTest, AccountSearchByNumberAndName)
{
    native(QStringLiteral("insert into WARTOSCI_KONT (id_firmy, id_lata_obrot, nr_konta, nazwa_konta, poziom) values"
                          " (1, 2, '201', 'Rozrachunki z odbiorcami', 1), (1, 2, '202', 'Rozrachunki z dostawcami', 1),"
                          " (1, 2, '401-1', 'Materiały biurowe', 2), (1, 2, '700', 'Sprzedaż produktów', 1),"
                          " (1, 1, '201', 'Stary rok', 1)"));
    auto found = [&](const QString& text, int mode) {
        QStringList out;
        sql::Cursor c = db().exec(QStringLiteral("CALL SZUKAJ_KONTA (1,2,%1,%2)").arg(sqlText(text)).arg(mode));
        while (c.next())
            out << c.value(0).toString();
        EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
        return out;
    };
    EXPECT_EQ(found(QStringLiteral("20"), 0), (QStringList{"201", "202"}));
    EXPECT_EQ(found(QStringLiteral("ROZRACHUNKI Z O"), 1), (QStringList{"201"}));
    EXPECT_EQ(found(QStringLiteral("materiały"), 0), QStringList());
    EXPECT_EQ(found(QStringLiteral("MATERIAŁY"), 1), (QStringList{"401-1"}));
    EXPECT_EQ(found(QStringLiteral("%' or 1=1 --"), 1), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementGenerateTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
