#include "delivery/MailRoutes.h"

#include "delivery/DeliveryFolder.h"
#include "delivery/MailLayer.h"
#include "delivery/MailSettings.h"
#include "delivery/MimeEncoding.h"
#include "delivery/RtfDocument.h"
#include "framework/FrameMailRoutes.h"
#include "framework/Lifecycle.h"
#include "siblings/korda/PreviewFileQueue.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pravik::delivery {

namespace {

const QString kBodyFont = QStringLiteral("Arial");
const QString kBodyColour = QStringLiteral("000000");
const QString kBackground = QStringLiteral("FFFFFF");
constexpr int kScreenDpi = 96;

QString escaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString fontTag()
{
    return QStringLiteral("<FONT face=\"%1\" size=2 color=#%2>").arg(kBodyFont, kBodyColour);
}

bool writeText(const QString& path, const QString& text, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The recipient and subject of every mail of a report.
MailMessage baseMessage(const QString& subject)
{
    MailMessage m;
    m.to = splitAddresses(korda::session().GLO_EMAILADRESS);
    m.subject = subject;
    m.importance = Importance::Normal;
    return m;
}

QString pageAnchor(int page)
{
    return QStringLiteral("strona%1").arg(page);
}

// The MIME message's body: every page inline, anchors to go up and down between the pages.
QString mimeBody(const QString& title, const QList<MailPart>& pictures, const report::PageSetup& setup)
{
    const QSize size = setup.size();
    const int width = int(qint64(size.width()) * kScreenDpi / 1000);
    const int height = int(qint64(size.height()) * kScreenDpi / 1000);
    const int count = int(pictures.size());
    QString html = QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                                  "</HEAD>\r\n<BODY bgColor=#%1><DIV>\r\n%2%3<br>\r\n")
                       .arg(kBackground, fontTag(), escaped(title));
    for (int n = 1; n <= count; ++n) {
        html += QStringLiteral("<A name=\"%1\"></A>").arg(pageAnchor(n));
        if (n > 1)
            html += QStringLiteral("<A href=\"#%1\">&uarr;</A> ").arg(pageAnchor(n - 1));
        if (n < count)
            html += QStringLiteral("<A href=\"#%1\">&darr;</A> ").arg(pageAnchor(n + 1));
        html += QStringLiteral("%1 / %2<br>\r\n").arg(n).arg(count);
        const MailPart& p = pictures[n - 1];
        html += QStringLiteral("<IMG height=%1 width=%2 src=\"cid:%3\" alt=\"%4\"><br>\r\n")
                    .arg(height)
                    .arg(width)
                    .arg(QString::fromLatin1(p.contentId), escaped(p.fileName));
    }
    html += QStringLiteral("</FONT></DIV></BODY></HTML>\r\n");
    return html;
}

// Shows the failure, fills the outcome.
DeliveryOutcome& failed(DeliveryOutcome& outcome, const QString& message)
{
    outcome.ok = false;
    outcome.error = message;
    utilka::MSG_OST(message);
    return outcome;
}

DeliveryOutcome& handed(DeliveryOutcome& outcome, const MailMessage& message, const HandOverResult& result)
{
    outcome.ok = true;
    outcome.viaSmtp = result.viaSmtp;
    if (result.viaSmtp)
        utilka::MSG_INF(QStringLiteral("Wysłano wiadomość do: %1.").arg(envelopeRecipients(message).join(QStringLiteral(", "))));
    else
        outcome.messagePath = result.messagePath;
    return outcome;
}

QStringList fileNames(const QStringList& paths)
{
    QStringList names;
    for (const QString& p : paths)
        names.append(QFileInfo(p).fileName());
    return names;
}

// Routes of the run frame: the rich mail and the MIME message.
class FrameRoutes final : public frame::MailRoutes {
public:
    bool SENDOUTLOOK(const outlik::PreviewQueue& queue) override
    {
        const DeliveryOutcome outcome = delivery::SENDOUTLOOK(queue);
        return outcome.ok || outcome.skipped;
    }
    bool sendMimeMessage(const outlik::PreviewQueue& queue) override { return delivery::sendMimeMessage(queue).ok; }
};

class PdfMailSender final : public outlik::PdfMailer {
public:
    bool send(const outlik::PdfMail& mail) override { return sendPdfMail(mail).ok; }
};

FrameRoutes g_frameRoutes;
PdfMailSender g_pdfMailer;

// The module's routes are in place as soon as the library is loaded.
struct InstallOnLoad {
    InstallOnLoad() { install(); }
    ~InstallOnLoad() { uninstall(); }
};
const InstallOnLoad g_installOnLoad;

} // namespace

QString richMailBody(const QStringList& lines)
{
    QString html = QStringLiteral("<BODY bgColor=#%1><DIV>\r\n%2").arg(kBackground, fontTag());
    for (const QString& line : lines)
        html += escaped(line) + QStringLiteral("<br>\r\n");
    html += QStringLiteral("</FONT></DIV></BODY>\r\n");
    return html;
}

DeliveryOutcome SENDOUTLOOK(const outlik::PreviewQueue& queue)
{
    DeliveryOutcome outcome;
    if (korda::session().outputRequests.emailRequest == 0) {
        outcome.skipped = true;
        return outcome;
    }
    MailMessage message = baseMessage(queue.title);
    if (const QString problem = recipientProblem(message.to); !problem.isEmpty())
        return failed(outcome, problem);

    DeliveryFolder folder;
    outcome.r = folder.r();
    QString error;
    if (!folder.create(&error))
        return failed(outcome, error);
    QStringList pages;
    report::PageSetup setup;
    const bool copied = queue.spoolPath.isEmpty() ? folder.copyPages(queue.pageFiles, &pages, &setup, &error)
                                                  : folder.writePages(queue.spoolPath, &pages, &setup, &error);
    if (!copied)
        return failed(outcome, error);
    outcome.pageFiles = fileNames(pages);

    const QString htmlPath = folder.filePath(folder.vhName(QStringLiteral(".html")));
    if (!writeText(htmlPath, richMailBody({queue.title}), &error))
        return failed(outcome, error);

    const QString rtfName = reportFileBase(queue.reportName) + QStringLiteral(".rtf");
    const QString rtfPath = folder.filePath(rtfName);
    RtfPages rtf;
    rtf.pngFiles = pages;
    rtf.landscape = setup.orientation == report::Orientation::Landscape;
    rtf.title = queue.title;
    if (!writeRtfFile(rtf, rtfPath, &error))
        return failed(outcome, QStringLiteral("Nie można zapisać załącznika %1: %2").arg(QDir::toNativeSeparators(rtfPath), error));
    // The body is the file as written, as the mail program would take it.
    message.html = readText(htmlPath);
    message.attachments.append({rtfName, "application/rtf", rtfPath, {}});

    HandOverResult result;
    if (!handOver(message, readMailSettings(), folder.path(), folder.vhFolder(), folder.vhName(QStringLiteral(".eml")),
                  &error, &result))
        return failed(outcome, error);
    return handed(outcome, message, result);
}

DeliveryOutcome sendMimeMessage(const outlik::PreviewQueue& queue)
{
    DeliveryOutcome outcome;
    MailMessage message = baseMessage(queue.title);
    if (const QString problem = recipientProblem(message.to); !problem.isEmpty())
        return failed(outcome, problem);

    DeliveryFolder folder;
    outcome.r = folder.r();
    QString error;
    if (!folder.create(&error))
        return failed(outcome, error);
    QStringList pages;
    report::PageSetup setup;
    if (!folder.writePages(queue.spoolPath, &pages, &setup, &error))
        return failed(outcome, error);
    outcome.pageFiles = fileNames(pages);

    for (const QString& page : pages) {
        const QString name = QFileInfo(page).fileName();
        message.pictures.append({name, "image/png", page, makeContentId(name)});
    }
    message.html = mimeBody(queue.title, message.pictures, setup);

    HandOverResult result;
    if (!handOver(message, readMailSettings(), folder.path(), folder.vhFolder(), folder.vhName(QStringLiteral(".eml")),
                  &error, &result))
        return failed(outcome, error);
    return handed(outcome, message, result);
}

DeliveryOutcome sendPdfMail(const outlik::PdfMail& mail)
{
    DeliveryOutcome outcome;
    MailMessage message = baseMessage(mail.subject);
    message.to = splitAddresses(mail.recipient);
    if (const QString problem = recipientProblem(message.to); !problem.isEmpty())
        return failed(outcome, problem);
    if (!QFileInfo(mail.pdfPath).isFile())
        return failed(outcome, QStringLiteral("Nie ma pliku PDF %1.").arg(QDir::toNativeSeparators(mail.pdfPath)));

    DeliveryFolder folder;
    outcome.r = folder.r();
    QString error;
    if (!folder.create(&error))
        return failed(outcome, error);
    message.html = richMailBody({mail.subject});
    const QString name = mail.attachmentName.isEmpty() ? QFileInfo(mail.pdfPath).fileName() : mail.attachmentName;
    message.attachments.append({name, "application/pdf", mail.pdfPath, {}});

    HandOverResult result;
    if (!handOver(message, readMailSettings(), folder.path(), folder.vhFolder(), folder.vhName(QStringLiteral(".eml")),
                  &error, &result))
        return failed(outcome, error);
    return handed(outcome, message, result);
}

void install()
{
    frame::setMailRoutes(&g_frameRoutes);
    outlik::setPdfMailer(&g_pdfMailer);
}

void uninstall()
{
    if (&frame::mailRoutes() == &g_frameRoutes)
        frame::setMailRoutes(nullptr);
    if (outlik::pdfMailer() == &g_pdfMailer)
        outlik::setPdfMailer(nullptr);
}

} // namespace pravik::delivery

namespace pravik {

void SENDOUTLOOK()
{
    enterProcedure(QStringLiteral("SendOutlook"));
    korda::Session& s = korda::session();
    outlik::PreviewQueue queue;
    queue.pageFiles = korda::previewFileQueue();
    queue.title = s.DANE_NAGLOWEK_WYDRUKU;
    queue.reportName = s.DANE_NAGLOWEK_WYDRUKU;
    // The host's call is the request to mail: the e-mail request a window would have set.
    const quint8 emailRequest = s.outputRequests.emailRequest;
    s.outputRequests.emailRequest = 1;
    const delivery::DeliveryOutcome outcome = delivery::SENDOUTLOOK(queue);
    korda::session().outputRequests.emailRequest = emailRequest;
    korda::session().globalResponse = outcome.ok ? 1 : 2;
}

} // namespace pravik
