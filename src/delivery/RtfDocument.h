#pragma once
// The report as an RTF document that word processors open: code page 1252 with Times New Roman
// and its Central European variant, A4 in twips (portrait 11909 x 16834, landscape the other
// way), one page per page image (PNG pictures scaled to the printable area), the creation time
// in the information block.
#include <QDateTime>
#include <QString>
#include <QStringList>

class QIODevice;

namespace pravik::delivery {

struct RtfPages {
    QStringList pngFiles;   // in page order
    bool landscape = false;
    QString title;          // for the information block
    QDateTime created = QDateTime::currentDateTime();
};

inline constexpr int kA4ShortTwips = 11909;
inline constexpr int kA4LongTwips = 16834;
inline constexpr int kRtfMarginTwips = 360;

// False with *error when a page image cannot be read or the device refuses the data.
bool writeRtf(const RtfPages& pages, QIODevice& out, QString* error);
// The same into a new file; nothing is left at path after a failure.
bool writeRtfFile(const RtfPages& pages, const QString& path, QString* error);

// Text for RTF: control characters escaped, letters beyond ASCII as \uN with a "?" fallback.
QByteArray rtfText(const QString& text);

} // namespace pravik::delivery
