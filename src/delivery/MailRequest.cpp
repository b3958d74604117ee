#include "delivery/MailRequest.h"

#include "siblings/korda/Session.h"

namespace pravik::delivery {

std::optional<Attachment> attachmentFromText(const QString& text)
{
    const QString kind = text.trimmed().toLower();
    if (kind == QLatin1String("pdf"))
        return Attachment::Pdf;
    if (kind == QLatin1String("rtf"))
        return Attachment::Rtf;
    if (kind == QLatin1String("png"))
        return Attachment::Pages;
    return std::nullopt;
}

void requestMail(const QString& address, Attachment attachment)
{
    korda::Session& s = korda::session();
    s.GLO_EMAILADRESS = address.trimmed();
    s.outputRequests.printRequest = 0;
    s.outputRequests.emailRequest = 1;
    s.GGG_EMAILPDFSAVEAS = 0;
    s.GGG_EMAILPDF = attachment == Attachment::Pdf ? 1 : 0;
    // The road after "not PDF" follows the mail client kind: 1 builds the RTF mail.
    s.outputRequests.mailClientKind = attachment == Attachment::Rtf ? 1 : 0;
}

} // namespace pravik::delivery
