#pragma once
// The text report of a character (matrix) printer run: bands come in as the report prints them,
// are turned into lines (BandText.h) and spooled to a UTF-8 file in the run's temporary folder,
// so a long journal never sits in memory. At the end the text is shown in the viewer and/or
// sent raw to the printer in its code page, or written to the file the host asked for.
//
// One text report per thread at a time, as one report runs per thread.
#include "platform/report/Layout.h"
#include "platform/report/ReportWriter.h"
#include "siblings/tekston/CodePages.h"

#include <QString>

namespace tekston {

using pravik::report::Band;
using pravik::report::FieldValues;
using pravik::report::Units;

// Starts a text report in folder (empty: GLO:CUTEMP, else the system's temporary folder).
// Without a text printer named in DANE_NAZWA_DRUKARKI the user is offered the picker first.
// Returns 1 when the run must end at once: the user cancelled the picker, or the text file
// could not be made (the user is told why). 0 otherwise.
int INICJUJRAPORTTXT(const QString& folder = {});

// Appends the band's lines. first: a heading block (company block, title, column headings);
// second: a table band (column headings, rows, totals); see BandText.h. values: the band's
// field values (persistent ones merged in by the caller).
void ANALIZUJRAPORTTXT(const Band& band, const FieldValues& values, int scale, Units bandWidth, int first,
                       int second = 0);

// Shows the text. print comes back 1 when the user chose to print it. Without a screen the
// text goes to the host's text file when one was asked for. False when the text could not be
// shown or written (the user has been told why).
bool VIEWRAPORTTXT(int& print);

// When print > 0: the text in the printer's code page goes to the host's text file when one was
// asked for, else raw to the printer DANE_NAZWA_DRUKARKI through CUPS ("lp -o raw") under the
// document name. Failures are shown as warnings and give false. The text file is closed either
// way.
bool DRUKUJRAPORTTXT(const QString& documentName, int print);

// The text printers of DRUKARKA for the user to pick from; the chosen name, "" when cancelled.
QString DRUKARKA_TXT();

// ---- for the frame and for tests ----
// The spool file of the running text report; empty when none is open.
QString textReportPath();
// Lines appended so far (a form feed counts as a line).
qint64 textReportLineCount();
// Ends the text report and removes its file (every exit of a run calls this).
void closeTextReport();
// The printed text of an element with the given values, formatted by its picture.
QString elementText(const pravik::report::Element& element, const FieldValues& values);
// Writes what the printer receives for a spooled text to target, line by line: lines ended by
// CR LF, page ends as form feeds, characters in the code page. The target appears whole or not
// at all; false with *error otherwise.
bool writePrinterFile(const QString& spoolPath, CodePage codePage, const QString& target, QString* error);

} // namespace tekston
