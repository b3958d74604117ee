// The reconciliation of account balances with their settlements: the printed pairs derived from
// the server's amounts, the agreement and zero tests, the totals; then the demo company (whose
// settlement register disagrees with the ledger on purpose in four places) on SQLite and
// PostgreSQL, computed and printed to PDF.
#include "turnover/OtherStatements.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/reconciliation/ReconciliationStatement.h"

#include "platform/Picture.h"
#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

using test::TestBackend;

Decimal zl(qint64 units, int cents = 0)
{
    return Decimal::fromCents(units * 100 + cents);
}

// kol: cumulative Dt/Ct, balance Dt/Ct, settlements Dt/Ct, BO-period turnovers Dt/Ct, opening Dt/Ct.
AccountEntry account(const QString& number, int level, std::array<qint64, 10> kol)
{
    AccountEntry e;
    e.number = number;
    e.name = QStringLiteral("Konto ") + number;
    e.level = level;
    for (std::size_t i = 0; i < 10; ++i)
        e.kol[i] = zl(kol[i]);
    return e;
}

AccountList leaves(AccountList list)
{
    markLeaves(list);
    return list;
}

QStringList shown(const ReconciliationStatement& st)
{
    QStringList out;
    for (const ReconciliationRow& r : st.rows)
        out << r.account;
    return out;
}

TEST(Reconciliation, PrintedPairsFromTheServerAmounts)
{
    // cumulative 500/200 of which BO-period 120/20; balance 100/40; settlements 90/40; opening 70/0.
    const ReconciliationAmounts a = reconciliationAmounts({zl(500), zl(200), zl(100), zl(40), zl(90), zl(40), zl(120),
                                                           zl(20), zl(70), zl(0)});
    const ReconciliationAmounts expected{zl(70), zl(0), zl(380), zl(180), zl(100), zl(40), zl(90), zl(40), zl(60), zl(0)};
    EXPECT_EQ(a, expected);
    // Persaldo on the credit side when the credit is larger; nothing when the sides are equal.
    ReconciliationRow row;
    row.amounts = reconciliationAmounts({zl(0), zl(0), zl(40), zl(100), zl(0), zl(0), zl(0), zl(0), zl(0), zl(0)});
    EXPECT_EQ(row.pair(ReconciliationPair::Net), (AmountPair{zl(0), zl(60)}));
    row.amounts = reconciliationAmounts({zl(0), zl(0), zl(75), zl(75), zl(0), zl(0), zl(0), zl(0), zl(0), zl(0)});
    EXPECT_TRUE(row.pair(ReconciliationPair::Net).isZero());
}

TEST(Reconciliation, OnlyMismatchedLeavesOutAgreeingAccountsAndTheirAmounts)
{
    const AccountList list = leaves({account("201", 1, {0, 0, 150, 40, 140, 40, 0, 0, 0, 0}),
                                     account("201-1", 2, {0, 0, 100, 40, 100, 40, 0, 0, 0, 0}),
                                     account("201-2", 2, {0, 0, 50, 0, 40, 0, 0, 0, 0, 0})});
    TurnoverParameters p;
    const ReconciliationStatement all = buildReconciliation(list, p, false);
    EXPECT_EQ(shown(all), (QStringList{"201", "201-1", "201-2"}));
    // Only the leaves count: the synthetic account would count its sub-accounts twice.
    EXPECT_EQ(all.totals[4], zl(150));
    EXPECT_EQ(all.totals[6], zl(140));

    const ReconciliationStatement mismatched = buildReconciliation(list, p, true);
    EXPECT_EQ(shown(mismatched), (QStringList{"201", "201-2"}));
    EXPECT_EQ(mismatched.totals[4], zl(50));
    EXPECT_EQ(mismatched.totals[5], zl(0));
    EXPECT_EQ(mismatched.totals[6], zl(40));
    EXPECT_EQ(mismatched.totals[8], zl(50)); // the Persaldo of 201-2 alone

    // A synthetic statement counts its synthetic rows.
    p.syntheticOnly = true;
    EXPECT_EQ(buildReconciliation(leaves({account("201", 1, {0, 0, 150, 40, 140, 40, 0, 0, 0, 0}),
                                          account("202", 1, {0, 0, 0, 30, 0, 30, 0, 0, 0, 0})}),
                                  p, false)
                  .totals[5],
              zl(70));
}

TEST(Reconciliation, ZeroTestBeforeThousandsAndTotalsOfDividedAmounts)
{
    // 300 has turnovers that round to nothing in thousands, 301 has nothing at all; the opening
    // period's turnovers are not "Obroty konta".
    const AccountList list = leaves({account("300", 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                                     account("301", 1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                                     account("302", 1, {1'494, 0, 1'494, 0, 0, 0, 0, 0, 0, 0}),
                                     account("303", 1, {2'604, 0, 2'604, 0, 0, 0, 2'604, 0, 2'604, 0})});
    AccountList withSmall = list;
    withSmall[0].kol[0] = zl(0, 40);
    TurnoverParameters p;
    p.nonZeroTurnoversOnly = true;
    p.thousands = true;
    p.syntheticOnly = true;
    const ReconciliationStatement st = buildReconciliation(withSmall, p, false);
    EXPECT_EQ(shown(st), (QStringList{"300", "302", "303"}));
    EXPECT_TRUE(st.find("300")->pair(ReconciliationPair::Turnovers).isZero());
    EXPECT_EQ(st.find("302")->amounts[2], Decimal::fromCents(149));
    EXPECT_EQ(st.find("303")->amounts[4], Decimal::fromCents(260));
    // The total is the sum of the divided amounts (1,49 + 2,60), not 4,098 thousand rounded.
    EXPECT_EQ(st.totals[4], Decimal::fromCents(409));

    // A row the user may not see shows zeros and is marked.
    AccountList hidden = leaves({account("302", 1, {1'499, 0, 1'499, 0, 0, 0, 0, 0, 0, 0})});
    hidden[0].access = false;
    const ReconciliationStatement masked = buildReconciliation(hidden, TurnoverParameters(), false);
    EXPECT_TRUE(masked.restrictedAccess);
    EXPECT_EQ(masked.rows[0].displayAccount(), QStringLiteral("* 302"));
    EXPECT_EQ(masked.totals, ReconciliationAmounts{});
}

// ---------------------------------------------------------------- the demo company

class ReconciliationDemoTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_ID_UZYTKOWNIKA_NR = 2;
        s.DANE_ID_UZYT = QStringLiteral("mkowalska");
        s.GLO_CUTEMP = folder.path();
        chosen = TurnoverSettings();
        TurnoverSettings& t = chosen;
        t.yearId = 2;
        t.period = monthPeriod(2026, 6);
        AccountSelection settlements;
        settlements.settlement = true;
        const AccountListResult r = buildAccountList(1, 2, settlements);
        ASSERT_TRUE(r.ok()) << r.problem.toStdString();
        t.accounts = r.accounts;
    }
    void TearDown() override
    {
        setUi(nullptr);
        chosen = TurnoverSettings();
    }

    ReconciliationStatement compute(bool onlyMismatched)
    {
        const TurnoverSettings& t = chosen;
        return computeReconciliation(t.accounts, ComputationRequest::from(turnoverRequest(parameters, t, korda::session())), onlyMismatched);
    }

    ScriptedUi ui;
    QTemporaryDir folder;
    TurnoverParameters parameters;
    TurnoverSettings chosen;
};

TEST_P(ReconciliationDemoTest, DisagreeingSettlementsAreFoundAndAgreeingOnesLeaveTheTotals)
{
    const ReconciliationStatement all = compute(false);
    ASSERT_TRUE(all.completed()) << all.message.toStdString();
    const ReconciliationStatement mismatched = compute(true);
    ASSERT_TRUE(mismatched.completed());

    QStringList disagreeing;
    ReconciliationAmounts agreeingSum{};
    for (const ReconciliationRow& r : all.rows) {
        const bool agrees = r.pair(ReconciliationPair::Balance) == r.pair(ReconciliationPair::Settlements);
        if (!agrees && r.counted)
            disagreeing << r.account;
        if (agrees && r.counted)
            for (std::size_t i = 0; i < agreeingSum.size(); ++i)
                agreeingSum[i] += r.amounts[i];
    }
    // Two customer payments, an employee advance and a supplier payment: at least three card-index
    // accounts under 201, 202 and 234; everything else agrees.
    EXPECT_GE(disagreeing.size(), 3);
    EXPECT_LE(disagreeing.size(), 4);
    for (const QString& prefix : {QStringLiteral("201-"), QStringLiteral("202-"), QStringLiteral("234-")})
        EXPECT_TRUE(std::any_of(disagreeing.begin(), disagreeing.end(), [&](const QString& a) { return a.startsWith(prefix); }))
            << prefix.toStdString();
    QStringList shownLeaves;
    for (const ReconciliationRow& r : mismatched.rows)
        if (r.counted)
            shownLeaves << r.account;
    EXPECT_EQ(shownLeaves, disagreeing);
    EXPECT_GT(all.rows.size(), mismatched.rows.size() + 5);
    for (std::size_t i = 0; i < all.totals.size(); ++i)
        EXPECT_EQ(mismatched.totals[i] + agreeingSum[i], all.totals[i]) << i;
    // The supplier payment recorded 10,00 higher: one account is off by exactly that.
    bool tenOff = false;
    for (const ReconciliationRow& r : mismatched.rows) {
        const Decimal ledger = r.pair(ReconciliationPair::Balance).debit - r.pair(ReconciliationPair::Balance).credit;
        const Decimal register_ = r.pair(ReconciliationPair::Settlements).debit - r.pair(ReconciliationPair::Settlements).credit;
        tenOff = tenOff || (r.counted && (ledger - register_ == zl(10) || register_ - ledger == zl(10)));
    }
    EXPECT_TRUE(tenOff);
}

TEST_P(ReconciliationDemoTest, PrintedStatementShowsTheDisagreementsAndItsTotals)
{
    korda::Session& s = korda::session();
    s.outputRequests.printRequest = 1;
    s.DANE_DRUKARKA_EKRAN = 1;
    const QString pdf = folder.filePath(QStringLiteral("uzgodnienie.pdf"));
    s.outputRequests.pdfPath = pdf;
    chosen.onlyMismatched = true;
    parameters.title = QStringLiteral("Uzgodnienie sald kont z rozrachunkami");
    parameters.yearName = QStringLiteral("2026");
    EXPECT_EQ(runReconciliationStatement(turnoverRequest(parameters, chosen, korda::session())), 1);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& heading : {QStringLiteral("Obroty konta"), QStringLiteral("Saldo konta"),
                                   QStringLiteral("Saldo rozrachunków"), QStringLiteral("Persaldo"),
                                   QStringLiteral("Razem"), QStringLiteral("Koniec wydruku")})
        EXPECT_TRUE(text.contains(heading)) << heading.toStdString();
    const ReconciliationStatement st = compute(true);
    for (const ReconciliationRow& r : st.rows)
        EXPECT_TRUE(text.contains(r.account)) << r.account.toStdString();
    // The closing line "Razem" carries the cumulative totals; the balance pair is among them.
    const QString total = st.totals[4].isZero() ? QString() : formatPicture(u"@N-19_`2", st.totals[4]).trimmed();
    EXPECT_TRUE(total.isEmpty() || text.contains(total)) << total.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Backends, ReconciliationDemoTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::turnover
