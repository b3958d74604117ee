#pragma once
// The amount a document header carries (NAG_DOK.kwota_dok) against its posting lines. The
// document journal totals the headers and the posting journal the lines, so the two journals
// agree only while every header holds the total of its lines.
#include "platform/sql/Database.h"

#include <QString>
#include <QStringList>

namespace pravik::server {

struct DocumentAmountCheck {
    bool ok = true;       // false: a statement failed (error)
    QString error;
    int differences = 0;  // documents whose amount is neither their debit nor their credit total
    QStringList samples;  // the first few: "id, number, period: amount, debit total / credit total"
};

// A document agrees when its amount equals the debit total of its lines or (a document with
// one-sided off-balance lines) their credit total; a header without lines must hold 0.
DocumentAmountCheck checkDocumentAmounts(sql::Database& db, qint64 company, qint64 year);

} // namespace pravik::server
