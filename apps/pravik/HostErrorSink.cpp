#include "HostErrorSink.h"

#include "platform/PrintableText.h"

#include <cstdio>

namespace pravik::cli {

namespace {

QString& runningProcedure()
{
    thread_local QString name;
    return name;
}

} // namespace

void HostErrorSink::setProcedure(const QString& name)
{
    runningProcedure() = name;
}

QString HostErrorSink::procedure() const
{
    return runningProcedure();
}

void HostErrorSink::report(ErrorKind kind, const QString& what, const QString& detail)
{
    if (kind == ErrorKind::Sql && !m_verbose)
        return;
    const QString kindText = kind == ErrorKind::File ? QStringLiteral("file error")
                             : kind == ErrorKind::Sql ? QStringLiteral("SQL error")
                                                      : QStringLiteral("error");
    QString line = QStringLiteral("pravik: ");
    if (!runningProcedure().isEmpty())
        line += runningProcedure() + QStringLiteral(": ");
    line += kindText + QStringLiteral(": ") + detail;
    if (!what.isEmpty())
        line += QStringLiteral(" [") + what + QLatin1Char(']');
    const QByteArray bytes = printableText(line.simplified()).toUtf8();
    std::fprintf(stderr, "%s\n", bytes.constData());
    std::fflush(stderr);
}

} // namespace pravik::cli
