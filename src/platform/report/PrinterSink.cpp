#include "platform/report/PrinterSink.h"

#include <QPrinter>

namespace pravik::report {

PrinterSink::PrinterSink(QPrinter& printer, int copies) : m_printer(printer), m_copies(qMax(1, copies)) {}

bool PrinterSink::begin(const ReplayInfo& info)
{
    m_printer.setFullPage(true);
    m_printer.setPageLayout(qtPageLayout(info.page));
    m_printer.setCopyCount(m_copies);
    m_passes = 1;
    if (m_copies > 1 && !m_printer.supportsMultipleCopies()) {
        m_printer.setCopyCount(1);
        m_passes = m_copies;
    }
    m_printed = 0;
    m_pagePainter = std::make_unique<PagePainter>(info.fonts, info.pageCount);
    if (!m_painter.begin(&m_printer)) {
        const QString name = m_printer.printerName().isEmpty() ? m_printer.outputFileName() : m_printer.printerName();
        return fail(QStringLiteral("Nie można rozpocząć drukowania na drukarce %1.").arg(name));
    }
    return true;
}

bool PrinterSink::page(int index, const PageRecord& page)
{
    if (m_printed > 0 && !m_printer.newPage())
        return fail(QStringLiteral("Drukarka odrzuciła stronę %1.").arg(index + 1));
    m_pagePainter->paint(m_painter, page, m_printer.resolution() / 1000.0);
    ++m_printed;
    return true;
}

bool PrinterSink::finish()
{
    if (m_painter.isActive() && !m_painter.end())
        return fail(QStringLiteral("Drukowanie nie powiodło się."));
    return true;
}

void PrinterSink::abort()
{
    if (m_painter.isActive()) {
        m_printer.abort();
        m_painter.end();
    }
}

} // namespace pravik::report
