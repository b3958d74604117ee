#pragma once
// Stored procedures for servers that have none of their own (SQLite) or where ours are written
// in C++ (PostgreSQL): "CALL NAME (args)" sent through Database::exec runs the function
// registered here under NAME (case does not matter).
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

namespace pravik::sql {

class Database;

struct ProcedureResult {
    bool ok = true;
    QString error;
    QStringList columns; // optional names of the result columns
    QList<QVariantList> rows;

    static ProcedureResult failure(const QString& error);
    static ProcedureResult withRows(QList<QVariantList> rows);
};

using Procedure = std::function<ProcedureResult(Database&, const QVariantList& args)>;

class ProcedureRegistry {
public:
    // Registers or replaces a procedure. Thread-safe; register at start-up.
    static void add(const QString& name, Procedure procedure);
    static bool contains(const QString& name);
    // A copy of the procedure registered under name; empty function when none.
    static Procedure find(const QString& name);
};

// "CALL NAME (args)", "CALL NAME(args)", "call name", with or without a trailing ";".
// Arguments: integers and decimals (also negative; whole numbers arrive as qlonglong, others as
// their exact text in a QString), quoted texts with doubled quotes (as QString), NULL.
struct CallStatement {
    QString name;
    QVariantList args;
    QStringList argTexts; // each argument as written (quotes included), for passing it on
};

// Whether the text is a CALL at all (the keyword CALL first, any case).
bool isCall(const QString& statement);
// Parses a CALL; nullopt and a message in *error when it is malformed.
std::optional<CallStatement> parseCall(const QString& statement, QString* error = nullptr);
// The ODBC escape a T-SQL server executes: {CALL name (args)}.
QString odbcCallEscape(const CallStatement& call);

} // namespace pravik::sql
