#pragma once
// The two exports of a budget form as the statement window's "Eksport ..." menu starts them:
// the window, generation, the file, and what happened said to the user. The caller brings the
// period and its own generation (the statement window with its progress); the desktop's budget
// menu generates the whole form (budgetFormExportRun).
#include "platform/DayNumber.h"
#include "statements/print/StatementPrintRequest.h"

#include <QList>
#include <QString>
#include <functional>

namespace pravik::statements {

struct BudgetExportRun {
    qint64 statementId = 0;  // the statement the window shows (any section of the form)
    QString reportName;      // the group's name for a whole group
    int periodType = 0;      // 2 quarters, 3 months; others are refused for XML
    int periodNumber = 0;    // 1-4 or 1-12
    int periodYear = 0;
    bool cumulative = false; // "Narastająco od początku roku"
    DayNumber to = 0;        // the report's to date
    StatementPrintRequest print; // company, user, group, rows and options of the statements
    // Generation as the caller runs it: the database's error text, or empty when it went through.
    std::function<QString()> generate;
};

// "Eksport do systemu BeSTi@ (XML)": refuses what is no budget form or no quarter or month before
// anything else; then EXPORT_XML, generation and the writer, whose success or failure text is
// shown. True when the file was written.
bool runXmlExport(const BudgetExportRun& run);

// "Eksport do systemu SPD (CSV)": EKSPORT_PSD, generation, the settings stored for the company
// (a failure to store is shown and the export goes on), the file asked for and written. True
// when the file was written.
bool runSpdExport(const BudgetExportRun& run);

struct BudgetFormGroup;

// The periods a form is filed for, as the desktop offers them: "I kwartał" .. "IV kwartał", then
// the months; index i is quarter i+1 for i < 4 and month i-3 after that.
QStringList budgetExportPeriods();
// The export of a whole form group for a period of the session's fiscal year (index as above),
// cumulative from the year's first day as the forms report; generation over all its sections.
BudgetExportRun budgetFormExportRun(const BudgetFormGroup& group, int periodIndex);

} // namespace pravik::statements
