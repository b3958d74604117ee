// The module through its C interface, as a host written in C calls it.
#include "framework/CApi.h"

#include "framework/Lifecycle.h"
#include "platform/ErrorSink.h"
#include "platform/Settings.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/Sibling.h"
#include "siblings/utilka/Gateway.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A report entry as a C host declares it.
extern "C" void PRN_73_DZIENNIK(const char* yearStart, const char* filter, const char* title);

namespace {

struct HostLog {
    std::vector<std::string> procedures;
    std::vector<std::string> reports; // "kind|procedure|what|detail"
};

void onProcedure(void* user, const char* name)
{
    static_cast<HostLog*>(user)->procedures.emplace_back(name);
}

void onReport(void* user, int kind, const char* procedure, const char* what, const char* detail)
{
    static_cast<HostLog*>(user)->reports.push_back(std::to_string(kind) + "|" + procedure + "|" + what + "|"
                                                   + detail);
}

class CApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        pravik::module::unload();
        korda::session() = korda::Session();
        pravik::module::load();
    }
    void TearDown() override
    {
        pravik::sql::Database::releaseThread();
        pravik::module::unload();
        pravik::module::load();
        korda::session() = korda::Session();
    }
    QTemporaryDir folder;
};

TEST_F(CApi, HostCallbacksReceiveErrorsWithTheProcedureAndASecondInitIsIgnored)
{
    HostLog log, other;
    PravikErrorManager em{&log, &onProcedure, &onReport};
    PravikErrorManager ignored{&other, &onProcedure, &onReport};
    const QByteArray ini = folder.filePath(QStringLiteral("host.ini")).toUtf8();
    PravikSettingsManager sm{ini.constData()};
    PRAVIK_INIT(&em, &sm);
    PRAVIK_INIT(&ignored, nullptr);

    EXPECT_EQ(pravik::moduleSettings().path(), folder.filePath(QStringLiteral("host.ini")));
    const QByteArray db = folder.filePath(QStringLiteral("k.db")).toUtf8();
    ASSERT_EQ(pravik_set_database(("sqlite:" + db).constData()), 1);
    pravik::sql::Database::forThread().execNative(QStringLiteral("create table T (a integer)"));

    pravik::enterProcedure(QStringLiteral("Prn_61_Ksiega_SQL"));
    utilka::EXECVAX(QStringLiteral("select b from T"));

    ASSERT_EQ(log.procedures, std::vector<std::string>{"Prn_61_Ksiega_SQL"});
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].rfind("1|Prn_61_Ksiega_SQL|select b from T|", 0), 0u) << log.reports[0];
    EXPECT_TRUE(other.procedures.empty());
    EXPECT_TRUE(other.reports.empty());
    PRAVIK_KILL();
}

TEST_F(CApi, NullManagersLeaveTheModulesOwnInCharge)
{
    const pravik::ErrorSink* own = &pravik::errorSink();
    PravikSettingsManager noPath{nullptr};
    PRAVIK_INIT(nullptr, &noPath);
    EXPECT_EQ(&pravik::errorSink(), own);
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Initialised);
}

TEST_F(CApi, GlobalsAreSetAndReadByName)
{
    EXPECT_EQ(pravik_set_global("DANE_ID_FIRMY", "3"), 1);
    EXPECT_EQ(pravik_set_global("DANE_DATA_WYDRUKU", "2025-12-31"), 1);
    EXPECT_EQ(pravik_set_global("DANE_NAZWA_FIRMY", "Spółka Żółta"), 1);
    EXPECT_EQ(pravik_set_global("GGG:NUMCOPY", "300"), 0);
    EXPECT_EQ(pravik_set_global("NIE_MA", "1"), 0);
    EXPECT_EQ(pravik_set_global(nullptr, "1"), 0);
    EXPECT_EQ(korda::session().DANE_ID_FIRMY, 3);
    EXPECT_EQ(korda::session().DANE_DATA_WYDRUKU, pravik::dayFromYmd(2025, 12, 31));

    char buffer[64];
    EXPECT_EQ(pravik_get_global("DANE_ID_FIRMY", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "3");
    EXPECT_EQ(pravik_get_global("NIE_MA", buffer, sizeof buffer), -1);

    // A short buffer gets what fits, never half a letter; the return value says what is needed.
    const std::string full = "Spółka Żółta";
    char small[5];
    EXPECT_EQ(pravik_get_global("DANE_NAZWA_FIRMY", small, sizeof small), int(full.size()));
    EXPECT_STREQ(small, "Sp\xc3\xb3");
    EXPECT_EQ(pravik_get_global("DANE_NAZWA_FIRMY", nullptr, 0), int(full.size()));
}

TEST_F(CApi, QueuesAreFilledAndEmptiedByName)
{
    EXPECT_EQ(pravik_queue_add("DANE_OPIS_PRN", "Konto: 201-1"), 1);
    EXPECT_EQ(pravik_queue_add("DANE_KOLEJKA_VAX", "201"), 1);
    EXPECT_EQ(pravik_queue_add("NIE_MA", "x"), 0);
    EXPECT_EQ(korda::session().DANE_OPIS_PRN.lines(), QStringList{"Konto: 201-1"});
    EXPECT_TRUE(korda::session().DANE_KOLEJKA_VAX.contains(QStringLiteral("201")));
    EXPECT_EQ(pravik_queue_clear("DANE_OPIS_PRN"), 1);
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
}

TEST_F(CApi, AMalformedDatabaseIsRefusedAndTheHostIsTold)
{
    HostLog log;
    PravikErrorManager em{&log, nullptr, &onReport};
    PRAVIK_INIT(&em, nullptr);
    EXPECT_EQ(pravik_set_database("postgresql://"), 0);
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_EQ(log.reports[0].rfind("2|", 0), 0u) << log.reports[0];
}

TEST_F(CApi, ReportsAreRefusedAfterKillUntilTheNextInitStartsTheModuleAgain)
{
    HostLog log;
    PravikErrorManager em{&log, &onProcedure, &onReport};
    PRAVIK_INIT(&em, nullptr);
    PRAVIK_KILL();
    const QByteArray pdf = folder.filePath(QStringLiteral("z.pdf")).toUtf8();
    ASSERT_EQ(pravik_set_output("pdf", pdf.constData()), 1);
    PRN_73_DZIENNIK("46023", "", "Zestawienie dzienników księgowań");
    ASSERT_EQ(log.reports.size(), 1u);
    EXPECT_NE(log.reports[0].find("PRAVIK_KILL"), std::string::npos) << log.reports[0];
    // Named against the refused procedure, not the one that ran before it.
    EXPECT_EQ(log.reports[0].rfind("2|Prn_73_Dziennik|PRN_73_DZIENNIK|", 0), 0u) << log.reports[0];
    EXPECT_EQ(pravik_last_response(), 2);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("z.pdf"))));

    PRAVIK_INIT(&em, nullptr);
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Initialised);
    EXPECT_TRUE(korda::isUp());
    PRAVIK_KILL();
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Killed);
}

TEST_F(CApi, ADatabaseNoConnectionCanUseIsRefused)
{
    HostLog log;
    PravikErrorManager em{&log, nullptr, &onReport};
    PRAVIK_INIT(&em, nullptr);
    const std::string huge(1024 * 1024, 'a');
    EXPECT_EQ(pravik_set_database(huge.c_str()), 0);
    const std::string longName = folder.filePath(QStringLiteral("")).toStdString() + std::string(300, 'n') + ".db";
    EXPECT_EQ(pravik_set_database(longName.c_str()), 0);
    ASSERT_EQ(log.reports.size(), 2u);
    // The host is told why, without its megabyte repeated back.
    EXPECT_LT(log.reports[0].size(), 400u);
    EXPECT_NE(log.reports[0].find("4096"), std::string::npos) << log.reports[0];
    EXPECT_NE(log.reports[1].find("255"), std::string::npos) << log.reports[1];
    const QByteArray fine = folder.filePath(QStringLiteral("k.db")).toUtf8();
    EXPECT_EQ(pravik_set_database(fine.constData()), 1);
}

TEST_F(CApi, OutputsAreNamedByKind)
{
    EXPECT_EQ(pravik_set_output("pdf", "/tmp/a.pdf"), 1);
    EXPECT_EQ(pravik_set_output("PNG", "/tmp/strony"), 1);
    EXPECT_EQ(pravik_set_output("text", "/tmp/a.prn"), 1);
    EXPECT_EQ(pravik_set_output("faks", "/tmp/x"), 0);
    EXPECT_EQ(pravik_set_output(nullptr, "/tmp/x"), 0);
    const korda::OutputRequests& out = korda::session().outputRequests;
    EXPECT_EQ(out.pdfPath, QStringLiteral("/tmp/a.pdf"));
    EXPECT_EQ(out.pngFolder, QStringLiteral("/tmp/strony"));
    EXPECT_EQ(out.textFile, QStringLiteral("/tmp/a.prn"));
    EXPECT_EQ(pravik_set_output("pdf", nullptr), 1);
    EXPECT_TRUE(out.pdfPath.isEmpty());
}

} // namespace
