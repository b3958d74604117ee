#include "turnover/window/TurnoverProcedureTable.h"

#include "framework/ReportRegistry.h"

namespace pravik::turnover {

namespace {

// The parameters as a host passes them to the exported procedure (flags 1/0); a procedure with
// fewer parameters takes the first ones.
QVariantList hostArguments(const TurnoverParameters& p, qsizetype count)
{
    auto flag = [](bool on) { return QVariant(quint8(on ? 1 : 0)); };
    QVariantList a = {flag(p.cumulativeWithOpening), flag(p.cardIndexAccounts), flag(p.approvedOnly),
                      flag(p.nonZeroTurnoversOnly),  p.mask,                    p.yearName,
                      QVariant(quint8(p.variant)),   flag(p.thousands),         p.title,
                      flag(p.syntheticOnly),         flag(p.nonZeroBalanceLeaves), flag(p.nonZeroBalanceSynthetic),
                      flag(p.lastLevelOnly)};
    return a.mid(0, count);
}

// The window's entry for a registered procedure.
TurnoverProcedureTable::Statement registered(const QString& name)
{
    const reports::ReportProcedure* procedure = reports::findReportProcedure(name);
    if (!procedure)
        return {};
    return [procedure](const TurnoverParameters& p) { procedure->invoke(hostArguments(p, procedure->parameters.size())); };
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
    for (const char* name : {"PRN_OBROTY_SQL", "PRN_OBROTY_SQL_PROSTY", "PRN_OBROTY_SQL_UZGODNIENIE", "PRN_RAPORT_KONTO_SQL"})
        *t.entry(QLatin1String(name)) = registered(QLatin1String(name));
    return t;
}

QString procedureMissingText(const QString& title)
{
    return QStringLiteral("Wydruk „%1” nie jest jeszcze dostępny.").arg(title.trimmed());
}

} // namespace pravik::turnover
