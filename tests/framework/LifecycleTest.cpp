// The module's start and stop as a host sees it: which managers are in charge, which libraries
// come up in which order, and where errors go.
#include "framework/Lifecycle.h"

#include "platform/ErrorSink.h"
#include "platform/Settings.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/Sibling.h"
#include "siblings/statix/Sibling.h"
#include "siblings/utilka/Gateway.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class HostSink final : public pravik::ErrorSink {
public:
    void setProcedure(const QString& name) override { m_procedure = name; }
    QString procedure() const override { return m_procedure; }
    void report(pravik::ErrorKind kind, const QString& what, const QString& detail) override
    {
        reports.append({kind, m_procedure, what, detail});
    }
    struct Report {
        pravik::ErrorKind kind;
        QString procedure, what, detail;
    };
    QList<Report> reports;

private:
    QString m_procedure;
};

// Each test starts from a freshly loaded module and leaves one behind.
class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        pravik::module::unload();
        korda::session() = korda::Session();
        korda::session().GGG_SCIEZKA_SET = folder.filePath(QStringLiteral("pravik.ini"));
        pravik::module::load();
        pravik::module::setLifecycleObserver([this](const QString& e) { events.append(e); });
    }
    void TearDown() override
    {
        pravik::module::setLifecycleObserver({});
        pravik::module::unload();
        pravik::module::load();
        korda::session() = korda::Session();
    }

    QStringList eventsEnding(const QString& suffix) const
    {
        QStringList out;
        for (const QString& e : events)
            if (e.endsWith(suffix))
                out.append(e.section(QLatin1Char(' '), 0, 0));
        return out;
    }

    QTemporaryDir folder;
    QStringList events;
};

TEST_F(Lifecycle, InitBringsUpTheSiblingsInOrderAndKillTakesThemDownInTheSameOrder)
{
    const QStringList order{"korda", "utilka", "outlik", "tekston", "kontar", "xmlbud", "statix"};
    EXPECT_EQ(pravik::module::siblingOrder(), order);
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Loaded);

    pravik::PRAVIK_INIT(nullptr, nullptr);
    EXPECT_EQ(eventsEnding(QStringLiteral(" INIT")), order);
    EXPECT_TRUE(korda::isUp());
    EXPECT_TRUE(statix::isUp());
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Initialised);

    pravik::PRAVIK_KILL();
    EXPECT_EQ(eventsEnding(QStringLiteral(" KILL")), order);
    EXPECT_FALSE(korda::isUp());
    EXPECT_FALSE(statix::isUp());
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Killed);
}

TEST_F(Lifecycle, ASecondInitChangesNoManagerAndStartsNothing)
{
    HostSink first, second;
    pravik::SettingsStore firstStore, secondStore;
    pravik::PRAVIK_INIT(&first, &firstStore);
    pravik::PRAVIK_INIT(&second, &secondStore);

    EXPECT_EQ(&pravik::errorSink(), &first);
    EXPECT_EQ(&pravik::moduleSettings(), &firstStore);
    EXPECT_EQ(eventsEnding(QStringLiteral(" INIT")).size(), 7);
}

TEST_F(Lifecycle, KillBeforeInitStillReleasesTheSiblingsOnce)
{
    pravik::PRAVIK_KILL();
    pravik::PRAVIK_KILL();
    EXPECT_EQ(eventsEnding(QStringLiteral(" KILL")).size(), 7);
    EXPECT_TRUE(eventsEnding(QStringLiteral(" INIT")).isEmpty());
}

TEST_F(Lifecycle, NullManagersKeepTheModulesOwnSettingsFileAndErrorManager)
{
    const pravik::ErrorSink* own = &pravik::errorSink();
    pravik::PRAVIK_INIT(nullptr, nullptr);
    EXPECT_EQ(&pravik::errorSink(), own);
    EXPECT_EQ(pravik::moduleSettings().path(), folder.filePath(QStringLiteral("pravik.ini")));

    ASSERT_TRUE(pravik::moduleSettings().setValue(QStringLiteral("Podglad"), QStringLiteral("X"), 120));
    ASSERT_TRUE(pravik::moduleSettings().sync());
    pravik::SettingsStore reread(folder.filePath(QStringLiteral("pravik.ini")));
    EXPECT_EQ(reread.integer(QStringLiteral("Podglad"), QStringLiteral("X")), 120);
}

TEST_F(Lifecycle, TheSettingsFileNamedAfterLoadingIsTheOneInitUses)
{
    // The host may name the file between loading the library and starting the module.
    pravik::module::unload();
    korda::session().GGG_SCIEZKA_SET.clear();
    pravik::module::load();
    EXPECT_TRUE(pravik::moduleSettings().path().isEmpty());
    korda::session().GGG_SCIEZKA_SET = folder.filePath(QStringLiteral("pozniej.ini"));
    pravik::PRAVIK_INIT(nullptr, nullptr);
    EXPECT_EQ(pravik::moduleSettings().path(), folder.filePath(QStringLiteral("pozniej.ini")));
}

TEST_F(Lifecycle, ErrorsReachTheHostsManagerAgainstTheRunningProcedure)
{
    HostSink host;
    pravik::PRAVIK_INIT(&host, nullptr);

    const auto tables = pravik::module::tableErrorManagers();
    ASSERT_EQ(tables.size(), 14);
    EXPECT_EQ(tables.first().first, QStringLiteral("MENU"));
    EXPECT_EQ(tables.at(4).first, QStringLiteral("ZAPYTANIESQL"));
    EXPECT_EQ(tables.last().first, QStringLiteral("VAY_FK"));
    for (const auto& t : tables)
        EXPECT_EQ(t.second, &host) << t.first.toStdString();

    pravik::ScriptedUi ui;
    pravik::setUi(&ui);
    pravik::sql::Database::setCurrent(
        pravik::sql::ConnectionSpec::sqliteFile(folder.filePath(QStringLiteral("f.db")), true));
    pravik::enterProcedure(QStringLiteral("Prn_Obroty_SQL"));
    EXPECT_FALSE(utilka::EXECSQL(QStringLiteral("delete from ZESTAW_ZESTAW_NIE_MA")));
    pravik::sql::Database::releaseThread();
    pravik::setUi(nullptr);

    ASSERT_EQ(host.reports.size(), 1);
    EXPECT_EQ(host.reports[0].kind, pravik::ErrorKind::Sql);
    EXPECT_EQ(host.reports[0].procedure, QStringLiteral("Prn_Obroty_SQL"));
    EXPECT_EQ(host.reports[0].what, QStringLiteral("delete from ZESTAW_ZESTAW_NIE_MA"));
    EXPECT_TRUE(host.reports[0].detail.contains(QLatin1String("ZESTAW_ZESTAW_NIE_MA"), Qt::CaseInsensitive));
    // The host's manager decides what the user sees; the module's own shows nothing here.
    EXPECT_TRUE(ui.events().isEmpty());
}

TEST_F(Lifecycle, UnloadingLetsGoOfTheHostsManagers)
{
    HostSink host;
    pravik::SettingsStore hostStore;
    pravik::PRAVIK_INIT(&host, &hostStore);
    pravik::module::unload();
    EXPECT_EQ(pravik::module::state(), pravik::module::State::Unloaded);
    EXPECT_NE(&pravik::errorSink(), &host);
    EXPECT_NE(&pravik::moduleSettings(), &hostStore);
    EXPECT_TRUE(pravik::module::tableErrorManagers().isEmpty());

    // A new load acts on INIT again.
    pravik::module::load();
    pravik::PRAVIK_INIT(&host, nullptr);
    EXPECT_EQ(&pravik::errorSink(), &host);
}

TEST_F(Lifecycle, KillEmptiesTheSharedQueues)
{
    korda::session().DANE_OPIS_PRN.add(QStringLiteral("Okres: BO"));
    korda::session().DANE_ZAZNACZ_REK.append({QStringLiteral("12")});
    pravik::PRAVIK_INIT(nullptr, nullptr);
    pravik::PRAVIK_KILL();
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
    EXPECT_TRUE(korda::session().DANE_ZAZNACZ_REK.isEmpty());
}

} // namespace
