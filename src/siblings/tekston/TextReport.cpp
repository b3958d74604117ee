#include "siblings/tekston/TextReport.h"

#include "platform/Picture.h"
#include "platform/UiServices.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/TemporaryRoot.h"
#include "siblings/tekston/BandText.h"
#include "siblings/tekston/TextPageSetup.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSaveFile>

#include "platform/FileErrors.h"
#include <QTemporaryFile>
#include <QTextStream>

#include <memory>

namespace tekston {

namespace {

struct TextRun {
    std::unique_ptr<QTemporaryFile> file;
    qint64 lines = 0;
    bool writeFailed = false;
};

thread_local std::unique_ptr<TextRun> t_run;

QString runFolder(const QString& folder)
{
    if (!folder.isEmpty())
        return folder;
    return korda::temporaryRoot();
}

void appendLine(const QString& line)
{
    if (!t_run || !t_run->file)
        return;
    const QByteArray bytes = line.toUtf8() + '\n';
    if (t_run->file->write(bytes) != bytes.size())
        t_run->writeFailed = true;
    ++t_run->lines;
}

bool flushRun(QString* error)
{
    if (!t_run || !t_run->file) {
        *error = QStringLiteral("Brak wydruku tekstowego.");
        return false;
    }
    if (!t_run->file->flush() || t_run->writeFailed) {
        *error = QStringLiteral("Nie można zapisać wydruku tekstowego w %1: %2")
                     .arg(QDir::toNativeSeparators(t_run->file->fileName()),
                          pravik::writeErrorText(*t_run->file, t_run->file->fileName()));
        return false;
    }
    return true;
}

CodePage printerCodePage(const QString& printer)
{
    const TextPageSetup setup = readTextPageSetup(printer);
    if (!setup.codePageCode.isEmpty() && !codePageByName(setup.codePageCode))
        utilka::MSG_OST(QStringLiteral("Drukarka %1 ma nieznaną stronę kodową \"%2\". Wydruk w stronie kodowej %3.")
                            .arg(printer, setup.codePageCode, codePageName(CodePage::Cp1250)));
    return setup.codePage;
}

// The host's text file: the text in the printer's code page, as it would reach the printer.
bool writeHostFile(const QString& target)
{
    QString error;
    if (!flushRun(&error)
        || !writePrinterFile(t_run->file->fileName(), printerCodePage(korda::session().DANE_NAZWA_DRUKARKI.trimmed()),
                             target, &error)) {
        utilka::MSG_OST(error);
        return false;
    }
    return true;
}

bool sendToPrinter(const QString& documentName)
{
    QString error;
    if (!flushRun(&error)) {
        utilka::MSG_OST(error);
        return false;
    }
    const QString printer = korda::session().DANE_NAZWA_DRUKARKI.trimmed();
    const QString raw = t_run->file->fileName() + QStringLiteral(".prn");
    if (!writePrinterFile(t_run->file->fileName(), printerCodePage(printer), raw, &error)) {
        utilka::MSG_OST(error);
        return false;
    }
    QStringList args;
    if (!printer.isEmpty())
        args << QStringLiteral("-d") << printer;
    args << QStringLiteral("-o") << QStringLiteral("raw");
    if (!documentName.trimmed().isEmpty())
        args << QStringLiteral("-t") << documentName.trimmed();
    args << raw;
    QProcess lp;
    lp.start(QStringLiteral("lp"), args);
    bool ok = lp.waitForStarted(10000) && lp.waitForFinished(120000) && lp.exitStatus() == QProcess::NormalExit
        && lp.exitCode() == 0;
    if (!ok) {
        const QString why = lp.error() == QProcess::FailedToStart
            ? QStringLiteral("brak polecenia lp (CUPS)")
            : QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
        utilka::MSG_OST(QStringLiteral("Nie można wysłać wydruku do drukarki %1: %2")
                            .arg(printer.isEmpty() ? QStringLiteral("domyślnej") : printer, why));
    }
    QFile::remove(raw);
    return ok;
}

} // namespace

QString elementText(const pravik::report::Element& e, const FieldValues& values)
{
    using pravik::report::ElementKind;
    if (e.kind == ElementKind::Text) {
        // Page numbers belong to the graphic pages; a text printer's pages are not numbered.
        return e.text.contains(QStringLiteral("{page")) ? QString() : e.text;
    }
    if (e.kind != ElementKind::Field)
        return {};
    const auto it = values.constFind(e.field);
    if (it == values.constEnd())
        return {};
    const pravik::Picture* picture = e.picture.isEmpty() ? nullptr : &pravik::cachedPicture(e.picture);
    return std::visit(
        [picture](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return {};
            } else if constexpr (std::is_same_v<T, QString>) {
                return picture ? pravik::format(*picture, QStringView(v)) : v;
            } else if constexpr (std::is_same_v<T, pravik::Decimal>) {
                return picture ? pravik::format(*picture, v) : v.toString().replace(u'.', u',');
            } else {
                return picture ? pravik::format(*picture, v) : QString::number(v);
            }
        },
        *it);
}

int INICJUJRAPORTTXT(const QString& folder)
{
    closeTextReport();
    korda::Session& s = korda::session();
    if (s.DANE_NAZWA_DRUKARKI.trimmed().isEmpty() && pravik::ui().interactive()) {
        const QString chosen = DRUKARKA_TXT();
        if (chosen.isEmpty())
            return 1;
        s.DANE_NAZWA_DRUKARKI = chosen;
    }
    auto run = std::make_unique<TextRun>();
    run->file = std::make_unique<QTemporaryFile>(QDir(runFolder(folder)).filePath(QStringLiteral("wydruk-XXXXXX.txt")));
    if (!run->file->open()) {
        utilka::MSG_OST(QStringLiteral("Nie można utworzyć pliku wydruku tekstowego w %1: %2")
                            .arg(QDir::toNativeSeparators(runFolder(folder)), run->file->errorString()));
        return 1;
    }
    t_run = std::move(run);
    return 0;
}

void ANALIZUJRAPORTTXT(const Band& band, const FieldValues& values, int scale, Units bandWidth, int first, int second)
{
    if (!t_run)
        return;
    BandTextOptions options;
    options.scale = scale;
    options.bandWidth = bandWidth;
    options.heading = first != 0;
    options.table = second != 0;
    const QStringList lines =
        bandToText(band, [&values](const pravik::report::Element& e) { return elementText(e, values); }, options);
    for (const QString& line : lines)
        appendLine(line);
}

bool VIEWRAPORTTXT(int& print)
{
    QString error;
    if (!flushRun(&error)) {
        utilka::MSG_OST(error);
        return false;
    }
    pravik::UiServices& ui = pravik::ui();
    if (ui.interactive()) {
        bool printNow = false;
        if (ui.showText(QStringLiteral("Podgląd wydruku tekstowego"), t_run->file->fileName(), &printNow) && printNow)
            print = 1;
        return true;
    }
    const QString target = korda::session().outputRequests.textFile;
    return target.isEmpty() || writeHostFile(target);
}

bool DRUKUJRAPORTTXT(const QString& documentName, int print)
{
    bool ok = true;
    if (print > 0 && t_run) {
        const QString target = korda::session().outputRequests.textFile;
        ok = !target.isEmpty() ? writeHostFile(target) : sendToPrinter(documentName);
    }
    closeTextReport();
    return ok;
}

QString DRUKARKA_TXT()
{
    QStringList names;
    if (utilka::EXECVAX(QStringLiteral("select nazwa from DRUKARKA order by nazwa"))) {
        while (utilka::NEXT(korda::VAX_FK) == 0) {
            const QString name = korda::VAX_FK.text(1).trimmed();
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
    }
    if (!utilka::checkSql())
        return {};
    if (names.isEmpty()) {
        utilka::MSG_INF(QStringLiteral("Nie zdefiniowano żadnej drukarki tekstowej."));
        return {};
    }
    return pravik::ui()
        .pickItem(QStringLiteral("Wybierz drukarkę tekstową"), names, korda::session().DANE_NAZWA_DRUKARKI.trimmed())
        .value_or(QString());
}

QString textReportPath()
{
    return t_run && t_run->file ? t_run->file->fileName() : QString();
}

qint64 textReportLineCount()
{
    return t_run ? t_run->lines : 0;
}

void closeTextReport()
{
    t_run.reset(); // the temporary file removes itself
}

bool writePrinterFile(const QString& spoolPath, CodePage codePage, const QString& target, QString* error)
{
    QFile in(spoolPath);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Nie można odczytać wydruku tekstowego %1: %2")
                     .arg(QDir::toNativeSeparators(spoolPath), in.errorString());
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(target), out.errorString());
        return false;
    }
    while (!in.atEnd()) {
        QByteArray raw = in.readLine();
        if (raw.endsWith('\n'))
            raw.chop(1);
        const QString line = QString::fromUtf8(raw);
        const QByteArray bytes = line == QStringLiteral("\f") ? QByteArray("\f") : encode(line, codePage) + "\r\n";
        if (out.write(bytes) != bytes.size()) {
            // A write cut short is not always remembered by the file: never commit after one.
            *error = QStringLiteral("Nie można zapisać pliku %1: %2")
                         .arg(QDir::toNativeSeparators(target), pravik::writeErrorText(out, target));
            out.cancelWriting();
            return false;
        }
    }
    if (!out.commit()) {
        *error = QStringLiteral("Nie można zapisać pliku %1: %2")
                     .arg(QDir::toNativeSeparators(target), pravik::writeErrorText(out, target));
        return false;
    }
    return true;
}

} // namespace tekston
