#pragma once
// What programs print, as the tests read it: runs of the built command line and of poppler, qpdf
// or python (every wait bounded, a hang reported the same way), a PDF's text, printed amounts,
// a workbook's cells.
#include "platform/Decimal.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace pravik::test {

struct ProcessRun {
    int exitCode = -1; // -1 also when the program did not start, crashed or was killed for time
    QString out;
    QString err;
    QString all() const { return out + err; }
};

struct ProcessOptions {
    int timeoutMs = 120000;
    QProcessEnvironment environment; // empty: the test's own
    QString workingDir;
};

// Runs a program to its end; a program that cannot start or outlives the bound is a test failure
// (and is killed), never a wait without end.
ProcessRun runProcess(const QString& program, const QStringList& args, const ProcessOptions& options = {});

// The built command-line program (PRAVIK_BINARY_DIR may point at another build).
QString pravikProgram();
ProcessRun runPravik(const QStringList& args, const ProcessOptions& options = {});

// Text of a PDF as pdftotext -layout gives it; pages are split at form feeds, the empty tail
// after the last one dropped.
QString pdfText(const QString& pdf, const QStringList& pdftotextOptions = {QStringLiteral("-layout")});
QStringList pdfPages(const QString& pdf);

// Amounts as printed ("-1 234,56"), in the order they stand.
QList<Decimal> amountsIn(const QString& text);
// The amounts of the first line that holds the label followed by amounts only.
QList<Decimal> labelled(const QString& text, const QString& label);

// A cell of a workbook as the file stores it: type "n" a number, "s", "inlineStr" or "str" a text
// (shared strings resolved); "blank" where the row stores no cell.
struct SheetCell {
    QString ref; // "B3"
    QString type;
    QString value;
};
// The rows of a workbook's first sheet, read with Python's zip and XML readers, each cell in its
// own column.
QList<QList<SheetCell>> readFirstSheet(const QString& xlsx);

// This process's resident memory in KiB, -1 where /proc cannot tell.
qint64 residentKiB();

} // namespace pravik::test
