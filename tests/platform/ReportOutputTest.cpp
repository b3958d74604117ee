// Spooled pages into their outputs: PDF (checked with qpdf and poppler), PNG pages, a printer,
// the preview window; and the spool's memory use on a long report.
#include "platform/Settings.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/PdfSink.h"
#include "platform/report/PngSink.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/PrinterSink.h"
#include "platform/report/ReportWriter.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::report;
using namespace pravik::test;

namespace {

class OutputTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // Three pages of the sample report, Polish letters in the header and the rows.
    std::unique_ptr<ReportWriter> threePages()
    {
        auto writer = std::make_unique<ReportWriter>(
            loadLayoutFile(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json")), path("run.spool"));
        writer->setValue(QStringLiteral("DANE_NAGLOWEK_STRONY"), QStringLiteral("Zakład Usług Księgowych „Żuraw”"));
        writer->setValue(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA"), QStringLiteral("Obroty i salda"));
        writer->printBand(QStringLiteral("NAGLOWEK2"),
                          {{QStringLiteral("NAZWA_ZESTAWIENIA"), QStringLiteral("Zestawienie obrotów i sald")}});
        writer->printBand(QStringLiteral("NAGLOWEKSTRONY"));
        for (int i = 1; i <= 120; ++i)
            writer->printBand(QStringLiteral("POZYCJE"),
                              {{QStringLiteral("PRN_NUMER"), QStringLiteral("201-%1").arg(i)},
                               {QStringLiteral("PRN_NAZWA"), QStringLiteral("Zażółć gęślą jaźń %1").arg(i)},
                               {QStringLiteral("BO_WN"), Decimal::fromCents(i * 123457)}});
        writer->finish();
        return writer;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(OutputTest, PdfIsValidWithEmbeddedFontsAndPageOfPages)
{
    const auto writer = threePages();
    ASSERT_EQ(writer->pageCount(), 3);
    PdfSink pdf(path("raport.pdf"), QStringLiteral("Obroty i salda"));
    QString error;
    ASSERT_TRUE(replay(writer->spoolPath(), pdf, &error)) << error.toStdString();

    const ProcessRun check = runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), path("raport.pdf")});
    EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();

    const QStringList pages = pdfPages(path("raport.pdf"));
    ASSERT_GE(pages.size(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Strona %1 z 3").arg(p + 1))) << pages[p].toStdString();
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Zakład Usług Księgowych „Żuraw”")));
    }
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zestawienie obrotów i sald")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zażółć gęślą jaźń 1")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("1 234,57")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Zażółć gęślą jaźń 120")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("148 148,40")));

    // Every font is embedded: the file prints the same on a machine without DejaVu.
    const ProcessRun fonts = runProcess(QStringLiteral("pdffonts"), {path("raport.pdf")});
    ASSERT_EQ(fonts.exitCode, 0);
    const QStringList lines = fonts.all().split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(lines.isEmpty());
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains(QStringLiteral(" yes "))) << line.toStdString();

    const ProcessRun info = runProcess(QStringLiteral("pdfinfo"), {path("raport.pdf")});
    EXPECT_TRUE(info.all().contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.all().toStdString();
    EXPECT_TRUE(info.all().contains(QStringLiteral("(A4)"))) << info.all().toStdString();
}

TEST_F(OutputTest, PngPagesNamedByNumberAtTheirResolution)
{
    const auto writer = threePages();
    PngSink png(path("57"), 100);
    QString error;
    ASSERT_TRUE(replay(writer->spoolPath(), png, &error)) << error.toStdString();
    ASSERT_EQ(png.files(), QStringList({path("571.png"), path("572.png"), path("573.png")}));
    for (const QString& file : png.files()) {
        const QImage image(file);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(827, 1169)); // A4 at 100 dpi
    }
    // Something is drawn: the shaded heading box leaves grey pixels on page 1.
    const QImage first(png.files()[0]);
    bool grey = false;
    for (int x = 100; x < 700 && !grey; ++x) {
        const QRgb pixel = first.pixel(x, 60 + 30 + 10);
        grey = qGray(pixel) > 150 && qGray(pixel) < 240;
    }
    EXPECT_TRUE(grey);

    // A page that cannot be written removes the pages already written.
    PngSink unwritable(QStringLiteral("/nonexistent/folder/57"), 100);
    EXPECT_FALSE(replay(writer->spoolPath(), unwritable, &error));
    EXPECT_TRUE(unwritable.files().isEmpty());
}

TEST_F(OutputTest, PrinterGetsEveryPageOfEveryCopy)
{
    const auto writer = threePages();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("drukarka.pdf"));
    PrinterSink sink(printer, 2);
    QString error;
    ASSERT_TRUE(replay(writer->spoolPath(), sink, &error)) << error.toStdString();
    const ProcessRun info = runProcess(QStringLiteral("pdfinfo"), {path("drukarka.pdf")});
    // A printer that makes copies itself is sent the pages once and told the count.
    const int expected = printer.supportsMultipleCopies() ? 3 : 6;
    EXPECT_TRUE(info.all().contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(expected))))
        << info.all().toStdString();
    EXPECT_TRUE(pdfText(path("drukarka.pdf"), {}).contains(QStringLiteral("Strona 3 z 3")));

    // A printer that cannot start is an error, not an empty success.
    QPrinter dead(QPrinter::HighResolution);
    dead.setOutputFormat(QPrinter::PdfFormat);
    dead.setOutputFileName(QStringLiteral("/nonexistent/folder/drukarka.pdf"));
    PrinterSink refused(dead);
    EXPECT_FALSE(replay(writer->spoolPath(), refused, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można rozpocząć drukowania"))) << error.toStdString();
}

TEST_F(OutputTest, LongSpoolKeepsMemoryFlat)
{
    ReportWriter writer(loadLayoutFile(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json")),
                        path("long.spool"));
    writer.setValue(QStringLiteral("DANE_NAGLOWEK_STRONY"), QStringLiteral("Dziennik księgowań"));
    int page = 0;
    const auto printPages = [&](int pages) {
        for (int end = page + pages; page < end; ++page) {
            for (int i = 0; i < 10; ++i)
                writer.printBand(QStringLiteral("POZYCJE"),
                                 {{QStringLiteral("PRN_NUMER"), QStringLiteral("201-%1-%2").arg(page).arg(i)},
                                  {QStringLiteral("PRN_NAZWA"), QStringLiteral("Zapis %1").arg(i)},
                                  {QStringLiteral("BO_WN"), Decimal::fromCents(page * 1000 + i)}});
            writer.printBand(QStringLiteral("KONIECSTRONY"));
        }
    };
    printPages(500);
    const qint64 before = residentKiB();
    printPages(4500);
    const qint64 after = residentKiB();
    writer.finish();
    EXPECT_EQ(writer.pageCount(), 5000);
    // Pages go to the file, not to memory: 4,500 pages of 50 items would be tens of megabytes.
    EXPECT_LT(after - before, 8 * 1024) << "RSS grew from " << before << " to " << after << " KiB";
    SpoolReader reader;
    ASSERT_TRUE(reader.open(writer.spoolPath()));
    EXPECT_EQ(reader.pageCount(), 5000);
    PageRecord last;
    ASSERT_TRUE(reader.readPage(4999, last));
    bool found = false;
    for (const PageItem& item : last.items)
        found = found || item.text == QStringLiteral("201-4999-9");
    EXPECT_TRUE(found);
}

TEST_F(OutputTest, PreviewShowsPagesLazilyAndKeepsItsPlace)
{
    SettingsStore settings;
    setModuleSettings(&settings);
    const auto writer = threePages();
    {
        PreviewWindow preview(writer->spoolPath(), QStringLiteral("Obroty i salda"), QStringLiteral("PRN_OBROTY_SQL"));
        ASSERT_TRUE(preview.isValid()) << preview.errorString().toStdString();
        EXPECT_EQ(preview.pageCount(), 3);
        EXPECT_EQ(preview.currentPage(), 0);
        EXPECT_DOUBLE_EQ(preview.zoom(), 1.2);
        // The page is drawn at 120 % of its size on this screen.
        const double pixelsPerUnit = preview.logicalDpiX() / 1000.0 * 1.2 * preview.devicePixelRatioF();
        EXPECT_NEAR(preview.pageImage().width(), 8268 * pixelsPerUnit, 1.0);
        const int width120 = preview.pageImage().width();
        preview.setZoom(0.5);
        EXPECT_NEAR(preview.pageImage().width(), width120 * 0.5 / 1.2, 1.0);

        preview.nextPage();
        EXPECT_EQ(preview.currentPage(), 1);
        preview.lastPage();
        preview.nextPage(); // stays on the last page
        EXPECT_EQ(preview.currentPage(), 2);
        preview.firstPage();
        preview.previousPage();
        EXPECT_EQ(preview.currentPage(), 0);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("z_podgladu.pdf"));
        EXPECT_TRUE(preview.printTo(printer)) << preview.errorString().toStdString();
        EXPECT_TRUE(preview.printed());
        EXPECT_TRUE(QFile::exists(path("z_podgladu.pdf")));

        preview.setGeometry(40, 50, 700, 600);
        preview.accept();
    }
    EXPECT_EQ(settings.text(PreviewWindow::settingsSection(), QStringLiteral("PRN_OBROTY_SQL")),
              QStringLiteral("40,50,700,600"));
    {
        PreviewWindow again(writer->spoolPath(), QString(), QStringLiteral("PRN_OBROTY_SQL"));
        EXPECT_EQ(again.geometry(), QRect(40, 50, 700, 600));
    }
    {
        PreviewWindow broken(path("nie_ma.spool"), QString(), QStringLiteral("PRN_OBROTY_SQL"));
        EXPECT_FALSE(broken.isValid());
        EXPECT_FALSE(broken.errorString().isEmpty());
        EXPECT_EQ(broken.currentPage(), -1);
    }
    setModuleSettings(nullptr);
}
