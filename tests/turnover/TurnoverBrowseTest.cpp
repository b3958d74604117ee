// The statement browse over real rows of the demo company: "Zapisz do tabeli" fills it, the
// captions follow the column mode, and "Eksport do Excela" writes a workbook whose amounts are
// numbers (read back from the file's own XML). Also the window form on the offscreen desktop.
#include "TurnoverWindowFixture.h"
#include "support/ProgramOutput.h"

#include "turnover/browse/StatementBrowseWindow.h"
#include "turnover/browse/XlsxExport.h"
#include "turnover/compute/ScratchRows.h"
#include "turnover/window/TurnoverWindowForm.h"

#include <QCheckBox>
#include <QDir>
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

using Cell = SheetCell;

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
    const QList<QList<Cell>> sheet = readFirstSheet(path);
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
    const QList<QList<Cell>> sheet = readFirstSheet(path);
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
