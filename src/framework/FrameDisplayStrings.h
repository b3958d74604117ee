#pragma once
// The texts of the run frame's own dialogs, read from the preview settings file
// (GGG:PROGRAMPATH/CPCSRPTS.INI, section "DISPLAY STRINGS 2.0") with built-in defaults, so an
// office can translate or reword them without a new program.
#include <QString>
#include <QStringList>

namespace pravik::frame {

struct DisplayStrings {
    QString ProgWinTitlePrvw = QStringLiteral("Generating Report");
    QString ProgWinTitlePrnt = QStringLiteral("Printing Report");
    QString ProgWinPctText = QStringLiteral("% Completed");
    QString ProgWinRecText = QStringLiteral("Records Read");
    QString ProgWinUsrText;
    QString PrinterDlgTitle = QStringLiteral("Report Destination");
    QString AskPrvwDialogTitle = QStringLiteral("Preview");
    QString AskPrvwDialogText = QStringLiteral("Do you wish to PREVIEW this Report?");
    QString CancelAreYouSureTitle = QStringLiteral("Question");
    QString CancelAreYouSureText = QStringLiteral("Are you sure you want to CANCEL this Report?");
    QString CancelPrvwPartialTitle = QStringLiteral("Question");
    QString CancelPrvwPartialText = QStringLiteral("Report Cancellation Requested!||Preview Report generated so far?");
    QString NoDfltPrtrTitle = QStringLiteral("WARNING!");
    QString NoDfltPrtrText = QStringLiteral(
        "Warning:  No DEFAULT Printer Driver Found!||Printing may not occur correctly (or at all)|without a Default "
        "printer assigned.||Use CONTROL PANEL (PRINTERS) to set a|printer as your Default.||Continue with report "
        "anyway?");
    QString NothingToPrvwTitle = QStringLiteral("NOTE...");
    QString NothingToPrvwText = QStringLiteral("Nothing to Preview.");
    QString NothingToPrntTitle = QStringLiteral("NOTE...");
    QString NothingToPrntText = QStringLiteral("Nothing to Print.");
    QString AsciiOutTitle = QStringLiteral("Save to what Filename?");
    QString AsciiOutMasks = QStringLiteral("Text|*.TXT|All Files|*.*");
    QString DynLblErrTitle = QStringLiteral("Problem!");
    QString DynLblErrText1 = QStringLiteral("Sorry!||");
    QString DynLblErrText2 = QStringLiteral("||Does not support paper type:");
    QString ButtonYesNoCancel = QStringLiteral("&Yes|&No|&Cancel");
    QString ButtonYesNo = QStringLiteral("&Yes|&No");
    QString ButtonYes = QStringLiteral("&Yes");
    QString ButtonYesNoIgnore = QStringLiteral("&Yes|&No|&Ignore");
    QString ButtonOk = QStringLiteral("&Ok");
};

// The file the strings come from: GGG:PROGRAMPATH joined with "CPCSRPTS.INI"; "WIN.INI" in the
// working folder when the program path is blank, as the old runtime looked there.
QString displayStringsFile(const QString& programPath);

// Every key of the section, falling back to its default; the report's own defaults for the
// preview question and the progress window's user line are passed in. Values are held to 64
// characters (CancelPrvwPartialText 128, NoDfltPrtrText 255).
DisplayStrings loadDisplayStrings(const QString& programPath, const QString& askPreviewText = {},
                                  const QString& askPreviewTitle = {}, const QString& userText = {});

// A message text with its "|" line breaks made real.
QString messageLines(const QString& text);
// A button list ("&Yes|&No|&Ignore") as labels.
QStringList buttonLabels(const QString& list);

} // namespace pravik::frame
