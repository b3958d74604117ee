// The pieces of the turnover printout that need no database: the contra-account rule shared with
// the cash report, the subtotals of the listings, the listing queries and the layout options.
#include "ledger/ContraAccountRule.h"
#include "platform/DayNumber.h"
#include "platform/report/LayoutLoader.h"
#include "turnover/print/TurnoverListings.h"
#include "turnover/print/TurnoverPrintOptions.h"

#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

using ledger::DocumentPosition;
using ledger::EntrySide;

Decimal zl(qint64 units)
{
    return Decimal::fromUnits(units);
}

DocumentPosition position(qint64 id, const QString& debitAccount, qint64 debit, const QString& creditAccount, qint64 credit)
{
    return {id, debitAccount, creditAccount, zl(debit), zl(credit), 0};
}

bool offBalance(const QString& account)
{
    return account.startsWith(QLatin1String("9"));
}

TEST(TurnoverPrintContraAccounts, OneCashPositionAndOneContraPositionGiveThatAccount)
{
    const auto grouped = ledger::groupPositions({position(1, "100", 500, "", 0), position(2, "", 0, "200-3", 500)}, offBalance);
    EXPECT_EQ(ledger::contraAccounts(grouped, 1, EntrySide::Debit).text, QStringLiteral("200-3"));
    EXPECT_EQ(ledger::contraAccounts(grouped, 2, EntrySide::Credit).text, QStringLiteral("100"));
    // The entry's own side is not a contra account; an unknown side gives nothing.
    EXPECT_EQ(ledger::contraAccounts(grouped, 1, EntrySide::Credit).text, QStringLiteral("100"));
    EXPECT_TRUE(ledger::contraAccounts(grouped, 1, EntrySide::Unknown).text.isEmpty());
    // A position the document does not hold.
    EXPECT_EQ(ledger::contraAccounts(grouped, 77, EntrySide::Debit).text, ledger::kNoContraAccount);
}

TEST(TurnoverPrintContraAccounts, RunsSplitTheDocumentAndOffBalanceAccountsDropOut)
{
    // Run 1: 100 Dt 300 against 201 Ct 100 and 202 Ct 200 (and 202 again, listed once).
    // Run 2: a two-sided line 401/490. Run 3: 130 Dt 50 against the off-balance 975.
    const auto grouped = ledger::groupPositions({position(1, "100", 300, "", 0), position(2, "", 0, "201", 100),
                                                 position(3, "", 0, "202", 150), position(4, "", 0, "202", 50),
                                                 position(5, "401", 70, "490", 70), position(6, "130", 50, "", 0),
                                                 position(7, "", 0, "975", 50)},
                                                offBalance);
    EXPECT_EQ(grouped[0].group, grouped[3].group);
    EXPECT_NE(grouped[3].group, grouped[4].group);
    EXPECT_NE(grouped[4].group, grouped[5].group);
    const ledger::ContraAccounts first = ledger::contraAccounts(grouped, 1, EntrySide::Debit);
    EXPECT_EQ(first.text, QStringLiteral("201,202"));
    ASSERT_EQ(first.parts.size(), 3);
    EXPECT_EQ(first.parts[1].amount, zl(150));
    EXPECT_EQ(ledger::contraAccounts(grouped, 5, EntrySide::Debit).text, QStringLiteral("490"));
    // The off-balance account is no contra account: "brak", and its amount is gone.
    EXPECT_EQ(ledger::contraAccounts(grouped, 6, EntrySide::Debit).text, ledger::kNoContraAccount);
    EXPECT_TRUE(grouped[6].credit.isZero());

    // When the leading side gets more, what came before closes its run.
    const auto twoReceipts = ledger::groupPositions({position(1, "100", 100, "", 0), position(2, "100", 40, "", 0),
                                                     position(3, "", 0, "700", 140)},
                                                    offBalance);
    EXPECT_EQ(twoReceipts[0].group, twoReceipts[1].group);
    EXPECT_NE(twoReceipts[1].group, twoReceipts[2].group);
    EXPECT_EQ(ledger::contraAccounts(twoReceipts, 1, EntrySide::Debit).text, ledger::kNoContraAccount);
}

TEST(TurnoverPrintContraAccounts, LongTextsAreCutAfterAnAccount)
{
    const QString text = QStringLiteral("201-1-0001,201-1-0002,201-1-0003,201-1-0004,201-1-0005,201-1-0006");
    const QString fitted = ledger::fitContraText(text, 40);
    EXPECT_LE(fitted.size(), 40);
    EXPECT_EQ(fitted, QStringLiteral("201-1-0001,201-1-0002,201-1-0003,..."));
    EXPECT_EQ(ledger::fitContraText(QStringLiteral("201,202"), 40), QStringLiteral("201,202"));
}

EntryRow entry(DayNumber period, qint64 debit, qint64 credit)
{
    EntryRow r;
    r.period = period;
    r.debit = zl(debit);
    r.credit = zl(credit);
    return r;
}

QStringList labelsOf(const Listing& listing)
{
    QStringList out;
    for (const ListingLine& l : listing)
        out << (l.total ? l.description : QStringLiteral("-"));
    return out;
}

TEST(TurnoverPrintListings, EntriesAreClosedByOpeningBalanceAndMonthSubtotals)
{
    const DayNumber bo = openingPeriod(dayFromYmd(2026, 1, 1));
    const DayNumber closing = closingPeriod(dayFromYmd(2026, 12, 31));
    const Listing listing = entriesListing({entry(bo, 10, 0), entry(bo, 5, 0), entry(monthPeriod(2026, 1), 0, 7),
                                            entry(monthPeriod(2026, 3), 1, 2), entry(monthPeriod(2026, 3), 3, 4),
                                            entry(monthPeriod(2026, 12), 1, 0), entry(closing, 2, 0)});
    EXPECT_EQ(labelsOf(listing), (QStringList{"-", "-", "Razem BO", "-", "Razem 1-2026", "-", "-", "Razem 3-2026", "-", "-",
                                              "Razem 12-2026"}));
    EXPECT_EQ(listing[2].debit, zl(15));
    EXPECT_EQ(listing[7].debit, zl(4));
    EXPECT_EQ(listing[7].credit, zl(6));
    EXPECT_EQ(listing[10].debit, zl(3)); // the closing period counts with its month
    EXPECT_TRUE(entriesListing({}).isEmpty());
}

TEST(TurnoverPrintListings, ItemSubtotalsFollowTheRecordsInOrderOfFirstAppearance)
{
    ListingLine a;
    a.debit = zl(10);
    ListingLine b;
    b.credit = zl(4);
    const Listing listing = itemListing({a, b, a}, {QStringLiteral("K1/01"), QStringLiteral("0100"), QStringLiteral("K1/01")});
    EXPECT_EQ(labelsOf(listing), (QStringList{"-", "-", "-", "Razem dla K1/01", "Razem dla 0100"}));
    EXPECT_EQ(listing[3].debit, zl(20));
    EXPECT_EQ(listing[4].credit, zl(4));
}

TEST(TurnoverPrintListings, QueriesQuoteTheAccountAndFollowTheOptions)
{
    ListingScope s;
    s.yearId = 2;
    s.period = 46084;
    const QString account = QStringLiteral("201-O'Neil");
    EXPECT_EQ(entriesListingSql(s, account),
              QStringLiteral("select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota_wn,kwota_ma,lp,data_okresu,"
                             "nr_dziennika,id_poz_dok,id_nag_dok,strona from POZ_DOK_VIEW_UNION   with (NOLOCK) where "
                             "id_lata_obrot=2 AND konto='201-O''Neil' AND data_okresu=46084 order by id_lata_obrot,konto,"
                             "data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona"));
    s.allPeriods = true;
    s.asOf = true;
    s.asOfDate = 46090;
    s.currency = QStringLiteral("EUR");
    s.approvedOnly = true;
    const QString all = entriesListingSql(s, account);
    EXPECT_TRUE(all.contains(QStringLiteral("kwota_wn_w,kwota_ma_w")));
    EXPECT_TRUE(all.contains(QStringLiteral(" AND data_okresu<=46084 AND data_biezaca<=46090 AND waluta='EUR' AND status=2 order by")));

    s.grouped = true;
    const QString mpk = mpkListingSql(s, account);
    EXPECT_TRUE(mpk.startsWith(QStringLiteral("select drzewo_zbior_id,'',0,'',0,sum(kwota_w),strona,0,")));
    EXPECT_TRUE(mpk.contains(QStringLiteral(" group by drzewo_zbior_id, wskaznik_1_id, wskaznik_2_id, wskaznik_3_id, "
                                            "wskaznik_4_id, wskaznik_5_id, strona order by drzewo_zbior_id,")));
    const QString budget = budgetListingSql(s, account);
    EXPECT_TRUE(budget.contains(QStringLiteral("(konto_wn='201-O''Neil' OR konto_ma='201-O''Neil') AND data_okresu<=46084")));
    EXPECT_FALSE(budget.contains(QStringLiteral("waluta"))); // classifications are not per currency
}

class TurnoverPrintLayout : public ::testing::Test {
protected:
    report::Layout layout = report::loadLayout(QStringLiteral("PRN_OBROTY_SQL"));
};

TEST_F(TurnoverPrintLayout, HeadingsFollowTheVariantAndThePrinter)
{
    TurnoverPrintOptions o;
    o.variant = 2;
    applyLayoutOptions(layout, o, false);
    EXPECT_EQ(layout.element(QStringLiteral("NS_KOL1")).text, QStringLiteral("Obroty narastająco"));
    EXPECT_EQ(layout.element(QStringLiteral("NS_KOL2")).text, QStringLiteral("Saldo"));
    EXPECT_EQ(layout.element(QStringLiteral("NS_KOL3")).text, QStringLiteral("Persaldo"));
    EXPECT_EQ(layout.element(QStringLiteral("NS_BO")).text, QStringLiteral("BO"));
    report::Layout text = report::loadLayout(QStringLiteral("PRN_OBROTY_SQL"));
    o.variant = 1;
    applyLayoutOptions(text, o, true);
    EXPECT_EQ(text.element(QStringLiteral("NS_KOL1")).text, QStringLiteral("Obr. w okr."));
    EXPECT_EQ(text.element(QStringLiteral("NS_KOL2")).text, QStringLiteral("Obr. nar."));
    EXPECT_EQ(text.element(QStringLiteral("NS_BO")).text, QStringLiteral("BO"));
}

TEST_F(TurnoverPrintLayout, ZeroHidingFontSizeShadingAndTheGroupLabel)
{
    TurnoverPrintOptions o;
    o.hideZeros = true;
    o.fontSize = 11;
    o.fontForAmountsOnly = true;
    o.noShading = true;
    const report::Units rowHeight = layout.band(QStringLiteral("POZYCJE")).height;
    applyLayoutOptions(layout, o, false);
    for (const QString& id : {QStringLiteral("S_MA"), QStringLiteral("PD_BO_WN"), QStringLiteral("PERS_WN"), QStringLiteral("Z_K_WN")}) {
        EXPECT_EQ(layout.element(id).picture, kAmountPictureBlankZero) << id.toStdString();
        EXPECT_EQ(layout.element(id).font.size, 11) << id.toStdString();
    }
    EXPECT_EQ(layout.element(QStringLiteral("Z_D_DOK")).picture, QStringLiteral("D6-B"));
    EXPECT_EQ(layout.element(QStringLiteral("PRN_NUMER")).font.size, 8); // amounts only
    EXPECT_GT(layout.band(QStringLiteral("POZYCJE")).height, rowHeight);  // the larger type still fits
    EXPECT_EQ(layout.element(QStringLiteral("NS_TLO")).shade, 0);
    EXPECT_EQ(layout.element(QStringLiteral("NAZWA_ZESPOLU")).x, layout.element(QStringLiteral("PRN_NUMER")).x + 10);

    report::Layout lastLevel = report::loadLayout(QStringLiteral("PRN_OBROTY_SQL"));
    TurnoverPrintOptions l;
    l.lastLevelOnly = true;
    applyLayoutOptions(lastLevel, l, false);
    EXPECT_EQ(lastLevel.element(QStringLiteral("NAZWA_ZESPOLU")).x, lastLevel.element(QStringLiteral("PRN_NUMER")).x);
    EXPECT_EQ(lastLevel.element(QStringLiteral("S_MA")).picture, kAmountPicture);
}

} // namespace
} // namespace pravik::turnover
