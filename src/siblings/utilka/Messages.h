#pragma once
// The utility library's information and warning boxes, shown through the module's user
// services (a box on the desktop, a line on stderr in batch runs, a record in tests).
#include <QString>

namespace utilka {

// "Tabulo: Informacja" box; returns when acknowledged.
void MSG_INF(const QString& text);
// "Tabulo: Ostrzeżenie" box: SQL error texts and refusals.
void MSG_OST(const QString& text);

} // namespace utilka
