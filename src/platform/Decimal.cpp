#include "platform/Decimal.h"

#include <QByteArray>
#include <QMetaType>

#include <cmath>
#include <limits>

namespace pravik {

namespace {

__extension__ using Wide = __int128;

[[noreturn]] void overflow(const char* what)
{
    throw DecimalOverflow(std::string("amount out of DECIMAL(15,2) range in ") + what);
}

qint64 checked(Wide cents, const char* what)
{
    if (cents > Decimal::kMaxCents || cents < -Decimal::kMaxCents)
        overflow(what);
    return static_cast<qint64>(cents);
}

// Digit grouping in user input: a plain space, a no-break space, a narrow no-break space.
bool isGroupSpace(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Text in, hundredths out. Collects the significant digits and the power of ten they are scaled
// by, then rounds once at the hundredths, so "0.004999" and "4.999e-3" agree.
std::optional<qint64> parseCents(QStringView s)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    bool negative = false;
    if (i < n && (s[i] == u'-' || s[i] == u'+')) {
        negative = s[i] == u'-';
        ++i;
    }

    // Significant digits without leading zeros. The fraction may carry many more than two
    // (NUMERIC text "0.1250000000"); only the one after the hundredths matters for rounding.
    char digits[64];
    int count = 0;          // significant digits stored
    bool anyDigit = false;
    int scale = 0;          // value = digits * 10^scale
    bool seenSeparator = false;
    bool grouped = false;   // a group space was seen before the comma
    int run = 0;            // digits since the start or the last group space

    for (; i < n; ++i) {
        const QChar c = s[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (seenSeparator)
                --scale;
            else
                ++run;
            if (count == 0 && c == u'0')
                continue;
            if (count < int(sizeof digits)) {
                digits[count++] = char(c.unicode() - u'0');
            } else if (!seenSeparator) {
                return std::nullopt; // far beyond 15 digits
            } else {
                ++scale; // a fraction digit far below the hundredths: not kept, no scale step
            }
        } else if (isGroupSpace(c)) {
            // Only between groups of three before the comma: "1 234 567", "12 345,00".
            if (seenSeparator || run == 0 || run > 3 || (grouped && run != 3))
                return std::nullopt;
            if (i + 1 >= n || !isDigit(s[i + 1]))
                return std::nullopt;
            grouped = true;
            run = 0;
        } else if (c == u'.' || c == u',') {
            if (seenSeparator)
                return std::nullopt;
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit || (grouped && run != 3))
        return std::nullopt;

    if (i < n) { // exponent
        if (s[i] != u'e' && s[i] != u'E')
            return std::nullopt;
        ++i;
        bool expNegative = false;
        if (i < n && (s[i] == u'-' || s[i] == u'+')) {
            expNegative = s[i] == u'-';
            ++i;
        }
        if (i >= n)
            return std::nullopt;
        int exponent = 0;
        for (; i < n; ++i) {
            if (!isDigit(s[i]))
                return std::nullopt;
            exponent = exponent * 10 + (s[i].unicode() - u'0');
            if (exponent > 1000)
                exponent = 1000; // keeps the sum finite; any such value is out of range or zero
        }
        scale += expNegative ? -exponent : exponent;
    }

    // Scale to hundredths: keep digits[0 .. count + scale + 2), round on the next one.
    const int shift = scale + 2;
    Wide cents = 0;
    if (shift >= 0) {
        if (count + shift > 15 && count > 0)
            return std::nullopt;
        for (int k = 0; k < count; ++k)
            cents = cents * 10 + digits[k];
        for (int k = 0; k < shift && count > 0; ++k)
            cents *= 10;
    } else {
        const int keep = count + shift; // may be negative: everything is below the hundredths
        if (keep > 15)
            return std::nullopt;
        for (int k = 0; k < keep; ++k)
            cents = cents * 10 + digits[k];
        // Half away from zero: the first dropped digit alone decides, as the rest only adds.
        if (keep >= 0 && keep < count && digits[keep] >= 5)
            cents += 1;
    }
    if (cents > Decimal::kMaxCents)
        return std::nullopt;
    return static_cast<qint64>(negative ? -cents : cents);
}

} // namespace

Decimal Decimal::fromCents(qint64 cents)
{
    return Decimal(checked(cents, "fromCents"));
}

Decimal Decimal::fromUnits(qint64 units)
{
    return Decimal(checked(Wide(units) * 100, "fromUnits"));
}

std::optional<Decimal> Decimal::parse(QStringView text)
{
    const QStringView s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    const auto cents = parseCents(s);
    if (!cents)
        return std::nullopt;
    return Decimal(*cents);
}

std::optional<Decimal> Decimal::fromVariant(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return Decimal();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong: {
        const Wide cents = Wide(value.toLongLong()) * 100;
        if (cents > kMaxCents || cents < -kMaxCents)
            return std::nullopt;
        return Decimal(static_cast<qint64>(cents));
    }
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong units = value.toULongLong();
        if (units > qulonglong(kMaxCents / 100))
            return std::nullopt;
        return Decimal(static_cast<qint64>(units) * 100);
    }
    case QMetaType::Bool:
        return Decimal(value.toBool() ? 100 : 0);
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return std::nullopt;
        const double scaled = d * 100.0;
        if (std::fabs(scaled) > double(kMaxCents) + 0.5)
            return std::nullopt;
        // Most stored amounts land within a hair of whole hundredths; the rest (a computed REAL,
        // a huge value whose last bits are noise) are read as their 15-significant-digit text,
        // which is how the database itself shows them.
        const double nearest = std::nearbyint(scaled);
        if (std::fabs(scaled - nearest) <= 1e-3 && std::fabs(scaled) < 1e12)
            return Decimal(static_cast<qint64>(nearest));
        return parse(QString::number(d, 'g', 15));
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        if (bytes.trimmed().isEmpty())
            return Decimal();
        return parse(QString::fromLatin1(bytes));
    }
    default: {
        if (!value.canConvert<QString>())
            return std::nullopt;
        const QString text = value.toString();
        // A blank text in an amount column reads as zero, as the runtime assigned it.
        if (text.trimmed().isEmpty())
            return Decimal();
        return parse(text);
    }
    }
}

Decimal Decimal::operator+(const Decimal& other) const
{
    return Decimal(checked(Wide(m_cents) + other.m_cents, "addition"));
}

Decimal Decimal::operator-(const Decimal& other) const
{
    return Decimal(checked(Wide(m_cents) - other.m_cents, "subtraction"));
}

Decimal& Decimal::operator+=(const Decimal& other)
{
    *this = *this + other;
    return *this;
}

Decimal& Decimal::operator-=(const Decimal& other)
{
    *this = *this - other;
    return *this;
}

qint64 Decimal::divideRounded(qint64 num, qint64 den)
{
    const qint64 q = num / den;
    const qint64 r = num % den;
    const qint64 absR = r < 0 ? -r : r;
    if (absR >= den - absR) // |r| >= den/2 without overflow
        return q + (num < 0 ? -1 : 1);
    return q;
}

Decimal Decimal::dividedBy1000() const
{
    return Decimal(divideRounded(m_cents, 1000));
}

Decimal Decimal::roundedToUnits() const
{
    return Decimal(divideRounded(m_cents, 100) * 100);
}

Decimal Decimal::truncatedToUnits() const
{
    return Decimal(m_cents / 100 * 100);
}

Decimal Decimal::multipliedBy(const Decimal& factor) const
{
    // cents * cents is in ten-thousandths; back to hundredths, half away from zero.
    const Wide product = Wide(m_cents) * factor.m_cents;
    Wide q = product / 100;
    const Wide r = product % 100;
    if (r >= 50)
        ++q;
    else if (r <= -50)
        --q;
    return Decimal(checked(q, "multiplication"));
}

Decimal Decimal::dividedBy(qint64 divisor) const
{
    if (divisor == 0)
        throw std::domain_error("amount divided by zero");
    Wide num = m_cents;
    Wide den = divisor;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    Wide q = num / den;
    const Wide r = num % den;
    const Wide absR = r < 0 ? -r : r;
    if (absR >= den - absR)
        q += num < 0 ? -1 : 1;
    return Decimal(checked(q, "division"));
}

QString Decimal::toSqlLiteral() const
{
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    qint64 v = m_cents < 0 ? -m_cents : m_cents;
    *--p = char('0' + v % 10);
    v /= 10;
    *--p = char('0' + v % 10);
    v /= 10;
    *--p = '.';
    do {
        *--p = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (m_cents < 0)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}

} // namespace pravik
