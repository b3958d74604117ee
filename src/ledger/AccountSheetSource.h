#pragma once
// The data stage of the account sheets: the view, WHERE and ORDER BY of the request, the opening
// figures of a one-period sheet, and the posting sides read one at a time (a sheet of a million
// postings is never held in memory), each with its grouping value and journal code, counted in
// the report totals and the summary. Nothing here prints.
#include "journals/BatchCodes.h"
#include "ledger/CostCentreCodes.h"
#include "ledger/LedgerAmounts.h"
#include "ledger/LedgerRequest.h"
#include "ledger/SheetSummary.h"

#include <QString>
#include <QStringList>

namespace pravik::ledger {

struct SheetLine {
    qint64 rowNumber = 0;
    qint64 postingId = 0;
    QString account;
    DayNumber period = 0;
    QString side;               // "0" debit, else credit
    QString registerNumber;     // nr_ewid_dok
    DayNumber postingDate = 0;  // data_biezaca
    QString documentNumber;     // nr_dok_org
    DayNumber documentDate = 0;
    DayNumber operationDate = 0;
    qint64 lineNumber = 0;      // lp
    Amounts amounts;
    QString description;        // opis
    QString journalCode;
    QString user;               // id_uzyt_k, or id_uzyt_p when that is blank
    DayNumber approvalDate = 0; // data_ksieg
    QString group;              // the period label or the account

    bool debitSide() const { return side.trimmed() == QLatin1String("0"); }
};

struct CostCentreLine {
    Amounts amounts;
    QString indicators[5];
    QString path;
};

// "Bilans otwarcia" and "Z przeniesienia" of a one-period sheet.
struct OpeningFigures {
    Amounts openingBalance;
    Amounts broughtForward;
    bool periodFound = false; // the WHERE text names the period (else both are its own sums)
    friend bool operator==(const OpeningFigures&, const OpeningFigures&) = default;
};

class AccountSheetSource {
public:
    explicit AccountSheetSource(const LedgerRequest& request);

    const QString& view() const { return m_view; }
    const QString& where() const { return m_where; }
    const QString& order() const { return m_order; }

    // The print's own description lines, then the host's.
    QStringList descriptionLines();
    // Rows the view gives for the WHERE text (before the marked-record test); 0 when it fails.
    qint64 count();
    // The opening figures of the request's period; sums over no rows read as 0. A failed query
    // is shown and counts as 0.
    OpeningFigures opening();
    // The opening-balance period of the year: day 1 of the year's first month.
    DayNumber openingBalancePeriod() const;

    // Runs the row query; false (the failure shown) when it fails.
    bool start();
    // The next posting side that passes the marked-record test; false at the end.
    bool next(SheetLine& line);
    // The cost-centre allocations of the line's side; failed is set when the query failed (shown).
    QList<CostCentreLine> costCentreLines(const SheetLine& line, bool* failed);

    // After the last line: the totals of the lines given, and the summary rows when asked for.
    const Amounts& totals() const { return m_totals; }
    QList<SummaryRow> summary();
    // The account's name (USTAL_NAZWE_KONTA); "" when unknown.
    QString accountName(const QString& account);
    // Whether the synthetic account of this number keeps two balances in the year.
    bool twoBalance(const QString& account);

private:
    Amounts openingSums(const QString& where);

    LedgerRequest m_request;
    QString m_view;
    QString m_where;
    QString m_order;
    journals::BatchCodes m_journals;
    CostCentreCodes m_codes;
    SheetSummary m_summary;
    Amounts m_totals;
    qint64 m_rowNumber = 0;
    bool m_started = false;
};

} // namespace pravik::ledger
