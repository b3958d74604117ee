// The ledger browse stand-in: the filter and control list it hands to WYDRUK_KSIEGA, and a
// print of marked rows through it.
#include "LedgerFixture.h"

#include "ledger/LedgerBrowseModel.h"

namespace pravik::test {
namespace {

class LedgerBrowse : public LedgerTest {};

TEST_P(LedgerBrowse, BuildsTheHostFilterAndPrintsTheMarkedRows)
{
    ledger::LedgerBrowseModel m;
    ASSERT_EQ(m.periods().size(), 14); // BO, twelve months, BZ
    m.setAccount(QStringLiteral("O'1"));
    m.setPeriods(kLedgerMarch, kLedgerFeb);
    EXPECT_EQ(m.filter(), QStringLiteral("PDD:konto='O''1' AND PDD:id_lata_obrot=2 AND PDD:data_okresu>=%1 AND PDD:data_okresu<=%2")
                              .arg(kLedgerFeb).arg(kLedgerMarch));
    EXPECT_TRUE(m.rows().isEmpty());

    m.setAccount(QStringLiteral("100"));
    m.setPeriods(kLedgerMarch, kLedgerMarch);
    m.setKind(ledger::kPeriodSheet);
    const QList<ledger::BrowseRow> rows = m.rows();
    ASSERT_EQ(rows.size(), 2 * kMarchDocuments);
    m.setMarked(rows[0].key, true);
    m.setMarked(rows[5].key, true);
    EXPECT_EQ(m.controlList(), QStringLiteral("68|1|2|1|1|Konto: 100|0"));

    QStringList pages = pdfPages([&] { EXPECT_EQ(m.print(QStringLiteral("Kartoteka konta")), 1); });
    ASSERT_EQ(pages.size(), 1);
    const QList<Decimal> period = labelled(pages[0], QStringLiteral("Razem w okresie"));
    EXPECT_EQ(period, (QList<Decimal>{rows[0].debitAmount + rows[5].debitAmount, rows[0].creditAmount + rows[5].creditAmount}));
}

INSTANTIATE_TEST_SUITE_P(Backends, LedgerBrowse, allBackends(), backendName);

} // namespace
} // namespace pravik::test
