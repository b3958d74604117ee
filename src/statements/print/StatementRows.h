#pragma once
// The data stage of the multi-column statement printout: which statements are printed and in
// what order, their headers and captions, and their computed rows read from ZESTAW_ZESTAW one by
// one, scaled and rounded as asked, with the flags the print stage needs (bold, counted in the
// totals). Nothing here prints.
#include "platform/Decimal.h"
#include "platform/sql/Cursor.h"
#include "statements/print/StatementPrintRequest.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

namespace pravik::statements {

constexpr int kMaxAmountColumns = 20;
using Amounts = std::array<Decimal, kMaxAmountColumns>;

struct StatementHead {
    qint64 id = 0;
    QString name;
    QString formCode;    // ZESTAW_NAG.wariant
    int columns = 0;     // amount columns this statement has (1 to 20)
    // Caption of the text column ("Nazwa pozycji" when the statement has none), then the
    // captions of amount columns 1 to 20.
    QStringList captions;
    int maxLevel = 0;    // highest |poziom| of its computed rows
    // A section of a budget form: a budget statement ('BA') whose form code the section table
    // knows. It prints with the form's header, boxes and closing block, and without bold rows.
    bool formSection = false;
};

struct PrintRow {
    int ordinal = 0;     // 1, 2, ... over the printed rows of a statement
    QString text;        // symbol and description
    int level = 0;       // poziom as stored (may be negative)
    bool bold = false;
    bool counted = false; // added to the totals
    Amounts amounts{};   // scaled and rounded as printed
};

// The key statements of a group are printed in: the form code, some codes moved to the front by a
// one-letter prefix.
QString groupSortKey(const QString& formCode);
// Group order: keys compared without regard to case, ties by name, then by id.
bool printsBefore(const StatementHead& a, const StatementHead& b);

// Thousands first (divided by 1000), then rounding or truncation to whole units.
Decimal printedAmount(const Decimal& computed, bool thousands, AmountMode mode);
// Whether a row of level `level` counts in the totals, L being the statement's highest level.
bool countsInTotals(int level, TotalsMode mode, int highestLevel, int chosenLevel);
// A row text broken at blanks into lines of at most `width` characters (a word longer than a
// line is split); nothing is dropped. A piece's leading blank is left out.
QStringList wrapText(const QString& text, int width);

// The statements of the request, in print order, with their headers. Empty with *error set when
// a read failed or the statement does not exist.
QList<StatementHead> statementsToPrint(const StatementPrintRequest& request, QString* error);

// The rows of one statement, read one at a time.
class StatementRowSource {
public:
    StatementRowSource(const StatementPrintRequest& request, const StatementHead& head);
    ~StatementRowSource();
    // False at the end or on a failed read (error() tells which).
    bool next(PrintRow* row);
    const QString& error() const { return m_error; }

private:
    const StatementPrintRequest& m_request;
    const StatementHead& m_head;
    std::unique_ptr<sql::Cursor> m_cursor;
    int m_ordinal = 0;
    QString m_error;
};

// A whole statement with its totals, for the export and for callers that want the figures.
struct StatementFigures {
    QList<PrintRow> rows;
    Amounts total{};
    QString error;
};
StatementFigures readStatement(const StatementPrintRequest& request, const StatementHead& head);

// The widest amount the printout may have to show in any column of these statements (a row or a
// total), as printed: what the column widths are measured on.
Decimal widestAmount(const StatementPrintRequest& request, const QList<StatementHead>& heads, QString* error);

} // namespace pravik::statements
