// "pravik statement" with the window's other choices, on SQLite and PostgreSQL: a statement as at
// one day, a saved variant of the window, the user's lists rebuilt before generating, the rows as
// a spreadsheet and for a text printer. Figures are checked against sums over the postings, or
// against the rows the generation left in ZESTAW_ZESTAW.
#include "support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using pravik::test::TestBackend;

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    Outcome r;
    if (!p.waitForStarted(10000) || !p.waitForFinished(120000)) {
        ADD_FAILURE() << "cannot run " << program.toStdString();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Outcome pravik(const QStringList& args)
{
    return run(qEnvironmentVariable("PRAVIK_BINARY_DIR", QStringLiteral(PRAVIK_BINARY_DIR)) + QStringLiteral("/bin/pravik"), args);
}

const QString kProfitAndLoss = QStringLiteral("Rachunek zysków i strat (wariant porównawczy)");
// Month periods of the demo's years (day 2 of the month; the opening period is the year's first
// day): 2026 from January, and the first fiscal year, October 2024 to December 2025, from its start.
const QString kYear2026To28Feb = QStringLiteral("id_lata_obrot=2 and data_okresu between 82185 and 82216");
const QString kYear2025To28Feb = QStringLiteral("id_lata_obrot=1 and data_okresu between 81728 and 81851");

class CliStatementOptions : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        database = pravik::test::makeTestDatabase(GetParam());
        ASSERT_FALSE(database.url.isEmpty());
        const Outcome init = pravik({QStringLiteral("--db"), database.url, QStringLiteral("db"), QStringLiteral("init"),
                                     QStringLiteral("--demo"), QStringLiteral("--postings"), QStringLiteral("2000"),
                                     QStringLiteral("--seed"), QStringLiteral("7")});
        ASSERT_EQ(init.exitCode, 0) << (init.out + init.err).toStdString();
    }

    Outcome statement(const QStringList& more)
    {
        return pravik(QStringList{QStringLiteral("--db"), database.url, QStringLiteral("--date"), QStringLiteral("2026-04-15"),
                                  QStringLiteral("--year"), QStringLiteral("2"), QStringLiteral("--user"), QStringLiteral("admin"),
                                  QStringLiteral("statement")}
                      + more);
    }

    // The rows of a query (cells apart by tabs), or what a call returns.
    QString sql(const QString& text, const QString& via = QString())
    {
        QStringList args = {QStringLiteral("--db"), database.url, QStringLiteral("sql"), text};
        if (!via.isEmpty())
            args << QStringLiteral("--via") << via;
        const Outcome r = pravik(args);
        EXPECT_EQ(r.exitCode, 0) << text.toStdString() << ": " << r.err.toStdString();
        return r.out.trimmed();
    }

    // A sum over the postings of company 1, in grosze.
    qint64 postings(const QString& expression, const QString& where)
    {
        return qRound64(sql(QStringLiteral("select round(sum(%1), 2) from POZ_DOK_VIEW_UNION where id_firmy=1 and %2").arg(expression, where),
                            QStringLiteral("FUNCVAY"))
                            .toDouble()
                        * 100);
    }

    // The CSV rows without the caption row, as cells.
    QList<QStringList> csvRows(const QString& path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        QList<QStringList> rows;
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            rows << line.split(QLatin1Char(';'));
        return rows;
    }

    static qint64 grosze(const QString& cell) { return qRound64(QString(cell).replace(u',', u'.').toDouble() * 100); }

    QString file(const QString& name) const { return folder.filePath(name); }

    pravik::test::TestDatabase database;
    QTemporaryDir folder;
};

TEST_P(CliStatementOptions, OnADayCountsEachColumnFromItsYearsStart)
{
    const QString csv = file(QStringLiteral("na-dzien.csv"));
    Outcome r = statement({QStringLiteral("--name"), kProfitAndLoss, QStringLiteral("--on"), QStringLiteral("28-02-2026"),
                           QStringLiteral("--csv"), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QList<QStringList> rows = csvRows(csv);
    ASSERT_GE(rows.size(), 6);
    // Row 2: credit turnovers of 700, January and February of this year and of the last.
    EXPECT_EQ(grosze(rows[2][1]), postings(QStringLiteral("kwota_ma"), QStringLiteral("konto like '700%' and ") + kYear2026To28Feb));
    EXPECT_EQ(grosze(rows[2][2]), postings(QStringLiteral("kwota_ma"), QStringLiteral("konto like '700%' and ") + kYear2025To28Feb));

    // The balance sheet's period column: balances at the day, the opening postings included; its
    // opening-balance column keeps the opening postings alone.
    r = statement({QStringLiteral("--name"), QStringLiteral("Bilans"), QStringLiteral("--on"), QStringLiteral("28-02-2026"),
                   QStringLiteral("--csv"), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    rows = csvRows(csv);
    ASSERT_GE(rows.size(), 7);
    const QString cash = QStringLiteral("(konto like '10%' or konto like '13%') and id_lata_obrot=2 and ");
    EXPECT_EQ(grosze(rows[6][2]), postings(QStringLiteral("kwota_wn-kwota_ma"), cash + QStringLiteral("data_okresu between 82184 and 82216")));
    EXPECT_EQ(grosze(rows[6][1]), postings(QStringLiteral("kwota_wn-kwota_ma"), cash + QStringLiteral("data_okresu=82184")));

    // One period at a time.
    r = statement({QStringLiteral("--name"), kProfitAndLoss, QStringLiteral("--on"), QStringLiteral("28-02-2026"),
                   QStringLiteral("--from"), QStringLiteral("01-02-2026"), QStringLiteral("--csv"), csv});
    EXPECT_EQ(r.exitCode, 2);
    r = statement({QStringLiteral("--name"), kProfitAndLoss, QStringLiteral("--on"), QStringLiteral("28-02-2026"),
                   QStringLiteral("--month"), QStringLiteral("2"), QStringLiteral("--csv"), csv});
    EXPECT_EQ(r.exitCode, 2);
}

// A variant the statement window saved (report "RU", options 1 to 13 in its order) gives what the
// same options given one by one give; options given with it add to it.
TEST_P(CliStatementOptions, ASavedVariantOfTheWindowSetsItsOptions)
{
    sql(QStringLiteral("insert into PARAMETRY_WYDRUKU_NAG (id_parametry_wydruku_nag,id_uzytkownika,raport,nazwa) values(901,1,'RU','w tys.')"),
        QStringLiteral("EXECSQL"));
    // thousands, round, no decimals, ordinal, wrap, KRS, "Razem", page, brought, carried, mode, level, skip zero
    const QStringList values = {"1", "0", "1", "1", "0", "0", "1", "0", "0", "0", "2", "1", "0"};
    for (int n = 1; n <= values.size(); ++n)
        sql(QStringLiteral("insert into PARAMETRY_WYDRUKU_POZ (id_parametry_wydruku_nag,parametr,wartosc) values(901,%1,'%2')")
                .arg(n)
                .arg(values[n - 1]),
            QStringLiteral("EXECSQL"));
    const QStringList period = {QStringLiteral("--name"), kProfitAndLoss, QStringLiteral("--from"), QStringLiteral("01-01-2026"),
                                QStringLiteral("--to"), QStringLiteral("28-02-2026")};
    const QString saved = file(QStringLiteral("saved.csv")), given = file(QStringLiteral("given.csv"));
    Outcome r = statement(period + QStringList{QStringLiteral("--saved"), QStringLiteral("w tys."), QStringLiteral("--csv"), saved});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = statement(period + QStringList{QStringLiteral("--thousands"), QStringLiteral("--no-decimals"), QStringLiteral("--ordinal"),
                                       QStringLiteral("--totals"), QStringLiteral("report"), QStringLiteral("--csv"), given});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QStringList> rows = csvRows(saved);
    EXPECT_EQ(rows, csvRows(given));
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows[0][0], QStringLiteral("Lp"));
    EXPECT_EQ(rows.last()[1], QStringLiteral("Razem"));
    // Thousands, the decimals dropped.
    const qint64 credit = postings(QStringLiteral("kwota_ma"), QStringLiteral("konto like '700%' and ") + kYear2026To28Feb);
    EXPECT_EQ(rows[2][2], QString::number(credit / 100000));

    // Another user's variant of that name, or a name nobody saved, is not found.
    r = statement(period + QStringList{QStringLiteral("--saved"), QStringLiteral("nie ma"), QStringLiteral("--csv"), saved});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no saved variant \"nie ma\""))) << r.err.toStdString();
    sql(QStringLiteral("update PARAMETRY_WYDRUKU_NAG set id_uzytkownika=2 where id_parametry_wydruku_nag=901"), QStringLiteral("EXECSQL"));
    EXPECT_EQ(statement(period + QStringList{QStringLiteral("--saved"), QStringLiteral("w tys."), QStringLiteral("--csv"), saved}).exitCode, 1);
}

// The statement's 'K' row over 201*: the list the user kept holds one account; --user-lists
// rebuilds it from the period first, so the statement lists every account of the range.
TEST_P(CliStatementOptions, UserListsAreRebuiltFromThePeriodBeforeGenerating)
{
    const QString range = QStringLiteral("konto like '201%' and (data_biezaca=0 or data_biezaca between 82184 and 82214)");
    const Outcome kept = pravik({QStringLiteral("--db"), database.url, QStringLiteral("--year"), QStringLiteral("2"), QStringLiteral("--user"),
                                 QStringLiteral("admin"), QStringLiteral("lists"), QStringLiteral("--id"), QStringLiteral("4"),
                                 QStringLiteral("--from"), QStringLiteral("01-01-2026"), QStringLiteral("--to"), QStringLiteral("31-01-2026"),
                                 QStringLiteral("--clear"), QStringLiteral("--accounts"), QStringLiteral("201-1")});
    ASSERT_EQ(kept.exitCode, 0) << kept.err.toStdString();
    const QStringList january = {QStringLiteral("--id"), QStringLiteral("4"), QStringLiteral("--from"), QStringLiteral("01-01-2026"),
                                 QStringLiteral("--to"), QStringLiteral("31-01-2026")};
    const QString csv = file(QStringLiteral("lista.csv"));
    Outcome r = statement(january + QStringList{QStringLiteral("--csv"), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QList<QStringList> rows = csvRows(csv);
    ASSERT_EQ(rows.size(), 3); // captions, the sum row, 201-1
    EXPECT_TRUE(rows[2][0].startsWith(QStringLiteral("201-1 "))) << rows[2][0].toStdString();

    r = statement(january + QStringList{QStringLiteral("--user-lists"), QStringLiteral("--csv"), csv});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    rows = csvRows(csv);
    const int accounts = sql(QStringLiteral("select count(distinct konto) from POZ_DOK_VIEW_UNION where id_firmy=1 and ") + range,
                             QStringLiteral("FUNCVAY"))
                             .toInt();
    ASSERT_GT(accounts, 1);
    EXPECT_EQ(rows.size(), 2 + accounts);
    // The sum row: January's debit turnovers of every 201 account.
    EXPECT_EQ(grosze(rows[1][1]), postings(QStringLiteral("kwota_wn"), QStringLiteral("konto like '201%' and id_lata_obrot=2 and data_okresu=82185")));
}

// The spreadsheet holds the generated rows: each amount a number equal to ZESTAW_ZESTAW's cell.
TEST_P(CliStatementOptions, TheSpreadsheetHoldsTheGeneratedRowsAsNumbers)
{
    const QString xlsx = file(QStringLiteral("r.xlsx"));
    const Outcome r = statement({QStringLiteral("--name"), kProfitAndLoss, QStringLiteral("--from"), QStringLiteral("01-01-2026"),
                                 QStringLiteral("--to"), QStringLiteral("31-03-2026"), QStringLiteral("--xlsx"), xlsx});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Cells as "type value" per row, read with Python's zip and XML modules.
    const Outcome read = run(QStringLiteral("python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import sys, zipfile, xml.etree.ElementTree as ET
m = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
shared = []
if 'xl/sharedStrings.xml' in z.namelist():
    shared = [''.join(t.text or '' for t in si.iter(m + 't')) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).findall(m + 'si')]
for row in ET.fromstring(z.read('xl/worksheets/sheet1.xml')).iter(m + 'row'):
    cells = []
    for c in row.findall(m + 'c'):
        t = c.get('t', 'n'); v = c.findtext(m + 'v', '')
        if t == 'inlineStr':
            v = ''.join(x.text or '' for x in c.iter(m + 't'))
        cells.append(('s ' + (shared[int(v)] if t == 's' else v)) if t in ('s', 'inlineStr', 'str') else ('n ' + v))
    print('\t'.join(cells))
)"), xlsx});
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    const QStringList lines = read.out.split(u'\n', Qt::SkipEmptyParts);
    const QStringList generated = sql(QStringLiteral("select kol1, kol2 from ZESTAW_ZESTAW where id_uzytkownika=1 and id_zestaw_nag=1 "
                                                     "and wariant_zestaw=1 order by lp"))
                                      .split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), generated.size() + 1);
    EXPECT_EQ(lines[0], QStringLiteral("s Wyszczególnienie\ts Rok bieżący\ts Rok poprzedni"));
    for (qsizetype i = 0; i < generated.size(); ++i) {
        const QStringList cells = lines[i + 1].split(u'\t');
        const QStringList expected = generated[i].split(u'\t');
        ASSERT_EQ(cells.size(), 3) << lines[i + 1].toStdString();
        EXPECT_TRUE(cells[0].startsWith(QStringLiteral("s ")));
        for (int c = 1; c <= 2; ++c) {
            ASSERT_TRUE(cells[c].startsWith(QStringLiteral("n "))) << cells[c].toStdString();
            EXPECT_EQ(qRound64(cells[c].mid(2).toDouble() * 100), qRound64(expected[c - 1].toDouble() * 100)) << "row " << i + 1;
        }
    }
}

// The text-printer file: the rows and amounts on their lines, in the printer's code page; a
// statement whose generation fails writes neither it nor a spreadsheet.
TEST_P(CliStatementOptions, TheTextPrinterFileAndNoFileAfterAFailedGeneration)
{
    const QString prn = file(QStringLiteral("r.prn")), csv = file(QStringLiteral("r.csv"));
    const QStringList quarter = {QStringLiteral("--name"), QStringLiteral("Koszty rodzajowe"), QStringLiteral("--from"),
                                 QStringLiteral("01-01-2026"), QStringLiteral("--to"), QStringLiteral("31-03-2026")};
    ASSERT_EQ(statement(quarter + QStringList{QStringLiteral("--csv"), csv}).exitCode, 0);
    Outcome r = statement(quarter + QStringList{QStringLiteral("--ordinal"), QStringLiteral("--text"), prn, QStringLiteral("--printer"),
                                                QStringLiteral("Epson LQ-590")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(prn);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QStringDecoder cp1250("windows-1250");
    const QStringList lines = QString(cp1250(f.readAll())).split(QStringLiteral("\r\n"));
    const QList<QStringList> rows = csvRows(csv);
    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QString text = rows[i][0].trimmed();
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(text); });
        ASSERT_NE(line, lines.end()) << text.toStdString();
        // Each amount whole and apart from the next: the columns never run into each other.
        const QStringList words = line->mid(line->indexOf(text) + text.size()).split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
        ASSERT_EQ(words.size(), rows[i].size() - 1) << line->toStdString();
        for (qsizetype c = 1; c < rows[i].size(); ++c)
            EXPECT_EQ(grosze(QString(words[c - 1]).remove(u' ')), grosze(rows[i][c])) << line->toStdString();
    }
    EXPECT_TRUE(lines.join(u'\n').contains(QStringLiteral("Koniec wydruku")));

    sql(QStringLiteral("update ZESTAW_POZ_FORMULA set formula = 'WN(\"400*\"' where nr_kolumny = 2 and id_zestaw_poz in"
                       " (select id_zestaw_poz from ZESTAW_POZ where id_zestaw_nag = 2 and lp = 3)"),
        QStringLiteral("EXECSQL"));
    QFile::remove(prn);
    const QString xlsx = file(QStringLiteral("r.xlsx"));
    for (const QStringList& output : {QStringList{QStringLiteral("--text"), prn, QStringLiteral("--printer"), QStringLiteral("Epson LQ-590")},
                                      QStringList{QStringLiteral("--xlsx"), xlsx}}) {
        r = statement(quarter + output);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("wiersz 3, kolumna 2"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(prn));
    EXPECT_FALSE(QFile::exists(xlsx));
}

// On cut sheets of 30 lines (3 lines of margin at the top and the bottom) the printout closes each
// sheet with its page total and carry-over before the paper ends, and every row lands on a sheet.
TEST_P(CliStatementOptions, TextPagesEndWithinTheSheet)
{
    sql(QStringLiteral("update KOD_STERUJACY set wartosc_domyslna='30' where nazwa_kodu='Ilość linii wydruku' and id_drukarki in"
                       " (select id_drukarki from DRUKARKA where nazwa='Epson LQ-590')"),
        QStringLiteral("EXECSQL"));
    const QStringList quarter = {QStringLiteral("--id"), QStringLiteral("4"), QStringLiteral("--quarter"), QStringLiteral("1"),
                                 QStringLiteral("--user-lists"), QStringLiteral("--totals"),
                                 QStringLiteral("report,page,brought-forward,carried-forward")};
    const QString prn = file(QStringLiteral("s.prn")), csv = file(QStringLiteral("s.csv"));
    ASSERT_EQ(statement(quarter + QStringList{QStringLiteral("--csv"), csv}).exitCode, 0);
    const Outcome r = statement(quarter + QStringList{QStringLiteral("--text"), prn, QStringLiteral("--printer"), QStringLiteral("Epson LQ-590")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(prn);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QStringDecoder cp1250("windows-1250");
    QStringList pages = QString(cp1250(f.readAll())).split(u'\f');
    if (pages.last().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GE(pages.size(), 2);
    const QList<QStringList> rows = csvRows(csv);
    qsizetype printed = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QStringList lines = pages[p].split(QStringLiteral("\r\n"));
        EXPECT_LE(lines.size(), 30 - 3) << "sheet " << p + 1;
        EXPECT_EQ(pages[p].contains(QStringLiteral("Z przeniesienia")), p > 0) << "sheet " << p + 1;
        EXPECT_EQ(pages[p].contains(QStringLiteral("Do przeniesienia")), p + 1 < pages.size()) << "sheet " << p + 1;
        for (const QStringList& row : rows.mid(1, rows.size() - 2)) // the rows, not "Razem"
            printed += std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.trimmed().startsWith(row[0] + "  "); });
    }
    EXPECT_EQ(printed, rows.size() - 2);
}

INSTANTIATE_TEST_SUITE_P(Backends, CliStatementOptions, pravik::test::allBackends(), pravik::test::backendName);

} // namespace
