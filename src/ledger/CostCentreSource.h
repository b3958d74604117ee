#pragma once
// The data stage of the cost-centre reports (kinds 1 and 2): the allocations of MPK_VIEW that
// the browse's filter selects within the session's company, one at a time, with their journal
// code (kind 1) or indicator codes and tree path (kind 2), counted in the totals and the summary
// tables. Nothing here prints.
#include "journals/BatchCodes.h"
#include "ledger/CostCentreCodes.h"
#include "ledger/LedgerAmounts.h"
#include "ledger/LedgerRequest.h"

#include <QHash>
#include <QMap>

namespace pravik::ledger {

struct CostCentreRow {
    qint64 rowNumber = 0;
    qint64 id = 0;             // id_mpk_dane
    Amounts amounts;           // kwota on the side strona names ("WN" debit)
    QString text;              // tresc_poz_dok
    qint32 year = 0;
    // kind 1
    QString account;
    DayNumber period = 0;
    QString registerNumber;
    DayNumber postingDate = 0;
    QString documentNumber;
    DayNumber documentDate = 0;
    qint64 positionNumber = 0;
    QString journalCode;
    DayNumber operationDate = 0;
    // kind 2
    QString indicators[5];
    QString path;
};

struct CostCentreSummaryRow {
    int group = 0;   // kind 2: 0 tree path, 1 to 5 indicator number; kind 1: 0 period, 1 account
    QString label;
    QString name;    // kind 1 accounts: the account's name
    Amounts sums;
};

// The ORDER BY of a sort code (1 nr_ewid_dok, 2 data_biezaca, 3 nr_dok_org, 4 data_dok_org,
// 5 konto, 6 kwota); other codes order by register number.
QString costCentreOrder(quint8 sort, bool ascending);
// "3-2026": every period by its month, the opening period like the first month and the closing
// period like the last.
QString costCentrePeriodLabel(DayNumber period);

class CostCentreSource {
public:
    explicit CostCentreSource(const LedgerRequest& request);

    bool statement() const { return m_request.control.kind == kCostCentreStatement; }
    const QString& where() const { return m_where; }
    const QString& order() const { return m_order; }

    QStringList descriptionLines() const;
    qint64 count();
    bool start();
    bool next(CostCentreRow& row);

    const Amounts& totals() const { return m_totals; }
    // Kind 1: periods by date (group 0), then accounts by account and year with names (group 1).
    // Kind 2: by group, then by label.
    QList<CostCentreSummaryRow> summary();

private:
    QString accountName(qint32 year, const QString& account);

    LedgerRequest m_request;
    QString m_where;
    QString m_order;
    journals::BatchCodes m_journals;
    CostCentreCodes m_codes;
    Amounts m_totals;
    qint64 m_rowNumber = 0;
    bool m_started = false;
    QMap<DayNumber, Amounts> m_periods;
    QMap<QPair<QString, qint32>, Amounts> m_accounts;
    struct Keyed {
        QString label;
        Amounts sums;
    };
    QHash<QPair<int, QString>, Keyed> m_indicators;
};

} // namespace pravik::ledger
