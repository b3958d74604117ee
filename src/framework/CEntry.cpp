#include "framework/CEntry.h"

#include "framework/Lifecycle.h"
#include "framework/RunFrame.h"
#include "platform/ErrorSink.h"
#include "siblings/korda/Session.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstdlib>
#include <exception>

namespace pravik::capi {

namespace {

// The platforms to try, best first: a display when the session has one, else (or when it cannot
// be reached) offscreen, which always starts. Qt would abort the process when none starts.
const char* platformList()
{
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (wayland && x11)
        return "wayland;xcb;offscreen";
    if (wayland)
        return "wayland;offscreen";
    if (x11)
        return "xcb;offscreen";
    return "offscreen";
}

// "PRN_73_DZIENNIK" as a procedure names itself to the error manager: "Prn_73_Dziennik".
QString mixedCase(const char* procedure)
{
    QStringList words = QString::fromLatin1(procedure).toLower().split(u'_');
    for (QString& w : words)
        if (!w.isEmpty())
            w[0] = w[0].toUpper();
    return words.join(u'_');
}

void refuse(const char* procedure, const QString& reason)
{
    // The report never started, so the error manager still names the one before it.
    errorSink().setProcedure(mixedCase(procedure));
    errorSink().report(ErrorKind::Other, QString::fromLatin1(procedure), reason);
    korda::session().globalResponse = frame::kResponseCancelled;
}

} // namespace

bool ensureGuiApplication(const char** why)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return true;
    if (QCoreApplication::instance()) {
        *why = "the host runs a Qt application without a GUI (QCoreApplication); the reports need "
               "QGuiApplication or QApplication";
        return false;
    }
    // Made once and kept for the life of the process: Qt allows one application object, and
    // fonts and painters made for a report refer to it.
    static int argc = 0;
    static char arg0[] = "pravik";
    static char platformOption[] = "-platform";
    static char* argv[4] = {arg0, nullptr, nullptr, nullptr};
    static QByteArray platforms;
    argc = 1;
    // A platform the host chose through the environment stays its choice.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        platforms = platformList();
        argv[1] = platformOption;
        argv[2] = platforms.data();
        argc = 3;
    }
    static QApplication* application = new QApplication(argc, argv);
    (void)application;
    return true;
}

void runReport(const char* procedure, const std::function<void()>& body)
{
    if (module::state() == module::State::Killed) {
        refuse(procedure, QStringLiteral("PRAVIK_KILL has been called; the module runs no report until PRAVIK_INIT."));
        return;
    }
    const char* why = nullptr;
    if (!ensureGuiApplication(&why)) {
        refuse(procedure, QStringLiteral("The report cannot run: %1.").arg(QString::fromLatin1(why)));
        return;
    }
    try {
        body();
    } catch (const std::exception& e) {
        refuse(procedure, QStringLiteral("The report stopped: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        refuse(procedure, QStringLiteral("The report stopped on an unexpected error."));
    }
}

} // namespace pravik::capi
