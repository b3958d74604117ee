#pragma once
// The reference database's stored procedures, run by the SQL gateway when a "CALL" reaches a
// SQLite or PostgreSQL backend.
namespace pravik::server {

// Registers OBROTOWKA_RAPORT, USTAL_NAZWE_KONTA, PRZELICZ_OBROTY_I_SALDA,
// SPRAWDZ_OBROTY_I_SALDA, ZESTAWIENIE_GENERUJ and SZUKAJ_KONTA with the gateway. Safe to call more than once.
void registerProcedures();

} // namespace pravik::server
