// The command-line host end to end, as a cron job of an accounting office runs it: a demo company
// into a new file, the consistency check, a journal to PDF, and the failures such a job must see.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& args, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, args);
    Outcome r;
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return r;
    }
    p.waitForFinished(timeoutMs);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Outcome pravik(const QStringList& args)
{
    const QString dir = qEnvironmentVariable("PRAVIK_BINARY_DIR", QStringLiteral(PRAVIK_BINARY_DIR));
    return run(dir + QStringLiteral("/bin/pravik"), args);
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
    EXPECT_EQ(run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).out;
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

} // namespace
