#include "delivery/DeliveryFolder.h"

#include "platform/report/PngSink.h"
#include "platform/report/Spool.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/TemporaryRoot.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

namespace pravik::delivery {

namespace {

constexpr int kReportNameWidth = 50;

} // namespace

DeliveryFolder::DeliveryFolder() : m_r(QRandomGenerator::global()->bounded(11, 100)) {}

DeliveryFolder::~DeliveryFolder() = default;

bool DeliveryFolder::create(QString* error)
{
    m_vh = QDir(korda::temporaryRoot()).filePath(QStringLiteral("VH"));
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

bool DeliveryFolder::copyPages(const QStringList& pageFiles, QStringList* files, report::PageSetup* setup, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (pageFiles.isEmpty())
        return fail(QStringLiteral("Wydruk nie ma żadnej strony do wysłania."));
    QStringList copies;
    for (qsizetype n = 0; n < pageFiles.size(); ++n) {
        QString source = pageFiles.at(n).trimmed();
        const qsizetype dot = source.lastIndexOf(QLatin1Char('.'));
        if (dot > source.lastIndexOf(QLatin1Char('/')))
            source = source.left(dot + 1) + QStringLiteral("png");
        const QString target = filePath(QString::number(m_r) + QString::number(n + 1) + QStringLiteral(".png"));
        if (!QFile::copy(source, target))
            return fail(QStringLiteral("Nie można skopiować strony %1 do %2.")
                            .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(path())));
        copies.append(target);
    }
    if (setup) {
        const QImage first(copies.first());
        if (first.isNull())
            return fail(QStringLiteral("Strona %1 nie jest obrazem PNG.").arg(QDir::toNativeSeparators(pageFiles.first())));
        setup->orientation = first.width() > first.height() ? report::Orientation::Landscape : report::Orientation::Portrait;
    }
    if (files)
        *files = copies;
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
