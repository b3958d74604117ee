#pragma once
// Texts of the ledger prints derived from dates and accounts.
#include "platform/DayNumber.h"

#include <QString>
#include <optional>

namespace pravik::ledger {

// The grouping value of a period: "BO" for day 1, "BZ" for day 28, else "<month>-<year>" (3-2026).
QString periodGroup(DayNumber period);
// "Styczeń" ... "Grudzień"; a month outside 1 to 11 gives "Grudzień".
QString monthName(int month);
// The account number after "Konto:" and one blank in the browse's description text; the whole
// trimmed text when it does not start so.
QString accountOfDescription(const QString& description);
// The synthetic account of an account number: its first segment as a number; nullopt when that
// segment is not a whole number (such an account is neither two-balance nor off-balance).
std::optional<qint32> syntheticAccount(const QString& account);

} // namespace pravik::ledger
