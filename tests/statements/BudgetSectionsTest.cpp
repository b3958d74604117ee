// The forms' section table: closing blocks where the table puts them (two signature blocks for
// Rb-27ZZ and Rb-50, none for F-01), the corrected texts, the ordinal column of RbZZawarteUmowy.
#include "statements/forms/BudgetHeader.h"
#include "statements/forms/BudgetSections.h"

#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

int signatureBlocks(const QString& form)
{
    int n = 0;
    for (const QString& s : budgetFormSections(form)) {
        const Closing c = budgetSection(s).closing;
        n += c == Closing::Signature1 || c == Closing::Signature2 || c == Closing::Signature3 || c == Closing::TotalsRuleSignature3;
    }
    return n;
}

TEST(BudgetSections, SignatureBlocksFollowTheTable)
{
    EXPECT_EQ(signatureBlocks(QStringLiteral("Rb27S")), 1);
    EXPECT_EQ(signatureBlocks(QStringLiteral("Rb28S")), 1);
    EXPECT_EQ(budgetSection(QStringLiteral("Rb28SPozycje")).closing, Closing::Signature3);
    EXPECT_EQ(budgetSection(QStringLiteral("Rb28SDotacjeRozwojowe")).closing, Closing::None);
    EXPECT_EQ(signatureBlocks(QStringLiteral("RbZ")), 1);
    EXPECT_EQ(budgetSection(QStringLiteral("rbzzawarteumowy")).closing, Closing::Signature3);
    EXPECT_EQ(signatureBlocks(QStringLiteral("Rb27ZZ")), 2);
    EXPECT_EQ(signatureBlocks(QStringLiteral("Rb50W")), 2);
    EXPECT_EQ(signatureBlocks(QStringLiteral("F-01/I-01")), 0);
    EXPECT_EQ(budgetSection(QStringLiteral("Bilans")).closing, Closing::EndOfPrintout);
    EXPECT_FALSE(isBudgetSection(QStringLiteral("Bilans")));
    // Every section of every form is in the table, the first of each with its form's header.
    for (const char* form : {"Rb27S", "Rb27ZZ", "Rb28S", "Rb28S70", "RbN", "RbZ", "RbZN", "Rb50W", "Rb50D", "F-01/I-01", "RbWS"}) {
        const QStringList codes = budgetFormSections(QLatin1String(form));
        ASSERT_FALSE(codes.isEmpty()) << form;
        for (const QString& c : codes)
            EXPECT_TRUE(isBudgetSection(c) || !budgetSection(c).titles.isEmpty()) << qPrintable(c);
        EXPECT_NE(budgetSection(codes.first()).header, FormHeader::None) << form;
    }
}

TEST(BudgetSections, CorrectedTextsAndTheOrdinalColumn)
{
    EXPECT_EQ(budgetSection(QStringLiteral("F01stwb")).titles.first(), QStringLiteral("Część II. NAKŁADY NA ŚRODKI TRWAŁE"));
    EXPECT_TRUE(budgetSection(QStringLiteral("F01nnbuinst")).titles.first().contains(QStringLiteral("nabycie środków trwałych")));
    EXPECT_TRUE(budgetSection(QStringLiteral("Rb50WWydatkiB")).titles.at(1).startsWith(QStringLiteral("B. Wydatki")));
    EXPECT_TRUE(budgetSection(QStringLiteral("RbZZawarteUmowy")).ordinal);
    EXPECT_FALSE(budgetSection(QStringLiteral("RbZTytulyDluzne")).ordinal);
    EXPECT_EQ(signatureBlockTexts(Closing::Signature3).first(), QStringLiteral("Główny Księgowy / Skarbnik"));
    EXPECT_EQ(signatureBlockTexts(Closing::EndOfPrintout), QStringList{QStringLiteral("Koniec wydruku")});
}

// Every fixed header of every section has its box, and a box over a column the statement does not
// have is left out rather than drawn over another column.
TEST(BudgetSections, FixedHeaderBoxesStandOverTheirColumns)
{
    for (const char* form : {"Rb27S", "Rb27ZZ", "Rb28S", "Rb28S70", "RbN", "RbZ", "RbZN", "Rb50W", "Rb50D", "F-01/I-01", "RbWS"})
        for (const QString& code : budgetFormSections(QLatin1String(form))) {
            QStringList texts;
            for (const HeaderBox& b : fixedHeaderBoxes(code))
                texts << b.text;
            EXPECT_EQ(texts, budgetSection(code).fixedHeaders) << qPrintable(code);
        }
    auto columns = [](const QString& code, int n) {
        QStringList out;
        for (const HeaderBox& b : fixedHeaderBoxes(code))
            if (const auto c = headerBoxColumns(b, n))
                out << QStringLiteral("%1-%2").arg(c->first).arg(c->second);
            else
                out << QStringLiteral("none");
        return out.join(QLatin1Char(' '));
    };
    // The commitments head the last two of five columns, each of its parts one of them.
    EXPECT_EQ(columns(QStringLiteral("Rb28SPozycje"), 5), QStringLiteral("4-5 4-4 5-5"));
    EXPECT_EQ(columns(QStringLiteral("Rb28SPozycje"), 1), QStringLiteral("none none 1-1"));
    EXPECT_EQ(columns(QStringLiteral("RbZTytulyDluzne"), 2), QStringLiteral("0-0 1-1 2-2 none none"));
    EXPECT_EQ(columns(QStringLiteral("RbZZawarteUmowy"), 4), QStringLiteral("1-2 3-4"));
    EXPECT_EQ(columns(QStringLiteral("RbZZawarteUmowy"), 3), QStringLiteral("1-2 3-3"));
    EXPECT_EQ(columns(QStringLiteral("RbZZawarteUmowy"), 1), QStringLiteral("1-1 none"));
    EXPECT_EQ(columns(QStringLiteral("Rb50WPozycje"), 1), QStringLiteral("0-0 0-0 0-0 0-0"));
    EXPECT_TRUE(fixedHeaderBoxes(QStringLiteral("F01rzis")).isEmpty());
}

} // namespace
} // namespace pravik::statements
