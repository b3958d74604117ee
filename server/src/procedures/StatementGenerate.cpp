#include "server/src/procedures/StatementGenerate.h"

#include "platform/Decimal.h"
#include "platform/sql/Quote.h"
#include "server/src/demo/BulkInsert.h"
#include "server/src/procedures/ProcedureArgs.h"
#include "server/src/procedures/ServerSql.h"
#include "server/src/procedures/StatementFormula.h"
#include "server/src/procedures/TurnoverReport.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <map>

namespace pravik::server {

using sql::sqlNumber;
using sql::sqlText;
using namespace formula;

namespace {

constexpr int kMaxColumns = 20;

struct FiscalYear {
    qint64 id = 0;
    DayNumber first = 0, last = 0;
    QString name;
};

// Keys of the mask cache: a mask as typed, or a list element (which covers what is under it).
QString maskKey(const QString& mask, bool element)
{
    return (element ? QStringLiteral("#") : QStringLiteral("=")) + mask;
}

// Texts (accounts or classifications) with the lists of those each mask selects, built once.
class TextIndex {
public:
    int add(const QString& text)
    {
        const auto it = m_index.constFind(text);
        if (it != m_index.constEnd())
            return *it;
        m_texts.push_back(text);
        m_index.insert(text, static_cast<int>(m_texts.size()) - 1);
        m_prefixes.clear();
        m_cache.clear();
        return static_cast<int>(m_texts.size()) - 1;
    }
    int size() const { return static_cast<int>(m_texts.size()); }

    const std::vector<int>& select(const QString& mask, bool element)
    {
        const QString key = maskKey(mask, element);
        auto it = m_cache.find(key);
        if (it != m_cache.end())
            return it.value();
        std::vector<int> out;
        if (element) {
            // Every text is filed under each of its prefixes that ends before a separator, so an
            // element finds what it covers without a pass over all texts.
            if (m_prefixes.isEmpty())
                buildPrefixes();
            const auto p = m_prefixes.constFind(mask.trimmed().toCaseFolded());
            if (p != m_prefixes.constEnd())
                out = *p;
        } else {
            for (int i = 0; i < size(); ++i)
                if (maskFits(m_texts[i], mask))
                    out.push_back(i);
        }
        return m_cache.insert(key, std::move(out)).value();
    }

private:
    void buildPrefixes()
    {
        for (int i = 0; i < size(); ++i) {
            const QString folded = m_texts[i].trimmed().toCaseFolded();
            for (qsizetype k = 1; k <= folded.size(); ++k)
                if (k == folded.size() || folded.at(k) == u'-' || folded.at(k) == u'.')
                    m_prefixes[folded.left(k)].push_back(i);
        }
    }

    std::vector<QString> m_texts;
    QHash<QString, int> m_index;
    QHash<QString, std::vector<int>> m_prefixes;
    QHash<QString, std::vector<int>> m_cache;
};

// One fiscal year of postings: debit and credit per posting account and period.
struct LedgerBook {
    struct Cell {
        int account;
        DayNumber month;   // day 1 of the period's month
        PeriodKind kind;
        qint64 wn, ma;
    };
    TextIndex accounts;
    std::vector<Cell> cells;
    bool computedOpening = false;      // opening from the previous year's closing balances
    std::vector<qint64> openingNet;    // per account, when computedOpening
};

// One fiscal year of budget records: amounts per classification and period, in all and per kind.
constexpr int kBudgetKinds = 7; // all, D, WP, WY, K, Z, X
struct BudgetBook {
    struct Cell {
        int cls;
        DayNumber period;
        std::array<qint64, kBudgetKinds> amount;
    };
    TextIndex classes;
    std::vector<Cell> cells;
    struct PlanRow {
        int cls;
        DayNumber day;
        qint64 amount;
    };
    std::vector<PlanRow> plan;
};

struct Column {
    int number = 0;              // 1-based
    const FiscalYear* year = nullptr;
    bool opening = false;        // an opening-balance column
    DayNumber from = 0, to = 0;  // the range inside the column's year
    LedgerBook* book = nullptr;
    BudgetBook* budget = nullptr;
    std::vector<qint64> turnWn, turnMa, openWn, openMa, closeWn, closeMa;
    std::vector<std::array<qint64, kBudgetKinds>> budgetSums;
    std::vector<qint64> planSums;
};

struct Row {
    qint64 id = 0;
    int lp = 0;
    QString symbol, name, type, kol1s, kol2s, kol3s;
    int level = 1;
    bool list = false;
    std::vector<QString> elements;   // list rows: one output row each
    std::vector<QString> texts;      // the elements' second texts (account names)
    QHash<QString, int> elementIndex;
    std::array<int, kMaxColumns> formula{}; // index into the parsed formulas, -1 none
    std::array<QString, kMaxColumns> formulaText;
};

QString cellError(const QString& statement, int lp, int column, int position, const QString& what)
{
    if (position > 0)
        return QStringLiteral("Zestawienie „%1”, wiersz %2, kolumna %3, znak %4: %5.").arg(statement).arg(lp).arg(column).arg(position).arg(what);
    return QStringLiteral("Zestawienie „%1”, wiersz %2, kolumna %3: %4.").arg(statement).arg(lp).arg(column).arg(what);
}

QString dayText(DayNumber d)
{
    const QDate date = dateFromDay(d);
    return date.isValid() ? date.toString(QStringLiteral("dd-MM-yyyy")) : QString::number(d);
}

// The same day a number of calendar years later (29 February becomes 28 February).
DayNumber shiftedYears(DayNumber day, int years)
{
    if (day <= 0 || years == 0)
        return day;
    const int y = yearOf(day) + years, m = monthOf(day);
    int d = dayOfMonth(day);
    while (d > 28 && dayFromYmd(y, m, d) == 0)
        --d;
    return dayFromYmd(y, m, d);
}

class Generator {
public:
    Generator(sql::Database& db, const StatementRequest& rq) : m_db(db), m_rq(rq), m_q(db.dialect()), m_run(db) {}

    StatementOutcome run();

private:
    bool fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
        return false;
    }
    bool sqlOk()
    {
        if (!m_run.ok())
            return fail(m_run.error());
        return true;
    }

    bool readHeader();
    bool readYears();
    bool readColumns();
    bool readRows();
    bool parseFormulas();
    bool orderCells();
    bool readLists();
    bool loadData();
    LedgerBook* ledgerOf(const FiscalYear& y);
    BudgetBook* budgetOf(const FiscalYear& y);
    void sumColumn(Column& c);
    bool evaluate();
    Fixed eval(const Formula& f, int node, int row, int column, int element, QString* what, int* at);
    bool write();

    // A sum as the procedures compute it: grosze from SQLite, a numeric from PostgreSQL.
    qint64 cents(const QVariant& v) const
    {
        if (m_q.isSqlite())
            return v.toLongLong();
        return Decimal::fromVariant(v).value_or(Decimal()).cents();
    }

    sql::Database& m_db;
    StatementRequest m_rq;
    ServerSql m_q;
    StatementRunner m_run;
    QString m_error;

    QString m_name;
    int m_written = 0;
    int m_columnCount = 0;
    bool m_perColumn = false;
    std::array<qint64, kMaxColumns> m_columnYear{};
    std::array<bool, kMaxColumns> m_columnOpening{};
    std::vector<FiscalYear> m_years;
    const FiscalYear* m_working = nullptr;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    QHash<int, int> m_rowOfLp;       // lp -> row index; -1 when the lp occurs twice
    std::vector<Formula> m_formulas;
    std::vector<int> m_order;        // cells (row * 20 + column) in an order that meets every reference
    bool m_needLedger = false, m_needBudget = false, m_needPlan = false;
    std::map<qint64, std::unique_ptr<LedgerBook>> m_ledgers;
    std::map<qint64, std::unique_ptr<BudgetBook>> m_budgets;
    // values[row][column][element]: grosze
    std::vector<std::array<std::vector<qint64>, kMaxColumns>> m_values;
};

bool Generator::readHeader()
{
    QStringList cols = {QStringLiteral("id_firmy"), QStringLiteral("nazwa"), QStringLiteral("ilosc_kolumn"),
                        QStringLiteral("czy_rozne_definicje")};
    for (int i = 1; i <= kMaxColumns; ++i)
        cols << QStringLiteral("id_lo_%1").arg(i);
    for (int i = 1; i <= kMaxColumns; ++i)
        cols << QStringLiteral("czy_bo_%1").arg(i);
    const auto rows = m_run.rows(QStringLiteral("select %1 from ZESTAW_NAG where id_zestaw_nag=%2")
                                     .arg(cols.join(QLatin1Char(',')), sqlNumber(m_rq.statement)), 1);
    if (!sqlOk())
        return false;
    if (rows.isEmpty() || rows.first().at(0).toLongLong() != m_rq.company)
        return fail(QStringLiteral("Zestawienie o identyfikatorze %1 nie istnieje w firmie %2.").arg(m_rq.statement).arg(m_rq.company));
    const QVariantList& r = rows.first();
    m_name = r.at(1).toString().trimmed();
    m_columnCount = r.at(2).toInt();
    m_perColumn = r.at(3).toInt() == 1;
    if (m_columnCount < 1 || m_columnCount > kMaxColumns)
        return fail(QStringLiteral("Zestawienie „%1” ma %2 kolumn; dozwolone od 1 do %3.").arg(m_name).arg(m_columnCount).arg(kMaxColumns));
    for (int i = 0; i < kMaxColumns; ++i) {
        m_columnYear[i] = r.at(4 + i).toLongLong();
        m_columnOpening[i] = r.at(4 + kMaxColumns + i).toInt() == 1;
    }
    return true;
}

bool Generator::readYears()
{
    const auto rows = m_run.rows(QStringLiteral("select id_lata_obrot, poczatek_roku, koniec_roku, rok_obrotowy from LATA_OBROTOWE"
                                                " where id_firmy=%1 order by poczatek_roku").arg(sqlNumber(m_rq.company)));
    if (!sqlOk())
        return false;
    for (const QVariantList& r : rows)
        m_years.push_back({r.at(0).toLongLong(), r.at(1).toInt(), r.at(2).toInt(), r.at(3).toString()});
    for (const FiscalYear& y : m_years)
        if (y.id == m_rq.year)
            m_working = &y;
    if (!m_working)
        return fail(QStringLiteral("Rok obrotowy %1 nie należy do firmy %2.").arg(m_rq.year).arg(m_rq.company));
    return true;
}

bool Generator::readColumns()
{
    QHash<int, QPair<QString, QString>> given;
    const auto rows = m_run.rows(QStringLiteral("select tekst1, tekst2, tekst3 from KOMUNIKAT where id_uzytkownika=%1"
                                                " and kontekst='ZESTZAK' and id_zasobu=%2 order by lp, id_komunikatu")
                                     .arg(sqlNumber(m_rq.user), sqlNumber(m_rq.statement)));
    if (!sqlOk())
        return false;
    for (const QVariantList& r : rows) {
        bool ok = false;
        const int n = r.at(0).toString().trimmed().toInt(&ok);
        if (ok && n >= 1 && n <= kMaxColumns)
            given.insert(n, {r.at(1).toString().trimmed(), r.at(2).toString().trimmed()});
    }
    for (int i = 1; i <= m_columnCount; ++i) {
        Column c;
        c.number = i;
        const qint64 yearId = m_columnYear[i - 1] > 0 ? m_columnYear[i - 1] : m_rq.year;
        for (const FiscalYear& y : m_years)
            if (y.id == yearId)
                c.year = &y;
        if (!c.year)
            return fail(QStringLiteral("Zestawienie „%1”, kolumna %2: rok obrotowy %3 nie należy do firmy %4.")
                            .arg(m_name).arg(i).arg(yearId).arg(m_rq.company));
        c.opening = m_columnOpening[i - 1];
        if (c.opening) {
            c.from = c.to = c.year->first;
            m_columns.push_back(std::move(c));
            continue;
        }
        DayNumber from = m_rq.from, to = m_rq.to;
        if (given.contains(i)) {
            bool okFrom = false, okTo = false;
            const QString f = given[i].first, t = given[i].second;
            from = f.isEmpty() ? 0 : static_cast<DayNumber>(f.toLongLong(&okFrom));
            to = t.isEmpty() ? 0 : static_cast<DayNumber>(t.toLongLong(&okTo));
            if ((!f.isEmpty() && !okFrom) || (!t.isEmpty() && !okTo) || from < 0 || to < 0)
                return fail(QStringLiteral("Zestawienie „%1”, kolumna %2: okres „%3”–„%4” nie jest parą dni.")
                                .arg(m_name).arg(i).arg(f, t));
        }
        if (to <= 0)
            to = m_working->last;
        if (from <= 0)
            from = 0;
        // A column of another fiscal year takes the same days of its own year: the chosen
        // quarter of this year beside the same quarter of the previous one.
        if (c.year != m_working && (to < c.year->first || to > c.year->last)) {
            const int shift = yearOf(c.year->last) - yearOf(to);
            DayNumber shiftedTo = shiftedYears(to, shift);
            if (shiftedTo > c.year->last)
                shiftedTo = c.year->last;
            to = shiftedTo;
            from = from > 0 ? qMax(shiftedYears(from, shift), c.year->first) : 0;
        }
        if (from <= 0)
            from = c.year->first;
        if (from > to || from < c.year->first || to > c.year->last || to < c.year->first)
            return fail(QStringLiteral("Zestawienie „%1”, kolumna %2: okres od %3 do %4 nie leży w roku obrotowym %5 (%6 – %7).")
                            .arg(m_name).arg(i).arg(dayText(from), dayText(to), c.year->name, dayText(c.year->first),
                                                    dayText(c.year->last)));
        c.from = from;
        c.to = to;
        m_columns.push_back(std::move(c));
    }
    return true;
}

bool Generator::readRows()
{
    const auto rows = m_run.rows(QStringLiteral("select id_zestaw_poz, lp, symbol, nazwa, poziom, typ, kol1s, kol2s, kol3s"
                                                " from ZESTAW_POZ where id_zestaw_nag=%1 order by lp, id_zestaw_poz")
                                     .arg(sqlNumber(m_rq.statement)));
    if (!sqlOk())
        return false;
    QHash<qint64, int> byId;
    for (const QVariantList& r : rows) {
        Row row;
        row.id = r.at(0).toLongLong();
        row.lp = r.at(1).toInt();
        row.symbol = r.at(2).toString().trimmed();
        row.name = r.at(3).toString();
        row.level = r.at(4).isNull() ? 1 : r.at(4).toInt();
        row.type = r.at(5).toString().trimmed().toUpper();
        row.kol1s = r.at(6).toString();
        row.kol2s = r.at(7).toString();
        row.kol3s = r.at(8).toString();
        row.list = row.type == QLatin1String("K") || row.type == QLatin1String("B");
        row.formula.fill(-1);
        const int index = static_cast<int>(m_rows.size());
        m_rowOfLp.insert(row.lp, m_rowOfLp.contains(row.lp) ? -1 : index);
        byId.insert(row.id, index);
        m_rows.push_back(std::move(row));
    }
    const auto formulas = m_run.rows(QStringLiteral("select f.id_zestaw_poz, f.nr_kolumny, f.formula from ZESTAW_POZ_FORMULA f"
                                                    " join ZESTAW_POZ p on p.id_zestaw_poz=f.id_zestaw_poz"
                                                    " where p.id_zestaw_nag=%1").arg(sqlNumber(m_rq.statement)));
    if (!sqlOk())
        return false;
    for (const QVariantList& f : formulas) {
        const auto it = byId.constFind(f.at(0).toLongLong());
        const int column = f.at(1).toInt();
        if (it == byId.constEnd() || column < 1 || column > kMaxColumns)
            continue;
        m_rows[*it].formulaText[column - 1] = f.at(2).toString();
    }
    return true;
}

bool Generator::parseFormulas()
{
    for (Row& row : m_rows) {
        for (int c = 0; c < m_columnCount; ++c) {
            // Column 1's formula serves every column unless the statement defines each apart.
            const int source = m_perColumn ? c : 0;
            if (c > 0 && source == 0) {
                row.formula[c] = row.formula[0];
                continue;
            }
            const QString& text = row.formulaText[source];
            ParseError pe;
            auto parsed = parse(text, &pe);
            if (!parsed)
                return fail(cellError(m_name, row.lp, source + 1, pe.position, pe.message));
            // References are checked against the definition before anything is computed.
            for (const Node& n : parsed->nodes) {
                if (n.kind == Node::RowRef) {
                    const auto it = m_rowOfLp.constFind(n.ref);
                    if (it == m_rowOfLp.constEnd())
                        return fail(cellError(m_name, row.lp, source + 1, n.position, QStringLiteral("W(%1): nie ma wiersza o lp %1").arg(n.ref)));
                    if (*it < 0)
                        return fail(cellError(m_name, row.lp, source + 1, n.position,
                                              QStringLiteral("W(%1): lp %1 ma więcej niż jeden wiersz").arg(n.ref)));
                }
                if (n.kind == Node::ColumnRef && n.ref > m_columnCount)
                    return fail(cellError(m_name, row.lp, source + 1, n.position,
                                          QStringLiteral("K(%1): zestawienie ma %2 kolumn").arg(n.ref).arg(m_columnCount)));
                if (n.element && !row.list)
                    return fail(cellError(m_name, row.lp, source + 1, n.position,
                                          QStringLiteral("znak # odnosi się do elementu listy, a wiersz nie jest listą (typ K lub B)")));
                if (n.kind == Node::LedgerSum)
                    m_needLedger = true;
                if (n.kind == Node::BudgetSum)
                    m_needBudget = true;
                if (n.kind == Node::PlanSum)
                    m_needPlan = true;
            }
            if (parsed->root < 0) {
                row.formula[c] = -1;
                continue;
            }
            m_formulas.push_back(std::move(*parsed));
            row.formula[c] = static_cast<int>(m_formulas.size()) - 1;
        }
    }
    return true;
}

// Orders the cells so that each comes after the cells its W(n) and K(n) read; a cycle is named.
bool Generator::orderCells()
{
    const int cells = static_cast<int>(m_rows.size()) * kMaxColumns;
    // The cells a cell reads, each with the character of its reference.
    auto deps = [&](int cell) {
        std::vector<std::pair<int, int>> out;
        const Row& row = m_rows[cell / kMaxColumns];
        const int c = cell % kMaxColumns;
        if (row.formula[c] < 0)
            return out;
        const Formula& f = m_formulas[row.formula[c]];
        for (const Node& n : f.nodes) {
            if (n.kind == Node::RowRef)
                out.push_back({m_rowOfLp.value(n.ref) * kMaxColumns + c, n.position});
            else if (n.kind == Node::ColumnRef)
                out.push_back({cell / kMaxColumns * kMaxColumns + n.ref - 1, n.position});
        }
        return out;
    };
    std::vector<char> state(cells, 0); // 0 new, 1 on the path, 2 done
    struct Frame {
        int cell;
        std::vector<std::pair<int, int>> deps;
        size_t next = 0;
    };
    for (int start = 0; start < cells; ++start) {
        if (start % kMaxColumns >= m_columnCount || state[start] != 0)
            continue;
        std::vector<Frame> path;
        path.push_back({start, deps(start)});
        state[start] = 1;
        while (!path.empty()) {
            Frame& top = path.back();
            if (top.next < top.deps.size()) {
                const auto [d, at] = top.deps[top.next++];
                if (state[d] == 2)
                    continue;
                if (state[d] == 1) {
                    QStringList names;
                    size_t i = 0;
                    while (path[i].cell != d)
                        ++i;
                    for (; i < path.size(); ++i)
                        names << QStringLiteral("wiersz %1 kolumna %2").arg(m_rows[path[i].cell / kMaxColumns].lp).arg(path[i].cell % kMaxColumns + 1);
                    names << QStringLiteral("wiersz %1 kolumna %2").arg(m_rows[d / kMaxColumns].lp).arg(d % kMaxColumns + 1);
                    // Named where the reference that closes the circle stands.
                    return fail(cellError(m_name, m_rows[top.cell / kMaxColumns].lp, top.cell % kMaxColumns + 1, at,
                                          QStringLiteral("odwołania W/K tworzą cykl: %1").arg(names.join(QStringLiteral(" → ")))));
                }
                state[d] = 1;
                path.push_back({d, deps(d)});
                continue;
            }
            state[top.cell] = 2;
            m_order.push_back(top.cell);
            path.pop_back();
        }
    }
    return true;
}

bool Generator::readLists()
{
    QHash<QString, QList<QPair<QString, QString>>> lists; // type -> (element, text)
    for (const QString& type : {QStringLiteral("K"), QStringLiteral("B")}) {
        bool needed = false;
        for (const Row& r : m_rows)
            needed = needed || (r.list && r.type == type);
        if (!needed)
            continue;
        const auto rows = m_run.rows(QStringLiteral("select tekst2, tekst1 from KOMUNIKAT where id_uzytkownika=%1 and kontekst=%2"
                                                    " and id_zasobu=%3 order by lp, id_komunikatu")
                                         .arg(sqlNumber(m_rq.user), sqlText(QStringLiteral("ZESTAW_") + type), sqlNumber(m_rq.statement)));
        if (!sqlOk())
            return false;
        QList<QPair<QString, QString>> list;
        QSet<QString> seen;
        for (const QVariantList& r : rows) {
            const QString e = r.at(0).toString().trimmed();
            if (!e.isEmpty() && !seen.contains(e)) {
                seen.insert(e);
                list << qMakePair(e, r.at(1).toString().trimmed());
            }
        }
        if (list.isEmpty()) {
            // No list of the user's: the full one, as the module builds it, from the elements
            // used in the range of the statement's columns.
            DayNumber from = 0, to = 0;
            for (const Column& c : m_columns) {
                from = from == 0 ? c.from : qMin(from, c.from);
                to = qMax(to, c.opening ? c.year->last : c.to);
            }
            const QString range = QStringLiteral("(data_biezaca=0 or (data_biezaca>=%1 and data_biezaca<=%2))")
                                      .arg(sqlNumber(from), sqlNumber(to));
            QList<QVariantList> found;
            // Accounts come with their names (card-index accounts with their entry's name).
            if (type == QLatin1String("K"))
                found = m_run.rows(QStringLiteral("select konto, TG_GetNazwaKonta(%1,%2,konto) from (select distinct konto"
                                                  " from POZ_DOK_VIEW_UNION where id_firmy=%1 and %3 and konto<>'') k")
                                       .arg(sqlNumber(m_rq.company), sqlNumber(m_rq.year), range));
            else
                found = m_run.rows(QStringLiteral("select distinct bt_klasyfikacja, '' from BT_VIEW where id_firmy=%1 and %2"
                                                  " and bt_klasyfikacja<>''").arg(sqlNumber(m_rq.company), range));
            if (!sqlOk())
                return false;
            for (const QVariantList& r : found)
                list << qMakePair(r.at(0).toString().trimmed(), r.at(1).toString().trimmed());
            // In the order of the characters, whatever collation the server has.
            std::sort(list.begin(), list.end());
        }
        lists.insert(type, list);
    }
    for (Row& r : m_rows) {
        if (!r.list)
            continue;
        // The row's symbol, when given, is a mask that narrows the list to the row's part.
        for (const auto& e : lists.value(r.type)) {
            if (!r.symbol.isEmpty() && !maskFits(e.first, r.symbol))
                continue;
            r.elementIndex.insert(e.first, static_cast<int>(r.elements.size()));
            r.elements.push_back(e.first);
            r.texts.push_back(e.second);
        }
    }
    return true;
}

LedgerBook* Generator::ledgerOf(const FiscalYear& y)
{
    auto& slot = m_ledgers[y.id];
    if (slot)
        return slot.get();
    slot = std::make_unique<LedgerBook>();
    LedgerBook& book = *slot;
    const QString status = m_rq.approvedOnly ? QStringLiteral("n.status=2") : QStringLiteral("n.status>0");
    // The one read of a year's postings: per pair of posting accounts (debit, credit) and period,
    // or per pair alone. One pass over the lines serves both sides; each row is split into its
    // debit and its credit account here.
    auto read = [&](qint64 yearId, bool perPeriod) {
        const QString period = perPeriod ? QStringLiteral("n.data_okresu") : QStringLiteral("0");
        std::vector<LedgerBook::Cell> cells;
        QHash<DayNumber, QPair<DayNumber, PeriodKind>> places;
        m_run.each(QStringLiteral(
            "select p.konto_wn, p.konto_ma, %1, %2, %3 from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
            " where n.id_firmy=%4 and n.id_lata_obrot=%5 and %6 group by p.konto_wn, p.konto_ma%7")
            .arg(period, m_q.sum(m_q.amount(QStringLiteral("p.kwota_wn"))), m_q.sum(m_q.amount(QStringLiteral("p.kwota_ma"))),
                 sqlNumber(m_rq.company), sqlNumber(yearId), status, perPeriod ? QStringLiteral(", n.data_okresu") : QString()),
            [&](const sql::Cursor& r) {
                const QString wn = r.value(0).toString().trimmed(), ma = r.value(1).toString().trimmed();
                const DayNumber day = r.value(2).toInt();
                // A year has a dozen periods: each is placed in its month once, not once per row.
                auto known = places.constFind(day);
                if (known == places.constEnd())
                    known = places.insert(day, {day > 0 ? firstDayOfMonth(day) : 0, periodKind(day)});
                if (!wn.isEmpty())
                    cells.push_back({book.accounts.add(wn), known->first, known->second, cents(r.value(3)), 0});
                if (!ma.isEmpty())
                    cells.push_back({book.accounts.add(ma), known->first, known->second, 0, cents(r.value(4))});
            });
        return cells;
    };
    book.cells = read(y.id, true);
    if (m_rq.computeOpening) {
        const FiscalYear* previous = nullptr;
        for (const FiscalYear& p : m_years)
            if (p.first < y.first)
                previous = &p;
        if (previous) {
            // The opening balance as the previous year closed: every period, the closing one too.
            const std::vector<LedgerBook::Cell> closing = read(previous->id, false);
            book.computedOpening = true;
            book.openingNet.assign(book.accounts.size(), 0);
            for (const LedgerBook::Cell& c : closing)
                book.openingNet[c.account] += c.wn - c.ma;
        }
    }
    return slot.get();
}

BudgetBook* Generator::budgetOf(const FiscalYear& y)
{
    auto& slot = m_budgets[y.id];
    if (slot)
        return slot.get();
    slot = std::make_unique<BudgetBook>();
    BudgetBook& book = *slot;
    const QString status = m_rq.approvedOnly ? QStringLiteral("n.status=2") : QStringLiteral("n.status>0");
    if (m_needBudget) {
        QStringList sums = {m_q.sum(m_q.amount(QStringLiteral("b.kwota")))};
        for (const char* kind : {"d", "wp", "wy", "k", "z", "x"})
            sums << m_q.sum(QStringLiteral("case when b.rodzaj_%1=1 then %2 else 0 end").arg(QLatin1String(kind), m_q.amount(QStringLiteral("b.kwota"))));
        const auto rows = m_run.rows(QStringLiteral(
            "select b.bt_klasyfikacja, n.data_okresu, %1 from BT_DANE b join POZ_DOK p on p.id_poz_dok=b.id_poz_dok"
            " join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.id_firmy=%2 and n.id_lata_obrot=%3 and %4"
            " group by b.bt_klasyfikacja, n.data_okresu")
            .arg(sums.join(QLatin1Char(',')), sqlNumber(m_rq.company), sqlNumber(y.id), status));
        for (const QVariantList& r : rows) {
            BudgetBook::Cell cell{book.classes.add(r.at(0).toString().trimmed()), r.at(1).toInt(), {}};
            for (int k = 0; k < kBudgetKinds; ++k)
                cell.amount[k] = cents(r.at(2 + k));
            book.cells.push_back(cell);
        }
    }
    if (m_needPlan) {
        const auto rows = m_run.rows(QStringLiteral("select bt_klasyfikacja, data_biezaca, %1 from BT_PLAN where id_firmy=%2"
                                                    " and id_lata_obrot=%3 group by bt_klasyfikacja, data_biezaca")
                                         .arg(m_q.sum(m_q.amount(QStringLiteral("kwota"))), sqlNumber(m_rq.company), sqlNumber(y.id)));
        for (const QVariantList& r : rows)
            book.plan.push_back({book.classes.add(r.at(0).toString().trimmed()), r.at(1).toInt(),
                                 cents(r.at(2))});
    }
    return slot.get();
}

void Generator::sumColumn(Column& c)
{
    const DayNumber openingDay = openingPeriod(c.year->first);
    const DayNumber fromMonth = firstDayOfMonth(c.from);
    if (c.book) {
        LedgerBook& b = *c.book;
        const int n = b.accounts.size();
        c.turnWn.assign(n, 0); c.turnMa.assign(n, 0);
        c.openWn.assign(n, 0); c.openMa.assign(n, 0);
        c.closeWn.assign(n, 0); c.closeMa.assign(n, 0);
        if (b.computedOpening) {
            for (int a = 0; a < n && a < static_cast<int>(b.openingNet.size()); ++a)
                (b.openingNet[a] > 0 ? c.openWn[a] : c.openMa[a]) += b.openingNet[a] > 0 ? b.openingNet[a] : -b.openingNet[a];
        }
        for (const LedgerBook::Cell& cell : b.cells) {
            const PeriodKind kind = cell.kind;
            if (kind == PeriodKind::OpeningBalance) {
                if (!b.computedOpening) {
                    c.openWn[cell.account] += cell.wn;
                    c.openMa[cell.account] += cell.ma;
                }
                continue;
            }
            if (kind == PeriodKind::Closing && m_rq.skipClosing)
                continue;
            if (c.opening)
                continue;
            const DayNumber month = cell.month;
            if (month > c.to)
                continue;
            c.closeWn[cell.account] += cell.wn;
            c.closeMa[cell.account] += cell.ma;
            if (month >= fromMonth) {
                c.turnWn[cell.account] += cell.wn;
                c.turnMa[cell.account] += cell.ma;
            }
        }
        for (int a = 0; a < n; ++a) {
            c.closeWn[a] += c.openWn[a];
            c.closeMa[a] += c.openMa[a];
            if (c.opening) {
                c.turnWn[a] = c.openWn[a];
                c.turnMa[a] = c.openMa[a];
            }
        }
    }
    if (c.budget) {
        BudgetBook& b = *c.budget;
        c.budgetSums.assign(b.classes.size(), {});
        c.planSums.assign(b.classes.size(), 0);
        for (const BudgetBook::Cell& cell : b.cells) {
            const bool opening = cell.period == openingDay || periodKind(cell.period) == PeriodKind::OpeningBalance;
            if (periodKind(cell.period) == PeriodKind::Closing && m_rq.skipClosing)
                continue;
            const DayNumber month = firstDayOfMonth(cell.period);
            const bool in = c.opening ? opening : (!opening && month >= fromMonth && month <= c.to);
            if (!in)
                continue;
            for (int k = 0; k < kBudgetKinds; ++k)
                c.budgetSums[cell.cls][k] += cell.amount[k];
        }
        for (const BudgetBook::PlanRow& p : b.plan)
            if (p.day == 0 || (p.day >= c.from && p.day <= (c.opening ? c.year->last : c.to)))
                c.planSums[p.cls] += p.amount;
    }
}

bool Generator::loadData()
{
    for (Column& c : m_columns) {
        if (m_needLedger)
            c.book = ledgerOf(*c.year);
        if (m_needBudget || m_needPlan)
            c.budget = budgetOf(*c.year);
        if (!sqlOk())
            return false;
    }
    for (Column& c : m_columns)
        sumColumn(c);
    return true;
}

Fixed Generator::eval(const Formula& f, int index, int row, int column, int element, QString* what, int* at)
{
    if (!what->isEmpty())
        return 0;
    const Node& n = f.nodes[index];
    auto arg = [&](int i) { return eval(f, n.args[i], row, column, element, what, at); };
    auto overflow = [&]() {
        *what = QStringLiteral("wynik przekracza zakres kwoty");
        *at = n.position;
        return Fixed(0);
    };
    constexpr Fixed limit = Fixed(1'000'000'000'000'000'000LL) * 1000; // 10^21: ample beyond DECIMAL(15,2)
    switch (n.kind) {
    case Node::Number:
        return n.number;
    case Node::Negate:
        return -arg(0);
    case Node::Add:
    case Node::Subtract: {
        const Fixed a = arg(0), b = arg(1);
        const Fixed r = n.kind == Node::Add ? a + b : a - b;
        return (r > limit || r < -limit) ? overflow() : r;
    }
    case Node::Multiply: {
        const Fixed a = arg(0), b = arg(1);
        Fixed p;
        if (__builtin_mul_overflow(a, b, &p))
            return overflow();
        const Fixed r = p / kScale;
        return (r > limit || r < -limit) ? overflow() : r;
    }
    case Node::Divide: {
        const Fixed a = arg(0), b = arg(1);
        if (b == 0)
            return 0; // a statement shows 0 for a share of nothing
        Fixed p;
        if (__builtin_mul_overflow(a, Fixed(kScale), &p))
            return overflow();
        const Fixed r = p / b;
        return (r > limit || r < -limit) ? overflow() : r;
    }
    case Node::Abs: {
        const Fixed a = arg(0);
        return a < 0 ? -a : a;
    }
    case Node::Min:
    case Node::Max: {
        Fixed best = arg(0);
        for (size_t i = 1; i < n.args.size(); ++i) {
            const Fixed v = arg(static_cast<int>(i));
            if (n.kind == Node::Min ? v < best : v > best)
                best = v;
        }
        return best;
    }
    case Node::Round: {
        const Fixed a = arg(0);
        Fixed unit = 1;
        for (int i = n.ref; i < 6; ++i)
            unit *= 10;
        if (unit <= 1)
            return a;
        const Fixed m = a < 0 ? -a : a;
        const Fixed r = (m + unit / 2) / unit * unit;
        return a < 0 ? -r : r;
    }
    case Node::RowRef: {
        const int target = m_rowOfLp.value(n.ref);
        const Row& from = m_rows[row];
        const Row& to = m_rows[target];
        const std::vector<qint64>& v = m_values[target][column];
        if (to.list && from.list && from.type == to.type) {
            const auto it = to.elementIndex.constFind(from.elements[element]);
            return it == to.elementIndex.constEnd() ? Fixed(0) : fromCents(v[*it]);
        }
        Fixed total = 0;
        for (qint64 x : v)
            total += fromCents(x);
        return total;
    }
    case Node::ColumnRef: {
        const std::vector<qint64>& v = m_values[row][n.ref - 1];
        return element < static_cast<int>(v.size()) ? fromCents(v[element]) : Fixed(0);
    }
    case Node::LedgerSum: {
        Column& c = m_columns[column];
        if (!c.book)
            return 0;
        const QString mask = n.element ? m_rows[row].elements[element] : n.mask;
        const std::vector<int>& accounts = c.book->accounts.select(mask, n.element);
        qint64 total = 0;
        for (int a : accounts) {
            const qint64 openNet = c.openWn[a] - c.openMa[a];
            const qint64 closeNet = c.closeWn[a] - c.closeMa[a];
            switch (n.ledger) {
            case Ledger::WN: total += c.turnWn[a]; break;
            case Ledger::MA: total += c.turnMa[a]; break;
            case Ledger::BO: total += openNet; break;
            case Ledger::BOWN: total += qMax<qint64>(openNet, 0); break;
            case Ledger::BOMA: total += qMax<qint64>(-openNet, 0); break;
            case Ledger::SWN: total += qMax<qint64>(closeNet, 0); break;
            case Ledger::SMA: total += qMax<qint64>(-closeNet, 0); break;
            case Ledger::S: total += closeNet; break;
            }
        }
        return fromCents(total);
    }
    case Node::BudgetSum:
    case Node::PlanSum: {
        Column& c = m_columns[column];
        if (!c.budget)
            return 0;
        const QString mask = n.element ? m_rows[row].elements[element] : n.mask;
        const std::vector<int>& classes = c.budget->classes.select(mask, n.element);
        qint64 total = 0;
        for (int k : classes)
            total += n.kind == Node::PlanSum ? c.planSums[k] : c.budgetSums[k][static_cast<int>(n.budget)];
        return fromCents(total);
    }
    }
    return 0;
}

bool Generator::evaluate()
{
    m_values.resize(m_rows.size());
    for (size_t r = 0; r < m_rows.size(); ++r)
        for (int c = 0; c < m_columnCount; ++c)
            m_values[r][c].assign(m_rows[r].list ? m_rows[r].elements.size() : 1, 0);
    constexpr Fixed maxCell = Fixed(Decimal::kMaxCents) * (kScale / 100);
    for (int cell : m_order) {
        const int r = cell / kMaxColumns, c = cell % kMaxColumns;
        const Row& row = m_rows[r];
        if (row.formula[c] < 0)
            continue;
        const Formula& f = m_formulas[row.formula[c]];
        std::vector<qint64>& out = m_values[r][c];
        for (size_t e = 0; e < out.size(); ++e) {
            QString what;
            int at = 0;
            const Fixed v = eval(f, f.root, r, c, static_cast<int>(e), &what, &at);
            if (what.isEmpty() && (v > maxCell || v < -maxCell)) {
                what = QStringLiteral("wynik przekracza zakres kwoty (15 cyfr)");
                at = 0;
            }
            if (!what.isEmpty())
                return fail(cellError(m_name, row.lp, c + 1, at, what));
            out[e] = toCents(v);
        }
    }
    return true;
}

bool Generator::write()
{
    ProcedureTransaction tx(m_db);
    m_run.run(QStringLiteral("delete from ZESTAW_ZESTAW where id_uzytkownika=%1 and id_zestaw_nag=%2 and wariant_zestaw=1")
                  .arg(sqlNumber(m_rq.user), sqlNumber(m_rq.statement)));
    if (!sqlOk())
        return false;
    QStringList columns = {QStringLiteral("id_uzytkownika"), QStringLiteral("id_zestaw_nag"), QStringLiteral("wariant_zestaw"),
                           QStringLiteral("lp"), QStringLiteral("symbol"), QStringLiteral("opis"), QStringLiteral("info"),
                           QStringLiteral("poziom"), QStringLiteral("arg1")};
    for (int i = 1; i <= kMaxColumns; ++i)
        columns << QStringLiteral("kol%1").arg(i);
    columns << QStringLiteral("kol1s") << QStringLiteral("kol2s") << QStringLiteral("kol3s");
    demo::BulkInsert insert(m_db, QStringLiteral("ZESTAW_ZESTAW"), columns);
    int lp = 0;
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const Row& row = m_rows[r];
        const size_t count = row.list ? row.elements.size() : 1;
        for (size_t e = 0; e < count; ++e) {
            demo::SqlRow out = {demo::lit(m_rq.user), demo::lit(m_rq.statement), demo::lit(1), demo::lit(++lp)};
            if (row.list) {
                out << demo::lit(row.elements[e].left(200)) << demo::lit((row.texts[e].isEmpty() ? row.name : row.texts[e]).left(500))
                    << demo::lit(QString::number(row.lp)) << demo::lit(row.level) << demo::lit(row.elements[e].left(200));
            } else {
                out << demo::lit(row.symbol.left(200)) << demo::lit(row.name.left(500)) << demo::lit(QString::number(row.lp))
                    << demo::lit(row.level) << demo::lit(QString());
            }
            for (int c = 0; c < kMaxColumns; ++c)
                out << demo::money(c < m_columnCount ? m_values[r][c][e] : 0);
            out << demo::lit(row.kol1s.left(255)) << demo::lit(row.kol2s.left(255)) << demo::lit(row.kol3s.left(255));
            insert.add(out);
        }
    }
    if (!insert.flush())
        return fail(insert.error());
    tx.commit();
    m_written = lp;
    return true;
}

StatementOutcome Generator::run()
{
    StatementOutcome out;
    const bool done = readHeader() && readYears() && readColumns() && readRows() && parseFormulas() && orderCells()
                      && readLists() && loadData() && evaluate() && write();
    out.ok = done;
    out.message = done ? QStringLiteral("Zestawienie „%1”: %2 wierszy.").arg(m_name).arg(m_written) : m_error;
    out.rows = m_written;
    return out;
}

} // namespace

StatementOutcome generateStatement(sql::Database& db, const StatementRequest& request)
{
    Generator g(db, request);
    return g.run();
}

sql::ProcedureResult zestawienieGeneruj(sql::Database& db, const QVariantList& args)
{
    const auto company = argNumber(args, 0), year = argNumber(args, 1), statement = argNumber(args, 3);
    const QString user = argText(args, 2);
    if (!company || !year || !statement || user.trimmed().isEmpty())
        return sql::ProcedureResult::failure(QStringLiteral(
            "ZESTAWIENIE_GENERUJ: oczekiwano (firma, rok, użytkownik, zestawienie, zwykłe, od, do, zatwierdzone,"
            " wyliczane BO, bez BZ, 0, 1)."));
    StatementRequest rq;
    rq.company = *company;
    rq.year = *year;
    rq.user = resolveUserId(db, user);
    rq.statement = *statement;
    rq.from = static_cast<DayNumber>(argNumber(args, 5).value_or(0));
    rq.to = static_cast<DayNumber>(argNumber(args, 6).value_or(0));
    rq.approvedOnly = argNumber(args, 7).value_or(0) != 0;
    rq.computeOpening = argNumber(args, 8).value_or(0) != 0;
    rq.skipClosing = argNumber(args, 9).value_or(0) != 0;
    if (rq.user <= 0)
        return sql::ProcedureResult::failure(QStringLiteral("ZESTAWIENIE_GENERUJ: nieznany użytkownik %1.").arg(user));
    const StatementOutcome o = generateStatement(db, rq);
    if (!o.ok)
        return sql::ProcedureResult::failure(o.message);
    sql::ProcedureResult r = sql::ProcedureResult::withRows({QVariantList{0, o.message}});
    r.columns = QStringList{QStringLiteral("status"), QStringLiteral("komunikat")};
    return r;
}

sql::ProcedureResult szukajKonta(sql::Database& db, const QVariantList& args)
{
    const auto company = argNumber(args, 0), year = argNumber(args, 1);
    if (!company || !year)
        return sql::ProcedureResult::failure(QStringLiteral("SZUKAJ_KONTA: oczekiwano (firma, rok, 'tekst', tryb)."));
    const QString text = argText(args, 2).trimmed();
    const bool byName = argNumber(args, 3).value_or(0) == 1;
    // The chart of a year is small: it is read whole and searched here, so that the name search
    // ignores the case of Polish letters on every backend and the text never enters SQL.
    StatementRunner run(db);
    const auto rows = run.rows(QStringLiteral("select nr_konta, nazwa_konta, poziom from WARTOSCI_KONT where id_firmy=%1"
                                              " and id_lata_obrot=%2 order by nr_konta")
                                   .arg(sqlNumber(*company), sqlNumber(*year)));
    if (!run.ok())
        return sql::ProcedureResult::failure(run.error());
    QList<QVariantList> found;
    for (const QVariantList& r : rows) {
        const QString number = r.at(0).toString().trimmed();
        const QString name = r.at(1).toString();
        if (number.startsWith(text, Qt::CaseInsensitive) || (byName && name.contains(text, Qt::CaseInsensitive)))
            found << QVariantList{number, name, r.at(2).toInt()};
    }
    sql::ProcedureResult r = sql::ProcedureResult::withRows(std::move(found));
    r.columns = QStringList{QStringLiteral("nr_konta"), QStringLiteral("nazwa_konta"), QStringLiteral("poziom")};
    return r;
}

} // namespace pravik::server
