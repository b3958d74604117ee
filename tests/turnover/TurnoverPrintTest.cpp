// The turnover statement printed from the demo company (company 1, year "2026", March) as a host
// without a screen asks for it: a PDF checked by qpdf and read back with pdftotext, and the text
// of a character printer. What the pages say is compared with the computed statement.
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/TurnoverComputation.h"
#include "turnover/TurnoverVariables.h"
#include "turnover/print/PrnObrotySql.h"
#include "turnover/print/TurnoverPrintout.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "siblings/tekston/CodePages.h"
#include "support/ProgramOutput.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QFile>
#include <dlfcn.h>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

using test::TestBackend;

constexpr qint32 kCompany = 1;
constexpr qint32 kYear = 2;
const QString kTitle = QStringLiteral("Zestawienie obrotów i sald kont analitycznych");

QString tool(const QString& program, const QStringList& args, int* exitCode)
{
    const test::ProcessRun r = test::runProcess(program, args, {60000});
    *exitCode = r.exitCode;
    return r.all();
}

using test::amountsIn;
using test::labelled;

QList<Decimal> columns(const TurnoverAmounts& a)
{
    return {a.opening.debit, a.opening.credit, a.period.debit, a.period.credit,
            a.cumulative.debit, a.cumulative.credit, a.closing.debit, a.closing.credit};
}

QList<Decimal> sum(const QList<Decimal>& a, const QList<Decimal>& b)
{
    QList<Decimal> out;
    for (qsizetype i = 0; i < qMin(a.size(), b.size()); ++i)
        out << a[i] + b[i];
    return out;
}

class TurnoverPrintTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = kCompany;
        s.DANE_ID_UZYTKOWNIKA_NR = 2;
        s.DANE_ID_UZYT = QStringLiteral("mkowalska");
        s.DANE_NAZWA_FIRMY = QStringLiteral("„Bursztyn” Sp. z o.o.");
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 4, 10);
        s.GLO_CUTEMP = folder.path();
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        chosen = TurnoverSettings();
        TurnoverSettings& t = chosen;
        t.yearId = kYear;
        t.period = monthPeriod(2026, 3);
        selectAccounts({});
        parameters.cumulativeWithOpening = true;
        parameters.yearName = QStringLiteral("2026");
        parameters.title = kTitle;
    }
    void TearDown() override
    {
        setUi(nullptr);
        setTurnoverVariables({});
    }

    void selectAccounts(const AccountSelection& selection)
    {
        const AccountListResult r = buildAccountList(kCompany, kYear, selection);
        ASSERT_TRUE(r.ok()) << r.problem.toStdString();
        chosen.accounts = r.accounts;
    }

    // The statement as the printout receives it (computed again, the same way).
    TurnoverStatement statement()
    {
        const TurnoverSettings& t = chosen;
        return computeTurnoverStatement(t.accounts, ComputationRequest::from(turnoverRequest(parameters, t, korda::session())), t, false);
    }

    void describe()
    {
        korda::session().DANE_OPIS_PRN.add(QStringLiteral("Waluta: PLN"));
        korda::session().DANE_OPIS_PRN.add(QStringLiteral("Okres obrotowy: Marzec"));
    }

    QStringList pdfPages()
    {
        const QString pdf = folder.filePath(QStringLiteral("obroty.pdf"));
        QFile::remove(pdf);
        korda::session().outputRequests.pdfPath = pdf;
        describe();
        EXPECT_EQ(runTurnoverStatement(turnoverRequest(parameters, chosen, korda::session())), 1);
        EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
        int code = -1;
        const QString check = tool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &code);
        EXPECT_EQ(code, 0) << check.toStdString();
        return pagesOf(pdf);
    }

    // The pages of a PDF as pdftotext -layout reads them.
    QStringList pagesOf(const QString& pdf)
    {
        int code = -1;
        const QString text = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, &code);
        EXPECT_EQ(code, 0);
        QStringList pages = text.split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    QString textPrinted(const QString& printer)
    {
        korda::Session& s = korda::session();
        s.DANE_RODZAJ_WYDRUKU = 2;
        s.DANE_DRUKARKA_EKRAN = 0;
        s.DANE_NAZWA_DRUKARKI = printer;
        const QString file = folder.filePath(QStringLiteral("obroty.txt"));
        s.outputRequests.textFile = file;
        describe();
        EXPECT_EQ(runTurnoverStatement(turnoverRequest(parameters, chosen, korda::session())), 1);
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return tekston::decode(f.readAll(), tekston::CodePage::Cp1250);
    }

    // The printed line of an account row: the first that starts with its number.
    static QString rowLine(const QStringList& pages, const QString& account)
    {
        for (const QString& page : pages)
            for (const QString& line : page.split(u'\n'))
                if (line.trimmed().startsWith(account + QStringLiteral("  ")))
                    return line;
        return {};
    }

    ScriptedUi ui;
    QTemporaryDir folder;
    TurnoverParameters parameters;
    TurnoverSettings chosen;
};

// A statement runs from its request alone: what the session says once the request is built
// (another company, the browse, another file, shading off) does not reach it.
TEST_P(TurnoverPrintTest, StatementRunsFromTheRequestItWasGiven)
{
    const QStringList expected = pdfPages();
    ASSERT_FALSE(expected.isEmpty());

    korda::Session& s = korda::session();
    const QString asked = folder.filePath(QStringLiteral("z-zadania.pdf"));
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    s.outputRequests.pdfPath = asked;
    describe();
    const TurnoverRequest request = turnoverRequest(parameters, chosen, s);
    s.DANE_ID_FIRMY = 99;
    s.DANE_ID_UZYTKOWNIKA_NR = 99;
    s.DANE_WYLACZ_SZAROSC = 1;
    s.outputRequests.browseRequest = 1;
    s.outputRequests.pdfPath = stray;
    EXPECT_EQ(runTurnoverStatement(request), 1);
    EXPECT_FALSE(QFile::exists(stray));
    EXPECT_EQ(pagesOf(asked), expected);
}

TEST_P(TurnoverPrintTest, StatementCarriesHeadingsTotalsAndClosingLinesPageByPage)
{
    chosen.groupTotals = true;
    chosen.netBalances = true;
    const TurnoverStatement st = statement();
    ASSERT_TRUE(st.completed());
    const QStringList pages = pdfPages();
    EXPECT_TRUE(ui.unexpected().isEmpty());
    ASSERT_GE(pages.size(), 3);

    const QString& first = pages.first();
    for (const char* text : {"„Bursztyn” Sp. z o.o.", "Rok obrotowy: 2026", "Data wydruku: 10-04-2026", "Waluta: PLN",
                             "Okres obrotowy: Marzec", "Zestawienie obrotów i sald kont analitycznych", "Konto", "Nazwa"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(first.contains(QStringLiteral("Z przeniesienia")));
    for (qsizetype p = 0; p < pages.size(); ++p) {
        for (const char* heading : {"BO", "Obroty w okresie", "Obroty narastająco", "Saldo", "Dt", "Ct"})
            EXPECT_TRUE(pages[p].contains(QString::fromUtf8(heading))) << heading << " on page " << p + 1;
        // Each page brings forward what the one before carried.
        if (p + 1 < pages.size()) {
            const QList<Decimal> carried = labelled(pages[p], QStringLiteral("Do przeniesienia"));
            EXPECT_EQ(carried.size(), 8) << "page " << p + 1;
            EXPECT_EQ(carried, labelled(pages[p + 1], QStringLiteral("Z przeniesienia"))) << "page " << p + 1;
        }
    }

    const QString& last = pages.last();
    const QList<Decimal> total = columns(st.totals);
    EXPECT_EQ(labelled(last, QStringLiteral("Razem")), total);
    EXPECT_EQ(sum(labelled(last, QStringLiteral("Z przeniesienia")), labelled(last, QStringLiteral("Razem na stronie"))), total);
    EXPECT_EQ(labelled(last, QStringLiteral("Persaldo")), columns(st.totals.net()));
    EXPECT_EQ(labelled(last, QStringLiteral("Podsumowanie zespołów kont")), columns(st.groupsSum));
    const TurnoverRow* group4 = st.find(RowKind::GroupTotal, QStringLiteral("Zespół 4"));
    ASSERT_NE(group4, nullptr);
    EXPECT_EQ(labelled(pages.join(u'\n'), QStringLiteral("Zespół 4")), columns(group4->amounts));
    // The closing block in its order, kept on the last page.
    qsizetype at = 0;
    for (const char* text : {"Podsumowanie zespołów kont", "\nRazem ", "W tym konta:", "Pozabilansowe", "\nPersaldo ",
                             "Wiersze podsumowujące, rozpoczynające się słowem RAZEM", "Koniec wydruku"}) {
        at = last.indexOf(QString::fromUtf8(text), at);
        EXPECT_GE(at, 0) << text;
    }

    // Zero hiding is off: every account row shows its eight amounts.
    const TurnoverRow* leaf = nullptr;
    for (const TurnoverRow& r : st.rows)
        if (r.kind == RowKind::Account && r.leaf && r.level > 1)
            leaf = &r;
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(amountsIn(rowLine(pages, leaf->account)), columns(leaf->amounts)) << leaf->account.toStdString();
}

TEST_P(TurnoverPrintTest, NetBalanceVariantOfSyntheticAccountsChangesHeadingsAndDropsTheNote)
{
    parameters.variant = 2;
    parameters.syntheticOnly = true;
    selectAccounts([] {
        AccountSelection s;
        s.syntheticOnly = true;
        return s;
    }());
    const TurnoverStatement st = statement();
    const QStringList pages = pdfPages();
    ASSERT_FALSE(pages.isEmpty());
    const QString all = pages.join(u'\n');
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Obroty narastająco")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("BO")));
    EXPECT_FALSE(all.contains(QStringLiteral("Obroty w okresie")));
    EXPECT_FALSE(all.contains(QStringLiteral("Wiersze podsumowujące")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")), columns(st.totals));
    // The third pair is the net balance: one side of each synthetic row is zero.
    for (const TurnoverRow& r : st.rows) {
        if (r.kind == RowKind::Account) {
            EXPECT_TRUE(r.amounts.closing.debit.isZero() || r.amounts.closing.credit.isZero()) << r.account.toStdString();
        }
    }
}

TEST_P(TurnoverPrintTest, ZeroHidingBlanksOnlyTheZeroAmounts)
{
    chosen.hideZeros = true;
    chosen.wrapLines = true;
    const TurnoverStatement st = statement();
    const QStringList pages = pdfPages();
    int checked = 0;
    int withZeroPeriod = 0;
    for (const TurnoverRow& r : st.rows) {
        if (r.kind != RowKind::Account || r.account.size() > 20)
            continue;
        const QString line = rowLine(pages, r.account);
        if (line.isEmpty())
            continue;
        QList<Decimal> shown;
        for (const Decimal& d : columns(r.amounts))
            if (!d.isZero())
                shown << d;
        EXPECT_EQ(amountsIn(line), shown) << line.toStdString();
        ++checked;
        if (r.amounts.period.isZero() && !r.amounts.closing.isZero())
            ++withZeroPeriod;
    }
    EXPECT_GT(checked, 20);
    EXPECT_GT(withZeroPeriod, 0);
}

TEST_P(TurnoverPrintTest, WrappedRowsSplitALongNameAtASpaceAndPrintTheRestBelow)
{
    AccountSelection only550;
    only550.rangeFrom = 550;
    only550.rangeTo = 550;
    selectAccounts(only550);
    // 70 characters; the last space within the first 45 is after "administracyjne".
    const QString name = QStringLiteral("Koszty zarządu i administracyjne ogólnozakładowe rozliczane w czasie x");
    ASSERT_EQ(name.size(), 70);
    chosen.accounts[0].name = name;
    chosen.wrapLines = true;
    const QStringList pages = pdfPages();
    const QStringList lines = pages.join(u'\n').split(u'\n');
    qsizetype at = -1;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].trimmed().startsWith(QStringLiteral("550 ")))
            at = i;
    ASSERT_GE(at, 0);
    EXPECT_TRUE(lines[at].contains(QStringLiteral("Koszty zarządu i administracyjne  ")) || lines[at].endsWith(QStringLiteral("administracyjne")))
        << lines[at].toStdString();
    EXPECT_FALSE(lines[at].contains(QStringLiteral("ogólnozakładowe")));
    EXPECT_EQ(lines[at + 1].trimmed(), QStringLiteral("ogólnozakładowe rozliczane w czasie x"));
}

TEST_P(TurnoverPrintTest, LeafAccountListsItsEntriesWithMonthTotalsAndContraAccounts)
{
    AccountSelection only550;
    only550.rangeFrom = 550;
    only550.rangeTo = 550;
    selectAccounts(only550);
    TurnoverSettings& t = chosen;
    t.entries = true;
    t.allEntries = true;
    t.contraAccount = true;
    t.mpkEntries = true;
    t.groupMpk = true;
    const TurnoverStatement st = statement();
    const TurnoverRow* row = st.find(RowKind::Account, QStringLiteral("550"));
    ASSERT_NE(row, nullptr);
    ASSERT_TRUE(row->leaf);
    const QStringList pages = pdfPages();
    const QString all = pages.join(u'\n');
    for (const char* heading : {"Nr poz.", "Nr dziennika", "Nr dokumentu", "Nr ewidencyjny", "Data księg.", "K. przeciwstawne"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(heading))) << heading;
    // The month totals of the entries add up to the account's turnovers up to March.
    QList<Decimal> months{Decimal(), Decimal()};
    for (int m = 1; m <= 3; ++m) {
        const QList<Decimal> month = labelled(all, QStringLiteral("Razem %1-2026").arg(m));
        ASSERT_EQ(month.size(), 2) << "month " << m;
        months = sum(months, month);
    }
    EXPECT_EQ(months, (QList<Decimal>{row->amounts.cumulative.debit, row->amounts.cumulative.credit}));
    EXPECT_TRUE(all.contains(QStringLiteral("Razem dla ")));
    // Entries name the accounts on the other side of their document.
    static const QRegularExpression contra(QStringLiteral("\\d{2}-\\d{2}-2026 .*,\\d{2}\\s+\\d{3}(-\\w+)*(,\\d{3}(-\\w+)*)*(\\.\\.\\.)?\\s*$"),
                                           QRegularExpression::MultilineOption);
    EXPECT_TRUE(contra.match(all).hasMatch()) << all.toStdString();
}

TEST_P(TurnoverPrintTest, TextPrinterOnCutSheetsBreaksPagesWithCarryOver)
{
    const TurnoverStatement st = statement();
    const QString text = textPrinted(QStringLiteral("Epson LQ-590")); // 66 lines, margins 3 and 3, KARTKI
    EXPECT_TRUE(ui.unexpected().isEmpty());
    const QStringList pages = text.split(u'\f');
    ASSERT_GE(pages.size(), 3);
    for (qsizetype p = 0; p < pages.size(); ++p) {
        EXPECT_LE(pages[p].split(QStringLiteral("\r\n")).size(), 67) << "page " << p + 1;
        if (p + 1 < pages.size()) {
            EXPECT_TRUE(pages[p].contains(QStringLiteral("Obr. w okr."))) << "page " << p + 1;
            EXPECT_EQ(labelled(pages[p], QStringLiteral("Do przeniesienia")), labelled(pages[p + 1], QStringLiteral("Z przeniesienia")));
        }
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Obr. nar.")));
    EXPECT_FALSE(text.contains(QStringLiteral("Obroty w okresie")));
    EXPECT_EQ(labelled(text, QStringLiteral("Razem")), columns(st.totals));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}

// The older statement a host calls by name is the turnover statement with its last two
// parameters 0: the same pages as PRN_OBROTY_SQL called with those two off.
TEST_P(TurnoverPrintTest, OlderStatementPrintsTheTurnoverStatementWithTheLastTwoParametersOff)
{
    parameters.nonZeroBalanceSynthetic = parameters.lastLevelOnly = false;
    const QStringList expected = pdfPages();
    ASSERT_FALSE(expected.isEmpty());

    using Older = void (*)(unsigned char, unsigned char, unsigned char, unsigned char, const char*, const char*,
                           unsigned char, unsigned char, const char*, unsigned char, unsigned char);
    const auto older = reinterpret_cast<Older>(dlsym(RTLD_DEFAULT, "PRN_OBROTY"));
    ASSERT_NE(older, nullptr);
    const QString pdf = folder.filePath(QStringLiteral("stare.pdf"));
    korda::session().outputRequests.pdfPath = pdf;
    describe();
    setTurnoverVariables(chosen); // as the window leaves them
    older(1, 1, 0, 0, "", "2026", 1, 0, kTitle.toUtf8().constData(), 0, 0);
    EXPECT_EQ(korda::session().globalResponse, 1);
    int code = -1;
    QStringList pages = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, &code).split(u'\f');
    ASSERT_EQ(code, 0);
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    EXPECT_EQ(pages, expected);
}

INSTANTIATE_TEST_SUITE_P(SQLite, TurnoverPrintTest, ::testing::Values(TestBackend::SQLite), test::backendName);

// One full run on PostgreSQL: the same statement, the same pages.
class TurnoverPrintPostgresTest : public TurnoverPrintTest {};
TEST_P(TurnoverPrintPostgresTest, StatementPrintsTheSameTotals)
{
    chosen.groupTotals = true;
    const TurnoverStatement st = statement();
    ASSERT_TRUE(st.completed());
    const QStringList pages = pdfPages();
    ASSERT_GE(pages.size(), 2);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")), columns(st.totals));
    EXPECT_EQ(labelled(pages.first(), QStringLiteral("Do przeniesienia")), labelled(pages[1], QStringLiteral("Z przeniesienia")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}
INSTANTIATE_TEST_SUITE_P(PostgreSQL, TurnoverPrintPostgresTest, ::testing::Values(TestBackend::PostgreSQL), test::backendName);

} // namespace
} // namespace pravik::turnover
