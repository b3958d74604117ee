#pragma once
// A text printer's page as its control codes in KOD_STERUJACY describe it: lines per page, paper
// kind, top and bottom margins and the code page. Read once at the start of every text run.
#include "siblings/tekston/CodePages.h"

#include <QString>

namespace tekston {

struct TextPageSetup {
    int linesPerPage = 0;             // "Ilość linii wydruku"; 0 when missing
    QString paper = QStringLiteral("KARTKI"); // "PAPIER", upper case; "KARTKI" when missing
    int topMargin = 0;                // "Górny margines (ilość linii odstępu)"
    int bottomMargin = 0;             // "Dolny margines (ilość linii odstępu od stopki)"
    QString codePageCode;             // "Strona kodowa" (or "Kodowanie"), as stored
    CodePage codePage = CodePage::Cp1250;

    int marginLines() const { return topMargin + bottomMargin; }
    // Where the line counter of a run starts.
    int firstLine() const { return 1 + marginLines(); }
    // Cut sheets are broken into pages; any other paper runs on without breaks.
    bool cutSheets() const { return paper == QStringLiteral("KARTKI"); }
    // Fewer than 15 lines beyond the first line leave no room for a page of a report.
    bool tooFewLines() const { return firstLine() + 15 >= linesPerPage; }
};

// The SQL text of one lookup: the printer's value of a control code. The printer name is quoted
// (a name with an apostrophe must neither break the statement nor change it). codeCondition
// follows "AND", e.g. "k.nazwa_kodu='Ilość linii wydruku'".
QString controlCodeQuery(const QString& printerName, const QString& codeCondition);

// Reads the codes of the printer through FUNCVAY. A printer that has none gets the defaults.
TextPageSetup readTextPageSetup(const QString& printerName);

// The warning of a page too short for a report ("Ilość linii wydruku na stronie jest za mała.");
// true when it was shown. The report goes on either way.
bool warnIfTooFewLines(const TextPageSetup& setup);

// Leading digits of a code's value ("66", " 66 linii"); 0 for anything else.
int codeNumber(const QString& value);

} // namespace tekston
