#include "ledger/LedgerProcedures.h"

#include "framework/Lifecycle.h"
#include "framework/RunFrame.h"
#include "ledger/AccountSheetReport.h"
#include "ledger/AccountEntries.h"
#include "ledger/BalanceListReport.h"
#include "ledger/BudgetCashReport.h"
#include "ledger/CashReport.h"
#include "ledger/CostCentreReport.h"
#include "ledger/CurrencySheetReport.h"
#include "ledger/PostingFilter.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/FilterText.h"
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

namespace {

void costCentres(int kind, quint8 markedOnly, quint8 sort, quint8 ascending, const QString& filter, const QString& title,
                 const QString& description)
{
    ledger::ControlList c;
    c.kind = kind;
    c.markedOnly = markedOnly == 1;
    c.sort = sort;
    c.ascending = ascending == 1;
    c.description = description.left(200);
    ledger::printLedger(ledger::requestFromSession(c, filter, title, 0, korda::session()));
}

} // namespace

void PRN_1_MPK_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& filter, const QString& title,
                   const QString& description)
{
    costCentres(ledger::kCostCentreSheet, markedOnly, sort, ascending, filter, title, description);
}

void PRN_2_MPK_SQL(quint8 markedOnly, quint8 sort, quint8 ascending, const QString& filter, const QString& title,
                   const QString& description)
{
    costCentres(ledger::kCostCentreStatement, markedOnly, sort, ascending, filter, title, description);
}

void RAPORT_Z_KONTA_DANE(const QString& filter, quint8 sort, quint8 ascending)
{
    enterProcedure(QStringLiteral("Raport_Z_Konta_Dane"));
    ledger::AccountEntriesQueue& queue = ledger::accountEntries();
    queue.clear();
    const QString problem = ledger::filterProblem(filter);
    if (!problem.isEmpty()) {
        utilka::MSG_OST(problem);
        return;
    }
    queue.fill(korda::session().DANE_ID_FIRMY, filter.trimmed(), sort, ascending == 1);
}

void PRN_RAPORT_KASOWY_SQL(qint32 kind, quint8 currencyFlag, quint8 /*sort*/, quint8 /*ascending*/, const QString& filter,
                           const QString& title)
{
    enterProcedure(QStringLiteral("Prn_Raport_Kasowy_SQL"));
    korda::Session& s = korda::session();
    const ledger::CashOpening opening = ledger::takeCashOpening(s);
    if (kind != ledger::kCashReport && kind != ledger::kCashReportCurrency) {
        refuse(QStringLiteral("Nieznany rodzaj raportu kasowego: %1.").arg(kind));
        return;
    }
    // The entries could not be read (the reason was shown): no report rather than a wrong cash state.
    if (ledger::accountEntries().failed()) {
        s.DANE_OPIS_PRN.clear();
        s.globalResponse = frame::kResponseCancelled;
        return;
    }
    ledger::CashRequest r;
    r.kind = kind;
    r.documentCurrency = currencyFlag != 0;
    r.filter = filter;
    r.title = title;
    r.company = s.DANE_ID_FIRMY;
    r.opening = opening.amounts;
    r.openingGiven = opening.given;
    r.hostDescriptions = s.DANE_OPIS_PRN.takeAll();
    r.output = frame::OutputTarget::fromSession(s);
    r.summary = s.DANE_DRUKUJ_PODSUMOWANIE == 1;
    ledger::printCashReport(r, ledger::accountEntries());
}

void PRN_81_RK_SQL(quint8 currencyFlag, quint8 /*sort*/, quint8 /*ascending*/, const QString& filter, const QString& title)
{
    enterProcedure(QStringLiteral("Prn_81_Rk_SQL"));
    korda::Session& s = korda::session();
    const ledger::CashOpening opening = ledger::takeCashOpening(s);
    if (ledger::accountEntries().failed()) {
        s.DANE_OPIS_PRN.clear();
        s.globalResponse = frame::kResponseCancelled;
        return;
    }
    ledger::CashRequest r;
    r.kind = ledger::kCashRegister;
    r.documentCurrency = currencyFlag != 0;
    r.filter = filter;
    r.title = title;
    r.company = s.DANE_ID_FIRMY;
    r.opening = opening.amounts;
    r.openingGiven = opening.given;
    r.hostDescriptions = s.DANE_OPIS_PRN.takeAll();
    r.output = frame::OutputTarget::fromSession(s);
    ledger::printBudgetCashReport(r, ledger::accountEntries());
}

} // namespace pravik

namespace pravik::ledger {

CashOpening takeCashOpening(korda::Session& s)
{
    CashOpening o;
    if (s.DANE_ZAZNACZ_REK.size() >= 2) {
        o.amounts = {s.DANE_ZAZNACZ_REK.at(0).amount(), s.DANE_ZAZNACZ_REK.at(1).amount()};
        o.given = true;
    } else if (s.DANE_ZAZNACZ_REK.size() == 1) {
        o.amounts.debit = s.DANE_ZAZNACZ_REK.at(0).amount();
    }
    s.DANE_ZAZNACZ_REK.clear();
    return o;
}

namespace {

// A cash report and the queue filled for it: the queue is emptied afterwards whatever happened.
int printCash(const ControlList& control, const QString& filter, const QString& title)
{
    korda::Session& s = korda::session();
    const QString problem = filterProblem(filter);
    if (!problem.isEmpty()) {
        s.DANE_ZAZNACZ_REK.clear();
        return refuse(problem);
    }
    RAPORT_Z_KONTA_DANE(utilka::WYTNIJ_PREFIX(filter).trimmed(), control.sort, control.ascending ? 1 : 0);
    if (control.kind == kCashRegister)
        PRN_81_RK_SQL(control.layoutFlag, control.sort, control.ascending ? 1 : 0, filter, title);
    else
        PRN_RAPORT_KASOWY_SQL(control.kind, control.layoutFlag, control.sort, control.ascending ? 1 : 0, filter, title);
    accountEntries().clear();
    return s.globalResponse;
}

} // namespace

int printLedger(const ControlList& control, const QString& filter, const QString& title)
{
    DayNumber period = 0;
    switch (control.kind) {
    case kCashReport:
    case kCashReportCurrency:
    case kCashRegister:
        return printCash(control, filter, title);
    case kCostCentreSheet:
    case kCostCentreStatement:
        break;
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
    case kCostCentreSheet:
    case kCostCentreStatement:
        return printCostCentreReport(request);
    default:
        return refuse(QStringLiteral("Wydruk rodzaju %1 nie jest jeszcze dostępny w tej wersji modułu.").arg(request.control.kind));
    }
}

} // namespace pravik::ledger
