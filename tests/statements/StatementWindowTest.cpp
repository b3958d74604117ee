// The statement window without its widgets, over the demo company on SQLite and PostgreSQL: the
// controls' rules, the column periods and the heading lines, saved variants, generation with its
// progress and KOMUNIKAT rows, a failed generation that must print nothing, the printout on its
// own thread, "Pokaż", the CSV export and the order of the "Zestawienia" menu.
#include "apps/pravik-gui/StatementWindowWiring.h"
#include "statements/export/BudgetXmlExport.h"
#include "statements/window/ParamPrnZestaw.h"
#include "statements/window/StatementCatalogue.h"
#include "statements/window/StatementRowsWindow.h"
#include "statements/window/StatementWindowModel.h"

#include "framework/VariantStore.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace pravik::statements {
namespace {

using sql::sqlText;
using test::TestBackend;
using Control = StatementWindowModel::Control;
using Command = ReportWindowModel::Command;

constexpr int kUser = 7;
constexpr qint64 kProfitAndLoss = 1, kCosts = 2, kBalance = 3, kReceivables = 4;
constexpr qint64 kOneColumn = 930, kBoInColumnSix = 931, kRbWs = 932, kBreakable = 933;
const QString kGoodFormula = QStringLiteral("WN(\"4*\")");

QString day(int y, int m, int d)
{
    return dateFromDay(dayFromYmd(y, m, d)).toString(QStringLiteral("dd-MM-yyyy"));
}

class StatementWindowTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        demo = &test::sharedDemo(GetParam());
        ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
        sql::Database::setCurrent(demo->where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        statementPrintOptions() = StatementPrintOptions();
        resetStatementWindowMemory();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_ID_UZYTKOWNIKA_NR = kUser;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2026");
        s.DANE_POCZATEK_ROKU = dayFromYmd(2026, 1, 1);
        s.DANE_KONIEC_ROKU = dayFromYmd(2026, 12, 31);
        s.DANE_DATA_OKRESU = monthPeriod(2026, 3);
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;
        s.GLO_CUTEMP = folder.path();
        addTestStatements();
    }
    void TearDown() override
    {
        EXPECT_TRUE(waitForStatementPrintouts(60000));
        korda::closeAllPassThrough();
        setUi(nullptr);
    }

    sql::Database& db() { return *demo->db; }
    QVariant scalar(const QString& sql)
    {
        sql::Cursor c = db().execNative(sql);
        EXPECT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
        return c.next() ? c.value(0) : QVariant();
    }
    void exec(const QString& sql)
    {
        sql::Cursor c = db().execNative(sql);
        ASSERT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
    }

    void addStatement(qint64 id, const QString& name, int columns, int boColumn, const QString& code)
    {
        QStringList names = {"id_zestaw_nag", "id_firmy", "id_zestaw_grupa", "nazwa", "typ", "wariant", "ilosc_kolumn",
                             "czy_rozne_definicje", "etykieta_0"};
        QStringList values = {QString::number(id), "1", "0", sqlText(name), "''", sqlText(code), QString::number(columns), "0", "'Pozycja'"};
        for (int c = 1; c <= columns; ++c) {
            names << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("id_lo_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
            values << sqlText(QStringLiteral("Kol%1").arg(c)) << "0" << (c == boColumn ? "1" : "0");
        }
        exec(QStringLiteral("insert into ZESTAW_NAG (%1) values (%2)").arg(names.join(','), values.join(',')));
        exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                            " (%1, %2, 1, '', 'Koszty', 1, '')").arg(id * 10).arg(id));
        exec(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz_formula, id_zestaw_poz, nr_kolumny, formula) values (%1, %1, 1, %2)")
                 .arg(id * 10).arg(sqlText(kGoodFormula)));
    }
    void addTestStatements()
    {
        if (scalar(QStringLiteral("select count(*) from ZESTAW_NAG where id_zestaw_nag=%1").arg(kOneColumn)).toInt() > 0)
            return;
        addStatement(kOneColumn, QStringLiteral("Jedna kolumna"), 1, 0, QString());
        addStatement(kBoInColumnSix, QStringLiteral("BO w kolumnie szóstej"), 6, 6, QString());
        addStatement(kRbWs, QStringLiteral("Wzór RbWS"), 1, 0, QStringLiteral("RbWS"));
        addStatement(kBreakable, QStringLiteral("Wzór do zepsucia"), 1, 0, QString());
    }
    void setFormula(qint64 id, const QString& formula)
    {
        exec(QStringLiteral("update ZESTAW_POZ_FORMULA set formula=%1 where id_zestaw_poz_formula=%2").arg(sqlText(formula)).arg(id * 10));
    }

    std::unique_ptr<StatementWindowModel> openWindow(qint64 id)
    {
        auto w = std::make_unique<StatementWindowModel>(id, QString());
        EXPECT_TRUE(w->open());
        return w;
    }

    // The generated rows of the statement for the user: (lp, kol1).
    QList<QPair<int, QString>> generatedRows(qint64 id)
    {
        QList<QPair<int, QString>> out;
        sql::Cursor c = db().execNative(QStringLiteral("select lp, kol1 from ZESTAW_ZESTAW where id_uzytkownika=%1 and id_zestaw_nag=%2"
                                                       " and wariant_zestaw=1 order by lp").arg(kUser).arg(id));
        while (c.next())
            out << qMakePair(c.value(0).toInt(), Decimal::fromVariant(c.value(1)).value_or(Decimal()).toString());
        return out;
    }

    test::DemoDatabase* demo = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
};

TEST_P(StatementWindowTest, ControlsFollowTheStatementAndItsGroup)
{
    auto pl = openWindow(kProfitAndLoss);
    EXPECT_EQ(pl->statementName(), QStringLiteral("Rachunek zysków i strat (wariant porównawczy)"));
    EXPECT_EQ(pl->printGroupCaption(), QStringLiteral("Drukuj grupę raportów Sprawozdania finansowe"));
    ASSERT_EQ(pl->groupStatements().size(), 2);
    EXPECT_EQ(pl->groupStatements()[0].name, QStringLiteral("Koszty rodzajowe"));
    EXPECT_EQ(pl->selectedStatement(), 1);
    QStringList scopes;
    for (const ScopeEntry& e : pl->scopes())
        scopes << e.text;
    EXPECT_EQ(scopes, (QStringList{"wszystkie raporty", "wybrany raport", "1 kolumna wybranego raportu", "2 kolumna wybranego raportu"}));
    EXPECT_TRUE(pl->control(Control::PeriodText).visible);
    EXPECT_FALSE(pl->control(Control::Title).visible);
    // The statement list follows "Drukuj grupę raportów".
    EXPECT_FALSE(pl->control(Control::GroupList).enabled);
    EXPECT_TRUE(pl->setPrintGroup(true));
    EXPECT_TRUE(pl->control(Control::GroupList).enabled);
    EXPECT_EQ(pl->columns().size(), 5); // 2 + 3 columns of the group
    ASSERT_EQ(pl->shownColumns().size(), 2);
    EXPECT_EQ(pl->shownColumns()[0].yearName, QStringLiteral("2026"));
    EXPECT_EQ(pl->shownColumns()[1].yearName, QStringLiteral("2024/2025")); // id_lo_2

    // Outside a group: no "wszystkie raporty" and no opening-balance column; a scope list of two
    // entries (one column besides the opening balance) is disabled.
    auto balance = openWindow(kBalance);
    EXPECT_FALSE(balance->control(Control::PrintGroup).visible);
    EXPECT_TRUE(balance->control(Control::Title).visible);
    ASSERT_EQ(balance->scopes().size(), 2);
    EXPECT_EQ(balance->scopes()[1].value, 2);
    EXPECT_FALSE(balance->control(Control::Scope).enabled);
    EXPECT_FALSE(balance->setScope(2));
    auto six = openWindow(kBoInColumnSix);
    EXPECT_EQ(six->scopes().size(), 6); // "wybrany raport" and columns 1 to 5
    EXPECT_TRUE(six->control(Control::Scope).enabled);

    // "Oblicz bilans otwarcia": an opening-balance column among the first five and a previous year.
    EXPECT_TRUE(balance->control(Control::ComputeBo).enabled);
    EXPECT_TRUE(balance->setComputeBo(true));
    auto sixth = openWindow(kBoInColumnSix);
    EXPECT_FALSE(sixth->control(Control::ComputeBo).enabled);
    EXPECT_FALSE(sixth->setComputeBo(true));
    EXPECT_FALSE(pl->control(Control::ComputeBo).enabled);

    // "Dołącz nazwę konta" and the list range belong to statements with list rows.
    auto receivables = openWindow(kReceivables);
    EXPECT_TRUE(receivables->control(Control::AccountNames).visible);
    EXPECT_TRUE(receivables->control(Control::ListRange).visible);
    EXPECT_FALSE(receivables->control(Control::ListButton).enabled);
    EXPECT_TRUE(receivables->setListRange(1));
    EXPECT_TRUE(receivables->control(Control::ListButton).enabled);
    EXPECT_FALSE(balance->control(Control::AccountNames).visible);

    // The totals level only for "sumuj kwoty wybranego poziomu", within the statement's levels.
    EXPECT_FALSE(balance->setTotalsLevel(2));
    EXPECT_TRUE(balance->setTotalsMode(TotalsMode::ChosenLevel));
    EXPECT_TRUE(balance->setTotalsLevel(2));
    EXPECT_FALSE(balance->setTotalsLevel(3));

    // Below 2 the print date is today and fixed; below 1 only approved documents count.
    korda::session().GGG_WERSJA_DLA_KRAB_PRIORYTET = 0;
    korda::session().DANE_DATA_WYDRUKU = dayFromYmd(2020, 1, 1);
    auto restricted = openWindow(kBalance);
    EXPECT_EQ(restricted->printDate(), today());
    EXPECT_FALSE(restricted->control(Control::PrintDate).enabled);
    EXPECT_FALSE(restricted->control(Control::CalendarButton).visible);
    EXPECT_TRUE(restricted->approvedOnly());
    EXPECT_FALSE(restricted->setApprovedOnly(false));
    korda::session().GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;

    // Without the budget windows their buttons stay disabled; the XML export is a budget-mode entry.
    EXPECT_FALSE(balance->control(Control::ExportSpd).enabled);
    EXPECT_FALSE(balance->control(Control::ExportXml).visible);
    EXPECT_FALSE(balance->control(Control::HeaderData).visible);
}

TEST_P(StatementWindowTest, DatesReachTheScopeAndNeverTheOpeningBalanceColumns)
{
    auto w = openWindow(kBalance);
    ASSERT_TRUE(w->setPeriodType(StatementWindowModel::kRange));
    ASSERT_TRUE(w->setDateFrom(dayFromYmd(2026, 2, 1)));
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 2, 28)));
    ASSERT_EQ(w->columns().size(), 2);
    EXPECT_EQ(w->columns()[0].from, 0);
    EXPECT_EQ(w->columns()[0].to, 0);
    EXPECT_EQ(w->columns()[1].from, dayFromYmd(2026, 2, 1));
    EXPECT_EQ(w->columns()[1].to, dayFromYmd(2026, 2, 28));

    // One column of the selected statement only.
    auto six = openWindow(kBoInColumnSix);
    ASSERT_TRUE(six->setPeriodType(StatementWindowModel::kRange));
    ASSERT_TRUE(six->setDateFrom(dayFromYmd(2026, 1, 1)));
    ASSERT_TRUE(six->setDateTo(dayFromYmd(2026, 3, 31)));
    ASSERT_TRUE(six->setScope(2));
    ASSERT_TRUE(six->setDateTo(dayFromYmd(2026, 6, 30)));
    QList<DayNumber> ends;
    for (const StatementColumn& c : six->shownColumns())
        ends << c.to;
    const DayNumber march = dayFromYmd(2026, 3, 31);
    EXPECT_EQ(ends, (QList<DayNumber>{march, dayFromYmd(2026, 6, 30), march, march, march, 0}));
    // Different periods: one heading line per column, numbered one higher.
    const QString q1 = "od dnia " + day(2026, 1, 1) + "  do dnia " + day(2026, 3, 31);
    EXPECT_EQ(six->headingLines(),
              (QStringList{"Kolumna nr 2 " + q1, "Kolumna nr 3 od dnia " + day(2026, 1, 1) + "  do dnia " + day(2026, 6, 30),
                           "Kolumna nr 4 " + q1, "Kolumna nr 5 " + q1, "Kolumna nr 6 " + q1, "Kolumna nr 7 BO 2026"}));
    // Statements of a group print their period text instead.
    auto costs = openWindow(kCosts);
    EXPECT_TRUE(costs->headingLines().isEmpty());

    // "Pomiń księgowania BZ" only while the to date is the year's last day; hidden means cleared.
    EXPECT_FALSE(w->control(Control::SkipBz).visible);
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 12, 31)));
    EXPECT_TRUE(w->control(Control::SkipBz).visible);
    EXPECT_TRUE(w->setSkipBz(true));
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 11, 30)));
    EXPECT_FALSE(w->skipBz());
    EXPECT_FALSE(w->setSkipBz(true));
}

TEST_P(StatementWindowTest, PeriodListsAndHeadingLines)
{
    auto w = openWindow(kBalance);
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 5, 20)));
    EXPECT_EQ(w->headingLines(), QStringList{"Zestawienie na dzień " + day(2026, 5, 20)});
    EXPECT_EQ(w->showTitle(), "Bilans na dzień " + day(2026, 5, 20));

    ASSERT_TRUE(w->setPeriodType(StatementWindowModel::kMonths));
    EXPECT_EQ(w->periodYear(), 2026);
    ASSERT_EQ(w->periodList().size(), 12);
    EXPECT_EQ(w->periodListIndex(), 4); // the month of the to date
    EXPECT_EQ(w->periodList()[1].name, QStringLiteral("Luty "));
    EXPECT_EQ(w->periodList()[1].last, dayFromYmd(2026, 2, 28));
    ASSERT_TRUE(w->choosePeriod(11));
    EXPECT_EQ(w->dateFrom(), dayFromYmd(2026, 12, 1));
    EXPECT_EQ(w->dateTo(), dayFromYmd(2026, 12, 31));
    ASSERT_TRUE(w->choosePeriod(2));
    EXPECT_EQ(w->headingLines(), QStringList{"Zestawienie za Marzec  2026"});
    EXPECT_EQ(w->showTitle(), QStringLiteral("Bilans Marzec  2026"));
    ASSERT_TRUE(w->setCumulative(true));
    EXPECT_EQ(w->dateFrom(), dayFromYmd(2026, 1, 1));
    EXPECT_EQ(w->dateTo(), dayFromYmd(2026, 3, 31));
    ASSERT_TRUE(w->setDescription(QStringLiteral("Wersja robocza")));
    EXPECT_EQ(w->headingLines(), (QStringList{"Zestawienie za okres od początku roku do końca okresu Marzec  2026", "Wersja robocza"}));
    EXPECT_FALSE(w->control(Control::DateTo).enabled);
    EXPECT_FALSE(w->setDateTo(dayFromYmd(2026, 4, 1)));

    ASSERT_TRUE(w->setPeriodType(StatementWindowModel::kQuarters));
    ASSERT_TRUE(w->setCumulative(false));
    ASSERT_TRUE(w->choosePeriod(1));
    EXPECT_EQ(w->periodList()[1].name, QStringLiteral("II kwartał"));
    EXPECT_EQ(w->dateFrom(), dayFromYmd(2026, 4, 1));
    EXPECT_EQ(w->dateTo(), dayFromYmd(2026, 6, 30));

    // The period type is kept for the next opening; the opening-balance column still has no dates.
    auto again = openWindow(kBalance);
    EXPECT_EQ(again->periodType(), StatementWindowModel::kQuarters);
    EXPECT_EQ(again->columns()[0].to, 0);
}

TEST_P(StatementWindowTest, VariantsKeepThePrintOptionsUnderRu)
{
    auto w = openWindow(kBalance);
    ASSERT_TRUE(w->setOption(&StatementPrintOptions::thousands, true));
    ASSERT_TRUE(w->setOption(&StatementPrintOptions::wrap, true));
    ASSERT_TRUE(w->setOption(&StatementPrintOptions::carriedForward, true));
    ASSERT_TRUE(w->setOption(&StatementPrintOptions::skipZeroRows, true));
    ASSERT_TRUE(w->setKrs(true));
    ASSERT_TRUE(w->setTotalsMode(TotalsMode::ChosenLevel));
    ASSERT_TRUE(w->setTotalsLevel(2));
    ui.text(QStringLiteral("Kwartalny"));
    const qint32 id = w->saveVariant();
    ASSERT_GT(id, 0);
    const VariantValues stored = loadVariant(id);
    EXPECT_EQ(stored, (VariantValues{{1, "1"}, {2, "0"}, {3, "0"}, {4, "0"}, {5, "1"}, {6, "1"}, {7, "0"}, {8, "0"},
                                     {9, "0"}, {10, "1"}, {11, "3"}, {12, "2"}, {13, "1"}}));
    EXPECT_EQ(scalar(QStringLiteral("select raport from PARAMETRY_WYDRUKU_NAG where id_parametry_wydruku_nag=%1").arg(id)).toString().trimmed(),
              QStringLiteral("RU"));

    statementPrintOptions() = StatementPrintOptions();
    korda::session().GGG_PRN_KRS = 0;
    auto reopened = openWindow(kBalance); // the last variant used comes back
    EXPECT_EQ(reopened->currentVariantId(), id);
    EXPECT_TRUE(reopened->options().thousands);
    EXPECT_TRUE(reopened->options().carriedForward);
    EXPECT_EQ(reopened->options().totalsMode, TotalsMode::ChosenLevel);
    EXPECT_EQ(reopened->options().totalsLevel, 2);
    EXPECT_TRUE(reopened->krs());
    ui.answer(Answer::Yes);
    EXPECT_TRUE(reopened->deleteVariant());
}

// Without a screen the host's call is refused with a message, not left waiting on a window no
// one sees.
TEST_P(StatementWindowTest, TheWindowNeedsAScreen)
{
    korda::session().globalResponse = 0;
    PARAM_PRN_ZESTAW(qint32(kBalance), QStringLiteral("Bilans"));
    EXPECT_EQ(ui.messageTexts(), QStringList{"Okno \"Parametry zestawienia\" jest dostępne w programie z ekranem."});
    EXPECT_EQ(korda::session().globalResponse, 2);
}

TEST_P(StatementWindowTest, RbWsCodeAndTheBoldSwitch)
{
    auto w = openWindow(kRbWs);
    EXPECT_TRUE(w->options().ordinal);
    EXPECT_TRUE(w->options().thousands);
    EXPECT_TRUE(w->options().noDecimals);
    EXPECT_TRUE(w->toggleBold());
    EXPECT_FALSE(w->toggleBold());
    EXPECT_EQ(ui.messageTexts(), (QStringList{"Wyłączono pogrubianie czcionki.", "Włączono pogrubianie czcionki."}));
}

// A generation that fails must not let the printout show the rows of an earlier run under the
// new headings: nothing is started, nothing written, the window stays open.
TEST_P(StatementWindowTest, FailedGenerationPrintsAndExportsNothing)
{
    setFormula(kBreakable, kGoodFormula);
    auto w = openWindow(kBreakable);
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 3, 31)));
    ASSERT_TRUE(w->generate());
    const auto before = generatedRows(kBreakable);
    ASSERT_EQ(before.size(), 1);

    setFormula(kBreakable, QStringLiteral("WN(\"4*\""));
    int started = 0;
    bool closed = false;
    w->startPrintout = [&](std::function<void()>) { ++started; };
    QObject::connect(w.get(), &StatementWindowModel::finished, [&] { closed = true; });
    korda::session().outputRequests.pdfPath = folder.filePath(QStringLiteral("zepsute.pdf"));
    ui.clear();
    EXPECT_FALSE(w->run(Command::Preview));
    EXPECT_FALSE(w->exportCsv());
    EXPECT_FALSE(w->show());
    EXPECT_EQ(started, 0);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("zepsute.pdf"))));
    EXPECT_EQ(korda::session().GGG_PRN_EXPORT_XML, 0);
    EXPECT_TRUE(korda::session().GGG_XML_Q.isEmpty());
    ASSERT_EQ(ui.messageTexts().size(), 3);
    EXPECT_TRUE(ui.messageTexts()[0].contains(QStringLiteral("Wzór do zepsucia"))) << qPrintable(ui.messageTexts()[0]);
    EXPECT_EQ(generatedRows(kBreakable), before);
    EXPECT_TRUE(ui.unexpected().isEmpty());
    setFormula(kBreakable, kGoodFormula);
}

TEST_P(StatementWindowTest, GenerationWritesTheColumnPeriodsAndReportsItsProgress)
{
    auto w = openWindow(kProfitAndLoss);
    ASSERT_TRUE(w->setPeriodType(StatementWindowModel::kRange));
    ASSERT_TRUE(w->setDateFrom(dayFromYmd(2026, 1, 1)));
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 3, 31)));
    ASSERT_TRUE(w->setPrintGroup(true));
    ASSERT_TRUE(w->generate());
    EXPECT_EQ(ui.progressPercents(), (QList<int>{0, 10, 15, 57, 100, 100}));
    // One KOMUNIKAT row per column of the group, each with the window's period.
    sql::Cursor c = db().execNative(QStringLiteral("select tekst1, tekst2, tekst3, id_zasobu from KOMUNIKAT where id_uzytkownika=%1 and "
                                                   "kontekst='ZESTZAK' order by id_zasobu, tekst1").arg(kUser));
    QStringList rows;
    while (c.next())
        rows << QStringLiteral("%1:%2|%3|%4").arg(c.value(3).toString(), c.value(0).toString().trimmed(), c.value(1).toString().trimmed(),
                                                  c.value(2).toString().trimmed());
    const QString from = QString::number(dayFromYmd(2026, 1, 1)), to = QString::number(dayFromYmd(2026, 3, 31));
    QStringList expected;
    for (const char* col : {"1:1", "1:2", "2:1", "2:2", "2:3"})
        expected << QStringLiteral("%1|%2|%3").arg(col, from, to);
    EXPECT_EQ(rows, expected);
    EXPECT_FALSE(generatedRows(kCosts).isEmpty());
    EXPECT_EQ(korda::session().DANE_OPIS_PRN.size(), 0); // heading lines belong to statements outside a group
}

TEST_P(StatementWindowTest, PreviewRunsOnAThreadOfItsOwnAndClosesTheWindow)
{
    auto w = openWindow(kCosts);
    ASSERT_TRUE(w->setPeriodType(StatementWindowModel::kMonths));
    ASSERT_TRUE(w->choosePeriod(2));
    std::thread::id printedOn;
    w->startPrintout = [&printedOn](std::function<void()> fn) {
        startStatementPrintout([fn, &printedOn] {
            printedOn = std::this_thread::get_id();
            fn();
        });
    };
    bool closed = false;
    QObject::connect(w.get(), &StatementWindowModel::finished, [&] { closed = true; });
    const QString pdf = folder.filePath(QStringLiteral("koszty.pdf"));
    korda::session().outputRequests.pdfPath = pdf;
    ASSERT_TRUE(w->run(Command::Preview));
    EXPECT_TRUE(closed);
    EXPECT_EQ(w->lastProcedure(), QStringLiteral("PRN_ZESTAW_MULTIKOL_NEW"));
    ASSERT_TRUE(waitForStatementPrintouts(60000));
    EXPECT_NE(printedOn, std::this_thread::get_id());
    EXPECT_NE(printedOn, std::thread::id());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
}

TEST_P(StatementWindowTest, ShowAndCsvExportUseTheGeneratedRows)
{
    auto w = openWindow(kProfitAndLoss);
    ASSERT_TRUE(w->setDateTo(dayFromYmd(2026, 3, 31)));
    ASSERT_TRUE(w->setPrintGroup(true));
    qint64 shownId = 0;
    QString shownTitle;
    w->openRows = [&](qint64 id, const QString& title) {
        shownId = id;
        shownTitle = title;
    };
    exec(QStringLiteral("delete from ZESTAW_ZESTAW where id_uzytkownika=%1").arg(kUser));
    ASSERT_TRUE(w->show());
    EXPECT_EQ(shownId, kProfitAndLoss);
    EXPECT_EQ(shownTitle, "Rachunek zysków i strat (wariant porównawczy) na dzień " + day(2026, 3, 31));
    EXPECT_TRUE(generatedRows(kCosts).isEmpty()); // "Pokaż" never generates the group
    const RowsTable table = readRowsTable(1, kUser, kProfitAndLoss);
    EXPECT_TRUE(table.error.isEmpty()) << qPrintable(table.error);
    EXPECT_EQ(table.header, (QStringList{"Wyszczególnienie", "Rok bieżący", "Rok poprzedni"}));
    const auto rows = generatedRows(kProfitAndLoss);
    ASSERT_EQ(table.rows.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i)
        EXPECT_EQ(Decimal::parse(QString(table.rows[i][1]).remove(u' ').replace(u',', u'.')).value_or(Decimal()).toString(), rows[i].second);

    const QString csv = folder.filePath(QStringLiteral("rzis.csv"));
    ui.saveFile(csv);
    ASSERT_TRUE(w->exportCsv());
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("B. Koszty działalności operacyjnej")));
    EXPECT_TRUE(text.contains(QStringLiteral("Wyszczególnienie")));
    EXPECT_EQ(korda::session().GGG_PRN_EXPORT_XML, 0);
    EXPECT_TRUE(korda::session().GGG_XML_Q.isEmpty());

    // A cancelled file choice writes nothing and says it did not.
    ui.saveFile(std::nullopt);
    EXPECT_FALSE(w->exportCsv());
}

TEST_P(StatementWindowTest, MenuListsGroupsInThePrintoutsOrder)
{
    QList<CatalogueGroup> groups;
    QString error;
    ASSERT_TRUE(readCatalogue(2, &groups, &error)) << qPrintable(error);
    const CatalogueGroup* rbz = nullptr;
    for (const CatalogueGroup& g : groups)
        if (g.name == QLatin1String("Rb-Z"))
            rbz = &g;
    ASSERT_NE(rbz, nullptr);
    auto idOf = [&](const char* code) {
        return scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=2 and wariant='%1'").arg(QLatin1String(code))).toLongLong();
    };
    QList<qint64> order;
    for (const CatalogueStatement& st : rbz->statements)
        order << st.id;
    EXPECT_EQ(order, (QList<qint64>{idOf("RbZTytulyDluzne"), idOf("RbZPoreczeniaGwarancje"), idOf("RbZKredytyPozyczki"),
                                    idOf("RbZZawarteUmowy")}));

    ASSERT_TRUE(readCatalogue(1, &groups, &error));
    ASSERT_GE(groups.size(), 2);
    EXPECT_EQ(groups[0].name, QStringLiteral("Sprawozdania finansowe"));
    ASSERT_EQ(groups[0].statements.size(), 2);
    EXPECT_EQ(groups[0].statements[0].name, QStringLiteral("Koszty rodzajowe"));
    EXPECT_EQ(groups.last().id, 0);
    EXPECT_EQ(groups.last().statements[0].name, QStringLiteral("Bilans"));
}

// A budget statement takes its year and dates from the host's budget range, computes its period
// text from the form, and hands over to the budget-form windows through their hooks.
TEST_P(StatementWindowTest, BudgetFormsTakeTheHostsRangeAndHandOver)
{
    korda::Session& s = korda::session();
    s.DANE_ID_FIRMY = 2;
    s.DANE_LATA_OBROTOWE = 3;
    s.DANE_CZY_WERSJA_BUDZET = 1;
    s.GGG_BAZAKRES_IDROKU = 3;
    s.GGG_BAZAKRES_DAT = {dayFromYmd(2026, 1, 1), dayFromYmd(2026, 3, 31)};
    const qint64 id = scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=2 and wariant='Rb28SPozycje'")).toLongLong();
    ASSERT_GT(id, 0);
    QList<BudgetHandOver> header, xml;
    statementWindowHooks().openHeaderData = [&](const BudgetHandOver& h) { header << h; };
    statementWindowHooks().openXmlExport = [&](const BudgetHandOver& h) { xml << h; };
    auto w = openWindow(id);
    statementWindowHooks() = StatementWindowHooks();
    EXPECT_TRUE(w->budget());
    EXPECT_EQ(w->dateTo(), dayFromYmd(2026, 3, 31));
    EXPECT_FALSE(w->control(Control::PeriodType).enabled);
    EXPECT_FALSE(w->setPeriodType(StatementWindowModel::kMonths));
    EXPECT_EQ(w->options().periodText, "za okres od początku roku do dnia " + day(2026, 3, 31) + " roku");
    EXPECT_EQ(w->listFrameCaption(), QStringLiteral("Grupa raportów Rb-28S"));
    EXPECT_TRUE(w->control(Control::ExportXml).visible);
    EXPECT_FALSE(w->control(Control::ExportSpd).enabled);

    ASSERT_TRUE(w->headerData());
    ASSERT_EQ(header.size(), 1);
    EXPECT_EQ(header[0].groupCode, QStringLiteral("Rb28S"));
    EXPECT_EQ(header[0].formCode, QStringLiteral("Rb28SPozycje"));
    EXPECT_EQ(header[0].to, dayFromYmd(2026, 3, 31));
    ASSERT_TRUE(w->exportXml()) << qPrintable(ui.messageTexts().join('\n'));
    ASSERT_EQ(xml.size(), 1);
    EXPECT_EQ(xml[0].reportName, QStringLiteral("Rb-28S"));
    EXPECT_FALSE(generatedRows(id).isEmpty());
}

// The desktop hands a form over to the real export: the host's range of January to March is filed
// as the first quarter, and the file is written from the rows the window generated.
TEST_P(StatementWindowTest, DesktopWiringExportsTheFormForTheHostsQuarter)
{
    korda::Session& s = korda::session();
    s.DANE_ID_FIRMY = 2;
    s.DANE_LATA_OBROTOWE = 3;
    s.DANE_CZY_WERSJA_BUDZET = 1;
    s.GGG_BAZAKRES_IDROKU = 3;
    s.GGG_BAZAKRES_DAT = {dayFromYmd(2026, 1, 1), dayFromYmd(2026, 3, 31)};
    const qint64 id = scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=2 and wariant='Rb28SPozycje'")).toLongLong();
    ASSERT_GT(id, 0);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rb28s.xml"));
    QString periodText;
    setXmlExportWindow([&] {
        periodText = xmlExportSettings().periodText;
        xmlExportSettings().path = path;
        return true;
    });
    gui::connectStatementWindows();
    auto w = openWindow(id);
    const bool exported = w->exportXml();
    statementWindowHooks() = StatementWindowHooks();
    setXmlExportWindow({});
    ASSERT_TRUE(exported) << qPrintable(ui.messageTexts().join('\n'));
    EXPECT_EQ(periodText, QStringLiteral("Za okres I kwartał 2026 narastająco od początku roku"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(ui.messageTexts().join('\n'));
    EXPECT_TRUE(file.readAll().contains("Rb28S"));
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementWindowTest, test::allBackends(), test::backendName);

// ---- the printout threads themselves ----

// Set by the destructor of a printout thread's own storage, the last thing such a thread does.
std::atomic<bool> threadStorageFreed{false};

struct SlowThreadStorage {
    ~SlowThreadStorage()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        threadStorageFreed = true;
    }
};

TEST(StatementPrintoutThreads, AWaitEndsOnlyWhenThePrintoutThreadHasGoneAndIsBounded)
{
    std::atomic<bool> release{false};
    threadStorageFreed = false;
    startStatementPrintout([&release] {
        thread_local SlowThreadStorage storage;
        (void)storage;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    EXPECT_FALSE(waitForStatementPrintouts(50));
    release = true;
    ASSERT_TRUE(waitForStatementPrintouts(60000));
    // The module may be unloaded now: nothing of that thread runs any more.
    EXPECT_TRUE(threadStorageFreed);
}

TEST(StatementPrintoutThreads, AFailingPrintoutIsReportedAndTheOthersGoOn)
{
    ScriptedUi ui;
    setUi(&ui);
    std::atomic<int> printed{0};
    startStatementPrintout([] { throw std::runtime_error("brak pamięci"); });
    startStatementPrintout([] { throw 7; });
    for (int i = 0; i < 20; ++i)
        startStatementPrintout([&printed] { ++printed; });
    const bool ended = waitForStatementPrintouts(60000);
    setUi(nullptr);
    ASSERT_TRUE(ended);
    EXPECT_EQ(printed, 20);
    QStringList texts = ui.messageTexts();
    texts.sort();
    EXPECT_EQ(texts, QStringList({QStringLiteral("Wydruk przerwany: brak pamięci"), QStringLiteral("Wydruk przerwany: nieoczekiwany błąd.")}));
}

} // namespace
} // namespace pravik::statements
