#include "platform/sql/Dialect.h"

namespace pravik::sql {

QString dialectName(Dialect dialect)
{
    switch (dialect) {
    case Dialect::TSql: return QStringLiteral("tsql");
    case Dialect::SQLite: return QStringLiteral("sqlite");
    case Dialect::PostgreSQL: return QStringLiteral("postgresql");
    }
    return {};
}

} // namespace pravik::sql
