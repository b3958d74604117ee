// The cost-centre reports over the ledger of our own with allocations added on March's postings
// of company 1 and one of another company: "Razem" and the summaries against sums taken straight
// from the allocations, the session's company always kept, and the summary groups.
#include "LedgerFixture.h"

#include "ledger/CostCentreSource.h"
#include "ledger/LedgerProcedures.h"

#include <set>

namespace pravik::test {
namespace {

using ledger::Amounts;

class CostCentres : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        korda::session().DANE_SEPARATOR_MPK = QStringLiteral(";");
        static std::set<TestBackend> done;
        if (!done.insert(GetParam()).second)
            return;
        QString f;
        auto exec = [&](const QString& sql) { ASSERT_TRUE(ledgerExec(*db, sql, &f)) << f.toStdString(); };
        exec("insert into MPK_SLOWNIK_DRZEWO (id_mpk_slownik_drzewo, id_firmy, id_rodzica, kod, nazwa) values (901, 1, 0, 'ADM', 'Administracja')");
        exec("insert into MPK_SLOWNIK_DRZEWO (id_mpk_slownik_drzewo, id_firmy, id_rodzica, kod, nazwa) values (902, 1, 901, 'KS', 'Księgowość')");
        exec("insert into MPK_SLOWNIK_WSKAZNIK (id_mpk_slownik_wskaznik, id_firmy, nr_wskaznika, kod, nazwa) values (911, 1, 1, 'W1-A', 'A')");
        exec("insert into MPK_SLOWNIK_WSKAZNIK (id_mpk_slownik_wskaznik, id_firmy, nr_wskaznika, kod, nazwa) values (912, 1, 2, 'W2-B', 'B')");
        // Company 1: every receipt line of March split in two allocations of the credit side, the
        // payment lines of every other document on the debit side; one allocation in the opening period.
        sql::Cursor c = db->exec(QStringLiteral("select p.id_poz_dok, p.kwota_ma, p.konto_ma from POZ_DOK p join NAG_DOK n on "
                                                "n.id_nag_dok=p.id_nag_dok where n.id_firmy=1 and n.status<>0 and n.data_okresu=%1 "
                                                "order by p.id_poz_dok").arg(kLedgerMarch));
        QList<std::tuple<qint64, Decimal, QString>> lines;
        while (c.next())
            lines.append({c.value(0).toLongLong(), dec(c.value(1)), c.value(2).toString()});
        int id = 1000;
        for (const auto& [pos, amount, credit] : lines) {
            if (credit == QLatin1String("201-1-2")) {
                const Decimal part = Decimal::fromCents(100);
                exec(QStringLiteral("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id, wskaznik_1_id, "
                                    "wskaznik_2_id) values (%1, 1, %2, 'MA', %3, '901;902', 911, 0)")
                         .arg(++id).arg(pos).arg(part.toSqlLiteral()));
                exec(QStringLiteral("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id, wskaznik_1_id, "
                                    "wskaznik_2_id) values (%1, 1, %2, 'MA', %3, '901', 911, 912)")
                         .arg(++id).arg(pos).arg((amount - part).toSqlLiteral()));
            } else if (pos % 4 == 0) {
                exec(QStringLiteral("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id, wskaznik_1_id) "
                                    "values (%1, 1, %2, 'WN', %3, '901', 0)").arg(++id).arg(pos).arg(amount.toSqlLiteral()));
            }
        }
        exec(QStringLiteral("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id) "
                            "select 999, 1, min(p.id_poz_dok), 'WN', 12.34, '902' from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok "
                            "where n.data_okresu=%1").arg(kLedgerBo));
        // Another company's allocation in March.
        exec(QStringLiteral("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, id_paczka, status, nr_ewid_dok) "
                            "values (9001, 2, 2, %1, 1, 1, 'OBCY')").arg(kLedgerMarch));
        exec("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, konto_wn, kwota_wn, konto_ma, kwota_ma) values (9001, 9001, 1, '401', 777, '100', 777)");
        exec("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id) values (9001, 2, 9001, 'WN', 777, '901')");
    }

    // The allocations of company 1 matching cond (over n.), summed straight from the tables.
    Amounts allocated(const QString& cond)
    {
        sql::Cursor c = db->exec(QStringLiteral("select coalesce(sum(case when m.strona='WN' then m.kwota else 0 end),0), "
                                                "coalesce(sum(case when m.strona='WN' then 0 else m.kwota end),0) from MPK_DANE m "
                                                "join POZ_DOK p on p.id_poz_dok=m.id_poz_dok join NAG_DOK n on n.id_nag_dok=p.id_nag_dok "
                                                "where n.status<>0 and n.id_firmy=1 and %1").arg(cond));
        return c.next() ? Amounts{dec(c.value(0)), dec(c.value(1))} : Amounts{};
    }

    ledger::LedgerRequest request(int kind, const QString& filter)
    {
        ledger::ControlList c;
        c.kind = kind;
        return ledger::requestFromSession(c, filter, QStringLiteral("MPK"), 0, korda::session());
    }
};

TEST_P(CostCentres, RegisterTotalsAndSummariesAreThoseOfTheAllocations)
{
    const QString filter = QStringLiteral("MPK:id_lata_obrot=2 AND MPK:data_okresu=%1").arg(kLedgerMarch);
    ledger::CostCentreSource source(request(ledger::kCostCentreSheet, filter));
    ASSERT_TRUE(source.start());
    ledger::CostCentreRow row;
    qint64 n = 0;
    while (source.next(row))
        ++n;
    const Amounts march = allocated(QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch));
    EXPECT_EQ(source.totals(), march);
    EXPECT_GT(n, kMarchDocuments);
    const QList<ledger::CostCentreSummaryRow> rows = source.summary();
    ASSERT_GE(rows.size(), 3); // March, then the accounts
    EXPECT_EQ(rows[0].group, 0);
    EXPECT_EQ(rows[0].label, QStringLiteral("3-2026"));
    EXPECT_EQ(rows[0].sums, march);
    Amounts accounts;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].group, 1);
        accounts += rows[i].sums;
        if (rows[i].label == QLatin1String("201-1-2")) {
            EXPECT_EQ(rows[i].name, QStringLiteral("Odbiorca B"));
            EXPECT_EQ(rows[i].sums, allocated(QStringLiteral("n.data_okresu=%1 and m.strona='MA' and p.konto_ma='201-1-2'").arg(kLedgerMarch)));
        }
    }
    EXPECT_EQ(accounts, march);
    // The opening period is labelled like January.
    EXPECT_EQ(ledger::costCentrePeriodLabel(kLedgerBo), QStringLiteral("1-2026"));
}

TEST_P(CostCentres, ReportGoesToTheTargetOfItsRequest)
{
    korda::Session& s = korda::session();
    const QStringList expected = pdfPages([&] { EXPECT_EQ(ledger::printLedger(request(ledger::kCostCentreSheet, QString())), 1); });
    ASSERT_FALSE(expected.isEmpty());
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    const QStringList pages = pdfPages(
        [&] {
            const ledger::LedgerRequest r = request(ledger::kCostCentreSheet, QString());
            s.outputRequests.pdfPath = stray;
            s.outputRequests.browseRequest = 1;
            EXPECT_EQ(ledger::printLedger(r), 1);
            s.outputRequests.browseRequest = 0;
        },
        QStringLiteral("zadany.pdf"));
    EXPECT_EQ(pages, expected);
    EXPECT_FALSE(QFileInfo::exists(stray));
}

TEST_P(CostCentres, PrintedRazemEqualsTheAllocationsAndAnEmptyFilterKeepsTheCompany)
{
    korda::Session& s = korda::session();
    s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    QStringList pages = pdfPages([&] { WYDRUK_KSIEGA(QString(), QStringLiteral("Zapisy MPK"), QStringLiteral("1|0|0|1|0|Opis MPK|0")); });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    const Amounts all = allocated(QStringLiteral("1=1"));
    QString closing;
    for (const QString& p : pages)
        if (!labelled(p, QStringLiteral("Razem")).isEmpty()) {
            closing = p;
            break;
        }
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem")), all.columns());
    EXPECT_FALSE(pages.join(u'\n').contains(QStringLiteral("OBCY")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Opis MPK")));
    EXPECT_TRUE(pages.join(u'\n').contains(QStringLiteral("Odbiorca B")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));

    // Kind 2: a group per indicator number and one for the tree paths, each closed by "Razem".
    pages = pdfPages([&] { WYDRUK_KSIEGA(QString(), QStringLiteral("Zapisy MPK"), QStringLiteral("2|0|0|1|0||0")); });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    const QString text = pages.join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("Wskaźnik (strukt. drzewiasta)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Wskaźnik nr 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("Wskaźnik nr 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("ADM - KS")));
    // Every allocation has a path: the tree group sums to everything.
    ledger::CostCentreSource source(request(ledger::kCostCentreStatement, QString()));
    ASSERT_TRUE(source.start());
    ledger::CostCentreRow row;
    while (source.next(row)) {
    }
    Amounts tree;
    for (const auto& r : source.summary())
        if (r.group == 0)
            tree += r.sums;
    EXPECT_EQ(tree, all);
    EXPECT_EQ(source.totals(), all);
}

INSTANTIATE_TEST_SUITE_P(Backends, CostCentres, allBackends(), backendName);

TEST(CostCentreOrder, SortCodesAndTheDefault)
{
    EXPECT_EQ(ledger::costCentreOrder(5, false), QStringLiteral("order by id_firmy asc, konto desc, id_mpk_dane asc"));
    EXPECT_EQ(ledger::costCentreOrder(9, true), QStringLiteral("order by id_firmy asc, nr_ewid_dok asc, id_mpk_dane asc"));
}

} // namespace
} // namespace pravik::test
