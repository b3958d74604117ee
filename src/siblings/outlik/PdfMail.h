#pragma once
// The PDF route of a finished report: "Zapisz jako PDF" (GGG:EMAILPDFSAVEAS) saves the pages as a
// PDF file; the PDF attachment (GGG:EMAILPDF) builds the PDF in GLO:CUTEMP\VH and hands it to the
// mail sender. Sending mail is installed by the delivery part of the module (setPdfMailer);
// until one is installed the request is refused with a warning, never reported as sent.
#include <QString>
#include <QStringList>

namespace outlik {

// A finished report: its page spool (or, from a host, its page image files) and what the mail
// and file names are made of.
struct PreviewQueue {
    QString spoolPath;
    QString title;        // DANE_NAGLOWEK_WYDRUKU: the subject, and the file name offered
    QString reportName;   // the attachment's base name ("Report" when empty)
    QStringList pageFiles; // used when spoolPath is empty
};

struct PdfMail {
    QString pdfPath;      // the attachment, removed after sending
    QString subject;
    QString recipient;    // GLO:EMAILADRESS
    QString attachmentName;
};

class PdfMailer {
public:
    virtual ~PdfMailer() = default;
    // True when the mail was handed over (sent, or shown to the user to send); false after a
    // failure the mailer has already told the user about.
    virtual bool send(const PdfMail& mail) = 0;
};

// Installs the mailer of this process; null removes it. The caller keeps ownership.
void setPdfMailer(PdfMailer* mailer);
PdfMailer* pdfMailer();

// The refusal shown while no mailer is installed.
QString mailNotAvailableText();

// With GGG:EMAILPDFSAVEAS = 1: asks where to save (or takes the host's PDF path) and writes the
// PDF there; otherwise builds the attachment and mails it. True when the PDF was saved or the
// mail handed over. The caller resets GGG:EMAILPDFSAVEAS.
bool MAKEPDFANDSEND(const PreviewQueue& queue);

} // namespace outlik
