#include "platform/report/PageSink.h"

#include "platform/report/Spool.h"

namespace pravik::report {

bool replay(SpoolReader& spool, PageSink& sink, QString* error)
{
    const auto failed = [&](const QString& message) {
        sink.abort();
        if (error)
            *error = message;
        return false;
    };
    if (!spool.isOpen())
        return failed(QStringLiteral("Plik roboczy wydruku nie jest otwarty."));
    const ReplayInfo info{spool.pageSetup(), spool.fonts(), spool.pageCount()};
    if (!sink.begin(info))
        return failed(sink.errorString());
    PageRecord page;
    for (int pass = 0; pass < sink.passes(); ++pass)
        for (int i = 0; i < info.pageCount; ++i) {
            if (!spool.readPage(i, page))
                return failed(spool.errorString());
            if (!sink.page(i, page))
                return failed(sink.errorString());
        }
    if (!sink.finish())
        return failed(sink.errorString());
    return true;
}

bool replay(const QString& spoolPath, PageSink& sink, QString* error)
{
    SpoolReader spool;
    if (!spool.open(spoolPath)) {
        if (error)
            *error = spool.errorString();
        return false;
    }
    return replay(spool, sink, error);
}

} // namespace pravik::report
