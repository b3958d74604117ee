#pragma once
// Pages to a printer. The page size and orientation come from the layout; the printer's own
// margins are ignored (the layout's margins already keep the text off the edges).
#include "platform/report/PageSink.h"
#include "platform/report/PagePainter.h"

#include <QPainter>

#include <memory>

class QPrinter;

namespace pravik::report {

class PrinterSink : public PageSink {
public:
    // copies below 1 count as 1.
    PrinterSink(QPrinter& printer, int copies = 1);

    bool begin(const ReplayInfo& info) override;
    bool page(int index, const PageRecord& page) override;
    bool finish() override;
    void abort() override;
    int passes() const override { return m_passes; }

private:
    QPrinter& m_printer;
    int m_copies;
    int m_passes = 1;
    int m_printed = 0;
    std::unique_ptr<PagePainter> m_pagePainter;
    QPainter m_painter;
};

} // namespace pravik::report
