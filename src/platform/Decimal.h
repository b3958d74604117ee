#pragma once
// Money as the ledger keeps it: DECIMAL(15,2), an exact count of hundredths (grosze) in 64 bits.
// 15 digits in all, 13 before the comma, so the largest amount is 9 999 999 999 999,99.
//
// Rounding is half away from zero everywhere (1,005 -> 1,01; -1,005 -> -1,01), the way accountants
// and the database's NUMERIC round. Arithmetic that would leave the 15 digits throws
// DecimalOverflow: an amount never wraps and never silently saturates.
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>

#include <compare>
#include <optional>
#include <stdexcept>

namespace pravik {

struct DecimalOverflow : std::overflow_error {
    using std::overflow_error::overflow_error;
};

class Decimal {
public:
    static constexpr qint64 kMaxCents = 999'999'999'999'999;

    constexpr Decimal() = default; // zero

    // Throws DecimalOverflow beyond +-kMaxCents.
    static Decimal fromCents(qint64 cents);
    // Whole zloty.
    static Decimal fromUnits(qint64 units);

    // Reads database text and user input: "1234.5", "-1234,56", "1 234,56" (spaces or
    // non-breaking spaces between digit groups), "+3", ".5", "5.", "1234.5000" (NUMERIC text),
    // "12" (integer columns), "1.5E+3" / "1e3" (exponent forms some drivers print).
    // Surrounding blanks are ignored. More than two decimals round half away from zero.
    // Garbage, an empty text or more than 13 digits before the comma: nullopt.
    static std::optional<Decimal> parse(QStringView text);

    // A database value: null -> zero; integers as whole units; double (SQLite REAL) rounded to
    // the nearest hundredth, which gives back exactly what was stored with two decimals;
    // QString/QByteArray as parse(). Unconvertible or out of range: nullopt.
    static std::optional<Decimal> fromVariant(const QVariant& value);

    constexpr qint64 cents() const { return m_cents; }
    constexpr bool isZero() const { return m_cents == 0; }
    constexpr int sign() const { return (m_cents > 0) - (m_cents < 0); }
    // Whole units, the hundredths dropped (toward zero).
    constexpr qint64 units() const { return m_cents / 100; }

    Decimal operator+(const Decimal& other) const;
    Decimal operator-(const Decimal& other) const;
    Decimal operator-() const { return Decimal(-m_cents); } // never overflows: range is symmetric
    Decimal& operator+=(const Decimal& other);
    Decimal& operator-=(const Decimal& other);

    friend constexpr auto operator<=>(const Decimal&, const Decimal&) = default;
    friend constexpr bool operator==(const Decimal&, const Decimal&) = default;

    Decimal abs() const { return m_cents < 0 ? -*this : *this; }

    // Amounts "in thousands", still kept to hundredths: 1 234 567,89 -> 1 234,57.
    Decimal dividedBy1000() const;
    // Whole units, half away from zero: 2,50 -> 3; -2,50 -> -3.
    Decimal roundedToUnits() const;
    // Whole units, the decimals dropped: -2,99 -> -2.
    Decimal truncatedToUnits() const;
    // The product kept to hundredths, half away from zero; DecimalOverflow if it does not fit.
    Decimal multipliedBy(const Decimal& factor) const;
    // The quotient kept to hundredths, half away from zero. Throws std::domain_error on zero.
    Decimal dividedBy(qint64 divisor) const;

    // "-1234.50": always two decimals, a point, no grouping. Safe in SQL text and CSV as it is.
    QString toSqlLiteral() const;
    QString toString() const { return toSqlLiteral(); }

private:
    constexpr explicit Decimal(qint64 cents) : m_cents(cents) {}
    // Rounds num/den (den > 0) half away from zero.
    static qint64 divideRounded(qint64 num, qint64 den);

    qint64 m_cents = 0;
};

} // namespace pravik
