// The turnover window's options as saved-variant rows: numbers, stored forms, and rows that
// do not fit (old or damaged variants).
#include "turnover/TurnoverOptions.h"
#include "turnover/compute/AccountListBuilder.h"

#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

TEST(TurnoverOptions, EveryOptionHasItsNumberAndComesBack)
{
    TurnoverOptions o;
    o.hideZeros = true;
    o.boldAggregates = false;
    o.variant = 2;
    o.groups[0] = true;
    o.groups[9] = true;
    o.rangeFrom = 200;
    o.rangeTo = 249;
    o.mask = QStringLiteral("20?-*   ");
    o.title = QStringLiteral("Zestawienie 'kwartalne'");
    o.fontSize = 10;
    const VariantValues v = toVariantValues(o);
    EXPECT_EQ(v.size(), kTurnoverOptionCount);
    EXPECT_EQ(v.firstKey(), 1);
    EXPECT_EQ(v.lastKey(), 48);
    EXPECT_EQ(v.value(48), QStringLiteral("1"));
    EXPECT_EQ(v.value(47), QStringLiteral("0"));
    EXPECT_EQ(v.value(9), QStringLiteral("2"));
    EXPECT_EQ(v.value(21), QStringLiteral("1"));
    EXPECT_EQ(v.value(22), QStringLiteral("0"));
    EXPECT_EQ(v.value(30), QStringLiteral("1"));
    EXPECT_EQ(v.value(38), QStringLiteral("200"));
    EXPECT_EQ(v.value(40), QStringLiteral("20?-*")); // trailing blanks go
    EXPECT_EQ(v.value(43), QStringLiteral("10"));

    TurnoverOptions back;
    EXPECT_TRUE(applyVariantValues(back, v).isEmpty());
    o.mask = QStringLiteral("20?-*");
    EXPECT_EQ(back, o);
}

TEST(TurnoverOptions, RowsThatDoNotFitAreSkippedAndNamed)
{
    TurnoverOptions o;
    VariantValues v;
    v.insert(0, QStringLiteral("1"));
    v.insert(49, QStringLiteral("1"));
    v.insert(177, QStringLiteral("x"));
    v.insert(43, QStringLiteral("duża"));
    v.insert(25, QStringLiteral(""));
    v.insert(48, QStringLiteral(" 1 "));
    v.insert(38, QStringLiteral("100.00"));
    v.insert(39, QStringLiteral("1.5"));
    const QStringList problems = applyVariantValues(o, v);
    ASSERT_EQ(problems.size(), 3);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("nr 25")));
    EXPECT_TRUE(problems[1].contains(QStringLiteral("nr 39")));
    EXPECT_TRUE(problems[2].contains(QStringLiteral("„duża”")));
    EXPECT_EQ(o.fontSize, 8);      // kept
    EXPECT_EQ(o.rangeTo, 999);     // kept
    EXPECT_EQ(o.rangeFrom, 100);
    EXPECT_TRUE(o.hideZeros);
    EXPECT_FALSE(o.groups[4]);
}

TEST(TurnoverOptions, SelectionFromTheWindow)
{
    EXPECT_EQ(accountGroup(10), 0);
    EXPECT_EQ(accountGroup(99), 0);
    EXPECT_EQ(accountGroup(100), 1);
    EXPECT_EQ(accountGroup(990), 9);
    EXPECT_EQ(accountGroup(2010), 2);

    TurnoverOptions o;
    EXPECT_FALSE(AccountSelection::from(o, false).rangeSet());
    o.rangeTo = 998;
    EXPECT_TRUE(AccountSelection::from(o, false).rangeSet());
    o.currencyAccounts = true;
    EXPECT_TRUE(AccountSelection::from(o, true).currency);
    EXPECT_TRUE(AccountSelection::from(o, true).syntheticOnly);
}

} // namespace
} // namespace pravik::turnover
