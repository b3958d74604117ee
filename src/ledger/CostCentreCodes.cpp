#include "ledger/CostCentreCodes.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"

namespace pravik::ledger {

namespace {

QString codeOf(const QString& sql)
{
    QString code;
    if (utilka::EXECVAX(sql) && korda::VAX_FK.next() == 0)
        code = korda::VAX_FK.text(2).trimmed();
    korda::VAX_FK.close();
    return code;
}

} // namespace

CostCentreCodes::CostCentreCodes(qint32 company, QString separator)
    : m_company(company), m_separator(separator.isEmpty() ? QStringLiteral(";") : std::move(separator))
{
}

QString CostCentreCodes::treePath(const QString& ids)
{
    if (ids.trimmed().isEmpty())
        return {};
    QStringList codes;
    for (const QString& part : ids.split(m_separator)) {
        bool ok = false;
        const qint64 id = part.trimmed().toLongLong(&ok);
        if (!ok) {
            codes << QString();
            continue;
        }
        auto it = m_tree.constFind(id);
        if (it == m_tree.constEnd()) {
            ++m_queries;
            it = m_tree.insert(id, codeOf(QStringLiteral("select id_mpk_slownik_drzewo, kod from MPK_SLOWNIK_DRZEWO "
                                                         "where id_mpk_slownik_drzewo=")
                                          + sql::sqlNumber(id)));
        }
        codes << *it;
    }
    return codes.join(QStringLiteral(" - "));
}

QString CostCentreCodes::indicator(qint64 id)
{
    if (id == 0)
        return {};
    auto it = m_indicators.constFind(id);
    if (it == m_indicators.constEnd()) {
        ++m_queries;
        it = m_indicators.insert(id, codeOf(QStringLiteral("select id_mpk_slownik_wskaznik, kod from MPK_SLOWNIK_WSKAZNIK "
                                                           "where id_firmy=%1 AND id_mpk_slownik_wskaznik=%2")
                                                .arg(sql::sqlNumber(m_company), sql::sqlNumber(id))));
    }
    return *it;
}

} // namespace pravik::ledger
