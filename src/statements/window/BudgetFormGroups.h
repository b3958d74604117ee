#pragma once
// The budget forms a unit files: its predefined statement groups, each with its form code and its
// sections in printing order, as the desktop's menu offers them.
#include <QList>
#include <QString>

namespace pravik {

namespace sql {
class Database;
}

namespace statements {

struct BudgetFormGroup {
    qint64 id = 0;
    QString name;            // "Rb-28S"
    QString formCode;        // "Rb28S"
    QList<qint64> sections;  // statement ids, the form's first section first
};

// Ordered by form code without regard to case, then name, then id. *error set (and an empty list
// returned) when the read failed.
QList<BudgetFormGroup> budgetFormGroups(sql::Database& db, qint32 company, QString* error);

} // namespace statements
} // namespace pravik
