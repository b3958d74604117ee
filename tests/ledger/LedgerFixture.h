#pragma once
// A small ledger of our own on each backend, made once per test program: company 1 with the
// fiscal years 2025 and 2026, the cash account 100 and the receivables 201-1-2 and 201-10-5
// (201 keeps two balances), postings in 2025, in the opening period, in February and many in
// March 2026, and a draft document that no print may count. Figures in the tests are summed
// straight from POZ_DOK and NAG_DOK, never taken from our own output.
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "tests/journals/JournalReportFixture.h"

namespace pravik::test {

const DayNumber kLedgerBo = dayFromYmd(2026, 1, 1);
const DayNumber kLedgerFeb = dayFromYmd(2026, 2, 2);
const DayNumber kLedgerMarch = dayFromYmd(2026, 3, 2);
const DayNumber kLedger2025 = dayFromYmd(2025, 6, 2);
constexpr int kMarchDocuments = 90;
// Postings 1 (2025), 2 to 4 (opening balance), 5 and 6 (February) come before March's.
constexpr qint64 kFirstMarchPosting = 7;

struct LedgerDatabase {
    TestDatabase where;
    std::unique_ptr<sql::Database> db;
    QString failure;
};

inline bool ledgerExec(sql::Database& db, const QString& sql, QString* failure)
{
    sql::Cursor c = db.exec(sql);
    if (!c.ok() && failure->isEmpty())
        *failure = c.errorText() + QStringLiteral(": ") + sql;
    return c.ok();
}

inline std::unique_ptr<LedgerDatabase> makeLedgerDatabase(TestBackend backend)
{
    server::registerFunctions();
    server::registerProcedures();
    auto d = std::make_unique<LedgerDatabase>();
    d->where = makeTestDatabase(backend);
    d->db = std::make_unique<sql::Database>(d->where.dbTarget);
    if (!d->db->open() || !server::createSchema(*d->db, &d->failure)) {
        if (d->failure.isEmpty())
            d->failure = d->db->lastError();
        return d;
    }
    sql::Database& db = *d->db;
    QString* f = &d->failure;
    ledgerExec(db, "insert into FIRMA (id_firmy, kod_firmy, nazwa, sym_waluty) values (1, 'T', 'Test', 'PLN')", f);
    ledgerExec(db, QStringLiteral("insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku) "
                                  "values (1, 1, '2025', %1, %2)").arg(dayFromYmd(2025, 1, 1)).arg(dayFromYmd(2025, 12, 31)), f);
    ledgerExec(db, QStringLiteral("insert into LATA_OBROTOWE (id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku) "
                                  "values (2, 1, '2026', %1, %2)").arg(dayFromYmd(2026, 1, 1)).arg(dayFromYmd(2026, 12, 31)), f);
    int id = 0;
    for (const auto& [nr, two] : {std::pair{100, 0}, std::pair{201, 1}, std::pair{13, 0}})
        ledgerExec(db, QStringLiteral("insert into KONTA_SYNT (id_konta_synt, id_firmy, id_lata_obrot, nr_konta_syn, nazwa, "
                                      "typ_konta, czy_dwusaldowe) values (%1, 1, 2, %2, 'S%2', 'B', %3)").arg(++id).arg(nr).arg(two), f);
    id = 0;
    const std::pair<const char*, const char*> accounts[] = {{"100", "Kasa"}, {"201", "Rozrachunki"}, {"201-1", "Odbiorcy krajowi"},
                                                             {"201-1-2", "Odbiorca B"}, {"201-10", "Odbiorcy zagraniczni"},
                                                             {"201-10-5", "Odbiorca Z"}};
    for (const auto& [nr, name] : accounts)
        ledgerExec(db, QStringLiteral("insert into WARTOSCI_KONT (id_wartosci_kont, id_firmy, id_lata_obrot, nr_konta, nazwa_konta) "
                                      "values (%1, 1, 2, '%2', '%3')").arg(++id).arg(QLatin1String(nr), QString::fromUtf8(name)), f);
    ledgerExec(db, "insert into PACZKA (id_paczka, id_firmy, id_lata_obrot, kod_paczki) values (1, 1, 2, 'RK')", f);
    ledgerExec(db, "insert into PACZKA (id_paczka, id_firmy, id_lata_obrot, kod_paczki) values (2, 1, 1, 'OLD')", f);

    qint64 doc = 0;
    qint64 pos = 0;
    auto document = [&](int year, DayNumber period, int status, int batch, QList<std::tuple<QString, QString, qint64>> lines) {
        ++doc;
        ledgerExec(db, QStringLiteral("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, id_paczka, status, "
                                      "nr_ewid_dok, data_biezaca, nr_dok_org, data_dok_org, data_oper_gosp, data_ksieg, id_uzyt_k) "
                                      "values (%1, 1, %2, %3, %4, %5, 'E/%1', %6, 'D/%1', %6, %6, %6, 'anna')")
                           .arg(doc).arg(year).arg(period).arg(batch).arg(status).arg(period + 3), f);
        int nr = 0;
        for (const auto& [wn, ma, cents] : lines) {
            const QString amount = Decimal::fromCents(cents).toSqlLiteral();
            ledgerExec(db, QStringLiteral("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, tresc_poz_dok, konto_wn, kwota_wn, "
                                          "konto_ma, kwota_ma) values (%1, %2, %3, 'Pozycja %1', '%4', %5, '%6', %5)")
                               .arg(++pos).arg(doc).arg(++nr).arg(wn).arg(amount).arg(ma), f);
        }
    };
    document(1, kLedger2025, 2, 2, {{"100", "201-1-2", 100000}});
    document(2, kLedgerBo, 2, 1, {{"100", "201-10-5", 50000}, {"201-1-2", "100", 30000}, {"13-1", "K1-2", 1500}});
    document(2, kLedgerFeb, 1, 1, {{"100", "201-1-2", 20000}, {"201-10-5", "100", 5050}});
    for (int i = 1; i <= kMarchDocuments; ++i)
        document(2, kLedgerMarch, i % 3 == 0 ? 2 : 1, 1,
                 {{"100", "201-1-2", 1000 + i * 37}, {"201-10-5", "100", 500 + i * 11}});
    document(2, kLedgerMarch, 0, 1, {{"100", "201-1-2", 999999}}); // a draft

    // Cost-centre allocations of the first March posting (id kFirstMarchPosting): two on its
    // debit side, one on its credit side.
    ledgerExec(db, "insert into MPK_SLOWNIK_DRZEWO (id_mpk_slownik_drzewo, id_firmy, kod) values (1, 1, 'ADM')", f);
    ledgerExec(db, "insert into MPK_SLOWNIK_DRZEWO (id_mpk_slownik_drzewo, id_firmy, id_rodzica, kod) values (2, 1, 1, 'DZIAL-1')", f);
    ledgerExec(db, "insert into MPK_SLOWNIK_WSKAZNIK (id_mpk_slownik_wskaznik, id_firmy, nr_wskaznika, kod) values (1, 1, 1, 'W-A')", f);
    ledgerExec(db, "insert into MPK_SLOWNIK_WSKAZNIK (id_mpk_slownik_wskaznik, id_firmy, nr_wskaznika, kod) values (2, 1, 2, 'W-B')", f);
    ledgerExec(db, QStringLiteral("insert into MPK_DANE (id_mpk_dane, id_firmy, id_poz_dok, strona, kwota, drzewo_zbior_id, wskaznik_1_id, "
                                  "wskaznik_2_id) values (1, 1, %1, 'WN', 6.00, '1;2', 1, 2), (2, 1, %1, 'WN', 4.37, '1', 2, null), "
                                  "(3, 1, %1, 'MA', 10.37, '2', null, null)").arg(kFirstMarchPosting), f);

    // Foreign-currency cash documents of 2025 on the currency cash account 102, the first with
    // partial items; the turnover table is derived from the postings by the server.
    auto cash = [&](const char* currency, QList<std::tuple<QString, QString, qint64, qint64>> lines) {
        ++doc;
        ledgerExec(db, QStringLiteral("insert into NAG_DOK (id_nag_dok, id_firmy, id_lata_obrot, data_okresu, id_paczka, status, czy_rk, "
                                      "nr_ewid_dok, data_biezaca, nr_dok_org, data_dok_org, sym_waluty) values (%1, 1, 1, %2, 2, 2, 10, "
                                      "'W/%1', %2, 'KW/%1', %2, '%3')").arg(doc).arg(kLedger2025).arg(QLatin1String(currency)), f);
        int nr = 0;
        for (const auto& [wn, ma, cents, foreignCents] : lines)
            ledgerExec(db, QStringLiteral("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, tresc_poz_dok, konto_wn, kwota_wn, "
                                          "kwota_wn_w, sym_waluty_wn, konto_ma, kwota_ma, kwota_ma_w, sym_waluty_ma) values "
                                          "(%1, %2, %3, 'Waluta %1', '%4', %5, %6, '%7', '%8', %5, %6, '%7')")
                               .arg(++pos).arg(doc).arg(++nr).arg(wn).arg(Decimal::fromCents(cents).toSqlLiteral())
                               .arg(Decimal::fromCents(foreignCents).toSqlLiteral()).arg(QLatin1String(currency)).arg(ma), f);
    };
    cash("EUR", {{"102", "202-1", 43000, 10000}, {"202-1", "102", 21500, 5000}});
    const qint64 withItems = pos - 1;
    cash("USD", {{"102", "202-1", 40000, 10000}});
    cash("EUR", {{"102", "202-1", 8600, 2000}});
    for (int i = 1; i <= 2; ++i)
        ledgerExec(db, QStringLiteral("insert into POZ_DOK_CZASTKOWE (id_poz_dok_czastkowe, id_poz_dok, data_dok, nr_dok, opis, kwota_wn, "
                                      "kwota_wn_w, kwota_ma, kwota_ma_w) values (%1, %2, %3, 'C/%1', 'Część %1', %4, %5, 0, 0)")
                           .arg(i).arg(withItems).arg(kLedger2025 + i).arg(i * 215).arg(i * 50), f);
    for (int year = 1; year <= 2; ++year)
        ledgerExec(db, QStringLiteral("CALL PRZELICZ_OBROTY_I_SALDA(1,%1)").arg(year), f);
    return d;
}

inline LedgerDatabase& ledgerDatabase(TestBackend backend)
{
    static auto* cache = [] {
        auto* c = new std::map<TestBackend, std::unique_ptr<LedgerDatabase>>;
        atTestProgramEnd([c] { c->clear(); });
        return c;
    }();
    auto& slot = (*cache)[backend];
    if (!slot)
        slot = makeLedgerDatabase(backend);
    return *slot;
}

class LedgerTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        LedgerDatabase& d = ledgerDatabase(GetParam());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2026");
        s.DANE_POCZATEK_ROKU = dayFromYmd(2026, 1, 1);
        s.DANE_KONIEC_ROKU = dayFromYmd(2026, 12, 31);
        s.DANE_NAZWA_FIRMY = QStringLiteral("Test");
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 7, 10);
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 1;
        s.GLO_CUTEMP = folder.path();
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
    }

    void TearDown() override { setUi(nullptr); }

    // A sum straight from the postings: side "wn" or "ma" of the booked documents matching cond
    // (over n. and p.).
    Decimal posted(const QString& account, const char* side, const QString& cond)
    {
        sql::Cursor c = db->exec(QStringLiteral("select coalesce(sum(p.kwota_%1),0) from POZ_DOK p join NAG_DOK n on "
                                                "n.id_nag_dok=p.id_nag_dok where n.status<>0 and n.id_firmy=1 and p.konto_%1='%2' and %3")
                                     .arg(QLatin1String(side), account, cond));
        return c.next() ? dec(c.value(0)) : Decimal::fromCents(-1);
    }

    QStringList pdfPages(const std::function<void()>& report, const QString& name = QStringLiteral("ksiega.pdf"))
    {
        const QString pdf = folder.filePath(name);
        korda::session().outputRequests.pdfPath = pdf;
        report();
        korda::session().outputRequests.pdfPath.clear();
        if (!QFileInfo::exists(pdf))
            return {};
        return test::pdfPages(pdf);
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
};

} // namespace pravik::test
