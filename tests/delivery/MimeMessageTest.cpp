// Messages as another mail program reads them: Python's email package parses what we write and
// must get back the Polish subject, names and body exactly, with no defects.
#include "MailFixture.h"

#include "delivery/MailMessage.h"
#include "delivery/MimeEncoding.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pravik::delivery;
using pravik::test::leafParts;
using pravik::test::readWithPython;

namespace {

QByteArray mime(const MailMessage& m, MimeOptions options = {})
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_TRUE(writeMime(m, buffer, options, &error)) << error.toStdString();
    return buffer.data();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return path;
}

} // namespace

TEST(MimeMessage, PolishHeadersAndBodyComeBackExactlyThroughAnotherParser)
{
    QTemporaryDir dir;
    MailMessage m;
    m.from = QStringLiteral("biuro@example.pl");
    m.fromName = QStringLiteral("Biuro Rachunkowe „Łęcka” Sp. z o.o.");
    m.to = {QStringLiteral("jan@example.pl"), QStringLiteral("anna@example.pl")};
    m.cc = {QStringLiteral("kontrola@example.pl")};
    // Long enough to need several encoded words; a letter must never be split between them.
    m.subject = QStringLiteral("Zestawienie obrotów i sald – źdźbło żółwia ")
                    .repeated(4)
                    .trimmed();
    QString html = QStringLiteral("<P style=\"color:red\">Zażółć gęślą jaźń = 100%</P>   \n");
    html += QString(200, u'x') + QStringLiteral("ą\n");                   // a line far over 76
    html += QStringLiteral("koniec linii ze spacją \n.kropka na początku\n"); // blank before the line end
    m.html = html;

    const QJsonObject s = readWithPython(mime(m), dir.path());
    EXPECT_EQ(s.value("subject").toString(), m.subject);
    EXPECT_EQ(s.value("to").toString(), QStringLiteral("jan@example.pl, anna@example.pl"));
    EXPECT_EQ(s.value("cc").toString(), QStringLiteral("kontrola@example.pl"));
    EXPECT_TRUE(s.value("from").toString().contains(QStringLiteral("„Łęcka”"))) << s.value("from").toString().toStdString();
    EXPECT_EQ(s.value("importance").toString(), QStringLiteral("Normal"));
    EXPECT_TRUE(s.value("date").toString().size() > 10);
    EXPECT_TRUE(s.value("defects").toArray().isEmpty()) << QJsonDocument(s.value("defects").toArray()).toJson().toStdString();
    EXPECT_LE(s.value("max_line").toInt(), 78);
    EXPECT_FALSE(s.value("bare_lf").toBool());
    const auto parts = leafParts(s);
    ASSERT_EQ(parts.size(), 1);
    EXPECT_EQ(parts[0].value("cte").toString(), QStringLiteral("quoted-printable"));
    QString expected = html;
    expected.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    EXPECT_EQ(s.value("html").toString(), expected);
}

TEST(MimeMessage, LineBreaksInASubjectOrRecipientCannotStartHeadersOfTheirOwn)
{
    QTemporaryDir dir;
    MailMessage m;
    m.to = {QStringLiteral("jan@example.pl")};
    m.subject = QStringLiteral("Raport\r\nBcc: ktos@obcy.example.com\r\n\r\n<b>treść</b>");
    m.html = QStringLiteral("<p>x</p>");
    const QJsonObject s = readWithPython(mime(m), dir.path());
    EXPECT_EQ(s.value("bcc").toString(), QString());
    EXPECT_TRUE(s.value("subject").toString().startsWith(QStringLiteral("Raport Bcc: ktos@obcy.example.com")));
    EXPECT_EQ(s.value("html").toString().trimmed(), QStringLiteral("<p>x</p>"));

    EXPECT_FALSE(isPlainAddress(QStringLiteral("a@b.pl\r\nBcc: c@d.pl")));
    EXPECT_FALSE(isPlainAddress(QStringLiteral("Jan <a@b.pl>")));
    EXPECT_FALSE(isPlainAddress(QStringLiteral("a@b")));
    EXPECT_FALSE(isPlainAddress(QStringLiteral("ab.pl")));
    EXPECT_TRUE(isPlainAddress(QStringLiteral("jan.kowalski+faktury@biuro.example.pl")));
    EXPECT_EQ(splitAddresses(QStringLiteral(" a@x.pl; b@y.pl ,c@z.pl;; ")),
              (QStringList{QStringLiteral("a@x.pl"), QStringLiteral("b@y.pl"), QStringLiteral("c@z.pl")}));
}

TEST(MimeMessage, PicturesTravelInlineWithTheirIdsAndAttachmentsKeepPolishNames)
{
    QTemporaryDir dir;
    QByteArray picture;
    for (int i = 0; i < 5000; ++i)
        picture += char(i * 7 % 256);
    const QByteArray document = QByteArray("{\\rtf1 ").repeated(300) + "}";
    MailMessage m;
    m.to = {QStringLiteral("jan@example.pl")};
    m.bcc = {QStringLiteral("archiwum@example.pl")};
    m.subject = QStringLiteral("Strony");
    const QByteArray id = makeContentId(QStringLiteral("571.png"));
    m.pictures.append({QStringLiteral("571.png"), "image/png", writeFile(dir, QStringLiteral("p.png"), picture), id});
    m.html = QStringLiteral("<IMG src=\"cid:%1\">").arg(QString::fromLatin1(id));
    m.attachments.append({QStringLiteral("Zestawienie obrotów – marzec.rtf"), "application/rtf",
                          writeFile(dir, QStringLiteral("a.rtf"), document), {}});

    MimeOptions draft;
    draft.draft = true;
    const QJsonObject s = readWithPython(mime(m, draft), dir.path());
    EXPECT_EQ(s.value("content_type").toString(), QStringLiteral("multipart/mixed"));
    EXPECT_EQ(s.value("x_unsent").toString(), QStringLiteral("1"));
    EXPECT_EQ(s.value("bcc").toString(), QStringLiteral("archiwum@example.pl"));
    EXPECT_TRUE(s.value("defects").toArray().isEmpty());
    EXPECT_LE(s.value("max_line").toInt(), 78);
    const auto parts = leafParts(s);
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[1].value("content_type").toString(), QStringLiteral("image/png"));
    EXPECT_EQ(parts[1].value("content_id").toString(), QStringLiteral("<%1>").arg(QString::fromLatin1(id)));
    EXPECT_EQ(parts[1].value("disposition").toString(), QStringLiteral("inline"));
    EXPECT_EQ(parts[1].value("filename").toString(), QStringLiteral("571.png"));
    EXPECT_EQ(parts[1].value("size").toInt(), picture.size());
    EXPECT_EQ(parts[2].value("filename").toString(), QStringLiteral("Zestawienie obrotów – marzec.rtf"));
    EXPECT_EQ(parts[2].value("disposition").toString(), QStringLiteral("attachment"));
    EXPECT_EQ(parts[2].value("size").toInt(), document.size());

    // A server never sees the blind copies in the message itself.
    MimeOptions forServer;
    forServer.includeBcc = false;
    EXPECT_FALSE(mime(m, forServer).contains("archiwum@example.pl"));
}

TEST(MimeMessage, AMissingPartFileFailsTheWriteAndLeavesNoFile)
{
    QTemporaryDir dir;
    MailMessage m;
    m.to = {QStringLiteral("jan@example.pl")};
    m.attachments.append({QStringLiteral("x.pdf"), "application/pdf", dir.filePath(QStringLiteral("missing.pdf")), {}});
    const QString path = dir.filePath(QStringLiteral("vh12.eml"));
    QString error;
    EXPECT_FALSE(writeMimeFile(m, path, {}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.pdf")));
    EXPECT_FALSE(QFile::exists(path));

    // An existing message of another delivery is never overwritten.
    writeFile(dir, QStringLiteral("vh13.eml"), "cudza wiadomość");
    m.attachments.clear();
    EXPECT_FALSE(writeMimeFile(m, dir.filePath(QStringLiteral("vh13.eml")), {}, &error));
    QFile other(dir.filePath(QStringLiteral("vh13.eml")));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("cudza wiadomość"));
}
