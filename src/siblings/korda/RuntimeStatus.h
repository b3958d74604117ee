#pragma once
// The runtime's error state after the last statement or NEXT on a pass-through table, per
// thread: the error code (0 = success) and the driver's text. The gateway calls of utilka set it
// when they run a statement; NEXT sets it when it reads a row.
#include <QString>

namespace korda {

struct RuntimeStatus {
    int errorCode = 0;
    QString errorText;
    // The last statement, and whether it (or a NEXT over its rows) failed.
    QString statement;
    bool statementFailed = false;
    // Whether the user has been shown this failure already.
    bool failureShown = false;
    // Every failed statement or NEXT on this thread, counted from the start of the thread, and
    // the driver's text of the first one since the last clearFirstFailure(): a report run notes
    // the count when it starts and fails when it has grown, whatever its code did with the error.
    quint64 failureCount = 0;
    QString firstFailureText;

    void noteFailure(const QString& text)
    {
        ++failureCount;
        if (firstFailureText.isEmpty())
            firstFailureText = text;
    }
    void clearFirstFailure() { firstFailureText.clear(); }
};

RuntimeStatus& runtimeStatus();

} // namespace korda
