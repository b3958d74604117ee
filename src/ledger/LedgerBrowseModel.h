#pragma once
// A small stand-in for the host's ledger browse: the postings of one account over a range of
// periods, rows the user marks, and the ledger prints started from it with the browse's filter
// and control list, exactly as the host calls WYDRUK_KSIEGA. The desktop window is a form over
// this model; tests drive the model alone.
#include "ledger/LedgerRequest.h"
#include "platform/Decimal.h"

#include <QList>
#include <QSet>
#include <QString>

namespace pravik::ledger {

struct BrowseRow {
    qint64 key = 0; // the marked-record key of the side
    qint64 postingId = 0;
    bool debit = true;
    DayNumber period = 0;
    QString registerNumber;
    QString description;
    Decimal debitAmount;
    Decimal creditAmount;
};

class LedgerBrowseModel {
public:
    // The session's company and fiscal year.
    LedgerBrowseModel();

    // The periods of the year, opening and closing periods included.
    const QList<DayNumber>& periods() const { return m_periods; }

    void setAccount(const QString& account) { m_account = account.trimmed(); }
    // A range of periods; from == to is one period.
    void setPeriods(DayNumber from, DayNumber to);
    void setKind(int kind) { m_control.kind = kind; }
    void setPeriodLayout(bool period) { m_control.layoutFlag = period ? 1 : 0; }
    void setSort(quint8 sort, bool ascending);
    void setSummary(bool summary) { m_summary = summary; }
    void setCostCentreLines(bool lines) { m_costCentres = lines; }
    // Marked rows are printed alone, or with exclude all rows but them.
    void setMarked(qint64 key, bool marked);
    void setExcludeMarked(bool exclude) { m_exclude = exclude; }
    const QSet<qint64>& marked() const { return m_marked; }

    // The browse's filter: the account (quoted) and the period or the range of periods.
    QString filter() const;
    QString description() const;
    QString controlList() const;

    // The browse's rows (at most limit); empty for no account.
    QList<BrowseRow> rows(int limit = 1000) const;

    // Starts the print as the host does: the settings and marked rows into the session, then
    // WYDRUK_KSIEGA. Returns the session's response (1 printed).
    int print(const QString& title);

private:
    QList<DayNumber> m_periods;
    QString m_account;
    DayNumber m_from = 0;
    DayNumber m_to = 0;
    ControlList m_control;
    bool m_summary = false;
    bool m_costCentres = false;
    QSet<qint64> m_marked;
    bool m_exclude = false;
};

} // namespace pravik::ledger
