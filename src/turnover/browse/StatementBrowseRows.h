#pragma once
// The rows of the statement browse: the user's rows of a computed statement in ZESTAW_ZESTAW
// (statement 0, variant 1 for the turnover statement), in line order, with the captions of the
// amount columns for the statement's column mode.
#include "platform/Decimal.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace pravik::turnover {

struct BrowseRow {
    QString account;   // "Konto": the account number, or the label of a total line
    QString name;      // "Nazwa konta": the account name, or the type of a summary line
    std::array<Decimal, 8> amounts{};
};

struct BrowseRows {
    QList<BrowseRow> rows;
    bool ok = true;     // false when reading failed (the reason was shown)
};

// The user's rows of the statement, variant 1, in line order.
BrowseRows readBrowseRows(qint32 user, qint32 statementId);

// The ten column captions of a column mode: 1 period turnovers, 2 net balance, 3 the simple
// statement (six columns only); any other mode keeps the list's own captions.
QStringList browseCaptions(int mode);

// An amount as the list shows it: two decimals, a comma, thousands apart ("-1 234,50").
QString browseAmountText(const Decimal& amount);

} // namespace pravik::turnover
