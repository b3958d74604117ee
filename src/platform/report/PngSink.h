#pragma once
// Pages into PNG images, one file per page named base + page number + ".png" ("/tmp/run/57" gives
// "/tmp/run/571.png", "/tmp/run/572.png" ...), as the mail delivery expects its page files. The
// pages are written under temporary names and take their own names only when every page was
// written: a failed run (a full disk) leaves no page of its own and replaces none of an earlier one.
#include "platform/report/PageSink.h"
#include "platform/report/PagePainter.h"

#include <QStringList>

#include <memory>

namespace pravik::report {

class PngSink : public PageSink {
public:
    explicit PngSink(QString basePath, int dpi = 150);

    bool begin(const ReplayInfo& info) override;
    bool page(int index, const PageRecord& page) override;
    bool finish() override;
    // Removes the pages written so far.
    void abort() override;

    // The files written, in page order.
    const QStringList& files() const { return m_files; }
    static QString fileName(const QString& basePath, int pageNumber);

private:
    QString m_base;
    int m_dpi;
    QSize m_pixels;
    std::unique_ptr<PagePainter> m_pagePainter;
    QStringList m_files;
    QStringList m_partial; // the pages written so far, under their temporary names
};

} // namespace pravik::report
