// The journal window on the desktop: the form shows what the model allows, a user's clicks reach
// the journal, the window keeps its place, and one real run from a button to a PDF file.
#include "JournalWindowFixture.h"

#include "journals/window/JournalWindowForm.h"
#include "platform/Settings.h"
#include "support/ProgramOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace pravik::test {
namespace {

using journals::JournalWindowForm;
using journals::JournalWindowModel;

class JournalWindowFormTest : public JournalWindowTest {
protected:
    template <typename W>
    static W* child(JournalWindowForm& form, const char* name)
    {
        W* w = form.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static int indexOf(QComboBox* combo, const QString& text)
    {
        const int i = combo->findText(text);
        EXPECT_GE(i, 0) << text.toStdString();
        return i;
    }
};

TEST_F(JournalWindowFormTest, ShowsTextsAndShortcutsOfTheWindow)
{
    auto model = openWindow(71);
    JournalWindowForm form(*model);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Parametry wydruku"));
    auto* tabs = child<QTabWidget>(form, "tabs");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("&Podstawowe"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("&Drukarka"));
    const QList<QPair<const char*, QPair<QString, QKeySequence>>> buttons = {
        {"printButton", {QStringLiteral("Drukuj"), QKeySequence(Qt::Key_F10)}},
        {"previewButton", {QStringLiteral("Podgląd"), QKeySequence(Qt::Key_F9)}},
        {"pdfButton", {QStringLiteral("Zapisz jako PDF"), QKeySequence(Qt::CTRL | Qt::Key_P)}},
        {"emailButton", {QStringLiteral("Wyślij jako e-mail"), QKeySequence(Qt::CTRL | Qt::Key_E)}},
        {"cancelButton", {QStringLiteral("Anuluj"), QKeySequence(Qt::Key_Escape)}}};
    for (const auto& [name, expected] : buttons) {
        auto* b = child<QPushButton>(form, name);
        EXPECT_EQ(b->text(), expected.first);
        EXPECT_EQ(b->shortcut(), expected.second) << name;
    }
    EXPECT_EQ(child<QCheckBox>(form, "renumberCheck")->text(), QStringLiteral("Numeruj pozycje w dzienniku zaczynając od"));
    EXPECT_EQ(child<QLabel>(form, "copiesLabel")->text(), QStringLiteral("Ilość kopii:"));
    EXPECT_EQ(child<QLineEdit>(form, "titleEdit")->text(), QStringLiteral("Dziennik księgowań"));
    EXPECT_EQ(child<QComboBox>(form, "periodCombo")->currentText(), QStringLiteral("Kwiecień"));
}

TEST_F(JournalWindowFormTest, ControlsFollowKindAndPeriod)
{
    auto statement = openWindow(73);
    JournalWindowForm form73(*statement);
    EXPECT_FALSE(child<QComboBox>(form73, "batchCombo")->isEnabled());
    EXPECT_FALSE(child<QLabel>(form73, "batchLabel")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(form73, "sumDocumentsCheck")->isHidden());
    EXPECT_FALSE(child<QCheckBox>(form73, "sumOffBalanceCheck")->isHidden());
    EXPECT_FALSE(child<QCheckBox>(form73, "renumberCheck")->isEnabled());

    auto postings = openWindow(71);
    JournalWindowForm form(*postings);
    auto* period = child<QComboBox>(form, "periodCombo");
    auto* renumber = child<QCheckBox>(form, "renumberCheck");
    auto* from = child<QSpinBox>(form, "renumberSpin");
    ASSERT_TRUE(renumber->isEnabled());
    EXPECT_FALSE(from->isEnabled());
    renumber->click();
    EXPECT_TRUE(postings->renumber());
    EXPECT_TRUE(from->isEnabled());
    EXPECT_EQ(from->value(), 1);

    period->setCurrentIndex(indexOf(period, QStringLiteral("Luty")));
    EXPECT_FALSE(renumber->isChecked());
    EXPECT_FALSE(renumber->isEnabled());
    EXPECT_FALSE(from->isEnabled());
    EXPECT_EQ(from->value(), 0);

    // Another year reloads the periods: the crossing year lists year and month.
    auto* year = child<QComboBox>(form, "yearCombo");
    year->setCurrentIndex(indexOf(year, QStringLiteral("2024/2025")));
    EXPECT_EQ(period->itemText(0), QStringLiteral("2024  Październik"));
    EXPECT_EQ(period->itemText(period->count() - 1), QStringLiteral("BZ"));
    EXPECT_EQ(postings->currentYear()->id, 1);
}

TEST_F(JournalWindowFormTest, ClicksReachTheJournalOnlyWithAJournalChosen)
{
    auto model = openWindow(72);
    JournalWindowForm form(*model);
    child<QPushButton>(form, "previewButton")->click();
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Proszę wybrać dziennik.")});
    EXPECT_TRUE(calls.isEmpty());

    auto* batch = child<QComboBox>(form, "batchCombo");
    batch->setCurrentIndex(indexOf(batch, QStringLiteral("ZAK")));
    child<QLineEdit>(form, "descriptionEdit")->setText(QStringLiteral("Kopia dla biegłego"));
    child<QLineEdit>(form, "descriptionEdit")->textEdited(QStringLiteral("Kopia dla biegłego"));
    child<QSpinBox>(form, "copiesSpin")->setValue(2);
    child<QPushButton>(form, "previewButton")->click();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].procedure, QStringLiteral("PRN_72_DZIENNIK_S_K"));
    EXPECT_TRUE(calls[0].filter.endsWith(QStringLiteral(" AND NAG:id_paczka=%1").arg(batchId(2, QStringLiteral("ZAK")))));
    EXPECT_EQ(calls[0].descriptionLines.last(), QStringLiteral("Kopia dla biegłego"));
    EXPECT_EQ(calls[0].copies, 2);
    EXPECT_EQ(calls[0].screen, 1);
    // The window stays open for the next journal.
    EXPECT_EQ(form.result(), 0);
}

TEST_F(JournalWindowFormTest, PositionIsKeptUnderTheWindowName)
{
    SettingsStore settings;
    setModuleSettings(&settings);
    auto model = openWindow(71);
    {
        JournalWindowForm form(*model);
        form.show();
        form.move(140, 60);
        child<QPushButton>(form, "cancelButton")->click();
    }
    EXPECT_EQ(settings.integer(QStringLiteral("Param_Prn_Dziennik"), QStringLiteral("XPos")), 140);
    EXPECT_EQ(settings.integer(QStringLiteral("Param_Prn_Dziennik"), QStringLiteral("YPos")), 60);
    {
        JournalWindowForm form(*model);
        form.show();
        EXPECT_EQ(form.pos(), QPoint(140, 60));
        form.reject();
    }
    setModuleSettings(nullptr);
}

// The window as the user sees it; PNGs go to PRAVIK_SCREENSHOT_DIR when it is set.
TEST_F(JournalWindowFormTest, Screenshots)
{
    auto model = openWindow(71);
    ASSERT_TRUE(model->selectBatchCode(QStringLiteral("SPRZ")));
    ASSERT_TRUE(model->setSumDocuments(true));
    JournalWindowForm form(*model);
    form.show();
    auto* tabs = child<QTabWidget>(form, "tabs");
    const QString folder = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR");
    const QList<QPair<int, QString>> shots = {{0, QStringLiteral("journal-window.png")},
                                             {0, QStringLiteral("journal-window-podstawowe.png")},
                                             {1, QStringLiteral("journal-window-drukarka.png")}};
    for (const auto& [tab, name] : shots) {
        tabs->setCurrentIndex(tab);
        const QImage image = form.grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(image.width(), 300);
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
        }
    }
}

// From the button to a PDF through the module's own journal.
TEST_F(JournalWindowFormTest, PdfButtonRunsThePostingJournalIntoAFile)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("dziennik.pdf"));
    ui.saveFile(pdf);
    journals::JournalWindowModel model(71);
    ASSERT_TRUE(model.open());
    JournalWindowForm form(model);
    auto* batch = child<QComboBox>(form, "batchCombo");
    batch->setCurrentIndex(indexOf(batch, QStringLiteral("SPRZ")));
    child<QComboBox>(form, "periodCombo")->setCurrentIndex(indexOf(child<QComboBox>(form, "periodCombo"), QStringLiteral("Luty")));
    child<QPushButton>(form, "pdfButton")->click();

    EXPECT_TRUE(ui.unexpected().isEmpty()) << ui.messageLog().join(QLatin1Char('\n')).toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << ui.messageLog().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_EQ(korda::session().GGG_EMAILPDFSAVEAS, 0);
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        const QString text = pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Dziennik księgowań")));
        EXPECT_TRUE(text.contains(QStringLiteral("Okres obrotowy: Luty")));
        // pdftotext may render the two blanks after the code as one.
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Dziennik: SPRZ +Sprzedaż")))) << text.left(2000).toStdString();
    }
}

} // namespace
} // namespace pravik::test
