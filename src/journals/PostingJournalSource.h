#pragma once
// The data stage of the posting journal: the opening totals of the earlier periods, the row
// count for the progress display and the posting lines in journal order, read one at a time
// from the database (a journal of a million postings is never held in memory). Each line comes
// with its document's fields, the journal number (stored or renumbered), the texts split for
// the main and the continuation bands, and the amounts that count in the totals.
#include "journals/BatchCodes.h"
#include "journals/JournalRequest.h"
#include "journals/JournalTotals.h"
#include "platform/DayNumber.h"
#include "platform/Decimal.h"

#include <QString>

namespace pravik::journals {

enum class PostingJournalKind {
    Batch,        // one partial journal
    Whole,        // the whole journal of the period, with each document's batch code
    BatchCompact, // one partial journal, texts whole, opening totals over every account
    Text,         // the text-printer journal (opening totals of the batch unless whole)
};

// A text as the main band prints it and the rest the continuation band carries.
struct SplitText {
    QString piece;
    QString rest;
};

struct PostingLine {
    bool newDocument = false;
    qint64 documentId = 0;
    qint32 batchId = 0;
    QString batchCode;          // Whole and Text only
    qint64 journalNumber = 0;   // nr_dziennika, or the renumbering counter
    QString registerNumber;     // nr_ewid_dok
    DayNumber postingDate = 0;
    QString documentNumber;     // nr_dok_org
    DayNumber documentDate = 0;
    DayNumber operationDate = 0;
    QString signature;          // id_uzyt_k, or id_uzyt_p when that is blank
    SplitText description;      // opis_dok
    qint64 lineNumber = 0;
    SplitText lineText;         // tresc_poz_dok
    Decimal debit;
    SplitText debitAccount;
    Decimal credit;
    SplitText creditAccount;
    // What enters the totals: off-balance amounts only when they are to be summed.
    DebitCredit counted;

    bool hasContinuation() const
    {
        return !lineText.rest.isEmpty() || !debitAccount.rest.isEmpty() || !creditAccount.rest.isEmpty();
    }
};

class PostingJournalSource {
public:
    PostingJournalSource(PostingJournalKind kind, const QString& filter, quint8 sort, bool whole,
                         const JournalOptions& options, qint32 company);

    // The postings of the earlier periods of the year. A failed query shows the database's text
    // in a warning and counts as zero.
    DebitCredit openingTotals();
    // Lines the journal will list (0 when the count fails).
    qint64 count();
    // Runs the row query; false (the failure shown) when it fails, and no lines follow.
    bool start();
    // The next line in journal order; false at the end (or when reading fails: shown).
    bool next(PostingLine& line);

    QString condition() const { return m_condition; }

private:
    PostingJournalKind m_kind;
    quint8 m_sort;
    bool m_whole;
    JournalOptions m_options;
    qint32 m_company;
    QString m_condition;
    BatchCodes m_batchCodes;
    bool m_started = false;
    bool m_firstRow = true;
    qint64 m_previousDocument = 0;
    qint64 m_counter = 0;
    bool m_documentNumbered = false;
};

// The piece of a text that fits the main band (cut at a separator) and the rest, at most 50
// characters, for the continuation band.
SplitText splitForContinuation(const QString& text, int width, const QString& separator);

} // namespace pravik::journals
