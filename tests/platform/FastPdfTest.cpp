// The direct PDF writer against Qt's: the same spool must give a valid file with the same text in
// the same places, embedded fonts, a page that looks the same; failures leave no file; memory
// stays flat on a long report.
#include "platform/report/FastPdfFile.h"
#include "platform/report/FastPdfSink.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/PdfSink.h"
#include "platform/report/ReportWriter.h"
#include "support/ProgramOutput.h"
#include "platform/report/Spool.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::report;
using namespace pravik::test;

namespace {

// Page texts with every run of blanks made one space: the writers may mark word gaps differently.
QStringList normalisedPages(const QString& pdf)
{
    QStringList pages = pdfText(pdf, {}).split(u'\f');
    for (QString& page : pages)
        page = page.replace(QChar(0xa0), u' ').simplified();
    return pages;
}

struct Word {
    QString text;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

// Words of page 1 with their boxes in points, as poppler finds them.
QList<Word> wordsOfFirstPage(const QString& pdf)
{
    const ProcessRun html = runProcess(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                     QStringLiteral("1"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    for (auto it = word.globalMatch(html.all()); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

// Page 1 rendered in grey at a low resolution.
QImage renderFirstPage(const QString& pdf, const QString& prefix)
{
    runProcess(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
                                         QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                         QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".pgm")).convertToFormat(QImage::Format_Grayscale8);
}

// How much ink a stripe of rows carries: the sum of (255 - grey).
double ink(const QImage& image, int top, int bottom)
{
    double sum = 0;
    for (int y = qMax(0, top); y < qMin(image.height(), bottom); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            sum += 255 - line[x];
    }
    return sum;
}

PageItem textItem(int font, const QRect& rect, const QString& text, quint8 flags = PageItem::AlignLeft)
{
    PageItem item;
    item.kind = PageItem::Kind::Text;
    item.font = quint16(font);
    item.rect = rect;
    item.text = text;
    item.flags = flags;
    return item;
}

class FastPdfTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    // Three pages of the sample report: Polish letters, amounts, rules, a shaded heading box.
    QString sampleSpool()
    {
        m_writer = std::make_unique<ReportWriter>(
            loadLayoutFile(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json")), path("run.spool"));
        ReportWriter& writer = *m_writer;
        writer.setValue(QStringLiteral("DANE_NAGLOWEK_STRONY"), QStringLiteral("Zakład Usług Księgowych „Żuraw”"));
        writer.setValue(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA"), QStringLiteral("Obroty i salda"));
        writer.printBand(QStringLiteral("NAGLOWEK2"),
                         {{QStringLiteral("NAZWA_ZESTAWIENIA"), QStringLiteral("ZESTAWIENIE ĄĆĘŁŃÓŚŹŻ")}});
        writer.printBand(QStringLiteral("NAGLOWEKSTRONY"));
        for (int i = 1; i <= 120; ++i) {
            writer.printBand(QStringLiteral("POZYCJE"),
                             {{QStringLiteral("PRN_NUMER"), QStringLiteral("201-%1").arg(i)},
                              {QStringLiteral("PRN_NAZWA"), QStringLiteral("Zażółć gęślą jaźń %1").arg(i)},
                              {QStringLiteral("BO_WN"), Decimal::fromCents(i * 123457 - 500000)},
                              {QStringLiteral("DATA"), qint64(45000 + i)}});
            if (i % 10 == 0)
                writer.printBand(QStringLiteral("LINIA"));
        }
        writer.finish();
        return writer.spoolPath();
    }

    // A hand-made spool of two pages with three sizes of two faces.
    QString mixedFontsSpool()
    {
        SpoolWriter spool(path("mixed.spool"));
        FontSpec regular;
        FontSpec large = regular;
        large.size = 14;
        FontSpec bold = regular;
        bold.weight = 700;
        PageRecord page;
        page.items = {
            textItem(0, QRect(500, 500, 6000, 200), QStringLiteral("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż")),
            textItem(1, QRect(500, 800, 6000, 300), QStringLiteral("Nagłówek dużą czcionką")),
            textItem(2, QRect(500, 1200, 6000, 200), QStringLiteral("Pogrubiony tekst")),
            // A character the face lacks must not shift what follows it.
            textItem(0, QRect(500, 1500, 6000, 200), QStringLiteral("Przed \u4e2d Po")),
            textItem(0, QRect(500, 1800, 3000, 200), QStringLiteral("-12\u00a0345,67"), PageItem::AlignRight),
            textItem(0, QRect(500, 2100, 3000, 200), QStringLiteral("Strona 1 z {pages}"),
                     PageItem::AlignCenter | PageItem::NeedsPageCount),
        };
        spool.addPage(page);
        page.items = {textItem(0, QRect(500, 500, 6000, 200), QStringLiteral("Druga strona"))};
        spool.addPage(page);
        spool.finish(PageSetup(), {regular, large, bold});
        return spool.path();
    }

    bool writeWith(PageSink& sink, const QString& spool, QString* error = nullptr)
    {
        QString message;
        const bool ok = replay(spool, sink, &message);
        if (error)
            *error = message;
        EXPECT_TRUE(ok) << message.toStdString();
        return ok;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<ReportWriter> m_writer;
};

} // namespace

TEST_F(FastPdfTest, SameTextInTheSamePlacesAsQtWriter)
{
    const QString spool = sampleSpool();
    FastPdfSink fast(path("fast.pdf"), QStringLiteral("Obroty i salda – zażółć"));
    PdfSink qt(path("qt.pdf"), QStringLiteral("Obroty i salda – zażółć"));
    ASSERT_TRUE(writeWith(fast, spool));
    ASSERT_TRUE(writeWith(qt, spool));

    const ProcessRun check = runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), path("fast.pdf")});
    EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();
    EXPECT_TRUE(check.all().contains(QStringLiteral("No syntax or stream encoding errors"))) << check.all().toStdString();
    EXPECT_FALSE(check.all().contains(QStringLiteral("WARNING"))) << check.all().toStdString();

    const QStringList fastPages = normalisedPages(path("fast.pdf"));
    const QStringList qtPages = normalisedPages(path("qt.pdf"));
    ASSERT_EQ(fastPages.size(), qtPages.size());
    ASSERT_GE(fastPages.size(), 3);
    for (qsizetype p = 0; p < fastPages.size(); ++p)
        EXPECT_EQ(fastPages[p], qtPages[p]) << "page " << p + 1;
    EXPECT_TRUE(fastPages[0].contains(QStringLiteral("ZESTAWIENIE ĄĆĘŁŃÓŚŹŻ")));
    EXPECT_TRUE(fastPages[0].contains(QStringLiteral("Zażółć gęślą jaźń 1 ")));
    EXPECT_TRUE(fastPages[0].contains(QStringLiteral("Strona 1 z 3")));

    // Every word within a fraction of a point of where Qt's writer put it.
    const QList<Word> fastWords = wordsOfFirstPage(path("fast.pdf"));
    const QList<Word> qtWords = wordsOfFirstPage(path("qt.pdf"));
    ASSERT_EQ(fastWords.size(), qtWords.size());
    ASSERT_GT(fastWords.size(), 100);
    for (qsizetype i = 0; i < fastWords.size(); ++i) {
        EXPECT_EQ(fastWords[i].text, qtWords[i].text);
        EXPECT_NEAR(fastWords[i].xMin, qtWords[i].xMin, 0.3) << fastWords[i].text.toStdString();
        EXPECT_NEAR(fastWords[i].xMax, qtWords[i].xMax, 0.3) << fastWords[i].text.toStdString();
        EXPECT_NEAR(fastWords[i].yMin, qtWords[i].yMin, 0.3) << fastWords[i].text.toStdString();
    }

    const ProcessRun info = runProcess(QStringLiteral("pdfinfo"), {path("fast.pdf")});
    EXPECT_TRUE(info.all().contains(QRegularExpression(QStringLiteral("Pages:\\s+3\\n")))) << info.all().toStdString();
    EXPECT_TRUE(info.all().contains(QStringLiteral("(A4)"))) << info.all().toStdString();
    EXPECT_TRUE(info.all().contains(QStringLiteral("Obroty i salda – zażółć"))) << info.all().toStdString();
}

TEST_F(FastPdfTest, FirstPageLooksLikeQtWriters)
{
    const QString spool = sampleSpool();
    FastPdfSink fast(path("fast.pdf"));
    PdfSink qt(path("qt.pdf"));
    ASSERT_TRUE(writeWith(fast, spool));
    ASSERT_TRUE(writeWith(qt, spool));
    const QImage mine = renderFirstPage(path("fast.pdf"), path("fast"));
    const QImage theirs = renderFirstPage(path("qt.pdf"), path("qt"));
    ASSERT_FALSE(mine.isNull());
    ASSERT_EQ(mine.size(), theirs.size());

    // Stripe by stripe (about 5 mm each) the same amount of ink, give or take antialiasing.
    const double total = ink(mine, 0, mine.height());
    EXPECT_GT(total, 255.0 * 2000) << "the page is blank";
    for (int top = 0; top < mine.height(); top += 10) {
        const double a = ink(mine, top, top + 10);
        const double b = ink(theirs, top, top + 10);
        EXPECT_NEAR(a, b, 0.08 * qMax(a, b) + 255.0 * 20) << "rows " << top << "-" << top + 10;
    }
    // The shaded heading box: rows mostly grey (neither paper nor ink) in Qt's rendering are
    // grey in this one too.
    const auto greyPixels = [](const QImage& image, int y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).lightness() > 150 && image.pixelColor(x, y).lightness() < 240;
        return count;
    };
    int greyRows = 0;
    for (int y = 0; y < theirs.height(); ++y)
        if (greyPixels(theirs, y) > theirs.width() / 2) {
            ++greyRows;
            EXPECT_GT(greyPixels(mine, y), mine.width() / 2) << "row " << y;
        }
    EXPECT_GT(greyRows, 2);
}

TEST_F(FastPdfTest, FacesEmbeddedOnceWithTheirGlyphsAndText)
{
    const QString spool = mixedFontsSpool();
    FastPdfSink fast(path("mixed.pdf"));
    ASSERT_TRUE(writeWith(fast, spool));
    EXPECT_EQ(runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), path("mixed.pdf")}).exitCode, 0);

    // Two sizes of the regular face share one font; the bold face is the other.
    const ProcessRun fonts = runProcess(QStringLiteral("pdffonts"), {path("mixed.pdf")});
    const QStringList lines = fonts.all().split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_EQ(lines.size(), 2) << fonts.all().toStdString();
    for (const QString& line : lines) {
        EXPECT_TRUE(line.contains(QStringLiteral("CID TrueType"))) << line.toStdString();
        EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("Identity-H\\s+yes\\s+yes\\s+yes"))))
            << line.toStdString();
        EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("^[A-Z]{6}\\+DejaVuSans")))) << line.toStdString();
    }
    // Only the glyphs used are embedded: the whole faces are over 1 MB.
    EXPECT_LT(QFile(path("mixed.pdf")).size(), 120 * 1024);

    const QStringList pages = normalisedPages(path("mixed.pdf"));
    ASSERT_GE(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"))) << pages[0].toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Nagłówek dużą czcionką")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Pogrubiony tekst")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("-12 345,67")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Strona 1 z 2")));
    EXPECT_EQ(pages[1], QStringLiteral("Druga strona"));

    // The missing character takes no room in the layout, so "Po" sits where Qt's writer puts it,
    // and the right-aligned amount ends at the same edge.
    PdfSink qt(path("mixed-qt.pdf"));
    ASSERT_TRUE(writeWith(qt, spool));
    const QList<Word> mine = wordsOfFirstPage(path("mixed.pdf"));
    const QList<Word> theirs = wordsOfFirstPage(path("mixed-qt.pdf"));
    for (const QString& wanted : {QStringLiteral("Po"), QStringLiteral("345,67"), QStringLiteral("czcionką")}) {
        const auto find = [&](const QList<Word>& words) {
            for (const Word& w : words)
                if (w.text.endsWith(wanted))
                    return w;
            return Word{};
        };
        const Word a = find(mine), b = find(theirs);
        ASSERT_FALSE(a.text.isEmpty()) << wanted.toStdString();
        ASSERT_FALSE(b.text.isEmpty()) << wanted.toStdString();
        EXPECT_NEAR(a.xMax, b.xMax, 0.3) << wanted.toStdString();
    }
}

TEST_F(FastPdfTest, EitherWriterFailingLeavesNoFileBehind)
{
    const QString spool = sampleSpool();
    const auto sink = [](bool fast, const QString& file) -> std::unique_ptr<PageSink> {
        if (fast)
            return std::make_unique<FastPdfSink>(file);
        return std::make_unique<PdfSink>(file);
    };
    // The damage below makes the spool unreadable for the second writer as well.
    QFile(spool).copy(path("copy.spool"));
    for (const bool fast : {true, false}) {
        SCOPED_TRACE(fast ? "direct writer" : "Qt's writer");
        QFile::remove(spool);
        QFile(path("copy.spool")).copy(spool);
        QString error;
        EXPECT_FALSE(replay(spool, *sink(fast, QStringLiteral("/nonexistent/folder/raport.pdf")), &error));
        EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można zapisać pliku /nonexistent/folder/raport.pdf")))
            << error.toStdString();
        EXPECT_FALSE(QFile::exists(QStringLiteral("/nonexistent/folder/raport.pdf")));

        // A run that breaks half-way (a damaged page of the spool) keeps the earlier file of that
        // name and leaves no temporary file beside it.
        QFile old(path("raport.pdf"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("poprzedni wydruk");
        old.close();
        QFile damaged(spool);
        ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
        ASSERT_TRUE(damaged.seek(damaged.size() / 2));
        damaged.write(QByteArray(64, 'Z'));
        damaged.close();
        EXPECT_FALSE(replay(spool, *sink(fast, path("raport.pdf")), &error));
        EXPECT_TRUE(error.contains(QStringLiteral("uszkodzony"))) << error.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("poprzedni wydruk"));
        old.close();
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({"copy.spool", "raport.pdf", "run.spool"}));
    }
}

TEST_F(FastPdfTest, WriterChosenByEnvironment)
{
    const QString spool = mixedFontsSpool();
    const auto producer = [&](const QString& file) {
        return runProcess(QStringLiteral("pdfinfo"), {file}).all();
    };
    qunsetenv("PRAVIK_PDF_WRITER");
    ASSERT_TRUE(writeWith(*makePdfSink(path("default.pdf")), spool));
    EXPECT_TRUE(producer(path("default.pdf")).contains(QRegularExpression(QStringLiteral("Producer:\\s+pravik"))));
    qputenv("PRAVIK_PDF_WRITER", "qt");
    ASSERT_TRUE(writeWith(*makePdfSink(path("qt.pdf")), spool));
    qunsetenv("PRAVIK_PDF_WRITER");
    EXPECT_TRUE(producer(path("qt.pdf")).contains(QRegularExpression(QStringLiteral("Producer:\\s+Qt"))))
        << producer(path("qt.pdf")).toStdString();

    // Errors of the chosen writer reach the caller.
    QString error;
    EXPECT_FALSE(replay(spool, *makePdfSink(QStringLiteral("/nonexistent/folder/x.pdf")), &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można zapisać pliku"))) << error.toStdString();
}

TEST(FastPdfNumbers, WrittenAsPdfReadsThem)
{
    const auto number = [](double value, int decimals) {
        std::string out;
        appendPdfNumber(out, value, decimals);
        return out;
    };
    EXPECT_EQ(number(0, 2), "0");
    EXPECT_EQ(number(-0.001, 2), "0"); // never "-0" nor an exponent
    EXPECT_EQ(number(1.5, 2), "1.5");
    EXPECT_EQ(number(-2.25, 2), "-2.25");
    EXPECT_EQ(number(-0.05, 2), "-0.05");
    EXPECT_EQ(number(841.8898, 3), "841.89");
    EXPECT_EQ(number(229 / 255.0, 3), "0.898");
    EXPECT_EQ(number(5084.0625, 2), "5084.06");
    EXPECT_EQ(number(16838.999, 2), "16839");
    EXPECT_EQ(number(123456789.0, 2), "123456789");
}

TEST_F(FastPdfTest, ReportWithoutPagesIsOneBlankSheetLikeQtWriters)
{
    SpoolWriter spool(path("empty.spool"));
    spool.finish(PageSetup(), {FontSpec()});
    FastPdfSink fast(path("fast.pdf"));
    PdfSink qt(path("qt.pdf"));
    ASSERT_TRUE(writeWith(fast, spool.path()));
    ASSERT_TRUE(writeWith(qt, spool.path()));
    EXPECT_EQ(runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), path("fast.pdf")}).exitCode, 0);
    const auto pages = [&](const QString& file) {
        return runProcess(QStringLiteral("qpdf"), {QStringLiteral("--show-npages"), file}).all().trimmed();
    };
    EXPECT_EQ(pages(path("fast.pdf")), pages(path("qt.pdf")));
}

namespace {

// Forwards to the writer and notes the resident memory as pages go by.
class MeasuringSink : public PageSink {
public:
    explicit MeasuringSink(PageSink& inner) : m_inner(inner) {}
    bool begin(const ReplayInfo& info) override { return m_inner.begin(info); }
    bool page(int index, const PageRecord& page) override
    {
        if (index == 500)
            atPage500 = residentKiB();
        return m_inner.page(index, page);
    }
    bool finish() override
    {
        beforeFinish = residentKiB();
        return m_inner.finish();
    }
    void abort() override { m_inner.abort(); }

    qint64 atPage500 = 0;
    qint64 beforeFinish = 0;

private:
    PageSink& m_inner;
};

} // namespace

TEST_F(FastPdfTest, LongReportKeepsMemoryFlat)
{
    {
        SpoolWriter spool(path("long.spool"));
        PageRecord page;
        for (int p = 0; p < 5000; ++p) {
            page.items.clear();
            for (int row = 0; row < 40; ++row)
                page.items.append(textItem(0, QRect(300, 300 + row * 200, 7000, 180),
                                           QStringLiteral("201-%1-%2 Zapis księgowy %3 zł").arg(p).arg(row).arg(p * 40 + row)));
            spool.addPage(page);
        }
        spool.finish(PageSetup(), {FontSpec()});
    }
    FastPdfSink pdf(path("long.pdf"));
    MeasuringSink measuring(pdf);
    ASSERT_TRUE(writeWith(measuring, path("long.spool")));
    // 4,500 pages of 40 rows would be tens of megabytes if anything of them stayed.
    EXPECT_LT(measuring.beforeFinish - measuring.atPage500, 4 * 1024)
        << "RSS grew from " << measuring.atPage500 << " to " << measuring.beforeFinish << " KiB";
    const ProcessRun info = runProcess(QStringLiteral("pdfinfo"), {path("long.pdf")});
    EXPECT_TRUE(info.all().contains(QRegularExpression(QStringLiteral("Pages:\\s+5000\\n")))) << info.all().toStdString();
    const ProcessRun last = runProcess(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("5000"), path("long.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(last.all().contains(QStringLiteral("201-4999-39 Zapis księgowy 199999 zł"))) << last.all().toStdString();
}
