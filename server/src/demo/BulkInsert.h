#pragma once
// Many rows into one table, the fast way for each backend: SQLite steps one prepared statement
// with bound values; other servers get multi-row INSERT statements of literals.
#include "platform/sql/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3_stmt;

namespace pravik::server::demo {

struct SqlValue {
    enum Kind { Null, Integer, Text, Hundredths, TenThousandths };
    Kind kind = Null;
    qint64 number = 0;
    QString text;

    // The value as SQL text.
    QString literal() const;
};

SqlValue lit(qint64 number);
SqlValue lit(const QString& text);
// Grosze, stored as DECIMAL(15,2).
SqlValue money(qint64 cents);
// An exchange rate kept in ten-thousandths, stored as DECIMAL(15,4).
SqlValue rate(int tenThousandths);
SqlValue nullValue();

using SqlRow = QList<SqlValue>;

class BulkInsert {
public:
    BulkInsert(sql::Database& db, const QString& table, const QStringList& columns);
    ~BulkInsert();
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    // One row, in the order of the columns.
    void add(const SqlRow& row);
    // Sends what is gathered; false and error() once the server refused a row.
    bool flush();
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    void addNative(const SqlRow& row);

    sql::Database& m_db;
    QString m_table;
    QString m_head;
    int m_columns = 0;
    sqlite3_stmt* m_statement = nullptr;
    QString m_rows;
    int m_count = 0;
    QString m_error;
};

} // namespace pravik::server::demo
