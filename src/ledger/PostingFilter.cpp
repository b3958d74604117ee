#include "ledger/PostingFilter.h"

#include "platform/sql/Quote.h"
#include "siblings/utilka/FilterText.h"

#include <QRegularExpression>

namespace pravik::ledger {

QString postingView(quint8 sort, bool budgetVersion)
{
    QString view = budgetVersion ? QStringLiteral("POZ_DOK_VIEW_UNION_BT") : QStringLiteral("POZ_DOK_VIEW_UNION");
    if (sort == 13)
        view += QStringLiteral("_EXT");
    return view;
}

QString filterProblem(const QString& filter)
{
    QChar open;
    for (const QChar c : filter) {
        if (!open.isNull()) {
            if (c == open)
                open = QChar(); // a doubled quote closes and opens again: same state afterwards
            continue;
        }
        if (c == u'\'' || c == u'"')
            open = c;
        else if (c == u';')
            return QStringLiteral("Filtr zawiera średnik: wydruk przyjmuje jeden warunek, nie kilka poleceń.");
    }
    if (!open.isNull())
        return QStringLiteral("Filtr ma niezamknięty cudzysłów.");
    return {};
}

QString postingWhere(qint32 company, const QString& filter, const QString& view)
{
    QString where = QStringLiteral("id_firmy=") + sql::sqlNumber(company);
    const QString trimmed = filter.trimmed();
    if (!trimmed.isEmpty())
        where += QStringLiteral(" AND (") + utilka::WYTNIJ_PREFIX(trimmed).trimmed() + u')';
    return utilka::STR_REPLACE_PREFIKS_A(where, view);
}

QString postingOrder(quint8 sort, bool ascending, bool periodLayout)
{
    const QString dir = ascending ? QStringLiteral("asc") : QStringLiteral("desc");
    if (sort == 13 && !periodLayout)
        return QStringLiteral("order by id_firmy asc, nazwa_konta %1, data_ksieg %1, id_poz_dok %1, strona %1").arg(dir);
    static const char* const columns[] = {nullptr,       "nr_ewid_dok", "data_biezaca", nullptr,     "nr_dok_org",
                                          "data_dok_org", "data_oper_gosp", "kwota_wn",   "kwota_ma",   "kwota_wn_w",
                                          "kwota_ma_w",   "opis",           "data_ksieg"};
    QString column;
    if (sort == 3)
        column = periodLayout ? QStringLiteral("data_okresu") : QStringLiteral("konto");
    else if (sort >= 1 && sort <= 12)
        column = QLatin1String(columns[sort]);
    if (column.isEmpty())
        return QStringLiteral("order by id_firmy asc, nr_ewid_dok asc, id_poz_dok asc, strona asc");
    return QStringLiteral("order by id_firmy asc, %1 %2, id_poz_dok asc, strona asc").arg(column, dir);
}

namespace {

const QRegularExpression& periodName()
{
    static const QRegularExpression re(QStringLiteral("\\bdata_okresu\\b"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

PeriodInFilter periodInFilter(const QString& filter)
{
    static const QRegularExpression equals(QStringLiteral("\\bdata_okresu\\s*=(?!=)\\s*(\\d*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    // Two mentions of the column, whatever their operators (a range, an OR), are more than one
    // period.
    auto mentions = periodName().globalMatch(filter);
    int count = 0;
    while (mentions.hasNext() && count < 2) {
        mentions.next();
        ++count;
    }
    if (count >= 2)
        return {PeriodInFilter::Kind::Several, 0};
    const QRegularExpressionMatch m = equals.match(filter);
    if (!m.hasMatch())
        return {};
    const QString digits = m.captured(1);
    if (digits.isEmpty() || digits.size() > 9)
        return {};
    return {PeriodInFilter::Kind::One, DayNumber(digits.toLongLong())};
}

std::optional<QString> replacePeriodCondition(const QString& where, DayNumber period, const QString& replacement)
{
    const QRegularExpression re(QStringLiteral("\\bdata_okresu\\s*=\\s*%1(?!\\d)").arg(period),
                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(where);
    if (!m.hasMatch())
        return std::nullopt;
    QString out = where;
    out.replace(m.capturedStart(0), m.capturedLength(0), replacement);
    return out;
}

} // namespace pravik::ledger
