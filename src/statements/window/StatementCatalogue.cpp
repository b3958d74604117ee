#include "statements/window/StatementCatalogue.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "statements/print/StatementRows.h"

#include <QMap>
#include <algorithm>

namespace pravik::statements {

bool readCatalogue(qint32 company, QList<CatalogueGroup>* groups, QString* error)
{
    groups->clear();
    sql::Database& db = sql::Database::forThread();
    sql::Cursor c = db.exec(QStringLiteral("select n.id_zestaw_nag, n.nazwa, n.wariant, isnull(g.id_zestaw_grupa,0), g.nazwa from ZESTAW_NAG n "
                                           "left join ZESTAW_GRUPA g on g.id_zestaw_grupa = n.id_zestaw_grupa where n.id_firmy=%1 "
                                           "order by n.id_zestaw_nag").arg(sql::sqlNumber(company)));
    QMap<qint64, QList<StatementHead>> members;
    QMap<qint64, QString> names;
    while (c.next()) {
        StatementHead h;
        h.id = c.value(0).toLongLong();
        h.name = c.value(1).toString().trimmed();
        h.formCode = c.value(2).toString().trimmed();
        const qint64 group = c.value(3).toLongLong();
        members[group] << h;
        names.insert(group, c.value(4).toString().trimmed());
    }
    if (!c.ok()) {
        *error = c.errorText();
        return false;
    }
    for (auto it = members.begin(); it != members.end(); ++it) {
        QList<StatementHead>& heads = it.value();
        if (it.key() > 0) {
            std::sort(heads.begin(), heads.end(), printsBefore);
        } else {
            std::sort(heads.begin(), heads.end(), [](const StatementHead& a, const StatementHead& b) {
                const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
                return byName != 0 ? byName < 0 : a.id < b.id;
            });
        }
        CatalogueGroup g{it.key(), names.value(it.key()), {}};
        for (const StatementHead& h : std::as_const(heads))
            g.statements << CatalogueStatement{h.id, h.name};
        *groups << g;
    }
    // The groups by name, the statements outside any group last.
    std::sort(groups->begin(), groups->end(), [](const CatalogueGroup& a, const CatalogueGroup& b) {
        if ((a.id == 0) != (b.id == 0))
            return b.id == 0;
        const int byName = a.name.compare(b.name, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a.id < b.id;
    });
    return true;
}

} // namespace pravik::statements
