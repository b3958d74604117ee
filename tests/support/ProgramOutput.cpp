#include "support/ProgramOutput.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
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

QList<QList<SheetCell>> readFirstSheet(const QString& xlsx)
{
    static const QString script = QStringLiteral(R"(
import json, re, sys, zipfile, xml.etree.ElementTree as ET
m = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
shared = []
if 'xl/sharedStrings.xml' in z.namelist():
    shared = [''.join(t.text or '' for t in si.iter(m + 't')) for si in ET.fromstring(z.read('xl/sharedStrings.xml')).findall(m + 'si')]
rows = []
for row in ET.fromstring(z.read('xl/worksheets/sheet1.xml')).iter(m + 'row'):
    cells = []
    for c in row.findall(m + 'c'):
        t = c.get('t', 'n')
        v = ''.join(x.text or '' for x in c.iter(m + 't')) if t == 'inlineStr' else c.findtext(m + 'v', '')
        if t == 's':
            v = shared[int(v)]
        letters = re.match('[A-Z]+', c.get('r')).group(0)
        column = 0
        for ch in letters:
            column = column * 26 + ord(ch) - ord('A') + 1
        cells.append([column - 1, c.get('r'), t, v])
    rows.append(cells)
print(json.dumps(rows))
)");
    const ProcessRun r = runProcess(QStringLiteral("python3"), {QStringLiteral("-c"), script, xlsx}, {30000});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    QList<QList<SheetCell>> rows;
    for (const QJsonValue& row : QJsonDocument::fromJson(r.out.toUtf8()).array()) {
        QList<SheetCell> cells;
        for (const QJsonValue& cell : row.toArray()) {
            const QJsonArray c = cell.toArray();
            while (cells.size() <= c[0].toInt())
                cells.append({QString(), QStringLiteral("blank"), QString()});
            cells[c[0].toInt()] = {c[1].toString(), c[2].toString(), c[3].toString()};
        }
        rows.append(cells);
    }
    return rows;
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
