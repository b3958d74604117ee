// The statement of entries on accounts: its SQL for the period and the two kinds of date range,
// the hidden contra column, and on the demo company (SQLite and PostgreSQL) the per-account
// totals checked against the turnover computation, the skipping of accounts without entries,
// a foreign currency and the printed PDF.
#include "turnover/OtherStatements.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/entries/AccountEntriesPrintout.h"
#include "turnover/entries/AccountEntriesSource.h"

#include "platform/ScriptedUi.h"
#include "platform/report/LayoutLoader.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include "turnover/TurnoverVariables.h"

#include <gtest/gtest.h>
#include <map>

namespace pravik::turnover {
namespace {

using test::TestBackend;

TEST(AccountEntriesSql, RangeKindDecidesBothTheEntriesAndTheTurnoversBefore)
{
    EntriesScope scope;
    scope.company = 1;
    scope.yearId = 2;
    scope.period = 46000;
    EXPECT_EQ(entriesCondition(scope, QStringLiteral("201-1")),
              QStringLiteral(" from POZ_DOK_VIEW_UNION with (NOLOCK) where id_lata_obrot=2 AND konto='201-1' AND data_okresu=46000"));
    EXPECT_TRUE(turnoversBeforeSql(scope, QStringLiteral("201-1"), true).contains(QStringLiteral(" where b.data_okresu < 46000 ")));

    scope.range = EntriesRange::DocumentDates;
    scope.from = 46100;
    scope.to = 46130;
    EXPECT_TRUE(entriesCondition(scope, QStringLiteral("201-1")).endsWith(QStringLiteral(" AND data_dok_org>=46100 AND data_dok_org<=46130")));
    const QString before = turnoversBeforeSql(scope, QStringLiteral("201-1"), false);
    EXPECT_EQ(before, QStringLiteral("select sum(a.kwota_ma) from POZ_DOK a with (NOLOCK) inner join NAG_DOK b with (NOLOCK) "
                                     "ON a.id_nag_dok = b.id_nag_dok where b.data_dok_org < 46100 AND a.konto_ma='201-1' "
                                     "AND b.id_firmy=1 AND b.id_lata_obrot=2 AND b.status > 0"));
    EXPECT_TRUE(entriesSql(scope, QStringLiteral("201-1")).endsWith(QStringLiteral(" order by konto,data_dok_org,data_biezaca,nr_ewid_dok,lp")));

    scope.range = EntriesRange::PostingDates;
    EXPECT_TRUE(turnoversBeforeSql(scope, QStringLiteral("201-1"), true).contains(QStringLiteral(" where b.data_biezaca < 46100 ")));

    // A currency: its own amounts and its entries only; approved documents only.
    scope.currency = QStringLiteral("EUR");
    scope.approvedOnly = true;
    const QString eur = turnoversBeforeSql(scope, QStringLiteral("203-1"), true);
    EXPECT_TRUE(eur.startsWith(QStringLiteral("select sum(a.kwota_wn_w) ")));
    EXPECT_TRUE(eur.endsWith(QStringLiteral(" AND a.sym_waluty_wn='EUR' AND b.status=2")));
    EXPECT_TRUE(entriesSql(scope, QStringLiteral("203-1")).contains(QStringLiteral(",kwota_wn_w,kwota_ma_w,lp,")));
    EXPECT_TRUE(entriesCondition(scope, QStringLiteral("203-1")).endsWith(QStringLiteral(" AND waluta='EUR' AND status=2")));
    // The base currency filters nothing; an account number never breaks the text.
    scope.currency = QStringLiteral("PLN");
    EXPECT_FALSE(entriesCondition(scope, QStringLiteral("203-1")).contains(QStringLiteral("waluta")));
    EXPECT_TRUE(anyEntrySql(scope, QStringLiteral("20'1")).contains(QStringLiteral("konto='20''1'")));
    // An account taken with the accounts under it: a LIKE wildcard in its number is only text.
    EXPECT_TRUE(entriesCondition(scope, AccountPostings(QStringLiteral("20_1"), true))
                    .contains(QStringLiteral("(konto='20_1' OR konto like '20\\_1-%' escape '\\')")));
    EXPECT_TRUE(turnoversBeforeSql(scope, AccountPostings(QStringLiteral("201"), true), false)
                    .contains(QStringLiteral(" AND (a.konto_ma='201' OR a.konto_ma like '201-%') AND ")));
}

TEST(AccountEntriesLayout, HiddenContraColumnGivesItsRoomToTheTextColumns)
{
    report::Layout shown = report::loadLayout(QStringLiteral("PRN_RAPORT_KONTO_SQL"));
    report::Layout hidden = shown;
    hideContraColumn(hidden);
    EXPECT_FALSE(hidden.element(QStringLiteral("Z_KONTO_PRZECIWSTAWNE")).visible);
    EXPECT_FALSE(hidden.element(QStringLiteral("NS_KONTO_PRZ")).visible);
    report::Units widened = 0;
    for (const ColumnWidening& w : contraColumnWidening()) {
        EXPECT_EQ(hidden.element(w.column).width, shown.element(w.column).width + w.extra) << w.column.toStdString();
        widened += w.extra;
    }
    EXPECT_EQ(widened, 1100 + 1000 + 1100 + 1100);
    // Everything right of the widened columns moves with them: amounts, their headings and totals.
    const report::Units moved = hidden.element(QStringLiteral("Z_K_WN")).x - shown.element(QStringLiteral("Z_K_WN")).x;
    EXPECT_EQ(moved, 2100);
    EXPECT_EQ(hidden.element(QStringLiteral("NS_K_WN")).x, hidden.element(QStringLiteral("Z_K_WN")).x);
    EXPECT_EQ(hidden.element(QStringLiteral("PD_K_MA")).x, hidden.element(QStringLiteral("Z_K_MA")).x);
    EXPECT_EQ(hidden.element(QStringLiteral("ZP_K_WN")).x, hidden.element(QStringLiteral("Z_K_WN")).x);
    // Nothing visible leaves the page.
    const report::Units width = hidden.page.size().width() - hidden.page.margins.left - hidden.page.margins.right;
    hidden.forEachElement([&](report::Band& band, report::Element& e) {
        if (e.visible) {
            EXPECT_LE(e.x + e.width, width) << band.name.toStdString() << " " << e.id.toStdString();
        }
    });
}

// ---------------------------------------------------------------- the demo company

class AccountEntriesDemoTest : public ::testing::TestWithParam<TestBackend> {
protected:
    TurnoverSettings chosen;

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
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;
        chosen = TurnoverSettings();
        TurnoverSettings& t = chosen;
        t.yearId = 2;
        t.period = monthPeriod(2026, 3);
        const AccountListResult r = buildAccountList(1, 2, AccountSelection());
        ASSERT_TRUE(r.ok()) << r.problem.toStdString();
        t.accounts = r.accounts;
        scope.company = 1;
        scope.yearId = 2;
        scope.period = t.period;
    }
    void TearDown() override
    {
        setUi(nullptr);
        chosen = TurnoverSettings();
    }

    // The turnover computation's accounts (card-index accounts expanded) with kol1..kol10.
    AccountList computed(const QString& currency = QStringLiteral("PLN"))
    {
        TurnoverSettings t = chosen;
        t.currency = currency;
        ComputedAccounts c = computeAccounts(t.accounts, ComputationRequest::from(turnoverRequest(TurnoverParameters(), t, korda::session())));
        EXPECT_EQ(c.outcome, StatementOutcome::Completed) << c.message.toStdString();
        return c.accounts;
    }

    struct Totals {
        AmountPair before;
        AmountPair range;
        int entries = 0;
    };
    QHash<QString, Totals> read(const AccountList& accounts, EntriesOptions options = {})
    {
        QHash<QString, Totals> out;
        AccountEntriesSource source(scope, accounts, options);
        while (source.nextAccount()) {
            Totals t;
            t.before = source.account().before;
            EntryLine line;
            AmountPair lines;
            while (source.nextEntry(line)) {
                lines += AmountPair{line.debit, line.credit};
                ++t.entries;
            }
            EXPECT_EQ(lines, source.rangeTotal());
            t.range = source.rangeTotal();
            out.insert(source.account().number, t);
        }
        return out;
    }

    ScriptedUi ui;
    QTemporaryDir folder;
    EntriesScope scope;
};

TEST_P(AccountEntriesDemoTest, RazemOfEachAccountIsItsCumulativeTurnoverOfTheTurnoverStatement)
{
    const AccountList accounts = computed();
    const QHash<QString, Totals> entries = read(accounts);
    int leaves = 0;
    int withEntries = 0;
    for (const AccountEntry& a : accounts) {
        if (!a.leaf)
            continue;
        ++leaves;
        ASSERT_TRUE(entries.contains(a.number)) << a.number.toStdString();
        const Totals& t = entries[a.number];
        AmountPair all = t.before;
        all += t.range;
        // kol1/kol2: the cumulative turnovers from the opening period up to the chosen one.
        EXPECT_EQ(all, (AmountPair{a.kol[0], a.kol[1]})) << a.number.toStdString();
        // The range alone is the period's turnovers (kol3/kol4).
        EXPECT_EQ(t.range, (AmountPair{a.kol[2], a.kol[3]})) << a.number.toStdString();
        withEntries += t.entries > 0 ? 1 : 0;
    }
    EXPECT_GT(leaves, 40);
    EXPECT_GT(withEntries, 10);
}

// The postings of the year per account, each side on its own, for the periods the condition
// on n.data_okresu picks: the figures the statement must reach, summed without it.
std::map<QString, AmountPair> postedPerAccount(sql::Database& db, const QString& periods)
{
    std::map<QString, AmountPair> out;
    sql::Cursor c = db.exec(QStringLiteral(
        "select konto, sum(wn), sum(ma) from ("
        " select p.konto_wn as konto, p.kwota_wn as wn, 0 as ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status<>0 and n.data_okresu %1 and p.konto_wn<>''"
        " union all"
        " select p.konto_ma, 0, p.kwota_ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status<>0 and n.data_okresu %1 and p.konto_ma<>''"
        ") x group by konto").arg(periods));
    while (c.next())
        out[c.value(0).toString()] = AmountPair{test::dec(c.value(1)), test::dec(c.value(2))};
    EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
    return out;
}

AmountPair sumOf(const std::map<QString, AmountPair>& posted, const std::function<bool(const QString&)>& take)
{
    AmountPair sum;
    for (const auto& [konto, amounts] : posted)
        if (take(konto))
            sum += amounts;
    return sum;
}

// A statement of entries never shows an account short of its postings: the card-index accounts
// are listed each with its own entries, and an account that stands for them (a mask that names
// it, not them) lists theirs. Every posting of the period is printed exactly once.
TEST_P(AccountEntriesDemoTest, CardIndexAccountsAreListedAndEveryPostingIsPrintedOnce)
{
    const QString march = QStringLiteral("=%1").arg(scope.period);
    const QString before = QStringLiteral("<%1").arg(scope.period);
    sql::Database& db = *test::sharedDemo(GetParam()).db;
    const std::map<QString, AmountPair> inMarch = postedPerAccount(db, march);
    const std::map<QString, AmountPair> earlier = postedPerAccount(db, before);
    auto own = [](const QString& account) {
        return [account](const QString& konto) { return konto == account; };
    };
    auto under = [](const QString& account) {
        return [account](const QString& konto) { return konto == account || konto.startsWith(account + u'-'); };
    };
    const TurnoverSettings& settings = chosen;

    TurnoverParameters p;
    const AccountList all = entriesAccountList(settings.accounts, p, settings, 1);
    const QHash<QString, Totals> listed = read(all);
    AmountPair printed;
    int cards = 0;
    for (auto it = listed.constBegin(); it != listed.constEnd(); ++it) {
        EXPECT_EQ(it->range, sumOf(inMarch, own(it.key()))) << it.key().toStdString();
        EXPECT_EQ(it->before, sumOf(earlier, own(it.key()))) << it.key().toStdString();
        printed += it->range;
        cards += it.key().startsWith(QStringLiteral("201-")) && !it->range.isZero() ? 1 : 0;
    }
    EXPECT_FALSE(listed.contains(QStringLiteral("201")));
    EXPECT_GT(cards, 3);
    EXPECT_EQ(printed, sumOf(inMarch, [](const QString&) { return true; }));

    // A mask naming the card-index account itself, and one that fits several.
    p.mask = QStringLiteral("201-1*");
    const QHash<QString, Totals> some = read(entriesAccountList(settings.accounts, p, settings, 1));
    ASSERT_FALSE(some.isEmpty());
    AmountPair someRange;
    for (auto it = some.constBegin(); it != some.constEnd(); ++it) {
        EXPECT_TRUE(it.key().startsWith(QStringLiteral("201-1"))) << it.key().toStdString();
        someRange += it->range;
    }
    EXPECT_EQ(someRange, sumOf(inMarch, [](const QString& k) { return k.startsWith(QStringLiteral("201-1")); }));
    const QString one = some.constBegin().key();
    p.mask = one;
    const QHash<QString, Totals> single = read(entriesAccountList(settings.accounts, p, settings, 1));
    ASSERT_EQ(single.size(), 1);
    EXPECT_EQ(single[one].range, sumOf(inMarch, own(one)));

    // A mask naming the parent: the parent lists the entries of its card-index accounts.
    p.mask = QStringLiteral("201");
    const QHash<QString, Totals> parent = read(entriesAccountList(settings.accounts, p, settings, 1));
    ASSERT_EQ(parent.keys(), QStringList{QStringLiteral("201")});
    EXPECT_FALSE(parent[QStringLiteral("201")].range.isZero());
    EXPECT_EQ(parent[QStringLiteral("201")].range, sumOf(inMarch, under(QStringLiteral("201"))));
    EXPECT_EQ(parent[QStringLiteral("201")].before, sumOf(earlier, under(QStringLiteral("201"))));
}

TEST_P(AccountEntriesDemoTest, AccountWithoutEntriesIsSkippedOnlyWhenAsked)
{
    const AccountList accounts = computed();
    const QHash<QString, Totals> all = read(accounts);
    EntriesOptions onlyWith;
    onlyWith.onlyWithEntries = true;
    const QHash<QString, Totals> some = read(accounts, onlyWith);
    int quietWithHistory = 0;
    for (auto it = all.constBegin(); it != all.constEnd(); ++it) {
        EXPECT_EQ(some.contains(it.key()), it->entries > 0) << it.key().toStdString();
        if (it->entries == 0) {
            EXPECT_TRUE(it->range.isZero());
            quietWithHistory += it->before.isZero() ? 0 : 1;
        }
    }
    // Some account was quiet in March but not before: its turnovers before the range show.
    EXPECT_GT(quietWithHistory, 0);
    EXPECT_LT(some.size(), all.size());
}

TEST_P(AccountEntriesDemoTest, DateRangesTakeTheTurnoversBeforeByTheSameDate)
{
    const AccountList accounts = computed();
    scope.range = EntriesRange::PostingDates;
    scope.from = dayFromYmd(2026, 3, 1);
    scope.to = dayFromYmd(2026, 12, 31);
    const QHash<QString, Totals> byPosting = read(accounts);
    scope.range = EntriesRange::DocumentDates;
    const QHash<QString, Totals> byDocument = read(accounts);
    // Either way the range and what came before it make up every posting of the year so far.
    int differentSplit = 0;
    for (auto it = byPosting.constBegin(); it != byPosting.constEnd(); ++it) {
        AmountPair a = it->before;
        a += it->range;
        const Totals& d = byDocument[it.key()];
        AmountPair b = d.before;
        b += d.range;
        EXPECT_EQ(a, b) << it.key().toStdString();
        differentSplit += it->before == d.before ? 0 : 1;
    }
    // Documents dated in February and posted in March fall before the range only by document date.
    EXPECT_GT(differentSplit, 0);
}

TEST_P(AccountEntriesDemoTest, ForeignCurrencyEntriesAreSummedInThatCurrency)
{
    const AccountList accounts = computed(QStringLiteral("EUR"));
    scope.currency = QStringLiteral("EUR");
    const QHash<QString, Totals> entries = read(accounts);
    const QHash<QString, Totals> base = [&] {
        EntriesScope pln = scope;
        pln.currency = QStringLiteral("PLN");
        std::swap(scope, pln);
        auto r = read(accounts);
        std::swap(scope, pln);
        return r;
    }();
    bool euroDiffers = false;
    for (const AccountEntry& a : accounts) {
        if (!a.leaf)
            continue;
        const Totals& t = entries[a.number];
        AmountPair all = t.before;
        all += t.range;
        EXPECT_EQ(all, (AmountPair{a.kol[0], a.kol[1]})) << a.number.toStdString();
        if (a.number.startsWith(QStringLiteral("203-1")) && !all.isZero()) {
            const Totals& p = base[a.number];
            AmountPair plnAll = p.before;
            plnAll += p.range;
            euroDiffers = euroDiffers || plnAll != all;
        }
    }
    EXPECT_TRUE(euroDiffers);
}

// A host that calls the statement without ever opening the window gets the window's defaults
// (the session's year and period, the whole chart), as with the turnover statement, not a
// refusal for want of a period.
TEST_P(AccountEntriesDemoTest, HostCallWithoutTheWindowTakesTheSessionsPeriod)
{
    korda::Session& s = korda::session();
    s.DANE_LATA_OBROTOWE = 2;
    s.DANE_DATA_OKRESU = monthPeriod(2026, 3);
    s.outputRequests.printRequest = 1;
    s.DANE_DRUKARKA_EKRAN = 1;
    const QString pdf = folder.filePath(QStringLiteral("bez-okna.pdf"));
    s.outputRequests.pdfPath = pdf;
    setTurnoverVariables({});
    PRN_RAPORT_KONTO_SQL(0, 1, 0, 1, QString(), QStringLiteral("2026"), 1, 0,
                         QStringLiteral("Zestawienie zapisów na kontach"), 0, 0);
    EXPECT_EQ(s.globalResponse, 1);
    EXPECT_TRUE(ui.messageTexts().isEmpty()) << ui.messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_P(AccountEntriesDemoTest, PrintedStatementWithoutPageTotals)
{
    korda::Session& s = korda::session();
    s.outputRequests.printRequest = 1;
    s.DANE_DRUKARKA_EKRAN = 1;
    const QString pdf = folder.filePath(QStringLiteral("zapisy.pdf"));
    s.outputRequests.pdfPath = pdf;
    TurnoverSettings& t = chosen;
    t.contraAccount = true;
    AccountSelection bank;
    bank.rangeFrom = 130;
    bank.rangeTo = 139;
    t.accounts = buildAccountList(1, 2, bank).accounts;
    TurnoverParameters p;
    p.title = QStringLiteral("Zestawienie zapisów na kontach");
    p.nonZeroTurnoversOnly = true;
    p.yearName = QStringLiteral("2026");
    EXPECT_EQ(runAccountEntriesStatement(turnoverRequest(p, chosen, korda::session())), 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(60000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("księgowania")));
    EXPECT_TRUE(text.contains(QStringLiteral("Konto przeciwstawne")));
    EXPECT_TRUE(text.contains(QStringLiteral("Razem w okresie")));
    EXPECT_TRUE(text.contains(QStringLiteral("Z przeniesienia")));
    EXPECT_TRUE(text.contains(QStringLiteral("Koniec wydruku")));
    EXPECT_FALSE(text.contains(QStringLiteral("Razem na stronie")));
    EXPECT_FALSE(text.contains(QStringLiteral("Do przeniesienia")));
    EXPECT_GT(text.count(u'\f'), 1); // several pages, broken without totals
    EXPECT_TRUE(text.contains(QStringLiteral("131-")));
}

INSTANTIATE_TEST_SUITE_P(Backends, AccountEntriesDemoTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::turnover
