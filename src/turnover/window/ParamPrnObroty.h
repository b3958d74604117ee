#pragma once
// The turnover window as the host calls it.
#include <QtGlobal>

namespace pravik {

// Opens "Parametry wydruku" for a statement: kind 1 statement of entries on accounts, 2
// reconciliation of balances with settlements, any other kind the turnover and balance
// statement, of synthetic accounts when synthetic is 1. Returns when the user closes the
// window; several statements may be produced in between. Closes at once when the company has
// no fiscal year. Needs a screen: without one (or on the offscreen platform with no user services
// of the host's own) it says so and returns at once with the response 2.
void PARAM_PRN_OBROTY(quint8 kind, quint8 synthetic);

} // namespace pravik
