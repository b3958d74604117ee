#include "framework/FrameCarryOver.h"

namespace pravik::frame {

CarryOver::CarryOver(int columns)
    : m_page(qMax(0, columns)), m_running(qMax(0, columns)), m_broughtForward(qMax(0, columns))
{
}

void CarryOver::setOpening(const QList<Decimal>& opening)
{
    for (qsizetype i = 0; i < m_page.size(); ++i) {
        const Decimal value = i < opening.size() ? opening[i] : Decimal();
        m_running[i] = value;
        m_broughtForward[i] = value;
        m_page[i] = Decimal();
    }
}

void CarryOver::add(int column, const Decimal& amount)
{
    if (column < 0 || column >= m_page.size())
        return;
    m_page[column] += amount;
    m_running[column] += amount;
}

void CarryOver::add(const QList<Decimal>& amounts)
{
    for (qsizetype i = 0; i < amounts.size(); ++i)
        add(int(i), amounts[i]);
}

void CarryOver::pageBreak()
{
    m_broughtForward = m_running;
    for (Decimal& d : m_page)
        d = Decimal();
}

} // namespace pravik::frame
