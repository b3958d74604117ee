#pragma once
// What a budget form's section adds around its rows on paper: the header layout and title lines
// before the rows, the fixed column-header boxes, and the block after the rows. The printout asks
// for the section of every statement it prints by the statement's form code.
#include <QString>
#include <QStringList>
#include <optional>

namespace pravik::statements {

enum class FormHeader { None, General, Rb50, RbWS, F01 };
enum class Closing { EndOfPrintout, None, Signature1, Signature2, Signature3, TotalsAndRule, TotalsRuleSignature3 };

struct SectionLayout {
    QString code;
    FormHeader header = FormHeader::None;
    // Lines before the rows; an empty entry is a gap (the spacer band).
    QStringList titles;
    QStringList fixedHeaders; // the boxes above the amount columns; empty: the ordinary captions
    Closing closing = Closing::EndOfPrintout;
    bool ordinal = false;     // the ordinal column is switched on for the section
};

// The section of a form code (any case); an ordinary statement gets the "Koniec wydruku" closing
// and nothing else. Every form section prints without bold rows.
SectionLayout budgetSection(const QString& code);
bool isBudgetSection(const QString& code);

// The texts of the signature blocks.
QStringList signatureBlockTexts(Closing block);

} // namespace pravik::statements
