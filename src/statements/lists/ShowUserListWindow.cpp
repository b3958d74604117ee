#include "statements/lists/ShowUserListWindow.h"

#include "platform/QtUi.h"
#include "siblings/korda/Session.h"
#include "statements/lists/UserListWindowForm.h"

#include <QApplication>

namespace pravik::statements {

bool canShowUserListWindow()
{
    return dynamic_cast<QtUi*>(&ui()) && qobject_cast<QApplication*>(QCoreApplication::instance());
}

bool showUserListWindow(QWidget* parent, qint64 statement, DayNumber from, DayNumber to, bool accountNames)
{
    if (!canShowUserListWindow())
        return false;
    const korda::Session& s = korda::session();
    UserListRequest request{statement, from, to, accountNames};
    bool saved = false;
    // A report thread may call: the widgets are made on the application's thread, and the model
    // then reads on that thread's own connection.
    UserListWindowModel model(s.DANE_ID_FIRMY, s.DANE_ID_UZYTKOWNIKA_NR, s.DANE_LATA_OBROTOWE, request);
    if (!model.open())
        return false;
    runOnGuiThread([&] {
        UserListWindowForm form(model, parent ? parent : QApplication::activeWindow());
        saved = form.exec() == QDialog::Accepted;
    });
    return saved;
}

} // namespace pravik::statements
