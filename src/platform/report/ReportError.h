#pragma once
// What goes wrong in the report engine: a layout that cannot be read, a band or element the
// layout does not have, a spool or output file that cannot be written. The message is the
// product's own Polish text, ready to be shown to the user as it is.
#include <QString>

#include <stdexcept>

namespace pravik::report {

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace pravik::report
