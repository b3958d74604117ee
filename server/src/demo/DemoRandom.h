#pragma once
// The demo company's source of chance. The engine's output is fixed by the C++ standard, and
// every distribution here is our own integer arithmetic, so one seed gives the same company on
// every machine and library version.
#include <QList>
#include <QtGlobal>
#include <random>

namespace pravik::server::demo {

class DemoRandom {
public:
    explicit DemoRandom(quint64 seed) : m_engine(seed) {}

    quint64 next() { return m_engine(); }
    // 0 .. n-1; 0 for n below 2.
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<quint64>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    // An amount in grosze from about loUnits to hiUnits whole zloty, spread evenly over the orders
    // of magnitude in between (small amounts are as common as large ones in a ledger).
    qint64 amount(qint64 loUnits, qint64 hiUnits)
    {
        qint64 lo = loUnits * 100, hi = hiUnits * 100;
        int orders = 0;
        for (qint64 v = lo; v < hi; v *= 10)
            ++orders;
        const int order = below(orders);
        qint64 from = lo;
        for (int i = 0; i < order; ++i)
            from *= 10;
        const qint64 to = qMin(hi, from * 10);
        return from + static_cast<qint64>(next() % static_cast<quint64>(to - from + 1));
    }
    template <class T>
    const T& pick(const QList<T>& items) { return items[below(static_cast<int>(items.size()))]; }

private:
    std::mt19937_64 m_engine;
};

} // namespace pravik::server::demo
