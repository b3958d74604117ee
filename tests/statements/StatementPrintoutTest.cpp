// The multi-column statement printout over the demo company, on SQLite and PostgreSQL: the rows
// and totals of the data stage against sums the test computes from the postings, the printed PDF
// against the generated rows, a twenty-column statement on one sheet, page totals and carry-over.
#include "statements/generation/StatementGeneration.h"
#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementProcedures.h"

#include "platform/DayNumber.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace pravik::statements {
namespace {

using sql::sqlText;
using test::TestBackend;

constexpr int kUser = 1;
constexpr int kWideId = 900;   // the twenty-column statement the tests add
constexpr int kLevelsId = 901; // rows at negative levels
constexpr int kWideRows = 120;

// Amounts in a printed line: "-1 234,56".
QList<Decimal> amountsIn(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("-?\\d{1,3}(?: \\d{3})*,\\d{2}"));
    QList<Decimal> out;
    for (auto it = amount.globalMatch(text); it.hasNext();)
        out << Decimal::parse(it.next().captured(0).remove(u' ').replace(u',', u'.')).value_or(Decimal());
    return out;
}

// Half away from zero, in whole numbers.
qint64 divideRounded(qint64 n, qint64 d)
{
    const qint64 q = (qAbs(n) + d / 2) / d;
    return n < 0 ? -q : q;
}

class StatementPrintoutTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        demo = &test::sharedDemo(GetParam());
        ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
        sql::Database::setCurrent(demo->where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_ID_UZYTKOWNIKA_NR = kUser;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2026");
        s.GLO_CUTEMP = folder.path();
        addTestStatements();
    }
    void TearDown() override { setUi(nullptr); }

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

    // A statement of 20 columns (column c: c times the debit turnovers of group 4 plus the row
    // number) and one whose detail rows sit at level -2. Added once per database.
    void addTestStatements()
    {
        if (scalar(QStringLiteral("select count(*) from ZESTAW_NAG where id_zestaw_nag=%1").arg(kWideId)).toInt() > 0)
            return;
        QStringList names = {"id_zestaw_nag", "id_firmy", "id_zestaw_grupa", "nazwa", "typ", "wariant", "ilosc_kolumn",
                             "czy_rozne_definicje", "etykieta_0"};
        QStringList values = {QString::number(kWideId), "1", "0", sqlText(u"Dwadzieścia kolumn"), "''", "''", "20", "1",
                              sqlText(u"Pozycja")};
        for (int c = 1; c <= 20; ++c) {
            names << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("id_lo_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
            values << sqlText(QStringLiteral("Kol%1").arg(c, 2, 10, QLatin1Char('0'))) << "0" << "0";
        }
        exec(QStringLiteral("insert into ZESTAW_NAG (%1) values (%2)").arg(names.join(','), values.join(',')));
        int formula = 90000;
        for (int i = 1; i <= kWideRows; ++i) {
            const int row = 90000 + i;
            exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                                " (%1, %2, %3, '', %4, 1, '')").arg(row).arg(kWideId).arg(i).arg(sqlText(QStringLiteral("Pozycja %1").arg(i, 3, 10, QLatin1Char('0')))));
            for (int c = 1; c <= 20; ++c)
                exec(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz_formula, id_zestaw_poz, nr_kolumny, formula)"
                                    " values (%1, %2, %3, %4)").arg(++formula).arg(row).arg(c).arg(sqlText(QStringLiteral("WN(\"4*\")*%1+%2").arg(c).arg(i))));
        }
        exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag, id_firmy, id_zestaw_grupa, nazwa, typ, wariant, ilosc_kolumn,"
                            " czy_rozne_definicje, etykieta_0, etykieta_1, id_lo_1, czy_bo_1) values (%1, 1, 0, %2, '', '', 1, 0,"
                            " 'Pozycja', 'Kwota', 0, 0)").arg(kLevelsId).arg(sqlText(u"Poziomy ujemne")));
        const QList<QPair<int, QString>> rows = {{1, "W(2)+W(3)"}, {-2, "WN(\"400*\")"}, {-2, "WN(\"401*\")"}};
        for (int i = 0; i < rows.size(); ++i) {
            exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz, id_zestaw_nag, lp, symbol, nazwa, poziom, typ) values"
                                " (%1, %2, %3, '', %4, %5, '')").arg(95000 + i).arg(kLevelsId).arg(i + 1).arg(sqlText(QStringLiteral("Wiersz %1").arg(i + 1))).arg(rows[i].first));
            exec(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz_formula, id_zestaw_poz, nr_kolumny, formula)"
                                " values (%1, %2, 1, %3)").arg(95000 + i).arg(95000 + i).arg(sqlText(rows[i].second)));
        }
    }

    int statementId(const QString& name)
    {
        return scalar(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=1 and nazwa=%1").arg(sqlText(name))).toInt();
    }

    // The statement window's part: the column periods, then the call.
    void generate(int id)
    {
        GenerationRequest g;
        g.company = 1;
        g.year = 2;
        g.user = kUser;
        g.statements = {id};
        g.from = from;
        g.to = to;
        QString error;
        ASSERT_TRUE(useRequestPeriod(&g, &error)) << qPrintable(error);
        const auto failure = generateStatements(g);
        ASSERT_FALSE(failure) << qPrintable(failure->text);
    }

    StatementPrintRequest request(int id)
    {
        StatementPrintRequest r;
        r.company = 1;
        r.user = kUser;
        r.rowFilter = StatementPrintRequest::userRowsFilter(kUser);
        r.statementId = id;
        r.yearName = QStringLiteral("2026");
        return r;
    }

    StatementHead head(const StatementPrintRequest& r)
    {
        QString error;
        const QList<StatementHead> heads = statementsToPrint(r, &error);
        EXPECT_EQ(error, QString());
        EXPECT_EQ(heads.size(), 1);
        return heads.value(0);
    }

    // The generated cells as ZESTAW_ZESTAW holds them.
    QList<QList<Decimal>> generatedRows(int id, int columns)
    {
        QStringList kols;
        for (int c = 1; c <= columns; ++c)
            kols << QStringLiteral("kol%1").arg(c);
        sql::Cursor c = db().execNative(QStringLiteral("select %1 from ZESTAW_ZESTAW where id_uzytkownika=%2 and id_zestaw_nag=%3"
                                                       " and wariant_zestaw=1 order by lp").arg(kols.join(',')).arg(kUser).arg(id));
        QList<QList<Decimal>> out;
        while (c.next()) {
            QList<Decimal> row;
            for (int i = 0; i < columns; ++i)
                row << test::dec(c.value(i));
            out << row;
        }
        return out;
    }

    Decimal debitTurnover(const QString& like)
    {
        return test::dec(scalar(QStringLiteral("select sum(kwota_wn) from POZ_DOK_VIEW_UNION where id_firmy=1 and id_lata_obrot=2"
                                               " and konto like %1 and data_okresu between %2 and %3")
                                    .arg(sqlText(like)).arg(monthPeriod(2026, 1)).arg(monthPeriod(2026, 3))));
    }

    // Prints to PDF and returns the text of each page.
    QStringList printedPages(const StatementPrintRequest& r, const QString& name)
    {
        korda::Session& s = korda::session();
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        const QString pdf = folder.filePath(name);
        s.outputRequests.pdfPath = pdf;
        StatementPrintRequest toPdf = r;
        toPdf.output = frame::OutputTarget::fromSession(s);
        EXPECT_EQ(runStatementRequest(toPdf), 1) << qPrintable(ui.messageLog().join('\n'));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    }

    test::DemoDatabase* demo = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
    const DayNumber from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 3, 31);
};

TEST_P(StatementPrintoutTest, DemoStatementsPrintTheGeneratedRowsAndTotals)
{
    for (const QString& name : {QStringLiteral("Rachunek zysków i strat (wariant porównawczy)"), QStringLiteral("Koszty rodzajowe")}) {
        const int id = statementId(name);
        ASSERT_GT(id, 0) << qPrintable(name);
        generate(id);
        StatementPrintRequest r = request(id);
        r.options.reportTotal = true;
        const StatementHead h = head(r);
        const QList<QList<Decimal>> generated = generatedRows(id, h.columns);
        const StatementFigures figures = readStatement(r, h);
        ASSERT_EQ(figures.error, QString());
        ASSERT_EQ(figures.rows.size(), generated.size()) << qPrintable(name);
        // "Razem" adds the rows of the highest level, as deep as the test finds it.
        int deepest = 0;
        sql::Cursor levels = db().execNative(QStringLiteral("select poziom from ZESTAW_ZESTAW where id_uzytkownika=%1 and id_zestaw_nag=%2"
                                                            " and wariant_zestaw=1 order by lp").arg(kUser).arg(id));
        QList<int> rowLevels;
        while (levels.next())
            rowLevels << qAbs(levels.value(0).toInt());
        for (int l : rowLevels)
            deepest = qMax(deepest, l);
        QList<Decimal> total(h.columns);
        for (qsizetype i = 0; i < generated.size(); ++i)
            for (int c = 0; c < h.columns; ++c) {
                EXPECT_EQ(figures.rows[i].amounts[c], generated[i][c]) << qPrintable(name) << " row " << i + 1;
                if (rowLevels[i] == deepest)
                    total[c] += generated[i][c];
            }
        for (int c = 0; c < h.columns; ++c)
            EXPECT_EQ(figures.total[c], total[c]) << qPrintable(name) << " column " << c + 1;

        // The PDF: one line per row with the same amounts, then "Razem".
        const QStringList pages = printedPages(r, QStringLiteral("demo.pdf"));
        ASSERT_EQ(pages.size(), 1);
        const QStringList lines = pages[0].split('\n');
        qsizetype at = 0;
        for (qsizetype i = 0; i < figures.rows.size(); ++i) {
            const QString start = figures.rows[i].text.left(25);
            while (at < lines.size() && !lines[at].trimmed().startsWith(start))
                ++at;
            ASSERT_LT(at, lines.size()) << qPrintable(start);
            EXPECT_EQ(amountsIn(lines[at]), generated[i]) << qPrintable(lines[at]);
        }
        const QRegularExpression razem(QStringLiteral("^\\s*Razem\\s"));
        const auto totalLine = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return razem.match(l).hasMatch(); });
        ASSERT_NE(totalLine, lines.end());
        EXPECT_EQ(amountsIn(*totalLine), total);
        EXPECT_TRUE(pages[0].contains(QStringLiteral("Strona 1 / 1")));
        EXPECT_FALSE(pages[0].contains(QStringLiteral("Z przeniesienia")));
    }
    // The profit and loss account against the postings themselves: row 5 is the debit
    // turnovers of 400 in the quarter.
    const int id = statementId(QStringLiteral("Rachunek zysków i strat (wariant porównawczy)"));
    generate(id);
    const StatementPrintRequest r = request(id);
    EXPECT_EQ(readStatement(r, head(r)).rows.value(4).amounts[0], debitTurnover(QStringLiteral("400%")));
}

// The printout goes where its request says: a later file or browse request does not redirect it.
TEST_P(StatementPrintoutTest, PrintoutGoesToTheTargetOfItsRequest)
{
    const int id = statementId(QStringLiteral("Koszty rodzajowe"));
    ASSERT_GT(id, 0);
    generate(id);
    const StatementPrintRequest r = request(id);
    const QStringList expected = printedPages(r, QStringLiteral("oczekiwany.pdf"));
    ASSERT_FALSE(expected.isEmpty());

    korda::Session& s = korda::session();
    const QString asked = folder.filePath(QStringLiteral("zadany.pdf"));
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    s.outputRequests.pdfPath = asked;
    StatementPrintRequest toPdf = r;
    toPdf.output = frame::OutputTarget::fromSession(s);
    s.outputRequests.pdfPath = stray;
    s.outputRequests.browseRequest = 1;
    EXPECT_EQ(runStatementRequest(toPdf), 1) << qPrintable(ui.messageLog().join('\n'));
    s.outputRequests.browseRequest = 0;
    EXPECT_FALSE(QFileInfo::exists(stray));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), asked, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts), expected);
}

TEST_P(StatementPrintoutTest, ThousandsComeBeforeRoundingAndTruncation)
{
    const int id = statementId(QStringLiteral("Rachunek zysków i strat (wariant porównawczy)"));
    generate(id);
    const QList<QList<Decimal>> generated = generatedRows(id, 2);
    struct Case {
        bool thousands, round, noDecimals;
    };
    for (const Case& k : {Case{true, false, false}, Case{true, true, false}, Case{true, false, true}, Case{false, true, true},
                          Case{false, false, true}}) {
        StatementPrintRequest r = request(id);
        r.options.thousands = k.thousands;
        r.options.round = k.round;
        r.options.noDecimals = k.noDecimals;
        const StatementFigures f = readStatement(r, head(r));
        ASSERT_EQ(f.rows.size(), generated.size());
        for (qsizetype i = 0; i < generated.size(); ++i)
            for (int c = 0; c < 2; ++c) {
                qint64 cents = generated[i][c].cents();
                if (k.thousands)
                    cents = divideRounded(cents, 1000);
                if (k.round)
                    cents = divideRounded(cents, 100) * 100;
                else if (k.noDecimals)
                    cents = cents / 100 * 100;
                EXPECT_EQ(f.rows[i].amounts[c].cents(), cents) << "row " << i + 1 << " " << k.thousands << k.round << k.noDecimals;
            }
    }
    // Printed: thousands and rounding keep ",00"; without decimals there are none.
    StatementPrintRequest r = request(id);
    r.options.thousands = r.options.round = true;
    const QString page = printedPages(r, QStringLiteral("tys.pdf")).value(0);
    EXPECT_TRUE(page.contains(QStringLiteral("Kwoty w tysiącach złotych")));
    const qint64 firstUnits = divideRounded(divideRounded(generated[0][0].cents(), 1000), 100);
    EXPECT_TRUE(page.contains(amountText(Decimal::fromUnits(firstUnits), false))) << qPrintable(page);
    r.options.round = false;
    r.options.noDecimals = true;
    const QString bare = printedPages(r, QStringLiteral("tys0.pdf")).value(0);
    EXPECT_TRUE(bare.contains(QStringLiteral("Kwoty w tysiącach złotych bez znaku po przecinku")));
    EXPECT_FALSE(bare.contains(QRegularExpression(QStringLiteral("\\d,\\d\\d"))));
}

TEST_P(StatementPrintoutTest, NegativeLevelsCountInTheTotalsButAreNeverBold)
{
    generate(kLevelsId);
    StatementPrintRequest r = request(kLevelsId);
    const StatementHead h = head(r);
    EXPECT_EQ(h.maxLevel, 2);
    const StatementFigures f = readStatement(r, h);
    ASSERT_EQ(f.rows.size(), 3);
    EXPECT_TRUE(f.rows[0].bold);
    EXPECT_FALSE(f.rows[1].bold);
    EXPECT_FALSE(f.rows[0].counted);
    EXPECT_TRUE(f.rows[1].counted && f.rows[2].counted);
    EXPECT_EQ(f.total[0], debitTurnover(QStringLiteral("400%")) + debitTurnover(QStringLiteral("401%")));
    r.options.totalsMode = TotalsMode::LowestLevel;
    EXPECT_EQ(readStatement(r, h).total[0], f.rows[0].amounts[0]);
    r.options.boldOff = true;
    EXPECT_FALSE(readStatement(r, h).rows[0].bold);
}

TEST_P(StatementPrintoutTest, WrappedRowTextIsPrintedWhole)
{
    // A 500-character description: with wrapping every word reaches the page, over as many
    // continuation lines as it takes.
    QStringList words;
    for (int i = 1; i <= 70; ++i)
        words << QStringLiteral("słowo%1").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = words.join(' ').left(490).section(' ', 0, -2) + QStringLiteral(" KONIEC");
    exec(QStringLiteral("update ZESTAW_POZ set nazwa=%1 where id_zestaw_poz=95000").arg(sqlText(text)));
    generate(kLevelsId);
    StatementPrintRequest r = request(kLevelsId);
    r.options.wrap = true;
    const QString page = printedPages(r, QStringLiteral("wrap.pdf")).value(0);
    for (const QString& word : text.split(' '))
        EXPECT_TRUE(page.contains(word)) << qPrintable(word);
    r.options.wrap = false;
    const QString clipped = printedPages(r, QStringLiteral("clip.pdf")).value(0);
    EXPECT_TRUE(clipped.contains(words.first()));
    EXPECT_FALSE(clipped.contains(QStringLiteral("KONIEC")));
    exec(QStringLiteral("update ZESTAW_POZ set nazwa='Wiersz 1' where id_zestaw_poz=95000"));
}

TEST_P(StatementPrintoutTest, TwentyColumnsFitOneSheetWithPageTotalsAndCarryOver)
{
    generate(kWideId);
    StatementPrintRequest r = request(kWideId);
    r.options.reportTotal = r.options.pageTotals = r.options.broughtForward = r.options.carriedForward = true;
    r.options.ordinal = true;
    const QStringList pages = printedPages(r, QStringLiteral("wide.pdf"));
    ASSERT_GE(pages.size(), 2);
    const Decimal t = debitTurnover(QStringLiteral("4%"));
    auto expectedRow = [&](int i) {
        QList<Decimal> row;
        for (int c = 1; c <= 20; ++c)
            row << t.multipliedBy(Decimal::fromUnits(c)) + Decimal::fromUnits(i);
        return row;
    };
    QList<Decimal> grand(20);
    for (int i = 1; i <= kWideRows; ++i)
        for (int c = 0; c < 20; ++c)
            grand[c] += expectedRow(i)[c];

    int seen = 0;
    QList<Decimal> carried;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QString& page = pages[p];
        for (int c = 1; c <= 20; ++c)
            EXPECT_TRUE(page.contains(QStringLiteral("Kol%1").arg(c, 2, 10, QLatin1Char('0')))) << "page " << p + 1 << " Kol" << c;
        EXPECT_TRUE(page.contains(QStringLiteral("Strona %1 / %2").arg(p + 1).arg(pages.size())));
        QList<Decimal> pageSum(20), broughtForward, carriedForward, pageTotal, razem;
        for (const QString& line : page.split('\n')) {
            static const QRegularExpression rowText(QStringLiteral("Pozycja (\\d{3})"));
            if (const auto m = rowText.match(line); m.hasMatch()) {
                const int i = m.captured(1).toInt();
                EXPECT_EQ(amountsIn(line), expectedRow(i)) << qPrintable(line);
                for (int c = 0; c < 20; ++c)
                    pageSum[c] += expectedRow(i)[c];
                ++seen;
            } else if (line.contains(QStringLiteral("Z przeniesienia"))) {
                broughtForward = amountsIn(line);
            } else if (line.contains(QStringLiteral("Do przeniesienia"))) {
                carriedForward = amountsIn(line);
            } else if (line.contains(QStringLiteral("Razem na stronie"))) {
                pageTotal = amountsIn(line);
            } else if (line.trimmed().startsWith(QStringLiteral("Razem"))) {
                razem = amountsIn(line);
            }
        }
        EXPECT_EQ(pageTotal, pageSum) << "page " << p + 1;
        if (p == 0)
            EXPECT_TRUE(broughtForward.isEmpty());
        else
            EXPECT_EQ(broughtForward, carried) << "page " << p + 1;
        if (p + 1 < pages.size())
            carried = carriedForward;
        else
            EXPECT_EQ(razem, grand);
    }
    EXPECT_EQ(seen, kWideRows);
}

// In a group, "Z przeniesienia" belongs to a statement that itself ran over a page: the short
// statement after a long one has nothing brought forward.
TEST_P(StatementPrintoutTest, BroughtForwardOnlyAfterTheStatementsOwnPageBreak)
{
    if (scalar(QStringLiteral("select count(*) from ZESTAW_GRUPA where id_zestaw_grupa=990")).toInt() == 0) {
        exec(QStringLiteral("insert into ZESTAW_GRUPA (id_zestaw_grupa, id_firmy, nazwa, typ, predef) values (990, 1, 'Test', '', 0)"));
        exec(QStringLiteral("update ZESTAW_NAG set id_zestaw_grupa=990 where id_zestaw_nag in (%1, %2)").arg(kWideId).arg(kLevelsId));
    }
    generate(kWideId);
    generate(kLevelsId);
    StatementPrintRequest r = request(kWideId);
    r.groupId = 990;
    r.options.wholeGroup = true;
    r.options.broughtForward = r.options.reportTotal = true;
    const QStringList pages = printedPages(r, QStringLiteral("group.pdf"));
    ASSERT_GE(pages.size(), 2);
    // The wide statement breaks and ends with what it brought forward.
    EXPECT_TRUE(pages.last().section(QStringLiteral("Poziomy ujemne"), 0, 0).contains(QStringLiteral("Z przeniesienia")));
    const QString second = pages.last().section(QStringLiteral("Poziomy ujemne"), 1);
    ASSERT_FALSE(second.isEmpty()) << "the short statement fits the last page";
    EXPECT_TRUE(second.contains(QStringLiteral("Razem")));
    EXPECT_FALSE(second.contains(QStringLiteral("Z przeniesienia"))) << qPrintable(second);
}

TEST_P(StatementPrintoutTest, ExportModeFillsTheQueueInsteadOfPrinting)
{
    const int id = statementId(QStringLiteral("Koszty rodzajowe"));
    generate(id);
    korda::Session& s = korda::session();
    s.GGG_PRN_EXPORT_XML = 1;
    s.outputRequests.pdfPath = folder.filePath(QStringLiteral("never.pdf"));
    EXPECT_EQ(PRN_ZESTAW_MULTIKOL_NEW(StatementPrintRequest::userRowsFilter(kUser), QStringLiteral("0"), QString::number(id)), 1);
    EXPECT_FALSE(QFile::exists(s.outputRequests.pdfPath));
    const QList<QList<Decimal>> generated = generatedRows(id, 3);
    ASSERT_EQ(s.GGG_XML_Q.size(), generated.size() + 1);
    EXPECT_EQ(s.GGG_XML_Q[0].mid(1), (QStringList{"Obroty Wn", "Obroty Ma", "Saldo"}));
    for (qsizetype i = 0; i < generated.size(); ++i)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(Decimal::parse(QString(s.GGG_XML_Q[i + 1][1 + c]).replace(',', '.')), generated[i][c]);
}

TEST_P(StatementPrintoutTest, OlderPrintoutsUseTheirFixedColumns)
{
    const int id = statementId(QStringLiteral("Koszty rodzajowe"));
    generate(id);
    const QList<QList<Decimal>> generated = generatedRows(id, 3);
    korda::Session& s = korda::session();
    s.DANE_DRUKARKA_EKRAN = 1;
    auto pdfText = [&](const QString& name, auto procedure) {
        s.outputRequests.pdfPath = folder.filePath(name);
        EXPECT_EQ(procedure(1, StatementPrintRequest::userRowsFilter(kUser), QStringLiteral("Koszty w kolumnach"), 0, 0, id), 1);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), s.outputRequests.pdfPath, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    auto firstRowAmounts = [&](const QString& text) {
        for (const QString& line : text.split('\n'))
            if (line.contains(QStringLiteral("Amortyzacja")))
                return amountsIn(line);
        return QList<Decimal>();
    };
    const QString two = pdfText(QStringLiteral("2kol.pdf"), PRN_ZESTAW_2KOL);
    EXPECT_TRUE(two.contains(QStringLiteral("Koszty w kolumnach")));
    const QList<Decimal> first = firstRowAmounts(two);
    ASSERT_EQ(first.size(), 2);
    ASSERT_FALSE(generated.isEmpty());
    EXPECT_EQ(first, generated[0].mid(0, 2));
    const QString twenty = pdfText(QStringLiteral("20kol.pdf"), PRN_ZESTAW_MULTIKOL);
    EXPECT_TRUE(twenty.contains(QRegularExpression(QStringLiteral("\\bLp\\b"))));
    EXPECT_EQ(firstRowAmounts(twenty).size(), 20);
    EXPECT_EQ(firstRowAmounts(pdfText(QStringLiteral("5kol.pdf"), PRN_ZESTAW_MULTIKOL_OLD)).size(), 5);
    EXPECT_EQ(firstRowAmounts(twenty).mid(0, 2), first);
}

TEST_P(StatementPrintoutTest, ThePrintoutThreadReadsTheWindowsOptions)
{
    // The window leaves its options in module storage and starts the printout on a thread of its
    // own; the rows then come in export mode with the ordinal the window asked for.
    const int id = statementId(QStringLiteral("Koszty rodzajowe"));
    generate(id);
    statementPrintOptions() = StatementPrintOptions();
    statementPrintOptions().ordinal = true;
    statementPrintOptions().thousands = true;
    korda::Session& s = korda::session();
    s.GGG_PRN_EXPORT_XML = 1;
    QList<QStringList> queue;
    int response = 0;
    std::thread t = korda::startThread(carryPrintOptions([&] {
        response = PRN_ZESTAW_MULTIKOL_NEW(StatementPrintRequest::userRowsFilter(kUser), QStringLiteral("0"), QString::number(id));
        queue = korda::session().GGG_XML_Q;
    }));
    t.join();
    statementPrintOptions() = StatementPrintOptions();
    EXPECT_EQ(response, 1);
    ASSERT_GT(queue.size(), 1);
    EXPECT_EQ(queue[0].value(0), QStringLiteral("Lp"));
    EXPECT_EQ(queue[1].value(0), QStringLiteral("1"));
    const QList<QList<Decimal>> generated = generatedRows(id, 3);
    EXPECT_EQ(Decimal::parse(QString(queue[1][2]).replace(',', '.')), generated[0][0].dividedBy1000());
}

INSTANTIATE_TEST_SUITE_P(Backends, StatementPrintoutTest, test::allBackends(), test::backendName);

// ---- the parts that need no database ----

TEST(StatementPrintParts, GroupOrderIgnoresCaseThenNameThenId)
{
    auto head = [](qint64 id, const QString& name, const QString& code) {
        StatementHead h;
        h.id = id;
        h.name = name;
        h.formCode = code;
        return h;
    };
    QList<StatementHead> heads = {head(1, "Zobowiązania", "RbZ"),          head(2, "Poręczenia", "RbZPoreczeniaGwarancje"),
                                  head(3, "Tytuły", "RbZTytulyDluzne"),    head(4, "Bilans", ""),
                                  head(5, "Kredyty", "RbZKredytyPozyczki"), head(6, "bilans", ""),
                                  head(7, "Bilans", "")};
    std::sort(heads.begin(), heads.end(), printsBefore);
    QList<qint64> order;
    for (const StatementHead& h : heads)
        order << h.id;
    // Empty codes first (by name without case, then id), then a..., b..., c..., then "RbZ".
    EXPECT_EQ(order, (QList<qint64>{4, 6, 7, 3, 2, 5, 1}));
}

TEST(StatementPrintParts, ColumnsAlwaysFitTheSheet)
{
    report::PageSetup a4;
    a4.margins = {250, 300, 250, 300};
    for (bool ordinal : {false, true})
        for (int n = 1; n <= 20; ++n) {
            const ColumnPlan p = planColumns(n, ordinal, QStringLiteral("-999 999 999,99"), a4);
            EXPECT_LE(p.ordinalWidth + p.textWidth + n * p.amountWidth, p.bodyWidth) << n;
            EXPECT_GT(p.textWidth, 0);
            if (n <= 4)
                EXPECT_EQ(p.orientation, report::Orientation::Portrait) << n;
        }
    EXPECT_EQ(planColumns(20, true, QStringLiteral("-99 999 999,99"), a4).orientation, report::Orientation::Landscape);
    EXPECT_EQ(planColumns(2, false, QStringLiteral("-99 999 999,99"), a4).fontPoints, 8);
}

TEST(StatementPrintParts, WrappedTextLosesNothing)
{
    const QString word = QStringLiteral("konto ");
    const QString text = (word.repeated(90) + QStringLiteral("Koniec")).trimmed(); // ~540 characters
    const QStringList lines = wrapText(text, 20);
    EXPECT_GT(lines.size(), 11);
    EXPECT_EQ(lines.join(' '), text);
    for (const QString& l : lines)
        EXPECT_LE(l.size(), 20);
    EXPECT_EQ(wrapText(QString(45, 'x'), 20), (QStringList{QString(20, 'x'), QString(20, 'x'), QString(5, 'x')}));
}

} // namespace
} // namespace pravik::statements
