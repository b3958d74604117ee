#include "framework/VariantStore.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

#include <QThread>

namespace pravik {

using sql::sqlNumber;
using sql::sqlText;

namespace {

// Attempts at a save before a conflict is shown: each lost race costs one.
constexpr int kSaveAttempts = 8;
// Options longer than the column are clipped rather than refused by the server.
constexpr int kValueLength = 255;

QString clippedName(const QString& name)
{
    QString n = name.left(kVariantNameLength);
    while (!n.isEmpty() && n.back().isSpace())
        n.chop(1);
    return n;
}

QString ownerCondition(qint32 user, const QString& reportKey)
{
    return QStringLiteral("id_uzytkownika=%1 AND raport=%2").arg(sqlNumber(user), sqlText(reportKey));
}

// One attempt inside the open transaction; the new id, or 0 when a statement failed.
qint32 saveOnce(qint32 user, const QString& reportKey, const QString& name, const VariantValues& values)
{
    const QString next = utilka::FUNCVAY(
        QStringLiteral("select isnull(max(id_parametry_wydruku_nag),0)+1 from PARAMETRY_WYDRUKU_NAG"));
    if (utilka::errorCode() != 0)
        return 0;
    const qint32 id = next.toInt();
    if (id <= 0)
        return 0;
    // The id is taken while the replaced variant still holds its own, so a replacement never
    // comes back under the old id that a window may still remember.
    if (!utilka::EXECSQL(QStringLiteral("delete from PARAMETRY_WYDRUKU_NAG where %1 AND nazwa=%2")
                             .arg(ownerCondition(user, reportKey), sqlText(name))))
        return 0;
    // A concurrent save that took the same id makes this insert fail on the key; the caller
    // then starts over and finds the next one.
    if (!utilka::EXECSQL(QStringLiteral("insert into PARAMETRY_WYDRUKU_NAG (id_parametry_wydruku_nag,id_uzytkownika,"
                                        "raport,nazwa) values(%1,%2,%3,%4)")
                             .arg(sqlNumber(id), sqlNumber(user), sqlText(reportKey), sqlText(name))))
        return 0;
    if (!values.isEmpty()) {
        QStringList rows;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            rows << QStringLiteral("(%1,%2,%3)").arg(sqlNumber(id), sqlNumber(it.key()),
                                                      sqlText(it.value().left(kValueLength)));
        if (!utilka::EXECSQL(QStringLiteral("insert into PARAMETRY_WYDRUKU_POZ (id_parametry_wydruku_nag,parametr,"
                                            "wartosc) values") + rows.join(QLatin1Char(','))))
            return 0;
    }
    return id;
}

} // namespace

QList<VariantEntry> listVariants(qint32 user, const QString& reportKey)
{
    QList<VariantEntry> list{VariantEntry{}};
    utilka::EXECVAX(QStringLiteral("select nazwa,id_parametry_wydruku_nag from PARAMETRY_WYDRUKU_NAG where %1"
                                   " order by id_uzytkownika,raport,nazwa")
                        .arg(ownerCondition(user, reportKey)));
    if (!utilka::checkSql())
        return list;
    while (utilka::NEXT(korda::VAX_FK) == 0)
        list << VariantEntry{korda::VAX_FK.text(1), qint32(korda::VAX_FK.number(2))};
    utilka::checkSql();
    korda::VAX_FK.close();
    return list;
}

VariantValues loadVariant(qint32 id)
{
    VariantValues values;
    utilka::EXECVAX(QStringLiteral("select parametr, wartosc from PARAMETRY_WYDRUKU_POZ where id_parametry_wydruku_nag=%1"
                                   " order by id_parametry_wydruku_nag,parametr")
                        .arg(sqlNumber(id)));
    if (!utilka::checkSql())
        return values;
    while (utilka::NEXT(korda::VAX_FK) == 0)
        values.insert(int(korda::VAX_FK.number(1)), korda::VAX_FK.text(2));
    utilka::checkSql();
    korda::VAX_FK.close();
    return values;
}

qint32 saveVariant(qint32 user, const QString& reportKey, const QString& name, const VariantValues& values)
{
    const QString n = clippedName(name);
    if (n.isEmpty())
        return 0;
    sql::Database& db = sql::Database::forThread();
    for (int attempt = 1; attempt <= kSaveAttempts; ++attempt) {
        if (!db.transaction()) {
            utilka::MSG_OST(db.lastError());
            return 0;
        }
        const qint32 id = saveOnce(user, reportKey, n, values);
        korda::ZAPYTANIESQL.close();
        if (id > 0 && db.commit())
            return id;
        const QString why = id > 0 ? db.lastError() : utilka::errorText();
        db.rollback();
        if (attempt == kSaveAttempts) {
            utilka::MSG_OST(why);
            return 0;
        }
        QThread::msleep(5 * attempt);
    }
    return 0;
}

bool deleteVariant(qint32 id)
{
    // The option rows go first, so no server leaves them behind, cascade or not.
    utilka::EXECSQL(QStringLiteral("delete from PARAMETRY_WYDRUKU_POZ where id_parametry_wydruku_nag=%1").arg(sqlNumber(id)));
    if (!utilka::checkSql())
        return false;
    utilka::EXECSQL(QStringLiteral("delete from PARAMETRY_WYDRUKU_NAG where id_parametry_wydruku_nag=%1").arg(sqlNumber(id)));
    return utilka::checkSql();
}

} // namespace pravik
