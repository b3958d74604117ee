#pragma once
// The two mail routes of a finished report other than the PDF one: the Outlook-style message
// (mail client kind 1) and the MIME message for any other mail program (print request 0). The
// delivery part of the module installs the real routes; until then each refuses with a warning
// ("Wysyłanie poczty nie jest jeszcze dostępne."), so a request to mail is never taken for done.
#include "siblings/outlik/PdfMail.h"

namespace pravik::frame {

class MailRoutes {
public:
    virtual ~MailRoutes() = default;
    // Called with mail client kind 1; does nothing when the e-mail request is 0. Each returns
    // false when the mail was not handed on (the user has been told why).
    virtual bool SENDOUTLOOK(const outlik::PreviewQueue& queue);
    // Called for any other mail client when the print request is 0.
    virtual bool sendMimeMessage(const outlik::PreviewQueue& queue);
};

// The routes in use (never null: the refusing ones until others are installed).
MailRoutes& mailRoutes();
// Installs routes; null restores the refusing ones. The caller keeps ownership.
void setMailRoutes(MailRoutes* routes);

} // namespace pravik::frame
