#pragma once
// The demo company's user-defined statements (company 1): a profit and loss account, the costs by
// nature, a balance sheet with an opening-balance column and a list of customer balances, written
// with their formulas into ZESTAW_GRUPA / ZESTAW_NAG / ZESTAW_POZ / ZESTAW_POZ_FORMULA; and, for the
// budget unit (company 2), the predefined form groups Rb-27S, Rb-28S and Rb-Z, one statement of type
// 'BA' per section with the section code in wariant.
#include "platform/sql/Database.h"

#include <QString>

namespace pravik::server::demo {

// Inserts the definitions with fixed ids (1, 2, ... in each table). False and a message on the
// first refused statement.
// budgetSeparator joins the parts of a budget classification in the forms' masks.
bool writeDemoStatements(sql::Database& db, bool budgetUnit, const QString& budgetSeparator, QString* error);

} // namespace pravik::server::demo
