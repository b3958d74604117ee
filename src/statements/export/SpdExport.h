#pragma once
// The SPD export ("Eksport do systemu SPD (CSV)"): the settings of the window EKSPORT_PSD, kept per
// company in SPEC_EKSPORT (typ 'SPD'), and the CSV file written from the computed statement rows
// in the layout of docs/budget-exports.md.
#include "platform/DayNumber.h"
#include "statements/print/StatementPrintRequest.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace pravik {

namespace sql {
class Database;
}

namespace statements {

struct SpdSettings {
    // Fields 1-10 as stored (p1..p10): SD code, entity code, column separator, text qualifier,
    // account names ("1" or empty), five kept unchanged; field 11, the business date, is not stored.
    std::array<QString, 10> fields{};
    DayNumber businessDate = 0;

    QString sdCode() const { return fields[0]; }
    QString entityCode() const { return fields[1]; }
    QString separator() const { return fields[2]; }
    QString qualifier() const { return fields[3]; }
    bool accountNames() const { return fields[4].trimmed() == QLatin1String("1"); }
    // The fields' limits ("Kod SD" 2 characters, "Kod encji " 3, separator and qualifier 10): the
    // message to show, or nullopt.
    std::optional<QString> problem() const;
};

// The business date the window proposes: the to date, or day 1 of its month for month periods.
DayNumber spdBusinessDate(DayNumber to, int periodType);
// The company's stored settings with the defaults ("|" and a double quotation mark) where empty;
// *error set when the read failed (the defaults are returned then).
SpdSettings loadSpdSettings(sql::Database& db, qint32 company, QString* error);
// Replaces the company's stored settings in one transaction: on any failure the old row stays.
bool saveSpdSettings(sql::Database& db, qint32 company, const SpdSettings& settings, QString* error);

// The statements of the request (its group when asked) as the SPD file, whole or not at all.
bool writeSpdCsv(const StatementPrintRequest& request, const SpdSettings& settings, const QString& path, int* rows,
                 QString* error);

} // namespace statements

// The exported window: loads the company's settings into GGG:SPEC_EKSPORT_1..11 with the business
// date proposed for the period; 1 when the user pressed "Wykonaj", the window's values left in
// those globals. setSpdWindow replaces the window (tests, a host of its own, working on the
// globals); without one the Qt window shows when the module runs with widgets and a user at the
// screen, and otherwise the settings are taken as they are. The answer is also left in the
// session's response for C hosts.
quint8 EKSPORT_PSD(DayNumber to, qint32 periodType);
void setSpdWindow(std::function<bool()> window);

} // namespace pravik
