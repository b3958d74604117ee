#include "ledger/LedgerProcedures.h"

#include "framework/Lifecycle.h"
#include "framework/RunFrame.h"
#include "ledger/AccountSheetReport.h"
#include "ledger/BalanceListReport.h"
#include "ledger/CurrencySheetReport.h"
#include "ledger/PostingFilter.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"

namespace pravik {

namespace {

// A print that does not start: the reason shown, the host's description lines dropped as a print
// would have consumed them, and the response says so.
int refuse(const QString& message, bool information = false)
{
    if (information)
        utilka::MSG_INF(message);
    else
        utilka::MSG_OST(message);
    korda::Session& s = korda::session();
    s.DANE_OPIS_PRN.clear();
    s.globalResponse = frame::kResponseCancelled;
    return frame::kResponseCancelled;
}

} // namespace

void WYDRUK_KSIEGA(const QString& filter, const QString& title, const QString& controlList)
{
    enterProcedure(QStringLiteral("Wydruk_Ksiega"));
    const ledger::ControlListReading reading = ledger::readControlList(controlList);
    if (!reading.problem.isEmpty()) {
        refuse(reading.problem);
        return;
    }
    ledger::printLedger(reading.list, filter, title);
}

void PRN_61_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, quint8 layoutFlag, const QString& filter,
                       const QString& title, const QString& description, qint32 periodDate)
{
    ledger::ControlList c;
    c.kind = periodDate != 0 ? ledger::kPeriodSheet : ledger::kAccountSheets;
    c.markedOnly = markedOnly == 1;
    c.sort = sort;
    c.ascending = ascending == 1;
    c.layoutFlag = layoutFlag;
    c.description = description.left(200);
    ledger::printLedger(ledger::requestFromSession(c, filter, title, DayNumber(periodDate), korda::session()));
}

void PRN_64_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, quint8 layoutFlag, const QString& filter,
                       const QString& title, const QString& description)
{
    ledger::ControlList c;
    c.kind = ledger::kCurrencySheets;
    c.markedOnly = markedOnly == 1;
    c.sort = sort;
    c.ascending = ascending == 1;
    c.layoutFlag = layoutFlag;
    c.description = description.left(200);
    ledger::printLedger(ledger::requestFromSession(c, filter, title, 0, korda::session()));
}

void PRN_63_KSIEGA_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& mode, const QString& filter,
                       const QString& title, const QString& currencyText)
{
    ledger::ControlList c;
    c.kind = ledger::kAccountBalances;
    // The marked list is consumed; no row is filtered by it.
    c.markedOnly = markedOnly == 1;
    c.sort = sort;
    c.ascending = ascending == 1;
    c.description = currencyText.left(200);
    c.currencyFlag = mode.trimmed();
    ledger::printLedger(ledger::requestFromSession(c, filter, title, 0, korda::session()));
}

} // namespace pravik

namespace pravik::ledger {

int printLedger(const ControlList& control, const QString& filter, const QString& title)
{
    DayNumber period = 0;
    switch (control.kind) {
    case kCostCentreSheet:
    case kCostCentreStatement:
    case kCashReport:
    case kCashReportCurrency:
    case kCashRegister:
        return refuse(QStringLiteral("Wydruk rodzaju %1 nie jest jeszcze dostępny w tej wersji modułu.").arg(control.kind));
    case kPeriodSheet: {
        const PeriodInFilter p = periodInFilter(filter);
        if (p.kind == PeriodInFilter::Kind::None)
            return refuse(kNoPeriodMessage, true);
        if (p.kind == PeriodInFilter::Kind::Several)
            return refuse(kSeveralPeriodsMessage, true);
        period = p.period;
        break;
    }
    case kAccountSheets:
    case kAccountBalances:
    case kCurrencySheets:
        break;
    default:
        return refuse(QStringLiteral("Nieznany rodzaj wydruku księgi: %1.").arg(control.kind));
    }
    return printLedger(requestFromSession(control, filter, title, period, korda::session()));
}

int printLedger(const LedgerRequest& request)
{
    const QString problem = filterProblem(request.filter);
    if (!problem.isEmpty())
        return refuse(problem);
    switch (request.control.kind) {
    case kAccountSheets:
    case kPeriodSheet:
        return printAccountSheets(request);
    case kCurrencySheets:
        return printCurrencySheets(request);
    case kAccountBalances:
        return printAccountBalances(request);
    default:
        return refuse(QStringLiteral("Wydruk rodzaju %1 nie jest jeszcze dostępny w tej wersji modułu.").arg(request.control.kind));
    }
}

} // namespace pravik::ledger
