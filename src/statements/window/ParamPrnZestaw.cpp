#include "statements/window/ParamPrnZestaw.h"

#include "framework/Lifecycle.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/window/StatementWindowForm.h"
#include "statements/window/StatementWindowModel.h"

#include <QApplication>

namespace pravik {

void PARAM_PRN_ZESTAW(qint32 statementId, const QString& statementName)
{
    enterProcedure(QStringLiteral("Param_Prn_Zestaw"));
    korda::session().globalResponse = 2;
    // A window on the offscreen platform would wait for a user no one can see.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || QGuiApplication::platformName() == QLatin1String("offscreen")) {
        utilka::MSG_OST(QStringLiteral("Okno \"Parametry zestawienia\" jest dostępne w programie z ekranem."));
        return;
    }
    statements::StatementWindowModel model(statementId, statementName);
    if (!model.open())
        return;
    statements::StatementWindowForm form(model, QApplication::activeWindow());
    form.exec();
    korda::session().globalResponse = 1;
}

} // namespace pravik
