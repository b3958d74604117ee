#pragma once
// Ini-file settings, read and written the way the Windows profile functions do, because the files
// are shared with people and tools that expect exactly that: sections and keys match without
// regard to case, a value is the raw text after "=" (commas, semicolons and backslashes are plain
// characters, so "C:\Temp" and "Strona %1, razem" stay whole), one pair of surrounding quotes is
// removed, and lines starting with ";" or "#" are comments. Writing keeps the file's comments,
// order and line endings, and replaces the file atomically. Files are UTF-8; a file that is not
// valid UTF-8 is read as Windows-1250, the code page the original ini files were written in.
//
// Keys and sections may contain spaces, dots and backslashes: the mail client lives under the key
// "Software\Clients\Mail", the preview texts in the section "DISPLAY STRINGS 2.0".
//
// A store without a path keeps its values in memory only. All members are thread-safe: a report
// running on its own thread reads what its window wrote.
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>

namespace pravik {

// The preview add-on's own settings file and the section of its dialog texts.
inline constexpr char16_t kPreviewSettingsFile[] = u"CPCSRPTS.INI";
inline constexpr char16_t kDisplayStringsSection[] = u"DISPLAY STRINGS 2.0";
// Where the default mail client's name is kept (the registry key of the same name on Windows).
inline constexpr char16_t kSystemSection[] = u"Registry";
inline constexpr char16_t kMailClientKey[] = u"Software\\Clients\\Mail";

class SettingsStore {
public:
    enum class Access { ReadWrite, ReadOnly };

    // In memory only.
    SettingsStore();
    // Loads the file when it exists; a missing file is an empty store that sync() creates.
    explicit SettingsStore(const QString& path, Access access = Access::ReadWrite);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString path() const;

    // The raw text, or defaultValue when the key is absent. An empty value is present ("").
    QVariant value(const QString& section, const QString& key, const QVariant& defaultValue = {}) const;
    QString text(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    // Leading digits as the profile functions read them ("12px" -> 12); defaultValue when absent
    // or not a number.
    qint64 integer(const QString& section, const QString& key, qint64 defaultValue = 0) const;
    bool contains(const QString& section, const QString& key) const;
    QStringList sections() const;
    QStringList keys(const QString& section) const;

    // Refused (false) on a read-only store, for an empty key, a key with "=", a section with "]",
    // any name or value with a line break, or a value with no text form (QRect: store its parts).
    // Values are stored as QVariant::toString() gives them, booleans as "1" and "0".
    bool setValue(const QString& section, const QString& key, const QVariant& value);
    bool remove(const QString& section, const QString& key);
    bool removeSection(const QString& section);

    // Writes pending changes (nothing to do is success). False when the file could not be
    // written; the changes stay pending for the next try. The destructor writes them too.
    bool sync();
    // Drops pending changes and reads the file again.
    bool reload();
    // The reason the last load or sync failed, empty after success.
    QString errorString() const;

private:
    struct Data;
    std::unique_ptr<Data> d;
    mutable QMutex m_mutex;
};

// The store the module reads its settings from: its own (in memory until the session names a
// file), or the host's after setModuleSettings. Never null.
SettingsStore& moduleSettings();
// Replaces the module's store; null restores the module's own. The caller keeps ownership.
void setModuleSettings(SettingsStore* store);

// The name of the default mail client ("Microsoft Outlook", ...), empty when none is set.
QString defaultMailClient(const SettingsStore& store = moduleSettings());

} // namespace pravik
