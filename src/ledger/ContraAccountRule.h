#pragma once
// The contra accounts of a posting, found from the positions of its document. Positions are
// grouped into balanced runs in position order; the contra accounts of an entry are the accounts
// on the other side within its run. The cash reports and the entries listed under the accounts
// of a turnover statement read the same rule, so that a contra account is the same on both.
#include "platform/Decimal.h"

#include <QList>
#include <QString>
#include <functional>

namespace pravik::ledger {

// One position of a document as POZ_DOK keeps it, and the run it falls into.
struct DocumentPosition {
    qint64 positionId = 0;
    QString debitAccount;
    QString creditAccount;
    Decimal debit;
    Decimal credit;
    int group = 0; // set by groupPositions
};

// Groups the positions of one document (given in position order): an amount of 0 drops its
// account; an account for which offBalance is true is dropped with its amount. The running
// debit and credit sums start a new run when they are equal, or when the side that led before
// a position receives that position's amount again. Groups are numbered from 1.
QList<DocumentPosition> groupPositions(QList<DocumentPosition> positions,
                                       const std::function<bool(const QString& account)>& offBalance);

// The side of the entry whose contra accounts are wanted.
enum class EntrySide { Debit, Credit, Unknown };

struct ContraAccounts {
    // The distinct contra accounts of the run in position order, joined with ","; "brak" when
    // the entry's position is not among the positions or its run names no contra account;
    // empty for an unknown side.
    QString text;
    // Each position of the run that names a contra account, with its amount on the contra side
    // (the cash report sums these per account).
    struct Part {
        QString account;
        Decimal amount;
    };
    QList<Part> parts;
};

inline const QString kNoContraAccount = QStringLiteral("brak");

// The contra accounts of the entry at positionId (a debit entry's are on the credit side).
ContraAccounts contraAccounts(const QList<DocumentPosition>& grouped, qint64 positionId, EntrySide side);

// A contra text fitted to width characters: cut after a "," and closed with "..." when some
// accounts do not fit.
QString fitContraText(const QString& text, int width);

} // namespace pravik::ledger
