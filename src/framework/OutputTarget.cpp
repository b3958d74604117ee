#include "framework/OutputTarget.h"

#include "siblings/korda/Session.h"

#include <QtGlobal>

namespace pravik::frame {

OutputTarget OutputTarget::fromSession(const korda::Session& s)
{
    const korda::OutputRequests& req = s.outputRequests;
    OutputTarget t;
    t.textPrinter = s.DANE_RODZAJ_WYDRUKU == 2;
    t.textPrinterName = s.DANE_NAZWA_DRUKARKI.trimmed();
    t.textViewer = s.DANE_DRUKARKA_EKRAN == 1;
    t.preview = req.printRequest != 1 || s.DANE_DRUKARKA_EKRAN != 0;
    t.showOrPrint = req.printRequest == 1 || req.emailRequest == 0;
    t.browse = req.browseRequest == 1;
    t.pdfPath = req.pdfPath;
    t.pngFolder = req.pngFolder;
    t.printerName = req.printerName;
    t.copies = qMax(1, int(s.GGG_NUMCOPY));
    if (s.GGG_EMAILPDFSAVEAS == 1 || (s.GGG_EMAILPDF == 1 && req.printRequest == 0))
        t.mail = MailRoute::PdfThenMail;
    else if (req.mailClientKind == 1)
        t.mail = MailRoute::Outlook;
    else if (req.printRequest == 0)
        t.mail = MailRoute::Message;
    return t;
}

} // namespace pravik::frame
