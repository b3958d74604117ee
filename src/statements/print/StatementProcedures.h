#pragma once
// The exported multi-column statement printouts. PRN_ZESTAW_MULTIKOL_NEW is the one the statement
// window starts; the three older names run it with the fixed number of columns their names say.
#include "statements/print/StatementPrintRequest.h"

#include <QString>

namespace pravik {

namespace statements {
// Prints (or in export mode puts into GGG:XML_Q) what the request asks; a failed read is shown
// with MSG_OST and nothing is delivered. Returns the response, also left in the session.
int runStatementRequest(const StatementPrintRequest& request);
} // namespace statements

// rowFilter follows "where" (the window passes "ID_UZYTKOWNIKA=<user> AND WARIANT_ZESTAW=1");
// groupId and statementId are numbers in text. In export mode (GGG:PRN_EXPORT_XML = 1) the rows
// go to GGG:XML_Q instead of being printed. Returns the response (1 completed, 2 not).
int PRN_ZESTAW_MULTIKOL_NEW(const QString& rowFilter, const QString& groupId, const QString& statementId);

// Older printouts: preview (1) or print at once (0), the row filter, the title, thousands (1),
// the group id (0 = none) and the statement id. Two amount columns; five; twenty with "Lp".
int PRN_ZESTAW_2KOL(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands, qint32 groupId,
                    qint32 statementId);
int PRN_ZESTAW_MULTIKOL_OLD(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands,
                            qint32 groupId, qint32 statementId);
int PRN_ZESTAW_MULTIKOL(quint8 preview, const QString& rowFilter, const QString& title, quint8 thousands, qint32 groupId,
                        qint32 statementId);

} // namespace pravik
