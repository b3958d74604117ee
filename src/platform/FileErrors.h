#pragma once
// The system's reason for a failed write, for messages. Qt reports a write that the kernel cut
// short (the disk filled up half-way through it) as "Unknown error": the reason only shows in
// the state of the file system, so it is read from there.
#include <QFileDevice>
#include <QString>

namespace pravik {

// file.errorString(), or, when Qt has no reason, the system's ("No space left on device", "File
// too large") judged from the folder of path.
QString writeErrorText(const QFileDevice& file, const QString& path);

} // namespace pravik
