// The school's budget forms in the demo (company 2): predefined groups of 'BA' sections, generated
// by ZESTAWIENIE_GENERUJ and compared with sums the test reads itself from BT_DANE and BT_PLAN,
// on SQLite and on PostgreSQL.
#include "DemoDatabaseTest.h"

#include "platform/DayNumber.h"
#include "platform/sql/Quote.h"

namespace pravik::test {
namespace {

using sql::sqlText;

constexpr int kAdmin = 1;
constexpr int kSchool = 2;
constexpr int kSchoolYear = 3;

class DemoBudgetFormTest : public SharedDemoTest {
protected:
    DemoBudgetFormTest() { translateScalars = true; }

    QList<QStringList> table(const QString& sql, int columns)
    {
        QList<QStringList> out;
        sql::Cursor c = db().execNative(sql);
        while (c.next()) {
            QStringList row;
            for (int i = 0; i < columns; ++i)
                row << c.value(i).toString().trimmed();
            out << row;
        }
        EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
        return out;
    }

    QString generate(int id, int columns, DayNumber first, DayNumber last)
    {
        db().execNative(QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTZAK'").arg(kAdmin));
        for (int c = 1; c <= columns; ++c)
            db().execNative(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu)"
                                           " values(%1,'ZESTZAK','%2','%3','%4',%5)").arg(kAdmin).arg(c).arg(first).arg(last).arg(id));
        sql::Cursor c = db().exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(%1,%2,%3,%4,0,%5,%6,0,0,0,0,1)")
                                      .arg(kSchool).arg(kSchoolYear).arg(kAdmin).arg(id).arg(first).arg(last));
        return c.ok() ? QString() : c.errorText();
    }

};

TEST_P(DemoBudgetFormTest, PredefinedGroupsHoldTheirSectionsAndTheUnitItsCodes)
{
    const auto groups = table(QStringLiteral("select nazwa, typ, predef, id_zestaw_grupa from ZESTAW_GRUPA where id_firmy=%1"
                                             " order by id_zestaw_grupa").arg(kSchool), 4);
    ASSERT_EQ(groups.size(), 3);
    const QList<QPair<QString, QStringList>> expected = {
        {QStringLiteral("Rb27S"), {QStringLiteral("Rb27SPozycje")}},
        {QStringLiteral("Rb28S"), {QStringLiteral("Rb28SDotacjeRozwojowe"), QStringLiteral("Rb28SPozycje")}},
        {QStringLiteral("RbZ"), {QStringLiteral("RbZKredytyPozyczki"), QStringLiteral("RbZPoreczeniaGwarancje"),
                                 QStringLiteral("RbZTytulyDluzne"), QStringLiteral("RbZZawarteUmowy")}}};
    for (int g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g][1], expected[g].first);
        EXPECT_EQ(groups[g][2], QStringLiteral("1"));
        const auto sections = table(QStringLiteral("select wariant, upper(typ) from ZESTAW_NAG where id_firmy=%1 and id_zestaw_grupa=%2"
                                                   " order by wariant").arg(kSchool).arg(groups[g][3]), 2);
        QStringList codes;
        for (const QStringList& s : sections) {
            codes << s[0];
            EXPECT_EQ(s[1], QStringLiteral("BA")) << qPrintable(s[0]);
        }
        EXPECT_EQ(codes, expected[g].second) << qPrintable(groups[g][0]);
    }
    EXPECT_EQ(scalar(QStringLiteral("select regon from FIRMA where id_firmy=%1").arg(kSchool)).toString().trimmed().size(), 14);
    for (const char* name : {"BeKodW", "BeKodP", "BeKodG", "BeTypG", "BeKodMSWiA", "BT_SEPARATOR"})
        EXPECT_FALSE(scalar(QStringLiteral("select dbo.fn_fk_PobierzParamGlo(%1,'%2')").arg(kSchool).arg(QLatin1String(name)))
                         .toString().trimmed().isEmpty()) << name;
    // Every classification the unit records is made with its own separator.
    const QString sep = scalar(QStringLiteral("select wartosc from PARAMETRY_GLOBALNE where id_firmy=%1 and nazwa='BT_SEPARATOR'")
                                   .arg(kSchool)).toString();
    for (const QStringList& c : table(QStringLiteral("select distinct bt_klasyfikacja from BT_DANE where id_firmy=%1").arg(kSchool), 1))
        EXPECT_GE(c[0].split(sep).size(), 3) << qPrintable(c[0]);
}

// Rb-28S: every expense paragraph the school recorded in the quarter has its row, with the plan of
// the year and the spending of the quarter; sub-items count in their paragraph, once.
TEST_P(DemoBudgetFormTest, Rb28SExpensesEqualTheBudgetRecordsOfTheQuarter)
{
    const int id = scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=%1 and wariant='Rb28SPozycje'")
                              .arg(kSchool)).toInt();
    ASSERT_GT(id, 0);
    const DayNumber from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 3, 31);
    ASSERT_EQ(generate(id, 5, from, to), QString());
    const auto rows = table(QStringLiteral("select symbol, kol1, kol3, arg1 from ZESTAW_ZESTAW where id_uzytkownika=%1 and id_zestaw_nag=%2"
                                           " and wariant_zestaw=1 order by lp").arg(kAdmin).arg(id), 4);
    ASSERT_GE(rows.size(), 3);
    Decimal total;
    int checked = 0;
    for (const QStringList& r : rows.mid(1)) {
        ASSERT_FALSE(r[3].isEmpty());
        const Decimal spent = dec(scalar(QStringLiteral(
            "select sum(b.kwota) from BT_DANE b join POZ_DOK p on p.id_poz_dok=b.id_poz_dok join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
            " where n.id_firmy=%1 and n.status>0 and b.rodzaj_wy=1 and n.data_okresu between %2 and %3"
            " and (b.bt_klasyfikacja=%4 or b.bt_klasyfikacja like %5)")
                                                  .arg(kSchool).arg(monthPeriod(2026, 1)).arg(monthPeriod(2026, 3))
                                                  .arg(sqlText(r[3]), sqlText(r[3] + QStringLiteral("-%")))));
        const Decimal plan = dec(scalar(QStringLiteral("select sum(kwota) from BT_PLAN where id_firmy=%1 and bt_klasyfikacja=%2")
                                            .arg(kSchool).arg(sqlText(r[3]))));
        EXPECT_EQ(dec(QVariant(r[2])), spent) << qPrintable(r[3]);
        EXPECT_EQ(dec(QVariant(r[1])), plan) << qPrintable(r[3]);
        EXPECT_TRUE(r[3].startsWith(QLatin1String("801-801")) && r[3].section(QLatin1Char('-'), 2, 2).startsWith(QLatin1Char('4')));
        total += spent;
        ++checked;
    }
    EXPECT_GE(checked, 4);
    EXPECT_EQ(dec(QVariant(rows[0][2])), total);
    EXPECT_GT(total.cents(), 0);
}

// Rb-27S: the income paragraph of the school (0830) with the income records of the quarter.
TEST_P(DemoBudgetFormTest, Rb27SIncomeEqualsTheIncomeRecords)
{
    const int id = scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=%1 and wariant='Rb27SPozycje'")
                              .arg(kSchool)).toInt();
    ASSERT_GT(id, 0);
    ASSERT_EQ(generate(id, 4, dayFromYmd(2026, 1, 1), dayFromYmd(2026, 3, 31)), QString());
    const auto rows = table(QStringLiteral("select arg1, kol3 from ZESTAW_ZESTAW where id_uzytkownika=%1 and id_zestaw_nag=%2"
                                           " and wariant_zestaw=1 order by lp").arg(kAdmin).arg(id), 2);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0], QStringLiteral("801-80101-0830"));
    const Decimal income = dec(scalar(QStringLiteral(
        "select sum(b.kwota) from BT_DANE b join POZ_DOK p on p.id_poz_dok=b.id_poz_dok join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
        " where n.id_firmy=%1 and n.status>0 and b.rodzaj_d=1 and n.data_okresu between %2 and %3")
                                          .arg(kSchool).arg(monthPeriod(2026, 1)).arg(monthPeriod(2026, 3))));
    EXPECT_EQ(dec(QVariant(rows[1][1])), income);
    EXPECT_EQ(dec(QVariant(rows[0][1])), income);
}

INSTANTIATE_TEST_SUITE_P(Backends, DemoBudgetFormTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
