#include "MailOptions.h"
#include "Options.h"

#include "delivery/MailRequest.h"
#include "platform/PrintableText.h"

namespace pravik::cli {

bool takeMailOptions(QStringList& args, MailOptions& options, QString* error)
{
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        QString name = arg;
        QString value;
        bool hasValue = false;
        if (arg.startsWith(QLatin1String("--")) && arg.contains(u'=')) {
            name = arg.section(u'=', 0, 0);
            value = arg.section(u'=', 1);
            hasValue = true;
        }
        if (name != QLatin1String("--mail") && name != QLatin1String("--attach")) {
            rest.append(arg);
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= args.size() || args[i + 1].startsWith(QLatin1String("--"))) {
                if (error)
                    *error = name == QLatin1String("--mail") ? QStringLiteral("--mail needs an e-mail address")
                                                             : QStringLiteral("--attach needs pdf, rtf or png");
                return false;
            }
            value = args[++i];
        }
        if (name == QLatin1String("--mail")) {
            options.address = value.trimmed();
            if (options.address.isEmpty()) {
                if (error)
                    *error = QStringLiteral("--mail needs an e-mail address");
                return false;
            }
        } else {
            if (!delivery::attachmentFromText(value)) {
                if (error)
                    *error = QStringLiteral("--attach takes pdf, rtf or png, not %1").arg(quotedInput(value));
                return false;
            }
            options.attach = value.trimmed().toLower();
        }
    }
    args = rest;
    return true;
}

bool takeMailOptions(CommandContext& ctx, const QString& command, QStringList& args, MailOptions& options)
{
    QString error;
    if (takeMailOptions(args, options, &error))
        return true;
    ctx.error(command + QStringLiteral(": ") + error);
    return false;
}

void applyMailOptions(const MailOptions& options)
{
    if (!options.wanted())
        return;
    delivery::requestMail(options.address, delivery::attachmentFromText(options.attach).value_or(delivery::Attachment::Pdf));
}

QString mailOptionsHelp()
{
    return QStringLiteral(
        "  --mail ADDRESS     e-mail the report to ADDRESS (several separated by \";\")\n"
        "  --attach KIND      pdf (default), rtf (pages in an RTF document) or png (pages as pictures)\n"
        "                     Mail goes through the SMTP server of the settings file, section [Mail]\n"
        "                     (Server, Port, Security, From, User, Password), else to the desktop's\n"
        "                     mail program.\n");
}

} // namespace pravik::cli
