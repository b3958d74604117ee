#pragma once
// The e-mail roads of a finished report. The run frame chooses the road (PDF, the rich mail for
// the Outlook client kind, the MIME message for any other); this part builds the mail and hands
// it to the mail layer (SMTP or the desktop's mail program). The routes are installed into the
// frame and the outlik PDF mailer when the module loads.
//
// Every failure reaches the user as a warning ("Tabulo: Ostrzeżenie") with the reason; the
// delivery's temporary files are gone when a function returns, whatever happened.
#include "siblings/outlik/PdfMail.h"

#include <QString>
#include <QStringList>

namespace pravik::delivery {

// What a delivery did, for callers that want to know (the command line, tests).
struct DeliveryOutcome {
    bool ok = false;
    bool skipped = false;      // nothing asked (the e-mail request was 0)
    int r = 0;                 // the random part of the file names
    QStringList pageFiles;     // the page copies' names ("571.png"), removed by now
    bool viaSmtp = false;
    QString messagePath;       // a message left for the desktop's mail program, else empty
    QString error;             // the message shown to the user
};

// The rich mail: an HTML body ("vh" + r + ".html"), the pages as an RTF attachment named after
// the report, the recipient GLO:EMAILADRESS and the subject DANE_NAGLOWEK_WYDRUKU, normal
// importance. Nothing happens when the e-mail request is 0.
DeliveryOutcome SENDOUTLOOK(const outlik::PreviewQueue& queue);

// The MIME message "vh" + r + ".eml": an HTML body showing every page inline ("cid:"), with
// anchors between the pages, and one part per page with its Content-ID.
DeliveryOutcome sendMimeMessage(const outlik::PreviewQueue& queue);

// The PDF built by MAKEPDFANDSEND, attached to a mail.
DeliveryOutcome sendPdfMail(const outlik::PdfMail& mail);

// The HTML body of the rich mail: "<BODY bgColor=#", a line break, the font tag with "Arial",
// then each line with "<br>" and CR LF.
QString richMailBody(const QStringList& lines);

// Installs the routes into the frame and the PDF mailer into outlik (done when the module
// loads); uninstall() restores the refusing ones.
void install();
void uninstall();

} // namespace pravik::delivery

namespace pravik {

// The exported SENDOUTLOOK: the page files the host put in PRINTPREVIEWFILEQUEUE as the rich
// mail to GLO:EMAILADRESS, subject and attachment name DANE_NAGLOWEK_WYDRUKU. The global
// response is 1 when the mail was handed over, else 2 (the user was told why).
void SENDOUTLOOK();

} // namespace pravik
