// The budget unit's header data (BT_DANE_FIRMY) over the demo database on SQLite and PostgreSQL:
// the fields as the database holds them, the user's entries kept within one company and dropped
// on a company switch, the titles and period texts by form code.
#include "statements/forms/BudgetHeader.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

class BudgetHeaderTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        resetBudgetHeader();
    }
    void TearDown() override
    {
        resetBudgetHeader();
        setUi(nullptr);
    }
    QString scalar(const QString& sql)
    {
        sql::Cursor c = db->exec(sql);
        EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        return c.next() ? c.value(0).toString().trimmed() : QString();
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    const DayNumber march = dayFromYmd(2026, 3, 31);
};

TEST_P(BudgetHeaderTest, FieldsOfTheUnitAsTheDatabaseHoldsThem)
{
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb28S")), QStringList());
    const BudgetHeaderValues h = budgetHeader();
    const QString regon = scalar(QStringLiteral("select regon from FIRMA where id_firmy=2"));
    ASSERT_EQ(regon.size(), 14);
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_REGON1")), regon.left(9));
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_REGON2")), regon.right(5));
    const QList<QPair<const char*, const char*>> codes = {{"PRN_FIRMA_KOD_WOJ", "BeKodW"}, {"PRN_FIRMA_KOD_POW", "BeKodP"},
                                                          {"PRN_FIRMA_KOD_GM", "BeKodG"}, {"PRN_FIRMA_TYP_GM", "BeTypG"},
                                                          {"PRN_FIRMA_CZESC", "BeKodMSWiA"}};
    for (const auto& c : codes) {
        const QString stored = scalar(QStringLiteral("select wartosc from PARAMETRY_GLOBALNE where id_firmy=2 and nazwa='%1'")
                                          .arg(QLatin1String(c.second)));
        EXPECT_FALSE(stored.isEmpty()) << c.second;
        EXPECT_EQ(h.value(QLatin1String(c.first)), stored) << c.first;
    }
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_NAZWA")), scalar(QStringLiteral("select nazwa_pelna from FIRMA where id_firmy=2")));
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_WOJEWODZTWO")), QStringLiteral("łódzkie"));
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_ADRES1")), QStringLiteral("ul. Żeromskiego 7"));
    EXPECT_TRUE(h.value(QStringLiteral("PRN_TYTUL_1")).startsWith(QStringLiteral("Rb-28S  MIESIĘCZNE")));
    EXPECT_TRUE(h.value(QStringLiteral("PRN_FIRMA_RIO")).isEmpty());
    // Company 1's REGON has nine digits: the second part stays empty.
    ASSERT_EQ(loadBudgetHeader(*db, 1, march, QStringLiteral("RbZ")), QStringList());
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_REGON1")), scalar(QStringLiteral("select regon from FIRMA where id_firmy=1")));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_REGON2")), QString());
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_KOD_WOJ")), QString());
}

TEST_P(BudgetHeaderTest, UserEntriesSurviveReloadsUntilTheCompanyChanges)
{
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb28S")), QStringList());
    ASSERT_TRUE(setBudgetHeaderField(QStringLiteral("prn_firma_rio"), QStringLiteral("Regionalna Izba Obrachunkowa w Łodzi")));
    ASSERT_TRUE(setBudgetHeaderField(QStringLiteral("PRN_FIRMA_KOD_WOJ"), QStringLiteral("99")));
    ASSERT_TRUE(setBudgetHeaderField(QStringLiteral("PRN_FIRMA_GMINA"), QString())); // cleared on purpose
    EXPECT_FALSE(setBudgetHeaderField(QStringLiteral("PRN_NIEZNANE"), QStringLiteral("x")));
    // Another form of the same unit: titles follow the form, the entries stay.
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("RbZTytulyDluzne")), QStringList());
    BudgetHeaderValues h = budgetHeader();
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_RIO")), QStringLiteral("Regionalna Izba Obrachunkowa w Łodzi"));
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_KOD_WOJ")), QStringLiteral("99"));
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_GMINA")), QString());
    EXPECT_TRUE(h.value(QStringLiteral("PRN_TYTUL_1")).startsWith(QLatin1String("Rb-Z  KWARTALNE")));
    EXPECT_TRUE(h.value(QStringLiteral("PRN_TYTUL_2")).startsWith(QStringLiteral("jednostki budżetowej /")));
    // Another unit: nothing typed for the school shows on its form.
    ASSERT_EQ(loadBudgetHeader(*db, 1, march, QStringLiteral("RbZ")), QStringList());
    h = budgetHeader();
    EXPECT_EQ(h.company, 1);
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_RIO")), QString());
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_KOD_WOJ")), QString());
    EXPECT_EQ(h.value(QStringLiteral("PRN_FIRMA_GMINA")), QStringLiteral("Łódź"));
    // And back: read afresh, the earlier entries are gone.
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb28S")), QStringList());
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_KOD_WOJ")), scalar(QStringLiteral(
                                                                         "select wartosc from PARAMETRY_GLOBALNE where id_firmy=2 and nazwa='BeKodW'")));
}

TEST_P(BudgetHeaderTest, ExportedProcedureReadsTheSessionCompanyAndClipsEntries)
{
    korda::session().DANE_ID_FIRMY = 2;
    BT_DANE_FIRMY(0, march, QStringLiteral("Rb27S"));
    EXPECT_EQ(budgetHeader().company, 2);
    EXPECT_TRUE(budgetHeader().value(QStringLiteral("PRN_TYTUL_1")).contains(QStringLiteral("DOCHODÓW")));
    EXPECT_TRUE(ui.messageTexts().isEmpty());
    // A field longer than its width is clipped to it.
    setBudgetHeaderField(QStringLiteral("PRN_FIRMA_ZWIAZEK"), QString(40, QLatin1Char('7')));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_ZWIAZEK")).size(), 19);
}

INSTANTIATE_TEST_SUITE_P(Backends, BudgetHeaderTest, test::allBackends(), test::backendName);

TEST(BudgetFormTexts, PeriodTextsByFormAndQuarter)
{
    EXPECT_EQ(budgetPeriodText(QStringLiteral("Rb28S"), dayFromYmd(2026, 3, 31)),
              QStringLiteral("za okres od początku roku do dnia 31-03-2026 roku"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("rb27s"), dayFromYmd(2026, 2, 28)),
              QStringLiteral("za okres od początku roku do dnia 28-02-2026 roku"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("Rb27ZZ"), dayFromYmd(2026, 6, 30)),
              QStringLiteral("za okres od początku roku do końca II kwartału roku 2026"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("F-01/I-01"), dayFromYmd(2026, 9, 30)),
              QStringLiteral("za okres od początku roku do końca III kwartału roku 2026"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("RbZZawarteUmowy"), dayFromYmd(2026, 12, 31)),
              QStringLiteral("wg stanu na koniec IV kwartału 2026 roku"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("Rb50D"), dayFromYmd(2026, 4, 30)), QStringLiteral("za II kwartał 2026 roku"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("RbWS"), dayFromYmd(2026, 12, 31)), QStringLiteral("w roku 2026"));
    EXPECT_EQ(budgetPeriodText(QStringLiteral("Bilans"), dayFromYmd(2026, 12, 31)), QString());
    EXPECT_EQ(budgetFormOf(QStringLiteral("rb28sdotacjerozwojowe")), QStringLiteral("Rb28S"));
    EXPECT_EQ(budgetFormSections(QStringLiteral("RbZ")),
              (QStringList{"RbZTytulyDluzne", "RbZPoreczeniaGwarancje", "RbZKredytyPozyczki", "RbZZawarteUmowy"}));
    EXPECT_FALSE(budgetFormTitles(QStringLiteral("Nope")).has_value());
    EXPECT_EQ(budgetFormTitles(QStringLiteral("RbWS")), (QStringList{QString(), QString()}));
}

} // namespace
} // namespace pravik::statements
