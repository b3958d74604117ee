// The [Mail] Timeout bounds the whole delivery, also when the server takes the message and then
// never answers: the run must not hang on a server that stopped talking.
#include "SmtpTestServer.h"

#include "delivery/MailLayer.h"
#include "delivery/MailSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pravik::delivery;
using pravik::test::SmtpTestServer;

TEST(SmtpTimeout, AServerThatStallsAfterTheMessageIsLeftWithinTheTimeout)
{
    QTemporaryDir dir;
    const QString message = dir.filePath(QStringLiteral("m.eml"));
    QFile file(message);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("From: <biuro@example.pl>\r\nTo: <ksiegowa@example.pl>\r\nSubject: Dziennik\r\n\r\nStrony w za\xc5\x82\xc4\x85\x63zniku.\r\n");
    file.close();

    SmtpTestServer server({{}, {}, false, {}, true});
    ASSERT_TRUE(server.isListening());
    MailSettings settings;
    settings.server = QStringLiteral("127.0.0.1");
    settings.port = server.port();
    settings.security = MailSettings::Security::None;
    settings.from = QStringLiteral("biuro@example.pl");
    settings.timeoutSeconds = 2;

    QElapsedTimer clock;
    clock.start();
    QString error;
    EXPECT_FALSE(sendSmtp(settings, message, {QStringLiteral("ksiegowa@example.pl")}, &error));
    const qint64 elapsed = clock.elapsed();
    // The timeout and a little for the machine; without the bound it took the timeout plus the
    // two minutes libcurl waits for an answer to QUIT.
    EXPECT_LT(elapsed, 4000) << elapsed << " ms";
    EXPECT_GE(elapsed, 1500) << elapsed << " ms";
    EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można wysłać poczty przez serwer 127.0.0.1:"))) << error.toStdString();
    EXPECT_TRUE(server.commands().contains(QStringLiteral("DATA")));
    EXPECT_TRUE(server.received().isEmpty());
}
