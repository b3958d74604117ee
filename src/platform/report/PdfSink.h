#pragma once
// Pages into a PDF file, fonts embedded. The file is written under a temporary name next to the
// target and renamed when the last page is done: a failed or cancelled run leaves no half-written
// PDF, and an existing file of that name is replaced only by a complete one.
#include "platform/report/PageSink.h"
#include "platform/report/PagePainter.h"

#include <QPainter>
#include <QString>

#include <memory>

class QPdfWriter;
class QSaveFile;

namespace pravik::report {

class PdfSink : public PageSink {
public:
    explicit PdfSink(QString path, QString title = {});
    ~PdfSink() override;

    bool begin(const ReplayInfo& info) override;
    bool page(int index, const PageRecord& page) override;
    bool finish() override;
    void abort() override;

private:
    QString m_path;
    QString m_title;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_writer;
    std::unique_ptr<PagePainter> m_pagePainter;
    QPainter m_painter;
};

} // namespace pravik::report
