// What the ledger prints make of the host's texts before any query runs: the control list, the
// period a filter names, the WHERE and ORDER BY texts, the period condition swapped for the
// opening sums, marked-record keys, and the summary's parent accounts.
#include "ledger/LedgerLabels.h"
#include "ledger/LedgerRequest.h"
#include "ledger/MarkedRecords.h"
#include "ledger/PostingFilter.h"
#include "ledger/SheetSummary.h"
#include "siblings/utilka/ItemList.h"

#include <gtest/gtest.h>

namespace pravik::ledger {
namespace {

Decimal d(const char* text)
{
    return *Decimal::parse(QString::fromLatin1(text));
}

TEST(LedgerControlList, ReadsItemsAndRefusesWhatIsNotANumber)
{
    ControlListReading r = readControlList(QStringLiteral("  68|1|2|1|1|Konto: 100|0  "));
    EXPECT_TRUE(r.problem.isEmpty());
    EXPECT_EQ(r.list.kind, 68);
    EXPECT_TRUE(r.list.markedOnly);
    EXPECT_EQ(r.list.sort, 2);
    EXPECT_TRUE(r.list.ascending);
    EXPECT_EQ(r.list.layoutFlag, 1);
    EXPECT_EQ(r.list.description, QStringLiteral("Konto: 100"));

    // Missing items after the kind read as 0: descending, account layout.
    r = readControlList(QStringLiteral("61"));
    EXPECT_TRUE(r.problem.isEmpty());
    EXPECT_FALSE(r.list.ascending);
    EXPECT_EQ(r.list.layoutFlag, 0);

    EXPECT_FALSE(readControlList(QString()).problem.isEmpty());
    EXPECT_FALSE(readControlList(QStringLiteral("61|x|2")).problem.isEmpty());
    EXPECT_FALSE(readControlList(QStringLiteral("61|0|300")).problem.isEmpty());
    EXPECT_FALSE(readControlList(QStringLiteral("63|0|1|1|0|EUR|abc")).problem.isEmpty());

    // A long description is cut to its 200 characters; a "|" in it survives the round trip.
    ControlList c;
    c.kind = 61;
    c.description = QString(10000, u'x');
    EXPECT_EQ(readControlList(buildControlList(c)).list.description.size(), 200);
    c.description = QStringLiteral("Konto: 1|2");
    EXPECT_EQ(readControlList(buildControlList(c)).list.description, c.description);
}

TEST(LedgerFilter, FindsTheOnePeriodInAnyCaseAndRefusesTwo)
{
    using K = PeriodInFilter::Kind;
    PeriodInFilter p = periodInFilter(QStringLiteral("PDD:konto='100' AND PDD:data_okresu=82244"));
    EXPECT_EQ(p.kind, K::One);
    EXPECT_EQ(p.period, 82244);
    p = periodInFilter(QStringLiteral("PDD:DATA_OKRESU = 82244 AND PDD:konto='100'"));
    EXPECT_EQ(p.kind, K::One);
    EXPECT_EQ(p.period, 82244);
    // Four digits are four digits: not the five characters after "=".
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu=8224)")).period, 8224);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:konto='100'")).kind, K::None);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu=abc")).kind, K::None);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu>=82215")).kind, K::None);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu>=82215 AND PDD:data_okresu<=82244")).kind, K::Several);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu=82244 OR PDD:data_okresu=82272")).kind, K::Several);
    EXPECT_EQ(periodInFilter(QStringLiteral("PDD:data_okresu>82215 AND PDD:data_okresu=82244")).kind, K::Several);
}

TEST(LedgerFilter, SwapsThePeriodConditionAsWrittenAndLeavesQuotedTextAlone)
{
    const QString where = QStringLiteral("id_firmy=1 AND (opis='Wpłata DATA_OKRESU' AND Data_Okresu = 82244)");
    const std::optional<QString> out = replacePeriodCondition(where, 82244, QStringLiteral("data_okresu=82215"));
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, QStringLiteral("id_firmy=1 AND (opis='Wpłata DATA_OKRESU' AND data_okresu=82215)"));
    EXPECT_FALSE(replacePeriodCondition(where, 8224, QStringLiteral("x")));
    EXPECT_FALSE(replacePeriodCondition(QStringLiteral("data_okresu=822441"), 82244, QStringLiteral("x")));
}

TEST(LedgerFilter, WhereKeepsTheHostFilterInsideTheCompanyAndOrderFollowsTheSortTable)
{
    EXPECT_EQ(postingWhere(7, QStringLiteral("  "), QStringLiteral("POZ_DOK_VIEW_UNION")), QStringLiteral("id_firmy=7"));
    EXPECT_EQ(postingWhere(7, QStringLiteral("PDD:konto='100' OR PDD:konto='101'"), QStringLiteral("POZ_DOK_VIEW_UNION")),
              QStringLiteral("id_firmy=7 AND (konto='100' OR konto='101')"));
    const QString longFilter = QStringLiteral("PDD:konto in (") + QStringList(600, QStringLiteral("'201-01'")).join(u',') + u')';
    EXPECT_TRUE(postingWhere(1, longFilter, QStringLiteral("POZ_DOK_VIEW_UNION")).endsWith(QStringLiteral("'201-01'))")));

    EXPECT_EQ(postingView(13, false), QStringLiteral("POZ_DOK_VIEW_UNION_EXT"));
    EXPECT_EQ(postingView(2, true), QStringLiteral("POZ_DOK_VIEW_UNION_BT"));
    EXPECT_EQ(postingView(13, true), QStringLiteral("POZ_DOK_VIEW_UNION_BT_EXT"));
    EXPECT_EQ(postingOrder(3, true, true), QStringLiteral("order by id_firmy asc, data_okresu asc, id_poz_dok asc, strona asc"));
    EXPECT_EQ(postingOrder(3, false, false), QStringLiteral("order by id_firmy asc, konto desc, id_poz_dok asc, strona asc"));
    EXPECT_EQ(postingOrder(12, true, false), QStringLiteral("order by id_firmy asc, data_ksieg asc, id_poz_dok asc, strona asc"));
    EXPECT_EQ(postingOrder(13, false, false),
              QStringLiteral("order by id_firmy asc, nazwa_konta desc, data_ksieg desc, id_poz_dok desc, strona desc"));
    const QString byDefault = QStringLiteral("order by id_firmy asc, nr_ewid_dok asc, id_poz_dok asc, strona asc");
    EXPECT_EQ(postingOrder(13, true, true), byDefault);
    EXPECT_EQ(postingOrder(0, true, true), byDefault);
    EXPECT_EQ(postingOrder(200, false, false), byDefault);

    EXPECT_TRUE(filterProblem(QStringLiteral("PDD:opis='a;b' AND PDD:konto='100'")).isEmpty());
    EXPECT_TRUE(filterProblem(QStringLiteral("PDD:opis='it''s'")).isEmpty());
    EXPECT_FALSE(filterProblem(QStringLiteral("PDD:konto='100'; delete from POZ_DOK")).isEmpty());
    EXPECT_FALSE(filterProblem(QStringLiteral("PDD:konto='100")).isEmpty());
}

TEST(LedgerMarkedRecords, KeyIsTheSideDigitBeforeTheIdAndTheListIncludesOrExcludes)
{
    EXPECT_EQ(MarkedRecords::keyOf(QStringLiteral("0"), 123), 123);
    EXPECT_EQ(MarkedRecords::keyOf(QStringLiteral("1 "), 123), 1123);
    // The host's ambiguity, kept: posting 123's credit side is posting 1123's debit side.
    EXPECT_EQ(MarkedRecords::keyOf(QStringLiteral("1"), 123), MarkedRecords::keyOf(QStringLiteral("0"), 1123));
    EXPECT_EQ(MarkedRecords::keyOf(QStringLiteral("x"), 5), -1);

    const MarkedRecords only({123, 1124}, false);
    EXPECT_TRUE(only.admits(QStringLiteral("0"), 123));
    EXPECT_FALSE(only.admits(QStringLiteral("1"), 123));
    EXPECT_TRUE(only.admits(QStringLiteral("1"), 124));
    const MarkedRecords except({123}, true);
    EXPECT_FALSE(except.admits(QStringLiteral("0"), 123));
    EXPECT_TRUE(except.admits(QStringLiteral("1"), 123));
}

TEST(LedgerLabels, PeriodsAccountsAndMonths)
{
    EXPECT_EQ(periodGroup(dayFromYmd(2026, 1, 1)), QStringLiteral("BO"));
    EXPECT_EQ(periodGroup(dayFromYmd(2026, 12, 28)), QStringLiteral("BZ"));
    EXPECT_EQ(periodGroup(dayFromYmd(2015, 3, 2)), QStringLiteral("3-2015"));
    EXPECT_EQ(monthName(3), QStringLiteral("Marzec"));
    EXPECT_EQ(monthName(12), QStringLiteral("Grudzień"));
    EXPECT_EQ(monthName(0), QStringLiteral("Grudzień"));
    EXPECT_EQ(accountOfDescription(QStringLiteral("Konto: 201-01")), QStringLiteral("201-01"));
    EXPECT_EQ(syntheticAccount(QStringLiteral("13-1")), 13);
    EXPECT_EQ(syntheticAccount(QStringLiteral("201")), 201);
    EXPECT_FALSE(syntheticAccount(QStringLiteral("K1-2")));
    EXPECT_FALSE(syntheticAccount(QStringLiteral("")));
}

TEST(LedgerSummary, ParentsSumTheirOwnBranchOnlyAndTwoBalanceParentsKeepBothSides)
{
    SheetSummary s(false);
    s.add(QStringLiteral("201-1-2"), 0, {d("100.00"), d("250.00")});
    s.add(QStringLiteral("201-10-5"), 0, {d("400.00"), d("50.00")});
    s.add(QStringLiteral("201-1-2"), 0, {d("10.00"), d("0")});
    const QList<SummaryRow> rows = s.rows([](const QString& parent) { return parent == QLatin1String("201"); });
    QStringList keys;
    for (const SummaryRow& r : rows)
        keys << r.key + (r.posted ? "" : "*");
    EXPECT_EQ(keys, (QStringList{"201*", "201-1*", "201-1-2", "201-10*", "201-10-5"}));
    auto row = [&](const char* key) { return *std::find_if(rows.begin(), rows.end(), [&](auto& r) { return r.key == key; }); };
    EXPECT_EQ(row("201-1-2").sums, (Amounts{d("110.00"), d("250.00")}));
    EXPECT_EQ(row("201-1-2").balance, (Amounts{d("0"), d("140.00")}));
    // 201-1 does not swallow 201-10-5.
    EXPECT_EQ(row("201-1").sums, (Amounts{d("110.00"), d("250.00")}));
    EXPECT_EQ(row("201-10").balance, (Amounts{d("350.00"), d("0")}));
    // 201 keeps two balances: the debit of 201-10-5 and the credit of 201-1-2 side by side.
    EXPECT_EQ(row("201").sums, (Amounts{d("510.00"), d("300.00")}));
    EXPECT_EQ(row("201").balance, (Amounts{d("350.00"), d("140.00")}));
    const SummaryRow t = SheetSummary::totals(rows);
    EXPECT_EQ(t.sums, (Amounts{d("510.00"), d("300.00")}));

    // Equal sides net to 0 and 0; periods come in date order, not in text order.
    EXPECT_EQ(net({d("5.00"), d("5.00")}), (Amounts{}));
    SheetSummary p(true);
    p.add(QStringLiteral("10-2026"), dayFromYmd(2026, 10, 2), {});
    p.add(QStringLiteral("BO"), dayFromYmd(2026, 1, 1), {});
    p.add(QStringLiteral("2-2026"), dayFromYmd(2026, 2, 2), {});
    QStringList order;
    for (const SummaryRow& r : p.rows({}))
        order << r.key;
    EXPECT_EQ(order, (QStringList{"BO", "2-2026", "10-2026"}));
}

} // namespace
} // namespace pravik::ledger
