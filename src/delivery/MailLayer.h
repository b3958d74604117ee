#pragma once
// Hands a finished mail to the user's mail: through SMTP (libcurl) when the settings name a
// server, otherwise as a message file opened by the desktop's mail program. Nothing is sent
// until every recipient is a plain address and the whole message is written.
#include "delivery/MailMessage.h"
#include "delivery/MailSettings.h"

#include <QString>
#include <QStringList>

namespace pravik::delivery {

struct HandOverResult {
    bool viaSmtp = false;
    // The message file: in the work folder after SMTP (the caller removes it), in the draft
    // folder when the mail program was given it (it stays for the program to read).
    QString messagePath;
};

// Checks the recipients; an empty text when they will do, else the user's message.
QString recipientProblem(const QStringList& recipients);

// Writes `message` as fileName ("vh57.eml") and sends it (SMTP) or opens it (desktop). On the
// desktop road the message is a draft in draftFolder under a name no other delivery holds
// ("vh57.eml", "vh57-2.eml" ...). False with *error (the user's message) after any failure;
// the message file is then gone.
bool handOver(const MailMessage& message, const MailSettings& settings, const QString& workFolder,
              const QString& draftFolder, const QString& fileName, QString* error, HandOverResult* result = nullptr);

// Sends an existing message file over SMTP to the recipients (the envelope; the file's own
// headers are not read). False with *error naming the server and the reason.
bool sendSmtp(const MailSettings& settings, const QString& messagePath, const QStringList& recipients, QString* error);

// Opens a message file with the desktop's opener (settings.program + the path). False with
// *error when the opener cannot start, fails, or does not return within 30 seconds.
bool openWithMailProgram(const MailSettings& settings, const QString& messagePath, QString* error);

// Removes drafts ("vh*.eml") older than a day from the draft folder: the mail program had them.
void sweepOldDrafts(const QString& draftFolder);

} // namespace pravik::delivery
