#include "platform/sql/SqlCapture.h"

#include <QFile>
#include <QMutex>

namespace pravik::sql {

namespace {

struct Sink {
    QMutex mutex;
    QFile file;
    bool on = false;

    Sink()
    {
        const QString path = qEnvironmentVariable("PRAVIK_SQL_CAPTURE");
        if (path.isEmpty())
            return;
        file.setFileName(path);
        // Several runs may write into one file one after another; each appends.
        on = file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
        if (!on)
            qWarning("PRAVIK_SQL_CAPTURE: cannot write %s", qPrintable(path));
    }
};

Sink& sink()
{
    static Sink s;
    return s;
}

} // namespace

bool SqlCapture::enabled()
{
    return sink().on;
}

void SqlCapture::record(const QString& tsql, const QString& errorText)
{
    Sink& s = sink();
    if (!s.on)
        return;
    QByteArray line = escape(tsql).toUtf8() + '\n';
    if (!errorText.isEmpty())
        line += "-- error: " + escape(errorText).toUtf8() + '\n';
    QMutexLocker lock(&s.mutex);
    s.file.write(line);
    // A run that ends through exit() or a crash still leaves what it sent.
    s.file.flush();
}

QString SqlCapture::escape(const QString& statement)
{
    QString out;
    out.reserve(statement.size());
    for (const QChar c : statement) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString SqlCapture::unescape(const QString& line)
{
    QString out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c != u'\\' || i + 1 == line.size()) {
            out += c;
            continue;
        }
        const QChar n = line.at(++i);
        out += n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : n;
    }
    return out;
}

} // namespace pravik::sql
