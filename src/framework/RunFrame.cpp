#include "framework/RunFrame.h"

#include "framework/FrameMailRoutes.h"
#include "framework/Lifecycle.h"
#include "framework/RunFolders.h"
#include "platform/DayNumber.h"
#include "platform/Picture.h"
#include "platform/UiServices.h"
#include "platform/report/FastPdfSink.h"
#include "platform/report/LayoutLoader.h"
#include "platform/report/PageSink.h"
#include "platform/report/PngSink.h"
#include "platform/report/PrinterSink.h"
#include "siblings/korda/RuntimeStatus.h"
#include "siblings/korda/Session.h"
#include "siblings/korda/TemporaryRoot.h"
#include "siblings/outlik/PdfMail.h"
#include "siblings/tekston/TextReport.h"
#include "siblings/utilka/Messages.h"
#include "siblings/utilka/TextServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QMutex>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>
#include <QTimer>

#include <exception>

namespace pravik::frame {

namespace {

struct TextPass {
    bool pass = false;
    int first = 0;
    int second = 0;
    int lines = 0;
};

// The registration text cut at its carriage returns; a text ending in a line break gives no
// blank last line.
QStringList registrationLines(const QString& text)
{
    QStringList pieces = text.split(u'\r');
    for (QString& p : pieces)
        p = utilka::USUN_ZNAKI_STERUJACE(p);
    if (pieces.size() > 1 && pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

} // namespace

bool turnoverPageFull(const RunFrame& f)
{
    return f.position() + 200 + 10 * f.bandHeight(f.definition().carry.pageTotal) > f.bodyHeight();
}

bool journalPageFull(const RunFrame& f)
{
    return 8 * f.bandHeight(f.definition().carry.pageTotal) + f.position() + 100 > f.bodyHeight();
}

RunFrame::RunFrame(ReportDefinition definition, OutputTarget output)
    : m_def(std::move(definition)), m_output(std::move(output)), m_totals(m_def.amountColumns)
{
    if (!m_def.pageFull)
        m_def.pageFull = turnoverPageFull;
}

RunFrame::~RunFrame()
{
    if (m_temp)
        forgetRunFolder(m_temp->path());
    endWait();
    if (m_textMode)
        tekston::closeTextReport();
}

report::Layout& RunFrame::layout()
{
    return m_writer->layout();
}

Units RunFrame::position() const
{
    return m_writer ? m_writer->verticalPosition() : 0;
}

Units RunFrame::bodyHeight() const
{
    return m_writer ? m_writer->pageBodyHeight() : 0;
}

Units RunFrame::bandHeight(const QString& band) const
{
    return m_writer ? m_writer->bandHeight(band) : 0;
}

bool RunFrame::hasBand(const QString& band) const
{
    return m_writer && !band.isEmpty() && m_writer->layout().findBand(band) != nullptr;
}

QString RunFrame::reportTitle() const
{
    const QString title = korda::session().DANE_NAGLOWEK_WYDRUKU.trimmed();
    return title.isEmpty() ? m_def.textTitle : title;
}

// ---------------------------------------------------------------- start

bool RunFrame::start()
{
    korda::Session& s = korda::session();
    if (!m_def.mixedCaseName.isEmpty())
        enterProcedure(m_def.mixedCaseName);
    m_strings = loadDisplayStrings(s.GGG_PROGRAMPATH, {}, {}, m_def.userText);
    s.globalRequest = 0;
    s.globalResponse = 0;
    m_response = kResponseCancelled;
    // Statements of the data stage count from here: a report that went on after a failed one
    // would print figures that are not the database's.
    korda::RuntimeStatus& status = korda::runtimeStatus();
    m_sqlFailuresAtStart = status.failureCount;
    status.clearFirstFailure();

    const QString cutemp = korda::temporaryRoot();
    // Runs that were killed left their folders (and spools of many megabytes) behind.
    {
        static QMutex mutex;
        static QStringList swept;
        QMutexLocker lock(&mutex);
        if (!swept.contains(cutemp)) {
            swept.append(cutemp);
            sweepStaleRunFolders(cutemp);
        }
    }
    m_temp = std::make_unique<QTemporaryDir>(QDir(cutemp).filePath(QStringLiteral("pravik-XXXXXX")));
    if (!m_temp->isValid()) {
        utilka::MSG_OST(QStringLiteral("Nie można utworzyć folderu tymczasowego w %1: %2")
                            .arg(QDir::toNativeSeparators(cutemp), m_temp->errorString()));
        m_temp.reset();
        s.globalResponse = m_response;
        return false;
    }
    adoptRunFolder(m_temp->path());

    m_textMode = m_output.textPrinter;
    if (m_textMode) {
        if (tekston::INICJUJRAPORTTXT(m_temp->path()) == 1) {
            forgetRunFolder(m_temp->path());
            m_temp.reset();
            s.globalResponse = m_response;
            return false;
        }
        m_textPage = tekston::readTextPageSetup(m_output.textPrinterName);
        tekston::warnIfTooFewLines(m_textPage);
        m_lineCounter = m_textPage.firstLine();
        m_textPrint = m_output.textViewer ? 0 : 1;
        m_preview = true;
    } else {
        m_preview = m_output.preview;
    }
    // The report consumes the description lines whether or not it prints them.
    m_descriptions = s.DANE_OPIS_PRN.takeAll();
    m_started = true;
    return true;
}

void RunFrame::wait(const QString& prompt)
{
    ui().showWait(kTitleInformation, prompt);
    m_waitShown = true;
}

void RunFrame::endWait()
{
    if (!m_waitShown)
        return;
    ui().hideWait();
    m_waitShown = false;
}

// ---------------------------------------------------------------- producing pages

int RunFrame::abandon()
{
    endWait();
    m_response = kResponseCancelled;
    finishRun();
    return m_response;
}

int RunFrame::run(RowFeed feed)
{
    endWait();
    if (!m_started || m_finished) {
        finishRun();
        return m_response;
    }
    try {
        if (sqlFailed()) {
            fail({});
        } else {
            openReport();
            const bool completed = produce(feed);
            if (completed && !m_failed) {
                if (m_def.closing)
                    m_def.closing(*this);
                m_response = kResponseCompleted;
            }
            if (sqlFailed())
                fail({});
            if (m_response == kResponseCompleted && !m_failed)
                deliver();
        }
    } catch (const report::ReportError& e) {
        fail(e.message());
    } catch (const std::exception& e) {
        fail(QStringLiteral("Wydruk przerwany: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    finishRun();
    return m_response;
}

bool RunFrame::sqlFailed() const
{
    return m_started && korda::runtimeStatus().failureCount > m_sqlFailuresAtStart;
}

void RunFrame::fail(const QString& message)
{
    if (!message.isEmpty()) {
        utilka::MSG_OST(message);
    } else if (sqlFailed() && !m_failed) {
        const QString cause = korda::runtimeStatus().firstFailureText;
        utilka::MSG_OST(QStringLiteral("Wydruk nie powstał z powodu błędu bazy danych: %1")
                            .arg(cause.isEmpty() ? QStringLiteral("(brak opisu)") : cause));
    }
    m_failed = true;
    m_response = kResponseCancelled;
}

void RunFrame::openReport()
{
    korda::Session& s = korda::session();
    report::Layout layout = m_def.layoutFile.isEmpty() ? report::loadLayout(m_def.procedure)
                                                       : report::loadLayoutFile(m_def.layoutFile);
    m_writer = std::make_unique<report::ReportWriter>(std::move(layout),
                                                      QDir(m_temp->path()).filePath(QStringLiteral("strony.spool")));
    const QString title = s.DANE_NAGLOWEK_WYDRUKU;
    const DayNumber printDate = s.DANE_DATA_WYDRUKU > 0 ? s.DANE_DATA_WYDRUKU : today();
    setValue(QStringLiteral("DANE_NAGLOWEK_STRONY"), s.DANE_NAGLOWEK_STRONY.left(150));
    setValue(QStringLiteral("NAZWA_ZESTAWIENIA"), title.left(100));
    setValue(QStringLiteral("NAZWA_ZESTAWIENIA_STOPKA"), title.left(150));
    setValue(QStringLiteral("DANE_NAZWA_FIRMY"), s.DANE_NAZWA_FIRMY.left(100));
    setValue(QStringLiteral("DANE_ADRES1_FIRMY"), s.DANE_ADRES1_FIRMY.left(51));
    setValue(QStringLiteral("DANE_ADRES2_FIRMY"), s.DANE_ADRES2_FIRMY.left(51));
    setValue(QStringLiteral("DANE_NIP_FIRMY"), s.DANE_NIP_FIRMY.left(20));
    setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + s.DANE_LATA_OBROT_NAZWA).left(80));
    setValue(QStringLiteral("DATA_WYDRUKU"),
             (QStringLiteral("Data wydruku: ") + formatPicture(u"@D6-", qint64(printDate))).left(30));
    if (m_def.onOpen)
        m_def.onOpen(*this);
    printFurniture();
}

void RunFrame::printFurniture()
{
    const korda::Session& s = korda::session();
    const FurnitureBands& f = m_def.furniture;
    if (hasBand(f.companyBlock))
        printBand(f.companyBlock, {}, TextRole::CompanyBlock);
    if (s.GGG_PRN_KRS == 1 && hasBand(f.registration))
        for (const QString& line : registrationLines(s.GGG_PRN_NAGLOWEK_2))
            printBand(f.registration, {{f.registrationField, line.left(255)}}, TextRole::Registration);
    if (hasBand(f.title))
        printBand(f.title, {}, TextRole::Title);
    if (s.GGG_SERWIS_UKRYJ_OPISY_WYDRUKU != 1 && hasBand(f.description))
        for (const QString& line : std::as_const(m_descriptions))
            printBand(f.description, {{f.descriptionField, line}}, TextRole::Description);
    printColumnHeadings();
}

void RunFrame::printColumnHeadings()
{
    if (hasBand(m_def.furniture.columnHeadings))
        printBand(m_def.furniture.columnHeadings, {}, TextRole::ColumnHeadings);
    if (m_def.afterColumnHeadings)
        m_def.afterColumnHeadings(*this);
}

void RunFrame::setValue(const QString& field, const report::FieldValue& value)
{
    m_values.insert(field, value);
    if (m_writer)
        m_writer->setValue(field, value);
}

FieldValues RunFrame::merged(const FieldValues& values) const
{
    FieldValues all = m_values;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        all.insert(it.key(), it.value());
    return all;
}

void RunFrame::printBand(const QString& band, const FieldValues& values, TextRole role)
{
    if (m_textMode && role != TextRole::None) {
        const TextSettings& t = m_def.text;
        TextPass pass{true, 0, 0, 0};
        int scale = t.detailScale;
        switch (role) {
        case TextRole::CompanyBlock:
            pass = {true, 1, 0, t.headingLines};
            scale = t.companyBlockScale;
            break;
        case TextRole::Registration:
            scale = t.headingScale;
            break;
        case TextRole::Title:
            pass.first = 1;
            scale = t.headingScale;
            break;
        case TextRole::Description:
            pass.lines = 1;
            scale = t.headingScale;
            break;
        case TextRole::ColumnHeadings:
            pass = {true, 1, 1, t.headingLines};
            break;
        case TextRole::Row:
            pass = {true, 0, 1, 1};
            break;
        case TextRole::Total:
            pass.second = 1;
            break;
        case TextRole::Plain:
        case TextRole::None:
            break;
        }
        const report::Layout& l = m_writer->layout();
        const Units width = l.page.size().width() - l.page.margins.left - l.page.margins.right;
        tekston::ANALIZUJRAPORTTXT(l.band(band), merged(values), scale, width, pass.first, pass.second);
        m_lineCounter += pass.lines;
    }
    m_writer->printBand(band, values);
}

FieldValues RunFrame::totalsValues(const QStringList& fields, const QList<Decimal>& totals, const QString& labelField,
                                   const QString& label) const
{
    FieldValues values;
    const QStringList& names = fields.isEmpty() ? m_def.carry.amountFields : fields;
    for (qsizetype i = 0; i < names.size() && i < totals.size(); ++i)
        values.insert(names[i], totals[i]);
    if (!labelField.isEmpty())
        values.insert(labelField, label);
    return values;
}

void RunFrame::printPageTotal()
{
    const CarryBands& c = m_def.carry;
    printBand(c.pageTotal, totalsValues(c.pageTotalFields, m_totals.page(), c.pageTotalLabelField,
                                        QStringLiteral("Razem na stronie")),
              TextRole::Total);
}

void RunFrame::printBroughtForward()
{
    const CarryBands& c = m_def.carry;
    printBand(c.broughtForward, totalsValues(c.broughtForwardFields, m_totals.broughtForward(),
                                             c.broughtForwardLabelField, QStringLiteral("Z przeniesienia")),
              TextRole::Total);
}

void RunFrame::printCarry(const QString& label, const QList<Decimal>& totals)
{
    const CarryBands& c = m_def.carry;
    printBand(c.carry, totalsValues({}, totals, c.carryLabelField, label), TextRole::Total);
}

bool RunFrame::checkPage()
{
    if (m_textMode) {
        if (!m_textPage.cutSheets())
            return false;
        const int reserve = m_firstPage ? m_def.text.reserveFirstPage : m_def.text.reserveLaterPages;
        if (m_lineCounter + reserve < m_textPage.linesPerPage)
            return false;
    } else if (!m_def.pageFull(*this)) {
        return false;
    }
    breakPage();
    return true;
}

void RunFrame::breakPage()
{
    const CarryBands& c = m_def.carry;
    // Rule lines belong to the graphic page only: a text page keeps its lines for figures.
    auto rule = [&] {
        if (!m_textMode && hasBand(c.rule))
            printBand(c.rule, {}, TextRole::None);
    };
    if (c.pageTotals) {
        printPageTotal();
        if (!m_firstPage || c.broughtForwardOnFirstPage) {
            rule();
            printBroughtForward();
        }
        rule();
        printCarry(QStringLiteral("Do przeniesienia"), m_totals.running());
    }
    rule();
    if (hasBand(c.pageEnd))
        printBand(c.pageEnd, {}, TextRole::Plain);
    else if (m_textMode)
        tekston::ANALIZUJRAPORTTXT(report::Band{QString(), report::BandKind::Detail, 0, report::PageBreak::After, {}},
                                   {}, m_def.text.detailScale, 0, 0);
    m_writer->newPage();
    if (m_textMode)
        m_lineCounter = m_textPage.marginLines();
    m_totals.pageBreak();
    m_firstPage = false;
    printColumnHeadings();
}

void RunFrame::keepTogether(Units need)
{
    if (m_textMode || position() + need <= bodyHeight())
        return;
    if (hasBand(m_def.carry.pageChange))
        printBand(m_def.carry.pageChange, {}, TextRole::None);
    m_writer->newPage();
    printColumnHeadings();
}

bool RunFrame::produce(RowFeed& feed)
{
    korda::Session& s = korda::session();
    const QString title = m_preview ? m_strings.ProgWinTitlePrvw : m_strings.ProgWinTitlePrnt;
    std::unique_ptr<ProgressSink> progress = ui().openProgress(title);
    m_total = feed.total;
    m_processed = 0;
    m_percent = -1;
    (void)s;

    const bool eventDriven = ui().interactive() && QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread();
    bool finished = false;
    if (!eventDriven) {
        while (!finished && !m_stopped && !m_failed)
            finished = tick(feed, *progress);
    } else {
        // Rows go out in small batches from a timer so that the progress window repaints and its
        // cancel button is heard between them.
        QEventLoop loop;
        QTimer timer;
        std::exception_ptr failure;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            try {
                finished = tick(feed, *progress);
            } catch (...) {
                failure = std::current_exception();
            }
            if (finished || m_stopped || m_failed || failure)
                loop.quit();
        });
        timer.start(0);
        loop.exec();
        timer.stop();
        if (failure)
            std::rethrow_exception(failure);
    }
    return finished && !m_stopped && !m_failed;
}

bool RunFrame::tick(RowFeed& feed, ProgressSink& progress)
{
    for (int i = 0; i < kRowsPerTick; ++i) {
        if (!feed.next || !feed.next())
            return true;
        if (m_def.checkBeforeEachRow)
            checkPage();
        if (feed.print)
            feed.print(*this);
        if (sqlFailed()) {
            // The rest of the report would be read from a broken connection or a half-written
            // table: stop here rather than print pages that are thrown away.
            fail({});
            return false;
        }
        ++m_processed;
        if (m_total > 0) {
            const int percent = int(qMin<qint64>(100, m_processed * 100 / m_total));
            if (percent != m_percent) {
                m_percent = percent;
                QString text = formatPicture(u"@N3", qint64(percent)) + m_strings.ProgWinPctText;
                if (!m_strings.ProgWinUsrText.isEmpty())
                    text = m_strings.ProgWinUsrText + u'\n' + text;
                progress.setText(text);
                progress.setPercent(percent);
            }
        }
    }
    // A cancel request is heard once per press: the question is not asked again while the same
    // request stands.
    const bool requested = progress.cancelRequested();
    if (requested && !m_cancelAsked) {
        m_cancelAsked = true;
        if (askCancel())
            m_stopped = true;
    } else if (!requested) {
        m_cancelAsked = false;
    }
    return false;
}

bool RunFrame::askCancel()
{
    const int sure = ui().choose(MessageIcon::Question, m_strings.CancelAreYouSureTitle,
                                 messageLines(m_strings.CancelAreYouSureText), buttonLabels(m_strings.ButtonYesNo), 0);
    if (sure != 0)
        return false;
    if (m_preview && !m_textMode && m_writer && m_writer->pageCount() > 0) {
        const int partial =
            ui().choose(MessageIcon::Question, m_strings.CancelPrvwPartialTitle,
                        messageLines(m_strings.CancelPrvwPartialText), buttonLabels(m_strings.ButtonYesNoIgnore), 0);
        if (partial == 2)
            return false;
        m_response = partial == 0 ? kResponseCompleted : kResponseCancelled;
        return true;
    }
    m_response = kResponseCancelled;
    return true;
}

// ---------------------------------------------------------------- end of a run

void RunFrame::deliver()
{
    if (m_output.browse)
        return;
    m_writer->finish();
    if (m_textMode) {
        int print = m_textPrint;
        bool delivered = true;
        if (print == 0)
            delivered = tekston::VIEWRAPORTTXT(print);
        if (delivered && print > 0)
            delivered = tekston::DRUKUJRAPORTTXT(m_def.textTitle, print);
        tekston::closeTextReport();
        if (!delivered)
            fail({}); // the text printer's part has said what failed
        return;
    }
    const QString spool = m_writer->spoolPath();
    if (m_writer->pageCount() == 0) {
        if (!m_stopped)
            ui().choose(MessageIcon::Information, m_preview ? m_strings.NothingToPrvwTitle : m_strings.NothingToPrntTitle,
                        messageLines(m_preview ? m_strings.NothingToPrvwText : m_strings.NothingToPrntText),
                        buttonLabels(m_strings.ButtonOk), 0);
        return;
    }
    if (m_output.showOrPrint)
        showOrPrint(spool);
    if (!m_failed)
        route(spool);
}

void RunFrame::showOrPrint(const QString& spool)
{
    if (writeHostOutputs(spool))
        return;
    if (!m_preview) {
        printDirect(spool);
        return;
    }
    bool printed = false;
    if (!ui().showPreview(spool, reportTitle(), m_def.procedure, m_output.copies, &printed))
        fail(QStringLiteral("Podgląd wydruku wymaga ekranu. Wskaż plik PDF, folder na strony PNG "
                            "albo drukarkę, na które ma trafić wydruk."));
}

bool RunFrame::writeHostOutputs(const QString& spool)
{
    const OutputTarget& out = m_output;
    bool any = false;
    QString error;
    if (!out.pdfPath.isEmpty()) {
        any = true;
        const auto sink = report::makePdfSink(out.pdfPath, reportTitle());
        if (!report::replay(spool, *sink, &error))
            fail(QStringLiteral("Nie można zapisać pliku PDF %1: %2").arg(QDir::toNativeSeparators(out.pdfPath), error));
    }
    if (!out.pngFolder.isEmpty() && !m_failed) {
        any = true;
        if (!QDir().mkpath(out.pngFolder)) {
            fail(QStringLiteral("Nie można utworzyć folderu %1.").arg(QDir::toNativeSeparators(out.pngFolder)));
        } else {
            const QString base = QDir(out.pngFolder).filePath((m_def.procedure.isEmpty() ? QStringLiteral("strona") : m_def.procedure) + u'-');
            report::PngSink sink(base);
            if (!report::replay(spool, sink, &error))
                fail(QStringLiteral("Nie można zapisać stron PNG w %1: %2").arg(QDir::toNativeSeparators(out.pngFolder), error));
        }
    }
    if (!out.printerName.isEmpty() && !m_failed) {
        any = true;
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(out.printerName);
        printer.setDocName(reportTitle());
        if (!printer.isValid()) {
            fail(QStringLiteral("Nie ma drukarki %1.").arg(out.printerName));
        } else {
            report::PrinterSink sink(printer, out.copies);
            if (!report::replay(spool, sink, &error))
                fail(QStringLiteral("Drukowanie na drukarce %1 nie powiodło się: %2").arg(out.printerName, error));
        }
    }
    return any;
}

void RunFrame::printDirect(const QString& spool)
{
    if (QPrinterInfo::defaultPrinter().isNull()) {
        const int go = ui().choose(MessageIcon::Warning, m_strings.NoDfltPrtrTitle, messageLines(m_strings.NoDfltPrtrText),
                                   buttonLabels(m_strings.ButtonYesNo), 0);
        if (go != 0) {
            // The user chose not to print: nothing was delivered.
            m_response = kResponseCancelled;
            return;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(reportTitle());
    report::PrinterSink sink(printer, m_output.copies);
    QString error;
    if (!report::replay(spool, sink, &error)) {
        const QString name = printer.printerName().isEmpty() ? QStringLiteral("domyślnej") : printer.printerName();
        fail(QStringLiteral("Drukowanie na drukarce %1 nie powiodło się: %2").arg(name, error));
    }
}

void RunFrame::route(const QString& spool)
{
    const outlik::PreviewQueue queue{spool, reportTitle(), m_def.procedure};
    // Each route has told the user what went wrong; the run only has to end as failed.
    switch (m_output.mail) {
    case MailRoute::PdfThenMail: {
        const bool sent = outlik::MAKEPDFANDSEND(queue);
        // "Zapisz jako PDF" holds for one report only.
        korda::session().GGG_EMAILPDFSAVEAS = 0;
        if (!sent)
            fail({});
        break;
    }
    case MailRoute::Outlook:
        if (!mailRoutes().SENDOUTLOOK(queue))
            fail({});
        break;
    case MailRoute::Message:
        if (!mailRoutes().sendMimeMessage(queue))
            fail({});
        break;
    case MailRoute::None:
        break;
    }
}

void RunFrame::finishRun()
{
    if (m_finished)
        return;
    m_finished = true;
    endWait();
    if (m_textMode)
        tekston::closeTextReport();
    m_writer.reset(); // removes its spool
    if (m_temp)
        forgetRunFolder(m_temp->path());
    m_temp.reset(); // removes the run's folder and whatever is left in it
    korda::session().globalResponse = m_response;
}

} // namespace pravik::frame
