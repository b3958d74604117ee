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
};

RuntimeStatus& runtimeStatus();

} // namespace korda
