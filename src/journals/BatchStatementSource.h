#pragma once
// The data stage of the statement of journals by batch: the batches of the year, each batch's
// postings in the chosen period, the postings of the months between the opening period and the
// chosen one, and the opening balances of the year.
#include "journals/JournalRequest.h"
#include "journals/JournalTotals.h"
#include "platform/DayNumber.h"

#include <QList>
#include <QString>

namespace pravik::journals {

struct BatchEntry {
    qint32 id = 0;
    QString code;        // kod_paczki, 6 characters
    QString description; // opis_paczki, 99 characters
};

class BatchStatementSource {
public:
    BatchStatementSource(const QString& filter, DayNumber yearStart, const JournalOptions& options, qint32 company);

    // Every batch of the filter in key order (a year has a handful). A failed read shows the
    // database's text and gives none.
    QList<BatchEntry> batches();
    // Postings after the opening period and before the chosen one. A failure is not shown and
    // counts as zero.
    DebitCredit openingTotals();
    // The batch's postings in the chosen period. A failure is shown and counts as zero. Without
    // off-balance postings the debit total stands for both sides.
    DebitCredit periodTotals(qint32 batchId);
    // The year's opening balances in PLN. A failure is not shown and counts as zero.
    DebitCredit openingBalances();

private:
    DebitCredit sums(const QString& sql, bool showFailure);

    QString m_filter;
    DayNumber m_yearStart;
    JournalOptions m_options;
    qint32 m_company;
};

} // namespace pravik::journals
