// The run frame on a character printer: line counting, page breaks on cut sheets only, and the
// text the host receives in the printer's code page.
#include "framework/RunFrame.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/tekston/CodePages.h"
#include "support/PrinterDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::frame;

namespace {

class FrameText : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        test::createPrinterDatabase(m_dir.path());
        test::addPrinter(1, QStringLiteral("Epson LQ"),
                         {{QStringLiteral("Ilość linii wydruku"), QStringLiteral("66")},
                          {QStringLiteral("Górny margines (ilość linii odstępu)"), QStringLiteral("3")},
                          {QStringLiteral("Dolny margines (ilość linii odstępu od stopki)"), QStringLiteral("3")}});

        korda::Session& s = korda::session();
        s = korda::Session();
        s.GLO_CUTEMP = m_dir.path();
        s.DANE_RODZAJ_WYDRUKU = 2;
        s.DANE_DRUKARKA_EKRAN = 0; // print at once
        s.DANE_NAZWA_DRUKARKI = QStringLiteral("Epson LQ");
        s.DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Dziennik próbny");
        s.outputRequests.textFile = QDir(m_dir.path()).filePath(QStringLiteral("wydruk.prn"));
    }
    void TearDown() override
    {
        korda::session() = korda::Session();
        sql::Database::releaseThread();
    }

    void setPaper(const QString& paper)
    {
        sql::Database::forThread().execNative(
            QStringLiteral("INSERT INTO KOD_STERUJACY (id_drukarki, nazwa_kodu, wartosc_domyslna) VALUES (1, 'PAPIER', '%1')").arg(paper));
    }

    int run(int rows, int* counterAtFirstBreak = nullptr)
    {
        ReportDefinition d;
        d.procedure = QStringLiteral("PRN_PROBA_TXT");
        d.layoutFile = QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/FrameSample.json");
        d.textTitle = QStringLiteral("Dzienniki");
        d.amountColumns = 2;
        d.carry.amountFields = {QStringLiteral("KWOTA_WN"), QStringLiteral("KWOTA_MA")};
        d.carry.broughtForwardOnFirstPage = true;
        d.text.detailScale = 170;
        d.text.reserveFirstPage = 7;
        d.text.reserveLaterPages = 7;
        d.checkBeforeEachRow = false;
        d.closing = [](RunFrame& f) {
            f.printPageTotal();
            f.printCarry(QStringLiteral("Razem"), f.totals().running());
        };
        RunFrame frame(d, frame::OutputTarget::fromSession(korda::session()));
        if (!frame.start())
            return frame.response();
        m_startCounter = frame.lineCounter();
        int n = 0;
        RowFeed feed;
        feed.total = rows;
        feed.next = [&] { return ++n <= rows; };
        feed.print = [&](RunFrame& f) {
            const int before = f.lineCounter();
            if (f.checkPage() && counterAtFirstBreak && *counterAtFirstBreak == 0)
                *counterAtFirstBreak = before;
            f.totals().add({Decimal::fromUnits(n), Decimal::fromUnits(1)});
            f.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NUMER"), QStringLiteral("Zapis %1 żółć").arg(n)},
                                                    {QStringLiteral("KWOTA_WN"), Decimal::fromUnits(n)},
                                                    {QStringLiteral("KWOTA_MA"), Decimal::fromUnits(1)}});
        };
        return frame.run(feed);
    }

    QStringList textPages() const
    {
        QFile f(korda::session().outputRequests.textFile);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return tekston::decode(f.readAll(), tekston::CodePage::Cp1250).split(u'\f');
    }

    static int rowsOn(const QString& page) { return int(page.count(QStringLiteral("Zapis "))); }

    QTemporaryDir m_dir;
    int m_startCounter = 0;
};

} // namespace

TEST_F(FrameText, CutSheetsBreakWhenTheCounterReachesFiftyNine)
{
    setPaper(QStringLiteral("kartki"));
    ScriptedUi ui;
    ScopedUi scope(ui);
    int counterAtBreak = 0;
    ASSERT_EQ(run(100, &counterAtBreak), kResponseCompleted);
    EXPECT_EQ(m_startCounter, 7);
    EXPECT_TRUE(ui.messageTexts().isEmpty()) << "7 + 15 < 66: no warning";
    EXPECT_EQ(counterAtBreak, 59);

    const QStringList pages = textPages();
    ASSERT_EQ(pages.size(), 3);
    // 7 + 5 (company block) + 5 (column headings) = 17; rows until the counter reaches 59.
    EXPECT_EQ(rowsOn(pages[0]), 42);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Zapis 1 żółć")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Do przeniesienia")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Z przeniesienia")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Kwota Dt"))) << "headings on every page";
    EXPECT_TRUE(pages[0].contains(QStringLiteral("\r\n")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Razem ")));
    EXPECT_FALSE(QDir(m_dir.path()).entryList({QStringLiteral("pravik-*")}, QDir::Dirs).size())
        << "the run's folder is gone";
}

TEST_F(FrameText, ContinuousPaperRunsOnWithTotalsOnlyAtTheEnd)
{
    setPaper(QStringLiteral("Składanka"));
    ScriptedUi ui;
    ScopedUi scope(ui);
    ASSERT_EQ(run(100), kResponseCompleted);
    const QStringList pages = textPages();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(rowsOn(pages[0]), 100);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Do przeniesienia")));
    EXPECT_EQ(pages[0].count(QStringLiteral("Razem na stronie")), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Razem ")));
}

TEST_F(FrameText, PrinterWithoutCodesWarnsAndEveryRowStartsAPage)
{
    korda::session().DANE_NAZWA_DRUKARKI = QStringLiteral("Nieznana");
    ScriptedUi ui;
    ScopedUi scope(ui);
    ASSERT_EQ(run(3), kResponseCompleted);
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Ilość linii wydruku na stronie jest za mała.")});
    EXPECT_EQ(textPages().size(), 4);
}
