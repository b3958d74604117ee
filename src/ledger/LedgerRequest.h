#pragma once
// One ledger print as the host asks for it: the decoded control list of the ledger browse, the
// browse's filter and title, and the ledger settings and session values the prints read. It is
// built once at the boundary (the C entry, the command line, the desktop browse); below it
// nothing reads the session for its inputs.
//
// Control list: items separated by "|" (utilka/ItemList.h): 1 report kind, 2 marked-only flag,
// 3 sort code, 4 ascending flag (1 = ascending), 5 layout flag (1 = period layout), 6 the
// description text ("Konto: 201-01"), 7 the currency flag of kind 63.
#include "framework/OutputTarget.h"
#include "ledger/MarkedRecords.h"
#include "platform/DayNumber.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace korda {
struct Session;
}

namespace pravik::ledger {

enum ReportKind : int {
    kCostCentreSheet = 1,
    kCostCentreStatement = 2,
    kAccountSheets = 61,
    kAccountBalances = 63,
    kCurrencySheets = 64,
    kCashReport = 66,
    kCashReportCurrency = 67,
    kPeriodSheet = 68,
    kCashRegister = 81,
};

// Items 1 to 7 of the control list.
struct ControlList {
    int kind = 0;
    bool markedOnly = false;
    quint8 sort = 0;
    bool ascending = true;
    quint8 layoutFlag = 0;
    QString description;
    QString currencyFlag;
};

// The list as read: items 1 to 5 must be whole numbers from 0 to 255 (a missing item 2 to 5
// reads as 0); item 6 is cut to 200 characters. Returns the reason in the user's words when an
// item is not a number.
struct ControlListReading {
    ControlList list;
    QString problem;
};
ControlListReading readControlList(const QString& text);
// The list a host would build for these items.
QString buildControlList(const ControlList& list);

// Settings of the ledger prints kept in the session (summary kind, cost-centre lines ...).
struct LedgerSettings {
    bool summary = false;          // DANE_DRUKUJ_PODSUMOWANIE
    bool onlySummary = false;      // DANE_DRUKUJ_TYLKO_PODSUMOWANIE
    bool costCentreLines = false;  // DANE_DRUKUJ_ZAPISY_MPK
    bool budgetVersion = false;    // DANE_CZY_WERSJA_BUDZET
    bool noShading = false;        // DANE_WYLACZ_SZAROSC
    qint32 approvedFigures = 0;    // GGG:WERSJA_DLA_KRAB_PRIORYTET
    QString costCentreSeparator;   // DANE_SEPARATOR_MPK
};

struct LedgerRequest {
    ControlList control;
    QString filter;
    QString title;
    // The period of a one-period sheet (kind 68), else 0.
    DayNumber periodDate = 0;
    MarkedRecords marked;
    LedgerSettings settings;
    qint32 company = 0;
    qint32 year = 0;
    QString yearName;
    DayNumber yearStart = 0;
    // The host's description lines (DANE_OPIS_PRN), printed after the print's own.
    QStringList hostDescriptions;
    // The active print currency (GGG:PRN_AKTYWNA_WALUTA) and the company's (DANE_AKTYWNA_WALUTA).
    QString printCurrency;
    QString companyCurrency;
    // The host's account list (DANE_KOLEJKA_VAX) that the account balances of mode 1 print.
    QStringList accountQueue;
    // Where the pages go, as the host asked when the print was called.
    frame::OutputTarget output;

    bool periodLayout() const { return control.layoutFlag == 1; }
};

// The request of a ledger print from the session: settings, company and year, output target,
// and the host's queues, which it consumes (the marked records only when the list asks for them; the
// description lines always).
LedgerRequest requestFromSession(const ControlList& control, const QString& filter, const QString& title,
                                 DayNumber periodDate, korda::Session& session);

} // namespace pravik::ledger
