#include "ledger/BalanceListSource.h"

#include "ledger/LedgerLabels.h"
#include "ledger/RowStream.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/FilterText.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

namespace pravik::ledger {

namespace {

using korda::VAX_FK;
using korda::VAY_FK;

bool foreign(const QString& code)
{
    return !code.trimmed().isEmpty() && code.trimmed() != QLatin1String("PLN");
}

} // namespace

BalanceListSource::BalanceListSource(const LedgerRequest& request, QString printCurrency)
    : m_request(request), m_printCurrency(std::move(printCurrency))
{
    m_mode = request.control.currencyFlag.trimmed().toInt();
    if (m_mode != 0)
        m_reportCurrency = request.control.description.trimmed().left(3).toUpper();
    if (m_mode == 1)
        m_earlierYear = utilka::FUNCVAY(QStringLiteral("select 1 from LATA_OBROTOWE where poczatek_roku<%1 AND id_firmy=%2")
                                            .arg(sql::sqlNumber(request.yearStart), sql::sqlNumber(request.company)))
                            .trimmed()
                        == QLatin1String("1");
    m_details = m_mode == 1 && foreign(m_reportCurrency) && !m_earlierYear;

    m_where = QStringLiteral("id_firmy=") + sql::sqlNumber(request.company);
    if (!request.filter.trimmed().isEmpty())
        m_where += QStringLiteral(" AND (") + utilka::WYTNIJ_PREFIX(request.filter.trimmed()).trimmed() + u')';
    static const char* const columns[] = {nullptr, "nr_konta", "zobroty_wn", "zobroty_ma", "zsaldo_wn", "zsaldo_ma"};
    const quint8 sort = request.control.sort;
    if (sort >= 1 && sort <= 5)
        m_order = QStringLiteral("order by id_firmy asc, %1 %2, id_obroty_i_salda asc")
                      .arg(QLatin1String(columns[sort]), request.control.ascending ? QStringLiteral("asc") : QStringLiteral("desc"));
    else
        m_order = QStringLiteral("order by id_firmy asc, nr_konta asc, id_obroty_i_salda asc");
}

bool BalanceListSource::foreignAmounts() const
{
    return foreign(m_printCurrency) || (m_mode == 1 && foreign(m_reportCurrency));
}

QStringList BalanceListSource::descriptionLines()
{
    QStringList lines;
    if (m_mode == 0) {
        if (m_request.settings.approvedFigures < 1)
            lines << QStringLiteral("Wydruk operacyjny do użytku wewnętrznego");
        lines << QStringLiteral("Waluta: ") + m_printCurrency;
        if (!m_request.control.description.trimmed().isEmpty())
            lines << m_request.control.description.trimmed();
    } else {
        if (m_request.settings.approvedFigures < 1) {
            const bool approved = utilka::FUNCVAY(QStringLiteral("select ZAMKNIETE_BO from LATA_OBROTOWE where id_lata_obrot=")
                                                  + sql::sqlNumber(m_request.year))
                                      .trimmed()
                                  == QLatin1String("1");
            lines << (approved ? QStringLiteral("Bilans otwarcia zatwierdzony") : QStringLiteral("Bilans otwarcia niezatwierdzony"));
        }
        lines << QStringLiteral("Waluta: ") + m_request.control.description.trimmed();
    }
    lines << m_request.hostDescriptions;
    return lines;
}

qint64 BalanceListSource::count()
{
    return utilka::FUNCVAY(QStringLiteral("select count(*) from OBROTY_I_SALDA where ") + m_where).toLongLong();
}

bool BalanceListSource::start()
{
    m_totals = {};
    m_rowNumber = 0;
    const QString columns = m_request.settings.approvedFigures >= 1
        ? QStringLiteral("zobroty_wn,zobroty_ma,zsaldo_wn,zsaldo_ma,zobroty_wn_w,zobroty_ma_w,zsaldo_wn_w,zsaldo_ma_w,nr_konta")
        : QStringLiteral("obroty_wn,obroty_ma,saldo_wn,saldo_ma,obroty_wn_w,obroty_ma_w,saldo_wn_w,saldo_ma_w,nr_konta");
    utilka::EXECVAY(QStringLiteral("select ") + columns + QStringLiteral(" from OBROTY_I_SALDA where ") + m_where + u' ' + m_order);
    m_started = utilka::checkSql();
    return m_started;
}

bool BalanceListSource::listed(const QString& account) const
{
    if (m_request.accountQueue.contains(account) || m_request.accountQueue.contains(account.left(3)))
        return true;
    const QString first = account.section(u'-', 0, 0);
    return m_request.accountQueue.contains(first);
}

QString BalanceListSource::accountName(const QString& account)
{
    QString name;
    if (utilka::EXECSQL(QStringLiteral("CALL USTAL_NAZWE_KONTA(%1,%2,%3)")
                            .arg(sql::sqlNumber(m_request.company), sql::sqlNumber(m_request.year), sql::sqlText(account)))
        && korda::ZAPYTANIESQL.next() == 0)
        name = korda::ZAPYTANIESQL.text(3).trimmed();
    korda::ZAPYTANIESQL.close();
    return name;
}

bool BalanceListSource::next(BalanceLine& line)
{
    while (nextRow(m_started)) {
        line.account = VAY_FK.text(9).trimmed().left(50);
        if (m_mode == 1 && !listed(line.account))
            continue;
        const int first = foreignAmounts() ? 5 : 1;
        line.turnover = {VAY_FK.dec(first), VAY_FK.dec(first + 1)};
        line.balance = {VAY_FK.dec(first + 2), VAY_FK.dec(first + 3)};
        line.name = accountName(line.account).left(100);
        line.rowNumber = ++m_rowNumber;
        m_totals.turnover += line.turnover;
        m_totals.balance += line.balance;
        return true;
    }
    return false;
}

QList<PartialItem> BalanceListSource::items(const QString& account, bool* failed)
{
    QList<PartialItem> out;
    *failed = false;
    const QString posting = QStringLiteral(
        "select p.id_poz_dok from POZ_DOK p inner join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.id_lata_obrot=%1 "
        "AND n.czy_rk=10 AND n.sym_waluty=%2 AND (p.konto_wn=%3 OR p.konto_ma=%3) order by p.id_poz_dok")
                                .arg(sql::sqlNumber(m_request.year), sql::sqlText(m_reportCurrency), sql::sqlText(account));
    qint64 id = 0;
    bool found = false;
    if (utilka::EXECVAX(posting) && VAX_FK.next() == 0) {
        id = VAX_FK.number(1);
        found = true;
    }
    if (utilka::errorCode() != 0 && utilka::errorCode() != 33) {
        utilka::MSG_OST(utilka::errorText());
        *failed = true;
    }
    VAX_FK.close();
    if (!found)
        return out;
    if (!utilka::EXECVAX(QStringLiteral("select data_dok,nr_dok,opis,kwota_wn,kwota_wn_w,kwota_ma,kwota_ma_w,kurs_waluty_wn,"
                                        "kurs_waluty_ma,mnoznik_wn,mnoznik_ma from POZ_DOK_CZASTKOWE where id_poz_dok=%1 "
                                        "order by id_poz_dok, data_dok, id_poz_dok_czastkowe")
                             .arg(sql::sqlNumber(id)))) {
        utilka::MSG_OST(utilka::errorText());
        VAX_FK.close();
        *failed = true;
        return out;
    }
    while (VAX_FK.next() == 0) {
        PartialItem i;
        i.date = DayNumber(VAX_FK.number(1));
        i.number = VAX_FK.text(2).trimmed().left(20);
        i.description = VAX_FK.text(3).trimmed().left(50);
        i.base = {VAX_FK.dec(4), VAX_FK.dec(6)};
        i.inCurrency = {VAX_FK.dec(5), VAX_FK.dec(7)};
        out << i;
    }
    VAX_FK.close();
    return out;
}

} // namespace pravik::ledger
