// What a statement's printout and browse say of its period.
#include "statements/headings/StatementHeadings.h"

#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using Type = HeadingPeriod::Type;

const DayNumber k1Jan = dayFromYmd(2026, 1, 1), k31Mar = dayFromYmd(2026, 3, 31), k31Dec = dayFromYmd(2026, 12, 31);

TEST(StatementHeadings, OneLineWhenTheColumnsShareTheirPeriodWhateverTheOpeningColumns)
{
    const QList<HeadingColumn> shared = {{true, 0, 0, "2026"}, {false, k1Jan, k31Mar, "2026"}, {false, k1Jan, k31Mar, "2025"}};
    EXPECT_EQ(statementHeadingLines(shared, {Type::Range}), QStringList{"Zestawienie od dnia 01-01-2026  do dnia 31-03-2026"});
    EXPECT_EQ(statementHeadingLines(shared, {Type::Quarter, 1, 2026}), QStringList{"Zestawienie za I kwartał 2026"});
    EXPECT_EQ(statementHeadingLines(shared, {Type::Month, 12, 2026, true}, " Opis "),
              (QStringList{"Zestawienie za okres od początku roku do końca okresu Grudzień  2026", "Opis"}));
    const QList<HeadingColumn> onDay = {{false, 0, k31Dec, "2026"}};
    EXPECT_EQ(statementHeadingLines(onDay, {Type::OnDay}), QStringList{"Zestawienie na dzień 31-12-2026"});

    EXPECT_EQ(statementBrowseTitle("Bilans", onDay, {Type::OnDay}), "Bilans na dzień 31-12-2026");
    EXPECT_EQ(statementBrowseTitle("RZiS", shared, {Type::Range}), "RZiS od 01-01-2026 do 31-03-2026");
    EXPECT_EQ(statementBrowseTitle("RZiS", shared, {Type::Quarter, 4, 2026}), "RZiS IV kwartał");
    EXPECT_EQ(statementBrowseTitle("RZiS", shared, {Type::Month, 2, 2026}), "RZiS Luty  2026");
    // A quarter or month list with nothing chosen in it: the to date, and no empty period name.
    EXPECT_EQ(statementHeadingLines(onDay, {Type::Quarter, 0, 2026}), QStringList{"Zestawienie na dzień 31-12-2026"});
    EXPECT_EQ(statementBrowseTitle("RZiS", shared, {Type::Month, 0, 2026}), "RZiS");
}

TEST(StatementHeadings, OneLinePerColumnNumberedFromTwoWhenThePeriodsDiffer)
{
    const QList<HeadingColumn> columns = {{true, 0, 0, "2026"}, {false, 0, k31Mar, "2026"}, {false, k1Jan, k31Mar, "2026"}};
    EXPECT_EQ(statementHeadingLines(columns, {Type::Range}),
              (QStringList{"Kolumna nr 2 BO 2026", "Kolumna nr 3 na dzień 31-03-2026", "Kolumna nr 4 od dnia 01-01-2026  do dnia 31-03-2026"}));
    EXPECT_EQ(statementBrowseTitle("Bilans", columns, {Type::Range}), "Bilans");
    // Opening-balance columns only: nothing to say of a period.
    EXPECT_EQ(statementHeadingLines({{true, 0, 0, "2026"}}, {Type::OnDay}), QStringList{"Kolumna nr 2 BO 2026"});
    EXPECT_TRUE(statementHeadingLines(columns, {Type::Range}, QString(200, 'x')).last().size() == 150);
}

} // namespace
} // namespace pravik::statements
