#include "server/src/demo/BulkInsert.h"

#include "platform/sql/Quote.h"
#include "platform/sql/SqliteFunctions.h"

#include <sqlite3.h>

namespace pravik::server::demo {

namespace {
constexpr int kRowsPerStatement = 400;

QString fixed(qint64 value, int decimals, qint64 scale)
{
    const qint64 a = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3").arg(value < 0 ? "-" : "").arg(a / scale).arg(a % scale, decimals, 10, QLatin1Char('0'));
}
} // namespace

QString SqlValue::literal() const
{
    switch (kind) {
    case Null: return QStringLiteral("NULL");
    case Integer: return QString::number(number);
    case Text: return sql::sqlText(text);
    case Hundredths: return fixed(number, 2, 100);
    case TenThousandths: return fixed(number, 4, 10000);
    }
    return QStringLiteral("NULL");
}

SqlValue lit(qint64 number) { return SqlValue{SqlValue::Integer, number, {}}; }
SqlValue lit(const QString& text) { return SqlValue{SqlValue::Text, 0, text}; }
SqlValue money(qint64 cents) { return SqlValue{SqlValue::Hundredths, cents, {}}; }
SqlValue rate(int tenThousandths) { return SqlValue{SqlValue::TenThousandths, tenThousandths, {}}; }
SqlValue nullValue() { return SqlValue{}; }

BulkInsert::BulkInsert(sql::Database& db, const QString& table, const QStringList& columns)
    : m_db(db), m_table(table), m_head(QStringLiteral("insert into %1 (%2) values ").arg(table, columns.join(QLatin1Char(',')))),
      m_columns(static_cast<int>(columns.size()))
{
    if (db.dialect() != sql::Dialect::SQLite)
        return;
    if (sqlite3* handle = sql::sqliteHandle(db.handle())) {
        QStringList marks;
        for (int i = 0; i < m_columns; ++i)
            marks << QStringLiteral("?");
        const QByteArray text = (m_head + QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')')).toUtf8();
        if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &m_statement, nullptr) != SQLITE_OK) {
            m_error = QStringLiteral("%1: %2").arg(table, QString::fromUtf8(sqlite3_errmsg(handle)));
            m_statement = nullptr;
        }
    }
}

BulkInsert::~BulkInsert()
{
    if (m_statement)
        sqlite3_finalize(m_statement);
}

void BulkInsert::addNative(const SqlRow& row)
{
    for (int i = 0; i < m_columns; ++i) {
        const SqlValue& v = i < row.size() ? row.at(i) : SqlValue{};
        switch (v.kind) {
        case SqlValue::Null: sqlite3_bind_null(m_statement, i + 1); break;
        case SqlValue::Integer: sqlite3_bind_int64(m_statement, i + 1, v.number); break;
        case SqlValue::Text: {
            const QByteArray utf8 = v.text.toUtf8();
            sqlite3_bind_text(m_statement, i + 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
            break;
        }
        // The nearest double to n/100 is exactly what the literal "n.nn" would give.
        case SqlValue::Hundredths: sqlite3_bind_double(m_statement, i + 1, static_cast<double>(v.number) / 100.0); break;
        case SqlValue::TenThousandths: sqlite3_bind_double(m_statement, i + 1, static_cast<double>(v.number) / 10000.0); break;
        }
    }
    if (sqlite3_step(m_statement) != SQLITE_DONE)
        m_error = QStringLiteral("%1: %2").arg(m_table, QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement))));
    sqlite3_reset(m_statement);
}

void BulkInsert::add(const SqlRow& row)
{
    if (!ok())
        return;
    if (m_statement) {
        addNative(row);
        return;
    }
    if (m_count > 0)
        m_rows += QLatin1Char(',');
    m_rows += QLatin1Char('(');
    for (int i = 0; i < row.size(); ++i) {
        if (i > 0)
            m_rows += QLatin1Char(',');
        m_rows += row.at(i).literal();
    }
    m_rows += QLatin1Char(')');
    if (++m_count >= kRowsPerStatement)
        flush();
}

bool BulkInsert::flush()
{
    if (m_count == 0 || !ok())
        return ok();
    sql::Cursor c = m_db.execNative(m_head + m_rows);
    if (!c.ok())
        m_error = c.errorText();
    m_rows.clear();
    m_count = 0;
    return ok();
}

} // namespace pravik::server::demo
