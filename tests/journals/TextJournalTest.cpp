// The posting journal on a text printer: cut sheets break pages by the line count with the
// carry-over lines, continuous paper runs on with the totals only at the end.
#include "JournalReportFixture.h"

#include "siblings/tekston/CodePages.h"

#include <QFile>

namespace pravik::test {
namespace {

const DayNumber kMarch = dayFromYmd(2026, 3, 2);

class TextJournal : public JournalReportTest {
protected:
    QString printed(const QString& printer, quint8 whole)
    {
        korda::Session& s = korda::session();
        s.DANE_RODZAJ_WYDRUKU = 2;
        s.DANE_DRUKARKA_EKRAN = 0;
        s.DANE_NAZWA_DRUKARKI = printer;
        const QString file = folder.filePath(printer + QStringLiteral(".txt"));
        s.outputRequests.textFile = file;
        journals::JournalOptions& o = variables;
        o.periodDate = kMarch;
        o.batchId = batchId(QStringLiteral("BANK"));
        QString filter = QStringLiteral("PDD:id_lata_obrot=2 AND PDD:data_okresu=%1").arg(kMarch);
        if (whole == 0)
            filter += QStringLiteral(" AND PDD:id_paczka=%1").arg(o.batchId);
        journals::setJournalVariables(o);
        PRN_71_DZIENNIK_P_TXT(QString(), filter, QStringLiteral("Dziennik księgowań"), 4, whole);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return tekston::decode(f.readAll(), tekston::CodePage::Cp1250);
    }
};

TEST_P(TextJournal, CutSheetsBreakByLineCountWithCarryOverLines)
{
    const QString text = printed(QStringLiteral("Epson LQ-590"), 1); // 66 lines, margins 3 and 3, KARTKI
    EXPECT_TRUE(ui.unexpected().isEmpty());
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), 3);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QStringList lines = pages[p].split(QStringLiteral("\r\n"));
        EXPECT_LE(lines.size(), 66 + 1) << "page " << p + 1;
        if (p + 1 < pages.size()) {
            EXPECT_TRUE(pages[p].contains(QStringLiteral("Do przeniesienia")));
            EXPECT_EQ(labelled(pages[p], QStringLiteral("Do przeniesienia")),
                      labelled(pages[p + 1], QStringLiteral("Z przeniesienia")));
        }
        if (p > 0) {
            EXPECT_TRUE(pages[p].contains(QStringLiteral("dzienniku"))) << "headings repeated, page " << p + 1;
        }
    }
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
    EXPECT_TRUE(text.contains(QStringLiteral("Dziennik księgowań")));
}

TEST_P(TextJournal, ContinuousPaperRunsOnWithTotalsOnlyAtTheEnd)
{
    const QString text = printed(QStringLiteral("OKI Microline 3390"), 0); // "SKŁADANKA"
    EXPECT_FALSE(text.contains(u'\f'));
    EXPECT_EQ(text.count(QStringLiteral("Razem na stronie")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Do przeniesienia")), 0);
    const qsizetype end = text.indexOf(QStringLiteral("Koniec wydruku"));
    ASSERT_GT(end, 0);
    EXPECT_GT(text.indexOf(QStringLiteral("Razem na stronie")), text.lastIndexOf(QStringLiteral("Wyciąg bankowy")));

    // A document is its header line (no amounts) followed by one line per posting (no
    // document columns, the posting's text in the description column).
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    qsizetype header = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(QStringLiteral("Wyciąg bankowy"))) {
            header = i;
            break;
        }
    ASSERT_GE(header, 0);
    EXPECT_TRUE(amountsIn(lines[header]).isEmpty()) << lines[header].toStdString();
    EXPECT_TRUE(lines[header].contains(QStringLiteral("BANK")));
    const QString posting = lines[header + 1];
    EXPECT_FALSE(amountsIn(posting).isEmpty()) << posting.toStdString();
    EXPECT_FALSE(posting.contains(QStringLiteral("BANK/")));
    EXPECT_TRUE(posting.contains(QStringLiteral("130-1"))) << posting.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Backends, TextJournal, ::testing::Values(TestBackend::SQLite), backendName);

} // namespace
} // namespace pravik::test
