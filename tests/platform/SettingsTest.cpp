// Ini settings: the module's own file, foreign files written on Windows, and the module-wide store.
#include "platform/Settings.h"

#include <QFile>
#include <QRect>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace pravik;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name = QStringLiteral("pravik.ini")) const { return dir.filePath(name); }
};

const QString kMailSection = QString::fromUtf16(kSystemSection);
const QString kMail = QString::fromUtf16(kMailClientKey);

} // namespace

TEST_F(SettingsFile, AwkwardNamesAndValuesRoundTrip)
{
    {
        SettingsStore store(path());
        EXPECT_TRUE(store.setValue(kMailSection, kMail, QStringLiteral("Microsoft Outlook")));
        EXPECT_TRUE(store.setValue(QStringLiteral("DISPLAY STRINGS 2.0"), QStringLiteral("ProgWinPctText"),
                                   QStringLiteral("% ukończono, proszę czekać; #1")));
        EXPECT_TRUE(store.setValue(QStringLiteral("General"), QStringLiteral("Folder"), QStringLiteral("C:\\Temp\\VH")));
        EXPECT_TRUE(store.setValue(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("XPos"), 120));
        EXPECT_TRUE(store.setValue(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Padded"), QStringLiteral("  x  ")));
        EXPECT_TRUE(store.setValue(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Quoted"), QStringLiteral("\"q\"")));
        EXPECT_TRUE(store.setValue(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Empty"), QString()));
        EXPECT_TRUE(store.sync()) << store.errorString().toStdString();
    }
    const QByteArray file = readAll(path());
    // Readable by the Windows tools too: names are written as they are, not escaped.
    EXPECT_TRUE(file.contains("[DISPLAY STRINGS 2.0]"));
    EXPECT_TRUE(file.contains("Software\\Clients\\Mail=Microsoft Outlook"));
    EXPECT_TRUE(file.contains("[General]"));
    EXPECT_TRUE(file.contains("Folder=C:\\Temp\\VH"));

    const SettingsStore store(path(), SettingsStore::Access::ReadOnly);
    EXPECT_EQ(defaultMailClient(store), QStringLiteral("Microsoft Outlook"));
    EXPECT_EQ(store.text(QStringLiteral("display strings 2.0"), QStringLiteral("PROGWINPCTTEXT")),
              QStringLiteral("% ukończono, proszę czekać; #1"));
    EXPECT_EQ(store.text(QStringLiteral("General"), QStringLiteral("Folder")), QStringLiteral("C:\\Temp\\VH"));
    EXPECT_EQ(store.integer(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("XPos")), 120);
    EXPECT_EQ(store.text(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Padded")), QStringLiteral("  x  "));
    EXPECT_EQ(store.text(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Quoted")), QStringLiteral("\"q\""));
    EXPECT_TRUE(store.contains(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Empty")));
    EXPECT_EQ(store.value(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Empty"), 5), QVariant(QString()));
    EXPECT_EQ(store.value(QStringLiteral("Param_Prn_Obroty"), QStringLiteral("Missing"), 5), QVariant(5));
    EXPECT_EQ(store.sections(), (QStringList{kMailSection, QStringLiteral("DISPLAY STRINGS 2.0"), QStringLiteral("General"),
                                             QStringLiteral("Param_Prn_Obroty")}));
}

TEST_F(SettingsFile, ReadsAForeignWindowsFileAsWritten)
{
    // CRLF, a code-page file (not UTF-8), comments, spaces around "=", commas in values,
    // a quoted value, a duplicate key (the first one counts), a line without "=".
    QByteArray bytes = "; preview texts\r\n"
                       "[DISPLAY STRINGS 2.0]\r\n"
                       "ProgWinTitlePrvw = Tworzenie wydruku, proszę czekać\r\n"
                       "ProgWinPctText=\" % gotowe\"\r\n"
                       "ProgWinPctText=ignored\r\n"
                       "garbage line\r\n"
                       "\r\n"
                       "[Other]\r\n"
                       "Width=640px\r\n"
                       "Neg=-12\r\n"
                       "Word=abc\r\n";
    bytes.replace("ę", "\xEA").replace("ć", "\xE6"); // Windows-1250
    writeAll(path(QStringLiteral("CPCSRPTS.INI")), bytes);

    SettingsStore store(path(QStringLiteral("CPCSRPTS.INI")));
    const QString section = QString::fromUtf16(kDisplayStringsSection);
    EXPECT_EQ(store.text(section, QStringLiteral("ProgWinTitlePrvw")), QStringLiteral("Tworzenie wydruku, proszę czekać"));
    EXPECT_EQ(store.text(section, QStringLiteral("ProgWinPctText")), QStringLiteral(" % gotowe"));
    EXPECT_EQ(store.text(section, QStringLiteral("AskPrvwDialogText"), QStringLiteral("default")), QStringLiteral("default"));
    EXPECT_EQ(store.keys(section), (QStringList{QStringLiteral("ProgWinTitlePrvw"), QStringLiteral("ProgWinPctText")}));
    EXPECT_EQ(store.integer(QStringLiteral("Other"), QStringLiteral("Width"), 1), 640);
    EXPECT_EQ(store.integer(QStringLiteral("Other"), QStringLiteral("Neg"), 1), -12);
    EXPECT_EQ(store.integer(QStringLiteral("Other"), QStringLiteral("Word"), 7), 7);

    // Changing one value leaves everything else byte for byte, in the file's code page.
    ASSERT_TRUE(store.setValue(QStringLiteral("other"), QStringLiteral("width"), 800));
    ASSERT_TRUE(store.setValue(QStringLiteral("Other"), QStringLiteral("Added"), QStringLiteral("ą")));
    ASSERT_TRUE(store.sync());
    QByteArray expected = bytes;
    expected.replace("Width=640px", "Width=800");
    expected.append("Added=\xB9\r\n");
    EXPECT_EQ(readAll(path(QStringLiteral("CPCSRPTS.INI"))), expected);
}

TEST_F(SettingsFile, RefusesWhatCannotBeStored)
{
    SettingsStore store(path());
    EXPECT_FALSE(store.setValue(QStringLiteral("S"), QString(), 1));
    EXPECT_FALSE(store.setValue(QStringLiteral("S"), QStringLiteral("a=b"), 1));
    EXPECT_FALSE(store.setValue(QStringLiteral("S"), QStringLiteral(";comment"), 1));
    EXPECT_FALSE(store.setValue(QStringLiteral("S]"), QStringLiteral("k"), 1));
    EXPECT_FALSE(store.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("two\nlines")));
    EXPECT_FALSE(store.setValue(QStringLiteral("S"), QStringLiteral("k"), QRect(1, 2, 3, 4)));
    EXPECT_TRUE(store.sections().isEmpty());
    EXPECT_TRUE(store.setValue(QStringLiteral("S"), QStringLiteral("flag"), true));
    EXPECT_EQ(store.integer(QStringLiteral("S"), QStringLiteral("flag")), 1);

    writeAll(path(QStringLiteral("ro.ini")), "[S]\nk=1\n");
    SettingsStore readOnly(path(QStringLiteral("ro.ini")), SettingsStore::Access::ReadOnly);
    EXPECT_FALSE(readOnly.setValue(QStringLiteral("S"), QStringLiteral("k"), 2));
    EXPECT_FALSE(readOnly.remove(QStringLiteral("S"), QStringLiteral("k")));
    EXPECT_TRUE(readOnly.sync());
    EXPECT_EQ(readAll(path(QStringLiteral("ro.ini"))), QByteArray("[S]\nk=1\n"));
}

TEST_F(SettingsFile, RemoveReloadAndWriteFailures)
{
    SettingsStore store(path());
    store.setValue(QStringLiteral("A"), QStringLiteral("k"), 1);
    store.setValue(QStringLiteral("A"), QStringLiteral("j"), 2);
    store.setValue(QStringLiteral("B"), QStringLiteral("k"), 3);
    ASSERT_TRUE(store.sync());
    store.remove(QStringLiteral("a"), QStringLiteral("K"));
    store.removeSection(QStringLiteral("b"));
    store.setValue(QStringLiteral("A"), QStringLiteral("j"), 5);
    EXPECT_TRUE(store.reload()); // drops the three changes
    EXPECT_EQ(store.integer(QStringLiteral("A"), QStringLiteral("k")), 1);
    EXPECT_EQ(store.integer(QStringLiteral("A"), QStringLiteral("j")), 2);
    EXPECT_EQ(store.integer(QStringLiteral("B"), QStringLiteral("k")), 3);
    store.remove(QStringLiteral("a"), QStringLiteral("K"));
    store.removeSection(QStringLiteral("b"));
    ASSERT_TRUE(store.sync());
    EXPECT_EQ(readAll(path()), QByteArray("[A]\nj=2\n"));

    // A path under a file cannot be created: the failure is reported and the change kept.
    writeAll(path(QStringLiteral("plain")), "x");
    SettingsStore blocked(path(QStringLiteral("plain")) + QStringLiteral("/sub/pravik.ini"));
    blocked.setValue(QStringLiteral("A"), QStringLiteral("k"), 1);
    EXPECT_FALSE(blocked.sync());
    EXPECT_FALSE(blocked.errorString().isEmpty());
    EXPECT_EQ(blocked.integer(QStringLiteral("A"), QStringLiteral("k")), 1);
}

TEST(ModuleSettings, ReplaceableByTheHostAndSharedAcrossThreads)
{
    SettingsStore& own = moduleSettings();
    EXPECT_TRUE(own.path().isEmpty());
    own.setValue(QStringLiteral("Module"), QStringLiteral("k"), 1);

    SettingsStore host;
    setModuleSettings(&host);
    EXPECT_EQ(&moduleSettings(), &host);
    EXPECT_FALSE(moduleSettings().contains(QStringLiteral("Module"), QStringLiteral("k")));
    host.setValue(kMailSection, kMail, QStringLiteral("Outlook Express"));
    EXPECT_EQ(defaultMailClient(), QStringLiteral("Outlook Express"));

    // A report on its own thread reads what the window wrote, while the window keeps writing.
    QThread* reader = QThread::create([&] {
        for (int i = 0; i < 2000; ++i)
            (void)moduleSettings().integer(QStringLiteral("Run"), QStringLiteral("n"));
    });
    reader->start();
    for (int i = 0; i < 2000; ++i)
        host.setValue(QStringLiteral("Run"), QStringLiteral("n"), i);
    reader->wait();
    delete reader;
    EXPECT_EQ(host.integer(QStringLiteral("Run"), QStringLiteral("n")), 1999);

    setModuleSettings(nullptr);
    EXPECT_EQ(&moduleSettings(), &own);
    EXPECT_EQ(moduleSettings().integer(QStringLiteral("Module"), QStringLiteral("k")), 1);
    own.removeSection(QStringLiteral("Module"));
}
