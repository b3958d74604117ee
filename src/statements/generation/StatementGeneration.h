#pragma once
// Computing user-defined statements. ZESTAWIENIE_GENERUJ reads each column's period from the
// user's KOMUNIKAT rows of context 'ZESTZAK' (id_zasobu the statement), so the periods of every
// statement go there first, in one transaction, and the procedure then runs for each statement
// in turn. The statement window, "pravik statement" and the budget exports generate through here
// so that the procedure always sees the same rows, however the run was started.
#include "platform/DayNumber.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

namespace pravik::statements {

// One amount column and the period it is computed over.
struct GenerationColumn {
    qint64 statementId = 0;
    int number = 0;              // 1..20
    bool openingBalance = false; // computed from its year's opening balance: no dates
    DayNumber from = 0;          // 0: from the first day of the column's fiscal year
    DayNumber to = 0;
    qint32 yearId = 0;           // the column's fiscal year (id_lata_obrot)
};

// The columns of one statement as ZESTAW_NAG defines them (at most 20), every column that is not
// an opening-balance column given from..to, the others none; a column without a year of its own
// belongs to workingYear. Nullopt with the reason when the statement cannot be read.
std::optional<QList<GenerationColumn>> statementColumns(qint64 statementId, DayNumber from, DayNumber to, qint32 workingYear,
                                                        QString* error);

// The range a statement's automatic lists are rebuilt over ("Pełny zakres"): the smallest from
// and the largest to date of its columns; where the columns give none, the first or last day of
// their fiscal years (of fallbackYear for a statement without columns). Nullopt with the reason
// when the years cannot be read.
std::optional<std::pair<DayNumber, DayNumber>> listDateRange(const QList<GenerationColumn>& columns, qint32 company, qint32 fallbackYear,
                                                             QString* error);

struct GenerationRequest {
    qint32 company = 0;
    qint32 year = 0;             // the working fiscal year
    qint32 user = 0;
    QList<qint64> statements;    // generated in this order
    QList<GenerationColumn> columns; // the periods written for the procedure, of any statement
    bool ordinary = true;        // 0 for budget forms, whose period comes from the range below
    DayNumber from = 0;          // the period of columns that have no period row
    DayNumber to = 0;
    bool approvedOnly = false;
    bool computeBo = false;
    bool skipBz = false;
};

// Sets the request's columns to every column of its statements over its from..to (opening-balance
// columns none): a whole form or group run over one period. False with the reason when a
// statement cannot be read.
bool useRequestPeriod(GenerationRequest* request, QString* error);

struct GenerationFailure {
    qint64 statementId = 0;      // the statement whose generation failed; 0: the periods were not written
    QString text;                // the database's or the procedure's own text
};

// Called once the periods are written (done 0) and after each statement generated.
using GenerationProgress = std::function<void(int done, int total)>;

// Writes the periods (the user's earlier 'ZESTZAK' rows replaced as a whole) and generates the
// statements; stops at the first failure, leaving the later statements' rows as they were.
std::optional<GenerationFailure> generateStatements(const GenerationRequest& request, const GenerationProgress& progress = {});

} // namespace pravik::statements
