#pragma once
// NAZWA_WARIANTU of the utility library: asks for the name of a saved variant, offering the
// current one. A dialog on the desktop; in batch runs the text given in advance (--text), in
// tests the scripted reply.
#include <QString>

namespace utilka {

// The name typed, or an empty text when the user cancelled.
QString NAZWA_WARIANTU(const QString& current);

} // namespace utilka
