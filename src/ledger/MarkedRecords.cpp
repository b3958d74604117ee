#include "ledger/MarkedRecords.h"

#include "siblings/korda/Session.h"

namespace pravik::ledger {

MarkedRecords::MarkedRecords(QList<qint64> keys, bool exclude)
    : m_keys(keys.begin(), keys.end()), m_exclude(exclude)
{
}

MarkedRecords MarkedRecords::takeFromSession(korda::Session& s)
{
    QList<qint64> keys;
    keys.reserve(s.DANE_ZAZNACZ_REK.size());
    for (const korda::MarkedRecord& r : std::as_const(s.DANE_ZAZNACZ_REK))
        keys << r.key();
    s.DANE_ZAZNACZ_REK.clear();
    return MarkedRecords(std::move(keys), s.DANE_CZY_ZAZNACZONE == 1);
}

qint64 MarkedRecords::keyOf(const QString& side, qint64 postingId)
{
    bool ok = false;
    const QString digits = side.trimmed() + QString::number(postingId);
    const qint64 key = digits.toLongLong(&ok);
    return ok ? key : -1;
}

bool MarkedRecords::admits(const QString& side, qint64 postingId) const
{
    const bool listed = m_keys.contains(keyOf(side, postingId));
    return m_exclude ? !listed : listed;
}

} // namespace pravik::ledger
