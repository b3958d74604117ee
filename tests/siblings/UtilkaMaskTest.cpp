// Account masks: the C++ check and the LIKE pattern must agree, also on a real database.
#include "siblings/utilka/AccountMask.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <gtest/gtest.h>

using namespace utilka;

TEST(UtilkaMask, WildcardsCoverTheWholeAccount)
{
    EXPECT_EQ(SPR_MASKA("201", "201"), 1);
    EXPECT_EQ(SPR_MASKA("201-1", "201"), 0); // no implied trailing "*"
    EXPECT_EQ(SPR_MASKA("201-1", "201*"), 1);
    EXPECT_EQ(SPR_MASKA("201", "201*"), 1);
    EXPECT_EQ(SPR_MASKA("211-5", "2?1-*"), 1);
    EXPECT_EQ(SPR_MASKA("21-5", "2?1-*"), 0);
    EXPECT_EQ(SPR_MASKA("201-01-0001", "*-01-*"), 1);
    EXPECT_EQ(SPR_MASKA("201-02-0001", "*-01-*"), 0);
    EXPECT_EQ(SPR_MASKA("201-1x", "201-1X"), 1); // case does not matter
    EXPECT_EQ(SPR_MASKA("201   ", "201"), 1);    // padded fields
    EXPECT_EQ(SPR_MASKA("anything", ""), 1);
    EXPECT_EQ(SPR_MASKA("", "*"), 1);
    EXPECT_EQ(SPR_MASKA("", "?"), 0);
    EXPECT_EQ(SPR_MASKA("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*c"), 0);
}

TEST(UtilkaMask, LiteralWildcardCharactersAndQuotes)
{
    EXPECT_EQ(ZAMIEN_ZNAKI("201-*"), "201-%");
    EXPECT_EQ(ZAMIEN_ZNAKI("2?1*"), "2_1%");
    EXPECT_EQ(ZAMIEN_ZNAKI("20%_1*"), "20\\%\\_1%");
    EXPECT_EQ(ZAMIEN_ZNAKI("O'Brien*"), "O''Brien%");
    EXPECT_EQ(ZAMIEN_ZNAKI("[1]\\"), "\\[1]\\\\");
    EXPECT_EQ(ZAMIEN_ZNAKI(""), "%");
    EXPECT_EQ(ZAMIEN_ZNAKI("201  "), "201");
    EXPECT_EQ(likeEscapeClause("201-%"), "");
    EXPECT_EQ(likeEscapeClause("20\\_%"), " escape '\\'");
    // In the C++ check those characters are plain too.
    EXPECT_EQ(SPR_MASKA("20%_1", "20%_1"), 1);
    EXPECT_EQ(SPR_MASKA("2001", "20%1"), 0);
    EXPECT_EQ(SPR_MASKA("2x1", "2_1"), 0);
}

// The pattern, placed between quotes in SQL text, selects exactly the accounts SPR_MASKA accepts.
TEST(UtilkaMask, SqlitePatternSelectsWhatTheCheckAccepts)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(":memory:");
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("create table k (nr_konta varchar(60))"));
        const QStringList accounts = {"201",   "201-1",   "201-01-0001", "202-1", "211-5", "20%_1",
                                      "2001",  "20x_1",   "O'Brien-1",   "[1]",   "1",     "a\\b",
                                      "abc-1", "ABC-2"};
        for (const QString& a : accounts) {
            q.prepare("insert into k values (?)");
            q.addBindValue(a);
            ASSERT_TRUE(q.exec());
        }
        const QStringList masks = {"201",  "201*", "2?1-*", "*-01-*", "20%_1", "20%*", "O'Brien*",
                                   "[1]",  "a\\b", "ABC-*", "*",      "?",     "2*1"};
        for (const QString& mask : masks) {
            const QString pattern = ZAMIEN_ZNAKI(mask);
            const QString sql = "select nr_konta from k where nr_konta like '" + pattern + "'"
                                + likeEscapeClause(pattern) + " order by nr_konta";
            ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
            QStringList selected;
            while (q.next())
                selected << q.value(0).toString();
            QStringList expected;
            for (const QString& a : accounts) {
                if (SPR_MASKA(a, mask))
                    expected << a;
            }
            expected.sort();
            selected.sort();
            EXPECT_EQ(selected, expected) << "mask " << mask.toStdString() << " sql " << sql.toStdString();
        }
    }
    QSqlDatabase::removeDatabase(name);
}
