// The statement formula language: what it reads, where it says a formula is wrong, and the masks.
#include "server/src/procedures/StatementFormula.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace pravik::server::formula {
namespace {

ParseError errorOf(const QString& text)
{
    ParseError e;
    EXPECT_FALSE(parse(text, &e).has_value()) << qPrintable(text);
    return e;
}

TEST(StatementFormula, ReadsTheWholeLanguage)
{
    for (const char* text : {"WN(\"40*\")+MA(\"7?0-*\")", "bo(\"130\") - bown(\"1*\")*boma(\"2*\")", "SWN(#)+SMA(#)+S(#)",
                             "BT(\"801*\"; WY)+BT(\"801*\";\"z\")+BT(#)+PLAN(\"801-80101*\")", "W(1)+K(2)", "ABS(-W(3))",
                             "MIN(1;2;3)+MAX(1,5;2.5)", "ROUND(W(1)/3; 2)+ROUND(7;-1)", "  ", "-(-(1))", "\"\"\"\"" /* not a formula */}) {
        ParseError e;
        const auto f = parse(QString::fromUtf8(text), &e);
        if (QByteArray(text) == "\"\"\"\"") {
            EXPECT_FALSE(f.has_value());
            continue;
        }
        EXPECT_TRUE(f.has_value()) << text << ": " << e.position << " " << qPrintable(e.message);
    }
    const auto refs = parse(u"W(3)+W(12)*K(2)", nullptr);
    ASSERT_TRUE(refs);
    EXPECT_EQ(refs->rowRefs(), (std::vector<int>{3, 12}));
    EXPECT_EQ(refs->columnRefs(), (std::vector<int>{2}));
    EXPECT_TRUE(parse(u"S(#)", nullptr)->usesElement());
    EXPECT_EQ(parse(u"", nullptr)->root, -1);
}

TEST(StatementFormula, MasksKeepQuotesAndNeverMeanMore)
{
    const auto f = parse(u"WN(\"40'; drop table NAG_DOK; --\")+WN(\"a\"\"b\")", nullptr);
    ASSERT_TRUE(f);
    QStringList masks;
    for (const Node& n : f->nodes)
        if (n.kind == Node::LedgerSum)
            masks << n.mask;
    EXPECT_EQ(masks, (QStringList{QStringLiteral("40'; drop table NAG_DOK; --"), QStringLiteral("a\"b")}));
}

TEST(StatementFormula, ErrorsSayWhereAndWhat)
{
    struct Case {
        const char* text;
        int position;
        const char* words;
    };
    const Case cases[] = {
        {"WN(\"401*\"", 10, "formuła urywa się"},
        {"XYZ(1)", 1, "nieznana funkcja XYZ"},
        {"1+(2*3", 3, "brak nawiasu zamykającego"},
        {"1+2)", 4, "nawias zamykający bez otwierającego"},
        {"WN(\"40*)", 4, "niezamknięty cudzysłów"},
        {"WN(40)", 4, "oczekiwano maski"},
        {"1 + ; drop table x", 5, "nieoczekiwany znak „;”"},
        {"W(x)", 3, "oczekiwano liczby całkowitej"},
        {"BT(\"801*\"; Q)", 12, "nieznany rodzaj"},
        {"ROUND(1)", 8, "oczekiwano „;”"},
        {"MIN(1)", 6, "drugiego argumentu"},
        {"2 *", 4, "formuła urywa się"},
        {"K(0)", 1, "kolumny numeruje się od 1"},
        {"1,1234567", 9, "6 miejsc"},
        {"#", 1, "znak # może być tylko argumentem"},
    };
    for (const Case& c : cases) {
        const ParseError e = errorOf(QString::fromUtf8(c.text));
        EXPECT_EQ(e.position, c.position) << c.text << ": " << qPrintable(e.message);
        EXPECT_TRUE(e.message.contains(QString::fromUtf8(c.words))) << c.text << ": " << qPrintable(e.message);
    }
}

TEST(StatementFormula, DeepNestingIsRefusedNotFollowed)
{
    const QString deep = QString(1000, u'(') + QStringLiteral("1") + QString(1000, u')');
    ParseError e = errorOf(deep);
    EXPECT_TRUE(e.message.contains(QStringLiteral("zbyt głęboko"))) << qPrintable(e.message);
    EXPECT_EQ(e.position, kMaxDepth + 1);
    e = errorOf(QString(100000, u'-') + QStringLiteral("1"));
    EXPECT_TRUE(e.message.contains(QStringLiteral("zbyt głęboko")));
    e = errorOf(QStringLiteral("ABS(").repeated(1000) + QStringLiteral("1") + QString(1000, u')'));
    EXPECT_TRUE(e.message.contains(QStringLiteral("zbyt głęboko")));
    // Nesting up to the limit is fine, and a long flat formula is not nesting at all.
    const int ok = kMaxDepth - 1;
    EXPECT_TRUE(parse(QString(ok, u'(') + QStringLiteral("1") + QString(ok, u')'), nullptr));
    EXPECT_TRUE(parse(QStringLiteral("1+").repeated(1999) + QStringLiteral("1"), nullptr));
}

TEST(StatementFormula, AccountMasksAndListElements)
{
    EXPECT_TRUE(maskFits(u"201-15", u"201*"));
    EXPECT_TRUE(maskFits(u"201", u"201*"));
    EXPECT_FALSE(maskFits(u"201-15", u"201"));
    EXPECT_TRUE(maskFits(u"211-5", u"2?1-*"));
    EXPECT_FALSE(maskFits(u"211", u"2?1-*"));
    EXPECT_TRUE(maskFits(u"401-3-ab", u"401-3-AB"));
    EXPECT_TRUE(maskFits(u"anything", u""));
    EXPECT_TRUE(maskFits(u"402-2-2-1", u"4*2*1"));
    EXPECT_TRUE(elementCovers(u"201-1", u"201-1"));
    EXPECT_TRUE(elementCovers(u"201-1", u"201-1-5"));
    EXPECT_FALSE(elementCovers(u"201-1", u"201-10"));
    EXPECT_TRUE(elementCovers(u"801-80101", u"801-80101.4210"));
    EXPECT_FALSE(elementCovers(u"", u"201"));
}

TEST(StatementFormula, RoundsMillionthsHalfAwayFromZero)
{
    EXPECT_EQ(toCents(Fixed(12345)), 1);        // 0,012345
    EXPECT_EQ(toCents(Fixed(15000)), 2);        // 0,015
    EXPECT_EQ(toCents(Fixed(-15000)), -2);
    EXPECT_EQ(toCents(Fixed(14999)), 1);
    EXPECT_EQ(toCents(fromCents(-123456)), -123456);
}

} // namespace
} // namespace pravik::server::formula
