#pragma once
// Opens "Lista pozycji raportu" for a statement from a window of the desktop (the statement
// window's "Lista pozycji", the desktop host). Company, user and fiscal year come from the
// session; without a parent the window belongs to the active one. Returns true when the user saved the lists with "Zapisz"; false when the window was
// cancelled, could not open (the statement has no list rows, a read failed: the user was told)
// or there is no screen.
#include "platform/DayNumber.h"

class QWidget;

namespace pravik::statements {

// Whether this process shows windows (the desktop's user services and a widget application).
bool canShowUserListWindow();

bool showUserListWindow(QWidget* parent, qint64 statement, DayNumber from, DayNumber to, bool accountNames = true);

} // namespace pravik::statements
