#pragma once
// The demo company's user-defined statements (company 1): a profit and loss account, the costs by
// nature, a balance sheet with an opening-balance column and a list of customer balances, written
// with their formulas into ZESTAW_GRUPA / ZESTAW_NAG / ZESTAW_POZ / ZESTAW_POZ_FORMULA.
#include "platform/sql/Database.h"

#include <QString>

namespace pravik::server::demo {

// Inserts the definitions with fixed ids (1, 2, ... in each table). False and a message on the
// first refused statement.
bool writeDemoStatements(sql::Database& db, QString* error);

} // namespace pravik::server::demo
