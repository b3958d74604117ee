#pragma once
// Where finished pages go. A spool is replayed page by page into one sink: PDF, PNG page images,
// a printer. Outputs are kept behind this interface so that one can be replaced (a faster PDF
// writer) without touching the reports or the band printer.
#include "platform/report/Layout.h"
#include "platform/report/PageRecord.h"

#include <QList>
#include <QString>

namespace pravik::report {

class SpoolReader;

// What a sink learns before the first page.
struct ReplayInfo {
    PageSetup page;
    QList<FontSpec> fonts;
    int pageCount = 0;
};

class PageSink {
public:
    virtual ~PageSink() = default;

    // Each returns false after a failure, with the reason in errorString(); replay then calls
    // abort() so that no partial output is left behind.
    virtual bool begin(const ReplayInfo& info) = 0;
    virtual bool page(int index, const PageRecord& page) = 0;
    virtual bool finish() = 0;
    virtual void abort() {}
    // How many times replay sends the pages after begin(): a printer that cannot make copies
    // itself is sent the whole report once per copy.
    virtual int passes() const { return 1; }

    QString errorString() const { return m_error; }

protected:
    bool fail(const QString& message)
    {
        m_error = message;
        return false;
    }

private:
    QString m_error;
};

// Replays every page of an open, finished spool into the sink. False with *error set (the
// spool's or the sink's message) when anything fails; the sink has then been aborted.
bool replay(SpoolReader& spool, PageSink& sink, QString* error = nullptr);
// The same from the spool's file.
bool replay(const QString& spoolPath, PageSink& sink, QString* error = nullptr);

} // namespace pravik::report
