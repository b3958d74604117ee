#pragma once
// The account entries queue the cash reports read: RAPORT_Z_KONTA_DANE fills it from the
// browse's filter just before the report, the dispatcher empties it after the report whatever
// happened. The queue holds the checked statement and the entries are read from the database one
// at a time while the report prints, so a cash book of a whole year is never held in memory; the
// report sees the same entries in the same order as a table filled beforehand would give it.
#include "ledger/LedgerAmounts.h"
#include "platform/DayNumber.h"

#include <QString>

namespace pravik::ledger {

// One entry: a posting side of the cash account (RK:Z1 ... RK:Z15).
struct AccountEntry {
    QString registerNumber;     // nr_ewid_dok
    DayNumber postingDate = 0;  // data_biezaca
    QString documentNumber;     // nr_dok_org
    DayNumber documentDate = 0; // data_dok_org
    qint64 lineNumber = 0;      // lp
    Amounts base;               // kwota_wn, kwota_ma
    Amounts currency;           // kwota_wn_w, kwota_ma_w
    QString description;        // opis
    int side = -1;              // strona: 0 debit (receipt), 1 credit (payment)
    qint64 positionId = 0;      // id_poz_dok
    qint64 documentId = 0;      // id_nag_dok
    qint32 year = 0;            // id_lata_obrot
    QString account;            // konto
};

// The ORDER BY of RAPORT_Z_KONTA_DANE for a sort code (1 nr_ewid_dok ... 11 nr_dziennika);
// empty for any other code.
QString accountEntriesOrder(quint8 sort, bool ascending);

class AccountEntriesQueue {
public:
    // Fills the queue: the entries of the company the filter selects (the filter without table
    // prefixes; an empty one selects the company's entries), in the order of the sort code.
    // False, with the database's message shown, when the statement fails; the queue is then empty.
    bool fill(qint32 company, const QString& filter, quint8 sort, bool ascending);
    void clear();
    bool isEmpty() const { return m_statement.isEmpty(); }
    // The last fill failed: a report of this queue would print a cash state that is not the account's.
    bool failed() const { return m_failed; }
    qint64 size() const { return m_count; }
    const QString& statement() const { return m_statement; }

    // Reading the entries in order: start() runs the statement (false when it fails, shown),
    // next() gives one entry at a time.
    bool start();
    bool next(AccountEntry& entry);
    void finish();

private:
    QString m_statement;
    qint64 m_count = 0;
    bool m_failed = false;
    bool m_reading = false;
};

// The module's queue.
AccountEntriesQueue& accountEntries();

} // namespace pravik::ledger
