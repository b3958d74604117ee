#pragma once
// The carry-over totals of a bound report: for each amount column the total of the current page,
// the running total since the first page (which starts at the opening totals, when a report has
// them) and the total brought forward from the pages before.
#include "platform/Decimal.h"

#include <QList>

namespace pravik::frame {

class CarryOver {
public:
    explicit CarryOver(int columns = 0);

    int columns() const { return int(m_page.size()); }
    // Brought forward and running totals start here; page totals are zero. Missing columns count
    // as zero, extra ones are ignored.
    void setOpening(const QList<Decimal>& opening);
    // Counts an amount on the page and in the running total.
    void add(int column, const Decimal& amount);
    void add(const QList<Decimal>& amounts);

    const QList<Decimal>& page() const { return m_page; }
    const QList<Decimal>& running() const { return m_running; }
    const QList<Decimal>& broughtForward() const { return m_broughtForward; }

    // A page was closed: what the next page brings forward is the running total.
    void pageBreak();

private:
    QList<Decimal> m_page;
    QList<Decimal> m_running;
    QList<Decimal> m_broughtForward;
};

} // namespace pravik::frame
