#include "server/src/procedures/ServerSql.h"

#include <QElapsedTimer>
#include <cstdio>

namespace pravik::server {

namespace {
// PRAVIK_TRACE_PROCEDURES=1 prints every statement of the procedures with its time on stderr.
const bool kTrace = qEnvironmentVariableIntValue("PRAVIK_TRACE_PROCEDURES") != 0;

sql::Cursor traced(sql::Database& db, const QString& sql)
{
    if (!kTrace)
        return db.execNative(sql);
    QElapsedTimer t;
    t.start();
    sql::Cursor c = db.execNative(sql);
    std::fprintf(stderr, "%7.1f ms  %s\n", t.nsecsElapsed() / 1e6, qPrintable(qEnvironmentVariableIntValue("PRAVIK_TRACE_PROCEDURES") > 1 ? sql : sql.left(160)));
    return c;
}
} // namespace

QString ServerSql::amount(const QString& expr) const
{
    if (isSqlite())
        return QStringLiteral("cast(round(coalesce(%1,0)*100) as integer)").arg(expr);
    return QStringLiteral("coalesce(%1,0)").arg(expr);
}

QString ServerSql::sum(const QString& expr) const
{
    // total() of whole numbers is exact far beyond any ledger and never returns null.
    if (isSqlite())
        return QStringLiteral("cast(total(%1) as integer)").arg(expr);
    return QStringLiteral("coalesce(sum(%1),0)").arg(expr);
}

QString ServerSql::stored(const QString& expr) const
{
    if (isSqlite())
        return QStringLiteral("(coalesce(%1,0)/100.0)").arg(expr);
    return QStringLiteral("coalesce(%1,0)").arg(expr);
}

QString ServerSql::amountType() const
{
    return isSqlite() ? QStringLiteral("integer") : QStringLiteral("numeric(17,2)");
}

QString ServerSql::positive(const QString& expr) const
{
    if (isSqlite())
        return QStringLiteral("max(%1,0)").arg(expr);
    return QStringLiteral("greatest(%1,0)").arg(expr);
}

QString ServerSql::position(const QString& haystack, const QString& needle) const
{
    if (isSqlite())
        return QStringLiteral("instr(%1,%2)").arg(haystack, needle);
    return QStringLiteral("strpos(%1,%2)").arg(haystack, needle);
}

QString ServerSql::syntheticOf(const QString& account) const
{
    const QString dash = position(account, QStringLiteral("'-'"));
    return QStringLiteral("(case when %1>0 then substr(%2,1,%1-1) else %2 end)").arg(dash, account);
}

QString ServerSql::syntheticNumberOf(const QString& account) const
{
    const QString syn = syntheticOf(account);
    if (isSqlite())
        return QStringLiteral("(case when %1<>'' and %1 not glob '*[^0-9]*' and length(%1)<10 "
                              "then cast(%1 as integer) end)").arg(syn);
    return QStringLiteral("(case when %1 ~ '^[0-9]{1,9}$' then cast(%1 as integer) end)").arg(syn);
}

QString ServerSql::differs(const QString& a, const QString& b) const
{
    return QStringLiteral("(%1)<>(%2)").arg(a, b);
}

bool StatementRunner::run(const QString& sql)
{
    if (!ok())
        return false;
    sql::Cursor c = traced(m_db, sql);
    if (!c.ok()) {
        m_error = c.errorText();
        return false;
    }
    return true;
}

QVariant StatementRunner::value(const QString& sql)
{
    if (!ok())
        return {};
    sql::Cursor c = traced(m_db, sql);
    if (!c.ok()) {
        m_error = c.errorText();
        return {};
    }
    if (!c.next()) {
        if (!c.ok())
            m_error = c.errorText();
        return {};
    }
    return c.value(0);
}

QList<QVariantList> StatementRunner::rows(const QString& sql, int maxRows)
{
    QList<QVariantList> out;
    if (!ok())
        return out;
    sql::Cursor c = traced(m_db, sql);
    while (c.ok() && (maxRows < 0 || out.size() < maxRows) && c.next()) {
        QVariantList row;
        for (int i = 0; i < c.columnCount(); ++i)
            row << c.value(i);
        out << row;
    }
    if (!c.ok())
        m_error = c.errorText();
    return out;
}

bool StatementRunner::each(const QString& sql, const std::function<void(const sql::Cursor&)>& row)
{
    if (!ok())
        return false;
    sql::Cursor c = traced(m_db, sql);
    while (c.ok() && c.next())
        row(c);
    if (!c.ok())
        m_error = c.errorText();
    return ok();
}

bool StatementRunner::dropTemp(const QString& table)
{
    // PostgreSQL would answer "drop table if exists" with a notice on stderr for every table
    // that is not there, so it is asked first.
    if (m_db.dialect() == sql::Dialect::PostgreSQL) {
        const QVariant exists = value(QStringLiteral("select 1 where to_regclass('pg_temp.%1') is not null").arg(table.toLower()));
        if (!exists.isValid())
            return ok();
    }
    return run(QStringLiteral("drop table if exists %1").arg(table));
}

ProcedureTransaction::ProcedureTransaction(sql::Database& db) : m_db(db)
{
    if (m_db.inTransaction())
        return;
    m_own = m_db.transaction();
    if (!m_own)
        m_error = m_db.lastError();
}

ProcedureTransaction::~ProcedureTransaction()
{
    if (m_own && !m_done)
        m_db.rollback();
}

bool ProcedureTransaction::commit()
{
    if (m_own && !m_done && !m_db.commit()) {
        m_error = m_db.lastError();
        m_db.rollback();
    }
    m_done = true;
    return ok();
}

} // namespace pravik::server
