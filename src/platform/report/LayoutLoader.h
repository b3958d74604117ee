#pragma once
// Report layouts are JSON files, one per report procedure, described in layouts/README.md.
// They are compiled into the program as resources under ":/layouts/"; a folder given at run time
// (a layout designer's working copy) is looked at first.
#include "platform/report/Layout.h"

#include <QByteArray>
#include <QString>

namespace pravik::report {

// Reads a layout from its JSON text; source names it in error messages. Throws ReportError with
// the place of the fault ("pasmo POZYCJE, element 3: brak pola width").
Layout parseLayout(const QByteArray& json, const QString& source);

// Reads a layout file. Throws ReportError when it is missing, unreadable or malformed.
Layout loadLayoutFile(const QString& path);

// The layout of a report procedure ("PRN_OBROTY_SQL" -> "PRN_OBROTY_SQL.json"), from the
// run-time folder when it has the file, else from the compiled-in resources.
Layout loadLayout(const QString& procedure);

// The folder looked at before the resources; empty (the default) for resources only.
void setLayoutFolder(const QString& folder);
QString layoutFolder();

} // namespace pravik::report
