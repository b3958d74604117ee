// The statement window on the (offscreen) desktop: what the form shows of the model, a user's
// clicks reaching it, the rows window of "Pokaż" and the window closing when a printout starts.
#include "statements/window/StatementRowsWindow.h"
#include "statements/window/StatementWindowForm.h"
#include "statements/window/StatementWindowModel.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

class StatementWindowFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::DemoDatabase& demo = test::sharedDemo(test::TestBackend::SQLite);
        ASSERT_TRUE(demo.failure.isEmpty()) << qPrintable(demo.failure);
        sql::Database::setCurrent(demo.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        statementPrintOptions() = StatementPrintOptions();
        resetStatementWindowMemory();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_ID_UZYTKOWNIKA_NR = 8;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2026");
        s.DANE_POCZATEK_ROKU = dayFromYmd(2026, 1, 1);
        s.DANE_KONIEC_ROKU = dayFromYmd(2026, 12, 31);
        s.DANE_DATA_OKRESU = monthPeriod(2026, 3);
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;
    }
    void TearDown() override
    {
        // The options outlive the window; later suites print with them.
        statementPrintOptions() = StatementPrintOptions();
        resetStatementWindowMemory();
        korda::closeAllPassThrough();
        setUi(nullptr);
    }
    template <typename W>
    static W* child(QObject& form, const char* name)
    {
        W* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    ScriptedUi ui;
};

TEST_F(StatementWindowFormTest, ShowsTheStatementAndFollowsTheUsersClicks)
{
    StatementWindowModel model(1, QString());
    ASSERT_TRUE(model.open());
    StatementWindowForm form(model);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Parametry zestawienia"));
    EXPECT_EQ(child<QCheckBox>(form, "printGroupCheck")->text(), QStringLiteral("Drukuj grupę raportów Sprawozdania finansowe"));
    auto* list = child<QListWidget>(form, "groupList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_FALSE(list->isEnabled());
    child<QCheckBox>(form, "printGroupCheck")->click();
    EXPECT_TRUE(model.printGroup());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_EQ(child<QComboBox>(form, "scopeCombo")->itemText(0), QStringLiteral("wszystkie raporty"));
    EXPECT_TRUE(child<QLineEdit>(form, "titleEdit")->isHidden());
    EXPECT_FALSE(child<QLineEdit>(form, "periodTextEdit")->isHidden());
    EXPECT_EQ(child<QPushButton>(form, "printButton")->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(child<QPushButton>(form, "previewButton")->text(), QStringLiteral("Podgląd wydruku"));

    // Months: the list of the to date's year, the dates follow the chosen month into the columns.
    child<QRadioButton>(form, "monthsRadio")->click();
    auto* months = child<QComboBox>(form, "periodListCombo");
    EXPECT_FALSE(months->isHidden());
    ASSERT_EQ(months->count(), 12);
    EXPECT_FALSE(child<QDateEdit>(form, "dateToEdit")->isEnabled());
    months->setCurrentIndex(2);
    auto* columns = child<QTableWidget>(form, "columnsTable");
    ASSERT_EQ(columns->rowCount(), 2);
    EXPECT_EQ(columns->item(0, 3)->text(), QStringLiteral("01-03-2026"));
    EXPECT_EQ(columns->item(1, 4)->text(), QStringLiteral("31-03-2026"));
    EXPECT_EQ(columns->item(1, 1)->text(), QStringLiteral("2024/2025"));

    // The level spin only for "sumuj kwoty wybranego poziomu".
    EXPECT_FALSE(child<QWidget>(form, "totalsLevelSpin")->isEnabled());
    child<QRadioButton>(form, "chosenLevelRadio")->click();
    EXPECT_TRUE(child<QWidget>(form, "totalsLevelSpin")->isEnabled());

    // Ctrl+B and the export menu.
    auto* bold = form.findChild<QShortcut*>(QStringLiteral("boldShortcut"));
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(bold->key(), QKeySequence(Qt::CTRL | Qt::Key_B));
    emit bold->activated();
    EXPECT_TRUE(model.options().boldOff);
    EXPECT_EQ(ui.messageTexts().value(0), QStringLiteral("Wyłączono pogrubianie czcionki."));
    QStringList shown;
    for (QAction* a : form.exportMenu()->actions())
        if (a->isVisible())
            shown << a->text();
    EXPECT_EQ(shown, (QStringList{"Eksport do pliku (CSV)", "Eksport do systemu SPD (CSV)"}));
}

TEST_F(StatementWindowFormTest, ShowOpensTheRowsAndAPrintoutClosesTheWindow)
{
    StatementWindowModel model(3, QString());
    ASSERT_TRUE(model.open());
    StatementWindowForm form(model);
    int rowsShown = -1;
    QString rowsTitle;
    QTimer::singleShot(0, [&] {
        auto* rows = qobject_cast<StatementRowsWindow*>(QApplication::activeModalWidget());
        if (!rows)
            return;
        rowsShown = rows->table()->rowCount();
        rowsTitle = rows->windowTitle();
        rows->reject();
    });
    child<QPushButton>(form, "showButton")->click();
    EXPECT_EQ(rowsShown, 13); // the balance sheet's rows
    EXPECT_TRUE(rowsTitle.startsWith(QStringLiteral("Bilans na dzień "))) << qPrintable(rowsTitle);

    int started = 0;
    model.startPrintout = [&](std::function<void()>) { ++started; };
    form.show();
    child<QPushButton>(form, "previewButton")->click();
    EXPECT_EQ(started, 1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
}

// What every parameter window shares through the form base: the variant list and its buttons,
// option boxes and choice radios reaching the model, empty dates shown blank, Enter previewing.
TEST_F(StatementWindowFormTest, VariantsOptionsAndChoicesGoThroughTheSharedControls)
{
    StatementWindowModel model(3, QString());
    ASSERT_TRUE(model.open());
    StatementWindowForm form(model);
    auto* variants = child<QComboBox>(form, "variantCombo");
    const int before = variants->count();

    // Radios speak only when switched on; a box passes its own option, no other.
    child<QRadioButton>(form, "highestLevelRadio")->click();
    EXPECT_EQ(model.options().totalsMode, TotalsMode::HighestLevel);
    child<QRadioButton>(form, "lowestLevelRadio")->click();
    EXPECT_EQ(model.options().totalsMode, TotalsMode::LowestLevel);
    child<QCheckBox>(form, "thousandsCheck")->click();
    EXPECT_TRUE(model.options().thousands);
    EXPECT_FALSE(model.options().wrap);
    EXPECT_TRUE(child<QCheckBox>(form, "thousandsCheck")->isChecked());

    // A saved variant is listed and chosen; deleting it takes it off the list again.
    ui.text(QStringLiteral("Z formularza"));
    child<QPushButton>(form, "saveVariantButton")->click();
    ASSERT_NE(model.currentVariantId(), 0);
    ASSERT_EQ(variants->count(), before + 1);
    EXPECT_EQ(variants->currentText(), QStringLiteral("Z formularza"));
    EXPECT_TRUE(child<QPushButton>(form, "deleteVariantButton")->isEnabled());
    ui.answer(Answer::Yes);
    child<QPushButton>(form, "deleteVariantButton")->click();
    EXPECT_EQ(model.currentVariantId(), 0);
    EXPECT_EQ(variants->count(), before);
    EXPECT_EQ(variants->findText(QStringLiteral("Z formularza")), -1);
    EXPECT_TRUE(ui.finishedCleanly());

    // No date is shown as a blank, not as the edit's lowest date.
    auto* from = child<QDateEdit>(form, "dateFromEdit");
    EXPECT_EQ(from->specialValueText(), QStringLiteral(" "));
    EXPECT_EQ(model.dateFrom() <= 0, from->date() == from->minimumDate());
    EXPECT_TRUE(child<QPushButton>(form, "previewButton")->isDefault());
    for (QPushButton* b : form.findChildren<QPushButton*>())
        EXPECT_FALSE(b->autoDefault()) << qPrintable(b->objectName());
}

} // namespace
} // namespace pravik::statements
