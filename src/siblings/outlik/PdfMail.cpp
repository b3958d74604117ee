#include "siblings/outlik/PdfMail.h"

#include "platform/UiServices.h"
#include "platform/report/FastPdfSink.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/TemporaryRoot.h"
#include "siblings/utilka/Messages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>

namespace outlik {

namespace {

std::atomic<PdfMailer*> g_mailer{nullptr};

// A title made fit for a file name: no separators or characters file systems refuse.
QString fileNameFrom(const QString& text, const QString& fallback)
{
    QString name;
    for (QChar c : text.trimmed())
        name.append(c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c == u'.' ? c : QChar(u'_'));
    name = name.simplified();
    return name.isEmpty() ? fallback : name.left(80);
}

bool writePdf(const PreviewQueue& queue, const QString& path)
{
    const auto sink = pravik::report::makePdfSink(path, queue.title);
    QString error;
    if (pravik::report::replay(queue.spoolPath, *sink, &error))
        return true;
    utilka::MSG_OST(QStringLiteral("Nie można zapisać pliku PDF %1: %2").arg(QDir::toNativeSeparators(path), error));
    return false;
}

} // namespace

void setPdfMailer(PdfMailer* mailer)
{
    g_mailer.store(mailer);
}

PdfMailer* pdfMailer()
{
    return g_mailer.load();
}

QString mailNotAvailableText()
{
    return QStringLiteral("Wysyłanie poczty nie jest jeszcze dostępne.");
}

bool MAKEPDFANDSEND(const PreviewQueue& queue)
{
    korda::Session& s = korda::session();
    if (s.GGG_EMAILPDFSAVEAS == 1) {
        QString path = s.outputRequests.pdfPath;
        if (path.isEmpty()) {
            const QString suggested = fileNameFrom(queue.title, QStringLiteral("Raport")) + QStringLiteral(".pdf");
            const auto chosen = pravik::ui().askSaveFile(QStringLiteral("Zapisz jako PDF"), suggested,
                                                         QStringLiteral("Pliki PDF (*.pdf)"));
            if (!chosen || chosen->isEmpty())
                return false;
            path = *chosen;
        }
        return writePdf(queue, path);
    }

    PdfMailer* mailer = pdfMailer();
    if (!mailer) {
        utilka::MSG_OST(mailNotAvailableText());
        return false;
    }
    const QString folder = QDir(korda::temporaryRoot()).filePath(QStringLiteral("VH"));
    if (!QDir().mkpath(folder)) {
        utilka::MSG_OST(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    // The attachment keeps the report's name; a folder of its own keeps two deliveries of the
    // same report apart, and goes with the PDF when the mail has left.
    QTemporaryDir own(QDir(folder).filePath(QStringLiteral("pdf-XXXXXX")));
    if (!own.isValid()) {
        utilka::MSG_OST(QStringLiteral("Nie można utworzyć folderu w %1.").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    PdfMail mail;
    mail.attachmentName = fileNameFrom(queue.reportName, QStringLiteral("Report")) + QStringLiteral(".pdf");
    mail.pdfPath = QDir(own.path()).filePath(mail.attachmentName);
    mail.subject = queue.title;
    mail.recipient = s.GLO_EMAILADRESS;
    if (!writePdf(queue, mail.pdfPath))
        return false;
    return mailer->send(mail);
}

} // namespace outlik
