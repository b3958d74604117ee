#pragma once
// Codes of the cost-centre dictionaries as the ledger prints show them under a posting: the
// tree path of an allocation ("ids joined by the installation's separator" -> "KOD - KOD") and
// the codes of its indicators. Each id is asked of the database at most once per report.
#include <QHash>
#include <QString>

namespace pravik::ledger {

class CostCentreCodes {
public:
    CostCentreCodes(qint32 company, QString separator);

    // The codes of the path's tree ids joined with " - "; an empty path gives "". A part that is
    // not an id, or an id without a dictionary row, shows as an empty code.
    QString treePath(const QString& ids);
    // The indicator's code; "" for id 0 or an unknown id.
    QString indicator(qint64 id);

    int queries() const { return m_queries; }

private:
    qint32 m_company;
    QString m_separator;
    QHash<qint64, QString> m_tree;
    QHash<qint64, QString> m_indicators;
    int m_queries = 0;
};

} // namespace pravik::ledger
