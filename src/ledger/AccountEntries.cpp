#include "ledger/AccountEntries.h"

#include "ledger/PostingFilter.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

namespace pravik::ledger {

namespace {

using korda::VAY_FK;

const QString kView = QStringLiteral("POZ_DOK_VIEW_UNION");

enum Column {
    NrEwidDok = 1,
    DataBiezaca,
    NrDokOrg,
    DataDokOrg,
    Lp,
    KwotaWn,
    KwotaMa,
    KwotaWnW,
    KwotaMaW,
    Opis,
    Strona,
    IdPozDok,
    IdNagDok,
    IdLataObrot,
    Konto,
};

} // namespace

QString accountEntriesOrder(quint8 sort, bool ascending)
{
    static const char* const columns[] = {"nr_ewid_dok", "data_biezaca", "nr_dok_org", "data_dok_org", "data_oper_gosp", "kwota_wn",
                                          "kwota_ma",    "kwota_wn_w",   "kwota_ma_w", "opis",         "nr_dziennika"};
    if (sort < 1 || sort > 11)
        return {};
    const QString column = QLatin1String(columns[sort - 1]);
    return ascending ? QStringLiteral(" order by id_firmy asc, id_lata_obrot asc, konto asc, %1 asc, id_poz_dok asc, strona asc").arg(column)
                     : QStringLiteral(" order by id_firmy asc, id_lata_obrot asc, konto asc, %1 desc, id_poz_dok desc, strona desc")
                           .arg(column);
}

bool AccountEntriesQueue::fill(qint32 company, const QString& filter, quint8 sort, bool ascending)
{
    clear();
    // An empty filter selects the company's entries: no dangling " AND ".
    const QString where = postingWhere(company, filter, kView);
    const QString count = utilka::FUNCVAY(QStringLiteral("select count(*) from ") + kView + QStringLiteral(" (NOLOCK) where ") + where);
    if (utilka::errorCode() != 0 && utilka::errorCode() != 33) {
        utilka::MSG_OST(utilka::errorText());
        m_failed = true;
        return false;
    }
    m_count = count.trimmed().toLongLong();
    m_statement = QStringLiteral("select nr_ewid_dok,data_biezaca,nr_dok_org,data_dok_org,lp,kwota_wn,kwota_ma,kwota_wn_w,"
                                 "kwota_ma_w,opis,strona,id_poz_dok,id_nag_dok,id_lata_obrot,konto from ")
                  + kView + QStringLiteral(" (NOLOCK) where ") + where + accountEntriesOrder(sort, ascending);
    return true;
}

void AccountEntriesQueue::clear()
{
    finish();
    m_statement.clear();
    m_count = 0;
    m_failed = false;
}

bool AccountEntriesQueue::start()
{
    finish();
    if (m_statement.isEmpty())
        return true; // an empty queue: no entries
    utilka::EXECVAY(m_statement);
    m_reading = utilka::checkSql();
    return m_reading;
}

bool AccountEntriesQueue::next(AccountEntry& e)
{
    if (!m_reading)
        return false;
    if (VAY_FK.next() != 0) {
        utilka::checkSql();
        finish();
        return false;
    }
    e.registerNumber = VAY_FK.text(NrEwidDok).left(50);
    e.postingDate = DayNumber(VAY_FK.number(DataBiezaca));
    e.documentNumber = VAY_FK.text(NrDokOrg).left(50);
    e.documentDate = DayNumber(VAY_FK.number(DataDokOrg));
    e.lineNumber = VAY_FK.number(Lp);
    e.base = {VAY_FK.dec(KwotaWn), VAY_FK.dec(KwotaMa)};
    e.currency = {VAY_FK.dec(KwotaWnW), VAY_FK.dec(KwotaMaW)};
    e.description = VAY_FK.text(Opis).left(50);
    bool numeric = false;
    const int side = VAY_FK.text(Strona).trimmed().toInt(&numeric);
    e.side = numeric ? side : -1;
    e.positionId = VAY_FK.number(IdPozDok);
    e.documentId = VAY_FK.number(IdNagDok);
    e.year = qint32(VAY_FK.number(IdLataObrot));
    e.account = VAY_FK.text(Konto).left(60);
    return true;
}

void AccountEntriesQueue::finish()
{
    if (m_reading)
        VAY_FK.close();
    m_reading = false;
}

AccountEntriesQueue& accountEntries()
{
    static AccountEntriesQueue queue;
    return queue;
}

} // namespace pravik::ledger
