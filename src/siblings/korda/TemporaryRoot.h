#pragma once
// The folder every temporary file of a run lives under: GLO:CUTEMP as the host set it (its
// backslashes read as folder separators), else the system's temporary folder.
#include <QString>

namespace korda {

QString temporaryRoot();

} // namespace korda
