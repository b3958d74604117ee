#include "support/ProgramOutput.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace pravik::test {

ProcessRun runProcess(const QString& program, const QStringList& args, const ProcessOptions& options)
{
    QProcess p;
    if (!options.environment.isEmpty())
        p.setProcessEnvironment(options.environment);
    if (!options.workingDir.isEmpty())
        p.setWorkingDirectory(options.workingDir);
    p.start(program, args);
    ProcessRun r;
    if (!p.waitForStarted(10000)) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return r;
    }
    if (!p.waitForFinished(options.timeoutMs)) {
        ADD_FAILURE() << program.toStdString() << " did not finish within " << options.timeoutMs << " ms";
        p.kill();
        p.waitForFinished(5000);
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString pravikProgram()
{
    return qEnvironmentVariable("PRAVIK_BINARY_DIR", QStringLiteral(PRAVIK_BINARY_DIR)) + QStringLiteral("/bin/pravik");
}

ProcessRun runPravik(const QStringList& args, const ProcessOptions& options)
{
    return runProcess(pravikProgram(), args, options);
}

QString pdfText(const QString& pdf, const QStringList& pdftotextOptions)
{
    const ProcessRun r = runProcess(QStringLiteral("pdftotext"), pdftotextOptions + QStringList{pdf, QStringLiteral("-")});
    EXPECT_EQ(r.exitCode, 0) << "pdftotext " << pdf.toStdString() << ": " << r.err.toStdString();
    return r.out;
}

QStringList pdfPages(const QString& pdf)
{
    QStringList pages = pdfText(pdf).split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QList<Decimal> amountsIn(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("-?\\d{1,3}(?: \\d{3})*,\\d{2}"));
    QList<Decimal> out;
    for (auto it = amount.globalMatch(text); it.hasNext();)
        out << Decimal::parse(it.next().captured(0).remove(u' ').replace(u',', u'.')).value_or(Decimal());
    return out;
}

QList<Decimal> labelled(const QString& text, const QString& label)
{
    const QRegularExpression pattern(QStringLiteral("(?:^|\\s)%1\\s+(-?\\d[\\d ,-]*)$")
                                         .arg(QRegularExpression::escape(label.trimmed())));
    for (const QString& line : text.split(u'\n')) {
        const auto m = pattern.match(line.trimmed());
        if (m.hasMatch())
            return amountsIn(m.captured(1));
    }
    return {};
}

qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace pravik::test
