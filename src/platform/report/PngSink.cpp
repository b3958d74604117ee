#include "platform/report/PngSink.h"

#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, file.errorString()));
    QImageWriter writer(&file, "png");
    if (!writer.write(image) || !file.commit())
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(path, file.errorString()));
    m_files.append(path);
    return true;
}

void PngSink::abort()
{
    for (const QString& f : std::as_const(m_files))
        QFile::remove(f);
    m_files.clear();
}

} // namespace pravik::report
