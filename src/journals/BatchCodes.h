#pragma once
// The codes of the company's batches (PACZKA.kod_paczki by id_paczka), read once before a
// journal streams its rows: a lookup per document in the middle of the row stream would make a
// server that answers one statement at a time read the rest of the journal into memory.
#include <QHash>
#include <QString>
#include <QtGlobal>

namespace pravik::journals {

class BatchCodes {
public:
    // Reads the company's batches (all years: the ids are unique).
    void load(qint32 company);
    // The batch's code without trailing blanks; empty when there is no such batch. A batch the
    // first read did not see is looked up on its own.
    QString code(qint32 batchId);

private:
    QHash<qint32, QString> m_codes;
};

} // namespace pravik::journals
