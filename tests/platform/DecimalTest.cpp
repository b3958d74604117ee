// Money arithmetic: what the database hands us, what users type, and the limits of DECIMAL(15,2).
#include "platform/Decimal.h"

#include <QByteArray>
#include <QVariant>
#include <gtest/gtest.h>

#include <limits>

using pravik::Decimal;
using pravik::DecimalOverflow;

namespace {

qint64 centsOf(QStringView text)
{
    const auto d = Decimal::parse(text);
    EXPECT_TRUE(d.has_value()) << text.toString().toStdString();
    return d ? d->cents() : -1;
}

} // namespace

TEST(Decimal, ParsesDatabaseAndUserForms)
{
    EXPECT_EQ(centsOf(u"1234.5"), 123450);
    EXPECT_EQ(centsOf(u"-1234,56"), -123456);
    EXPECT_EQ(centsOf(u"1 234,56"), 123456);
    EXPECT_EQ(centsOf(u"1\u00A0234\u00A0567,89"), 123456789);   // no-break spaces from a spreadsheet
    EXPECT_EQ(centsOf(u"+3"), 300);
    EXPECT_EQ(centsOf(u".5"), 50);
    EXPECT_EQ(centsOf(u"5."), 500);
    EXPECT_EQ(centsOf(u"1234.5000"), 123450);                  // NUMERIC(19,4) text
    EXPECT_EQ(centsOf(u"12"), 1200);                           // integer column
    EXPECT_EQ(centsOf(u"  -0.07 "), -7);
    EXPECT_EQ(centsOf(u"1.5E+3"), 150000);
    EXPECT_EQ(centsOf(u"1e3"), 100000);
    EXPECT_EQ(centsOf(u"25e-2"), 25);
    EXPECT_EQ(centsOf(u"-0"), 0);
    EXPECT_EQ(centsOf(u"0.1250000000000000000000000000000000000000000000000000000000000000000001"), 13);
}

TEST(Decimal, RejectsGarbageAndAmbiguousGrouping)
{
    for (QStringView bad : {u"", u"   ", u"-", u".", u"abc", u"12a", u"1,234.56", u"1..2", u"+-3",
                            u"1 23", u"12 34,5", u"1  234", u"1 234 5", u"e5", u"1e", u"1-",
                            u"1,2,3", u"0x10", u"1 234.5x", u"1 2345"}) {
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad.toString().toStdString();
    }
}

TEST(Decimal, ParseRoundsExtraDecimalsHalfAwayFromZero)
{
    EXPECT_EQ(centsOf(u"0.005"), 1);
    EXPECT_EQ(centsOf(u"-0.005"), -1);
    EXPECT_EQ(centsOf(u"0.00499999"), 0);
    EXPECT_EQ(centsOf(u"-0.00499999"), 0);
    EXPECT_EQ(centsOf(u"2.345"), 235);
    EXPECT_EQ(centsOf(u"-2.345"), -235);
    EXPECT_EQ(centsOf(u"0.995"), 100);
}

TEST(Decimal, FifteenDigitLimits)
{
    EXPECT_EQ(centsOf(u"9999999999999.99"), Decimal::kMaxCents);
    EXPECT_EQ(centsOf(u"-9 999 999 999 999,99"), -Decimal::kMaxCents);
    EXPECT_EQ(centsOf(u"0009999999999999.99"), Decimal::kMaxCents); // leading zeros are not digits
    EXPECT_FALSE(Decimal::parse(u"10000000000000").has_value());
    EXPECT_FALSE(Decimal::parse(u"9999999999999.995").has_value()); // rounds past the limit
    EXPECT_FALSE(Decimal::parse(u"1e13").has_value());
    EXPECT_FALSE(Decimal::parse(u"99999999999999999999999999999999999999999999999999999999999999999999").has_value());

    EXPECT_NO_THROW(Decimal::fromCents(Decimal::kMaxCents));
    EXPECT_THROW(Decimal::fromCents(Decimal::kMaxCents + 1), DecimalOverflow);
    EXPECT_THROW(Decimal::fromCents(std::numeric_limits<qint64>::min()), DecimalOverflow);
    EXPECT_THROW(Decimal::fromUnits(10'000'000'000'000), DecimalOverflow);
    EXPECT_THROW(Decimal::fromUnits(std::numeric_limits<qint64>::max()), DecimalOverflow); // *100 must not wrap
}

TEST(Decimal, ArithmeticNeverWraps)
{
    const Decimal max = Decimal::fromCents(Decimal::kMaxCents);
    const Decimal cent = Decimal::fromCents(1);
    EXPECT_THROW(max + cent, DecimalOverflow);
    EXPECT_THROW(-max - cent, DecimalOverflow);
    EXPECT_THROW(max - (-cent), DecimalOverflow);
    Decimal sum = max;
    EXPECT_THROW(sum += cent, DecimalOverflow);
    EXPECT_EQ(sum, max) << "a failed += leaves the total as it was";
    EXPECT_EQ((max - max).cents(), 0);
    EXPECT_EQ((-max).cents(), -Decimal::kMaxCents);

    EXPECT_THROW(max.multipliedBy(Decimal::fromUnits(2)), DecimalOverflow);
    EXPECT_THROW(max.multipliedBy(max), DecimalOverflow); // the product alone exceeds 64 bits
}

TEST(Decimal, ComparisonAndSign)
{
    const Decimal a = Decimal::fromCents(-150);
    const Decimal b = Decimal::fromCents(25);
    EXPECT_LT(a, b);
    EXPECT_GT(b, Decimal());
    EXPECT_EQ(a.abs(), Decimal::fromCents(150));
    EXPECT_EQ(a.sign(), -1);
    EXPECT_EQ(Decimal().sign(), 0);
    EXPECT_TRUE(Decimal().isZero());
    EXPECT_EQ(Decimal::fromUnits(-7).cents(), -700);
}

TEST(Decimal, RoundingBothSigns)
{
    auto c = [](qint64 cents) { return Decimal::fromCents(cents); };
    EXPECT_EQ(c(250).roundedToUnits(), c(300));
    EXPECT_EQ(c(-250).roundedToUnits(), c(-300));
    EXPECT_EQ(c(249).roundedToUnits(), c(200));
    EXPECT_EQ(c(-249).roundedToUnits(), c(-200));
    EXPECT_EQ(c(-50).roundedToUnits(), c(-100));
    EXPECT_EQ(c(299).truncatedToUnits(), c(200));
    EXPECT_EQ(c(-299).truncatedToUnits(), c(-200));

    // Thousands: a value ending in 500 (hundredths) is exactly half of the last kept hundredth.
    EXPECT_EQ(c(123456789).dividedBy1000(), c(123457));     // 1 234 567,89 -> 1 234,57
    EXPECT_EQ(c(1500).dividedBy1000(), c(2));               // 15,00 -> 0,015 -> 0,02
    EXPECT_EQ(c(-1500).dividedBy1000(), c(-2));
    EXPECT_EQ(c(2500).dividedBy1000(), c(3));               // not banker's rounding
    EXPECT_EQ(c(1499).dividedBy1000(), c(1));
    EXPECT_EQ(c(-1499).dividedBy1000(), c(-1));
    EXPECT_EQ(c(499).dividedBy1000(), c(0));
    // Reports in whole thousands divide first, keeping hundredths, then round that.
    EXPECT_EQ(c(149999).dividedBy1000().roundedToUnits(), c(200)); // 1 499,99 -> 1,50 -> 2
    EXPECT_EQ(c(-149999).dividedBy1000().truncatedToUnits(), c(-100));
}

TEST(Decimal, MultiplyAndDivideRoundHalfAwayFromZero)
{
    auto c = [](qint64 cents) { return Decimal::fromCents(cents); };
    EXPECT_EQ(c(1050).multipliedBy(c(50)), c(525));         // 10,50 * 0,50 = 5,25
    EXPECT_EQ(c(101).multipliedBy(c(50)), c(51));           // 1,01 * 0,5 = 0,505 -> 0,51
    EXPECT_EQ(c(-101).multipliedBy(c(50)), c(-51));
    EXPECT_EQ(c(100).dividedBy(3), c(33));
    EXPECT_EQ(c(200).dividedBy(3), c(67));
    EXPECT_EQ(c(-200).dividedBy(3), c(-67));
    EXPECT_EQ(c(5).dividedBy(2), c(3));
    EXPECT_EQ(c(5).dividedBy(-2), c(-3));
    EXPECT_EQ(c(Decimal::kMaxCents).dividedBy(std::numeric_limits<qint64>::min()), c(0));
    EXPECT_THROW(c(1).dividedBy(0), std::domain_error);
}

TEST(Decimal, FromDatabaseValues)
{
    EXPECT_EQ(Decimal::fromVariant(QVariant())->cents(), 0);
    EXPECT_EQ(Decimal::fromVariant(QVariant(QMetaType::fromType<double>()))->cents(), 0); // SQL NULL
    EXPECT_EQ(Decimal::fromVariant(QVariant(12))->cents(), 1200);
    EXPECT_EQ(Decimal::fromVariant(QVariant(qlonglong(-5)))->cents(), -500);
    EXPECT_EQ(Decimal::fromVariant(QVariant(QStringLiteral("1234.5000")))->cents(), 123450);
    EXPECT_EQ(Decimal::fromVariant(QVariant(QByteArray("-0.10")))->cents(), -10);
    EXPECT_EQ(Decimal::fromVariant(QVariant(QString()))->cents(), 0);
    EXPECT_FALSE(Decimal::fromVariant(QVariant(QStringLiteral("n/a"))).has_value());
    EXPECT_FALSE(Decimal::fromVariant(QVariant(qlonglong(10'000'000'000'000))).has_value());

    // REAL columns: two-decimal values must come back exactly, including ones that are not
    // representable in binary and large ones where only 15 significant digits are exact.
    EXPECT_EQ(Decimal::fromVariant(QVariant(0.1))->cents(), 10);
    EXPECT_EQ(Decimal::fromVariant(QVariant(1.15))->cents(), 115);
    EXPECT_EQ(Decimal::fromVariant(QVariant(-2.675))->cents(), -268); // 15 digits say -2.675
    EXPECT_EQ(Decimal::fromVariant(QVariant(9999999999999.99))->cents(), Decimal::kMaxCents);
    EXPECT_EQ(Decimal::fromVariant(QVariant(-1234567890123.45))->cents(), -123456789012345);
    EXPECT_EQ(Decimal::fromVariant(QVariant(0.1 + 0.2))->cents(), 30);
    EXPECT_FALSE(Decimal::fromVariant(QVariant(1e13)).has_value());
    EXPECT_FALSE(Decimal::fromVariant(QVariant(std::numeric_limits<double>::quiet_NaN())).has_value());
}

TEST(Decimal, SqlLiteralRoundTrips)
{
    EXPECT_EQ(Decimal().toSqlLiteral(), QStringLiteral("0.00"));
    EXPECT_EQ(Decimal::fromCents(5).toSqlLiteral(), QStringLiteral("0.05"));
    EXPECT_EQ(Decimal::fromCents(-5).toSqlLiteral(), QStringLiteral("-0.05"));
    EXPECT_EQ(Decimal::fromCents(-123450).toSqlLiteral(), QStringLiteral("-1234.50"));
    EXPECT_EQ(Decimal::fromCents(-Decimal::kMaxCents).toString(), QStringLiteral("-9999999999999.99"));
    for (qint64 cents : {qint64(0), qint64(1), qint64(-99), qint64(100), qint64(-123456789), Decimal::kMaxCents}) {
        const Decimal d = Decimal::fromCents(cents);
        EXPECT_EQ(Decimal::parse(d.toSqlLiteral()), d);
    }
}
