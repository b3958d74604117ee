#pragma once
// A record of the module's statements as they reach the gateway, for tests that must know the SQL
// the reports really send (the command-line golden cases keep it next to their expected output).
//
// Off unless PRAVIK_SQL_CAPTURE names a file when the first statement runs; then every statement
// given to Database::exec (T-SQL before translation, procedure CALLs included) is appended to that
// file as one line, followed by "-- error: TEXT" when it failed. Line breaks inside a statement are
// written as "\n" and backslashes as "\\". Off, it costs one test of a flag per statement.
#include <QString>

namespace pravik::sql {

class SqlCapture {
public:
    static bool enabled();
    static void record(const QString& tsql, const QString& errorText);

    // One captured line back into the statement it stands for.
    static QString escape(const QString& statement);
    static QString unescape(const QString& line);
};

} // namespace pravik::sql
