#include "journals/DocumentJournalSource.h"

#include "journals/JournalSql.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::journals {

namespace {

using korda::VAY_FK;

enum Column {
    NrDziennika = 1,
    NrEwidDok,
    DataBiezaca,
    NrDokOrg,
    DataDokOrg,
    DataOperGosp,
    OpisDok,
    KwotaDok,
    IdPaczka,
    IdUzytK,
    IdNagDok,
    IdUzytP,
};

} // namespace

DocumentJournalSource::DocumentJournalSource(bool wholeJournal, const QString& filter, quint8 sort,
                                             const JournalOptions& options, qint32 company)
    : m_whole(wholeJournal), m_sort(sort), m_options(options), m_company(company),
      m_condition(journalCondition(company, filter))
{
}

Decimal DocumentJournalSource::openingTotal()
{
    const std::optional<qint32> batch = m_whole ? std::nullopt : std::optional<qint32>(m_options.batchId);
    Decimal total;
    if (utilka::EXECSQL(documentOpeningSql(m_company, m_options.yearId, m_options.periodDate, batch))
        && korda::ZAPYTANIESQL.next() == 0)
        total = korda::ZAPYTANIESQL.dec(4);
    if (!utilka::checkSql())
        total = Decimal();
    korda::ZAPYTANIESQL.close();
    return total;
}

qint64 DocumentJournalSource::count()
{
    return utilka::FUNCVAY(documentCountSql(m_condition)).toLongLong();
}

bool DocumentJournalSource::start()
{
    if (m_whole)
        m_batchCodes.load(m_company);
    m_counter = m_options.CZY_NUMEROWANIE_WARTOSC;
    m_ordinal = 0;
    utilka::EXECVAY(documentRowsSql(m_condition, m_sort));
    m_started = utilka::checkSql();
    return m_started;
}

bool DocumentJournalSource::next(DocumentLine& line)
{
    if (!m_started)
        return false;
    if (VAY_FK.next() != 0) {
        utilka::checkSql();
        VAY_FK.close();
        m_started = false;
        return false;
    }
    line.ordinal = ++m_ordinal;
    line.journalNumber = m_options.CZY_NUMEROWANIE == 0 ? VAY_FK.number(NrDziennika) : m_counter;
    ++m_counter;
    line.registerNumber = VAY_FK.text(NrEwidDok).left(25);
    line.postingDate = DayNumber(VAY_FK.number(DataBiezaca));
    line.documentNumber = VAY_FK.text(NrDokOrg).left(30);
    line.documentDate = DayNumber(VAY_FK.number(DataDokOrg));
    line.operationDate = DayNumber(VAY_FK.number(DataOperGosp));
    line.amount = VAY_FK.dec(KwotaDok);
    line.description = VAY_FK.text(OpisDok).left(50);
    const QString byWhom = VAY_FK.text(IdUzytK);
    line.signature = (byWhom.trimmed().isEmpty() ? VAY_FK.text(IdUzytP) : byWhom).left(19);
    line.batchId = qint32(VAY_FK.number(IdPaczka));
    line.batchCode = m_whole ? m_batchCodes.code(line.batchId).left(19) : QString();
    return true;
}

} // namespace pravik::journals
