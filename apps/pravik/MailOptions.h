#pragma once
// The mail options every report command of the command-line host takes:
//   --mail ADDRESS     send the report to ADDRESS (several separated by ";")
//   --attach KIND      pdf (default), rtf (the pages in an RTF document) or png (the pages as
//                      pictures in the message)
// Mail leaves through the SMTP server of the settings ([Mail] Server ...), else through the
// desktop's mail program. Passwords are never options: they live in the settings file.
#include <QString>
#include <QStringList>

namespace pravik::cli {

struct CommandContext;

struct MailOptions {
    QString address;
    QString attach = QStringLiteral("pdf");
    bool wanted() const { return !address.isEmpty(); }
};

// Takes --mail and --attach (also as --mail=ADDRESS) out of a command's arguments. False with
// *error for a missing address or an unknown attachment kind.
bool takeMailOptions(QStringList& args, MailOptions& options, QString* error);
// The same for a sub-command: a problem is told through the context, prefixed with the command.
bool takeMailOptions(CommandContext& ctx, const QString& command, QStringList& args, MailOptions& options);

// Sets the session so that the report the command runs next is mailed as asked.
void applyMailOptions(const MailOptions& options);

// The lines for a command's --help.
QString mailOptionsHelp();

} // namespace pravik::cli
