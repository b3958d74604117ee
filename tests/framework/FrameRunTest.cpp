// The run frame on a small report: furniture, carry-over across pages, cancelling, the end of a
// run and its clean-up, read back from the PDF the frame produced (pdftotext).
#include "framework/FrameMailRoutes.h"
#include "framework/RunFolders.h"
#include "framework/RunFrame.h"
#include "platform/ScriptedUi.h"
#include "platform/report/PdfSink.h"
#include "platform/report/Spool.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"
#include "support/ProgramOutput.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pravik;
using namespace pravik::frame;

namespace {

// Scripted answers, and a preview that turns what it is shown into a PDF for the checks.
class RecordingUi : public ScriptedUi {
public:
    bool showPreview(const QString& spoolPath, const QString&, const QString&, int copies, bool* printed) override
    {
        ++previews;
        previewCopies = copies;
        if (printed)
            *printed = false;
        report::PdfSink sink(pdfPath);
        return report::replay(spoolPath, sink);
    }
    int previews = 0;
    int previewCopies = 0;
    QString pdfPath;
};

// The two amounts of the line that starts with label, in cents; nullopt when the page has none.
std::optional<QPair<qint64, qint64>> amountsAfter(const QString& page, const QString& label)
{
    for (const QString& line : page.split(u'\n')) {
        const QString t = line.trimmed();
        const QString rest = t.mid(label.size()).trimmed();
        // "Razem" must not match "Razem na stronie"
        if (!t.startsWith(label) || rest.isEmpty() || !(rest.front().isDigit() || rest.front() == u'-'))
            continue;
        if (const QList<Decimal> found = test::amountsIn(rest); found.size() == 2)
            return qMakePair(found[0].cents(), found[1].cents());
    }
    return std::nullopt;
}

class FrameRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.isValid());
        ASSERT_TRUE(m_out.isValid());
        korda::Session& s = korda::session();
        s = korda::Session();
        s.GLO_CUTEMP = m_temp.path();
        s.DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Zestawienie próbne");
        s.DANE_NAZWA_FIRMY = QStringLiteral("Spółdzielnia Mleczarska");
        s.DANE_LATA_OBROT_NAZWA = QStringLiteral("2025");
        s.DANE_DATA_WYDRUKU = dayFromYmd(2025, 12, 31);
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        m_ui.pdfPath = pdf();
    }
    void TearDown() override { korda::session() = korda::Session(); }

    QString pdf() const { return QDir(m_out.path()).filePath(QStringLiteral("wynik.pdf")); }
    bool temporaryFolderEmpty() const { return QDir(m_temp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty(); }

    ReportDefinition definition() const
    {
        ReportDefinition d;
        d.procedure = QStringLiteral("PRN_PROBA");
        d.mixedCaseName = QStringLiteral("Prn_Proba");
        d.layoutFile = QStringLiteral(PRAVIK_SOURCE_DIR "/layouts/test/FrameSample.json");
        d.textTitle = QStringLiteral("Próba");
        d.amountColumns = 2;
        d.carry.amountFields = {QStringLiteral("KWOTA_WN"), QStringLiteral("KWOTA_MA")};
        d.text.detailScale = 170;
        d.onOpen = [this](RunFrame& f) { f.totals().setOpening(m_opening); };
        d.closing = [](RunFrame& f) {
            f.keepTogether();
            f.printPageTotal();
            if (!f.firstPage())
                f.printBroughtForward();
            f.printCarry(QStringLiteral("Razem"), f.totals().running());
            f.printBand(QStringLiteral("KONIEC_WYDRUKU"), {}, TextRole::Plain);
        };
        return d;
    }

    // Rows "201-n" with n,01 debit and 2 × n credit.
    RowFeed rows(int count)
    {
        m_next = 0;
        RowFeed feed;
        feed.total = count;
        feed.next = [this, count] { return ++m_next <= count; };
        feed.print = [this](RunFrame& f) {
            const Decimal wn = Decimal::fromCents(m_next * 100 + 1);
            const Decimal ma = Decimal::fromUnits(2 * m_next);
            f.totals().add({wn, ma});
            f.printBand(QStringLiteral("POZYCJE"),
                        {{QStringLiteral("PRN_NUMER"), QStringLiteral("201-%1").arg(m_next)},
                         {QStringLiteral("KWOTA_WN"), wn},
                         {QStringLiteral("KWOTA_MA"), ma}});
        };
        return feed;
    }

    int runReport(int count, ReportDefinition d)
    {
        RunFrame frame(std::move(d), frame::OutputTarget::fromSession(korda::session()));
        if (!frame.start())
            return frame.response();
        return frame.run(rows(count));
    }

    QTemporaryDir m_temp;
    QTemporaryDir m_out;
    RecordingUi m_ui;
    QList<Decimal> m_opening{Decimal::fromUnits(1000), Decimal::fromUnits(500)};
    int m_next = 0;
};

} // namespace

// The run delivers where its caller's target says; output requests the session holds by the
// time the pages are ready do not redirect it.
TEST_F(FrameRun, PagesGoToTheTargetTheRunWasGiven)
{
    ScopedUi scope(m_ui);
    korda::Session& s = korda::session();
    const QString asked = QDir(m_out.path()).filePath(QStringLiteral("zadany.pdf"));
    const QString stray = QDir(m_out.path()).filePath(QStringLiteral("obcy.pdf"));
    s.outputRequests.pdfPath = asked;
    s.GGG_NUMCOPY = 1;
    OutputTarget target = OutputTarget::fromSession(s);
    {
        RunFrame frame(definition(), target);
        ASSERT_TRUE(frame.start());
        s.outputRequests.pdfPath = stray;
        s.outputRequests.printRequest = 0; // would route the pages to the mail
        EXPECT_EQ(frame.run(rows(3)), kResponseCompleted);
    }
    EXPECT_TRUE(QFile::exists(asked));
    EXPECT_FALSE(QFile::exists(stray));
    EXPECT_EQ(m_ui.previews, 0);

    // No file asked for: the preview, with the target's copies whatever the session says now.
    s.outputRequests = korda::OutputRequests();
    target.pdfPath.clear();
    target.copies = 3;
    {
        RunFrame frame(definition(), target);
        ASSERT_TRUE(frame.start());
        s.GGG_NUMCOPY = 7;
        s.outputRequests.pdfPath = stray;
        EXPECT_EQ(frame.run(rows(3)), kResponseCompleted);
    }
    EXPECT_EQ(m_ui.previews, 1);
    EXPECT_EQ(m_ui.previewCopies, 3);
    EXPECT_FALSE(QFile::exists(stray));
}

// The output buttons of the windows as the target reads them.
TEST_F(FrameRun, OutputRequestsGiveTheTargetOfEachButton)
{
    struct Case {
        const char* button;
        quint8 screen, printRequest, emailRequest, mailClient, pdfSaveAs, pdfAttachment;
        bool preview, showOrPrint;
        MailRoute mail;
    };
    const Case cases[] = {
        {"Drukuj", 0, 1, 0, 0, 0, 0, false, true, MailRoute::None},
        {"Podgląd", 1, 1, 0, 0, 0, 0, true, true, MailRoute::None},
        {"Zapisz jako PDF", 1, 0, 1, 0, 1, 0, true, false, MailRoute::PdfThenMail},
        {"e-mail, PDF attached", 1, 0, 1, 0, 0, 1, true, false, MailRoute::PdfThenMail},
        {"e-mail, Outlook", 1, 0, 1, 1, 0, 0, true, false, MailRoute::Outlook},
        {"e-mail", 1, 0, 1, 0, 0, 0, true, false, MailRoute::Message},
    };
    for (const Case& c : cases) {
        korda::Session s;
        s.DANE_DRUKARKA_EKRAN = c.screen;
        s.outputRequests.printRequest = c.printRequest;
        s.outputRequests.emailRequest = c.emailRequest;
        s.outputRequests.mailClientKind = c.mailClient;
        s.GGG_EMAILPDFSAVEAS = c.pdfSaveAs;
        s.GGG_EMAILPDF = c.pdfAttachment;
        const OutputTarget t = OutputTarget::fromSession(s);
        EXPECT_EQ(t.preview, c.preview) << c.button;
        EXPECT_EQ(t.showOrPrint, c.showOrPrint) << c.button;
        EXPECT_EQ(t.mail, c.mail) << c.button;
        EXPECT_FALSE(t.textPrinter) << c.button;
        EXPECT_EQ(t.copies, 1) << c.button; // no copies set counts as one
    }
}

TEST_F(FrameRun, CarryOverRunsFromPageToPageAndTheTotalIsOpeningPlusRows)
{
    ScopedUi scope(m_ui);
    ASSERT_EQ(runReport(150, definition()), kResponseCompleted);
    EXPECT_EQ(korda::session().globalResponse, kResponseCompleted);
    EXPECT_EQ(m_ui.previews, 1);
    EXPECT_TRUE(temporaryFolderEmpty());

    const QStringList pages = test::pdfPages(pdf());
    ASSERT_GE(pages.size(), 3);
    EXPECT_FALSE(amountsAfter(pages[0], QStringLiteral("Z przeniesienia"))) << "the first page brings nothing forward";
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Spółdzielnia Mleczarska")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Rok obrotowy: 2025")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Data wydruku: 31-12-2025")));
    for (qsizetype i = 0; i + 1 < pages.size(); ++i) {
        const auto carried = amountsAfter(pages[i], QStringLiteral("Do przeniesienia"));
        const auto brought = amountsAfter(pages[i + 1], QStringLiteral("Z przeniesienia"));
        ASSERT_TRUE(carried && brought) << "page " << i + 1;
        EXPECT_EQ(*carried, *brought) << "page " << i + 1;
        EXPECT_TRUE(pages[i + 1].contains(QStringLiteral("Kwota Dt"))) << "headings repeat after the break";
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Strona %1 z %2").arg(i + 1).arg(pages.size())));
    }
    // Opening 1000,00 / 500,00 plus the sums of n,01 and 2n for n = 1..150.
    const auto total = amountsAfter(pages.last(), QStringLiteral("Razem "));
    ASSERT_TRUE(total);
    EXPECT_EQ(total->first, 100000 + 11325 * 100 + 150);
    EXPECT_EQ(total->second, 50000 + 2 * 11325 * 100);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}

TEST_F(FrameRun, EmptyReportStillPrintsItsFirstPageAndPercentOnlyChanges)
{
    ScopedUi scope(m_ui);
    ASSERT_EQ(runReport(0, definition()), kResponseCompleted);
    const QStringList pages = test::pdfPages(pdf());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Kwota Dt")));
    EXPECT_TRUE(amountsAfter(pages[0], QStringLiteral("Razem ")));
    EXPECT_TRUE(m_ui.messageTexts().isEmpty()) << "no nothing-to-preview message for a page with headings";

    m_ui.clear();
    ASSERT_EQ(runReport(200, definition()), kResponseCompleted);
    const QList<int> percents = m_ui.progressPercents();
    ASSERT_FALSE(percents.isEmpty());
    for (qsizetype i = 1; i < percents.size(); ++i)
        EXPECT_LT(percents[i - 1], percents[i]) << "redrawn only when the percent changes";
    EXPECT_EQ(percents.last(), 100);
    EXPECT_TRUE(m_ui.progressTexts().last().endsWith(QStringLiteral("100% Completed")));
}

TEST_F(FrameRun, CancelAnsweredYesTwicePreviewsWhatWasProduced)
{
    ScopedUi scope(m_ui);
    m_ui.cancelProgressAtPoll(4); // after 100 rows: pages exist
    m_ui.answer(Answer::Yes).answer(Answer::Yes);
    EXPECT_EQ(runReport(1000, definition()), kResponseCompleted);
    EXPECT_EQ(m_ui.previews, 1);
    EXPECT_TRUE(m_ui.finishedCleanly());
    const QStringList texts = m_ui.messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], QStringLiteral("Are you sure you want to CANCEL this Report?"));
    EXPECT_EQ(texts[1], QStringLiteral("Report Cancellation Requested!\n\nPreview Report generated so far?"));
    const QStringList pages = test::pdfPages(pdf());
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages.last().contains(QStringLiteral("201-100")));
    EXPECT_FALSE(pages.last().contains(QStringLiteral("201-101")));
    EXPECT_TRUE(temporaryFolderEmpty());
}

TEST_F(FrameRun, CancelYesThenNoGivesNothingAndIgnoreGoesOn)
{
    ScopedUi scope(m_ui);
    m_ui.cancelProgressAtPoll(4);
    m_ui.answer(Answer::Yes).answer(Answer::No);
    EXPECT_EQ(runReport(1000, definition()), kResponseCancelled);
    EXPECT_EQ(korda::session().globalResponse, kResponseCancelled);
    EXPECT_EQ(m_ui.previews, 0);
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_TRUE(temporaryFolderEmpty());

    m_ui.clear();
    m_ui.cancelProgressAtPoll(2);
    m_ui.answer(Answer::Yes).answer(Answer::Cancel); // the third button: Ignore
    EXPECT_EQ(runReport(100, definition()), kResponseCompleted);
    EXPECT_EQ(m_ui.previews, 1);
    EXPECT_TRUE(test::pdfPages(pdf()).last().contains(QStringLiteral("201-100")));

    m_ui.clear();
    m_ui.cancelProgressAtPoll(1);
    m_ui.answer(Answer::No);
    EXPECT_EQ(runReport(60, definition()), kResponseCompleted) << "No to the first question continues";
}

TEST_F(FrameRun, NothingToPrintOnlyWhenNoPageAndNeverAfterEsc)
{
    ScopedUi scope(m_ui);
    korda::session().DANE_DRUKARKA_EKRAN = 0; // print directly
    ReportDefinition bare = definition();
    bare.furniture = {QString(), QString(), QString(), QString(), QString(), QString(), QString()};
    bare.closing = nullptr;
    EXPECT_EQ(runReport(0, bare), kResponseCompleted);
    EXPECT_EQ(m_ui.messageLog(), QStringList{QStringLiteral("Information|NOTE...|Nothing to Print.")});

    m_ui.clear();
    korda::session().DANE_DRUKARKA_EKRAN = 1;
    EXPECT_EQ(runReport(0, bare), kResponseCompleted);
    EXPECT_EQ(m_ui.messageTexts(), QStringList{QStringLiteral("Nothing to Preview.")});

    // Cancelled while printing directly: Yes stops with no output and no message.
    m_ui.clear();
    korda::session().DANE_DRUKARKA_EKRAN = 0;
    m_ui.cancelProgressAtPoll(1);
    m_ui.answer(Answer::Yes);
    EXPECT_EQ(runReport(100, definition()), kResponseCancelled);
    EXPECT_EQ(m_ui.messageTexts().size(), 1);
    EXPECT_TRUE(m_ui.finishedCleanly());
}

TEST_F(FrameRun, FurnitureRegistrationAndDescriptionLines)
{
    ScopedUi scope(m_ui);
    korda::Session& s = korda::session();
    s.GGG_PRN_KRS = 1;
    s.GGG_PRN_NAGLOWEK_2 = QStringLiteral("Sąd Rejonowy\r\nKRS 0000123456\rKapitał zakładowy 50 000 zł\r\n");
    s.DANE_OPIS_PRN.add(QStringLiteral("Waluta: PLN"));
    s.DANE_OPIS_PRN.add(QStringLiteral("Okres obrotowy: Grudzień"));
    ASSERT_EQ(runReport(3, definition()), kResponseCompleted);
    EXPECT_TRUE(s.DANE_OPIS_PRN.isEmpty());
    QString page = test::pdfPages(pdf()).value(0);
    for (const char* expected : {"Sąd Rejonowy", "KRS 0000123456", "Kapitał zakładowy 50 000 zł", "Waluta: PLN",
                                 "Okres obrotowy: Grudzień", "Zestawienie próbne"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;

    s.GGG_PRN_KRS = 0;
    s.GGG_SERWIS_UKRYJ_OPISY_WYDRUKU = 1;
    s.DANE_OPIS_PRN.add(QStringLiteral("Waluta: EUR"));
    ASSERT_EQ(runReport(3, definition()), kResponseCompleted);
    EXPECT_TRUE(s.DANE_OPIS_PRN.isEmpty()) << "hidden lines are consumed too";
    page = test::pdfPages(pdf()).value(0);
    EXPECT_FALSE(page.contains(QStringLiteral("Waluta")));
    EXPECT_FALSE(page.contains(QStringLiteral("KRS")));
}

TEST_F(FrameRun, FailuresLeaveNoTemporaryFilesAndNoHalfWrittenPdf)
{
    ScopedUi scope(m_ui);
    ReportDefinition broken = definition();
    broken.closing = [](RunFrame& f) { f.printBand(QStringLiteral("NIEMA")); };
    EXPECT_EQ(runReport(10, broken), kResponseCancelled);
    EXPECT_EQ(m_ui.messageTexts().size(), 1);
    EXPECT_TRUE(temporaryFolderEmpty());

    // The host asked for a PDF in a folder that does not exist: the run has failed.
    m_ui.clear();
    const QString target = QDir(m_out.path()).filePath(QStringLiteral("brak/wynik.pdf"));
    korda::session().outputRequests.pdfPath = target;
    EXPECT_EQ(runReport(10, definition()), kResponseCancelled);
    EXPECT_EQ(korda::session().globalResponse, kResponseCancelled);
    ASSERT_EQ(m_ui.messageTexts().size(), 1);
    EXPECT_TRUE(m_ui.messageTexts()[0].startsWith(QStringLiteral("Nie można zapisać pliku PDF")));
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_EQ(m_ui.previews, 0) << "the host's file replaces the preview";
    EXPECT_TRUE(temporaryFolderEmpty());

    // A temporary folder that cannot be made ends the run at its start.
    m_ui.clear();
    korda::session().GLO_CUTEMP = QDir(m_out.path()).filePath(QStringLiteral("wynik.pdf/x"));
    QFile(pdf()).open(QIODevice::WriteOnly);
    EXPECT_EQ(runReport(10, definition()), kResponseCancelled);
    EXPECT_EQ(m_ui.messageTexts().size(), 1);
}

TEST_F(FrameRun, EndOfRunRouting)
{
    ScopedUi scope(m_ui);
    korda::Session& s = korda::session();
    // "Zapisz jako PDF" with the host's path: written, flag reset, preview shown first.
    const QString saved = QDir(m_out.path()).filePath(QStringLiteral("zapisany.pdf"));
    s.GGG_EMAILPDFSAVEAS = 1;
    m_ui.saveFile(saved);
    ASSERT_EQ(runReport(5, definition()), kResponseCompleted);
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(s.GGG_EMAILPDFSAVEAS, 0);
    EXPECT_EQ(m_ui.previews, 1);
    EXPECT_TRUE(m_ui.finishedCleanly());

    // The mail routes by the requests: mail client kind 1 to the Outlook route, other clients
    // to the MIME message when the print request is 0.
    struct Routes : MailRoutes {
        bool SENDOUTLOOK(const outlik::PreviewQueue& q) override
        {
            calls << QStringLiteral("outlook ") + q.title;
            return !refuse;
        }
        bool sendMimeMessage(const outlik::PreviewQueue& q) override
        {
            calls << QStringLiteral("mime ") + q.reportName;
            return !refuse;
        }
        QStringList calls;
        bool refuse = false;
    } routes;
    MailRoutes* installed = &mailRoutes();
    setMailRoutes(&routes);
    m_ui.clear();
    m_ui.previews = 0;
    s.outputRequests.printRequest = 0;
    s.outputRequests.emailRequest = 1;
    s.outputRequests.mailClientKind = 1;
    ASSERT_EQ(runReport(5, definition()), kResponseCompleted);
    EXPECT_EQ(m_ui.previews, 0) << "e-mail alone shows no preview";
    s.outputRequests.mailClientKind = 0;
    ASSERT_EQ(runReport(5, definition()), kResponseCompleted);
    s.outputRequests.printRequest = 1;
    ASSERT_EQ(runReport(5, definition()), kResponseCompleted);
    EXPECT_EQ(routes.calls, (QStringList{QStringLiteral("outlook Zestawienie próbne"), QStringLiteral("mime PRN_PROBA")}));
    // A mail that was not handed on fails the run.
    routes.refuse = true;
    s.outputRequests.printRequest = 0;
    s.outputRequests.mailClientKind = 1;
    EXPECT_EQ(runReport(5, definition()), kResponseCancelled);
    s.outputRequests.mailClientKind = 0;
    EXPECT_EQ(runReport(5, definition()), kResponseCancelled);
    s.outputRequests.printRequest = 1;
    setMailRoutes(installed);

    // Until a route is installed, asking for mail is refused, never taken for sent.
    m_ui.clear();
    MailRoutes().sendMimeMessage({});
    EXPECT_EQ(m_ui.messageTexts(), QStringList{QStringLiteral("Wysyłanie poczty nie jest jeszcze dostępne.")});

    // The browse request produces the rows only.
    m_ui.clear();
    m_ui.previews = 0;
    s.outputRequests = korda::OutputRequests();
    s.outputRequests.browseRequest = 1;
    ASSERT_EQ(runReport(5, definition()), kResponseCompleted);
    EXPECT_EQ(m_ui.previews, 0);
    EXPECT_TRUE(m_ui.messageTexts().isEmpty());
}

TEST_F(FrameRun, DisplayStringsComeFromTheProgramFolder)
{
    QTemporaryDir program;
    QFile ini(QDir(program.path()).filePath(QStringLiteral("CPCSRPTS.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[DISPLAY STRINGS 2.0]\r\nCancelAreYouSureText=Czy na pewno przerwać wydruk?|Dane nie zostaną zapisane.\r\n"
              "ProgWinPctText=% gotowe\r\n");
    ini.close();
    korda::session().GGG_PROGRAMPATH = program.path();
    ScopedUi scope(m_ui);
    m_ui.cancelProgressAtPoll(1);
    m_ui.answer(Answer::No);
    ASSERT_EQ(runReport(30, definition()), kResponseCompleted);
    EXPECT_EQ(m_ui.messageTexts(), QStringList{QStringLiteral("Czy na pewno przerwać wydruk?\nDane nie zostaną zapisane.")});
    EXPECT_EQ(m_ui.progressTexts().last(), QStringLiteral("100% gotowe"));
    const DisplayStrings defaults = loadDisplayStrings(QString());
    EXPECT_EQ(defaults.NothingToPrntText, QStringLiteral("Nothing to Print."));
}

TEST_F(FrameRun, AStatementThatFailsBeforeOrDuringTheRowsFailsTheRunWithNoOutput)
{
    ScopedUi scope(m_ui);
    sql::Database::setCurrent(sql::ConnectionSpec::sqliteFile(QDir(m_out.path()).filePath(QStringLiteral("x.db")), true));
    ASSERT_TRUE(utilka::EXECSQL(QStringLiteral("create table T (a integer)")));

    // A failure the data stage went past (its result was never checked).
    {
        RunFrame frame(definition(), frame::OutputTarget::fromSession(korda::session()));
        ASSERT_TRUE(frame.start());
        utilka::EXECSQL(QStringLiteral("insert into NIE_MA_TAKIEJ (a) values (1)"));
        EXPECT_EQ(frame.run(rows(5)), kResponseCancelled);
        EXPECT_TRUE(frame.failed());
    }
    EXPECT_EQ(korda::session().globalResponse, kResponseCancelled);
    EXPECT_EQ(m_ui.previews, 0);
    EXPECT_FALSE(QFile::exists(pdf()));
    EXPECT_TRUE(m_ui.messageTexts().join(u'\n').contains(QStringLiteral("no such table"))) << m_ui.messageTexts().join(u'\n').toStdString();

    // A failure while rows print stops the run at once.
    m_ui.clear();
    int printed = 0;
    RowFeed feed = rows(400);
    const auto print = feed.print;
    feed.print = [&](RunFrame& f) {
        print(f);
        if (++printed == 30)
            utilka::FUNCVAY(QStringLiteral("select a from NIE_MA_TAKIEJ"));
    };
    {
        RunFrame frame(definition(), frame::OutputTarget::fromSession(korda::session()));
        ASSERT_TRUE(frame.start());
        EXPECT_EQ(frame.run(feed), kResponseCancelled);
    }
    EXPECT_EQ(printed, 30) << "no row is printed after the failure";
    EXPECT_EQ(m_ui.previews, 0);
    EXPECT_FALSE(QFile::exists(pdf()));

    // Failures before the run started are not the run's.
    RunFrame frame(definition(), frame::OutputTarget::fromSession(korda::session()));
    ASSERT_TRUE(frame.start());
    EXPECT_EQ(frame.run(rows(5)), kResponseCompleted);
    EXPECT_TRUE(QFile::exists(pdf()));
    EXPECT_TRUE(temporaryFolderEmpty());
    sql::Database::releaseThread();
}

TEST_F(FrameRun, RunFoldersOfProcessesThatAreGoneAreSweptAndLiveOnesKept)
{
    const QDir tmp(m_temp.path());
    auto folder = [&](const QString& name, const QByteArray& owner) {
        EXPECT_TRUE(tmp.mkpath(name));
        QFile spool(tmp.filePath(name + QStringLiteral("/strony.spool")));
        EXPECT_TRUE(spool.open(QIODevice::WriteOnly));
        spool.write(QByteArray(1000, 'x'));
        if (!owner.isEmpty()) {
            QFile f(tmp.filePath(name + QStringLiteral("/owner")));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(owner);
        }
    };
    // A folder of a run going on now (this process's).
    QDir live;
    {
        RunFrame frame(definition(), frame::OutputTarget::fromSession(korda::session()));
        ASSERT_TRUE(frame.start());
        const QStringList runs = tmp.entryList({QStringLiteral("pravik-*")}, QDir::Dirs);
        ASSERT_EQ(runs.size(), 1);
        live = QDir(tmp.filePath(runs.first()));
        EXPECT_TRUE(QFile::exists(live.filePath(QStringLiteral("owner"))));
        // A process number that cannot be running (above the kernel's limit).
        folder(QStringLiteral("pravik-Gone01"), "2147483600 12345\n");
        // This process's number with another start time: the number was reused.
        folder(QStringLiteral("pravik-Reuse1"), QByteArray::number(QCoreApplication::applicationPid()) + " 1\n");
        // Not a run folder: another program's, and one without an owner touched just now.
        folder(QStringLiteral("pravik-notours-at-all"), "2147483600 1\n");
        folder(QStringLiteral("pravik-NoOwnr"), {});
        EXPECT_EQ(sweepStaleRunFolders(m_temp.path()), 2);
        EXPECT_TRUE(live.exists());
        frame.abandon();
    }
    EXPECT_FALSE(live.exists());
    EXPECT_FALSE(tmp.exists(QStringLiteral("pravik-Gone01")));
    EXPECT_FALSE(tmp.exists(QStringLiteral("pravik-Reuse1")));
    EXPECT_TRUE(tmp.exists(QStringLiteral("pravik-notours-at-all")));
    EXPECT_TRUE(tmp.exists(QStringLiteral("pravik-NoOwnr")));
}
