#pragma once
// The ledger prints the host's ledger browse starts. WYDRUK_KSIEGA decodes the browse's control
// list and starts the print it names; the print procedures can be called directly too.
//
//   WYDRUK_KSIEGA("PDD:konto='100' AND PDD:data_okresu=82244", "Kartoteka konta", "68|0|2|1|1|Konto: 100|0");
//
// Each ends with the session's global response: 1 when the print was produced and delivered,
// otherwise 2 (refused, failed or cancelled; the reason was shown).
#include "ledger/LedgerAmounts.h"
#include "ledger/LedgerRequest.h"

#include <QString>
#include <QtGlobal>

namespace pravik {

void WYDRUK_KSIEGA(const QString& filter, const QString& title, const QString& controlList);

// Account sheets (kinds 61 and 68): periodDate is the one period of a kind-68 sheet, else 0.
void PRN_61_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, quint8 layoutFlag, const QString& filter,
                       const QString& title, const QString& description, qint32 periodDate);

// Currency account sheets (kind 64).
void PRN_64_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, quint8 layoutFlag, const QString& filter,
                       const QString& title, const QString& description);
// Account balances (kind 63) from the turnover table; mode "0" base currency, "1" the currency
// cash mode with the report currency in the first three characters of currencyText.
void PRN_63_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& mode, const QString& filter,
                       const QString& title, const QString& currencyText);

// Cost-centre reports: the register (kind 1) and the statement by indicator (kind 2) of the
// allocations the browse's filter selects within the session's company.
void PRN_1_MPK_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& filter, const QString& title,
                   const QString& description);
void PRN_2_MPK_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& filter, const QString& title,
                   const QString& description);

// Fills the account entries queue the cash reports read (the filter without table prefixes).
void RAPORT_Z_KONTA_DANE(const QString& filter, quint8 sort, quint8 ascending);
// The cash report (kinds 66, 67) of the queue's entries. The host hands the opening debit and
// credit over as the first two entries of the marked-records queue; sort and ascending are the
// queue's and not read here.
void PRN_RAPORT_KASOWY_SQL(qint32 kind, quint8 currencyFlag, quint8 sort, quint8 ascending, const QString& filter,
                           const QString& title);
// The budget-unit cash report (kind 81) of the queue's entries, opening figures as above; only the
// currency flag, filter and title are read.
void PRN_81_RK_SQL(quint8 currencyFlag, quint8 sort, quint8 ascending, const QString& filter, const QString& title);

} // namespace pravik

namespace pravik::ledger {

inline const QString kNoPeriodMessage =
    QStringLiteral("Proszę określić okres obrotowy dla zakresu danych (zastosować odpowiedni filtr).");
inline const QString kSeveralPeriodsMessage =
    QStringLiteral("Proszę wybrać tylko jeden okres obrotowy dla zakresu danych (zastosować odpowiedni filtr).");

// The print a control list names, with the session's settings; the response.
int printLedger(const ControlList& control, const QString& filter, const QString& title);
// The print of a request built by a host (the command line, the desktop browse); the response.
int printLedger(const LedgerRequest& request);

// The cash report's opening figures from the session's marked-records queue (its first two
// entries), which is emptied; given is false when the queue did not hold both.
struct CashOpening {
    Amounts amounts;
    bool given = false;
};
CashOpening takeCashOpening(korda::Session& session);

} // namespace pravik::ledger
