#pragma once
// Demo databases for the server tests: the schema and a small demo company, on SQLite or on the
// test PostgreSQL server. Building one takes a moment, so tests that only read share one per
// backend; tests that change data ask for a fresh one.
#include "support/TestDatabase.h"
#include "support/TestLifetime.h"

#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/Schema.h"
#include "server/src/demo/DemoGenerator.h"
#include "server/src/procedures/Procedures.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <tuple>

namespace pravik::test {

constexpr qint64 kDemoPostings = 2500;
constexpr quint64 kDemoSeed = 7;

struct DemoDatabase {
    TestDatabase where;
    std::unique_ptr<sql::Database> db;
    server::DemoSummary summary;
    QString failure;
};

inline std::unique_ptr<DemoDatabase> makeDemoDatabase(TestBackend backend, qint64 postings = kDemoPostings,
                                                      quint64 seed = kDemoSeed)
{
    server::registerFunctions();
    server::registerProcedures();
    auto d = std::make_unique<DemoDatabase>();
    d->where = makeTestDatabase(backend);
    d->db = std::make_unique<sql::Database>(d->where.dbTarget);
    if (!d->db->open()) {
        d->failure = d->db->lastError();
        return d;
    }
    QString error;
    if (!server::createSchema(*d->db, &error)) {
        d->failure = error;
        return d;
    }
    server::DemoOptions options;
    options.postings = postings;
    options.seed = seed;
    if (!server::generateDemoCompany(*d->db, options, &d->summary, &error))
        d->failure = error;
    return d;
}

// A read-only demo database shared by the tests of a program, one per backend, size and seed.
// Released when the tests have run, before Qt's SQL drivers go away.
inline DemoDatabase& cachedDemo(TestBackend backend, qint64 postings, quint64 seed)
{
    using Key = std::tuple<TestBackend, qint64, quint64>;
    static auto* cache = [] {
        auto* c = new std::map<Key, std::unique_ptr<DemoDatabase>>;
        atTestProgramEnd([c] { c->clear(); });
        return c;
    }();
    auto& slot = (*cache)[Key{backend, postings, seed}];
    if (!slot)
        slot = makeDemoDatabase(backend, postings, seed);
    return *slot;
}

// The shared read-only demo database of a backend.
inline DemoDatabase& sharedDemo(TestBackend backend)
{
    return cachedDemo(backend, kDemoPostings, kDemoSeed);
}

// A test that only reads the shared demo database of its backend.
class SharedDemoTest : public ::testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override
    {
        demo = &sharedDemo(GetParam());
        ASSERT_TRUE(demo->failure.isEmpty()) << qPrintable(demo->failure);
    }
    sql::Database& db() { return *demo->db; }
    // The first value of the first row; a statement that fails fails the test. Statements in the
    // host's dialect (translateScalars) go through the translator, the others run as written.
    QVariant scalar(const QString& sql)
    {
        sql::Cursor c = translateScalars ? db().exec(sql) : db().execNative(sql);
        EXPECT_TRUE(c.ok()) << qPrintable(sql) << "\n" << qPrintable(c.errorText());
        return c.next() ? c.value(0) : QVariant();
    }

    DemoDatabase* demo = nullptr;
    bool translateScalars = false;
};

inline Decimal dec(const QVariant& v)
{
    return Decimal::fromVariant(v).value_or(Decimal::fromCents(999'999'999'999'999));
}

} // namespace pravik::test
