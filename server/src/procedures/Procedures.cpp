#include "server/src/procedures/Procedures.h"

#include "platform/sql/ProcedureRegistry.h"
#include "server/src/procedures/AccountName.h"
#include "server/src/procedures/StatementGenerate.h"
#include "server/src/procedures/TurnoverReport.h"
#include "server/src/procedures/TurnoverTable.h"

namespace pravik::server {

void registerProcedures()
{
    using sql::ProcedureRegistry;
    ProcedureRegistry::add(QStringLiteral("OBROTOWKA_RAPORT"), &obrotowkaRaport);
    ProcedureRegistry::add(QStringLiteral("USTAL_NAZWE_KONTA"), &ustalNazweKonta);
    ProcedureRegistry::add(QStringLiteral("PRZELICZ_OBROTY_I_SALDA"), &przeliczObrotyISalda);
    ProcedureRegistry::add(QStringLiteral("SPRAWDZ_OBROTY_I_SALDA"), &sprawdzObrotyISalda);
    ProcedureRegistry::add(QStringLiteral("ZESTAWIENIE_GENERUJ"), &zestawienieGeneruj);
    ProcedureRegistry::add(QStringLiteral("SZUKAJ_KONTA"), &szukajKonta);
}

} // namespace pravik::server
