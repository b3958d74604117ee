// Display pictures: every picture the reports and windows use, at zero, negative, large and
// too-wide values, and dates typed into windows.
#include "platform/Picture.h"

#include <gtest/gtest.h>

using namespace pravik;

namespace {

Decimal amount(QStringView text) { return *Decimal::parse(text); }

QString fmt(QStringView picture, QStringView amountText) { return formatPicture(picture, amount(amountText)); }

} // namespace

TEST(Picture, ParsesEveryPictureInUse)
{
    const auto money = Picture::parse(u"@N-19_`2");
    ASSERT_TRUE(money);
    EXPECT_EQ(money->kind, Picture::Kind::Number);
    EXPECT_EQ(money->width, 19);
    EXPECT_EQ(money->decimals, 2);
    EXPECT_EQ(money->decimalMark, QChar(u','));
    EXPECT_EQ(money->groupSeparator, QChar(u' '));
    EXPECT_TRUE(money->leadingMinus);
    EXPECT_FALSE(money->blankWhenZero);

    const auto hidden = Picture::parse(u"N-14_`2B");
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->width, 14);
    EXPECT_TRUE(hidden->blankWhenZero);

    const auto counter = Picture::parse(u"n3");
    ASSERT_TRUE(counter);
    EXPECT_EQ(counter->width, 3);
    EXPECT_TRUE(counter->groupSeparator.isNull());
    EXPECT_EQ(counter->decimals, 0);

    const auto date = Picture::parse(u"d6-b");
    ASSERT_TRUE(date);
    EXPECT_EQ(date->kind, Picture::Kind::Date);
    EXPECT_EQ(date->dateSeparator, QChar(u'-'));
    EXPECT_TRUE(date->blankWhenZero);
    EXPECT_EQ(date->width, 10);

    for (QStringView ok : {u"@N-19_", u"@N3", u"N5_B", u"N14_B", u"n5_", u"n5", u"@N", u"@S", u"@s10",
                           u"s25", u"@D6-", u"D6-", u"@D10-", u"P###P", u"@N12.`2", u"@N9.2", u"@N10-"})
        EXPECT_TRUE(Picture::parse(ok).has_value()) << ok.toString().toStdString();
    for (QStringView bad : {u"", u"@", u"X10", u"@N-19_`", u"@N-19_`2BB", u"@D7", u"@D6-x", u"@s1x",
                            u"PP", u"@N99999"})
        EXPECT_FALSE(Picture::parse(bad).has_value()) << bad.toString().toStdString();
    EXPECT_THROW(formatPicture(u"@Q5", qint64(1)), PictureError);
}

TEST(Picture, AmountsInNineteenAndFourteenPositions)
{
    EXPECT_EQ(fmt(u"@N-19_`2", u"1234567.89"), QStringLiteral("       1 234 567,89"));
    EXPECT_EQ(fmt(u"@N-19_`2", u"-1234567.89"), QStringLiteral("      -1 234 567,89"));
    EXPECT_EQ(fmt(u"@N-19_`2", u"0"), QStringLiteral("               0,00"));
    EXPECT_EQ(fmt(u"@N-19_`2", u"-0.05"), QStringLiteral("              -0,05"));
    EXPECT_EQ(fmt(u"@N-19_`2", u"999"), QStringLiteral("             999,00"));
    EXPECT_EQ(fmt(u"@N-19_`2", u"1000"), QStringLiteral("           1 000,00"));
    EXPECT_EQ(fmt(u"N-14_`2", u"-12345.6"), QStringLiteral("    -12 345,60"));
    // The largest amount that fits in 14 positions, with and without a minus.
    EXPECT_EQ(fmt(u"N-14_`2", u"99999999.99"), QStringLiteral(" 99 999 999,99"));
    EXPECT_EQ(fmt(u"N-14_`2", u"-99999999.99"), QStringLiteral("-99 999 999,99"));
    for (QStringView p : {u"@N-19_`2", u"N-14_`2", u"N-19_`2B", u"N5_B", u"n3"})
        EXPECT_EQ(formatPicture(p, amount(u"12")).size(), Picture::parse(p)->width);
}

TEST(Picture, TooWideNumbersFillTheFieldWithHashes)
{
    EXPECT_EQ(fmt(u"N-14_`2", u"100000000"), QStringLiteral("100 000 000,00")); // just fits
    EXPECT_EQ(fmt(u"N-14_`2", u"1000000000"), QString(14, u'#'));
    EXPECT_EQ(fmt(u"N-14_`2", u"-10000000"), QStringLiteral("-10 000 000,00"));
    EXPECT_EQ(fmt(u"N-14_`2", u"-100000000"), QString(14, u'#'));
    EXPECT_EQ(fmt(u"@N-19_`2", u"-9999999999999.99"), QString(19, u'#'));
    EXPECT_EQ(formatPicture(u"@N3", qint64(100)), QStringLiteral("100"));
    EXPECT_EQ(formatPicture(u"@N3", qint64(1000)), QStringLiteral("###"));
    EXPECT_EQ(formatPicture(u"@N3", qint64(-100)), QStringLiteral("###"));
    // Natural width never overflows.
    EXPECT_EQ(fmt(u"@N-_`2", u"-9999999999999.99"), QStringLiteral("-9 999 999 999 999,99"));
}

TEST(Picture, BlankWhenZero)
{
    EXPECT_EQ(fmt(u"N-19_`2B", u"0"), QString(19, u' '));
    EXPECT_EQ(fmt(u"N-19_`2B", u"0.01"), QStringLiteral("               0,01"));
    EXPECT_EQ(fmt(u"N-19_`2B", u"-0.01"), QStringLiteral("              -0,01"));
    EXPECT_EQ(formatPicture(u"N5_B", qint64(0)), QString(5, u' '));
    EXPECT_EQ(formatPicture(u"N14_B", qint64(0)), QString(14, u' '));
    EXPECT_EQ(formatPicture(u"N14_B", qint64(1234567)), QStringLiteral("     1 234 567"));
    // Without B zero prints.
    EXPECT_EQ(formatPicture(u"n5_", qint64(0)), QStringLiteral("    0"));
}

TEST(Picture, WholeUnitsAndCounters)
{
    EXPECT_EQ(fmt(u"@N-19_", u"1234.5"), QStringLiteral("              1 235"));
    EXPECT_EQ(fmt(u"@N-19_", u"-1234.5"), QStringLiteral("             -1 235"));
    EXPECT_EQ(fmt(u"@N-19_", u"-0.49"), QStringLiteral("                  0")); // no "-0"
    EXPECT_EQ(fmt(u"@N-19_", u"0.5"), QStringLiteral("                  1"));
    EXPECT_EQ(formatPicture(u"@N3", qint64(7)), QStringLiteral("  7"));
    EXPECT_EQ(formatPicture(u"n5_", qint64(12345)), QStringLiteral("#####")); // 12 345 needs six
    EXPECT_EQ(formatPicture(u"n5", qint64(12345)), QStringLiteral("12345"));
    EXPECT_EQ(formatPicture(u"n5_", qint64(1234)), QStringLiteral("1 234"));
    // A negative never prints as positive, even where the picture has no minus.
    EXPECT_EQ(formatPicture(u"n5", qint64(-42)), QStringLiteral("  -42"));
    EXPECT_EQ(formatPicture(u"@N10-", qint64(-42)), QStringLiteral("       42-"));
    // Integers in a picture with decimals.
    EXPECT_EQ(formatPicture(u"@N-19_`2", qint64(-5)), QStringLiteral("              -5,00"));
    EXPECT_EQ(formatPicture(u"@N12.`2", qint64(1234567)), QStringLiteral("1.234.567,00"));
    EXPECT_EQ(formatPicture(u"@N9.2", amount(u"-3.5")), QStringLiteral("    -3.50"));
}

TEST(Picture, Dates)
{
    const DayNumber d = dayFromYmd(2026, 3, 5);
    EXPECT_EQ(formatPicture(u"@D6-", qint64(d)), QStringLiteral("05-03-2026"));
    EXPECT_EQ(formatPicture(u"D6-B", qint64(d)), QStringLiteral("05-03-2026"));
    EXPECT_EQ(formatPicture(u"@D10-", qint64(d)), QStringLiteral("2026-03-05"));
    EXPECT_EQ(formatPicture(u"@D6", qint64(d)), QStringLiteral("05/03/2026"));
    EXPECT_EQ(formatPicture(u"@D12", qint64(d)), QStringLiteral("20260305"));
    EXPECT_EQ(formatPicture(u"@D6-", qint64(kDay1900)), QStringLiteral("01-01-1900"));
    EXPECT_EQ(formatPicture(u"@D6-", qint64(1)), QStringLiteral("29-12-1800"));
    EXPECT_EQ(formatDate(*Picture::parse(u"@D6-"), d), QStringLiteral("05-03-2026"));
    // "No date" never prints as 28-12-1800.
    EXPECT_EQ(formatPicture(u"D6-B", qint64(0)), QString(10, u' '));
    EXPECT_EQ(formatPicture(u"@D6-", qint64(0)), QString(10, u' '));
    EXPECT_EQ(formatPicture(u"@D6-", qint64(-3)), QString(10, u' '));
}

TEST(Picture, StringsAndPatterns)
{
    EXPECT_EQ(formatPicture(u"@s10", u"Lp"), QStringLiteral("Lp        "));
    EXPECT_EQ(formatPicture(u"@s10", u"Zażółć gęślą jaźń"), QStringLiteral("Zażółć gęś"));
    EXPECT_EQ(formatPicture(u"@s10", qint64(17)), QStringLiteral("17        "));
    EXPECT_EQ(formatPicture(u"@S", u"bez zmian"), QStringLiteral("bez zmian"));
    EXPECT_EQ(formatPicture(u"P###P", qint64(7)), QStringLiteral("007"));
    EXPECT_EQ(formatPicture(u"P###P", qint64(999)), QStringLiteral("999"));
    EXPECT_EQ(formatPicture(u"P###P", qint64(1000)), QStringLiteral("###"));
    EXPECT_EQ(formatPicture(u"P<<#P", qint64(7)), QStringLiteral("  7"));
    EXPECT_EQ(formatPicture(u"P<<#P", qint64(0)), QStringLiteral("  0"));
    EXPECT_EQ(formatPicture(u"P##-##P", qint64(1234)), QStringLiteral("12-34"));
}

TEST(Picture, TextValuesThroughNumberPictures)
{
    // Values read from pass-through buffers arrive as text.
    EXPECT_EQ(formatPicture(u"@N-19_`2", u"-1234.5000"), QStringLiteral("          -1 234,50"));
    EXPECT_EQ(formatPicture(u"@N-19_`2B", u""), QString(19, u' '));
    EXPECT_EQ(formatPicture(u"@D6-", u"46086"), formatPicture(u"@D6-", qint64(46086)));
    EXPECT_EQ(formatPicture(u"N-14_`2", u"n/a"), QStringLiteral("n/a           ")); // shown, not lost
}

TEST(Picture, DatesTypedIntoWindows)
{
    const DayNumber d = dayFromYmd(2026, 3, 5);
    EXPECT_EQ(parseDate(u"05-03-2026"), d);
    EXPECT_EQ(parseDate(u"5-3-2026"), d);
    EXPECT_EQ(parseDate(u" 5.3.2026 "), d);
    EXPECT_EQ(parseDate(u"05/03/2026"), d);
    EXPECT_EQ(parseDate(u"05032026"), d);
    EXPECT_EQ(parseDate(u"01-01-1900"), kDay1900);
    EXPECT_EQ(parseDate(u""), kNoDate);
    EXPECT_EQ(parseDate(u"29-02-2000"), dayFromYmd(2000, 2, 29));
    EXPECT_EQ(parseDate(*Picture::parse(u"@D10-"), u"2026-03-05"), d);
    for (QStringView bad : {u"29-02-1900", u"31-04-2026", u"00-01-2026", u"01-13-2026", u"1-2", u"1-2-3-4",
                            u"05-03-2026x", u"05--03-2026", u"05-03-", u"123-03-2026", u"05-03-20266", u"abc"})
        EXPECT_FALSE(parseDate(bad).has_value()) << bad.toString().toStdString();
    // Round trip through the picture the windows show.
    const Picture shown = *Picture::parse(u"@D6-");
    for (DayNumber day : {DayNumber(1), kDay1900, d, dayFromYmd(2099, 12, 31)})
        EXPECT_EQ(parseDate(shown, formatDate(shown, day)), day);
}
