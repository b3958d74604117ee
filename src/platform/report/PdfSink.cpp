#include "platform/report/PdfSink.h"

#include "platform/report/HeapSlack.h"

#include <QPdfWriter>
#include <QSaveFile>

#include "platform/FileErrors.h"

namespace pravik::report {

namespace {
constexpr int kPdfResolution = 1200;
}

PdfSink::PdfSink(QString path, QString title) : m_path(std::move(path)), m_title(std::move(title)) {}

PdfSink::~PdfSink()
{
    abort();
}

bool PdfSink::begin(const ReplayInfo& info)
{
    keepHeapSlack();
    m_file = std::make_unique<QSaveFile>(m_path);
    if (!m_file->open(QIODevice::WriteOnly))
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(m_path, m_file->errorString()));
    m_writer = std::make_unique<QPdfWriter>(m_file.get());
    m_writer->setResolution(kPdfResolution);
    m_writer->setPageLayout(qtPageLayout(info.page));
    m_writer->setTitle(m_title);
    m_writer->setCreator(QStringLiteral("pravik"));
    m_pagePainter = std::make_unique<PagePainter>(info.fonts, info.pageCount);
    if (!m_painter.begin(m_writer.get()))
        return fail(QStringLiteral("Nie można utworzyć pliku PDF %1.").arg(m_path));
    return true;
}

bool PdfSink::page(int index, const PageRecord& page)
{
    if (index > 0 && !m_writer->newPage())
        return fail(QStringLiteral("Nie można dodać strony do pliku PDF %1.").arg(m_path));
    m_pagePainter->paint(m_painter, page, m_writer->resolution() / 1000.0);
    return true;
}

bool PdfSink::finish()
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    // QSaveFile notices a failed write (a full disk) and refuses to commit.
    if (!m_file || !m_file->commit()) {
        const QString reason = m_file ? writeErrorText(*m_file, m_path) : QString();
        m_file.reset();
        return fail(QStringLiteral("Nie można zapisać pliku %1: %2").arg(m_path, reason));
    }
    m_file.reset();
    return true;
}

void PdfSink::abort()
{
    if (m_painter.isActive())
        m_painter.end();
    m_writer.reset();
    if (m_file) {
        m_file->cancelWriting();
        m_file.reset(); // removes the temporary file
    }
}

} // namespace pravik::report
