// Currency account sheets and account balances over the ledger of our own: the per-currency
// breakdown against the postings, the balances against the turnover table, the partial items
// of the currency cash mode, and the printed closing rows.
#include "LedgerFixture.h"

#include "ledger/BalanceListSource.h"
#include "ledger/CurrencySheetSource.h"
#include "ledger/LedgerProcedures.h"

namespace pravik::test {
namespace {

using ledger::Amounts;

class CurrencyAndBalances : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        korda::Session& s = korda::session();
        s.DANE_LATA_OBROTOWE = 1;
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2025");
        s.DANE_POCZATEK_ROKU = dayFromYmd(2025, 1, 1);
    }

    Decimal sum(const QString& sql)
    {
        sql::Cursor c = db->exec(sql);
        return c.next() ? dec(c.value(0)) : Decimal::fromCents(-1);
    }

    // One side of account 102 in a currency: base or foreign amounts.
    Decimal side(const char* wnma, const char* currency, bool foreign)
    {
        return sum(QStringLiteral("select coalesce(sum(p.kwota_%1%2),0) from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok "
                                  "where n.status<>0 and p.konto_%1='102' and p.sym_waluty_%1='%3'")
                       .arg(QLatin1String(wnma), foreign ? QStringLiteral("_w") : QString(), QLatin1String(currency)));
    }

    ledger::LedgerRequest request(int kind, const QString& filter, const QString& description, const QString& flag = {})
    {
        ledger::ControlList c;
        c.kind = kind;
        c.sort = 1;
        c.ascending = true;
        c.description = description;
        c.currencyFlag = flag;
        return ledger::requestFromSession(c, filter, QStringLiteral("Zestawienie"), 0, korda::session());
    }
};

TEST_P(CurrencyAndBalances, CurrencySheetBreaksTheTotalsDownByCurrency)
{
    ledger::CurrencySheetSource source(request(ledger::kCurrencySheets, QStringLiteral("PDD:konto='102'"), QStringLiteral("Konto: 102")));
    ASSERT_TRUE(source.start());
    ledger::CurrencyLine line;
    int n = 0;
    while (source.next(line))
        ++n;
    EXPECT_EQ(n, 4);
    const QList<ledger::CurrencyTotals> b = source.breakdown();
    ASSERT_EQ(b.size(), 2);
    EXPECT_EQ(b[0].code, QStringLiteral("EUR"));
    EXPECT_EQ(b[1].code, QStringLiteral("USD"));
    for (const ledger::CurrencyTotals& t : b) {
        const QByteArray code = t.code.toLatin1();
        EXPECT_EQ(t.base, (Amounts{side("wn", code, false), side("ma", code, false)}));
        EXPECT_EQ(t.inCurrency, (Amounts{side("wn", code, true), side("ma", code, true)}));
    }
    EXPECT_EQ(source.totals(), b[0].base + b[1].base);

    const QStringList pages = pdfPages([] {
        WYDRUK_KSIEGA(QStringLiteral("PDD:konto='102'"), QStringLiteral("Kartoteka walutowa"), QStringLiteral("64|0|1|1|0|Konto: 102|0"));
    });
    ASSERT_EQ(korda::session().globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    const QString text = pages.join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("Waluta :PLN")));
    EXPECT_EQ(korda::session().GGG_PRN_AKTYWNA_WALUTA.text(), QStringLiteral("PLN"));
    EXPECT_EQ(text.count(QStringLiteral("W tym:")), 1);
    const Amounts eur = b[0].base;
    const Amounts eurForeign = b[0].inCurrency;
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Persaldo EUR")),
              (QList<Decimal>{ledger::net(eur).debit, ledger::net(eur).credit, ledger::net(eurForeign).debit, ledger::net(eurForeign).credit}));
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Persaldo")), ledger::net(source.totals()).columns());
}

TEST_P(CurrencyAndBalances, BalancesListTheTurnoverTableInBaseOrForeignCurrency)
{
    const QString filter = QStringLiteral("PDD:id_lata_obrot=1 AND PDD:data_okresu=%1 AND PDD:sym_waluty='PLN'").arg(kLedger2025);
    ledger::BalanceListSource base(request(ledger::kAccountBalances, filter, QStringLiteral("Czerwiec"), QStringLiteral("0")),
                                   QStringLiteral("PLN"));
    ASSERT_TRUE(base.start());
    ledger::BalanceLine line;
    QStringList accounts;
    while (base.next(line))
        accounts << line.account;
    EXPECT_EQ(accounts, (QStringList{"100", "102", "201", "201-1", "201-1-2", "202", "202-1"}));
    const QString from = QStringLiteral(" from OBROTY_I_SALDA where id_firmy=1 and id_lata_obrot=1 and data_okresu=%1 and sym_waluty='PLN'")
                             .arg(kLedger2025);
    EXPECT_EQ(base.totals(), (ledger::BalanceTotals{{sum("select sum(zobroty_wn)" + from), sum("select sum(zobroty_ma)" + from)},
                                                    {sum("select sum(zsaldo_wn)" + from), sum("select sum(zsaldo_ma)" + from)}}));
    EXPECT_FALSE(base.partialItems());

    // Mode 1 in EUR, the year without an earlier one: the accounts of the host's list with their
    // amounts in euro and, under 102, the partial items of its first EUR cash posting.
    korda::Session& s = korda::session();
    s.DANE_KOLEJKA_VAX.add(QStringLiteral("102"));
    const QString eurFilter = QStringLiteral("PDD:id_lata_obrot=1 AND PDD:data_okresu=%1 AND PDD:sym_waluty='EUR'").arg(kLedger2025);
    ledger::BalanceListSource eur(request(ledger::kAccountBalances, eurFilter, QStringLiteral("EUR euro"), QStringLiteral("1")),
                                  QStringLiteral("PLN"));
    EXPECT_EQ(eur.reportCurrency(), QStringLiteral("EUR"));
    EXPECT_TRUE(eur.foreignAmounts());
    EXPECT_TRUE(eur.partialItems());
    ASSERT_TRUE(eur.start());
    QList<ledger::BalanceLine> lines;
    while (eur.next(line))
        lines << line;
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].account, QStringLiteral("102"));
    EXPECT_EQ(lines[0].turnover, (Amounts{side("wn", "EUR", true), side("ma", "EUR", true)}));
    bool failed = true;
    const QList<ledger::PartialItem> items = eur.items(QStringLiteral("102"), &failed);
    EXPECT_FALSE(failed);
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[0].number, QStringLiteral("C/1"));
    EXPECT_EQ(items[1].inCurrency.debit, Decimal::fromCents(10000));
    EXPECT_TRUE(eur.items(QStringLiteral("O'Brien"), &failed).isEmpty());
    EXPECT_FALSE(failed);

    // In the later year (an earlier one exists) the same list has no partial items.
    s.DANE_LATA_OBROTOWE = 2;
    s.DANE_POCZATEK_ROKU = dayFromYmd(2026, 1, 1);
    ledger::BalanceListSource later(request(ledger::kAccountBalances, eurFilter, QStringLiteral("EUR"), QStringLiteral("1")),
                                    QStringLiteral("PLN"));
    EXPECT_FALSE(later.partialItems());
}

TEST_P(CurrencyAndBalances, PrintedBalancesCloseWithTheirTotals)
{
    korda::session().DANE_KOLEJKA_VAX.add(QStringLiteral("102"));
    const QString eurFilter = QStringLiteral("PDD:id_lata_obrot=1 AND PDD:data_okresu=%1 AND PDD:sym_waluty='EUR'").arg(kLedger2025);
    const QStringList pages = pdfPages([&] { WYDRUK_KSIEGA(eurFilter, QStringLiteral("Salda kont"), QStringLiteral("63|0|1|1|0|EUR|1")); });
    ASSERT_EQ(korda::session().globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    const QString text = pages.join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("Waluta: EUR")));
    EXPECT_TRUE(text.contains(QStringLiteral("Kwota Ct (PLN)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Część 2")));
    const Amounts turnover{side("wn", "EUR", true), side("ma", "EUR", true)};
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")).mid(0, 2), turnover.columns());
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}

INSTANTIATE_TEST_SUITE_P(Backends, CurrencyAndBalances, allBackends(), backendName);

} // namespace
} // namespace pravik::test
