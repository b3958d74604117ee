#include "turnover/print/TurnoverListings.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <numeric>

namespace pravik::turnover {

using sql::sqlNumber;
using sql::sqlText;

namespace {

const QString kSubtotalFor = QStringLiteral("Razem dla ");

QString approved(const ListingScope& s)
{
    return s.approvedOnly ? QStringLiteral(" AND status=2") : QString();
}

QString periodCondition(const ListingScope& s)
{
    return (s.allPeriods ? QStringLiteral(" AND data_okresu<=") : QStringLiteral(" AND data_okresu=")) + sqlNumber(s.period);
}

QString currencyCondition(const ListingScope& s)
{
    return s.foreignCurrency() ? QStringLiteral(" AND waluta=") + sqlText(s.currency.trimmed()) : QString();
}

// Reads every row of the statement just run on VAX_FK; the buffer is free again afterwards, so
// the lookups a row needs can run while the rows are printed.
template <typename Row, typename Fill>
QList<Row> readAll(Fill fill)
{
    QList<Row> rows;
    while (utilka::NEXT(korda::VAX_FK) == 0) {
        Row r;
        fill(r, korda::VAX_FK.record());
        rows.append(r);
    }
    if (!utilka::checkSql())
        rows.clear();
    korda::VAX_FK.close();
    return rows;
}

// Grouped rows come in the server's order; items in their own order read better and are the
// same on every backend.
void sortByItem(Listing& records, QStringList& items)
{
    QList<qsizetype> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) { return items[a] < items[b]; });
    Listing sortedRecords;
    QStringList sortedItems;
    for (qsizetype i : std::as_const(order)) {
        sortedRecords.append(records[i]);
        sortedItems.append(items[i]);
    }
    records = std::move(sortedRecords);
    items = std::move(sortedItems);
}

} // namespace

ListingScope ListingScope::from(const TurnoverPrintOptions& o, qint32 company)
{
    ListingScope s;
    s.company = company;
    s.yearId = o.yearId;
    s.period = o.period;
    s.allPeriods = o.allEntries;
    s.currency = o.currency;
    s.approvedOnly = o.approvedOnly;
    s.asOf = o.asOf;
    s.asOfDate = o.asOfDate;
    s.grouped = o.groupMpk;
    return s;
}

bool ListingScope::foreignCurrency() const
{
    const QString c = currency.trimmed();
    return !c.isEmpty() && c.compare(QLatin1String("PLN"), Qt::CaseInsensitive) != 0;
}

QString mpkListingSql(const ListingScope& s, const QString& account)
{
    const QString amount = s.foreignCurrency() ? QStringLiteral("kwota_w") : QStringLiteral("kwota");
    QString sql = s.grouped ? QStringLiteral("select drzewo_zbior_id,'',0,'',0,sum(%1),strona,0,wskaznik_1_id,wskaznik_2_id,"
                                             "wskaznik_3_id,wskaznik_4_id,wskaznik_5_id").arg(amount)
                            : QStringLiteral("select drzewo_zbior_id,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,%1,strona,"
                                             "nr_poz_dok,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id")
                                  .arg(amount);
    sql += QStringLiteral(" from MPK_VIEW  with (NOLOCK) ");
    sql += QStringLiteral(" where id_lata_obrot=") + sqlNumber(s.yearId) + QStringLiteral(" AND konto=") + sqlText(account)
        + periodCondition(s) + currencyCondition(s) + approved(s);
    // The keys end with every column that tells two rows apart: without them PostgreSQL returns
    // rows of equal keys (and groups) in a different order from run to run.
    sql += s.grouped ? QStringLiteral(" group by drzewo_zbior_id, wskaznik_1_id, wskaznik_2_id, wskaznik_3_id, wskaznik_4_id, "
                                      "wskaznik_5_id, strona order by drzewo_zbior_id, wskaznik_1_id, wskaznik_2_id, "
                                      "wskaznik_3_id, wskaznik_4_id, wskaznik_5_id, strona")
                     : QStringLiteral(" order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,strona,"
                                      "drzewo_zbior_id,wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id");
    return sql;
}

QString budgetListingSql(const ListingScope& s, const QString& account)
{
    QString sql = s.grouped ? QStringLiteral("select bt_klasyfikacja,'',0,'',0,sum(kwota),'',0,0,0,0,0,0,0,konto_wn,konto_ma")
                            : QStringLiteral("select bt_klasyfikacja,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,kwota,'',"
                                             "nr_poz_dok,rodzaj_d,rodzaj_wp,rodzaj_wy,rodzaj_k,rodzaj_z,rodzaj_x,konto_wn,konto_ma");
    const QString quoted = sqlText(account);
    sql += QStringLiteral(" from BT_VIEW  with (NOLOCK) ");
    sql += QStringLiteral(" where id_lata_obrot=") + sqlNumber(s.yearId) + QStringLiteral(" AND (konto_wn=") + quoted
        + QStringLiteral(" OR konto_ma=") + quoted + u')' + periodCondition(s) + approved(s);
    sql += s.grouped ? QStringLiteral(" group by bt_klasyfikacja, konto_wn, konto_ma order by bt_klasyfikacja, konto_wn, konto_ma")
                     : QStringLiteral(" order by data_okresu,data_biezaca,data_dok_org,nr_poz_dok,nr_ewid_dok,bt_klasyfikacja,"
                                      "konto_wn,konto_ma");
    return sql;
}

QString entriesListingSql(const ListingScope& s, const QString& account)
{
    const QString amounts = s.foreignCurrency() ? QStringLiteral("kwota_wn_w,kwota_ma_w") : QStringLiteral("kwota_wn,kwota_ma");
    QString sql = QStringLiteral("select opis,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,%1,lp,data_okresu,nr_dziennika,"
                                 "id_poz_dok,id_nag_dok,strona")
                      .arg(amounts);
    sql += QStringLiteral(" from POZ_DOK_VIEW_UNION   with (NOLOCK)");
    sql += QStringLiteral(" where id_lata_obrot=") + sqlNumber(s.yearId) + QStringLiteral(" AND konto=") + sqlText(account)
        + periodCondition(s);
    if (s.asOf)
        sql += QStringLiteral(" AND data_biezaca<=") + sqlNumber(s.asOfDate);
    sql += currencyCondition(s) + approved(s);
    sql += QStringLiteral(" order by id_lata_obrot,konto,data_okresu,data_biezaca,data_dok_org,nr_ewid_dok,lp,id_poz_dok,strona");
    return sql;
}

Listing entriesListing(const QList<EntryRow>& rows)
{
    Listing out;
    ListingLine sum;
    sum.total = true;
    DayNumber open = 0;
    bool any = false;
    auto close = [&] {
        if (!any)
            return;
        sum.description = periodKind(open) == PeriodKind::OpeningBalance
            ? QStringLiteral("Razem BO")
            : QStringLiteral("Razem %1-%2").arg(monthOf(open)).arg(yearOf(open));
        out.append(sum);
        sum.debit = sum.credit = Decimal();
    };
    for (const EntryRow& r : rows) {
        // Periods are compared by month: the closing period (day 28) belongs with its month.
        const bool opening = periodKind(r.period) == PeriodKind::OpeningBalance;
        const bool newPeriod = !any || opening != (periodKind(open) == PeriodKind::OpeningBalance)
            || monthOf(r.period) != monthOf(open) || yearOf(r.period) != yearOf(open);
        if (newPeriod) {
            close();
            open = r.period;
            any = true;
        }
        ListingLine line;
        line.number = r.number;
        line.journal = r.journal;
        line.document = r.document;
        line.registerNumber = r.registerNumber;
        line.postingDate = r.postingDate;
        line.documentDate = r.documentDate;
        line.description = r.description;
        line.debit = r.debit;
        line.credit = r.credit;
        line.contra = r.contra;
        out.append(line);
        sum.debit += r.debit;
        sum.credit += r.credit;
    }
    close();
    return out;
}

Listing itemListing(const Listing& records, const QStringList& items)
{
    Listing out = records;
    QStringList order;
    QHash<QString, ListingLine> sums;
    for (qsizetype i = 0; i < records.size() && i < items.size(); ++i) {
        const QString& item = items[i];
        if (!sums.contains(item)) {
            order.append(item);
            ListingLine sum;
            sum.total = true;
            sum.description = kSubtotalFor + item;
            sums.insert(item, sum);
        }
        ListingLine& sum = sums[item];
        sum.debit += records[i].debit;
        sum.credit += records[i].credit;
    }
    for (const QString& item : std::as_const(order))
        out.append(sums.value(item));
    return out;
}

// ---------------------------------------------------------------- reading

ListingReader::ListingReader(const ListingScope& scope, bool contraAccounts)
    : m_scope(scope), m_contra(contraAccounts), m_finder(scope.company)
{
}

QString ListingReader::indicatorCode(qint64 id)
{
    if (id <= 0)
        return {};
    auto found = m_indicators.constFind(id);
    if (found != m_indicators.constEnd())
        return *found;
    utilka::EXECVAY(QStringLiteral("select 1,kod from MPK_SLOWNIK_WSKAZNIK where id_mpk_slownik_wskaznik=") + sqlNumber(id));
    const QString code = utilka::NEXT(korda::VAY_FK) == 0 ? korda::VAY_FK.text(2).trimmed() : QString();
    utilka::checkSql();
    korda::VAY_FK.close();
    m_indicators.insert(id, code);
    return code;
}

QString ListingReader::treeCodes(const QString& path)
{
    // The path holds the ids of the tree from its root, joined by the installation's separator.
    static const QRegularExpression ids(QStringLiteral("\\d+"));
    QStringList codes;
    for (auto it = ids.globalMatch(path); it.hasNext();) {
        const qint64 id = it.next().captured(0).toLongLong();
        auto found = m_tree.constFind(id);
        if (found == m_tree.constEnd()) {
            utilka::EXECVAY(QStringLiteral("select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=")
                            + sqlNumber(id));
            const QString code = utilka::NEXT(korda::VAY_FK) == 0 ? korda::VAY_FK.text(2).trimmed() : QString();
            utilka::checkSql();
            korda::VAY_FK.close();
            found = m_tree.insert(id, code.isEmpty() ? QString::number(id) : code);
        }
        codes.append(*found);
    }
    return codes.join(u'/');
}

Listing ListingReader::mpk(const QString& account)
{
    struct Row {
        QString path, registerNumber, document, side;
        DayNumber postingDate = 0, documentDate = 0;
        Decimal amount;
        qint64 number = 0;
        std::array<qint64, 5> indicators{};
    };
    utilka::EXECVAX(mpkListingSql(m_scope, account));
    QList<Row> rows = readAll<Row>([](Row& r, const korda::PassThroughRecord& v) {
        r.path = v.text(1);
        r.registerNumber = v.text(2);
        r.postingDate = DayNumber(v.number(3));
        r.document = v.text(4);
        r.documentDate = DayNumber(v.number(5));
        r.amount = v.dec(6);
        r.side = v.text(7).trimmed().toUpper();
        r.number = v.number(8);
        for (int i = 0; i < 5; ++i)
            r.indicators[std::size_t(i)] = v.number(9 + i);
    });
    Listing records;
    QStringList items;
    for (const Row& r : std::as_const(rows)) {
        QString item = treeCodes(r.path);
        QStringList marks;
        for (int i = 0; i < 5; ++i) {
            const QString code = indicatorCode(r.indicators[std::size_t(i)]);
            if (!code.isEmpty())
                marks << QStringLiteral("%1: %2").arg(i + 1).arg(code);
        }
        if (!marks.isEmpty())
            item += (item.isEmpty() ? QString() : QStringLiteral(" ")) + marks.join(QStringLiteral(", "));
        const bool debit = r.side == QLatin1String("WN");
        ListingLine line;
        line.number = r.number;
        line.document = r.document;
        line.registerNumber = r.registerNumber;
        line.postingDate = r.postingDate;
        line.documentDate = r.documentDate;
        line.description = (debit ? QStringLiteral("WN ") : QStringLiteral("MA ")) + item;
        (debit ? line.debit : line.credit) = r.amount;
        records.append(line);
        items.append(item);
    }
    if (m_scope.grouped)
        sortByItem(records, items);
    return itemListing(records, items);
}

Listing ListingReader::budget(const QString& account)
{
    struct Row {
        QString classification, registerNumber, document, debitAccount, creditAccount;
        DayNumber postingDate = 0, documentDate = 0;
        Decimal amount;
        qint64 number = 0;
        std::array<bool, 6> kinds{};
    };
    utilka::EXECVAX(budgetListingSql(m_scope, account));
    const QList<Row> rows = readAll<Row>([](Row& r, const korda::PassThroughRecord& v) {
        r.classification = v.text(1).trimmed();
        r.registerNumber = v.text(2);
        r.postingDate = DayNumber(v.number(3));
        r.document = v.text(4);
        r.documentDate = DayNumber(v.number(5));
        r.amount = v.dec(6);
        r.number = v.number(8);
        for (int i = 0; i < 6; ++i)
            r.kinds[std::size_t(i)] = v.number(9 + i) == 1;
        r.debitAccount = v.text(15).trimmed();
        r.creditAccount = v.text(16).trimmed();
    });
    static const QStringList kindNames{QStringLiteral("Dochód"), QStringLiteral("Wpływ"), QStringLiteral("Wydatek"),
                                       QStringLiteral("Koszt"), QStringLiteral("Zaangażowanie"),
                                       QStringLiteral("Środki pieniężne")};
    Listing records;
    QStringList items;
    for (const Row& r : rows) {
        QStringList kinds;
        for (int i = 0; i < 6; ++i)
            if (r.kinds[std::size_t(i)])
                kinds << kindNames[i];
        // A line posted to the account on both sides counts as its debit.
        const bool debit = r.debitAccount == account.trimmed();
        ListingLine line;
        line.number = r.number;
        line.document = r.document;
        line.registerNumber = r.registerNumber;
        line.postingDate = r.postingDate;
        line.documentDate = r.documentDate;
        line.description = r.classification + (kinds.isEmpty() ? QString() : QStringLiteral(" ") + kinds.join(QStringLiteral(", ")));
        (debit ? line.debit : line.credit) = r.amount;
        line.contra = debit ? r.creditAccount : r.debitAccount;
        records.append(line);
        items.append(r.classification);
    }
    if (m_scope.grouped)
        sortByItem(records, items);
    return itemListing(records, items);
}

Listing ListingReader::entries(const QString& account)
{
    utilka::EXECVAX(entriesListingSql(m_scope, account));
    QList<EntryRow> rows = readAll<EntryRow>([](EntryRow& r, const korda::PassThroughRecord& v) {
        r.description = v.text(1);
        r.registerNumber = v.text(2);
        r.postingDate = DayNumber(v.number(3));
        r.document = v.text(4);
        r.documentDate = DayNumber(v.number(5));
        r.debit = v.dec(6);
        r.credit = v.dec(7);
        r.number = v.number(8);
        r.period = DayNumber(v.number(9));
        r.journal = v.number(10);
        r.positionId = v.number(11);
        r.documentId = v.number(12);
        r.side = v.text(13).trimmed();
    });
    if (m_contra)
        for (EntryRow& r : rows) {
            const ledger::EntrySide side = r.side == QLatin1String("0") ? ledger::EntrySide::Debit : ledger::EntrySide::Credit;
            r.contra = ledger::fitContraText(m_finder.find(r.documentId, r.positionId, side, m_scope.yearId).text, 60);
        }
    return entriesListing(rows);
}

} // namespace pravik::turnover
