#pragma once
// A host that asks for a report by e-mail without a parameter window (the command line, a
// script through the C interface) sets the delivery state the way the windows do.
#include <QString>

#include <optional>

namespace pravik::delivery {

enum class Attachment {
    Pdf,    // the pages as one PDF (GGG:EMAILPDF = 1)
    Rtf,    // the rich mail with the pages in an RTF document (mail client kind 1)
    Pages,  // the MIME message with every page as a picture (mail client kind 0)
};

// "pdf", "rtf", "png" (any case); nullopt for anything else.
std::optional<Attachment> attachmentFromText(const QString& text);

// Sets the calling thread's session for mailing the next report to `address`: print request 0,
// e-mail request 1, GLO:EMAILADRESS, GGG:EMAILPDF and the mail client kind for the attachment,
// GGG:EMAILPDFSAVEAS 0.
void requestMail(const QString& address, Attachment attachment);

} // namespace pravik::delivery
