#include "turnover/window/TurnoverProcedureTable.h"

#include "framework/Lifecycle.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "turnover/compute/TurnoverComputation.h"

#include <QHash>
#include <QMutex>

namespace pravik::turnover {

namespace {

QMutex registryMutex;

QHash<QString, TurnoverProcedureTable::Statement>& registry()
{
    static QHash<QString, TurnoverProcedureTable::Statement> procedures;
    return procedures;
}

const QStringList& procedureNames()
{
    static const QStringList names = {QStringLiteral("PRN_OBROTY_SQL"), QStringLiteral("PRN_OBROTY_SQL_PROSTY"),
                                      QStringLiteral("PRN_OBROTY_SQL_UZGODNIENIE"), QStringLiteral("PRN_RAPORT_KONTO_SQL")};
    return names;
}

// A statement whose printout is not in the module yet: the browse still gets its rows.
TurnoverProcedureTable::Statement browseOnly(const QString& procedure)
{
    return [procedure](const TurnoverParameters& p) {
        korda::Session& s = korda::session();
        if (s.outputRequests.browseRequest == 1) {
            computeStatementForBrowse(p);
            return;
        }
        enterProcedure(procedure);
        s.globalResponse = 2;
        utilka::MSG_OST(procedureMissingText(p.title));
    };
}

} // namespace

TurnoverProcedureTable::Statement* TurnoverProcedureTable::entry(const QString& procedure)
{
    if (procedure == QLatin1String("PRN_OBROTY_SQL"))
        return &PRN_OBROTY_SQL;
    if (procedure == QLatin1String("PRN_OBROTY_SQL_PROSTY"))
        return &PRN_OBROTY_SQL_PROSTY;
    if (procedure == QLatin1String("PRN_OBROTY_SQL_UZGODNIENIE"))
        return &PRN_OBROTY_SQL_UZGODNIENIE;
    if (procedure == QLatin1String("PRN_RAPORT_KONTO_SQL"))
        return &PRN_RAPORT_KONTO_SQL;
    return nullptr;
}

const TurnoverProcedureTable::Statement* TurnoverProcedureTable::entry(const QString& procedure) const
{
    return const_cast<TurnoverProcedureTable*>(this)->entry(procedure);
}

TurnoverProcedureTable TurnoverProcedureTable::standard()
{
    TurnoverProcedureTable t;
    QMutexLocker lock(&registryMutex);
    for (const QString& name : procedureNames())
        if (registry().contains(name))
            *t.entry(name) = registry().value(name);
    if (!t.PRN_OBROTY_SQL)
        t.PRN_OBROTY_SQL = browseOnly(QStringLiteral("Prn_Obroty_SQL"));
    if (!t.PRN_OBROTY_SQL_PROSTY)
        t.PRN_OBROTY_SQL_PROSTY = browseOnly(QStringLiteral("Prn_Obroty_SQL_Prosty"));
    return t;
}

bool registerTurnoverProcedure(const QString& procedure, TurnoverProcedureTable::Statement statement)
{
    if (!procedureNames().contains(procedure))
        return false;
    QMutexLocker lock(&registryMutex);
    registry().insert(procedure, std::move(statement));
    return true;
}

QString procedureMissingText(const QString& title)
{
    return QStringLiteral("Wydruk „%1” nie jest jeszcze dostępny.").arg(title.trimmed());
}

void computeStatementForBrowse(const TurnoverParameters& parameters)
{
    enterProcedure(QStringLiteral("Prn_Obroty_SQL"));
    korda::Session& s = korda::session();
    const TurnoverSettings& settings = turnoverSettings();
    s.globalResponse = 2;
    const TurnoverStatement statement =
        computeTurnoverStatement(settings.accounts, ComputationRequest::fromSession(parameters, settings), settings, true);
    s.DANE_OPIS_PRN.clear();
    if (statement.completed()) {
        finishTurnoverStatement(statement);
        s.globalResponse = 1;
    }
}

} // namespace pravik::turnover
