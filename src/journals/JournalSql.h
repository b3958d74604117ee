#pragma once
// The SQL texts of the journals, written in the database's own dialect (the gateway translates
// them for SQLite and PostgreSQL). Numbers and day numbers go in as plain decimals; the filter
// is the host's own condition and is used as given once its table prefixes are removed.
#include "platform/DayNumber.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace pravik::journals {

enum class Side { Debit, Credit };

// "id_firmy=<company>", and " AND " the filter without its table prefixes when there is one.
QString journalCondition(qint32 company, const QString& filter);

// ---- posting journal (POZ_DOK_VIEW_DZIENNIK) ----
// sort 1..4 (any other value is 4).
QString postingOrder(quint8 sort);
QString postingCountSql(const QString& condition);
QString postingRowsSql(const QString& condition, quint8 sort);
// The opening total of one side: postings of the earlier periods of the year, of one batch
// when batchId is given. Off-balance accounts are left out unless includeOffBalance.
QString postingOpeningSql(Side side, qint32 company, qint32 year, DayNumber period, std::optional<qint32> batchId,
                          bool includeOffBalance);
// The compact journal's opening totals: both sides in one query, every account counted.
QString postingOpeningBothSidesSql(qint32 company, qint32 year, DayNumber period, qint32 batchId);
QString batchCodeSql(qint32 batchId);

// ---- document journal (NAG_DOK) ----
QString documentOrder(quint8 sort);
QString documentCountSql(const QString& condition);
QString documentRowsSql(const QString& condition, quint8 sort);
// Cash reports (czy_rk = 10) stay out of the opening total.
QString documentOpeningSql(qint32 company, qint32 year, DayNumber period, std::optional<qint32> batchId);

// ---- batch journal statement (PACZKA, NAG_DOK, POZ_DOK, OBROTY_I_SALDA) ----
// The batches of the filter ("PAC:id_lata_obrot=7") in key order: id, code, description.
QString batchListSql(qint32 company, const QString& filter);
// Postings after the opening period and before the chosen one. Without off-balance postings
// the query has one amount column, the debit, which stands for both sides.
QString batchOpeningSql(qint32 company, qint32 year, DayNumber period, DayNumber yearStart, bool includeOffBalance);
QString batchPeriodTotalSql(qint32 company, qint32 year, DayNumber period, qint32 batchId, bool includeOffBalance);
// The opening balances of the year (the opening period's closing balances in PLN).
QString openingBalanceSql(Side side, qint32 company, qint32 year, bool includeOffBalance);

} // namespace pravik::journals
