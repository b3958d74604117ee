// Statements of reports that no command runs yet (sql_corpus/*.sql: saved variants, ledger prints,
// user-defined statements), translated and run on SQLite and on PostgreSQL over a small schema with
// a few rows. Each file starts from a fresh database and runs in order; "-- expect:" gives the
// first row of the next statement ("none": no rows). The statements of the turnover statements
// and journals are not copied here: the golden cases under tests/cli capture what those reports
// really send and run it on both servers.
#include "platform/sql/Database.h"
#include "platform/sql/ProcedureRegistry.h"
#include "platform/sql/SqliteFunctions.h"
#include "platform/sql/Translator.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace pravik::sql;
using pravik::test::TestBackend;

namespace {

QString corpusDir()
{
    return QStringLiteral(PRAVIK_SOURCE_DIR "/tests/platform/sql_corpus");
}

struct Entry {
    QString sql;
    int line = 0;
    bool checked = false;
    QStringList expected; // empty with checked: no rows
};

QList<Entry> readEntries(const QString& path, bool schema)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QList<Entry> entries;
    Entry next;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u"-- expect:")) {
            const QString v = line.mid(10).trimmed();
            next.checked = true;
            next.expected = v == u"none" ? QStringList() : line.mid(11).split(u'|');
            continue;
        }
        if (line.startsWith(u"--"))
            continue;
        next.sql = line;
        next.line = i + 1;
        if (schema && next.sql.endsWith(u';'))
            next.sql.chop(1);
        entries << next;
        next = Entry();
    }
    return entries;
}

bool sameValue(const QString& expected, const QVariant& actual)
{
    const QString text = actual.isNull() ? QString() : actual.toString();
    if (text == expected)
        return true;
    bool a = false, b = false;
    const double x = expected.toDouble(&a);
    const double y = text.toDouble(&b);
    return a && b && qAbs(x - y) < 0.0005;
}

// The database functions the statements call, as the test schema needs them.
void accountType(sqlite3_context* c, int, sqlite3_value** v)
{
    const auto* k = reinterpret_cast<const char*>(sqlite3_value_text(v[2]));
    sqlite3_result_text(c, k && qstrncmp(k, "99", 2) == 0 ? "P" : "B", -1, SQLITE_STATIC);
}
void offBalance(sqlite3_context* c, int, sqlite3_value** v)
{
    const auto* k = reinterpret_cast<const char*>(sqlite3_value_text(v[2]));
    sqlite3_result_int(c, k && qstrncmp(k, "99", 2) == 0 ? 1 : 0);
}
void companyAddress(sqlite3_context* c, int, sqlite3_value** v)
{
    const QByteArray text = "adres " + QByteArray::number(sqlite3_value_int(v[3]));
    sqlite3_result_text(c, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}
void globalParameter(sqlite3_context* c, int, sqlite3_value** v)
{
    sqlite3_result_value(c, v[1]);
}
void accountName(sqlite3_context* c, int, sqlite3_value** v)
{
    const QByteArray text = "Nazwa " + QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(v[2])));
    sqlite3_result_text(c, text.constData(), int(text.size()), SQLITE_TRANSIENT);
}

const char* const kPostgresFunctions[] = {
    "create function TG_GetTypKonta(f integer, y integer, k varchar) returns varchar language sql as "
    "$$ select case when k like '99%' then 'P' else 'B' end $$",
    "create function TG_SPR_KONTO_POZAB(f integer, y integer, k varchar) returns integer language sql as "
    "$$ select case when k like '99%' then 1 else 0 end $$",
    "create function tg_AdresFirmy(f integer, d integer, t varchar, n integer) returns varchar language sql as "
    "$$ select 'adres ' || n $$",
    "create function fn_fk_PobierzParamGlo(f integer, p varchar) returns varchar language sql as $$ select p $$",
    "create function TG_GetNazwaKonta(f integer, y integer, k varchar) returns varchar language sql as "
    "$$ select 'Nazwa ' || k $$",
};

void registerProcedures()
{
    ProcedureRegistry::add(QStringLiteral("USTAL_NAZWE_KONTA"), [](Database&, const QVariantList& args) {
        return ProcedureResult::withRows({{2, QStringLiteral("Konto ") + args.value(2).toString()}});
    });
    ProcedureRegistry::add(QStringLiteral("ZESTAWIENIE_GENERUJ"), [](Database& db, const QVariantList& args) {
        // Reads what the caller prepared, like the real one.
        Cursor c = db.exec(QStringLiteral("select count(*) from KOMUNIKAT where kontekst='ZESTZAK' AND id_uzytkownika=%1")
                               .arg(args.value(2).toLongLong()));
        if (!c.next())
            return ProcedureResult::failure(c.errorText());
        return ProcedureResult::withRows({{c.value(0).toInt()}});
    });
    ProcedureRegistry::add(QStringLiteral("SZUKAJ_KONTA"), [](Database&, const QVariantList&) { return ProcedureResult(); });
}

class SqlCorpus : public ::testing::TestWithParam<TestBackend> {};

TEST_P(SqlCorpus, EveryStatementRunsAndFindsWhatItShould)
{
    registerProcedures();
    const QStringList files = QDir(corpusDir()).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 4);
    const QList<Entry> schema = readEntries(corpusDir() + QStringLiteral("/schema.sql"), true);
    int statements = 0;
    for (const QString& name : files) {
        if (name == u"schema.sql")
            continue;
        SCOPED_TRACE(name.toStdString());
        auto tdb = pravik::test::makeTestDatabase(GetParam());
        ASSERT_FALSE(tdb.url.isEmpty());
        Database db(tdb.dbTarget);
        ASSERT_TRUE(db.open()) << db.lastError().toStdString();
        for (const Entry& e : schema) {
            Cursor c = db.execNative(e.sql);
            ASSERT_TRUE(c.ok()) << "schema line " << e.line << ": " << c.errorText().toStdString();
        }
        if (GetParam() == TestBackend::PostgreSQL) {
            for (const char* f : kPostgresFunctions)
                ASSERT_TRUE(db.execNative(QString::fromUtf8(f)).ok()) << db.lastError().toStdString();
        } else {
            sqlite3* h = sqliteHandle(db.handle());
            ASSERT_NE(h, nullptr);
            sqlite3_create_function(h, "TG_GetTypKonta", 3, SQLITE_UTF8, nullptr, accountType, nullptr, nullptr);
            sqlite3_create_function(h, "TG_SPR_KONTO_POZAB", 3, SQLITE_UTF8, nullptr, offBalance, nullptr, nullptr);
            sqlite3_create_function(h, "tg_AdresFirmy", 4, SQLITE_UTF8, nullptr, companyAddress, nullptr, nullptr);
            sqlite3_create_function(h, "fn_fk_PobierzParamGlo", 2, SQLITE_UTF8, nullptr, globalParameter, nullptr, nullptr);
            sqlite3_create_function(h, "TG_GetNazwaKonta", 3, SQLITE_UTF8, nullptr, accountName, nullptr, nullptr);
        }
        for (const Entry& e : readEntries(corpusDir() + u'/' + name, false)) {
            ++statements;
            Cursor c = db.exec(e.sql);
            EXPECT_TRUE(c.ok()) << name.toStdString() << ":" << e.line << ": " << c.errorText().toStdString() << "\n  "
                                << translate(e.sql, db.dialect()).toStdString();
            if (!e.checked || !c.ok())
                continue;
            if (e.expected.isEmpty()) {
                EXPECT_FALSE(c.next()) << name.toStdString() << ":" << e.line << " should find nothing";
                continue;
            }
            ASSERT_TRUE(c.next()) << name.toStdString() << ":" << e.line << " found no rows";
            EXPECT_EQ(c.columnCount(), e.expected.size()) << name.toStdString() << ":" << e.line;
            for (int i = 0; i < e.expected.size(); ++i)
                EXPECT_TRUE(sameValue(e.expected[i], c.value(i)))
                    << name.toStdString() << ":" << e.line << " column " << i + 1 << ": expected \""
                    << e.expected[i].toStdString() << "\", got \"" << c.value(i).toString().toStdString() << "\"";
        }
    }
    EXPECT_GE(statements, 40);
}

INSTANTIATE_TEST_SUITE_P(Backends, SqlCorpus, pravik::test::allBackends(), pravik::test::backendName);

} // namespace
