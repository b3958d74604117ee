#pragma once
// The preview file queue: the page image files of a report a host rendered itself, one path per
// entry in page order, filled through addToQueue("PRINTPREVIEWFILEQUEUE", ...) and mailed by
// SENDOUTLOOK. Kept per thread like the session context.
#include <QStringList>

namespace korda {

QStringList& previewFileQueue();

} // namespace korda
