// A whole report run ending in e-mail: the frame picks the road from the delivery state and
// the installed routes carry the pages to a server on loopback. Which attachment arrives tells
// which road was taken.
#include "MailFixture.h"
#include "SmtpTestServer.h"

#include "delivery/MailRequest.h"
#include "framework/RunFrame.h"
#include "siblings/korda/Session.h"

#include <QFile>
#include <QJsonArray>

#include <gtest/gtest.h>

using namespace pravik;
using test::leafParts;
using test::readWithPython;
using test::SmtpTestServer;

namespace {

class EndOfRunRoutingTest : public test::MailFixture {
protected:
    // Runs a two-page report of the sample layout to its end.
    void runReport()
    {
        frame::ReportDefinition def;
        def.procedure = QStringLiteral("PRN_PROBA");
        def.mixedCaseName = QStringLiteral("Prn_Proba");
        def.layoutFile = QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json");
        def.checkBeforeEachRow = false;
        frame::RunFrame frame(def, frame::OutputTarget::fromSession(korda::session()));
        ASSERT_TRUE(frame.start());
        int row = 0;
        frame::RowFeed feed;
        feed.next = [&] { return row++ < 2; };
        feed.print = [&](frame::RunFrame& f) {
            f.printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NUMER"), QString::number(row)}});
            if (row == 1)
                f.writer().newPage();
        };
        feed.total = 2;
        EXPECT_EQ(frame.run(feed), frame::kResponseCompleted);
    }

    // The content types of the leaf parts of the one message the server got.
    QStringList arrivedParts(const SmtpTestServer& server)
    {
        const auto mails = server.received();
        if (mails.size() != 1)
            return {QStringLiteral("messages: %1").arg(mails.size())};
        QStringList types;
        for (const QJsonObject& p : leafParts(readWithPython(mails[0].data, scratch(QString()))))
            types.append(p.value("content_type").toString());
        return types;
    }
};

} // namespace

TEST_F(EndOfRunRoutingTest, TheDeliveryStateChoosesTheRoad)
{
    struct Case {
        QString attach;     // as the command line names it
        int clientKind;     // -1: as the attachment sets it
        QStringList expected;
    };
    const QStringList pdf{QStringLiteral("text/html"), QStringLiteral("application/pdf")};
    const QList<Case> cases{
        {QStringLiteral("pdf"), -1, pdf},
        // "PDF" chosen: neither the rich mail nor the MIME message, whatever the mail client.
        {QStringLiteral("PDF"), 1, pdf},
        {QStringLiteral("rtf"), -1, {QStringLiteral("text/html"), QStringLiteral("application/rtf")}},
        {QStringLiteral("png"), -1, {QStringLiteral("text/html"), QStringLiteral("image/png"), QStringLiteral("image/png")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1, mail client kind %2").arg(c.attach).arg(c.clientKind).toStdString());
        SmtpTestServer server;
        useSmtp(server.port());
        korda::Session& s = korda::session();
        s.GGG_EMAILPDFSAVEAS = 1; // left over from an earlier window: a mail request clears it
        const auto attachment = delivery::attachmentFromText(c.attach);
        ASSERT_TRUE(attachment.has_value());
        delivery::requestMail(QStringLiteral(" ksiegowa@biuro.example.pl "), *attachment);
        if (c.clientKind >= 0)
            s.outputRequests.mailClientKind = quint8(c.clientKind);
        m_ui.clear();
        runReport();
        EXPECT_EQ(arrivedParts(server), c.expected);
        EXPECT_TRUE(warnings().isEmpty()) << warnings().join(u'\n').toStdString();
        EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
    }
    EXPECT_FALSE(delivery::attachmentFromText(QStringLiteral("doc")).has_value());
}

TEST_F(EndOfRunRoutingTest, SaveAsPdfSavesSendsNothingAndIsResetAfterwards)
{
    SmtpTestServer server;
    useSmtp(server.port());
    korda::Session& s = korda::session();
    s.GGG_EMAILPDFSAVEAS = 1;
    s.outputRequests.emailRequest = 1;
    s.outputRequests.mailClientKind = 1;
    s.outputRequests.pdfPath = scratch(QStringLiteral("zapisany.pdf"));
    runReport();
    EXPECT_TRUE(QFile::exists(s.outputRequests.pdfPath));
    EXPECT_EQ(s.GGG_EMAILPDFSAVEAS, 0);
    EXPECT_TRUE(server.received().isEmpty());
    EXPECT_TRUE(filesUnderCutemp().isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}
