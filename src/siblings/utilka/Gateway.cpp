#include "siblings/utilka/Gateway.h"

#include "platform/ErrorSink.h"
#include "platform/sql/Cursor.h"
#include "platform/sql/Database.h"
#include "platform/sql/ErrorCodes.h"
#include "siblings/korda/RuntimeStatus.h"
#include "siblings/utilka/Messages.h"

namespace utilka {

namespace {

using pravik::sql::Cursor;
using pravik::sql::Database;

// Runs one statement and records its outcome; the cursor comes back for the caller to keep.
std::unique_ptr<Cursor> run(const QString& sql)
{
    korda::RuntimeStatus& st = korda::runtimeStatus();
    st.statement = sql;
    st.failureShown = false;

    auto cursor = std::make_unique<Cursor>(Database::forThread().exec(sql));
    st.errorCode = cursor->errorCode();
    st.statementFailed = st.errorCode != pravik::sql::kNoError;
    st.errorText = st.statementFailed ? cursor->errorText() : QString();
    if (st.statementFailed) {
        // A failure with no text from the driver still has to say something to the user.
        if (st.errorText.trimmed().isEmpty())
            st.errorText = QStringLiteral("Błąd SQL (kod %1)").arg(st.errorCode);
        st.noteFailure(st.errorText);
        pravik::errorSink().report(pravik::ErrorKind::Sql, sql, st.errorText);
    }
    return cursor;
}

bool execInto(korda::PassThroughTable table, const QString& sql)
{
    korda::PassThroughRecord& record = table.record();
    // One result set per table: the rows of the previous statement are gone from here on.
    record.close();
    record.clear();
    std::unique_ptr<Cursor> cursor = run(sql);
    const bool ok = cursor->ok();
    if (ok)
        record.attach(std::move(cursor));
    return ok;
}

QString scalar(const QString& sql)
{
    std::unique_ptr<Cursor> cursor = run(sql);
    if (!cursor->ok())
        return QString();
    QString value;
    if (cursor->next()) {
        value = korda::valueAsText(cursor->value(0));
        qsizetype n = value.size();
        while (n > 0 && value.at(n - 1) == QLatin1Char(' '))
            --n;
        value.truncate(n);
    } else if (cursor->errorCode() != pravik::sql::kNoError) {
        korda::RuntimeStatus& st = korda::runtimeStatus();
        st.errorCode = cursor->errorCode();
        st.errorText = cursor->errorText();
        st.statementFailed = true;
        st.noteFailure(st.errorText);
        pravik::errorSink().report(pravik::ErrorKind::Sql, sql, st.errorText);
    }
    cursor->close();
    return value;
}

} // namespace

bool EXECSQL(const QString& sql) { return execInto(korda::ZAPYTANIESQL, sql); }
bool EXECSQL1(const QString& sql) { return execInto(korda::ZAPYTANIESQL1, sql); }
bool EXECVAX(const QString& sql) { return execInto(korda::VAX_FK, sql); }
bool EXECVAY(const QString& sql) { return execInto(korda::VAY_FK, sql); }
QString FUNCVAY(const QString& sql) { return scalar(sql); }
QString FUNCVAZ(const QString& sql) { return scalar(sql); }

int errorCode() { return korda::runtimeStatus().errorCode; }
QString errorText() { return korda::runtimeStatus().errorText; }
QString lastStatement() { return korda::runtimeStatus().statement; }

bool checkSql()
{
    korda::RuntimeStatus& st = korda::runtimeStatus();
    if (!st.statementFailed)
        return true;
    if (!st.failureShown) {
        st.failureShown = true;
        MSG_OST(st.errorText);
    }
    return false;
}

int NEXT(korda::PassThroughTable table)
{
    return table.next();
}

namespace {

void noteTransactionFailure(const QString& what, const QString& text)
{
    korda::RuntimeStatus& st = korda::runtimeStatus();
    st.statement = what;
    st.errorCode = pravik::sql::kDriverError;
    st.errorText = text.trimmed().isEmpty() ? QStringLiteral("Błąd SQL (%1)").arg(what) : text;
    st.statementFailed = true;
    st.failureShown = false;
    st.noteFailure(st.errorText);
    pravik::errorSink().report(pravik::ErrorKind::Sql, what, st.errorText);
}

// The advisory lock class of the scratch rows ("ZZ").
constexpr int kScratchLockClass = 0x5A5A;

} // namespace

ScratchTransaction::ScratchTransaction(qint32 user)
{
    Database& db = Database::forThread();
    if (!db.transaction()) {
        noteTransactionFailure(QStringLiteral("BEGIN"), db.lastError());
        return;
    }
    m_open = true;
    if (db.dialect() == pravik::sql::Dialect::PostgreSQL) {
        // The lock goes with the transaction; lock_timeout bounds the wait for the other run.
        Cursor timeout = db.execNative(QStringLiteral("set local lock_timeout = '30s'"));
        Cursor lock = timeout.ok() ? db.execNative(QStringLiteral("select pg_advisory_xact_lock(%1, %2)")
                                                       .arg(kScratchLockClass)
                                                       .arg(user))
                                   : std::move(timeout);
        if (!lock.ok()) {
            noteTransactionFailure(QStringLiteral("pg_advisory_xact_lock"), lock.errorText());
            db.rollback();
            m_open = false;
        }
    }
}

ScratchTransaction::~ScratchTransaction()
{
    if (m_open)
        Database::forThread().rollback();
}

bool ScratchTransaction::commit()
{
    if (!m_open)
        return false;
    m_open = false;
    Database& db = Database::forThread();
    if (db.commit())
        return true;
    noteTransactionFailure(QStringLiteral("COMMIT"), db.lastError());
    db.rollback();
    return false;
}

} // namespace utilka
