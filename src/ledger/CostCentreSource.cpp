#include "ledger/CostCentreSource.h"

#include "ledger/PostingFilter.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

#include <algorithm>

namespace pravik::ledger {

namespace {

using korda::VAX_FK;
using korda::VAY_FK;

const QString kView = QStringLiteral("MPK_VIEW");

bool debitSide(const QString& side)
{
    return side.trimmed().compare(QLatin1String("WN"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString costCentreOrder(quint8 sort, bool ascending)
{
    static const char* const columns[] = {"nr_ewid_dok", "data_biezaca", "nr_dok_org", "data_dok_org", "konto", "kwota"};
    if (sort < 1 || sort > 6)
        return QStringLiteral("order by id_firmy asc, nr_ewid_dok asc, id_mpk_dane asc");
    return QStringLiteral("order by id_firmy asc, %1 %2, id_mpk_dane asc")
        .arg(QLatin1String(columns[sort - 1]), ascending ? QLatin1String("asc") : QLatin1String("desc"));
}

QString costCentrePeriodLabel(DayNumber period)
{
    return QStringLiteral("%1-%2").arg(monthOf(period)).arg(yearOf(period), 4, 10, QLatin1Char('0'));
}

CostCentreSource::CostCentreSource(const LedgerRequest& request)
    : m_request(request),
      // The session's company always bounds the rows: the host's filter alone may name none.
      m_where(postingWhere(request.company, request.filter, kView)),
      m_order(costCentreOrder(request.control.sort, request.control.ascending)),
      m_codes(request.company, request.settings.costCentreSeparator)
{
}

QStringList CostCentreSource::descriptionLines() const
{
    QStringList lines;
    if (!m_request.control.description.trimmed().isEmpty())
        lines << m_request.control.description.trimmed();
    lines << m_request.hostDescriptions;
    return lines;
}

qint64 CostCentreSource::count()
{
    return utilka::FUNCVAY(QStringLiteral("select count(*) from ") + kView + QStringLiteral(" where ") + m_where).toLongLong();
}

bool CostCentreSource::start()
{
    m_journals.load(m_request.company);
    m_totals = {};
    m_rowNumber = 0;
    if (statement())
        utilka::EXECVAY(QStringLiteral("select wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id,drzewo_zbior_id,"
                                       "id_mpk_dane,strona,kwota,tresc_poz_dok,id_lata_obrot from ")
                        + kView + QStringLiteral(" where ") + m_where + u' ' + m_order);
    else
        utilka::EXECVAY(QStringLiteral("select id_mpk_dane,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,"
                                       "nr_poz_dok,kwota,tresc_poz_dok,id_paczka,data_oper_gosp,id_lata_obrot from ")
                        + kView + QStringLiteral(" where ") + m_where + u' ' + m_order);
    m_started = utilka::checkSql();
    return m_started;
}

bool CostCentreSource::next(CostCentreRow& r)
{
    while (m_started) {
        if (VAY_FK.next() != 0) {
            utilka::checkSql();
            VAY_FK.close();
            m_started = false;
            return false;
        }
        if (statement()) {
            r.id = VAY_FK.number(7);
            // The marked key of an allocation is its own id.
            if (m_request.control.markedOnly && !m_request.marked.admits(QStringLiteral("0"), r.id))
                continue;
            const Decimal amount = VAY_FK.dec(9);
            r.amounts = debitSide(VAY_FK.text(8)) ? Amounts{amount, Decimal()} : Amounts{Decimal(), amount};
            r.text = VAY_FK.text(10).left(50);
            r.year = qint32(VAY_FK.number(11));
            const QString tree = VAY_FK.text(6).trimmed();
            r.path = m_codes.treePath(tree).left(150);
            if (!tree.isEmpty()) {
                Keyed& k = m_indicators[{0, tree}];
                k.label = r.path;
                k.sums += r.amounts;
            }
            for (int i = 0; i < 5; ++i) {
                const qint64 id = VAY_FK.number(i + 1);
                r.indicators[i] = id == 0 ? QString() : m_codes.indicator(id).left(30);
                if (id == 0)
                    continue;
                Keyed& k = m_indicators[{i + 1, QString::number(id)}];
                k.label = r.indicators[i];
                k.sums += r.amounts;
            }
        } else {
            r.id = VAY_FK.number(1);
            if (m_request.control.markedOnly && !m_request.marked.admits(QStringLiteral("0"), r.id))
                continue;
            r.account = VAY_FK.text(2).left(60);
            r.period = DayNumber(VAY_FK.number(3));
            const Decimal amount = VAY_FK.dec(10);
            r.amounts = debitSide(VAY_FK.text(4)) ? Amounts{amount, Decimal()} : Amounts{Decimal(), amount};
            r.registerNumber = VAY_FK.text(5).left(25);
            r.postingDate = DayNumber(VAY_FK.number(6));
            r.documentNumber = VAY_FK.text(7).left(30);
            r.documentDate = DayNumber(VAY_FK.number(8));
            r.positionNumber = VAY_FK.number(9);
            r.text = VAY_FK.text(11).left(50);
            r.journalCode = m_journals.code(qint32(VAY_FK.number(12))).left(10);
            r.operationDate = DayNumber(VAY_FK.number(13));
            r.year = qint32(VAY_FK.number(14));
            m_periods[r.period] += r.amounts;
            m_accounts[{r.account.trimmed(), r.year}] += r.amounts;
        }
        r.rowNumber = ++m_rowNumber;
        m_totals += r.amounts;
        return true;
    }
    return false;
}

QString CostCentreSource::accountName(qint32 year, const QString& account)
{
    QString name;
    if (utilka::EXECVAX(QStringLiteral("CALL USTAL_NAZWE_KONTA (%1,%2,%3)")
                            .arg(sql::sqlNumber(m_request.company), sql::sqlNumber(year), sql::sqlText(account)))
        && VAX_FK.next() == 0)
        name = VAX_FK.text(3).trimmed();
    VAX_FK.close();
    return name;
}

QList<CostCentreSummaryRow> CostCentreSource::summary()
{
    QList<CostCentreSummaryRow> rows;
    if (statement()) {
        for (auto it = m_indicators.cbegin(); it != m_indicators.cend(); ++it)
            rows.append({it.key().first, it->label, {}, it->sums});
        std::sort(rows.begin(), rows.end(), [](const CostCentreSummaryRow& a, const CostCentreSummaryRow& b) {
            return a.group != b.group ? a.group < b.group : a.label < b.label;
        });
        return rows;
    }
    for (auto it = m_periods.cbegin(); it != m_periods.cend(); ++it)
        rows.append({0, costCentrePeriodLabel(it.key()), {}, it.value()});
    for (auto it = m_accounts.cbegin(); it != m_accounts.cend(); ++it)
        rows.append({1, it.key().first, accountName(it.key().second, it.key().first).left(100), it.value()});
    return rows;
}

} // namespace pravik::ledger
