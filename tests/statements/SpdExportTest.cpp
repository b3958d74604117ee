// The SPD export on SQLite and PostgreSQL: the settings stored per company with any character a
// user may type, and the CSV file read back with Python's csv module against the computed rows.
#include "statements/export/SpdExport.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"
#include "tests/statements/FormGeneration.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

class SpdExportTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::session().DANE_ID_FIRMY = 2;
        korda::session().DANE_ID_UZYTKOWNIKA_NR = 1;
    }
    void TearDown() override
    {
        db->exec(QStringLiteral("delete from SPEC_EKSPORT where typ='SPD'"));
        setUi(nullptr);
    }
    QStringList stored(int company)
    {
        QStringList out;
        sql::Cursor c = db->exec(QStringLiteral("select p1,p2,p3,p4,p5,p6,p7,p8,p9,p10 from SPEC_EKSPORT where id_firmy=%1 and typ='SPD'")
                                     .arg(company));
        while (c.next())
            for (int i = 0; i < 10; ++i)
                out << c.value(i).toString();
        return out;
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    QTemporaryDir dir;
};

TEST_P(SpdExportTest, SettingsRoundTripPerCompanyWithAQuoteAsQualifier)
{
    QString error;
    SpdSettings other = loadSpdSettings(*db, 1, &error);
    ASSERT_EQ(error, QString());
    EXPECT_EQ(other.separator(), QStringLiteral("|"));
    EXPECT_EQ(other.qualifier(), QStringLiteral("\""));
    other.fields[0] = QStringLiteral("K1");
    other.fields[7] = QStringLiteral("zachowane");
    ASSERT_TRUE(saveSpdSettings(*db, 1, other, &error)) << error.toStdString();

    SpdSettings s;
    s.fields = {QStringLiteral("01"), QStringLiteral("O'B"), QStringLiteral(";"), QStringLiteral("'"), QStringLiteral("1"),
                QString(), QStringLiteral("x';drop table FIRMA;--"), QString(), QString(), QStringLiteral("\\")};
    ASSERT_TRUE(saveSpdSettings(*db, 2, s, &error)) << error.toStdString();
    ASSERT_TRUE(saveSpdSettings(*db, 2, s, &error)) << error.toStdString(); // again: still one row
    const SpdSettings back = loadSpdSettings(*db, 2, &error);
    EXPECT_EQ(back.fields, s.fields);
    EXPECT_TRUE(back.accountNames());
    EXPECT_EQ(stored(2).size(), 10);
    EXPECT_EQ(stored(1), (QStringList{"K1", "", "|", "\"", "", "", "", "zachowane", "", ""}));

    // A row the database refuses leaves the company's old settings in place.
    if (GetParam() == TestBackend::PostgreSQL) {
        SpdSettings tooLong = s;
        tooLong.fields[5] = QString(300, QLatin1Char('x'));
        EXPECT_FALSE(saveSpdSettings(*db, 2, tooLong, &error));
        EXPECT_EQ(loadSpdSettings(*db, 2, &error).fields, s.fields);
    }
    EXPECT_EQ(spdBusinessDate(dayFromYmd(2026, 2, 28), 3), dayFromYmd(2026, 2, 1));
    EXPECT_EQ(spdBusinessDate(dayFromYmd(2026, 3, 31), 2), dayFromYmd(2026, 3, 31));
    SpdSettings wide = s;
    wide.fields[2] = QString(11, QLatin1Char(';'));
    EXPECT_TRUE(wide.problem().has_value());
}

TEST_P(SpdExportTest, CsvReadBackWithPythonEqualsTheComputedRows)
{
    const int id = [&] {
        sql::Cursor c = db->exec(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=2 and wariant='Rb28SPozycje'"));
        return c.next() ? c.value(0).toInt() : 0;
    }();
    ASSERT_GT(id, 0);
    const DayNumber from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 3, 31);
    ASSERT_EQ(test::generateForm({id}, from, to, 1), QString());

    StatementPrintRequest r;
    r.company = 2;
    r.user = 1;
    r.rowFilter = StatementPrintRequest::userRowsFilter(1);
    r.statementId = id;
    SpdSettings s;
    s.fields = {QStringLiteral("01"), QStringLiteral("ABC"), QStringLiteral(";"), QStringLiteral("'"), QString(), {}, {}, {}, {}, {}};
    s.businessDate = to;
    const QString path = dir.filePath(QStringLiteral("spd.csv"));
    QString error;
    int written = 0;
    ASSERT_TRUE(writeSpdCsv(r, s, path, &written, &error)) << error.toStdString();

    QProcess py;
    py.start(QStringLiteral("python3"), {QStringLiteral("-c"), QStringLiteral(
        "import csv,json,sys\n"
        "rows=list(csv.reader(open(sys.argv[1],encoding='utf-8',newline=''),delimiter=';',quotechar=\"'\"))\n"
        "print(json.dumps(rows))\n"), path});
    ASSERT_TRUE(py.waitForFinished(60000));
    ASSERT_EQ(py.exitCode(), 0) << py.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(py.readAllStandardOutput()).array();
    ASSERT_EQ(rows.size(), written);

    sql::Cursor c = db->exec(QStringLiteral("select symbol, opis, kol1, kol3 from ZESTAW_ZESTAW where id_uzytkownika=1 and id_zestaw_nag=%1"
                                            " and wariant_zestaw=1 order by lp").arg(id));
    int i = 0;
    while (c.next()) {
        ASSERT_LT(i, rows.size());
        const QJsonArray row = rows.at(i++).toArray();
        ASSERT_EQ(row.size(), 12);
        EXPECT_EQ(row.at(0).toString(), QStringLiteral("01"));
        EXPECT_EQ(row.at(1).toString(), QStringLiteral("ABC"));
        EXPECT_EQ(row.at(2).toString(), QStringLiteral("2026-03-31"));
        EXPECT_EQ(row.at(3).toString(), QStringLiteral("Rb28SPozycje"));
        EXPECT_EQ(row.at(4).toString(), QString::number(i));
        EXPECT_TRUE(row.at(5).toString().endsWith(c.value(1).toString().trimmed()));
        EXPECT_EQ(row.at(6).toString(), QString()); // no account names asked for
        EXPECT_EQ(*Decimal::parse(row.at(7).toString()), test::dec(c.value(2)));
        EXPECT_EQ(*Decimal::parse(row.at(9).toString()), test::dec(c.value(3)));
    }
    EXPECT_EQ(i, rows.size());
    EXPECT_GE(i, 3);
}

INSTANTIATE_TEST_SUITE_P(Backends, SpdExportTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::statements
