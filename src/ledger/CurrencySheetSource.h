#pragma once
// The data stage of the currency account sheets: the posting sides of the account sheets with
// their amounts in the document currency and the currency code, counted in the base-currency
// totals and, per currency, in the breakdown that closes the sheet.
#include "journals/BatchCodes.h"
#include "ledger/AccountSheetSource.h"

#include <QMap>

namespace pravik::ledger {

struct CurrencyLine {
    SheetLine posting;
    Amounts currencyAmounts; // kwota_wn_w, kwota_ma_w
    QString currency;        // 3 letters
};

// The sums of one currency: in the base currency and in the currency itself.
struct CurrencyTotals {
    QString code;
    Amounts base;
    Amounts inCurrency;
};

class CurrencySheetSource {
public:
    explicit CurrencySheetSource(const LedgerRequest& request);

    // The print's own description lines ("Waluta :" and the active print currency among them),
    // then the host's. activeCurrency: the session's active print currency, "PLN" when empty.
    QStringList descriptionLines(const QString& activeCurrency);
    qint64 count();
    bool start();
    bool next(CurrencyLine& line);

    const Amounts& totals() const { return m_totals; }
    // Per currency, by code.
    QList<CurrencyTotals> breakdown() const;

private:
    LedgerRequest m_request;
    AccountSheetSource m_names; // the view, WHERE, ORDER BY and account names of the request
    journals::BatchCodes m_journals;
    Amounts m_totals;
    QMap<QString, CurrencyTotals> m_currencies;
    qint64 m_rowNumber = 0;
    bool m_started = false;
};

} // namespace pravik::ledger
