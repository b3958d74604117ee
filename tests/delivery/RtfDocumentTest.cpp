// The RTF attachment opens as RTF: its groups balance, its paper is A4 in the report's
// orientation and its pictures decode to the very page images.
#include "MailFixture.h"
#include "RtfReader.h"

#include "delivery/RtfDocument.h"
#include "platform/report/PageSink.h"
#include "platform/report/PngSink.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::delivery;
using pravik::test::readRtf;

namespace {

class RtfDocumentTest : public test::MailFixture {
protected:
    QStringList pageImages(int pages, bool landscape)
    {
        report::PngSink sink(scratch(QStringLiteral("57")));
        EXPECT_TRUE(report::replay(makeSpool(pages, landscape), sink));
        return sink.files();
    }

    QByteArray rtfOf(const RtfPages& pages)
    {
        const QString path = scratch(QStringLiteral("doc.rtf"));
        QFile::remove(path);
        QString error;
        EXPECT_TRUE(writeRtfFile(pages, path, &error)) << error.toStdString();
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

} // namespace

TEST_F(RtfDocumentTest, EveryPageIsOnePictureThatDecodesToItsPageImage)
{
    RtfPages pages;
    pages.pngFiles = pageImages(3, false);
    pages.title = QStringLiteral("Obroty – Łódź {2025}");
    pages.created = QDateTime(QDate(2025, 3, 7), QTime(14, 5));
    const auto doc = readRtf(rtfOf(pages));

    EXPECT_TRUE(doc.startsAsRtf);
    EXPECT_TRUE(doc.balanced);
    for (const char* word : {"ansicpg1252", "fcharset238", "paperw11909", "paperh16834", "yr2025", "mo3", "dy7", "hr14",
                             "min5"})
        EXPECT_TRUE(doc.words.contains(QLatin1String(word))) << word;
    EXPECT_FALSE(doc.words.contains(QStringLiteral("landscape")));
    EXPECT_TRUE(doc.text.contains(QStringLiteral("Obroty – Łódź {2025}"))) << doc.text.toStdString();
    EXPECT_EQ(doc.words.count(QStringLiteral("page")), 2);

    ASSERT_EQ(doc.pictures.size(), 3);
    for (int n = 0; n < 3; ++n) {
        const auto& pict = doc.pictures[n];
        const QImage original(pages.pngFiles[n]);
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(pict.data, "PNG")) << "page " << n + 1;
        EXPECT_EQ(decoded, original) << "page " << n + 1;
        EXPECT_TRUE(pict.words.contains(QStringLiteral("pngblip")));
        EXPECT_TRUE(pict.words.contains(QStringLiteral("picw%1").arg(original.width())));
        EXPECT_TRUE(pict.words.contains(QStringLiteral("pich%1").arg(original.height())));
        // The picture fits the printable width of A4 and keeps the page's proportions.
        int goalWidth = 0, goalHeight = 0;
        for (const QString& w : pict.words) {
            if (w.startsWith(QLatin1String("picwgoal")))
                goalWidth = w.mid(8).toInt();
            if (w.startsWith(QLatin1String("pichgoal")))
                goalHeight = w.mid(8).toInt();
        }
        EXPECT_GT(goalWidth, 10000);
        EXPECT_LE(goalWidth, kA4ShortTwips - 2 * kRtfMarginTwips);
        EXPECT_LE(goalHeight, kA4LongTwips - 2 * kRtfMarginTwips);
        EXPECT_NEAR(double(goalHeight) / goalWidth, double(original.height()) / original.width(), 0.01);
    }
}

TEST_F(RtfDocumentTest, LandscapeReportsTurnThePaper)
{
    RtfPages pages;
    pages.pngFiles = pageImages(1, true);
    pages.landscape = true;
    const auto doc = readRtf(rtfOf(pages));
    EXPECT_TRUE(doc.balanced);
    EXPECT_TRUE(doc.words.contains(QStringLiteral("paperw16834")));
    EXPECT_TRUE(doc.words.contains(QStringLiteral("paperh11909")));
    EXPECT_TRUE(doc.words.contains(QStringLiteral("landscape")));
    ASSERT_EQ(doc.pictures.size(), 1);
    EXPECT_EQ(doc.words.count(QStringLiteral("page")), 0);
    QImage decoded;
    ASSERT_TRUE(decoded.loadFromData(doc.pictures[0].data, "PNG"));
    EXPECT_GT(decoded.width(), decoded.height());
}

TEST_F(RtfDocumentTest, APageThatIsNoImageFailsAndLeavesNoDocument)
{
    QFile bad(scratch(QStringLiteral("572.png")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("to nie jest obraz");
    bad.close();
    RtfPages pages;
    pages.pngFiles = pageImages(1, false) << bad.fileName();
    QString error;
    EXPECT_FALSE(writeRtfFile(pages, scratch(QStringLiteral("bad.rtf")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("572.png")));
    EXPECT_FALSE(QFile::exists(scratch(QStringLiteral("bad.rtf"))));
}
