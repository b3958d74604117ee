#pragma once
// Where a module window stood, kept in the module's settings under the window's name (keys
// XPos, YPos, and Width, Height for windows that keep their size), and the help page a window
// opens with F1 from the configured help (GLO:LOCALPATH and GGG:HELP_PLIK).
#include <QString>
#include <QUrl>

class QWidget;

namespace pravik {

// Moves (and with withSize resizes) the window as it was saved; a place off every screen is
// not restored.
void restoreWindowPlacement(QWidget& window, const QString& section, bool withSize = false);
void saveWindowPlacement(const QWidget& window, const QString& section, bool withSize = false);

// The help file, or the topic's page when the help is a folder of pages; empty when no help
// file is configured.
QUrl moduleHelpUrl(const QString& topic);

} // namespace pravik
