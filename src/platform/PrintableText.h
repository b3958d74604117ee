#pragma once
// Text that came from a user, a file or the database, made safe to repeat in a message on a
// terminal or in a log: control and escape characters are shown as escapes (\n, \t, \e, \x7f,
// \u202e) instead of being written raw, where they could move the cursor, recolour the screen,
// reverse the line or forge a line of their own.
#include <QString>
#include <QStringView>

namespace pravik {

// Longest stretch of a user's input repeated in a message.
inline constexpr qsizetype kShownInputChars = 80;

// The input between double quotes, escaped, and cut after maxChars characters with "…" and
// its full length: "xxxx…" (100000 characters).
QString quotedInput(QStringView text, qsizetype maxChars = kShownInputChars);

// The text escaped as quotedInput does, neither quoted nor cut. Line breaks stay when
// keepLineBreaks is set (a message of several lines), else they are escaped too.
QString printableText(QStringView text, bool keepLineBreaks = false);

} // namespace pravik
