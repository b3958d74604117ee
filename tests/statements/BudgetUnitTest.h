#pragma once
// The demo's budget unit (company 2, user 1) on the shared demo database, as the budget-form tests
// start from it: the session the host sets for the unit, scripted user services, and row readers.
#include "platform/ScriptedUi.h"
#include "platform/UiServices.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QVariantList>
#include <gtest/gtest.h>

namespace pravik::test {

class BudgetUnitTest : public ::testing::TestWithParam<TestBackend> {
protected:
    static constexpr int kUser = 1;

    void SetUp() override
    {
        DemoDatabase& d = sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 2;
        s.DANE_ID_UZYTKOWNIKA_NR = kUser;
        s.GGG_BT_SEPARATOR = QStringLiteral("-");
    }
    void TearDown() override { setUi(nullptr); }

    // Every row of a statement that must succeed, `columns` values each.
    QList<QVariantList> rows(const QString& sql, int columns)
    {
        QList<QVariantList> out;
        sql::Cursor c = db->exec(sql);
        while (c.next()) {
            QVariantList r;
            for (int i = 0; i < columns; ++i)
                r << c.value(i);
            out << r;
        }
        EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        return out;
    }
    QString scalar(const QString& sql) { return rows(sql, 1).value(0).value(0).toString().trimmed(); }

    sql::Database* db = nullptr;
    ScriptedUi ui;
};

} // namespace pravik::test
