// The ODBC path end to end: Debian's psqlODBC driver against the test PostgreSQL server, with
// the connection saying the server speaks PostgreSQL.
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"
#include "platform/sql/ProcedureRegistry.h"
#include "support/PgServer.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik::sql;

namespace {

constexpr auto kDriver = "/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so";

class SqlOdbc : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QString::fromLatin1(kDriver)))
            FAIL() << "psqlODBC is not installed (" << kDriver << "; Debian package odbc-postgresql)";
        // Our own driver list, so the test does not depend on the machine's odbcinst.ini.
        ASSERT_TRUE(iniDir.isValid());
        QFile ini(iniDir.filePath(QStringLiteral("odbcinst.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QByteArray("[PostgreSQL Unicode]\nDriver=") + kDriver + "\n");
        ini.close();
        QFile(iniDir.filePath(QStringLiteral("odbc.ini"))).open(QIODevice::WriteOnly);
        qputenv("ODBCSYSINI", iniDir.path().toLocal8Bit());

        auto& server = pravik::test::PgServer::instance();
        ASSERT_TRUE(server.ok());
        const ConnectionSpec pg = server.createDatabaseSpec();
        ASSERT_FALSE(pg.databaseName.isEmpty());
        const QString text = QStringLiteral("odbc:DRIVER={PostgreSQL Unicode};SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;dialect=postgresql")
                                 .arg(server.host())
                                 .arg(server.port())
                                 .arg(pg.databaseName, server.user());
        QString error;
        const auto parsed = ConnectionSpec::parse(text, &error);
        ASSERT_TRUE(parsed.has_value()) << error.toStdString();
        dbTarget = *parsed;
    }

    QTemporaryDir iniDir;
    ConnectionSpec dbTarget;
};

TEST_F(SqlOdbc, SelectAndCallThroughPsqlOdbc)
{
    Database db(dbTarget);
    ASSERT_TRUE(db.open()) << db.lastError().toStdString();
    EXPECT_EQ(db.dialect(), Dialect::PostgreSQL);
    ASSERT_TRUE(db.execNative(QStringLiteral("create table KONTA (nr_konta varchar(60), nazwa varchar(100), saldo numeric(15,2))")).ok())
        << db.lastError().toStdString();
    ASSERT_TRUE(db.exec(QStringLiteral("insert into KONTA values ('201','Odbiorcy ''krajowi''',1234567890.12),('202','Dostawcy',0)")).ok())
        << db.lastError().toStdString();

    Cursor c = db.exec(QStringLiteral("select top 1 nr_konta + ' ' + nazwa, saldo, len(nazwa) from KONTA with (NOLOCK) order by nr_konta"));
    ASSERT_TRUE(c.next()) << c.errorText().toStdString();
    EXPECT_EQ(c.value(0).toString(), "201 Odbiorcy 'krajowi'");
    EXPECT_EQ(c.value(1).toString(), "1234567890.12");
    EXPECT_EQ(c.value(2).toInt(), 18);
    EXPECT_FALSE(c.next());

    ProcedureRegistry::add(QStringLiteral("LICZ_KONTA"), [](Database& on, const QVariantList& args) {
        Cursor n = on.exec(QStringLiteral("select count(*) from KONTA where nr_konta like '%1%'").arg(args.value(0).toString()));
        if (!n.next())
            return ProcedureResult::failure(n.errorText());
        return ProcedureResult::withRows({{n.value(0)}});
    });
    Cursor call = db.exec(QStringLiteral("CALL LICZ_KONTA ('20')"));
    ASSERT_TRUE(call.next()) << call.errorText().toStdString();
    EXPECT_EQ(call.value(0).toInt(), 2);

    Cursor bad = db.exec(QStringLiteral("select nope from KONTA"));
    EXPECT_EQ(bad.errorCode(), kDriverError);
    EXPECT_TRUE(bad.errorText().contains(QStringLiteral("nope"))) << bad.errorText().toStdString();
}

} // namespace
