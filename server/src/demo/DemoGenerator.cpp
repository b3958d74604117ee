#include "server/src/demo/DemoGenerator.h"

#include "platform/DayNumber.h"
#include "server/src/demo/BulkInsert.h"
#include "server/src/demo/DemoChart.h"
#include "server/src/demo/DemoStatements.h"
#include "server/src/demo/DemoRandom.h"
#include "server/src/procedures/TurnoverTable.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <map>
#include <memory>

namespace pravik::server {

using namespace demo;

namespace {

// Cost-centre path ids are joined with this character (the session's MPK separator).
const QString kMpkSeparator = QStringLiteral(";");
// The budget unit's classification separator: written to its global parameter BT_SEPARATOR, which
// the host reads into GGG:BT_SEPARATOR, and used for every classification and mask below.
const QString kBudgetSeparator = QStringLiteral("-");

QString classification(const char* chapter, const char* section, const char* paragraph)
{
    return QStringList{QLatin1String(chapter), QLatin1String(section), QLatin1String(paragraph)}.join(kBudgetSeparator);
}

struct Side {
    QString account;
    qint64 base = 0;     // grosze in the base currency
    qint64 foreign = 0;  // grosze in the side's currency (= base for PLN)
    QString currency = QStringLiteral("PLN");
    int rate = 10000;
};

struct Line {
    Side wn, ma;
    QString text;
};

struct Document {
    DayNumber period = 0;
    QString batch;           // PACZKA code
    QString kind;            // document-number prefix ("FV", "WB" ...)
    QString description;
    QString currency = QStringLiteral("PLN");
    int cashReport = 0;      // czy_rk
    DayNumber day = 0;       // posting date
    int status = 2;
    QList<Line> lines;
};

struct FiscalYear {
    int id = 0;
    int company = 0;
    QString name;
    DayNumber first = 0, last = 0;
    DayNumber closedThrough = 0;  // zamkniety_okres
    int status = 1;
    int openingApproved = 0;
    QList<DayNumber> activeMonths;
    qint64 postings = 0;
};

struct Balance {
    qint64 base = 0;     // debit minus credit
    qint64 foreign = 0;
    QString currency = QStringLiteral("PLN");
};

Line twoSided(const QString& wn, const QString& ma, qint64 amount, const QString& text)
{
    Line l;
    l.wn.account = wn;
    l.ma.account = ma;
    l.wn.base = l.wn.foreign = l.ma.base = l.ma.foreign = amount;
    l.text = text;
    return l;
}

// Base amount of a foreign amount at a rate in ten-thousandths, half away from zero.
qint64 atRate(qint64 foreign, int rate)
{
    const qint64 p = foreign * rate;
    return (p >= 0 ? p + 5000 : p - 5000) / 10000;
}

QString synText(int number)
{
    return QStringLiteral("%1").arg(number, 3, 10, QLatin1Char('0'));
}

class Generator {
public:
    Generator(sql::Database& db, const DemoOptions& options)
        : m_db(db), m_options(options), m_rnd(options.seed)
    {
        m_nag = std::make_unique<BulkInsert>(db, QStringLiteral("NAG_DOK"), QStringList{
            "id_nag_dok", "id_firmy", "id_lata_obrot", "data_okresu", "id_paczka", "status", "czy_rk", "nr_dziennika",
            "nr_ewid_dok", "data_biezaca", "nr_dok_org", "data_dok_org", "data_oper_gosp", "data_ksieg", "opis_dok",
            "kwota_dok", "sym_waluty", "id_uzyt_p", "id_uzyt_k"});
        m_poz = std::make_unique<BulkInsert>(db, QStringLiteral("POZ_DOK"), QStringList{
            "id_poz_dok", "id_nag_dok", "nr_poz_dok", "tresc_poz_dok", "konto_wn", "kwota_wn", "kwota_wn_w",
            "sym_waluty_wn", "kurs_waluty_wn", "konto_ma", "kwota_ma", "kwota_ma_w", "sym_waluty_ma", "kurs_waluty_ma"});
        m_partial = std::make_unique<BulkInsert>(db, QStringLiteral("POZ_DOK_CZASTKOWE"), QStringList{
            "id_poz_dok", "data_dok", "nr_dok", "opis", "kwota_wn", "kwota_wn_w", "kwota_ma", "kwota_ma_w",
            "kurs_waluty_wn", "kurs_waluty_ma", "mnoznik_wn", "mnoznik_ma"});
        m_settle = std::make_unique<BulkInsert>(db, QStringLiteral("ROZRACHUNKI"), QStringList{
            "id_firmy", "id_lata_obrot", "nr_konta", "data_okresu", "id_poz_dok", "id_kontrahenta", "nr_dok", "data_dok",
            "termin_platnosci", "sym_waluty", "kwota_wn", "kwota_ma", "kwota_wn_w", "kwota_ma_w"});
        m_mpk = std::make_unique<BulkInsert>(db, QStringLiteral("MPK_DANE"), QStringList{
            "id_firmy", "id_poz_dok", "strona", "kwota", "kwota_w", "drzewo_zbior_id", "wskaznik_1_id", "wskaznik_2_id",
            "wskaznik_3_id", "wskaznik_4_id", "wskaznik_5_id"});
        m_bt = std::make_unique<BulkInsert>(db, QStringLiteral("BT_DANE"), QStringList{
            "id_firmy", "id_poz_dok", "bt_klasyfikacja", "typ", "kwota", "rodzaj_d", "rodzaj_wp", "rodzaj_wy", "rodzaj_k",
            "rodzaj_z", "rodzaj_x"});
    }

    bool run(DemoSummary* summary, QString* error);

private:
    bool exec(const QString& sql)
    {
        if (!m_error.isEmpty())
            return false;
        sql::Cursor c = m_db.execNative(sql);
        if (!c.ok())
            m_error = c.errorText() + QStringLiteral(" [") + sql.left(200) + QLatin1Char(']');
        return m_error.isEmpty();
    }
    void insert(const QString& table, const QStringList& columns, const QList<SqlRow>& rows)
    {
        BulkInsert b(m_db, table, columns);
        for (const SqlRow& r : rows)
            b.add(r);
        if (!b.flush() && m_error.isEmpty())
            m_error = b.error();
    }

    void writeShared();
    void writeCompany(int company, const QString& code, const QString& name, const QString& fullName, bool partialJournals);
    void writeYear(const FiscalYear& y, bool partialJournals);
    void writeCardIndexes(int company, int contractors, int employees);
    void generateYear(FiscalYear& y, bool budgetUnit, QMap<QString, Balance>* closing, const QMap<QString, Balance>* opening);
    void book(const FiscalYear& y, Document doc, bool budgetUnit);
    void schoolCashCosts(const FiscalYear& y);
    int monthRate(const QString& currency, DayNumber period);
    Document randomDocument(const FiscalYear& y, DayNumber period, bool budgetUnit);
    void monthlyDocuments(const FiscalYear& y, DayNumber period, bool budgetUnit);
    int statusFor(const FiscalYear& y, DayNumber period);
    DayNumber dayIn(DayNumber period);

    QString customer() { return QStringLiteral("201-%1").arg(m_customers[m_rnd.below(m_customers.size())]); }
    QString supplier() { return QStringLiteral("202-%1").arg(m_suppliers[m_rnd.below(m_suppliers.size())]); }
    QString employee() { return QStringLiteral("234-%1").arg(1 + m_rnd.below(m_employees)); }

    sql::Database& m_db;
    DemoOptions m_options;
    DemoRandom m_rnd;
    QString m_error;
    std::unique_ptr<BulkInsert> m_nag, m_poz, m_partial, m_settle, m_mpk, m_bt;
    qint64 m_nextDoc = 1, m_nextLine = 1;
    QList<int> m_customers, m_suppliers;
    int m_employees = 0;
    QHash<QString, int> m_batchIds;            // "year/code" -> id_paczka
    QHash<QString, int> m_journalNumbers;      // "year/code" -> last nr_dziennika
    QMap<QString, Balance>* m_tracking = nullptr;
    QSet<QString> m_accounts;
    DemoSummary m_summary;
    int m_skipCustomerPayments = 0, m_skipAdvances = 0, m_alterSupplierPayments = 0;
    int m_nextBatch = 1;
};

void Generator::writeShared()
{
    insert(QStringLiteral("WALUTY"), {"sym_waluty", "nazwa"},
           {{lit(QStringLiteral("EUR")), lit(QStringLiteral("Euro"))},
            {lit(QStringLiteral("USD")), lit(QStringLiteral("Dolar amerykański"))},
            {lit(QStringLiteral("GBP")), lit(QStringLiteral("Funt szterling"))},
            {lit(QStringLiteral("CHF")), lit(QStringLiteral("Frank szwajcarski"))}});
    insert(QStringLiteral("UZYTKOWNIK"), {"id_uzytkownika", "login", "nazwa"},
           {{lit(1), lit(QStringLiteral("admin")), lit(QStringLiteral("Administrator systemu"))},
            {lit(2), lit(QStringLiteral("mkowalska")), lit(QStringLiteral("Małgorzata Kowalska – główna księgowa"))},
            {lit(3), lit(QStringLiteral("lnowak")), lit(QStringLiteral("Łukasz Nowak – księgowy"))}});
    insert(QStringLiteral("DRUKARKA"), {"id_drukarki", "nazwa", "opis"},
           {{lit(1), lit(QStringLiteral("Epson LQ-590")), lit(QStringLiteral("Drukarka igłowa – księgowość"))},
            {lit(2), lit(QStringLiteral("OKI Microline 3390")), lit(QStringLiteral("Drukarka igłowa – kadry, papier ciągły"))},
            {lit(3), lit(QStringLiteral("Star LC-10")), lit(QStringLiteral("Stara drukarka igłowa – magazyn"))},
            {lit(4), lit(QStringLiteral("HP LaserJet Pro M404")), lit(QStringLiteral("Drukarka laserowa – sekretariat"))}});
    const QString lines = QStringLiteral("Ilość linii wydruku"), paper = QStringLiteral("PAPIER"),
                  top = QStringLiteral("Górny margines (ilość linii odstępu)"),
                  bottom = QStringLiteral("Dolny margines (ilość linii odstępu od stopki)");
    QList<SqlRow> codes;
    auto code = [&](int printer, const QString& name, const QString& value) {
        codes << SqlRow{lit(printer), lit(name), lit(value)};
    };
    code(1, lines, "66"); code(1, paper, "KARTKI"); code(1, top, "3"); code(1, bottom, "3");
    code(1, QStringLiteral("Pogrubienie włącz"), "27,69"); code(1, QStringLiteral("Pogrubienie wyłącz"), "27,70");
    code(1, QStringLiteral("Kondensacja"), "15");
    code(2, lines, "72"); code(2, paper, QStringLiteral("SKŁADANKA")); code(2, top, "2"); code(2, bottom, "2");
    code(3, lines, "40"); code(3, QStringLiteral("papier"), QStringLiteral("kartki"));
    insert(QStringLiteral("KOD_STERUJACY"), {"id_drukarki", "nazwa_kodu", "wartosc_domyslna"}, codes);
    insert(QStringLiteral("URZEDY"), {"id_urzedu", "kod_urzedu", "nazwa", "miejscowosc"},
           {{lit(1), lit(QStringLiteral("1061")), lit(QStringLiteral("Pierwszy Urząd Skarbowy w Łodzi")), lit(QStringLiteral("Łódź"))},
            {lit(2), lit(QStringLiteral("1472")), lit(QStringLiteral("Urząd Skarbowy Warszawa-Śródmieście")), lit(QStringLiteral("Warszawa"))},
            {lit(3), lit(QStringLiteral("3207")), lit(QStringLiteral("Drugi Urząd Skarbowy w Gdańsku")), lit(QStringLiteral("Gdańsk"))}});
}

void Generator::writeCompany(int company, const QString& code, const QString& name, const QString& fullName, bool partialJournals)
{
    Q_UNUSED(partialJournals);
    insert(QStringLiteral("FIRMA"), {"id_firmy", "kod_firmy", "nazwa", "nazwa_pelna", "nip", "regon", "sym_waluty"},
           {{lit(company), lit(code), lit(name), lit(fullName),
             lit(company == 1 ? QStringLiteral("725-18-44-312") : QStringLiteral("727-00-15-968")),
             lit(company == 1 ? QStringLiteral("472839105") : QStringLiteral("00021574200017")), lit(QStringLiteral("PLN"))}});
    insert(QStringLiteral("ADRESY_FIRMY"), {"id_firmy", "typ_adresu", "data_od", "ulica", "nr_domu", "nr_lokalu", "kod_pocztowy",
                                            "miejscowosc", "poczta", "gmina", "powiat", "wojewodztwo"},
           {{lit(company), lit(QStringLiteral("S")), lit(dayFromYmd(2020, 1, 1)),
             lit(company == 1 ? QStringLiteral("ul. Piotrkowska") : QStringLiteral("ul. Żeromskiego")),
             lit(company == 1 ? QStringLiteral("128") : QStringLiteral("7")), lit(company == 1 ? QStringLiteral("4") : QString()),
             lit(company == 1 ? QStringLiteral("90-006") : QStringLiteral("90-710")), lit(QStringLiteral("Łódź")),
             lit(QStringLiteral("Łódź")), lit(QStringLiteral("Łódź")), lit(QStringLiteral("Łódź")), lit(QStringLiteral("łódzkie"))}});
    insert(QStringLiteral("RACHUNEK_FIRMY"), {"id_firmy", "kod_rachunku", "nr_rachunku", "nazwa", "sym_waluty"},
           {{lit(company), lit(1), lit(QStringLiteral("PL61 1020 3352 0000 1102 0190 4471")), lit(QStringLiteral("PKO BP – rachunek bieżący")), lit(QStringLiteral("PLN"))},
            {lit(company), lit(2), lit(QStringLiteral("PL27 1140 2004 0000 3102 7539 8812")), lit(QStringLiteral("mBank – rachunek pomocniczy")), lit(QStringLiteral("PLN"))}});
    insert(QStringLiteral("MAJATEK"), {"id_firmy", "kod_srodka", "nr_inwentarzowy", "nazwa"},
           {{lit(company), lit(1), lit(QStringLiteral("ŚT/2024/001")), lit(QStringLiteral("Samochód osobowy Škoda Octavia"))},
            {lit(company), lit(2), lit(QStringLiteral("ŚT/2024/002")), lit(QStringLiteral("Serwer Dell PowerEdge"))},
            {lit(company), lit(3), lit(QStringLiteral("ŚT/2025/001")), lit(QStringLiteral("Regały magazynowe – hala B"))}});
    insert(QStringLiteral("KARTOT_UZYT"), {"id_firmy", "symbol_kartoteki", "nazwa", "kartot_predef"},
           {{lit(company), lit(QStringLiteral("KONTRAHENCI")), lit(QStringLiteral("Kontrahenci")), lit(QStringLiteral("K"))},
            {lit(company), lit(QStringLiteral("PRACOWNICY")), lit(QStringLiteral("Pracownicy")), lit(QStringLiteral("P"))},
            {lit(company), lit(QStringLiteral("RACHUNKI")), lit(QStringLiteral("Rachunki bankowe")), lit(QStringLiteral("R"))},
            {lit(company), lit(QStringLiteral("SAMOCHODY")), lit(QStringLiteral("Samochody służbowe")), lit(QStringLiteral("X"))}});
    insert(QStringLiteral("ELEMENTY_KARTOT_UZYT"), {"id_firmy", "symbol_kartoteki", "wart_pola", "opis"},
           {{lit(company), lit(QStringLiteral("SAMOCHODY")), lit(QStringLiteral("1")), lit(QStringLiteral("Škoda Octavia EL 4521K"))},
            {lit(company), lit(QStringLiteral("SAMOCHODY")), lit(QStringLiteral("2")), lit(QStringLiteral("Toyota Corolla EL 7730Ż"))},
            {lit(company), lit(QStringLiteral("SAMOCHODY")), lit(QStringLiteral("3")), lit(QStringLiteral("Fiat Ducato EL 1209Ś"))}});
    // Cost centres: a small tree and five indicator dictionaries.
    const int base = (company - 1) * 100;
    insert(QStringLiteral("MPK_SLOWNIK_DRZEWO"), {"id_mpk_slownik_drzewo", "id_firmy", "id_rodzica", "kod", "nazwa"},
           {{lit(base + 1), lit(company), lit(0), lit(QStringLiteral("ZAR")), lit(QStringLiteral("Zarząd"))},
            {lit(base + 2), lit(company), lit(0), lit(QStringLiteral("HAN")), lit(QStringLiteral("Dział handlowy"))},
            {lit(base + 3), lit(company), lit(base + 2), lit(QStringLiteral("HAN-PŁN")), lit(QStringLiteral("Region północny"))},
            {lit(base + 4), lit(company), lit(base + 2), lit(QStringLiteral("HAN-PŁD")), lit(QStringLiteral("Region południowy"))},
            {lit(base + 5), lit(company), lit(0), lit(QStringLiteral("USŁ")), lit(QStringLiteral("Dział usług"))}});
    QList<SqlRow> indicators;
    const QStringList kinds = {QStringLiteral("Rodzaj kosztu"), QStringLiteral("Projekt"), QStringLiteral("Produkt"),
                               QStringLiteral("Kanał sprzedaży"), QStringLiteral("Źródło finansowania")};
    for (int n = 1; n <= 5; ++n)
        for (int v = 1; v <= 3; ++v)
            indicators << SqlRow{lit(base + n * 10 + v), lit(company), lit(n), lit(QStringLiteral("W%1-%2").arg(n).arg(v)),
                                      lit(QStringLiteral("%1 – wartość %2").arg(kinds[n - 1]).arg(v))};
    insert(QStringLiteral("MPK_SLOWNIK_WSKAZNIK"), {"id_mpk_slownik_wskaznik", "id_firmy", "nr_wskaznika", "kod", "nazwa"}, indicators);
}

void Generator::writeYear(const FiscalYear& y, bool partialJournals)
{
    insert(QStringLiteral("LATA_OBROTOWE"), {"id_lata_obrot", "id_firmy", "rok_obrotowy", "poczatek_roku", "koniec_roku",
                                             "zamkniety_okres", "zamkniete_bo", "status"},
           {{lit(y.id), lit(y.company), lit(y.name), lit(y.first), lit(y.last), lit(y.closedThrough), lit(y.openingApproved),
             lit(y.status)}});
    QList<SqlRow> syn, chart;
    QHash<int, QString> types;
    for (const SyntheticAccount& s : syntheticAccounts()) {
        syn << SqlRow{lit(y.company), lit(y.id), lit(s.number), lit(QString::fromUtf8(s.name)), lit(QString(QChar(s.type))),
                           lit(s.twoBalance), lit(s.settlement), lit(s.currency), lit(s.costCentres)};
        chart << SqlRow{lit(y.company), lit(y.id), lit(synText(s.number)), lit(QString::fromUtf8(s.name)), lit(1),
                             lit(s.number), lit(QString())};
    }
    for (const AnalyticAccount& a : analyticAccounts()) {
        const QString number = QString::fromUtf8(a.number);
        chart << SqlRow{lit(y.company), lit(y.id), lit(number), lit(QString::fromUtf8(a.name)),
                             lit(static_cast<qint64>(number.count(QLatin1Char('-'))) + 1), lit(number.section('-', 0, 0).toInt()),
                             lit(QString::fromUtf8(a.cardIndex))};
    }
    insert(QStringLiteral("KONTA_SYNT"), {"id_firmy", "id_lata_obrot", "nr_konta_syn", "nazwa", "typ_konta", "czy_dwusaldowe",
                                          "czy_rozrachunkowe", "czy_walutowe", "czy_mpk"}, syn);
    insert(QStringLiteral("WARTOSCI_KONT"), {"id_firmy", "id_lata_obrot", "nr_konta", "nazwa_konta", "poziom", "nr_konta_syn",
                                             "symbol_kartoteki"}, chart);
    insert(QStringLiteral("OPCJE_SYSTEMOWE"), {"id_firmy", "id_lata_obrot", "id_opcje", "nazwa_opcji", "nazwa_wartosci"},
           {{lit(y.company), lit(y.id), lit(120), lit(QStringLiteral("Rodzaj dziennika")),
             lit(partialJournals ? QStringLiteral("dzienniki częściowe") : QStringLiteral("dziennik jednolity"))},
            {lit(y.company), lit(y.id), lit(123), lit(QStringLiteral("Kolejność dokumentów w dzienniku")),
             lit(partialJournals ? QStringLiteral("data księgowania i numer dokumentu") : QStringLiteral("data dokumentu i numer dokumentu"))}});
    const QList<QPair<QString, QString>> batches = partialJournals
        ? QList<QPair<QString, QString>>{{"BO", QStringLiteral("Bilans otwarcia")}, {"SPRZ", QStringLiteral("Sprzedaż")},
                                         {"ZAK", QStringLiteral("Zakupy")}, {"BANK", QStringLiteral("Wyciągi bankowe")},
                                         {"KASA", QStringLiteral("Raporty kasowe")}, {"PLAC", QStringLiteral("Listy płac")},
                                         {"PK", QStringLiteral("Polecenia księgowania")}}
        : QList<QPair<QString, QString>>{{"DZ", QStringLiteral("Dziennik główny")}};
    QList<SqlRow> rows;
    for (const auto& b : batches) {
        m_batchIds.insert(QStringLiteral("%1/%2").arg(y.id).arg(b.first), m_nextBatch);
        rows << SqlRow{lit(m_nextBatch++), lit(y.company), lit(y.id), lit(b.first), lit(b.second)};
    }
    insert(QStringLiteral("PACZKA"), {"id_paczka", "id_firmy", "id_lata_obrot", "kod_paczki", "opis_paczki"}, rows);
}

void Generator::writeCardIndexes(int company, int contractors, int employees)
{
    BulkInsert k(m_db, QStringLiteral("KONTRAHENT"), {"id_firmy", "kod_kontrahenta", "nazwa", "nip"});
    m_customers.clear();
    m_suppliers.clear();
    for (int code = 1; code <= contractors; ++code) {
        k.add({lit(company), lit(code), lit(contractorName(m_rnd)),
               lit(QStringLiteral("%1-%2-%3-%4").arg(100 + m_rnd.below(900)).arg(10 + m_rnd.below(90)).arg(10 + m_rnd.below(90)).arg(100 + m_rnd.below(900)))});
        // Most contractors buy or sell; some do both.
        const int role = m_rnd.below(10);
        if (role < 6 || role == 9)
            m_customers << code;
        if (role >= 6)
            m_suppliers << code;
    }
    if (m_customers.isEmpty())
        m_customers << 1;
    if (m_suppliers.isEmpty())
        m_suppliers << contractors;
    k.flush();
    BulkInsert p(m_db, QStringLiteral("PRACOWNIK"), {"id_firmy", "kod_pracownika", "nazwisko", "imie"});
    for (int code = 1; code <= employees; ++code) {
        const PersonName n = personName(m_rnd);
        p.add({lit(company), lit(code), lit(n.surname), lit(n.firstName)});
    }
    p.flush();
    m_employees = employees;
    if (m_error.isEmpty() && !k.ok())
        m_error = k.error();
    if (m_error.isEmpty() && !p.ok())
        m_error = p.error();
}

int Generator::monthRate(const QString& currency, DayNumber period)
{
    // Stable rates per month, near the real ones.
    const int m = monthOf(period) + 12 * (yearOf(period) - 2024);
    if (currency == QLatin1String("EUR"))
        return 42500 + (m * 377) % 1200;
    if (currency == QLatin1String("USD"))
        return 38900 + (m * 541) % 2100;
    return 10000;
}

int Generator::statusFor(const FiscalYear& y, DayNumber period)
{
    if (y.status == 2 || (y.closedThrough > 0 && period <= y.closedThrough) || period == firstDayOfMonth(period))
        return 2;
    const int r = m_rnd.below(100);
    return r < 70 ? 2 : (r < 95 ? 1 : 0);
}

DayNumber Generator::dayIn(DayNumber period)
{
    const DayNumber first = firstDayOfMonth(period);
    return first + m_rnd.below(lastDayOfMonth(period) - first + 1);
}

void Generator::book(const FiscalYear& y, Document doc, bool budgetUnit)
{
    const qint64 docId = m_nextDoc++;
    const QString batch = budgetUnit ? QStringLiteral("DZ") : doc.batch;
    const QString batchKey = QStringLiteral("%1/%2").arg(y.id).arg(batch);
    const int batchId = m_batchIds.value(batchKey);
    const int journal = doc.status > 0 ? ++m_journalNumbers[batchKey] : 0;
    const DayNumber docDate = doc.day - m_rnd.below(4);
    const DayNumber approvedOn = doc.status == 2 ? doc.day + m_rnd.below(8) : 0;
    const QString number = QStringLiteral("%1 %2/%3/%4").arg(doc.kind).arg(journal > 0 ? journal : static_cast<int>(docId))
                               .arg(monthOf(doc.day), 2, 10, QLatin1Char('0')).arg(yearOf(doc.day));
    const QString reg = QStringLiteral("%1/%2/%3").arg(batch).arg(monthOf(doc.period), 2, 10, QLatin1Char('0'))
                            .arg(journal > 0 ? journal : static_cast<int>(docId), 5, 10, QLatin1Char('0'));
    // The document's amount is the total of its debit postings (of its credit postings too,
    // but for the one-sided lines on off-balance accounts). An opening balance posts each
    // account on one side only: taking a line's credit where it has no debit counted it twice.
    qint64 total = 0;
    for (const Line& l : doc.lines)
        total += l.wn.base;
    m_nag->add({lit(docId), lit(y.company), lit(y.id), lit(doc.period), lit(batchId), lit(doc.status), lit(doc.cashReport),
                lit(journal), lit(reg), lit(doc.day), lit(number), lit(docDate), lit(docDate), lit(approvedOn),
                lit(doc.description), money(total), lit(doc.currency), lit(QStringLiteral("lnowak")),
                lit(doc.status == 2 ? QStringLiteral("mkowalska") : QString())});
    ++m_summary.documents;
    int nr = 0;
    for (const Line& l : doc.lines) {
        const qint64 lineId = m_nextLine++;
        ++nr;
        ++m_summary.postings;
        m_poz->add({lit(lineId), lit(docId), lit(nr), lit(l.text), lit(l.wn.account), money(l.wn.base), money(l.wn.foreign),
                    lit(l.wn.currency), rate(l.wn.rate), lit(l.ma.account), money(l.ma.base), money(l.ma.foreign),
                    lit(l.ma.currency), rate(l.ma.rate)});
        if (doc.status == 0)
            continue;
        for (int side = 0; side < 2; ++side) {
            const Side& s = side == 0 ? l.wn : l.ma;
            if (s.account.isEmpty())
                continue;
            m_accounts.insert(s.account);
            if (m_tracking) {
                Balance& b = (*m_tracking)[s.account];
                b.base += side == 0 ? s.base : -s.base;
                b.foreign += side == 0 ? s.foreign : -s.foreign;
                b.currency = s.currency;
            }
            const int syn = s.account.section('-', 0, 0).toInt();
            if (syn == 201 || syn == 202 || syn == 203 || syn == 230 || syn == 234) {
                qint64 amount = s.base, foreign = s.foreign;
                // A few settlement records disagree with the ledger on purpose (see README).
                if (y.company == 1 && y.status != 2 && doc.kind == QLatin1String("WB") && syn == 201 && side == 1
                    && m_skipCustomerPayments > 0) {
                    --m_skipCustomerPayments;
                    ++m_summary.settlementDisagreements;
                    continue;
                }
                if (y.company == 1 && y.status != 2 && doc.kind == QLatin1String("RK") && syn == 234 && side == 0
                    && m_skipAdvances > 0) {
                    --m_skipAdvances;
                    ++m_summary.settlementDisagreements;
                    continue;
                }
                if (y.company == 1 && y.status != 2 && doc.kind == QLatin1String("WB") && syn == 202 && side == 0
                    && m_alterSupplierPayments > 0) {
                    --m_alterSupplierPayments;
                    ++m_summary.settlementDisagreements;
                    amount += 1000;
                    foreign += 1000;
                }
                const int code = s.account.section('-', 1, 1).toInt();
                m_settle->add({lit(y.company), lit(y.id), lit(s.account), lit(doc.period), lit(lineId),
                               lit(syn == 201 || syn == 202 ? code : 0), lit(number), lit(docDate), lit(docDate + 30),
                               lit(s.currency), money(side == 0 ? amount : 0), money(side == 1 ? amount : 0),
                               money(side == 0 ? foreign : 0), money(side == 1 ? foreign : 0)});
            }
        }
        const int wnSyn = l.wn.account.section('-', 0, 0).toInt();
        if (!budgetUnit && (wnSyn == 402 || wnSyn == 500 || wnSyn == 550)) {
            const int base = (y.company - 1) * 100;
            const int centre = 1 + m_rnd.below(5);
            const QString path = centre >= 3 && centre <= 4 ? QStringLiteral("%1%2%3").arg(base + 2).arg(kMpkSeparator).arg(base + centre)
                                                            : QString::number(base + centre);
            const qint64 first = l.wn.base / 2 + (m_rnd.chance(50) ? l.wn.base % 2 : 0);
            const QList<qint64> parts = m_rnd.chance(60) ? QList<qint64>{l.wn.base} : QList<qint64>{first, l.wn.base - first};
            for (qint64 part : parts)
                m_mpk->add({lit(y.company), lit(lineId), lit(QStringLiteral("WN")), money(part), money(part), lit(path),
                            lit(base + 10 + 1 + m_rnd.below(3)), lit(base + 20 + 1 + m_rnd.below(3)),
                            m_rnd.chance(50) ? lit(base + 30 + 1 + m_rnd.below(3)) : nullValue(),
                            nullValue(), nullValue()});
        }
        if (budgetUnit) {
            static const QList<QPair<int, QString>> expenses = {
                {401, classification("801", "80101", "4210")}, {402, classification("801", "80101", "4300")},
                {404, classification("801", "80101", "4010")}, {405, classification("801", "80101", "4110")},
                {409, classification("801", "80104", "4430")}};
            for (const auto& e : expenses)
                if (e.first == wnSyn)
                    m_bt->add({lit(y.company), lit(lineId), lit(e.second + (m_rnd.chance(30) ? kBudgetSeparator + QStringLiteral("01") : QString())),
                               lit(QStringLiteral("W")), money(l.wn.base), lit(0), lit(0), lit(1), lit(0), lit(0), lit(0)});
            if (l.ma.account.startsWith(QLatin1String("700")))
                m_bt->add({lit(y.company), lit(lineId), lit(classification("801", "80101", "0830")), lit(QStringLiteral("D")),
                           money(l.ma.base), lit(1), lit(0), lit(0), lit(0), lit(0), lit(0)});
        }
        if (doc.cashReport == 10 && doc.currency != QLatin1String("PLN")) {
            // Partial items of a currency cash line: two or three receipts that make up the line.
            const Side& s = l.wn.currency != QLatin1String("PLN") ? l.wn : l.ma;
            const int pieces = 1 + m_rnd.below(3);
            qint64 left = s.foreign;
            for (int i = 0; i < pieces; ++i) {
                const qint64 part = i + 1 == pieces ? left : left / (pieces - i);
                left -= part;
                const qint64 partBase = atRate(part, s.rate);
                const bool debit = &s == &l.wn;
                m_partial->add({lit(lineId), lit(docDate + i), lit(QStringLiteral("KP/%1/%2").arg(lineId).arg(i + 1)),
                                lit(QStringLiteral("Pozycja raportu kasowego %1").arg(i + 1)), money(debit ? partBase : 0),
                                money(debit ? part : 0), money(debit ? 0 : partBase), money(debit ? 0 : part), rate(s.rate),
                                rate(s.rate), lit(1), lit(1)});
            }
        }
    }
    if (m_error.isEmpty()) {
        for (BulkInsert* b : {m_nag.get(), m_poz.get(), m_partial.get(), m_settle.get(), m_mpk.get(), m_bt.get()})
            if (!b->ok()) {
                m_error = b->error();
                break;
            }
    }
}

// The school pays small costs straight from its cash desk: the budget-unit cash report then shows
// each payment with its budget classification (booked with the cost posting) and the cost centres
// the payment is allocated to on the cash side. Written after everything else of the school, so
// the figures of the trading company stay as they are.
void Generator::schoolCashCosts(const FiscalYear& y)
{
    const int base = (y.company - 1) * 100;
    struct Payment {
        int month;
        int day;
        const char* cost;
        qint64 amount;
        const char* text;
        QList<std::tuple<qint64, int, int, int>> centres; // amount, tree leaf, indicators 1 and 2
    };
    const QList<Payment> payments = {
        {1, 12, "401-1", 18450, "Zakup materiałów biurowych dla sekretariatu szkoły wraz z tonerami do drukarek",
         {{18450, 1, 11, 21}}},
        {2, 9, "402-1", 32000, "Przewóz mebli do sali gimnastycznej", {{20000, 5, 12, 22}, {12000, 3, 12, 23}}},
        {3, 16, "401-1", 7599, "Środki czystości", {{7599, 4, 13, 21}}},
    };
    for (const Payment& p : payments) {
        const DayNumber period = monthPeriod(2026, p.month);
        if (!y.activeMonths.contains(period))
            continue;
        Document d;
        d.period = period;
        d.batch = QStringLiteral("KASA");
        d.kind = QStringLiteral("RK");
        d.cashReport = 10;
        d.day = dayFromYmd(2026, p.month, p.day);
        d.status = 1;
        d.description = QStringLiteral("Raport kasowy");
        d.lines << twoSided(QString::fromUtf8(p.cost), QStringLiteral("100"), p.amount, QString::fromUtf8(p.text));
        const qint64 lineId = m_nextLine;
        book(y, d, true);
        for (const auto& [amount, leaf, first, second] : p.centres) {
            const QString path = leaf == 3 || leaf == 4 ? QStringLiteral("%1%2%3").arg(base + 2).arg(kMpkSeparator).arg(base + leaf)
                                                        : QString::number(base + leaf);
            m_mpk->add({lit(y.company), lit(lineId), lit(QStringLiteral("MA")), money(amount), money(amount), lit(path),
                        lit(base + first), lit(base + second), nullValue(), nullValue(), nullValue()});
        }
    }
}

Document Generator::randomDocument(const FiscalYear& y, DayNumber period, bool budgetUnit)
{
    Document d;
    d.period = period;
    d.day = dayIn(period);
    d.status = statusFor(y, period);
    const int pick = m_rnd.below(100);
    const int eur = monthRate(QStringLiteral("EUR"), period), usd = monthRate(QStringLiteral("USD"), period);
    static const QStringList costs = {"401-1", "401-2", "402-1", "402-2-1", "402-2-2-1", "402-3", "403", "409", "500-1", "500-2", "550"};
    if (pick < 30) {
        const QString c = customer();
        d.batch = "SPRZ"; d.kind = "FV";
        d.description = QStringLiteral("Sprzedaż – faktura dla odbiorcy %1").arg(c.section('-', 1));
        const int items = 1 + m_rnd.below(3);
        for (int i = 0; i < items; ++i) {
            const qint64 net = m_rnd.amount(50, budgetUnit ? 2000 : 40000);
            const qint64 vat = net * 23 / 100;
            d.lines << twoSided(c, m_rnd.chance(80) ? "700-1" : "730", net, QStringLiteral("Sprzedaż netto"));
            d.lines << twoSided(c, "220-1", vat, QStringLiteral("VAT należny 23%"));
            if (d.lines[d.lines.size() - 2].ma.account == QLatin1String("730"))
                d.lines << twoSided("731", "330", net * 7 / 10, QStringLiteral("Wartość sprzedanych towarów"));
        }
    } else if (pick < 55) {
        const QString s = supplier();
        d.batch = "ZAK"; d.kind = "FZ";
        d.description = QStringLiteral("Zakup – faktura dostawcy %1").arg(s.section('-', 1));
        const int items = 1 + m_rnd.below(2);
        for (int i = 0; i < items; ++i) {
            const qint64 net = m_rnd.amount(20, budgetUnit ? 1500 : 25000);
            QString cost = m_rnd.pick(costs);
            if (cost == QLatin1String("401-1") && m_rnd.chance(40))
                cost = QStringLiteral("401-3-%1").arg(1 + m_rnd.below(3));
            d.lines << twoSided(cost, s, net, QStringLiteral("Koszt netto"));
            d.lines << twoSided("220-2", s, net * 23 / 100, QStringLiteral("VAT naliczony"));
            if (cost.startsWith(QLatin1Char('4')) && m_rnd.chance(50))
                d.lines << twoSided(m_rnd.chance(50) ? "500-1" : "550", "490", net, QStringLiteral("Rozliczenie kosztów rodzajowych"));
        }
    } else if (pick < 80) {
        d.batch = "BANK"; d.kind = "WB";
        d.description = QStringLiteral("Wyciąg bankowy – PKO BP");
        const int items = 3 + m_rnd.below(6);
        for (int i = 0; i < items; ++i) {
            const int k = m_rnd.below(10);
            if (k < 4)
                d.lines << twoSided("130-1", customer(), m_rnd.amount(50, budgetUnit ? 2000 : 40000), QStringLiteral("Wpłata od odbiorcy"));
            else if (k < 8)
                d.lines << twoSided(supplier(), "130-1", m_rnd.amount(20, budgetUnit ? 1500 : 25000), QStringLiteral("Zapłata dostawcy"));
            else if (k < 9)
                d.lines << twoSided("409", "130-1", m_rnd.amount(1, 80), QStringLiteral("Prowizja bankowa"));
            else
                d.lines << twoSided("130-1", QStringLiteral("131-%1").arg(1 + m_rnd.below(2)), m_rnd.amount(100, 20000),
                                    QStringLiteral("Przelew między rachunkami"));
        }
    } else if (pick < 88) {
        d.batch = "KASA"; d.kind = "RK"; d.cashReport = 10;
        d.description = QStringLiteral("Raport kasowy");
        const int items = 2 + m_rnd.below(4);
        for (int i = 0; i < items; ++i) {
            const int k = m_rnd.below(3);
            const QString e = employee();
            if (k == 0)
                d.lines << twoSided("100", customer(), m_rnd.amount(10, 3000), QStringLiteral("Wpłata gotówkowa odbiorcy"));
            else if (k == 1)
                d.lines << twoSided(e, "100", m_rnd.amount(50, 2000), QStringLiteral("Zaliczka dla pracownika"));
            else
                d.lines << twoSided(m_rnd.chance(50) ? "401-1" : QStringLiteral("401-3-%1").arg(1 + m_rnd.below(3)), e,
                                    m_rnd.amount(10, 1500), QStringLiteral("Rozliczenie zaliczki"));
        }
    } else if (pick < 93 && !budgetUnit) {
        d.batch = "SPRZ"; d.kind = "FVE"; d.currency = "EUR";
        d.description = QStringLiteral("Sprzedaż eksportowa – faktura w EUR");
        const qint64 foreign = m_rnd.amount(100, 20000);
        Line l = twoSided("203-1", "700-2", atRate(foreign, eur), QStringLiteral("Eksport usług"));
        l.wn.currency = "EUR"; l.wn.foreign = foreign; l.wn.rate = eur;
        d.lines << l;
        if (m_rnd.chance(60)) {
            // Payment on the EUR account at the same month's rate.
            Line p = twoSided("132-1", "203-1", atRate(foreign / 2, eur), QStringLiteral("Wpływ należności w EUR"));
            p.wn.currency = p.ma.currency = "EUR";
            p.wn.foreign = p.ma.foreign = foreign / 2;
            p.wn.rate = p.ma.rate = eur;
            d.lines << p;
        }
    } else if (pick < 97 && !budgetUnit) {
        d.batch = "ZAK"; d.kind = "FZI"; d.currency = "USD";
        d.description = QStringLiteral("Import licencji – faktura w USD");
        const qint64 foreign = m_rnd.amount(100, 10000);
        Line l = twoSided("402-2-2-2", "203-2", atRate(foreign, usd), QStringLiteral("Licencja zagraniczna"));
        l.ma.currency = "USD"; l.ma.foreign = foreign; l.ma.rate = usd;
        d.lines << l;
        if (m_rnd.chance(30))
            d.lines << twoSided("751-2", "203-2", m_rnd.amount(1, 200), QStringLiteral("Różnice kursowe"));
    } else {
        d.batch = "PK"; d.kind = "PK";
        d.description = QStringLiteral("Polecenie księgowania – rozliczenia międzyokresowe");
        const qint64 a = m_rnd.amount(100, 5000);
        d.lines << twoSided("640", "202-" + QString::number(m_suppliers.first()), a, QStringLiteral("Ubezpieczenie majątku z góry"));
        d.lines << twoSided("409", "640", a / 12, QStringLiteral("Rozliczenie części kosztu"));
    }
    return d;
}

void Generator::monthlyDocuments(const FiscalYear& y, DayNumber period, bool budgetUnit)
{
    Document pay;
    pay.period = period; pay.day = lastDayOfMonth(period); pay.status = statusFor(y, period);
    pay.batch = "PLAC"; pay.kind = "LP";
    pay.description = QStringLiteral("Lista płac za %1 %2").arg(polishMonthName(monthOf(period))).arg(yearOf(period));
    const qint64 gross = 5200'00LL * m_employees + m_rnd.amount(100, 3000);
    pay.lines << twoSided("404", "230", gross, QStringLiteral("Wynagrodzenia brutto"));
    pay.lines << twoSided("230", "229", gross * 1371 / 10000, QStringLiteral("Składki ZUS pracownika"));
    pay.lines << twoSided("230", "220-3", gross * 9 / 100, QStringLiteral("Zaliczka na podatek dochodowy"));
    pay.lines << twoSided("405", "229", gross * 2048 / 10000, QStringLiteral("Składki ZUS pracodawcy"));
    pay.lines << twoSided("230", "130-1", gross - gross * 1371 / 10000 - gross * 9 / 100, QStringLiteral("Wypłata wynagrodzeń"));
    book(y, pay, budgetUnit);

    Document pk;
    pk.period = period; pk.day = lastDayOfMonth(period); pk.status = statusFor(y, period);
    pk.batch = "PK"; pk.kind = "PK";
    pk.description = QStringLiteral("Amortyzacja i ewidencja pozabilansowa");
    pk.lines << twoSided("400", "070", 1850'00 + m_rnd.amount(1, 50), QStringLiteral("Amortyzacja miesięczna"));
    Line guarantee;
    guarantee.wn.account = "990";
    guarantee.wn.base = guarantee.wn.foreign = m_rnd.amount(1000, 50000);
    guarantee.text = QStringLiteral("Udzielona gwarancja – ewidencja pozabilansowa");
    pk.lines << guarantee;
    Line rented;
    rented.ma.account = "975";
    rented.ma.base = rented.ma.foreign = m_rnd.amount(100, 2000);
    rented.text = QStringLiteral("Zwrot najmowanego sprzętu");
    pk.lines << rented;
    book(y, pk, budgetUnit);

    if (!budgetUnit) {
        Document cash;
        cash.period = period; cash.day = dayIn(period); cash.status = statusFor(y, period);
        cash.batch = "KASA"; cash.kind = "RKW"; cash.cashReport = 10; cash.currency = "EUR";
        cash.description = QStringLiteral("Raport kasowy walutowy EUR");
        const int eur = monthRate(QStringLiteral("EUR"), period);
        const qint64 foreign = m_rnd.amount(50, 2000);
        Line in = twoSided("101", "132-1", atRate(foreign, eur), QStringLiteral("Pobranie gotówki w EUR z rachunku"));
        in.wn.currency = in.ma.currency = "EUR";
        in.wn.foreign = in.ma.foreign = foreign;
        in.wn.rate = in.ma.rate = eur;
        cash.lines << in;
        Line out = twoSided("409", "101", atRate(foreign / 3, eur), QStringLiteral("Koszty delegacji zagranicznej"));
        out.ma.currency = "EUR";
        out.ma.foreign = foreign / 3;
        out.ma.rate = eur;
        cash.lines << out;
        book(y, cash, budgetUnit);
    }
}

void Generator::generateYear(FiscalYear& y, bool budgetUnit, QMap<QString, Balance>* closing,
                             const QMap<QString, Balance>* opening)
{
    m_tracking = closing;
    const DayNumber bo = openingPeriod(y.first);
    Document boDoc;
    boDoc.period = bo; boDoc.day = y.first; boDoc.status = 2;
    boDoc.batch = "BO"; boDoc.kind = "BO";
    boDoc.description = QStringLiteral("Bilans otwarcia %1").arg(y.name);
    if (opening) {
        // Balances carried over: balance-sheet accounts as they closed; the result to 820.
        for (auto it = opening->cbegin(); it != opening->cend(); ++it) {
            const QString acc = it.key() == QLatin1String("860") ? QStringLiteral("820") : it.key();
            const int syn = acc.section('-', 0, 0).toInt();
            const auto& list = syntheticAccounts();
            const auto s = std::find_if(list.cbegin(), list.cend(), [&](const SyntheticAccount& a) { return a.number == syn; });
            if (s == list.cend() || s->type != 'B' || it->base == 0)
                continue;
            Line l;
            Side& side = it->base > 0 ? l.wn : l.ma;
            side.account = acc;
            side.base = qAbs(it->base);
            side.foreign = it->currency == QLatin1String("PLN") ? side.base : qAbs(it->foreign);
            side.currency = it->currency;
            if (side.currency != QLatin1String("PLN") && side.foreign != 0)
                side.rate = static_cast<int>(side.base * 10000 / side.foreign);
            l.text = QStringLiteral("Saldo otwarcia");
            boDoc.lines << l;
        }
    } else {
        boDoc.lines << twoSided("130-1", "800", budgetUnit ? 25000'00 : 150000'00, QStringLiteral("Wniesienie kapitału"));
        boDoc.lines << twoSided("010", "800", budgetUnit ? 80000'00 : 45000'00, QStringLiteral("Aport – środki trwałe"));
    }
    book(y, boDoc, budgetUnit);

    const qint64 perMonth = qMax<qint64>(8, y.postings / qMax<qsizetype>(1, y.activeMonths.size()));
    for (DayNumber period : y.activeMonths) {
        const qint64 start = m_summary.postings;
        monthlyDocuments(y, period, budgetUnit);
        while (m_error.isEmpty() && m_summary.postings - start < perMonth)
            book(y, randomDocument(y, period, budgetUnit), budgetUnit);
    }

    if (y.status == 2 && closing) {
        // The closed year's profit-and-loss accounts go to the financial result.
        Document bz;
        bz.period = closingPeriod(y.last); bz.day = y.last; bz.status = 2;
        bz.batch = "PK"; bz.kind = "PK";
        bz.description = QStringLiteral("Przeksięgowanie kont wynikowych na wynik finansowy");
        const QMap<QString, Balance> snapshot = *closing;
        for (auto it = snapshot.cbegin(); it != snapshot.cend(); ++it) {
            const int syn = it.key().section('-', 0, 0).toInt();
            const auto& list = syntheticAccounts();
            const auto s = std::find_if(list.cbegin(), list.cend(), [&](const SyntheticAccount& a) { return a.number == syn; });
            if (s == list.cend() || s->type != 'W' || it->base == 0)
                continue;
            bz.lines << (it->base > 0 ? twoSided("860", it.key(), it->base, QStringLiteral("Zamknięcie konta wynikowego"))
                                      : twoSided(it.key(), "860", -it->base, QStringLiteral("Zamknięcie konta wynikowego")));
        }
        if (!bz.lines.isEmpty())
            book(y, bz, budgetUnit);
    }
    m_tracking = nullptr;
}

bool Generator::run(DemoSummary* summary, QString* error)
{
    if (m_db.dialect() == sql::Dialect::SQLite) {
        // A new file: no write-ahead log during the load (it would write every page twice) and no
        // waiting for the disk; the connection's usual mode is restored at the end.
        exec(QStringLiteral("pragma journal_mode=memory"));
        exec(QStringLiteral("pragma synchronous=off"));
        exec(QStringLiteral("pragma cache_size=-262144"));
    }
    const bool own = m_db.transaction();
    writeShared();

    const qint64 total = qMax<qint64>(200, m_options.postings);
    const qint64 small = m_options.secondCompany ? qMax<qint64>(60, total / 20) : 0;
    const int contractors = static_cast<int>(qMax<qint64>(24, total / 110));
    const int employees = static_cast<int>(qBound(qint64(5), total / 2000, qint64(600)));

    // Company 1: a trading company whose first fiscal year crosses calendar years.
    writeCompany(1, QStringLiteral("BURSZTYN"), QStringLiteral("„Bursztyn” Sp. z o.o."),
                 QStringLiteral("Przedsiębiorstwo Handlowo-Usługowe „Bursztyn” Spółka z ograniczoną odpowiedzialnością"), true);
    FiscalYear y1;
    y1.id = 1; y1.company = 1; y1.name = QStringLiteral("2024/2025");
    y1.first = dayFromYmd(2024, 10, 1); y1.last = dayFromYmd(2025, 12, 31);
    y1.closedThrough = monthPeriod(2025, 12); y1.status = 2; y1.openingApproved = 1;
    y1.activeMonths = fiscalYearMonths(y1.first, y1.last);
    y1.postings = (total - small) * 30 / 100;
    FiscalYear y2;
    y2.id = 2; y2.company = 1; y2.name = QStringLiteral("2026");
    y2.first = dayFromYmd(2026, 1, 1); y2.last = dayFromYmd(2026, 12, 31);
    y2.closedThrough = monthPeriod(2026, 3); y2.status = 1; y2.openingApproved = 1;
    y2.activeMonths = fiscalYearMonths(y2.first, y2.last).mid(0, 6);
    y2.postings = total - small - y1.postings;
    writeYear(y1, true);
    writeYear(y2, true);
    writeCardIndexes(1, contractors, employees);
    QMap<QString, Balance> closing;
    generateYear(y1, false, &closing, nullptr);
    m_skipCustomerPayments = 2;
    m_skipAdvances = 1;
    m_alterSupplierPayments = 1;
    generateYear(y2, false, nullptr, &closing);
    m_skipCustomerPayments = m_skipAdvances = m_alterSupplierPayments = 0;
    m_summary.companies = 1;

    QList<FiscalYear> years = {y1, y2};
    if (m_options.secondCompany) {
        // Company 2: a budget unit with one open calendar year and budget classifications.
        writeCompany(2, QStringLiteral("SP7"), QStringLiteral("Szkoła Podstawowa nr 7 w Łodzi"),
                     QStringLiteral("Szkoła Podstawowa nr 7 im. Marii Skłodowskiej-Curie w Łodzi"), false);
        FiscalYear y3;
        y3.id = 3; y3.company = 2; y3.name = QStringLiteral("2026");
        y3.first = dayFromYmd(2026, 1, 1); y3.last = dayFromYmd(2026, 12, 31);
        y3.closedThrough = 0; y3.status = 1; y3.openingApproved = 0;
        y3.activeMonths = fiscalYearMonths(y3.first, y3.last).mid(0, 4);
        y3.postings = small;
        writeYear(y3, false);
        writeCardIndexes(2, 24, 5);
        generateYear(y3, true, nullptr, nullptr);
        QList<SqlRow> plan;
        const QStringList classes = {classification("801", "80101", "4010"), classification("801", "80101", "4110"),
                                     classification("801", "80101", "4210"), classification("801", "80101", "4300"),
                                     classification("801", "80104", "4430"), classification("801", "80101", "0830")};
        for (const QString& c : classes)
            plan << SqlRow{lit(2), lit(3), lit(c), lit(c.endsWith(QLatin1String("0830")) ? QStringLiteral("D") : QStringLiteral("W")),
                                lit(y3.first), money(m_rnd.amount(20000, 900000))};
        insert(QStringLiteral("BT_PLAN"), {"id_firmy", "id_lata_obrot", "bt_klasyfikacja", "typ", "data_biezaca", "kwota"}, plan);
        // Territorial codes of the unit for the budget forms' headers (Łódź, city with powiat rights).
        QList<SqlRow> params;
        const QList<QPair<QString, QString>> values = {{"BeKodW", "10"}, {"BeKodP", "61"}, {"BeKodG", "01"}, {"BeTypG", "1"},
                                                       {"BeKodMSWiA", "1061011"}, {"BT_SEPARATOR", kBudgetSeparator}};
        for (const auto& v : values)
            params << SqlRow{lit(2), lit(v.first), lit(v.second)};
        insert(QStringLiteral("PARAMETRY_GLOBALNE"), {"id_firmy", "nazwa", "wartosc"}, params);
        schoolCashCosts(y3);
        years << y3;
        m_summary.companies = 2;
    }
    for (BulkInsert* b : {m_nag.get(), m_poz.get(), m_partial.get(), m_settle.get(), m_mpk.get(), m_bt.get()})
        if (!b->flush() && m_error.isEmpty())
            m_error = b->error();
    if (m_error.isEmpty()) {
        QString e;
        if (!writeDemoStatements(m_db, m_options.secondCompany, kBudgetSeparator, &e))
            m_error = e;
    }
    if (m_error.isEmpty() && m_db.dialect() == sql::Dialect::PostgreSQL) {
        // Rows came with their ids; the identity sequences continue after them.
        const QList<QPair<QString, QString>> ids = {{"nag_dok", "id_nag_dok"}, {"poz_dok", "id_poz_dok"}, {"firma", "id_firmy"},
            {"lata_obrotowe", "id_lata_obrot"}, {"paczka", "id_paczka"}, {"drukarka", "id_drukarki"},
            {"uzytkownik", "id_uzytkownika"}, {"urzedy", "id_urzedu"}, {"mpk_slownik_drzewo", "id_mpk_slownik_drzewo"},
            {"mpk_slownik_wskaznik", "id_mpk_slownik_wskaznik"}, {"zestaw_grupa", "id_zestaw_grupa"},
            {"zestaw_nag", "id_zestaw_nag"}, {"zestaw_poz", "id_zestaw_poz"}, {"zestaw_poz_formula", "id_zestaw_poz_formula"}};
        for (const auto& t : ids)
            exec(QStringLiteral("select setval(pg_get_serial_sequence('%1','%2'), coalesce((select max(%2) from %1),0)+1, false)")
                     .arg(t.first, t.second));
    }
    if (m_error.isEmpty() && own && !m_db.commit())
        m_error = m_db.lastError();
    if (!m_error.isEmpty()) {
        if (own)
            m_db.rollback();
        if (error)
            *error = m_error;
        return false;
    }
    for (const FiscalYear& y : years) {
        QString e;
        if (!rebuildTurnoverTable(m_db, y.company, y.id, &e)) {
            if (error)
                *error = e;
            return false;
        }
    }
    exec(QStringLiteral("analyze"));
    if (m_db.dialect() == sql::Dialect::SQLite) {
        exec(QStringLiteral("pragma journal_mode=wal"));
        exec(QStringLiteral("pragma synchronous=normal"));
    }
    sql::Cursor c = m_db.execNative(QStringLiteral("select count(*) from OBROTY_I_SALDA"));
    if (c.next())
        m_summary.turnoverRows = c.value(0).toLongLong();
    m_summary.accounts = m_accounts.size();
    if (summary)
        *summary = m_summary;
    if (!m_error.isEmpty() && error)
        *error = m_error;
    return m_error.isEmpty();
}

} // namespace

bool generateDemoCompany(sql::Database& db, const DemoOptions& options, DemoSummary* summary, QString* error)
{
    Generator g(db, options);
    return g.run(summary, error);
}

} // namespace pravik::server
