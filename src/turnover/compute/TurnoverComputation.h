#pragma once
// The data stage of the turnover statements: card-index expansion of the window's account
// list, the scratch rows, the server's computation (OBROTOWKA_RAPORT) with its refusal, the
// read-back, and for the statement proper the rows and totals. The reconciliation with
// settlements and the simple statement use the same steps with their own mode and rows.
#include "platform/DayNumber.h"
#include "turnover/TurnoverParameters.h"
#include "turnover/TurnoverStatement.h"

#include <functional>

namespace pravik::turnover {

enum class ServerMode { Turnovers = 0, Reconciliation = 1 };

// The steps, for a wait window that names them.
enum class ComputationStage { CardIndex, ServerRows, Computing, ReadBack };

struct ComputationRequest {
    qint32 company = 0;
    qint32 user = 0;          // id_uzytkownika: owner of the scratch rows
    QString login;            // DANE_ID_UZYT; the numeric id when empty
    TurnoverParameters parameters;
    qint32 yearId = 0;
    DayNumber period = 0;
    QString currency = QStringLiteral("PLN");
    bool asOf = false;
    DayNumber asOfDate = 0;
    bool cardIndexComplete = false; // not consulted by the reconciliation
    ServerMode mode = ServerMode::Turnovers;
    std::function<void(ComputationStage)> onStage;

    static ComputationRequest from(const TurnoverRequest& request);
};

struct ComputedAccounts {
    StatementOutcome outcome = StatementOutcome::Completed;
    QString message;
    AccountList accounts; // expanded, numbered, with the server's amounts
};

// The first day of the month in which the fiscal year starts, or 0 with *problem set when the
// year is unknown or has no periods.
DayNumber yearStartMonth(qint32 company, qint32 year, QString* problem);

// The CALL text of the server computation.
QString turnoverReportCall(const ComputationRequest& rq, DayNumber yearStart);

// Runs every step up to the read-back. Shows nothing itself except the SQL errors on the way
// (which, as in every report, do not stop it); the outcome says what the caller must tell.
ComputedAccounts computeAccounts(AccountList accounts, const ComputationRequest& rq);

// The statement of PRN_OBROTY_SQL (and of the simple statement, variant 3): the computation,
// then the rows; for the browse also its variant-1 rows. A refusal or an empty account list
// is shown to the user here and comes back as the outcome with no rows.
TurnoverStatement computeTurnoverStatement(const AccountList& accounts, const ComputationRequest& rq,
                                           const TurnoverSettings& settings, bool browse);

// The end of a statement that was shown or printed: tells about masked accounts.
void finishTurnoverStatement(const TurnoverStatement& statement);

} // namespace pravik::turnover
