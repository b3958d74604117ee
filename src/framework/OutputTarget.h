#pragma once
// Where a report run delivers its pages. The boundary (a window, a host's call, a command) builds
// it once from the session's output requests and hands it to the run frame, which reads nothing
// else to decide between preview, printer, files, text printer and mail.
#include <QString>

namespace korda {
struct Session;
}

namespace pravik::frame {

// What follows the pages once they are shown or printed.
enum class MailRoute {
    None,
    PdfThenMail, // "Zapisz jako PDF", or the PDF attachment of an e-mail (outlik's MAKEPDFANDSEND)
    Outlook,     // the registered client is "Microsoft Outlook" (SENDOUTLOOK)
    Message,     // an e-mail with the pages attached, through the desktop's mail program or SMTP
};

struct OutputTarget {
    // A character printer (DANE_RODZAJ_WYDRUKU 2): the text takes the page setup and code page of
    // textPrinterName (DANE_NAZWA_DRUKARKI) and goes to the text viewer or the printer.
    bool textPrinter = false;
    QString textPrinterName;
    bool textViewer = false;       // DANE_DRUKARKA_EKRAN 1
    // Graphic pages: the preview window rather than the default printer.
    bool preview = true;
    // The pages are shown or printed (not only mailed).
    bool showOrPrint = true;
    // The statement browse keeps the rows: nothing is shown, printed or mailed.
    bool browse = false;
    // Files and a printer a host asked for instead of the preview (empty: not asked).
    QString pdfPath;
    QString pngFolder;
    QString printerName;
    int copies = 1;                // GGG:NUMCOPY, at least 1
    MailRoute mail = MailRoute::None;

    static OutputTarget fromSession(const korda::Session& session);
};

} // namespace pravik::frame
