// The journal as the user sees it on screen: the run frame hands the finished spool to the
// preview window at 120 %. The PNG goes to PRAVIK_SCREENSHOT_DIR when that is set.
#include "JournalReportFixture.h"

#include "platform/report/PreviewWindow.h"

#include <QApplication>
#include <QDir>
#include <QImage>

namespace pravik::test {
namespace {

// Shows the preview for real (offscreen) and keeps a picture of it instead of waiting for the user.
class PreviewCamera : public ScriptedUi {
public:
    bool showPreview(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies,
                     bool* printed) override
    {
        report::PreviewWindow preview(spoolPath, title, settingsKey, copies);
        if (!preview.isValid())
            return false;
        preview.resize(1200, 860);
        preview.show();
        QApplication::processEvents();
        picture = preview.grab().toImage();
        shownTitle = title;
        if (printed)
            *printed = false;
        return true;
    }

    QImage picture;
    QString shownTitle;
};

class JournalPreview : public JournalReportTest {};

TEST_P(JournalPreview, ThePostingJournalOpensInThePreviewWindow)
{
    PreviewCamera camera;
    setUi(&camera);
    journals::JournalOptions& o = variables;
    o.periodDate = dayFromYmd(2026, 3, 2);
    korda::session().DANE_OPIS_PRN.add(QStringLiteral("Okres obrotowy: Marzec"));
    journals::setJournalVariables(o);
    PRN_71_DZIENNIK_P_J(QString(), QStringLiteral("PDD:id_lata_obrot=%1 AND PDD:data_okresu=%2").arg(kYear).arg(o.periodDate),
                        QStringLiteral("Dziennik księgowań"), 4);
    setUi(&ui);

    EXPECT_EQ(korda::session().globalResponse, 1);
    ASSERT_FALSE(camera.picture.isNull()) << "the preview was not shown";
    EXPECT_GE(camera.picture.width(), 1000);
    // Something was drawn on the page: not a blank grey window.
    int dark = 0;
    for (int y = 0; y < camera.picture.height(); y += 4)
        for (int x = 0; x < camera.picture.width(); x += 4)
            dark += qGray(camera.picture.pixel(x, y)) < 100;
    EXPECT_GT(dark, 200);

    const QString shots = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        EXPECT_TRUE(camera.picture.save(QDir(shots).filePath(QStringLiteral("journal-preview.png"))));
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, JournalPreview, ::testing::Values(TestBackend::SQLite), backendName);

} // namespace
} // namespace pravik::test
