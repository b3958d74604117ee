#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pravik {

namespace {

const char* const kLegacyCodePage = "windows-1250";

// A settings file larger than this is refused, as is anything that is not a regular file: the
// store is then empty, never writes the file, and errorString() says why.
constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

struct Line {
    QString raw;      // the line as it stands in the file (regenerated when a pair changes)
    QString key;      // pairs only
    QString value;    // pairs only: the text after "=", trimmed, quotes still on
    bool isPair = false;
};

struct Section {
    QString name;
    bool hasHeader = true; // false for the lines before the first header
    QList<Line> lines;
};

QString unquoted(const QString& stored)
{
    if (stored.size() >= 2) {
        const QChar first = stored.front();
        if ((first == u'"' || first == u'\'') && stored.back() == first)
            return stored.mid(1, stored.size() - 2);
    }
    return stored;
}

// Quotes what would otherwise lose its edges when read back.
QString quotedForFile(const QString& value)
{
    if (value.isEmpty())
        return value;
    const QChar first = value.front();
    const QChar last = value.back();
    const bool needsQuotes = first.isSpace() || last.isSpace()
        || (value.size() >= 2 && (first == u'"' || first == u'\'') && last == first);
    return needsQuotes ? u'"' + value + u'"' : value;
}

bool hasLineBreak(const QString& s)
{
    return s.contains(u'\n') || s.contains(u'\r');
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

struct SettingsStore::Data {
    QString path;
    Access access = Access::ReadWrite;
    QList<Section> sections;
    QString lineEnding = QStringLiteral("\n");
    bool byteOrderMark = false;
    bool legacyCodePage = false;
    bool dirty = false;
    // The file could not be read as a settings file: writing it would destroy what it holds.
    bool unreadable = false;
    QString error;

    Section* findSection(const QString& name)
    {
        for (Section& s : sections)
            if (s.hasHeader && sameName(s.name, name))
                return &s;
        return nullptr;
    }
    const Section* findSection(const QString& name) const
    {
        return const_cast<Data*>(this)->findSection(name);
    }
    static Line* findPair(Section& section, const QString& key)
    {
        for (Line& l : section.lines)
            if (l.isPair && sameName(l.key, key))
                return &l;
        return nullptr;
    }
    const Line* find(const QString& section, const QString& key) const
    {
        const Section* s = findSection(section);
        return s ? findPair(const_cast<Section&>(*s), key) : nullptr;
    }

    void parse(const QString& text)
    {
        sections.clear();
        sections.append(Section{QString(), false, {}});
        const QList<QStringView> rawLines = QStringView(text).split(u'\n');
        lineEnding = QStringLiteral("\n");
        for (qsizetype n = 0; n < rawLines.size(); ++n) {
            QStringView line = rawLines[n];
            if (line.endsWith(u'\r')) {
                line.chop(1);
                lineEnding = QStringLiteral("\r\n");
            }
            if (n == rawLines.size() - 1 && line.isEmpty())
                break; // the newline that ends the last line
            const QStringView trimmed = line.trimmed();
            if (trimmed.startsWith(u'[') && trimmed.indexOf(u']') > 0) {
                const QString name = trimmed.mid(1, trimmed.indexOf(u']') - 1).trimmed().toString();
                sections.append(Section{name, true, {}});
                continue;
            }
            Line l;
            l.raw = line.toString();
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0 && !trimmed.startsWith(u';') && !trimmed.startsWith(u'#')) {
                l.key = line.left(eq).trimmed().toString();
                l.value = line.mid(eq + 1).trimmed().toString();
                l.isPair = !l.key.isEmpty();
            }
            sections.last().lines.append(l);
        }
    }

    QString serialize() const
    {
        QString out;
        for (const Section& s : sections) {
            if (s.hasHeader)
                out += u'[' + s.name + u']' + lineEnding;
            for (const Line& l : s.lines)
                out += l.raw + lineEnding;
        }
        return out;
    }

    bool load()
    {
        error.clear();
        dirty = false;
        sections.clear();
        sections.append(Section{QString(), false, {}});
        if (path.isEmpty())
            return true;
        unreadable = false;
        QByteArray bytes;
        if (!readBounded(bytes)) {
            unreadable = true;
            return false;
        }
        byteOrderMark = bytes.startsWith("\xEF\xBB\xBF");
        if (byteOrderMark)
            bytes.remove(0, 3);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8(bytes);
        legacyCodePage = utf8.hasError();
        if (legacyCodePage) {
            QStringDecoder legacy(kLegacyCodePage);
            text = legacy.isValid() ? legacy(bytes) : QString::fromLatin1(bytes);
        }
        parse(text);
        return true;
    }

    // Only a regular file of at most kMaxSettingsFileBytes is read: a FIFO would hold the start
    // for ever and a device could feed it without end. Opened without blocking, checked on the
    // open descriptor, so nothing can be swapped in between. A missing file reads as empty.
    bool readBounded(QByteArray& bytes)
    {
        const QByteArray name = QFile::encodeName(path);
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT || errno == ENOTDIR)
                return true;
            error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            error = file.errorString();
            return false;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0) {
            error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (!S_ISREG(st.st_mode)) {
            error = QStringLiteral("not a regular file; a settings file must be one");
            return false;
        }
        if (st.st_size > kMaxSettingsFileBytes) {
            error = QStringLiteral("%1 bytes; a settings file may have at most %2").arg(st.st_size).arg(kMaxSettingsFileBytes);
            return false;
        }
        bytes = file.read(kMaxSettingsFileBytes + 1);
        if (bytes.size() > kMaxSettingsFileBytes) {
            error = QStringLiteral("grew past %1 bytes while being read").arg(kMaxSettingsFileBytes);
            bytes.clear();
            return false;
        }
        if (file.error() != QFileDevice::NoError) {
            error = file.errorString();
            return false;
        }
        return true;
    }

    bool save()
    {
        error.clear();
        if (unreadable) {
            error = QStringLiteral("not written: the file could not be read as a settings file");
            return false;
        }
        const QString text = serialize();
        QByteArray bytes;
        if (legacyCodePage) {
            QStringEncoder legacy(kLegacyCodePage);
            if (legacy.isValid()) {
                bytes = legacy(text);
                if (legacy.hasError())
                    bytes.clear(); // a character the code page lacks: fall back to UTF-8
            }
        }
        if (bytes.isEmpty() && !text.isEmpty()) {
            bytes = text.toUtf8();
            if (byteOrderMark)
                bytes.prepend("\xEF\xBB\xBF");
        }
        const QFileInfo info(path);
        if (!QDir().mkpath(info.absolutePath())) {
            error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
            return false;
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            error = file.errorString();
            return false;
        }
        dirty = false;
        return true;
    }
};

SettingsStore::SettingsStore() : d(std::make_unique<Data>())
{
    d->load();
}

SettingsStore::SettingsStore(const QString& path, Access access) : d(std::make_unique<Data>())
{
    d->path = path;
    d->access = access;
    d->load();
}

SettingsStore::~SettingsStore()
{
    if (d->dirty && d->access == Access::ReadWrite && !d->path.isEmpty())
        d->save();
}

QString SettingsStore::path() const
{
    QMutexLocker lock(&m_mutex);
    return d->path;
}

QVariant SettingsStore::value(const QString& section, const QString& key, const QVariant& defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    const Line* l = d->find(section, key);
    return l ? QVariant(unquoted(l->value)) : defaultValue;
}

QString SettingsStore::text(const QString& section, const QString& key, const QString& defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    const Line* l = d->find(section, key);
    return l ? unquoted(l->value) : defaultValue;
}

qint64 SettingsStore::integer(const QString& section, const QString& key, qint64 defaultValue) const
{
    QString stored;
    {
        QMutexLocker lock(&m_mutex);
        const Line* l = d->find(section, key);
        if (!l)
            return defaultValue;
        stored = unquoted(l->value).trimmed();
    }
    qsizetype end = 0;
    if (end < stored.size() && (stored[end] == u'-' || stored[end] == u'+'))
        ++end;
    const qsizetype digitsAt = end;
    while (end < stored.size() && stored[end].isDigit() && stored[end].unicode() < 128)
        ++end;
    if (end == digitsAt)
        return defaultValue;
    bool ok = false;
    const qint64 value = QStringView(stored).left(end).toLongLong(&ok);
    return ok ? value : defaultValue;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    QMutexLocker lock(&m_mutex);
    return d->find(section, key) != nullptr;
}

QStringList SettingsStore::sections() const
{
    QMutexLocker lock(&m_mutex);
    QStringList names;
    for (const Section& s : d->sections) {
        if (!s.hasHeader)
            continue;
        const bool seen = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return sameName(n, s.name); });
        if (!seen)
            names.append(s.name);
    }
    return names;
}

QStringList SettingsStore::keys(const QString& section) const
{
    QMutexLocker lock(&m_mutex);
    QStringList names;
    if (const Section* s = d->findSection(section)) {
        for (const Line& l : s->lines) {
            const bool seen = std::any_of(names.cbegin(), names.cend(), [&](const QString& n) { return sameName(n, l.key); });
            if (l.isPair && !seen)
                names.append(l.key);
        }
    }
    return names;
}

bool SettingsStore::setValue(const QString& section, const QString& key, const QVariant& value)
{
    if (value.isValid() && !value.isNull() && !value.canConvert<QString>())
        return false; // a rectangle or a list would be stored as an empty text
    const QString text = value.typeId() == QMetaType::Bool ? QString(value.toBool() ? u'1' : u'0') : value.toString();
    const QString trimmedKey = key.trimmed();
    if (trimmedKey.isEmpty() || trimmedKey.contains(u'=') || trimmedKey.startsWith(u'[')
        || trimmedKey.startsWith(u';') || trimmedKey.startsWith(u'#') || section.contains(u']')
        || hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(text))
        return false;
    QMutexLocker lock(&m_mutex);
    if (d->access == Access::ReadOnly)
        return false;
    Section* s = d->findSection(section);
    if (!s) {
        Section& previous = d->sections.last();
        if (!previous.lines.isEmpty() && !previous.lines.last().raw.trimmed().isEmpty())
            previous.lines.append(Line{});
        d->sections.append(Section{section.trimmed(), true, {}});
        s = &d->sections.last();
    }
    const QString stored = quotedForFile(text);
    if (Line* l = Data::findPair(*s, trimmedKey)) {
        if (l->value == stored)
            return true;
        l->value = stored;
        l->raw = l->key + u'=' + stored;
    } else {
        // After the section's last pair, so trailing blank lines and comments stay below it.
        qsizetype at = s->lines.size();
        while (at > 0 && !s->lines[at - 1].isPair)
            --at;
        if (at == 0)
            at = s->lines.size();
        s->lines.insert(at, Line{trimmedKey + u'=' + stored, trimmedKey, stored, true});
    }
    d->dirty = true;
    return true;
}

bool SettingsStore::remove(const QString& section, const QString& key)
{
    QMutexLocker lock(&m_mutex);
    if (d->access == Access::ReadOnly)
        return false;
    Section* s = d->findSection(section);
    if (!s)
        return true;
    const auto removed = s->lines.removeIf([&](const Line& l) { return l.isPair && sameName(l.key, key); });
    d->dirty = d->dirty || removed > 0;
    return true;
}

bool SettingsStore::removeSection(const QString& section)
{
    QMutexLocker lock(&m_mutex);
    if (d->access == Access::ReadOnly)
        return false;
    const auto removed = d->sections.removeIf([&](const Section& s) { return s.hasHeader && sameName(s.name, section); });
    if (removed == 0)
        return true;
    // The blank line that set the removed section apart goes with it when it was the last one.
    QList<Line>& tail = d->sections.last().lines;
    while (!tail.isEmpty() && !tail.last().isPair && tail.last().raw.trimmed().isEmpty())
        tail.removeLast();
    d->dirty = true;
    return true;
}

bool SettingsStore::sync()
{
    QMutexLocker lock(&m_mutex);
    if (!d->dirty || d->access == Access::ReadOnly || d->path.isEmpty())
        return true;
    return d->save();
}

bool SettingsStore::reload()
{
    QMutexLocker lock(&m_mutex);
    return d->load();
}

QString SettingsStore::errorString() const
{
    QMutexLocker lock(&m_mutex);
    return d->error;
}

namespace {

std::atomic<SettingsStore*> g_current{nullptr};

SettingsStore& ownStore()
{
    static SettingsStore store;
    return store;
}

} // namespace

SettingsStore& moduleSettings()
{
    SettingsStore* current = g_current.load(std::memory_order_acquire);
    return current ? *current : ownStore();
}

void setModuleSettings(SettingsStore* store)
{
    g_current.store(store, std::memory_order_release);
}

QString defaultMailClient(const SettingsStore& store)
{
    return store.text(QString::fromUtf16(kSystemSection), QString::fromUtf16(kMailClientKey));
}

} // namespace pravik
