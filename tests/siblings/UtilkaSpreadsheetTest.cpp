// EXPORT2EXCEL over an export queue: amounts in the printout's form become numbers, codes with a
// leading zero and texts stay text, and a workbook that cannot be written leaves nothing behind.
#include "siblings/utilka/Spreadsheet.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace utilka;

namespace {

// "A2=n:1" per cell: how the file stores each cell.
QStringList cells(const QString& path)
{
    QStringList out;
    const QStringList texts = {QStringLiteral("s"), QStringLiteral("inlineStr"), QStringLiteral("str")};
    for (const auto& row : pravik::test::readFirstSheet(path))
        for (const pravik::test::SheetCell& c : row)
            if (!c.ref.isEmpty())
                out << c.ref + (texts.contains(c.type) ? QStringLiteral("=s:") : QStringLiteral("=n:")) + c.value;
    return out;
}

} // namespace

TEST(UtilkaSpreadsheet, AmountsBecomeNumbersAndCodesStayText)
{
    if (!xlsxAvailable())
        GTEST_SKIP() << "built without libxlsxwriter";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("k.xlsx"));
    const QList<QStringList> queue = {{"Lp", "Nazwa pozycji", "Kwota"},
                                      {"1", "0101", "-1234,56"},
                                      {"2", "Razem; \"z\" 1,5", "12"},
                                      {"3", "1 234,00", "1234,567"}};
    QString error;
    ASSERT_TRUE(EXPORT2EXCEL(queue, -1, path, QStringLiteral("Zestawienie"), &error)) << error.toStdString();
    EXPECT_EQ(cells(path), (QStringList{"A1=s:Lp", "B1=s:Nazwa pozycji", "C1=s:Kwota",     //
                                        "A2=n:1", "B2=s:0101", "C2=n:-1234.56",           //
                                        "A3=n:2", "B3=s:Razem; \"z\" 1,5", "C3=n:12",     //
                                        "A4=n:3", "B4=s:1 234,00", "C4=s:1234,567"}));
}

TEST(UtilkaSpreadsheet, AWorkbookThatCannotBeWrittenLeavesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("brak/k.xlsx"));
    QString error;
    EXPECT_FALSE(EXPORT2EXCEL({{"Lp"}, {"1"}}, -1, path, QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(EXPORT2EXCEL({}, -1, dir.filePath(QStringLiteral("pusty.xlsx")), QString(), &error));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(UtilkaSpreadsheet, ACellTheSheetCannotHoldFailsTheExport)
{
    if (!xlsxAvailable())
        GTEST_SKIP() << "built without libxlsxwriter";
    QTemporaryDir dir;
    QString error;
    // The format's limits: 32767 characters in a cell, 16384 columns.
    const QString longText(40000, u'x');
    const QString path = dir.filePath(QStringLiteral("dlugi.xlsx"));
    EXPECT_FALSE(EXPORT2EXCEL({{"Lp", "Opis"}, {"1", "krótki"}, {"2", longText}}, -1, path, QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("(wiersz 3, kolumna 2)"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(path));

    QStringList wide;
    for (int c = 0; c < 16385; ++c)
        wide << QStringLiteral("k%1").arg(c);
    const QString widePath = dir.filePath(QStringLiteral("szeroki.xlsx"));
    EXPECT_FALSE(EXPORT2EXCEL({wide, wide}, -1, widePath, QString(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("kolumna 16385"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(widePath));
    // Only the partial file's own name was used beside the target, and it is gone too.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}
