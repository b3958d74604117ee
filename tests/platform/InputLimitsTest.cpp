// Input that would otherwise crash, hang or flood: statements nested past what the translator
// descends, settings paths that are no regular file or too large, database names no driver
// takes, and control characters repeated into messages.
#include "platform/PrintableText.h"
#include "platform/Settings.h"
#include "platform/sql/ConnectionSpec.h"
#include "platform/sql/Database.h"
#include "platform/sql/Translator.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace pravik;
using pravik::sql::ConnectionSpec;
using pravik::sql::Dialect;
using pravik::sql::translate;

namespace {

QString nested(int levels, const QString& inner = QStringLiteral("1"))
{
    return QStringLiteral("select ") + QString(levels, u'(') + inner + QString(levels, u')');
}

} // namespace

TEST(InputLimits, TheTranslatorRewritesUpToItsDepthAndRefusesBeyondWithoutCrashing)
{
    QString error;
    // The deepest statement taken is rewritten as usual, inside and out.
    const QString deepest =
        translate(nested(sql::kMaxSqlNesting - 1, QStringLiteral("- - isnull(null, 'a') + 'b'")), Dialect::SQLite, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_TRUE(deepest.contains(QStringLiteral("coalesce(null, 'a')"))) << deepest.left(300).toStdString();

    // Parentheses, signs and CASE expressions each nest; every too-deep form is refused in
    // linear time, also far past what the stack of a worker thread would hold.
    const QString tooDeep[] = {
        nested(sql::kMaxSqlNesting + 1),
        nested(100000),
        QStringLiteral("select ") + QStringLiteral("- ").repeated(20000) + QStringLiteral("1"),
        QStringLiteral("select ") + QStringLiteral("(- - - ").repeated(200) + QStringLiteral("1") + QString(200, u')'),
        QStringLiteral("select ") + QStringLiteral("case when 1=1 then ").repeated(5000) + QStringLiteral("'x'")
            + QStringLiteral(" end").repeated(5000),
        QStringLiteral("select 1 from T where ") + QStringLiteral("isnull(").repeated(3000) + QStringLiteral("a")
            + QStringLiteral(", 0)").repeated(3000) + QStringLiteral(" = 0"),
    };
    for (const QString& sql : tooDeep) {
        for (const Dialect d : {Dialect::SQLite, Dialect::PostgreSQL}) {
            const QString out = translate(sql, d, &error);
            EXPECT_TRUE(out.isEmpty()) << sql.left(60).toStdString();
            EXPECT_TRUE(error.contains(QStringLiteral("deeper than 256 levels"))) << error.toStdString();
        }
    }
    // A T-SQL server parses its own statements.
    EXPECT_EQ(translate(nested(3000), Dialect::TSql, &error), nested(3000));
    EXPECT_TRUE(error.isEmpty());
}

TEST(InputLimits, ADatabaseRefusesATooDeepStatementWithAMessageAndStaysUsable)
{
    QTemporaryDir dir;
    sql::Database db(ConnectionSpec::sqliteFile(dir.filePath(QStringLiteral("d.db")), true));
    ASSERT_TRUE(db.open()) << db.lastError().toStdString();
    sql::Cursor refused = db.exec(nested(5000));
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.errorText().contains(QStringLiteral("deeper than 256 levels"))) << refused.errorText().toStdString();
    EXPECT_NE(db.lastErrorCode(), 0);
    sql::Cursor fine = db.exec(nested(40));
    ASSERT_TRUE(fine.next()) << fine.errorText().toStdString();
    EXPECT_EQ(fine.value(0).toInt(), 1);
}

TEST(InputLimits, ASettingsPathThatIsNoRegularFileOrTooLargeIsRefusedAndNeverWritten)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("ustawienia.fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    {
        SettingsStore store(fifo);
        EXPECT_LT(clock.elapsed(), 5000) << "opening a FIFO waited for a writer";
        EXPECT_TRUE(store.errorString().contains(QStringLiteral("not a regular file"))) << store.errorString().toStdString();
        EXPECT_TRUE(store.sections().isEmpty() || store.keys(QString()).isEmpty());
        EXPECT_TRUE(store.setValue(QStringLiteral("Mail"), QStringLiteral("Server"), QStringLiteral("x")));
        EXPECT_FALSE(store.sync()) << "a refused file must not be replaced";
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    // A device that never ends is refused at once, not read into memory.
    clock.restart();
    const SettingsStore zero(QStringLiteral("/dev/zero"));
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(zero.errorString().isEmpty());

    // One byte over the limit is refused and the file stays as it was; at the limit it is read.
    const QString big = dir.filePath(QStringLiteral("duzy.ini"));
    QByteArray content = "[Mail]\nServer=smtp.example.pl\n;";
    QFile f(big);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content + QByteArray(1024 * 1024 - content.size() + 1, 'x'));
    f.close();
    {
        SettingsStore store(big);
        EXPECT_TRUE(store.errorString().contains(QStringLiteral("1048576"))) << store.errorString().toStdString();
        EXPECT_TRUE(store.text(QStringLiteral("Mail"), QStringLiteral("Server")).isEmpty());
        store.setValue(QStringLiteral("Mail"), QStringLiteral("Server"), QStringLiteral("inny"));
        EXPECT_FALSE(store.sync());
    }
    EXPECT_EQ(QFileInfo(big).size(), 1024 * 1024 + 1);
    ASSERT_TRUE(QFile::resize(big, 1024 * 1024));
    const SettingsStore atLimit(big);
    EXPECT_TRUE(atLimit.errorString().isEmpty()) << atLimit.errorString().toStdString();
    EXPECT_EQ(atLimit.text(QStringLiteral("Mail"), QStringLiteral("Server")), QStringLiteral("smtp.example.pl"));

    // A missing file is still an empty store that writing creates.
    SettingsStore fresh(dir.filePath(QStringLiteral("nowy.ini")));
    EXPECT_TRUE(fresh.errorString().isEmpty());
    fresh.setValue(QStringLiteral("Mail"), QStringLiteral("Port"), 25);
    EXPECT_TRUE(fresh.sync());
}

TEST(InputLimits, DatabaseNamesNoDriverCanUseAreRefused)
{
    QString error;
    EXPECT_FALSE(ConnectionSpec::parse(QString(1024 * 1024, u'a'), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("at most 4096"))) << error.toStdString();
    EXPECT_LT(error.size(), 200);
    EXPECT_FALSE(ConnectionSpec::parse(QStringLiteral("postgresql://u@h/") + QString(5000, u'd'), &error));
    EXPECT_FALSE(ConnectionSpec::parse(QStringLiteral("/tmp/") + QString(300, u'n') + QStringLiteral(".db"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("at most 255"))) << error.toStdString();
    EXPECT_TRUE(ConnectionSpec::parse(QStringLiteral("/tmp/") + QString(250, u'n') + QStringLiteral(".db"), &error));
    EXPECT_TRUE(ConnectionSpec::parse(QStringLiteral("sqlite:") + QString(3000, u'k'), &error) == std::nullopt);
}

TEST(InputLimits, ControlCharactersAreShownAsEscapesAndLongInputIsCut)
{
    EXPECT_EQ(quotedInput(QStringLiteral("201\x1b[31m\n\t\"x\\")), QStringLiteral("\"201\\e[31m\\n\\t\\\"x\\\\\""));
    EXPECT_EQ(quotedInput(QStringLiteral("a") + QChar(0x202E) + QChar(0x85) + QChar(0x7F)),
              QStringLiteral("\"a\\u202e\\x85\\x7f\""));
    EXPECT_EQ(quotedInput(QStringLiteral("Łódź")), QStringLiteral("\"Łódź\""));

    const QString shown = quotedInput(QString(100000, u'x'));
    EXPECT_LT(shown.size(), 120);
    EXPECT_TRUE(shown.endsWith(QStringLiteral("…\" (100000 characters)"))) << shown.toStdString();
    // A cut never splits a letter outside the basic plane.
    const QString emoji = QString(79, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + QStringLiteral("zzz");
    EXPECT_FALSE(quotedInput(emoji).contains(QChar(0xD83D)));

    EXPECT_EQ(printableText(QStringLiteral("wiersz 1\nwiersz\x1b 2"), true), QStringLiteral("wiersz 1\nwiersz\\e 2"));
    EXPECT_EQ(printableText(QStringLiteral("a\nb")), QStringLiteral("a\\nb"));
}
