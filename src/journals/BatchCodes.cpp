#include "journals/BatchCodes.h"

#include "journals/JournalSql.h"
#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::journals {

namespace {

QString clipped(QString text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    text.truncate(n);
    return text;
}

} // namespace

void BatchCodes::load(qint32 company)
{
    m_codes.clear();
    if (!utilka::EXECSQL1(QStringLiteral("select 1,1,1,1,kod_paczki,id_paczka from PACZKA where id_firmy=")
                          + sql::sqlNumber(company)))
        return;
    while (korda::ZAPYTANIESQL1.next() == 0)
        m_codes.insert(qint32(korda::ZAPYTANIESQL1.text(6).toLongLong()), clipped(korda::ZAPYTANIESQL1.text(5)));
    korda::ZAPYTANIESQL1.close();
}

QString BatchCodes::code(qint32 batchId)
{
    const auto it = m_codes.constFind(batchId);
    if (it != m_codes.constEnd())
        return *it;
    QString code;
    if (utilka::EXECSQL(batchCodeSql(batchId)) && korda::ZAPYTANIESQL.next() == 0)
        code = clipped(korda::ZAPYTANIESQL.text(2));
    korda::ZAPYTANIESQL.close();
    m_codes.insert(batchId, code);
    return code;
}

} // namespace pravik::journals
