#include "framework/WindowScreen.h"

#include "framework/RunFrame.h"
#include "platform/BatchUi.h"
#include "platform/UiServices.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"

#include <QApplication>

namespace pravik::frame {

bool windowMayOpen(const QString& windowTitle)
{
    const bool desktop = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    // The command line installs batch services: they stand for nobody at a screen.
    const bool ownServices = dynamic_cast<const BatchUi*>(&ui()) == nullptr;
    if (desktop && (QGuiApplication::platformName() != QLatin1String("offscreen") || ownServices))
        return true;
    utilka::MSG_OST(QStringLiteral("Okno \"%1\" jest dostępne w programie z ekranem.").arg(windowTitle));
    korda::session().globalResponse = kResponseCancelled;
    return false;
}

} // namespace pravik::frame
