#pragma once
// Mail routes that record which road a finished report took ("mime PRN_...", "outlook PRN_..."),
// installed for the lifetime of the object.
#include "framework/FrameMailRoutes.h"

#include <QStringList>

namespace pravik::test {

class RecordingMailRoutes : public frame::MailRoutes {
public:
    RecordingMailRoutes() : m_installed(&frame::mailRoutes()) { frame::setMailRoutes(this); }
    ~RecordingMailRoutes() override { frame::setMailRoutes(m_installed); }
    RecordingMailRoutes(const RecordingMailRoutes&) = delete;
    RecordingMailRoutes& operator=(const RecordingMailRoutes&) = delete;

    bool SENDOUTLOOK(const outlik::PreviewQueue& q) override
    {
        calls << QStringLiteral("outlook ") + q.reportName;
        return true;
    }
    bool sendMimeMessage(const outlik::PreviewQueue& q) override
    {
        calls << QStringLiteral("mime ") + q.reportName;
        return true;
    }

    QStringList calls;

private:
    frame::MailRoutes* m_installed;
};

} // namespace pravik::test
