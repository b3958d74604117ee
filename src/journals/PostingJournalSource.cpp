#include "journals/PostingJournalSource.h"

#include "journals/JournalSql.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/TextServices.h"

namespace pravik::journals {

namespace {

using korda::VAY_FK;

// Row query columns, in the order of the select list.
enum Column {
    NrDziennika = 1,
    NrEwidDok,
    DataBiezaca,
    NrDokOrg,
    DataDokOrg,
    DataOperGosp,
    OpisDok,
    NrPozDok,
    TrescPozDok,
    KwotaWn,
    KontoWn,
    KwotaMa,
    KontoMa,
    IdPaczka,
    IdUzytK,
    IdNagDok,
    IdUzytP,
    TypWn,
    TypMa,
};

constexpr int kTextWidth = 50;

QString held(const QString& text, int width)
{
    return text.left(width);
}

SplitText whole(const QString& text)
{
    return {held(text, kTextWidth), {}};
}

// One side's opening total through ZAPYTANIESQL: the fourth column of the first row.
Decimal openingSide(const QString& sql)
{
    Decimal total;
    if (utilka::EXECSQL(sql) && korda::ZAPYTANIESQL.next() == 0)
        total = korda::ZAPYTANIESQL.dec(4);
    if (!utilka::checkSql())
        total = Decimal();
    korda::ZAPYTANIESQL.close();
    return total;
}

} // namespace

SplitText splitForContinuation(const QString& text, int width, const QString& separator)
{
    const QString value = held(text, kTextWidth);
    SplitText split;
    split.piece = utilka::STRING_CUT(separator, value, width);
    split.rest = value.mid(split.piece.size()).left(kTextWidth);
    return split;
}

PostingJournalSource::PostingJournalSource(PostingJournalKind kind, const QString& filter, quint8 sort, bool whole,
                                           const JournalOptions& options, qint32 company)
    : m_kind(kind), m_sort(sort), m_whole(whole), m_options(options), m_company(company),
      m_condition(journalCondition(company, filter))
{
}

DebitCredit PostingJournalSource::openingTotals()
{
    const qint32 year = m_options.yearId;
    const DayNumber period = m_options.periodDate;
    if (m_kind == PostingJournalKind::BatchCompact) {
        DebitCredit totals;
        if (utilka::EXECSQL(postingOpeningBothSidesSql(m_company, year, period, m_options.batchId))
            && korda::ZAPYTANIESQL.next() == 0) {
            totals.wn = korda::ZAPYTANIESQL.dec(4);
            totals.ma = korda::ZAPYTANIESQL.dec(5);
        }
        if (!utilka::checkSql())
            totals = {};
        korda::ZAPYTANIESQL.close();
        return totals;
    }
    const bool ofBatch = m_kind == PostingJournalKind::Batch || (m_kind == PostingJournalKind::Text && !m_whole);
    const std::optional<qint32> batch = ofBatch ? std::optional<qint32>(m_options.batchId) : std::nullopt;
    const bool offBalance = m_options.PRN_SUMUJ_POZABILANSOWE == 1;
    DebitCredit totals;
    totals.wn = openingSide(postingOpeningSql(Side::Debit, m_company, year, period, batch, offBalance));
    totals.ma = openingSide(postingOpeningSql(Side::Credit, m_company, year, period, batch, offBalance));
    return totals;
}

qint64 PostingJournalSource::count()
{
    return utilka::FUNCVAY(postingCountSql(m_condition)).toLongLong();
}

bool PostingJournalSource::start()
{
    if (m_kind == PostingJournalKind::Whole || m_kind == PostingJournalKind::Text)
        m_batchCodes.load(m_company);
    m_firstRow = true;
    m_previousDocument = 0;
    m_counter = m_options.CZY_NUMEROWANIE_WARTOSC;
    utilka::EXECVAY(postingRowsSql(m_condition, m_sort));
    m_started = utilka::checkSql();
    return m_started;
}

bool PostingJournalSource::next(PostingLine& line)
{
    if (!m_started)
        return false;
    if (VAY_FK.next() != 0) {
        utilka::checkSql();
        VAY_FK.close();
        m_started = false;
        return false;
    }
    const qint64 document = VAY_FK.number(IdNagDok);
    line.newDocument = m_firstRow || document != m_previousDocument;
    m_firstRow = false;
    m_previousDocument = document;
    line.documentId = document;
    line.batchId = qint32(VAY_FK.number(IdPaczka));

    if (line.newDocument) {
        line.journalNumber = m_options.CZY_NUMEROWANIE == 0 ? VAY_FK.number(NrDziennika) : m_counter;
        ++m_counter;
        line.registerNumber = held(VAY_FK.text(NrEwidDok), 25);
        line.postingDate = DayNumber(VAY_FK.number(DataBiezaca));
        line.documentNumber = held(VAY_FK.text(NrDokOrg), 30);
        line.documentDate = DayNumber(VAY_FK.number(DataDokOrg));
        line.operationDate = DayNumber(VAY_FK.number(DataOperGosp));
        const QString byWhom = VAY_FK.text(IdUzytK);
        line.signature = held(byWhom.trimmed().isEmpty() ? VAY_FK.text(IdUzytP) : byWhom, 20);
        if (m_kind == PostingJournalKind::Whole || m_kind == PostingJournalKind::Text)
            line.batchCode = held(m_batchCodes.code(line.batchId), 19);
        else
            line.batchCode.clear();
        line.description = m_kind == PostingJournalKind::Batch || m_kind == PostingJournalKind::Whole
            ? splitForContinuation(VAY_FK.text(OpisDok), 30, QStringLiteral(" "))
            : whole(VAY_FK.text(OpisDok));
    }

    line.lineNumber = VAY_FK.number(NrPozDok);
    line.debit = VAY_FK.dec(KwotaWn);
    line.credit = VAY_FK.dec(KwotaMa);
    if (m_kind == PostingJournalKind::Batch || m_kind == PostingJournalKind::Whole) {
        line.lineText = splitForContinuation(VAY_FK.text(TrescPozDok), 45, QStringLiteral(" "));
        line.debitAccount = splitForContinuation(VAY_FK.text(KontoWn), 21, QStringLiteral("-"));
        line.creditAccount = splitForContinuation(VAY_FK.text(KontoMa), 21, QStringLiteral("-"));
    } else {
        line.lineText = whole(VAY_FK.text(TrescPozDok));
        line.debitAccount = whole(VAY_FK.text(KontoWn));
        line.creditAccount = whole(VAY_FK.text(KontoMa));
    }
    const bool sumOffBalance = m_options.PRN_SUMUJ_POZABILANSOWE == 1;
    line.counted.wn = sumOffBalance || VAY_FK.text(TypWn) != QLatin1String("P") ? line.debit : Decimal();
    line.counted.ma = sumOffBalance || VAY_FK.text(TypMa) != QLatin1String("P") ? line.credit : Decimal();
    return true;
}

} // namespace pravik::journals
