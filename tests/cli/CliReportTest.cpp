// The command-line host end to end, as a cron job of an accounting office runs it: a demo company
// into a new file, the consistency check, a journal to PDF, and the failures such a job must see.
#include "platform/Decimal.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Outcome = pravik::test::ProcessRun;
using pravik::test::runPravik;

Outcome pravik(const QStringList& args)
{
    return runPravik(args);
}

class CliReport : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        db = folder->filePath(QStringLiteral("demo.db"));
        const Outcome init = pravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("init"),
                                 QStringLiteral("--demo"), QStringLiteral("--postings"), QStringLiteral("3000")});
        initOutput = init.out + init.err;
        initExit = init.exitCode;
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override { ASSERT_EQ(initExit, 0) << initOutput.toStdString(); }

    static QStringList session(const QStringList& more)
    {
        return QStringList{QStringLiteral("--db"), db, QStringLiteral("--company"), QStringLiteral("1"),
                           QStringLiteral("--period"), QStringLiteral("3-2026")}
            + more;
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString db;
    static inline QString initOutput;
    static inline int initExit = -1;
};

TEST_F(CliReport, AFreshDemoCompanyPassesItsCheckAndACorruptedTurnoverIsCaught)
{
    const Outcome ok = pravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("check")});
    EXPECT_EQ(ok.exitCode, 0) << (ok.out + ok.err).toStdString();
    EXPECT_TRUE(ok.out.contains(QStringLiteral("turnovers agree with postings"))) << ok.out.toStdString();

    // A copy with one turnover row changed by a grosz.
    const QString broken = folder->filePath(QStringLiteral("broken.db"));
    ASSERT_TRUE(QFile::copy(db, broken));
    const Outcome edit = pravik({QStringLiteral("--db"), broken, QStringLiteral("sql"), QStringLiteral("--via"),
                             QStringLiteral("EXECSQL"),
                             QStringLiteral("update OBROTY_I_SALDA set obroty_wn=obroty_wn+0.01 where id_firmy=1 and "
                                            "nr_konta='201' and sym_waluty='PLN' and data_okresu=(select min(data_okresu) "
                                            "from OBROTY_I_SALDA where id_firmy=1 and nr_konta='201' and obroty_wn<>0)")});
    ASSERT_EQ(edit.exitCode, 0) << (edit.out + edit.err).toStdString();
    const Outcome bad = pravik({QStringLiteral("--db"), broken, QStringLiteral("db"), QStringLiteral("check")});
    EXPECT_EQ(bad.exitCode, 1) << (bad.out + bad.err).toStdString();
}

TEST_F(CliReport, TheSalesJournalOfAMonthGoesToAValidPdf)
{
    const QString pdf = folder->filePath(QStringLiteral("dziennik.pdf"));
    const Outcome r = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                  QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(r.exitCode, 0) << (r.out + r.err).toStdString();
    EXPECT_EQ(pravik::test::runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
    const QString text = pravik::test::pdfText(pdf);
    for (const char* expected : {"Dziennik księgowań", "Okres obrotowy: Marzec", "Dziennik: SPRZ", "Razem w okresie",
                                 "Koniec wydruku", "Strona 1 z"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(CliReport, AJournalThatCannotBeProducedSaysWhyAndLeavesNoFile)
{
    // Partial journals need a journal chosen: the window's own refusal.
    const QString pdf = folder->filePath(QStringLiteral("none.pdf"));
    const Outcome refused = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                        QStringLiteral("--pdf"), pdf}));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Proszę wybrać dziennik."))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    // A folder that does not exist.
    const QString nowhere = folder->filePath(QStringLiteral("brak/dziennik.pdf"));
    const Outcome unwritable = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                           QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--pdf"),
                                           nowhere}));
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_FALSE(QFile::exists(nowhere));

    // No output at all: a journal is never previewed without a screen.
    const Outcome noOutput = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("73")}));
    EXPECT_EQ(noOutput.exitCode, 2);
}

TEST_F(CliReport, NotesNameTheReportAsTheUserKnowsIt)
{
    const QString pdf = folder->filePath(QStringLiteral("obroty.pdf"));
    const Outcome turnover = pravik(session({QStringLiteral("turnover"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(turnover.exitCode, 0) << turnover.err.toStdString();
    EXPECT_TRUE(turnover.err.contains(QStringLiteral("Zestawienie obrotów i sald"))) << turnover.err.toStdString();
    EXPECT_TRUE(turnover.err.contains(pdf)) << turnover.err.toStdString();
    EXPECT_FALSE(turnover.err.contains(QStringLiteral("PRN_"))) << turnover.err.toStdString();

    const Outcome journal = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("72"),
                                            QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--pdf"),
                                            folder->filePath(QStringLiteral("dokumenty.pdf"))}));
    ASSERT_EQ(journal.exitCode, 0) << journal.err.toStdString();
    EXPECT_TRUE(journal.err.contains(QStringLiteral("Dziennik księgowań"))) << journal.err.toStdString();
    EXPECT_FALSE(journal.err.contains(QStringLiteral("PRN_"))) << journal.err.toStdString();
}

TEST_F(CliReport, TheRenumberingRefusalNamesTheKindAskedForAndWhy)
{
    // A copy whose every month is closed.
    const QString closed = folder->filePath(QStringLiteral("zamkniety.db"));
    ASSERT_TRUE(QFile::copy(db, closed));
    const Outcome close = pravik({QStringLiteral("--db"), closed, QStringLiteral("sql"),
                                  QStringLiteral("update LATA_OBROTOWE set zamkniety_okres=99999")});
    ASSERT_EQ(close.exitCode, 0) << close.err.toStdString();
    const auto renumber = [&](const char* kind, const QStringList& more) {
        return pravik(QStringList{QStringLiteral("--db"), closed, QStringLiteral("--company"), QStringLiteral("1"),
                                  QStringLiteral("--set"), QStringLiteral("GGG:WERSJA_DLA_KRAB_PRIORYTET=2"),
                                  QStringLiteral("--period"), QStringLiteral("3-2026"), QStringLiteral("journal"),
                                  QStringLiteral("--kind"), QString::fromLatin1(kind), QStringLiteral("--renumber"),
                                  QStringLiteral("1"), QStringLiteral("--pdf"), folder->filePath(QStringLiteral("n.pdf"))}
                      + more);
    };
    const Outcome documents = renumber("72", {QStringLiteral("--batch"), QStringLiteral("SPRZ")});
    EXPECT_EQ(documents.exitCode, 1);
    EXPECT_TRUE(documents.err.contains(QStringLiteral("kind 72"))) << documents.err.toStdString();
    EXPECT_TRUE(documents.err.contains(QStringLiteral("closed period"))) << documents.err.toStdString();
    EXPECT_FALSE(documents.err.contains(QStringLiteral("73"))) << documents.err.toStdString();
    // Where only approved figures are printed, renumbering is never offered, and the run says so.
    const Outcome approved = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("72"),
                                             QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--renumber"),
                                             QStringLiteral("1"), QStringLiteral("--pdf"), folder->filePath(QStringLiteral("n.pdf"))}));
    EXPECT_EQ(approved.exitCode, 1);
    EXPECT_TRUE(approved.err.contains(QStringLiteral("kind 72: renumbering is not offered by an installation that prints "
                                                     "approved figures only"))) << approved.err.toStdString();
    const Outcome batches = renumber("73", {});
    EXPECT_EQ(batches.exitCode, 1);
    EXPECT_TRUE(batches.err.contains(QStringLiteral("kind 73"))) << batches.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder->filePath(QStringLiteral("n.pdf"))));
}

TEST_F(CliReport, AFilterNestedTooDeepIsRefusedWithAMessageNotACrash)
{
    const QString filter = QString(3000, u'(') + QStringLiteral("PDD:id_lata_obrot>0") + QString(3000, u')');
    const Outcome r = pravik(session({QStringLiteral("--verbose"), QStringLiteral("journal"), QStringLiteral("--procedure"),
                                      QStringLiteral("PRN_71_DZIENNIK_P_K"), QStringLiteral("--filter"), filter,
                                      QStringLiteral("--pdf"), folder->filePath(QStringLiteral("gleboki.pdf"))}));
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.exitCode;
    EXPECT_TRUE(r.err.contains(QStringLiteral("deeper than 256 levels"))) << r.err.left(500).toStdString();
}

TEST_F(CliReport, ATextJournalWithoutAPrinterTakesTheFirstPrinterWithCodes)
{
    const QString prn = folder->filePath(QStringLiteral("dziennik.prn"));
    const Outcome r = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                      QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--text"), prn}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("text printer"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("za mała"))) << r.err.toStdString();
    QFile file(prn);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const qsizetype pages = bytes.count('\f') + 1;
    const qsizetype lines = bytes.count('\n');
    EXPECT_GT(lines / pages, 20) << pages << " pages for " << lines << " lines";

    // A printer without codes is still the user's choice, and the run says which one it is.
    const Outcome bare = pravik(session({QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                         QStringLiteral("--batch"), QStringLiteral("SPRZ"), QStringLiteral("--printer"),
                                         QStringLiteral("Bez kodów"), QStringLiteral("--text"),
                                         folder->filePath(QStringLiteral("bez.prn"))}));
    EXPECT_TRUE(bare.err.contains(QStringLiteral("\"Bez kodów\""))) << bare.err.toStdString();
    EXPECT_TRUE(bare.err.contains(QStringLiteral("Ilość linii wydruku"))) << bare.err.toStdString();
}

TEST_F(CliReport, ADocumentWhoseAmountIsNotItsPostingsTotalIsCaught)
{
    const Outcome ok = pravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("check")});
    EXPECT_EQ(ok.exitCode, 0) << (ok.out + ok.err).toStdString();
    EXPECT_TRUE(ok.out.contains(QStringLiteral("document amounts agree with postings"))) << ok.out.toStdString();

    // The opening balance with its amount counted on both sides.
    const QString broken = folder->filePath(QStringLiteral("doubled.db"));
    ASSERT_TRUE(QFile::copy(db, broken));
    const Outcome edit = pravik({QStringLiteral("--db"), broken, QStringLiteral("sql"), QStringLiteral("--via"),
                                 QStringLiteral("EXECSQL"),
                                 QStringLiteral("update NAG_DOK set kwota_dok=2*kwota_dok where id_nag_dok=(select "
                                                "min(id_nag_dok) from NAG_DOK where id_firmy=1 and id_lata_obrot=2)")});
    ASSERT_EQ(edit.exitCode, 0) << (edit.out + edit.err).toStdString();
    const Outcome bad = pravik({QStringLiteral("--db"), broken, QStringLiteral("db"), QStringLiteral("check")});
    EXPECT_EQ(bad.exitCode, 1) << (bad.out + bad.err).toStdString();
    EXPECT_TRUE(bad.out.contains(QStringLiteral("company 1, year 2: 1 document amounts disagree with postings")))
        << bad.out.toStdString();
    EXPECT_TRUE(bad.out.contains(QStringLiteral("turnovers agree with postings"))) << bad.out.toStdString();
}

TEST_F(CliReport, SpreadsheetOfAStatementWithoutAListIsRefused)
{
    for (const char* kind : {"1", "2"}) {
        const QString xlsx = folder->filePath(QStringLiteral("zestawienie-%1.xlsx").arg(QLatin1String(kind)));
        const Outcome r = pravik(session({QStringLiteral("turnover"), QStringLiteral("--kind"), QLatin1String(kind),
                                          QStringLiteral("--xlsx"), xlsx}));
        EXPECT_EQ(r.exitCode, 2) << kind;
        EXPECT_TRUE(r.err.contains(QStringLiteral("--xlsx"))) << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(xlsx)) << kind;
    }
}

TEST_F(CliReport, TheCashAccountSheetOfAPeriodAddsUpToItsPostingsAndTwoPeriodsAreRefused)
{
    // March 2026 as the database keeps it: a day number.
    const QString march = QStringLiteral("82244");
    auto postings = [&](const char* side) {
        const Outcome r = pravik({QStringLiteral("--db"), db, QStringLiteral("--quiet"), QStringLiteral("sql"), QStringLiteral("--via"),
                                  QStringLiteral("FUNCVAY"),
                                  QStringLiteral("select sum(p.kwota_%1) from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok "
                                                 "where n.status<>0 and n.id_firmy=1 and p.konto_%1='100' and n.data_okresu=%2")
                                      .arg(QLatin1String(side), march)});
        return pravik::Decimal::parse(r.out.trimmed());
    };
    const QString pdf = folder->filePath(QStringLiteral("kasa.pdf"));
    const Outcome r = pravik(session({QStringLiteral("ledger"), QStringLiteral("--kind"), QStringLiteral("68"), QStringLiteral("--filter"),
                                      QStringLiteral("PDD:konto='100' AND PDD:data_okresu=") + march, QStringLiteral("--description"),
                                      QStringLiteral("Konto: 100"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(r.exitCode, 0) << (r.out + r.err).toStdString();
    EXPECT_EQ(pravik::test::runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
    QString text = pravik::test::pdfText(pdf);
    QString period;
    for (const QString& line : text.split(u'\n'))
        if (line.contains(QStringLiteral("Razem w okresie")))
            period = line.simplified();
    // "Razem w okresie 12 345,67 8 901,23": the amounts without their thousands blanks.
    period = period.mid(QStringLiteral("Razem w okresie ").size());
    QStringList amounts;
    for (const QString& piece : period.split(u' '))
        if (amounts.isEmpty() || amounts.last().contains(u','))
            amounts << piece;
        else
            amounts.last() += piece;
    ASSERT_EQ(amounts.size(), 2) << period.toStdString();
    EXPECT_EQ(pravik::Decimal::parse(amounts[0]), postings("wn"));
    EXPECT_EQ(pravik::Decimal::parse(amounts[1]), postings("ma"));
    EXPECT_TRUE(postings("wn").has_value());

    const QString none = folder->filePath(QStringLiteral("dwa.pdf"));
    const Outcome two = pravik(session({QStringLiteral("ledger"), QStringLiteral("--kind"), QStringLiteral("68"), QStringLiteral("--filter"),
                                        QStringLiteral("PDD:konto='100' AND PDD:data_okresu>=82215 AND PDD:data_okresu<=") + march,
                                        QStringLiteral("--pdf"), none}));
    EXPECT_EQ(two.exitCode, 1);
    EXPECT_TRUE(two.err.contains(QStringLiteral("Proszę wybrać tylko jeden okres obrotowy"))) << two.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));

    const Outcome usage = pravik(session({QStringLiteral("ledger"), QStringLiteral("--kind"), QStringLiteral("61"), QStringLiteral("--sort"),
                                          QStringLiteral("14"), QStringLiteral("--filter"), QString(), QStringLiteral("--pdf"), none}));
    EXPECT_EQ(usage.exitCode, 2);
    // The ledger prints are graphic only; the driver's --text is refused before anything runs.
    const QString textFile = folder->filePath(QStringLiteral("kasa.txt"));
    const Outcome textPrint = pravik(session({QStringLiteral("ledger"), QStringLiteral("--kind"), QStringLiteral("61"),
                                              QStringLiteral("--filter"), QString(), QStringLiteral("--text"), textFile}));
    EXPECT_EQ(textPrint.exitCode, 2);
    EXPECT_FALSE(QFile::exists(textFile));
    // A print procedure called without the host's arguments is wrong usage.
    const Outcome bare = pravik(session({QStringLiteral("ledger"), QStringLiteral("--procedure"), QStringLiteral("PRN_64_KSIEGA_SQL"),
                                         QStringLiteral("--pdf"), none}));
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_TRUE(bare.err.contains(QStringLiteral("PRN_64_KSIEGA_SQL(BYTE, BYTE, BYTE, BYTE, STRING, STRING, STRING)"))) << bare.err.toStdString();
    const Outcome control = pravik(session({QStringLiteral("ledger"), QStringLiteral("--control"), QStringLiteral("61|x"),
                                            QStringLiteral("--filter"), QString(), QStringLiteral("--pdf"), none}));
    EXPECT_EQ(control.exitCode, 1);
    EXPECT_TRUE(control.err.contains(QStringLiteral("pozycja 2"))) << control.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

} // namespace

namespace {

// "1 234 567,89" as printed -> "1234567.89".
QString plainAmount(QString text)
{
    return text.remove(QLatin1Char(' ')).replace(QLatin1Char(','), QLatin1Char('.'));
}

TEST_F(CliReport, StatementShowPrintsTheComputedRowsAndStopsOnABadFormula)
{
    const QStringList costs = {QStringLiteral("statement"), QStringLiteral("--name"), QStringLiteral("Koszty rodzajowe"),
                               QStringLiteral("--from"), QStringLiteral("01-01-2026"), QStringLiteral("--to"),
                               QStringLiteral("31-03-2026"), QStringLiteral("--show")};
    const Outcome shown = pravik(session(QStringList{QStringLiteral("--user"), QStringLiteral("admin")} + costs));
    ASSERT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    const QStringList lines = shown.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 11) << shown.out.toStdString(); // title, header, rule, 8 rows
    EXPECT_EQ(lines[0], QStringLiteral("Koszty rodzajowe od 01-01-2026 do 31-03-2026"));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Obroty Wn")) && lines[1].contains(QStringLiteral("Saldo")));
    const QStringList total = lines.last().split(QRegularExpression(QStringLiteral("\\s{2,}")), Qt::SkipEmptyParts);
    ASSERT_EQ(total.size(), 4) << lines.last().toStdString();
    EXPECT_EQ(total[0], QStringLiteral("Razem koszty rodzajowe"));
    // The debit turnovers of 400-409 in the first quarter, summed here from the postings.
    const Outcome sum = pravik(session({QStringLiteral("sql"), QStringLiteral("--via"), QStringLiteral("FUNCVAY"),
                                        QStringLiteral("select round(sum(kwota_wn), 2) from POZ_DOK_VIEW_UNION where id_firmy=1"
                                                       " and id_lata_obrot=2 and konto like '40%' and data_okresu between 82185"
                                                       " and 82244")}));
    ASSERT_EQ(sum.exitCode, 0) << sum.err.toStdString();
    EXPECT_EQ(plainAmount(total[1]).toDouble(), sum.out.trimmed().toDouble()) << sum.out.toStdString();

    // A broken formula: exit 1, the row, column and character named, no table printed.
    const Outcome edit = pravik(session({QStringLiteral("sql"), QStringLiteral("--via"), QStringLiteral("EXECSQL"),
                                         QStringLiteral("update ZESTAW_POZ_FORMULA set formula = 'WN(\"400*\"' where nr_kolumny = 2"
                                                        " and id_zestaw_poz in (select id_zestaw_poz from ZESTAW_POZ p join ZESTAW_NAG n"
                                                        " on n.id_zestaw_nag = p.id_zestaw_nag where n.nazwa = 'Koszty rodzajowe'"
                                                        " and p.lp = 3)")}));
    ASSERT_EQ(edit.exitCode, 0) << edit.err.toStdString();
    const Outcome broken = pravik(session(QStringList{QStringLiteral("--user"), QStringLiteral("admin")} + costs));
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_TRUE(broken.out.isEmpty()) << broken.out.toStdString();
    EXPECT_TRUE(broken.err.contains(QStringLiteral("Zestawienie „Koszty rodzajowe”, wiersz 3, kolumna 2, znak 10")))
        << broken.err.toStdString();
    EXPECT_EQ(pravik(session({QStringLiteral("statement"), QStringLiteral("--show")})).exitCode, 2);
    EXPECT_EQ(pravik(session({QStringLiteral("statement"), QStringLiteral("--id"), QStringLiteral("1")})).exitCode, 2);
    EXPECT_EQ(pravik(session({QStringLiteral("statement"), QStringLiteral("--id"), QStringLiteral("77"),
                              QStringLiteral("--show")})).exitCode, 1);
}

} // namespace
