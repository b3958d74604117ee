#pragma once
// The formula language of user-defined statements: a row's formula for one column, read into a
// small tree that the generator evaluates in memory against sums read once per fiscal year.
// The language is described in server/README.md; nothing of a formula's text ever reaches SQL.
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace pravik::server::formula {

// Deeper nesting (parentheses, unary signs, function calls) is refused with a message.
constexpr int kMaxDepth = 100;

// Decimal values inside a formula: a whole number of millionths, so that a quotient kept for
// further arithmetic loses nothing visible before the cell is rounded to grosze.
__extension__ typedef __int128 Fixed;
constexpr qint64 kScale = 1'000'000;

enum class Ledger { WN, MA, BO, BOWN, BOMA, SWN, SMA, S };
enum class BudgetKind { All, D, WP, WY, K, Z, X };

struct Node {
    enum Kind { Number, Negate, Add, Subtract, Multiply, Divide, LedgerSum, BudgetSum, PlanSum, RowRef, ColumnRef,
                Abs, Min, Max, Round };
    Kind kind = Number;
    int position = 0;           // 1-based character of the formula where the node starts
    Fixed number = 0;           // Number
    int ref = 0;                // RowRef: lp; ColumnRef: column; Round: places
    Ledger ledger = Ledger::WN; // LedgerSum
    BudgetKind budget = BudgetKind::All;
    QString mask;               // ?/* mask; empty with element set: the row's list element ("#")
    bool element = false;
    std::vector<int> args;      // indices of child nodes
};

struct Formula {
    std::vector<Node> nodes;    // nodes[root] is the whole formula; an empty formula has none
    int root = -1;
    bool usesElement() const;
    std::vector<int> rowRefs() const;
    std::vector<int> columnRefs() const;
};

struct ParseError {
    int position = 0;           // 1-based character
    QString message;            // Polish, without the position
};

// Reads a formula; an empty or blank text is a formula worth 0.
std::optional<Formula> parse(QStringView text, ParseError* error);

// The module's account mask: "?" one character, "*" any text, the rest compared without case;
// the mask covers the whole text. Trailing blanks of both are ignored; an empty mask fits all.
bool maskFits(QStringView text, QStringView mask);

// A list element used as a mask covers itself and everything under it ("201-1" covers
// "201-1" and "201-1-5", not "201-10"; "801-80101" covers "801-80101-4210" and "801-80101.4210").
bool elementCovers(QStringView element, QStringView text);

// Millionths rounded half away from zero to grosze.
qint64 toCents(Fixed value);
inline Fixed fromCents(qint64 cents) { return Fixed(cents) * (kScale / 100); }

} // namespace pravik::server::formula
