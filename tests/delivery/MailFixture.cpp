#include "MailFixture.h"

#include "delivery/MailSettings.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/ReportWriter.h"
#include "siblings/korda/Session.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace pravik::test {

namespace {

const QString kMail = QString::fromUtf16(delivery::kMailSection);

} // namespace

QJsonObject readWithPython(const QString& messagePath, const QString& extractDir)
{
    QProcess python;
    QStringList args{QStringLiteral(PRAVIK_SOURCE_DIR "/tests/delivery/eml_summary.py"), messagePath};
    if (!extractDir.isEmpty())
        args << extractDir;
    python.start(QStringLiteral("python3"), args);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << "python could not read " << messagePath.toStdString() << ": "
                      << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QJsonObject readWithPython(const QByteArray& message, const QString& dir, const QString& extractDir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("received.eml"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(message) != message.size())
        return {};
    file.close();
    return readWithPython(path, extractDir);
}

QList<QJsonObject> leafParts(const QJsonObject& summary)
{
    QList<QJsonObject> parts;
    for (const QJsonValue& v : summary.value(QStringLiteral("parts")).toArray())
        if (!v.toObject().value(QStringLiteral("multipart")).toBool())
            parts.append(v.toObject());
    return parts;
}

void MailFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(cutemp()));
    korda::Session& s = korda::session();
    s = korda::Session{};
    s.GLO_CUTEMP = cutemp();
    s.GLO_EMAILADRESS = QStringLiteral("ksiegowa@biuro.example.pl");
    s.DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Dziennik księgowań – styczeń");
    s.outputRequests.printRequest = 0;
    s.outputRequests.emailRequest = 1;
    setModuleSettings(&m_settings);
    m_scopedUi = std::make_unique<ScopedUi>(m_ui);
    // Without a server the desktop road is taken; a program that cannot exist keeps a test
    // that forgot to choose from opening anything real.
    m_settings.setValue(kMail, QStringLiteral("Program"), scratch(QStringLiteral("no-mail-program")));
}

void MailFixture::TearDown()
{
    m_writers.clear();
    m_scopedUi.reset();
    setModuleSettings(nullptr);
    korda::session() = korda::Session{};
}

QString MailFixture::makeSpool(int pages, bool landscape)
{
    report::Layout layout = report::loadLayoutFile(QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/ReportSample.json"));
    layout.page.orientation = landscape ? report::Orientation::Landscape : report::Orientation::Portrait;
    const QString path = scratch(QStringLiteral("spool-%1").arg(m_writers.size()));
    auto writer = std::make_unique<report::ReportWriter>(layout, path);
    for (int p = 1; p <= pages; ++p) {
        writer->printBand(QStringLiteral("NAGLOWEK2"),
                          {{QStringLiteral("NAZWA_ZESTAWIENIA"), QStringLiteral("Strona próbna %1").arg(p)}});
        for (int row = 0; row < 5; ++row)
            writer->printBand(QStringLiteral("POZYCJE"), {{QStringLiteral("PRN_NUMER"), QStringLiteral("%1-%2").arg(p).arg(row)},
                                                          {QStringLiteral("PRN_NAZWA"), QStringLiteral("Zażółć gęślą jaźń")}});
        if (p < pages)
            writer->newPage();
    }
    writer->finish();
    m_writers.push_back(std::move(writer));
    return path;
}

void MailFixture::useSmtp(int port, const QString& user, const QString& password)
{
    m_settings.setValue(kMail, QStringLiteral("Server"), QStringLiteral("127.0.0.1"));
    m_settings.setValue(kMail, QStringLiteral("Port"), port);
    m_settings.setValue(kMail, QStringLiteral("Security"), QStringLiteral("none"));
    m_settings.setValue(kMail, QStringLiteral("From"), QStringLiteral("biuro@biuro.example.pl"));
    m_settings.setValue(kMail, QStringLiteral("FromName"), QStringLiteral("Biuro Rachunkowe Łęcka"));
    m_settings.setValue(kMail, QStringLiteral("Timeout"), 20);
    if (!user.isEmpty()) {
        m_settings.setValue(kMail, QStringLiteral("User"), user);
        m_settings.setValue(kMail, QStringLiteral("Password"), password);
    }
}

void MailFixture::useDesktopCopy()
{
    QDir().mkpath(opened());
    m_settings.setValue(kMail, QStringLiteral("Program"), QStringLiteral("cp -t \"%1\"").arg(opened()));
}

QStringList MailFixture::filesUnderCutemp() const
{
    QStringList files;
    QDirIterator it(cutemp(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(QDir(cutemp()).relativeFilePath(it.next()));
    files.sort();
    return files;
}

QStringList MailFixture::warnings() const
{
    QStringList texts;
    for (const ScriptedUi::Event& e : m_ui.events())
        if (e.icon == MessageIcon::Warning)
            texts.append(e.text);
    return texts;
}

} // namespace pravik::test
