#pragma once
// What a statement leaves behind: the rows of a select (streamed, forward only), the number of
// rows a data-changing statement touched, the rows a procedure returned, and always the error
// code (0 on success) with the driver's text.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class QSqlQuery;

namespace pravik::sql {

class Cursor {
public:
    // A cursor with no rows and no error.
    Cursor();
    // A failed statement.
    static Cursor failure(int errorCode, const QString& errorText);
    // Rows held in memory (procedure results).
    static Cursor fromRows(QStringList columns, QList<QVariantList> rows);

    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) noexcept;
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    ~Cursor();

    // Moves to the next row; false at the end of the rows or when reading failed (then
    // errorCode() is non-zero and errorText() says why). A cursor without rows returns false.
    bool next();
    // Column of the current row, counted from 0; an invalid QVariant past the last column.
    // Text arrives as text, NUMERIC of PostgreSQL as exact text, SQLite REAL as double.
    QVariant value(int column) const;
    int columnCount() const;
    QStringList columnNames() const;
    // Whether the statement produced a result set (a select, a procedure with rows).
    bool hasRows() const;
    // Rows inserted, updated or deleted; -1 when not known.
    qint64 rowsAffected() const;

    int errorCode() const;
    QString errorText() const;
    bool ok() const { return errorCode() == 0; }

    // Frees the server-side result early (the cursor is done afterwards).
    void close();

private:
    friend class Database;
    explicit Cursor(std::unique_ptr<QSqlQuery> query);

    struct Data;
    std::unique_ptr<Data> d;
};

} // namespace pravik::sql
