#pragma once
// USTAL_NAZWE_KONTA(company, year, 'account'): the account's name and analytic level. Accounts of
// the chart come from WARTOSCI_KONT; card-index accounts ("201-15" under the placeholder
// "201-x") take the name of the card-index entry behind them.
#include "platform/sql/Database.h"
#include "platform/sql/ProcedureRegistry.h"

#include <QString>

namespace pravik::server {

struct AccountName {
    QString name;  // empty when the account is unknown
    int level = 0; // 1 = synthetic; 0 when unknown
};

AccountName findAccountName(sql::Database& db, qint64 company, qint64 year, const QString& account);

// One row: level, name, name, level, so that both ways the module reads it find what they need
// (first number and first text; the name as the third column).
sql::ProcedureResult ustalNazweKonta(sql::Database& db, const QVariantList& args);

} // namespace pravik::server
