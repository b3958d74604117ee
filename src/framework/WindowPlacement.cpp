#include "framework/WindowPlacement.h"

#include "platform/Settings.h"
#include "siblings/korda/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pravik {

namespace {
const QString kXPos = QStringLiteral("XPos");
const QString kYPos = QStringLiteral("YPos");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
} // namespace

void restoreWindowPlacement(QWidget& window, const QString& section, bool withSize)
{
    const SettingsStore& settings = moduleSettings();
    if (withSize && settings.contains(section, kWidth) && settings.contains(section, kHeight)) {
        const QSize size(int(settings.integer(section, kWidth)), int(settings.integer(section, kHeight)));
        if (size.width() >= 100 && size.height() >= 80)
            window.resize(size);
    }
    if (!settings.contains(section, kXPos) || !settings.contains(section, kYPos))
        return;
    const QPoint saved(int(settings.integer(section, kXPos)), int(settings.integer(section, kYPos)));
    if (!QGuiApplication::screenAt(saved + QPoint(20, 20)))
        return;
    window.move(saved);
}

void saveWindowPlacement(const QWidget& window, const QString& section, bool withSize)
{
    SettingsStore& settings = moduleSettings();
    settings.setValue(section, kXPos, window.pos().x());
    settings.setValue(section, kYPos, window.pos().y());
    if (withSize) {
        settings.setValue(section, kWidth, window.width());
        settings.setValue(section, kHeight, window.height());
    }
    settings.sync();
}

QUrl moduleHelpUrl(const QString& topic)
{
    const korda::Session& s = korda::session();
    if (s.GGG_HELP_PLIK.trimmed().isEmpty())
        return {};
    const QString helpFile =
        QDir(QDir::fromNativeSeparators(s.GLO_LOCALPATH)).filePath(QDir::fromNativeSeparators(s.GGG_HELP_PLIK.trimmed()));
    const QFileInfo info(helpFile);
    if (info.isDir() && !topic.isEmpty() && QFileInfo::exists(QDir(helpFile).filePath(topic)))
        return QUrl::fromLocalFile(QDir(helpFile).filePath(topic));
    return QUrl::fromLocalFile(helpFile);
}

} // namespace pravik
