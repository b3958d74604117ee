#pragma once
// The two tables a character printer's page comes from, in a fresh SQLite file made the thread's
// current database, and printers with their control codes.
#include "platform/sql/Database.h"

#include <QDir>
#include <QList>
#include <QPair>
#include <QString>

namespace pravik::test {

inline void createPrinterDatabase(const QString& folder)
{
    sql::ConnectionSpec dbTarget;
    dbTarget.path = QDir(folder).filePath(QStringLiteral("drukarki.db"));
    dbTarget.createIfMissing = true;
    sql::Database::setCurrent(dbTarget);
    auto& db = sql::Database::forThread();
    db.execNative(QStringLiteral("CREATE TABLE DRUKARKA (id_drukarki INTEGER PRIMARY KEY, nazwa varchar(300), opis varchar(100))"));
    db.execNative(QStringLiteral("CREATE TABLE KOD_STERUJACY (id_kodu_sterujacego INTEGER PRIMARY KEY, id_drukarki integer, "
                                 "nazwa_kodu varchar(100), wartosc_domyslna varchar(255))"));
}

inline void addPrinter(int id, QString name, const QList<QPair<QString, QString>>& codes)
{
    auto& db = sql::Database::forThread();
    db.execNative(QStringLiteral("INSERT INTO DRUKARKA (id_drukarki, nazwa) VALUES (%1, '%2')").arg(id).arg(name.replace(u'\'', QStringLiteral("''"))));
    for (const auto& [code, value] : codes)
        db.execNative(QStringLiteral("INSERT INTO KOD_STERUJACY (id_drukarki, nazwa_kodu, wartosc_domyslna) VALUES (%1, '%2', '%3')")
                          .arg(id).arg(code, value));
}

} // namespace pravik::test
