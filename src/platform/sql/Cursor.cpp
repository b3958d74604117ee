#include "platform/sql/Cursor.h"

#include "platform/sql/CursorData.h"
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"

#include <QSqlError>
#include <QSqlRecord>

namespace pravik::sql {

namespace {

QString errorTextOf(const QSqlError& error)
{
    const QString db = error.databaseText().trimmed();
    return db.isEmpty() ? error.driverText().trimmed() : db;
}

QVariantList rowOf(const QSqlQuery& query, int columns)
{
    QVariantList row;
    row.reserve(columns);
    for (int i = 0; i < columns; ++i)
        row.append(query.value(i));
    return row;
}

} // namespace

Cursor::Data::~Data()
{
    if (owner)
        owner->forgetCursor(this);
}

void Cursor::Data::detach()
{
    if (!query)
        return;
    const int n = int(columns.size());
    if (positioned)
        current = rowOf(*query, n);
    while (query->next())
        pending.push_back(rowOf(*query, n));
    if (query->lastError().isValid() && query->lastError().type() != QSqlError::NoError) {
        code = kDriverError;
        text = errorTextOf(query->lastError());
    }
    query.reset();
    fromMemory = true;
    release();
}

void Cursor::Data::release()
{
    if (owner) {
        owner->forgetCursor(this);
        owner = nullptr;
    }
}

void Cursor::Data::abandon(const QString& reason)
{
    query.reset();
    pending.clear();
    current.clear();
    positioned = false;
    fromMemory = true;
    if (code == 0 && !reason.isEmpty()) {
        code = kDriverError;
        text = reason;
    }
    owner = nullptr;
}

Cursor::Cursor() : d(std::make_unique<Data>()) {}

Cursor::Cursor(std::unique_ptr<QSqlQuery> query) : d(std::make_unique<Data>())
{
    d->rows = query->isSelect();
    d->affected = d->rows ? -1 : query->numRowsAffected();
    if (d->rows) {
        const QSqlRecord record = query->record();
        for (int i = 0; i < record.count(); ++i)
            d->columns << record.fieldName(i);
        d->query = std::move(query);
    }
}

Cursor Cursor::failure(int errorCode, const QString& errorText)
{
    Cursor c;
    c.d->code = errorCode;
    c.d->text = errorText;
    return c;
}

Cursor Cursor::fromRows(QStringList columns, QList<QVariantList> rows)
{
    Cursor c;
    c.d->fromMemory = true;
    c.d->rows = true;
    qsizetype width = columns.size();
    for (const QVariantList& row : rows)
        width = std::max(width, row.size());
    for (qsizetype i = columns.size(); i < width; ++i)
        columns << QString();
    c.d->columns = std::move(columns);
    c.d->pending.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    return c;
}

Cursor::Cursor(Cursor&&) noexcept = default;
Cursor& Cursor::operator=(Cursor&&) noexcept = default;
Cursor::~Cursor() = default;

bool Cursor::next()
{
    if (!d->rows)
        return false;
    if (d->fromMemory || !d->query) {
        if (d->pending.empty()) {
            d->current.clear();
            d->positioned = false;
            return false;
        }
        d->current = std::move(d->pending.front());
        d->pending.pop_front();
        d->positioned = true;
        return true;
    }
    if (d->query->next()) {
        d->positioned = true;
        return true;
    }
    d->positioned = false;
    const QSqlError error = d->query->lastError();
    if (error.type() != QSqlError::NoError) {
        d->code = kDriverError;
        d->text = errorTextOf(error);
    }
    // The result is done: let the connection go.
    d->query.reset();
    d->fromMemory = true;
    d->release();
    return false;
}

QVariant Cursor::value(int column) const
{
    if (!d->positioned || column < 0 || column >= d->columns.size())
        return {};
    if (d->fromMemory || !d->query)
        return d->current.value(column);
    return d->query->value(column);
}

int Cursor::columnCount() const
{
    return int(d->columns.size());
}

QStringList Cursor::columnNames() const
{
    return d->columns;
}

bool Cursor::hasRows() const
{
    return d->rows;
}

qint64 Cursor::rowsAffected() const
{
    return d->affected;
}

int Cursor::errorCode() const
{
    return d->code;
}

QString Cursor::errorText() const
{
    return d->text;
}

void Cursor::close()
{
    d->release();
    d->query.reset();
    d->pending.clear();
    d->current.clear();
    d->positioned = false;
    d->fromMemory = true;
}

} // namespace pravik::sql
