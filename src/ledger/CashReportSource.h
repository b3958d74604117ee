#pragma once
// The data stage of the cash reports (kinds 66, 67): the entries of the account entries queue one
// at a time, each with its receipt or payment, its contra accounts cut into the printed pieces,
// counted in the period and running totals and in the contra-account summary. The opening figures
// come with the request (the host hands them over). Nothing here prints.
#include "framework/OutputTarget.h"
#include "ledger/AccountEntries.h"
#include "ledger/ContraAccountFinder.h"
#include "ledger/LedgerAmounts.h"

#include <QMap>
#include <deque>
#include <QStringList>
#include <memory>
#include <optional>

namespace pravik::ledger {

struct CashRequest {
    int kind = 66;                 // 66, or 67 without the attachments line
    bool documentCurrency = false; // item 5 of the control list not 0: kwota_wn_w, kwota_ma_w
    QString filter;
    QString title;
    qint32 company = 0;
    // The cash account's debit and credit before the first entry, as the host handed them over;
    // openingGiven is false when the queue did not hold them (they count as 0).
    Amounts opening;
    bool openingGiven = false;
    bool summary = false;          // DANE_DRUKUJ_PODSUMOWANIE
    // The budget-unit report (kind 81) shows no contra accounts: their documents are not read.
    bool contraAccounts = true;
    // The host's description lines (DANE_OPIS_PRN), printed after the report's own.
    QStringList hostDescriptions;
    // Where the pages go, as the host asked when the report was called.
    frame::OutputTarget output;
};

// The contra text as printed: the first piece on the entry line, the rest on at most ten
// continuation lines of `width` characters; the tenth shows "..." only when pieces remain after it.
struct ContraPieces {
    QString first;
    QStringList continuation;
};
ContraPieces contraPieces(const QString& text, int width = 15, int maxContinuation = 10);

struct CashLine {
    qint64 rowNumber = 0;
    AccountEntry entry;
    Amounts amounts; // receipt (debit), payment (credit) in the report's currency
    QString contraText;
    ContraPieces contra;
};

struct ContraSummaryRow {
    QString account;
    Amounts sums;
    Amounts balance;
};

// What the host hands over before a cash report: the account's debit and credit in the fiscal
// year before the period `firstPeriod` (the opening balance included). nullopt when the query
// fails (the failure was reported to the error sink).
std::optional<Amounts> cashOpeningFigures(qint32 company, qint32 year, const QString& account, DayNumber firstPeriod);

class CashReportSource {
public:
    CashReportSource(const CashRequest& request, AccountEntriesQueue& queue);

    bool start();
    bool next(CashLine& line);

    const Amounts& opening() const { return m_request.opening; }
    const Amounts& periodTotals() const { return m_totals; }
    // Opening figures plus every entry given.
    Amounts running() const { return m_request.opening + m_totals; }
    // "Stan poprzedni" and "Stan obecny": debit minus credit.
    Decimal previousState() const { return m_request.opening.debit - m_request.opening.credit; }
    Decimal currentState() const { return running().debit - running().credit; }
    // The contra-account summary sorted by account, and its totals.
    QList<ContraSummaryRow> summary() const;
    ContraSummaryRow summaryTotals() const;

private:
    ContraAccountFinder& finder();
    // Reads the next entries ahead and the positions of their documents in one query.
    bool readAhead();

    CashRequest m_request;
    AccountEntriesQueue& m_queue;
    std::unique_ptr<ContraAccountFinder> m_finder;
    std::deque<AccountEntry> m_ahead;
    QMap<QString, Amounts> m_summary;
    Amounts m_totals;
    qint64 m_rowNumber = 0;
};

} // namespace pravik::ledger
