// The host's calls of the report windows on a program that nobody can see: they must come back
// at once with a message and the response 2, not wait on a modal window no one can close.
#include "framework/WindowScreen.h"
#include "journals/window/ParamPrnDziennik.h"
#include "platform/BatchUi.h"
#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "turnover/window/ParamPrnObroty.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace pravik {
namespace {

const QString kRefusal = QStringLiteral("Okno \"Parametry wydruku\" jest dostępne w programie z ekranem.");

TEST(WindowScreen, WindowsRefuseOnTheOffscreenPlatformUnderBatchServices)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QStringList lines;
    BatchUi batch([&lines](const QString& line) { lines << line; });
    {
        ScopedUi scope(batch);
        korda::Session& s = korda::session();
        s.globalResponse = 1;
        PARAM_PRN_OBROTY(3, 0);
        EXPECT_EQ(s.globalResponse, 2);
        s.globalResponse = 1;
        PARAM_PRN_DZIENNIK(71);
        EXPECT_EQ(s.globalResponse, 2);
    }
    ASSERT_EQ(lines.size(), 2);
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains(kRefusal)) << line.toStdString();

    // No services installed at all is the batch case too.
    EXPECT_FALSE(frame::windowMayOpen(QStringLiteral("Parametry wydruku")));

    // A test or host with services of its own drives the window itself.
    ScriptedUi scripted;
    ScopedUi scope(scripted);
    EXPECT_TRUE(frame::windowMayOpen(QStringLiteral("Parametry wydruku")));
    EXPECT_TRUE(scripted.messageTexts().isEmpty());
}

} // namespace
} // namespace pravik
