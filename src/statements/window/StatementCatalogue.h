#pragma once
// The company's user-defined statements as the desktop host's "Zestawienia" menu lists them:
// each group with its statements in the order the printout prints the group, then the
// statements outside any group.
#include <QList>
#include <QString>

namespace pravik::statements {

struct CatalogueStatement {
    qint64 id = 0;
    QString name;
};

struct CatalogueGroup {
    qint64 id = 0;                 // 0: the statements outside any group
    QString name;
    QList<CatalogueStatement> statements;
};

// Groups by name (without regard to case), ties by id; inside a group by the printout's key
// (without regard to case), ties by name, then id. Empty groups are left out. False with *error
// when a read failed.
bool readCatalogue(qint32 company, QList<CatalogueGroup>* groups, QString* error);

} // namespace pravik::statements
