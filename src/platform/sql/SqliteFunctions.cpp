#include "platform/sql/SqliteFunctions.h"

#include <QSqlDriver>
#include <QVariant>
#include <cmath>
#include <sqlite3.h>

namespace pravik::sql {

namespace {

struct ExactSum {
    qint64 hundredths;
    qint64 count; // non-null values in the frame
    bool allIntegers;
    bool overflow;
};

// A value as a count of hundredths; false for NULL.
bool hundredthsOf(sqlite3_value* value, qint64* out, bool* integer, bool* overflow)
{
    switch (sqlite3_value_numeric_type(value)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_value_int64(value);
        *integer = true;
        if (__builtin_mul_overflow(v, sqlite3_int64(100), out))
            *overflow = true;
        return true;
    }
    case SQLITE_FLOAT: {
        const double v = sqlite3_value_double(value) * 100.0;
        *integer = false;
        if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) {
            *overflow = true;
            return true;
        }
        *out = std::llround(v);
        return true;
    }
    default:
        // Text that does not read as a number, blobs: nothing, as the built-in sum counts them.
        *integer = true;
        *out = 0;
        return true;
    }
}

ExactSum* state(sqlite3_context* context, bool create)
{
    // SQLite hands out the state zero-filled on first use.
    return static_cast<ExactSum*>(sqlite3_aggregate_context(context, create ? int(sizeof(ExactSum)) : 0));
}

void sumStep(sqlite3_context* context, int, sqlite3_value** argv)
{
    ExactSum* s = state(context, true);
    if (!s)
        return;
    qint64 v = 0;
    bool integer = true;
    if (!hundredthsOf(argv[0], &v, &integer, &s->overflow))
        return;
    if (s->count == 0)
        s->allIntegers = true;
    s->allIntegers = s->allIntegers && integer;
    ++s->count;
    if (__builtin_add_overflow(s->hundredths, v, &s->hundredths))
        s->overflow = true;
}

void sumInverse(sqlite3_context* context, int, sqlite3_value** argv)
{
    ExactSum* s = state(context, true);
    if (!s)
        return;
    qint64 v = 0;
    bool integer = true;
    bool overflow = false;
    if (!hundredthsOf(argv[0], &v, &integer, &overflow))
        return;
    --s->count;
    if (__builtin_sub_overflow(s->hundredths, v, &s->hundredths))
        s->overflow = true;
}

void sumResult(sqlite3_context* context, const ExactSum* s)
{
    if (!s || s->count <= 0) {
        sqlite3_result_null(context);
        return;
    }
    if (s->overflow) {
        sqlite3_result_error(context, "sum: the total does not fit in DECIMAL arithmetic (overflow)", -1);
        return;
    }
    if (s->allIntegers)
        sqlite3_result_int64(context, s->hundredths / 100);
    else
        sqlite3_result_double(context, double(s->hundredths) / 100.0);
}

void sumValue(sqlite3_context* context)
{
    sumResult(context, state(context, false));
}

void sumFinal(sqlite3_context* context)
{
    sumResult(context, state(context, false));
}

// SQLite folds the case of ASCII letters only; names and codes here are Polish.
template <bool Upper>
void foldCase(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QString value = QString::fromUtf8(text, sqlite3_value_bytes(argv[0]));
    const QByteArray folded = (Upper ? value.toUpper() : value.toLower()).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

} // namespace

sqlite3* sqliteHandle(QSqlDatabase& db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

bool registerSqliteFunctions(QSqlDatabase& db, QString* error)
{
    sqlite3* handle = sqliteHandle(db);
    if (!handle) {
        if (error)
            *error = QStringLiteral("Not an open SQLite connection: cannot register the SQL functions.");
        return false;
    }
    const int rc = sqlite3_create_window_function(handle, "sum", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  sumStep, sumFinal, sumValue, sumInverse, nullptr);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    const int rcUpper = sqlite3_create_function(handle, "upper", 1, flags, nullptr, foldCase<true>, nullptr, nullptr);
    const int rcLower = sqlite3_create_function(handle, "lower", 1, flags, nullptr, foldCase<false>, nullptr, nullptr);
    if (rc != SQLITE_OK || rcUpper != SQLITE_OK || rcLower != SQLITE_OK) {
        if (error)
            *error = QStringLiteral("Cannot register the SQL functions in SQLite: %1").arg(QString::fromUtf8(sqlite3_errmsg(handle)));
        return false;
    }
    return true;
}

} // namespace pravik::sql
