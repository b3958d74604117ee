// OBROTOWKA_RAPORT and USTAL_NAZWE_KONTA over the demo company, against sums the test works out
// on its own from the posting lines, on SQLite and on PostgreSQL.
#include "DemoDatabaseTest.h"

#include "platform/DayNumber.h"
#include "platform/sql/Quote.h"
#include "server/src/procedures/TurnoverTable.h"

#include <array>

namespace pravik::test {
namespace {

using Amounts = std::array<Decimal, 10>;

struct Side {
    QString account;
    DayNumber period;
    int status;
    DayNumber booked;
    Decimal base, foreign;
    QString currency;
    bool debit;
};

QList<Side> loadSides(sql::Database& db, int company, int year)
{
    QList<Side> out;
    sql::Cursor c = db.execNative(QStringLiteral(
        "select n.data_okresu, n.status, n.data_biezaca, p.konto_wn, p.kwota_wn, p.kwota_wn_w, p.sym_waluty_wn,"
        " p.konto_ma, p.kwota_ma, p.kwota_ma_w, p.sym_waluty_ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        " where n.id_firmy=%1 and n.id_lata_obrot=%2").arg(company).arg(year));
    while (c.next()) {
        for (int s = 0; s < 2; ++s) {
            const int o = 3 + s * 4;
            if (c.value(o).toString().isEmpty())
                continue;
            out << Side{c.value(o).toString(), c.value(0).toInt(), c.value(1).toInt(), c.value(2).toInt(),
                        dec(c.value(o + 1)), dec(c.value(o + 2)), c.value(o + 3).toString(), s == 0};
        }
    }
    EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
    return out;
}

struct Request {
    QString currency = QStringLiteral("PLN");
    bool approved = false;
    DayNumber period = monthPeriod(2026, 5);
    DayNumber yearStart = dayFromYmd(2026, 1, 1);
    DayNumber asOf = 0;
    QString mask;
    int mode = 0;
};

bool twoBalance(const QString& account)
{
    const int syn = account.section('-', 0, 0).toInt();
    return syn == 201 || syn == 202 || syn == 203 || syn == 234 || syn == 240;
}

Decimal positive(Decimal d)
{
    return d.sign() > 0 ? d : Decimal();
}

// The statement's figures worked out the plain way: walk every posting side.
Amounts expected(const QList<Side>& sides, const QString& account, const Request& rq)
{
    struct Unit { Decimal boWn, boMa, perWn, perMa, cumWn, cumMa; };
    std::map<QString, Unit> units;
    for (const Side& s : sides) {
        if (s.account != account && !s.account.startsWith(account + QLatin1Char('-')))
            continue;
        if (s.status <= 0 || (rq.approved && s.status != 2) || s.period > rq.period)
            continue;
        if (rq.asOf > 0 && s.booked > rq.asOf)
            continue;
        if (rq.currency != QLatin1String("PLN") && s.currency != rq.currency)
            continue;
        if (!rq.mask.isEmpty()) {
            const QString prefix = QString(rq.mask).remove(QLatin1Char('%'));
            if (!s.account.startsWith(prefix) && !account.startsWith(prefix))
                continue;
        }
        const Decimal a = rq.currency == QLatin1String("PLN") ? s.base : s.foreign;
        Unit& u = units[s.account];
        (s.debit ? u.cumWn : u.cumMa) += a;
        if (s.period == rq.yearStart)
            (s.debit ? u.boWn : u.boMa) += a;
        if (s.period == rq.period)
            (s.debit ? u.perWn : u.perMa) += a;
    }
    Amounts k{};
    Decimal sumNetWn, sumNetMa, sumBoNetWn, sumBoNetMa;
    for (const auto& [acc, u] : units) {
        k[0] += u.cumWn; k[1] += u.cumMa;
        k[2] += u.perWn; k[3] += u.perMa;
        k[6] += u.boWn; k[7] += u.boMa;
        sumNetWn += positive(u.cumWn - u.cumMa); sumNetMa += positive(u.cumMa - u.cumWn);
        sumBoNetWn += positive(u.boWn - u.boMa); sumBoNetMa += positive(u.boMa - u.boWn);
    }
    const bool tb = twoBalance(account);
    k[4] = tb ? sumNetWn : positive(k[0] - k[1]);
    k[5] = tb ? sumNetMa : positive(k[1] - k[0]);
    k[8] = tb ? sumBoNetWn : positive(k[6] - k[7]);
    k[9] = tb ? sumBoNetMa : positive(k[7] - k[6]);
    if (rq.asOf > 0) {
        k[0] -= k[6];
        k[1] -= k[7];
    }
    return k;
}

struct ReportRun {
    int status = -1;
    QString message;
    QList<Amounts> rows;
    QString error;
};

// Writes the scratch rows as the statement does and calls the procedure through the gateway.
ReportRun runReport(sql::Database& db, const QStringList& accounts, const Request& rq, const QString& login = "admin",
                    int company = 1, int year = 2)
{
    ReportRun r;
    db.execNative(QStringLiteral("delete from ZESTAW_ZESTAW where id_zestaw_nag=0 and id_uzytkownika=1 and wariant_zestaw=99"));
    for (int n = 1; n <= accounts.size(); ++n) {
        sql::Cursor c = db.exec(QStringLiteral(
            "insert into ZESTAW_ZESTAW (symbol, opis, info, poziom, lp, id_uzytkownika, id_zestaw_nag, wariant_zestaw,"
            "kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8) values('%1',%2,'',1,%1,1,0,99,0,0,0,0,0,0,0,0)")
            .arg(n).arg(sql::sqlText(accounts[n - 1])));
        EXPECT_TRUE(c.ok()) << qPrintable(c.errorText());
    }
    sql::Cursor call = db.exec(QStringLiteral("CALL OBROTOWKA_RAPORT (%1,%2,%3,%4,%5,%6,%7,%8,%9,%10)")
                                   .arg(sql::sqlText(login)).arg(company).arg(year).arg(rq.period).arg(rq.yearStart)
                                   .arg(sql::sqlText(rq.currency)).arg(rq.approved ? 1 : 0).arg(sql::sqlText(rq.mask))
                                   .arg(rq.mode).arg(rq.asOf));
    if (!call.ok() || !call.next()) {
        r.error = call.errorText();
        return r;
    }
    r.status = call.value(0).toInt();
    r.message = call.value(1).toString();
    sql::Cursor back = db.exec(QStringLiteral("select kol1,kol2,kol3,kol4,kol5,kol6,kol7,kol8,kol9,kol10,lp from ZESTAW_ZESTAW"
                                              " where id_zestaw_nag=0 AND id_uzytkownika=1 AND wariant_zestaw=99 order by lp"));
    while (back.next()) {
        Amounts a;
        for (int i = 0; i < 10; ++i)
            a[i] = dec(back.value(i));
        r.rows << a;
    }
    return r;
}

QString show(const Amounts& a)
{
    QStringList s;
    for (const Decimal& d : a)
        s << d.toString();
    return s.join(QLatin1Char(' '));
}

class TurnoverReportTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        demo = &sharedDemo(GetParam());
        ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
        sides = loadSides(*demo->db, 1, 2);
        ASSERT_FALSE(sides.isEmpty());
        for (const Side& s : sides)
            if (s.account.startsWith(QLatin1String("201-")) && (customer.isEmpty() || s.account < customer))
                customer = s.account;
    }

    void expectAgrees(const QStringList& accounts, const Request& rq)
    {
        const ReportRun r = runReport(*demo->db, accounts, rq);
        ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
        EXPECT_EQ(r.status, 0) << qPrintable(r.message);
        ASSERT_EQ(r.rows.size(), accounts.size());
        for (int i = 0; i < accounts.size(); ++i) {
            const Amounts want = expected(sides, accounts[i], rq);
            EXPECT_EQ(show(r.rows[i]), show(want)) << "account " << qPrintable(accounts[i]);
        }
    }

    DemoDatabase* demo = nullptr;
    QList<Side> sides;
    QString customer;
};

TEST_P(TurnoverReportTest, AgreesWithPostingsForLeavesParentsAndPeriods)
{
    // A card-index leaf, a two-balance parent, a four-level parent and its middle, off-balance,
    // and the result account that only the opening balance touches.
    const QStringList accounts = {customer, "201", "402", "402-2-2", "220", "130-1", "990", "820", "1"};
    Request open;
    expectAgrees(accounts, open);
    Request closed;
    closed.period = monthPeriod(2026, 3);
    expectAgrees(accounts, closed);
    Request opening;
    opening.period = opening.yearStart;
    expectAgrees(accounts, opening);
}

TEST_P(TurnoverReportTest, ApprovedOnlyLeavesOutUnapprovedDocuments)
{
    Request rq;
    rq.approved = true;
    expectAgrees({customer, "201", "402", "100"}, rq);
    const ReportRun all = runReport(*demo->db, {"402"}, Request{});
    const ReportRun approved = runReport(*demo->db, {"402"}, rq);
    // May holds unapproved documents, so the two must differ somewhere.
    EXPECT_NE(show(all.rows.value(0)), show(approved.rows.value(0)));
}

TEST_P(TurnoverReportTest, ForeignCurrencyUsesCurrencyAmounts)
{
    Request eur;
    eur.currency = "EUR";
    expectAgrees({"203-1", "203", "132-1", "101", "700-2"}, eur);
    Request usd;
    usd.currency = "USD";
    expectAgrees({"203-2", "203"}, usd);
    const ReportRun r = runReport(*demo->db, {"203-1"}, eur);
    EXPECT_FALSE(r.rows.value(0)[0].isZero());
}

TEST_P(TurnoverReportTest, AsOfDateCountsPostingsBookedUpToIt)
{
    Request rq;
    rq.asOf = dayFromYmd(2026, 5, 15);
    expectAgrees({customer, "201", "402", "130-1", "220-1"}, rq);
}

TEST_P(TurnoverReportTest, MaskLimitsParentsToMatchingSubAccounts)
{
    Request rq;
    rq.mask = customer + "%";
    expectAgrees({"201", customer, "402"}, rq);
    const ReportRun r = runReport(*demo->db, {"402"}, rq);
    EXPECT_TRUE(r.rows.value(0)[0].isZero()) << "402 does not match the mask";
}

TEST_P(TurnoverReportTest, ReconciliationSetsBalanceBesideSettlements)
{
    Request rq;
    rq.mode = 1;
    QStringList accounts;
    sql::Cursor c = demo->db->execNative("select distinct nr_konta from ROZRACHUNKI where id_firmy=1 and id_lata_obrot=2 order by nr_konta");
    while (c.next())
        accounts << c.value(0).toString();
    ASSERT_GT(accounts.size(), 5);
    const ReportRun r = runReport(*demo->db, accounts, rq);
    ASSERT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    int differing = 0;
    for (int i = 0; i < accounts.size(); ++i) {
        const Amounts want = expected(sides, accounts[i], rq);
        EXPECT_EQ(r.rows[i][2], want[4]) << qPrintable(accounts[i]); // account balance
        EXPECT_EQ(r.rows[i][3], want[5]) << qPrintable(accounts[i]);
        if (r.rows[i][2] != r.rows[i][4] || r.rows[i][3] != r.rows[i][5])
            ++differing;
    }
    // The demo company's settlement records differ from the ledger on purpose, on a few accounts.
    EXPECT_GE(differing, 1);
    EXPECT_LE(differing, demo->summary.settlementDisagreements);
}

TEST_P(TurnoverReportTest, BadInputGivesZerosNeverAnSqlError)
{
    Request quote;
    quote.mask = "201'; delete from POZ_DOK; --%";
    ReportRun r = runReport(*demo->db, {"201", "O'Brien"}, quote);
    EXPECT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_TRUE(r.rows.value(0)[0].isZero());

    Request unknown;
    unknown.currency = "XYZ";
    r = runReport(*demo->db, {"201"}, unknown);
    EXPECT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.message.contains("XYZ"));
    EXPECT_TRUE(r.rows.value(0)[0].isZero());

    r = runReport(*demo->db, {"201"}, Request{}, "admin", 2, 2); // year 2 belongs to company 1
    EXPECT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_TRUE(r.rows.value(0)[0].isZero());

    r = runReport(*demo->db, {}, Request{});
    EXPECT_TRUE(r.error.isEmpty()) << qPrintable(r.error);
    EXPECT_EQ(r.status, 0);

    sql::Cursor c = demo->db->exec("select count(*) from POZ_DOK");
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c.value(0).toLongLong(), demo->summary.postings);
}

TEST_P(TurnoverReportTest, AccountNamesFromChartAndCardIndexes)
{
    auto name = [&](const QString& account) {
        sql::Cursor c = demo->db->exec(QStringLiteral("CALL USTAL_NAZWE_KONTA(1,2,%1)").arg(sql::sqlText(account)));
        EXPECT_TRUE(c.next()) << qPrintable(c.errorText());
        return std::make_pair(c.value(0).toInt(), c.value(2).toString());
    };
    EXPECT_EQ(name("402-2-2-1"), std::make_pair(4, QStringLiteral("Licencje od dostawców krajowych")));
    EXPECT_EQ(name("201"), std::make_pair(1, QStringLiteral("Rozrachunki z odbiorcami")));
    const auto contractor = name(customer);
    EXPECT_EQ(contractor.first, 2);
    sql::Cursor k = demo->db->execNative(QStringLiteral("select nazwa from KONTRAHENT where id_firmy=1 and kod_kontrahenta=%1")
                                             .arg(customer.section('-', 1)));
    ASSERT_TRUE(k.next());
    EXPECT_EQ(contractor.second, k.value(0).toString());
    EXPECT_EQ(name("401-3-2").second, QStringLiteral("Toyota Corolla EL 7730Ż"));
    EXPECT_EQ(name("234-1").first, 2);
    EXPECT_EQ(name("999-9"), std::make_pair(0, QString()));
    EXPECT_EQ(name("201-abc'd"), std::make_pair(0, QString()));
}

INSTANTIATE_TEST_SUITE_P(Backends, TurnoverReportTest, allBackends(), backendName);

// Corrupting the turnover table: the status row and the full check both notice.
class TurnoverReportStatusTest : public ::testing::TestWithParam<TestBackend> {};

TEST_P(TurnoverReportStatusTest, DisagreementIsCaughtAndRepairable)
{
    auto demo = makeDemoDatabase(GetParam(), 600, 3);
    ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
    sql::Database& db = *demo->db;
    EXPECT_EQ(runReport(db, {"201"}, Request{}).status, 0);
    EXPECT_EQ(server::checkTurnoverTable(db, 1, 2).differences, 0);

    sql::Cursor c = db.execNative("update OBROTY_I_SALDA set obroty_wn=obroty_wn+0.01 where id_firmy=1 and id_lata_obrot=2"
                                  " and nr_konta='220-1' and sym_waluty='PLN' and data_okresu=" + QString::number(monthPeriod(2026, 2)));
    ASSERT_TRUE(c.ok()) << qPrintable(c.errorText());
    ASSERT_EQ(c.rowsAffected(), 1);
    const ReportRun r = runReport(db, {"201"}, Request{});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.message.contains(periodLabel(monthPeriod(2026, 2)))) << qPrintable(r.message);
    const server::TurnoverTableCheck check = server::checkTurnoverTable(db, 1, 2);
    EXPECT_EQ(check.differences, 1);
    EXPECT_TRUE(check.samples.value(0).startsWith("220-1")) << qPrintable(check.samples.value(0));

    // A synthetic row alone is caught as well.
    sql::Cursor repair = db.exec("CALL PRZELICZ_OBROTY_I_SALDA(1,2)");
    ASSERT_TRUE(repair.ok()) << qPrintable(repair.errorText());
    EXPECT_EQ(runReport(db, {"201"}, Request{}).status, 0);
    db.execNative("update OBROTY_I_SALDA set obroty_ma=obroty_ma-5 where id_firmy=1 and id_lata_obrot=2 and nr_konta='402'"
                  " and sym_waluty='PLN' and data_okresu=" + QString::number(monthPeriod(2026, 1)));
    EXPECT_EQ(runReport(db, {"130-1"}, Request{}).status, 1);
    sql::Cursor check2 = db.exec("CALL SPRAWDZ_OBROTY_I_SALDA(1,2)");
    ASSERT_TRUE(check2.next()) << qPrintable(check2.errorText());
    EXPECT_EQ(check2.value(0).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, TurnoverReportStatusTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
