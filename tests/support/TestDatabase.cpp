#include "support/TestDatabase.h"

#include "support/PgServer.h"

namespace pravik::test {

TestDatabase makeTestDatabase(TestBackend backend)
{
    TestDatabase db;
    if (backend == TestBackend::SQLite) {
        db.folder = std::make_shared<QTemporaryDir>();
        if (!db.folder->isValid()) {
            ADD_FAILURE() << "cannot create a temporary folder: " << db.folder->errorString().toStdString();
            return db;
        }
        db.url = db.folder->filePath(QStringLiteral("test.sqlite"));
        db.dbTarget = sql::ConnectionSpec::sqliteFile(db.url, true);
        return db;
    }
    PgServer& server = PgServer::instance();
    if (!server.ok())
        return db;
    db.url = server.createDatabase();
    if (auto dbTarget = sql::ConnectionSpec::parse(db.url))
        db.dbTarget = *dbTarget;
    return db;
}

} // namespace pravik::test
