// The PDF attachment of a mailed report is built in a folder of its own: two deliveries of the
// same report at the same time must neither overwrite nor remove each other's attachment.
#include "MailFixture.h"

#include "siblings/korda/Session.h"
#include "siblings/outlik/PdfMail.h"

#include <QFile>
#include <QFileInfo>

namespace pravik::test {
namespace {

class PdfMailFolderTest : public MailFixture {};

// While the first mail is being sent, the same report is mailed again.
class OverlappingMailer : public outlik::PdfMailer {
public:
    explicit OverlappingMailer(outlik::PreviewQueue queue) : m_queue(std::move(queue)) {}

    bool send(const outlik::PdfMail& mail) override
    {
        paths << mail.pdfPath;
        names << mail.attachmentName;
        if (paths.size() == 1) {
            EXPECT_TRUE(outlik::MAKEPDFANDSEND(m_queue));
            firstStillThere = QFileInfo(mail.pdfPath).size() > 0;
        }
        return true;
    }

    QStringList paths;
    QStringList names;
    bool firstStillThere = false;

private:
    outlik::PreviewQueue m_queue;
};

TEST_F(PdfMailFolderTest, TwoDeliveriesOfOneReportKeepTheirOwnAttachment)
{
    korda::Session& s = korda::session();
    s.GGG_EMAILPDFSAVEAS = 0;
    s.GLO_EMAILADRESS = QStringLiteral("biuro@bursztyn.example");
    const outlik::PreviewQueue queue{makeSpool(2), QStringLiteral("Dziennik księgowań"), QStringLiteral("Dziennik")};
    OverlappingMailer mailer(queue);
    outlik::PdfMailer* before = outlik::pdfMailer();
    outlik::setPdfMailer(&mailer);
    const bool sent = outlik::MAKEPDFANDSEND(queue);
    outlik::setPdfMailer(before);

    EXPECT_TRUE(sent);
    ASSERT_EQ(mailer.paths.size(), 2);
    EXPECT_NE(mailer.paths[0], mailer.paths[1]);
    EXPECT_EQ(mailer.names[0], QStringLiteral("Dziennik.pdf"));
    EXPECT_EQ(mailer.names[1], QStringLiteral("Dziennik.pdf"));
    EXPECT_TRUE(mailer.firstStillThere) << "the second delivery removed the first one's attachment";
    EXPECT_TRUE(filesUnderCutemp().filter(QStringLiteral(".pdf")).isEmpty()) << filesUnderCutemp().join(u' ').toStdString();
}

} // namespace
} // namespace pravik::test
