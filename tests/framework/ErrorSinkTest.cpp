// The module's own error manager, in charge until a host hands over its own.
#include "framework/Lifecycle.h"
#include "platform/ErrorSink.h"
#include "platform/ScriptedUi.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

class ModuleErrorSink : public ::testing::Test {
protected:
    void SetUp() override
    {
        pravik::setErrorSink(nullptr);
        pravik::setUi(&ui);
    }
    void TearDown() override
    {
        pravik::errorSink().setProcedure(QString());
        pravik::setUi(nullptr);
    }
    pravik::ScriptedUi ui;
};

TEST_F(ModuleErrorSink, AFileErrorIsShownAgainstTheRunningProcedure)
{
    pravik::enterProcedure(QStringLiteral("Prn_Zestaw_Def"));
    EXPECT_EQ(pravik::errorSink().procedure(), QStringLiteral("Prn_Zestaw_Def"));
    pravik::errorSink().report(pravik::ErrorKind::File, QStringLiteral("/tmp/strona1.png"),
                               QStringLiteral("Brak miejsca na dysku"));
    ASSERT_EQ(ui.events().size(), 1);
    EXPECT_EQ(ui.events()[0].title, pravik::kTitleWarning);
    EXPECT_TRUE(ui.events()[0].text.contains(QLatin1String("Prn_Zestaw_Def")));
    EXPECT_TRUE(ui.events()[0].text.contains(QLatin1String("/tmp/strona1.png")));
    EXPECT_TRUE(ui.events()[0].text.contains(QLatin1String("Brak miejsca na dysku")));
}

TEST_F(ModuleErrorSink, AnSqlErrorRaisesNoSecondBoxBesideTheCallersWarning)
{
    pravik::errorSink().report(pravik::ErrorKind::Sql, QStringLiteral("select x"), QStringLiteral("no such column: x"));
    EXPECT_TRUE(ui.events().isEmpty());
}

TEST_F(ModuleErrorSink, EachThreadNamesItsOwnProcedure)
{
    pravik::enterProcedure(QStringLiteral("Param_Prn_Zestaw"));
    QString seenThere;
    std::thread([&] {
        pravik::enterProcedure(QStringLiteral("Prn_Zestaw_Multikol_New"));
        seenThere = pravik::errorSink().procedure();
    }).join();
    EXPECT_EQ(seenThere, QStringLiteral("Prn_Zestaw_Multikol_New"));
    EXPECT_EQ(pravik::errorSink().procedure(), QStringLiteral("Param_Prn_Zestaw"));
}

} // namespace
