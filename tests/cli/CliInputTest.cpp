// What a user meets when the input is odd: control characters and huge arguments in messages,
// malformed periods, a settings file that is a FIFO or a device, statements nested too deep,
// and help for a group of commands.
#include "platform/sql/ConnectionSpec.h"
#include "platform/sql/Database.h"
#include "support/ProgramOutput.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using Outcome = pravik::test::ProcessRun;

Outcome runPravik(const QStringList& args, int timeoutMs = 60000)
{
    return pravik::test::runPravik(args, {timeoutMs});
}

class CliInput : public ::testing::Test {
protected:
    QString emptyDatabase()
    {
        const QString path = folder.filePath(QStringLiteral("x.db"));
        pravik::sql::Database db(pravik::sql::ConnectionSpec::sqliteFile(path, true));
        EXPECT_TRUE(db.execNative(QStringLiteral("create table T (a integer)")).ok());
        return path;
    }
    QTemporaryDir folder;
};

} // namespace

TEST_F(CliInput, ControlCharactersAreQuotedAndLongInputIsShortenedInMessages)
{
    for (const QStringList& args : {QStringList{QStringLiteral("--company"), QStringLiteral("1\x1b[2J\x1b[31mX"), QStringLiteral("context")},
                                    QStringList{QStringLiteral("--date"), QStringLiteral("jutro\r\npravik: done"), QStringLiteral("context")},
                                    QStringList{QStringLiteral("nie\x1b]0;tytul\x07ma")}}) {
        const Outcome r = runPravik(args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_FALSE(r.err.contains(QChar(0x1b))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QChar(u'\r'))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("\npravik: done"))) << "an input forged a line of its own";
    }
    const Outcome escaped = runPravik({QStringLiteral("--company"), QStringLiteral("1\x1b[31m"), QStringLiteral("context")});
    EXPECT_TRUE(escaped.err.contains(QStringLiteral("\"1\\e[31m\""))) << escaped.err.toStdString();

    for (const QString& option : {QStringLiteral("--date"), QStringLiteral("--period"), QStringLiteral("--company")}) {
        const Outcome r = runPravik({option, QString(100000, u'7') + QStringLiteral("x"), QStringLiteral("context")});
        EXPECT_EQ(r.exitCode, 2) << option.toStdString();
        EXPECT_LT(r.err.size(), 400) << option.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("(100001 characters)"))) << r.err.left(400).toStdString();
    }
    const Outcome longDb = runPravik({QStringLiteral("--db"), QString(100000, u'd'), QStringLiteral("context")});
    EXPECT_EQ(longDb.exitCode, 2);
    EXPECT_LT(longDb.err.size(), 600);
}

TEST_F(CliInput, AMalformedPeriodIsWrongUsageLikeAMalformedDate)
{
    for (const char* period : {"13-2026", "0-2026", "2026-13", "marzec", "3-26", "31-02-2026"}) {
        const Outcome r = runPravik({QStringLiteral("--period"), QString::fromLatin1(period), QStringLiteral("context")});
        EXPECT_EQ(r.exitCode, 2) << period << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("--period takes"))) << r.err.toStdString();
    }
    const QString db = emptyDatabase();
    for (const char* period : {"3-2026", "2026-03", "BZ", "bo", "15-03-2026"}) {
        const Outcome r = runPravik({QStringLiteral("--db"), db, QStringLiteral("--period"), QString::fromLatin1(period), QStringLiteral("sql"),
                              QStringLiteral("select 1")});
        EXPECT_NE(r.exitCode, 2) << period << ": " << r.err.toStdString();
    }
}

TEST_F(CliInput, HelpOfACommandGroupListsItsCommands)
{
    for (const QStringList& args : {QStringList{QStringLiteral("help"), QStringLiteral("db")},
                                    QStringList{QStringLiteral("db"), QStringLiteral("--help")}}) {
        const Outcome r = runPravik(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("db init"))) << r.out.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("db check"))) << r.out.toStdString();
    }
    const Outcome init = runPravik({QStringLiteral("help"), QStringLiteral("db"), QStringLiteral("init")});
    EXPECT_EQ(init.exitCode, 0);
    EXPECT_TRUE(init.out.contains(QStringLiteral("--demo"))) << init.out.toStdString();
    const Outcome bare = runPravik({QStringLiteral("db")});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.err.contains(QStringLiteral("db init"))) << bare.err.toStdString();
    EXPECT_EQ(runPravik({QStringLiteral("help"), QStringLiteral("db"), QStringLiteral("nie-ma")}).exitCode, 2);
}

TEST_F(CliInput, ASettingsFileThatIsAFifoADeviceOrTooLargeStopsTheRunAtOnce)
{
    const QString db = emptyDatabase();
    const QString fifo = folder.filePath(QStringLiteral("pravik.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString big = folder.filePath(QStringLiteral("duzy.ini"));
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2 * 1024 * 1024, ';'));
    f.close();

    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), big}) {
        QElapsedTimer clock;
        clock.start();
        const Outcome r = runPravik({QStringLiteral("--db"), db, QStringLiteral("--set"), QStringLiteral("GGG:SCIEZKA_SET=") + path,
                              QStringLiteral("sql"), QStringLiteral("select 1")},
                             20000);
        EXPECT_LT(clock.elapsed(), 15000) << path.toStdString();
        EXPECT_EQ(r.exitCode, 1) << path.toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(path)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << "the command ran without its settings";
    }
    EXPECT_EQ(QFileInfo(big).size(), 2 * 1024 * 1024) << "a refused settings file was rewritten";
}

TEST_F(CliInput, StatementsNestedTooDeepAreRefusedNotCrashed)
{
    const QString db = emptyDatabase();
    const Outcome deep = runPravik({QStringLiteral("--db"), db, QStringLiteral("sql"),
                             QStringLiteral("select ") + QString(17000, u'(') + QStringLiteral("1") + QString(17000, u')')});
    EXPECT_EQ(deep.exitCode, 1) << deep.err.left(300).toStdString();
    EXPECT_TRUE(deep.err.contains(QStringLiteral("deeper than 256 levels"))) << deep.err.left(300).toStdString();
    EXPECT_LT(deep.err.size(), 2000);

    const Outcome fine = runPravik({QStringLiteral("--db"), db, QStringLiteral("sql"),
                             QStringLiteral("select ") + QString(40, u'(') + QStringLiteral("1") + QString(40, u')')});
    EXPECT_EQ(fine.exitCode, 0) << fine.err.toStdString();
    EXPECT_EQ(fine.out, QStringLiteral("1\n"));
}
