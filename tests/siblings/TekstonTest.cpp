// The text-printer library: the printer's page from its control codes, bands turned into text
// columns, and the bytes a matrix printer receives in its code page.
#include "platform/report/Layout.h"
#include "platform/sql/Database.h"
#include "platform/ScriptedUi.h"
#include "siblings/tekston/BandText.h"
#include "siblings/tekston/CodePages.h"
#include "siblings/tekston/TextPageSetup.h"
#include "siblings/tekston/TextReport.h"
#include "support/PrinterDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::report;

namespace {

class TextPrinterDb : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        test::createPrinterDatabase(m_dir.path());
    }
    void TearDown() override { sql::Database::releaseThread(); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TextPrinterDb, PageOfSixtySixLinesWithMarginsOfThreeStartsAtSevenWithoutWarning)
{
    test::addPrinter(1, QStringLiteral("Epson LQ-590"),
               {{QStringLiteral("Ilość linii wydruku"), QStringLiteral("66")},
                {QStringLiteral("PAPIER"), QStringLiteral("kartki")},
                {QStringLiteral("Górny margines (ilość linii odstępu)"), QStringLiteral("3")},
                {QStringLiteral("Dolny margines (ilość linii odstępu od stopki)"), QStringLiteral("3")}});
    ScriptedUi ui;
    ScopedUi scope(ui);
    const tekston::TextPageSetup setup = tekston::readTextPageSetup(QStringLiteral("Epson LQ-590"));
    EXPECT_EQ(setup.linesPerPage, 66);
    EXPECT_EQ(setup.firstLine(), 7);
    EXPECT_TRUE(setup.cutSheets()) << "lower-case kartki are cut sheets";
    EXPECT_FALSE(tekston::warnIfTooFewLines(setup));
    EXPECT_TRUE(ui.messageTexts().isEmpty());
}

TEST_F(TextPrinterDb, PrinterWithoutCodesWarnsAndOtherPaperRunsOn)
{
    test::addPrinter(1, QStringLiteral("Star"), {});
    test::addPrinter(2, QStringLiteral("Oki ML"), {{QStringLiteral("papier"), QStringLiteral("składanka")}});
    ScriptedUi ui;
    ScopedUi scope(ui);
    const tekston::TextPageSetup bare = tekston::readTextPageSetup(QStringLiteral("Star"));
    EXPECT_EQ(bare.linesPerPage, 0);
    EXPECT_TRUE(bare.cutSheets());
    EXPECT_TRUE(tekston::warnIfTooFewLines(bare));
    EXPECT_EQ(ui.messageLog(), QStringList{QStringLiteral("Warning|Tabulo: Ostrzeżenie|Ilość linii wydruku na stronie jest za mała.")});
    EXPECT_FALSE(tekston::readTextPageSetup(QStringLiteral("Oki ML")).cutSheets());
}

TEST_F(TextPrinterDb, ApostropheInPrinterNameIsQuotedNotInjected)
{
    test::addPrinter(1, QStringLiteral("Drukarka O'Brien"), {{QStringLiteral("Ilość linii wydruku"), QStringLiteral("72")}});
    test::addPrinter(2, QStringLiteral("Inna"), {{QStringLiteral("Ilość linii wydruku"), QStringLiteral("40")}});
    ScriptedUi ui;
    ScopedUi scope(ui);
    EXPECT_EQ(tekston::readTextPageSetup(QStringLiteral("Drukarka O'Brien")).linesPerPage, 72);
    // A name built to widen the condition must match nothing.
    EXPECT_EQ(tekston::readTextPageSetup(QStringLiteral("x' OR '1'='1")).linesPerPage, 0);
    EXPECT_TRUE(tekston::controlCodeQuery(QStringLiteral("a'b"), QStringLiteral("1=1")).contains(QStringLiteral("d.nazwa='a''b'")));
}

TEST_F(TextPrinterDb, CodePageCodeChoosesTheConversion)
{
    test::addPrinter(1, QStringLiteral("Igła"), {{QStringLiteral("Strona kodowa"), QStringLiteral("852")}});
    ScriptedUi ui;
    ScopedUi scope(ui);
    EXPECT_EQ(tekston::readTextPageSetup(QStringLiteral("Igła")).codePage, tekston::CodePage::Cp852);
    EXPECT_EQ(tekston::readTextPageSetup(QStringLiteral("brak")).codePage, tekston::CodePage::Cp1250);
}

TEST(TekstonCodePages, PolishLettersInBothCodePagesAndUnknownCharacters)
{
    const QString polish = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    const QByteArray cp1250 = tekston::encode(polish, tekston::CodePage::Cp1250);
    EXPECT_EQ(cp1250, QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"));
    const QByteArray cp852 = tekston::encode(polish, tekston::CodePage::Cp852);
    EXPECT_EQ(cp852, QByteArray("\xA5\x86\xA9\x88\xE4\xA2\x98\xAB\xBE\xA4\x8F\xA8\x9D\xE3\xE0\x97\x8D\xBD"));
    EXPECT_EQ(tekston::decode(cp852, tekston::CodePage::Cp852), polish);
    EXPECT_EQ(tekston::encode(QStringLiteral("a€😀b"), tekston::CodePage::Cp852), QByteArray("a??b"));
    EXPECT_EQ(tekston::encode(QStringLiteral("€"), tekston::CodePage::Cp1250), QByteArray("\x80"));

    EXPECT_EQ(tekston::codePageByName(QStringLiteral("ibm-852")), tekston::CodePage::Cp852);
    EXPECT_EQ(tekston::codePageByName(QStringLiteral("Latin 2")), tekston::CodePage::Cp852);
    EXPECT_EQ(tekston::codePageByName(QStringLiteral("Windows-1250")), tekston::CodePage::Cp1250);
    EXPECT_EQ(tekston::codePageByName(QString()), tekston::CodePage::Cp1250);
    EXPECT_FALSE(tekston::codePageByName(QStringLiteral("Mazovia")).has_value());
}

namespace {

Band rowBand()
{
    Band b;
    b.name = QStringLiteral("POZYCJE");
    b.height = 200;
    Element account;
    account.kind = ElementKind::Field;
    account.id = account.field = QStringLiteral("PRN_NUMER");
    account.x = 0;
    account.width = 2000;
    Element amount;
    amount.kind = ElementKind::Field;
    amount.id = amount.field = QStringLiteral("KWOTA");
    amount.x = 2000;
    amount.width = 1000;
    amount.picture = QStringLiteral("@N-14_`2");
    amount.align = HAlign::Right;
    Element hidden = account;
    hidden.id = hidden.field = QStringLiteral("UKRYTE");
    hidden.visible = false;
    b.elements = {account, amount, hidden};
    return b;
}

} // namespace

TEST(TekstonBandText, ScaleFigureMapsReportUnitsToColumns)
{
    EXPECT_EQ(tekston::toColumn(7160, 190), 136) << "a journal band on a 136-column line";
    EXPECT_EQ(tekston::toColumn(8000, 170), 136);
    EXPECT_EQ(tekston::toColumn(1000, 100), 10) << "pica: ten characters an inch";

    const Band band = rowBand();
    FieldValues values{{QStringLiteral("PRN_NUMER"), QStringLiteral("201-01-0001 z bardzo długą nazwą")},
                       {QStringLiteral("KWOTA"), Decimal::fromCents(123456789)},
                       {QStringLiteral("UKRYTE"), QStringLiteral("nie")}};
    tekston::BandTextOptions table;
    table.scale = 100;
    table.table = true;
    const QStringList lines = tekston::bandToText(
        band, [&](const Element& e) { return tekston::elementText(e, values); }, table);
    ASSERT_EQ(lines.size(), 1);
    // The account is cut to its 20 columns; the amount is wider than its 10 columns, so it ends
    // at its right edge and takes the blanks before it rather than losing digits.
    EXPECT_EQ(lines[0], QStringLiteral("201-01-0001 z bard1 234 567,89"));
    values[QStringLiteral("KWOTA")] = Decimal::fromCents(-550);
    EXPECT_EQ(tekston::bandToText(band, [&](const Element& e) { return tekston::elementText(e, values); }, table)[0],
              QStringLiteral("201-01-0001 z bardzo     -5,50"));
}

TEST(TekstonBandText, PageEndIsAFormFeedAndHeadingsKeepTheirRules)
{
    Band end;
    end.name = QStringLiteral("KONIECSTRONY");
    end.pageBreak = PageBreak::After;
    EXPECT_EQ(tekston::bandToText(end, [](const Element&) { return QString(); }, {}), QStringList{QStringLiteral("\f")});

    Band heading;
    heading.height = 400;
    Element title;
    title.kind = ElementKind::Text;
    title.text = QStringLiteral("Konto");
    title.width = 1000;
    Element rule;
    rule.kind = ElementKind::Rule;
    rule.y = 340;
    rule.width = 1500;
    heading.elements = {title, rule};
    tekston::BandTextOptions asHeading;
    asHeading.heading = true;
    auto text = [](const Element& e) { return e.text; };
    EXPECT_EQ(tekston::bandToText(heading, text, asHeading),
              (QStringList{QStringLiteral("Konto"), QString(), QString(15, u'-')}));
    EXPECT_EQ(tekston::bandToText(heading, text, {}), QStringList{QStringLiteral("Konto")}) << "rules only in headings";
}

TEST(TekstonPrinterFile, LinesEndInCrLfPagesInFormFeedsAndTheFileAppearsWhole)
{
    QTemporaryDir dir;
    const QString spool = QDir(dir.path()).filePath(QStringLiteral("t.txt"));
    QFile f(spool);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("Zażółć\n\f\nkoniec\n").toUtf8());
    f.close();
    QString error;
    const QString target = QDir(dir.path()).filePath(QStringLiteral("out.prn"));
    ASSERT_TRUE(tekston::writePrinterFile(spool, tekston::CodePage::Cp1250, target, &error)) << error.toStdString();
    QFile out(target);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll(), QByteArray("Za\xBF\xF3\xB3\xE6\r\n\fkoniec\r\n"));

    EXPECT_FALSE(tekston::writePrinterFile(spool, tekston::CodePage::Cp1250,
                                           QDir(dir.path()).filePath(QStringLiteral("brak/out.prn")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("brak/out.prn"))));
}
