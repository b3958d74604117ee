#pragma once
// OBROTOWKA_RAPORT: the amounts of the turnover and balance statements, computed set-based
// from the postings into the user's scratch rows (ZESTAW_ZESTAW, statement 0, variant 99; the
// account number in opis), with a status that says whether the turnover table OBROTY_I_SALDA
// still agrees with the postings. What each kol holds is written down in server/README.md.
#include "platform/DayNumber.h"
#include "platform/sql/Database.h"
#include "platform/sql/ProcedureRegistry.h"

#include <QString>

namespace pravik::server {

struct TurnoverReportRequest {
    QString login;          // user login, or the numeric user id
    qint64 company = 0;
    qint64 year = 0;        // id_lata_obrot
    DayNumber period = 0;   // day 1 (opening balance), day 2 (a month) or day 28 (closing)
    DayNumber yearStart = 0; // day 1 of the year's first month; taken from the year when 0
    QString currency = QStringLiteral("PLN");
    bool approvedOnly = false;
    QString mask;           // a LIKE pattern ("%" any text, "_" one character); empty: none
    int mode = 0;           // 0 turnovers and balances, 1 reconciliation with settlements
    DayNumber asOf = 0;     // non-zero: only postings booked up to this day
};

struct TurnoverReportOutcome {
    bool ok = true;         // false: the server refused a statement (error says which)
    QString error;
    int status = 0;         // 1: the turnover table disagrees with the postings
    QString message;        // why nothing was computed, or where the disagreement is
    int rows = 0;           // scratch rows filled
};

TurnoverReportOutcome runTurnoverReport(sql::Database& db, const TurnoverReportRequest& request);

// The CALL form: ('login', company, year, period, year-start, 'currency', approved, 'mask',
// mode, as-of). Returns one row: status, message.
sql::ProcedureResult obrotowkaRaport(sql::Database& db, const QVariantList& args);

// The user's numeric id from a login (a number is taken as the id itself); 0 when unknown.
qint64 resolveUserId(sql::Database& db, const QString& login);

} // namespace pravik::server
