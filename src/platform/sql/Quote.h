#pragma once
// The one place where values become SQL text. Every value that comes from a user, a file or the
// database and goes into a statement passes through here.
#include <QString>
#include <QStringView>

namespace pravik::sql {

// 'v' with every quote doubled; NUL characters are dropped (no driver passes them intact).
QString sqlText(QStringView value);
// Plain decimal, as the statements expect ids and day numbers.
QString sqlNumber(qint64 value);

} // namespace pravik::sql
