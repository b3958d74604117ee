// The rows and totals of the turnover statement from hand-made accounts with the server's ten
// amounts already in place: no database, no printing.
#include "turnover/compute/TurnoverStatementBuilder.h"

#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

Decimal zl(double units)
{
    return Decimal::fromCents(qint64(units * 100 + (units < 0 ? -0.5 : 0.5)));
}

// kol: cumulative Dt/Ct (BO included), period Dt/Ct, closing Dt/Ct, BO-period turnovers Dt/Ct,
// opening balance Dt/Ct.
AccountEntry account(const QString& number, int level, std::array<double, 10> kol, QChar type = u'B')
{
    AccountEntry e;
    e.number = number;
    e.name = QStringLiteral("Konto ") + number;
    e.level = level;
    e.type = type;
    for (int i = 0; i < 10; ++i)
        e.kol[std::size_t(i)] = zl(kol[std::size_t(i)]);
    return e;
}

// A closing balance only (both sides as given).
AccountEntry balanceOnly(const QString& number, int level, double debit, double credit, QChar type = u'B')
{
    return account(number, level, {0, 0, 0, 0, debit, credit, 0, 0, 0, 0}, type);
}

StatementShape shape(const std::function<void(StatementShape&)>& change = {})
{
    StatementShape s;
    if (change)
        change(s);
    return s;
}

AccountList leaves(AccountList list)
{
    markLeaves(list);
    return list;
}

QStringList printedAccounts(const TurnoverStatement& st)
{
    QStringList out;
    for (const TurnoverRow& r : st.rows)
        if (r.kind == RowKind::Account)
            out << r.account;
    return out;
}

QStringList labels(const TurnoverStatement& st)
{
    QStringList out;
    for (const TurnoverRow& r : st.rows)
        out << (r.kind == RowKind::Account ? r.account : r.label + r.typeName);
    return out;
}

TEST(TurnoverStatement, NetBalanceVariantShowsTheDifferenceOnTheLargerSide)
{
    const AccountList list = leaves({balanceOnly("100", 1, 100, 30), balanceOnly("200", 1, 30, 100)});
    const TurnoverStatement st = buildTurnoverStatement(list, shape([](StatementShape& s) { s.parameters.variant = 2; }));
    ASSERT_EQ(printedAccounts(st), (QStringList{"100", "200"}));
    EXPECT_EQ(st.rows[0].amounts.closing, (AmountPair{zl(70), zl(0)}));
    EXPECT_EQ(st.rows[1].amounts.closing, (AmountPair{zl(0), zl(70)}));
    // The balance moves to the middle pair, the cumulative turnovers to the first.
    EXPECT_EQ(st.rows[0].amounts.cumulative, (AmountPair{zl(100), zl(30)}));
    // Equal sides net to nothing on both.
    const TurnoverStatement even = buildTurnoverStatement(leaves({balanceOnly("100", 1, 50, 50)}),
                                                          shape([](StatementShape& s) { s.parameters.variant = 2; }));
    EXPECT_TRUE(even.rows[0].amounts.closing.isZero());
}

TEST(TurnoverStatement, CumulativeTurnoversLoseTheOpeningPeriodUnlessAskedOrAsOf)
{
    // cumulative 500/200 of which the opening period 100/50; opening balance netted to 50/0.
    const AccountList list = leaves({account("100", 1, {500, 200, 40, 30, 0, 0, 100, 50, 50, 0})});
    EXPECT_EQ(buildTurnoverStatement(list, shape()).rows[0].amounts.cumulative, (AmountPair{zl(400), zl(150)}));
    // With the opening balance the opening postings come back side by side, not netted.
    EXPECT_EQ(buildTurnoverStatement(list, shape([](StatementShape& s) { s.parameters.cumulativeWithOpening = true; }))
                  .rows[0].amounts.cumulative,
              (AmountPair{zl(500), zl(200)}));
    // "Na dzień": the server leaves the opening period out of kol1/kol2 itself.
    const AccountList asOf = leaves({account("100", 1, {400, 150, 40, 30, 0, 0, 100, 50, 50, 0})});
    EXPECT_EQ(buildTurnoverStatement(asOf, shape([](StatementShape& s) { s.asOf = true; })).rows[0].amounts.cumulative,
              (AmountPair{zl(400), zl(150)}));
    EXPECT_EQ(buildTurnoverStatement(asOf, shape([](StatementShape& s) {
                  s.asOf = true;
                  s.parameters.cumulativeWithOpening = true;
              })).rows[0].amounts.cumulative,
              (AmountPair{zl(500), zl(200)}));
}

TEST(TurnoverStatement, ZeroSuppressionRules)
{
    // 400 has a zero balance, its sub-account 400-1 does not (the other sub-account balances it).
    AccountList list = leaves({balanceOnly("400", 1, 0, 0), balanceOnly("400-1", 2, 10, 0), balanceOnly("400-2", 2, 0, 10),
                               balanceOnly("401", 1, 5, 0), balanceOnly("401-1", 2, 5, 0), balanceOnly("401-2", 2, 0, 0)});
    EXPECT_EQ(printedAccounts(buildTurnoverStatement(
                  list, shape([](StatementShape& s) { s.parameters.nonZeroBalanceSynthetic = true; }))),
              (QStringList{"401", "401-1", "401-2"}));
    EXPECT_EQ(printedAccounts(buildTurnoverStatement(
                  list, shape([](StatementShape& s) { s.parameters.nonZeroBalanceLeaves = true; }))),
              (QStringList{"400", "400-1", "400-2", "401", "401-1"}));
    const TurnoverStatement last =
        buildTurnoverStatement(list, shape([](StatementShape& s) { s.parameters.lastLevelOnly = true; }));
    EXPECT_EQ(printedAccounts(last), (QStringList{"400-1", "400-2", "401-1", "401-2"}));
    EXPECT_EQ(last.totals.closing, (AmountPair{zl(15), zl(10)}));

    // Turnovers: the period and the cumulative ones after the opening period is taken off.
    const AccountList moved = leaves({account("500", 1, {70, 0, 0, 0, 0, 0, 70, 0, 0, 0}),
                                      account("501", 1, {0, 0, 0, 3, 0, 0, 0, 0, 0, 0})});
    EXPECT_EQ(printedAccounts(buildTurnoverStatement(
                  moved, shape([](StatementShape& s) { s.parameters.nonZeroTurnoversOnly = true; }))),
              (QStringList{"501"}));
}

TEST(TurnoverStatement, CountedRowsFollowTheStatementKind)
{
    // 201 stands in for its card-index accounts (its placeholder was in the list).
    AccountList list = leaves({balanceOnly("201", 1, 80, 0), balanceOnly("202", 1, 0, 30), balanceOnly("202-1", 2, 0, 30)});
    list[0].placeholderParent = true;
    const TurnoverStatement without =
        buildTurnoverStatement(list, shape([](StatementShape& s) { s.parameters.cardIndexAccounts = false; }));
    EXPECT_EQ(without.totals.closing, (AmountPair{zl(80), zl(30)}));
    EXPECT_TRUE(without.cardIndexOmitted);
    // With card-index accounts only the leaves count (201 is a leaf here too).
    EXPECT_EQ(buildTurnoverStatement(list, shape()).totals.closing, (AmountPair{zl(80), zl(30)}));
    // The synthetic statement counts its synthetic rows.
    const TurnoverStatement synthetic = buildTurnoverStatement(
        leaves({balanceOnly("201", 1, 80, 0), balanceOnly("202", 1, 0, 30)}),
        shape([](StatementShape& s) { s.parameters.syntheticOnly = true; }));
    EXPECT_EQ(synthetic.totals.closing, (AmountPair{zl(80), zl(30)}));
}

TEST(TurnoverStatement, GroupTotalsAndClosingLines)
{
    const auto grouped = [](StatementShape& s) {
        s.groupTotals = true;
        s.netBalances = true;
    };
    // One group: one group total, then the summary of groups and the statement totals.
    const AccountList one = leaves({balanceOnly("201", 1, 100, 40), balanceOnly("201-1", 2, 100, 0),
                                    balanceOnly("201-2", 2, 0, 40), balanceOnly("202", 1, 5, 0), balanceOnly("202-1", 2, 5, 0)});
    const TurnoverStatement st = buildTurnoverStatement(one, shape(grouped));
    EXPECT_EQ(labels(st), (QStringList{"201", "Persaldo konta 201", "201-1", "201-2", "202", "202-1", "Zespół 2",
                                       "Persaldo zespołu 2", "Podsumowanie zespołów kont", "Razem", "W tym konta:Bilansowe",
                                       "Pozabilansowe", "Persaldo"}));
    const TurnoverRow* group = st.find(RowKind::GroupTotal);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->amounts.closing, (AmountPair{zl(105), zl(40)})); // synthetic rows only
    EXPECT_EQ(st.find(RowKind::GroupNet)->amounts.closing, (AmountPair{zl(65), zl(0)}));
    EXPECT_EQ(st.find(RowKind::AccountNet)->amounts.closing, (AmountPair{zl(60), zl(0)}));
    EXPECT_EQ(st.find(RowKind::NetTotal)->amounts.closing, (AmountPair{zl(65), zl(0)}));

    // Only the last level: the group is labelled as a sum of accounts and sums the leaves.
    const TurnoverStatement last = buildTurnoverStatement(one, shape([&](StatementShape& s) {
        grouped(s);
        s.parameters.lastLevelOnly = true;
    }));
    EXPECT_EQ(last.find(RowKind::GroupTotal)->label, QStringLiteral("Razem konta zespołu 2"));
    EXPECT_EQ(last.find(RowKind::GroupTotal)->amounts.closing, (AmountPair{zl(105), zl(40)}));

    // A group none of whose rows is printed gets no total; the browse gets no group lines.
    const AccountList two = leaves({balanceOnly("100", 1, 0, 0), balanceOnly("300", 1, 7, 0)});
    const TurnoverStatement skipped = buildTurnoverStatement(two, shape([&](StatementShape& s) {
        grouped(s);
        s.parameters.nonZeroBalanceSynthetic = true;
    }));
    EXPECT_EQ(skipped.find(RowKind::GroupTotal)->label, QStringLiteral("Zespół 3"));
    EXPECT_EQ(std::count_if(skipped.rows.begin(), skipped.rows.end(), [](const TurnoverRow& r) { return r.kind == RowKind::GroupTotal; }), 1);
    const TurnoverStatement browse = buildTurnoverStatement(two, shape([&](StatementShape& s) {
        grouped(s);
        s.browse = true;
    }));
    EXPECT_EQ(browse.find(RowKind::GroupTotal), nullptr);
    EXPECT_EQ(browse.find(RowKind::GroupsSummary), nullptr);

    // The simple statement has no net-balance lines but the final one.
    const TurnoverStatement simple = buildTurnoverStatement(one, shape([&](StatementShape& s) {
        grouped(s);
        s.parameters.variant = 3;
    }));
    EXPECT_EQ(simple.find(RowKind::AccountNet), nullptr);
    EXPECT_EQ(simple.find(RowKind::GroupNet), nullptr);
    EXPECT_NE(simple.find(RowKind::NetTotal), nullptr);
}

TEST(TurnoverStatement, ThousandsAreDividedBeforeTotalling)
{
    // 1 005,00 is 1,01 thousand each (half away from zero); the total is 2,02, not 2 010 / 1000.
    const AccountList list = leaves({balanceOnly("100", 1, 1005, 0), balanceOnly("101", 1, 1005, 0)});
    const TurnoverStatement st = buildTurnoverStatement(list, shape([](StatementShape& s) {
        s.parameters.thousands = true;
        s.groupTotals = true;
    }));
    EXPECT_EQ(st.rows[0].amounts.closing.debit, zl(1.01));
    EXPECT_EQ(st.totals.closing.debit, zl(2.02));
    EXPECT_EQ(st.groupsSum.closing.debit, zl(2.02));
}

TEST(TurnoverStatement, TypesRestrictedAccountsAndBold)
{
    AccountList list = leaves({balanceOnly("700", 1, 0, 90, u'W'), balanceOnly("990", 1, 25, 0, u'P'),
                               balanceOnly("990-1", 2, 25, 0, u'P'), balanceOnly("130", 1, 12, 0)});
    list[3].access = false;
    const TurnoverStatement st = buildTurnoverStatement(list, shape([](StatementShape& s) { s.boldAggregates = true; }));
    EXPECT_EQ(st.balanceTotals.closing, (AmountPair{zl(0), zl(90)}));
    EXPECT_EQ(st.offBalanceTotals.closing, (AmountPair{zl(25), zl(0)}));
    const TurnoverRow* masked = st.find(RowKind::Account, QStringLiteral("130"));
    ASSERT_NE(masked, nullptr);
    EXPECT_TRUE(masked->restricted);
    EXPECT_EQ(masked->displayAccount(), QStringLiteral("* 130"));
    EXPECT_TRUE(masked->amounts.isZero());
    EXPECT_TRUE(st.restrictedAccess);
    EXPECT_TRUE(st.find(RowKind::Account, QStringLiteral("990"))->bold);
    EXPECT_FALSE(st.find(RowKind::Account, QStringLiteral("990-1"))->bold);
    EXPECT_FALSE(st.find(RowKind::Account, QStringLiteral("700"))->bold);
}

} // namespace
} // namespace pravik::turnover
