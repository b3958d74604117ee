#pragma once
// Inside of a Cursor, shared with Database (which tracks the result sets still streaming on its
// connection). Not for use outside the SQL layer.
#include "platform/sql/Cursor.h"

#include <QSqlQuery>
#include <deque>

namespace pravik::sql {

class Database;

struct Cursor::Data {
    std::unique_ptr<QSqlQuery> query; // streaming from the server
    std::deque<QVariantList> pending; // rows held in memory, not read yet
    QVariantList current;             // the row under the cursor when rows come from memory
    bool fromMemory = false;
    bool positioned = false;
    bool rows = false;
    QStringList columns;
    qint64 affected = -1;
    int code = 0;
    QString text;
    Database* owner = nullptr; // set while the query streams on the owner's connection

    ~Data();
    // Reads the rest of a streaming result into memory, so that the connection is free for the
    // next statement; the cursor goes on from where it was.
    void detach();
    // Stops being tracked by the connection (the result is done).
    void release();
    // Drops the result (its connection is going away).
    void abandon(const QString& reason);
};

} // namespace pravik::sql
