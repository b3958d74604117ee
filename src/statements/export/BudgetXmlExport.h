#pragma once
// The XML export of a budget form ("Eksport do systemu BeSTi@ (XML)"): the EXPORT_XML window's
// model (file, correction number, note) and the run that checks the group, removes zero list
// rows when asked and has xmlbud write the file.
#include "platform/DayNumber.h"

#include <QString>
#include <functional>
#include <optional>

namespace pravik {
namespace statements {

constexpr int kMaxExportPath = 300;

// The window "Eksport XML" without widgets: the command line and tests drive it, a form shows it.
struct XmlExportForm {
    QString periodText; // TXT_ROBO_2
    QString reportName;
    bool correction = false; // "korekta  nr..." rather than "pierwotne"
    int correctionNumber = 0;
    QString note;           // "Uwagi"
    QString path;           // "Plik eksportu"
    QString folder;         // the folder of the last export, remembered between calls

    // Opening the window: the texts, and the proposed file in the remembered folder or, the first
    // time, in the unit's folder under the documents folder.
    void open(const QString& periodText, const QString& reportName, const QString& documents, qint32 company, DayNumber day);
    // The file button's answer: ".xml" appended when missing, its folder remembered.
    void fileChosen(const QString& chosen);

    QString reportLine() const; // TXT_ROBO_1: "Sprawozdanie " + name, or empty
    // The folder under the documents folder: .../Pliki programu Tabulo/Sprawozdania budżetowe/Fir<id>,
    // created when missing; empty when it cannot be made.
    static QString exportFolder(const QString& documents, qint32 company);
    // folder/<report name>_yyyymmdd.xml, the whole path at most kMaxExportPath characters: a long
    // report name is shortened, never the date or the extension. Empty when even that is too long.
    static QString proposedPath(const QString& folder, const QString& reportName, DayNumber day);
    // "Wykonaj": the message to show, or nullopt when the form is complete (a name without ".xml"
    // gets it). The correction number passed is 0 for "pierwotne".
    std::optional<QString> accept();
    quint8 correctionPassed() const { return correction ? quint8(correctionNumber) : quint8(0); }
};

struct BudgetXmlRequest {
    qint32 company = 0, user = 0;
    qint64 statementId = 0;  // the statement the window was opened for
    int periodType = 0;      // 2 quarters, 3 months (0 and 1 are refused for a form group)
    int periodNumber = 0;    // 1-4 or 1-12
    int periodYear = 0;
    bool cumulative = false; // "Narastająco od początku roku"
    bool skipZeroRows = false;
    DayNumber printDate = 0;
    quint8 correction = 0;
    QString note;
    QString path;
};

struct BudgetXmlResult {
    bool ok = false;
    QString message;
};

// "Za okres I kwartał 2026", "Za okres Marzec  2026 narastająco od początku roku".
QString xmlPeriodText(int periodType, int periodNumber, int year, bool cumulative);

// Why the statement cannot go to XML (not in a predefined form group, or a period that is not a
// quarter or a month), or nullopt; a failed read gives the database's text.
std::optional<QString> xmlExportRefusal(qint64 statementId, int periodType, qint64* group = nullptr);

// After generation: refuses a statement outside a predefined group ("only budget forms") and a
// period that is not a quarter or a month, deletes the zero list rows when asked, writes the file.
BudgetXmlResult exportBudgetXml(const BudgetXmlRequest& request);

} // namespace statements

// The exported window: 1 when the user pressed "Wykonaj" (the form's values stay in module
// storage for the run), else 0; also left in the session's response for C hosts.
quint8 EXPORT_XML(const QString& periodText, const QString& reportName);
statements::XmlExportForm& xmlExportSettings();
// Replaces the window (tests, a host of its own): true for "Wykonaj". Without one the Qt window
// shows when the module runs with widgets and a user at the screen; otherwise the file is asked
// through the user services and the rest of the form is taken as it stands.
void setXmlExportWindow(std::function<bool()> window);

} // namespace pravik
