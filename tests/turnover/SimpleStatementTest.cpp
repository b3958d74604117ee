// The simple turnover statement (opening balance and cumulative turnovers) of the demo company
// on SQLite and PostgreSQL: printed to PDF with group totals and net balances asked for, and
// written as browse rows.
#include "turnover/OtherStatements.h"
#include "turnover/compute/AccountListBuilder.h"
#include "turnover/compute/ScratchRows.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "support/ProgramOutput.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::turnover {
namespace {

using test::amountsIn;
using test::TestBackend;

class SimpleStatementTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        test::DemoDatabase& d = test::sharedDemo(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_ID_UZYTKOWNIKA_NR = 3;
        s.DANE_ID_UZYT = QStringLiteral("lnowak");
        s.GLO_CUTEMP = folder.path();
        chosen = TurnoverSettings();
        TurnoverSettings& t = chosen;
        t.yearId = 2;
        t.period = monthPeriod(2026, 3);
        t.groupTotals = true;
        t.netBalances = true; // has no effect on this statement
        t.entries = true;     // nor have the listings
        const AccountListResult r = buildAccountList(1, 2, AccountSelection());
        ASSERT_TRUE(r.ok()) << r.problem.toStdString();
        t.accounts = r.accounts;
        parameters.variant = 3;
        parameters.cumulativeWithOpening = true;
        parameters.title = QStringLiteral("Zestawienie obrotów i sald kont analitycznych");
    }
    void TearDown() override
    {
        setUi(nullptr);
        chosen = TurnoverSettings();
    }

    QString printedText()
    {
        korda::Session& s = korda::session();
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        const QString pdf = folder.filePath(QStringLiteral("prosty.pdf"));
        s.outputRequests.pdfPath = pdf;
        EXPECT_EQ(runSimpleStatement(turnoverRequest(parameters, chosen, korda::session())), 1);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput());
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
    TurnoverParameters parameters;
    TurnoverSettings chosen;
};

TEST_P(SimpleStatementTest, GroupSummaryIsTheSumOfThePrintedGroupTotalsAndTheEndBlockKeepsItsOrder)
{
    const QString text = printedText();
    ASSERT_FALSE(text.isEmpty());
    EXPECT_FALSE(text.contains(QStringLiteral("Persaldo zespołu")));
    EXPECT_FALSE(text.contains(QStringLiteral("Persaldo konta")));
    EXPECT_FALSE(text.contains(QStringLiteral("Nr dziennika"))); // no entries listing
    EXPECT_FALSE(text.contains(QStringLiteral("Obroty w okresie")));
    EXPECT_TRUE(text.contains(QStringLiteral("Obroty narastająco")));

    QList<Decimal> groupsSum(4);
    QList<Decimal> summary;
    int groups = 0;
    QStringList closing;
    static const QRegularExpression groupLine(QStringLiteral("^Zespół \\d\\s"));
    const QStringList order{QStringLiteral("Podsumowanie zespołów kont"), QStringLiteral("Razem na stronie"),
                            QStringLiteral("Z przeniesienia"), QStringLiteral("Razem"), QStringLiteral("W tym konta:"),
                            QStringLiteral("Persaldo"), QStringLiteral("Koniec wydruku")};
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (groupLine.match(line).hasMatch()) {
            const QList<Decimal> a = amountsIn(line.mid(8));
            EXPECT_EQ(a.size(), 4) << line.toStdString();
            for (qsizetype i = 0; i < qMin<qsizetype>(4, a.size()); ++i)
                groupsSum[i] += a[i];
            ++groups;
        }
        if (line.startsWith(QStringLiteral("Podsumowanie zespołów kont")))
            summary = amountsIn(line);
        // "Razem na stronie" comes before "Razem" in the list: the first label that fits is the line's.
        for (const QString& label : order) {
            if (line == label || line.startsWith(label + u' ')) {
                if (closing.isEmpty() || closing.last() != label)
                    closing << label;
                break;
            }
        }
    }
    EXPECT_GE(groups, 5);
    EXPECT_EQ(summary, groupsSum);
    // The closing block on the last page, in the statement's order (page totals and what came
    // forward also appear at earlier page feet).
    const qsizetype start = closing.lastIndexOf(order.first());
    ASSERT_GE(start, 0);
    EXPECT_EQ(closing.mid(start), order);
}

TEST_P(SimpleStatementTest, BrowseRowsCarryTheTwoPairsAndFourZeros)
{
    korda::Session& s = korda::session();
    s.outputRequests.browseRequest = 1;
    ASSERT_TRUE(deleteBrowseRows(3));
    runSimpleStatement(turnoverRequest(parameters, chosen, korda::session()));
    EXPECT_EQ(s.globalResponse, 1);
    sql::Cursor c = db->exec(QStringLiteral("select opis, kol1, kol2, kol3, kol4, kol5, kol6, kol7, kol8 from ZESTAW_ZESTAW "
                                            "where id_zestaw_nag=0 AND wariant_zestaw=1 AND id_uzytkownika=3"));
    int rows = 0;
    int withAmounts = 0;
    while (c.next()) {
        ++rows;
        for (int i = 5; i <= 8; ++i)
            EXPECT_EQ(Decimal::fromVariant(c.value(i)).value_or(Decimal::fromCents(1)), Decimal()) << c.value(0).toString().toStdString();
        bool any = false;
        for (int i = 1; i <= 4; ++i)
            any = any || !Decimal::fromVariant(c.value(i)).value_or(Decimal()).isZero();
        withAmounts += any ? 1 : 0;
    }
    EXPECT_GT(rows, 40);
    EXPECT_GT(withAmounts, 20);
    deleteBrowseRows(3);
}

INSTANTIATE_TEST_SUITE_P(Backends, SimpleStatementTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::turnover
