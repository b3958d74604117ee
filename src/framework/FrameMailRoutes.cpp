#include "framework/FrameMailRoutes.h"

#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"

#include <atomic>

namespace pravik::frame {

namespace {
std::atomic<MailRoutes*> g_routes{nullptr};
} // namespace

bool MailRoutes::SENDOUTLOOK(const outlik::PreviewQueue&)
{
    if (korda::session().outputRequests.emailRequest == 0)
        return true;
    utilka::MSG_OST(outlik::mailNotAvailableText());
    return false;
}

bool MailRoutes::sendMimeMessage(const outlik::PreviewQueue&)
{
    utilka::MSG_OST(outlik::mailNotAvailableText());
    return false;
}

MailRoutes& mailRoutes()
{
    static MailRoutes refusing;
    MailRoutes* installed = g_routes.load();
    return installed ? *installed : refusing;
}

void setMailRoutes(MailRoutes* routes)
{
    g_routes.store(routes);
}

} // namespace pravik::frame
