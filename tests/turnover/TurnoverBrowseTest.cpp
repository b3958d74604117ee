// The statement browse over real rows of the demo company: "Zapisz do tabeli" fills it, the
// captions follow the column mode, and "Eksport do Excela" writes a workbook whose amounts are
// numbers (read back from the file's own XML). Also the window form on the offscreen desktop.
#include "TurnoverWindowFixture.h"

#include "turnover/browse/StatementBrowseWindow.h"
#include "turnover/browse/XlsxExport.h"
#include "turnover/compute/ScratchRows.h"
#include "turnover/window/TurnoverWindowForm.h"

#include <QCheckBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QCoreApplication>
#include <QRadioButton>
#include <QShortcut>

namespace pravik::test {
namespace {

using turnover::TurnoverWindowModel;

struct Cell {
    QString type;  // "n" number, "s"/"inlineStr" text
    QString value;
};

// The first sheet of a workbook as rows of cells, read with Python's zip and XML readers.
QList<QList<Cell>> readSheet(const QString& path)
{
    const QString script = QStringLiteral(R"(
import sys, zipfile, xml.etree.ElementTree as ET
ns = {'m': 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'}
z = zipfile.ZipFile(sys.argv[1])
shared = []
if 'xl/sharedStrings.xml' in z.namelist():
    shared = [''.join(t.text or '' for t in si.iter('{%s}t' % ns['m'])) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).findall('m:si', ns)]
for row in ET.fromstring(z.read('xl/worksheets/sheet1.xml')).iter('{%s}row' % ns['m']):
    out = []
    for c in row.findall('m:c', ns):
        t = c.get('t', 'n')
        if t == 'inlineStr':
            v = ''.join(x.text or '' for x in c.iter('{%s}t' % ns['m']))
        else:
            v = c.findtext('m:v', '', ns)
            if t == 's':
                v = shared[int(v)]
        col = ord(c.get('r')[0]) - ord('A')
        out.append(str(col) + '\x1f' + t + '\x1f' + v)
    print('\x1e'.join(out))
)");
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QList<QList<Cell>> rows;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // Blank cells are not stored; each cell lands in its own column.
        QList<Cell> cells;
        for (const QString& c : line.split(QChar(0x1e))) {
            const int column = c.section(QChar(0x1f), 0, 0).toInt();
            while (cells.size() <= column)
                cells.append({QStringLiteral("blank"), QString()});
            cells[column] = {c.section(QChar(0x1f), 1, 1), c.section(QChar(0x1f), 2)};
        }
        rows.append(cells);
    }
    return rows;
}

class TurnoverBrowseTest : public TurnoverWindowTest {
protected:
    // "Zapisz do tabeli" through the module's own statement procedures.
    QString saveToTable(int variant)
    {
        TurnoverWindowModel w(3, 0);
        EXPECT_TRUE(w.open());
        EXPECT_TRUE(w.setVariant(variant));
        EXPECT_TRUE(w.setCurrency(QStringLiteral("PLN")));
        EXPECT_TRUE(w.setFlag(&turnover::TurnoverOptions::cumulativeWithOpening, true));
        QString title;
        int mode = 0;
        w.openBrowse = [&](int m, int, const QString& t) {
            mode = m;
            title = t;
        };
        EXPECT_TRUE(w.run(TurnoverWindowModel::Command::SaveToTable));
        EXPECT_EQ(mode, variant);
        EXPECT_EQ(korda::session().outputRequests.browseRequest, 0);
        return title;
    }
    QTemporaryDir dir;
};

TEST_F(TurnoverBrowseTest, SaveToTableFillsTheBrowseAndTheWorkbookKeepsAmountsAsNumbers)
{
    const QString title = saveToTable(1);
    EXPECT_EQ(title, QStringLiteral("Zestawienie obrotów i sald (Kwiecień 2026)"));
    turnover::StatementBrowseWindow browse(0, 1, 0, title);
    EXPECT_EQ(browse.list()->model()->columnCount(), 10);
    EXPECT_EQ(browse.captions().mid(2, 4), (QStringList{QStringLiteral("BO Dt"), QStringLiteral("BO Ct"),
                                                        QStringLiteral("Obr.(okres) Dt"), QStringLiteral("Obr.(okres) Ct")}));
    ASSERT_GT(browse.rows().size(), 10);
    const turnover::BrowseRow* total = nullptr;
    for (const turnover::BrowseRow& r : browse.rows())
        if (r.name == QStringLiteral("Bilansowe"))
            total = &r;
    ASSERT_NE(total, nullptr);
    // The balance-sheet accounts of a ledger that balances: debit and credit agree.
    EXPECT_EQ(total->amounts[0], total->amounts[1]);
    EXPECT_EQ(total->amounts[2], total->amounts[3]);
    EXPECT_FALSE(total->amounts[2].isZero());

    if (!turnover::xlsxAvailable())
        GTEST_SKIP() << "built without libxlsxwriter";
    const QString path = dir.filePath(QStringLiteral("obroty.xlsx"));
    ASSERT_TRUE(browse.exportTo(path));
    const QList<QList<Cell>> sheet = readSheet(path);
    ASSERT_EQ(sheet.size(), browse.rows().size() + 1);
    ASSERT_EQ(sheet[0].size(), 10);
    EXPECT_EQ(sheet[0][8].value, QStringLiteral("Saldo Dt"));
    for (qsizetype r = 1; r < sheet.size(); ++r) {
        const turnover::BrowseRow& row = browse.rows()[r - 1];
        EXPECT_EQ(sheet[r][0].value, row.account);
        const QList<Cell> amounts = sheet[r].mid(sheet[r].size() - 8);
        for (int c = 0; c < 8; ++c) {
            ASSERT_EQ(amounts[c].type, QStringLiteral("n")) << "row " << r;
            EXPECT_EQ(Decimal::parse(amounts[c].value), row.amounts[std::size_t(c)]) << amounts[c].value.toStdString();
        }
    }
}

TEST_F(TurnoverBrowseTest, SimpleStatementShowsSixColumnsAndAnEmptyUserAnEmptySheet)
{
    saveToTable(3);
    turnover::StatementBrowseWindow simple(0, 3, 0, QStringLiteral("Prosty"));
    EXPECT_EQ(simple.captions(), (QStringList{QStringLiteral("Konto"), QStringLiteral("Nazwa konta"), QStringLiteral("BO Dt"),
                                              QStringLiteral("BO Ct"), QStringLiteral("Obr.(narast.) Dt"),
                                              QStringLiteral("Obr.(narast.) Ct")}));
    EXPECT_FALSE(simple.rows().isEmpty());
    // The server's own scratch rows of the same user are never part of the list.
    for (const turnover::BrowseRow& r : simple.rows())
        EXPECT_FALSE(r.account.isEmpty() && r.name.isEmpty() && (r.amounts == std::array<Decimal, 8>{}));

    korda::session().DANE_ID_UZYTKOWNIKA_NR = 77;
    turnover::StatementBrowseWindow empty(0, 2, 1, QStringLiteral("Pusty"));
    EXPECT_TRUE(empty.rows().isEmpty());
    EXPECT_EQ(empty.captions().value(9), QStringLiteral("Persaldo Ct"));
    if (!turnover::xlsxAvailable())
        GTEST_SKIP() << "built without libxlsxwriter";
    const QString path = dir.filePath(QStringLiteral("pusty.xlsx"));
    ASSERT_TRUE(empty.exportTo(path));
    const QList<QList<Cell>> sheet = readSheet(path);
    ASSERT_EQ(sheet.size(), 1);
    EXPECT_EQ(sheet[0].size(), 10);
    EXPECT_FALSE(empty.exportTo(dir.filePath(QStringLiteral("nie/ma/folderu.xlsx"))));
    EXPECT_EQ(ui.events().last().icon, MessageIcon::Warning);
}

TEST_F(TurnoverBrowseTest, FormShowsTheModelAndMarksTheCompletenessSwitch)
{
    auto model = openWindow(3);
    turnover::TurnoverWindowForm form(*model);
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("tabs"));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Parametry wydruku"));
    EXPECT_EQ((QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)}),
              (QStringList{QStringLiteral("&Podstawowe"), QStringLiteral("&Konta"), QStringLiteral("&Drukarka"),
                           QStringLiteral("Czcionka")}));
    form.show();
    QCoreApplication::processEvents();
    auto* nonZero = form.findChild<QCheckBox*>(QStringLiteral("nonZeroTurnoversCheck"));
    auto* complete = form.findChild<QShortcut*>(QStringLiteral("completeSwitchShortcut"));
    ASSERT_NE(complete, nullptr);
    EXPECT_EQ(complete->key(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    emit complete->activated();
    EXPECT_TRUE(model->cardIndexComplete());
    EXPECT_TRUE(nonZero->styleSheet().contains(turnover::TurnoverWindowForm::completeSwitchColor().name()));
    nonZero->click();
    EXPECT_FALSE(model->cardIndexComplete());
    EXPECT_TRUE(nonZero->styleSheet().isEmpty());

    // A click on a variant radio reaches the model and its rules reach the boxes.
    form.findChild<QRadioButton*>(QStringLiteral("variantSimpleRadio"))->click();
    EXPECT_EQ(model->options().variant, 3);
    EXPECT_FALSE(form.findChild<QCheckBox*>(QStringLiteral("netBalancesCheck"))->isEnabled());
    form.findChild<QPushButton*>(QStringLiteral("tableButton"))->setFocus();
    EXPECT_TRUE(form.findChild<QPushButton*>(QStringLiteral("tableButton"))->isVisible());

    // The four tabs for the documentation, when asked for.
    const QString shots = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        form.findChild<QRadioButton*>(QStringLiteral("variantPeriodRadio"))->click();
        const QStringList names = {QStringLiteral("podstawowe"), QStringLiteral("konta"), QStringLiteral("drukarka"),
                                   QStringLiteral("czcionka")};
        for (int t = 0; t < 4; ++t) {
            tabs->setCurrentIndex(t);
            form.adjustSize();
            QCoreApplication::processEvents();
            form.grab().save(QDir(shots).filePath(QStringLiteral("turnover-window-%1.png").arg(names[t])));
        }
    }
    form.reject();

    auto reconciliation = openWindow(2);
    turnover::TurnoverWindowForm other(*reconciliation);
    EXPECT_TRUE(other.findChild<QCheckBox*>(QStringLiteral("onlyMismatchedCheck"))->isVisibleTo(&other));
    EXPECT_FALSE(other.findChild<QCheckBox*>(QStringLiteral("asOfCheck"))->isVisibleTo(&other));
    EXPECT_FALSE(other.findChild<QPushButton*>(QStringLiteral("tableButton"))->isVisibleTo(&other));
}

} // namespace
} // namespace pravik::test
