#include "delivery/DeliveryFolder.h"

#include "platform/report/PngSink.h"
#include "platform/report/Spool.h"
#include "siblings/korda/Session.h"

#include <QDir>
#include <QRandomGenerator>

namespace pravik::delivery {

namespace {

constexpr int kReportNameWidth = 50;

} // namespace

DeliveryFolder::DeliveryFolder() : m_r(QRandomGenerator::global()->bounded(11, 100)) {}

DeliveryFolder::~DeliveryFolder() = default;

bool DeliveryFolder::create(QString* error)
{
    const QString cutemp = korda::session().GLO_CUTEMP.trimmed();
    m_vh = QDir(cutemp.isEmpty() ? QDir::tempPath() : cutemp).filePath(QStringLiteral("VH"));
    if (QDir().mkpath(m_vh)) {
        auto dir = std::make_unique<QTemporaryDir>(QDir(m_vh).filePath(QString::number(m_r) + QStringLiteral("-XXXXXX")));
        if (dir->isValid()) {
            m_dir = std::move(dir);
            return true;
        }
    }
    if (error)
        *error = QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(m_vh));
    return false;
}

QString DeliveryFolder::path() const
{
    return m_dir ? m_dir->path() : QString();
}

QString DeliveryFolder::filePath(const QString& name) const
{
    return QDir(path()).filePath(name);
}

QString DeliveryFolder::vhName(const QString& suffix) const
{
    return QStringLiteral("vh") + QString::number(m_r) + suffix;
}

bool DeliveryFolder::writePages(const QString& spoolPath, QStringList* files, report::PageSetup* setup, QString* error)
{
    report::SpoolReader reader;
    if (!reader.open(spoolPath)) {
        if (error)
            *error = QStringLiteral("Nie można odczytać stron wydruku: %1").arg(reader.errorString());
        return false;
    }
    if (reader.pageCount() == 0) {
        if (error)
            *error = QStringLiteral("Wydruk nie ma żadnej strony do wysłania.");
        return false;
    }
    if (setup)
        *setup = reader.pageSetup();
    report::PngSink sink(filePath(QString::number(m_r)));
    QString reason;
    if (!report::replay(reader, sink, &reason)) {
        if (error)
            *error = QStringLiteral("Nie można zapisać stron wydruku w %1: %2").arg(QDir::toNativeSeparators(path()), reason);
        return false;
    }
    if (files)
        *files = sink.files();
    return true;
}

QString reportFileBase(const QString& reportName)
{
    QString name;
    for (QChar c : reportName.trimmed().left(kReportNameWidth))
        name.append(c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_' || c == u'.' ? c : QChar(u'_'));
    name = name.simplified();
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    return name.isEmpty() ? QStringLiteral("Report") : name;
}

} // namespace pravik::delivery
