#include "ledger/LedgerBrowseModel.h"

#include "ledger/CashReportSource.h"
#include "ledger/LedgerProcedures.h"
#include "ledger/MarkedRecords.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"

#include <algorithm>

namespace pravik::ledger {

LedgerBrowseModel::LedgerBrowseModel()
{
    const korda::Session& s = korda::session();
    if (s.DANE_POCZATEK_ROKU > 0 && s.DANE_KONIEC_ROKU >= s.DANE_POCZATEK_ROKU)
        m_periods = fiscalYearPeriods(s.DANE_POCZATEK_ROKU, s.DANE_KONIEC_ROKU);
    if (!m_periods.isEmpty())
        m_from = m_to = m_periods.first();
    m_control.kind = kAccountSheets;
    m_control.layoutFlag = 1;
    m_control.ascending = true;
    m_control.sort = 2;
}

void LedgerBrowseModel::setPeriods(DayNumber from, DayNumber to)
{
    m_from = std::min(from, to);
    m_to = std::max(from, to);
}

void LedgerBrowseModel::setSort(quint8 sort, bool ascending)
{
    m_control.sort = sort;
    m_control.ascending = ascending;
}

void LedgerBrowseModel::setMarked(qint64 key, bool marked)
{
    if (marked)
        m_marked.insert(key);
    else
        m_marked.remove(key);
}

QString LedgerBrowseModel::filter() const
{
    QStringList parts;
    if (!m_account.isEmpty())
        parts << QStringLiteral("PDD:konto=") + sql::sqlText(m_account);
    parts << QStringLiteral("PDD:id_lata_obrot=") + sql::sqlNumber(korda::session().DANE_LATA_OBROTOWE);
    if (m_from == m_to)
        parts << QStringLiteral("PDD:data_okresu=") + sql::sqlNumber(m_from);
    else
        parts << QStringLiteral("PDD:data_okresu>=%1 AND PDD:data_okresu<=%2").arg(sql::sqlNumber(m_from), sql::sqlNumber(m_to));
    return parts.join(QStringLiteral(" AND "));
}

QString LedgerBrowseModel::description() const
{
    return m_account.isEmpty() ? QString() : QStringLiteral("Konto: ") + m_account;
}

QString LedgerBrowseModel::controlList() const
{
    ControlList c = m_control;
    c.markedOnly = !m_marked.isEmpty();
    c.description = description();
    return buildControlList(c);
}

QList<BrowseRow> LedgerBrowseModel::rows(int limit) const
{
    QList<BrowseRow> out;
    if (m_account.isEmpty())
        return out;
    const QString where = QStringLiteral("id_firmy=%1 AND konto=%2 AND id_lata_obrot=%3 AND data_okresu>=%4 AND data_okresu<=%5")
                              .arg(sql::sqlNumber(korda::session().DANE_ID_FIRMY), sql::sqlText(m_account),
                                   sql::sqlNumber(korda::session().DANE_LATA_OBROTOWE), sql::sqlNumber(m_from), sql::sqlNumber(m_to));
    if (!utilka::EXECVAX(QStringLiteral("select top %1 id_poz_dok, strona, data_okresu, nr_ewid_dok, opis, kwota_wn, kwota_ma "
                                        "from POZ_DOK_VIEW_UNION where %2 order by data_biezaca, id_poz_dok, strona")
                             .arg(limit)
                             .arg(where))) {
        utilka::checkSql();
        return out;
    }
    while (korda::VAX_FK.next() == 0) {
        BrowseRow r;
        r.postingId = korda::VAX_FK.number(1);
        const QString side = korda::VAX_FK.text(2);
        r.debit = side.trimmed() == QLatin1String("0");
        r.key = MarkedRecords::keyOf(side, r.postingId);
        r.period = DayNumber(korda::VAX_FK.number(3));
        r.registerNumber = korda::VAX_FK.text(4).trimmed();
        r.description = korda::VAX_FK.text(5).trimmed();
        r.debitAmount = korda::VAX_FK.dec(6);
        r.creditAmount = korda::VAX_FK.dec(7);
        out << r;
    }
    korda::VAX_FK.close();
    return out;
}

int LedgerBrowseModel::print(const QString& title)
{
    korda::Session& s = korda::session();
    s.DANE_DRUKUJ_PODSUMOWANIE = m_summary ? 1 : 0;
    s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 0;
    s.DANE_DRUKUJ_ZAPISY_MPK = m_costCentres ? 1 : 0;
    s.DANE_ZAZNACZ_REK.clear();
    if (m_control.kind == kCashReport || m_control.kind == kCashReportCurrency || m_control.kind == kCashRegister) {
        // A cash report receives the account's state before the first period instead of marks.
        const Amounts opening = cashOpeningFigures(s.DANE_ID_FIRMY, s.DANE_LATA_OBROTOWE, m_account, m_from).value_or(Amounts{});
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.debit.toString()});
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.credit.toString()});
    } else {
        for (const qint64 key : m_marked)
            s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{QString::number(key)});
    }
    s.DANE_CZY_ZAZNACZONE = m_exclude ? 1 : 0;
    WYDRUK_KSIEGA(filter(), title, controlList());
    return s.globalResponse;
}

} // namespace pravik::ledger
