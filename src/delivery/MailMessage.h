#pragma once
// A mail as the delivery builds it (recipients, subject, HTML body, pictures the body shows,
// attachments) and its MIME form. Parts are streamed from their files, so a long report mailed
// as page images never sits in memory whole.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace pravik::delivery {

struct MailPart {
    QString fileName;     // the name the reader sees ("571.png", "PRN_OBROTY_SQL.rtf")
    QByteArray mimeType;  // "image/png", "application/rtf", "application/pdf"
    QString path;         // the file the content is read from
    // Set for a picture the HTML body shows ("cid:" + contentId); such parts travel inline in
    // a multipart/related body, the others as attachments.
    QByteArray contentId;
};

enum class Importance { Low, Normal, High };

struct MailMessage {
    QString from;          // may be empty for a message the mail program completes
    QString fromName;
    QStringList to;
    QStringList cc;
    QStringList bcc;
    QString subject;
    QString html;          // the body
    QList<MailPart> pictures;
    QList<MailPart> attachments;
    Importance importance = Importance::Normal;
};

struct MimeOptions {
    // Bcc is written for a mail program that sends the message itself, never for a server.
    bool includeBcc = true;
    // "X-Unsent: 1": mail programs that know it open the message as a draft to send.
    bool draft = false;
    QDateTime date = QDateTime::currentDateTime();
};

// Writes the message in MIME form (CR LF line ends). False with *error when a part's file
// cannot be read or the device refuses the data.
bool writeMime(const MailMessage& message, QIODevice& out, const MimeOptions& options, QString* error);

// Writes the message to a new file; nothing is left at path when it fails.
bool writeMimeFile(const MailMessage& message, const QString& path, const MimeOptions& options, QString* error);

// Every address the message goes to: To, Cc and Bcc.
QStringList envelopeRecipients(const MailMessage& message);

// A Content-ID unique to this message and part: "<stem>.<random>@pravik".
QByteArray makeContentId(const QString& stem);

} // namespace pravik::delivery
