// "pravik statement" printing and exporting, as the office runs it: the profit and loss account of
// the first quarter to CSV and PDF with figures checked against the postings, a group in its order,
// and a broken formula that must leave no file behind.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

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
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return r;
    }
    p.waitForFinished(120000);
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

class CliStatementPrint : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        db = folder->filePath(QStringLiteral("demo.db"));
        const Outcome init = pravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("init"), QStringLiteral("--demo"),
                                     QStringLiteral("--postings"), QStringLiteral("3000")});
        initOutput = init.out + init.err;
        initExit = init.exitCode;
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override { ASSERT_EQ(initExit, 0) << initOutput.toStdString(); }

    static QStringList statement(const QString& name, const QStringList& more)
    {
        return QStringList{QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("1"), QStringLiteral("--user"),
                           QStringLiteral("admin"), QStringLiteral("statement"), QStringLiteral("--name"), name,
                           QStringLiteral("--from"), QStringLiteral("01-01-2026"), QStringLiteral("--to"), QStringLiteral("31-03-2026")}
            + more;
    }

    // A sum over the postings of company 1, asked through the SQL gateway.
    static double postings(const QString& expression, const QString& where)
    {
        const Outcome r = pravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("--via"), QStringLiteral("FUNCVAY"),
                                  QStringLiteral("select round(sum(%1), 2) from POZ_DOK_VIEW_UNION where id_firmy=1 and %2").arg(expression, where)});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r.out.trimmed().toDouble();
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString db;
    static inline QString initOutput;
    static inline int initExit = -1;
};

// The first quarter's month periods of 2026 and 2025 (years 2 and 1 of the demo company).
const QString kQuarter2026 = QStringLiteral("id_lata_obrot=2 and data_okresu between 82185 and 82244");
const QString kQuarter2025 = QStringLiteral("id_lata_obrot=1 and data_okresu between 81820 and 81879");

TEST_F(CliStatementPrint, ProfitAndLossToCsvAndPdfMatchesThePostings)
{
    const QString csv = folder->filePath(QStringLiteral("r.csv"));
    const Outcome exported = pravik(statement(kProfitAndLoss, {QStringLiteral("--csv"), csv}));
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 17); // captions and 16 rows
    EXPECT_EQ(lines[0], QStringLiteral("Wyszczególnienie;Rok bieżący;Rok poprzedni"));
    auto cell = [&](int row, int column) { return lines[row].split(';')[column].replace(',', '.').toDouble(); };
    // Row 2: credit turnovers of 700; row 5: debit turnovers of 400; this year and the last.
    EXPECT_DOUBLE_EQ(cell(2, 1), postings("kwota_ma", "konto like '700%' and " + kQuarter2026));
    EXPECT_DOUBLE_EQ(cell(2, 2), postings("kwota_ma", "konto like '700%' and " + kQuarter2025));
    EXPECT_DOUBLE_EQ(cell(5, 1), postings("kwota_wn", "konto like '400%' and " + kQuarter2026));
    // "B." is the sum of rows 5 to 12, all debit turnovers of 40x and 731.
    EXPECT_NEAR(cell(4, 1), postings("kwota_wn", "(konto like '40%' or konto like '731%') and " + kQuarter2026), 0.001);

    const QString pdf = folder->filePath(QStringLiteral("r.pdf"));
    const Outcome printed = pravik(statement(kProfitAndLoss, {QStringLiteral("--pdf"), pdf, QStringLiteral("--totals"), QStringLiteral("report")}));
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
    EXPECT_TRUE(text.contains(kProfitAndLoss));
    EXPECT_TRUE(text.contains(QStringLiteral("Strona 1 / 1")));
    for (int row = 1; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(';');
        // The same amounts as the CSV, in the printed form.
        QString amount = cells[1];
        const QString units = amount.section(',', 0, 0), cents = amount.section(',', 1);
        QString grouped;
        for (qsizetype i = 0; i < units.size(); ++i) {
            if (i > 0 && (units.size() - i) % 3 == 0 && units[i - 1] != '-')
                grouped += ' ';
            grouped += units[i];
        }
        EXPECT_TRUE(text.contains(grouped + ',' + cents)) << cells[0].toStdString() << " " << (grouped + ',' + cents).toStdString();
    }
}

TEST_F(CliStatementPrint, AGroupPrintsEveryStatementInItsOrder)
{
    const QString pdf = folder->filePath(QStringLiteral("grupa.pdf"));
    const Outcome printed = pravik(statement(kProfitAndLoss, {QStringLiteral("--group"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
    // Both statements of the group have empty form codes: by name, "Koszty" before "Rachunek".
    const qsizetype costs = text.indexOf(QStringLiteral("Koszty rodzajowe"));
    const qsizetype profit = text.indexOf(kProfitAndLoss);
    ASSERT_GE(costs, 0);
    ASSERT_GE(profit, 0);
    EXPECT_LT(costs, profit);
    EXPECT_TRUE(text.contains(QStringLiteral("Obroty Wn")) && text.contains(QStringLiteral("Rok bieżący")));
}

TEST_F(CliStatementPrint, ABrokenFormulaExitsOneAndWritesNoFile)
{
    const QString copy = folder->filePath(QStringLiteral("broken.db"));
    ASSERT_TRUE(QFile::copy(db, copy));
    const QString pdf = folder->filePath(QStringLiteral("broken.pdf")), csv = folder->filePath(QStringLiteral("broken.csv"));
    auto on = [&](QStringList args) {
        args[1] = copy;
        return args;
    };
    // A good run first, so that the scratch table holds figures a careless printout could reuse.
    ASSERT_EQ(pravik(on(statement(QStringLiteral("Koszty rodzajowe"), {QStringLiteral("--show")}))).exitCode, 0);
    const Outcome edit = pravik({QStringLiteral("--db"), copy, QStringLiteral("sql"), QStringLiteral("--via"), QStringLiteral("EXECSQL"),
                                 QStringLiteral("update ZESTAW_POZ_FORMULA set formula = 'WN(\"400*\"' where nr_kolumny = 2 and id_zestaw_poz in"
                                                " (select id_zestaw_poz from ZESTAW_POZ p join ZESTAW_NAG n on n.id_zestaw_nag = p.id_zestaw_nag"
                                                " where n.nazwa = 'Koszty rodzajowe' and p.lp = 3)")});
    ASSERT_EQ(edit.exitCode, 0) << edit.err.toStdString();
    for (const QStringList& output : {QStringList{QStringLiteral("--pdf"), pdf}, QStringList{QStringLiteral("--csv"), csv}}) {
        const Outcome r = pravik(on(statement(QStringLiteral("Koszty rodzajowe"), output)));
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("wiersz 3, kolumna 2"))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(csv));
    // Wrong usage.
    EXPECT_EQ(pravik(statement(kProfitAndLoss, {QStringLiteral("--totals"), QStringLiteral("sometimes"), QStringLiteral("--pdf"), pdf})).exitCode, 2);
    EXPECT_EQ(pravik(statement(kProfitAndLoss, {QStringLiteral("--csv"), csv, QStringLiteral("--pdf"), pdf})).exitCode, 2);
}

// The school's Rb-28S form: the whole group to XML and PDF by the form's name and a quarter; a
// statement outside a form group, a correction out of range and a missing period are refused.
TEST_F(CliStatementPrint, BudgetFormToXmlAndPdfAndItsRefusals)
{
    auto school = [](const QStringList& more) {
        return QStringList{QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("2"), QStringLiteral("--year"),
                           QStringLiteral("2026"), QStringLiteral("statement"), QStringLiteral("--name"), QStringLiteral("Rb-28S"),
                           QStringLiteral("--group")} + more;
    };
    const QString xml = folder->filePath(QStringLiteral("rb28s.xml"));
    Outcome r = pravik(school({QStringLiteral("--quarter"), QStringLiteral("1"), QStringLiteral("--xml"), xml, QStringLiteral("--correction"),
                               QStringLiteral("2"), QStringLiteral("--note"), QStringLiteral("<&>")}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const Outcome lint = run(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                                         QStringLiteral(PRAVIK_SOURCE_DIR "/docs/sprawozdanie-budzetowe.xsd"), xml});
    EXPECT_EQ(lint.exitCode, 0) << lint.err.toStdString();
    QFile f(xml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("<Okres rodzaj=\"Kwartal\" numer=\"1\" rok=\"2026\"/>")));
    EXPECT_TRUE(text.contains(QStringLiteral("<Uwagi>&lt;&amp;&gt;</Uwagi>")));
    EXPECT_LT(text.indexOf(QStringLiteral("kod=\"Rb28SPozycje\"")), text.indexOf(QStringLiteral("kod=\"Rb28SDotacjeRozwojowe\"")));

    const QString pdf = folder->filePath(QStringLiteral("rb28s.pdf"));
    r = pravik(school({QStringLiteral("--quarter"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf}));
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(pdf));

    const QString none = folder->filePath(QStringLiteral("brak.xml"));
    r = pravik(school({QStringLiteral("--quarter"), QStringLiteral("1"), QStringLiteral("--xml"), none, QStringLiteral("--correction"),
                       QStringLiteral("256")}));
    EXPECT_EQ(r.exitCode, 2);
    r = pravik(school({QStringLiteral("--xml"), none}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("kwartał lub miesiąc"))) << r.err.toStdString();
    r = pravik(statement(kProfitAndLoss, {QStringLiteral("--xml"), none}));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("tylko sprawozdania budżetowe"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

// A form whose unit header cannot be read is not printed: its territorial codes would be missing
// from a form the unit files. The message names the cause and no file is left.
TEST_F(CliStatementPrint, BudgetFormWithoutItsHeaderIsNotPrinted)
{
    const QString broken = folder->filePath(QStringLiteral("bez-parametrow.db"));
    QFile::remove(broken);
    ASSERT_TRUE(QFile::copy(db, broken));
    ASSERT_EQ(pravik({QStringLiteral("--db"), broken, QStringLiteral("sql"), QStringLiteral("alter table PARAMETRY_GLOBALNE rename to PARAMETRY_X")}).exitCode, 0);
    const QString pdf = folder->filePath(QStringLiteral("bez-naglowka.pdf"));
    const Outcome r = pravik({QStringLiteral("--db"), broken, QStringLiteral("--company"), QStringLiteral("2"), QStringLiteral("--year"),
                              QStringLiteral("2026"), QStringLiteral("statement"), QStringLiteral("--name"), QStringLiteral("Rb-Z"),
                              QStringLiteral("--group"), QStringLiteral("--quarter"), QStringLiteral("1"), QStringLiteral("--pdf"), pdf});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("PARAMETRY_GLOBALNE"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
