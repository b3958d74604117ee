#pragma once
// The postings marked in the host's ledger browse, as a print receives them: the keys of the
// marked posting sides and whether they are the only ones to print or the ones to leave out.
//
// A key is the side digit followed by the posting id's digits, read as one number: a debit side
// (strona "0") is the posting id itself, posting 123's credit side is 1123. The host builds its
// keys the same way, so the rule stays, ambiguity included: posting 123's credit side and posting
// 1123's debit side share the key 1123, and marking one marks the other.
#include <QList>
#include <QSet>
#include <QString>

namespace korda {
struct Session;
}

namespace pravik::ledger {

class MarkedRecords {
public:
    MarkedRecords() = default;
    // exclude: the keys are the postings to leave out (the browse's DANE_CZY_ZAZNACZONE = 1),
    // otherwise the only postings to print.
    MarkedRecords(QList<qint64> keys, bool exclude);

    // The session's marked-records queue and flag; the queue is emptied (the print consumed it).
    static MarkedRecords takeFromSession(korda::Session& session);

    // The key of a posting side; -1 when the side text is not a number.
    static qint64 keyOf(const QString& side, qint64 postingId);

    bool exclude() const { return m_exclude; }
    qsizetype size() const { return m_keys.size(); }
    // Whether the posting side prints under this list.
    bool admits(const QString& side, qint64 postingId) const;

private:
    QSet<qint64> m_keys;
    bool m_exclude = false;
};

} // namespace pravik::ledger
