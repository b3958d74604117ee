#include "siblings/utilka/CostCentreTree.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"

#include <QRegularExpression>
#include <QStringList>

namespace utilka {

QString MPK_NAZWA_DRZEWKO(const QString& treeKey)
{
    static const QRegularExpression ids(QStringLiteral("\\d+"));
    QStringList names;
    for (auto it = ids.globalMatch(treeKey); it.hasNext();) {
        bool ok = false;
        const qint64 id = it.next().captured().toLongLong(&ok);
        if (!ok)
            continue;
        QString name;
        if (EXECVAY(QStringLiteral("select id_mpk_slownik_drzewo, nazwa, kod from MPK_SLOWNIK_DRZEWO where id_mpk_slownik_drzewo=")
                    + pravik::sql::sqlNumber(id))
            && NEXT(korda::VAY_FK) == 0) {
            name = korda::VAY_FK.text(2).trimmed();
            if (name.isEmpty())
                name = korda::VAY_FK.text(3).trimmed();
        }
        checkSql();
        korda::VAY_FK.close();
        names << (name.isEmpty() ? QString::number(id) : name);
    }
    return names.join(QStringLiteral(" / ")).left(150);
}

} // namespace utilka
