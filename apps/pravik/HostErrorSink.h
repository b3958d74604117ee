#pragma once
// The command-line host's error manager. File and other errors go to stderr at once. SQL
// failures are shown by the code that ran the statement (a warning line with the driver's
// text), so here they are written only with --verbose, together with the failing statement.
#include "platform/ErrorSink.h"

namespace pravik::cli {

class HostErrorSink final : public ErrorSink {
public:
    explicit HostErrorSink(bool verbose) : m_verbose(verbose) {}

    void setProcedure(const QString& name) override;
    QString procedure() const override;
    void report(ErrorKind kind, const QString& what, const QString& detail) override;

private:
    bool m_verbose;
};

} // namespace pravik::cli
