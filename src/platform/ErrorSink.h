#pragma once
// Where file and SQL errors go. The module installs its own sink at load time; a host that
// passes its own error manager at initialisation replaces it. Every report names itself on
// entry so that errors are reported against the procedure that caused them.
#include <QString>

namespace pravik {

enum class ErrorKind { File, Sql, Other };

class ErrorSink {
public:
    virtual ~ErrorSink() = default;
    // The running procedure, in mixed case ("Prn_Obroty_SQL").
    virtual void setProcedure(const QString& name) = 0;
    virtual QString procedure() const = 0;
    // what: the file or statement; detail: the driver's or the system's error text.
    virtual void report(ErrorKind kind, const QString& what, const QString& detail) = 0;
};

// The sink errors are reported to now (never null once the module is loaded).
ErrorSink& errorSink();
// Replaces the current sink; null restores the module's own. The caller keeps ownership.
void setErrorSink(ErrorSink* sink);

} // namespace pravik
