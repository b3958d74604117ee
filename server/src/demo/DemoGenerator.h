#pragma once
// The demo company: a deterministic, realistic ledger on the reference schema, for tests, the
// README's examples and the benchmarks. What it holds is described in server/README.md.
#include "platform/sql/Database.h"

#include <QString>

namespace pravik::server {

struct DemoOptions {
    qint64 postings = 3000;     // posting lines in all (about; every document is complete)
    quint64 seed = 1;
    bool secondCompany = true;  // a small budget unit beside the trading company
};

struct DemoSummary {
    int companies = 0;
    qint64 documents = 0;
    qint64 postings = 0;
    qint64 accounts = 0;        // distinct posting accounts
    qint64 turnoverRows = 0;
    int settlementDisagreements = 0;
};

// Fills an empty database that already holds the schema. One transaction for the data, then
// the turnover table derived from it. False and a message on the first refused statement.
bool generateDemoCompany(sql::Database& db, const DemoOptions& options, DemoSummary* summary, QString* error);

} // namespace pravik::server
