#include "journals/window/ParamPrnDziennik.h"

#include "framework/Lifecycle.h"
#include "framework/WindowScreen.h"
#include "journals/window/JournalWindowForm.h"
#include "journals/window/JournalWindowModel.h"

#include <QApplication>

namespace pravik {

void PARAM_PRN_DZIENNIK(qint32 kind)
{
    enterProcedure(QStringLiteral("Param_Prn_Dziennik"));
    if (!frame::windowMayOpen(QStringLiteral("Parametry wydruku")))
        return;
    journals::JournalWindowModel model(kind);
    if (!model.open())
        return;
    journals::JournalWindowForm form(model, QApplication::activeWindow());
    form.exec();
}

} // namespace pravik
