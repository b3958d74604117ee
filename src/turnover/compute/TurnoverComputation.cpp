#include "turnover/compute/TurnoverComputation.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/AccountMask.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"
#include "turnover/compute/CardIndexExpansion.h"
#include "turnover/compute/ScratchRows.h"
#include "turnover/compute/TurnoverStatementBuilder.h"

namespace pravik::turnover {

using sql::sqlNumber;
using sql::sqlText;

ComputationRequest ComputationRequest::from(const TurnoverRequest& request)
{
    const TurnoverSettings& s = request.settings;
    ComputationRequest rq;
    rq.company = request.company;
    rq.user = request.user;
    rq.login = request.login;
    rq.parameters = request.parameters;
    rq.yearId = s.yearId;
    rq.period = s.period;
    rq.currency = s.currency;
    rq.asOf = s.asOf;
    rq.asOfDate = s.asOfDate;
    rq.cardIndexComplete = s.cardIndexComplete;
    return rq;
}

DayNumber yearStartMonth(qint32 company, qint32 year, QString* problem)
{
    utilka::EXECVAX(QStringLiteral("select poczatek_roku, koniec_roku from LATA_OBROTOWE where id_lata_obrot=%1 AND id_firmy=%2")
                        .arg(sqlNumber(year), sqlNumber(company)));
    if (!utilka::checkSql()) {
        *problem = utilka::errorText();
        return 0;
    }
    const bool found = utilka::NEXT(korda::VAX_FK) == 0;
    const DayNumber first = found ? DayNumber(korda::VAX_FK.number(1)) : 0;
    const DayNumber last = found ? DayNumber(korda::VAX_FK.number(2)) : 0;
    korda::VAX_FK.close();
    if (!found) {
        *problem = QStringLiteral("Nie znaleziono wybranego roku obrotowego firmy. Zestawienie nie zostanie wykonane.");
        return 0;
    }
    if (fiscalYearPeriods(first, last).isEmpty()) {
        *problem = QStringLiteral("Rok obrotowy nie ma okresów obrotowych (brak poprawnych dat początku i końca roku)."
                                  " Zestawienie nie zostanie wykonane.");
        return 0;
    }
    return openingPeriod(first);
}

QString turnoverReportCall(const ComputationRequest& rq, DayNumber yearStart)
{
    const QString login = rq.login.trimmed().isEmpty() ? QString::number(rq.user) : rq.login.trimmed();
    const QString mask = rq.parameters.mask.trimmed();
    // ZAMIEN_ZNAKI doubles the quotes itself; the pattern goes between quotes as it is.
    const QString pattern = mask.isEmpty() ? QString() : utilka::ZAMIEN_ZNAKI(mask);
    const DayNumber asOf = rq.mode == ServerMode::Turnovers && rq.asOf ? rq.asOfDate : 0;
    return QStringLiteral("CALL OBROTOWKA_RAPORT (%1,%2,%3,%4,%5,%6,%7,'%8',%9,%10)")
        .arg(sqlText(login), sqlNumber(rq.company), sqlNumber(rq.yearId), sqlNumber(rq.period), sqlNumber(yearStart),
             sqlText(rq.currency.trimmed().isEmpty() ? QStringLiteral("PLN") : rq.currency.trimmed()),
             rq.parameters.approvedOnly ? QStringLiteral("1") : QStringLiteral("0"), pattern,
             sqlNumber(int(rq.mode)))
        .arg(sqlNumber(asOf));
}

ComputedAccounts computeAccounts(AccountList accounts, const ComputationRequest& rq)
{
    ComputedAccounts out;
    auto stage = [&](ComputationStage s) {
        if (rq.onStage)
            rq.onStage(s);
    };
    auto fail = [&](StatementOutcome outcome, const QString& why) {
        out.outcome = outcome;
        out.message = why;
        out.accounts.clear();
        return out;
    };

    if (rq.period <= 0)
        return fail(StatementOutcome::Failed, QStringLiteral("Nie wybrano okresu obrotowego. Zestawienie nie zostanie wykonane."));
    QString problem;
    const DayNumber yearStart = yearStartMonth(rq.company, rq.yearId, &problem);
    if (yearStart == 0)
        return fail(StatementOutcome::Failed, problem);

    if (!rq.parameters.syntheticOnly) {
        stage(ComputationStage::CardIndex);
        ExpansionRequest ex;
        ex.company = rq.company;
        ex.year = rq.yearId;
        ex.mask = rq.parameters.mask;
        ex.cardIndexAccounts = rq.parameters.cardIndexAccounts;
        ex.complete = rq.mode == ServerMode::Turnovers && rq.cardIndexComplete;
        accounts = expandCardIndexAccounts(accounts, ex);
    }
    if (accounts.isEmpty())
        return fail(StatementOutcome::NoAccounts, kNoAccountsText);

    // The user's scratch rows are written, computed by the server and read back as one unit:
    // another run of the same user waits for it instead of replacing the rows half-way, and a
    // failed step leaves nothing to be printed as if it were the figures.
    // The driver's text is shown once, as a warning, by checkSql; the outcome carries no second one.
    const auto failedSql = [&] {
        utilka::checkSql();
        return fail(StatementOutcome::Failed, QString());
    };
    stage(ComputationStage::ServerRows);
    utilka::ScratchTransaction unit(rq.user);
    if (!unit.ok() || !writeServerRows(rq.user, accounts))
        return failedSql();

    stage(ComputationStage::Computing);
    utilka::EXECSQL(turnoverReportCall(rq, yearStart));
    if (!utilka::checkSql())
        return failedSql();
    if (utilka::NEXT(korda::ZAPYTANIESQL) == 0 && korda::ZAPYTANIESQL.number(1) == 1) {
        korda::ZAPYTANIESQL.close();
        return fail(StatementOutcome::Refused, kRefusedText);
    }
    korda::ZAPYTANIESQL.close();

    stage(ComputationStage::ReadBack);
    if (!readServerRows(rq.user, accounts) || !unit.commit())
        return failedSql();
    out.accounts = std::move(accounts);
    return out;
}

TurnoverStatement computeTurnoverStatement(const AccountList& accounts, const ComputationRequest& rq,
                                           const TurnoverSettings& settings, bool browse)
{
    ComputedAccounts computed = computeAccounts(accounts, rq);
    if (computed.outcome != StatementOutcome::Completed) {
        if (computed.outcome == StatementOutcome::Refused)
            utilka::MSG_OST(computed.message);
        else if (!computed.message.isEmpty())
            utilka::MSG_INF(computed.message);
        TurnoverStatement empty;
        empty.outcome = computed.outcome;
        empty.message = computed.message;
        return empty;
    }
    const StatementShape shape = StatementShape::from(rq.parameters, settings, browse);
    TurnoverStatement statement = buildTurnoverStatement(computed.accounts, shape);
    if (browse)
        writeBrowseRows(rq.user, statement, shape.simple());
    return statement;
}

void finishTurnoverStatement(const TurnoverStatement& statement)
{
    if (statement.completed() && statement.restrictedAccess)
        utilka::MSG_INF(kRestrictedAccessText);
}

} // namespace pravik::turnover
