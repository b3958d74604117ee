#pragma once
// Pieces of SQL that differ between SQLite and PostgreSQL, for the reference procedures.
//
// Money inside the procedures: SQLite keeps DECIMAL(15,2) values as REAL, so the procedures
// convert every amount to a whole number of grosze on the way in, add integers, and divide by
// 100 only when a result is written back. PostgreSQL's NUMERIC is exact as it is.
#include "platform/sql/Cursor.h"
#include "platform/sql/Database.h"
#include "platform/sql/Dialect.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace pravik::server {

class ServerSql {
public:
    explicit ServerSql(sql::Dialect dialect) : m_dialect(dialect) {}

    bool isSqlite() const { return m_dialect == sql::Dialect::SQLite; }

    // An amount column as the procedures compute with it (grosze in SQLite).
    QString amount(const QString& expr) const;
    // Sum of computed amounts.
    QString sum(const QString& expr) const;
    // A computed amount as it is stored in a DECIMAL column.
    QString stored(const QString& expr) const;
    // Column type of computed amounts in temporary tables.
    QString amountType() const;
    // Larger of the value and zero.
    QString positive(const QString& expr) const;
    // Position of needle in haystack, 1-based, 0 when absent.
    QString position(const QString& haystack, const QString& needle) const;
    // The first segment of an account number (the synthetic account).
    QString syntheticOf(const QString& account) const;
    // The synthetic number as an integer, null when the text is not all digits.
    QString syntheticNumberOf(const QString& account) const;
    // Two amounts differ by at least a grosz.
    QString differs(const QString& a, const QString& b) const;

private:
    sql::Dialect m_dialect;
};

// Runs statements one after another and keeps the first failure, so that a procedure reads as
// its list of statements and still stops at the first one the server refuses.
class StatementRunner {
public:
    explicit StatementRunner(sql::Database& db) : m_db(db) {}

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // Executes when no earlier statement failed.
    bool run(const QString& sql);
    // The first column of the first row; invalid on failure or when no row comes back.
    QVariant value(const QString& sql);
    // All rows of a select.
    QList<QVariantList> rows(const QString& sql, int maxRows = -1);
    // Hands each row of a select to the function as it arrives, without keeping them.
    bool each(const QString& sql, const std::function<void(const sql::Cursor&)>& row);
    // Drops a temporary table if it exists (both dialects).
    bool dropTemp(const QString& table);

private:
    sql::Database& m_db;
    QString m_error;
};

// Starts a transaction when none is open (taking the write lock at once) and commits or rolls
// back at the end; inside the caller's transaction it does neither.
class ProcedureTransaction {
public:
    explicit ProcedureTransaction(sql::Database& db);
    ~ProcedureTransaction();
    // False when the transaction could not start (another writer held the database past the
    // busy timeout); error() says why.
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    // False (and error() set) when the commit failed; the changes are then rolled back.
    bool commit();

private:
    sql::Database& m_db;
    bool m_own = false;
    bool m_done = false;
    QString m_error;
};

} // namespace pravik::server
