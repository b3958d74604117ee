#pragma once
// The in-memory queues the host and the reports hand each other through the session context.
#include "platform/Decimal.h"
#include "platform/DayNumber.h"
#include "siblings/korda/FixedText.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace korda {

// A queue of text lines of one width (description lines, account numbers). A line that is too
// long keeps its beginning.
template <int Width>
class TextQueue {
public:
    using Line = FixedText<Width>;
    static constexpr int kWidth = Width;

    void add(const QString& line) { m_lines.append(Line(line)); }
    qsizetype size() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QString& at(qsizetype i) const { return m_lines.at(i); }
    void clear() { m_lines.clear(); }
    bool contains(const QString& line) const
    {
        for (const Line& l : m_lines)
            if (l.text() == line)
                return true;
        return false;
    }
    QStringList lines() const
    {
        QStringList out;
        out.reserve(m_lines.size());
        for (const Line& l : m_lines)
            out.append(l.text());
        return out;
    }
    // The lines, leaving the queue empty: a report consumes the queue it printed.
    QStringList takeAll()
    {
        QStringList out = lines();
        m_lines.clear();
        return out;
    }

    auto begin() const { return m_lines.begin(); }
    auto end() const { return m_lines.end(); }

private:
    QList<Line> m_lines;
};

// One entry of the marked-records queue. The host's ledger browse puts the key of each marked
// posting side there; the cash reports receive their opening debit and credit as the first two
// entries instead. The value is kept as the host wrote it and read as whichever the report needs.
struct MarkedRecord {
    QString value;

    // The value as a whole number (a posting key); decimals are dropped, garbage gives 0.
    qint64 key() const;
    // The value as an amount; garbage gives 0.
    pravik::Decimal amount() const;
};

// One entry of the host's declaration queue, printed by the declaration-definition printout.
// kind: -1 a declaration item, -2 a share line, any other value a heading at level |kind|.
struct DeclarationEntry {
    FixedText<250> NAZWA1;
    FixedText<250> NAZWA2;
    FixedText<250> NAZWA3;
    pravik::DayNumber DATA2 = 0;
    qint32 kind = 0;
    // A share line's share in per cent and its date.
    pravik::Decimal share;
    pravik::DayNumber shareDate = 0;
};

// A row of the shared export queue: text cells (pictures, captions or figures).
using ExportRow = QStringList;

} // namespace korda
