#pragma once
// The SQL of the ledger prints around the host's browse filter: which postings view a print
// reads, the WHERE text built from the filter, the ORDER BY of a sort code, the single period a
// filter names, and the filter's period condition swapped for the opening sums. The cash and
// cost-centre reports build their text here too, so that a filter selects the same rows in every
// ledger print.
#include "platform/DayNumber.h"

#include <QString>
#include <optional>

namespace pravik::ledger {

// POZ_DOK_VIEW_UNION; the _EXT variant (with nazwa_konta) for sort code 13; the _BT variants
// for budget installations.
QString postingView(quint8 sort, bool budgetVersion);

// A filter the database must not see: a ";" outside quoted text (a second statement) or a quote
// left open. Returns the reason in the user's words, empty when the filter may run.
QString filterProblem(const QString& filter);

// "id_firmy=<company>", and when the filter is not blank " AND (" + the filter without its table
// prefixes, adapted to the view + ")". The parentheses keep an OR of the host's filter inside
// the company. The text is never cut: a shorter text would be another filter.
QString postingWhere(qint32 company, const QString& filter, const QString& view);

// The ORDER BY of a sort code of the ledger's sort table (period layout: 3 is data_okresu,
// account layout: 3 is konto; 13 in the account layout orders by account name). Unknown codes
// give the default order by register number. The posting id and side close every order.
QString postingOrder(quint8 sort, bool ascending, bool periodLayout);

// The single period a filter names ("DATA_OKRESU=<digits>", any letter case, blanks around "="
// and before the digits allowed).
struct PeriodInFilter {
    enum class Kind { None, Several, One };
    Kind kind = Kind::None;
    DayNumber period = 0;
};
PeriodInFilter periodInFilter(const QString& filter);

// The WHERE text with its condition "data_okresu=<period>" (as written, any case, blanks around
// "=") replaced by `replacement`; nullopt when the text has no such condition.
std::optional<QString> replacePeriodCondition(const QString& where, DayNumber period, const QString& replacement);

} // namespace pravik::ledger
