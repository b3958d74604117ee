#include "statements/print/StatementRows.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "statements/forms/BudgetSections.h"

#include <QSet>

#include <algorithm>

namespace pravik::statements {

using sql::sqlNumber;

namespace {

QString amountColumnList(int columns)
{
    QStringList kols;
    for (int c = 1; c <= columns; ++c)
        kols << QStringLiteral("kol%1").arg(c);
    return kols.join(QLatin1Char(','));
}

QString statementFilter(const StatementPrintRequest& r, qint64 statement)
{
    const QString filter = r.rowFilter.trimmed();
    return QStringLiteral("id_zestaw_nag = %1%2").arg(sqlNumber(statement), filter.isEmpty() ? QString() : QStringLiteral(" AND (%1)").arg(filter));
}

int printedColumns(const StatementPrintRequest& r, int defined)
{
    return qBound(1, r.fixedColumns > 0 ? r.fixedColumns : defined, kMaxAmountColumns);
}

} // namespace

QString groupSortKey(const QString& formCode)
{
    static const QList<QPair<QString, QStringList>> prefixes = {
        {QStringLiteral("a"), {"Rb27ZZPozycje", "RbZTytulyDluzne", "RbZNTytulyDluzne", "Rb28SPozycje", "Rb28SPozycje70", "F01rzis"}},
        {QStringLiteral("b"), {"RbZPoreczeniaGwarancje", "F01aoit"}},
        {QStringLiteral("c"), {"RbZKredytyPozyczki", "F01wzfm"}},
        {QStringLiteral("d"), {"RbZZawarteUmowy", "F01stwb"}},
        {QStringLiteral("e"), {"F01nnbuinst"}},
        {QStringLiteral("f"), {"F01l"}},
    };
    const QString code = formCode.trimmed();
    for (const auto& [prefix, codes] : prefixes)
        if (codes.contains(code))
            return prefix + code;
    return code;
}

bool printsBefore(const StatementHead& a, const StatementHead& b)
{
    // Compared byte by byte a lower-case prefix would sort after every "Rb..." code, which would
    // undo the very order the prefixes are there to give.
    if (const int c = QString::compare(groupSortKey(a.formCode), groupSortKey(b.formCode), Qt::CaseInsensitive))
        return c < 0;
    if (const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive))
        return c < 0;
    return a.id < b.id;
}

Decimal printedAmount(const Decimal& computed, bool thousands, AmountMode mode)
{
    const Decimal scaled = thousands ? computed.dividedBy1000() : computed;
    switch (mode) {
    case AmountMode::Rounded:
        return scaled.roundedToUnits();
    case AmountMode::Truncated:
        return scaled.truncatedToUnits();
    case AmountMode::AsComputed:
        break;
    }
    return scaled;
}

bool countsInTotals(int level, TotalsMode mode, int highestLevel, int chosenLevel)
{
    const int depth = qAbs(level);
    switch (mode) {
    case TotalsMode::LowestLevel:
        return depth == 1;
    case TotalsMode::HighestLevel:
        return depth == highestLevel;
    case TotalsMode::ChosenLevel:
        return depth == chosenLevel;
    }
    return false;
}

QStringList wrapText(const QString& text, int width)
{
    width = qMax(1, width);
    QStringList lines;
    QString rest = text;
    while (rest.size() > width) {
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), width);
        if (cut <= 0)
            cut = width;
        lines << rest.left(cut);
        rest = rest.mid(cut);
        if (rest.startsWith(QLatin1Char(' ')))
            rest.remove(0, 1);
    }
    if (!rest.isEmpty() || lines.isEmpty())
        lines << rest;
    return lines;
}

QList<StatementHead> statementsToPrint(const StatementPrintRequest& r, QString* error)
{
    sql::Database& db = sql::Database::forThread();
    QList<StatementHead> heads;
    auto failed = [&](const sql::Cursor& c) {
        *error = c.errorText();
        return QList<StatementHead>();
    };
    QStringList cols = {QStringLiteral("id_zestaw_nag"), QStringLiteral("nazwa"), QStringLiteral("wariant"),
                        QStringLiteral("ilosc_kolumn"), QStringLiteral("etykieta_0")};
    for (int c = 1; c <= kMaxAmountColumns; ++c)
        cols << QStringLiteral("etykieta_%1").arg(c);
    QString where;
    if (r.groupId > 0 && r.options.wholeGroup)
        where = QStringLiteral("id_zestaw_grupa=%1 AND id_firmy=%2").arg(sqlNumber(r.groupId), sqlNumber(r.company));
    else
        where = QStringLiteral("id_zestaw_nag=%1").arg(sqlNumber(r.statementId));
    sql::Cursor c = db.exec(QStringLiteral("select %1 from ZESTAW_NAG where %2").arg(cols.join(QLatin1Char(',')), where));
    while (c.next()) {
        StatementHead h;
        h.id = c.value(0).toLongLong();
        h.name = c.value(1).toString().trimmed();
        h.formCode = c.value(2).toString().trimmed();
        h.columns = printedColumns(r, c.value(3).toInt());
        const QString textCaption = c.value(4).toString().trimmed();
        h.captions << (textCaption.isEmpty() ? QStringLiteral("Nazwa pozycji") : textCaption);
        for (int k = 1; k <= kMaxAmountColumns; ++k)
            h.captions << c.value(4 + k).toString().trimmed();
        heads << h;
    }
    if (!c.ok())
        return failed(c);
    if (heads.isEmpty()) {
        *error = QStringLiteral("Zestawienie %1 nie istnieje.").arg(r.statementId);
        return {};
    }
    std::sort(heads.begin(), heads.end(), printsBefore);
    // Only statements that carry a section code are asked for their type, so that ordinary
    // statements cost no extra read.
    QStringList candidates;
    for (const StatementHead& h : std::as_const(heads))
        if (isBudgetSection(h.formCode))
            candidates << sqlNumber(h.id);
    if (!candidates.isEmpty()) {
        sql::Cursor t = db.exec(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where upper(typ)='BA' AND id_zestaw_nag in (%1)")
                                    .arg(candidates.join(QLatin1Char(','))));
        QSet<qint64> budget;
        while (t.next())
            budget.insert(t.value(0).toLongLong());
        if (!t.ok())
            return failed(t);
        for (StatementHead& h : heads)
            h.formSection = budget.contains(h.id);
    }
    for (StatementHead& h : heads) {
        // The depth of a row is the absolute value of its level: a row at level -2 is as deep as
        // one at level 2, so the highest level must be taken the same way or such rows drop out
        // of every total.
        sql::Cursor m = db.exec(QStringLiteral("select coalesce(max(abs(poziom)),0) from ZESTAW_ZESTAW where %1")
                                    .arg(statementFilter(r, h.id)));
        if (!m.next() && !m.ok())
            return failed(m);
        h.maxLevel = m.value(0).toInt();
    }
    return heads;
}

StatementRowSource::StatementRowSource(const StatementPrintRequest& request, const StatementHead& head)
    : m_request(request), m_head(head)
{
}

StatementRowSource::~StatementRowSource() = default;

bool StatementRowSource::next(PrintRow* row)
{
    const StatementPrintOptions& o = m_request.options;
    if (!m_cursor) {
        m_cursor = std::make_unique<sql::Cursor>(sql::Database::forThread().exec(
            QStringLiteral("select opis, symbol, poziom, arg1, %1 from ZESTAW_ZESTAW where %2 order by lp")
                .arg(amountColumnList(m_head.columns), statementFilter(m_request, m_head.id))));
    }
    const AmountMode mode = o.amountMode();
    while (m_cursor->next()) {
        PrintRow r;
        const QString opis = m_cursor->value(0).toString().trimmed();
        const QString symbol = m_cursor->value(1).toString().trimmed();
        r.level = m_cursor->value(2).toInt();
        const bool fromList = !m_cursor->value(3).toString().trimmed().isEmpty();
        bool allZero = true;
        for (int c = 0; c < m_head.columns; ++c) {
            const std::optional<Decimal> v = Decimal::fromVariant(m_cursor->value(4 + c));
            if (!v) {
                m_error = QStringLiteral("Kwota kolumny %1 zestawienia \"%2\" nie jest liczbą.").arg(c + 1).arg(m_head.name);
                return false;
            }
            if (!v->isZero())
                allZero = false;
            r.amounts[std::size_t(c)] = printedAmount(*v, o.thousands, mode);
        }
        if (o.skipZeroRows && fromList && allZero)
            continue;
        r.ordinal = ++m_ordinal;
        r.text = m_head.formCode.startsWith(QLatin1String("F01")) || symbol.isEmpty() ? opis : symbol + QLatin1Char(' ') + opis;
        r.bold = r.level == 1 && !o.boldOff && m_head.maxLevel > 1 && !m_head.formSection;
        r.counted = countsInTotals(r.level, o.totalsMode, m_head.maxLevel, o.totalsLevel);
        *row = r;
        return true;
    }
    if (!m_cursor->ok())
        m_error = m_cursor->errorText();
    return false;
}

StatementFigures readStatement(const StatementPrintRequest& request, const StatementHead& head)
{
    StatementFigures f;
    StatementRowSource source(request, head);
    PrintRow row;
    while (source.next(&row)) {
        if (row.counted)
            for (int c = 0; c < kMaxAmountColumns; ++c)
                f.total[std::size_t(c)] += row.amounts[std::size_t(c)];
        f.rows << row;
    }
    f.error = source.error();
    return f;
}

Decimal widestAmount(const StatementPrintRequest& r, const QList<StatementHead>& heads, QString* error)
{
    Decimal widest;
    for (const StatementHead& h : heads) {
        QStringList sums;
        for (int c = 1; c <= h.columns; ++c)
            sums << QStringLiteral("sum(abs(kol%1))").arg(c);
        sql::Cursor c = sql::Database::forThread().exec(
            QStringLiteral("select %1 from ZESTAW_ZESTAW where %2").arg(sums.join(QLatin1Char(',')), statementFilter(r, h.id)));
        if (!c.next()) {
            if (!c.ok()) {
                *error = c.errorText();
                return {};
            }
            continue;
        }
        for (int k = 0; k < h.columns; ++k)
            widest = std::max(widest, printedAmount(Decimal::fromVariant(c.value(k)).value_or(Decimal()), r.options.thousands,
                                                    r.options.amountMode()));
    }
    return widest;
}

} // namespace pravik::statements
