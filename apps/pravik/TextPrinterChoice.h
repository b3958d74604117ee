#pragma once
// The text (matrix) printer of a --text run. Its control codes in KOD_STERUJACY give the page;
// a printer without them gets pages of one row each, which nobody asks for on purpose.
#include <QString>

namespace pravik::cli {

struct CommandContext;

struct TextPrinterChoice {
    QString name;   // empty when there is none to take
    QString source; // how it was chosen, for the note ("the first printer with control codes")
    QString problem; // why none was taken
};

// The printer a --text run uses when --printer names none: DANE_NAZWA_DRUKARKI (--set), else
// Name in the section [TextPrinter] of the settings file, else the first printer of DRUKARKA by
// name whose codes give a page long enough for a report.
TextPrinterChoice defaultTextPrinter();

// The printer of a --text run of `command`: `named` (--printer), else the default. Notes which
// default was taken and says when the printer's codes give no page. False, with the message
// shown, when there is none to take.
bool resolveTextPrinter(const CommandContext& ctx, const QString& command, const QString& named, QString* chosen);

// What is wrong with the printer's control codes ("Ilość linii wydruku" missing or too small),
// naming the printer; empty when its page is fit for a report.
QString textPrinterProblem(const QString& printer);

} // namespace pravik::cli
