// The desktop user services under the offscreen platform: each dialog is driven by a timer that
// presses its buttons, as a user would. Also makes the screenshots of docs/screenshots/.
#include "platform/QtUi.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/ProgressWindow.h"
#include "support/ModalDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace pravik;
using pravik::test::clickButton;
using pravik::test::withDialogLater;

namespace {

// Presses, on the next modal dialog to appear, the button with the given text.
void pressLater(const QString& buttonText, int attempts = 250)
{
    QTimer::singleShot(20, [buttonText, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (attempts > 0)
                pressLater(buttonText, attempts - 1);
            else
                ADD_FAILURE() << "no dialog for " << buttonText.toStdString();
            return;
        }
        for (QAbstractButton* b : modal->findChildren<QAbstractButton*>())
            if (b->text() == buttonText) {
                b->click();
                return;
            }
        ADD_FAILURE() << "no button " << buttonText.toStdString();
        if (auto* d = qobject_cast<QDialog*>(modal))
            d->reject();
    });
}

QString screenshotFolder()
{
    // The documentation's copies are made on request (PRAVIK_SCREENSHOT_DIR=docs/screenshots);
    // a plain test run leaves the source tree alone.
    const QString folder = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR", QStringLiteral(PRAVIK_BINARY_DIR "/screenshots"));
    QDir().mkpath(folder);
    return folder;
}

} // namespace

TEST(QtUi, MessageBoxesHaveTheProductsPolishButtons)
{
    QtUi ui;
    pressLater(QStringLiteral("&Nie"));
    EXPECT_EQ(ui.message(MessageIcon::Question, kTitleQuestion, QStringLiteral("Zapisać zmiany?"), Buttons::YesNo,
                         Answer::Yes),
              Answer::No);
    pressLater(QStringLiteral("&Anuluj"));
    EXPECT_EQ(ui.message(MessageIcon::Question, kTitleQuestion, QStringLiteral("Usunąć wariant?"), Buttons::YesNoCancel,
                         Answer::Yes),
              Answer::Cancel);
    pressLater(QStringLiteral("OK"));
    EXPECT_EQ(ui.message(MessageIcon::Information, kTitleInformation, QStringLiteral("Gotowe."), Buttons::Ok, Answer::Ok),
              Answer::Ok);
    // The frame's own boxes carry the labels of its display strings.
    pressLater(QStringLiteral("&Ignore"));
    EXPECT_EQ(ui.choose(MessageIcon::Question, QStringLiteral("Question"), QStringLiteral("Preview?"),
                        {QStringLiteral("&Yes"), QStringLiteral("&No"), QStringLiteral("&Ignore")}, 0),
              2);
}

TEST(QtUi, AReportThreadAsksThroughTheApplicationThread)
{
    QtUi ui;
    Answer answer = Answer::Ok;
    pressLater(QStringLiteral("&Tak"));
    std::atomic<bool> done{false};
    std::thread worker([&] {
        answer = ui.message(MessageIcon::Question, kTitleQuestion, QStringLiteral("Z wątku?"), Buttons::YesNo, Answer::No);
        done = true;
    });
    // The box is made on this thread, which must keep its events going meanwhile.
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(answer, Answer::Yes);
}

TEST(QtUi, ProgressWindowReportsEachCancelPressOnceAndEscNeverJustCloses)
{
    widgets::ProgressWindow window(QStringLiteral("Generating Report"));
    window.show();
    window.setText(QStringLiteral(" 42% Completed"));
    window.setPercent(42);
    EXPECT_EQ(window.percent(), 42);
    EXPECT_FALSE(window.takeCancelRequest());
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Anuluj"))
            b->click();
    EXPECT_TRUE(window.takeCancelRequest());
    EXPECT_FALSE(window.takeCancelRequest()) << "one press, one question";
    static_cast<QDialog&>(window).reject();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.takeCancelRequest());
}

TEST(QtUi, CalendarPickerAndTextViewer)
{
    QtUi ui;
    withDialogLater<widgets::CalendarDialog>([](widgets::CalendarDialog* d) {
        EXPECT_EQ(d->calendar()->locale().language(), QLocale::Polish);
        EXPECT_EQ(d->calendar()->firstDayOfWeek(), Qt::Monday);
        d->calendar()->setSelectedDate(QDate(2025, 12, 31));
        d->accept();
    });
    EXPECT_EQ(ui.askDate(QStringLiteral("Kalendarz"), QDate(2025, 1, 1)), QDate(2025, 12, 31));
    pressLater(QStringLiteral("&Anuluj"));
    EXPECT_FALSE(ui.askDate(QStringLiteral("Kalendarz"), QDate(2025, 1, 1)).has_value());

    withDialogLater<widgets::ListPicker>([](widgets::ListPicker* d) {
        EXPECT_EQ(d->selected(), QStringLiteral("Oki ML"));
        d->list()->setCurrentRow(0);
        d->accept();
    });
    EXPECT_EQ(ui.pickItem(QStringLiteral("Wybierz drukarkę tekstową"), {QStringLiteral("Epson LQ"), QStringLiteral("Oki ML")},
                          QStringLiteral("Oki ML")),
              QStringLiteral("Epson LQ"));

    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("t.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("Strona pierwsza\n\f\nStrona druga\n").toUtf8());
    f.close();
    // One callback reads the text and then presses the button, so the press cannot come first.
    withDialogLater<widgets::TextViewer>([](widgets::TextViewer* d) {
        EXPECT_TRUE(d->text().contains(QStringLiteral("nowa strona")));
        EXPECT_TRUE(d->text().endsWith(QStringLiteral("Strona druga")));
        clickButton(d, QStringLiteral("&Drukuj"));
    });
    bool print = false;
    EXPECT_TRUE(ui.showText(QStringLiteral("Podgląd wydruku tekstowego"), path, &print));
    EXPECT_TRUE(print);
    EXPECT_FALSE(ui.showText(QStringLiteral("x"), QDir(dir.path()).filePath(QStringLiteral("brak.txt")), &print));
}

TEST(QtUi, WaitWindowFollowsThePromptsAndScreenshotsAreMade)
{
    QtUi ui;
    ui.showWait(kTitleInformation, QStringLiteral("Proszę czekać. Trwa przygotowanie listy kont..."));
    ASSERT_NE(ui.waitWindow(), nullptr);
    ui.showWait(kTitleInformation, QStringLiteral("Proszę czekać. Trwa obliczanie..."));
    EXPECT_EQ(ui.waitWindow()->prompt(), QStringLiteral("Proszę czekać. Trwa obliczanie..."));
    ui.hideWait();
    EXPECT_EQ(ui.waitWindow(), nullptr);

    widgets::ProgressWindow progress(QStringLiteral("Generating Report"));
    progress.setText(QStringLiteral("Zestawienie obrotów i sald\n 42% Completed"));
    progress.setPercent(42);
    progress.show();
    EXPECT_TRUE(progress.grab().save(QDir(screenshotFolder()).filePath(QStringLiteral("progress-window.png"))));

    auto box = widgets::makeMessageBox(MessageIcon::Warning, kTitleWarning,
                                       QStringLiteral("Ilość linii wydruku na stronie jest za mała.\n"
                                                      "Zażółć gęślą jaźń – wydruk będzie kontynuowany."),
                                       widgets::buttonLabels(Buttons::YesNoCancel), 0);
    box->show();
    EXPECT_TRUE(box->grab().save(QDir(screenshotFolder()).filePath(QStringLiteral("message-box.png"))));
}
