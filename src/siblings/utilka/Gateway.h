#pragma once
// The six SQL execution calls. Each takes the complete T-SQL text of one statement, runs it on
// the calling thread's connection (translated for the server, "CALL NAME (args)" reaching the
// database's procedure) and leaves the runtime's error code and the driver's error text behind:
//
//   EXECSQL   rows for NEXT on ZAPYTANIESQL   (changes, procedure calls, selects)
//   EXECSQL1  rows for NEXT on ZAPYTANIESQL1  (account and code lists)
//   EXECVAX   rows for NEXT on VAX_FK         (general selects, text columns)
//   EXECVAY   rows for NEXT on VAY_FK         (one long first column)
//   FUNCVAY   the first column of the first row as text (counts, single settings, dates)
//   FUNCVAZ   the same, for long texts (statement formulas)
//
//   EXECVAX("select nr_konta, nazwa from ...");
//   if (!utilka::checkSql()) return;             // warning shown, failure reported
//   while (korda::VAX_FK.next() == 0) use(korda::VAX_FK.text(1));
//
// A failed statement is reported to the error sink against the running procedure; the caller
// decides whether the user sees it (checkSql: the driver's text in a warning box, once).
#include "siblings/korda/PassThrough.h"

#include <QString>

namespace utilka {

// Each returns true when the statement succeeded (error code 0).
bool EXECSQL(const QString& sql);
bool EXECSQL1(const QString& sql);
bool EXECVAX(const QString& sql);
bool EXECVAY(const QString& sql);
// Empty text for no row, a null value or a failure (errorCode() tells a failure apart). A
// number comes in plain decimal ("12", "1234.50"); trailing blanks are removed.
QString FUNCVAY(const QString& sql);
QString FUNCVAZ(const QString& sql);

// The runtime's error code after the last statement or NEXT on this thread: 0 = success,
// 33 = no further row, 90 = the driver or the server refused (see platform/sql/ErrorCodes.h).
int errorCode();
// The driver's error text of the last failure; empty after a success.
QString errorText();
// The text of the last statement run on this thread.
QString lastStatement();

// After a statement: true when it succeeded. When it failed, shows the driver's error text in
// a warning box (once, however often it is asked) and returns false; the caller goes on with
// its next step unless its report is abandoned. A NEXT that failed while reading rows counts as
// a failure of its statement, so checking after the loop catches a broken result set too.
bool checkSql();

// Reads the next row of a pass-through table into its record and sets errorCode(); 0 = a row.
int NEXT(korda::PassThroughTable table);

// A unit of work on the scratch rows of one user, run on this thread's connection: begun at
// construction, rolled back at destruction unless committed. It takes the database's write
// lock up front (SQLite) and, on PostgreSQL, a lock of its own for the user, so that two runs of
// the same user follow one another instead of mixing their rows; either waits within the
// connection's busy or lock timeout and then fails. A failure to begin or commit is reported
// like a failed statement (errorCode(), errorText(), checkSql()).
class ScratchTransaction {
public:
    explicit ScratchTransaction(qint32 user);
    ~ScratchTransaction();
    ScratchTransaction(const ScratchTransaction&) = delete;
    ScratchTransaction& operator=(const ScratchTransaction&) = delete;

    bool ok() const { return m_open; }
    bool commit();

private:
    bool m_open = false;
};

} // namespace utilka
