#pragma once
// The header data of a budget reporting unit (BT_DANE_FIRMY): the form titles, the unit's name,
// address, REGON, territorial codes and names, and the fields only the user fills (addressee,
// association codes). Kept in module storage and shared by the statement window, the header
// window and the forms printout; reloaded when the company changes, so that what the user typed
// for one unit never lands on another unit's form.
#include "platform/DayNumber.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace pravik {

namespace sql {
class Database;
}

namespace statements {

struct HeaderField {
    const char* name;  // the report field, e.g. "PRN_FIRMA_REGON1"
    int width;         // characters kept
    const char* label; // caption in "Dane nagłówkowe wydruku"
};
// In the order the header window shows them.
const QList<HeaderField>& budgetHeaderFields();
std::optional<HeaderField> budgetHeaderField(const QString& name); // any case

// Title lines 1 and 2 of a form. The code is a form code ("Rb28S") or one of its section codes
// ("Rb28SPozycje"), in any case; nullopt for a code that is no budget form.
std::optional<QStringList> budgetFormTitles(const QString& code);
// The form code a section code belongs to ("Rb28SDotacjeRozwojowe" -> "Rb28S"); the code itself
// for a form code; empty when unknown.
QString budgetFormOf(const QString& code);
// Section codes of a form, in printing order ("Rb28S" -> "Rb28SPozycje", "Rb28SDotacjeRozwojowe").
QStringList budgetFormSections(const QString& formCode);

// "za okres od początku roku do dnia 31-03-2026 roku" and the other texts by form code, from the
// report's to date; empty for a code with no period text.
QString budgetPeriodText(const QString& code, DayNumber to);

// A snapshot of the header data.
struct BudgetHeaderValues {
    qint32 company = 0;
    QString formCode; // of the last load: the titles are this form's
    QList<QPair<QString, QString>> fields; // every field of budgetHeaderFields(), in order
    QString value(const QString& name) const;
};

// BT_DANE_FIRMY in mode 0: titles for the code (every call); on a new company every field
// cleared; then each empty field read from the database for the company and date. Failed reads
// leave their fields empty and are returned as texts (the caller shows them with MSG_OST).
QStringList loadBudgetHeader(sql::Database& db, qint32 company, DayNumber date, const QString& formCode);
// A user's entry: kept until the company changes. False for an unknown field.
bool setBudgetHeaderField(const QString& name, const QString& value);
BudgetHeaderValues budgetHeader();
// Forgets everything (module unload, tests).
void resetBudgetHeader();

// Replaces the header window (tests, a host of its own). Without one, mode 1 shows the Qt window
// when the module runs with widgets and a user at the screen, and loads like mode 0 otherwise.
using BudgetHeaderWindow = std::function<void()>;
void setBudgetHeaderWindow(BudgetHeaderWindow window);

} // namespace statements

// The exported procedure: mode 0 loads, mode 1 loads and opens "Dane nagłówkowe wydruku".
// The company is DANE_ID_FIRMY of the session.
void BT_DANE_FIRMY(quint8 mode, DayNumber date, const QString& formCode);

} // namespace pravik
