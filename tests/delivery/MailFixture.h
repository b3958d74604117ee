#pragma once
// What the mail tests share: a session whose temporary folder is a fresh folder of the test, a
// settings store of the test's own, scripted user services that record every warning, page
// spools of a given length, and Python's email package as the independent reader of messages.
#include "platform/ScriptedUi.h"
#include "platform/Settings.h"
#include "platform/report/ReportWriter.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

// Failures name texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace pravik::test {

// The message as Python's email package reads it (see eml_summary.py). With extractDir, each
// leaf part's decoded content is written there as part<N>.
QJsonObject readWithPython(const QString& messagePath, const QString& extractDir = {});
// Writes bytes to a file in dir and reads it with Python.
QJsonObject readWithPython(const QByteArray& message, const QString& dir, const QString& extractDir = {});
// The leaf parts of a summary, in order.
QList<QJsonObject> leafParts(const QJsonObject& summary);

class MailFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A finished spool of `pages` pages; the fixture keeps it until the test ends.
    QString makeSpool(int pages, bool landscape = false);
    // Mail leaves through the test SMTP server (no TLS).
    void useSmtp(int port, const QString& user = {}, const QString& password = {});
    // Mail goes to the "desktop mail program": a command that copies the message into opened().
    void useDesktopCopy();
    QString opened() const { return m_dir.filePath(QStringLiteral("opened")); }
    QString cutemp() const { return m_dir.filePath(QStringLiteral("cutemp")); }
    QString vh() const { return cutemp() + QStringLiteral("/VH"); }
    QString scratch(const QString& name) const { return m_dir.filePath(name); }
    // Every file under the temporary folder, relative to it.
    QStringList filesUnderCutemp() const;
    // The warnings shown so far.
    QStringList warnings() const;

    ScriptedUi m_ui;
    SettingsStore m_settings;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScopedUi> m_scopedUi;
    std::vector<std::unique_ptr<report::ReportWriter>> m_writers;
};

} // namespace pravik::test
