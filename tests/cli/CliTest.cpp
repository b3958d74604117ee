// The command-line host as a script runs it: the built program, its output, messages and exit
// codes, on SQLite files and on the test PostgreSQL server.
#include "platform/sql/Database.h"
#include "server/src/Schema.h"
#include "support/PgServer.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pravik::test::ProcessRun;

ProcessRun pravik(const QStringList& args, const QString& workingDir = QString())
{
    return pravik::test::runPravik(args, {60000, {}, workingDir});
}

QMap<QString, QString> contextOf(const ProcessRun& r)
{
    QMap<QString, QString> values;
    for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        values.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    return values;
}

const QString kAcceptance = QStringLiteral("select top 1 isnull(null, 'a') + 'b', len('abc')");

class Cli : public ::testing::Test {
protected:
    QString emptySqliteFile()
    {
        const QString path = folder.filePath(QStringLiteral("x.db"));
        pravik::sql::Database db(pravik::sql::ConnectionSpec::sqliteFile(path, true));
        EXPECT_TRUE(db.execNative(QStringLiteral("create table T (a integer)")).ok());
        return path;
    }

    // A reference database with two companies, the first with two fiscal years.
    QString companyDatabase()
    {
        const QString path = folder.filePath(QStringLiteral("firma.db"));
        pravik::sql::Database db(pravik::sql::ConnectionSpec::sqliteFile(path, true));
        QString error;
        EXPECT_TRUE(pravik::server::createSchema(db, &error)) << error.toStdString();
        for (const char* sql : {
                 "insert into FIRMA (id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty) values "
                 "(4, 'BR', 'Biuro', 'Biuro Rachunkowe \"Żuraw\" Sp. z o.o.', '525-000-11-22', '012345678', 'PLN')",
                 "insert into FIRMA (id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty) values "
                 "(9, 'IN', 'Inna', '', '111', '', 'EUR')",
                 // 2024 and 2025 (day 36163 is 1900-01-01)
                 "insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku) "
                 "values (1, 4, '2024', 81453, 81818), (2, 4, '2025', 81819, 82183), (3, 9, '2025', 81819, 82183)",
             }) {
            const auto c = db.execNative(QString::fromUtf8(sql));
            EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        }
        return path;
    }

    QTemporaryDir folder;
};

TEST_F(Cli, HelpListsTheGlobalOptionsAndEveryCommand)
{
    const ProcessRun r = pravik({QStringLiteral("--help")});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* word : {"--db", "--company", "--year", "--user", "--user-id", "--date", "--period", "--set",
                             "--yes", "--no", "--quiet", "--verbose", "--version", "sql", "context"})
        EXPECT_TRUE(r.out.contains(QLatin1String(word))) << word;

    const ProcessRun sqlHelp = pravik({QStringLiteral("help"), QStringLiteral("sql")});
    EXPECT_EQ(sqlHelp.exitCode, 0);
    EXPECT_TRUE(sqlHelp.out.contains(QLatin1String("--via"))) << sqlHelp.out.toStdString();
    EXPECT_EQ(pravik({QStringLiteral("sql"), QStringLiteral("--help")}).out, sqlHelp.out);

    const ProcessRun version = pravik({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QLatin1String("pravik "))) << version.out.toStdString();
}

TEST_F(Cli, WrongUsageExitsWithTwo)
{
    EXPECT_EQ(pravik({}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("nie-ma-takiej")}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("help"), QStringLiteral("nie-ma-takiej")}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("--bez-sensu"), QStringLiteral("sql"), QStringLiteral("select 1")}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("--company"), QStringLiteral("jeden"), QStringLiteral("context")}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("--date"), QStringLiteral("31-02-2025"), QStringLiteral("context")}).exitCode, 2);
    const ProcessRun badSet = pravik({QStringLiteral("--set"), QStringLiteral("DANE_NIE_MA=1"), QStringLiteral("context")});
    EXPECT_EQ(badSet.exitCode, 2);
    EXPECT_TRUE(badSet.err.contains(QLatin1String("DANE_NIE_MA"))) << badSet.err.toStdString();
    const QString db = emptySqliteFile();
    EXPECT_EQ(pravik({QStringLiteral("--db"), db, QStringLiteral("sql")}).exitCode, 2);
    EXPECT_EQ(pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select 1"),
                      QStringLiteral("--via"), QStringLiteral("EXECZZZ")})
                  .exitCode,
              2);
    EXPECT_EQ(pravik({QStringLiteral("--db"), QStringLiteral("postgresql://"), QStringLiteral("sql"),
                      QStringLiteral("select 1")})
                  .exitCode,
              2);
}

TEST_F(Cli, TheSqlCommandPrintsTheBuffersRowsOnSqlite)
{
    const QString db = emptySqliteFile();
    const ProcessRun r = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), kAcceptance});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("ab\t3\n"));

    // The default database is pravik.db in the current folder.
    QFile::copy(db, folder.filePath(QStringLiteral("pravik.db")));
    EXPECT_EQ(pravik({QStringLiteral("sql"), kAcceptance}, folder.path()).out, QStringLiteral("ab\t3\n"));

    // Through the numeric buffer the first field is an amount; FUNCVAY gives one value.
    const ProcessRun zap = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select 12, 'x'"),
                            QStringLiteral("--via"), QStringLiteral("execsql")});
    EXPECT_EQ(zap.out, QStringLiteral("12.00\tx\n"));
    const ProcessRun scalar = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select count(*) from T"),
                               QStringLiteral("--via"), QStringLiteral("FUNCVAY")});
    EXPECT_EQ(scalar.out, QStringLiteral("0\n"));
    // A statement without rows prints nothing and succeeds.
    const ProcessRun insert = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("insert into T values (1)")});
    EXPECT_EQ(insert.exitCode, 0) << insert.err.toStdString();
    EXPECT_TRUE(insert.out.isEmpty());
}

TEST_F(Cli, TheSqlCommandPrintsTheBuffersRowsOnPostgresql)
{
    auto& server = pravik::test::PgServer::instance();
    ASSERT_TRUE(server.ok()) << server.failure().toStdString();
    const QString url = server.createDatabase();
    const ProcessRun r = pravik({QStringLiteral("--db"), url, QStringLiteral("sql"), kAcceptance});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("ab\t3\n"));
}

TEST_F(Cli, FailuresNameWhatFailedAndExitWithOne)
{
    const ProcessRun missing = pravik({QStringLiteral("--db"), folder.filePath(QStringLiteral("nie-ma.db")),
                                QStringLiteral("sql"), QStringLiteral("select 1")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QLatin1String("nie-ma.db"))) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("nie-ma.db")))) << "a mistyped path made a database";

    QFile junk(folder.filePath(QStringLiteral("smieci.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("to nie jest baza danych, tylko zwykly tekst, dosc dlugi by miec naglowek\n");
    junk.close();
    const ProcessRun notDb = pravik({QStringLiteral("--db"), junk.fileName(), QStringLiteral("sql"), QStringLiteral("select 1")});
    EXPECT_EQ(notDb.exitCode, 1);
    EXPECT_TRUE(notDb.err.contains(QLatin1String("smieci.db"))) << notDb.err.toStdString();

    const ProcessRun unreachable = pravik({QStringLiteral("--db"), QStringLiteral("postgresql://nikt@127.0.0.1:1/ksiegi"),
                                    QStringLiteral("sql"), QStringLiteral("select 1")});
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.err.contains(QLatin1String("127.0.0.1"))) << unreachable.err.toStdString();

    const QString db = emptySqliteFile();
    const ProcessRun noTable = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select * from NIE_MA_TABELI")});
    EXPECT_EQ(noTable.exitCode, 1);
    EXPECT_TRUE(noTable.err.contains(QLatin1String("NIE_MA_TABELI"), Qt::CaseInsensitive)) << noTable.err.toStdString();
    EXPECT_TRUE(noTable.out.isEmpty());

    const ProcessRun malformed = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("selec 1 frm")});
    EXPECT_EQ(malformed.exitCode, 1);
    EXPECT_TRUE(malformed.err.contains(QLatin1String("syntax"))) << malformed.err.toStdString();
}

TEST_F(Cli, TheSessionIsFilledFromTheCompanyAndItsLatestYear)
{
    const QString db = companyDatabase();
    const ProcessRun r = pravik({QStringLiteral("--db"), db, QStringLiteral("--date"), QStringLiteral("15-03-2025"),
                          QStringLiteral("--user"), QStringLiteral("anna"), QStringLiteral("context")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto c = contextOf(r);
    EXPECT_EQ(c.value(QStringLiteral("DANE_ID_FIRMY")), QStringLiteral("4"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_NAZWA_FIRMY")), QStringLiteral("Biuro Rachunkowe \"Żuraw\" Sp. z o.o."));
    EXPECT_EQ(c.value(QStringLiteral("DANE_NIP_FIRMY")), QStringLiteral("525-000-11-22"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_LATA_OBROTOWE")), QStringLiteral("2"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_LATA_OBROT_NAZWA")), QStringLiteral("2025"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_POCZATEK_ROKU")), QStringLiteral("81819"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_KONIEC_ROKU")), QStringLiteral("82183"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_DATA_BIEZACA")), QStringLiteral("81892")); // 15-03-2025
    EXPECT_EQ(c.value(QStringLiteral("DANE_DATA_OKRESU")), QStringLiteral("81879"));  // 02-03-2025: March
    EXPECT_EQ(c.value(QStringLiteral("DANE_ID_UZYT")), QStringLiteral("anna"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_ID_UZYTKOWNIKA_NR")), QStringLiteral("1"));
}

TEST_F(Cli, OptionsChooseCompanyYearPeriodAndAnyGlobal)
{
    const QString db = companyDatabase();
    const ProcessRun r = pravik({QStringLiteral("--db"), db, QStringLiteral("--year"), QStringLiteral("1"),
                          QStringLiteral("--period"), QStringLiteral("BZ"), QStringLiteral("--user-id"),
                          QStringLiteral("17"), QStringLiteral("--set"), QStringLiteral("GGG:NUMCOPY=2"),
                          QStringLiteral("--set"), QStringLiteral("DANE_NAZWA_FIRMY=Nazwa z opcji"),
                          QStringLiteral("context")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    auto c = contextOf(r);
    EXPECT_EQ(c.value(QStringLiteral("DANE_LATA_OBROTOWE")), QStringLiteral("1"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_DATA_OKRESU")), QStringLiteral("81815")); // 28-12-2024: BZ
    EXPECT_EQ(c.value(QStringLiteral("DANE_ID_UZYTKOWNIKA_NR")), QStringLiteral("17"));
    EXPECT_EQ(c.value(QStringLiteral("GGG:NUMCOPY")), QStringLiteral("2"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_NAZWA_FIRMY")), QStringLiteral("Nazwa z opcji"));

    const ProcessRun other = pravik({QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("9"),
                              QStringLiteral("context")});
    ASSERT_EQ(other.exitCode, 0) << other.err.toStdString();
    c = contextOf(other);
    EXPECT_EQ(c.value(QStringLiteral("DANE_NAZWA_FIRMY")), QStringLiteral("Inna")); // no full name: the short one
    EXPECT_EQ(c.value(QStringLiteral("DANE_AKTYWNA_WALUTA")), QStringLiteral("EUR"));
    EXPECT_EQ(c.value(QStringLiteral("DANE_LATA_OBROTOWE")), QStringLiteral("3"));

    // A year of another company, a company that does not exist: named, exit 1.
    const ProcessRun wrongYear = pravik({QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("9"),
                                  QStringLiteral("--year"), QStringLiteral("1"), QStringLiteral("context")});
    EXPECT_EQ(wrongYear.exitCode, 1);
    EXPECT_TRUE(wrongYear.err.contains(QLatin1String("fiscal year 1"))) << wrongYear.err.toStdString();
    const ProcessRun noCompany = pravik({QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("5"),
                                  QStringLiteral("context")});
    EXPECT_EQ(noCompany.exitCode, 1);
    EXPECT_TRUE(noCompany.err.contains(QLatin1String("company 5"))) << noCompany.err.toStdString();
}

} // namespace
