// The e-mail roads from finished pages to a message another program reads: the MIME message
// with the pages inline, the rich mail with the RTF attachment, the PDF mail; through SMTP to a
// server on loopback and through the desktop's mail program; and the temporary files gone
// afterwards, whatever happened.
#include "MailFixture.h"
#include "RtfReader.h"
#include "SmtpTestServer.h"

#include "delivery/DeliveryFolder.h"
#include "framework/CApi.h"
#include "delivery/MailRoutes.h"
#include "framework/FrameMailRoutes.h"
#include "framework/RunFrame.h"
#include "siblings/korda/Session.h"
#include "siblings/outlik/PdfMail.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <csignal>
#include <dlfcn.h>
#include <sys/resource.h>

using namespace pravik;
using namespace pravik::delivery;
using test::leafParts;
using test::readWithPython;
using test::SmtpTestServer;

namespace {

const QString kTitle = QStringLiteral("Dziennik księgowań – styczeń");

class MailRoutesTest : public test::MailFixture {
protected:
    outlik::PreviewQueue queue(int pages, bool landscape = false)
    {
        return {makeSpool(pages, landscape), kTitle, QStringLiteral("PRN_71_DZIENNIK_P_K")};
    }

    QJsonObject onlyReceived(const SmtpTestServer& server)
    {
        const auto mails = server.received();
        EXPECT_EQ(mails.size(), 1);
        if (mails.isEmpty())
            return {};
        QDir().mkpath(scratch(QStringLiteral("parts")));
        return readWithPython(mails[0].data, scratch(QStringLiteral("received")), scratch(QStringLiteral("parts")));
    }

    QStringList draftsLeft() const
    {
        return QDir(vh()).entryList({QStringLiteral("*")}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    void SetUp() override
    {
        MailFixture::SetUp();
        QDir().mkpath(scratch(QStringLiteral("received")));
    }
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(MailRoutesTest, OnePageMimeMessageArrivesOverSmtpWithItsPageInline)
{
    SmtpTestServer server;
    ASSERT_TRUE(server.isListening());
    useSmtp(server.port());

    const DeliveryOutcome outcome = sendMimeMessage(queue(1));
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_TRUE(outcome.viaSmtp);
    ASSERT_GE(outcome.r, 11);
    ASSERT_LE(outcome.r, 99);
    const QString pageName = QString::number(outcome.r) + QStringLiteral("1.png");
    EXPECT_EQ(outcome.pageFiles, QStringList{pageName});

    const auto mails = server.received();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(mails[0].from, QStringLiteral("biuro@biuro.example.pl"));
    EXPECT_EQ(mails[0].recipients, QStringList{QStringLiteral("ksiegowa@biuro.example.pl")});
    const QJsonObject s = onlyReceived(server);
    EXPECT_EQ(s.value("subject").toString(), kTitle);
    EXPECT_EQ(s.value("to").toString(), QStringLiteral("ksiegowa@biuro.example.pl"));
    EXPECT_TRUE(s.value("from").toString().contains(QStringLiteral("Łęcka")));
    EXPECT_EQ(s.value("x_unsent").toString(), QString()); // sent, not a draft
    EXPECT_EQ(s.value("content_type").toString(), QStringLiteral("multipart/related"));
    EXPECT_TRUE(s.value("defects").toArray().isEmpty());
    EXPECT_LE(s.value("max_line").toInt(), 78);

    const auto parts = leafParts(s);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0].value("content_type").toString(), QStringLiteral("text/html"));
    EXPECT_EQ(parts[0].value("cte").toString(), QStringLiteral("quoted-printable"));
    EXPECT_EQ(parts[1].value("content_type").toString(), QStringLiteral("image/png"));
    EXPECT_EQ(parts[1].value("filename").toString(), pageName);
    const QString cid = parts[1].value("content_id").toString();
    ASSERT_TRUE(cid.startsWith(u'<') && cid.endsWith(u'>'));
    const QString html = s.value("html").toString();
    EXPECT_TRUE(html.contains(QStringLiteral("src=\"cid:%1\"").arg(cid.mid(1, cid.size() - 2)))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<BODY bgColor=#")));
    EXPECT_TRUE(html.contains(QStringLiteral("<FONT face=\"Arial\"")));
    EXPECT_TRUE(html.contains(kTitle));
    QImage page;
    ASSERT_TRUE(page.load(parts[1].value("extracted").toString(), "PNG"));
    EXPECT_GT(page.height(), page.width());

    // The raw text really is quoted-printable as other programs write it.
    EXPECT_TRUE(mails[0].data.contains("<BODY bgColor=3D#"));
    EXPECT_TRUE(mails[0].data.contains("<FONT face=3D"));

    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
    EXPECT_TRUE(draftsLeft().isEmpty());
    EXPECT_TRUE(warnings().isEmpty());
}

TEST_F(MailRoutesTest, MimeMessageForTheDesktopLinksEveryPageAndStaysForTheMailProgram)
{
    useDesktopCopy();
    const DeliveryOutcome outcome = sendMimeMessage(queue(3));
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_FALSE(outcome.viaSmtp);
    EXPECT_EQ(QFileInfo(outcome.messagePath).fileName(), QStringLiteral("vh%1.eml").arg(outcome.r));
    EXPECT_EQ(QFileInfo(outcome.messagePath).absolutePath(), QFileInfo(vh()).absoluteFilePath());

    const QString handed = QDir(opened()).filePath(QFileInfo(outcome.messagePath).fileName());
    ASSERT_TRUE(QFile::exists(handed));
    const QJsonObject s = readWithPython(handed);
    EXPECT_EQ(s.value("x_unsent").toString(), QStringLiteral("1"));
    EXPECT_EQ(s.value("subject").toString(), kTitle);
    const auto parts = leafParts(s);
    ASSERT_EQ(parts.size(), 4);
    const QString html = s.value("html").toString();
    QStringList ids;
    for (int n = 1; n <= 3; ++n) {
        const QJsonObject& p = parts[n];
        EXPECT_EQ(p.value("filename").toString(), QStringLiteral("%1%2.png").arg(outcome.r).arg(n));
        const QString cid = p.value("content_id").toString();
        ids.append(cid);
        EXPECT_TRUE(html.contains(QStringLiteral("cid:") + cid.mid(1, cid.size() - 2)));
        EXPECT_TRUE(html.contains(QStringLiteral("<A name=\"strona%1\">").arg(n)));
    }
    ids.removeDuplicates();
    EXPECT_EQ(ids.size(), 3);
    EXPECT_TRUE(html.contains(QStringLiteral("<A href=\"#strona2\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<A href=\"#strona1\">")));

    // Only the message the mail program was given is left; the page copies are gone.
    EXPECT_EQ(filesUnderCutemp(), QStringList{QStringLiteral("VH/vh%1.eml").arg(outcome.r)});

    // A second delivery never takes the first one's message, whatever r it draws.
    const DeliveryOutcome second = sendMimeMessage(queue(1));
    ASSERT_TRUE(second.ok);
    EXPECT_NE(second.messagePath, outcome.messagePath);
    EXPECT_EQ(filesUnderCutemp().size(), 2);
}

TEST_F(MailRoutesTest, RichMailCarriesTheHtmlBodyAndTheReportAsRtf)
{
    SmtpTestServer server({QStringLiteral("biuro"), QStringLiteral("tajne hasło"), false, {}});
    useSmtp(server.port(), QStringLiteral("biuro"), QStringLiteral("tajne hasło"));
    korda::session().outputRequests.mailClientKind = 1;

    const outlik::PreviewQueue pages = queue(2, true);
    const DeliveryOutcome outcome = delivery::SENDOUTLOOK(pages);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_TRUE(server.commands().contains(QStringLiteral("AUTH")));
    const QJsonObject s = onlyReceived(server);
    EXPECT_EQ(s.value("subject").toString(), kTitle);
    EXPECT_EQ(s.value("importance").toString(), QStringLiteral("Normal"));
    EXPECT_EQ(s.value("content_type").toString(), QStringLiteral("multipart/mixed"));
    const auto parts = leafParts(s);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(s.value("html").toString().startsWith(QStringLiteral("<BODY bgColor=#")));
    EXPECT_TRUE(s.value("html").toString().contains(QStringLiteral("<FONT face=\"Arial\"")));
    EXPECT_TRUE(s.value("html").toString().contains(kTitle + QStringLiteral("<br>\r\n")));
    EXPECT_EQ(parts[1].value("content_type").toString(), QStringLiteral("application/rtf"));
    EXPECT_EQ(parts[1].value("filename").toString(), QStringLiteral("PRN_71_DZIENNIK_P_K.rtf"));
    EXPECT_EQ(parts[1].value("disposition").toString(), QStringLiteral("attachment"));

    const auto rtf = test::readRtf(fileBytes(parts[1].value("extracted").toString()));
    EXPECT_TRUE(rtf.balanced);
    EXPECT_TRUE(rtf.words.contains(QStringLiteral("paperw16834")));
    ASSERT_EQ(rtf.pictures.size(), 2);
    for (const auto& pict : rtf.pictures) {
        QImage image;
        ASSERT_TRUE(image.loadFromData(pict.data, "PNG"));
        EXPECT_GT(image.width(), image.height());
    }
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

TEST_F(MailRoutesTest, RichMailDoesNothingWithoutAnEmailRequest)
{
    SmtpTestServer server;
    useSmtp(server.port());
    korda::session().outputRequests.emailRequest = 0;
    const DeliveryOutcome outcome = delivery::SENDOUTLOOK(queue(1));
    EXPECT_TRUE(outcome.skipped);
    EXPECT_TRUE(server.received().isEmpty());
    EXPECT_TRUE(m_ui.events().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(vh()));
}

TEST_F(MailRoutesTest, BadInputIsRefusedWithAClearMessageAndNothingHalfSent)
{
    SmtpTestServer server;
    useSmtp(server.port());
    const outlik::PreviewQueue pages = queue(2);

    korda::session().GLO_EMAILADRESS.clear();
    EXPECT_FALSE(sendMimeMessage(pages).ok);
    EXPECT_FALSE(delivery::SENDOUTLOOK(pages).ok);
    korda::session().GLO_EMAILADRESS = QStringLiteral("ksiegowa@biuro.example.pl\r\nBcc: obcy@example.com");
    EXPECT_FALSE(sendMimeMessage(pages).ok);
    EXPECT_EQ(warnings(), (QStringList{QStringLiteral("Nie podano adresu e-mail odbiorcy."),
                                       QStringLiteral("Nie podano adresu e-mail odbiorcy."),
                                       QStringLiteral("Niepoprawny adres e-mail odbiorcy: ksiegowa@biuro.example.pl Bcc: "
                                                      "obcy@example.com")}));

    // A report without a page.
    m_ui.clear();
    korda::session().GLO_EMAILADRESS = QStringLiteral("ksiegowa@biuro.example.pl");
    const outlik::PreviewQueue empty = queue(0);
    EXPECT_FALSE(sendMimeMessage(empty).ok);
    EXPECT_EQ(warnings(), QStringList{QStringLiteral("Wydruk nie ma żadnej strony do wysłania.")});

    // A temporary folder that cannot be made: its parent is a file.
    m_ui.clear();
    QFile blocker(scratch(QStringLiteral("plik")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    korda::session().GLO_CUTEMP = scratch(QStringLiteral("plik/temp"));
    EXPECT_FALSE(delivery::SENDOUTLOOK(pages).ok);
    ASSERT_EQ(warnings().size(), 1);
    EXPECT_TRUE(warnings()[0].startsWith(QStringLiteral("Nie można utworzyć folderu"))) << warnings()[0].toStdString();
    korda::session().GLO_CUTEMP = cutemp();

    EXPECT_TRUE(server.received().isEmpty());
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

TEST_F(MailRoutesTest, AServerThatIsDownOrRefusesLeavesNoFilesAndSaysWhy)
{
    const outlik::PreviewQueue pages = queue(2);

    useSmtp(SmtpTestServer::closedPort());
    EXPECT_FALSE(sendMimeMessage(pages).ok);

    SmtpTestServer refusing({QStringLiteral("biuro"), QStringLiteral("dobre"), false, {}});
    useSmtp(refusing.port(), QStringLiteral("biuro"), QStringLiteral("złe"));
    EXPECT_FALSE(delivery::SENDOUTLOOK(pages).ok);

    // One recipient of two refused: the message goes to neither.
    SmtpTestServer picky({{}, {}, false, QStringLiteral("nieznany@biuro.example.pl")});
    useSmtp(picky.port());
    korda::session().GLO_EMAILADRESS = QStringLiteral("ksiegowa@biuro.example.pl; nieznany@biuro.example.pl");
    EXPECT_FALSE(sendMimeMessage(pages).ok);

    const QStringList shown = warnings();
    ASSERT_EQ(shown.size(), 3);
    for (const QString& w : shown)
        EXPECT_TRUE(w.startsWith(QStringLiteral("Nie można wysłać poczty przez serwer 127.0.0.1:"))) << w.toStdString();
    EXPECT_TRUE(shown[1].contains(QStringLiteral("odrzucił login"))) << shown[1].toStdString();
    EXPECT_FALSE(shown[1].contains(QStringLiteral("złe")));
    EXPECT_TRUE(refusing.received().isEmpty());
    EXPECT_TRUE(picky.received().isEmpty());
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

TEST_F(MailRoutesTest, AMailProgramThatFailsTakesTheDraftWithIt)
{
    m_settings.setValue(QStringLiteral("Mail"), QStringLiteral("Program"), QStringLiteral("false"));
    EXPECT_FALSE(sendMimeMessage(queue(1)).ok);
    ASSERT_EQ(warnings().size(), 1);
    EXPECT_TRUE(warnings()[0].startsWith(QStringLiteral("Nie można otworzyć wiadomości w programie pocztowym (false)")));
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

TEST_F(MailRoutesTest, AMessageThatCannotBeWrittenIsNotSentAndLeavesNoFiles)
{
    SmtpTestServer server;
    useSmtp(server.port());
    const outlik::PreviewQueue pages = queue(3);

    // The largest page image fits under the file size limit, the message with all three not:
    // the write of the message fails as on a full disk.
    qint64 largest = 0;
    {
        DeliveryFolder probe;
        ASSERT_TRUE(probe.create(nullptr));
        QStringList files;
        ASSERT_TRUE(probe.writePages(pages.spoolPath, &files, nullptr, nullptr));
        for (const QString& f : files)
            largest = qMax(largest, QFileInfo(f).size());
    }
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(largest + 1024);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const DeliveryOutcome mime = sendMimeMessage(pages);
    const DeliveryOutcome rich = delivery::SENDOUTLOOK(pages);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(mime.ok);
    EXPECT_TRUE(mime.error.startsWith(QStringLiteral("Nie można zapisać wiadomości"))) << mime.error.toStdString();
    EXPECT_FALSE(rich.ok);
    EXPECT_TRUE(rich.error.startsWith(QStringLiteral("Nie można zapisać załącznika"))) << rich.error.toStdString();
    EXPECT_TRUE(server.received().isEmpty());
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

TEST(DeliveryFolder, TwoDeliveriesNeverShareAFolderAndEachCleansUp)
{
    QTemporaryDir dir;
    korda::session().GLO_CUTEMP = dir.path();
    QString first, second;
    {
        DeliveryFolder a, b;
        ASSERT_TRUE(a.create(nullptr));
        ASSERT_TRUE(b.create(nullptr));
        first = a.path();
        second = b.path();
        EXPECT_NE(first, second);
        EXPECT_EQ(QFileInfo(first).absolutePath(), QDir(dir.path()).filePath(QStringLiteral("VH")));
        EXPECT_TRUE(QFileInfo(first).fileName().startsWith(QString::number(a.r()) + u'-'));
        EXPECT_EQ(a.vhName(QStringLiteral(".eml")), QStringLiteral("vh%1.eml").arg(a.r()));
        QFile page(a.filePath(QString::number(a.r()) + QStringLiteral("1.png")));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_FALSE(QFileInfo::exists(second));
    korda::session().GLO_CUTEMP = QString();

    EXPECT_EQ(reportFileBase(QStringLiteral("PRN_OBROTY_SQL")), QStringLiteral("PRN_OBROTY_SQL"));
    EXPECT_EQ(reportFileBase(QStringLiteral("../../etc/passwd")), QStringLiteral("_.._etc_passwd"));
    EXPECT_EQ(reportFileBase(QString()), QStringLiteral("Report"));
}

// A host that rendered its pages itself lists them in PRINTPREVIEWFILEQUEUE and calls the
// exported SENDOUTLOOK; the call is its request to mail.
TEST_F(MailRoutesTest, ExportedSendOutlookMailsThePageFilesOfTheHostsQueue)
{
    using SendOutlook = void (*)();
    const auto send = reinterpret_cast<SendOutlook>(dlsym(RTLD_DEFAULT, "SENDOUTLOOK"));
    ASSERT_NE(send, nullptr);
    SmtpTestServer server;
    useSmtp(server.port());
    korda::Session& s = korda::session();
    s.outputRequests.emailRequest = 0;
    s.DANE_NAGLOWEK_WYDRUKU = kTitle;
    for (int n = 1; n <= 2; ++n) {
        QImage page(300, 200, QImage::Format_RGB32);
        page.fill(n == 1 ? Qt::white : Qt::gray);
        ASSERT_TRUE(page.save(scratch(QStringLiteral("page%1.png").arg(n)), "PNG"));
        // The host's names end in ".WMF"; the pages here are PNG images of the same name.
        ASSERT_EQ(pravik_queue_add("PRINTPREVIEWFILEQUEUE", scratch(QStringLiteral("page%1.WMF").arg(n)).toUtf8().constData()), 1);
    }
    send();
    EXPECT_EQ(s.globalResponse, 1);
    EXPECT_EQ(s.outputRequests.emailRequest, 0);
    const QJsonObject mail = onlyReceived(server);
    EXPECT_EQ(mail.value("subject").toString(), kTitle);
    const auto parts = leafParts(mail);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_TRUE(parts[1].value("filename").toString().endsWith(QLatin1String(".rtf")));
    const auto rtf = test::readRtf(fileBytes(parts[1].value("extracted").toString()));
    ASSERT_EQ(rtf.pictures.size(), 2);
    EXPECT_TRUE(rtf.words.contains(QStringLiteral("paperw16834"))) << "landscape pages give a landscape document";
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();

    // A page that is not there: a warning naming it, nothing sent, response 2.
    ASSERT_EQ(pravik_queue_clear("PRINTPREVIEWFILEQUEUE"), 1);
    pravik_queue_add("PRINTPREVIEWFILEQUEUE", scratch(QStringLiteral("nie-ma.png")).toUtf8().constData());
    send();
    EXPECT_EQ(s.globalResponse, 2);
    EXPECT_EQ(server.received().size(), 1);
    ASSERT_FALSE(warnings().isEmpty());
    EXPECT_TRUE(warnings().last().contains(QLatin1String("nie-ma.png"))) << warnings().last().toStdString();
}
