// The turnover statement of the demo company, computed through the gateway and the server's
// procedure on SQLite and on PostgreSQL: the card-index expansion, the totals of a balanced
// ledger, the browse rows, and what bad input gets.
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/CardIndexExpansion.h"
#include "turnover/compute/ScratchRows.h"
#include "turnover/compute/TurnoverComputation.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <gtest/gtest.h>
#include <map>

namespace pravik::turnover {
namespace {

using test::TestBackend;

constexpr qint32 kCompany = 1;
constexpr qint32 kYear = 2; // "2026", closed through March

class TurnoverComputationTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::session().DANE_ID_FIRMY = kCompany;
        korda::session().DANE_ID_UZYTKOWNIKA_NR = 2;
        korda::session().DANE_ID_UZYT = QStringLiteral("mkowalska");
        settings = TurnoverSettings();
        settings.yearId = kYear;
        settings.period = monthPeriod(2026, 3);
    }
    void TearDown() override { setUi(nullptr); }

    AccountList chart(const AccountSelection& selection = {})
    {
        AccountListResult r = buildAccountList(kCompany, kYear, selection);
        EXPECT_TRUE(r.ok()) << r.problem.toStdString();
        return r.accounts;
    }

    TurnoverStatement run(const TurnoverParameters& p, const AccountList& accounts, bool browse = false)
    {
        return computeTurnoverStatement(accounts, ComputationRequest::from(turnoverRequest(p, settings, korda::session())), settings, browse);
    }

    QStringList accountsOf(const TurnoverStatement& st, const QString& prefix = QString())
    {
        QStringList out;
        for (const TurnoverRow& r : st.rows)
            if (r.kind == RowKind::Account && r.account.startsWith(prefix))
                out << r.account;
        return out;
    }

    qint64 count(const QString& tsql)
    {
        sql::Cursor c = db->exec(tsql);
        return c.next() ? c.value(0).toLongLong() : -1;
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    TurnoverSettings settings;
};

TEST_P(TurnoverComputationTest, BalancedLedgerGivesBalancedTotalsAndConsistentAccounts)
{
    TurnoverParameters p;
    p.cumulativeWithOpening = true;
    const TurnoverStatement st = run(p, chart());
    ASSERT_TRUE(st.completed()) << st.message.toStdString();
    EXPECT_TRUE(ui.messageTexts().isEmpty()) << ui.messageTexts().join(u'\n').toStdString();
    ASSERT_GT(accountsOf(st).size(), 40);

    // Off-balance accounts are posted one-sided; the balance-sheet and P&L accounts balance.
    EXPECT_FALSE(st.balanceTotals.period.isZero());
    EXPECT_EQ(st.balanceTotals.period.debit, st.balanceTotals.period.credit);
    EXPECT_EQ(st.balanceTotals.cumulative.debit, st.balanceTotals.cumulative.credit);
    EXPECT_EQ(st.balanceTotals.opening.debit, st.balanceTotals.opening.credit);
    EXPECT_EQ(st.totals, [&] {
        TurnoverAmounts sum = st.balanceTotals;
        sum += st.offBalanceTotals;
        return sum;
    }());
    // Closing balance = opening balance + the turnovers since, side against side.
    for (const TurnoverRow& r : st.rows) {
        if (r.kind == RowKind::Account) {
            EXPECT_EQ(r.amounts.closing.debit - r.amounts.closing.credit,
                      r.amounts.cumulative.debit - r.amounts.cumulative.credit)
                << r.account.toStdString();
        }
    }
    // Card-index accounts are listed under their parents; no placeholder is left.
    EXPECT_GT(accountsOf(st, QStringLiteral("201-")).size(), 3);
    EXPECT_TRUE(accountsOf(st, QStringLiteral("201-x")).isEmpty());
    EXPECT_EQ(st.find(RowKind::Account, QStringLiteral("201-1"))->level, 2);
    EXPECT_FALSE(st.find(RowKind::Account, QStringLiteral("201-1"))->name.isEmpty());
}

// "Sumuj obroty narastająco z uwzględnieniem BO": every account, at every level, shows the
// opening postings plus the turnovers of the months up to the period, each side on its own. The
// demo opens 220 (not two-balance) with 220-2 on the debit side and its other sub-accounts on
// the credit side, which a netted opening balance would hide.
TEST_P(TurnoverComputationTest, CumulativeWithOpeningIsThePostingsOfTheYearAtEveryLevel)
{
    std::map<QString, AmountPair> posted;
    sql::Cursor c = db->exec(QStringLiteral(
        "select konto, sum(wn), sum(ma) from ("
        " select p.konto_wn as konto, p.kwota_wn as wn, 0 as ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu<=%1 and p.konto_wn<>''"
        " union all"
        " select p.konto_ma, 0, p.kwota_ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu<=%1 and p.konto_ma<>''"
        ") x group by konto").arg(settings.period));
    while (c.next())
        posted[c.value(0).toString()] = AmountPair{test::dec(c.value(1)), test::dec(c.value(2))};
    ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
    auto postedUnder = [&](const QString& account) {
        AmountPair sum;
        for (const auto& [konto, amounts] : posted)
            if (konto == account || konto.startsWith(account + QLatin1Char('-')))
                sum += amounts;
        return sum;
    };
    ASSERT_FALSE(postedUnder(QStringLiteral("220-2")).debit.isZero());

    TurnoverParameters p;
    p.cumulativeWithOpening = true;
    for (bool cards : {true, false}) {
        p.cardIndexAccounts = cards;
        const TurnoverStatement st = run(p, chart());
        ASSERT_TRUE(st.completed()) << st.message.toStdString();
        int checked = 0;
        for (const TurnoverRow& r : st.rows) {
            if (r.kind != RowKind::Account)
                continue;
            EXPECT_EQ(r.amounts.cumulative, postedUnder(r.account)) << r.account.toStdString() << " cards " << cards;
            ++checked;
        }
        EXPECT_GT(checked, 40);
        AmountPair all;
        for (const auto& [konto, amounts] : posted)
            all += amounts;
        EXPECT_EQ(st.totals.cumulative, all);
    }
}

TEST_P(TurnoverComputationTest, CardIndexExpansionBranches)
{
    const AccountList accounts = chart();
    TurnoverParameters p;
    const TurnoverStatement expanded = run(p, accounts);

    // Without card-index accounts the parents stand in for them: the same totals, fewer rows.
    p.cardIndexAccounts = false;
    const TurnoverStatement without = run(p, accounts);
    ASSERT_TRUE(without.completed());
    EXPECT_TRUE(without.cardIndexOmitted);
    EXPECT_TRUE(accountsOf(without, QStringLiteral("201-")).isEmpty());
    EXPECT_TRUE(without.find(RowKind::Account, QStringLiteral("201"))->placeholderParent);
    EXPECT_EQ(without.totals, expanded.totals);

    // A mask keeps the card-index accounts that fit it, and the server sums only those.
    p.cardIndexAccounts = true;
    p.mask = QStringLiteral("201-1*");
    const TurnoverStatement masked = run(p, accounts);
    ASSERT_TRUE(masked.completed());
    const QStringList cards = accountsOf(masked, QStringLiteral("201-"));
    ASSERT_FALSE(cards.isEmpty());
    for (const QString& a : cards)
        EXPECT_TRUE(a.startsWith(QStringLiteral("201-1"))) << a.toStdString();
    EXPECT_TRUE(accountsOf(masked, QStringLiteral("202-")).isEmpty());
    EXPECT_TRUE(masked.find(RowKind::Account, QStringLiteral("202"))->amounts.isZero());

    // The completeness switch lists every contractor, turnovers or not.
    p.mask.clear();
    settings.cardIndexComplete = true;
    const TurnoverStatement complete = run(p, accounts);
    EXPECT_EQ(accountsOf(complete, QStringLiteral("201-")).size(),
              count(QStringLiteral("select count(*) from KONTRAHENT where id_firmy=1")));
    EXPECT_GE(accountsOf(complete, QStringLiteral("201-")).size(), accountsOf(expanded, QStringLiteral("201-")).size());
    EXPECT_EQ(complete.totals, expanded.totals);
}

TEST_P(TurnoverComputationTest, BrowseRowsHoldTheShownRowsAndTotals)
{
    const qint32 user = korda::session().DANE_ID_UZYTKOWNIKA_NR;
    ASSERT_TRUE(deleteBrowseRows(user));
    TurnoverParameters p;
    p.syntheticOnly = true;
    settings.groupTotals = true;
    const TurnoverStatement st = run(p, chart(AccountSelection{.syntheticOnly = true}), true);
    ASSERT_TRUE(st.completed());
    EXPECT_EQ(st.find(RowKind::GroupTotal), nullptr);
    const qint64 accounts = accountsOf(st).size();
    EXPECT_EQ(count(QStringLiteral("select count(*) from ZESTAW_ZESTAW where id_zestaw_nag=0 and wariant_zestaw=1"
                                   " and id_uzytkownika=2")),
              accounts + 4);
    sql::Cursor c = db->exec(QStringLiteral("select opis, info, kol7, kol8, poziom from ZESTAW_ZESTAW where id_zestaw_nag=0"
                                            " and wariant_zestaw=1 and id_uzytkownika=2 and lp=%1").arg(accounts + 1));
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toString(), QStringLiteral("Razem"));
    EXPECT_EQ(test::dec(c.value(2)), st.totals.closing.debit);
    EXPECT_EQ(test::dec(c.value(3)), st.totals.closing.credit);
    sql::Cursor types = db->exec(QStringLiteral("select opis, info from ZESTAW_ZESTAW where id_zestaw_nag=0 and wariant_zestaw=1"
                                                " and id_uzytkownika=2 and lp>%1 order by lp").arg(accounts + 1));
    ASSERT_TRUE(types.next());
    EXPECT_EQ(types.value(0).toString(), QStringLiteral("W tym konta:"));
    EXPECT_EQ(types.value(1).toString(), QStringLiteral("Bilansowe"));
    ASSERT_TRUE(types.next());
    EXPECT_EQ(types.value(1).toString(), QStringLiteral("Pozabilansowe"));
    ASSERT_TRUE(types.next());
    EXPECT_EQ(types.value(0).toString(), QStringLiteral("Persaldo"));
}

TEST_P(TurnoverComputationTest, BadInputGetsAMessageNotAnSqlError)
{
    const AccountList accounts = chart();
    TurnoverParameters p;
    // Quotes, LIKE wildcards and SQL in the mask are only ever text.
    for (const QString& mask : {QStringLiteral("2'; delete from FIRMA; --*"), QStringLiteral("20%_[1]*"),
                                QStringLiteral("O'Brien?\\")}) {
        ui.clear();
        p.mask = mask;
        const TurnoverStatement st = run(p, accounts);
        EXPECT_TRUE(st.completed()) << mask.toStdString();
        EXPECT_TRUE(ui.messageTexts().isEmpty()) << ui.messageTexts().join(u'\n').toStdString();
        EXPECT_TRUE(st.totals.isZero()) << mask.toStdString();
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from FIRMA")), 2);

    // A range the wrong way round, and filters nothing fits.
    AccountSelection reversed;
    reversed.rangeFrom = 500;
    reversed.rangeTo = 100;
    EXPECT_FALSE(buildAccountList(kCompany, kYear, reversed).ok());
    AccountSelection none;
    none.rangeFrom = 996;
    none.rangeTo = 998;
    const AccountListResult empty = buildAccountList(kCompany, kYear, none);
    EXPECT_EQ(empty.problem, kNoAccountsText);

    ui.clear();
    p.mask.clear();
    const TurnoverStatement nothing = run(p, {});
    EXPECT_EQ(nothing.outcome, StatementOutcome::NoAccounts);
    EXPECT_TRUE(nothing.rows.isEmpty());
    EXPECT_EQ(ui.messageTexts(), QStringList{kNoAccountsText});

    // A year with no periods, and one that does not exist.
    ASSERT_TRUE(db->exec(QStringLiteral("insert into LATA_OBROTOWE (id_lata_obrot,id_firmy,rok_obrotowy,poczatek_roku,"
                                        "koniec_roku) values(%1,1,'pusty',0,0)").arg(90 + int(GetParam()))).ok());
    for (qint32 year : {90 + int(GetParam()), 12345}) {
        ui.clear();
        settings.yearId = year;
        const TurnoverStatement st = run(p, accounts);
        EXPECT_EQ(st.outcome, StatementOutcome::Failed);
        ASSERT_EQ(ui.messageTexts().size(), 1);
        EXPECT_TRUE(ui.messageTexts().first().contains(QStringLiteral("Zestawienie nie zostanie wykonane")));
    }
}

TEST_P(TurnoverComputationTest, TurnoverTableOutOfStepRefusesTheStatement)
{
    const QString where = QStringLiteral(" where id_firmy=1 and id_lata_obrot=2 and nr_konta='130' and sym_waluty='PLN'"
                                         " and data_okresu=%1").arg(monthPeriod(2026, 2));
    ASSERT_TRUE(db->exec(QStringLiteral("update OBROTY_I_SALDA set obroty_wn=obroty_wn+1") + where).ok());
    const TurnoverStatement st = run(TurnoverParameters(), chart());
    ASSERT_TRUE(db->exec(QStringLiteral("update OBROTY_I_SALDA set obroty_wn=obroty_wn-1") + where).ok());
    EXPECT_EQ(st.outcome, StatementOutcome::Refused);
    EXPECT_TRUE(st.rows.isEmpty());
    ASSERT_EQ(ui.events().size(), 1);
    EXPECT_EQ(ui.events().first().title, kTitleWarning);
    EXPECT_EQ(ui.events().first().text, kRefusedText);
}

INSTANTIATE_TEST_SUITE_P(Backends, TurnoverComputationTest, test::allBackends(), test::backendName);

// The same statement on both servers, row for row.
TEST(TurnoverComputation, SameRowsOnSqliteAndPostgresql)
{
    ScriptedUi ui;
    ScopedUi scoped(ui);
    QList<TurnoverStatement> statements;
    for (TestBackend backend : {TestBackend::SQLite, TestBackend::PostgreSQL}) {
        test::DemoDatabase& d = test::sharedDemo(backend);
        ASSERT_TRUE(d.failure.isEmpty());
        sql::Database::setCurrent(d.where.dbTarget);
        korda::session() = korda::Session();
        korda::session().DANE_ID_FIRMY = kCompany;
        korda::session().DANE_ID_UZYTKOWNIKA_NR = 3;
        TurnoverParameters p;
        TurnoverSettings s;
        s.yearId = kYear;
        s.period = monthPeriod(2026, 5);
        s.groupTotals = true;
        s.netBalances = true;
        p.variant = 2;
        statements << computeTurnoverStatement(buildAccountList(kCompany, kYear, {}).accounts,
                                               ComputationRequest::from(turnoverRequest(p, s, korda::session())), s, false);
    }
    ASSERT_TRUE(statements[0].completed());
    ASSERT_EQ(statements[0].rows.size(), statements[1].rows.size());
    for (qsizetype i = 0; i < statements[0].rows.size(); ++i) {
        const TurnoverRow& a = statements[0].rows[i];
        const TurnoverRow& b = statements[1].rows[i];
        EXPECT_EQ(a.account + a.label, b.account + b.label) << i;
        EXPECT_EQ(a.name, b.name) << i;
        EXPECT_EQ(a.amounts, b.amounts) << (a.account + a.label).toStdString();
    }
    EXPECT_EQ(statements[0].totals, statements[1].totals);
    EXPECT_FALSE(statements[0].totals.isZero());
    EXPECT_TRUE(ui.messageTexts().isEmpty());
}

} // namespace
} // namespace pravik::turnover
