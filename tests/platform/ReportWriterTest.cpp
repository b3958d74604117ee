// The band printer: placement, page breaks, page furniture, field formatting, and the spool the
// pages go to.
#include "platform/DayNumber.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/ReportWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::report;

namespace {

Layout sampleLayout()
{
    return loadLayoutFile(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json"));
}

struct Pages {
    QList<PageRecord> pages;
    int count() const { return int(pages.size()); }
    // The texts of a page as printed, "{pages}" resolved.
    QStringList texts(int page) const
    {
        QStringList out;
        for (const PageItem& item : pages[page].items)
            if (item.kind == PageItem::Kind::Text)
                out << resolvedText(item, count());
        return out;
    }
    const PageItem* textItem(int page, const QString& text) const
    {
        for (const PageItem& item : pages[page].items)
            if (item.kind == PageItem::Kind::Text && resolvedText(item, count()) == text)
                return &item;
        return nullptr;
    }
    QList<PageItem> items(int page, PageItem::Kind kind) const
    {
        QList<PageItem> out;
        for (const PageItem& item : pages[page].items)
            if (item.kind == kind)
                out << item;
        return out;
    }
};

class WriterTest : public ::testing::Test {
protected:
    QString spoolPath() const { return QDir(m_dir.path()).filePath(QStringLiteral("run.spool")); }
    Pages finishAndRead(ReportWriter& writer)
    {
        writer.finish();
        SpoolReader reader;
        EXPECT_TRUE(reader.open(writer.spoolPath())) << reader.errorString().toStdString();
        Pages result;
        for (int i = 0; i < reader.pageCount(); ++i) {
            PageRecord page;
            EXPECT_TRUE(reader.readPage(i, page)) << reader.errorString().toStdString();
            result.pages << page;
        }
        return result;
    }
    static FieldValues row(int n)
    {
        return {{QStringLiteral("PRN_NUMER"), QStringLiteral("201-%1").arg(n)},
                {QStringLiteral("PRN_NAZWA"), QStringLiteral("Kontrahent %1").arg(n)},
                {QStringLiteral("BO_WN"), Decimal::fromCents(n * 100 + 1)}};
    }

    QTemporaryDir m_dir;
};

constexpr int kBody = 11693 - 800 - 200 - 250; // the sample's page body height
constexpr int kTop = 400 + 200;                // top margin and page header

} // namespace

TEST_F(WriterTest, BandsStackAndBreakWhenTheNextDoesNotFit)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    EXPECT_EQ(writer.pageBodyHeight(), kBody);
    EXPECT_EQ(writer.bandHeight(QStringLiteral("POZYCJE")), 200);
    EXPECT_EQ(writer.pageCount(), 0);

    writer.printBand(QStringLiteral("NAGLOWEK2"), {{QStringLiteral("NAZWA_ZESTAWIENIA"), QStringLiteral("Obroty i salda")}});
    EXPECT_EQ(writer.verticalPosition(), 300);
    EXPECT_EQ(writer.pageCount(), 1);

    // (kBody - 300) / 200 rows still fit on the first page; the next one starts page 2.
    const int fitting = (kBody - 300) / 200;
    for (int i = 1; i <= fitting; ++i)
        writer.printBand(QStringLiteral("POZYCJE"), row(i));
    EXPECT_EQ(writer.verticalPosition(), 300 + fitting * 200);
    EXPECT_EQ(writer.pageCount(), 1);
    writer.printBand(QStringLiteral("POZYCJE"), row(fitting + 1));
    EXPECT_EQ(writer.pageCount(), 2);
    EXPECT_EQ(writer.verticalPosition(), 200);

    const Pages pages = finishAndRead(writer);
    ASSERT_EQ(pages.count(), 2);
    // The first band of a page sits right under the page header, the next under it.
    EXPECT_EQ(pages.textItem(0, QStringLiteral("Obroty i salda"))->rect.top(), kTop);
    EXPECT_EQ(pages.textItem(0, QStringLiteral("201-1"))->rect.top(), kTop + 300);
    EXPECT_EQ(pages.textItem(0, QStringLiteral("201-1"))->rect.left(), 400 + 50);
    EXPECT_EQ(pages.textItem(1, QStringLiteral("201-%1").arg(fitting + 1))->rect.top(), kTop);
    EXPECT_FALSE(pages.texts(0).contains(QStringLiteral("201-%1").arg(fitting + 1)));
}

TEST_F(WriterTest, PageFurnitureOnEveryPageWithPageOfPages)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    writer.setValue(QStringLiteral("DANE_NAGLOWEK_STRONY"), QStringLiteral("Firma Zażółć Sp. z o.o."));
    writer.setValue(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA"), QStringLiteral("Dziennik"));
    for (int page = 0; page < 3; ++page) {
        writer.printBand(QStringLiteral("POZYCJE"), row(page));
        writer.printBand(QStringLiteral("KONIECSTRONY"));
    }
    // A page-end band already ended the page: no blank page from an extra break.
    writer.newPage();
    writer.newPage();
    EXPECT_EQ(writer.pageCount(), 3);

    const Pages pages = finishAndRead(writer);
    ASSERT_EQ(pages.count(), 3);
    for (int page = 0; page < 3; ++page) {
        const QStringList texts = pages.texts(page);
        EXPECT_TRUE(texts.contains(QStringLiteral("Strona %1 z 3").arg(page + 1))) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.contains(QStringLiteral("Dziennik")));
        // "@s150" pads the header line to its width.
        EXPECT_TRUE(texts.filter(QStringLiteral("Firma Zażółć Sp. z o.o.")).size() == 1);
        EXPECT_EQ(pages.items(page, PageItem::Kind::Line).size(), 1); // the footer's rule
    }
    // The footer sits at the foot of the sheet whatever the page holds.
    EXPECT_EQ(pages.textItem(2, QStringLiteral("Dziennik"))->rect.top(), 11693 - 400 - 250 + 40);
}

TEST_F(WriterTest, FieldsFormatByPictureAndValuesPersist)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    writer.setValue(QStringLiteral("PRN_NAZWA"), QStringLiteral("stała nazwa"));
    writer.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NUMER"), QStringLiteral("130")},
                                                 {QStringLiteral("BO_WN"), Decimal::fromCents(-123456789)},
                                                 {QStringLiteral("DATA"), qint64(kDay1900 + 31)}});
    // A band's own value wins over the one set for the run; a missing value prints nothing.
    writer.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NAZWA"), QStringLiteral("własna")}});
    const Pages pages = finishAndRead(writer);
    const QStringList texts = pages.texts(0);
    // The picture's padding is not kept: the alignment places the text.
    const QString amount = QStringLiteral("-1 234 567,89");
    EXPECT_TRUE(texts.contains(amount)) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("01-02-1900")));
    EXPECT_TRUE(texts.contains(QStringLiteral("stała nazwa")));
    EXPECT_TRUE(texts.contains(QStringLiteral("własna")));
    EXPECT_EQ(texts.filter(QStringLiteral("stała")).size(), 1);
    // Right alignment reaches the output.
    EXPECT_EQ(pages.textItem(0, amount)->flags & PageItem::AlignMask, PageItem::AlignRight);
}

TEST_F(WriterTest, RunTimeChangesShowInThePrint)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    Layout& layout = writer.layout();
    layout.setVisible(QStringLiteral("PRN_NAZWA"), false);
    for (int k = 2; k <= 3; ++k)
        layout.cloneElement(QStringLiteral("BO_WN"), QStringLiteral("KOL%1").arg(k), 0, (k - 1) * 10);
    layout.setWeight(QStringLiteral("PRN_NUMER"), 700);
    writer.printBand(QStringLiteral("NAGLOWEKSTRONY"));
    writer.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NUMER"), QStringLiteral("100")},
                                                 {QStringLiteral("PRN_NAZWA"), QStringLiteral("ukryta")},
                                                 {QStringLiteral("BO_WN"), Decimal::fromUnits(1)},
                                                 {QStringLiteral("KOL3"), Decimal::fromUnits(3)}});
    // Shading switched off mid-run affects the bands printed after it.
    layout.removeShading();
    writer.printBand(QStringLiteral("NAGLOWEKSTRONY"));

    const Pages pages = finishAndRead(writer);
    const QStringList texts = pages.texts(0);
    EXPECT_FALSE(texts.contains(QStringLiteral("ukryta")));
    EXPECT_TRUE(texts.contains(QStringLiteral("1,00")));
    const PageItem* third = pages.textItem(0, QStringLiteral("3,00"));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->rect.top(), kTop + 250 + 20);
    EXPECT_EQ(third->rect.left(), 400 + 4000);

    const QList<PageItem> boxes = pages.items(0, PageItem::Kind::Box);
    ASSERT_EQ(boxes.size(), 3); // two shaded boxes, then only the framed one, white
    EXPECT_EQ(boxes[0].shade, 15);
    EXPECT_EQ(boxes[1].shade, 25);
    EXPECT_EQ(boxes[2].shade, 0);
    EXPECT_EQ(boxes[2].thickness, 10);
}

TEST_F(WriterTest, LongTextsClipOrWrapButAmountsAreNeverCut)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    writer.layout().setWidth(QStringLiteral("BO_WN"), 300);
    const QString longName = QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe Wielka Nazwa Bardzo Długa Spółka Akcyjna");
    writer.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NAZWA"), longName},
                                                 {QStringLiteral("BO_WN"), Decimal::fromCents(99'999'999'999)}});
    const QString description = QStringLiteral("Zakres dat od 01-01-2024 do 31-12-2024 wg daty księgowania, "
                                               "konta bilansowe, wynikowe i pozabilansowe");
    writer.printBand(QStringLiteral("OPIS"), {{QStringLiteral("OK:OPIS"), description}});
    const Pages pages = finishAndRead(writer);
    const QStringList texts = pages.texts(0);

    const QStringList clipped = texts.filter(QStringLiteral("Przedsiębiorstwo"));
    ASSERT_EQ(clipped.size(), 1);
    EXPECT_TRUE(longName.startsWith(clipped[0]));
    EXPECT_LT(clipped[0].size(), longName.size());
    EXPECT_GT(clipped[0].size(), 10);
    // The amount is printed whole even though it is wider than its field.
    EXPECT_TRUE(texts.contains(QStringLiteral("999 999 999,99"))) << texts.join('|').toStdString();

    // Wrapped lines break at spaces and together hold the whole text.
    QStringList lines;
    for (const PageItem& item : pages.pages[0].items)
        if (item.kind == PageItem::Kind::Text && item.rect.top() >= kTop + 200 && item.rect.left() == 450)
            lines << item.text;
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines.join(' '), description);
}

TEST_F(WriterTest, ErrorsAreReportedNotPrinted)
{
    ReportWriter writer(sampleLayout(), spoolPath());
    EXPECT_THROW(writer.printBand(QStringLiteral("NIE_MA")), ReportError);
    EXPECT_THROW(writer.bandHeight(QStringLiteral("NIE_MA")), ReportError);
    // Page furniture is the engine's to print.
    EXPECT_THROW(writer.printBand(QStringLiteral("PFOOTER")), ReportError);
    writer.layout().setPicture(QStringLiteral("BO_WN"), QStringLiteral("@Q1"));
    EXPECT_THROW(writer.printBand(QStringLiteral("POZYCJE"), row(1)), ReportError);

    // A spool in a folder that does not exist.
    EXPECT_THROW(ReportWriter(sampleLayout(), QStringLiteral("/nonexistent/folder/run.spool")), ReportError);
}

TEST_F(WriterTest, EmptyReportHasNoPagesAndSpoolIsRemovedWithTheWriter)
{
    QString path;
    {
        ReportWriter writer(sampleLayout(), spoolPath());
        path = writer.spoolPath();
        const Pages pages = finishAndRead(writer);
        EXPECT_EQ(pages.count(), 0);
        EXPECT_TRUE(QFile::exists(path));
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(WriterTest, DamagedSpoolIsRefused)
{
    {
        ReportWriter writer(sampleLayout(), spoolPath());
        for (int i = 0; i < 5; ++i)
            writer.printBand(QStringLiteral("POZYCJE"), row(i));
        writer.finish();
        QFile::copy(writer.spoolPath(), spoolPath() + QStringLiteral(".copy"));
    }
    const QString copy = spoolPath() + QStringLiteral(".copy");
    SpoolReader reader;
    ASSERT_TRUE(reader.open(copy));
    EXPECT_EQ(reader.pageCount(), 1);

    // An unfinished spool (a run that died) has no trailer.
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray bytes = file.readAll();
    file.resize(bytes.size() - 10);
    file.close();
    SpoolReader truncated;
    EXPECT_FALSE(truncated.open(copy));
    EXPECT_TRUE(truncated.errorString().contains(QStringLiteral("uszkodzony")));

    // A page whose bytes were overwritten is refused, not drawn as garbage.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray damaged = bytes;
    for (int i = 20; i < 60; ++i)
        damaged[i] = char(0x5A);
    file.write(damaged);
    file.close();
    SpoolReader broken;
    ASSERT_TRUE(broken.open(copy));
    PageRecord page;
    EXPECT_FALSE(broken.readPage(0, page));
    EXPECT_FALSE(broken.readPage(7, page));
}
