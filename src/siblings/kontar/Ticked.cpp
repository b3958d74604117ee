#include "siblings/kontar/Ticked.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"

#include <algorithm>

namespace kontar {

using pravik::sql::sqlNumber;
using pravik::sql::sqlText;

namespace {

QString key(qint32 user, int browser)
{
    return QStringLiteral("id_uzytkownika=%1 AND id_browsera=%2").arg(sqlNumber(user), sqlNumber(browser));
}

} // namespace

std::optional<QStringList> readTicked(qint32 user, int browser, QString* error)
{
    pravik::sql::Cursor c = pravik::sql::Database::forThread().exec(
        QStringLiteral("select opis_elementu from ZAZNACZENIE where %1").arg(key(user, browser)));
    QStringList out;
    while (c.next()) {
        const QString e = c.value(0).toString().trimmed();
        if (!e.isEmpty())
            out << e;
    }
    if (!c.ok()) {
        if (error)
            *error = c.errorText();
        return std::nullopt;
    }
    // Character order whatever the server's collation, and each element once.
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseSensitive) < 0; });
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool writeTicked(qint32 user, int browser, const QStringList& elements, QString* error)
{
    pravik::sql::Database& db = pravik::sql::Database::forThread();
    auto failed = [&](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    for (const QString& e : elements)
        if (e.trimmed().size() > kTickedElementLength)
            return failed(QStringLiteral("Element dłuższy niż %1 znaków: %2").arg(kTickedElementLength).arg(e.trimmed().left(40)));
    if (!db.transaction())
        return failed(db.lastError());
    auto run = [&](const QString& sql) {
        pravik::sql::Cursor c = db.exec(sql);
        if (!c.ok() && error)
            *error = c.errorText();
        return c.ok();
    };
    bool ok = run(QStringLiteral("delete from ZAZNACZENIE where %1").arg(key(user, browser)));
    for (qsizetype i = 0; ok && i < elements.size(); ++i)
        ok = run(QStringLiteral("insert into ZAZNACZENIE (id_uzytkownika, id_browsera, opis_elementu) values (%1,%2,%3)")
                     .arg(sqlNumber(user), sqlNumber(browser), sqlText(elements.at(i).trimmed())));
    if (ok && db.commit())
        return true;
    if (ok && error)
        *error = db.lastError();
    db.rollback();
    return false;
}

int countTicked(qint32 user, int browser, QString* error)
{
    pravik::sql::Cursor c = pravik::sql::Database::forThread().exec(
        QStringLiteral("select count(*) from ZAZNACZENIE where %1").arg(key(user, browser)));
    if (c.next())
        return c.value(0).toInt();
    if (error)
        *error = c.ok() ? QStringLiteral("Brak wyniku zapytania.") : c.errorText();
    return -1;
}

} // namespace kontar
