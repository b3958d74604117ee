#pragma once
// Fresh empty databases for tests, on either backend we run: a SQLite file in a temporary
// folder, or a new database on the test program's PostgreSQL server (PgServer).
//
//   class MyTest : public ::testing::TestWithParam<pravik::test::TestBackend> {};
//   INSTANTIATE_TEST_SUITE_P(Backends, MyTest, pravik::test::allBackends(), pravik::test::backendName);
//   auto tdb = pravik::test::makeTestDatabase(GetParam());
//   pravik::sql::Database db(tdb.dbTarget);
#include "platform/sql/ConnectionSpec.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace pravik::test {

enum class TestBackend { SQLite, PostgreSQL };

struct TestDatabase {
    sql::ConnectionSpec dbTarget;
    QString url; // what --db would say
    std::shared_ptr<QTemporaryDir> folder; // SQLite: keeps the file until the last copy goes
};

// Fails the test (non-fatally) and returns an empty connection when the database cannot be made.
TestDatabase makeTestDatabase(TestBackend backend);

inline auto allBackends()
{
    return ::testing::Values(TestBackend::SQLite, TestBackend::PostgreSQL);
}

inline std::string backendName(const ::testing::TestParamInfo<TestBackend>& info)
{
    return info.param == TestBackend::SQLite ? "SQLite" : "PostgreSQL";
}

} // namespace pravik::test
