// The budget-unit cash report (kind 81) on SQLite and PostgreSQL: its totals against sums taken
// from the postings, and the budget classification and cost-centre bands under the entry that
// has them; the description split and the texts of both bands.
#include "LedgerFixture.h"

#include "ledger/AccountEntries.h"
#include "ledger/BudgetCashReport.h"
#include "ledger/LedgerProcedures.h"

#include <set>

namespace pravik::test {
namespace {

using ledger::Amounts;

TEST(BudgetCashTexts, DescriptionKindsAndIndicators)
{
    const QString words = QStringLiteral("Wypłata zaliczki na zakup materiałów biurowych dla sekretariatu szkoły podstawowej");
    const ledger::DescriptionParts d = ledger::splitDescription(words);
    EXPECT_LE(d.first.size(), 36);
    EXPECT_TRUE(words.startsWith(d.first));
    EXPECT_FALSE(d.first.endsWith(u' '));
    EXPECT_EQ(d.first + u' ' + d.rest, words.left(d.first.size() + 1 + d.rest.size()));
    EXPECT_LE(d.rest.size(), 50);
    EXPECT_TRUE(ledger::splitDescription(QStringLiteral("Krótki opis")).rest.isEmpty());

    EXPECT_EQ(ledger::budgetKindsText({true, false, true, false, false, true}), QStringLiteral("Dochód, Wydatek, Środki pieniężne, "));
    EXPECT_EQ(ledger::budgetKindsText({false, true, false, true, true, false}), QStringLiteral("Wpływ, Koszt, Zaangażowanie, "));
    EXPECT_TRUE(ledger::budgetKindsText({false, false, false, false, false, false}).isEmpty());

    EXPECT_EQ(ledger::indicatorList({QStringLiteral("W-A"), QString(), QStringLiteral("W-C"), QString(), QString()}),
              QStringLiteral("1: W-A, 3: W-C, "));
    EXPECT_TRUE(ledger::indicatorList({QString(), QString(), QString(), QString(), QString()}).isEmpty());
}

class BudgetCashReport : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        static std::set<TestBackend> done;
        if (!done.insert(GetParam()).second)
            return;
        QString f;
        // The first March cash posting is classified; its cost-centre allocations are the fixture's.
        ASSERT_TRUE(ledgerExec(*db, QStringLiteral("insert into BT_DANE (id_bt_dane, id_firmy, id_poz_dok, bt_klasyfikacja, typ, kwota, "
                                                   "rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, rodzaj_x) values "
                                                   "(1, 1, %1, '801-80101-4210', 'W', 10.37, 0, 0, 1, 1, 0, 1)")
                                        .arg(kFirstMarchPosting),
                               &f))
            << f.toStdString();
    }
};

TEST_P(BudgetCashReport, TotalsAreThoseOfThePostingsAndBothBandsFollowTheirEntry)
{
    korda::Session& s = korda::session();
    s.DANE_CZY_WERSJA_MPK = 1;
    s.DANE_CZY_WERSJA_BUDZET = 1;
    s.DANE_DRUKUJ_ZAPISY_MPK = 1;
    s.DANE_PRN_BT_DRUKUJ = 1;
    const QString before = QStringLiteral("n.data_okresu<%1 and n.id_lata_obrot=2").arg(kLedgerMarch);
    const Amounts opening{posted("100", "wn", before), posted("100", "ma", before)};
    const QString inMarch = QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch);
    const Amounts march{posted("100", "wn", inMarch), posted("100", "ma", inMarch)};
    s.DANE_ZAZNACZ_REK.clear();
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.debit.toString()});
    s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.credit.toString()});

    const QStringList pages = pdfPages([&] {
        WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100' AND PDD:data_okresu=%1").arg(kLedgerMarch), QStringLiteral("Raport kasowy"),
                      QStringLiteral("81|0|1|1|0||0"));
    });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
    EXPECT_TRUE(s.DANE_ZAZNACZ_REK.isEmpty());
    ASSERT_FALSE(pages.isEmpty());
    const QString all = pages.join(u'\n');
    EXPECT_TRUE(all.contains(QStringLiteral("księgowania"))) << all.left(2500).toStdString();

    // Both bands, once each: the classification with its kinds, the two debit-side allocations of
    // the cash account (the credit-side one belongs to the contra account) with their paths.
    EXPECT_EQ(all.count(QStringLiteral("801-80101-4210")), 1);
    EXPECT_TRUE(all.contains(QStringLiteral("Wydatek, Koszt, Środki pieniężne,")));
    EXPECT_TRUE(all.contains(QStringLiteral("1: W-A, 2: W-B,")));
    EXPECT_TRUE(all.contains(QStringLiteral("1: W-B,")));
    EXPECT_TRUE(all.contains(QStringLiteral("ADM / DZIAL-1")));
    EXPECT_TRUE(all.contains(QStringLiteral("6,00")));
    EXPECT_TRUE(all.contains(QStringLiteral("4,37")));

    const QString closing = pages.last();
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem w okresie")), march.columns());
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem")), (opening + march).columns());
    EXPECT_EQ(labelled(closing, QStringLiteral("Persaldo")), ledger::net(opening + march).columns());
    EXPECT_FALSE(closing.contains(QStringLiteral("Stan poprzedni")));
    EXPECT_FALSE(closing.contains(QStringLiteral("Ilość załączników")));
    EXPECT_TRUE(closing.contains(QStringLiteral("Sporządził")));
}

TEST_P(BudgetCashReport, WithoutTheVersionsNeitherBandIsPrinted)
{
    korda::Session& s = korda::session();
    s.DANE_CZY_WERSJA_MPK = 0;
    s.DANE_CZY_WERSJA_BUDZET = 0;
    s.DANE_DRUKUJ_ZAPISY_MPK = 1;
    s.DANE_PRN_BT_DRUKUJ = 1;
    const QStringList pages = pdfPages([&] {
        WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100' AND PDD:data_okresu=%1").arg(kLedgerMarch), QStringLiteral("Raport kasowy"),
                      QStringLiteral("81|0|1|1|0||0"));
    });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    const QString all = pages.join(u'\n');
    EXPECT_FALSE(all.contains(QStringLiteral("801-80101-4210")));
    EXPECT_FALSE(all.contains(QStringLiteral("ADM / DZIAL-1")));
    EXPECT_TRUE(all.contains(QStringLiteral("Brak stanu początkowego kasy")));
}

INSTANTIATE_TEST_SUITE_P(Backends, BudgetCashReport, allBackends(), backendName);

} // namespace
} // namespace pravik::test
