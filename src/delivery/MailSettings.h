#pragma once
// How mail leaves this machine, read from the module's settings store, section [Mail]:
//
//   Server    SMTP server; when empty, messages go to the desktop's mail program instead
//   Port      default 587 (starttls), 465 (tls), 25 (none)
//   Security  starttls (default: the connection must be upgraded), tls, none
//   From      sender address (required for SMTP), FromName its display name
//   User, Password   login, when the server asks for one
//   Timeout   seconds for the whole exchange with the server (default 60)
//   Program   the desktop's opener of message files (default "xdg-open")
//
// Credentials live only in the settings store, never on a command line where other users of
// the machine could read them.
#include <QString>

namespace pravik {
class SettingsStore;
}

namespace pravik::delivery {

inline constexpr char16_t kMailSection[] = u"Mail";

struct MailSettings {
    enum class Security { StartTls, Tls, None };

    QString server;
    int port = 587;
    Security security = Security::StartTls;
    QString from;
    QString fromName;
    QString user;
    QString password;
    int timeoutSeconds = 60;
    QString program = QStringLiteral("xdg-open");

    bool usesSmtp() const { return !server.trimmed().isEmpty(); }
    // "smtp://host:port" or "smtps://host:port".
    QString url() const;
};

// The settings as stored; an unknown Security text falls back to starttls.
MailSettings readMailSettings(const SettingsStore& store);
MailSettings readMailSettings();

// 1 when the default mail client (key "Software\Clients\Mail") is "Microsoft Outlook", else 0;
// an empty key stands for "Outlook Express".
quint8 mailClientKind(const SettingsStore& store);
quint8 mailClientKind();

} // namespace pravik::delivery
