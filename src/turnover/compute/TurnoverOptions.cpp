#include "turnover/TurnoverOptions.h"

#include "platform/Decimal.h"

#include <limits>
#include <optional>
#include <variant>

namespace pravik::turnover {

namespace {

using Field = std::variant<bool TurnoverOptions::*, int TurnoverOptions::*, QString TurnoverOptions::*>;

// Option number -> member; the groups 21..30 are handled apart.
const QList<std::pair<int, Field>>& fields()
{
    using O = TurnoverOptions;
    static const QList<std::pair<int, Field>> table = {
        {1, &O::cardIndexAccounts}, {2, &O::approvedOnly}, {3, &O::cumulativeWithOpening},
        {4, &O::nonZeroTurnoversOnly}, {5, &O::nonZeroBalanceLeaves}, {6, &O::nonZeroBalanceSynthetic},
        {7, &O::lastLevelOnly}, {8, &O::accountPerPage}, {9, &O::variant}, {10, &O::mpkEntries},
        {11, &O::budgetClassification}, {12, &O::entries}, {13, &O::entriesRange}, {14, &O::contraAccount},
        {15, &O::groupMpk}, {16, &O::title}, {17, &O::description}, {18, &O::currency}, {19, &O::printKrs},
        {20, &O::thousands}, {31, &O::balanceSheet}, {32, &O::profitAndLoss}, {33, &O::offBalance},
        {34, &O::settlement}, {35, &O::currencyAccounts}, {36, &O::twoBalance}, {37, &O::mpk},
        {38, &O::rangeFrom}, {39, &O::rangeTo}, {40, &O::mask}, {41, &O::dateRange}, {42, &O::dateKind},
        {43, &O::fontSize}, {44, &O::wrapLines}, {45, &O::fontForAmountsOnly}, {46, &O::netBalances},
        {47, &O::boldAggregates}, {48, &O::hideZeros},
    };
    return table;
}

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1).isSpace())
        --n;
    return text.left(n);
}

// Whole numbers as the old rows may hold them: "1", " 8 ", "8.00".
std::optional<int> wholeNumber(const QString& value)
{
    const std::optional<Decimal> d = Decimal::parse(value.trimmed());
    if (!d || d->cents() % 100 != 0 || d->units() > std::numeric_limits<int>::max()
        || d->units() < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(d->units());
}

} // namespace

VariantValues toVariantValues(const TurnoverOptions& o)
{
    VariantValues values;
    for (const auto& [number, field] : fields()) {
        std::visit(
            [&, n = number](auto member) {
                using T = std::decay_t<decltype(o.*member)>;
                if constexpr (std::is_same_v<T, QString>)
                    values.insert(n, withoutTrailingBlanks(o.*member));
                else
                    values.insert(n, QString::number(int(o.*member)));
            },
            field);
    }
    for (int g = 0; g < 10; ++g)
        values.insert(21 + g, QString::number(int(o.groups[g])));
    return values;
}

QStringList applyVariantValues(TurnoverOptions& o, const VariantValues& values)
{
    QStringList problems;
    auto badValue = [&](int number, const QString& value) {
        problems << QStringLiteral("Opcja nr %1 zapisanego wariantu ma niepoprawną wartość „%2” i została pominięta.")
                        .arg(number)
                        .arg(value);
    };
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int number = it.key();
        const QString& value = it.value();
        if (number >= 21 && number <= 30) {
            if (const auto n = wholeNumber(value))
                o.groups[number - 21] = *n != 0;
            else
                badValue(number, value);
            continue;
        }
        for (const auto& [n, field] : fields()) {
            if (n != number)
                continue;
            std::visit(
                [&](auto member) {
                    using T = std::decay_t<decltype(o.*member)>;
                    if constexpr (std::is_same_v<T, QString>) {
                        o.*member = withoutTrailingBlanks(value);
                    } else if (const auto whole = wholeNumber(value)) {
                        if constexpr (std::is_same_v<T, bool>)
                            o.*member = *whole != 0;
                        else
                            o.*member = *whole;
                    } else {
                        badValue(number, value);
                    }
                },
                field);
            break;
        }
    }
    return problems;
}

} // namespace pravik::turnover
