#pragma once
// What the journal reports share on top of the run frame: their definition (document name,
// carry-over fields, the journal year in the company block), the separator, and the values of
// the total bands.
#include "framework/RunFrame.h"
#include "journals/JournalTotals.h"

#include <QString>

namespace pravik::journals {

inline const QString kSeparatorBand = QStringLiteral("LINIA");
inline const QString kEndBand = QStringLiteral("KONIEC");
inline const QString kPeriodTotalBand = QStringLiteral("RAZEM_W_OKRESIE");
inline const QString kDocumentTotalBand = QStringLiteral("SUMA_DOKUMENTU");
inline const QString kRowBand = QStringLiteral("POZYCJA");

// A journal's run: its layout and names, "Dzienniki" as the document name of text printing,
// the year printed as the journal's year, the page checked by the report itself.
// debitCredit: two amount columns (Dt, Ct), else one.
// yearName: the journal's year, printed in the company block.
frame::ReportDefinition journalDefinition(const QString& procedure, const QString& mixedCaseName, bool debitCredit,
                                          const QString& yearName);

// The totals as the two columns of the frame's carry-over.
QList<Decimal> columns(const DebitCredit& totals);
DebitCredit fromColumns(const QList<Decimal>& columns);
frame::FieldValues debitCreditValues(const QString& debitField, const QString& creditField, const DebitCredit& totals);

} // namespace pravik::journals
