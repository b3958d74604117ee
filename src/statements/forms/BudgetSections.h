#pragma once
// What a budget form's section adds around its rows on paper: the header layout and title lines
// before the rows, the fixed column-header boxes, and the block after the rows. The printout asks
// for the section of every statement it prints by the statement's form code.
#include <QString>
#include <QStringList>
#include <QList>
#include <optional>
#include <utility>

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

// Where a fixed column header stands above the columns. Columns: 0 is the text column, 1 to N the
// amount columns from the left, -1 to -N from the right; kFirstHalf and kSecondHalf stand for the
// last column of the left half and the first of the right half. Rows count down from the top of
// the box strip. A box may take a share (part of parts) of the text column.
struct HeaderBox {
    static constexpr int kFirstHalf = 1000;
    static constexpr int kSecondHalf = 1001;
    QString text;
    int row = 0;
    int rows = 1;
    int first = 0;
    int last = 0;
    int part = 0;
    int parts = 1;
};
// The boxes of a section's fixed column headers, one per text of its fixedHeaders, in that order.
QList<HeaderBox> fixedHeaderBoxes(const QString& code);
// first..last resolved for N amount columns; nullopt when the box stands over a column the
// statement does not have.
std::optional<std::pair<int, int>> headerBoxColumns(const HeaderBox& box, int amountColumns);

} // namespace pravik::statements
