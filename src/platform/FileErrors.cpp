#include "platform/FileErrors.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/statvfs.h>

namespace pravik {

namespace {

QString systemText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

QString writeErrorText(const QFileDevice& file, const QString& path)
{
    const QString qt = file.errorString().trimmed();
    if (!qt.isEmpty() && qt != QLatin1String("Unknown error"))
        return qt;
    struct statvfs fs {};
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    if (::statvfs(folder.constData(), &fs) == 0 && (fs.f_bavail == 0 || fs.f_bfree == 0))
        return systemText(ENOSPC);
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return systemText(EFBIG);
    return qt.isEmpty() ? systemText(EIO) : qt;
}

} // namespace pravik
