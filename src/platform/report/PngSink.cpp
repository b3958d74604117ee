#include "platform/report/PngSink.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pravik::report {

PngSink::PngSink(QString basePath, int dpi) : m_base(std::move(basePath)), m_dpi(qBound(10, dpi, 1200)) {}

QString PngSink::fileName(const QString& basePath, int pageNumber)
{
    return basePath + QString::number(pageNumber) + QStringLiteral(".png");
}

bool PngSink::begin(const ReplayInfo& info)
{
    m_files.clear();
    const QSize units = info.page.size();
    m_pixels = QSize(qRound(units.width() * m_dpi / 1000.0), qRound(units.height() * m_dpi / 1000.0));
    m_pagePainter = std::make_unique<PagePainter>(info.fonts, info.pageCount);
    return true;
}

bool PngSink::page(int index, const PageRecord& page)
{
    QImage image(m_pixels, QImage::Format_RGB32);
    if (image.isNull())
        return fail(QStringLiteral("Brak pamięci na obraz strony %1.").arg(index + 1));
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(m_dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        m_pagePainter->paint(painter, page, m_dpi / 1000.0);
    }
    const QString path = fileName(m_base, index + 1);
    QTemporaryFile file(path + QStringLiteral("-XXXXXX.part"));
    if (!file.open())
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, file.errorString()));
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.flush()) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, why));
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    file.setAutoRemove(false);
    m_partial.append(file.fileName());
    m_files.append(path);
    return true;
}

bool PngSink::finish()
{
    for (qsizetype i = 0; i < m_partial.size(); ++i) {
        if (std::rename(QFile::encodeName(m_partial[i]).constData(), QFile::encodeName(m_files[i]).constData()) != 0)
            return fail(QStringLiteral("Nie można zapisać pliku %1: %2")
                            .arg(m_files[i], QString::fromLocal8Bit(std::strerror(errno))));
        m_partial[i].clear();
    }
    m_partial.clear();
    return true;
}

void PngSink::abort()
{
    for (const QString& f : std::as_const(m_partial))
        if (!f.isEmpty())
            QFile::remove(f);
    m_partial.clear();
    m_files.clear();
}

} // namespace pravik::report
