#pragma once
// The database functions the module calls in its SQL text ("dbo.TG_GetTypKonta(...)"; the
// translator drops "dbo."). PostgreSQL gets them from its schema script; SQLite has no stored
// functions, so every SQLite connection gets them registered when it opens.
//
//   TG_GetTypKonta(company, year, account)      type of the account's synthetic account: 'B',
//                                               'W', 'P' (off-balance); '' when not in the chart
//   TG_SPR_KONTO_POZAB(company, year, account)  1 for an off-balance account, else 0
//   TG_GetNazwaKonta(company, year, account)    the account's name; a card-index account that
//                                               is not in the chart is named after its card entry
//   tg_AdresFirmy(company, day, type, line)     line 1 (street, number) or 2 (postcode, town) of
//                                               the company address of that type valid on the day
//   fn_fk_PobierzParamGlo(company, name)        a named company setting (PARAMETRY_GLOBALNE)
//
// None returns NULL: unknown rows and NULL arguments give '' (0 for TG_SPR_KONTO_POZAB), so a
// condition like "TG_GetTypKonta(...) <> 'P'" keeps accounts missing from the chart.
#include <QSqlDatabase>
#include <QString>

namespace pravik::server {

// Installs the open hook that registers the functions on every new SQLite connection. Call it
// before the first connection opens; calling it again does nothing.
void registerFunctions();

// Registers the functions on one open QSQLITE connection; false and a message otherwise.
bool registerLedgerFunctions(QSqlDatabase& db, QString* error = nullptr);

} // namespace pravik::server
