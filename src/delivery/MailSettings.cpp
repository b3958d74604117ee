#include "delivery/MailSettings.h"

#include "platform/Settings.h"

namespace pravik::delivery {

QString MailSettings::url() const
{
    return QStringLiteral("%1://%2:%3/")
        .arg(security == Security::Tls ? QStringLiteral("smtps") : QStringLiteral("smtp"), server.trimmed())
        .arg(port);
}

MailSettings readMailSettings(const SettingsStore& store)
{
    const QString section = QString::fromUtf16(kMailSection);
    MailSettings s;
    s.server = store.text(section, QStringLiteral("Server")).trimmed();
    const QString security = store.text(section, QStringLiteral("Security")).trimmed().toLower();
    if (security == QLatin1String("tls") || security == QLatin1String("ssl"))
        s.security = MailSettings::Security::Tls;
    else if (security == QLatin1String("none"))
        s.security = MailSettings::Security::None;
    const int defaultPort = s.security == MailSettings::Security::Tls ? 465
                            : s.security == MailSettings::Security::None ? 25
                                                                         : 587;
    const qint64 port = store.integer(section, QStringLiteral("Port"), defaultPort);
    s.port = port > 0 && port < 65536 ? int(port) : defaultPort;
    s.from = store.text(section, QStringLiteral("From")).trimmed();
    s.fromName = store.text(section, QStringLiteral("FromName")).trimmed();
    s.user = store.text(section, QStringLiteral("User"));
    s.password = store.text(section, QStringLiteral("Password"));
    const qint64 timeout = store.integer(section, QStringLiteral("Timeout"), 60);
    s.timeoutSeconds = timeout > 0 ? int(qMin<qint64>(timeout, 3600)) : 60;
    const QString program = store.text(section, QStringLiteral("Program")).trimmed();
    if (!program.isEmpty())
        s.program = program;
    return s;
}

MailSettings readMailSettings()
{
    return readMailSettings(moduleSettings());
}

quint8 mailClientKind(const SettingsStore& store)
{
    QString client = defaultMailClient(store).trimmed();
    if (client.isEmpty())
        client = QStringLiteral("Outlook Express");
    return client == QLatin1String("Microsoft Outlook") ? 1 : 0;
}

quint8 mailClientKind()
{
    return mailClientKind(moduleSettings());
}

} // namespace pravik::delivery
