#pragma once
// The data stage of the account balances: one line per row of the turnover table the browse's
// filter selects, with the account's name and its turnovers and balances in the base currency or
// in a foreign one, and in the currency cash mode the partial items of the cash documents kept
// in the report currency under each account.
#include "ledger/LedgerAmounts.h"
#include "ledger/LedgerRequest.h"

#include <QString>
#include <QStringList>

namespace pravik::ledger {

struct BalanceLine {
    qint64 rowNumber = 0;
    QString account;
    QString name;
    Amounts turnover;
    Amounts balance;
};

struct PartialItem {
    DayNumber date = 0;
    QString number;
    QString description;
    Amounts base;       // kwota_wn, kwota_ma
    Amounts inCurrency; // kwota_wn_w, kwota_ma_w
};

// The four amounts of the list's totals.
struct BalanceTotals {
    Amounts turnover;
    Amounts balance;
    friend bool operator==(const BalanceTotals&, const BalanceTotals&) = default;
};

class BalanceListSource {
public:
    // printCurrency: the active print currency after the empty one was replaced.
    BalanceListSource(const LedgerRequest& request, QString printCurrency);

    int mode() const { return m_mode; }
    // Mode other than 0: the first three characters of the description text.
    const QString& reportCurrency() const { return m_reportCurrency; }
    // Whether the amounts are the _w columns.
    bool foreignAmounts() const;
    // Whether partial items follow the accounts (mode 1, a foreign report currency, a first year).
    bool partialItems() const { return m_details; }

    QStringList descriptionLines();
    const QString& where() const { return m_where; }
    const QString& order() const { return m_order; }
    qint64 count();
    bool start();
    bool next(BalanceLine& line);
    // The partial items of the account's first cash document posting in the report currency
    // (by posting id); failed is set when a query failed (shown).
    QList<PartialItem> items(const QString& account, bool* failed);
    const BalanceTotals& totals() const { return m_totals; }

private:
    bool listed(const QString& account) const;
    QString accountName(const QString& account);

    LedgerRequest m_request;
    QString m_printCurrency;
    int m_mode = 0;
    QString m_reportCurrency;
    bool m_earlierYear = false;
    bool m_details = false;
    QString m_where;
    QString m_order;
    BalanceTotals m_totals;
    qint64 m_rowNumber = 0;
    bool m_started = false;
};

} // namespace pravik::ledger
