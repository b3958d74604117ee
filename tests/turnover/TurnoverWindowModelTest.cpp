// The turnover window's rules and dispatch over the demo company: what each kind forces, the
// period's state, "Na dzień", the option dependencies, the completeness switch, the account
// pickers, the saved variants, and what reaches the statement procedure.
#include "TurnoverWindowFixture.h"

#include "support/RecordingMailRoutes.h"
#include "turnover/window/TurnoverDescriptionLines.h"

#include <QTemporaryDir>

namespace pravik::test {
namespace {

using turnover::TurnoverOptions;
using turnover::TurnoverWindowModel;
using Control = TurnoverWindowModel::Control;
using Command = TurnoverWindowModel::Command;

TEST_F(TurnoverWindowTest, EachKindHasItsTitleKeyProcedureAndForcedChoices)
{
    auto reconciliation = openWindow(2, 1);
    EXPECT_FALSE(reconciliation->synthetic());
    EXPECT_EQ(reconciliation->defaultTitle(), QStringLiteral("Uzgodnienie sald kont z rozrachunkami"));
    EXPECT_EQ(reconciliation->reportKey(), QStringLiteral("OBR_UZG"));
    EXPECT_EQ(reconciliation->options().currency, QStringLiteral("PLN")); // the session works in EUR
    EXPECT_FALSE(reconciliation->setCurrency(QStringLiteral("EUR")));
    EXPECT_TRUE(reconciliation->options().settlement);
    EXPECT_TRUE(reconciliation->control(Control::OnlyMismatched).visible);
    EXPECT_FALSE(reconciliation->control(Control::AsOf).visible);
    EXPECT_FALSE(reconciliation->control(Control::CardIndexAccounts).visible);
    EXPECT_FALSE(reconciliation->control(Control::SaveToTable).visible);
    EXPECT_FALSE(reconciliation->control(Control::Help).visible);

    auto analytic = openWindow(3, 0);
    EXPECT_EQ(analytic->options().currency, QStringLiteral("EUR"));
    EXPECT_FALSE(analytic->options().settlement);
    EXPECT_TRUE(analytic->options().cardIndexAccounts);
    EXPECT_FALSE(analytic->control(Control::OnlyMismatched).visible);
    EXPECT_EQ(analytic->procedure(), QStringLiteral("PRN_OBROTY_SQL"));
    ASSERT_TRUE(analytic->setVariant(3));
    EXPECT_EQ(analytic->procedure(), QStringLiteral("PRN_OBROTY_SQL_PROSTY"));

    auto synthetic = openWindow(3, 1);
    EXPECT_EQ(synthetic->defaultTitle(), QStringLiteral("Zestawienie obrotów i sald kont syntetycznych"));
    EXPECT_FALSE(synthetic->options().cardIndexAccounts);
    EXPECT_FALSE(synthetic->setFlag(&TurnoverOptions::cardIndexAccounts, true));
    EXPECT_FALSE(synthetic->setFlag(&TurnoverOptions::lastLevelOnly, true));
    EXPECT_TRUE(synthetic->setFlag(&TurnoverOptions::nonZeroBalanceSynthetic, true));

    auto entries = openWindow(1);
    EXPECT_EQ(entries->procedure(), QStringLiteral("PRN_RAPORT_KONTO_SQL"));
    EXPECT_TRUE(entries->control(Control::DateRange).visible);
    EXPECT_FALSE(entries->control(Control::DateFrom).enabled);
    EXPECT_TRUE(entries->control(Control::AccountPerPage).visible);
    EXPECT_EQ(entries->dateFrom(), dayFromYmd(2026, 4, 1));
    EXPECT_EQ(entries->dateTo(), dayFromYmd(2026, 4, 30));
}

TEST_F(TurnoverWindowTest, ClosedPeriodsForceApprovedDocuments)
{
    auto w = openWindow(3);
    EXPECT_EQ(w->currentPeriod()->name, QStringLiteral("Kwiecień"));
    EXPECT_TRUE(w->periodOpen());
    EXPECT_TRUE(w->control(Control::ApprovedOnly).enabled);
    EXPECT_FALSE(w->options().approvedOnly);

    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("Marzec"))); // the year is closed through March
    EXPECT_FALSE(w->periodOpen());
    EXPECT_TRUE(w->options().approvedOnly);
    EXPECT_FALSE(w->setFlag(&TurnoverOptions::approvedOnly, false));

    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("BZ"))); // "BZ" of a year still open
    EXPECT_TRUE(w->periodOpen());
    EXPECT_TRUE(w->setFlag(&TurnoverOptions::approvedOnly, false));

    ASSERT_TRUE(w->selectYearId(1)); // "BZ" of the closed year
    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("BZ")));
    EXPECT_FALSE(w->periodOpen());
    EXPECT_TRUE(w->options().approvedOnly);
    EXPECT_FALSE(w->control(Control::ApprovedOnly).enabled);
    ASSERT_TRUE(w->run(Command::Preview));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_TRUE(calls[0].parameters.approvedOnly);
    EXPECT_EQ(calls[0].settings.period, closingPeriod(dayFromYmd(2025, 12, 31)));
    EXPECT_TRUE(calls[0].descriptionLines.contains(QStringLiteral("Zamknięty okres obrotowy")));

    korda::session().GGG_WERSJA_DLA_KRAB_PRIORYTET = 1; // approved figures only, whatever the period
    auto restricted = openWindow(3);
    EXPECT_TRUE(restricted->periodOpen());
    EXPECT_TRUE(restricted->options().approvedOnly);
    EXPECT_FALSE(restricted->control(Control::CalendarButton).visible);
    EXPECT_EQ(restricted->printDate(), today());
}

TEST_F(TurnoverWindowTest, AsOfDateMustLieInTheChosenMonth)
{
    auto w = openWindow(3);
    EXPECT_FALSE(w->control(Control::AsOfDate).enabled);
    ASSERT_TRUE(w->setAsOf(true));
    EXPECT_EQ(w->options().variant, 2); // "Obroty w okresie" gives way to "Persaldo"
    EXPECT_EQ(w->options().currency, QStringLiteral("PLN"));
    EXPECT_FALSE(w->control(Control::Currency).enabled);
    EXPECT_EQ(w->asOfDate(), dayFromYmd(2026, 4, 15));

    ASSERT_TRUE(w->setAsOfDate(dayFromYmd(2026, 5, 31)));
    EXPECT_FALSE(w->run(Command::Print));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Data \"na dzień\" wykracza poza wybrany miesiąc obrotowy.")});
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());

    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("Luty"))); // 31 May moves to the end of February
    EXPECT_EQ(w->asOfDate(), dayFromYmd(2026, 2, 28));
    ASSERT_TRUE(w->run(Command::Print));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_TRUE(calls[0].settings.asOf);
    EXPECT_EQ(calls[0].settings.asOfDate, dayFromYmd(2026, 2, 28));
    EXPECT_TRUE(calls[0].descriptionLines.contains(QStringLiteral("Na dzień: 28-02-2026")));

    ASSERT_TRUE(w->setVariant(1)); // back to period turnovers: "Na dzień" goes off
    EXPECT_FALSE(w->asOf());
    EXPECT_TRUE(w->control(Control::Currency).enabled);
}

TEST_F(TurnoverWindowTest, VariantAndOutputDecideWhichListingsAreOffered)
{
    korda::session().DANE_CZY_WERSJA_MPK = 1;
    korda::session().DANE_CZY_WERSJA_BUDZET = 1;
    auto w = openWindow(3);
    EXPECT_EQ(w->groupMpkLabel(), QStringLiteral("Grupuj MPK/klasyfikację budżetową"));
    EXPECT_FALSE(w->control(Control::GroupMpk).enabled);
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::mpkEntries, true));
    EXPECT_TRUE(w->control(Control::GroupMpk).enabled);
    EXPECT_FALSE(w->control(Control::EntriesRange).enabled);
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::entries, true));
    ASSERT_TRUE(w->setEntriesRange(1));
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::netBalances, true));

    ASSERT_TRUE(w->setVariant(3));
    EXPECT_FALSE(w->options().mpkEntries);
    EXPECT_FALSE(w->options().entries);
    EXPECT_FALSE(w->options().netBalances);
    EXPECT_FALSE(w->setFlag(&TurnoverOptions::entries, true));
    EXPECT_FALSE(w->setFlag(&TurnoverOptions::netBalances, true));

    ASSERT_TRUE(w->setVariant(1));
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::entries, true));
    ASSERT_TRUE(w->setOutputKind(TurnoverWindowModel::kText));
    EXPECT_FALSE(w->options().entries);
    EXPECT_FALSE(w->control(Control::MpkEntries).enabled);

    // "(syntetyka)" only for the synthetic statement, while "(analityka)" is off.
    EXPECT_FALSE(w->control(Control::NonZeroBalanceSynthetic).enabled);
}

TEST_F(TurnoverWindowTest, CompletenessSwitchOnlyWhileZeroTurnoversArePrinted)
{
    auto w = openWindow(3);
    ASSERT_TRUE(w->toggleCardIndexComplete());
    EXPECT_TRUE(w->cardIndexComplete());
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::nonZeroTurnoversOnly, true));
    EXPECT_FALSE(w->cardIndexComplete());
    EXPECT_FALSE(w->toggleCardIndexComplete());
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::nonZeroTurnoversOnly, false));
    ASSERT_TRUE(w->toggleCardIndexComplete());
    ASSERT_TRUE(w->run(Command::Preview));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_TRUE(calls[0].settings.cardIndexComplete);
}

TEST_F(TurnoverWindowTest, AccountPickersAndFilterButtons)
{
    auto w = openWindow(3);
    ui.pick = QStringLiteral("201");
    ASSERT_TRUE(w->pickRangeAccount(TurnoverWindowModel::RangeEnd::From));
    ui.pick = QStringLiteral("234");
    ASSERT_TRUE(w->pickRangeAccount(TurnoverWindowModel::RangeEnd::To));
    EXPECT_EQ(w->options().rangeFrom, 201);
    EXPECT_EQ(w->options().rangeTo, 234);
    EXPECT_EQ(korda::session().DANE_NUMER_KONTA.trimmed(), QStringLiteral("234"));
    ui.pick = QStringLiteral("nie ma takiego");
    EXPECT_FALSE(w->pickRangeAccount(TurnoverWindowModel::RangeEnd::To));
    EXPECT_EQ(w->options().rangeTo, 234);
    EXPECT_TRUE(korda::session().DANE_NUMER_KONTA.trimmed().isEmpty());

    ASSERT_TRUE(w->setGroup(2, true));
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::settlement, true));
    ASSERT_TRUE(w->setMask(QStringLiteral("20?-*")));
    ASSERT_TRUE(w->run(Command::Preview));
    ASSERT_EQ(calls.size(), 1);
    for (const turnover::AccountEntry& e : calls[0].settings.accounts)
        EXPECT_TRUE(e.number.startsWith(QLatin1Char('2'))) << e.number.toStdString();
    EXPECT_EQ(calls[0].parameters.mask, QStringLiteral("20?-*"));
    const QStringList& lines = calls[0].descriptionLines;
    EXPECT_TRUE(lines.contains(QStringLiteral("Zespoły kont: 2, ")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Konta: rozrachunkowe")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Zakres kont syntetycznych: od 201 do 234")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Maska konta: 20?-*")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Wszystkie konta")));

    ASSERT_TRUE(w->clearAccountFilter());
    const TurnoverOptions& o = w->options();
    EXPECT_EQ(std::count(o.groups.begin(), o.groups.end(), true), 0);
    EXPECT_FALSE(o.settlement);
    EXPECT_EQ(o.rangeFrom, 0);
    EXPECT_EQ(o.rangeTo, 999);
    EXPECT_TRUE(o.mask.isEmpty());
}

TEST_F(TurnoverWindowTest, DispatchHandsTheStatementItsParametersSettingsAndOutputRequests)
{
    auto w = openWindow(3);
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::cumulativeWithOpening, true));
    ASSERT_TRUE(w->setFlag(&TurnoverOptions::thousands, true));
    ASSERT_TRUE(w->setGroupTotals(true));
    ASSERT_TRUE(w->setDescription(QStringLiteral("Dla zarządu")));
    ASSERT_TRUE(w->setCopies(3));
    ASSERT_TRUE(w->setCurrency(QStringLiteral("PLN")));

    ASSERT_TRUE(w->run(Command::Print));
    ASSERT_TRUE(w->run(Command::SavePdf));
    ASSERT_TRUE(w->run(Command::SendEmail));
    ASSERT_EQ(calls.size(), 3);
    const StatementCall& print = calls[0];
    EXPECT_EQ(print.procedure, QStringLiteral("PRN_OBROTY_SQL"));
    EXPECT_TRUE(print.parameters.cumulativeWithOpening);
    EXPECT_TRUE(print.parameters.cardIndexAccounts);
    EXPECT_TRUE(print.parameters.thousands);
    EXPECT_EQ(print.parameters.yearName, QStringLiteral("2026"));
    EXPECT_EQ(print.parameters.title, QStringLiteral("Zestawienie obrotów i sald kont analitycznych"));
    EXPECT_EQ(print.title, print.parameters.title);
    EXPECT_EQ(print.settings.yearId, 2);
    EXPECT_EQ(print.settings.period, monthPeriod(2026, 4));
    EXPECT_TRUE(print.settings.groupTotals);
    EXPECT_FALSE(print.settings.accounts.isEmpty());
    EXPECT_EQ(print.descriptionLines,
              (QStringList{QStringLiteral("Waluta: PLN"), QStringLiteral("Okres obrotowy: Kwiecień"),
                           QStringLiteral("Otwarty okres obrotowy"), QStringLiteral("Dokumenty niezatwierdzone"),
                           QStringLiteral("Wszystkie konta"), QStringLiteral("Obroty narastająco z uwzględnieniem BO"),
                           QStringLiteral("Dla zarządu")}));
    EXPECT_EQ(print.screen, 0);
    EXPECT_EQ(print.printRequest, 1);
    EXPECT_EQ(korda::session().GGG_NUMCOPY, 3);
    EXPECT_EQ(korda::session().DANE_NAZWA_DRUKARKI.trimmed(), QStringLiteral("Ksiegowosc-HP"));
    EXPECT_EQ(calls[1].pdfSaveAs, 1);
    EXPECT_EQ(calls[1].printRequest, 0);
    EXPECT_EQ(calls[1].emailRequest, 1);
    EXPECT_EQ(calls[2].pdfSaveAs, 0);
    EXPECT_EQ(calls[2].emailRequest, 1);

    // The reconciliation carries its own module-level option.
    auto reconciliation = openWindow(2);
    ASSERT_TRUE(reconciliation->setOnlyMismatched(true));
    ASSERT_TRUE(reconciliation->run(Command::Preview));
    EXPECT_EQ(calls.last().procedure, QStringLiteral("PRN_OBROTY_SQL_UZGODNIENIE"));
    EXPECT_TRUE(calls.last().settings.onlyMismatched);
    EXPECT_EQ(calls.last().settings.currency, QStringLiteral("PLN"));
}

TEST_F(TurnoverWindowTest, StatementWithoutItsProcedureIsRefusedNotFaked)
{
    turnover::TurnoverProcedureTable none = recorder();
    none.PRN_RAPORT_KONTO_SQL = nullptr;
    turnover::TurnoverWindowModel w(1, 0, none);
    ASSERT_TRUE(w.open());
    EXPECT_FALSE(w.run(Command::Preview));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Wydruk „Zestawienie zapisów na kontach” nie jest jeszcze dostępny.")});
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
}

// The window takes the response the statement returns: a cancelled statement does not open the
// browse, whatever a global says, and a host reads the same response from the window.
TEST_F(TurnoverWindowTest, TheStatementsResponseDecidesWhatFollows)
{
    turnover::TurnoverProcedureTable cancelled = recorder();
    auto record = cancelled.PRN_OBROTY_SQL;
    cancelled.PRN_OBROTY_SQL = [record](const turnover::TurnoverRequest& r) {
        record(r); // leaves the global response at 1
        return 2;
    };
    turnover::TurnoverWindowModel w(3, 0, cancelled);
    ASSERT_TRUE(w.open());
    int browses = 0;
    w.openBrowse = [&browses](int, int, const QString&) { ++browses; };
    ASSERT_TRUE(w.run(Command::SaveToTable));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(w.lastResponse(), 2);
    EXPECT_EQ(browses, 0);

    turnover::TurnoverWindowModel done(3, 0, recorder());
    ASSERT_TRUE(done.open());
    done.openBrowse = [&browses](int, int, const QString&) { ++browses; };
    ASSERT_TRUE(done.run(Command::SaveToTable));
    EXPECT_EQ(done.lastResponse(), 1);
    EXPECT_EQ(browses, 1);
}

TEST_F(TurnoverWindowTest, SavedVariantIsLoadedWhenTheWindowOpensAgain)
{
    {
        auto w = openWindow(3, 1);
        ASSERT_TRUE(w->setFlag(&TurnoverOptions::hideZeros, true));
        ASSERT_TRUE(w->setGroup(4, true));
        ASSERT_TRUE(w->setFontSize(10));
        ui.text(QStringLiteral("Miesięczny"));
        ASSERT_NE(w->saveVariant(), 0);
        EXPECT_EQ(w->variants().size(), 2);
        ASSERT_TRUE(w->run(Command::Preview));
    }
    auto again = openWindow(3, 1);
    EXPECT_NE(again->currentVariantId(), 0);
    EXPECT_TRUE(again->options().hideZeros);
    EXPECT_TRUE(again->options().groups[4]);
    EXPECT_EQ(again->options().fontSize, 10);
    ui.answer(Answer::Yes);
    ASSERT_TRUE(again->deleteVariant());
    EXPECT_EQ(again->currentVariantId(), 0);
    EXPECT_EQ(again->variants().size(), 1);
}

TEST(TurnoverDescriptionLines, ZeroOptionsAndDateRangeReadAsTheStatementsPrintThem)
{
    turnover::DescriptionFacts f;
    f.kind = 3;
    f.periodName = QStringLiteral("BZ");
    f.periodOpen = true;
    f.hideServiceLines = true;
    f.options.approvedOnly = true;
    f.options.nonZeroBalanceLeaves = true;
    f.options.nonZeroTurnoversOnly = true;
    f.options.lastLevelOnly = true;
    f.options.cardIndexAccounts = false;
    EXPECT_EQ(turnover::turnoverDescriptionLines(f),
              (QStringList{QStringLiteral("Waluta: PLN"), QStringLiteral("Okres obrotowy: BZ"),
                           QStringLiteral("Dokumenty zatwierdzone"), QStringLiteral("Bez wyszczególnienia kont kartotekowych"),
                           QStringLiteral("Obroty narastająco z wyłączeniem BO"), QStringLiteral("Ostatni poziom analityczny"),
                           QStringLiteral("Nie uwzględniono kont z zerowymi obrotami"),
                           QStringLiteral("Nie uwzględniono kont analitycznych z zerowymi saldami")}));

    f.options.nonZeroBalanceSynthetic = true;
    EXPECT_FALSE(turnover::turnoverDescriptionLines(f).contains(QStringLiteral("Nie uwzględniono kont analitycznych z zerowymi saldami")));

    turnover::DescriptionFacts entries;
    entries.kind = 1;
    entries.periodOpen = true;
    entries.options.dateRange = true;
    entries.options.dateKind = 1;
    entries.dateFrom = dayFromYmd(2026, 1, 5);
    entries.dateTo = dayFromYmd(2026, 2, 28);
    const QStringList lines = turnover::turnoverDescriptionLines(entries);
    EXPECT_EQ(lines.value(1), QStringLiteral("Zakres dat od 05-01-2026 do 28-02-2026 wg daty dokumentu"));
    EXPECT_FALSE(lines.contains(QStringLiteral("Otwarty okres obrotowy")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Obroty narastająco z wyłączeniem BO")));
}

// "Wyślij jako e-mail" mails pages: with the text printer chosen the statement still runs as the
// graphic one and its pages reach the mail route.
TEST_F(TurnoverWindowTest, MailWithTextOutputChosenSendsTheGraphicStatement)
{
    QTemporaryDir folder;
    korda::session().GLO_CUTEMP = folder.path();
    RecordingMailRoutes routes;
    TurnoverWindowModel w(3, 0);
    ASSERT_TRUE(w.open());
    w.setOutputKind(TurnoverWindowModel::kText);
    w.setMailClient(QString());
    ASSERT_TRUE(w.run(Command::SendEmail));
    EXPECT_EQ(w.lastProcedure(), QStringLiteral("PRN_OBROTY_SQL"));
    EXPECT_EQ(routes.calls, QStringList{QStringLiteral("mime PRN_OBROTY_SQL")});
    EXPECT_EQ(korda::session().globalResponse, 1);
}

} // namespace
} // namespace pravik::test
