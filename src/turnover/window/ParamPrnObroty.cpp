#include "turnover/window/ParamPrnObroty.h"

#include "framework/Lifecycle.h"
#include "framework/WindowScreen.h"
#include "turnover/window/TurnoverWindowForm.h"
#include "turnover/window/TurnoverWindowModel.h"

#include <QApplication>

namespace pravik {

void PARAM_PRN_OBROTY(quint8 kind, quint8 synthetic)
{
    enterProcedure(QStringLiteral("Param_Prn_Obroty"));
    if (!frame::windowMayOpen(QStringLiteral("Parametry wydruku")))
        return;
    turnover::TurnoverWindowModel model(kind, synthetic);
    if (!model.open())
        return;
    turnover::TurnoverWindowForm form(model, QApplication::activeWindow());
    form.exec();
}

} // namespace pravik
