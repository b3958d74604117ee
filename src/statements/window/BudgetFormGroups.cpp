#include "statements/window/BudgetFormGroups.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "statements/forms/BudgetHeader.h"

#include <QHash>
#include <algorithm>

namespace pravik::statements {

QList<BudgetFormGroup> budgetFormGroups(sql::Database& db, qint32 company, QString* error)
{
    using sql::sqlNumber;
    sql::Cursor c = db.exec(QStringLiteral("select g.id_zestaw_grupa, g.nazwa, g.typ, n.id_zestaw_nag, n.wariant from ZESTAW_GRUPA g"
                                           " inner join ZESTAW_NAG n on n.id_zestaw_grupa = g.id_zestaw_grupa AND n.id_firmy = g.id_firmy"
                                           " where g.id_firmy=%1 AND g.predef=1 order by g.id_zestaw_grupa, n.id_zestaw_nag")
                                .arg(sqlNumber(company)));
    QList<BudgetFormGroup> groups;
    QHash<qint64, QList<QPair<int, qint64>>> sections; // group -> (place in the form, statement)
    while (c.next()) {
        const qint64 id = c.value(0).toLongLong();
        if (groups.isEmpty() || groups.last().id != id)
            groups << BudgetFormGroup{id, c.value(1).toString().trimmed(), c.value(2).toString().trimmed(), {}};
        // A section the form table does not know goes after the known ones.
        const QStringList order = budgetFormSections(groups.last().formCode);
        const QString code = c.value(4).toString().trimmed();
        int place = int(order.size());
        for (int i = 0; i < order.size(); ++i)
            if (order.at(i).compare(code, Qt::CaseInsensitive) == 0)
                place = i;
        sections[id] << qMakePair(place, c.value(3).toLongLong());
    }
    if (!c.ok()) {
        if (error)
            *error = c.errorText();
        return {};
    }
    for (BudgetFormGroup& g : groups) {
        auto list = sections.value(g.id);
        std::stable_sort(list.begin(), list.end());
        for (const auto& s : list)
            g.sections << s.second;
    }
    std::stable_sort(groups.begin(), groups.end(), [](const BudgetFormGroup& a, const BudgetFormGroup& b) {
        if (const int k = a.formCode.compare(b.formCode, Qt::CaseInsensitive); k != 0)
            return k < 0;
        if (a.name != b.name)
            return a.name < b.name;
        return a.id < b.id;
    });
    return groups;
}

} // namespace pravik::statements
