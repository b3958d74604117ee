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

} // namespace
} // namespace pravik::statements
