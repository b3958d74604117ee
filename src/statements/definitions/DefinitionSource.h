#pragma once
// The data stage of the two definition printouts: a statement's rows with their formulas, and the
// host's declaration queue. Both come out as the lines the print stage prints one band each, so
// what is printed (and where a long formula breaks) is decided and tested here, without pages.
#include "framework/OutputTarget.h"
#include "platform/report/ReportWriter.h"
#include "siblings/korda/Queues.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace pravik::statements {

// Bands of the two layouts.
inline const QString kRowNameBand = QStringLiteral("POZYCJA");
inline const QString kComponentBand = QStringLiteral("SKLADOWA");
inline const QString kContinuationBand = QStringLiteral("CIAG_DALSZY");
inline const QString kHeadingBand = QStringLiteral("GRUPA");
inline const QString kItemHeaderBand = QStringLiteral("NAGLOWEK_DEKLARACJI");
inline const QString kItemBand = QStringLiteral("DEKLARACJA");
inline const QString kShareHeaderBand = QStringLiteral("NAGLOWEK_UDZIALU");
inline const QString kShareBand = QStringLiteral("UDZIAL");
inline const QString kRuleBand = QStringLiteral("LINIA");

// Characters of one printed formula line (a monospaced font fills the line) and of a row name.
inline constexpr int kFormulaLineWidth = 100;
inline constexpr int kNameLineWidth = 80;

// One band to print with its values.
struct PrintLine {
    QString band;
    report::FieldValues values;
    report::Units indent = 0; // a heading's move to the right
};

// Breaks text into lines of at most width characters, at a blank or after a ';', '+', '-', '*',
// '/' or ')' in the second half of a line where there is one, else exactly at the width. Nothing
// is dropped or added: the lines joined again give the text.
QStringList wrapLines(const QString& text, int width);

// What the statement-definition printout is asked for.
struct StatementDefinitionRequest {
    qint64 statementId = 0;
    QString name; // the heading; the statement's own name when empty
    qint32 company = 0;
    frame::OutputTarget output;
};

// The declaration-definitions printout: the host's queue (DANE_KOLEJKA_UNIWERS) and heading as
// they were when it was called.
struct DeclarationDefinitionsRequest {
    QString title;
    QList<korda::DeclarationEntry> queue;
    frame::OutputTarget output;
};

struct StatementDefinition {
    QString name;
    int columns = 0;
    bool perColumn = false;  // czy_rozne_definicje = 1
    QStringList captions;    // " (label)" plus " BO" for an opening-balance column, per column
    QList<PrintLine> lines;
    QString error;           // the database's text, or why there is nothing to print
};

// Reads the statement's header, rows (in lp order) and formulas and lays out the lines.
StatementDefinition readStatementDefinition(const StatementDefinitionRequest& request, qint32 company);

// The lines of the declaration queue, in its order: headings indented by level, the column
// header before the first item (and the share header before the first share line) after each
// heading.
QList<PrintLine> declarationLines(const QList<korda::DeclarationEntry>& queue);

// Declaration entries from a file a host or a user prepared: JSON (an array of objects with the
// keys "nazwa1", "nazwa2", "nazwa3", "data2", "rodzaj", "udzial", "data_udzialu"), or CSV with
// that header line, ";" or "," separated, fields in double quotes where they hold the separator.
// Dates as dd-mm-yyyy or yyyy-mm-dd, shares with a comma or a dot. Empty and *error on the first
// bad entry, named by its number (and line for CSV).
QList<korda::DeclarationEntry> loadDeclarations(const QString& path, QString* error);

// One entry from its texts (keys as in the file), for the file reader and the C entry. False and
// *why for a text over 250 characters, a bad kind, date or share.
bool declarationEntry(const QHash<QString, QString>& values, korda::DeclarationEntry* entry, QString* why);

} // namespace pravik::statements
