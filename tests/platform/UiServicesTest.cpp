// The user services: which services a thread gets, the batch services of the command line and
// the scripted services the other tests rely on.
#include "platform/BatchUi.h"
#include "platform/ScriptedUi.h"

#include <gtest/gtest.h>
#include <thread>

using namespace pravik;

namespace {

struct CapturedBatch {
    QStringList lines;
    BatchUi ui{[this](const QString& line) { lines << line; }};
};

} // namespace

TEST(UiServicesInstall, ProductBoxesReachTheInstalledServicesOnEveryThread)
{
    ScriptedUi scripted;
    scripted.answer(Answer::No);
    {
        ScopedUi installed(scripted);
        msgInformation("Brak danych.");
        msgWarning("Błąd SQL");
        EXPECT_EQ(msgQuestion("Czy usunąć?"), Answer::No);
        // A report thread started by the module uses the starting thread's services.
        std::thread worker([] { msgWarning("z wątku raportu"); });
        worker.join();
    }
    EXPECT_EQ(scripted.messageLog(),
              (QStringList{"Information|Tabulo: Informacja|Brak danych.", "Warning|Tabulo: Ostrzeżenie|Błąd SQL",
                           "Question|Tabulo: Pytanie|Czy usunąć?", "Warning|Tabulo: Ostrzeżenie|z wątku raportu"}));
    EXPECT_TRUE(scripted.finishedCleanly());
    // Uninstalled: back to the batch services, never a dangling pointer.
    EXPECT_NE(&ui(), static_cast<UiServices*>(&scripted));
    EXPECT_NE(dynamic_cast<BatchUi*>(&ui()), nullptr);
}

TEST(UiServicesInstall, ThreadKeepsItsOwnServicesWhenAnotherThreadInstallsOthers)
{
    ScriptedUi mine, theirs;
    setUi(&mine);
    std::thread other([&] {
        setUi(&theirs);
        msgInformation("inny");
    });
    other.join();
    msgInformation("mój");
    setUi(nullptr);
    EXPECT_EQ(mine.messageTexts(), QStringList{"mój"});
    EXPECT_EQ(theirs.messageTexts(), QStringList{"inny"});
}

TEST(BatchUi, MessagesAreSingleLinesWithTheirTitles)
{
    CapturedBatch b;
    EXPECT_EQ(b.ui.message(MessageIcon::Warning, kTitleWarning, "Błąd:\r\nbrak tabeli", Buttons::Ok, Answer::Ok),
              Answer::Ok);
    EXPECT_EQ(b.lines, QStringList{"Tabulo: Ostrzeżenie: Błąd:  brak tabeli"});
    EXPECT_FALSE(b.ui.interactive());
}

TEST(BatchUi, QuestionsTakePresetAnswersFittedToTheButtons)
{
    CapturedBatch b;
    // Nothing preset: the box's default button.
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Czy zapisać?", Buttons::YesNo, Answer::No),
              Answer::No);
    b.ui.setQuestionDefault(Answer::Yes);
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Czy zapisać?", Buttons::YesNo, Answer::No),
              Answer::Yes);
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Kontynuować?", Buttons::OkCancel, Answer::Cancel),
              Answer::Ok);
    b.ui.setAnswerFor("Czy chcesz", Answer::No);
    b.ui.setAnswerFor("Czy chcesz usunąć", Answer::Cancel);
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Czy chcesz drukować?", Buttons::YesNo, Answer::Yes),
              Answer::No);
    // The longest prefix wins; Cancel on a Yes/No box is No, on a Yes/No/Cancel box Cancel.
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Czy chcesz usunąć listę?", Buttons::YesNo,
                           Answer::Yes),
              Answer::No);
    EXPECT_EQ(b.ui.message(MessageIcon::Question, kTitleQuestion, "Czy chcesz usunąć listę?", Buttons::YesNoCancel,
                           Answer::Yes),
              Answer::Cancel);
    ASSERT_EQ(b.lines.size(), 6);
    EXPECT_EQ(b.lines.at(1), "Tabulo: Pytanie: Czy zapisać? -> Tak");
}

TEST(BatchUi, RequestsWithoutPresetValuesComeBackCancelled)
{
    CapturedBatch b;
    EXPECT_FALSE(b.ui.askText("Wariant", "Nazwa wariantu", "Ostatni").has_value());
    EXPECT_FALSE(b.ui.askDate("Data", QDate(2024, 1, 1)).has_value());
    EXPECT_FALSE(b.ui.askSaveFile("PDF", "a.pdf", "*.pdf").has_value());
    b.ui.setTextAnswer(QString("Roczny"));
    b.ui.setDateAnswer(QDate(2024, 3, 31));
    b.ui.setSaveFileAnswer(QString("/tmp/x.pdf"));
    EXPECT_EQ(b.ui.askText("Wariant", "Nazwa wariantu", "Ostatni"), QString("Roczny"));
    EXPECT_EQ(b.ui.askDate("Data", QDate(2024, 1, 1)), QDate(2024, 3, 31));
    EXPECT_EQ(b.ui.askSaveFile("PDF", "a.pdf", "*.pdf"), QString("/tmp/x.pdf"));
}

TEST(BatchUi, ProgressIsSilentUnlessVerboseAndThenOnlyOnChange)
{
    CapturedBatch quiet;
    auto silent = quiet.ui.openProgress("Raport");
    silent->setPercent(10);
    quiet.ui.showWait("Tabulo", "Proszę czekać...");
    EXPECT_TRUE(quiet.lines.isEmpty());

    CapturedBatch loud;
    loud.ui.setVerbose(true);
    auto progress = loud.ui.openProgress("Raport");
    for (int i = 0; i < 1000; ++i)
        progress->setPercent(i / 100);
    progress->setPercent(250);
    EXPECT_EQ(loud.lines.size(), 11); // 0..9 and the clamped 100
    EXPECT_EQ(loud.lines.last(), "Raport: 100%");
    EXPECT_FALSE(progress->cancelRequested());
    loud.ui.requestCancel();
    EXPECT_TRUE(progress->cancelRequested());
}

TEST(ScriptedUi, AnswersComeFromTheQueueInOrder)
{
    ScriptedUi s;
    s.answer(Answer::Yes).text(QString("Mój wariant")).date(QDate(2024, 2, 29)).saveFile(std::nullopt);
    EXPECT_EQ(s.message(MessageIcon::Question, kTitleQuestion, "Zapisać?", Buttons::YesNo, Answer::No), Answer::Yes);
    s.message(MessageIcon::Information, kTitleInformation, "Zapisano.", Buttons::Ok, Answer::Ok); // takes nothing
    EXPECT_EQ(s.askText("Wariant", "Nazwa", ""), QString("Mój wariant"));
    EXPECT_EQ(s.askDate("Kalendarz", QDate()), QDate(2024, 2, 29));
    EXPECT_FALSE(s.askSaveFile("PDF", "a.pdf", "").has_value());
    EXPECT_TRUE(s.finishedCleanly());
    EXPECT_EQ(s.messageTexts(), (QStringList{"Zapisać?", "Zapisano."}));
    EXPECT_EQ(s.events().size(), 5);
}

TEST(ScriptedUi, UnforeseenRequestsAreRecordedAndCancelled)
{
    ScriptedUi s;
    EXPECT_EQ(s.message(MessageIcon::Question, kTitleQuestion, "Usunąć?", Buttons::YesNo, Answer::Yes),
              Answer::Cancel);
    s.date(QDate(2024, 1, 1));
    // A text request while a date is queued: unexpected, and the date stays for its request.
    EXPECT_FALSE(s.askText("Wariant", "Nazwa", "x").has_value());
    EXPECT_EQ(s.queuedReplies(), 1);
    ASSERT_EQ(s.unexpected().size(), 2);
    EXPECT_TRUE(s.unexpected().at(0).text.contains("Usunąć?"));
    EXPECT_TRUE(s.unexpected().at(1).text.contains("Nazwa"));
    EXPECT_FALSE(s.finishedCleanly());
}

TEST(ScriptedUi, ProgressIsRecordedAndCancelsAtTheChosenPoll)
{
    ScriptedUi s;
    s.cancelProgressAtPoll(3);
    auto progress = s.openProgress("Raport");
    progress->setText("Proszę czekać");
    int polls = 0;
    for (int percent = 0; percent <= 100; percent += 25) {
        progress->setPercent(percent);
        ++polls;
        if (progress->cancelRequested())
            break;
    }
    EXPECT_EQ(polls, 3);
    EXPECT_EQ(s.progressPercents(), (QList<int>{0, 25, 50}));
    EXPECT_EQ(s.progressTexts(), QStringList{"Proszę czekać"});
    s.showWait("Tabulo", "Trwa obliczanie");
    s.hideWait();
    const auto events = s.events();
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events.at(0).kind, ScriptedUi::Kind::ProgressOpened);
    EXPECT_EQ(events.at(1).kind, ScriptedUi::Kind::WaitShown);
    EXPECT_EQ(events.at(2).kind, ScriptedUi::Kind::WaitHidden);
}
