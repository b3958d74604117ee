// Text services of the utility library: line cutting, counting, finding, month names.
#include "siblings/utilka/ItemList.h"
#include "siblings/utilka/TextServices.h"

#include <gtest/gtest.h>

using namespace utilka;

namespace {

QStringList pieces(const QString& sep, const QString& text, int width, int max = 0)
{
    return cutIntoPieces(sep, text, width, max);
}

} // namespace

TEST(UtilkaCut, AccountNumbersBreakAfterTheHyphenThatFits)
{
    EXPECT_EQ(STRING_CUT("-", "201-01-0001-0005", 8), "201-01-");
    EXPECT_EQ(pieces("-", "201-01-0001-0005", 8), (QStringList{"201-01-", "0001-", "0005"}));
    // The hyphen right after the width does not fit: it stays with the next piece's word.
    EXPECT_EQ(STRING_CUT("-", "201-01-0001", 6), "201-");
    // Fits as a whole.
    EXPECT_EQ(STRING_CUT("-", "201-01", 21), "201-01");
    EXPECT_EQ(STRING_CUT("-", "201-01", 6), "201-01");
}

TEST(UtilkaCut, DescriptionsBreakBetweenWordsAndDropTheBlanksAtTheBreak)
{
    EXPECT_EQ(STRING_CUT(" ", "Zapłata za fakturę nr 12", 9), "Zapłata ");
    EXPECT_EQ(pieces(" ", "Zapłata za fakturę nr 12", 10), (QStringList{"Zapłata za", "fakturę nr", "12"}));
    // A word ending exactly at the width is kept whole, not cut back to the previous blank.
    EXPECT_EQ(STRING_CUT(" ", "abc def", 3), "abc");
    // Runs of blanks at a break give neither empty nor blank-led lines.
    EXPECT_EQ(pieces(" ", "ab   cd", 3), (QStringList{"ab", "cd"}));
    EXPECT_EQ(pieces(" ", "ab      ", 3), QStringList{"ab"});
}

TEST(UtilkaCut, WordsLongerThanTheWidthAreCutHardAndNothingIsLost)
{
    const QString text = "Zażółćgęśląjaźń";
    EXPECT_EQ(STRING_CUT(" ", text, 5), "Zażół");
    EXPECT_EQ(pieces(" ", text, 5), (QStringList{"Zażół", "ćgęśl", "ąjaźń"}));
    EXPECT_EQ(pieces("-", "20101010101", 4).join(""), "20101010101");
    // A separator only at the very front does not yield a piece made of the separator alone.
    EXPECT_EQ(STRING_CUT("-", "-123456", 3), "-12");
}

TEST(UtilkaCut, DegenerateWidthsAndTextsNeverLoop)
{
    EXPECT_EQ(STRING_CUT(" ", "abc", 0), "");
    EXPECT_EQ(STRING_CUT(" ", "abc", -4), "");
    EXPECT_EQ(STRING_CUT(" ", "", 10), "");
    EXPECT_EQ(STRING_CUT("", "abcdef", 4), "abcd");
    EXPECT_EQ(pieces(" ", "abc def", 0), QStringList{"abc def"});
    EXPECT_TRUE(pieces(" ", "", 10).isEmpty());
    EXPECT_EQ(pieces(" ", "a b c d e f", 1, 3), (QStringList{"a", "b", "c"}));
    // A character outside the basic plane is never split, even at width 1.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\x84") + "ab";
    EXPECT_EQ(STRING_CUT("", emoji, 1), emoji.left(2));
    EXPECT_EQ(pieces("", emoji, 1).join(""), emoji);
}

TEST(UtilkaText, OccurrencesAreCountedWithoutOverlapAndPositionsAgree)
{
    EXPECT_EQ(LICZBA_WYSTAPIEN("aaaa", "aa"), 2);
    EXPECT_EQ(LICZBA_WYSTAPIEN("201-01-0001", "-"), 2);
    EXPECT_EQ(LICZBA_WYSTAPIEN("abc", ""), 0);
    EXPECT_EQ(LICZBA_WYSTAPIEN("ABC", "b"), 0);
    EXPECT_EQ(STR_POZYCJA_WYSTAPIENIA("aaaa", "aa", 2), 3);
    EXPECT_EQ(STR_POZYCJA_WYSTAPIENIA("aaaa", "aa", 3), 0);
    EXPECT_EQ(STR_POZYCJA_WYSTAPIENIA("201-01-0001", "-", 1), 4);
    EXPECT_EQ(STR_POZYCJA_WYSTAPIENIA("201-01-0001", "-", 0), 0);
    EXPECT_EQ(STR_POZYCJA_WYSTAPIENIA("x", "", 1), 0);
}

TEST(UtilkaText, ReplaceCutReverse)
{
    const QString where = "ID_FIRMY=1 AND DATA_OKRESU=44197 AND KONTO='201'";
    EXPECT_EQ(ZAMIEN_WYRAZENIE(where, "DATA_OKRESU=44197", "DATA_OKRESU<44197"),
              "ID_FIRMY=1 AND DATA_OKRESU<44197 AND KONTO='201'");
    EXPECT_EQ(ZAMIEN_WYRAZENIE("aaa", "a", "aa"), "aaaaaa"); // the replacement is not searched again
    EXPECT_EQ(ZAMIEN_WYRAZENIE("abc", "", "x"), "abc");
    EXPECT_EQ(ZAMIEN_WYRAZENIE("abc", "zz", "x"), "abc");

    EXPECT_EQ(STRING_WYTNIJ_DO("-", "201-01-0001", 1), "201");
    EXPECT_EQ(STRING_WYTNIJ_DO("-", "201-01-0001", 2), "201-01");
    EXPECT_EQ(STRING_WYTNIJ_DO("-", "201-01-0001", 5), "201-01-0001");
    EXPECT_EQ(STRING_WYTNIJ_DO("-", "201-01-0001", 0), "");

    EXPECT_EQ(STRING_ODWROC("Łódź"), "źdóŁ");
    const QString clef = QString::fromUtf8("a\xF0\x9D\x84\x9E" "b");
    EXPECT_EQ(STRING_ODWROC(clef), QString::fromUtf8("b\xF0\x9D\x84\x9E" "a"));
}

TEST(UtilkaText, ControlCharactersBecomeSingleBlanksInsideAndVanishAtTheEnds)
{
    EXPECT_EQ(USUN_ZNAKI_STERUJACE("Opis\r\ndrugi\twiersz"), "Opis drugi wiersz");
    EXPECT_EQ(USUN_ZNAKI_STERUJACE("\r\n  Opis\x7f\n"), "  Opis");
    EXPECT_EQ(USUN_ZNAKI_STERUJACE(QString("a") + QChar(0) + "b"), "a b");
    EXPECT_EQ(USUN_ZNAKI_STERUJACE("Zażółć"), "Zażółć");
    EXPECT_EQ(USUN_ZNAKI_STERUJACE("\n\n"), "");
}

TEST(UtilkaText, MonthNames)
{
    EXPECT_EQ(NAZWA_MIESIACA(1, 0), "Styczeń");
    EXPECT_EQ(NAZWA_MIESIACA(10, 0), "Październik");
    EXPECT_EQ(NAZWA_MIESIACA(12, 0), "Grudzień");
    EXPECT_EQ(NAZWA_MIESIACA(9, 1), "września");
    EXPECT_EQ(NAZWA_MIESIACA(0, 0), "");
    EXPECT_EQ(NAZWA_MIESIACA(13, 0), "");
    for (int m = 1; m <= 12; ++m)
        EXPECT_LE(NAZWA_MIESIACA(m, 0).size(), 20);
}

TEST(UtilkaItemList, ControlListRoundTripsWithSeparatorsInTheDescription)
{
    const QStringList items = {"61", "1", "3", "0", "1", R"(Konto: 201|01 \ "x" \| koniec\)", "0"};
    const QString list = buildItemList(items);
    EXPECT_EQ(splitItemList(list), items);
    for (int n = 1; n <= items.size(); ++n)
        EXPECT_EQ(WYTNIJ_STR(n, list), items.at(n - 1)) << n;
    EXPECT_EQ(itemNumber(1, list), 61);
    EXPECT_EQ(itemNumber(7, list), 0);
}

TEST(UtilkaItemList, MissingAndMalformedItems)
{
    const QString list = "68|0| 3 ||1";
    EXPECT_EQ(WYTNIJ_STR(3, list), " 3 ");
    EXPECT_EQ(itemNumber(3, list), 3);
    EXPECT_EQ(WYTNIJ_STR(4, list), "");
    EXPECT_EQ(WYTNIJ_STR(9, list), "");
    EXPECT_EQ(itemNumber(9, list), 0);
    EXPECT_EQ(WYTNIJ_STR(0, list), "");
    EXPECT_EQ(itemNumber(1, "abc|2"), 0);
    EXPECT_EQ(WYTNIJ_STR(1, ""), "");
    // A backslash that escapes nothing stays, so hand-written paths survive.
    EXPECT_EQ(WYTNIJ_STR(2, R"(1|C:\dane\raport)"), R"(C:\dane\raport)");
    EXPECT_EQ(WYTNIJ_STR(1, R"(koniec\)"), R"(koniec\)");
}
