#pragma once
// The data stage of the document journal: the opening total of the earlier periods (cash
// reports left out), the row count and the booked documents in journal order, streamed one at
// a time.
#include "journals/BatchCodes.h"
#include "journals/JournalRequest.h"
#include "platform/DayNumber.h"
#include "platform/Decimal.h"

#include <QString>

namespace pravik::journals {

struct DocumentLine {
    qint64 ordinal = 0;         // "Lp", from 1
    qint64 journalNumber = 0;   // nr_dziennika, or the renumbering counter
    QString registerNumber;     // nr_ewid_dok
    DayNumber postingDate = 0;
    QString documentNumber;     // nr_dok_org
    DayNumber documentDate = 0;
    DayNumber operationDate = 0;
    Decimal amount;             // kwota_dok
    QString description;        // opis_dok
    QString signature;          // id_uzyt_k, or id_uzyt_p when that is blank
    qint32 batchId = 0;
    QString batchCode;          // whole journal only
};

class DocumentJournalSource {
public:
    // wholeJournal: the whole journal of the period (batch codes, opening total of every batch).
    DocumentJournalSource(bool wholeJournal, const QString& filter, quint8 sort, const JournalOptions& options,
                          qint32 company);

    // A failed query shows the database's text and counts as zero.
    Decimal openingTotal();
    qint64 count();
    bool start();
    bool next(DocumentLine& line);

private:
    bool m_whole;
    quint8 m_sort;
    JournalOptions m_options;
    qint32 m_company;
    QString m_condition;
    BatchCodes m_batchCodes;
    bool m_started = false;
    qint64 m_counter = 0;
    qint64 m_ordinal = 0;
};

} // namespace pravik::journals
