#pragma once
// The contra accounts of postings as a report finds them in the database: each document's
// positions are read once ("select id_poz_dok, konto_wn, konto_ma, kwota_wn, kwota_ma from
// POZ_DOK ... where id_nag_dok=..."), grouped by the rule of ContraAccountRule.h and kept for
// the rest of the report, and the off-balance test asks KONTA_SYNT once per synthetic account.
#include "ledger/ContraAccountRule.h"

#include <QHash>
#include <QPair>

namespace pravik::ledger {

class ContraAccountFinder {
public:
    // The company whose chart tells off-balance accounts apart.
    explicit ContraAccountFinder(qint32 company) : m_company(company) {}

    // The contra accounts of the entry (position positionId of document documentId, on side)
    // in fiscal year year. An SQL failure is shown as a warning once and gives "brak".
    ContraAccounts find(qint64 documentId, qint64 positionId, EntrySide side, qint32 year);

    // The grouped positions of a document, read on first use.
    const QList<DocumentPosition>& document(qint64 documentId, qint32 year);

    // True when the account's synthetic account (its first segment as a number) is of type 'P'.
    bool offBalance(const QString& account, qint32 year);

    int documentsRead() const { return int(m_documents.size()); }
    bool hasDocument(qint64 documentId) const { return m_documents.contains(documentId); }
    // The positions of a document that the caller read itself (in position order, several
    // documents in one query), grouped and kept as if read here.
    void addDocument(qint64 documentId, QList<DocumentPosition> positions, qint32 year);

private:
    qint32 m_company;
    QHash<qint64, QList<DocumentPosition>> m_documents;
    QHash<QPair<qint32, int>, bool> m_offBalance;
};

} // namespace pravik::ledger
