// The element lists of statement rows on the demo company (both backends): what a filter finds
// against the rebuilt full list, the lists written where the generation reads them, and saved lists
// (names taken, quotes, the two kinds under one name).
#include "statements/lists/UserLists.h"
#include "tests/journals/JournalReportFixture.h"

#include <set>

namespace pravik::test {
namespace {

using namespace pravik::statements;

constexpr qint32 kUser = 77;
constexpr qint64 kReceivables = 4;   // the demo's statement with a 'K' row over 201*
constexpr qint64 kProfitAndLoss = 1; // no list rows
constexpr qint64 kBudget = 9201;     // made here: one 'B' row

class UserListsTest : public JournalReportTest {
protected:
    void SetUp() override
    {
        JournalReportTest::SetUp();
        cleanUp();
        exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag,id_firmy,nazwa,ilosc_kolumn) values (%1,1,'Budżet',1)").arg(kBudget));
        exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz,id_zestaw_nag,lp,nazwa,typ) values (92011,%1,1,'Klasyfikacje','B')").arg(kBudget));
    }
    void TearDown() override
    {
        cleanUp();
        JournalReportTest::TearDown();
    }
    void cleanUp()
    {
        for (const QString& sql : {QStringLiteral("delete from ZESTAW_POZ where id_zestaw_nag=%1").arg(kBudget),
                                   QStringLiteral("delete from ZESTAW_NAG where id_zestaw_nag=%1").arg(kBudget),
                                   QStringLiteral("delete from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag in (select id_zestaw_lista_uz_nag"
                                                  " from ZESTAW_LISTA_UZ_NAG where id_uzytkownika=%1)").arg(kUser),
                                   QStringLiteral("delete from ZESTAW_LISTA_UZ_NAG where id_uzytkownika=%1").arg(kUser),
                                   QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1").arg(kUser)})
            db->execNative(sql);
    }
    void exec(const QString& sql)
    {
        sql::Cursor c = db->execNative(sql);
        ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
    }
    UserLists lists(qint64 statement) { return UserLists(kCompany, kUser, statement, dayFromYmd(2026, 1, 1), dayFromYmd(2026, 12, 31)); }

    QStringList stored(const QString& context, qint64 statement)
    {
        QStringList out;
        sql::Cursor c = db->execNative(QStringLiteral("select tekst2 from KOMUNIKAT where id_uzytkownika=%1 and kontekst='%2' and id_zasobu=%3 order by lp")
                                           .arg(kUser).arg(context).arg(statement));
        while (c.next())
            out << c.value(0).toString().trimmed();
        return out;
    }
};

TEST_P(UserListsTest, FullListFiltersAndPresentation)
{
    UserLists l = lists(kReceivables);
    l.setAccountNames(kYear);
    ASSERT_TRUE(l.rebuildAll()) << l.error().toStdString();
    // Account rows carry the chart's name, as the generation's own full list does.
    sql::Cursor named = db->execNative(QStringLiteral("select k.tekst1, w.nazwa_konta from KOMUNIKAT k join WARTOSCI_KONT w on w.nr_konta=k.tekst2"
                                                      " and w.id_firmy=1 and w.id_lata_obrot=2 where k.id_uzytkownika=%1 and k.kontekst='ZESTAW_K'")
                                           .arg(kUser));
    int names = 0;
    while (named.next()) {
        EXPECT_EQ(named.value(0).toString().trimmed(), named.value(1).toString().trimmed());
        ++names;
    }
    named.close();
    EXPECT_GT(names, 10);
    ASSERT_TRUE(l.open());
    const QStringList full = l.elements(ListKind::Accounts);
    ASSERT_FALSE(full.isEmpty());
    EXPECT_EQ(stored(QStringLiteral("ZESTAW_K"), kReceivables), full);
    // Every posted account of the year, each once: counted here from the postings themselves.
    std::set<QString> posted;
    sql::Cursor c = db->execNative(QStringLiteral("select p.konto_wn, p.konto_ma from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
                                                  " where n.id_firmy=1 and n.id_lata_obrot=2"));
    while (c.next())
        for (int i = 0; i < 2; ++i)
            if (!c.value(i).toString().trimmed().isEmpty())
                posted.insert(c.value(i).toString().trimmed());
    EXPECT_EQ(std::set<QString>(full.begin(), full.end()), posted);
    EXPECT_EQ(qsizetype(posted.size()), full.size());

    // "1" to "20" is "001" to "020" against the first three characters.
    l.clear(ListKind::Accounts);
    AccountFilter range;
    range.scope = AccountFilter::Scope::Range;
    range.rangeFrom = QStringLiteral("1");
    range.rangeTo = QStringLiteral("201");
    ASSERT_GE(l.addAccounts(range), 0) << l.error().toStdString();
    QStringList expected;
    for (const QString& a : full)
        if (a.left(3) >= QLatin1String("001") && a.left(3) <= QLatin1String("201"))
            expected << a;
    EXPECT_EQ(l.elements(ListKind::Accounts), expected);

    // Synthetic presentation: each synthetic account once; adding again adds nothing.
    l.clear(ListKind::Accounts);
    AccountFilter synthetic;
    synthetic.show = AccountFilter::Show::Synthetic;
    ASSERT_GE(l.addAccounts(synthetic), 0);
    std::set<QString> synth;
    for (const QString& a : full)
        synth.insert(a.left(3));
    EXPECT_EQ(std::set<QString>(l.elements(ListKind::Accounts).begin(), l.elements(ListKind::Accounts).end()), synth);
    EXPECT_EQ(l.elements(ListKind::Accounts).size(), qsizetype(synth.size()));
    EXPECT_EQ(l.addAccounts(synthetic), 0);

    // A mask with a quote is text, not SQL.
    AccountFilter quoted;
    quoted.scope = AccountFilter::Scope::Mask;
    quoted.mask = QStringLiteral("20'1*");
    EXPECT_EQ(l.addAccounts(quoted), 0) << l.error().toStdString();
    quoted.scope = AccountFilter::Scope::Chosen;
    quoted.chosen = {QStringLiteral("201-1"), QStringLiteral("x') or 1=1 --")};
    l.clear(ListKind::Accounts);
    EXPECT_EQ(l.addAccounts(quoted), full.contains(QStringLiteral("201-1")) ? 1 : 0);

    EXPECT_EQ(shownAccount(QStringLiteral("402-2-2-1"), AccountFilter::Show::Level, 1), QStringLiteral("402-2"));
    EXPECT_EQ(shownAccount(QStringLiteral("402-2-2-1"), AccountFilter::Show::Level, 2), QStringLiteral("402-2-2"));
    EXPECT_EQ(shownAccount(QStringLiteral("402"), AccountFilter::Show::Level, 2), QStringLiteral("402"));
}

TEST_P(UserListsTest, StatementWithoutListRowsSaysSo)
{
    UserLists l = lists(kProfitAndLoss);
    EXPECT_FALSE(l.open());
    EXPECT_EQ(l.error(), UserLists::kNoListRows);
    // The automatic rebuild of such a statement has nothing to do and is no failure.
    EXPECT_TRUE(l.rebuildAll());
}

TEST_P(UserListsTest, SavedListsByNameAndKind)
{
    UserLists accounts = lists(kReceivables);
    ASSERT_TRUE(accounts.open());
    const QString name = QStringLiteral("Odbiorcy 'A'; --");
    accounts.setElements(ListKind::Accounts, {QStringLiteral("201-1"), QStringLiteral("201-2"), QStringLiteral("20'9")});
    const qint64 k = accounts.saveAs(ListKind::Accounts, name);
    ASSERT_GT(k, 0) << accounts.error().toStdString();
    // The same name again is refused with the window's message, and nothing changes.
    accounts.setElements(ListKind::Accounts, {QStringLiteral("999")});
    EXPECT_EQ(accounts.saveAs(ListKind::Accounts, name), 0);
    EXPECT_EQ(accounts.error(), UserLists::kNameTaken);

    // A classification list of the same name is another list; its elements stay its own.
    UserLists budget = lists(kBudget);
    ASSERT_TRUE(budget.open()) << budget.error().toStdString();
    EXPECT_TRUE(budget.needs(ListKind::Classifications));
    EXPECT_FALSE(budget.needs(ListKind::Accounts));
    budget.setElements(ListKind::Classifications, {QStringLiteral("801.80101.4010"), QStringLiteral("801.80101.4210")});
    const qint64 b = budget.saveAs(ListKind::Classifications, name);
    ASSERT_GT(b, 0) << budget.error().toStdString();
    EXPECT_NE(b, k);
    ASSERT_TRUE(accounts.load(ListKind::Accounts, k));
    EXPECT_EQ(accounts.elements(ListKind::Accounts), (QStringList{"201-1", "201-2", "20'9"}));
    ASSERT_TRUE(budget.load(ListKind::Classifications, b));
    EXPECT_EQ(budget.elements(ListKind::Classifications), (QStringList{"801.80101.4010", "801.80101.4210"}));
    ASSERT_EQ(accounts.savedLists(ListKind::Accounts).size(), 1);
    EXPECT_EQ(accounts.savedLists(ListKind::Accounts).first().name, name);

    // Replacing keeps the name and takes the new elements; the old header is gone.
    accounts.setElements(ListKind::Accounts, {QStringLiteral("202-1")});
    const qint64 k2 = accounts.saveAs(ListKind::Accounts, QString(), k);
    ASSERT_GT(k2, 0) << accounts.error().toStdString();
    const auto saved = accounts.savedLists(ListKind::Accounts);
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved.first().name, name);
    ASSERT_TRUE(accounts.load(ListKind::Accounts, k2));
    EXPECT_EQ(accounts.elements(ListKind::Accounts), QStringList{"202-1"});
    EXPECT_TRUE(accounts.removeSaved(k2));
    EXPECT_TRUE(accounts.savedLists(ListKind::Accounts).isEmpty());
    sql::Cursor orphans = db->execNative(QStringLiteral("select count(*) from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag in (%1,%2)").arg(k).arg(k2));
    ASSERT_TRUE(orphans.next());
    EXPECT_EQ(orphans.value(0).toInt(), 0);
    orphans.close(); // an open read would keep this connection on its old snapshot

    // The classification list is written with its parts where the generation reads them.
    ASSERT_TRUE(budget.save()) << budget.error().toStdString();
    sql::Cursor parts = db->execNative(QStringLiteral("select tekst2, tekst3, tekst4, tekst5 from KOMUNIKAT where id_uzytkownika=%1"
                                                      " and kontekst='ZESTAW_B' and id_zasobu=%2 order by lp").arg(kUser).arg(kBudget));
    ASSERT_TRUE(parts.next());
    EXPECT_EQ(parts.value(0).toString().trimmed(), QStringLiteral("801.80101.4010"));
    EXPECT_EQ(parts.value(1).toString().trimmed(), QStringLiteral("801"));
    EXPECT_EQ(parts.value(2).toString().trimmed(), QStringLiteral("80101"));
    EXPECT_EQ(parts.value(3).toString().trimmed(), QStringLiteral("4010"));
}

TEST_P(UserListsTest, FailedListSaveKeepsThePreviousRows)
{
    if (backend() != TestBackend::PostgreSQL)
        GTEST_SKIP() << "SQLite does not hold texts to their declared length";
    UserLists l = lists(kReceivables);
    ASSERT_TRUE(l.open());
    l.setElements(ListKind::Accounts, {QStringLiteral("201-1"), QStringLiteral("201-2")});
    ASSERT_TRUE(l.save()) << l.error().toStdString();
    l.setElements(ListKind::Accounts, {QStringLiteral("202-1"), QString(300, u'9')});
    EXPECT_FALSE(l.save());
    EXPECT_FALSE(l.error().isEmpty());
    EXPECT_EQ(stored(QStringLiteral("ZESTAW_K"), kReceivables), (QStringList{"201-1", "201-2"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, UserListsTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
