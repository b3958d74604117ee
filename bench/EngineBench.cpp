// Report engine benchmark: prints ROWS rows of a journal-like layout (bench/EngineBench.json:
// A3 landscape, 15 fields a row, ten amounts) into the spool, then replays the spool into a PDF
// with the chosen writer. One run per process, so that the peak memory is the run's own.
//
//   pravik-engine-bench ROWS fast|fast0|qt OUT.pdf [LAYOUT]
//
// fast: the direct writer (page contents deflated at level 1); fast0: the same, uncompressed;
// qt: QPdfWriter. Prints one line of "key value" pairs for bench/engine.sh.
#include "platform/Decimal.h"
#include "platform/report/FastPdfSink.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/PdfSink.h"
#include "platform/report/ReportError.h"
#include "platform/report/ReportWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace pravik;
using namespace pravik::report;

namespace {

long statusKiB(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

// Processor time of the whole process: on a shared machine it varies far less than the clock.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ROWS fast|fast0|qt OUT.pdf [LAYOUT]\n", argv[0]);
        return 2;
    }
    const int rows = QByteArray(argv[1]).toInt();
    const QByteArray writerName = argv[2];
    const QString out = QString::fromLocal8Bit(argv[3]);
    const QString layoutPath = argc > 4 ? QString::fromLocal8Bit(argv[4])
                                        : QStringLiteral(PRAVIK_SOURCE_DIR "/bench/EngineBench.json");
    std::unique_ptr<PageSink> sink;
    if (writerName == "qt") {
        sink = std::make_unique<PdfSink>(out);
    } else if (writerName == "fast" || writerName == "fast0") {
        auto fast = std::make_unique<FastPdfSink>(out);
        fast->setCompressionLevel(writerName == "fast0" ? 0 : 1);
        sink = std::move(fast);
    } else {
        std::fprintf(stderr, "unknown writer %s\n", writerName.constData());
        return 2;
    }

    try {
        const Layout layout = loadLayoutFile(layoutPath);
        const QString spool = QFileInfo(out).absolutePath() + QStringLiteral("/engine-bench.spool");
        QElapsedTimer clock;
        clock.start();
        double cpu = cpuSeconds();
        ReportWriter writer(layout, spool);
        writer.setValue(QStringLiteral("H"), QStringLiteral("Dziennik księgowań - Zażółć gęślą jaźń"));
        FieldValues values;
        for (int r = 0; r < rows; ++r) {
            values.insert(QStringLiteral("T0"), QStringLiteral("201-%1").arg(r));
            values.insert(QStringLiteral("T1"), QStringLiteral("Dokument FV/%1/2024").arg(r));
            values.insert(QStringLiteral("T2"), QStringLiteral("Opis zapisu %1").arg(r % 97));
            values.insert(QStringLiteral("D3"), qint64(45000 + r % 300));
            values.insert(QStringLiteral("D4"), qint64(45010 + r % 300));
            for (int a = 5; a < 15; ++a)
                values.insert(QStringLiteral("A%1").arg(a),
                              Decimal::fromCents(qint64(r) * 1234 + a * 7 - (a % 3 ? 0 : 500000)));
            writer.printBand(QStringLiteral("ROW"), values);
        }
        writer.finish();
        const double printSeconds = clock.nsecsElapsed() / 1e9;
        const double printCpu = cpuSeconds() - cpu;
        clock.restart();
        cpu = cpuSeconds();
        QString error;
        if (!replay(writer.spoolPath(), *sink, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const double replaySeconds = clock.nsecsElapsed() / 1e9;
        const double replayCpu = cpuSeconds() - cpu;
        std::printf("writer %s rows %d pages %d print_s %.2f replay_s %.2f rows_per_s %.0f replay_rows_per_s %.0f "
                    "cpu_rows_per_s %.0f replay_cpu_rows_per_s %.0f peak_rss_mb %.0f pdf_mb %.1f\n",
                    writerName.constData(), rows, writer.pageCount(), printSeconds, replaySeconds,
                    rows / (printSeconds + replaySeconds), rows / replaySeconds, rows / (printCpu + replayCpu),
                    rows / replayCpu, statusKiB("VmHWM:") / 1024.0, QFileInfo(out).size() / 1e6);
    } catch (const ReportError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
