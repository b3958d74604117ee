#include "ledger/CurrencySheetSource.h"

#include "ledger/LedgerLabels.h"
#include "ledger/RowStream.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::ledger {

namespace {

using korda::VAY_FK;

enum Column {
    IdPozDok = 1,
    Konto,
    DataOkresu,
    Strona,
    NrEwidDok,
    DataBiezaca,
    NrDokOrg,
    DataDokOrg,
    Lp,
    KwotaWn,
    KwotaMa,
    KwotaWnW,
    KwotaMaW,
    Waluta,
    Opis,
    IdPaczka,
};

} // namespace

CurrencySheetSource::CurrencySheetSource(const LedgerRequest& request) : m_request(request), m_names(request) {}

QStringList CurrencySheetSource::descriptionLines(const QString& activeCurrency)
{
    QStringList lines;
    if (m_request.settings.approvedFigures < 1)
        lines << QStringLiteral("Wydruk operacyjny do użytku wewnętrznego");
    lines << QStringLiteral("Waluta :") + activeCurrency;
    if (m_request.periodLayout()) {
        const QString account = accountOfDescription(m_request.control.description);
        const QString line = (m_request.control.description + u' ' + m_names.accountName(account)).trimmed();
        if (!line.isEmpty())
            lines << line;
    } else if (!m_request.control.description.trimmed().isEmpty()) {
        lines << m_request.control.description.trimmed();
    }
    lines << m_request.hostDescriptions;
    return lines;
}

qint64 CurrencySheetSource::count()
{
    return m_names.count();
}

bool CurrencySheetSource::start()
{
    m_journals.load(m_request.company);
    m_totals = {};
    m_currencies.clear();
    m_rowNumber = 0;
    utilka::EXECVAY(QStringLiteral("select id_poz_dok,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,"
                                   "data_dok_org,lp,kwota_wn,kwota_ma,kwota_wn_w,kwota_ma_w,waluta,opis,id_paczka,"
                                   "id_uzyt_k,id_uzyt_p from ")
                    + m_names.view() + QStringLiteral(" where ") + m_names.where() + u' ' + m_names.order());
    m_started = utilka::checkSql();
    return m_started;
}

bool CurrencySheetSource::next(CurrencyLine& line)
{
    while (nextRow(m_started)) {
        SheetLine& p = line.posting;
        p.postingId = VAY_FK.number(IdPozDok);
        p.side = VAY_FK.text(Strona);
        if (m_request.control.markedOnly && !m_request.marked.admits(p.side, p.postingId))
            continue;
        p.account = VAY_FK.text(Konto).left(60);
        p.period = DayNumber(VAY_FK.number(DataOkresu));
        p.registerNumber = VAY_FK.text(NrEwidDok).left(25);
        p.postingDate = DayNumber(VAY_FK.number(DataBiezaca));
        p.documentNumber = VAY_FK.text(NrDokOrg).left(30);
        p.documentDate = DayNumber(VAY_FK.number(DataDokOrg));
        p.lineNumber = VAY_FK.number(Lp);
        p.amounts = {VAY_FK.dec(KwotaWn), VAY_FK.dec(KwotaMa)};
        p.description = VAY_FK.text(Opis).left(50);
        p.journalCode = m_journals.code(qint32(VAY_FK.number(IdPaczka))).left(10);
        p.group = m_request.periodLayout() ? periodGroup(p.period) : p.account;
        p.rowNumber = ++m_rowNumber;
        line.currencyAmounts = {VAY_FK.dec(KwotaWnW), VAY_FK.dec(KwotaMaW)};
        line.currency = VAY_FK.text(Waluta).trimmed().left(3);
        m_totals += p.amounts;
        CurrencyTotals& c = m_currencies[line.currency];
        c.code = line.currency;
        c.base += p.amounts;
        c.inCurrency += line.currencyAmounts;
        return true;
    }
    return false;
}

QList<CurrencyTotals> CurrencySheetSource::breakdown() const
{
    return m_currencies.values();
}

} // namespace pravik::ledger
