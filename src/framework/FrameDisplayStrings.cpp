#include "framework/FrameDisplayStrings.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>

namespace pravik::frame {

QString displayStringsFile(const QString& programPath)
{
    const QString folder = programPath.trimmed();
    if (folder.isEmpty())
        return QStringLiteral("WIN.INI");
    return QDir(QDir::fromNativeSeparators(folder)).filePath(QString::fromUtf16(kPreviewSettingsFile));
}

DisplayStrings loadDisplayStrings(const QString& programPath, const QString& askPreviewText,
                                  const QString& askPreviewTitle, const QString& userText)
{
    DisplayStrings d;
    if (!askPreviewText.isEmpty())
        d.AskPrvwDialogText = askPreviewText;
    if (!askPreviewTitle.isEmpty())
        d.AskPrvwDialogTitle = askPreviewTitle;
    d.ProgWinUsrText = userText;

    const QString path = displayStringsFile(programPath);
    if (!QFileInfo::exists(path))
        return d;
    const SettingsStore ini(path, SettingsStore::Access::ReadOnly);
    const QString section = QString::fromUtf16(kDisplayStringsSection);
    auto read = [&](const char* key, QString& value, int width = 64) {
        value = ini.text(section, QLatin1String(key), value).left(width);
    };
    read("ProgWinTitlePrvw", d.ProgWinTitlePrvw);
    read("ProgWinTitlePrnt", d.ProgWinTitlePrnt);
    read("ProgWinPctText", d.ProgWinPctText);
    read("ProgWinRecText", d.ProgWinRecText);
    read("ProgWinUsrText", d.ProgWinUsrText);
    read("PrinterDlgTitle", d.PrinterDlgTitle);
    read("AskPrvwDialogTitle", d.AskPrvwDialogTitle);
    read("AskPrvwDialogText", d.AskPrvwDialogText);
    read("CancelAreYouSureTitle", d.CancelAreYouSureTitle);
    read("CancelAreYouSureText", d.CancelAreYouSureText);
    read("CancelPrvwPartialTitle", d.CancelPrvwPartialTitle);
    read("CancelPrvwPartialText", d.CancelPrvwPartialText, 128);
    read("NoDfltPrtrTitle", d.NoDfltPrtrTitle);
    read("NoDfltPrtrText", d.NoDfltPrtrText, 255);
    read("NothingToPrvwTitle", d.NothingToPrvwTitle);
    read("NothingToPrvwText", d.NothingToPrvwText);
    read("NothingToPrntTitle", d.NothingToPrntTitle);
    read("NothingToPrntText", d.NothingToPrntText);
    read("AsciiOutTitle", d.AsciiOutTitle);
    read("AsciiOutMasks", d.AsciiOutMasks);
    read("DynLblErrTitle", d.DynLblErrTitle);
    read("DynLblErrText1", d.DynLblErrText1);
    read("DynLblErrText2", d.DynLblErrText2);
    read("ButtonYesNoCancel", d.ButtonYesNoCancel);
    read("ButtonYesNo", d.ButtonYesNo);
    read("ButtonYes", d.ButtonYes);
    read("ButtonYesNoIgnore", d.ButtonYesNoIgnore);
    read("ButtonOk", d.ButtonOk);
    return d;
}

QString messageLines(const QString& text)
{
    QString out = text;
    return out.replace(u'|', u'\n');
}

QStringList buttonLabels(const QString& list)
{
    return list.split(u'|');
}

} // namespace pravik::frame
