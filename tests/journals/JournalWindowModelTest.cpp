// The journal window's rules as a user or a host sees them: the lists it offers, which options
// it shows and allows, when it refuses, and exactly what it hands the journal it calls.
#include "JournalWindowFixture.h"

#include "platform/Settings.h"
#include "platform/UiServices.h"
#include "support/RecordingMailRoutes.h"

#include <QTemporaryDir>

#include <dlfcn.h>

namespace pravik::test {
namespace {

using journals::JournalWindowModel;
using Control = JournalWindowModel::Control;
using Command = JournalWindowModel::Command;

QStringList periodNames(const JournalWindowModel& w)
{
    QStringList names;
    for (const auto& p : w.periods())
        names << p.name;
    return names;
}

// ---- lists ----

TEST_F(JournalWindowTest, YearCrossingCalendarYearsListsYearAndMonthAndEndsWithClosing)
{
    korda::session().DANE_LATA_OBROTOWE = 1;
    auto w = openWindow(71);
    ASSERT_EQ(w->currentYear()->id, 1);
    const QStringList names = periodNames(*w);
    ASSERT_EQ(names.size(), 16);
    EXPECT_EQ(names.first(), QStringLiteral("2024  Październik"));
    EXPECT_EQ(names.at(3), QStringLiteral("2025  Styczeń"));
    EXPECT_EQ(names.at(14), QStringLiteral("2025  Grudzień"));
    EXPECT_EQ(names.last(), QStringLiteral("BZ"));
    EXPECT_EQ(w->periods().first().date, monthPeriod(2024, 10));
    EXPECT_EQ(w->periods().last().date, dayFromYmd(2025, 12, 28));
    // The host's period is not in this year: the first month is chosen.
    EXPECT_EQ(w->periodIndex(), 0);

    // A year within one calendar year shows bare month names; the host's period is chosen.
    ASSERT_TRUE(w->selectYearId(2));
    EXPECT_EQ(periodNames(*w).first(), QStringLiteral("Styczeń"));
    EXPECT_EQ(periodNames(*w).size(), 13);
    EXPECT_EQ(w->currentPeriod()->name, QStringLiteral("Kwiecień"));
    EXPECT_TRUE(w->selectPeriodText(QStringLiteral("bz")));
    EXPECT_EQ(w->currentPeriod()->date, dayFromYmd(2026, 12, 28));
}

TEST_F(JournalWindowTest, LongYearOffersAtMostTwentyFiveMonthsAndUnknownHostYearFallsBackToFirst)
{
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku,"
                                               " koniec_roku, zamkniety_okres, zamkniete_bo, status) values (90, 9, '2023/25', %1, %2, 0, 0, 1)")
                                    .arg(dayFromYmd(2023, 3, 15))
                                    .arg(dayFromYmd(2025, 12, 31))));
    korda::session().DANE_ID_FIRMY = 9;
    korda::session().DANE_LATA_OBROTOWE = 555;
    auto w = openWindow(73);
    ASSERT_EQ(w->years().size(), 1);
    EXPECT_EQ(w->yearIndex(), 0);
    const QStringList names = periodNames(*w);
    ASSERT_EQ(names.size(), 26);
    EXPECT_EQ(names.at(24), QStringLiteral("2025  Marzec"));
    EXPECT_EQ(names.last(), QStringLiteral("BZ"));

    // The year starts mid-month: the journal gets the first day of that month.
    ASSERT_TRUE(w->run(Command::Preview));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].yearStart, day(dayFromYmd(2023, 3, 1)));
    utilka::EXECSQL(QStringLiteral("delete from LATA_OBROTOWE where id_lata_obrot=90"));
}

TEST_F(JournalWindowTest, PartialJournalsListBlankRowThenBatchesInCodeOrder)
{
    auto w = openWindow(71);
    ASSERT_TRUE(w->partialJournals());
    QStringList codes;
    for (const auto& b : w->batches())
        codes << b.code;
    EXPECT_EQ(codes, (QStringList{"", "BANK", "BO", "KASA", "PK", "PLAC", "SPRZ", "ZAK"}));
    EXPECT_EQ(w->batches().first().id, 0);
    EXPECT_EQ(w->batches().at(6).name, QStringLiteral("Sprzedaż"));
    EXPECT_EQ(w->batchIndex(), 0);
    EXPECT_TRUE(w->control(Control::Batch).enabled);

    // A company with one journal: the list is empty and disabled.
    korda::session().DANE_ID_FIRMY = 2;
    korda::session().DANE_LATA_OBROTOWE = 3;
    auto one = openWindow(71);
    EXPECT_FALSE(one->partialJournals());
    EXPECT_TRUE(one->batches().isEmpty());
    EXPECT_FALSE(one->control(Control::Batch).enabled);
    EXPECT_FALSE(one->control(Control::BatchLabel).enabled);
    EXPECT_FALSE(one->selectBatch(0));
}

TEST_F(JournalWindowTest, NoFiscalYearOrUnknownKindClosesAtOnceWithoutMessage)
{
    korda::session().DANE_ID_FIRMY = 77;
    JournalWindowModel none(71, recorder());
    EXPECT_FALSE(none.open());
    EXPECT_FALSE(none.run(Command::Print));

    korda::session().DANE_ID_FIRMY = 1;
    JournalWindowModel odd(74, recorder());
    EXPECT_FALSE(odd.open());
    EXPECT_TRUE(ui.events().isEmpty());
    EXPECT_TRUE(calls.isEmpty());
}

// ---- controls by kind and by setting ----

TEST_F(JournalWindowTest, KindDecidesTitleOptionsAndJournalList)
{
    auto postings = openWindow(71);
    EXPECT_EQ(postings->title(), QStringLiteral("Dziennik księgowań"));
    EXPECT_TRUE(postings->control(Control::SumDocuments).visible);
    EXPECT_TRUE(postings->control(Control::SumOffBalance).visible);

    auto documents = openWindow(72);
    EXPECT_EQ(documents->title(), QStringLiteral("Dziennik księgowań"));
    EXPECT_FALSE(documents->control(Control::SumDocuments).visible);
    EXPECT_FALSE(documents->control(Control::SumOffBalance).visible);
    EXPECT_FALSE(documents->setSumOffBalance(true));
    EXPECT_TRUE(documents->partialJournals());

    // Kind 73: the journal list is never offered, nor renumbering, even for an open period.
    auto batches = openWindow(73);
    EXPECT_EQ(batches->title(), QStringLiteral("Zestawienie dzienników księgowań"));
    EXPECT_FALSE(batches->control(Control::SumDocuments).visible);
    EXPECT_TRUE(batches->control(Control::SumOffBalance).visible);
    EXPECT_FALSE(batches->partialJournals());
    EXPECT_FALSE(batches->control(Control::Batch).enabled);
    for (const QString& month : {QStringLiteral("Kwiecień"), QStringLiteral("Grudzień"), QStringLiteral("BZ")}) {
        ASSERT_TRUE(batches->selectPeriodText(month));
        EXPECT_FALSE(batches->control(Control::Renumber).enabled) << month.toStdString();
        EXPECT_FALSE(batches->setRenumber(true));
        EXPECT_EQ(batches->renumberFrom(), 0);
    }
}

TEST_F(JournalWindowTest, ApprovedFiguresBelowTwoFixTodayAndHideRenumbering)
{
    journals::JournalOptions renumbering;
    renumbering.CZY_NUMEROWANIE = 1;
    journals::setJournalVariables(renumbering);
    korda::session().GGG_WERSJA_DLA_KRAB_PRIORYTET = 1;
    auto w = openWindow(71);
    EXPECT_EQ(w->printDate(), today());
    EXPECT_EQ(korda::session().DANE_DATA_WYDRUKU, today());
    EXPECT_FALSE(w->control(Control::PrintDate).enabled);
    EXPECT_FALSE(w->control(Control::CalendarButton).visible);
    EXPECT_FALSE(w->setPrintDate(dayFromYmd(2026, 1, 31)));
    EXPECT_FALSE(w->chooseDate());

    EXPECT_FALSE(w->control(Control::Renumber).visible);
    EXPECT_FALSE(w->control(Control::RenumberFrom).visible);
    EXPECT_FALSE(w->renumber());
    EXPECT_FALSE(w->setRenumber(true));
    ASSERT_TRUE(w->selectBatchCode(QStringLiteral("PK")));
    ASSERT_TRUE(w->run(Command::Print));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].options.CZY_NUMEROWANIE, 0);
    EXPECT_TRUE(ui.unexpected().isEmpty());
}

TEST_F(JournalWindowTest, ClosedPeriodClearsAndDisablesRenumberingEvenWhenTicked)
{
    auto w = openWindow(71); // 2026, April: after the closing through March
    ASSERT_TRUE(w->control(Control::Renumber).enabled);
    EXPECT_EQ(w->renumberFrom(), 1);
    EXPECT_FALSE(w->control(Control::RenumberFrom).enabled);
    ASSERT_TRUE(w->setRenumber(true));
    EXPECT_TRUE(w->control(Control::RenumberFrom).enabled);
    ASSERT_TRUE(w->setRenumberFrom(120));

    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("Marzec"))); // the last closed month
    EXPECT_FALSE(w->renumber());
    EXPECT_EQ(w->renumberFrom(), 0);
    EXPECT_FALSE(w->control(Control::Renumber).enabled);
    EXPECT_FALSE(w->control(Control::RenumberFrom).enabled);
    EXPECT_FALSE(w->setRenumber(true));

    // Back to an open month: offered again from 1, not ticked.
    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("Maj")));
    EXPECT_TRUE(w->control(Control::Renumber).enabled);
    EXPECT_FALSE(w->renumber());
    EXPECT_EQ(w->renumberFrom(), 1);

    // The closing period is closed only in a closed year.
    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("BZ")));
    EXPECT_TRUE(w->control(Control::Renumber).enabled);
    ASSERT_TRUE(w->selectYearId(1));
    ASSERT_TRUE(w->selectPeriodText(QStringLiteral("BZ")));
    EXPECT_FALSE(w->control(Control::Renumber).enabled);
}

// ---- commands ----

TEST_F(JournalWindowTest, PartialJournalsWithoutChosenJournalAreRefused)
{
    auto w = openWindow(72);
    const quint8 screenBefore = korda::session().DANE_DRUKARKA_EKRAN = 7;
    for (Command c : {Command::Print, Command::Preview, Command::SavePdf, Command::SendEmail})
        EXPECT_FALSE(w->run(c));
    EXPECT_EQ(ui.messageLog(), QStringList(4, QStringLiteral("Information|Tabulo: Informacja|Proszę wybrać dziennik.")));
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(korda::session().DANE_DRUKARKA_EKRAN, screenBefore);
    EXPECT_EQ(korda::session().GGG_EMAILPDFSAVEAS, 0);
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());

    // The statement of journals needs no journal.
    auto statement = openWindow(73);
    EXPECT_TRUE(statement->run(Command::Print));
    EXPECT_EQ(calls.size(), 1);
}

TEST_F(JournalWindowTest, PostingJournalOfOneBatchGetsItsFilterSharedStateAndDescription)
{
    auto w = openWindow(71);
    ASSERT_TRUE(w->selectBatchCode(QStringLiteral("SPRZ")));
    ASSERT_TRUE(w->setSumDocuments(true));
    ASSERT_TRUE(w->setRenumber(true));
    ASSERT_TRUE(w->setRenumberFrom(41));
    ASSERT_TRUE(w->setDescription(QStringLiteral("Do kontroli US")));
    ASSERT_TRUE(w->setCopies(3));
    ASSERT_TRUE(w->setTitle(QStringLiteral("Dziennik – kwiecień")));
    ASSERT_TRUE(w->run(Command::Print));

    ASSERT_EQ(calls.size(), 1);
    const JournalCall c = calls[0];
    const qint32 sprz = batchId(2, QStringLiteral("SPRZ"));
    EXPECT_EQ(c.procedure, QStringLiteral("PRN_71_DZIENNIK_P_K"));
    EXPECT_EQ(c.filter, QStringLiteral("PDD:id_lata_obrot=2 AND PDD:data_okresu=%1 AND PDD:id_paczka=%2")
                            .arg(monthPeriod(2026, 4))
                            .arg(sprz));
    EXPECT_EQ(c.yearStart, day(dayFromYmd(2026, 1, 1)));
    EXPECT_EQ(c.title, QStringLiteral("Dziennik – kwiecień"));
    EXPECT_EQ(c.sort, 3); // "data księgowania i numer dokumentu"
    EXPECT_EQ(c.options.yearId, 2);
    EXPECT_EQ(c.options.periodDate, monthPeriod(2026, 4));
    EXPECT_EQ(c.options.yearName.text(), QStringLiteral("2026"));
    EXPECT_EQ(c.options.batchId, sprz);
    EXPECT_EQ(c.options.CZY_SUMOWANIE, 1);
    EXPECT_EQ(c.options.CZY_NUMEROWANIE, 1);
    EXPECT_EQ(c.options.CZY_NUMEROWANIE_WARTOSC, 41);
    EXPECT_EQ(c.descriptionLines, (QStringList{QStringLiteral("Okres obrotowy: Kwiecień"), QStringLiteral("Otwarty okres obrotowy"),
                                               QStringLiteral("Dziennik: SPRZ  Sprzedaż"), QStringLiteral("Do kontroli US")}));
    EXPECT_EQ(c.copies, 3);
    EXPECT_EQ(c.printer, QStringLiteral("Ksiegowosc-HP"));
    EXPECT_EQ(c.screen, 0);
    EXPECT_EQ(c.printRequest, 1);
    EXPECT_EQ(w->lastProcedure(), c.procedure);

    // Text printing of kind 71 goes to the text-printer journal, with "one batch".
    ASSERT_TRUE(w->setOutputKind(JournalWindowModel::kText));
    ASSERT_TRUE(w->run(Command::Preview));
    ASSERT_EQ(calls.size(), 2);
    EXPECT_EQ(calls[1].procedure, QStringLiteral("PRN_71_DZIENNIK_P_TXT"));
    EXPECT_EQ(calls[1].whole, 0);
    EXPECT_EQ(calls[1].filter, c.filter);
    EXPECT_EQ(calls[1].screen, 1);
}

TEST_F(JournalWindowTest, OneJournalCompanyCallsWholeJournalsWithPlainFilters)
{
    korda::Session& s = korda::session();
    s.DANE_ID_FIRMY = 2;
    s.DANE_LATA_OBROTOWE = 3;
    s.DANE_DATA_OKRESU = monthPeriod(2026, 2);
    auto postings = openWindow(71);
    ASSERT_TRUE(postings->run(Command::Print));
    ASSERT_TRUE(postings->setOutputKind(JournalWindowModel::kText));
    ASSERT_TRUE(postings->run(Command::Print));
    auto documents = openWindow(72);
    ASSERT_TRUE(documents->run(Command::Print));
    ASSERT_EQ(calls.size(), 3);

    const QString period = day(monthPeriod(2026, 2));
    EXPECT_EQ(calls[0].procedure, QStringLiteral("PRN_71_DZIENNIK_P_J"));
    EXPECT_EQ(calls[0].filter, QStringLiteral("PDD:id_lata_obrot=3 AND PDD:data_okresu=") + period);
    EXPECT_EQ(calls[0].sort, 1); // "data dokumentu i numer dokumentu"
    EXPECT_EQ(calls[0].options.batchId, 0);
    EXPECT_EQ(calls[1].procedure, QStringLiteral("PRN_71_DZIENNIK_P_TXT"));
    EXPECT_EQ(calls[1].whole, 1);
    // Kind 72 handles text printing itself.
    EXPECT_EQ(calls[2].procedure, QStringLiteral("PRN_72_DZIENNIK_S_J"));
    EXPECT_EQ(calls[2].filter, QStringLiteral("NAG:id_lata_obrot=3 AND NAG:data_okresu=%1 AND NAG:status<>0").arg(period));
    // The unit's year has no closed month: every month is open, no journal line.
    EXPECT_EQ(calls[2].descriptionLines,
              (QStringList{QStringLiteral("Okres obrotowy: Luty"), QStringLiteral("Otwarty okres obrotowy")}));
}

TEST_F(JournalWindowTest, DocumentJournalAndStatementFiltersAndClosedPeriodLines)
{
    korda::session().GGG_SERWIS_UKRYJ_OPISY_WYDRUKU = 1;
    auto documents = openWindow(72);
    ASSERT_TRUE(documents->selectBatchCode(QStringLiteral("bank")));
    ASSERT_TRUE(documents->selectPeriodText(QStringLiteral("Luty")));
    ASSERT_TRUE(documents->run(Command::SavePdf));
    ASSERT_TRUE(documents->selectPeriodText(QStringLiteral("Maj")));
    ASSERT_TRUE(documents->run(Command::SendEmail));
    ASSERT_TRUE(documents->selectPeriodText(QStringLiteral("BZ")));
    ASSERT_TRUE(documents->run(Command::Print));
    auto statement = openWindow(73);
    ASSERT_TRUE(statement->run(Command::Preview));
    ASSERT_EQ(calls.size(), 4);

    const qint32 bank = batchId(2, QStringLiteral("BANK"));
    EXPECT_EQ(calls[0].procedure, QStringLiteral("PRN_72_DZIENNIK_S_K"));
    EXPECT_EQ(calls[0].filter, QStringLiteral("NAG:id_lata_obrot=2 AND NAG:data_okresu=%1 AND NAG:status<>0 AND NAG:id_paczka=%2")
                                   .arg(monthPeriod(2026, 2))
                                   .arg(bank));
    EXPECT_EQ(calls[0].descriptionLines, (QStringList{QStringLiteral("Okres obrotowy: Luty"), QStringLiteral("Zamknięty okres obrotowy"),
                                                      QStringLiteral("Dziennik: BANK  Wyciągi bankowe")}));
    EXPECT_EQ(calls[0].pdfSaveAs, 1);
    EXPECT_EQ(calls[0].printRequest, 0);
    // The service switch leaves out only the "open" line.
    EXPECT_EQ(calls[1].descriptionLines,
              (QStringList{QStringLiteral("Okres obrotowy: Maj"), QStringLiteral("Dziennik: BANK  Wyciągi bankowe")}));
    EXPECT_EQ(calls[1].pdfSaveAs, 2);
    // The closing period has no open/closed line.
    EXPECT_EQ(calls[2].descriptionLines,
              (QStringList{QStringLiteral("Okres obrotowy: BZ"), QStringLiteral("Dziennik: BANK  Wyciągi bankowe")}));
    EXPECT_EQ(calls[2].filter.section(QLatin1Char(' '), 2, 2), QStringLiteral("NAG:data_okresu=%1").arg(dayFromYmd(2026, 12, 28)));
    // A print after an e-mail run does not carry the PDF flag along.
    EXPECT_EQ(calls[2].pdfSaveAs, 0);

    EXPECT_EQ(calls[3].procedure, QStringLiteral("PRN_73_DZIENNIK"));
    EXPECT_EQ(calls[3].filter, QStringLiteral("PAC:id_lata_obrot=2"));
    EXPECT_EQ(calls[3].title, QStringLiteral("Zestawienie dzienników księgowań"));
    EXPECT_EQ(calls[3].options.batchId, 0);
    EXPECT_EQ(calls[3].descriptionLines, (QStringList{QStringLiteral("Okres obrotowy: Kwiecień")}));
}

TEST_F(JournalWindowTest, DocumentOrderFollowsOptionAndFallsBackToFour)
{
    const QList<QPair<QString, int>> values = {{QStringLiteral("data dokumentu i numer ewidencyjny"), 2},
                                              {QStringLiteral("data księgowania i numer ewidencyjny"), 4},
                                              {QStringLiteral("data księgowania i numer dokumentu   "), 3},
                                              {QStringLiteral("coś innego"), 4}};
    auto w = openWindow(71);
    ASSERT_TRUE(w->selectBatchCode(QStringLiteral("ZAK")));
    for (const auto& [value, sort] : values) {
        ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("update OPCJE_SYSTEMOWE set nazwa_wartosci=%1 where id_firmy=1 AND "
                                                   "id_lata_obrot=2 AND id_opcje=123")
                                        .arg(sql::sqlText(value))));
        ASSERT_TRUE(w->run(Command::Print));
        EXPECT_EQ(calls.last().sort, sort) << value.toStdString();
    }
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("delete from OPCJE_SYSTEMOWE where id_firmy=1 AND id_lata_obrot=2 AND id_opcje=123")));
    ASSERT_TRUE(w->run(Command::Print));
    EXPECT_EQ(calls.last().sort, 4);
    utilka::EXECSQL(QStringLiteral("insert into OPCJE_SYSTEMOWE (id_firmy, id_lata_obrot, id_opcje, nazwa_opcji, nazwa_wartosci) "
                                   "values (1, 2, 123, 'Kolejność dokumentów w dzienniku', 'data księgowania i numer dokumentu')"));
}

TEST_F(JournalWindowTest, OptionsPersistForTheNextOpeningAndPdfFlagIsClearedOnOpen)
{
    {
        auto w = openWindow(71);
        ASSERT_TRUE(w->setSumDocuments(true));
        ASSERT_TRUE(w->setSumOffBalance(true));
        ASSERT_TRUE(w->setKrs(true));
        ASSERT_TRUE(w->setOutputKind(JournalWindowModel::kText));
        EXPECT_FALSE(w->setOutputKind(1));
        EXPECT_FALSE(w->setCopies(0));
        EXPECT_FALSE(w->setCopies(JournalWindowModel::kMaxCopies + 1));
    }
    korda::session().GGG_EMAILPDFSAVEAS = 1;
    auto again = openWindow(71);
    EXPECT_TRUE(again->sumDocuments());
    EXPECT_TRUE(again->sumOffBalance());
    EXPECT_TRUE(again->krs());
    EXPECT_EQ(again->outputKind(), JournalWindowModel::kText);
    EXPECT_EQ(korda::session().GGG_EMAILPDFSAVEAS, 0);
}

// The printer button with text printing offers the text printers of the database.
class PickingUi : public ScriptedUi {
public:
    std::optional<QString> pickItem(const QString& title, const QStringList& items, const QString&) override
    {
        offered = items;
        pickedTitle = title;
        if (pick.isEmpty())
            return std::nullopt;
        return pick;
    }
    QStringList offered;
    QString pickedTitle;
    QString pick;
};

TEST_F(JournalWindowTest, PrinterButtonWithTextPrintingTakesPickedTextPrinter)
{
    PickingUi picker;
    setUi(&picker);
    auto w = openWindow(71);
    ASSERT_TRUE(w->setOutputKind(JournalWindowModel::kText));
    EXPECT_FALSE(w->choosePrinter());
    EXPECT_EQ(w->printerName(), QStringLiteral("Ksiegowosc-HP"));
    ASSERT_FALSE(picker.offered.isEmpty());
    picker.pick = picker.offered.last();
    ASSERT_TRUE(w->choosePrinter());
    EXPECT_EQ(w->printerName(), picker.pick);
    ASSERT_TRUE(w->selectBatchCode(QStringLiteral("KASA")));
    ASSERT_TRUE(w->run(Command::Print));
    EXPECT_EQ(calls.last().printer, picker.pick);
    setUi(&ui);
}

// ---- PostgreSQL ----

TEST_F(JournalWindowTest, ListsAndFilterOnPostgreSql)
{
    useDatabase(TestBackend::PostgreSQL);
    korda::session().DANE_LATA_OBROTOWE = 1;
    korda::session().DANE_DATA_OKRESU = monthPeriod(2025, 1);
    auto w = openWindow(71);
    ASSERT_EQ(w->periods().size(), 16);
    EXPECT_EQ(w->currentPeriod()->name, QStringLiteral("2025  Styczeń"));
    EXPECT_EQ(w->batches().size(), 8);
    EXPECT_FALSE(w->control(Control::Renumber).enabled); // year 1 is closed
    ASSERT_TRUE(w->selectBatchCode(QStringLiteral("PK")));
    ASSERT_TRUE(w->run(Command::Print));
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].filter, QStringLiteral("PDD:id_lata_obrot=1 AND PDD:data_okresu=%1 AND PDD:id_paczka=%2")
                                   .arg(monthPeriod(2025, 1))
                                   .arg(batchId(1, QStringLiteral("PK"))));
    EXPECT_EQ(calls[0].yearStart, day(dayFromYmd(2024, 10, 1)));
    EXPECT_EQ(calls[0].descriptionLines.mid(0, 2),
              (QStringList{QStringLiteral("Okres obrotowy: 2025  Styczeń"), QStringLiteral("Zamknięty okres obrotowy")}));
}

// ---- the module's boundary ----

TEST(JournalWindowEntry, ExportedForHostsThatLoadTheModuleByName)
{
    EXPECT_NE(dlsym(RTLD_DEFAULT, "PARAM_PRN_DZIENNIK"), nullptr);
}

// "Wyślij jako e-mail" mails pages: with the text printer chosen the journal still runs as the
// graphic one and its pages reach the mail route.
TEST_F(JournalWindowTest, MailWithTextOutputChosenSendsTheGraphicJournal)
{
    QTemporaryDir folder;
    korda::session().GLO_CUTEMP = folder.path();
    RecordingMailRoutes routes;
    JournalWindowModel w(71);
    ASSERT_TRUE(w.open());
    ASSERT_TRUE(w.selectBatchCode(QStringLiteral("SPRZ")));
    w.setOutputKind(JournalWindowModel::kText);
    w.setMailClientKind(0);
    ASSERT_TRUE(w.run(Command::SendEmail));
    EXPECT_EQ(w.lastProcedure(), QStringLiteral("PRN_71_DZIENNIK_P_K"));
    EXPECT_EQ(routes.calls, QStringList{QStringLiteral("mime PRN_71_DZIENNIK_P_K")});
    EXPECT_EQ(korda::session().globalResponse, 1);
}

} // namespace
} // namespace pravik::test
