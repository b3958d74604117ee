// Saved print-parameter variants on SQLite and PostgreSQL: listing, saving under an existing
// name, loading back, deleting with the question, names with quotes, and two users saving at
// the same moment.
#include "framework/VariantChooser.h"
#include "framework/VariantStore.h"

#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/Schema.h"
#include "server/src/procedures/Procedures.h"
#include "support/TestDatabase.h"

#include <QSet>
#include <gtest/gtest.h>
#include <thread>

namespace pravik {
namespace {

using test::TestBackend;

class VariantStoreTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        server::registerFunctions();
        where = test::makeTestDatabase(GetParam());
        db = std::make_unique<sql::Database>(where.dbTarget);
        ASSERT_TRUE(db->open()) << db->lastError().toStdString();
        QString error;
        ASSERT_TRUE(server::createSchema(*db, &error)) << error.toStdString();
        sql::Database::setCurrent(where.dbTarget);
        setUi(&ui);
        VariantChooser::setLastUsed(QStringLiteral("OBR_A"), 0);
    }
    void TearDown() override { setUi(nullptr); }

    qint64 count(const QString& sql)
    {
        sql::Cursor c = db->exec(sql);
        return c.next() ? c.value(0).toLongLong() : -1;
    }

    test::TestDatabase where;
    std::unique_ptr<sql::Database> db;
    ScriptedUi ui;
};

VariantValues someValues()
{
    VariantValues v;
    for (int n = 1; n <= 48; ++n)
        v.insert(n, QString::number(n % 2));
    v.insert(16, QStringLiteral("Zestawienie „roczne” z 'cudzysłowem'"));
    return v;
}

TEST_P(VariantStoreTest, SaveReplaceLoadAndDelete)
{
    const qint32 user = 2;
    EXPECT_EQ(listVariants(user, QStringLiteral("OBR_A")), QList<VariantEntry>{VariantEntry{}});

    const QString name = QStringLiteral("Kwartał O'Brien");
    const qint32 first = saveVariant(user, QStringLiteral("OBR_A"), name, someValues());
    ASSERT_GT(first, 0);
    EXPECT_EQ(loadVariant(first), someValues());

    // The same name again replaces the variant: one header, a new id, the new values only.
    VariantValues changed = someValues();
    changed.insert(48, QStringLiteral("1"));
    changed.insert(47, QStringLiteral("0"));
    const qint32 second = saveVariant(user, QStringLiteral("OBR_A"), name + QStringLiteral("   "), changed);
    ASSERT_GT(second, 0);
    EXPECT_NE(second, first);
    EXPECT_EQ(listVariants(user, QStringLiteral("OBR_A")), (QList<VariantEntry>{VariantEntry{}, VariantEntry{name, second}}));
    EXPECT_EQ(count(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_NAG")), 1);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_POZ")), 48);
    EXPECT_EQ(loadVariant(second).value(48), QStringLiteral("1"));
    EXPECT_EQ(loadVariant(second).value(47), QStringLiteral("0"));

    // Other users and other report keys see nothing of it.
    EXPECT_EQ(listVariants(3, QStringLiteral("OBR_A")).size(), 1);
    EXPECT_EQ(listVariants(user, QStringLiteral("OBR_S")).size(), 1);

    ASSERT_TRUE(deleteVariant(second));
    EXPECT_EQ(count(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_POZ")), 0);
    EXPECT_TRUE(loadVariant(second).isEmpty());
    EXPECT_TRUE(ui.messageTexts().isEmpty()) << ui.messageTexts().join(u'\n').toStdString();
}

TEST_P(VariantStoreTest, ChooserAsksForTheNameAndBeforeDeleting)
{
    VariantChooser chooser(5, QStringLiteral("OBR_A"));
    chooser.refresh();
    EXPECT_EQ(chooser.currentId(), 0);

    ui.text(std::nullopt); // cancelled: nothing stored
    EXPECT_EQ(chooser.saveAs(someValues()), 0);
    ui.text(QStringLiteral("Roczny"));
    const qint32 id = chooser.saveAs(someValues());
    ASSERT_GT(id, 0);
    EXPECT_EQ(chooser.currentId(), id);
    EXPECT_EQ(chooser.currentName(), QStringLiteral("Roczny"));

    // The window opened again starts from the variant last used for its key.
    chooser.rememberCurrent();
    VariantChooser reopened(5, QStringLiteral("OBR_A"));
    reopened.refresh();
    EXPECT_EQ(reopened.currentId(), id);
    EXPECT_EQ(reopened.choose(id), someValues());

    ui.answer(Answer::No);
    EXPECT_FALSE(reopened.removeCurrent());
    ui.answer(Answer::Yes);
    EXPECT_TRUE(reopened.removeCurrent());
    EXPECT_EQ(reopened.currentId(), 0);
    EXPECT_EQ(reopened.entries().size(), 1);
    EXPECT_EQ(VariantChooser::lastUsed(QStringLiteral("OBR_A")), 0);
    EXPECT_TRUE(ui.finishedCleanly());
    const QStringList asked = ui.messageTexts();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0], QStringLiteral("Czy chcesz usunąć wybrany wariant wydruku?"));
}

TEST_P(VariantStoreTest, ConcurrentSavesGetTheirOwnIds)
{
    constexpr int kPerUser = 12;
    QList<qint32> ids[2];
    auto saver = [&](int user) {
        for (int i = 0; i < kPerUser; ++i)
            ids[user - 1] << saveVariant(user, QStringLiteral("OBR_A"), QStringLiteral("Wariant %1").arg(i), someValues());
        sql::Database::releaseThread();
    };
    std::thread a(saver, 1), b(saver, 2);
    a.join();
    b.join();
    QSet<qint32> unique;
    for (const auto& list : ids)
        for (qint32 id : list) {
            EXPECT_GT(id, 0);
            unique.insert(id);
        }
    EXPECT_EQ(unique.size(), 2 * kPerUser);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_NAG")), 2 * kPerUser);
    EXPECT_EQ(count(QStringLiteral("select count(*) from PARAMETRY_WYDRUKU_POZ")), 2 * kPerUser * 48);
}

INSTANTIATE_TEST_SUITE_P(Backends, VariantStoreTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik
