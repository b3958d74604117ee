#include "turnover/window/TurnoverProcedureTable.h"

#include "turnover/OtherStatements.h"
#include "turnover/print/PrnObrotySql.h"

namespace pravik::turnover {

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
    t.PRN_OBROTY_SQL = runTurnoverStatement;
    t.PRN_OBROTY_SQL_PROSTY = runSimpleStatement;
    t.PRN_OBROTY_SQL_UZGODNIENIE = runReconciliationStatement;
    t.PRN_RAPORT_KONTO_SQL = runAccountEntriesStatement;
    return t;
}

QString procedureMissingText(const QString& title)
{
    return QStringLiteral("Wydruk „%1” nie jest jeszcze dostępny.").arg(title.trimmed());
}

} // namespace pravik::turnover
