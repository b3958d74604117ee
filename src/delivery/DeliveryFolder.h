#pragma once
// The temporary files of one delivery. They live in GLO:CUTEMP + "/VH/" inside a folder that
// belongs to this delivery alone: the random number r (11 to 99) that names the files would
// otherwise let two deliveries overwrite each other's pages. The folder and everything in it
// go when the object does, whatever happened in between.
#include "platform/report/Layout.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace pravik::delivery {

class DeliveryFolder {
public:
    // Draws r; nothing is created yet.
    DeliveryFolder();
    ~DeliveryFolder();
    DeliveryFolder(const DeliveryFolder&) = delete;
    DeliveryFolder& operator=(const DeliveryFolder&) = delete;

    // Creates GLO:CUTEMP/VH (the system's temporary folder when GLO:CUTEMP is empty) and the
    // delivery's own folder in it. False with *error, the user's message, when it cannot.
    bool create(QString* error);

    int r() const { return m_r; }
    // GLO:CUTEMP/VH: where messages handed to the mail program stay.
    QString vhFolder() const { return m_vh; }
    // The delivery's own folder.
    QString path() const;
    QString filePath(const QString& name) const;

    // The pages of a finished spool as PNG images r + n + ".png" (571.png, 572.png ...) in the
    // delivery's folder. False with *error, the user's message, when the spool has no page or
    // a page cannot be written.
    bool writePages(const QString& spoolPath, QStringList* files, report::PageSetup* setup, QString* error);

    // Page image files the host made, copied as r + n + ".png" in the order given; a name's
    // extension is replaced by "png" as the pages are PNG images here. The setup's orientation
    // follows the first page. False with *error when there is no page or one cannot be copied.
    bool copyPages(const QStringList& pageFiles, QStringList* files, report::PageSetup* setup, QString* error);

    // "vh" + r + suffix ("vh57.html", "vh57.eml").
    QString vhName(const QString& suffix) const;

private:
    int m_r;
    QString m_vh;
    std::unique_ptr<QTemporaryDir> m_dir;
};

// The base of the files named after a report: its name without characters file systems refuse,
// "Report" when none is left.
QString reportFileBase(const QString& reportName);

} // namespace pravik::delivery
