#pragma once
// The exported report procedures as a table, built from ReportProcedures.h: what the windows
// call, what --procedure calls with the host's arguments, what help and "pravik reports" list.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace pravik::reports {

struct ReportProcedure {
    QString name;           // "PRN_OBROTY_SQL", as exported
    QString command;        // the sub-command that runs it ("turnover"); empty for none
    QString help;           // one line
    QStringList parameters; // "BYTE", "LONG", "STRING", as the host's interface table gives them
    // Calls the procedure; the arguments are checked by call() before.
    std::function<void(const QVariantList&)> invoke;
};

// Whether the procedure opens a window of its own (a parameter window PARAM_*, a browse Bro_*)
// rather than printing: a run without a screen drives the window's model instead.
bool opensWindow(const ReportProcedure& procedure);

// Every exported report procedure, in the order of ReportProcedures.h.
const QList<ReportProcedure>& reportProcedures();
// The procedure of that name (case-insensitive); null for none.
const ReportProcedure* findReportProcedure(const QString& name);
// "PRN_73_DZIENNIK(STRING, STRING, STRING)"
QString signature(const ReportProcedure& procedure);

// Calls a procedure by name with the host's arguments: texts ("1", "46023", a filter) or values.
// False, with the reason, for an unknown name, a wrong number of arguments or a value its
// parameter cannot hold (BYTE 0..255, LONG a 32-bit number); nothing is called then.
bool call(const QString& name, const QVariantList& arguments, QString* error = nullptr);

} // namespace pravik::reports
